#include "theme/CursorTheme.h"

#include "model/BinaryFile.h"

#include <filesystem>
#include <set>
#include <system_error>

namespace vantle::theme {

namespace fs = std::filesystem;

namespace {

bool validName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

// name becomes a symbolic link to target (a name in the same folder), replacing a file or link there.
bool linkTo(const fs::path& folder, const std::string& name, const std::string& target, std::string& error) {
    std::error_code ec;
    const fs::path link = folder / name;
    fs::create_symlink(target, link, ec); // in a new theme nothing is there: one system call
    if (ec == std::errc::file_exists) {
        ec.clear();
        if (fs::is_symlink(fs::symlink_status(link, ec)) || fs::is_regular_file(fs::symlink_status(link, ec)))
            fs::remove(link, ec);
        fs::create_symlink(target, link, ec);
    }
    if (ec) {
        error = link.string() + ": " + ec.message();
        return false;
    }
    return true;
}

// What is wrong with the theme's name or its cursors' names; empty when they are valid and distinct.
std::string namesError(const std::string& name, const std::vector<ThemeCursor>& cursors) {
    if (!validName(name))
        return "the theme name must be a file name without '/'";
    std::set<std::string> names;
    for (const ThemeCursor& c : cursors) {
        if (!validName(c.name))
            return "bad cursor name '" + c.name + "'";
        for (const std::string& n : c.links)
            if (!validName(n) || !names.insert(n).second)
                return "cursor name '" + n + "' given twice";
        if (!names.insert(c.name).second)
            return "cursor name '" + c.name + "' given twice";
    }
    return {};
}

// The cursor's Xcursor file in `cursorFolder`.
bool writeCursorFile(const fs::path& cursorFolder, const ThemeCursor& c) {
    const fs::path file = cursorFolder / c.name;
    std::error_code ec;
    // A link left by an earlier theme would make the write land on another cursor.
    if (fs::is_symlink(fs::symlink_status(file, ec)))
        fs::remove(file, ec);
    return replaceFileContents(file.string(), c.xcursor, FileSync::Fast);
}

} // namespace

std::string indexTheme(const std::string& name) {
    return "[Icon Theme]\n"
           "Name=" +
           name +
           "\n"
           "Comment=Cursor theme made with Vantle\n"
           "Inherits=" +
           std::string(kInheritedTheme) + "\n";
}

std::string userIconsFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/')
        return (fs::path(xdgDataHome) / "icons").string();
    if (home != nullptr && home[0] == '/')
        return (fs::path(home) / ".local" / "share" / "icons").string();
    return {};
}

ThemeResult writeCursorTheme(const std::string& dir, const std::string& name,
                             const std::vector<ThemeCursor>& cursors) {
    ThemeResult result;
    result.error = namesError(name, cursors);
    if (!result.error.empty())
        return result;
    const fs::path folder = fs::path(dir) / name;
    const fs::path cursorFolder = folder / "cursors";
    std::error_code ec;
    fs::create_directories(cursorFolder, ec);
    if (ec) {
        result.error = cursorFolder.string() + ": " + ec.message();
        return result;
    }
    const std::string index = indexTheme(name);
    if (!replaceFileContents((folder / "index.theme").string(),
                             std::span(reinterpret_cast<const std::uint8_t*>(index.data()), index.size()),
                             FileSync::Fast)) {
        result.error = (folder / "index.theme").string() + ": cannot be written";
        return result;
    }
    for (const ThemeCursor& c : cursors) {
        if (!c.fileWritten && !writeCursorFile(cursorFolder, c)) {
            result.error = (cursorFolder / c.name).string() + ": cannot be written";
            return result;
        }
        for (const std::string& link : c.links)
            if (!linkTo(cursorFolder, link, c.name, result.error))
                return result;
    }
    result.ok = true;
    result.themeFolder = folder.string();
    return result;
}

CursorFileStream::CursorFileStream(const std::string& dir, const std::string& name,
                                   const std::vector<ThemeCursor>& expected)
    : enabled_(namesError(name, expected).empty()),
      cursorFolder_((fs::path(dir) / name / "cursors").string()) {}

void CursorFileStream::write(ThemeCursor& cursor) {
    {
        const std::lock_guard lock(mutex_);
        if (!enabled_)
            return;
        if (!folderMade_) {
            std::error_code ec;
            fs::create_directories(cursorFolder_, ec);
            if (ec) {
                enabled_ = false; // writeCursorTheme will say why
                return;
            }
            folderMade_ = true;
        }
    }
    if (!writeCursorFile(cursorFolder_, cursor))
        return;
    std::vector<std::uint8_t>().swap(cursor.xcursor);
    cursor.fileWritten = true;
}

} // namespace vantle::theme
