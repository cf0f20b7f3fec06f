// The scaler of cursor themes: exact pixels of whole-factor enlargement, area averages of known
// patterns, no dark fringe on premultiplied colour, the hotspot rule for every pair of sizes, and which
// sizes a theme gets and where each comes from.

#include "theme/CursorScaling.h"
#include "model/LosslessTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace vantle::theme {
namespace {

CursorImage image(int width, int height, const std::function<std::uint32_t(int, int)>& argbAt, int hotX = 0,
                  int hotY = 0) {
    return test::makeCursorImage(width, height, argbAt, 32, hotX, hotY);
}

std::uint32_t argb(unsigned a, unsigned r, unsigned g, unsigned b) {
    return a << 24 | r << 16 | g << 8 | b;
}

// Empty when every pixel matches, else the first that does not.
std::string firstDifference(const CursorImage& im, const std::function<std::uint32_t(int, int)>& expected) {
    for (int y = 0; y < im.height; ++y)
        for (int x = 0; x < im.width; ++x)
            if (im.at(x, y) != expected(x, y)) {
                std::ostringstream s;
                s << std::hex << "pixel (" << std::dec << x << "," << y << "): expected 0x" << std::hex
                  << expected(x, y) << ", got 0x" << im.at(x, y);
                return s.str();
            }
    return {};
}

TEST(CursorScaling, WholeFactorsRepeatEveryPixelExactly) {
    // Every pixel different, translucent ones included, and an image that is not square.
    const auto pattern = [](int x, int y) {
        return argb(40 + 20 * ((x + y) % 10), 11 * x, 13 * y, 200 - x * y);
    };
    const CursorImage source = image(7, 5, pattern, 3, 2);
    for (int factor : {2, 3, 4, 7}) {
        const CursorImage big = scaleImage(source, 7 * factor);
        ASSERT_EQ(big.width, 7 * factor);
        ASSERT_EQ(big.height, 5 * factor) << "the aspect ratio is kept";
        EXPECT_EQ(firstDifference(big, [&](int x, int y) { return pattern(x / factor, y / factor); }), "")
            << "factor " << factor;
        EXPECT_TRUE(big.inverted.empty());
    }
    // The same size gives the same pixels.
    EXPECT_EQ(scaleImage(source, 7).argb, source.argb);
}

TEST(CursorScaling, AreaAveragesOfKnownPatterns) {
    // Opaque greys 0, 90, 180 shrunk from 3 to 2 columns: the first target pixel covers 1.5 source pixels
    // (0 and half of 90), the second the other half of 90 and 180.
    const CursorImage row = image(3, 3, [](int x, int) { return argb(255, 90 * x, 90 * x, 90 * x); });
    const CursorImage two = scaleImage(row, 2);
    ASSERT_EQ(two.height, 2);
    EXPECT_EQ(firstDifference(
                  two, [](int x, int) { return x == 0 ? argb(255, 30, 30, 30) : argb(255, 150, 150, 150); }),
              "");
    // A black and white checkerboard of 2 x 2 cells halved: each target pixel is one cell, exactly.
    const auto cells = [](int x, int y) { return ((x / 2 + y / 2) % 2) != 0 ? 0xFFFFFFFFu : 0xFF000000u; };
    EXPECT_EQ(firstDifference(scaleImage(image(8, 8, cells), 4),
                              [](int x, int y) { return ((x + y) % 2) != 0 ? 0xFFFFFFFFu : 0xFF000000u; }),
              "");
    // A checkerboard of single pixels halved: every target pixel averages two black and two white.
    const auto fine = [](int x, int y) { return ((x + y) % 2) != 0 ? 0xFFFFFFFFu : 0xFF000000u; };
    EXPECT_EQ(
        firstDifference(scaleImage(image(8, 8, fine), 4), [](int, int) { return argb(255, 128, 128, 128); }),
        "");
    // A source larger than any cursor image (90000 pixels) sums beyond 32 bits and still averages right.
    const CursorImage white = scaleImage(image(300, 300, [](int, int) { return 0xFFFFFFFFu; }), 100);
    EXPECT_EQ(firstDifference(white, [](int, int) { return 0xFFFFFFFFu; }), "");
    // Alpha averages too: a quarter of the area opaque gives a quarter of the alpha, rounded.
    const CursorImage quarter =
        scaleImage(image(2, 2, [](int x, int y) { return x + y == 0 ? 0xFF336699u : 0u; }), 1);
    EXPECT_EQ(quarter.at(0, 0), argb(64, 0x33, 0x66, 0x99));
}

TEST(CursorScaling, PremultipliedColourLeavesNoDarkFringe) {
    // Half-transparent red beside transparent (stored as transparent black): shrunk, the edge pixels
    // stay pure red and only their alpha falls. Averaged on straight colour they would turn dark red.
    const auto half = [](int x, int) { return x < 3 ? argb(128, 255, 0, 0) : 0u; };
    const CursorImage small = scaleImage(image(6, 6, half), 4);
    for (int y = 0; y < small.height; ++y)
        for (int x = 0; x < small.width; ++x) {
            const std::uint32_t p = small.at(x, y);
            if ((p >> 24) == 0) {
                EXPECT_EQ(p, 0u) << x << "," << y;
                continue;
            }
            EXPECT_EQ(p & 0xFFFFFF, 0xFF0000u) << x << "," << y << ": 0x" << std::hex << p;
        }
    // A target pixel over one and a half source pixels, one of them red: two thirds of alpha 128, red.
    const CursorImage edge =
        scaleImage(image(3, 3, [](int x, int) { return x == 0 ? argb(128, 255, 0, 0) : 0u; }), 2);
    EXPECT_EQ(edge.at(0, 0), argb(85, 255, 0, 0));
    EXPECT_EQ(edge.at(1, 0), 0u);
    // Enlarged by 1.5 the straddling pixels blend the same way.
    const CursorImage large =
        scaleImage(image(2, 2, [](int x, int) { return x == 0 ? argb(128, 255, 0, 0) : 0u; }), 3);
    EXPECT_EQ(large.at(1, 0), argb(64, 255, 0, 0));
}

TEST(CursorScaling, TheHotspotStaysOnItsSourcePixelForEveryPairOfSizes) {
    for (int from = 1; from <= kMaxCursorSide; ++from)
        for (int to = 1; to <= kMaxCursorSide; ++to)
            for (int h = 0; h < from; ++h) {
                const int t = scaledHotspot(h, from, to);
                ASSERT_GE(t, 0);
                ASSERT_LT(t, to);
                // The target pixel holds the centre of the source's hotspot pixel ...
                ASSERT_LE(2LL * t * from, (2LL * h + 1) * to) << h << " " << from << "->" << to;
                ASSERT_LT((2LL * h + 1) * to, 2LL * (t + 1) * from) << h << " " << from << "->" << to;
                // ... and, enlarged, its own centre lies on that source pixel.
                if (to >= from) {
                    ASSERT_LE(2LL * h * to, (2LL * t + 1) * from) << h << " " << from << "->" << to;
                    ASSERT_LT((2LL * t + 1) * from, 2LL * (h + 1) * to) << h << " " << from << "->" << to;
                }
            }
    // As scaleImage applies it, with the height's own factor.
    const CursorImage tall = scaleImage(image(
                                            32, 64, [](int, int) { return 0xFF000000u; }, 5, 40),
                                        48);
    EXPECT_EQ(tall.height, 96);
    EXPECT_EQ(tall.hotspotX, 8);
    EXPECT_EQ(tall.hotspotY, 60);
    EXPECT_EQ(scaleImage(image(
                             32, 32, [](int, int) { return 0u; }, 31, 0),
                         24)
                  .hotspotX,
              23);
}

TEST(CursorScaling, OddShapesKeepTheirAspectWithinTheLimits) {
    EXPECT_EQ(scaledHeight(32, 32, 24), 24);
    EXPECT_EQ(scaledHeight(30, 20, 24), 16);
    EXPECT_EQ(scaledHeight(256, 1, 24), 1) << "at least one row";
    EXPECT_EQ(scaledHeight(1, 256, 96), kMaxCursorSide) << "at most the largest side";
    const CursorImage line =
        scaleImage(image(1, 256, [](int, int y) { return y < 128 ? 0xFFFFFFFFu : 0u; }), 2);
    EXPECT_EQ(line.width, 2);
    EXPECT_EQ(line.height, 256);
    EXPECT_EQ(line.at(1, 127), 0xFFFFFFFFu);
    EXPECT_EQ(line.at(0, 128), 0u);
}

CursorFrame frameOf(std::initializer_list<int> widths, int bits = 32) {
    CursorFrame frame;
    for (int w : widths) {
        CursorImage im = image(w, w, [w](int, int) { return argb(255, static_cast<unsigned>(w), 0, 0); });
        im.storedBits = bits;
        frame.images.push_back(std::move(im));
    }
    return frame;
}

TEST(CursorScaling, SizesComeFromTheNearestLargerImageAndEveryFrameGetsEverySize) {
    LosslessCursor cursor;
    cursor.frames = {frameOf({32, 64, 128}), frameOf({128, 64, 32})};
    cursor.steps = {{0, 1000}, {1, 2000}, {0, 500}};
    const std::array<int, 5> extra = {24, 32, 48, 64, 96};
    const std::vector<int> sizes = themeSizes(cursor, extra);
    EXPECT_EQ(sizes, (std::vector<int>{24, 32, 48, 64, 96, 128}));
    EXPECT_EQ(themeSizes(cursor, std::array<int, 3>{0, 300, 20}), (std::vector<int>{20, 32, 64, 128}));

    // The red channel of each image says which source image it came from.
    const CursorFrame& frame = cursor.frames[1];
    EXPECT_EQ(sourceImageFor(frame, 24)->width, 32);
    EXPECT_EQ(sourceImageFor(frame, 48)->width, 64);
    EXPECT_EQ(sourceImageFor(frame, 96)->width, 128);
    EXPECT_EQ(sourceImageFor(frame, 200)->width, 128) << "from a smaller one only when none is larger";
    EXPECT_EQ(sourceImageFor(CursorFrame{}, 32), nullptr);
    // Of two images of one size, the one with more bits.
    CursorFrame mixed = frameOf({32}, 4);
    mixed.images.push_back(frameOf({32}, 0).images[0]);
    mixed.images.push_back(frameOf({32}, 24).images[0]);
    EXPECT_EQ(sourceImageFor(mixed, 32), &mixed.images[1]) << "a PNG entry holds 32 bits";

    const SizedCursor sized = cursorAtSizes(cursor, sizes);
    ASSERT_EQ(sized.cursor.frames.size(), 2u);
    for (const CursorFrame& f : sized.cursor.frames) {
        ASSERT_EQ(f.images.size(), sizes.size());
        for (std::size_t s = 0; s < sizes.size(); ++s)
            EXPECT_EQ(f.images[s].width, sizes[s]);
    }
    EXPECT_EQ(sized.cursor.frames[0].images[2].at(0, 0) >> 16 & 0xFF, 64u) << "48 from 64";
    EXPECT_EQ(sized.cursor.steps.size(), 3u);
    EXPECT_EQ(sized.cursor.steps[1].ticks, 2000);
    EXPECT_EQ(sized.kept, (std::vector<int>{32, 64, 128}));
    EXPECT_EQ(sized.made, (std::vector<int>{24, 48, 96}));

    // A frame without images is dropped with the steps that show it.
    LosslessCursor gap;
    gap.frames = {frameOf({32}), CursorFrame{}, frameOf({32})};
    gap.steps = {{0, 1}, {1, 2}, {2, 3}, {7, 4}};
    const SizedCursor closed = cursorAtSizes(gap, std::array<int, 1>{32});
    ASSERT_EQ(closed.cursor.frames.size(), 2u);
    ASSERT_EQ(closed.cursor.steps.size(), 2u);
    EXPECT_EQ(closed.cursor.steps[1].frame, 1);
    EXPECT_EQ(closed.cursor.steps[1].ticks, 3);
}

TEST(CursorScaling, CrispSizesComeFromTwiceAsLargeOrByWholeRepetitionAndOthersAreLeftOut) {
    LosslessCursor cursor;
    cursor.frames = {frameOf({32, 48}), frameOf({48, 32})};
    const CursorFrame& frame = cursor.frames[0];
    EXPECT_EQ(crispSourceFor(frame, 24)->width, 48) << "24 from 48, not a 0.75 reduction of 32";
    EXPECT_EQ(crispSourceFor(frame, 16)->width, 32) << "the smallest at least twice as large";
    EXPECT_EQ(crispSourceFor(frame, 96)->width, 48) << "the largest that divides it";
    EXPECT_EQ(crispSourceFor(frame, 64)->width, 32);
    EXPECT_EQ(crispSourceFor(frame, 30), nullptr);
    EXPECT_EQ(crispSourceFor(frame, 40), nullptr);

    const std::array<int, 6> wanted = {24, 30, 40, 64, 72, 96};
    const SizePlan crisp = planThemeSizes(cursor, wanted, false);
    EXPECT_EQ(crisp.sizes, (std::vector<int>{24, 32, 48, 64, 96}));
    EXPECT_EQ(crisp.skipped, (std::vector<std::pair<int, int>>{{30, 32}, {40, 32}, {72, 48}}))
        << "the nearest held size, the smaller of two as near";
    const SizePlan forced = planThemeSizes(cursor, wanted, true);
    EXPECT_EQ(forced.sizes, (std::vector<int>{24, 30, 32, 40, 48, 64, 72, 96}));
    EXPECT_TRUE(forced.skipped.empty());
    // A frame lacking a crisp source keeps the size out for the whole cursor.
    cursor.frames.push_back(frameOf({32}));
    EXPECT_EQ(planThemeSizes(cursor, wanted, false).sizes, (std::vector<int>{32, 48, 64, 96}));

    const SizedCursor sized = cursorAtSizes(cursor, std::array<int, 1>{24}, Sources::CrispFirst);
    EXPECT_EQ(sized.cursor.frames[0].images[0].at(0, 0) >> 16 & 0xFF, 48u) << "made from 48";
    EXPECT_EQ(sized.cursor.frames[2].images[0].at(0, 0) >> 16 & 0xFF, 32u) << "no crisp source: the nearest";
}

} // namespace
} // namespace vantle::theme
