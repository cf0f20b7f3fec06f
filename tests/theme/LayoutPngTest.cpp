// The PNG encoder of theme layouts: every picture comes back pixel for pixel through libpng, and the runs
// of zeros it is built for compress.

#include "theme/LayoutPng.h"

#include "model/PngCodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace vantle::theme {
namespace {

struct Picture {
    std::string name;
    int width;
    int height;
    std::vector<std::uint32_t> argb;
};

Picture picture(std::string name, int width, int height, const std::function<std::uint32_t(int, int)>& at) {
    Picture p{std::move(name), width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.argb.push_back(at(x, y));
    return p;
}

// A disc with a soft edge and colour that changes across it, on a transparent canvas.
std::uint32_t softDisc(int x, int y, int side) {
    const double r = std::hypot(x + 0.5 - side / 2.0, y + 0.5 - side / 2.0);
    const double alpha = std::clamp(side / 3.0 - r, 0.0, 1.0) * 255;
    if (alpha == 0)
        return 0;
    return static_cast<std::uint32_t>(alpha) << 24 | static_cast<std::uint32_t>(x * 255 / side) << 16 |
           static_cast<std::uint32_t>(y * 255 / side) << 8 | 0x40;
}

// One row whose bytes differ from their left neighbours by small amounts in Fibonacci proportions: with the
// end of block and the filter type 4, each used once, the symbol counts are 1, 1, 2, 3, 5, ... 6765, whose
// best prefix code is 19 bits deep, more than deflate allows.
Picture fibonacciRow() {
    std::vector<int> steps;
    for (int d = 1, a = 2, b = 3; d <= 19; ++d) {
        if (d == 4)
            continue; // the filter type's value, counted once
        steps.insert(steps.end(), static_cast<std::size_t>(a), d);
        b = a + b;
        a = b - a;
    }
    std::shuffle(steps.begin(), steps.end(), std::mt19937(7));
    Picture p{"Fibonacci differences", static_cast<int>(steps.size() / 4), 1, {}};
    std::uint32_t previous = 0;
    for (std::size_t i = 0; i + 4 <= steps.size(); i += 4) {
        std::uint32_t pixel = 0;
        for (int k = 0; k < 4; ++k)
            pixel |= (((previous >> (8 * k)) + static_cast<std::uint32_t>(steps[i + k])) & 0xFF) << (8 * k);
        p.argb.push_back(previous = pixel);
    }
    return p;
}

TEST(FastPngEncoder, EveryPictureReadsBackExactly) {
    std::mt19937 random(30);
    std::vector<Picture> pictures = {
        picture("soft disc 256", 256, 256, [](int x, int y) { return softDisc(x, y, 256); }),
        picture("noise 256", 256, 256, [&](int, int) { return static_cast<std::uint32_t>(random()); }),
        picture("transparent 1x1", 1, 1, [](int, int) { return 0u; }),
        picture("opaque 1x1", 1, 1, [](int, int) { return 0xFF123456u; }),
        picture("soft disc 37x23", 37, 23, [](int x, int y) { return softDisc(x, y, 37); }),
        picture("column", 1, 9, [](int, int y) { return 0x80FF0000u >> y; }),
        picture("row", 7, 1, [](int x, int) { return 0x01020304u * static_cast<std::uint32_t>(x); }),
        picture("transparent 33x33", 33, 33, [](int, int) { return 0u; }),
        picture("colour under zero alpha", 5, 3, [](int x, int y) { return x == y ? 0x00FFFFFFu : 0u; }),
        picture("lines every 100 rows", 3, 300, [](int, int y) { return y % 100 == 99 ? 0xFF000001u : 0u; }),
        fibonacciRow(),
    };
    FastPngEncoder encoder; // one for all, the largest first: its buffers are reused
    for (const Picture& p : pictures) {
        SCOPED_TRACE(p.name);
        const std::vector<std::uint8_t> png = encoder.encode(p.width, p.height, p.argb);
        EXPECT_EQ(png, FastPngEncoder().encode(p.width, p.height, p.argb)); // as from a new encoder
        const std::optional<PngPixels> back = decodePng(png, 8192);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->width, p.width);
        EXPECT_EQ(back->height, p.height);
        EXPECT_TRUE(back->argb == p.argb);
    }
}

TEST(FastPngEncoder, CompressesTheTransparentCanvasToAFewBytesAndRefusesWrongSizes) {
    const std::vector<std::uint32_t> transparent(256 * 256, 0);
    FastPngEncoder encoder;
    EXPECT_LT(encoder.encode(256, 256, transparent).size(), 400u);
    const Picture disc = picture("disc", 256, 256, [](int x, int y) { return softDisc(x, y, 256); });
    EXPECT_LT(encoder.encode(256, 256, disc.argb).size(), encodePng(256, 256, disc.argb).size() * 5 / 4);
    EXPECT_TRUE(FastPngEncoder().encode(3, 3, transparent).empty());
    EXPECT_TRUE(FastPngEncoder().encode(0, 0, {}).empty());
}

} // namespace
} // namespace vantle::theme
