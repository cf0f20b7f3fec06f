#pragma once
// Picture files that claim more than they hold: headers declaring huge sizes, zero sizes, truncations and
// an animated GIF with more frames than a picture may have. Built byte by byte.

#include <cstdint>
#include <string>
#include <vector>

namespace vantle::test {

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void put32(Bytes& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
inline void put32be(Bytes& b, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        b.push_back(static_cast<std::uint8_t>(v >> shift));
}

// A 24-bit BMP header declaring width x height, followed by `pixelBytes` bytes of pixels.
inline Bytes bmpClaiming(std::int32_t width, std::int32_t height, std::size_t pixelBytes = 16) {
    Bytes b{'B', 'M'};
    put32(b, static_cast<std::uint32_t>(54 + pixelBytes));
    put32(b, 0);
    put32(b, 54);
    put32(b, 40);
    put32(b, static_cast<std::uint32_t>(width));
    put32(b, static_cast<std::uint32_t>(height));
    put16(b, 1);
    put16(b, 24);
    put32(b, 0);
    put32(b, 0);
    put32(b, 2835);
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
    b.resize(b.size() + pixelBytes, 0x7F);
    return b;
}

inline std::uint32_t crc32Of(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG signature and a valid IHDR chunk declaring width x height (8-bit RGBA), and nothing more.
inline Bytes pngClaiming(std::uint32_t width, std::uint32_t height) {
    Bytes b{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    put32be(b, 13);
    const std::size_t typeAt = b.size();
    for (char c : std::string("IHDR"))
        b.push_back(static_cast<std::uint8_t>(c));
    put32be(b, width);
    put32be(b, height);
    for (std::uint8_t v : {8, 6, 0, 0, 0})
        b.push_back(v);
    put32be(b, crc32Of(b.data() + typeAt, 17));
    return b;
}

// A GIF of `frames` frames of 1 x 1 pixel on a logical screen of width x height, each shown 20 ms.
inline Bytes gifClaiming(std::uint16_t width, std::uint16_t height, int frames = 1) {
    Bytes b{'G', 'I', 'F', '8', '9', 'a'};
    put16(b, width);
    put16(b, height);
    for (std::uint8_t v : {0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF}) // global table of 2 colours
        b.push_back(v);
    for (int i = 0; i < frames; ++i) {
        for (std::uint8_t v : {0x21, 0xF9, 0x04, 0x00, 0x02, 0x00, 0x00, 0x00}) // 20 ms
            b.push_back(v);
        for (std::uint8_t v : {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0}) // 1 x 1 at (0, 0)
            b.push_back(v);
        for (std::uint8_t v : {0x02, 0x02, 0x44, 0x01, 0x00}) // one pixel of colour 0
            b.push_back(v);
    }
    b.push_back(0x3B);
    return b;
}

} // namespace vantle::test
