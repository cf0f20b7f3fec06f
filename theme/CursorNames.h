#pragma once
// The seventeen cursor roles of a Windows cursor scheme and every name each role stands for in an X11
// cursor theme: the X core cursor font names, the CSS cursor names and the hash names toolkits ask for.

#include "model/FileKinds.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vantle::theme {

// In the order of a Windows scheme line (the value under "Control Panel\Cursors\Schemes").
enum class CursorRole {
    Arrow,
    Help,
    AppStarting,
    Wait,
    Crosshair,
    IBeam,
    NWPen,
    No,
    SizeNS,
    SizeWE,
    SizeNWSE,
    SizeNESW,
    SizeAll,
    UpArrow,
    Hand,
    Pin,
    Person,
};

constexpr int kRoleCount = 17;

constexpr std::array<CursorRole, kRoleCount> kAllRoles = {
    CursorRole::Arrow,     CursorRole::Help,    CursorRole::AppStarting, CursorRole::Wait,
    CursorRole::Crosshair, CursorRole::IBeam,   CursorRole::NWPen,       CursorRole::No,
    CursorRole::SizeNS,    CursorRole::SizeWE,  CursorRole::SizeNWSE,    CursorRole::SizeNESW,
    CursorRole::SizeAll,   CursorRole::UpArrow, CursorRole::Hand,        CursorRole::Pin,
    CursorRole::Person,
};

constexpr int roleIndex(CursorRole role) {
    return static_cast<int>(role);
}

struct RoleNames {
    std::string_view windowsName;            // the value name under "Control Panel\Cursors"
    std::string_view fileName;               // the cursor's file in the theme
    std::span<const std::string_view> links; // further names, symbolic links to it
};

const RoleNames& roleNames(CursorRole role);

// The role whose registry value name this is ("Arrow", "sizenwse", any case); nothing for other names.
std::optional<CursorRole> roleOfRegistryName(std::string_view name);

// The role one of the theme's names (file name or link, exact case) belongs to.
std::optional<CursorRole> roleOfThemeName(std::string_view name);

// ASCII lower case; other bytes (UTF-8 sequences) are kept.
std::string asciiLower(std::string_view text);

} // namespace vantle::theme
