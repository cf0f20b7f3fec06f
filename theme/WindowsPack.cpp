#include "theme/WindowsPack.h"

#include "model/BinaryFile.h"
#include "model/CursorFiles.h"
#include "theme/InfWriter.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace vantle::theme {

namespace fs = std::filesystem;

namespace {

// index.theme files are a few hundred bytes; more than this is not read.
constexpr std::size_t kMaxIndexThemeBytes = 1 << 16;

// Names of a cursor that points one way only: a theme may draw them as an arrow against a bar.
bool pointsOneWay(std::string_view name) {
    constexpr std::array<std::string_view, 8> kOneWay = {"n-resize",  "s-resize",  "e-resize",  "w-resize",
                                                         "nw-resize", "ne-resize", "se-resize", "sw-resize"};
    return name.ends_with("_side") || name.ends_with("_corner") ||
           std::find(kOneWay.begin(), kOneWay.end(), name) != kOneWay.end();
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string folderName(const std::string& folder) {
    fs::path p(folder);
    if (!p.has_filename())
        p = p.parent_path();
    return p.filename().string();
}

struct MadeFile {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// Reads and converts the cursor of one role; the file's bytes, or nothing with the reason in `role`.
std::optional<MadeFile> makeRoleFile(PackRole& role, bool& partial) {
    CursorReadReport read;
    const std::optional<LosslessCursor> cursor = readCursorFile(role.source->path, read);
    role.problems = read.problems;
    partial = !read.complete;
    if (!cursor) {
        if (role.problems.empty())
            role.problems.push_back("cannot be read");
        return std::nullopt;
    }
    SizedCursor sized = windowsPackCursor(*cursor);
    if (sized.cursor.frames.empty()) {
        role.problems.push_back("holds no image");
        return std::nullopt;
    }
    role.kept = std::move(sized.kept);
    role.made = std::move(sized.made);
    role.frames = static_cast<int>(sized.cursor.frames.size());
    role.steps = static_cast<int>(sized.cursor.steps.size());
    const bool animated = sized.cursor.animated();
    CursorWriteReport written;
    MadeFile file;
    file.name = std::string(roleNames(role.role).windowsName) + (animated ? ".ani" : ".cur");
    file.bytes =
        animated ? buildAnimatedCursor(sized.cursor, written) : buildIconResource(sized.cursor, 2, written);
    if (file.bytes.empty()) {
        role.problems.insert(role.problems.end(), written.notes.begin(), written.notes.end());
        return std::nullopt;
    }
    role.warnings = std::move(written.notes);
    return file;
}

} // namespace

std::vector<std::string_view> themeNamesToTry(CursorRole role) {
    const RoleNames& names = roleNames(role);
    std::vector<std::string_view> order = {names.fileName};
    for (std::string_view link : names.links)
        if (!pointsOneWay(link))
            order.push_back(link);
    for (std::string_view link : names.links)
        if (pointsOneWay(link))
            order.push_back(link);
    return order;
}

std::optional<RoleSource> findRoleSource(const std::string& cursorsFolder, CursorRole role) {
    for (std::string_view name : themeNamesToTry(role)) {
        const fs::path path = fs::path(cursorsFolder) / name;
        std::error_code ec;
        if (!fs::is_regular_file(path, ec))
            continue;
        RoleSource source;
        source.name = std::string(name);
        source.path = path.string();
        const fs::path target = fs::canonical(path, ec);
        source.file = ec ? source.name : target.filename().string();
        return source;
    }
    return std::nullopt;
}

std::string cursorsFolderOf(const std::string& themeFolder) {
    std::error_code ec;
    const fs::path inside = fs::path(themeFolder) / "cursors";
    if (fs::is_directory(inside, ec))
        return inside.string();
    if (folderName(themeFolder) == "cursors" && fs::is_directory(themeFolder, ec))
        return themeFolder;
    return {};
}

std::string themeNameOf(const std::string& themeFolder) {
    fs::path folder(themeFolder);
    if (folderName(themeFolder) == "cursors" && !fs::is_directory(folder / "cursors"))
        folder = fs::path(themeFolder).lexically_normal().parent_path();
    std::ifstream in(folder / "index.theme", std::ios::binary);
    std::string text(kMaxIndexThemeBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
    bool inIconTheme = false;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view lineText = trimmed(std::string_view(text).substr(at, end - at));
        at = end + 1;
        if (lineText.starts_with("["))
            inIconTheme = lineText == "[Icon Theme]";
        else if (inIconTheme && lineText.starts_with("Name")) {
            const std::string_view rest = trimmed(lineText.substr(4));
            if (rest.starts_with("=") && !trimmed(rest.substr(1)).empty())
                return std::string(trimmed(rest.substr(1)));
        }
    }
    return folderName(folder.lexically_normal().string());
}

std::vector<int> windowsPackSizes(const LosslessCursor& source) {
    return themeSizes(source, kWindowsPackSizes);
}

SizedCursor windowsPackCursor(const LosslessCursor& source) {
    LosslessCursor shown = source;
    for (CursorFrame& frame : shown.frames)
        for (CursorImage& image : frame.images)
            if (image.hasInverted())
                replaceInvertedPixels(image);
    SizedCursor sized = cursorAtSizes(shown, windowsPackSizes(shown), Sources::CrispFirst);
    for (CursorFrame& frame : sized.cursor.frames)
        for (CursorImage& image : frame.images)
            image.storedBits = std::max(image.width, image.height) <= kLargestBitmapEntry ? 32 : 0;
    sized.cursor.iconType = 2;
    return sized;
}

WindowsPack writeWindowsPack(const std::string& themeFolder, const std::string& outFolder,
                             std::string_view schemeName) {
    WindowsPack pack;
    const std::string cursors = cursorsFolderOf(themeFolder);
    if (cursors.empty()) {
        pack.error = themeFolder + ": no cursors folder (a cursor theme holds its cursors in THEME/cursors)";
        return pack;
    }
    pack.schemeName = windowsSchemeName(schemeName.empty() ? themeNameOf(themeFolder) : schemeName);
    if (pack.schemeName.empty()) {
        pack.error = "the scheme needs a name of letters, digits or other characters: --name NAME";
        return pack;
    }

    std::vector<MadeFile> files;
    std::array<std::string, kRoleCount> schemeFiles;
    for (CursorRole role : kAllRoles) {
        PackRole& r = pack.roles[static_cast<std::size_t>(roleIndex(role))];
        r.role = role;
        r.source = findRoleSource(cursors, role);
        if (!r.source)
            continue;
        bool partial = false;
        std::optional<MadeFile> file = makeRoleFile(r, partial);
        if (!file || partial)
            ++pack.leftOut;
        if (!file)
            continue;
        r.fileName = file->name;
        schemeFiles[static_cast<std::size_t>(roleIndex(role))] = file->name;
        files.push_back(std::move(*file));
    }
    if (files.empty()) {
        pack.error = pack.leftOut > 0 ? "no cursor of the theme could be read; no pack written"
                                      : cursors + ": none of the Windows scheme's cursors is there";
        return pack;
    }

    std::error_code ec;
    fs::create_directories(outFolder, ec);
    if (ec) {
        pack.error = outFolder + ": " + ec.message();
        return pack;
    }
    for (const MadeFile& file : files) {
        const std::string path = (fs::path(outFolder) / file.name).string();
        if (!replaceFileContents(path, file.bytes, FileSync::Fast)) {
            pack.error = path + ": cannot be written";
            return pack;
        }
    }
    const std::vector<std::uint8_t> inf = infFileBytes(schemeInfText(pack.schemeName, schemeFiles));
    pack.infPath = (fs::path(outFolder) / "install.inf").string();
    if (!replaceFileContents(pack.infPath, inf, FileSync::Fast)) {
        pack.error = pack.infPath + ": cannot be written";
        return pack;
    }
    pack.written = static_cast<int>(files.size());
    pack.ok = true;
    return pack;
}

} // namespace vantle::theme
