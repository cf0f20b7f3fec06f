// Files the writers make read back into the same document, and writing what was read gives the same bytes.

#include "IconBytes.h"
#include "ModelTestSupport.h"
#include "model/AniFileReader.h"
#include "model/AniFileWriter.h"
#include "model/IconFileReader.h"
#include "model/IconFileWriter.h"

#include <gtest/gtest.h>

namespace vantle::test {
namespace {

constexpr colourRGB kRed = 0x0000FF;
constexpr colourRGB T = kTestMarkers.transparent;
constexpr colourRGB I = kTestMarkers.inverted;

// One image of every size and depth, with transparent, inverted, black and white pixels and hotspots.
IconDocument mixedDocument() {
    IconDocument d = newDocument();
    addImage(
        d, 16, 16, [](int x, int y) { return x == y  ? T
                                             : x > y ? kRed
                                                     : kBlack; }, 1, 2);
    addImage(
        d, 16, 16,
        [](int x, int y) { return x == 0   ? I
                                  : y == 0 ? T
                                           : makeColour(x % 4 * 60, y % 3 * 90, 0); }, 15, 0);
    addImage(
        d, 32, 32,
        [](int x, int y) {
            return (x + y) % 9 == 0 ? T : x == 31 ? kWhite : makeColour(x * 8, 0, y % 4 * 50);
        },
        31, 31);
    addImage(
        d, 32, 32, [](int x, int y) { return x < 3 ? I : makeColour(x % 4 * 60, y % 3 * 90, 0); }, 0, 31);
    addImage(
        d, 48, 48, [](int x, int y) { return x == 47   ? T
                                             : y == 47 ? I
                                                       : distinctColour(x, y); }, 24, 24);
    addImage(
        d, 48, 48, [](int x, int) { return x % 2 ? kWhite : kBlack; }, 47, 47);
    return d;
}

void expectSameImages(const IconDocument& written, const IconDocument& read, int firstRead = 0) {
    for (int i = 0; i < written.imageCount; ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        const IconImage& a = written.images[static_cast<std::size_t>(i)];
        const IconImage& b = read.images[static_cast<std::size_t>(firstRead + i)];
        EXPECT_EQ(firstPixelDifference(a, b), "");
        EXPECT_EQ(b.depth, a.depth);
        EXPECT_EQ(b.hotspotX, a.hotspotX);
        EXPECT_EQ(b.hotspotY, a.hotspotY);
    }
}

TEST(RoundTrip, IconAndCursorFiles) {
    for (std::int16_t type : {1, 2}) {
        SCOPED_TRACE(type == 1 ? "icon" : "cursor");
        IconDocument d = mixedDocument();
        TempDir dir;
        const std::string path = dir.file(type == 1 ? "a.ico" : "a.cur");
        ASSERT_TRUE(writeIconFile(d, path, type, kTestMarkers));
        const ColourDepth depths[] = {2, 16, 256, 16, 0, 2};
        for (int i = 0; i < d.imageCount; ++i)
            EXPECT_EQ(d.images[static_cast<std::size_t>(i)].depth, depths[i]) << "image " << i;

        RecordingMessages messages;
        ReadContext context{messages, kTestMarkers};
        IconDocument back = newDocument();
        ASSERT_EQ(readIconFile(back, path, context), ReadOutcome::Complete);
        ASSERT_EQ(back.imageCount, d.imageCount);
        expectSameImages(d, back);
        EXPECT_TRUE(messages.shown.empty());

        const Bytes first = readFileBytes(path);
        ASSERT_TRUE(writeIconFile(back, path, type, kTestMarkers));
        EXPECT_EQ(firstByteDifference(first, readFileBytes(path)), "") << "written again after reading";
    }
}

// A 4 x 4 image from 1-bit rows of 32 columns with an empty mask, one pixel inverted: it is written at 16
// colours, whose rows cover 8 columns, while the mask still covers 32. What the grid holds beyond the
// image comes from the file alone, so written, read and written again the bytes stay the same, whatever
// the slot held before.
TEST(RoundTrip, WrittenReadAndWrittenAgainGivesTheSameBytes) {
    BitmapInput s;
    s.width = s.height = 4;
    s.bitCount = 1;
    s.palette = {0x0000FF, 0x00FF00};
    s.valueAt = [](int x, int y) { return (x + y) % 2; };
    s.maskAt = [](int x, int y) { return x == 0 && y == 0; };
    const Bytes input = iconFileBytes(1, {entryFor(s)});
    RecordingMessages messages;
    ReadContext context{messages, kTestMarkers};
    for (colourRGB before : {T, kWhite}) {
        SCOPED_TRACE("slot cells before reading: " + hex(static_cast<std::uint32_t>(before)));
        IconDocument d = newDocument();
        d.images[0].pixels.fill(before);
        ByteReader reader(input);
        ASSERT_EQ(readIconResource(d, reader, context), ReadOutcome::Complete);
        for (std::int16_t type : {1, 2}) {
            const Bytes first = buildIconFile(d, type, kTestMarkers);
            ASSERT_EQ(d.images[0].depth, 16);
            IconDocument back = newDocument();
            back.images[0].pixels.fill(before == T ? kWhite : T);
            ByteReader again(first);
            ASSERT_EQ(readIconResource(back, again, context), ReadOutcome::Complete);
            EXPECT_EQ(firstByteDifference(first, buildIconFile(back, type, kTestMarkers)), "");
        }
    }
}

TEST(RoundTrip, AnimatedCursorFiles) {
    IconDocument d = mixedDocument();
    // Frames hold at most 256 colours: leave out the full-colour image, which would be reduced.
    d.images[4].copyPictureFrom(d.images[5]);
    d.images[4].hotspotX = 3;
    d.imageCount = 5;
    d.title = "走る猫 Run";
    d.author = "作者名";
    d.defaultRate = 9;
    d.aniFlags = 1;
    const AnimationStep steps[] = {{0, 9}, {3, 9}, {3, 20}, {1, 1}, {4, 9}, {2, 60}, {0, 9}};
    d.stepCount = 7;
    std::copy(std::begin(steps), std::end(steps), d.steps.begin());
    TempDir dir;
    RecordingMessages messages;
    ASSERT_TRUE(writeAniFile(d, dir.file("a.ani"), kTestMarkers, messages));

    ReadContext context{messages, kTestMarkers};
    IconDocument back = newDocument();
    ASSERT_EQ(readAniFile(back, dir.file("a.ani"), context), ReadOutcome::Complete);
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_EQ(back.imageCount, 5);
    expectSameImages(d, back);
    EXPECT_EQ(back.title, "走る猫 Run");
    EXPECT_EQ(back.author, "作者名");
    EXPECT_EQ(back.defaultRate, 9);
    EXPECT_EQ(back.aniFlags, 3);
    EXPECT_TRUE(back.hasRateTable);
    EXPECT_TRUE(back.hasStepTable);
    ASSERT_EQ(back.stepCount, 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(back.steps[static_cast<std::size_t>(i)], steps[i]) << "step " << i;

    const Bytes first = readFileBytes(dir.file("a.ani"));
    ASSERT_TRUE(writeAniFile(back, dir.file("a.ani"), kTestMarkers, messages));
    EXPECT_EQ(firstByteDifference(first, readFileBytes(dir.file("a.ani"))), "")
        << "written again after reading";
}

TEST(RoundTrip, AnimatedCursorWithoutTablesStaysWithoutTables) {
    IconDocument d = mixedDocument();
    d.imageCount = 4;
    d.title.clear();
    d.author = "ab";
    TempDir dir;
    RecordingMessages messages;
    ASSERT_TRUE(writeAniFile(d, dir.file("b.ani"), kTestMarkers, messages));
    ReadContext context{messages, kTestMarkers};
    IconDocument back = newDocument();
    ASSERT_EQ(readAniFile(back, dir.file("b.ani"), context), ReadOutcome::Complete);
    expectSameImages(d, back);
    EXPECT_EQ(back.title, "");
    EXPECT_EQ(back.author, "ab");
    EXPECT_FALSE(back.hasRateTable);
    EXPECT_FALSE(back.hasStepTable);
    EXPECT_EQ(back.aniFlags, 1);
    ASSERT_EQ(back.stepCount, 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(back.steps[static_cast<std::size_t>(i)], (AnimationStep{i, 8})) << "step " << i;
}

TEST(RoundTrip, IconFileIntoAnAnimatedCursorAndBack) {
    IconDocument d = mixedDocument();
    d.imageCount = 4;
    TempDir dir;
    RecordingMessages messages;
    ReadContext context{messages, kTestMarkers};
    ASSERT_TRUE(writeIconFile(d, dir.file("a.cur"), 2, kTestMarkers));
    IconDocument fromCursor = newDocument();
    readIconFile(fromCursor, dir.file("a.cur"), context);
    ASSERT_TRUE(writeAniFile(fromCursor, dir.file("a.ani"), kTestMarkers, messages));
    IconDocument fromAni = newDocument();
    readAniFile(fromAni, dir.file("a.ani"), context);
    ASSERT_TRUE(writeIconFile(fromAni, dir.file("b.ico"), 1, kTestMarkers));
    IconDocument fromIcon = newDocument();
    readIconFile(fromIcon, dir.file("b.ico"), context);
    ASSERT_EQ(fromIcon.imageCount, 4);
    expectSameImages(d, fromIcon);
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
} // namespace vantle::test
