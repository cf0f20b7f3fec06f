#include "tool/WinpackCommand.h"

#include "tool/ToolOutput.h"

#include "theme/WindowsPack.h"

#include <filesystem>
#include <vector>

namespace vantle {

namespace {

void printRole(const theme::PackRole& r, std::ostream& out) {
    out << theme::roleNames(r.role).windowsName << ": ";
    if (!r.source) {
        out << "no cursor in the theme; left empty\n";
        return;
    }
    out << r.source->name;
    if (r.source->file != r.source->name)
        out << " (" << r.source->file << ")";
    if (r.fileName.empty()) {
        out << "; left out\n";
        return;
    }
    out << " -> " << r.fileName;
    printSizesAndFrames(r.kept, r.made, r.frames, r.steps, out);
    out << "\n";
}

} // namespace

int winpackCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> folders;
    std::string name;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--name" && i + 1 < args.size())
            name = args[++i];
        else if (args[i].starts_with("--")) {
            err << "vantle-tool: winpack: unknown option " << args[i] << "\n";
            return 2;
        } else
            folders.push_back(args[i]);
    }
    if (folders.size() != 2) {
        err << "vantle-tool: winpack takes THEME_DIR OUT_DIR [--name NAME]\n";
        return 2;
    }
    const theme::WindowsPack pack = theme::writeWindowsPack(folders[0], folders[1], name);
    for (const theme::PackRole& r : pack.roles) {
        if (!r.source)
            continue;
        for (const std::string& problem : r.problems)
            err << "vantle-tool: " << r.source->path << ": " << problem << "\n";
        for (const std::string& warning : r.warnings)
            err << "vantle-tool: " << r.source->path << ": warning: " << warning << "\n";
    }
    if (!pack.ok) {
        err << "vantle-tool: " << pack.error << "\n";
        return 1;
    }
    out << "scheme: " << pack.schemeName << "\n";
    out << "install: " << pack.infPath << "\n";
    for (const theme::PackRole& r : pack.roles)
        printRole(r, out);
    out << "on Windows: right-click install.inf, Install, then choose \"" << pack.schemeName
        << "\" in Control Panel > Mouse > Pointers\n";
    if (pack.leftOut > 0) {
        err << "vantle-tool: done in part: " << pack.leftOut << " cursor(s) left out or read in part\n";
        return 3;
    }
    return 0;
}

} // namespace vantle
