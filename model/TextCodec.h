#pragma once
// Text in files and in the settings store is in code page 932 (Shift_JIS with the Windows extensions);
// inside the program every string is UTF-8.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantle {

// Every byte is kept, zero bytes included; a byte sequence that is not valid code page 932 becomes U+FFFD.
std::string ansiToUtf8(std::span<const std::uint8_t> bytes);
// Characters that code page 932 cannot hold become "?".
std::vector<std::uint8_t> utf8ToAnsi(std::string_view text);

} // namespace vantle
