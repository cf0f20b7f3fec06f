#include "tool/ThemeApply.h"

#include "theme/DesktopSetup.h"

#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace vantle {

namespace fs = std::filesystem;

namespace {

theme::Desktop currentDesktop() {
    const char* value = std::getenv("XDG_CURRENT_DESKTOP");
    return theme::desktopOf(value == nullptr ? "" : value);
}

// The program's file on PATH, or empty.
std::string onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string_view dirs = path == nullptr ? "" : path;
    while (!dirs.empty()) {
        const std::size_t colon = std::min(dirs.find(':'), dirs.size());
        const fs::path candidate =
            fs::path(dirs.substr(0, colon).empty() ? "." : dirs.substr(0, colon)) / program;
        dirs.remove_prefix(std::min(colon + 1, dirs.size()));
        if (::access(candidate.c_str(), X_OK) == 0 && fs::is_regular_file(candidate))
            return candidate.string();
    }
    return {};
}

// Runs the command and waits for it: its exit status, or -1 when it could not be started or was killed.
int run(const std::string& file, const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& word : argv)
        args.push_back(const_cast<char*>(word.c_str()));
    args.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, file.c_str(), nullptr, nullptr, args.data(), environ) != 0)
        return -1;
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

void printHowToUse(const ThemePlace& place, std::ostream& out) {
    if (place.installed) {
        const auto setups = theme::desktopSetups(currentDesktop(), place.name, theme::kDesktopCursorSize);
        out << "to use it (this desktop first; --apply does it):\n";
        for (const theme::DesktopSetup& setup : setups) {
            std::string label = std::string(setup.label) + ":";
            label.resize(12, ' ');
            for (const theme::SetupStep& step : setup.steps) {
                out << "  " << label << step.text << "\n";
                label.assign(12, ' ');
            }
        }
    }
    out << "try it: " << theme::tryItLine(place.iconsFolder, place.name) << "\n";
    if (!place.installed)
        out << "or install it with --install (--apply selects it too)\n";
}

bool applyTheme(const ThemePlace& place, std::ostream& out, std::ostream& err) {
    bool ok = true;
    const theme::Desktop desktop = currentDesktop();
    const theme::DesktopSetup setup =
        theme::desktopSetups(desktop, place.name, theme::kDesktopCursorSize).front();
    for (const theme::SetupStep& step : setup.steps) {
        if (step.argv.empty()) {
            if (desktop != theme::Desktop::PlainX)
                out << "by hand (" << setup.label << "): " << step.text << "\n";
            continue;
        }
        const std::string file = onPath(step.argv.front());
        if (file.empty()) {
            out << "by hand (" << setup.label << "): " << step.text << " (" << step.argv.front()
                << " is not on PATH)\n";
            continue;
        }
        const int status = run(file, step.argv);
        if (status == 0) {
            out << "applied: " << step.text << "\n";
        } else {
            err << "vantle-tool: " << step.text << ": failed"
                << (status < 0 ? std::string() : " with exit status " + std::to_string(status)) << "\n";
            ok = false;
        }
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
        err << "vantle-tool: HOME is not set; ~/.icons/default/index.theme not written\n";
        return false;
    }
    const theme::DefaultThemeResult written = theme::writeDefaultTheme(home, place.name);
    if (!written.ok) {
        err << "vantle-tool: " << written.error << "\n";
        return false;
    }
    out << "applied: " << written.path << " inherits " << place.name;
    if (!written.previousInherits.empty())
        out << " (it inherited " << written.previousInherits << " before)";
    out << "; programs started from now on take it\n";
    if (!onPath("flatpak").empty())
        out << "by hand (Flatpak): flatpak --user override --filesystem=xdg-data/icons:ro\n";
    if (desktop == theme::Desktop::PlainX)
        out << "by hand (plain X): Xcursor.theme: " << place.name << " in ~/.Xresources, then xrdb -merge "
            << "~/.Xresources; or log in again\n";
    return ok;
}

} // namespace vantle
