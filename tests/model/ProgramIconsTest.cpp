// The reader of icons in programs and libraries: choosing the entry of a group, decoding and stretching
// an image to 32 x 32, and refusing damaged and hostile files with a message and without harm.

#include "model/ProgramIcons.h"
#include "model/BinaryFile.h"
#include "model/Messages.h"
#include "support/PeFixture.h"

#include <gtest/gtest.h>

namespace vantle::test {
namespace {

std::vector<std::uint8_t> fixture(const char* name) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(readWholeFile(std::string(VANTLE_TEST_DATA) + "/pe/" + name, bytes));
    return bytes;
}

std::string_view failureOf(const std::vector<std::uint8_t>& bytes) {
    ProgramReadError error;
    const auto resources = readProgramResources(bytes, error);
    EXPECT_EQ(resources.has_value(), error.message.empty());
    return error.message;
}

// A group directory of entries (width, height, bit count, icon id) as stored.
std::vector<std::uint8_t> groupBytes(const std::vector<std::array<int, 4>>& entries, int storedCount = -1) {
    std::vector<std::uint8_t> g(6 + 14 * entries.size());
    pePut16(g, 2, 1);
    pePut16(g, 4, static_cast<std::uint16_t>(storedCount < 0 ? entries.size() : storedCount));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t e = 6 + 14 * i;
        g[e] = static_cast<std::uint8_t>(entries[i][0]);
        g[e + 1] = static_cast<std::uint8_t>(entries[i][1]);
        pePut16(g, e + 4, 1);
        pePut16(g, e + 6, static_cast<std::uint16_t>(entries[i][2]));
        pePut16(g, e + 12, static_cast<std::uint16_t>(entries[i][3]));
    }
    return g;
}

int best(const std::vector<std::uint8_t>& g) {
    return bestEntryFor32(readGroupEntries(g, FileRange{0, g.size()}));
}

TEST(ProgramIcons, TheEntryNearest32x32ThenNearest32BitsThenTheFirstIsDrawn) {
    EXPECT_EQ(best(groupBytes({{16, 16, 32, 1}, {32, 32, 4, 2}, {48, 48, 32, 3}})), 1);
    EXPECT_EQ(best(groupBytes({{32, 32, 4, 1}, {32, 32, 8, 2}, {32, 32, 32, 3}, {32, 32, 24, 4}})), 2);
    EXPECT_EQ(best(groupBytes({{48, 48, 4, 1}, {16, 16, 32, 2}})), 1) << "same distance: bits decide";
    EXPECT_EQ(best(groupBytes({{48, 48, 32, 1}, {16, 16, 32, 2}})), 0) << "full tie: the first";
    // A stored 0 means 256, far from 32.
    EXPECT_EQ(best(groupBytes({{0, 0, 32, 1}, {64, 64, 1, 2}})), 1);
    EXPECT_EQ(readGroupEntries(groupBytes({{0, 0, 32, 1}}), FileRange{0, 20}).front().width, 256);
    EXPECT_EQ(best(groupBytes({})), -1);
    // A count larger than the data: only the entries present.
    const auto g = groupBytes({{16, 16, 4, 1}, {32, 32, 4, 9}}, 60000);
    EXPECT_EQ(readGroupEntries(g, FileRange{0, g.size()}).size(), 2u);
    EXPECT_TRUE(readGroupEntries(g, FileRange{0, 5}).empty());
}

// A 2 x 2 image of 4 bits: palette black, red, lime, blue; the top-right pixel masked.
std::vector<std::uint8_t> tinyBitmap(int bits, bool alpha = false) {
    std::vector<std::uint8_t> d(40);
    pePut32(d, 0, 40);
    pePut32(d, 4, 2);
    pePut32(d, 8, 4);
    pePut16(d, 12, 1);
    pePut16(d, 14, static_cast<std::uint16_t>(bits));
    if (bits == 4) {
        pePut32(d, 32, 4); // four palette colours stored
        const std::uint8_t palette[] = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
        d.insert(d.end(), palette, palette + 16);
        d.insert(d.end(), {0x30, 0, 0, 0}); // bottom row: blue, black
        d.insert(d.end(), {0x12, 0, 0, 0}); // top row: red, lime
    } else {
        // 32 bits: bottom row, then top row, BGRA.
        const std::uint8_t a = alpha ? 255 : 0;
        d.insert(d.end(), {255, 0, 0, a, 0, 0, 0, a});
        d.insert(d.end(), {0, 0, 255, a, 0, 255, 0, 0});
    }
    d.insert(d.end(), {0, 0, 0, 0});    // mask, bottom row: both shown
    d.insert(d.end(), {0x40, 0, 0, 0}); // mask, top row: the right pixel hidden
    return d;
}

TEST(ProgramIcons, ABitmapIsStretchedTo32x32WithItsMask) {
    const ProgramIconPicture p = drawIconImage(tinyBitmap(4));
    ASSERT_TRUE(p.drawn);
    EXPECT_EQ(p.at(0, 0), 0xFFFF0000u);
    EXPECT_EQ(p.at(15, 15), 0xFFFF0000u);
    EXPECT_EQ(p.at(16, 0), 0u) << "masked";
    EXPECT_EQ(p.at(31, 15), 0u);
    EXPECT_EQ(p.at(0, 16), 0xFF0000FFu);
    EXPECT_EQ(p.at(31, 31), 0xFF000000u) << "black shown";

    // 32 bits with alpha: the alpha decides; the top-right pixel has alpha 0 while its mask bit says so.
    const ProgramIconPicture withAlpha = drawIconImage(tinyBitmap(32, true));
    EXPECT_EQ(withAlpha.at(0, 0), 0xFFFF0000u);
    EXPECT_EQ(withAlpha.at(16, 0), 0u);
    EXPECT_EQ(withAlpha.at(0, 16), 0xFF0000FFu);
    // Every alpha 0: the mask decides, as for images without alpha.
    const ProgramIconPicture noAlpha = drawIconImage(tinyBitmap(32, false));
    EXPECT_EQ(noAlpha.at(0, 0), 0xFFFF0000u);
    EXPECT_EQ(noAlpha.at(16, 0), 0u);
    EXPECT_EQ(noAlpha.at(16, 16), 0xFF000000u);
}

TEST(ProgramIcons, ImagesThatCannotBeDecodedDrawNothing) {
    auto empty = [](const std::vector<std::uint8_t>& d) {
        const ProgramIconPicture p = drawIconImage(d);
        return !p.drawn && std::all_of(p.argb.begin(), p.argb.end(), [](std::uint32_t c) { return c == 0; });
    };
    EXPECT_TRUE(empty({}));
    std::vector<std::uint8_t> cut = tinyBitmap(4);
    cut.pop_back();
    EXPECT_TRUE(empty(cut)) << "mask cut short";
    std::vector<std::uint8_t> wide = tinyBitmap(4);
    pePut32(wide, 4, 100000);
    EXPECT_TRUE(empty(wide));
    std::vector<std::uint8_t> bits = tinyBitmap(4);
    pePut16(bits, 14, 16);
    EXPECT_TRUE(empty(bits));
    std::vector<std::uint8_t> header = tinyBitmap(4);
    pePut32(header, 0, 0xFFFFFFF0u);
    EXPECT_TRUE(empty(header));
    const std::vector<std::uint8_t> png = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0};
    EXPECT_TRUE(empty(png)) << "no picture service";
}

TEST(ProgramIcons, BothFixturesListTheirGroupsInStoredOrder) {
    for (const char* name : {"icons32.exe", "icons64.dll"}) {
        const auto bytes = fixture(name);
        ProgramReadError error;
        const auto r = readProgramResources(bytes, error);
        ASSERT_TRUE(r.has_value()) << name;
        EXPECT_EQ(r->groups.size(), 6u) << "named GRADIENT, then 1, 2, 3, 4 (first language), 7";
        EXPECT_EQ(r->icons.size(), 12u);
        // Group "4": its first language (English) holds the 24-bit icon, not the 1-bit Japanese one.
        const auto entries = readGroupEntries(bytes, r->groups[4]);
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].bitCount, 24);
        EXPECT_EQ(readGroupEntries(bytes, r->groups[1]).size(), 4u);
    }
}

TEST(ProgramIcons, TruncatedFilesAreRefusedWithAMessageOrReadWithinTheirBytes) {
    const auto whole = fixture("icons64.dll");
    const PeLayout layout = peLayout(whole);
    for (std::size_t length :
         {std::size_t{0}, std::size_t{1}, std::size_t{63}, std::size_t{64}, layout.pe + 2, layout.pe + 30,
          layout.pe + 200, layout.root + 10, layout.root + 40}) {
        std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(failureOf(cut).empty()) << length;
    }
    EXPECT_EQ(failureOf({}), text::kProgramNotPe);
    std::vector<std::uint8_t> headerOnly(whole.begin(),
                                         whole.begin() + static_cast<std::ptrdiff_t>(layout.pe + 30));
    EXPECT_EQ(failureOf(headerOnly), text::kProgramBadHeader);
    // Every cut in steps: no crash, no read past the bytes (the sanitizer build checks), and a result
    // whose ranges lie inside the cut file.
    for (std::size_t length = 0; length < whole.size(); length += 97) {
        std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        ProgramReadError error;
        const auto r = readProgramResources(cut, error);
        if (r) {
            for (const FileRange& g : r->groups)
                EXPECT_LE(g.offset + g.size, length);
        }
    }
}

TEST(ProgramIcons, PointersOutOfTheFileLoopsAndHugeCountsStopWithAClearMessage) {
    const auto whole = fixture("icons32.exe");
    const PeLayout layout = peLayout(whole);
    ASSERT_TRUE(failureOf(whole).empty());

    auto patched = [&](auto change) {
        std::vector<std::uint8_t> b = whole;
        change(b);
        return std::string(failureOf(b));
    };
    // A type directory pointing back at the root.
    EXPECT_EQ(patched([&](auto& b) { pePut32(b, layout.entry(b, layout.root, 0) + 4, 0x80000000u); }),
              text::kProgramLoop);
    // A name directory pointing at its own type directory.
    EXPECT_EQ(patched([&](auto& b) {
                  const std::size_t typeEntry = layout.entry(b, layout.root, 0);
                  const std::size_t types = layout.target(b, typeEntry);
                  pePut32(b, layout.entry(b, types, 0) + 4, peU32(b, typeEntry + 4));
              }),
              text::kProgramLoop);
    EXPECT_EQ(patched([&](auto& b) { pePut16(b, layout.root + 14, 0xFFFF); }), text::kProgramTooMany);
    EXPECT_EQ(patched([&](auto& b) { pePut32(b, layout.entry(b, layout.root, 1) + 4, 0xFFFFFFF0u); }),
              text::kProgramOutOfRange);
    EXPECT_EQ(patched([&](auto& b) { pePut32(b, layout.resourceDir, 0xFFFFFF00u); }),
              text::kProgramOutOfRange);
    // The data of an icon pointing past the end of the file, or with a size larger than the file.
    auto firstIconData = [&](const std::vector<std::uint8_t>& b) {
        const std::size_t types = layout.target(b, layout.entry(b, layout.root, 0)); // RT_ICON comes first
        const std::size_t languages = layout.target(b, layout.entry(b, types, 0));
        return layout.target(b, layout.entry(b, languages, 0));
    };
    EXPECT_EQ(patched([&](auto& b) { pePut32(b, firstIconData(b), 0x7FFFFFF0u); }), text::kProgramOutOfRange);
    EXPECT_EQ(patched([&](auto& b) { pePut32(b, firstIconData(b) + 4, 0xFFFFFFFFu); }),
              text::kProgramOutOfRange);
    EXPECT_EQ(patched([&](auto& b) { pePut16(b, layout.pe + 6, 5000); }), text::kProgramTooMany);
    EXPECT_EQ(patched([&](auto& b) { pePut32(b, 0x3C, 0xFFFFFFF0u); }), text::kProgramNotPe);
}

TEST(ProgramIcons, AZeroSizedIconDrawsNothingAndTheOtherGroupsStillDraw) {
    std::vector<std::uint8_t> b = fixture("icons32.exe");
    const PeLayout layout = peLayout(b);
    const std::size_t types = layout.target(b, layout.entry(b, layout.root, 0));
    // Icon 9 is the 24-bit image of group "4" (the ninth name entry of RT_ICON).
    const std::size_t languages = layout.target(b, layout.entry(b, types, 8));
    pePut32(b, layout.target(b, layout.entry(b, languages, 0)) + 4, 0);
    ProgramReadError error;
    const auto r = readProgramResources(b, error);
    ASSERT_TRUE(r.has_value()) << error.message;
    ASSERT_EQ(r->groups.size(), 6u);
    EXPECT_FALSE(drawProgramIcon(b, *r, 4).drawn);
    EXPECT_TRUE(drawProgramIcon(b, *r, 1).drawn);
    EXPECT_FALSE(drawProgramIcon(b, *r, 6).drawn) << "no such group";
    EXPECT_TRUE(drawProgramIcon(b, *r, 0).drawn) << "a PNG image";
}

} // namespace
} // namespace vantle::test

namespace vantle::test {

TEST(ProgramIcons, AnIconPixelOfAMarkersColourStaysOpaqueOneStepAway) {
    const MarkerColours markers{};
    ProgramIconPicture picture;
    picture.drawn = true;
    picture.argb[0] = 0xFFE0E0E0u; // the transparent marker's colour, opaque
    picture.argb[1] = 0xFF606060u; // the inverted marker's colour, opaque
    picture.argb[2] = 0x00E0E0E0u; // transparent
    IconImage image;
    imageFromProgramIcon(image, picture, markers);
    EXPECT_EQ(image.pixels(0, 0), makeColour(0xE0, 0xE0, 0xE1));
    EXPECT_EQ(image.pixels(1, 0), makeColour(0x60, 0x60, 0x61));
    EXPECT_EQ(image.pixels(2, 0), markers.transparent);
}

} // namespace vantle::test
