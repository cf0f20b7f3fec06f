#include "model/IconFileWriter.h"

#include "model/ColourAnalysis.h"
#include "model/IconEntryFields.h"

#include <cassert>
#include <set>
#include <tuple>

namespace vantle {

namespace {

int rowBytes(int width, int bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

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

bool isMarker(colourRGB c, const MarkerColours& m) {
    return c == m.transparent || c == m.inverted;
}

void writeDirectoryEntry(ByteWriter& out, const IconImage& image, std::uint32_t offset, int fileType) {
    const ImageLayout layout = layoutOf(image);
    const EntryFields fields = entryFieldsFor(fileType, image.hotspotX, image.hotspotY, layout.bitCount);
    out.writeByte(static_cast<std::uint8_t>(image.width));
    out.writeByte(static_cast<std::uint8_t>(image.height));
    out.writeByte(static_cast<std::uint8_t>(image.depth == 2 || image.depth == 16 ? image.depth : 0));
    out.writeByte(0);
    out.writeWord(fields.atOffset4);
    out.writeWord(fields.atOffset6);
    out.writeDword(layout.dataSize);
    out.writeDword(offset);
}

} // namespace

ImageLayout layoutOf(const IconImage& image) {
    ImageLayout l;
    l.bitCount = bitCountOf(image.depth);
    l.paletteEntries = l.bitCount == 24 ? 0 : 1 << l.bitCount;
    l.colourBytes = rowBytes(image.width, l.bitCount) * image.height;
    l.maskBytes = rowBytes(image.width, 1) * image.height;
    l.dataSize = 40 + 4 * l.paletteEntries + l.colourBytes + l.maskBytes;
    return l;
}

void writeImageData(ByteWriter& out, const IconImage& image, const MarkerColours& markers) {
    const ImageLayout l = layoutOf(image);
    out.writeDword(40);
    out.writeDword(image.width);
    out.writeDword(2 * image.height);
    out.writeWord(1);
    out.writeWord(l.bitCount);
    out.writeDword(0);
    out.writeDword(l.colourBytes + l.maskBytes);
    out.writeDword(0);
    out.writeDword(0);
    out.writeDword(0);
    out.writeDword(0);
    for (int k = 0; k < l.paletteEntries; ++k) {
        const colourRGB c = image.palette[static_cast<std::size_t>(k)];
        out.writeByte(static_cast<std::uint8_t>(blueOf(c)));
        out.writeByte(static_cast<std::uint8_t>(greenOf(c)));
        out.writeByte(static_cast<std::uint8_t>(redOf(c)));
        out.writeByte(0);
    }
    const int w = image.width;
    // Index of a column inside the image; the padding of a row carries no image content.
    auto index = [&](int x, int y) -> int { return x < w ? image.indexMap(x, y) : 0; };
    const int colourStride = rowBytes(w, l.bitCount);
    for (int y = image.height - 1; y >= 0; --y) {
        switch (l.bitCount) {
        case 1:
            for (int j = 0; j < colourStride * 8; j += 8) {
                int byte = 0;
                if (j + 7 < kImageGrid)
                    for (int k = 0; k < 8; ++k)
                        byte |= (index(j + k, y) & 1) << (7 - k);
                out.writeByte(static_cast<std::uint8_t>(byte));
            }
            break;
        case 4:
            for (int j = 0; j < colourStride * 2; j += 2)
                out.writeByte(
                    static_cast<std::uint8_t>((index(j, y) & 0x0F) * 16 + (index(j + 1, y) & 0x0F)));
            break;
        case 8:
            for (int j = 0; j < colourStride; ++j)
                out.writeByte(static_cast<std::uint8_t>(index(j, y) & 0xFF));
            break;
        default:
            for (int x = 0; x < w; ++x) {
                colourRGB c = image.pixels(x, y);
                if (c == markers.transparent)
                    c = kBlack;
                else if (c == markers.inverted)
                    c = kWhite;
                out.writeByte(static_cast<std::uint8_t>(blueOf(c)));
                out.writeByte(static_cast<std::uint8_t>(greenOf(c)));
                out.writeByte(static_cast<std::uint8_t>(redOf(c)));
            }
            for (int pad = 3 * w; pad < colourStride; ++pad)
                out.writeByte(0);
            break;
        }
    }
    const int maskStride = rowBytes(w, 1);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int j = 0; j < maskStride * 8; j += 8) {
            int byte = 0;
            // Columns between the width and the row's end that lie inside the grid come from the grid cells.
            if (j + 7 < kImageGrid)
                for (int k = 0; k < 8; ++k)
                    if (isMarker(image.pixels(j + k, y), markers))
                        byte |= 1 << (7 - k);
            out.writeByte(static_cast<std::uint8_t>(byte));
        }
    }
}

void writeCursorResource(ByteWriter& out, const IconImage& image, const MarkerColours& markers) {
    out.writeWord(0);
    out.writeWord(2);
    out.writeWord(1);
    writeDirectoryEntry(out, image, 22, 2);
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

    ByteWriter out;
    out.writeWord(0);
    out.writeWord(type);
    out.writeWord(static_cast<std::int32_t>(written.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * written.size());
    for (const IconImage* image : written) {
        writeDirectoryEntry(out, *image, offset, type);
        offset += static_cast<std::uint32_t>(layoutOf(*image).dataSize);
    }
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
