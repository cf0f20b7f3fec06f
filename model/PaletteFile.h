#pragma once
// Palette files (.vtp): the colour table of one image kept for reuse.
//
// Layout, little-endian: the four bytes "VTPF", a 32-bit signed count, then count entries of blue, green,
// red and a zero byte. This program writes counts of 2, 16 or 256; the reader takes any bytes, ignores the
// magic and uses at most 256 entries.

#include "model/IconDocument.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vantle {

constexpr int kPaletteFileEntries = 256;

enum class PaletteReadStatus {
    Read,      // the colours are in the table
    NotOpened, // the file could not be opened or read
    NoHeader,  // fewer than the 8 bytes of magic and count
    NoColours, // a count below 1
};

struct PaletteFileColours {
    PaletteReadStatus status = PaletteReadStatus::NotOpened;
    std::int32_t storedCount = 0; // the count as the file holds it
    int count = 0;                // the entries in use: storedCount limited to 1..256
    int entriesHeld = 0;          // how many of them the file holds completely
    // Entries 0 .. count - 1 as read; every entry the file does not hold is white.
    std::array<colourRGB, kPaletteFileEntries> colours{};

    bool ok() const { return status == PaletteReadStatus::Read; }
};

PaletteFileColours readPaletteBytes(std::span<const std::uint8_t> bytes);
PaletteFileColours readPaletteFile(const std::string& path);

// "VTPF", the count and every entry, nothing else.
std::vector<std::uint8_t> buildPaletteFile(std::span<const colourRGB> entries);
// buildPaletteFile, written to a temporary file in the target's folder and renamed over it. False when it
// could not be written; the old file is then left as it was.
bool writePaletteFile(const std::string& path, std::span<const colourRGB> entries);

// The entries a palette file of this image holds: its depth's number of colours (256 for full colour and
// 32 bits; an undetermined depth follows from the colours), its colours in order of first occurrence, white
// behind them. Counts the image's colours, so its palette and index map become current.
std::vector<colourRGB> paletteFileEntriesOf(IconImage& image, const MarkerColours& markers);

// The depth an image made of a palette file gets: the depth rule applied to its count.
ColourDepth paletteImageDepth(int count);

// A 16 x 16 image of the colours: up to 16 colours as sixteen 4 x 4 blocks, row by row, otherwise one pixel
// per colour, pixel (x, y) showing colour 16 y + x. Colours past count are white. Hotspot (0, 0).
void makePaletteImage(IconImage& image, const PaletteFileColours& palette);

} // namespace vantle
