#pragma once
// Writing icon (.ico) and cursor (.cur) files, and single images as the cursor resources of animated
// cursor frames.

#include "model/BinaryFile.h"
#include "model/IconDocument.h"

#include <cstdint>
#include <vector>

namespace vantle {

// The bit count an image of this depth is written with: 1, 4, 8, or 24 for full colour.
int bitCountOf(ColourDepth depth);

// Bitmap header, palette, colour rows and mask rows of an image whose palette and index map are current.
void writeImageData(ByteWriter& out, const IconImage& image, const MarkerColours& markers);

// A cursor resource holding exactly this image (type 2, one entry, offset 22).
void writeCursorResource(ByteWriter& out, const IconImage& image, const MarkerColours& markers);

// Derives every image's depth from its colours, chooses the first image of each size and depth
// (writeFlag) and returns the bytes of the file. type is 1 for an icon, 2 for a cursor.
std::vector<std::uint8_t> buildIconFile(IconDocument& document, std::int16_t type,
                                        const MarkerColours& markers);

// buildIconFile, then replaces the file at path in one step. False when the file could not be written;
// the old file is then left as it was.
bool writeIconFile(IconDocument& document, const std::string& path, std::int16_t type,
                   const MarkerColours& markers);

} // namespace vantle
