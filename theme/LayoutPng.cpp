#include "theme/LayoutPng.h"

#include "theme/ZeroRunTokens.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantle::theme {

namespace {

void putBigEndian(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value >> 24);
    at[1] = static_cast<std::uint8_t>(value >> 16);
    at[2] = static_cast<std::uint8_t>(value >> 8);
    at[3] = static_cast<std::uint8_t>(value);
}

// Paeth's prediction of a byte from its left, upper and upper-left neighbours.
int paethPredictor(int left, int up, int upLeft) {
    const int pa = std::abs(up - upLeft);
    const int pb = std::abs(left - upLeft);
    const int pc = std::abs(left + up - 2 * upLeft);
    return pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft;
}

// The residual of pixel `cur` (0xAARRGGBB words all four) in the file's byte order R, G, B, A.
void paethPixel(std::uint32_t cur, std::uint32_t left, std::uint32_t up, std::uint32_t upLeft,
                std::uint8_t* out) {
    static constexpr int kShift[4] = {16, 8, 0, 24}; // R, G, B, A
    for (int k = 0; k < 4; ++k) {
        const auto byte = [&](std::uint32_t p) { return static_cast<int>(p >> kShift[k] & 0xFF); };
        out[k] = static_cast<std::uint8_t>(byte(cur) - paethPredictor(byte(left), byte(up), byte(upLeft)));
    }
}

#if defined(__SSE2__)
// Paeth residuals of four pixels at once, on 16-bit lanes (SSE2 has no byte compares that fit).
[[gnu::always_inline]] inline __m128i paethHalf(__m128i cur, __m128i left, __m128i up, __m128i upLeft) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i bc = _mm_sub_epi16(up, upLeft);
    const __m128i ac = _mm_sub_epi16(left, upLeft);
    const __m128i pa = _mm_max_epi16(bc, _mm_sub_epi16(zero, bc));
    const __m128i pb = _mm_max_epi16(ac, _mm_sub_epi16(zero, ac));
    const __m128i sum = _mm_add_epi16(bc, ac);
    const __m128i pc = _mm_max_epi16(sum, _mm_sub_epi16(zero, sum));
    const __m128i notA = _mm_or_si128(_mm_cmpgt_epi16(pa, pb), _mm_cmpgt_epi16(pa, pc));
    const __m128i notB = _mm_cmpgt_epi16(pb, pc);
    const __m128i bOrC = _mm_or_si128(_mm_andnot_si128(notB, up), _mm_and_si128(notB, upLeft));
    const __m128i prediction = _mm_or_si128(_mm_andnot_si128(notA, left), _mm_and_si128(notA, bOrC));
    return _mm_sub_epi16(cur, prediction);
}

__m128i paethFour(const std::uint32_t* row, const std::uint32_t* up) {
    const __m128i zero = _mm_setzero_si128();
    const auto load = [](const std::uint32_t* p) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    };
    const __m128i c = load(row), a = load(row - 1), b = load(up), d = load(up - 1);
    const __m128i low = paethHalf(_mm_unpacklo_epi8(c, zero), _mm_unpacklo_epi8(a, zero),
                                  _mm_unpacklo_epi8(b, zero), _mm_unpacklo_epi8(d, zero));
    const __m128i high = paethHalf(_mm_unpackhi_epi8(c, zero), _mm_unpackhi_epi8(a, zero),
                                   _mm_unpackhi_epi8(b, zero), _mm_unpackhi_epi8(d, zero));
    const __m128i mask = _mm_set1_epi16(0xFF);
    const __m128i r = _mm_packus_epi16(_mm_and_si128(low, mask), _mm_and_si128(high, mask));
    // Each word B G R A (memory order) to R G B A.
    const __m128i ga = _mm_and_si128(r, _mm_set1_epi32(static_cast<int>(0xFF00FF00u)));
    const __m128i red = _mm_and_si128(_mm_srli_epi32(r, 16), _mm_set1_epi32(0xFF));
    const __m128i blue = _mm_slli_epi32(_mm_and_si128(r, _mm_set1_epi32(0xFF)), 16);
    return _mm_or_si128(ga, _mm_or_si128(red, blue));
}
#endif

// The pixels of a row from its first to its last that is not zero; first == end for a row of zeros.
struct DrawnSpan {
    std::size_t first = 0;
    std::size_t end = 0;
};

DrawnSpan drawnSpan(const std::uint32_t* row, std::size_t width) {
    std::size_t first = 0;
    std::size_t end = width;
#if defined(__SSE2__)
    // Four pixels at a time while all four are zero.
    const __m128i zero = _mm_setzero_si128();
    const auto allZero = [&](std::size_t x) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
        return _mm_movemask_epi8(_mm_cmpeq_epi32(four, zero)) == 0xFFFF;
    };
    while (first + 4 <= width && allZero(first))
        first += 4;
#endif
    while (first < width && row[first] == 0)
        ++first;
#if defined(__SSE2__)
    while (end >= first + 4 && allZero(end - 4))
        end -= 4;
#endif
    while (end > first && row[end - 1] == 0)
        --end;
    return {first, end};
}

// The Paeth residuals of at least pixels first .. end - 1 of a row (0 < end <= width) into out, four bytes
// a pixel from the first one done; returns the pixels done. Where the row has room the last group of four
// is completed, so that all but the row's first pixel go through the four-at-once path.
DrawnSpan paethRow(const std::uint32_t* row, const std::uint32_t* up, std::size_t width, std::size_t first,
                   std::size_t end, std::uint8_t* out) {
    std::size_t x = first;
    const auto at = [&](std::size_t pixel) { return out + 4 * (pixel - first); };
    if (x == 0) {
        paethPixel(row[0], 0, up[0], 0, out);
        x = 1;
    }
#if defined(__SSE2__)
    if (end > x && x + (end - x + 3) / 4 * 4 <= width)
        end = x + (end - x + 3) / 4 * 4;
    for (; x + 4 <= end; x += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(at(x)), paethFour(row + x, up + x));
#endif
    for (; x < end; ++x)
        paethPixel(row[x], row[x - 1], up[x], up[x - 1], at(x));
    return {first, end};
}

// Sorts `count` keys (weight << 16 | symbol) given in ascending symbol order, as std::sort would: a stable
// radix sort on the weight's bytes, which leaves equal weights in symbol order. For the few hundred keys
// of a literal code it takes a fraction of a comparison sort's time, whose branches mispredict.
void sortLeavesInSymbolOrder(std::uint64_t* keys, std::size_t count) {
    if (count < 64) {
        std::sort(keys, keys + count);
        return;
    }
    std::uint64_t largest = 0;
    for (std::size_t i = 0; i < count; ++i)
        largest = std::max(largest, keys[i] >> 16);
    std::array<std::uint64_t, kLitLenSymbols> spare;
    std::uint64_t* from = keys;
    std::uint64_t* to = spare.data();
    for (int shift = 16; (largest >> (shift - 16)) != 0; shift += 8) {
        std::array<std::uint32_t, 257> start{};
        for (std::size_t i = 0; i < count; ++i)
            ++start[(from[i] >> shift & 0xFF) + 1];
        for (std::size_t b = 1; b < start.size(); ++b)
            start[b] += start[b - 1];
        for (std::size_t i = 0; i < count; ++i)
            to[start[from[i] >> shift & 0xFF]++] = from[i];
        std::swap(from, to);
    }
    if (from != keys)
        std::copy_n(from, count, keys);
}

// Lengths of an optimal prefix code for `frequency`, none above `limit`: the two lightest merged until one
// tree is left; when it is too deep the counts are halved (kept above zero) and it is built again. A
// single used symbol gets a partner so that the code is complete.
void codeLengths(std::span<const std::uint32_t> frequency, int limit, std::span<std::uint8_t> lengths) {
    constexpr std::size_t kMax = kLitLenSymbols;
    // Weight and symbol in one key, sorted by weight.
    std::array<std::uint64_t, kMax> leaves;
    std::size_t used = 0;
    for (std::size_t s = 0; s < frequency.size();
         ++s) { // without a branch: every key is stored, the used kept
        leaves[used] = std::uint64_t{frequency[s]} << 16 | s;
        used += frequency[s] != 0;
    }
    std::fill(lengths.begin(), lengths.end(), std::uint8_t{0});
    if (used < 2) {
        const std::size_t only = used == 1 ? leaves[0] & 0xFFFF : 0;
        lengths[only] = 1;
        lengths[only == 0 ? 1 : 0] = 1;
        return;
    }
    sortLeavesInSymbolOrder(leaves.data(), used);
    for (;;) {
        // Nodes 0 .. used - 1 are the leaves by weight, the merged ones follow in the order made (their
        // weights never decrease), so the lightest two are always at the front of one of the two runs.
        std::array<std::uint64_t, 2 * kMax> weight;
        std::array<std::uint16_t, 2 * kMax> parent;
        for (std::size_t i = 0; i < used; ++i)
            weight[i] = leaves[i] >> 16;
        std::size_t nextLeaf = 0;
        std::size_t nextMerged = used;
        std::size_t made = used;
        // Chosen by selects rather than branches, which would mispredict: a run used up weighs "infinitely".
        const auto lightest = [&] {
            constexpr std::uint64_t kNone = ~std::uint64_t{0};
            const std::uint64_t leaf = nextLeaf < used ? weight[nextLeaf] : kNone;
            const std::uint64_t merged = nextMerged < made ? weight[nextMerged] : kNone;
            const bool takeLeaf = leaf <= merged;
            const std::size_t node = takeLeaf ? nextLeaf : nextMerged;
            nextLeaf += takeLeaf;
            nextMerged += !takeLeaf;
            return node;
        };
        while (made < 2 * used - 1) {
            const std::size_t a = lightest();
            const std::size_t b = lightest();
            weight[made] = weight[a] + weight[b];
            parent[a] = parent[b] = static_cast<std::uint16_t>(made);
            ++made;
        }
        std::array<std::uint8_t, 2 * kMax> depth;
        depth[made - 1] = 0; // the root; every other node's parent comes after it
        int deepest = 0;
        for (std::size_t i = made - 1; i-- > 0;) {
            depth[i] = static_cast<std::uint8_t>(depth[parent[i]] + 1);
            deepest = std::max<int>(deepest, depth[i]);
        }
        if (deepest <= limit) {
            for (std::size_t i = 0; i < used; ++i)
                lengths[leaves[i] & 0xFFFF] = depth[i];
            return;
        }
        for (std::size_t i = 0; i < used; ++i)
            leaves[i] = ((leaves[i] >> 17 | 1) << 16) | (leaves[i] & 0xFFFF);
        std::sort(leaves.begin(), leaves.begin() + static_cast<std::ptrdiff_t>(used));
    }
}

constexpr std::array<std::uint8_t, 256> makeReversedBytes() {
    std::array<std::uint8_t, 256> table{};
    for (int b = 0; b < 256; ++b)
        for (int k = 0; k < 8; ++k)
            table[static_cast<std::size_t>(b)] |= static_cast<std::uint8_t>((b >> k & 1) << (7 - k));
    return table;
}
constexpr std::array<std::uint8_t, 256> kReversedBytes = makeReversedBytes();

// Deflate's canonical codes of those lengths, bit-reversed for writing from the lowest bit.
void canonicalCodes(std::span<const std::uint8_t> lengths, std::span<std::uint16_t> codes) {
    std::array<int, 16> count{};
    for (std::uint8_t length : lengths)
        ++count[length];
    count[0] = 0;
    std::array<int, 16> next{};
    for (int bits = 1, code = 0; bits < 16; ++bits) {
        code = (code + count[static_cast<std::size_t>(bits - 1)]) << 1;
        next[static_cast<std::size_t>(bits)] = code;
    }
    for (std::size_t s = 0; s < lengths.size(); ++s) {
        const int length = lengths[s];
        if (length == 0)
            continue;
        const auto code = static_cast<std::uint32_t>(next[static_cast<std::size_t>(length)]++);
        codes[s] = static_cast<std::uint16_t>(
            (kReversedBytes[code & 0xFF] << 8 | kReversedBytes[code >> 8]) >> (16 - length));
    }
}

class BitWriter {
  public:
    // `out` must have 8 bytes of room beyond the last byte written: every put stores a whole word.
    explicit BitWriter(std::uint8_t* out) : out_(out) {}

    void put(std::uint32_t value, int count) { // value < 2^count, count <= 32
        // Without a branch: the pending bits (fewer than 8) and the new ones go out as a word, and the
        // whole bytes among them are passed.
        bits_ |= std::uint64_t{value} << count_;
        count_ += count;
        std::uint64_t word = bits_;
        if constexpr (std::endian::native == std::endian::big)
            word = __builtin_bswap64(word);
        std::memcpy(out_, &word, 8);
        out_ += count_ >> 3;
        bits_ >>= count_ & ~7;
        count_ &= 7;
    }

    // Writes out the last bits, the final byte filled with zeros; returns the end.
    std::uint8_t* finish() {
        if (count_ > 0)
            *out_++ = static_cast<std::uint8_t>(bits_);
        count_ = 0;
        bits_ = 0;
        return out_;
    }

  private:
    std::uint8_t* out_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
};

// A code over the literal/length symbols: lengths and bit-reversed codes.
struct Code {
    std::array<std::uint8_t, kLitLenSymbols> length{};
    std::array<std::uint16_t, kLitLenSymbols> bits{};
};

// The dynamic block's header: the code's lengths and the two distance codes' (one used, distance 1),
// themselves coded with the repeat symbols 16, 17 and 18.
void writeCodeLengths(const Code& code, BitWriter& out) {
    std::size_t literals = kLitLenSymbols;
    while (literals > 257 && code.length[literals - 1] == 0)
        --literals;
    std::array<std::uint8_t, kLitLenSymbols + 2> all{};
    std::copy_n(code.length.begin(), literals, all.begin());
    all[literals] = all[literals + 1] = 1;
    const std::size_t total = literals + 2;
    struct Symbol {
        std::uint8_t symbol;
        std::uint8_t extra;
    };
    std::array<Symbol, kLitLenSymbols + 2> symbols{};
    std::size_t count = 0;
    std::array<std::uint32_t, 19> frequency{};
    const auto add = [&](int symbol, std::size_t extra) {
        symbols[count++] = {static_cast<std::uint8_t>(symbol), static_cast<std::uint8_t>(extra)};
        ++frequency[static_cast<std::size_t>(symbol)];
    };
    for (std::size_t i = 0; i < total;) {
        std::size_t run = 1;
        while (i + run < total && all[i + run] == all[i])
            ++run;
        if (all[i] == 0 && run >= 3) {
            run = std::min<std::size_t>(run, 138);
            run >= 11 ? add(18, run - 11) : add(17, run - 3);
            i += run;
            continue;
        }
        add(all[i], 0);
        ++i;
        for (--run; run >= 3; run -= std::min<std::size_t>(run, 6)) {
            add(16, std::min<std::size_t>(run, 6) - 3);
            i += std::min<std::size_t>(run, 6);
        }
    }
    std::array<std::uint8_t, 19> lengths{};
    std::array<std::uint16_t, 19> codes{};
    codeLengths(frequency, 7, lengths);
    canonicalCodes(lengths, codes);
    static constexpr std::uint8_t kOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                11, 4,  12, 3, 13, 2, 14, 1, 15};
    std::size_t sent = 19;
    while (sent > 4 && lengths[kOrder[sent - 1]] == 0)
        --sent;
    out.put(static_cast<std::uint32_t>(literals - 257), 5);
    out.put(1, 5); // two distance codes
    out.put(static_cast<std::uint32_t>(sent - 4), 4);
    for (std::size_t i = 0; i < sent; ++i)
        out.put(lengths[kOrder[i]], 3);
    static constexpr int kExtraBits[19] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 3, 7};
    for (std::size_t i = 0; i < count; ++i) {
        const Symbol s = symbols[i];
        out.put(codes[s.symbol], lengths[s.symbol]);
        if (kExtraBits[s.symbol] != 0)
            out.put(s.extra, kExtraBits[s.symbol]);
    }
}

// One final dynamic block of the tokens.
void writeDeflateBlock(std::span<const std::uint16_t> tokens, const Code& code, BitWriter& out) {
    out.put(1, 1); // the last block
    out.put(2, 2); // of dynamic codes
    writeCodeLengths(code, out);
    // Every token's bits and their count in one entry: a literal's code; a run's length code, its extra
    // bits and distance code 0 (distance 1), whose code is a single 0 bit. At most 15 + 5 + 1 bits.
    std::array<std::uint32_t, kRunToken + kLongestMatch + 1> entry;
    for (std::size_t t = 0; t < kRunToken; ++t)
        entry[t] = static_cast<std::uint32_t>(code.length[t]) << 24 | code.bits[t];
    for (std::size_t n = 3; n <= kLongestMatch; ++n) {
        const LengthCode& length = kLengthCodes[n];
        const int bits = code.length[length.symbol];
        entry[kRunToken + n] = static_cast<std::uint32_t>(bits + length.extraBits + 1) << 24 |
                               static_cast<std::uint32_t>(length.extra) << bits | code.bits[length.symbol];
    }
    for (std::uint16_t token : tokens)
        out.put(entry[token] & 0xFFFFFF, static_cast<int>(entry[token] >> 24));
    out.put(code.bits[kEndOfBlock], code.length[kEndOfBlock]);
}

} // namespace

std::vector<std::uint8_t> FastPngEncoder::encode(int width, int height, std::span<const std::uint32_t> argb) {
    if (width < 1 || height < 1 ||
        argb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return {};
    const auto w = static_cast<std::size_t>(width);
    const std::size_t stride = w * 4;
    row_.resize(stride);
    zeroRow_.assign(w, 0);
    const std::size_t bytes = (stride + 1) * static_cast<std::size_t>(height);
    std::uint16_t* const tokenBuffer = tokens_.atLeast(bytes);
    ZeroRunTokens tokens(tokenBuffer);
    const std::uint32_t* up = zeroRow_.data();
    DrawnSpan upSpan{w, w};
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        const std::uint32_t* row = argb.data() + y * w;
        const DrawnSpan span = drawnSpan(row, w);
        if (span.first == span.end) {
            tokens.addZeros(stride + 1); // no filter (type 0): the zeros as they are
        } else {
            // Paeth (type 4). A residual is zero where the pixel, its left, upper and upper-left
            // neighbours all are: outside the two rows' drawn spans, one pixel further to the right.
            static constexpr std::uint8_t kPaeth = 4;
            tokens.add(&kPaeth, 1);
            const std::size_t first = std::min(span.first, upSpan.first);
            const std::size_t end =
                std::min(w, std::max(span.end, upSpan.first == upSpan.end ? 0 : upSpan.end) + 1);
            const DrawnSpan done = paethRow(row, up, w, first, end, row_.data());
            tokens.addZeros(4 * done.first);
            tokens.add(row_.data(), 4 * (done.end - done.first));
            tokens.addZeros(4 * (w - done.end));
        }
        upSpan = span;
        up = row;
    }
    const std::span<const std::uint16_t> data(tokenBuffer, tokens.finish());
    Code code;
    codeLengths(tokens.frequency, 15, code.length);
    canonicalCodes(code.length, code.bits);

    // Signature, header, the data in one chunk, end. A token takes at most 21 bits (a run: length code,
    // extra bits, distance), the block's header under 400 bytes; 8 bytes more for the bit writer's last
    // word. The buffer only grows.
    static constexpr std::uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
    const std::size_t bound = 8 + 25 + 12 + 2 + 400 + (data.size() * 21 + 7) / 8 + 4 + 12 + 8;
    std::uint8_t* const o = out_.atLeast(bound);
    std::copy_n(kSignature, 8, o);
    putBigEndian(o + 8, 13);
    std::memcpy(o + 12, "IHDR", 4);
    putBigEndian(o + 16, static_cast<std::uint32_t>(width));
    putBigEndian(o + 20, static_cast<std::uint32_t>(height));
    const std::uint8_t kRgba8[5] = {8, 6, 0, 0, 0}; // 8 bits, RGBA, deflate, adaptive filters, no interlace
    std::copy_n(kRgba8, 5, o + 24);
    putBigEndian(o + 29, libdeflate_crc32(0, o + 12, 17));
    std::uint8_t* idat = o + 33;
    std::memcpy(idat + 4, "IDAT", 4);
    idat[8] = 0x78; // deflate, 32 KB window
    idat[9] = 0x01; // no dictionary, fastest; the check bits make 0x7801 a multiple of 31
    BitWriter bits(idat + 10);
    writeDeflateBlock(data, code, bits);
    std::uint8_t* end = bits.finish();
    putBigEndian(end, tokens.adler());
    end += 4;
    const auto dataSize = static_cast<std::uint32_t>(end - (idat + 8));
    putBigEndian(idat, dataSize);
    putBigEndian(end, libdeflate_crc32(0, idat + 4, dataSize + 4));
    end += 4;
    putBigEndian(end, 0);
    std::memcpy(end + 4, "IEND", 4);
    putBigEndian(end + 8, libdeflate_crc32(0, end + 4, 4));
    end += 12;
    return {o, end};
}

} // namespace vantle::theme
