// Palette building (countColours) and one-level colour reduction (reduceColours).

#include "model/ColourAnalysis.h"
#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace vantle::test {
namespace {

constexpr colourRGB kRed = 0x0000FF;
constexpr colourRGB kGreen = 0x00FF00;
constexpr colourRGB kBlue = 0xFF0000;
constexpr colourRGB T = kTestMarkers.transparent;
constexpr colourRGB I = kTestMarkers.inverted;

TEST(ColourDepthRule, CountsGiveDepths) {
    const std::pair<int, ColourDepth> cases[] = {{-1, 0},  {0, 0},    {1, 2},     {2, 2},   {3, 16},
                                                 {16, 16}, {17, 256}, {256, 256}, {257, 0}, {2304, 0}};
    for (const auto& [n, depth] : cases)
        EXPECT_EQ(depthFromCount(n), depth) << "count " << n;
}

TEST(CountColours, AllTransparentImage) {
    IconDocument d = newDocument();
    addImage(d, 16, 16, [](int, int) { return T; });
    EXPECT_EQ(countColours(d, 0, kTestMarkers), 1);
    EXPECT_EQ(d.images[0].palette[0], kBlack);
    for (int k = 1; k < 16; ++k)
        EXPECT_EQ(d.images[0].palette[static_cast<std::size_t>(k)], kWhite) << "entry " << k;
    EXPECT_EQ(d.paletteLength, 16);
    EXPECT_TRUE(d.paletteCurrent);
    EXPECT_EQ(depthFromCount(1), 2);
}

TEST(CountColours, SeventeenColoursNeedThirtyTwoEntries) {
    IconDocument d = newDocument();
    addImage(d, 32, 32, [](int x, int y) { return makeColour((x + 32 * y) % 17 * 10, 0, 0); });
    EXPECT_EQ(countColours(d, 0, kTestMarkers), 17);
    EXPECT_EQ(d.paletteLength, 32);
    for (int k = 17; k < 32; ++k)
        EXPECT_EQ(d.images[0].palette[static_cast<std::size_t>(k)], kWhite) << "entry " << k;
    EXPECT_EQ(depthFromCount(17), 256);
}

TEST(CountColours, EveryPixelDifferent) {
    IconDocument d = newDocument();
    IconImage& image = addImage(d, 48, 48, distinctColour);
    image.indexMap.fill(0xAA);
    EXPECT_EQ(countColours(d, 0, kTestMarkers), -1);
    EXPECT_EQ(d.paletteLength, 2304);
    EXPECT_EQ(image.palette[2303], distinctColour(47, 47)) << "2304 palette entries built";
    // Indices are stored only below 256: the 257th pixel on keeps what its cell held.
    EXPECT_EQ(image.indexMap(255 % 48, 255 / 48), 255);
    EXPECT_EQ(image.indexMap(256 % 48, 256 / 48), 0xAA);
    EXPECT_EQ(image.indexMap(47, 47), 0xAA);
}

TEST(CountColours, PaletteInOrderOfFirstOccurrence) {
    // Top-left transparent, the rest red or transparent: black, red.
    IconDocument d = newDocument();
    addImage(d, 16, 16, [](int x, int y) { return (x + y) % 3 == 0 ? T : kRed; });
    EXPECT_EQ(countColours(d, 0, kTestMarkers), 2);
    EXPECT_EQ(d.images[0].palette[0], kBlack);
    EXPECT_EQ(d.images[0].palette[1], kRed);
    EXPECT_EQ(d.images[0].indexMap(0, 0), 0);
    EXPECT_EQ(d.images[0].indexMap(1, 0), 1);
    // Rows from the top, each from the left: the first pixel of row 1 comes after the whole row 0.
    IconDocument e = newDocument();
    addImage(e, 4, 2, [](int x, int y) { return y == 1 && x == 0 ? kBlue : x == 3 ? kGreen : kRed; });
    EXPECT_EQ(countColours(e, 0, kTestMarkers), 3);
    EXPECT_EQ(e.images[0].palette[0], kRed);
    EXPECT_EQ(e.images[0].palette[1], kGreen);
    EXPECT_EQ(e.images[0].palette[2], kBlue);
}

TEST(CountColours, MarkersShareEntriesWithBlackAndWhite) {
    IconDocument d = newDocument();
    // Transparent first, a real black later; a real white first, inverted later.
    const colourRGB row[] = {T, kRed, kWhite, kBlack, I, kRed, T, kWhite};
    addImage(d, 8, 1, [&row](int x, int) { return row[x]; });
    EXPECT_EQ(countColours(d, 0, kTestMarkers), 3);
    const IconImage& image = d.images[0];
    EXPECT_EQ(image.indexMap(0, 0), image.indexMap(3, 0)) << "transparent and black";
    EXPECT_EQ(image.indexMap(2, 0), image.indexMap(4, 0)) << "white and inverted";
    EXPECT_EQ(image.palette[image.indexMap(0, 0)], kBlack);
    EXPECT_EQ(image.palette[image.indexMap(4, 0)], kWhite);
}

TEST(CountColours, EmptyImageCountsZero) {
    IconDocument d = newDocument();
    addImage(d, 0, 0, [](int, int) { return kRed; });
    EXPECT_EQ(countColours(d, 0, kTestMarkers), 0);
    EXPECT_EQ(d.paletteLength, 0);
    EXPECT_EQ(depthFromCount(0), kDepthFull);
}

std::map<colourRGB, int> histogram(const IconImage& image) {
    std::map<colourRGB, int> h;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            ++h[image.pixels(x, y)];
    return h;
}

TEST(ReduceColours, FullColourKeepsTheMostFrequentAndTheMarkers) {
    // 300 colours: colour k (k < 100) appears 10 times, the other 200 colours between 1 and 3 times;
    // one transparent and one inverted pixel, which count 999 each.
    IconDocument d = newDocument();
    std::vector<colourRGB> pixels;
    for (int k = 0; k < 100; ++k)
        pixels.insert(pixels.end(), 10, makeColour(k, 0, 200));
    for (int k = 0; k < 200; ++k)
        pixels.insert(pixels.end(), static_cast<std::size_t>(1 + k % 3), makeColour(k, 100, 0));
    pixels.push_back(T);
    pixels.push_back(I);
    ASSERT_LE(pixels.size(), 2304u);
    pixels.resize(2304, makeColour(0, 0, 200)); // fill with colour 0 of the frequent group
    IconImage& image =
        addImage(d, 48, 48, [&pixels](int x, int y) { return pixels[static_cast<std::size_t>(y * 48 + x)]; });
    image.depth = 0;
    reduceColours(d, 0, kTestMarkers);
    const std::map<colourRGB, int> after = histogram(image);
    const int n = countColours(d, 0, kTestMarkers);
    EXPECT_GE(n, 1);
    EXPECT_LE(n, 256);
    EXPECT_EQ(image.depth, depthFromCount(n));
    EXPECT_EQ(image.depth, 256);
    EXPECT_EQ(after.count(T), 1u) << "the transparent marker stays";
    EXPECT_EQ(after.count(I), 1u) << "the inverted marker stays";
    for (int k = 0; k < 100; ++k)
        EXPECT_EQ(after.count(makeColour(k, 0, 200)), 1u) << "frequent colour " << k << " kept";
    // 256 entries stay: the two markers, the 100 frequent colours and 154 of the rare ones, all of them
    // the ones seen three times (66) and two times (67) plus 21 seen once.
    int rareKept = 0;
    for (int k = 0; k < 200; ++k)
        rareKept += static_cast<int>(after.count(makeColour(k, 100, 0)));
    EXPECT_EQ(rareKept, 154);
    for (int k = 0; k < 200; ++k) {
        if (k % 3 != 0) {
            EXPECT_EQ(after.count(makeColour(k, 100, 0)), 1u) << "rare colour " << k << " seen " << 1 + k % 3;
        }
    }
}

TEST(ReduceColours, SixteenToTwoKeepsTheTwoMostFrequentAndLowerPositionWinsTies) {
    // Kept: A (3 times) and B (4 times). Dropped: C nearer A, D nearer B, E exactly between them.
    const colourRGB A = makeColour(100, 0, 0);
    const colourRGB B = makeColour(0, 0, 100);
    const colourRGB C = makeColour(90, 0, 0);
    const colourRGB D = makeColour(0, 0, 90);
    const colourRGB E = makeColour(50, 0, 50);
    const colourRGB row[] = {C, A, B, A, D, B, E, B, A, B};
    IconDocument d = newDocument();
    IconImage& image = addImage(d, 10, 1, [&row](int x, int) { return row[x]; });
    image.depth = 16;
    reduceColours(d, 0, kTestMarkers);
    const colourRGB expected[] = {A, A, B, A, B, B, A, B, A, B};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(image.pixels(x, 0), expected[x]) << "pixel " << x;
    EXPECT_EQ(image.depth, 2);
}

TEST(ReduceColours, SortOrderDecidesBetweenEqualCounts) {
    // Counts in order of first occurrence A 1, B 2, C 1, D 1. The gap-halving exchange sort leaves
    // A, D, C, B (a stable sort would give A, C, D, B), so C and B stay while D is replaced, by C.
    const colourRGB A = makeColour(255, 0, 0);
    const colourRGB B = makeColour(0, 255, 0);
    const colourRGB C = makeColour(0, 0, 255);
    const colourRGB D = makeColour(0, 0, 200);
    const colourRGB row[] = {A, B, B, C, D};
    IconDocument d = newDocument();
    IconImage& image = addImage(d, 5, 1, [&row](int x, int) { return row[x]; });
    image.depth = 16;
    reduceColours(d, 0, kTestMarkers);
    // A is equally far from C and B (510): the first kept entry, C, wins.
    const colourRGB expected[] = {C, B, B, C, C};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(image.pixels(x, 0), expected[x]) << "pixel " << x;
}

TEST(ReduceColours, TwoColourImageIsLeftAlone) {
    IconDocument d = newDocument();
    IconImage& image = addImage(d, 16, 16, distinctColour);
    image.depth = 2;
    const PixelGrid before = image.pixels;
    reduceColours(d, 0, kTestMarkers);
    EXPECT_EQ(image.pixels, before);
    EXPECT_EQ(image.depth, 2);
}

TEST(ReduceColours, TargetsFollowTheDepth) {
    // 300 colours in a 48 x 48 image: each depth lowers one level.
    const std::pair<ColourDepth, int> cases[] = {{0, 256}, {256, 16}, {16, 2}};
    for (const auto& [depth, most] : cases) {
        IconDocument d = newDocument();
        IconImage& image =
            addImage(d, 48, 48, [](int x, int y) { return makeColour((x + 48 * y) % 300, 9, 9); });
        image.depth = depth;
        reduceColours(d, 0, kTestMarkers);
        const int n = countColours(d, 0, kTestMarkers);
        EXPECT_EQ(n, most) << "from depth " << depth;
        EXPECT_EQ(image.depth, depthFromCount(most));
    }
}

TEST(ReduceColours, MarkersKeepTheirValuesWhenTheirEntryIsDropped) {
    // Reduction to 2 with three colours more frequent than the markers' 999: the marker pixels keep their
    // marker values, so the mask survives.
    IconDocument d = newDocument();
    IconImage& image = addImage(d, 48, 48, [](int x, int y) {
        const int i = y * 48 + x;
        return i == 0 ? T : i == 1 ? I : i < 1100 ? kRed : i < 2200 ? kGreen : kBlue;
    });
    image.depth = 16;
    reduceColours(d, 0, kTestMarkers);
    EXPECT_EQ(image.pixels(0, 0), T);
    EXPECT_EQ(image.pixels(1, 0), I);
    EXPECT_EQ(image.pixels(47, 47), kRed) << "blue is as far from red as from green: the less frequent wins";
    std::set<colourRGB> colours;
    for (const auto& [c, count] : histogram(image))
        colours.insert(c);
    EXPECT_EQ(colours, (std::set<colourRGB>{T, I, kRed, kGreen}));
}

} // namespace
} // namespace vantle::test
