#pragma once
// Palette building and one-level colour reduction of one image.

#include "model/IconDocument.h"

#include <cstdint>

namespace vantle {

struct ColourCount {
    std::int16_t count = 0;         // palette entries built (1..256), 0 for no pixels, -1 above 256
    std::int16_t paletteLength = 0; // entries in use, rounded up to a multiple of 16
};

// Builds the image's palette (colours in order of first occurrence, rows from the top, each from the left)
// and its index map. A transparent pixel shares the black entry and an inverted pixel the white entry.
ColourCount countImageColours(IconImage& image, const MarkerColours& markers);

// countImageColours for image index of the document; also sets paletteLength and paletteCurrent.
std::int16_t countColours(IconDocument& document, int index, const MarkerColours& markers);

// Lowers the image one level (full colour to 256, 256 to 16, 16 to 2; nothing at 2) by keeping its most
// frequent colours and replacing every other colour by the nearest kept one. The new depth follows from
// countColours.
void reduceColours(IconDocument& document, int index, const MarkerColours& markers);

// The same reduction towards an explicit number of colours, whatever the image's depth.
void reduceColoursTo(IconDocument& document, int index, int target, const MarkerColours& markers);

} // namespace vantle
