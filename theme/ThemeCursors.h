#pragma once
// The cursors of a theme made from a pack's files: each file read without loss, its inverted-screen
// pixels replaced, every frame brought to every size, written as one Xcursor file named after its first
// role, with every other name of its roles as links.

#include "model/LosslessCursor.h"
#include "theme/CursorPack.h"
#include "theme/CursorTheme.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantle::theme {

struct SourceReport {
    PackSource source;
    bool written = false;
    std::vector<std::string> problems; // why it was left out, or what its reader could not read
    bool partial = false;              // read, but not everything the file declares
    std::vector<int> kept;             // sizes taken as the file holds them
    std::vector<int> made;             // sizes made by scaling
    std::vector<std::pair<int, int>>
        skipped; // sizes not made (they would blur), each with the size serving it
    int frames = 0;
    int steps = 0;
    int invertedReplaced = 0;
};

// How the sizes besides a cursor's own are chosen: made where they stay crisp (planThemeSizes), or all.
enum class SizeRule { Crisp, Forced };

// The theme cursor of one source cursor: sizes, links and Xcursor bytes, and what was done in `report`.
// False (with the reason in the report) when the cursor has no image.
bool makeThemeCursor(LosslessCursor cursor, std::span<const int> extraSizes, SizeRule rule,
                     SourceReport& report, ThemeCursor& out);

struct ThemeCursors {
    std::vector<ThemeCursor> cursors;
    std::vector<SourceReport> reports; // one per source, in pack order
};

// Reads every source of the pack (readCursorFile) and makes its theme cursor with its layouts' PNGs, its
// pixels then released (releaseLayoutPixels); a file that cannot be read is reported and left out. Each
// cursor made is handed to `stream`, when given, by the thread that made it.
ThemeCursors makeThemeCursors(const CursorPack& pack, std::span<const int> extraSizes, SizeRule rule,
                              CursorFileStream* stream = nullptr);

// The names each source of the pack is written under (themeNamesOf), in pack order, a link that is another
// source's name dropped as makeThemeCursors drops it (unless two sources have that link): what a
// CursorFileStream expects.
std::vector<ThemeCursor> themeNamesOfPack(const CursorPack& pack);

// How many names the cursors are written under, and the names desktops ask for (desktopCursorNames) that
// none of them has, which the theme inherits.
struct ThemeNames {
    int own = 0;
    std::vector<std::string_view> inherited;
};
ThemeNames themeNamesCount(const std::vector<ThemeCursor>& cursors);

// The file name and the links of a cursor serving `roles` (or written under `ownName`).
ThemeCursor themeNamesOf(std::span<const CursorRole> roles, const std::string& ownName);

} // namespace vantle::theme
