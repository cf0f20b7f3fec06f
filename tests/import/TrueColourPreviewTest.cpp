#include "import/TrueColourPreview.h"

#include "support/PositionPicture.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vantle {
namespace {

constexpr MarkerColours kMarkers{};

// An opaque picture area-averaged covers exactly the pixels point sampling covers, opaque, each from about
// the same place of the picture (its red is the picture's x, its green y).
TEST(TrueColourPreview, AnOpaqueAreaLandsWhereTheDesignedPreviewPutsIt) {
    const Picture picture = test::positionPicture(120, 110);
    for (const PictureArea area :
         {PictureArea{0, 0, 120, 110}, PictureArea{10, 5, 100, 61}, PictureArea{3, 2, 37, 100},
          PictureArea{0, 0, 99, 100}, PictureArea{50, 50, 7, 7}}) {
        for (int size : {16, 32, 48}) {
            SCOPED_TRACE(std::to_string(area.width) + " x " + std::to_string(area.height) + " at " +
                         std::to_string(size));
            const PreviewImage designed = samplePreview(picture, area, size, kMarkers);
            const CursorImage averaged = trueColourPreview(picture, area, size);
            ASSERT_EQ(averaged.width, size);
            ASSERT_EQ(averaged.height, size);
            // A designed sample and an average over whole pixels of the span (the area stretched by
            // less than a pixel) lie within two preview pixels of each other.
            const int unit = 2 * (std::max(area.width, area.height) / size + 1);
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const colourRGB d = designed.at(x, y);
                    const std::uint32_t a = averaged.at(x, y);
                    ASSERT_EQ(d == kMarkers.transparent, (a >> 24) == 0) << x << "," << y;
                    if (d == kMarkers.transparent)
                        continue;
                    ASSERT_EQ(a >> 24, 0xFFu) << x << "," << y;
                    EXPECT_LE(std::abs(static_cast<int>((a >> 16) & 0xFF) - redOf(d)), unit) << x << "," << y;
                    EXPECT_LE(std::abs(static_cast<int>((a >> 8) & 0xFF) - greenOf(d)), unit)
                        << x << "," << y;
                }
        }
    }
}

} // namespace
} // namespace vantle
