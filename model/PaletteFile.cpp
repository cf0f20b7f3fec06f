#include "model/PaletteFile.h"

#include "model/BinaryFile.h"
#include "model/ColourAnalysis.h"
#include "model/TrueColourDocument.h"

#include <algorithm>
#include <cassert>
#include <fstream>

namespace vantle {

namespace {

constexpr std::size_t kHeaderBytes = 8;
constexpr std::size_t kEntryBytes = 4;
// No more than this is ever taken from a file: the header and 256 entries.
constexpr std::size_t kMostBytes = kHeaderBytes + kEntryBytes * kPaletteFileEntries;

} // namespace

PaletteFileColours readPaletteBytes(std::span<const std::uint8_t> bytes) {
    PaletteFileColours palette;
    palette.colours.fill(kWhite);
    if (bytes.size() < kHeaderBytes) {
        palette.status = PaletteReadStatus::NoHeader;
        return palette;
    }
    ByteReader in(bytes);
    in.readTag(); // the magic is not tested
    palette.storedCount = in.readDword();
    if (palette.storedCount < 1) {
        palette.status = PaletteReadStatus::NoColours;
        return palette;
    }
    palette.count = static_cast<int>(std::min<std::int32_t>(palette.storedCount, kPaletteFileEntries));
    palette.entriesHeld = static_cast<int>(std::min<std::size_t>(
        static_cast<std::size_t>(palette.count), (bytes.size() - kHeaderBytes) / kEntryBytes));
    for (int k = 0; k < palette.entriesHeld; ++k) {
        const int blue = in.readByte();
        const int green = in.readByte();
        const int red = in.readByte();
        in.readByte();
        palette.colours[static_cast<std::size_t>(k)] = makeColour(red, green, blue);
    }
    palette.status = PaletteReadStatus::Read;
    return palette;
}

PaletteFileColours readPaletteFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        PaletteFileColours palette;
        palette.colours.fill(kWhite);
        return palette;
    }
    std::vector<std::uint8_t> bytes(kMostBytes);
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (file.bad()) {
        PaletteFileColours palette;
        palette.colours.fill(kWhite);
        return palette;
    }
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return readPaletteBytes(bytes);
}

std::vector<std::uint8_t> buildPaletteFile(std::span<const colourRGB> entries) {
    ByteWriter out;
    out.writeTag("VTPF");
    out.writeDword(static_cast<std::int64_t>(entries.size()));
    for (const colourRGB c : entries) {
        out.writeByte(static_cast<std::uint8_t>(blueOf(c)));
        out.writeByte(static_cast<std::uint8_t>(greenOf(c)));
        out.writeByte(static_cast<std::uint8_t>(redOf(c)));
        out.writeByte(0);
    }
    return out.bytes();
}

bool writePaletteFile(const std::string& path, std::span<const colourRGB> entries) {
    return replaceFileContents(path, buildPaletteFile(entries));
}

std::vector<colourRGB> paletteFileEntriesOf(IconImage& image, const MarkerColours& markers) {
    if (image.trueColour()) {
        // A 32-bit image's own colours, at most 256 of them, in a file of 256 entries.
        listTrueColourPalette(image);
        std::vector<colourRGB> entries(kPaletteFileEntries, kWhite);
        for (std::size_t k = 0; k < entries.size() && k < PaletteStore::kLow; ++k)
            entries[k] = image.palette[k];
        return entries;
    }
    const ColourCount counted = countImageColours(image, markers);
    ColourDepth depth = image.depth;
    if (depth == kDepthUndetermined)
        depth = depthFromCount(counted.count);
    const int count = depth == kDepthFull ? kPaletteFileEntries : depth;
    assert(count == 2 || count == 16 || count == 256);
    // Entries past the colours the count built are white, whatever an earlier count left there.
    const int built = counted.count < 0 ? kPaletteSize : counted.paletteLength;
    std::vector<colourRGB> entries(static_cast<std::size_t>(count), kWhite);
    for (int k = 0; k < count && k < built; ++k)
        entries[static_cast<std::size_t>(k)] = image.palette[static_cast<std::size_t>(k)];
    return entries;
}

ColourDepth paletteImageDepth(int count) {
    return depthFromCount(count);
}

void makePaletteImage(IconImage& image, const PaletteFileColours& palette) {
    auto colour = [&](int k) {
        return k < palette.count ? palette.colours[static_cast<std::size_t>(k)] : kWhite;
    };
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.pixels(x, y) = palette.count <= 16 ? colour(4 * (y / 4) + x / 4) : colour(16 * y + x);
    image.width = 16;
    image.height = 16;
    image.hotspotX = 0;
    image.hotspotY = 0;
    image.depth = paletteImageDepth(palette.count);
}

} // namespace vantle
