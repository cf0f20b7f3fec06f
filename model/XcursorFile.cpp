#include "model/XcursorFile.h"

#include "model/BinaryFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace {

// Straight-alpha pixels premultiplied into `out` as little-endian words, as premultiplied() does each:
// four at a time in 16-bit lanes where SSE2 is there (c * a + 128 fits in 16 bits, and so does
// t + (t >> 8)), alpha taken over unchanged.
void premultiplyInto(std::span<const std::uint32_t> argb, std::uint8_t* out) {
    std::size_t i = 0;
#if defined(__SSE2__)
    if constexpr (std::endian::native == std::endian::little) {
        const __m128i zero = _mm_setzero_si128();
        const __m128i half = _mm_set1_epi16(128);
        const __m128i alphaBytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
        const auto channels = [&](__m128i words) {
            const __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(words, 0xFF), 0xFF);
            const __m128i t = _mm_add_epi16(_mm_mullo_epi16(words, a), half);
            return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
        };
        for (; i + 4 <= argb.size(); i += 4) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(argb.data() + i));
            const __m128i colour =
                _mm_packus_epi16(channels(_mm_unpacklo_epi8(v, zero)), channels(_mm_unpackhi_epi8(v, zero)));
            const __m128i result =
                _mm_or_si128(_mm_andnot_si128(alphaBytes, colour), _mm_and_si128(v, alphaBytes));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * i), result);
        }
    }
#endif
    for (; i < argb.size(); ++i)
        putLe32(std::span(out + 4 * i, 4), 0, premultiplied(argb[i]));
}

} // namespace

std::optional<std::vector<std::uint8_t>> writeImageChunks(std::span<const ChunkToWrite> chunks,
                                                          std::uint64_t maxBytes) {
    const std::uint64_t tableEnd = kFileHeaderSize + std::uint64_t{kTocEntrySize} * chunks.size();
    std::uint64_t total = tableEnd;
    for (const ChunkToWrite& c : chunks)
        total += kImageHeaderSize + 4 * c.image->argb.size();
    if (chunks.size() > kMaxToc || total > maxBytes)
        return std::nullopt;

    // Appended through a small buffer rather than zeroed first and then overwritten: the file is
    // megabytes, and each of its bytes is then touched once.
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(total));
    std::array<std::uint8_t, 16384> staging;
    auto write = [&out, &staging](std::uint32_t v) {
        putLe32(staging, 0, v);
        out.insert(out.end(), staging.begin(), staging.begin() + 4);
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
        const std::span<const std::uint32_t> pixels = image.argb;
        for (std::size_t at = 0; at < pixels.size(); at += staging.size() / 4) {
            const std::span<const std::uint32_t> part =
                pixels.subspan(at, std::min(staging.size() / 4, pixels.size() - at));
            premultiplyInto(part, staging.data());
            out.insert(out.end(), staging.begin(),
                       staging.begin() + static_cast<std::ptrdiff_t>(4 * part.size()));
        }
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
