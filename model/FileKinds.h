#pragma once
// Which reader or writer a file name calls for, decided by the extension of the file name alone.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vantle {

enum class FileKind { Icon, Cursor, AnimatedCursor, Picture, Program, Xcursor, Unknown };

// The text from the last "." of the file name (never of a folder), in upper case; empty without a ".".
std::string extensionUpper(std::string_view path);
std::string extensionLower(std::string_view path);

FileKind fileKindOf(std::string_view path);

// fileKindOf, and where the extension names no known kind, the first bytes of the file decide: the
// magic "Xcur" marks an Xcursor file (they usually have no extension).
FileKind fileKindOf(std::string_view path, std::span<const std::uint8_t> head);

// The last part of a path: the file's name.
std::string fileNameOf(std::string_view path);

// The file's name without its extension (a name that begins with its only "." keeps it).
std::string baseNameOf(std::string_view path);

// The folder part of a path, up to its last separator and without it.
std::string folderOf(std::string_view path);

// The file-system root a path lies on, the stand-in for a drive ("/" for absolute paths).
std::string driveOf(std::string_view path);

} // namespace vantle
