#include "theme/ExtraCursors.h"

#include "theme/CursorNames.h"

#include <algorithm>
#include <array>
#include <string>

namespace vantle::theme {

namespace {

using Name = std::string_view;

constexpr std::array<Name, 36> kDesktopNames = {
    "default",    "context-menu", "help",        "pointer",       "progress",    "wait",
    "cell",       "crosshair",    "text",        "vertical-text", "alias",       "copy",
    "move",       "no-drop",      "not-allowed", "grab",          "grabbing",    "e-resize",
    "n-resize",   "ne-resize",    "nw-resize",   "s-resize",      "se-resize",   "sw-resize",
    "w-resize",   "ew-resize",    "ns-resize",   "nesw-resize",   "nwse-resize", "col-resize",
    "row-resize", "all-scroll",   "zoom-in",     "zoom-out",      "dnd-ask",     "all-resize",
};

struct Extra {
    Name name;
    std::span<const Name> links;
};

constexpr std::array<Name, 1> kGrabLinks = {"openhand"};
constexpr std::array<Name, 1> kGrabbingLinks = {"closedhand"};
constexpr std::array<Name, 1> kCopyLinks = {"dnd-copy"};
constexpr std::array<Name, 1> kAliasLinks = {"dnd-link"};
constexpr std::array<Name, 0> kNoLinks = {};

// The cursors a pack may add; a name that is also a link of a role's cursor (all-scroll, no-drop,
// col-resize, row-resize) moves to the pack's own cursor for it.
constexpr std::array<Extra, 14> kExtras = {{
    {"all-scroll", kNoLinks},
    {"grab", kGrabLinks},
    {"grabbing", kGrabbingLinks},
    {"zoom-in", kNoLinks},
    {"zoom-out", kNoLinks},
    {"copy", kCopyLinks},
    {"alias", kAliasLinks},
    {"cell", kNoLinks},
    {"context-menu", kNoLinks},
    {"vertical-text", kNoLinks},
    {"no-drop", kNoLinks},
    {"col-resize", kNoLinks},
    {"row-resize", kNoLinks},
    {"dnd-ask", kNoLinks},
}};

// Lower case letters and digits only.
std::string squeezed(std::string_view name) {
    std::string out;
    for (char c : asciiLower(name))
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            out += c;
    return out;
}

} // namespace

std::optional<std::string_view> extraCursorOf(std::string_view name) {
    const std::string key = squeezed(name);
    if (key.empty())
        return std::nullopt;
    if (key == "pan" || key == "scroll")
        return Name("all-scroll");
    if (key == "openhand")
        return Name("grab");
    if (key == "closedhand")
        return Name("grabbing");
    for (const Extra& extra : kExtras)
        if (squeezed(extra.name) == key)
            return extra.name;
    return std::nullopt;
}

std::span<const std::string_view> extraCursorLinks(std::string_view name) {
    for (const Extra& extra : kExtras)
        if (extra.name == name)
            return extra.links;
    return {};
}

std::span<const std::string_view> desktopCursorNames() {
    return kDesktopNames;
}

} // namespace vantle::theme
