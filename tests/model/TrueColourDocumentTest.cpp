// The document with the true-colour setting on: files of several sizes up to 256 with soft alpha, and
// animations whose frames hold several sizes, come in whole and go out as they came.

#include "model/TrueColourDocument.h"
#include "ModelTestSupport.h"
#include "model/CursorFiles.h"

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

namespace vantle {
namespace {

using test::TempDir;

// A disc with a soft rim: every alpha from 0 to 255 appears at the larger sizes; colours differ per frame.
CursorImage softDisc(int side, int frame, int storedBits) {
    CursorImage image;
    image.width = image.height = side;
    image.hotspotX = side / 3;
    image.hotspotY = side - 1 - frame;
    image.storedBits = storedBits;
    const double r = side / 2.0 - 1;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const double d = std::hypot(x + 0.5 - side / 2.0, y + 0.5 - side / 2.0);
            const double a = std::clamp((r - d) * 64.0, 0.0, 255.0);
            const auto alpha = static_cast<std::uint32_t>(a);
            const std::uint32_t rgb =
                alpha == 0 ? 0
                           : (0x203040u + static_cast<std::uint32_t>(frame * 0x101 + x + y * 3)) & 0xFFFFFF;
            image.argb.push_back(alpha << 24 | rgb);
        }
    return image;
}

LosslessCursor animation(const std::vector<int>& sides, int frames) {
    LosslessCursor cursor;
    for (int f = 0; f < frames; ++f) {
        CursorFrame frame;
        for (int side : sides)
            frame.images.push_back(softDisc(side, f, side > 48 ? 0 : 32));
        cursor.frames.push_back(frame);
    }
    for (int s = 0; s < frames * 2; ++s)
        cursor.steps.push_back({(s * 3) % frames, std::int64_t{2 + s} * kTicksPerJiffy});
    cursor.ani.title = "Soft";
    cursor.ani.author = "Someone";
    cursor.ani.defaultRate = 5;
    cursor.ani.flags = 3;
    cursor.ani.hadRateTable = true;
    cursor.ani.hadSequenceTable = true;
    return cursor;
}

void expectSameCursor(const LosslessCursor& expected, const LosslessCursor& actual) {
    ASSERT_EQ(expected.frames.size(), actual.frames.size());
    for (std::size_t f = 0; f < expected.frames.size(); ++f) {
        ASSERT_EQ(expected.frames[f].images.size(), actual.frames[f].images.size()) << "frame " << f;
        for (std::size_t k = 0; k < expected.frames[f].images.size(); ++k) {
            const CursorImage& e = expected.frames[f].images[k];
            const CursorImage& a = actual.frames[f].images[k];
            EXPECT_EQ(e.width, a.width);
            EXPECT_EQ(e.hotspotX, a.hotspotX);
            EXPECT_EQ(e.hotspotY, a.hotspotY);
            EXPECT_TRUE(e.argb == a.argb) << "frame " << f << " size " << e.width;
        }
    }
    ASSERT_EQ(expected.steps.size(), actual.steps.size());
    for (std::size_t s = 0; s < expected.steps.size(); ++s) {
        EXPECT_EQ(expected.steps[s].frame, actual.steps[s].frame) << "step " << s;
        EXPECT_EQ(expected.steps[s].ticks, actual.steps[s].ticks) << "step " << s;
    }
    EXPECT_EQ(expected.ani.title, actual.ani.title);
    EXPECT_EQ(expected.ani.author, actual.ani.author);
}

LosslessCursor readBack(const std::vector<std::uint8_t>& bytes, CursorFormat format) {
    CursorReadReport report;
    auto cursor = readCursorBytes(bytes, format, report);
    EXPECT_TRUE(cursor.has_value());
    EXPECT_TRUE(report.complete);
    return cursor.value_or(LosslessCursor{});
}

TEST(TrueColourDocument, AnimationsOfSeveralSizesComeInWholeAndGoOutAsTheyCame) {
    TempDir dir;
    for (const auto& sides : std::vector<std::vector<int>>{{32, 48, 64, 256}, {128}, {16, 24}}) {
        const LosslessCursor source = animation(sides, 4);
        CursorWriteReport written;
        test::writeFileBytes(dir.file("a.ani"), buildAnimatedCursor(source, written));
        IconDocument document = test::newDocument();
        test::RecordingMessages messages;
        ReadContext context{messages, test::kTestMarkers};
        const DocumentLoad load = loadTrueColourFile(document, dir.file("a.ani"), context);
        EXPECT_EQ(load.outcome, ReadOutcome::Complete);
        EXPECT_TRUE(load.animated);
        EXPECT_TRUE(messages.shown.empty());
        ASSERT_EQ(document.imageCount, static_cast<int>(4 * sides.size()));
        EXPECT_EQ(document.images[0].depth, kDepth32);
        EXPECT_EQ(holdsTrueColour(document), true);
        const auto back = buildTrueColourFile(document, FileKind::AnimatedCursor, test::kTestMarkers);
        expectSameCursor(source, readBack(back, CursorFormat::AnimatedCursor));
        // As an icon resource, an animation keeps its first frame with every size.
        const LosslessCursor still = readBack(
            buildTrueColourFile(document, FileKind::Cursor, test::kTestMarkers), CursorFormat::IconResource);
        LosslessCursor first;
        first.frames.push_back(source.frames[0]);
        expectSameCursor(first, still);
    }
}

TEST(TrueColourDocument, StillIconsAndGridImagesJoinOneFileAndStepsReferToFrames) {
    // A five-size still cursor comes in as one frame; an image of the grid added after it is written
    // beside them with its markers as transparency and inversion.
    LosslessCursor source;
    source.frames.emplace_back();
    for (int side : {16, 32, 48, 96, 256})
        source.frames[0].images.push_back(softDisc(side, 0, side >= 96 ? 0 : 32));
    CursorWriteReport written;
    TempDir dir;
    test::writeFileBytes(dir.file("c.cur"), buildIconResource(source, 2, written));
    IconDocument document = test::newDocument();
    test::RecordingMessages messages;
    ReadContext context{messages, test::kTestMarkers};
    EXPECT_EQ(loadTrueColourFile(document, dir.file("c.cur"), context).outcome, ReadOutcome::Complete);
    ASSERT_EQ(document.imageCount, 5);
    EXPECT_FALSE(document.images[0].sameFrame);
    EXPECT_TRUE(document.images[4].sameFrame);
    IconImage& grid = test::addImage(document, 2, 1, [](int x, int) {
        return x == 0 ? test::kTestMarkers.transparent : test::kTestMarkers.inverted;
    });
    grid.depth = 2;
    EXPECT_EQ(frameOfImages(document), (std::vector<int>{0, 0, 0, 0, 0, 1}));
    const LosslessCursor back = readBack(buildTrueColourFile(document, FileKind::Cursor, test::kTestMarkers),
                                         CursorFormat::IconResource);
    ASSERT_EQ(back.frames.size(), 1u);
    ASSERT_EQ(back.frames[0].images.size(), 6u);
    const CursorImage& last = back.frames[0].images[5];
    EXPECT_EQ(last.at(0, 0) >> 24, 0u);
    EXPECT_TRUE(last.invertsAt(1, 0));
    EXPECT_FALSE(last.invertsAt(0, 0));
    // Steps made in the window point at images; the file's steps point at their frames.
    document.steps[0] = {5, 7};
    document.steps[1] = {2, 9};
    document.stepCount = 2;
    const LosslessCursor ani =
        readBack(buildTrueColourFile(document, FileKind::AnimatedCursor, test::kTestMarkers),
                 CursorFormat::AnimatedCursor);
    ASSERT_EQ(ani.steps.size(), 2u);
    EXPECT_EQ(ani.steps[0].frame, 1);
    EXPECT_EQ(ani.steps[1].frame, 0);
    EXPECT_EQ(ani.steps[1].ticks, 9 * kTicksPerJiffy);
}

TEST(TrueColourDocument, CombiningDrawsSourceOverAndKeepsInvertingPixelsThroughASave) {
    const MarkerColours markers{0xE0E0E0, 0x000000};
    IconDocument d;
    d.clearImages(markers.transparent);
    CursorImage base = blankTrueColourImage(128);
    base.argb[0] = 0x80FF0000; // half-transparent red under a half-transparent blue
    base.argb[1] = 0xFF00FF00;
    setTrueColourImage(d.images[0], base);
    IconImage& top = d.images[1];
    top.width = top.height = 16;
    top.pixels.fill(markers.transparent);
    top.pixels(2, 0) = markers.inverted;
    top.pixels(3, 0) = 0x0000FF; // grid colours are 0xBBGGRR: red
    IconImage blue;
    setTrueColourImage(blue, blankTrueColourImage(1));
    blue.full.argb[0] = 0x800000FF;
    combineTrueColour(d.images[0], blue, markers);
    combineTrueColour(d.images[0], top, markers);
    const CursorImage& made = d.images[0].full;
    // Source-over on straight alpha: a = 128 + 128 * 127 / 255 = 192, colour weighted by 128 * 255 and
    // 128 * 127.
    EXPECT_EQ(made.argb[0], 0xC05500AAu);
    EXPECT_EQ(made.argb[1], 0xFF00FF00u) << "nothing drawn over it";
    // Beside partial alpha no file could keep it inverting: opaque black outlined in white.
    EXPECT_FALSE(made.hasInverted());
    EXPECT_EQ(made.argb[2], 0xFF000000u);
    EXPECT_EQ(made.argb[3], 0xFFFF0000u);
    EXPECT_EQ(made.argb[128 + 2], 0xFFFFFFFFu);
    // Without partial alpha a bitmap with a mask holds the inverting pixel, at any size.
    d.images[0].full.argb[0] = 0;
    combineTrueColour(d.images[0], top, markers);
    ASSERT_TRUE(d.images[0].full.invertsAt(2, 0));
    d.imageCount = 1;
    const auto bytes = buildTrueColourFile(d, FileKind::Cursor, markers);
    CursorReadReport report;
    const auto back = readCursorBytes(bytes, CursorFormat::IconResource, report);
    ASSERT_TRUE(back.has_value());
    const CursorImage& read = back->frames[0].images[0];
    EXPECT_TRUE(read.invertsAt(2, 0));
    EXPECT_TRUE(read.argb == d.images[0].full.argb);
}

TEST(TrueColourDocument, RatesFromXcursorDelaysRoundToJiffies) {
    EXPECT_EQ(rateOfTicks(100 * kTicksPerMillisecond), 6);
    EXPECT_EQ(rateOfTicks(25 * kTicksPerMillisecond), 2); // 1.5 jiffies
    EXPECT_EQ(rateOfTicks(0), 1);
}

} // namespace
} // namespace vantle
