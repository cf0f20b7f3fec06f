#pragma once
// PNG images of icon entries and of pictures the program writes, through libpng: decoding into straight-
// alpha 0xAARRGGBB pixels and encoding them as 8-bit RGBA. Sizes are checked before anything is allocated.

#include <cstdint>
#include <memory>
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

// How hard the encoder compresses: Small (libpng at zlib's default level) for files that are kept, Fast
// (FastPngEncoder: a tenth of the time) for the many images of a theme's layouts.
enum class PngEffort { Small, Fast };

// Encodes width x height straight-alpha pixels as an 8-bit RGBA PNG, the form every icon reader takes.
std::vector<std::uint8_t> encodePng(int width, int height, std::span<const std::uint32_t> argb,
                                    PngEffort effort = PngEffort::Small);

// The fast effort's encoder, kept between images so that its buffers are reused. Every row is Paeth
// filtered (a row of transparent pixels is stored as it is) and deflated in one block of its own Huffman
// codes whose only matches are runs of zeros: cursor pictures filter to 90 % and more of those (the
// transparent canvas, flat colour), so the work grows with the drawn pixels rather than with the canvas.
class FastPngEncoder {
  public:
    std::vector<std::uint8_t> encode(int width, int height, std::span<const std::uint32_t> argb);

  private:
    std::vector<std::uint8_t> row_;      // one filtered row
    std::vector<std::uint32_t> zeroRow_; // the row above the first
    // Room for the worst case, left uninitialised: the pages of the part never written are never touched.
    template <typename T> struct Buffer {
        std::unique_ptr<T[]> data;
        std::size_t size = 0;
        T* atLeast(std::size_t n) {
            if (size < n) {
                data = std::make_unique_for_overwrite<T[]>(n);
                size = n;
            }
            return data.get();
        }
    };
    Buffer<std::uint16_t> tokens_; // bytes 0..255, runs of zeros 256 + length
    Buffer<std::uint8_t> out_;
};

} // namespace vantle
