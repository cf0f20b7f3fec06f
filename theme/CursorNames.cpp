#include "theme/CursorNames.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace vantle::theme {

namespace {

using Names = std::string_view;

constexpr std::array<Names, 4> kArrowLinks = {"default", "arrow", "top_left_arrow", "left_arrow"};
constexpr std::array<Names, 2> kArrowRoles = {"normal", "select"};
constexpr std::array<Names, 3> kHelpLinks = {"question_arrow", "whats_this", "left_ptr_help"};
constexpr std::array<Names, 1> kHelpRoles = {"helpsel"};
constexpr std::array<Names, 2> kProgressLinks = {"left_ptr_watch", "half-busy"};
constexpr std::array<Names, 2> kProgressRoles = {"appstarting", "working"};
constexpr std::array<Names, 1> kWatchLinks = {"wait"};
constexpr std::array<Names, 1> kWatchRoles = {"busy"};
constexpr std::array<Names, 3> kCrossLinks = {"cross", "tcross", "cross_reverse"};
constexpr std::array<Names, 1> kCrossRoles = {"precision"};
constexpr std::array<Names, 2> kTextLinks = {"text", "ibeam"};
constexpr std::array<Names, 1> kTextRoles = {"beam"};
constexpr std::array<Names, 0> kPencilLinks = {};
constexpr std::array<Names, 3> kPencilRoles = {"nwpen", "pen", "handwriting"};
constexpr std::array<Names, 3> kNotAllowedLinks = {"no-drop", "forbidden", "crossed_circle"};
constexpr std::array<Names, 2> kNotAllowedRoles = {"no", "unavailable"};
constexpr std::array<Names, 4> kVerticalLinks = {"ns-resize", "v_double_arrow", "size_ver", "row-resize"};
constexpr std::array<Names, 2> kVerticalRoles = {"sizens", "vert"};
constexpr std::array<Names, 4> kHorizontalLinks = {"ew-resize", "h_double_arrow", "size_hor", "col-resize"};
constexpr std::array<Names, 2> kHorizontalRoles = {"sizewe", "horz"};
constexpr std::array<Names, 2> kFDiagLinks = {"nwse-resize", "bd_double_arrow"};
constexpr std::array<Names, 2> kFDiagRoles = {"sizenwse", "dgn1"};
constexpr std::array<Names, 2> kBDiagLinks = {"nesw-resize", "fd_double_arrow"};
constexpr std::array<Names, 2> kBDiagRoles = {"sizenesw", "dgn2"};
constexpr std::array<Names, 3> kMoveLinks = {"all-scroll", "move", "size_all"};
constexpr std::array<Names, 1> kMoveRoles = {"sizeall"};
constexpr std::array<Names, 1> kUpLinks = {"sb_up_arrow"};
constexpr std::array<Names, 2> kUpRoles = {"uparrow", "alternate"};
constexpr std::array<Names, 4> kHandLinks = {"pointer", "hand", "hand1", "pointing_hand"};
constexpr std::array<Names, 1> kHandRoles = {"link"};

constexpr std::array<CursorGroup, 15> kGroups = {{
    {"left_ptr", kArrowLinks, kArrowRoles},
    {"help", kHelpLinks, kHelpRoles},
    {"progress", kProgressLinks, kProgressRoles},
    {"watch", kWatchLinks, kWatchRoles},
    {"crosshair", kCrossLinks, kCrossRoles},
    {"xterm", kTextLinks, kTextRoles},
    {"pencil", kPencilLinks, kPencilRoles},
    {"not-allowed", kNotAllowedLinks, kNotAllowedRoles},
    {"sb_v_double_arrow", kVerticalLinks, kVerticalRoles},
    {"sb_h_double_arrow", kHorizontalLinks, kHorizontalRoles},
    {"size_fdiag", kFDiagLinks, kFDiagRoles},
    {"size_bdiag", kBDiagLinks, kBDiagRoles},
    {"fleur", kMoveLinks, kMoveRoles},
    {"up_arrow", kUpLinks, kUpRoles},
    {"hand2", kHandLinks, kHandRoles},
}};

bool contains(std::span<const std::string_view> names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

std::span<const CursorGroup> cursorGroups() {
    return kGroups;
}

std::optional<CursorGroup> groupForName(std::string_view baseName) {
    std::string lower(baseName);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const CursorGroup& g : kGroups)
        if (g.name == lower || contains(g.links, lower) || contains(g.roles, lower))
            return g;
    return std::nullopt;
}

std::string baseNameOf(std::string_view path) {
    const auto slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    return std::string(name);
}

} // namespace vantle::theme
