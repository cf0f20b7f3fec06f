#pragma once
// The roles of cursor files taken from their base names, for packs without an Install.inf: the names
// Windows packs give their files ("Normal Select", "Busy", "diag1", "aero_ns_xl", "Unavail"...), the
// registry value names ("SizeNWSE") and every name of an X11 cursor theme ("left_ptr", "ns-resize").

#include "theme/CursorNames.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantle::theme {

// The key a base name is looked up by: lower case, words joined without separators, an index in front
// ("01 - "), a pack prefix "aero_", size suffixes ("_r", "_l", "_xl") and the words "select", "resize"
// and "cursor" left out where other words remain.
std::string nameKey(std::string_view baseName);

// The roles a base name may stand for, the likelier first: none for an unknown name, one for a clear
// one, two for an ambiguous one ("pointer" is the arrow in many Windows packs and the hand in CSS;
// "hand" is the link hand or, in some packs, the handwriting pen; "wait_m" and "busy_l" are "working in
// background", or the busy cursor when another file is).
std::vector<CursorRole> rolesForBaseName(std::string_view baseName);

struct NameAssignment {
    // The input that serves each role.
    std::array<std::optional<std::size_t>, kRoleCount> inputOfRole;
    // Inputs whose name means no role, each to be written under its own base name.
    std::vector<std::size_t> ownNamed;
    // Inputs left out: their role (or own name) was taken by an earlier input.
    std::vector<std::size_t> leftOut;
    // What was decided and why, in English, one line each: ambiguous names and clashes.
    std::vector<std::string> notes;
};

// Gives each input file its role by its base name. A clear name takes its role unless an earlier input
// has it; an ambiguous one then takes the first of its roles still free. A role (or own name) asked for
// twice stays with the first input and the other is left out; both cases are noted.
NameAssignment assignRolesByName(std::span<const std::string> paths);

} // namespace vantle::theme
