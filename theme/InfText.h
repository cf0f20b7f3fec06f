#pragma once
// The text of a setup information file (.inf) as UTF-8, whatever encoding the pack was saved in.

#include <cstdint>
#include <span>
#include <string>

namespace vantle::theme {

// UTF-16 little or big endian (with a byte order mark, or little endian without one when the text starts
// with an ASCII character and a zero byte), UTF-8 with or without a mark, and otherwise the program's
// ANSI code page (932, as for every other text in files) for a file Notepad saved as "ANSI". Broken
// UTF-16 (a lone surrogate, an odd last byte) becomes U+FFFD. Line ends are kept as they are.
std::string infTextAsUtf8(std::span<const std::uint8_t> bytes);

} // namespace vantle::theme
