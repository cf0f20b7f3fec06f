#pragma once
// Numbers typed by the user or kept as text: the leading decimal number of a text, and rounding with
// ties to the even integer.

#include <cstdint>
#include <optional>
#include <string_view>

namespace vantle {

// Blanks are skipped, then an optional sign, digits, a decimal point with digits and an exponent are read
// as far as they form a number. A text without a leading number gives 0.
double leadingNumber(std::string_view text);

// Nearest integer, halves to the even integer, clamped to the 32-bit range.
std::int32_t roundEven(double value);

// A whole number from min to max in decimal digits (after a "-" where it is negative), the whole text;
// nothing for any other text.
std::optional<int> wholeNumber(std::string_view text, int min, int max);

// leadingNumber, rounded with roundEven.
inline std::int32_t leadingInteger(std::string_view text) {
    return roundEven(leadingNumber(text));
}

} // namespace vantle
