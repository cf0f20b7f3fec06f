// Palette files: exact bytes written, what the reader takes from whole, short and hostile files, and the
// 16 x 16 image made of a palette.

#include "model/PaletteFile.h"
#include "model/ModelTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace vantle::test {
namespace {

constexpr colourRGB kRed = 0x0000FF;
constexpr colourRGB kBlue = 0xFF0000;

Bytes header(std::uint32_t count, std::string_view magic = "VTPF") {
    return LeBytes().tag(magic).u32(count).bytes;
}

TEST(PaletteFile, TwoColourImageSavesSixteenBytes) {
    TempDir dir;
    IconDocument d = newDocument();
    IconImage& image = addImage(d, 16, 16, [](int x, int) { return x < 8 ? kRed : kBlue; });
    image.depth = 2;
    const std::string path = dir.file("two.vtp");
    ASSERT_TRUE(writePaletteFile(path, paletteFileEntriesOf(image, kTestMarkers)));
    const Bytes expected =
        LeBytes().tag("VTPF").u32(2).u8(0).u8(0).u8(0xFF).u8(0).u8(0xFF).u8(0).u8(0).u8(0).bytes;
    EXPECT_EQ(firstByteDifference(expected, readFileBytes(path)), "");
}

TEST(PaletteFile, FullColourImageSavesItsFirst256ColoursInOrderOfOccurrence) {
    IconDocument d = newDocument();
    // 48 x 48 distinct colours, with a transparent pixel first: it takes the black entry 0.
    IconImage& image = addImage(d, 48, 48, [](int x, int y) {
        return x == 0 && y == 0 ? kTestMarkers.transparent : distinctColour(x, y);
    });
    image.depth = kDepthFull;
    const Bytes bytes = buildPaletteFile(paletteFileEntriesOf(image, kTestMarkers));
    ASSERT_EQ(bytes.size(), 8u + 4u * 256u);
    EXPECT_EQ(tagAt(bytes, 0), "VTPF");
    EXPECT_EQ(le32(bytes, 4), 256u);
    EXPECT_EQ(le32(bytes, 8), 0u) << "black for the transparent pixel";
    for (int k = 1; k < 256; ++k) {
        const colourRGB c = distinctColour(k % 48, k / 48);
        const std::size_t at = 8 + 4 * static_cast<std::size_t>(k);
        ASSERT_EQ(bytes[at], blueOf(c)) << "entry " << k;
        ASSERT_EQ(bytes[at + 1], greenOf(c)) << "entry " << k;
        ASSERT_EQ(bytes[at + 2], redOf(c)) << "entry " << k;
        ASSERT_EQ(bytes[at + 3], 0) << "entry " << k;
    }
}

TEST(PaletteFile, EntriesFollowTheDepthAndAreWhiteBehindTheColours) {
    IconDocument d = newDocument();
    // 5 colours at depth 16: the five, then white; an entry a longer earlier count left must not show.
    IconImage& image = addImage(d, 16, 16, [](int x, int) { return makeColour(x % 5 * 40, 1, 2); });
    image.palette[15] = kRed;
    image.depth = 16;
    std::vector<colourRGB> entries = paletteFileEntriesOf(image, kTestMarkers);
    ASSERT_EQ(entries.size(), 16u);
    EXPECT_EQ(entries[4], makeColour(160, 1, 2));
    for (std::size_t k = 5; k < 16; ++k)
        EXPECT_EQ(entries[k], kWhite) << k;
    // 20 colours stored as 256: the 20, then white up to 256 entries.
    IconImage& wide = addImage(d, 32, 32, [](int x, int) { return makeColour(x % 20, 1, 2); });
    wide.palette[100] = kRed;
    wide.depth = 256;
    entries = paletteFileEntriesOf(wide, kTestMarkers);
    ASSERT_EQ(entries.size(), 256u);
    EXPECT_EQ(entries[19], makeColour(19, 1, 2));
    EXPECT_EQ(entries[20], kWhite);
    EXPECT_EQ(entries[100], kWhite);
    // Undetermined depth: the colours decide (3 colours give 16 entries).
    IconImage& fresh = addImage(d, 16, 16, [](int x, int) { return makeColour(x % 3, 0, 0); });
    EXPECT_EQ(paletteFileEntriesOf(fresh, kTestMarkers).size(), 16u);
}

TEST(PaletteFile, SaveOverALongerFileLeavesExactlyTheNewPalette) {
    TempDir dir;
    const std::string path = dir.file("old.vtp");
    writeFileBytes(path, Bytes(2000, 0xAB));
    ::chmod(path.c_str(), 0640);
    const std::vector<colourRGB> entries = {kRed, kBlue};
    ASSERT_TRUE(writePaletteFile(path, entries));
    EXPECT_EQ(firstByteDifference(buildPaletteFile(entries), readFileBytes(path)), "");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "the replaced file keeps its permissions";
    // Nothing but the target is left in the folder.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1);
}

TEST(PaletteFile, AFailedSaveSaysSoAndLeavesNothing) {
    TempDir dir;
    EXPECT_FALSE(writePaletteFile(dir.file("missing-folder/p.vtp"), std::vector<colourRGB>{kRed, kBlue}));
    std::filesystem::create_directory(dir.file("folder.vtp"));
    EXPECT_FALSE(writePaletteFile(dir.file("folder.vtp"), std::vector<colourRGB>{kRed, kBlue}));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.vtp")));
}

TEST(PaletteFile, ReadsWhatItWroteAndIgnoresTheMagic) {
    std::vector<colourRGB> entries(16);
    for (std::size_t k = 0; k < entries.size(); ++k)
        entries[k] = makeColour(static_cast<int>(k) * 16, 255 - static_cast<int>(k), 7);
    Bytes bytes = buildPaletteFile(entries);
    bytes[0] = 'X'; // another magic reads the same
    const PaletteFileColours read = readPaletteBytes(bytes);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.count, 16);
    EXPECT_EQ(read.entriesHeld, 16);
    for (std::size_t k = 0; k < 16; ++k)
        EXPECT_EQ(read.colours[k], entries[k]) << k;
    for (std::size_t k = 16; k < 256; ++k)
        ASSERT_EQ(read.colours[k], kWhite) << k;
}

TEST(PaletteFile, ACountAbove256ReadsAs256) {
    LeBytes file;
    file.raw(header(1000));
    for (int k = 0; k < 1000; ++k)
        file.u8(k % 256).u8(k / 256).u8(9).u8(0);
    const PaletteFileColours read = readPaletteBytes(file.bytes);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.storedCount, 1000);
    EXPECT_EQ(read.count, 256);
    EXPECT_EQ(read.entriesHeld, 256);
    EXPECT_EQ(read.colours[255], makeColour(9, 0, 255));
}

TEST(PaletteFile, AShortFileGivesTheEntriesItHoldsAndWhiteBehind) {
    // Count 16, three whole entries and half of a fourth.
    const Bytes bytes = LeBytes()
                            .raw(header(16))
                            .u8(1)
                            .u8(2)
                            .u8(3)
                            .u8(0)
                            .u8(4)
                            .u8(5)
                            .u8(6)
                            .u8(0)
                            .u8(7)
                            .u8(8)
                            .u8(9)
                            .u8(0)
                            .u8(10)
                            .u8(11)
                            .bytes;
    const PaletteFileColours read = readPaletteBytes(bytes);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.count, 16);
    EXPECT_EQ(read.entriesHeld, 3);
    EXPECT_EQ(read.colours[0], makeColour(3, 2, 1));
    EXPECT_EQ(read.colours[2], makeColour(9, 8, 7));
    for (std::size_t k = 3; k < 256; ++k)
        ASSERT_EQ(read.colours[k], kWhite) << k;
    // A header only: the count stands, every entry white.
    const PaletteFileColours bare = readPaletteBytes(header(2));
    ASSERT_TRUE(bare.ok());
    EXPECT_EQ(bare.entriesHeld, 0);
    EXPECT_EQ(bare.colours[0], kWhite);
}

TEST(PaletteFile, HostileHeadersAreRefusedWithAReason) {
    EXPECT_EQ(readPaletteBytes({}).status, PaletteReadStatus::NoHeader);
    EXPECT_EQ(readPaletteBytes(Bytes{'V', 'T', 'P', 'F', 2, 0, 0}).status, PaletteReadStatus::NoHeader);
    EXPECT_EQ(readPaletteBytes(header(0)).status, PaletteReadStatus::NoColours);
    const PaletteFileColours minusOne = readPaletteBytes(header(0xFFFFFFFFu));
    EXPECT_EQ(minusOne.status, PaletteReadStatus::NoColours);
    EXPECT_EQ(minusOne.storedCount, -1);
    // 2^31 is the most negative count.
    EXPECT_EQ(readPaletteBytes(LeBytes().raw(header(0x80000000u)).fill(64, 1).bytes).status,
              PaletteReadStatus::NoColours);
    // The largest positive count with a few entries: those are read, the rest white.
    const PaletteFileColours huge = readPaletteBytes(LeBytes().raw(header(0x7FFFFFFFu)).fill(8, 0x20).bytes);
    ASSERT_TRUE(huge.ok());
    EXPECT_EQ(huge.count, 256);
    EXPECT_EQ(huge.entriesHeld, 2);
    EXPECT_EQ(huge.colours[1], 0x202020);
    EXPECT_EQ(huge.colours[2], kWhite);
}

TEST(PaletteFile, FilesThatCannotBeReadAndFilesFarTooLong) {
    TempDir dir;
    EXPECT_EQ(readPaletteFile(dir.file("none.vtp")).status, PaletteReadStatus::NotOpened);
    EXPECT_EQ(readPaletteFile(dir.path().string()).status, PaletteReadStatus::NotOpened) << "a folder";
    // A long file: only the header and the 256 entries matter.
    const std::string path = dir.file("long.vtp");
    writeFileBytes(path, LeBytes().raw(header(300)).fill(1 << 20, 0x40).bytes);
    const PaletteFileColours read = readPaletteFile(path);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.entriesHeld, 256);
    EXPECT_EQ(read.colours[255], 0x404040);
}

TEST(PaletteFile, ImageOfUpToSixteenColoursIsSixteenBlocks) {
    PaletteFileColours palette = readPaletteBytes(header(2));
    palette.colours[0] = kRed;
    palette.colours[1] = kBlue;
    palette.colours[2] = 0x123456; // past the count: white in the image
    IconImage image;
    image.hotspotX = 5;
    makePaletteImage(image, palette);
    EXPECT_EQ(image.width, 16);
    EXPECT_EQ(image.height, 16);
    EXPECT_EQ(image.hotspotX, 0);
    EXPECT_EQ(image.depth, 2);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int block = 4 * (y / 4) + x / 4;
            const colourRGB want = block == 0 ? kRed : block == 1 ? kBlue : kWhite;
            ASSERT_EQ(image.pixels(x, y), want) << x << "," << y;
        }
    // Sixteen colours: block k in colour k.
    palette.count = 16;
    for (std::size_t k = 0; k < 16; ++k)
        palette.colours[k] = makeColour(static_cast<int>(k), 0, 0);
    makePaletteImage(image, palette);
    EXPECT_EQ(image.depth, 16);
    EXPECT_EQ(image.pixels(13, 2), makeColour(3, 0, 0));
    EXPECT_EQ(image.pixels(0, 15), makeColour(12, 0, 0));
    EXPECT_EQ(image.pixels(15, 15), makeColour(15, 0, 0));
}

TEST(PaletteFile, ImageOfMoreColoursHasOnePixelPerColour) {
    PaletteFileColours palette = readPaletteBytes(header(40));
    for (std::size_t k = 0; k < 256; ++k)
        palette.colours[k] = makeColour(static_cast<int>(k), 1, 1);
    IconImage image;
    makePaletteImage(image, palette);
    EXPECT_EQ(image.pixels(3, 2), makeColour(35, 1, 1));
    EXPECT_EQ(image.pixels(7, 2), makeColour(39, 1, 1));
    EXPECT_EQ(image.pixels(8, 2), kWhite) << "colour 40 is past the count";
    EXPECT_EQ(image.depth, 256) << "a count of 40 takes the depth of the colour rule";
    palette.count = 256;
    makePaletteImage(image, palette);
    EXPECT_EQ(image.pixels(15, 15), makeColour(255, 1, 1));
    // Counts outside 2, 16 and 256 map by the colour rule.
    EXPECT_EQ(paletteImageDepth(1), 2);
    EXPECT_EQ(paletteImageDepth(5), 16);
    EXPECT_EQ(paletteImageDepth(17), 256);
}

} // namespace
} // namespace vantle::test
