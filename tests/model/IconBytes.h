#pragma once
// Icon and cursor files built field by field, for feeding the readers exactly the bytes a test needs.

#include "ModelTestSupport.h"

#include <functional>
#include <vector>

namespace vantle::test {

// One image's data: bitmap header, palette, colour rows and mask rows, bottom row first.
struct BitmapInput {
    int width = 32;
    int height = 32;
    int bitCount = 1;
    std::vector<colourRGB> palette; // written as blue, green, red, 0
    std::uint32_t coloursUsed = 0;  // the header field; also how many palette entries are written if set
    std::uint32_t headerSize = 40;  // bytes beyond 40 are written as zeros
    // Palette index (1, 4, 8 bits) or colour (24, 32 bits) of column x, row y; called for every column
    // of the padded row, so columns beyond the width can carry content too.
    std::function<int(int, int)> valueAt = [](int, int) { return 0; };
    std::function<int(int, int)> alphaAt = [](int, int) { return 0; }; // 32 bits only
    std::function<bool(int, int)> maskAt = [](int, int) { return false; };
};

// Row bytes padded to a multiple of 4; for widths 16, 32 and 48 the classic row lengths.
inline int paddedRowBytes(int width, int bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

inline Bytes bitmapData(const BitmapInput& s) {
    LeBytes b;
    const int colourRow = paddedRowBytes(s.width, s.bitCount);
    const int maskRow = paddedRowBytes(s.width, 1);
    b.u32(s.headerSize)
        .u32(static_cast<std::uint32_t>(s.width))
        .u32(static_cast<std::uint32_t>(2 * s.height));
    b.u16(1).u16(static_cast<unsigned>(s.bitCount)).u32(0);
    b.u32(static_cast<std::uint32_t>((colourRow + maskRow) * s.height)).u32(0).u32(0);
    b.u32(s.coloursUsed).u32(0);
    b.fill(s.headerSize > 40 ? s.headerSize - 40 : 0, 0);
    const std::size_t entries =
        s.bitCount <= 8 ? (s.coloursUsed > 0 ? s.coloursUsed : (std::size_t{1} << s.bitCount)) : 0;
    for (std::size_t k = 0; k < entries; ++k) {
        const colourRGB c = k < s.palette.size() ? s.palette[k] : kBlack;
        b.u8(static_cast<unsigned>(blueOf(c)))
            .u8(static_cast<unsigned>(greenOf(c)))
            .u8(static_cast<unsigned>(redOf(c)))
            .u8(0);
    }
    for (int y = s.height - 1; y >= 0; --y) {
        LeBytes row;
        switch (s.bitCount) {
        case 1:
        case 4:
        case 8: {
            const int perByte = 8 / s.bitCount;
            for (int j = 0; j < colourRow; ++j) {
                unsigned byte = 0;
                for (int k = 0; k < perByte; ++k)
                    byte |= (static_cast<unsigned>(s.valueAt(j * perByte + k, y)) & ((1u << s.bitCount) - 1))
                            << (8 - s.bitCount * (k + 1));
                row.u8(byte);
            }
            break;
        }
        default: {
            for (int x = 0; x < s.width; ++x) {
                const colourRGB c = s.valueAt(x, y);
                row.u8(static_cast<unsigned>(blueOf(c)))
                    .u8(static_cast<unsigned>(greenOf(c)))
                    .u8(static_cast<unsigned>(redOf(c)));
                if (s.bitCount == 32)
                    row.u8(static_cast<unsigned>(s.alphaAt(x, y)));
            }
            while (row.size() < static_cast<std::size_t>(colourRow))
                row.u8(0);
        }
        }
        b.raw(row.bytes);
    }
    for (int y = s.height - 1; y >= 0; --y)
        for (int j = 0; j < maskRow; ++j) {
            unsigned byte = 0;
            for (int k = 0; k < 8; ++k)
                if (s.maskAt(j * 8 + k, y))
                    byte |= 0x80u >> k;
            b.u8(byte);
        }
    return b.bytes;
}

// A directory entry as another program writes it; widthByte 0 stands for 256.
struct EntryInput {
    unsigned widthByte = 32;
    unsigned heightByte = 32;
    unsigned colourCount = 0;
    unsigned field4 = 0; // hotspot X of a cursor, planes of an icon
    unsigned field6 = 0; // hotspot Y of a cursor, bit count of an icon
    Bytes data;
    std::optional<std::uint32_t> offset; // the offset written; by default where the data really start
    std::optional<std::uint32_t> bytesInResource;
};

// Header, directory and the data of every entry one after another in directory order.
inline Bytes iconFileBytes(unsigned type, const std::vector<EntryInput>& entries) {
    LeBytes b;
    b.u16(0).u16(type).u16(static_cast<unsigned>(entries.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const EntryInput& e : entries) {
        b.u8(e.widthByte).u8(e.heightByte).u8(e.colourCount).u8(0).u16(e.field4).u16(e.field6);
        b.u32(e.bytesInResource.value_or(static_cast<std::uint32_t>(e.data.size())))
            .u32(e.offset.value_or(offset));
        offset += static_cast<std::uint32_t>(e.data.size());
    }
    for (const EntryInput& e : entries)
        b.raw(e.data);
    return b.bytes;
}

// The usual case: one bitmap entry whose directory size fields match the bitmap.
inline EntryInput entryFor(const BitmapInput& bitmap, unsigned field4 = 0, unsigned field6 = 0) {
    EntryInput e;
    e.widthByte = static_cast<unsigned>(bitmap.width) & 0xFF;
    e.heightByte = static_cast<unsigned>(bitmap.height) & 0xFF;
    e.colourCount = bitmap.bitCount == 1 ? 2 : bitmap.bitCount == 4 ? 16 : 0;
    e.field4 = field4;
    e.field6 = field6;
    e.data = bitmapData(bitmap);
    return e;
}

} // namespace vantle::test
