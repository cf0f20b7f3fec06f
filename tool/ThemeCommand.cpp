#include "tool/ThemeCommand.h"

#include "tool/ThemeApply.h"
#include "tool/ToolOutput.h"

#include "model/TextNumber.h"
#include "theme/CursorPack.h"
#include "theme/CursorScaling.h"
#include "theme/CursorTheme.h"
#include "theme/Hyprcursor.h"
#include "theme/LayoutSupport.h"
#include "theme/ScalableCursors.h"
#include "theme/ThemeCursors.h"
#include "theme/ZipPack.h"

#include <array>
#include <fstream>
#include <memory>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

namespace vantle {

namespace fs = std::filesystem;

namespace {

struct ThemeArguments {
    std::vector<std::string> inputs;
    std::string name;
    std::string dir;
    bool install = false;
    bool apply = false; // implies install
    bool scalable = theme::kScalableByDefault;
    std::vector<int> sizes{theme::kDefaultThemeSizes.begin(), theme::kDefaultThemeSizes.end()};
    bool sizesGiven = false; // --sizes: every size made, crisp or not
};

// "24,32,48": sizes from 1 to 256; an empty list is allowed (only the sizes the files hold).
std::optional<std::vector<int>> sizeList(const std::string& text) {
    std::vector<int> sizes;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t comma = std::min(text.find(',', at), text.size());
        const std::optional<int> size = wholeNumber(text.substr(at, comma - at), 1, kMaxCursorSide);
        if (!size)
            return std::nullopt;
        sizes.push_back(*size);
        at = comma + 1;
    }
    return sizes;
}

std::optional<ThemeArguments> parseArguments(std::span<const std::string> args, std::ostream& err) {
    ThemeArguments a;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if ((arg == "--name" || arg == "--dir") && hasValue) {
            (arg == "--name" ? a.name : a.dir) = args[++i];
        } else if (arg == "--sizes" && hasValue) {
            const auto sizes = sizeList(args[++i]);
            if (!sizes) {
                err << "vantle-tool: --sizes takes sizes from 1 to " << kMaxCursorSide
                    << " separated by commas, such as 24,32,48\n";
                return std::nullopt;
            }
            a.sizes = *sizes;
            a.sizesGiven = true;
        } else if (arg == "--install") {
            a.install = true;
        } else if (arg == "--scalable") {
            a.scalable = true;
        } else if (arg == "--apply") {
            a.apply = a.install = true;
        } else if (arg.starts_with("--")) {
            return std::nullopt;
        } else {
            a.inputs.push_back(arg);
        }
    }
    if (a.inputs.empty() || a.install == !a.dir.empty())
        return std::nullopt;
    return a;
}

bool isInf(const std::string& path) {
    return extensionLower(path) == ".inf";
}

// A .zip archive by its extension or its first bytes.
bool isZip(const std::string& path) {
    std::array<std::uint8_t, 4> head{};
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(head.data()), head.size());
    return extensionLower(path) == ".zip" || (in.gcount() == 4 && theme::looksLikeZip(head));
}

// A scheme's name as a theme folder name: "/" and control characters become "-", blanks around go.
std::string folderNameOf(const std::string& scheme) {
    std::string name;
    for (unsigned char c : scheme)
        name += c == '/' || c < 0x20 || c == 0x7F ? '-' : static_cast<char>(c);
    const auto first = name.find_first_not_of(' ');
    const auto last = name.find_last_not_of(' ');
    name = first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
    return name == "." || name == ".." ? std::string() : name;
}

void printSource(const theme::SourceReport& r, std::ostream& out) {
    std::string roles;
    for (theme::CursorRole role : r.source.roles)
        roles.append(roles.empty() ? "" : ", ").append(theme::roleNames(role).windowsName);
    if (roles.empty())
        roles = r.source.ownName;
    out << roles << ": " << fs::path(r.source.path).filename().string();
    if (!r.written) {
        out << "; left out\n";
        return;
    }
    printSizesAndFrames(r.kept, r.made, r.frames, r.steps, out);
    if (!r.skipped.empty()) {
        out << ";";
        for (const auto& skipped : r.skipped)
            out << " " << skipped.first;
        out << " not made (they would blur; the nearest size held serves)";
    }
    out << "; " << r.invertedReplaced << " inverted pixel" << (r.invertedReplaced == 1 ? "" : "s")
        << " replaced\n";
}

} // namespace

namespace {

// The pack the inputs name: a folder, a .zip archive (unpacked into `scratch`), an Install.inf, or cursor
// files. Nothing, after saying why, when they cannot be read; `status` is then the exit status.
std::optional<theme::CursorPack> readPack(const ThemeArguments& a,
                                          std::unique_ptr<theme::UnpackedZip>& scratch, std::ostream& err,
                                          int& status) {
    std::error_code ec;
    status = 1;
    for (const std::string& in : a.inputs)
        if (!fs::exists(in, ec)) {
            err << "vantle-tool: " << in << ": no such file or folder\n";
            return std::nullopt;
        }
    const bool single = a.inputs.size() == 1;
    theme::CursorPack pack;
    if (single && fs::is_directory(a.inputs[0], ec)) {
        pack = theme::packFromFolder(a.inputs[0]);
    } else if (single && isZip(a.inputs[0])) {
        scratch = std::make_unique<theme::UnpackedZip>();
        pack = theme::packFromZip(a.inputs[0], *scratch);
    } else if (single && isInf(a.inputs[0])) {
        pack = theme::packFromInf(a.inputs[0]);
    } else {
        for (const std::string& in : a.inputs)
            if (isInf(in) || isZip(in) || fs::is_directory(in, ec)) {
                err << "vantle-tool: " << in << ": an Install.inf, a .zip or a folder is given alone\n";
                status = 2;
                return std::nullopt;
            }
        pack = theme::packFromFiles(a.inputs);
    }
    for (const std::string& note : pack.notes)
        err << "vantle-tool: " << note << "\n";
    if (!pack.ok) {
        err << "vantle-tool: " << pack.error << "\n";
        return std::nullopt;
    }
    return pack;
}

// The Xcursor theme with the hyprcursor layout beside it, and the scalable one when asked. False after
// saying why.
bool writeLayouts(const ThemeArguments& a, const std::string& dir, const std::string& name, bool replacing,
                  theme::ThemeCursors& made, std::ostream& out, std::ostream& err) {
    const theme::ThemeResult result = theme::writeCursorTheme(dir, name, made.cursors);
    if (!result.ok) {
        err << "vantle-tool: " << result.error << "\n";
        return false;
    }
    theme::encodeLayoutImages(made.cursors);
    const theme::LayoutResult hypr = theme::writeHyprcursorLayout(result.themeFolder, name, made.cursors);
    if (!hypr.ok) {
        err << "vantle-tool: " << hypr.error << "\n";
        return false;
    }
    out << (a.install ? "installed: " : "theme: ") << result.themeFolder
        << (replacing ? " (replaces the theme that was there)" : "") << "\n";
    if (a.scalable) {
        const theme::LayoutResult scalable = theme::writeScalableLayout(result.themeFolder, made.cursors);
        if (!scalable.ok) {
            err << "vantle-tool: " << scalable.error << "\n";
            return false;
        }
    }
    out << "layouts: Xcursor (cursors/), hyprcursor (manifest.hl, hyprcursors/)"
        << (a.scalable ? ", scalable (cursors_scalable/)" : "") << "\n";
    for (const std::string& note : hypr.notes)
        out << "hyprcursor: " << note << "\n";
    return true;
}

void printNames(const theme::ThemeCursors& made, std::ostream& out) {
    for (const theme::SourceReport& r : made.reports)
        printSource(r, out);
    const theme::ThemeNames names = theme::themeNamesCount(made.cursors);
    out << "names: " << names.own << " from the pack; inherited from " << theme::kInheritedTheme << ":";
    for (std::string_view n : names.inherited)
        out << " " << n;
    out << (names.inherited.empty() ? " none of the names desktops ask for\n" : "\n");
}

} // namespace

int themeCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    std::optional<ThemeArguments> a = parseArguments(args, err);
    if (!a)
        return -1;
    // A pack in an archive is unpacked into a scratch folder that lives until the theme is written.
    std::unique_ptr<theme::UnpackedZip> scratch;
    int status = 0;
    const std::optional<theme::CursorPack> pack = readPack(*a, scratch, err, status);
    if (!pack)
        return status;
    const std::string name = a->name.empty() ? folderNameOf(pack->suggestedName) : a->name;
    if (name.empty()) {
        err << "vantle-tool: the theme needs a name: --name NAME\n";
        return 2;
    }
    std::string dir = a->dir;
    if (a->install) {
        dir = theme::userIconsFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
        if (dir.empty()) {
            err << "vantle-tool: --install needs HOME or XDG_DATA_HOME; give --dir instead\n";
            return 1;
        }
    }

    // Each Xcursor file is written as soon as its cursor is made, rather than all held until the end.
    std::error_code ec;
    const bool replacing = fs::exists(fs::path(dir) / name / "index.theme", ec);
    theme::CursorFileStream stream(dir, name, theme::themeNamesOfPack(*pack));
    theme::ThemeCursors made = theme::makeThemeCursors(
        *pack, a->sizes, a->sizesGiven ? theme::SizeRule::Forced : theme::SizeRule::Crisp, &stream);
    int leftOut = pack->leftOut;
    for (const theme::SourceReport& r : made.reports) {
        for (const std::string& problem : r.problems)
            err << "vantle-tool: "
                << (scratch ? theme::archivePathsIn(r.source.path, a->inputs[0], *scratch) : r.source.path)
                << ": " << problem << "\n";
        if (!r.written || r.partial)
            ++leftOut;
    }
    if (made.cursors.empty()) {
        err << "vantle-tool: no cursor could be read; no theme written\n";
        return 1;
    }
    if (!writeLayouts(*a, dir, name, replacing, made, out, err))
        return 1;
    printNames(made, out);
    const ThemePlace place{dir, name, a->install};
    printHowToUse(place, out);
    const bool applied = !a->apply || applyTheme(place, out, err);
    if (leftOut > 0) {
        err << "vantle-tool: done in part: " << leftOut << " file(s) or role(s) left out or read in part\n";
        return 3;
    }
    return applied ? 0 : 1;
}

} // namespace vantle
