// vantle-tool thumbnail: exact pixels of cursors, icons, animations, Xcursor files and palettes at the
// sizes file managers ask for, and the command line. The installed thumbnailer entry is checked by
// tests/install/install_test.sh.

#include "model/AniBytes.h"
#include "model/LosslessTestSupport.h"
#include "model/PaletteFile.h"
#include "model/PngCodec.h"
#include "tool/ThumbnailCommand.h"
#include "tool/ToolRun.h"

#include <gtest/gtest.h>

namespace vantle::test {
namespace {

// A straight-alpha pattern that tells every pixel of a small image apart.
std::uint32_t patternArgb(int x, int y) {
    const unsigned alpha = (x + y) % 3 == 0 ? 255u : 60u + 4u * static_cast<unsigned>(x);
    return alpha << 24 | static_cast<unsigned>(x * 5) << 16 | static_cast<unsigned>(y * 5) << 8 | 0x40u;
}

// A cursor entry of 32-bit pixels with alpha from a pattern.
EntryInput alphaEntry(int width, int height, const std::function<std::uint32_t(int, int)>& argbAt,
                      unsigned hotX = 0, unsigned hotY = 0) {
    BitmapInput b;
    b.width = width;
    b.height = height;
    b.bitCount = 32;
    b.valueAt = [argbAt](int x, int y) {
        const std::uint32_t p = argbAt(x, y);
        return makeColour(static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF),
                          static_cast<int>(p & 0xFF));
    };
    b.alphaAt = [argbAt](int x, int y) { return static_cast<int>(argbAt(x, y) >> 24); };
    return entryFor(b, hotX, hotY);
}

EntryInput uniformEntry(int side, std::uint32_t argb) {
    return alphaEntry(side, side, [argb](int, int) { return argb; });
}

PngPixels thumbnail(const Bytes& bytes, int size, std::string_view name = "") {
    const auto picture = thumbnailOfBytes(bytes, name, size);
    EXPECT_TRUE(picture.has_value());
    return picture.value_or(PngPixels{});
}

std::uint32_t at(const PngPixels& p, int x, int y) {
    return p
        .argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(p.width) + static_cast<std::size_t>(x)];
}

// Empty when the picture is `placed` (drawn from the function over the rectangle) on transparency; else
// the first pixel that differs.
std::string firstDifference(const PngPixels& p, int left, int top, int width, int height,
                            const std::function<std::uint32_t(int, int)>& placed) {
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const bool inside = x >= left && x < left + width && y >= top && y < top + height;
            const std::uint32_t expected = inside ? placed(x - left, y - top) : 0;
            if (at(p, x, y) != expected)
                return "pixel (" + std::to_string(x) + "," + std::to_string(y) + "): expected " +
                       hex(expected) + ", got " + hex(at(p, x, y));
        }
    return {};
}

TEST(Thumbnail, SmallCursorsAreEnlargedByWholeFactorsAndCentred) {
    const Bytes cur = iconFileBytes(2, {alphaEntry(32, 32, patternArgb, 5, 6)});
    for (int size : {128, 256, 1024}) {
        const PngPixels p = thumbnail(cur, size);
        ASSERT_EQ(p.width, size);
        ASSERT_EQ(p.height, size);
        const int k = size / 32;
        EXPECT_EQ(
            firstDifference(p, 0, 0, size, size, [k](int x, int y) { return patternArgb(x / k, y / k); }), "")
            << "size " << size;
    }
    // 48 does not go into 128 a whole number of times: twice, centred in the square.
    const Bytes big = iconFileBytes(2, {alphaEntry(48, 48, patternArgb)});
    EXPECT_EQ(firstDifference(thumbnail(big, 128), 16, 16, 96, 96,
                              [](int x, int y) { return patternArgb(x / 2, y / 2); }),
              "");
    // At a size it does not fit twice, the image is drawn as it is.
    EXPECT_EQ(firstDifference(thumbnail(big, 64), 8, 8, 48, 48, patternArgb), "");

    // A wide Xcursor image keeps its aspect: 20 x 10 three times in 64, centred both ways.
    const Bytes wide = xcursorBytes(
        {{.nominal = 20, .width = 20, .height = 10, .pixelAt = [](std::uint32_t x, std::uint32_t y) {
              return x < 10 ? 0xFF102030u : y < 5 ? 0u : 0x80404040u;
          }}});
    EXPECT_EQ(firstDifference(thumbnail(wide, 64), 2, 17, 60, 30,
                              [](int x, int y) {
                                  // Premultiplied 0x80404040 is 0x80808080 with straight alpha.
                                  return x / 3 < 10 ? 0xFF102030u : y / 3 < 5 ? 0u : 0x80808080u;
                              }),
              "");
}

TEST(Thumbnail, TakesTheImageThatFitsOrTheNearestLargerShrunkByAreaAveraging) {
    // 16 red, 48 green, and a 256 PNG entry of 2 x 2 blocks: opaque (200, 0, 0), transparent, opaque
    // (100, 0, 0) and half-transparent (50, 0, 0).
    std::vector<std::uint32_t> large;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const std::array<std::uint32_t, 4> block = {0xFFC80000u, 0x00FFFFFFu, 0xFF640000u, 0x80320000u};
            large.push_back(block[static_cast<std::size_t>(x % 2 + 2 * (y % 2))]);
        }
    EntryInput png;
    png.widthByte = png.heightByte = 0;
    png.data = encodePng(256, 256, large);
    const Bytes ico = iconFileBytes(1, {uniformEntry(16, 0xFFFF0000u), uniformEntry(48, 0xFF00FF00u), png});

    EXPECT_EQ(firstDifference(thumbnail(ico, 16), 0, 0, 16, 16, [](int, int) { return 0xFFFF0000u; }), "")
        << "the image of the size asked";
    EXPECT_EQ(firstDifference(thumbnail(ico, 20), 0, 0, 20, 20, [](int, int) { return 0xFF00FF00u; }), "")
        << "the nearest larger, shrunk";
    // Each thumbnail pixel averages one block on premultiplied colour: alpha (255 + 0 + 255 + 128) / 4,
    // red (255 * 200 + 255 * 100 + 128 * 50) / (255 + 255 + 128), both rounded, so the transparent pixel
    // brings no dark fringe.
    EXPECT_EQ(firstDifference(thumbnail(ico, 128), 0, 0, 128, 128, [](int, int) { return 0xA0820000u; }), "");
    // Larger than every image: the largest, each pixel repeated.
    EXPECT_EQ(firstDifference(
                  thumbnail(ico, 512), 0, 0, 512, 512,
                  [&large](int x, int y) { return large[static_cast<std::size_t>(y / 2 * 256 + x / 2)]; }),
              "");
}

TEST(Thumbnail, ShowsTheFirstStepOfAnAnimationAndInvertedPixelsOutlined) {
    // The sequence starts with frame 1.
    const Bytes ani = riff({anih(2, 2, 10, 3), table("seq ", {1, 0}),
                            frames({frameResource(0x0000FF), frameResource(0x00FF00)})});
    const PngPixels p = thumbnail(ani, 16, "x.ani");
    EXPECT_EQ(at(p, 0, 0), 0xFF00FF00u) << "frame 1's marker pixel";
    EXPECT_EQ(at(p, 5, 5), 0xFF000000u);

    // An animated Xcursor file: its first image.
    const Bytes xcur = xcursorBytes(
        {{.nominal = 16,
          .width = 16,
          .height = 16,
          .delay = 50,
          .pixelAt = [](std::uint32_t, std::uint32_t) { return 0xFF0000FFu; }},
         {.nominal = 16, .width = 16, .height = 16, .delay = 50, .pixelAt = [](std::uint32_t, std::uint32_t) {
              return 0xFFFF0000u;
          }}});
    EXPECT_EQ(at(thumbnail(xcur, 16), 3, 3), 0xFF0000FFu);

    // A classic cursor with one screen-inverting pixel at (8, 8) on transparency: black, outlined white.
    BitmapInput b;
    b.width = b.height = 16;
    b.palette = {kBlack, kWhite};
    b.valueAt = [](int x, int y) { return x == 8 && y == 8 ? 1 : 0; };
    b.maskAt = [](int, int) { return true; };
    const PngPixels inverted = thumbnail(iconFileBytes(2, {entryFor(b)}), 16);
    EXPECT_EQ(firstDifference(inverted, 7, 7, 3, 3,
                              [](int x, int y) { return x == 1 && y == 1 ? 0xFF000000u : 0xFFFFFFFFu; }),
              "");
}

TEST(Thumbnail, PalettesAreSwatchesInTheSmallestSquareGrid) {
    const std::vector<colourRGB> two = {makeColour(255, 0, 0), makeColour(0, 0, 255)};
    const Bytes pair = buildPaletteFile(two);
    // Two columns of pitch 8 in 16: swatches of 7 with a grey outline, a gap of 1, centred downwards.
    const PngPixels p = thumbnail(pair, 16, "two.vtp");
    EXPECT_EQ(firstDifference(p, 0, 4, 15, 7,
                              [](int x, int y) -> std::uint32_t {
                                  if (x == 7)
                                      return 0; // the gap
                                  const int cx = x % 8;
                                  if (cx == 0 || cx == 6 || y == 0 || y == 6)
                                      return 0xFF7F7F7Fu;
                                  return x < 8 ? 0xFFFF0000u : 0xFF0000FFu;
                              }),
              "");

    // 256 colours: a 16 x 16 grid of pitch 8 in 128, every colour in its swatch; recognised by content.
    std::vector<colourRGB> all;
    for (int i = 0; i < 256; ++i)
        all.push_back(makeColour(i, 255 - i, i / 2));
    const PngPixels grid = thumbnail(buildPaletteFile(all), 128, "no-extension");
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t expected = 0xFF000000u | static_cast<std::uint32_t>(i) << 16 |
                                       static_cast<std::uint32_t>(255 - i) << 8 |
                                       static_cast<std::uint32_t>(i / 2);
        ASSERT_EQ(at(grid, i % 16 * 8 + 3, i / 16 * 8 + 3), expected) << "colour " << i;
        ASSERT_EQ(at(grid, i % 16 * 8 + 7, i / 16 * 8 + 3), 0u) << "gap after colour " << i;
    }
    // A damaged palette (no colours) gives nothing.
    EXPECT_FALSE(thumbnailOfBytes(LeBytes().tag("VTPF").u32(0).bytes, "p.vtp", 128).has_value());
}

TEST(Thumbnail, CommandLine) {
    TempDir dir;
    const std::string cur = dir.file("a.cur");
    writeFileBytes(cur, iconFileBytes(2, {alphaEntry(32, 32, patternArgb)}));
    const std::string out = dir.file("a.png");
    const ToolRun ok = runToolWith({"thumbnail", cur, out, "128"}, false);
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_EQ(ok.err, "");
    const auto png = decodePng(readFileBytes(out), kMaxThumbnailSize);
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(firstDifference(*png, 0, 0, 128, 128, [](int x, int y) { return patternArgb(x / 4, y / 4); }),
              "");

    // A program's first icon group.
    const ToolRun program = runToolWith(
        {"thumbnail", std::string(VANTLE_TEST_DATA) + "/pe/icons64.dll", dir.file("p.png"), "256"}, false);
    EXPECT_EQ(program.status, 0) << program.err;
    const auto programPng = decodePng(readFileBytes(dir.file("p.png")), kMaxThumbnailSize);
    ASSERT_TRUE(programPng.has_value());
    EXPECT_EQ(programPng->width, 256);
    EXPECT_TRUE(std::any_of(programPng->argb.begin(), programPng->argb.end(),
                            [](std::uint32_t v) { return (v >> 24) == 0xFF; }));

    for (const char* size : {"8", "2048", "12x", ""})
        EXPECT_EQ(runToolWith({"thumbnail", cur, out, size}, false).status, 2) << size;
    EXPECT_EQ(runToolWith({"thumbnail", cur, out}, false).status, 2);
    const ToolRun missing = runToolWith({"thumbnail", dir.file("none.cur"), out, "128"}, false);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot be read"), std::string::npos) << missing.err;
    writeFileBytes(dir.file("text.cur"), ascii("not a cursor at all"));
    EXPECT_EQ(runToolWith({"thumbnail", dir.file("text.cur"), out, "128"}, false).status, 1);
    EXPECT_EQ(runToolWith({"thumbnail", cur, dir.file("no-folder/a.png"), "128"}, false).status, 1);
}

} // namespace
} // namespace vantle::test
