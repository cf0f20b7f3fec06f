#include "model/FileKinds.h"

#include "model/XcursorFile.h"

#include <algorithm>
#include <cctype>

namespace vantle {

namespace {

std::string extensionOf(std::string_view path) {
    const std::string name = fileNameOf(path);
    const auto dot = name.find_last_of('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

} // namespace

std::string extensionUpper(std::string_view path) {
    std::string ext = extensionOf(path);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return ext;
}

std::string extensionLower(std::string_view path) {
    std::string ext = extensionOf(path);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

FileKind fileKindOf(std::string_view path) {
    const std::string ext = extensionUpper(path);
    if (ext == ".ICO")
        return FileKind::Icon;
    if (ext == ".CUR")
        return FileKind::Cursor;
    if (ext == ".ANI")
        return FileKind::AnimatedCursor;
    if (ext == ".BMP" || ext == ".JPG" || ext == ".JPEG" || ext == ".GIF" || ext == ".PNG")
        return FileKind::Picture;
    if (ext == ".EXE" || ext == ".DLL")
        return FileKind::Program;
    return FileKind::Unknown;
}

FileKind fileKindOf(std::string_view path, std::span<const std::uint8_t> head) {
    const FileKind byName = fileKindOf(path);
    if (byName == FileKind::Unknown && xcursor::hasMagic(head))
        return FileKind::Xcursor;
    return byName;
}

std::string fileNameOf(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string baseNameOf(std::string_view path) {
    std::string name = fileNameOf(path);
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.resize(dot);
    return name;
}

std::string folderOf(std::string_view path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string_view::npos)
        return std::string();
    if (slash == 0)
        return "/";
    return std::string(path.substr(0, slash));
}

std::string driveOf(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':')
        return std::string(path.substr(0, 2));
    return path.empty() || path.front() != '/' ? std::string() : std::string("/");
}

} // namespace vantle
