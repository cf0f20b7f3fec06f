#pragma once
// Cursors beyond the seventeen roles of a Windows scheme that packs add (an INF value "Pan", "Grab",
// "Zoom-in"..., or a file of that name), written under their CSS or X name; and the names desktops ask a
// cursor theme for, to tell which of them a theme holds and which it inherits.

#include <optional>
#include <span>
#include <string_view>

namespace vantle::theme {

// The cursor a registry value name or a file's base name stands for when it is a CSS or X cursor name
// in any letter case, with or without separators ("Zoom-in", "ZOOMIN", "zoom_in"), or "Pan" (all-scroll):
// its name in the theme. Nothing for other names and for the names of the seventeen roles' own cursors.
std::optional<std::string_view> extraCursorOf(std::string_view name);

// Further names the extra cursor `name` is linked under (grab: openhand).
std::span<const std::string_view> extraCursorLinks(std::string_view name);

// Every CSS cursor name and every name of the Wayland cursor-shape protocol (version 2): what desktops
// and toolkits ask a theme for.
std::span<const std::string_view> desktopCursorNames();

} // namespace vantle::theme
