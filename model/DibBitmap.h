#pragma once
// The bitmap of an icon or cursor entry: bitmap header, palette, colour rows and AND-mask rows, bottom
// row first. Every reader of such bitmaps (icon files, animated cursor frames, programs' icons) decodes
// them here and decides itself what the colours, alpha and mask mean for it.

#include "model/BinaryFile.h"
#include "model/Colour.h"

#include <cstdint>
#include <optional>
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

// What a bitmap entry is written from. Rows from the top; the file holds them bottom row first.
struct DibToWrite {
    int width = 0;
    int height = 0;
    int bitCount = 0; // 1, 4, 8, 24 or 32
    // 0x00RRGGBB, up to 2^bitCount entries for 1, 4 and 8 bits; the entries it lacks are written black.
    std::vector<std::uint32_t> palette;
    // width x height values: palette indices for 1, 4 and 8 bits, else 0xAARRGGBB (alpha kept in 32 bits).
    std::vector<std::uint32_t> colours;
    // maskColumns() x height flags, 1 = masked. The columns past the width fill the row's padding.
    std::vector<std::uint8_t> mask;

    int maskColumns() const { return dibRowBytes(width, 1) * 8; }
};

// Bytes of the entry: the 40-byte header, the palette, the colour rows and the AND-mask rows.
std::size_t dibSize(int width, int height, int bitCount);

// Appends the entry's bytes (dibSize of them).
void writeDibBitmap(ByteWriter& out, const DibToWrite& dib);

} // namespace vantle
