#pragma once
// Writing a complete X11 cursor theme: NAME/index.theme and NAME/cursors/ with one Xcursor file per
// cursor and the other names of the same cursor as symbolic links to it.

#include "model/LosslessCursor.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace vantle::theme {

struct ThemeCursor {
    std::string name;                  // the cursor's file name in cursors/
    std::vector<std::string> links;    // further names, linked to it
    std::vector<std::uint8_t> xcursor; // the file's bytes
    // What the file holds: every frame at every size, for other layouts. Once the PNGs below are made the
    // pixels may be let go (releaseLayoutPixels): sizes, hotspots and steps stay.
    LosslessCursor images;
    // Those images on square canvases as PNG files, [frame][size], once encodeLayoutImages has run, and
    // whether they are pixel art (isPixelArt), which the hyprcursor layout says.
    std::vector<std::vector<std::vector<std::uint8_t>>> pngs;
    bool pixelArt = false;
    bool fileWritten = false; // its Xcursor file is in the theme already (CursorFileStream); xcursor empty
};

struct ThemeResult {
    bool ok = false;
    std::string error;       // why not, in English, for the command line
    std::string themeFolder; // dir/name
};

// Writes the theme `name` under folder `dir` (created when missing). An existing theme of that name is
// updated: its index.theme and the given cursors are replaced, other files are left. Cursors the theme
// lacks fall back to the inherited theme (Adwaita, the desktop's default). The files of cursors a
// CursorFileStream wrote are left as they are.
ThemeResult writeCursorTheme(const std::string& dir, const std::string& name,
                             const std::vector<ThemeCursor>& cursors);

// Writes cursors' Xcursor files into the theme `name` under `dir` as they are made, from any thread, so
// that no cursor's bytes wait for the others; writeCursorTheme does the rest. It writes nothing (leaving
// every file to writeCursorTheme, which then says what is wrong) unless the theme's name and the names
// of every cursor that may come, `expected`, are valid and distinct. The folders are made with the first
// file.
class CursorFileStream {
  public:
    CursorFileStream(const std::string& dir, const std::string& name,
                     const std::vector<ThemeCursor>& expected);

    // Writes the cursor's file and lets its bytes go; on failure leaves both for writeCursorTheme.
    void write(ThemeCursor& cursor);

  private:
    std::mutex mutex_;
    bool enabled_ = false;
    bool folderMade_ = false;
    std::string cursorFolder_;
};

// The theme a written theme inherits the cursors it lacks from.
constexpr std::string_view kInheritedTheme = "Adwaita";

// The text of index.theme.
std::string indexTheme(const std::string& name);

// Where the user's own themes live: $XDG_DATA_HOME/icons, or ~/.local/share/icons when XDG_DATA_HOME is
// unset, empty or not an absolute path (as the XDG base directory rules say). Empty when neither
// variable gives a folder. Pass the variables' values (null when unset).
std::string userIconsFolder(const char* xdgDataHome, const char* home);

} // namespace vantle::theme
