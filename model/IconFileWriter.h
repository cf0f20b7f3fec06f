#pragma once
// Writing icon (.ico) and cursor (.cur) files, and single images as the cursor resources of animated
// cursor frames.

#include "model/BinaryFile.h"
#include "model/IconDocument.h"

#include <cstdint>
#include <vector>

namespace vantle {

// Sizes of one image in a file, from its width, height and depth.
struct ImageLayout {
    int bitCount = 0;
    int paletteEntries = 0;
    int colourBytes = 0;
    int maskBytes = 0;
    int dataSize = 0; // bitmap header + palette + colour bitmap + mask
};

ImageLayout layoutOf(const IconImage& image);

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
