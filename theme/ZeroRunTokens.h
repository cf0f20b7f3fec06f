#pragma once
// The first step of the theme layouts' PNG encoder: the filtered bytes as deflate tokens, literals and
// runs of zeros, with the literal/length symbol counts and the Adler-32 checksum. Only LayoutPng.cpp
// uses it.

#include <array>
#include <cstddef>
#include <cstdint>

namespace vantle::theme {

constexpr std::size_t kLitLenSymbols = 286;
constexpr std::uint16_t kEndOfBlock = 256;
constexpr std::uint16_t kRunToken = 256; // a token of 256 + n is a run of n zeros (3 <= n <= 258)
constexpr std::size_t kLongestMatch = 258;

struct LengthCode {
    std::uint16_t symbol = 0;
    std::uint8_t extraBits = 0;
    std::uint16_t extra = 0;
};

// Deflate's length symbol and extra bits of every match length 3..258.
constexpr std::array<LengthCode, kLongestMatch + 1> makeLengthCodes() {
    constexpr int kBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                               31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    constexpr int kExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    std::array<LengthCode, kLongestMatch + 1> codes{};
    for (int length = 3; length <= 258; ++length) {
        int k = length == 258 ? 28 : 27;
        while (kBase[k] > length)
            --k;
        codes[static_cast<std::size_t>(length)] = {static_cast<std::uint16_t>(257 + k),
                                                   static_cast<std::uint8_t>(kExtra[k]),
                                                   static_cast<std::uint16_t>(length - kBase[k])};
    }
    return codes;
}
inline constexpr std::array<LengthCode, kLongestMatch + 1> kLengthCodes = makeLengthCodes();

// The filtered bytes as literals and runs of zeros (matches at distance 1 after a literal zero), with
// the symbol counts and the Adler-32 checksum of the bytes, which zeros only advance by multiplication.
// `tokens` must have room for one token per byte.
class ZeroRunTokens {
  public:
    explicit ZeroRunTokens(std::uint16_t* tokens) : begin_(tokens), next_(tokens) {}

    void add(const std::uint8_t* bytes, std::size_t n);

    void addZeros(std::size_t n) { zeros_ += n; }

    // Ends the data; returns the tokens' count.
    std::size_t finish();

    std::uint32_t adler() const;

    std::array<std::uint32_t, kLitLenSymbols> frequency{};

  private:
    void literals(const std::uint8_t* bytes, std::size_t count);
    // The sums are reduced modulo 65521 only now and then: s1 stays below 2^33 and s2 below 2^59 between
    // the checks, far from overflowing.
    void reduceWhenLarge();
    void flushZeros();
    void token(std::uint16_t value, std::size_t symbol);

    std::uint16_t* begin_;
    std::uint16_t* next_;
    std::size_t zeros_ = 0;
    std::uint64_t s1_ = 1;
    std::uint64_t s2_ = 0;
};

} // namespace vantle::theme
