#include "theme/ZipPack.h"

#include "model/BinaryFile.h"

#include <zip.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>

namespace vantle::theme {

namespace fs = std::filesystem;

namespace {

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

std::string lowerExtension(std::string_view name) {
    const std::size_t dot = name.find_last_of('.');
    const std::size_t slash = name.find_last_of('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    return asciiLower(name.substr(dot));
}

bool isPackFile(std::string_view name) {
    const std::string extension = lowerExtension(name);
    return extension == ".inf" || extension == ".cur" || extension == ".ani" || extension == ".ico";
}

// Resource forks and folders a Mac's archiver adds beside the real files.
bool isMacFork(std::string_view name) {
    const std::size_t slash = name.find_last_of('/');
    const std::string_view file = slash == std::string_view::npos ? name : name.substr(slash + 1);
    return name.starts_with("__MACOSX/") || file.starts_with("._");
}

// The entry's path below the scratch folder: its parts without empty, "." and ".." parts; "\" separates
// too, as some Windows archivers write it.
fs::path safeRelativePath(std::string_view name) {
    fs::path path;
    std::size_t at = 0;
    while (at <= name.size()) {
        const std::size_t end = std::min(name.find_first_of("/\\", at), name.size());
        const std::string_view part = name.substr(at, end - at);
        at = end + 1;
        if (!part.empty() && part != "." && part != ".." && part.find('\0') == std::string_view::npos)
            path /= std::string(part);
    }
    return path;
}

// Reads one entry whole, at most kMaxZipEntryBytes; false with the reason in `why`.
bool readEntry(zip_t* archive, zip_uint64_t index, std::vector<std::uint8_t>& bytes, std::string& why) {
    const std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(archive, index, 0));
    if (!file) {
        const int code = zip_error_code_zip(zip_get_error(archive));
        why = code == ZIP_ER_NOPASSWD || code == ZIP_ER_WRONGPASSWD ? "encrypted"
              : code == ZIP_ER_COMPNOTSUPP                          ? "packed with a method libzip lacks"
                                                                    : zip_strerror(archive);
        zip_error_clear(archive);
        return false;
    }
    std::array<std::uint8_t, 1 << 16> buffer{};
    bytes.clear();
    for (;;) {
        const zip_int64_t n = zip_fread(file.get(), buffer.data(), buffer.size());
        if (n < 0) {
            why = std::string("damaged (") + zip_file_strerror(file.get()) + ")";
            return false;
        }
        if (n == 0)
            return true;
        if (bytes.size() + static_cast<std::size_t>(n) > kMaxZipEntryBytes) {
            why = "larger than " + std::to_string(kMaxZipEntryBytes >> 20) + " MB unpacked";
            return false;
        }
        bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + n);
    }
}

// The INF to take: Install.inf nearest the top, else any .inf nearest the top (then by name).
const ZipEntry* chooseInf(const std::vector<ZipEntry>& entries) {
    const ZipEntry* best = nullptr;
    auto rank = [](const ZipEntry& e) {
        const auto depth = std::count(e.name.begin(), e.name.end(), '/');
        const std::string file = asciiLower(fs::path(e.name).filename().string());
        return std::tuple(depth, file == "install.inf" ? 0 : 1, e.name);
    };
    for (const ZipEntry& entry : entries)
        if (lowerExtension(entry.name) == ".inf" && (best == nullptr || rank(entry) < rank(*best)))
            best = &entry;
    return best;
}

} // namespace

bool looksLikeZip(std::span<const std::uint8_t> head) {
    return head.size() >= 4 && head[0] == 'P' && head[1] == 'K' &&
           ((head[2] == 3 && head[3] == 4) || (head[2] == 5 && head[3] == 6));
}

ZipContents readPackArchive(std::span<const std::uint8_t> bytes) {
    ZipContents contents;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source == nullptr) {
        contents.error = zip_error_strerror(&error);
        zip_error_fini(&error);
        return contents;
    }
    const std::unique_ptr<zip_t, ArchiveCloser> archive(zip_open_from_source(source, ZIP_RDONLY, &error));
    if (!archive) {
        zip_source_free(source);
        contents.error =
            std::string("not a zip archive libzip can open (") + zip_error_strerror(&error) + ")";
        zip_error_fini(&error);
        return contents;
    }
    zip_error_fini(&error);
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    std::uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        if (static_cast<std::size_t>(i) >= kMaxZipEntries) {
            contents.notes.push_back("more than " + std::to_string(kMaxZipEntries) +
                                     " entries; the others are left out");
            break;
        }
        const char* rawName = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        if (rawName == nullptr)
            continue;
        const std::string name = rawName;
        if (name.empty() || name.back() == '/' || isMacFork(name) || !isPackFile(name))
            continue;
        ZipEntry entry{name, {}};
        std::string why;
        if (total >= kMaxZipTotalBytes) {
            why = "the archive unpacks to more than " + std::to_string(kMaxZipTotalBytes >> 20) + " MB";
        } else if (readEntry(archive.get(), static_cast<zip_uint64_t>(i), entry.bytes, why)) {
            total += entry.bytes.size();
            contents.entries.push_back(std::move(entry));
            continue;
        }
        contents.notes.push_back(name + ": " + why + "; left out");
    }
    contents.ok = true;
    return contents;
}

UnpackedZip::UnpackedZip() {
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "vantle-zip-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr)
        folder_ = pattern;
}

UnpackedZip::~UnpackedZip() {
    if (folder_.empty())
        return;
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

CursorPack packFromZip(const std::string& zipPath, const UnpackedZip& scratch) {
    CursorPack pack;
    const std::string zipName = fs::path(zipPath).filename().string();
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(zipPath, bytes)) {
        pack.error = zipPath + ": cannot be read";
        return pack;
    }
    const ZipContents contents = readPackArchive(bytes);
    if (!contents.ok) {
        pack.error = zipPath + ": " + contents.error;
        return pack;
    }
    if (scratch.folder().empty()) {
        pack.error = "no scratch folder for unpacking " + zipName;
        return pack;
    }
    // The archive's base name is the folder everything goes in, so that a pack without a scheme name
    // takes it.
    const std::string baseName = baseNameOf(zipPath);
    const fs::path root = fs::path(scratch.folder()) / (baseName.empty() ? "pack" : baseName);
    std::vector<std::string> cursorFiles;
    std::string infPath;
    const ZipEntry* inf = chooseInf(contents.entries);
    for (const ZipEntry& entry : contents.entries) {
        const fs::path relative = safeRelativePath(entry.name);
        if (relative.empty())
            continue;
        const fs::path target = root / relative;
        std::error_code ec;
        fs::create_directories(target.parent_path(), ec);
        if (fs::exists(target, ec) || !replaceFileContents(target.string(), entry.bytes, FileSync::Fast)) {
            pack.notes.push_back(zipName + ": " + entry.name +
                                 ": cannot be unpacked (a name given twice?); left out");
            ++pack.leftOut;
            continue;
        }
        if (&entry == inf)
            infPath = target.string();
        else if (lowerExtension(entry.name) != ".inf")
            cursorFiles.push_back(target.string());
    }
    for (const std::string& note : contents.notes) {
        pack.notes.push_back(zipName + ": " + note);
        ++pack.leftOut;
    }
    CursorPack found = !infPath.empty() ? packFromInf(infPath) : packFromCursorFiles(cursorFiles);
    found.notes.insert(found.notes.begin(), pack.notes.begin(), pack.notes.end());
    found.leftOut += pack.leftOut;
    if (infPath.empty())
        found.suggestedName = baseName;
    if (!found.ok && found.error.empty())
        found.error = zipPath + ": holds no Install.inf and no cursor file named by role";
    for (std::string& note : found.notes)
        note = archivePathsIn(note, zipPath, scratch);
    found.error = archivePathsIn(found.error, zipPath, scratch);
    return found;
}

std::string archivePathsIn(const std::string& text, const std::string& zipPath, const UnpackedZip& scratch) {
    if (scratch.folder().empty())
        return text;
    const std::string root = (fs::path(scratch.folder()) / baseNameOf(zipPath)).string();
    const std::string shown = fs::path(zipPath).filename().string() + ":";
    std::string out = text;
    for (std::size_t at = out.find(root); at != std::string::npos; at = out.find(root, at)) {
        out.replace(at, root.size(), shown);
        at += shown.size();
        if (at < out.size() && out[at] == '/')
            out[at] = ' ';
    }
    return out;
}

} // namespace vantle::theme
