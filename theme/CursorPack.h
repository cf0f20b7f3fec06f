#pragma once
// A Windows cursor pack as the theme command takes it: an Install.inf, a folder holding one (or only
// cursor files), or cursor files named by role. The result says which file serves which roles.

#include "theme/CursorNames.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vantle::theme {

struct PackSource {
    std::string path;              // the file to read
    std::vector<CursorRole> roles; // the roles it serves, in scheme order; empty: written as ownName alone
    std::string ownName;
};

struct CursorPack {
    bool ok = false;           // false: nothing to make a theme of (error says why)
    std::string error;         // English, for the command line
    std::string suggestedName; // the INF's scheme name, else the pack folder's name; empty for loose files
    std::vector<PackSource> sources;
    std::vector<std::string> notes; // what was odd, one line each
    int leftOut = 0;                // roles or files that were named but are not in the theme
};

// Install.inf files larger than this are refused; real ones have a few kilobytes.
constexpr std::uintmax_t kMaxInfBytes = 1 << 20;

// The pack of an INF: each role's file looked up in the INF's folder by its name in any letter case
// (then in the folders directly below it); a file the folder lacks is noted and its roles left out.
CursorPack packFromInf(const std::string& infPath);

// A folder: its INF when it holds one (Install.inf first, else the first .inf by name), otherwise its
// .cur, .ani and .ico files by their base names (files of no role are noted and left out).
CursorPack packFromFolder(const std::string& folder);

// Cursor files found in a pack's folders, as a folder's files without an INF: by base name, a file of no
// role left out and counted.
CursorPack packFromCursorFiles(std::span<const std::string> paths);

// Files named by role (see NameRoles.h); a file of no role is written under its own base name.
CursorPack packFromFiles(std::span<const std::string> paths);

} // namespace vantle::theme
