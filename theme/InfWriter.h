#pragma once
// The install.inf of a Windows cursor scheme, as the Windows installer takes it (right-click, Install):
// the files copied into their own folder under %10%\Cursors, the scheme under HKCU
// "Control Panel\Cursors\Schemes" with its seventeen paths in the Windows scheme order, the same paths as
// the current cursors under HKCU "Control Panel\Cursors", and [Strings] naming the folder, the scheme and
// every file. ASCII with CRLF line ends, as every Windows version reads it.

#include "theme/CursorNames.h"

#include <array>
#include <string>
#include <string_view>

namespace vantle::theme {

// Longer scheme names are cut: the name is a registry value name and a folder name.
constexpr std::size_t kMaxSchemeNameLength = 64;

// A name as a scheme and its folder may carry it: printable ASCII without \ / : * ? " < > | % , and
// control characters (other bytes, such as UTF-8 sequences, become "_"), blanks and dots at the ends
// removed, runs of "_" made one, at most kMaxSchemeNameLength characters, and a device name of Windows
// (CON, NUL, COM1...) given a suffix. Empty when nothing is left.
std::string windowsSchemeName(std::string_view name);

// The text of the INF for the scheme `schemeName` (as windowsSchemeName gives it) whose role files are
// `files` in scheme order; an empty file name leaves that role empty in the scheme and its current value.
// File names are plain ASCII names without folders or commas.
std::string schemeInfText(std::string_view schemeName, const std::array<std::string, kRoleCount>& files);

} // namespace vantle::theme
