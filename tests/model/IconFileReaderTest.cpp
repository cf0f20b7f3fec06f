// The icon and cursor reader on files built byte by byte.

#include "model/IconFileReader.h"
#include "IconBytes.h"
#include "model/Messages.h"
#include "model/PngCodec.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace vantle::test {
namespace {

constexpr colourRGB kRed = 0x0000FF;
constexpr colourRGB kGreen = 0x00FF00;
constexpr colourRGB kBlue = 0xFF0000;
constexpr colourRGB T = kTestMarkers.transparent;
constexpr colourRGB I = kTestMarkers.inverted;

struct Reading {
    IconDocument document = newDocument();
    RecordingMessages messages;
    ReadContext context{messages, kTestMarkers};

    ReadOutcome read(const Bytes& bytes) {
        ByteReader reader(bytes);
        return readIconResource(document, reader, context);
    }
    const IconImage& image(int i) const { return document.images.at(static_cast<std::size_t>(i)); }
};

BitmapInput twoColour(int size) {
    BitmapInput s;
    s.width = s.height = size;
    s.bitCount = 1;
    s.palette = {kBlack, kWhite};
    s.valueAt = [](int x, int y) { return (x + y) % 2; };
    return s;
}

TEST(IconFileReader, CursorEntryGivesSizeDepthAndHotspot) {
    Reading r;
    EXPECT_EQ(r.read(iconFileBytes(2, {entryFor(twoColour(32), 5, 9)})), ReadOutcome::Complete);
    ASSERT_EQ(r.document.imageCount, 1);
    EXPECT_EQ(r.image(0).width, 32);
    EXPECT_EQ(r.image(0).height, 32);
    EXPECT_EQ(r.image(0).depth, 2);
    EXPECT_EQ(r.image(0).hotspotX, 5);
    EXPECT_EQ(r.image(0).hotspotY, 9);
    EXPECT_TRUE(r.messages.shown.empty());
}

TEST(IconFileReader, PlanesAndBitCountOfAnIconGiveNoHotspot) {
    struct Case {
        std::int16_t type;
        int bitmapBits;
        unsigned field4, field6;
        int hotspotX, hotspotY;
    };
    const Case cases[] = {
        {1, 8, 1, 8, 0, 0},    // planes 1, the bitmap's own bit count
        {1, 8, 0, 8, 0, 0},    // planes 0
        {1, 24, 1, 32, 0, 0},  // 32 whatever the bitmap holds
        {1, 4, 0, 32, 0, 0},   //
        {1, 1, 1, 0, 0, 0},    // bit count 0
        {1, 8, 1, 4, 1, 4},    // a bit count the bitmap does not have: a hotspot
        {1, 8, 2, 8, 2, 8},    // planes 2: a hotspot
        {1, 1, 5, 9, 5, 9},    //
        {1, 24, 0, 31, 0, 31}, //
        {2, 8, 1, 8, 1, 8},    // a cursor always holds its hotspot
        {2, 24, 1, 32, 1, 32}, //
        {2, 1, 0, 0, 0, 0},    //
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type) + ", " + std::to_string(c.bitmapBits) +
                     " bits, fields " + std::to_string(c.field4) + "," + std::to_string(c.field6));
        Reading r;
        BitmapInput s = twoColour(32);
        s.bitCount = c.bitmapBits;
        if (c.bitmapBits > 8)
            s.valueAt = [](int x, int) { return x % 2 ? kWhite : kRed; };
        r.read(iconFileBytes(c.type, {entryFor(s, c.field4, c.field6)}));
        ASSERT_EQ(r.document.imageCount, 1);
        EXPECT_EQ(r.image(0).hotspotX, c.hotspotX);
        EXPECT_EQ(r.image(0).hotspotY, c.hotspotY);
    }
}

TEST(IconFileReader, BitCountsGiveDepthsAndPaletteColours) {
    const colourRGB colours[] = {kRed, kGreen, kBlue, 0x123456, 0xABCDEF, kWhite, 0x010203};
    for (int bits : {1, 4, 8, 24, 32}) {
        SCOPED_TRACE("bit count " + std::to_string(bits));
        Reading r;
        BitmapInput s;
        s.width = s.height = 16;
        s.bitCount = bits;
        const int used = bits == 1 ? 2 : 7;
        s.palette.assign(std::begin(colours), std::begin(colours) + used);
        if (bits <= 8)
            s.valueAt = [used](int x, int y) { return (x * 3 + y) % used; };
        else
            s.valueAt = [&colours](int x, int y) { return colours[(x * 3 + y) % 7]; };
        s.alphaAt = [](int, int) { return 255; };
        r.read(iconFileBytes(1, {entryFor(s)}));
        ASSERT_EQ(r.document.imageCount, 1);
        const ColourDepth expectedDepth = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
        EXPECT_EQ(r.image(0).depth, expectedDepth);
        EXPECT_EQ(r.document.paletteLength, expectedDepth);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(r.image(0).pixels(x, y), colours[(x * 3 + y) % used]) << "pixel " << x << "," << y;
    }
}

TEST(IconFileReader, RowLengthsOfTheThreeSizes) {
    // 48 x 48 at 1 bit: 8 bytes per colour row and per mask row, columns 0..47 stored.
    {
        Reading r;
        BitmapInput s = twoColour(48);
        s.valueAt = [](int x, int y) { return x == y || x == 47 ? 1 : 0; };
        const Bytes file = iconFileBytes(1, {entryFor(s)});
        EXPECT_EQ(file.size(), 6u + 16 + 40 + 8 + 48 * 8 * 2);
        r.read(file);
        ASSERT_EQ(r.document.imageCount, 1);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x)
                ASSERT_EQ(r.image(0).pixels(x, y), x == y || x == 47 ? kWhite : kBlack) << x << "," << y;
    }
    // 16 x 16 at 1 bit: 4 bytes per row; the bits of columns 16..31 land in the grid beyond the image.
    {
        Reading r;
        BitmapInput s = twoColour(16);
        s.valueAt = [](int x, int) { return x >= 16 ? 1 : 0; };
        s.maskAt = [](int x, int y) { return x >= 24 && y == 0; };
        const Bytes file = iconFileBytes(1, {entryFor(s)});
        EXPECT_EQ(file.size(), 6u + 16 + 40 + 8 + 16 * 4 * 2);
        r.read(file);
        ASSERT_EQ(r.document.imageCount, 1);
        EXPECT_EQ(r.image(0).pixels(15, 0), kBlack);
        EXPECT_EQ(r.image(0).pixels(16, 0), kWhite);
        EXPECT_EQ(r.image(0).pixels(31, 5), kWhite);
        EXPECT_EQ(r.image(0).pixels(24, 0), I); // white under a mask bit
        EXPECT_EQ(r.image(0).pixels(32, 0), T) << "column 32 lies beyond the row: untouched";
    }
}

TEST(IconFileReader, MaskBitsMakeTransparentOrInvertedPixels) {
    Reading r;
    BitmapInput s;
    s.width = s.height = 16;
    s.bitCount = 4;
    s.palette = {kBlack, kWhite, kRed};
    s.valueAt = [](int x, int) { return x % 3; };
    s.maskAt = [](int, int y) { return y < 8; };
    r.read(iconFileBytes(1, {entryFor(s)}));
    ASSERT_EQ(r.document.imageCount, 1);
    const IconImage& image = r.image(0);
    EXPECT_EQ(image.pixels(0, 0), T) << "mask over black";
    EXPECT_EQ(image.pixels(1, 0), I) << "mask over white";
    EXPECT_EQ(image.pixels(2, 0), I) << "mask over red";
    EXPECT_EQ(image.pixels(0, 8), kBlack);
    EXPECT_EQ(image.pixels(1, 8), kWhite);
    EXPECT_EQ(image.pixels(2, 8), kRed);
}

TEST(IconFileReader, OversizedEntriesAreSkippedWithOneMessage) {
    Reading r;
    r.document.imageCount = 1; // an image already in the document stays too
    const ReadOutcome outcome =
        r.read(iconFileBytes(1, {entryFor(twoColour(64)), entryFor(twoColour(32)), entryFor(twoColour(128)),
                                 entryFor(twoColour(16)), entryFor(twoColour(96))}));
    EXPECT_EQ(outcome, ReadOutcome::Partial);
    ASSERT_EQ(r.document.imageCount, 3) << "the entries before, between and after the large ones are read";
    EXPECT_EQ(r.image(1).width, 32);
    EXPECT_EQ(r.image(2).width, 16);
    EXPECT_EQ(r.context.report.entriesTooLarge, 3);
    ASSERT_EQ(r.messages.shown.size(), 1u) << "one message for the file";
    EXPECT_EQ(r.messages.shown[0].text, "このアイコンリソースには４８ｘ４８以上のアイコンが含まれている為\r\n"
                                        "Ｖａｎｔｌｅでは正常に読み込めません。");
    EXPECT_EQ(r.messages.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(r.messages.shown[0].buttons, MessageButtons::Ok);
}

TEST(IconFileReader, TwoSmallEntriesThenALargeOneGiveTwoImagesAndOneMessage) {
    Reading r;
    const ReadOutcome outcome =
        r.read(iconFileBytes(1, {entryFor(twoColour(32)), entryFor(twoColour(32)), entryFor(twoColour(64))}));
    EXPECT_EQ(outcome, ReadOutcome::Partial);
    EXPECT_EQ(r.document.imageCount, 2);
    ASSERT_EQ(r.messages.shown.size(), 1u);
    EXPECT_EQ(r.messages.shown[0].text, text::kTooLarge);
}

TEST(IconFileReader, SizeByteZeroMeans256AndIsSkipped) {
    for (const auto& [w, h] : {std::pair{0u, 32u}, std::pair{32u, 0u}, std::pair{0u, 0u}}) {
        Reading r;
        EntryInput e = entryFor(twoColour(32));
        e.widthByte = w;
        e.heightByte = h;
        EXPECT_EQ(r.read(iconFileBytes(1, {entryFor(twoColour(16)), e, entryFor(twoColour(48))})),
                  ReadOutcome::Partial);
        ASSERT_EQ(r.document.imageCount, 2) << "never added as an image of 0 pixels";
        EXPECT_EQ(r.image(1).width, 48);
        ASSERT_EQ(r.messages.shown.size(), 1u);
        EXPECT_EQ(r.messages.shown[0].text, text::kTooLarge);
    }
}

TEST(IconFileReader, EmptyDirectoryAddsNothing) {
    Reading r;
    EXPECT_EQ(r.read(iconFileBytes(1, {})), ReadOutcome::Complete);
    EXPECT_EQ(r.document.imageCount, 0);
    EXPECT_TRUE(r.messages.shown.empty());
}

TEST(IconFileReader, FilesAppendAndMissingFilesAddNothing) {
    TempDir dir;
    writeFileBytes(dir.file("a.ico"), iconFileBytes(1, {entryFor(twoColour(16)), entryFor(twoColour(32))}));
    Reading r;
    EXPECT_EQ(readIconFile(r.document, dir.file("missing.ico"), r.context), ReadOutcome::NotOpened);
    EXPECT_EQ(r.document.imageCount, 0);
    EXPECT_TRUE(r.messages.shown.empty());

    EXPECT_EQ(readIconFile(r.document, dir.file("a.ico"), r.context), ReadOutcome::Complete);
    EXPECT_EQ(readIconFile(r.document, dir.file("a.ico"), r.context), ReadOutcome::Complete);
    ASSERT_EQ(r.document.imageCount, 4);
    EXPECT_EQ(r.image(2).width, 16);
    EXPECT_EQ(r.image(3).width, 32);
    EXPECT_EQ(firstPixelDifference(r.image(0), r.image(2)), "");
    EXPECT_EQ(readIconFile(r.document, dir.path().string(), r.context), ReadOutcome::NotOpened)
        << "a folder is not a file";
}

TEST(IconFileReader, ReadingIntoFifteenImagesGrowsTheDocument) {
    Reading r;
    r.document.imageCount = 15;
    r.read(iconFileBytes(1, {entryFor(twoColour(16)), entryFor(twoColour(32))}));
    EXPECT_EQ(r.document.imageCapacity(), 32);
    EXPECT_EQ(r.document.stepCapacity(), 64);
    EXPECT_EQ(r.document.imageCount, 17);
    EXPECT_EQ(r.image(16).width, 32);
}

TEST(IconFileReader, ThirtyTwoBitAlphaDecidesWhenPresent) {
    BitmapInput s;
    s.width = s.height = 16;
    s.bitCount = 32;
    s.valueAt = [](int x, int) { return x < 8 ? kRed : kBlack; };
    s.alphaAt = [](int, int y) { return y < 4 ? 0 : y < 8 ? 127 : y < 12 ? 128 : 255; };
    s.maskAt = [](int x, int) { return x == 15; }; // ignored while alpha decides
    Reading r;
    EXPECT_EQ(r.read(iconFileBytes(1, {entryFor(s)})), ReadOutcome::Partial) << "alpha 127 and 128 are cut";
    EXPECT_EQ(r.context.report.imagesAlphaCut, 1);
    EXPECT_TRUE(r.messages.shown.empty());
    ASSERT_EQ(r.document.imageCount, 1);
    const IconImage& image = r.image(0);
    EXPECT_EQ(image.depth, 0);
    EXPECT_EQ(image.pixels(0, 0), T);
    EXPECT_EQ(image.pixels(0, 7), T) << "alpha 127";
    EXPECT_EQ(image.pixels(0, 8), kRed) << "alpha 128";
    EXPECT_EQ(image.pixels(15, 15), kBlack) << "mask bit under full alpha";
    EXPECT_EQ(image.pixels(9, 12), kBlack);

    // All alpha bytes zero: the mask alone decides, as for 24 bits.
    s.alphaAt = [](int, int) { return 0; };
    s.valueAt = [](int x, int) { return x < 8 ? kRed : kBlack; };
    s.maskAt = [](int x, int y) { return y == 0 && (x == 0 || x == 15); };
    Reading zero;
    EXPECT_EQ(zero.read(iconFileBytes(1, {entryFor(s)})), ReadOutcome::Complete);
    ASSERT_EQ(zero.document.imageCount, 1);
    EXPECT_EQ(zero.image(0).pixels(0, 0), I) << "mask over red";
    EXPECT_EQ(zero.image(0).pixels(15, 0), T) << "mask over black";
    EXPECT_EQ(zero.image(0).pixels(1, 0), kRed);
    EXPECT_EQ(zero.image(0).pixels(15, 1), kBlack);
}

TEST(IconFileReader, OnOffAlphaIsReadWholeAndSoftAlphaInPart) {
    BitmapInput s;
    s.width = s.height = 16;
    s.bitCount = 32;
    s.valueAt = [](int, int) { return kRed; };
    s.alphaAt = [](int x, int) { return x < 4 ? 0 : 255; };
    Reading onOff;
    EXPECT_EQ(onOff.read(iconFileBytes(2, {entryFor(s), entryFor(s)})), ReadOutcome::Complete);
    EXPECT_EQ(onOff.context.report.imagesAlphaCut, 0);

    // One soft pixel in the second image of three; a 1 and a 254 count as soft as well.
    BitmapInput soft = s;
    soft.alphaAt = [](int x, int y) { return x == 9 && y == 9 ? 200 : x < 4 ? 0 : 255; };
    BitmapInput faint = s;
    faint.alphaAt = [](int x, int y) { return x == 0 && y == 0 ? 1 : x == 15 && y == 15 ? 254 : 255; };
    Reading r;
    EXPECT_EQ(r.read(iconFileBytes(2, {entryFor(s), entryFor(soft), entryFor(faint)})), ReadOutcome::Partial);
    EXPECT_EQ(r.context.report.imagesAlphaCut, 2);
    EXPECT_TRUE(r.context.report.readInPart());
    EXPECT_TRUE(r.messages.shown.empty()) << "said by the save question, not on opening";
    EXPECT_EQ(r.image(1).pixels(9, 9), kRed) << "alpha 200 is kept opaque";
    EXPECT_EQ(r.image(2).pixels(0, 0), T);
}

TEST(IconFileReader, OtherWidthsPadEveryRowToFourBytes) {
    // 20 pixels: 4 bits need 10 bytes, padded to 12; 24 bits need 60 bytes; 1 bit 3 bytes, padded to 4.
    for (int bits : {1, 4, 8, 24}) {
        SCOPED_TRACE("bit count " + std::to_string(bits));
        BitmapInput s;
        s.width = 20;
        s.height = 5;
        s.bitCount = bits;
        s.palette = {kRed, kGreen, kBlue};
        if (bits == 1)
            s.palette = {kRed, kGreen};
        const int used = bits == 1 ? 2 : 3;
        const colourRGB colours[] = {kRed, kGreen, kBlue};
        if (bits <= 8)
            s.valueAt = [used](int x, int y) { return (x + 2 * y) % used; };
        else
            s.valueAt = [&colours](int x, int y) { return colours[(x + 2 * y) % 3]; };
        s.maskAt = [](int x, int y) { return x == 19 && y == 4; };
        Reading r;
        r.read(iconFileBytes(1, {entryFor(s)}));
        ASSERT_EQ(r.document.imageCount, 1);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 20; ++x) {
                const colourRGB expected = x == 19 && y == 4 ? I : colours[(x + 2 * y) % used];
                ASSERT_EQ(r.image(0).pixels(x, y), expected) << "pixel " << x << "," << y;
            }
    }
}

TEST(IconFileReader, DataOutOfDirectoryOrderAreFoundByTheirOffsets) {
    BitmapInput first = twoColour(16);
    BitmapInput second = twoColour(32);
    second.palette = {kRed, kBlue};
    EntryInput a = entryFor(first);
    EntryInput b = entryFor(second);
    // The second entry's data are stored first.
    const std::uint32_t dataStart = 6 + 2 * 16;
    b.offset = dataStart;
    a.offset = dataStart + static_cast<std::uint32_t>(b.data.size());
    LeBytes file;
    file.u16(0).u16(1).u16(2);
    for (const EntryInput* e : {&a, &b})
        file.u8(e->widthByte)
            .u8(e->heightByte)
            .u8(2)
            .u8(0)
            .u16(0)
            .u16(0)
            .u32(static_cast<std::uint32_t>(e->data.size()))
            .u32(*e->offset);
    file.raw(b.data).raw(a.data);

    Reading r;
    EXPECT_EQ(r.read(file.bytes), ReadOutcome::Complete);
    ASSERT_EQ(r.document.imageCount, 2);
    EXPECT_EQ(r.image(0).width, 16);
    EXPECT_EQ(r.image(0).pixels(1, 0), kWhite);
    EXPECT_EQ(r.image(1).width, 32);
    EXPECT_EQ(r.image(1).pixels(0, 0), kRed);
    EXPECT_EQ(r.image(1).pixels(1, 0), kBlue);
}

TEST(IconFileReader, ShortPaletteByColoursUsed) {
    BitmapInput s;
    s.width = s.height = 16;
    s.bitCount = 8;
    s.coloursUsed = 3;
    s.palette = {kRed, kGreen, kBlue};
    s.valueAt = [](int x, int y) { return (x + y) % 3; };
    const Bytes file = iconFileBytes(1, {entryFor(s)});
    EXPECT_EQ(file.size(), 6u + 16 + 40 + 3 * 4 + 16 * 16 + 16 * 4);
    Reading r;
    r.read(file);
    ASSERT_EQ(r.document.imageCount, 1);
    const colourRGB colours[] = {kRed, kGreen, kBlue};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(r.image(0).pixels(x, y), colours[(x + y) % 3]) << x << "," << y;
}

TEST(IconFileReader, LongerBitmapHeadersAreSkipped) {
    for (std::uint32_t headerSize : {56u, 108u, 124u}) {
        SCOPED_TRACE("header size " + std::to_string(headerSize));
        BitmapInput s = twoColour(32);
        s.headerSize = headerSize;
        s.palette = {kRed, kBlue};
        Reading r;
        r.read(iconFileBytes(1, {entryFor(s)}));
        ASSERT_EQ(r.document.imageCount, 1);
        EXPECT_EQ(r.image(0).pixels(0, 0), kRed);
        EXPECT_EQ(r.image(0).pixels(1, 0), kBlue);
        EXPECT_EQ(r.image(0).pixels(31, 31), kRed);
    }
}

// A PNG entry: the signature followed by anything; the scripted service stands in for the decoder.
// An entry whose directory says `size` holding a PNG image of side x side pixels (green unless argbAt).
EntryInput pngEntry(
    unsigned size, unsigned hotspotX = 0, unsigned hotspotY = 0, int side = 16,
    const std::function<std::uint32_t(int, int)>& argbAt = [](int, int) { return 0xFF00FF00u; }) {
    EntryInput e;
    e.widthByte = e.heightByte = size & 0xFF;
    e.field4 = hotspotX;
    e.field6 = hotspotY;
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            pixels.push_back(argbAt(x, y));
    e.data = encodePng(side, side, pixels);
    return e;
}

TEST(IconFileReader, PngEntriesAreDecoded) {
    Reading r;
    const auto redOrGreen = [](int x, int y) -> std::uint32_t {
        const std::uint32_t alpha = y == 0 ? 0u : y == 1 ? 127u : y == 2 ? 128u : 255u;
        return alpha << 24 | (x == 0 ? 0xFF0000u : 0x00FF00u);
    };
    EXPECT_EQ(r.read(iconFileBytes(1, {pngEntry(16, 3, 4, 16, redOrGreen), entryFor(twoColour(32))})),
              ReadOutcome::Partial)
        << "alpha 127 and 128 are soft edges the document cuts";
    EXPECT_EQ(r.context.report.imagesAlphaCut, 1);
    EXPECT_TRUE(r.messages.shown.empty());
    ASSERT_EQ(r.document.imageCount, 2);
    const IconImage& image = r.image(0);
    EXPECT_EQ(image.width, 16);
    EXPECT_EQ(image.hotspotX, 3);
    EXPECT_EQ(image.hotspotY, 4);
    EXPECT_EQ(image.pixels(0, 0), T);
    EXPECT_EQ(image.pixels(0, 1), T) << "alpha 127";
    EXPECT_EQ(image.pixels(0, 2), kRed) << "alpha 128";
    EXPECT_EQ(image.pixels(5, 9), kGreen);
    EXPECT_EQ(image.depth, 16) << "red, green and the transparent black";
    EXPECT_EQ(r.image(1).width, 32) << "the entry after the PNG is read too";
}

TEST(IconFileReader, PngEntryOfAnIconWithPlanesAndABitCountHasNoHotspot) {
    const std::pair<unsigned, unsigned> planesAndBits[] = {{1, 32}, {0, 32}, {1, 24}, {1, 8}, {0, 0}, {1, 1}};
    for (const auto& [planes, bits] : planesAndBits) {
        SCOPED_TRACE(std::to_string(planes) + "," + std::to_string(bits));
        Reading r;
        r.read(iconFileBytes(1, {pngEntry(16, planes, bits)}));
        ASSERT_EQ(r.document.imageCount, 1);
        EXPECT_EQ(r.image(0).hotspotX, 0);
        EXPECT_EQ(r.image(0).hotspotY, 0);
    }
    Reading r;
    r.read(iconFileBytes(1, {pngEntry(16, 1, 5), pngEntry(16, 1, 32)}));
    ASSERT_EQ(r.document.imageCount, 2);
    EXPECT_EQ(r.image(0).hotspotY, 5) << "5 is no bit count";
    r.read(iconFileBytes(2, {pngEntry(16, 1, 32)}));
    ASSERT_EQ(r.document.imageCount, 3);
    EXPECT_EQ(r.image(2).hotspotX, 1) << "a cursor's PNG entry keeps its hotspot";
    EXPECT_EQ(r.image(2).hotspotY, 32);
}

TEST(IconFileReader, PngEntriesOverFortyEightOrUndecodableAreSkipped) {
    {
        Reading r; // 256 x 256 in the directory: skipped before decoding
        EXPECT_EQ(r.read(iconFileBytes(1, {entryFor(twoColour(16)), pngEntry(0), entryFor(twoColour(32))})),
                  ReadOutcome::Partial);
        ASSERT_EQ(r.document.imageCount, 2);
        EXPECT_EQ(r.image(1).width, 32);
        ASSERT_EQ(r.messages.shown.size(), 1u);
        EXPECT_EQ(r.messages.shown[0].text, text::kTooLarge);
    }
    {
        Reading r; // the directory says 32, the picture is 64 x 64
        EXPECT_EQ(r.read(iconFileBytes(1, {pngEntry(32, 0, 0, 64)})), ReadOutcome::Partial);
        EXPECT_EQ(r.document.imageCount, 0);
        ASSERT_EQ(r.messages.shown.size(), 1u);
        EXPECT_EQ(r.messages.shown[0].text, text::kTooLarge);
    }
    {
        Reading r; // a PNG cut after its signature: that image is left out, the others are read
        EntryInput cut = pngEntry(32);
        cut.data.resize(12);
        EXPECT_EQ(r.read(iconFileBytes(1, {cut, entryFor(twoColour(16))})), ReadOutcome::Partial);
        ASSERT_EQ(r.document.imageCount, 1);
        EXPECT_EQ(r.image(0).width, 16);
        ASSERT_EQ(r.messages.shown.size(), 1u);
        EXPECT_EQ(r.messages.shown[0].text, "このアイコンリソースには読み込めないイメージが含まれている為\r\n"
                                            "そのイメージを除いて読み込みました。");
        EXPECT_EQ(r.messages.shown[0].icon, MessageIcon::Error);
    }
}

TEST(IconFileReader, ColoursOfTheMarkersStayOpaqueOneStepAway) {
    constexpr colourRGB kTransparentValue = 0xE0E0E0;
    constexpr colourRGB kInvertedValue = 0x606060;
    static_assert(kTestMarkers.transparent == kTransparentValue && kTestMarkers.inverted == kInvertedValue);
    auto oneStepAway = [](colourRGB got, colourRGB colour) {
        const int d = std::abs(redOf(got) - redOf(colour)) + std::abs(greenOf(got) - greenOf(colour)) +
                      std::abs(blueOf(got) - blueOf(colour));
        return d == 1;
    };
    // 24 bits: the markers' colours unmasked, a colour one step from a marker, and both masked kinds.
    BitmapInput direct;
    direct.width = direct.height = 16;
    direct.bitCount = 24;
    direct.valueAt = [](int x, int) {
        return std::array{kTransparentValue, kInvertedValue, 0xE0E0E1, kBlack, kWhite}[x % 5];
    };
    direct.maskAt = [](int x, int y) { return y == 15 && x % 5 >= 3; };
    // 8 bits: the markers' colours as palette entries.
    BitmapInput indexed;
    indexed.width = indexed.height = 16;
    indexed.bitCount = 8;
    indexed.palette = {kTransparentValue, kInvertedValue, kRed};
    indexed.valueAt = [](int x, int) { return x % 3; };
    // 32 bits with on/off alpha.
    BitmapInput alpha = direct;
    alpha.bitCount = 32;
    alpha.alphaAt = [](int, int y) { return y == 15 ? 0 : 255; };
    Reading r;
    const auto greys = [](int x, int) -> std::uint32_t {
        return x == 0 ? 0xFFE0E0E0u : x == 1 ? 0xFF606060u : 0x00E0E0E0u;
    };
    EXPECT_EQ(r.read(iconFileBytes(
                  1, {entryFor(direct), entryFor(indexed), entryFor(alpha), pngEntry(16, 0, 0, 16, greys)})),
              ReadOutcome::Complete);
    ASSERT_EQ(r.document.imageCount, 4);
    for (int i : {0, 2}) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(oneStepAway(r.image(i).pixels(0, 0), kTransparentValue)) << r.image(i).pixels(0, 0);
        EXPECT_TRUE(oneStepAway(r.image(i).pixels(1, 3), kInvertedValue)) << r.image(i).pixels(1, 3);
        EXPECT_EQ(r.image(i).pixels(2, 0), 0xE0E0E1) << "one step away is no marker and stays as it is";
        EXPECT_EQ(r.image(i).pixels(3, 0), kBlack);
    }
    EXPECT_EQ(r.image(0).pixels(3, 15), T) << "mask over black";
    EXPECT_EQ(r.image(0).pixels(4, 15), I) << "mask over white";
    EXPECT_EQ(r.image(2).pixels(1, 15), T) << "alpha 0";
    EXPECT_TRUE(oneStepAway(r.image(1).pixels(0, 0), kTransparentValue));
    EXPECT_TRUE(oneStepAway(r.image(1).pixels(1, 0), kInvertedValue));
    EXPECT_EQ(r.image(1).pixels(2, 0), kRed);
    EXPECT_TRUE(oneStepAway(r.image(3).pixels(0, 5), kTransparentValue));
    EXPECT_TRUE(oneStepAway(r.image(3).pixels(1, 5), kInvertedValue));
    EXPECT_EQ(r.image(3).pixels(2, 5), T) << "a transparent PNG pixel";

    // Markers one step apart: the colour of one moves to the other neighbour, never onto the other marker.
    Reading near;
    near.context.markers = {kTransparentValue, kTransparentValue ^ 0x010000};
    near.read(iconFileBytes(1, {entryFor(direct)}));
    ASSERT_EQ(near.document.imageCount, 1);
    const colourRGB moved = near.image(0).pixels(0, 0);
    EXPECT_TRUE(oneStepAway(moved, kTransparentValue)) << moved;
    EXPECT_NE(moved, near.context.markers.inverted);
}

} // namespace
} // namespace vantle::test
