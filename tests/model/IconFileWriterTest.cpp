// The icon and cursor writer: choice of images, depths, directory fields and the exact image bytes.

#include "model/IconFileWriter.h"
#include "ModelTestSupport.h"
#include "model/IconFileReader.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace vantle::test {
namespace {

constexpr colourRGB kRed = 0x0000FF;
constexpr colourRGB kGreen = 0x00FF00;
constexpr colourRGB kBlue = 0xFF0000;
constexpr colourRGB T = kTestMarkers.transparent;
constexpr colourRGB I = kTestMarkers.inverted;

Bytes build(IconDocument& d, std::int16_t type = 1) {
    return buildIconFile(d, type, kTestMarkers);
}

TEST(IconFileWriter, ThreeColoursGiveDepthSixteen) {
    IconDocument d = newDocument();
    addImage(d, 32, 32, [](int x, int) { return x < 10 ? kRed : x < 20 ? kGreen : kBlue; });
    const Bytes file = build(d);
    EXPECT_EQ(d.images[0].depth, 16) << "the depth stays in the document";
    EXPECT_EQ(file[6 + 2], 16) << "colour count of the entry";
    const std::size_t bitmap = 6 + 16;
    EXPECT_EQ(le16(file, bitmap + 14), 4) << "bit count";
    EXPECT_EQ(le32(file, 6 + 8), 40u + 16 * 4 + 512 + 128) << "bytes in resource";
    EXPECT_EQ(file.size(), 6u + 16 + 40 + 64 + 512 + 128);
    // Palette: red, green, blue, then white up to 16 entries, each blue, green, red, 0.
    const Bytes palette(file.begin() + bitmap + 40, file.begin() + bitmap + 40 + 16);
    EXPECT_EQ(firstByteDifference({0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0}, palette), "");
}

TEST(IconFileWriter, OnlyTheFirstImageOfEachSizeAndDepthIsWritten) {
    IconDocument d = newDocument();
    addImage(d, 32, 32, [](int x, int) { return x < 5 ? kRed : kBlue; });
    addImage(d, 32, 32, [](int x, int) { return x < 9 ? kGreen : kBlue; });
    addImage(d, 16, 16, [](int, int) { return kRed; });
    addImage(d, 32, 32, [](int x, int) { return x < 9 ? kGreen : x < 20 ? kBlue : kRed; });
    const Bytes file = build(d);
    EXPECT_EQ(le16(file, 4), 3) << "count";
    EXPECT_TRUE(d.images[0].writeFlag);
    EXPECT_FALSE(d.images[1].writeFlag);
    EXPECT_TRUE(d.images[2].writeFlag);
    EXPECT_TRUE(d.images[3].writeFlag) << "32 x 32 at 16 colours is a new key";
    EXPECT_EQ(file[6], 32);
    EXPECT_EQ(file[6 + 16], 16);
    EXPECT_EQ(file[6 + 32 + 2], 16);
}

TEST(IconFileWriter, OffsetsOfThreeImages) {
    IconDocument d = newDocument();
    addImage(d, 16, 16, [](int x, int) { return x % 2 ? kRed : kBlue; });
    addImage(d, 32, 32, [](int x, int) { return makeColour(x % 5 * 40, 0, 0); });
    addImage(d, 48, 48, distinctColour);
    const Bytes file = build(d);
    ASSERT_EQ(le16(file, 4), 3);
    EXPECT_EQ(le32(file, 6 + 8), 176u);
    EXPECT_EQ(le32(file, 6 + 12), 54u);
    EXPECT_EQ(le32(file, 22 + 8), 744u);
    EXPECT_EQ(le32(file, 22 + 12), 54u + 176);
    EXPECT_EQ(le32(file, 38 + 8), 7336u);
    EXPECT_EQ(le32(file, 38 + 12), 54u + 176 + 744);
    EXPECT_EQ(file.size(), 54u + 176 + 744 + 7336);
    const std::pair<std::size_t, int> bitCounts[] = {{54, 1}, {54 + 176, 4}, {54 + 176 + 744, 24}};
    for (const auto& [at, bits] : bitCounts) {
        EXPECT_EQ(le32(file, at), 40u) << "header size at " << at;
        EXPECT_EQ(le16(file, at + 12), 1) << "planes at " << at;
        EXPECT_EQ(le16(file, at + 14), bits) << "bit count at " << at;
    }
    EXPECT_EQ(le32(file, 54 + 8), 32u) << "height field: colour rows and mask rows";
    EXPECT_EQ(le32(file, 54 + 20), 64u + 64) << "image size of the 16 x 16 image";
    EXPECT_EQ(le32(file, 54 + 176 + 744 + 20), 6912u + 384);
}

TEST(IconFileWriter, HotspotsGoIntoTheEntryForIconsAndCursors) {
    for (std::int16_t type : {1, 2}) {
        IconDocument d = newDocument();
        addImage(
            d, 32, 32, [](int, int) { return kRed; }, 12, 31);
        const Bytes file = build(d, type);
        EXPECT_EQ(le16(file, 2), type);
        EXPECT_EQ(le16(file, 6 + 4), 12);
        EXPECT_EQ(le16(file, 6 + 6), 31);
    }
}

TEST(IconFileWriter, IconWithoutHotspotStatesPlanesAndTheBitCountOfItsData) {
    for (std::int16_t type : {1, 2}) {
        SCOPED_TRACE(type == 1 ? "icon" : "cursor");
        IconDocument d = newDocument();
        addImage(d, 16, 16, [](int x, int) { return x % 2 ? kRed : T; });
        addImage(d, 16, 16, [](int x, int y) { return makeColour(x % 3 * 80, y % 2 * 80, 0); });
        addImage(d, 32, 32, [](int x, int y) { return makeColour(x * 8, y % 8 * 30, 0); });
        addImage(d, 48, 48, distinctColour);
        const Bytes file = build(d, type);
        ASSERT_EQ(le16(file, 4), 4);
        const int bits[] = {1, 4, 8, 24};
        for (int i = 0; i < 4; ++i) {
            const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
            EXPECT_EQ(le16(file, entry + 4), type == 1 ? 1 : 0) << "entry " << i;
            EXPECT_EQ(le16(file, entry + 6), type == 1 ? bits[i] : 0) << "entry " << i;
            EXPECT_EQ(le16(file, le32(file, entry + 12) + 14), bits[i]) << "bitmap header of entry " << i;
        }
    }
}

TEST(IconFileWriter, HotspotsThatReadAsPlanesAndBitCountAreNotKeptInIcons) {
    // Such a hotspot would come back as (0, 0); the entry states the data's bit count instead. A cursor
    // keeps it.
    const std::pair<std::int16_t, std::int16_t> hotspots[] = {{0, 32}, {1, 32}, {1, 24}, {0, 24}, {1, 0}};
    for (std::int16_t type : {1, 2})
        for (const auto& [x, y] : hotspots) {
            SCOPED_TRACE(std::to_string(type) + ": " + std::to_string(x) + "," + std::to_string(y));
            IconDocument d = newDocument();
            addImage(d, 48, 48, distinctColour, x, y);
            const Bytes file = build(d, type);
            EXPECT_EQ(le16(file, 6 + 4), type == 1 ? 1 : x);
            EXPECT_EQ(le16(file, 6 + 6), type == 1 ? 24 : y);
        }
    IconDocument d = newDocument();
    addImage(d, 48, 48, distinctColour, 0, 23);
    const Bytes file = build(d, 1);
    EXPECT_EQ(le16(file, 6 + 4), 0) << "23 is no bit count of the data: a hotspot";
    EXPECT_EQ(le16(file, 6 + 6), 23);
}

TEST(IconFileWriter, FortyEightAtTwoColoursEndsRowsWithTwoZeroBytes) {
    IconDocument d = newDocument();
    addImage(d, 48, 48, [](int x, int y) { return (x * y) % 7 == 0 ? T : kWhite; });
    const Bytes file = build(d);
    const std::size_t colourRows = 22 + 40 + 8;
    ASSERT_EQ(file.size(), colourRows + 2 * 48 * 8);
    for (int row = 0; row < 96; ++row) {
        const std::size_t at = colourRows + static_cast<std::size_t>(row) * 8;
        EXPECT_EQ(file[at + 6], 0) << "row " << row;
        EXPECT_EQ(file[at + 7], 0) << "row " << row;
    }
}

TEST(IconFileWriter, ExactBytesOfTransparentAndRedSixteen) {
    // Top-left transparent, a transparent diagonal, red elsewhere: depth 2, palette black, red.
    IconDocument d = newDocument();
    addImage(
        d, 16, 16, [](int x, int y) { return x == y ? T : kRed; }, 3, 4);
    // Indices left in the grid beyond the width by an earlier image never reach the file.
    d.images[0].indexMap.fill(1);
    const Bytes file = build(d, 2);
    LeBytes expected;
    expected.u16(0).u16(2).u16(1);
    expected.u8(16).u8(16).u8(2).u8(0).u16(3).u16(4).u32(176).u32(22);
    expected.u32(40).u32(16).u32(32).u16(1).u16(1).u32(0).u32(128).u32(0).u32(0).u32(0).u32(0);
    expected.u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(255).u8(0);
    // Colour rows bottom up: index 0 (black) on the diagonal, 1 (red) elsewhere; the padding columns
    // 16..31 are 0.
    for (int y = 15; y >= 0; --y) {
        const unsigned bits = 0xFFFFu & ~(0x8000u >> y);
        expected.u8(bits >> 8).u8(bits & 0xFF).u8(0).u8(0);
    }
    // Mask rows: the diagonal; columns 16..31 hold transparent cells of the new document, so their bits
    // are 1.
    for (int y = 15; y >= 0; --y) {
        const unsigned bits = 0x8000u >> y;
        expected.u8(bits >> 8).u8(bits & 0xFF).u8(0xFF).u8(0xFF);
    }
    EXPECT_EQ(firstByteDifference(expected.bytes, file), "");
    EXPECT_EQ(d.images[0].palette[0], kBlack);
    EXPECT_EQ(d.images[0].palette[1], kRed);
}

TEST(IconFileWriter, MarkersAtFullColourAreBlackAndWhiteUnderTheMask) {
    IconDocument d = newDocument();
    addImage(d, 32, 32, [](int x, int y) { return x == 0 ? T : x == 1 ? I : distinctColour(x, y); });
    const Bytes file = build(d);
    ASSERT_EQ(le16(file, 22 + 14), 24);
    const std::size_t bottomRow = 22 + 40; // y = 31
    EXPECT_EQ(firstByteDifference({0, 0, 0, 255, 255, 255},
                                  Bytes(file.begin() + bottomRow, file.begin() + bottomRow + 6)),
              "");
    const colourRGB c = distinctColour(2, 31);
    EXPECT_EQ(file[bottomRow + 6], blueOf(c));
    EXPECT_EQ(file[bottomRow + 7], greenOf(c));
    EXPECT_EQ(file[bottomRow + 8], redOf(c));
    const std::size_t mask = bottomRow + 32 * 96;
    EXPECT_EQ(file[mask], 0xC0) << "columns 0 and 1 masked";
    EXPECT_EQ(file[mask + 1], 0x00);
    EXPECT_EQ(file.size(), mask + 32 * 4);
}

TEST(IconFileWriter, PixelEqualToTheInvertedMarkerIsSavedInverted) {
    // The user drew with the colour that is also the inverted marker: it comes back as inverted screen.
    IconDocument d = newDocument();
    addImage(d, 32, 32, [](int x, int) { return x == 4 ? I : kRed; });
    TempDir dir;
    ASSERT_TRUE(writeIconFile(d, dir.file("a.ico"), 1, kTestMarkers));
    const Bytes file = readFileBytes(dir.file("a.ico"));
    const std::size_t mask = 22 + 40 + 2 * 4 + 32 * 4;
    EXPECT_EQ(file[mask], 0x08) << "mask bit of column 4";
    RecordingMessages messages;
    ReadContext context{messages, kTestMarkers};
    IconDocument back = newDocument();
    readIconFile(back, dir.file("a.ico"), context);
    ASSERT_EQ(back.imageCount, 1);
    EXPECT_EQ(back.images[0].pixels(4, 0), I);
    // A different inverted marker at reading time: the pixel takes that value.
    ReadContext other{messages, MarkerColours{T, 0x123456}};
    IconDocument back2 = newDocument();
    readIconFile(back2, dir.file("a.ico"), other);
    EXPECT_EQ(back2.images[0].pixels(4, 0), 0x123456);
}

TEST(IconFileWriter, EmptyDocumentWritesAHeaderOnly) {
    IconDocument d = newDocument();
    EXPECT_EQ(firstByteDifference({0, 0, 1, 0, 0, 0}, build(d)), "");
}

TEST(IconFileWriter, FailedSavesLeaveTheOldFile) {
    IconDocument d = newDocument();
    addImage(d, 16, 16, [](int, int) { return kRed; });
    TempDir dir;
    const std::string target = dir.file("old.ico");
    writeFileBytes(target, {1, 2, 3});
    // The target is a folder; the folder does not exist; the folder is a file; the folder cannot be written.
    std::filesystem::create_directory(dir.file("folder.ico"));
    EXPECT_FALSE(writeIconFile(d, dir.file("folder.ico"), 1, kTestMarkers));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.ico")));
    EXPECT_FALSE(writeIconFile(d, dir.file("missing/a.ico"), 1, kTestMarkers));
    EXPECT_FALSE(writeIconFile(d, target + "/a.ico", 1, kTestMarkers));
    EXPECT_FALSE(writeIconFile(d, "/proc/vantle-test.ico", 1, kTestMarkers));
    EXPECT_EQ(readFileBytes(target), (Bytes{1, 2, 3}));
    // Nothing but the two entries made above is left in the folder (no temporary files).
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 2);
    // A successful save replaces the file and keeps its permissions.
    ::chmod(target.c_str(), 0640);
    ASSERT_TRUE(writeIconFile(d, target, 1, kTestMarkers));
    EXPECT_EQ(readFileBytes(target).size(), 22u + 176);
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

} // namespace
} // namespace vantle::test
