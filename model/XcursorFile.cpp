#include "model/XcursorFile.h"

#include <algorithm>
#include <limits>

namespace vantle::xcursor {

namespace {

std::uint32_t dwordAt(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

bool fits(std::span<const std::uint8_t> bytes, std::uint64_t at, std::uint64_t count) {
    return at <= bytes.size() && count <= bytes.size() - at;
}

// One image chunk at position, checked the way libXcursor checks it; nothing when it is damaged.
std::optional<ImageChunk> readChunk(std::span<const std::uint8_t> bytes, std::uint32_t position,
                                    std::uint32_t tocSubtype) {
    if (!fits(bytes, position, kImageHeaderSize))
        return std::nullopt;
    const std::uint32_t headerSize = dwordAt(bytes, position);
    if (headerSize < kImageHeaderSize || dwordAt(bytes, position + 4) != kImageType ||
        dwordAt(bytes, position + 8) != tocSubtype)
        return std::nullopt;
    ImageChunk c;
    c.nominal = tocSubtype;
    c.width = dwordAt(bytes, position + 16);
    c.height = dwordAt(bytes, position + 20);
    c.xhot = dwordAt(bytes, position + 24);
    c.yhot = dwordAt(bytes, position + 28);
    c.delay = dwordAt(bytes, position + 32);
    if (c.width == 0 || c.height == 0 || c.width > kMaxSide || c.height > kMaxSide || c.xhot > c.width ||
        c.yhot > c.height)
        return std::nullopt;
    const std::uint64_t pixelStart = static_cast<std::uint64_t>(position) + headerSize;
    if (!fits(bytes, pixelStart, std::uint64_t{c.width} * c.height * 4))
        return std::nullopt;
    c.pixels = static_cast<std::size_t>(pixelStart);
    return c;
}

} // namespace

std::optional<std::vector<ImageChunk>> readImageChunks(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kFileHeaderSize || !hasMagic(bytes))
        return std::nullopt;
    const std::uint32_t headerSize = dwordAt(bytes, 4);
    const std::uint32_t ntoc = dwordAt(bytes, 12);
    if (headerSize < kFileHeaderSize || ntoc > kMaxToc ||
        !fits(bytes, headerSize, std::uint64_t{ntoc} * kTocEntrySize))
        return std::nullopt;
    std::vector<ImageChunk> chunks;
    for (std::uint32_t i = 0; i < ntoc; ++i) {
        const std::size_t entry = headerSize + std::size_t{i} * kTocEntrySize;
        if (dwordAt(bytes, entry) != kImageType)
            continue; // comments and chunks of other kinds
        auto chunk = readChunk(bytes, dwordAt(bytes, entry + 8), dwordAt(bytes, entry + 4));
        if (!chunk)
            return std::nullopt;
        chunks.push_back(*chunk);
    }
    return chunks;
}

std::uint32_t pixelAt(std::span<const std::uint8_t> bytes, const ImageChunk& chunk, std::uint32_t x,
                      std::uint32_t y) {
    return dwordAt(bytes, chunk.pixels + (std::size_t{y} * chunk.width + x) * 4);
}

bool hasMagic(std::span<const std::uint8_t> head) {
    return head.size() >= 4 && head[0] == 'X' && head[1] == 'c' && head[2] == 'u' && head[3] == 'r';
}

std::uint32_t millisecondsOfJiffies(std::int32_t jiffies) {
    if (jiffies <= 0)
        return 0;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(jiffies) * 1000 + 30) / 60);
}

std::int32_t jiffiesOfMilliseconds(std::uint32_t milliseconds) {
    const std::uint64_t jiffies = (static_cast<std::uint64_t>(milliseconds) * 60 + 500) / 1000;
    return static_cast<std::int32_t>(std::clamp<std::uint64_t>(
        jiffies, 1, static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())));
}

} // namespace vantle::xcursor
