#pragma once
// How an installed cursor theme is selected on each Linux desktop: the desktop's own commands (which
// `--apply` runs), the configuration lines a user adds by hand, the default theme file that plain X and
// many toolkits read, and a line that tries the theme in one program without installing anything.

#include <string>
#include <string_view>
#include <vector>

namespace vantle::theme {

enum class Desktop { Gnome, Plasma, Hyprland, Sway, Niri, PlainX, Flatpak };

// The cursor size the desktops use at 100 % scaling.
constexpr int kDesktopCursorSize = 24;

// Where libXcursor looks for themes when XCURSOR_PATH is unset (it expands the "~").
constexpr std::string_view kXcursorDefaultPath =
    "~/.local/share/icons:~/.icons:/usr/share/icons:/usr/share/pixmaps";

// The desktop XDG_CURRENT_DESKTOP names (a colon-separated list, any letter case; the first known entry
// counts): GNOME and the desktops built on its settings (ubuntu, Unity, Budgie, Pantheon), KDE, Hyprland,
// sway, niri. PlainX for anything else, or when unset.
Desktop desktopOf(std::string_view xdgCurrentDesktop);

struct SetupStep {
    std::string text;              // a shell command, or what to put where, one line
    std::vector<std::string> argv; // the command --apply runs; empty when the step is done by hand
};

struct DesktopSetup {
    Desktop desktop;
    std::string_view label; // "GNOME", "KDE Plasma", ...
    std::vector<SetupStep> steps;
};

// Every desktop's steps to select theme `name` at `size`, the given desktop first, then the others.
std::vector<DesktopSetup> desktopSetups(Desktop current, const std::string& name, int size);

// A word for a POSIX shell: kept when it holds only letters, digits and -_.+/:=@%, else single-quoted.
std::string shellWord(std::string_view word);

// "XCURSOR_PATH=FOLDER:DEFAULTS XCURSOR_THEME=NAME COMMAND": the theme in `iconsFolder` (made absolute),
// found first, and the default folders after it, so that the cursors the theme inherits still load.
std::string tryItLine(const std::string& iconsFolder, const std::string& name);

// ~/.icons/default/index.theme: the theme X programs and many toolkits take when none is set.
std::string defaultIndexTheme(const std::string& name);

struct DefaultThemeResult {
    bool ok = false;
    std::string path;
    std::string error;            // in English
    std::string previousInherits; // what the file named before, empty when it was missing
};

// Writes HOME/.icons/default/index.theme inheriting `name`, replacing the file that was there.
DefaultThemeResult writeDefaultTheme(const std::string& home, const std::string& name);

} // namespace vantle::theme
