// PNG decoding: the 8-bit RGBA images written by libpng with each row filter come back pixel for pixel
// through the libdeflate path, and what that path declines still decodes through libpng.

#include "model/PngCodec.h"
#include "model/PngRgbaDecoder.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cmath>
#include <random>

namespace vantle {
namespace {

struct Written {
    std::vector<std::uint8_t> bytes;
};

void append(png_structp png, png_bytep data, png_size_t count) {
    auto* out = static_cast<Written*>(png_get_io_ptr(png));
    out->bytes.insert(out->bytes.end(), data, data + count);
}

// The pixels as libpng writes them: RGBA or RGB (alpha dropped), every row with `filter`.
std::vector<std::uint8_t> libpngFile(int width, int height, const std::vector<std::uint32_t>& argb,
                                     int filter, bool alpha = true) {
    Written out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, append, nullptr);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, filter);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<std::uint8_t> row;
    for (int y = 0; y < height; ++y) {
        row.clear();
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = argb[static_cast<std::size_t>(y * width + x)];
            row.insert(row.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                                   static_cast<std::uint8_t>(p)});
            if (alpha)
                row.push_back(static_cast<std::uint8_t>(p >> 24));
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out.bytes;
}

// A soft-edged disc over noise in its lower half: runs, gradients and bytes that wrap when predicted.
std::vector<std::uint32_t> pixels(int width, int height) {
    std::mt19937 random(28);
    std::vector<std::uint32_t> argb;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double r = std::hypot(x - width / 2.0, y - height / 2.0);
            const auto a = static_cast<std::uint32_t>(std::clamp(width / 3.0 - r, 0.0, 1.0) * 255);
            argb.push_back(y > height / 2 ? static_cast<std::uint32_t>(random())
                                          : a << 24 | static_cast<std::uint32_t>(x * 255 / width) << 16 |
                                                static_cast<std::uint32_t>(y * 255 / height) << 8 | 0xC0);
        }
    return argb;
}

TEST(PngDecode, EveryRowFilterComesBackExactly) {
    const std::array<std::pair<const char*, int>, 6> filters = {{{"none", PNG_FILTER_NONE},
                                                                 {"sub", PNG_FILTER_SUB},
                                                                 {"up", PNG_FILTER_UP},
                                                                 {"average", PNG_FILTER_AVG},
                                                                 {"paeth", PNG_FILTER_PAETH},
                                                                 {"each row its best", PNG_ALL_FILTERS}}};
    for (const auto& [width, height] : {std::pair{37, 23}, std::pair{256, 256}, std::pair{1, 5}})
        for (const auto& [name, filter] : filters) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(width) + " x " + std::to_string(height));
            const std::vector<std::uint32_t> argb = pixels(width, height);
            const std::vector<std::uint8_t> file = libpngFile(width, height, argb, filter);
            const std::optional<PngPixels> fast = decodeRgbaPng(file, 256);
            ASSERT_TRUE(fast);
            EXPECT_EQ(fast->width, width);
            EXPECT_EQ(fast->height, height);
            EXPECT_TRUE(fast->argb == argb);
        }
}

TEST(PngDecode, WhatTheFastPathDeclinesLibpngStillReads) {
    const std::vector<std::uint32_t> argb = pixels(40, 30);
    std::vector<std::uint32_t> opaque = argb;
    for (std::uint32_t& p : opaque)
        p |= 0xFF000000u;
    const std::vector<std::uint8_t> rgb = libpngFile(40, 30, argb, PNG_FILTER_PAETH, false);
    EXPECT_FALSE(decodeRgbaPng(rgb, 256));
    const std::optional<PngPixels> fromRgb = decodePng(rgb, 256);
    ASSERT_TRUE(fromRgb);
    EXPECT_TRUE(fromRgb->argb == opaque);

    // The zlib stream's own sum, which libpng is told not to check, broken: the CRC of the chunk made right.
    std::vector<std::uint8_t> sum = libpngFile(40, 30, argb, PNG_FILTER_SUB);
    const std::size_t idat = 8 + 25;
    const std::size_t length =
        static_cast<std::size_t>(sum[idat]) << 24 | sum[idat + 1] << 16 | sum[idat + 2] << 8 | sum[idat + 3];
    ASSERT_EQ(std::string(sum.begin() + idat + 4, sum.begin() + idat + 8), "IDAT");
    sum[idat + 8 + length - 1] ^= 1;
    const std::uint32_t crc =
        static_cast<std::uint32_t>(crc32(0, sum.data() + idat + 4, static_cast<unsigned>(length + 4)));
    for (int k = 0; k < 4; ++k)
        sum[idat + 8 + length + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(crc >> (24 - 8 * k));
    EXPECT_FALSE(decodeRgbaPng(sum, 256));
    const std::optional<PngPixels> fromLibpng = decodePng(sum, 256);
    ASSERT_TRUE(fromLibpng);
    EXPECT_TRUE(fromLibpng->argb == argb);

    EXPECT_FALSE(decodeRgbaPng(libpngFile(40, 30, argb, PNG_FILTER_NONE), 39)) << "larger than allowed";
}

} // namespace
} // namespace vantle
