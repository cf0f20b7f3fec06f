#pragma once
// The cursor names of X11 cursor themes, in groups of names that mean the same cursor, and the choice of
// a group for an input file by its base name.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vantle::theme {

struct CursorGroup {
    std::string_view name;                   // the cursor's file in the theme
    std::span<const std::string_view> links; // further names, symbolic links to it
    std::span<const std::string_view> roles; // base names of Windows cursor files meaning this cursor
};

std::span<const CursorGroup> cursorGroups();

// The group a base name (without folder and extension, any case) stands for: its own name, one of its
// links or one of its Windows roles. Nothing for any other name.
std::optional<CursorGroup> groupForName(std::string_view baseName);

// The file name without its folder and without its last extension.
std::string baseNameOf(std::string_view path);

} // namespace vantle::theme
