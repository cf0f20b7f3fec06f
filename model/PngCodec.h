#pragma once
// PNG images of icon entries and of pictures the program writes, through libpng: decoding into straight-
// alpha 0xAARRGGBB pixels and encoding them as 8-bit RGBA. Sizes are checked before anything is allocated.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vantle {

struct PngPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb; // rows from the top, straight alpha
};

// The width and height an IHDR chunk right after the signature declares; nothing when the bytes do not
// begin that way.
struct PngSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};
std::optional<PngSize> pngDeclaredSize(std::span<const std::uint8_t> bytes);

// Decodes a PNG of at most maxSide x maxSide pixels (colour type, bit depth, palette, transparency chunk
// and interlacing as the file has them; no gamma correction, as icon readers show the stored values).
// Nothing for damaged, truncated or larger images.
std::optional<PngPixels> decodePng(std::span<const std::uint8_t> bytes, int maxSide);

// Encodes width x height straight-alpha pixels as an 8-bit RGBA PNG, the form every icon reader takes, at
// zlib's default level: for files that are kept. (Theme layouts' many images: theme/LayoutPng.h.)
std::vector<std::uint8_t> encodePng(int width, int height, std::span<const std::uint32_t> argb);

} // namespace vantle
