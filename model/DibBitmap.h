#pragma once
// The bitmap of an icon or cursor entry: bitmap header, palette, colour rows and AND-mask rows, bottom
// row first. Every reader of such bitmaps (icon files, animated cursor frames, programs' icons) decodes
// them here and decides itself what the colours, alpha and mask mean for it.

#include "model/BinaryFile.h"
#include "model/Colour.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vantle {

constexpr std::size_t kDibHeaderSize = 40;

struct DibBitmap {
    int width = 0;
    int height = 0;
    int bitCount = 0;  // the header's field
    int pixelBits = 0; // how the colour rows were read: 1, 4, 8, 32, or 24 for every other bit count
    // 2, 16 or 256 entries for 1-, 4- and 8-bit bitmaps (entries the file does not hold are black),
    // none otherwise.
    std::vector<colourRGB> palette;
    // Columns decoded per colour row: every column of the padded row of a 1-, 4- or 8-bit bitmap, so
    // that what the padding holds is kept; `width` for 24 and 32 bits.
    int colourColumns = 0;
    std::vector<colourRGB> colours;  // colourColumns x height, rows from the top
    std::vector<std::uint8_t> alpha; // width x height for 32-bit bitmaps, empty otherwise
    bool anyAlpha = false;           // some alpha byte is not 0: then alpha, not the mask, decides
    int maskColumns = 0;             // every column of the padded mask row
    std::vector<std::uint8_t> mask;  // maskColumns x height, rows from the top, 1 = masked
    bool complete = true;            // the data held every byte up to the end of the mask
    bool coloursComplete = true;     // the data held every colour row

    // Whole as far as it matters: every byte, or every colour row of a bitmap whose alpha decides (some
    // writers leave the mask out of 32-bit images).
    bool usable() const { return complete || (coloursComplete && anyAlpha); }

    colourRGB colourAt(int x, int y) const {
        return colours[static_cast<std::size_t>(y) * colourColumns + x];
    }
    bool maskedAt(int x, int y) const { return mask[static_cast<std::size_t>(y) * maskColumns + x] != 0; }
    std::uint8_t alphaAt(int x, int y) const { return alpha[static_cast<std::size_t>(y) * width + x]; }
};

// Bytes per bitmap row: rows are padded to a multiple of 4 bytes.
constexpr int dibRowBytes(int width, int bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

// The depth an entry's bit count gives: 1 -> 2, 4 -> 16, 8 -> 256, anything else full colour.
ColourDepth depthOfBitCount(int bitCount);

// Decodes the bitmap at the reader's position as width x height pixels (the directory's size, 1 to 256
// each), whatever the header says of its size. The reader is left after the mask.
DibBitmap readDibBitmap(ByteReader& r, int width, int height);

// The same with the size the bitmap header gives (its height counts colour and mask rows); nothing when
// that size is not 1 to 256 each way or the header is not one.
std::optional<DibBitmap> readDibBitmapOwnSize(ByteReader& r);

// What a bitmap entry is written from: the palette, and the colour and AND-mask rows filled pixel by pixel
// (rows from the top here; the file holds them bottom row first). Every row starts zero: index 0, black,
// not masked; the padding of a row stays zero unless a mask bit is set there.
class DibToWrite {
  public:
    // bitCount is 1, 4, 8, 24 or 32.
    DibToWrite(int width, int height, int bitCount)
        : width_(width), height_(height), bitCount_(bitCount),
          colourStride_(static_cast<std::size_t>(dibRowBytes(width, bitCount))),
          maskStride_(static_cast<std::size_t>(dibRowBytes(width, 1))),
          colourRows_(colourStride_ * static_cast<std::size_t>(height)),
          maskRows_(maskStride_ * static_cast<std::size_t>(height)) {}

    int width() const { return width_; }
    int height() const { return height_; }
    int bitCount() const { return bitCount_; }
    // Columns of a mask row, the padding included.
    int maskColumns() const { return static_cast<int>(maskStride_ * 8); }

    // 0x00RRGGBB, up to 2^bitCount entries for 1, 4 and 8 bits; the entries it lacks are written black.
    std::vector<std::uint32_t> palette;

    // A palette index (1, 4 and 8 bits).
    void setIndex(int x, int y, std::uint32_t index) {
        const auto bits = static_cast<unsigned>(bitCount_);
        const std::size_t bit = static_cast<std::size_t>(x) * bits;
        const auto shift = static_cast<unsigned>(8 - bits - (bit & 7));
        std::uint8_t& byte = colourRows_[static_cast<std::size_t>(y) * colourStride_ + (bit >> 3)];
        byte = static_cast<std::uint8_t>(byte | (index & ((1u << bits) - 1)) << shift);
    }
    // A colour, 0xAARRGGBB (24 and 32 bits; the alpha is kept in 32).
    void setColour(int x, int y, std::uint32_t argb) {
        const std::size_t bytes = bitCount_ == 32 ? 4 : 3;
        std::uint8_t* at =
            &colourRows_[static_cast<std::size_t>(y) * colourStride_ + bytes * static_cast<std::size_t>(x)];
        for (std::size_t k = 0; k < bytes; ++k)
            at[k] = static_cast<std::uint8_t>(argb >> (8 * k));
    }
    // Sets the mask bit of column x (x < maskColumns()).
    void setMasked(int x, int y) {
        std::uint8_t& byte =
            maskRows_[static_cast<std::size_t>(y) * maskStride_ + static_cast<std::size_t>(x) / 8];
        byte = static_cast<std::uint8_t>(byte | 0x80u >> (x % 8));
    }

    std::span<const std::uint8_t> colourRow(int y) const {
        return std::span(colourRows_).subspan(static_cast<std::size_t>(y) * colourStride_, colourStride_);
    }
    std::span<const std::uint8_t> maskRow(int y) const {
        return std::span(maskRows_).subspan(static_cast<std::size_t>(y) * maskStride_, maskStride_);
    }

  private:
    int width_;
    int height_;
    int bitCount_;
    std::size_t colourStride_;
    std::size_t maskStride_;
    std::vector<std::uint8_t> colourRows_;
    std::vector<std::uint8_t> maskRows_;
};

// Bytes of the entry: the 40-byte header, the palette, the colour rows and the AND-mask rows.
std::size_t dibSize(int width, int height, int bitCount);

// Appends the entry's bytes (dibSize of them).
void writeDibBitmap(ByteWriter& out, const DibToWrite& dib);

} // namespace vantle
