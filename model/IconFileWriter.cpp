#include "model/IconFileWriter.h"

#include "model/ColourAnalysis.h"
#include "model/DibBitmap.h"
#include "model/IconDirectory.h"
#include "model/IconEntryFields.h"

#include <cassert>
#include <set>
#include <tuple>

namespace vantle {

namespace {

IconEntryToWrite entryOf(const IconImage& image, int fileType) {
    const int bits = bitCountOf(image.depth);
    const EntryFields fields = entryFieldsFor(fileType, image.hotspotX, image.hotspotY, bits);
    return {image.width,      image.height,     image.depth == 2 || image.depth == 16 ? image.depth : 0,
            fields.atOffset4, fields.atOffset6, dibSize(image.width, image.height, bits)};
}

// The image as a bitmap entry: palette indices from the index map, or colours with the transparent marker
// written black and the inverted one white; the mask marks both markers. Mask columns past the width take
// the grid cells there as long as the whole byte lies inside the grid, as the program always wrote them.
DibToWrite bitmapOf(const IconImage& image, const MarkerColours& markers) {
    DibToWrite dib(image.width, image.height, bitCountOf(image.depth));
    const bool indexed = dib.bitCount() <= 8;
    if (indexed)
        for (std::size_t k = 0; k < (std::size_t{1} << dib.bitCount()); ++k)
            dib.palette.push_back(argbOf(image.palette[k], 0));
    const int maskColumns = dib.maskColumns();
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (indexed) {
                dib.setIndex(x, y, static_cast<std::uint32_t>(image.indexMap(x, y)));
                continue;
            }
            colourRGB c = image.pixels(x, y);
            if (c == markers.transparent)
                c = kBlack;
            else if (c == markers.inverted)
                c = kWhite;
            dib.setColour(x, y, argbOf(c, 0));
        }
        for (int x = 0; x < maskColumns && (x | 7) < kImageGrid; ++x)
            if (markers.isMarker(image.pixels(x, y)))
                dib.setMasked(x, y);
    }
    return dib;
}

} // namespace

int bitCountOf(ColourDepth depth) {
    switch (depth) {
    case 2:
        return 1;
    case 16:
        return 4;
    case 256:
        return 8;
    default:
        return 24;
    }
}

void writeImageData(ByteWriter& out, const IconImage& image, const MarkerColours& markers) {
    writeDibBitmap(out, bitmapOf(image, markers));
}

void writeCursorResource(ByteWriter& out, const IconImage& image, const MarkerColours& markers) {
    const IconEntryToWrite entry = entryOf(image, 2);
    writeIconDirectory(out, 2, std::span(&entry, 1));
    writeImageData(out, image, markers);
}

std::vector<std::uint8_t> buildIconFile(IconDocument& document, std::int16_t type,
                                        const MarkerColours& markers) {
    assert(type == 1 || type == 2);
    const int count = document.imageCount;
    for (int i = 0; i < count; ++i)
        document.images[static_cast<std::size_t>(i)].depth =
            depthFromCount(countColours(document, i, markers));

    std::set<std::tuple<int, int, int>> taken;
    std::vector<const IconImage*> written;
    for (int i = 0; i < count; ++i) {
        IconImage& image = document.images[static_cast<std::size_t>(i)];
        image.writeFlag = taken.insert({image.width, image.height, image.depth}).second;
        if (image.writeFlag)
            written.push_back(&image);
    }

    std::vector<IconEntryToWrite> entries;
    for (const IconImage* image : written)
        entries.push_back(entryOf(*image, type));
    ByteWriter out;
    writeIconDirectory(out, type, entries);
    for (const IconImage* image : written)
        writeImageData(out, *image, markers);
    return out.bytes();
}

bool writeIconFile(IconDocument& document, const std::string& path, std::int16_t type,
                   const MarkerColours& markers) {
    const std::vector<std::uint8_t> bytes = buildIconFile(document, type, markers);
    return replaceFileContents(path, bytes);
}

} // namespace vantle
