#pragma once
// The end of `vantle-tool theme`: how to select the written theme on each desktop, a line to try it, and
// with --apply the selection itself: the current desktop's own commands run and the default theme file
// written.

#include <ostream>
#include <string>

namespace vantle {

struct ThemePlace {
    std::string iconsFolder; // the folder holding the theme folder
    std::string name;        // the theme's name
    bool installed = false;  // in the user's icons folder
};

// The steps for every desktop (the one XDG_CURRENT_DESKTOP names first) when installed, and the try-it
// line.
void printHowToUse(const ThemePlace& place, std::ostream& out);

// Runs the current desktop's commands that are on PATH and writes ~/.icons/default/index.theme, saying
// what was done and what is left to do by hand. Returns false when a command failed or the file could
// not be written (the reason on `err`).
bool applyTheme(const ThemePlace& place, std::ostream& out, std::ostream& err);

} // namespace vantle
