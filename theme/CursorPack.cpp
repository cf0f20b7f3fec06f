#include "theme/CursorPack.h"

#include "model/BinaryFile.h"
#include "theme/ExtraCursors.h"
#include "theme/InstallInf.h"
#include "theme/NameRoles.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

namespace vantle::theme {

namespace fs = std::filesystem;

namespace {

// The regular files of a folder by lower-case name, sorted by name; with `below`, also those of the
// folders directly inside it, after the folder's own (a name found twice keeps its first file).
std::map<std::string, fs::path> filesByLowerName(const fs::path& folder, bool below) {
    std::map<std::string, fs::path> files;
    // Directory entries know their type from the listing: no look at each file but at links.
    std::vector<fs::directory_entry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(*it);
    std::sort(entries.begin(), entries.end());
    std::vector<fs::path> subfolders;
    for (const fs::directory_entry& entry : entries) {
        if (entry.is_regular_file(ec))
            files.emplace(asciiLower(entry.path().filename().string()), entry.path());
        else if (below && entry.is_directory(ec))
            subfolders.push_back(entry.path());
    }
    for (const fs::path& sub : subfolders)
        for (auto& [name, path] : filesByLowerName(sub, false))
            files.emplace(name, path);
    return files;
}

bool hasExtension(const fs::path& path, std::string_view lowerExtension) {
    return asciiLower(path.extension().string()) == lowerExtension;
}

// Sources from a role -> file table: one source per file, serving every role that names it.
void addSources(CursorPack& pack, const std::array<std::string, kRoleCount>& pathOfRole) {
    for (CursorRole role : kAllRoles) {
        const std::string& path = pathOfRole[static_cast<std::size_t>(roleIndex(role))];
        if (path.empty())
            continue;
        const auto same = std::find_if(pack.sources.begin(), pack.sources.end(),
                                       [&](const PackSource& s) { return s.path == path; });
        if (same != pack.sources.end())
            same->roles.push_back(role);
        else
            pack.sources.push_back({path, {role}, {}});
    }
}

// Files by their base names; a file of no role is written under its own name, or left out when
// `ownNamesToo` is false.
CursorPack packFromNamedFiles(std::span<const std::string> paths, bool ownNamesToo) {
    CursorPack pack;
    const NameAssignment assignment = assignRolesByName(paths);
    pack.notes = assignment.notes;
    pack.leftOut = static_cast<int>(assignment.leftOut.size());
    std::array<std::string, kRoleCount> pathOfRole;
    for (std::size_t r = 0; r < pathOfRole.size(); ++r)
        if (assignment.inputOfRole[r])
            pathOfRole[r] = paths[*assignment.inputOfRole[r]];
    addSources(pack, pathOfRole);
    std::vector<std::string_view> extras;
    for (std::size_t i : assignment.ownNamed) {
        const std::string file = fs::path(paths[i]).filename().string();
        if (const auto extra = extraCursorOf(baseNameOf(paths[i]))) {
            if (std::find(extras.begin(), extras.end(), *extra) != extras.end()) {
                pack.notes.push_back(file + ": a second " + std::string(*extra) + " cursor; left out");
                ++pack.leftOut;
            } else {
                extras.push_back(*extra);
                pack.sources.push_back({paths[i], {}, std::string(*extra)});
            }
        } else if (ownNamesToo) {
            pack.sources.push_back({paths[i], {}, baseNameOf(paths[i])});
            pack.notes.push_back(file + ": no known cursor name, written as '" + baseNameOf(paths[i]) +
                                 "' alone");
        } else {
            pack.notes.push_back(file + ": no cursor role by its name; left out");
            ++pack.leftOut;
        }
    }
    pack.ok = !pack.sources.empty();
    return pack;
}

} // namespace

CursorPack packFromInf(const std::string& infPath) {
    CursorPack pack;
    std::error_code ec;
    const auto size = fs::file_size(infPath, ec);
    if (ec) {
        pack.error = infPath + ": cannot be opened";
        return pack;
    }
    if (size > kMaxInfBytes) {
        pack.error = infPath + ": too large for an Install.inf (" + std::to_string(size) + " bytes)";
        return pack;
    }
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(infPath, bytes)) {
        pack.error = infPath + ": cannot be read";
        return pack;
    }
    const InstallInf inf = parseInstallInfBytes(bytes);
    const std::string infName = fs::path(infPath).filename().string();
    for (const std::string& note : inf.notes)
        pack.notes.push_back(infName + ": " + note);
    if (!inf.hasCursors) {
        pack.error = infPath + ": names no cursor scheme and no cursor under Control Panel\\Cursors";
        return pack;
    }
    const fs::path folder = fs::absolute(fs::path(infPath), ec).parent_path();
    pack.suggestedName = inf.schemeName.empty() ? folder.filename().string() : inf.schemeName;

    const std::map<std::string, fs::path> files = filesByLowerName(folder, true);
    std::array<std::string, kRoleCount> pathOfRole;
    for (CursorRole role : kAllRoles) {
        const std::string& name = inf.files[static_cast<std::size_t>(roleIndex(role))];
        if (name.empty())
            continue;
        const auto found = files.find(asciiLower(name));
        if (found == files.end()) {
            pack.notes.push_back(infName + " names " + name + " for " +
                                 std::string(roleNames(role).windowsName) + ", which is not in " +
                                 folder.string() + "; left out");
            ++pack.leftOut;
            continue;
        }
        pathOfRole[static_cast<std::size_t>(roleIndex(role))] = found->second.string();
    }
    addSources(pack, pathOfRole);
    for (const auto& [cursor, name] : inf.extraFiles) {
        const auto found = files.find(asciiLower(name));
        if (found == files.end()) {
            pack.notes.push_back(infName + " names " + name + " for " + cursor + ", which is not in " +
                                 folder.string() + "; left out");
            ++pack.leftOut;
            continue;
        }
        pack.sources.push_back({found->second.string(), {}, cursor});
    }
    pack.ok = true;
    return pack;
}

CursorPack packFromFolder(const std::string& folder) {
    const std::map<std::string, fs::path> files = filesByLowerName(folder, false);
    const auto install = files.find("install.inf");
    if (install != files.end())
        return packFromInf(install->second.string());
    for (const auto& [name, path] : files)
        if (hasExtension(path, ".inf"))
            return packFromInf(path.string());

    std::vector<std::string> cursorFiles;
    for (const auto& [name, path] : files)
        if (hasExtension(path, ".cur") || hasExtension(path, ".ani") || hasExtension(path, ".ico"))
            cursorFiles.push_back(path.string());
    CursorPack pack = packFromNamedFiles(cursorFiles, false);
    std::error_code ec;
    pack.suggestedName = fs::absolute(fs::path(folder), ec).lexically_normal().filename().string();
    if (pack.suggestedName.empty())
        pack.suggestedName =
            fs::absolute(fs::path(folder), ec).lexically_normal().parent_path().filename().string();
    // In a folder, a file of no role is no cursor of the pack (a preview, a sample) and was left out.
    if (!pack.ok)
        pack.error = folder + ": holds no Install.inf and no cursor file named by role";
    return pack;
}

CursorPack packFromCursorFiles(std::span<const std::string> paths) {
    return packFromNamedFiles(paths, false);
}

CursorPack packFromFiles(std::span<const std::string> paths) {
    CursorPack pack = packFromNamedFiles(paths, true);
    if (!pack.ok)
        pack.error = "no cursor file given";
    return pack;
}

} // namespace vantle::theme
