#pragma once
// The install.inf of a Windows cursor scheme, as the Windows installer takes it (right-click, Install):
// the files copied into their own folder under %10%\Cursors, the scheme under HKCU
// "Control Panel\Cursors\Schemes" with its seventeen paths in the Windows scheme order, the same paths as
// the current cursors under HKCU "Control Panel\Cursors", and [Strings] naming the folder, the scheme and
// every file. CRLF line ends; ASCII when the scheme's name is, else UTF-16LE with a byte-order mark, which
// the Windows installer reads.

#include "theme/CursorNames.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantle::theme {

// Longer scheme names are cut (counted in characters): the name is a registry value name and a folder name.
constexpr std::size_t kMaxSchemeNameLength = 64;

// A name as a scheme and its folder may carry it: UTF-8 characters without \ / : * ? " < > | % , and
// control characters (each of those, and each byte that is no UTF-8 sequence, becomes "_"), blanks and
// dots at the ends removed, runs of "_" made one, at most kMaxSchemeNameLength characters, and a device
// name of Windows (CON, NUL, COM1...) given a suffix. Empty when nothing is left.
std::string windowsSchemeName(std::string_view name);

// The text of the INF for the scheme `schemeName` (as windowsSchemeName gives it) whose role files are
// `files` in scheme order; an empty file name leaves that role empty in the scheme and its current value.
// File names are plain ASCII names without folders or commas. The text is UTF-8.
std::string schemeInfText(std::string_view schemeName, const std::array<std::string, kRoleCount>& files);

// The bytes of the INF file of that text: the text itself when it is ASCII, else UTF-16LE with a BOM.
std::vector<std::uint8_t> infFileBytes(std::string_view text);

} // namespace vantle::theme
