#include "model/PngRgbaDecoder.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantle {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFF;
// decodePng's limit for a chunk libpng keeps (a larger one is an error there), and a bound on the chunks
// before the image data, far beyond what any writer puts there.
constexpr std::uint32_t kMaxAncillaryBytes = 1 << 20;
constexpr int kMaxChunksBeforeImage = 32;

std::uint32_t be32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

bool isLetter(std::uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// One chunk: its name, its data and where the next one begins.
struct Chunk {
    std::array<std::uint8_t, 4> name{};
    std::span<const std::uint8_t> data;
    std::size_t next = 0;
};

// The whole chunk at `at` with a valid name and CRC; nothing otherwise.
std::optional<Chunk> chunkAt(std::span<const std::uint8_t> bytes, std::size_t at) {
    if (at > bytes.size() || bytes.size() - at < 12)
        return std::nullopt;
    const std::uint32_t length = be32(bytes.data() + at);
    if (length > kMaxChunkLength || bytes.size() - at - 12 < length)
        return std::nullopt;
    Chunk c;
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at + 4), 4, c.name.begin());
    if (!std::all_of(c.name.begin(), c.name.end(), isLetter))
        return std::nullopt;
    const std::uint8_t* start = bytes.data() + at + 4;
    if (libdeflate_crc32(0, start, length + 4) != be32(start + 4 + length))
        return std::nullopt;
    c.data = bytes.subspan(at + 8, length);
    c.next = at + 12 + length;
    return c;
}

bool named(const Chunk& c, const char* name) {
    return std::memcmp(c.name.data(), name, 4) == 0;
}

std::uint8_t paeth(int a, int b, int c) {
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Paeth on 4-byte pixels, one pixel at a time in 16-bit lanes.
void unpaeth(std::uint8_t* row, const std::uint8_t* prev, std::size_t stride) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = _mm_set1_epi16(0xFF);
    const auto load = [&zero](const std::uint8_t* p) {
        std::int32_t v = 0;
        std::memcpy(&v, p, 4);
        return _mm_unpacklo_epi8(_mm_cvtsi32_si128(v), zero);
    };
    const auto absolute = [&zero](__m128i v) { return _mm_max_epi16(v, _mm_sub_epi16(zero, v)); };
    __m128i a = zero;
    __m128i c = zero;
    for (; i + 4 <= stride; i += 4) {
        const __m128i b = load(prev + i);
        const __m128i pa = absolute(_mm_sub_epi16(b, c));
        const __m128i pb = absolute(_mm_sub_epi16(a, c));
        const __m128i pc = absolute(_mm_sub_epi16(_mm_add_epi16(a, b), _mm_add_epi16(c, c)));
        const __m128i least = _mm_min_epi16(pa, _mm_min_epi16(pb, pc));
        const __m128i takeA = _mm_cmpeq_epi16(pa, least);
        const __m128i takeB = _mm_andnot_si128(takeA, _mm_cmpeq_epi16(pb, least));
        const __m128i takeC = _mm_andnot_si128(_mm_or_si128(takeA, takeB), _mm_set1_epi16(-1));
        const __m128i predictor = _mm_or_si128(_mm_or_si128(_mm_and_si128(takeA, a), _mm_and_si128(takeB, b)),
                                               _mm_and_si128(takeC, c));
        a = _mm_and_si128(_mm_add_epi16(load(row + i), predictor), low);
        const std::int32_t out = _mm_cvtsi128_si32(_mm_packus_epi16(a, a));
        std::memcpy(row + i, &out, 4);
        c = b;
    }
#endif
    for (; i < stride; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] +
                                           paeth(i >= 4 ? row[i - 4] : 0, prev[i], i >= 4 ? prev[i - 4] : 0));
}

// Undoes the row's filter in place against the row above (already unfiltered; zeros above the first).
bool unfilter(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* prev, std::size_t stride) {
    switch (filter) {
    case 0:
        return true;
    case 1:
        for (std::size_t i = 4; i < stride; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + row[i - 4]);
        return true;
    case 2:
        for (std::size_t i = 0; i < stride; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + prev[i]);
        return true;
    case 3:
        for (std::size_t i = 0; i < stride; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + (((i >= 4 ? row[i - 4] : 0) + prev[i]) >> 1));
        return true;
    case 4:
        unpaeth(row, prev, stride);
        return true;
    default:
        return false; // an error for libpng too
    }
}

// R, G, B, A bytes to 0xAARRGGBB words. `out` may begin before `rgba` in the same buffer: each group of
// bytes is read before the words that reach into it are written.
void wordsOfRgba(const std::uint8_t* rgba, std::size_t count, std::uint32_t* out) {
    std::size_t i = 0;
#if defined(__SSE2__)
    if constexpr (std::endian::native == std::endian::little) {
        const __m128i keep = _mm_set1_epi32(static_cast<int>(0xFF00FF00u));
        const __m128i byte = _mm_set1_epi32(0xFF);
        for (; i + 4 <= count; i += 4) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rgba + 4 * i));
            const __m128i swapped = _mm_or_si128(_mm_and_si128(v, keep),
                                                 _mm_or_si128(_mm_and_si128(_mm_srli_epi32(v, 16), byte),
                                                              _mm_slli_epi32(_mm_and_si128(v, byte), 16)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), swapped);
        }
    }
#endif
    for (; i < count; ++i) {
        const std::uint8_t* p = rgba + 4 * i;
        out[i] = static_cast<std::uint32_t>(p[3]) << 24 | static_cast<std::uint32_t>(p[0]) << 16 |
                 static_cast<std::uint32_t>(p[1]) << 8 | p[2];
    }
}

struct FreeDecompressor {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

} // namespace

std::optional<PngPixels> decodeRgbaPng(std::span<const std::uint8_t> bytes, int maxSide) {
    if (bytes.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), bytes.begin()))
        return std::nullopt;
    const std::optional<Chunk> header = chunkAt(bytes, kSignature.size());
    if (!header || !named(*header, "IHDR") || header->data.size() != 13)
        return std::nullopt;
    const std::uint8_t* h = header->data.data();
    const std::uint32_t width = be32(h);
    const std::uint32_t height = be32(h + 4);
    // 8 bits, RGBA, deflate, the one filter method, no interlacing.
    if (width < 1 || height < 1 || width > static_cast<std::uint32_t>(maxSide) ||
        height > static_cast<std::uint32_t>(maxSide) || h[8] != 8 || h[9] != 6 || h[10] != 0 || h[11] != 0 ||
        h[12] != 0)
        return std::nullopt;

    // Ancillary chunks before the image data are skipped, as libpng uses none of them for these pixels.
    std::optional<Chunk> chunk = chunkAt(bytes, header->next);
    for (int count = 0; chunk && !named(*chunk, "IDAT"); chunk = chunkAt(bytes, chunk->next))
        if ((chunk->name[0] & 0x20) == 0 || chunk->data.size() > kMaxAncillaryBytes ||
            ++count > kMaxChunksBeforeImage)
            return std::nullopt;
    const std::size_t stride = std::size_t{width} * 4;
    const std::size_t rawSize = (stride + 1) * height;
    // libpng's bound for one chunk of image data: the rows and the most deflate's stored blocks add.
    const std::size_t rowFactor = std::min<std::size_t>(stride + 1, 32566);
    const std::size_t chunkLimit = rawSize + 6 + 5 * (rawSize / rowFactor + 1);
    std::vector<std::span<const std::uint8_t>> parts;
    std::size_t compressed = 0;
    for (; chunk && named(*chunk, "IDAT"); chunk = chunkAt(bytes, chunk->next)) {
        if (chunk->data.size() > chunkLimit)
            return std::nullopt;
        parts.push_back(chunk->data);
        compressed += chunk->data.size();
    }
    if (parts.empty())
        return std::nullopt;
    std::vector<std::uint8_t> joined;
    std::span<const std::uint8_t> stream = parts.front();
    if (parts.size() > 1) {
        joined.reserve(compressed);
        for (std::span<const std::uint8_t> part : parts)
            joined.insert(joined.end(), part.begin(), part.end());
        stream = joined;
    }

    const std::unique_ptr<libdeflate_decompressor, FreeDecompressor> inflater(
        libdeflate_alloc_decompressor());
    if (!inflater)
        return std::nullopt;
    // Inflated into the pixels' own buffer, a little longer than the words; each row is unfiltered in
    // place, then all are turned into words from the start, each word written at or before its bytes.
    PngPixels pixels;
    pixels.width = static_cast<int>(width);
    pixels.height = static_cast<int>(height);
    pixels.argb.resize((rawSize + 3) / 4);
    auto* raw = reinterpret_cast<std::uint8_t*>(pixels.argb.data());
    std::size_t in = 0;
    std::size_t out = 0;
    // The whole stream and exactly the rows: anything more or less libpng reads in its own way.
    if (libdeflate_zlib_decompress_ex(inflater.get(), stream.data(), stream.size(), raw, rawSize, &in,
                                      &out) != LIBDEFLATE_SUCCESS ||
        in != stream.size() || out != rawSize)
        return std::nullopt;
    const std::vector<std::uint8_t> zeros(stride, 0);
    const std::uint8_t* prev = zeros.data();
    for (std::size_t y = 0; y < height; ++y) {
        std::uint8_t* row = raw + y * (stride + 1);
        if (!unfilter(row[0], row + 1, prev, stride))
            return std::nullopt;
        prev = row + 1;
    }
    for (std::size_t y = 0; y < height; ++y)
        wordsOfRgba(raw + y * (stride + 1) + 1, width, pixels.argb.data() + y * width);
    pixels.argb.resize(std::size_t{width} * height);
    return pixels;
}

} // namespace vantle
