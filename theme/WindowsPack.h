#pragma once
// An X11 cursor theme made into a Windows cursor pack: one file per role of the Windows scheme (.cur for a
// still cursor, .ani for an animated one), each at the sizes Windows picks from for its display scaling,
// and an install.inf that installs them as a scheme.

#include "model/LosslessCursor.h"
#include "theme/CursorNames.h"
#include "theme/CursorScaling.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantle::theme {

// 32 for 100 % display scaling, 48 for 150 %, 64 for 200 %, 96 for 300 % and 128 for 400 % (and the
// larger pointer sizes of the accessibility settings).
constexpr std::array<int, 5> kWindowsPackSizes = {32, 48, 64, 96, 128};
// Entries up to this size are 32-bit bitmaps with an AND mask made from alpha, which every Windows
// version reads; larger ones are PNG images, which keep the file small.
constexpr int kLargestBitmapEntry = 48;

// The names a theme may hold a role's cursor under, in the order they are tried: the theme file name
// this program gives the role, then its other names, those of a cursor pointing one way only
// ("top_side", "n-resize", "top_left_corner") last, since a theme may draw them as arrows against a bar.
std::vector<std::string_view> themeNamesToTry(CursorRole role);

// A role's cursor file in a theme's cursors folder, found as libXcursor finds it: the first of its names
// that opens as a regular file there, through symbolic links. Inherited themes are not looked into.
struct RoleSource {
    std::string name; // the name it was found under
    std::string path; // cursors/name
    std::string file; // the file a symbolic link leads to (its name), or name itself
};
std::optional<RoleSource> findRoleSource(const std::string& cursorsFolder, CursorRole role);

// The cursors folder of a theme folder (THEME/cursors), or the folder itself when it is a cursors folder.
// Empty when there is none.
std::string cursorsFolderOf(const std::string& themeFolder);

// The theme's name: Name= of [Icon Theme] in its index.theme, else the folder's name.
std::string themeNameOf(const std::string& themeFolder);

// The sizes of a role's file: every size the theme's cursor holds (its 24 too, so that a theme made of
// the pack again has the same sizes) and kWindowsPackSizes.
std::vector<int> windowsPackSizes(const LosslessCursor& source);

// The cursor with every frame at every size of windowsPackSizes (kept where the source has the size, else
// scaled from crispSourceFor's image where there is one, from the nearest otherwise), each image marked
// to be written as a 32-bit bitmap up to kLargestBitmapEntry and as PNG above. Inverted-screen pixels
// are kept for the bitmap entries.
SizedCursor windowsPackCursor(const LosslessCursor& source);

struct PackRole {
    CursorRole role = CursorRole::Arrow;
    std::optional<RoleSource> source; // none: the theme has no cursor for the role
    std::string fileName;             // the file written (Arrow.cur, AppStarting.ani...); empty when none
    std::vector<int> kept;
    std::vector<int> made;
    int frames = 0;
    int steps = 0;
    std::vector<std::string> problems; // why the role was left out, or what its file's reader could not read
    std::vector<std::string> warnings; // written anyway: what the writer noted (steps shorter than a jiffy)
};

struct WindowsPack {
    bool ok = false;   // the pack was written
    std::string error; // why not, in English
    std::string schemeName;
    std::string infPath;
    std::array<PackRole, kRoleCount> roles; // in scheme order
    int written = 0;
    int leftOut = 0; // roles whose cursor the theme has but that could not be written, or read only in part
};

// Writes the pack of the theme in `themeFolder` into `outFolder` (created when missing): the role files
// and install.inf. `schemeName` empty: the theme's name. Files of the same names are replaced.
WindowsPack writeWindowsPack(const std::string& themeFolder, const std::string& outFolder,
                             std::string_view schemeName);

} // namespace vantle::theme
