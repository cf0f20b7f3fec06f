#pragma once
// The Xcursor format of X11 cursor themes: a header with the magic "Xcur", a table of contents, and image
// chunks of premultiplied ARGB pixels, each with its nominal size, hotspot and delay in milliseconds.
// Images of one nominal size, in the order of the table, are the frames of an animation.

#include "model/LosslessCursor.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vantle::xcursor {

inline constexpr std::uint32_t kMagic = 0x72756358; // "Xcur" read as a little-endian 32-bit value
inline constexpr std::uint32_t kFileHeaderSize = 16;
inline constexpr std::uint32_t kFileVersion = 0x10000;
inline constexpr std::uint32_t kTocEntrySize = 12;
inline constexpr std::uint32_t kImageType = 0xfffd0002;
inline constexpr std::uint32_t kImageHeaderSize = 36;
inline constexpr std::uint32_t kImageVersion = 1;
// The largest side and table length libXcursor accepts; larger values mark a damaged file.
inline constexpr std::uint32_t kMaxSide = 0x7fff;
inline constexpr std::uint32_t kMaxToc = 0x10000;

// One image chunk named by the table of contents.
struct ImageChunk {
    std::uint32_t nominal = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t xhot = 0;
    std::uint32_t yhot = 0;
    std::uint32_t delay = 0; // milliseconds
    std::size_t pixels = 0;  // offset of the first pixel in the file
};

// Every image chunk of the table of contents, in table order, each checked the way libXcursor checks it
// (sizes, hotspot inside the image, pixels inside the file); nothing for a damaged file.
std::optional<std::vector<ImageChunk>> readImageChunks(std::span<const std::uint8_t> bytes);

// Pixel (x, y) of a chunk: premultiplied 0xAARRGGBB.
std::uint32_t pixelAt(std::span<const std::uint8_t> bytes, const ImageChunk& chunk, std::uint32_t x,
                      std::uint32_t y);

// Premultiplied to straight alpha: each colour channel c * 255 / a, rounded to the nearest, so that
// premultiplying again gives the stored value back.
std::uint32_t straight(std::uint32_t premultiplied);
// Straight alpha to premultiplied: each colour channel rounded c * a / 255, as xcursorgen premultiplies.
std::uint32_t premultiplied(std::uint32_t argb);

// One image chunk to write: its nominal size, its delay in milliseconds and the image, whose straight-alpha
// pixels are premultiplied on the way out and whose hotspot is kept inside it.
struct ChunkToWrite {
    std::uint32_t nominal = 0;
    std::uint32_t delay = 0;
    const CursorImage* image = nullptr;
};

// The file holding the chunks in this order, each named by the table of contents; nothing when they are more
// than kMaxToc or the file would be larger than maxBytes.
std::optional<std::vector<std::uint8_t>> writeImageChunks(std::span<const ChunkToWrite> chunks,
                                                          std::uint64_t maxBytes);

// True when the bytes begin with the Xcursor magic.
bool hasMagic(std::span<const std::uint8_t> head);

// A delay in milliseconds as jiffies, rounded to the nearest, at least 1 (a step is always shown).
std::int32_t jiffiesOfMilliseconds(std::uint32_t milliseconds);

} // namespace vantle::xcursor
