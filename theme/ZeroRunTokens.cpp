#include "theme/ZeroRunTokens.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantle::theme {

namespace {

constexpr std::uint32_t kAdlerBase = 65521;

} // namespace

// The helpers are inline so that add() keeps them in its loops rather than calling them.
inline void ZeroRunTokens::literals(const std::uint8_t* bytes, std::size_t count) {
    for (std::size_t j = 0; j < count; ++j) {
        const std::uint8_t byte = bytes[j];
        next_[j] = byte;
        ++frequency[byte];
        s1_ += byte;
        s2_ += s1_;
    }
    next_ += count;
}

inline void ZeroRunTokens::reduceWhenLarge() {
    if ((s1_ >> 32) != 0 || (s2_ >> 58) != 0) {
        s1_ %= kAdlerBase;
        s2_ %= kAdlerBase;
    }
}

inline void ZeroRunTokens::flushZeros() {
    if (zeros_ == 0)
        return;
    // Most runs are short: their product stays below 2^49 without reducing anything first.
    s2_ += zeros_ < (std::size_t{1} << 16) ? zeros_ * s1_ : zeros_ % kAdlerBase * (s1_ % kAdlerBase);
    reduceWhenLarge();
    token(0, 0);
    std::size_t left = zeros_ - 1;
    zeros_ = 0;
    while (left >= 3) {
        std::size_t length = std::min(left, kLongestMatch);
        if (left - length > 0 && left - length < 3)
            length = left - 3; // leaves a run of 3 rather than one or two literals
        token(static_cast<std::uint16_t>(kRunToken + length), kLengthCodes[length].symbol);
        left -= length;
    }
    for (; left > 0; --left)
        token(0, 0);
}

inline void ZeroRunTokens::token(std::uint16_t value, std::size_t symbol) {
    *next_++ = value;
    ++frequency[symbol];
}

void ZeroRunTokens::add(const std::uint8_t* bytes, std::size_t n) {
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: which are zero, as a mask, walked run by run.
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        const auto zeros = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, zero)));
        if (zeros == 0xFFFF) {
            zeros_ += 16;
            continue;
        }
        // Bits above the block's sixteen are 0: a run of zeros ends there by itself, a run of
        // literals at the bit set above it.
        for (std::uint32_t k = 0; k < 16;) {
            const auto zeroRun = static_cast<std::uint32_t>(std::countr_one(zeros >> k));
            zeros_ += zeroRun;
            k += zeroRun;
            if (k == 16)
                break;
            const auto literalRun = static_cast<std::uint32_t>(std::countr_zero(zeros >> k | 1u << (16 - k)));
            flushZeros();
            literals(bytes + i + k, literalRun);
            k += literalRun;
        }
        reduceWhenLarge();
    }
#endif
    while (i < n) {
        if (bytes[i] != 0) {
            flushZeros();
            // Up to 64 K literals between checks of the sums' size.
            const std::size_t end = std::min(n, i + (std::size_t{1} << 16));
            do {
                const std::uint8_t byte = bytes[i++];
                *next_++ = byte;
                ++frequency[byte];
                s1_ += byte;
                s2_ += s1_;
            } while (i < end && bytes[i] != 0);
            reduceWhenLarge();
            continue;
        }
        const std::size_t start = i;
        for (std::uint64_t word = 0; i + 8 <= n; i += 8) {
            std::memcpy(&word, bytes + i, 8);
            if (word != 0)
                break;
        }
        while (i < n && bytes[i] == 0)
            ++i;
        zeros_ += i - start;
    }
}

std::size_t ZeroRunTokens::finish() {
    flushZeros();
    ++frequency[kEndOfBlock];
    return static_cast<std::size_t>(next_ - begin_);
}

std::uint32_t ZeroRunTokens::adler() const {
    return static_cast<std::uint32_t>(s2_ % kAdlerBase << 16 | s1_ % kAdlerBase);
}

} // namespace vantle::theme
