#pragma once
// The cursor scheme of a Windows cursor pack's Install.inf: which file serves which of the seventeen
// roles, and the scheme's name. Reads the INF as real packs write it: [DefaultInstall] naming one or
// several AddReg sections, the scheme line under HKCU or HKLM ("...\Control Panel\Cursors\Schemes", a
// value of up to 17 comma-separated paths in the Windows scheme order), the per-role values under
// "Control Panel\Cursors" where the scheme line is missing or has gaps, [Strings] substitution, quotes,
// comments, line continuations and any letter case.

#include "theme/CursorNames.h"

#include <utility>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantle::theme {

struct InstallInf {
    std::string schemeName; // the scheme's value name (or the default value of "Control Panel\Cursors")
    // The file of each role as the INF names it: the last component of its path, empty when none.
    std::array<std::string, kRoleCount> files;
    // Values under "Control Panel\Cursors" beyond the roles whose names are CSS or X cursor names (Pan,
    // Grab, Zoom-in...): the cursor's name in a theme (ExtraCursors.h) and its file, first value first.
    std::vector<std::pair<std::string, std::string>> extraFiles;
    // Whether any role was found: a scheme line or a per-role value.
    bool hasCursors = false;
    // What was odd, in English, one line each (at most kMaxInfNotes).
    std::vector<std::string> notes;
};

constexpr std::size_t kMaxInfNotes = 40;

// Any text (UTF-8), any length: never fails, at worst finds no cursors.
InstallInf parseInstallInf(std::string_view text);

// The bytes of an INF file in any of the encodings packs use (see infTextAsUtf8).
InstallInf parseInstallInfBytes(std::span<const std::uint8_t> bytes);

} // namespace vantle::theme
