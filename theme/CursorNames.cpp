#include "theme/CursorNames.h"

#include <algorithm>

namespace vantle::theme {

namespace {

using Name = std::string_view;

// Each list: X core cursor font names first, then CSS names, then the names other cursor libraries and
// toolkits ask for (among them every name of the Wayland cursor-shape protocol a role stands for: dnd-ask
// is the arrow with a question mark, all-resize the four-headed arrow), then the hash names (the hash of
// the bitmap of an old toolkit's cursor, which Qt and GTK 2 programs look up first). Only names that mean
// what the Windows role means: Windows has no grab, zoom, copy, alias, cell, context-menu or
// vertical-text cursors, so those names are left to the pack's own extra cursors (ExtraCursors.h) or
// the inherited theme, whose cursor for them is the right shape.
constexpr std::array<Name, 4> kArrow = {"default", "arrow", "top_left_arrow", "left_arrow"};
constexpr std::array<Name, 6> kHelp = {"question_arrow",
                                       "whats_this",
                                       "left_ptr_help",
                                       "dnd-ask",
                                       "d9ce0ab605698f320427677b458ad60b",
                                       "5c6cd98b3f3ebcb1f9c7f1c204630408"};
constexpr std::array<Name, 5> kAppStarting = {
    "left_ptr_watch", "half-busy", "3ecb610c1bf2410f44200f48c40d3599", "08e8e1c95fe2fc01f976f1e063a24ccd",
    "00000000000000020006000e7e9ffc3f"};
constexpr std::array<Name, 3> kWait = {"wait", "clock", "0426c94ea35c87780ff01dc239897213"};
constexpr std::array<Name, 3> kCrosshair = {"cross", "tcross", "cross_reverse"};
constexpr std::array<Name, 2> kIBeam = {"text", "ibeam"};
constexpr std::array<Name, 6> kNo = {"crossed_circle", "circle",      "no-drop",
                                     "forbidden",      "dnd-no-drop", "03b6e0fcb3499374a867c041f52298f0"};
constexpr std::array<Name, 13> kSizeNS = {"v_double_arrow",
                                          "double_arrow",
                                          "top_side",
                                          "bottom_side",
                                          "ns-resize",
                                          "n-resize",
                                          "s-resize",
                                          "row-resize",
                                          "size_ver",
                                          "split_v",
                                          "00008160000006810000408080010102",
                                          "2870a09082c103050810ffdffffe0204",
                                          "c07385c7190e701020ff7ffffd08103c"};
constexpr std::array<Name, 12> kSizeWE = {"h_double_arrow",
                                          "left_side",
                                          "right_side",
                                          "ew-resize",
                                          "e-resize",
                                          "w-resize",
                                          "col-resize",
                                          "size_hor",
                                          "split_h",
                                          "028006030e0e7ebffc7f7070c0600140",
                                          "14fef782d02440884392942c11205230",
                                          "043a9f68147c53184671403ffa811cc5"};
constexpr std::array<Name, 8> kSizeNWSE = {"bd_double_arrow",
                                           "top_left_corner",
                                           "bottom_right_corner",
                                           "nwse-resize",
                                           "nw-resize",
                                           "se-resize",
                                           "c7088f0f3e6c8088236ef8e1e3e70000",
                                           "38c5dff7c7b8962045400281044508d2"};
constexpr std::array<Name, 8> kSizeNESW = {"fd_double_arrow",
                                           "top_right_corner",
                                           "bottom_left_corner",
                                           "nesw-resize",
                                           "ne-resize",
                                           "sw-resize",
                                           "fcf1c3c7cd4491d801f1e1c78f100000",
                                           "50585d75b494802d0151028115016902"};
constexpr std::array<Name, 4> kSizeAll = {"size_all", "move", "all-scroll", "all-resize"};
constexpr std::array<Name, 2> kUpArrow = {"center_ptr", "sb_up_arrow"};
constexpr std::array<Name, 6> kHand = {"hand1",
                                       "hand",
                                       "pointer",
                                       "pointing_hand",
                                       "e29285e634086352946a0e7090d73106",
                                       "9d800788f1b08800ae810202380a0822"};
constexpr std::array<Name, 0> kNone = {};

// Pin and Person (the Windows 10 location and person select cursors) have no X or CSS names; the theme
// holds them as "pin" and "person" for programs that ask for them by those names.
const std::array<RoleNames, kRoleCount> kRoles = {{
    {"Arrow", "left_ptr", kArrow},
    {"Help", "help", kHelp},
    {"AppStarting", "progress", kAppStarting},
    {"Wait", "watch", kWait},
    {"Crosshair", "crosshair", kCrosshair},
    {"IBeam", "xterm", kIBeam},
    {"NWPen", "pencil", kNone},
    {"No", "not-allowed", kNo},
    {"SizeNS", "sb_v_double_arrow", kSizeNS},
    {"SizeWE", "sb_h_double_arrow", kSizeWE},
    {"SizeNWSE", "size_fdiag", kSizeNWSE},
    {"SizeNESW", "size_bdiag", kSizeNESW},
    {"SizeAll", "fleur", kSizeAll},
    {"UpArrow", "up_arrow", kUpArrow},
    {"Hand", "hand2", kHand},
    {"Pin", "pin", kNone},
    {"Person", "person", kNone},
}};

} // namespace

const RoleNames& roleNames(CursorRole role) {
    return kRoles[static_cast<std::size_t>(roleIndex(role))];
}

std::optional<CursorRole> roleOfRegistryName(std::string_view name) {
    const std::string lower = asciiLower(name);
    for (CursorRole role : kAllRoles)
        if (asciiLower(roleNames(role).windowsName) == lower)
            return role;
    return std::nullopt;
}

std::optional<CursorRole> roleOfThemeName(std::string_view name) {
    for (CursorRole role : kAllRoles) {
        const RoleNames& names = roleNames(role);
        if (names.fileName == name ||
            std::find(names.links.begin(), names.links.end(), name) != names.links.end())
            return role;
    }
    return std::nullopt;
}

std::string asciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

} // namespace vantle::theme
