#pragma once
// The plain logic behind the drive, folder and file lists of the picture-file and palette-file dialogs:
// file patterns, joining and splitting paths, the drive a path lies on, and reading one folder.

#include <string>
#include <string_view>
#include <vector>

namespace vantle {

// The patterns of the picture-file dialog's file list.
inline constexpr std::string_view kPictureFilePatterns = "*.bmp;*.jpg;*.jpeg;*.gif;*.png";

// "*.bmp;*.jpg" into {"*.bmp", "*.jpg"}; empty parts are dropped.
std::vector<std::string> splitPatterns(std::string_view patterns);

// Whether a file name matches one pattern of "*" (any run) and "?" (one character), ignoring the case of
// ASCII letters.
bool matchesPattern(std::string_view name, std::string_view pattern);
bool matchesAnyPattern(std::string_view name, const std::vector<std::string>& patterns);

// folder + "/" + name, with one separator also when the folder is a root.
std::string joinPath(std::string_view folder, std::string_view name);

// Whether `path` is `root` or lies below it, comparing whole path components.
bool pathIsUnder(std::string_view path, std::string_view root);

// The drive of a path: the longest of `drives` that the path lies under; empty when none.
std::string driveOfPath(std::string_view path, const std::vector<std::string>& drives);

// The folders from the root down to `path` itself: "/a/b" gives "/", "/a", "/a/b".
std::vector<std::string> folderAncestors(std::string_view path);

// The last component of a path ("/" for the root).
std::string lastComponent(std::string_view path);

// An absolute path without "." and ".." parts, repeated or trailing separators.
std::string normalFolder(std::string_view path);

// Whether the path names an existing folder that can be listed.
bool isReadableFolder(const std::string& path);

// What one folder holds, each list sorted by name. Hidden entries (names starting with ".") are left out,
// and so is everything past `limit` entries, so a huge folder cannot stall the dialog.
struct FolderListing {
    std::vector<std::string> folders;
    std::vector<std::string> files; // only those matching the patterns
    bool complete = true;           // false when the limit cut the listing short
};
FolderListing listFolder(const std::string& path, const std::vector<std::string>& patterns,
                         std::size_t limit = 20000);

} // namespace vantle
