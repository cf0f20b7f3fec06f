// Our Xcursor files read by libXcursor, and Xcursor files of xcursorgen read by ours, against the PNG
// frames they were made from.

#include "model/CursorFiles.h"
#include "model/Messages.h"
#include "model/ModelTestSupport.h"
#include "model/XcursorFileReader.h"
#include "theme/DocumentExport.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

// Last, and its macros that clash with ordinary names dropped.
#include <X11/Xcursor/Xcursor.h>
#undef None
#undef Bool
#undef Status

namespace vantle::test {
namespace {

constexpr colourRGB T = kTestMarkers.transparent;

std::string fixture(std::string_view name) {
    return std::string(VANTLE_TEST_DATA) + "/xcursorgen/" + std::string(name);
}

struct Images {
    XcursorImages* images = nullptr;
    explicit Images(const std::string& path, int size)
        : images(XcursorFilenameLoadImages(path.c_str(), size)) {}
    ~Images() {
        if (images)
            XcursorImagesDestroy(images);
    }
    Images(const Images&) = delete;
    Images& operator=(const Images&) = delete;
};

// The PNG frame as document pixels: fully transparent pixels transparent, the others their colour.
IconImage fromPng(const std::string& name) {
    const QImage png = QImage(QString::fromStdString(fixture(name))).convertToFormat(QImage::Format_ARGB32);
    IconImage image;
    image.width = static_cast<std::int16_t>(png.width());
    image.height = static_cast<std::int16_t>(png.height());
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x) {
            const QRgb p = png.pixel(x, y);
            image.pixels(x, y) = qAlpha(p) == 0 ? T : makeColour(qRed(p), qGreen(p), qBlue(p));
        }
    return image;
}

TEST(XcursorInterop, XcursorgenFilesReadBackExactly) {
    {
        IconDocument d = newDocument();
        RecordingMessages messages;
        ReadContext context{messages, kTestMarkers};
        const XcursorReadResult r = readXcursorFile(d, fixture("xcursorgen-arrow"), context);
        ASSERT_EQ(r.outcome, ReadOutcome::Complete);
        EXPECT_FALSE(r.animated);
        ASSERT_EQ(d.imageCount, 2) << "16 and 32; 64 is left out";
        EXPECT_EQ(firstPixelDifference(fromPng("arrow16.png"), d.images[0]), "");
        EXPECT_EQ(firstPixelDifference(fromPng("arrow32.png"), d.images[1]), "");
        EXPECT_EQ(d.images[0].hotspotX, 1);
        EXPECT_EQ(d.images[0].hotspotY, 2);
        EXPECT_EQ(d.images[1].hotspotX, 3);
        EXPECT_EQ(d.images[1].hotspotY, 4);
        EXPECT_EQ(d.images[0].depth, 2);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, std::string(text::kXcursorSizesSkipped) + "64");
    }
    IconDocument d = newDocument();
    RecordingMessages messages;
    ReadContext context{messages, kTestMarkers};
    const XcursorReadResult r = readXcursorFile(d, fixture("xcursorgen-spin"), context);
    ASSERT_EQ(r.outcome, ReadOutcome::Complete);
    EXPECT_TRUE(r.animated);
    ASSERT_EQ(d.imageCount, 3);
    ASSERT_EQ(d.stepCount, 3);
    for (int f = 0; f < 3; ++f) {
        const IconImage& image = d.images[static_cast<std::size_t>(f)];
        EXPECT_EQ(firstPixelDifference(fromPng("spin32-" + std::to_string(f) + ".png"), image), "") << f;
        EXPECT_EQ(image.hotspotX, 16);
        EXPECT_EQ(image.hotspotY, 16);
        EXPECT_EQ(d.steps[static_cast<std::size_t>(f)], (AnimationStep{f, 3 * (f + 1)})) << "50, 100, 150 ms";
    }
    // Written again, libXcursor sees the same frames and delays as in xcursorgen's file.
    TempDir dir;
    CursorWriteReport report;
    const Bytes written = buildXcursor(theme::losslessOfDocument(d, kTestMarkers), report);
    ASSERT_FALSE(written.empty());
    writeFileBytes(dir.file("again"), written);
    const Images original(fixture("xcursorgen-spin"), 32);
    const Images again(dir.file("again"), 32);
    ASSERT_NE(original.images, nullptr);
    ASSERT_NE(again.images, nullptr);
    ASSERT_EQ(again.images->nimage, original.images->nimage);
    for (int f = 0; f < original.images->nimage; ++f) {
        const XcursorImage* a = original.images->images[f];
        const XcursorImage* b = again.images->images[f];
        EXPECT_EQ(b->delay, a->delay);
        EXPECT_EQ(b->xhot, a->xhot);
        EXPECT_TRUE(std::equal(a->pixels, a->pixels + a->width * a->height, b->pixels)) << "frame " << f;
    }
}

} // namespace
} // namespace vantle::test
