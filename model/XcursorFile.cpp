#include "model/XcursorFile.h"

#include "model/BinaryFile.h"

#include <algorithm>
#include <limits>

namespace vantle::xcursor {

namespace {

// One image chunk at position, checked the way libXcursor checks it; nothing when it is damaged.
std::optional<ImageChunk> readChunk(std::span<const std::uint8_t> bytes, std::uint32_t position,
                                    std::uint32_t tocSubtype) {
    if (!holds(bytes, position, kImageHeaderSize))
        return std::nullopt;
    const std::uint32_t headerSize = le32At(bytes, position);
    if (headerSize < kImageHeaderSize || le32At(bytes, position + 4) != kImageType ||
        le32At(bytes, position + 8) != tocSubtype)
        return std::nullopt;
    ImageChunk c;
    c.nominal = tocSubtype;
    c.width = le32At(bytes, position + 16);
    c.height = le32At(bytes, position + 20);
    c.xhot = le32At(bytes, position + 24);
    c.yhot = le32At(bytes, position + 28);
    c.delay = le32At(bytes, position + 32);
    if (c.width == 0 || c.height == 0 || c.width > kMaxSide || c.height > kMaxSide || c.xhot > c.width ||
        c.yhot > c.height)
        return std::nullopt;
    const std::uint64_t pixelStart = static_cast<std::uint64_t>(position) + headerSize;
    if (!holds(bytes, pixelStart, std::uint64_t{c.width} * c.height * 4))
        return std::nullopt;
    c.pixels = static_cast<std::size_t>(pixelStart);
    return c;
}

} // namespace

std::optional<std::vector<ImageChunk>> readImageChunks(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kFileHeaderSize || !hasMagic(bytes))
        return std::nullopt;
    const std::uint32_t headerSize = le32At(bytes, 4);
    const std::uint32_t ntoc = le32At(bytes, 12);
    if (headerSize < kFileHeaderSize || ntoc > kMaxToc ||
        !holds(bytes, headerSize, std::uint64_t{ntoc} * kTocEntrySize))
        return std::nullopt;
    std::vector<ImageChunk> chunks;
    for (std::uint32_t i = 0; i < ntoc; ++i) {
        const std::size_t entry = headerSize + std::size_t{i} * kTocEntrySize;
        if (le32At(bytes, entry) != kImageType)
            continue; // comments and chunks of other kinds
        auto chunk = readChunk(bytes, le32At(bytes, entry + 8), le32At(bytes, entry + 4));
        if (!chunk)
            return std::nullopt;
        chunks.push_back(*chunk);
    }
    return chunks;
}

std::uint32_t pixelAt(std::span<const std::uint8_t> bytes, const ImageChunk& chunk, std::uint32_t x,
                      std::uint32_t y) {
    return le32At(bytes, chunk.pixels + (std::size_t{y} * chunk.width + x) * 4);
}

std::uint32_t straight(std::uint32_t premultiplied) {
    const std::uint32_t a = premultiplied >> 24;
    if (a == 0)
        return 0;
    if (a == 255)
        return premultiplied;
    auto channel = [a](std::uint32_t c) { return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a); };
    return a << 24 | channel((premultiplied >> 16) & 0xFF) << 16 | channel((premultiplied >> 8) & 0xFF) << 8 |
           channel(premultiplied & 0xFF);
}

std::uint32_t premultiplied(std::uint32_t argb) {
    const std::uint32_t a = argb >> 24;
    if (a == 255)
        return argb;
    auto channel = [a](std::uint32_t c) {
        const std::uint32_t t = c * a + 128;
        return (t + (t >> 8)) >> 8;
    };
    return a << 24 | channel((argb >> 16) & 0xFF) << 16 | channel((argb >> 8) & 0xFF) << 8 |
           channel(argb & 0xFF);
}

std::optional<std::vector<std::uint8_t>> writeImageChunks(std::span<const ChunkToWrite> chunks,
                                                          std::uint64_t maxBytes) {
    const std::uint64_t tableEnd = kFileHeaderSize + std::uint64_t{kTocEntrySize} * chunks.size();
    std::uint64_t total = tableEnd;
    for (const ChunkToWrite& c : chunks)
        total += kImageHeaderSize + 4 * c.image->argb.size();
    if (chunks.size() > kMaxToc || total > maxBytes)
        return std::nullopt;

    std::vector<std::uint8_t> out(static_cast<std::size_t>(total));
    std::size_t at = 0;
    auto write = [&out, &at](std::uint32_t v) {
        putLe32(out, at, v);
        at += 4;
    };
    write(kMagic);
    write(kFileHeaderSize);
    write(kFileVersion);
    write(static_cast<std::uint32_t>(chunks.size()));
    std::uint64_t position = tableEnd;
    for (const ChunkToWrite& c : chunks) {
        write(kImageType);
        write(c.nominal);
        write(static_cast<std::uint32_t>(position));
        position += kImageHeaderSize + 4 * c.image->argb.size();
    }
    for (const ChunkToWrite& c : chunks) {
        const CursorImage& image = *c.image;
        write(kImageHeaderSize);
        write(kImageType);
        write(c.nominal);
        write(kImageVersion);
        write(static_cast<std::uint32_t>(image.width));
        write(static_cast<std::uint32_t>(image.height));
        write(static_cast<std::uint32_t>(std::clamp(image.hotspotX, 0, image.width - 1)));
        write(static_cast<std::uint32_t>(std::clamp(image.hotspotY, 0, image.height - 1)));
        write(c.delay);
        for (std::uint32_t pixel : image.argb)
            write(premultiplied(pixel));
    }
    return out;
}

bool hasMagic(std::span<const std::uint8_t> head) {
    return head.size() >= 4 && head[0] == 'X' && head[1] == 'c' && head[2] == 'u' && head[3] == 'r';
}

std::int32_t jiffiesOfMilliseconds(std::uint32_t milliseconds) {
    const std::uint64_t jiffies = (static_cast<std::uint64_t>(milliseconds) * 60 + 500) / 1000;
    return static_cast<std::int32_t>(std::clamp<std::uint64_t>(
        jiffies, 1, static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())));
}

} // namespace vantle::xcursor
