#include "import/PictureSampling.h"

#include "model/IconDocument.h"
#include "support/PositionPicture.h"

#include <gtest/gtest.h>

#include <string>

namespace vantle {
namespace {

constexpr MarkerColours kMarkers{};
constexpr colourRGB kMarker = kMarkers.transparent;

using test::positionPicture;

colourRGB at(int x, int y) {
    return makeColour(x & 0xFF, y & 0xFF, 0x40);
}

bool rowIsTransparent(const PreviewImage& p, int y) {
    for (int x = 0; x < p.size; ++x)
        if (p.at(x, y) != kMarker)
            return false;
    return true;
}

bool columnIsTransparent(const PreviewImage& p, int x) {
    for (int y = 0; y < p.size; ++y)
        if (p.at(x, y) != kMarker)
            return false;
    return true;
}

// The first pixel where the preview differs from the expectation, or "" when none does.
template <typename Expect> std::string firstDifference(const PreviewImage& p, Expect expected) {
    for (int y = 0; y < p.size; ++y)
        for (int x = 0; x < p.size; ++x)
            if (p.at(x, y) != expected(x, y))
                return "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                       std::to_string(p.at(x, y)) + ", expected " + std::to_string(expected(x, y));
    return "";
}

TEST(PictureSampling, WidePictureFillsTheMiddleRowsOfEachPreview) {
    // 100 x 50: picture rows 8..23 of 32, 4..11 of 16 and 12..35 of 48.
    const PreviewSet set = previewWholePicture(positionPicture(100, 50), kMarkers);
    const int first[3] = {8, 4, 12};
    const int last[3] = {23, 11, 35};
    for (int b = 0; b < 3; ++b) {
        const PreviewImage& p = set[static_cast<std::size_t>(b)];
        ASSERT_EQ(p.size, kPreviewSizes[static_cast<std::size_t>(b)]);
        for (int y = 0; y < p.size; ++y) {
            const bool picture = y >= first[b] && y <= last[b];
            EXPECT_EQ(rowIsTransparent(p, y), !picture) << "preview " << b << " row " << y;
        }
    }
    // Point sampling: preview unit = 100 / 32 picture pixels in both directions.
    const PreviewImage& p32 = set[0];
    EXPECT_EQ(p32.at(0, 8), at(0, 0));
    EXPECT_EQ(p32.at(31, 8), at(96, 0));
    EXPECT_EQ(p32.at(0, 23), at(0, 46));
    EXPECT_EQ(p32.at(31, 23), at(96, 46));
    EXPECT_EQ(p32.at(16, 15), at(50, 21));
    EXPECT_EQ(set[2].at(47, 35), at(97, 47));
    EXPECT_EQ(set[1].at(15, 11), at(93, 43));
}

TEST(PictureSampling, TallPictureFillsTheMiddleColumns) {
    const PreviewSet set = previewWholePicture(positionPicture(50, 100), kMarkers);
    const PreviewImage& p = set[0];
    for (int x = 0; x < 32; ++x)
        EXPECT_EQ(columnIsTransparent(p, x), x < 8 || x > 23) << "column " << x;
    EXPECT_EQ(p.at(8, 0), at(0, 0));
    EXPECT_EQ(p.at(23, 0), at(46, 0));
    EXPECT_EQ(p.at(23, 31), at(46, 96));
    EXPECT_EQ(p.at(8, 31), at(0, 96));
    EXPECT_EQ(set[1].at(4, 15), at(0, 93));
    EXPECT_EQ(set[2].at(35, 47), at(47, 97));
}

TEST(PictureSampling, SquarePicturesScaleByWholeBlocks) {
    // 16 x 16 into 16 is the picture itself, 8 x 8 into 16 doubles each pixel, 4 x 4 into 48 makes 12 x 12
    // blocks, 64 x 64 into 32 takes every second pixel.
    EXPECT_EQ(firstDifference(previewWholePicture(positionPicture(16, 16), kMarkers)[1],
                              [](int x, int y) { return at(x, y); }),
              "");
    EXPECT_EQ(firstDifference(previewWholePicture(positionPicture(8, 8), kMarkers)[1],
                              [](int x, int y) { return at(x / 2, y / 2); }),
              "");
    EXPECT_EQ(firstDifference(previewWholePicture(positionPicture(4, 4), kMarkers)[2],
                              [](int x, int y) { return at(x / 12, y / 12); }),
              "");
    EXPECT_EQ(firstDifference(previewWholePicture(positionPicture(64, 64), kMarkers)[0],
                              [](int x, int y) { return at(x * 2, y * 2); }),
              "");
}

TEST(PictureSampling, OnePixelWideAndHighPictures) {
    // 1 x 5: floor(32 / 5) = 6 columns from 13, all from picture column 0.
    const PreviewImage tall = previewWholePicture(positionPicture(1, 5), kMarkers)[0];
    EXPECT_EQ(
        firstDifference(tall, [](int x, int y) { return x >= 13 && x < 19 ? at(0, y * 5 / 32) : kMarker; }),
        "");
    // 7 x 1 into 16: floor(16 / 7) = 2 rows from 7, both from picture row 0.
    const PreviewImage wide = previewWholePicture(positionPicture(7, 1), kMarkers)[1];
    EXPECT_EQ(
        firstDifference(wide, [](int x, int y) { return y == 7 || y == 8 ? at(x * 7 / 16, 0) : kMarker; }),
        "");
    // 1 x 1 fills every preview with its one colour.
    for (const PreviewImage& p : previewWholePicture(positionPicture(1, 1), kMarkers))
        EXPECT_EQ(firstDifference(p, [](int, int) { return at(0, 0); }), "");
}

TEST(PictureSampling, OddMarginsStayInsideThePicture) {
    // 5 x 3 into 32: floor(32 x 3 / 5) = 19 picture rows would fit, the margin (13) is odd, so rows 6..25
    // hold picture; the lowest takes source row 18 x 5 / 32 = 2, the extra top row repeats row 0.
    const PreviewImage wide = previewWholePicture(positionPicture(5, 3), kMarkers)[0];
    EXPECT_TRUE(rowIsTransparent(wide, 5));
    EXPECT_TRUE(rowIsTransparent(wide, 26));
    for (int x = 0; x < 32; ++x) {
        EXPECT_EQ(wide.at(x, 25), at(x * 5 / 32, 2));
        EXPECT_EQ(wide.at(x, 7), at(x * 5 / 32, 0));
        EXPECT_EQ(wide.at(x, 6), at(x * 5 / 32, 0));
    }
    // 3 x 5 into 32: columns 6..25, the last one at source column 19 x 5 / 32 = 2.
    const PreviewImage tall = previewWholePicture(positionPicture(3, 5), kMarkers)[0];
    EXPECT_TRUE(columnIsTransparent(tall, 5));
    EXPECT_TRUE(columnIsTransparent(tall, 26));
    EXPECT_EQ(tall.at(25, 31), at(2, 4));
    EXPECT_EQ(tall.at(6, 0), at(0, 0));
    // 15 x 32 into 32: 15 columns fit exactly, the 16th column of the odd margin repeats the last.
    const PreviewImage exact = previewWholePicture(positionPicture(15, 32), kMarkers)[0];
    EXPECT_TRUE(columnIsTransparent(exact, 7));
    EXPECT_TRUE(columnIsTransparent(exact, 24));
    EXPECT_EQ(exact.at(22, 9), at(14, 9));
    EXPECT_EQ(exact.at(23, 9), at(14, 9));
}

TEST(PictureSampling, SelectedAreaIsSampledFromItsOwnCorner) {
    const Picture picture = positionPicture(20, 20);
    // 5 x 3 at the bottom-right corner: wide, 16 -> 9 rows fit, margin 7 odd: rows 3..12.
    const auto set = previewSelectedArea(picture, {15, 17, 5, 3}, kMarkers);
    ASSERT_TRUE(set.has_value());
    const PreviewImage& p = (*set)[1];
    EXPECT_TRUE(rowIsTransparent(p, 2));
    EXPECT_TRUE(rowIsTransparent(p, 13));
    EXPECT_EQ(p.at(15, 12), at(19, 19));
    EXPECT_EQ(p.at(0, 12), at(15, 19));
    EXPECT_EQ(p.at(0, 4), at(15, 17));
    // 3 x 6 at the top-left corner: tall.
    const auto left = previewSelectedArea(picture, {0, 0, 3, 6}, kMarkers);
    ASSERT_TRUE(left.has_value());
    EXPECT_EQ((*left)[0].at(8, 0), at(0, 0));
    EXPECT_EQ((*left)[0].at(23, 31), at(2, 5));
    EXPECT_TRUE(columnIsTransparent((*left)[0], 7));
    EXPECT_TRUE(columnIsTransparent((*left)[0], 24));
}

TEST(PictureSampling, SelectionsOfTwoPixelsOrLessGiveNoPreviews) {
    const Picture picture = positionPicture(10, 10);
    EXPECT_FALSE(previewSelectedArea(picture, {0, 0, 2, 8}, kMarkers).has_value());
    EXPECT_FALSE(previewSelectedArea(picture, {0, 0, 8, 2}, kMarkers).has_value());
    EXPECT_FALSE(previewSelectedArea(picture, {4, 4, 1, 1}, kMarkers).has_value());
    EXPECT_TRUE(previewSelectedArea(picture, {7, 7, 3, 3}, kMarkers).has_value());
}

TEST(PictureSampling, AlphaBelowHalfBecomesTheTransparentMarkerAndMarkerColoursStayOpaque) {
    Picture p;
    p.width = 2;
    p.height = 1;
    p.argb = {0x7F112233u, 0x80112233u};
    const PreviewImage preview = previewWholePicture(p, kMarkers)[1];
    EXPECT_EQ(preview.at(0, 4), kMarker);
    EXPECT_EQ(preview.at(7, 11), kMarker);
    EXPECT_EQ(preview.at(8, 4), makeColour(0x11, 0x22, 0x33));
    EXPECT_TRUE(rowIsTransparent(preview, 3));

    // Opaque pixels of the markers' colours move one step in blue; the one beside them stays as it is.
    Picture greys;
    greys.width = 4;
    greys.height = 1;
    greys.argb = {0xFFE0E0E0u, 0xFF606060u, 0xFFE1E0E0u, 0x00E0E0E0u};
    const PreviewImage g = previewWholePicture(greys, kMarkers)[1]; // rows 6..9, four columns each
    EXPECT_EQ(g.at(0, 6), makeColour(0xE0, 0xE0, 0xE1));
    EXPECT_EQ(g.at(4, 6), makeColour(0x60, 0x60, 0x61));
    EXPECT_EQ(g.at(8, 6), makeColour(0xE1, 0xE0, 0xE0));
    EXPECT_EQ(g.at(12, 6), kMarker);
    // Markers chosen by the user count, whatever their values.
    const MarkerColours own{makeColour(1, 2, 3), makeColour(1, 2, 2)};
    greys.argb = {0xFF010203u, 0xFF010202u, 0xFF010204u, 0x00000000u};
    const PreviewImage o = previewWholePicture(greys, own)[1];
    EXPECT_EQ(o.at(0, 6), makeColour(1, 3, 3)) << "blue is taken by the other marker: one step in green";
    EXPECT_EQ(o.at(4, 6), makeColour(1, 3, 2));
    EXPECT_EQ(o.at(8, 6), makeColour(1, 2, 4));
    EXPECT_EQ(o.at(12, 6), own.transparent);
}

TEST(PictureSampling, StoringSetsPixelsSizeAndDepthButNotTheHotspot) {
    const MarkerColours markers{};
    IconImage image;
    image.hotspotX = 5;
    image.hotspotY = 6;

    // Two colours (one of them the margin) in a 16 x 16 preview: depth 2.
    Picture two;
    two.width = 4;
    two.height = 2;
    two.argb.assign(8, 0xFF0000FFu);
    storePreview(previewWholePicture(two, markers)[1], image, markers);
    EXPECT_EQ(image.width, 16);
    EXPECT_EQ(image.height, 16);
    EXPECT_EQ(image.depth, 2);
    EXPECT_EQ(image.hotspotX, 5);
    EXPECT_EQ(image.hotspotY, 6);
    EXPECT_EQ(image.pixels(0, 0), markers.transparent);
    EXPECT_EQ(image.pixels(3, 8), makeColour(0, 0, 0xFF));

    // 20 distinct colours: 256; the position picture at 48 x 48: more than 256 colours, full colour.
    storePreview(previewWholePicture(positionPicture(20, 1), markers)[0], image, markers);
    EXPECT_EQ(image.width, 32);
    EXPECT_EQ(image.depth, 256);
    storePreview(previewWholePicture(positionPicture(48, 48), markers)[2], image, markers);
    EXPECT_EQ(image.width, 48);
    EXPECT_EQ(image.depth, kDepthFull);
    EXPECT_EQ(image.pixels(47, 47), at(47, 47));

    // Twelve colours and the margin: 16.
    storePreview(previewWholePicture(positionPicture(12, 1), markers)[1], image, markers);
    EXPECT_EQ(image.width, 16);
    EXPECT_EQ(image.depth, 16);
}

} // namespace
} // namespace vantle
