#pragma once
// The PNG images of the theme layouts beside Xcursor (hyprcursor archives, scalable SVG cursors): many
// images, each written once per theme, so fast to make rather than as small as can be.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace vantle::theme {

// The encoder of the theme layouts' PNG images, 8-bit RGBA from straight-alpha 0xAARRGGBB pixels: several
// times faster than libpng at zlib's fastest level, and smaller on cursor pictures. Every row is Paeth
// filtered (a row of transparent pixels is stored as it is) and deflated in one block of its own Huffman
// codes whose only matches are runs of zeros: cursor pictures filter to 90 % and more of those (the
// transparent canvas, flat colour), so the work grows with the drawn pixels rather than with the canvas.
// Keep one object for many images: its buffers are reused. Nothing for a size that does not match.
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

} // namespace vantle::theme
