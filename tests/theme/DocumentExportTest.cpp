// The window's document exported as an Xcursor file for HiDPI desktops, loaded by libXcursor: every size
// from 24 to 96 besides the document's own, pixels repeated where the factor is whole, hotspots on the
// same source pixel, every step of an animation at each size with its delay.

#include "theme/DocumentExport.h"
#include "LoadedXcursor.h"
#include "model/ModelTestSupport.h"
#include "theme/CursorScaling.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vantle::test {
namespace {

constexpr colourRGB T = kTestMarkers.transparent;
constexpr colourRGB I = kTestMarkers.inverted;
constexpr std::array<unsigned, 5> kHidpiSizes = {24, 32, 48, 64, 96};

std::uint32_t argbOf(colourRGB c) {
    if (c == T)
        return 0;
    return 0xFF000000u | static_cast<std::uint32_t>(redOf(c)) << 16 |
           static_cast<std::uint32_t>(greenOf(c)) << 8 | static_cast<std::uint32_t>(blueOf(c));
}

std::uint32_t pixel(const XcursorImage& x, unsigned px, unsigned py) {
    return x.pixels[py * x.width + px];
}

colourRGB stillColour(int x, int y) {
    return y < 4 ? T : distinctColour(x, y);
}

TEST(DocumentExport, AStillDocumentIsWrittenAtItsOwnSizesAndEveryHidpiSize) {
    IconDocument d = newDocument();
    addImage(d, 32, 32, stillColour, 6, 9);
    addImage(
        d, 16, 16, [](int, int) { return makeColour(10, 20, 30); }, 2, 3);
    addImage(d, 32, 32, [](int, int) { return kBlack; }); // a second 32: the first is taken
    TempDir dir;
    const std::string path = dir.file("left_ptr");
    ASSERT_TRUE(theme::writeHidpiXcursor(d, path, kTestMarkers));

    const LoadedXcursor all{std::filesystem::path(path)};
    ASSERT_NE(all.images, nullptr);
    EXPECT_EQ(all.images->nimage, 6) << "16 and the five sizes, one image each";
    for (unsigned size : {16u, 24u, 32u, 48u, 64u, 96u}) {
        // libXcursor picks each size when asked for it.
        const LoadedXcursor one(XcursorFilenameLoadImages(path.c_str(), static_cast<int>(size)));
        ASSERT_NE(one.images, nullptr) << size;
        ASSERT_EQ(one.images->nimage, 1) << size;
        const XcursorImage& x = *one.images->images[0];
        EXPECT_EQ(x.size, size);
        ASSERT_EQ(x.width, size);
        ASSERT_EQ(x.height, size);
        EXPECT_EQ(x.delay, 0u);
        const int from = size == 16 ? 16 : 32;
        const int hx = size == 16 ? 2 : 6;
        const int hy = size == 16 ? 3 : 9;
        EXPECT_EQ(x.xhot, static_cast<unsigned>(theme::scaledHotspot(hx, from, static_cast<int>(size))))
            << size;
        EXPECT_EQ(x.yhot, static_cast<unsigned>(theme::scaledHotspot(hy, from, static_cast<int>(size))))
            << size;
    }
    // 32 as drawn; 64 and 96 each pixel repeated, the hotspot on the same pixel.
    for (unsigned size : {32u, 64u, 96u}) {
        const auto images = all.ofSize(size);
        ASSERT_EQ(images.size(), 1u);
        const unsigned k = size / 32;
        for (unsigned y = 0; y < size; ++y)
            for (unsigned x = 0; x < size; ++x)
                ASSERT_EQ(pixel(*images[0], x, y),
                          argbOf(stillColour(static_cast<int>(x / k), static_cast<int>(y / k))))
                    << size << ": " << x << "," << y;
        EXPECT_EQ(images[0]->xhot, 6 * k + k / 2);
        EXPECT_EQ(images[0]->yhot, 9 * k + k / 2);
    }
    EXPECT_EQ(pixel(*all.ofSize(16)[0], 5, 5), 0xFF0A141Eu) << "the document's own 16";
    // 24 shrinks the 32 by area averaging: the rows under the transparent band stay transparent, those
    // below are opaque.
    const XcursorImage& small = *all.ofSize(24)[0];
    EXPECT_EQ(pixel(small, 10, 1), 0u);
    EXPECT_EQ(pixel(small, 10, 12) >> 24, 0xFFu);
}

TEST(DocumentExport, EveryStepOfAnAnimationAtEverySizeWithItsDelay) {
    IconDocument d = newDocument();
    const std::array<colourRGB, 3> colours = {makeColour(200, 0, 0), makeColour(0, 150, 0),
                                              makeColour(0, 0, 90)};
    addImage(
        d, 32, 32, [&](int, int) { return colours[0]; }, 3, 4);
    addImage(
        d, 32, 32, [&](int, int) { return colours[1]; }, 10, 20);
    // An inverting pixel on transparency beside a coloured block.
    addImage(
        d, 32, 32, [&](int x, int y) { return x == 20 && y == 20 ? I
                                              : x < 8 && y < 8   ? colours[2]
                                                                 : T; }, 31,
        0);
    d.stepCount = 4;
    d.steps[0] = {0, 6};
    d.steps[1] = {1, 8};
    d.steps[2] = {2, 30};
    d.steps[3] = {0, 2};
    const theme::HidpiXcursor built = theme::buildHidpiXcursor(d, kTestMarkers);
    EXPECT_EQ(built.invertedReplaced, 1);
    TempDir dir;
    const std::string path = dir.file("wait");
    ASSERT_TRUE(theme::writeHidpiXcursor(d, path, kTestMarkers));

    const LoadedXcursor all{std::filesystem::path(path)};
    ASSERT_NE(all.images, nullptr);
    EXPECT_EQ(all.images->nimage, 4 * 5) << "four steps at five sizes";
    const std::array<int, 4> image = {0, 1, 2, 0};
    const std::array<double, 4> exactEnds = {6 * 1000.0 / 60, 14 * 1000.0 / 60, 44 * 1000.0 / 60,
                                             46 * 1000.0 / 60};
    for (unsigned size : kHidpiSizes) {
        const auto steps = all.ofSize(size);
        ASSERT_EQ(steps.size(), 4u) << size;
        unsigned end = 0;
        for (std::size_t s = 0; s < 4; ++s) {
            const XcursorImage& x = *steps[s];
            const IconImage& source = d.images[static_cast<std::size_t>(image[s])];
            ASSERT_EQ(x.width, size);
            EXPECT_EQ(x.xhot, static_cast<unsigned>(
                                  theme::scaledHotspot(source.hotspotX, 32, static_cast<int>(size))))
                << size << " step " << s;
            EXPECT_EQ(x.yhot, static_cast<unsigned>(
                                  theme::scaledHotspot(source.hotspotY, 32, static_cast<int>(size))))
                << size << " step " << s;
            EXPECT_EQ(pixel(x, 1, 1), argbOf(colours[static_cast<std::size_t>(image[s])]))
                << size << " step " << s;
            end += x.delay;
            EXPECT_LE(std::abs(end - exactEnds[s]), 0.5) << size << " step " << s << ": rounding carried";
        }
    }
    // The inverting pixel: black with a white outline at 32, each pixel of it doubled at 64.
    const XcursorImage& third32 = *all.ofSize(32)[2];
    EXPECT_EQ(pixel(third32, 20, 20), 0xFF000000u);
    EXPECT_EQ(pixel(third32, 19, 21), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(third32, 23, 20), 0u);
    const XcursorImage& third64 = *all.ofSize(64)[2];
    for (unsigned y : {40u, 41u})
        for (unsigned x : {40u, 41u})
            EXPECT_EQ(pixel(third64, x, y), 0xFF000000u) << x << "," << y;
    EXPECT_EQ(pixel(third64, 39, 40), 0xFFFFFFFFu);
}

TEST(DocumentExport, StepsWithoutImagesAndEmptyDocuments) {
    IconDocument d = newDocument();
    addImage(d, 16, 16, [](int, int) { return kWhite; });
    d.stepCount = 2;
    d.steps[0] = {5, 10}; // no such image
    d.steps[1] = {0, 4};
    const LosslessCursor cursor = theme::losslessOfDocument(d, kTestMarkers);
    ASSERT_EQ(cursor.frames.size(), 1u);
    ASSERT_EQ(cursor.steps.size(), 1u);
    EXPECT_EQ(cursor.steps[0].ticks, 4 * kTicksPerJiffy);

    // Steps that all name nothing: the images as a still cursor.
    d.steps[1] = {7, 4};
    const LosslessCursor still = theme::losslessOfDocument(d, kTestMarkers);
    EXPECT_FALSE(still.animated());
    ASSERT_EQ(still.frames.size(), 1u);
    EXPECT_EQ(still.frames[0].images.size(), 1u);

    const IconDocument empty = newDocument();
    EXPECT_TRUE(theme::buildHidpiXcursor(empty, kTestMarkers).bytes.empty());
    TempDir dir;
    EXPECT_FALSE(theme::writeHidpiXcursor(empty, dir.file("none"), kTestMarkers));
    EXPECT_FALSE(std::filesystem::exists(dir.file("none")));
}

} // namespace
} // namespace vantle::test
