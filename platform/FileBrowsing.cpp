#include "platform/FileBrowsing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace vantle {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::vector<std::string> splitPatterns(std::string_view patterns) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= patterns.size()) {
        std::size_t end = patterns.find(';', start);
        if (end == std::string_view::npos)
            end = patterns.size();
        if (end > start)
            out.emplace_back(patterns.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

bool matchesPattern(std::string_view name, std::string_view pattern) {
    // Greedy matching with one back-track point for the last "*": linear in practice, never recursive.
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lowerAscii(pattern[p]) == lowerAscii(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool matchesAnyPattern(std::string_view name, const std::vector<std::string>& patterns) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [name](const std::string& pattern) { return matchesPattern(name, pattern); });
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (out.empty() || out.back() != '/')
        out += '/';
    out += name;
    return out;
}

bool pathIsUnder(std::string_view path, std::string_view root) {
    if (root.empty())
        return false;
    if (root == "/")
        return !path.empty() && path.front() == '/';
    if (path.substr(0, root.size()) != root)
        return false;
    return path.size() == root.size() || path[root.size()] == '/';
}

std::string driveOfPath(std::string_view path, const std::vector<std::string>& drives) {
    std::string best;
    for (const std::string& drive : drives)
        if (pathIsUnder(path, drive) && drive.size() > best.size())
            best = drive;
    return best;
}

std::vector<std::string> folderAncestors(std::string_view path) {
    std::vector<std::string> out;
    if (path.empty() || path.front() != '/')
        return out;
    out.emplace_back("/");
    std::size_t pos = 1;
    while (pos < path.size()) {
        std::size_t end = path.find('/', pos);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > pos)
            out.emplace_back(path.substr(0, end));
        pos = end + 1;
    }
    return out;
}

std::string lastComponent(std::string_view path) {
    if (path == "/")
        return "/";
    const std::size_t slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string normalFolder(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t end = path.find('/', pos);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view part = path.substr(pos, end - pos);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        pos = end + 1;
    }
    std::string out;
    for (const std::string_view part : parts) {
        out += '/';
        out += part;
    }
    return out.empty() ? std::string("/") : out;
}

bool isReadableFolder(const std::string& path) {
    if (path.empty() || path.front() != '/')
        return false;
    std::error_code error;
    if (!std::filesystem::is_directory(path, error) || error)
        return false;
    std::filesystem::directory_iterator probe(path, error);
    return !error;
}

FolderListing listFolder(const std::string& path, const std::vector<std::string>& patterns,
                         std::size_t limit) {
    FolderListing listing;
    std::error_code error;
    std::filesystem::directory_iterator it(path, std::filesystem::directory_options::skip_permission_denied,
                                           error);
    std::size_t seen = 0;
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (++seen > limit) {
            listing.complete = false;
            break;
        }
        std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code typeError;
        if (it->is_directory(typeError))
            listing.folders.push_back(std::move(name));
        else if (!typeError && it->is_regular_file(typeError) && matchesAnyPattern(name, patterns))
            listing.files.push_back(std::move(name));
    }
    std::sort(listing.folders.begin(), listing.folders.end());
    std::sort(listing.files.begin(), listing.files.end());
    return listing;
}

} // namespace vantle
