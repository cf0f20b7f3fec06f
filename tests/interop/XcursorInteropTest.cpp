// Our Xcursor files read by libXcursor, and Xcursor files of xcursorgen read by ours, against the PNG
// frames they were made from.

#include "model/Messages.h"
#include "model/ModelTestSupport.h"
#include "model/XcursorFileReader.h"
#include "model/XcursorFileWriter.h"

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
constexpr colourRGB I = kTestMarkers.inverted;

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

std::uint32_t expectedArgb(colourRGB c) {
    if (c == T)
        return 0;
    if (c == I)
        return 0xFF000000;
    return 0xFF000000u | static_cast<std::uint32_t>(redOf(c)) << 16 |
           static_cast<std::uint32_t>(greenOf(c)) << 8 | static_cast<std::uint32_t>(blueOf(c));
}

TEST(XcursorInterop, LibXcursorLoadsOurFilesWithTheirPixelsHotspotsAndDelays) {
    IconDocument d = newDocument();
    // Frames of 32 (an animation) and one image of 16 in the steps: libXcursor picks a size and plays its
    // images in order.
    addImage(
        d, 32, 32, [](int x, int y) { return y < 4 ? T : distinctColour(x, y); }, 7, 30);
    addImage(
        d, 32, 32, [](int x, int y) { return x == y ? kBlack : makeColour(200, x, y); }, 1, 2);
    addImage(
        d, 16, 16, [](int x, int y) { return x > 8 ? T : makeColour(x * 9, y * 9, 90); }, 15, 15);
    d.stepCount = 3;
    d.steps[0] = {0, 6};
    d.steps[1] = {1, 8};
    d.steps[2] = {2, 30};
    TempDir dir;
    const std::string path = dir.file("anim");
    ASSERT_TRUE(writeXcursorFile(d, path, kTestMarkers));

    const Images big(path, 32);
    ASSERT_NE(big.images, nullptr);
    ASSERT_EQ(big.images->nimage, 2);
    const std::array<std::uint32_t, 2> delays = {100, 133};
    for (int f = 0; f < 2; ++f) {
        const XcursorImage* x = big.images->images[f];
        const IconImage& image = d.images[static_cast<std::size_t>(f)];
        EXPECT_EQ(x->size, 32u);
        ASSERT_EQ(x->width, 32u);
        ASSERT_EQ(x->height, 32u);
        EXPECT_EQ(x->xhot, static_cast<unsigned>(image.hotspotX));
        EXPECT_EQ(x->yhot, static_cast<unsigned>(image.hotspotY));
        EXPECT_EQ(x->delay, delays[static_cast<std::size_t>(f)]);
        for (int y = 0; y < 32; ++y)
            for (int px = 0; px < 32; ++px)
                ASSERT_EQ(x->pixels[y * 32 + px], expectedArgb(image.pixels(px, y)))
                    << "frame " << f << " pixel (" << px << "," << y << ")";
    }
    const Images small(path, 16);
    ASSERT_NE(small.images, nullptr);
    ASSERT_EQ(small.images->nimage, 1);
    const XcursorImage* x = small.images->images[0];
    EXPECT_EQ(x->xhot, 15u);
    EXPECT_EQ(x->delay, 500u);
    for (int y = 0; y < 16; ++y)
        for (int px = 0; px < 16; ++px)
            ASSERT_EQ(x->pixels[y * 16 + px], expectedArgb(d.images[2].pixels(px, y))) << px << "," << y;
}

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
        ReadContext context{messages, kTestMarkers, nullptr};
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
    ReadContext context{messages, kTestMarkers, nullptr};
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
    ASSERT_TRUE(writeXcursorFile(d, dir.file("again"), kTestMarkers));
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
