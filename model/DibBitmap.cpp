#include "model/DibBitmap.h"

#include <algorithm>
#include <cassert>

namespace vantle {

namespace {

constexpr std::uint32_t kLongestHeader = 124; // the fifth version of the bitmap header

struct DibHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0; // colour rows and mask rows
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
};

DibHeader readHeader(ByteReader& r) {
    const std::size_t start = r.position();
    DibHeader h;
    h.size = r.readUDword();
    h.width = r.readDword();
    h.height = r.readDword();
    r.readWord(); // planes
    h.bitCount = r.readWord();
    h.compression = r.readUDword();
    r.readDword(); // image size
    r.readDword(); // horizontal resolution
    r.readDword(); // vertical resolution
    h.coloursUsed = r.readUDword();
    r.readDword(); // colours important
    // Later header versions are longer; their extra fields come before the palette.
    if (h.size > kDibHeaderSize && h.size <= kLongestHeader)
        r.seek(start + h.size);
    return h;
}

void readPalette(ByteReader& r, DibBitmap& b, std::uint32_t coloursUsed) {
    const int entries = b.bitCount == 1 ? 2 : b.bitCount == 4 ? 16 : b.bitCount == 8 ? 256 : 0;
    // A palette shorter than the bit count allows says so in its colours-used field.
    const int stored = (coloursUsed > 0 && coloursUsed < static_cast<std::uint32_t>(entries))
                           ? static_cast<int>(coloursUsed)
                           : entries;
    b.palette.assign(static_cast<std::size_t>(entries), kBlack);
    for (int k = 0; k < stored; ++k) {
        const int blue = r.readByte();
        const int green = r.readByte();
        const int red = r.readByte();
        r.readByte();
        b.palette[static_cast<std::size_t>(k)] = makeColour(red, green, blue);
    }
}

void readColourRows(ByteReader& r, DibBitmap& b) {
    const int stride = dibRowBytes(b.width, b.pixelBits);
    b.colourColumns = b.pixelBits <= 8 ? stride * 8 / b.pixelBits : b.width;
    b.colours.assign(static_cast<std::size_t>(b.colourColumns) * static_cast<std::size_t>(b.height), kBlack);
    if (b.pixelBits == 32)
        b.alpha.assign(static_cast<std::size_t>(b.width) * static_cast<std::size_t>(b.height), 0);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(stride));
    for (int y = b.height - 1; y >= 0; --y) {
        r.readBlock(row);
        colourRGB* out = &b.colours[static_cast<std::size_t>(y) * static_cast<std::size_t>(b.colourColumns)];
        switch (b.pixelBits) {
        case 1:
            for (int j = 0; j < stride; ++j)
                for (int bit = 0; bit < 8; ++bit)
                    out[j * 8 + 7 - bit] = b.palette[(row[static_cast<std::size_t>(j)] >> bit) & 1];
            break;
        case 4:
            for (int j = 0; j < stride; ++j) {
                out[j * 2] = b.palette[row[static_cast<std::size_t>(j)] >> 4];
                out[j * 2 + 1] = b.palette[row[static_cast<std::size_t>(j)] & 0x0F];
            }
            break;
        case 8:
            for (int j = 0; j < stride; ++j)
                out[j] = b.palette[row[static_cast<std::size_t>(j)]];
            break;
        default: {
            const int bytesPerPixel = b.pixelBits / 8;
            for (int x = 0; x < b.width; ++x) {
                const std::uint8_t* px = &row[static_cast<std::size_t>(x * bytesPerPixel)];
                out[x] = makeColour(px[2], px[1], px[0]);
                if (bytesPerPixel == 4) {
                    b.alpha[static_cast<std::size_t>(y) * static_cast<std::size_t>(b.width) +
                            static_cast<std::size_t>(x)] = px[3];
                    b.anyAlpha = b.anyAlpha || px[3] != 0;
                }
            }
            break;
        }
        }
    }
}

void readMaskRows(ByteReader& r, DibBitmap& b) {
    const int stride = dibRowBytes(b.width, 1);
    b.maskColumns = stride * 8;
    b.mask.assign(static_cast<std::size_t>(b.maskColumns) * static_cast<std::size_t>(b.height), 0);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(stride));
    for (int y = b.height - 1; y >= 0; --y) {
        r.readBlock(row);
        std::uint8_t* out = &b.mask[static_cast<std::size_t>(y) * static_cast<std::size_t>(b.maskColumns)];
        for (int j = 0; j < stride; ++j)
            for (int bit = 0; bit < 8; ++bit)
                out[j * 8 + 7 - bit] =
                    static_cast<std::uint8_t>((row[static_cast<std::size_t>(j)] >> bit) & 1);
    }
}

DibBitmap readBody(ByteReader& r, const DibHeader& h, int width, int height) {
    assert(width >= 1 && width <= 256 && height >= 1 && height <= 256);
    DibBitmap b;
    b.width = width;
    b.height = height;
    b.bitCount = h.bitCount;
    b.pixelBits =
        (h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 32) ? h.bitCount : 24;
    readPalette(r, b, h.coloursUsed);
    readColourRows(r, b);
    b.coloursComplete = r.position() <= r.size();
    readMaskRows(r, b);
    b.complete = r.position() <= r.size();
    return b;
}

} // namespace

ColourDepth depthOfBitCount(int bitCount) {
    return bitCount == 1 ? 2 : bitCount == 4 ? 16 : bitCount == 8 ? 256 : kDepthFull;
}

DibBitmap readDibBitmap(ByteReader& r, int width, int height) {
    const DibHeader h = readHeader(r);
    return readBody(r, h, width, height);
}

std::optional<DibBitmap> readDibBitmapOwnSize(ByteReader& r) {
    const DibHeader h = readHeader(r);
    const int bits = h.bitCount;
    if (h.size < kDibHeaderSize || h.compression != 0 ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
        return std::nullopt;
    const std::int32_t height = h.height / 2;
    if (h.width < 1 || h.width > 256 || height < 1 || height > 256)
        return std::nullopt;
    // A header longer than the versions we know still has its palette right after it.
    if (h.size > kLongestHeader)
        r.seek(r.position() - kDibHeaderSize + h.size);
    return readBody(r, h, h.width, height);
}

namespace {

std::size_t paletteEntriesOf(int bitCount) {
    return bitCount <= 8 ? std::size_t{1} << bitCount : 0;
}

} // namespace

std::size_t dibSize(int width, int height, int bitCount) {
    const auto rows = static_cast<std::size_t>(height);
    return kDibHeaderSize + 4 * paletteEntriesOf(bitCount) +
           (static_cast<std::size_t>(dibRowBytes(width, bitCount)) +
            static_cast<std::size_t>(dibRowBytes(width, 1))) *
               rows;
}

void writeDibBitmap(ByteWriter& out, const DibToWrite& dib) {
    const int w = dib.width();
    const int h = dib.height();
    const std::size_t entries = paletteEntriesOf(dib.bitCount());
    const std::size_t rowBytes = dib.colourRow(0).size() + dib.maskRow(0).size();
    const std::span<std::uint8_t> bytes = out.append(dibSize(w, h, dib.bitCount()));
    putLe32(bytes, 0, kDibHeaderSize);
    putLe32(bytes, 4, static_cast<std::uint32_t>(w));
    putLe32(bytes, 8, static_cast<std::uint32_t>(2 * h));
    putLe16(bytes, 12, 1);
    putLe16(bytes, 14, static_cast<std::uint32_t>(dib.bitCount()));
    putLe32(bytes, 20, static_cast<std::uint32_t>(rowBytes * static_cast<std::size_t>(h)));
    for (std::size_t k = 0; k < entries && k < dib.palette.size(); ++k)
        putLe32(bytes, kDibHeaderSize + 4 * k, dib.palette[k] & 0xFFFFFF);
    // Colour rows, then mask rows, each bottom row first.
    auto at = bytes.begin() + static_cast<std::ptrdiff_t>(kDibHeaderSize + 4 * entries);
    for (int y = h - 1; y >= 0; --y)
        at = std::copy(dib.colourRow(y).begin(), dib.colourRow(y).end(), at);
    for (int y = h - 1; y >= 0; --y)
        at = std::copy(dib.maskRow(y).begin(), dib.maskRow(y).end(), at);
}

} // namespace vantle
