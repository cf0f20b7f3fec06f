// vantle-tool theme --install --apply in a scratch home with stand-ins for the desktops' commands on PATH,
// and the printed try-it line run through the shell and loaded back through libXcursor.

#include "LoadedXcursor.h"
#include "model/CursorFiles.h"
#include "model/LosslessTestSupport.h"
#include "model/ModelTestSupport.h"
#include "tool/VantleTool.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace vantle::test {
namespace {

namespace fs = std::filesystem;

// Sets environment variables for the life of the object, and restores them after.
class Environment {
  public:
    void set(const std::string& name, const std::string& value) {
        const char* old = std::getenv(name.c_str());
        saved_.push_back({name, old != nullptr, old != nullptr ? old : ""});
        ::setenv(name.c_str(), value.c_str(), 1);
    }
    ~Environment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            it->had ? ::setenv(it->name.c_str(), it->value.c_str(), 1) : ::unsetenv(it->name.c_str());
    }

  private:
    struct Saved {
        std::string name;
        bool had;
        std::string value;
    };
    std::vector<Saved> saved_;
};

void writeCursor(const std::string& path, int side) {
    LosslessCursor cursor;
    cursor.frames.push_back({{makeCursorImage(
        side, side, [](int x, int y) { return 0xFF000000u | (x * 8) << 8 | y; }, 32, 1, 2)}});
    CursorWriteReport report;
    writeFileBytes(path, buildIconResource(cursor, 2, report));
}

struct ToolResult {
    int status;
    std::string out, err;
};

ToolResult tool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = runTool(args, out, err, nullptr);
    return {status, out.str(), err.str()};
}

std::string textOf(const fs::path& file) {
    const Bytes bytes = readFileBytes(file.string());
    return std::string(bytes.begin(), bytes.end());
}

std::string lineStarting(const std::string& text, const std::string& start) {
    const auto at = text.find(start);
    return at == std::string::npos ? std::string() : text.substr(at, text.find('\n', at) - at);
}

// What `sh -c LINE` gives COMMAND as XCURSOR_PATH, with COMMAND replaced by printing it.
std::string shellXcursorPath(std::string line) {
    line.replace(line.rfind("COMMAND"), 7, "sh -c 'printf %s \"$XCURSOR_PATH\"'");
    const std::string command = "sh -c \"$LINE\"";
    Environment env;
    env.set("LINE", line);
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string value;
    for (int c; pipe != nullptr && (c = std::fgetc(pipe)) != EOF;)
        value += static_cast<char>(c);
    if (pipe != nullptr)
        ::pclose(pipe);
    return value;
}

TEST(ThemeInstall, ApplyRunsTheDesktopsOwnCommandAndWritesTheDefaultTheme) {
    TempDir dir;
    const fs::path home = dir.path() / "home";
    const fs::path bin = dir.path() / "bin";
    const fs::path calls = dir.path() / "calls";
    fs::create_directories(home);
    fs::create_directories(bin);
    for (const char* program : {"gsettings", "plasma-apply-cursortheme", "hyprctl"}) {
        const std::string script =
            "#!/bin/sh\necho \"" + std::string(program) + " $*\" >> '" + calls.string() + "'\n";
        writeFileBytes((bin / program).string(), Bytes(script.begin(), script.end()));
        fs::permissions(bin / program, fs::perms::owner_all);
    }
    writeCursor(dir.file("Normal.cur"), 32);
    writeCursor(dir.file("Busy.cur"), 32);
    Environment env;
    env.set("HOME", home.string());
    env.set("PATH", bin.string());
    ::unsetenv("XDG_DATA_HOME");

    const std::map<std::string, std::string> expected = {
        {"GNOME", "gsettings set org.gnome.desktop.interface cursor-theme My Theme\n"
                  "gsettings set org.gnome.desktop.interface cursor-size 24\n"},
        {"KDE", "plasma-apply-cursortheme My Theme\n"},
        {"Hyprland", "hyprctl setcursor My Theme 24\n"},
        {"sway", ""}, // swaymsg is not on PATH: said, not run
    };
    bool first = true;
    for (const auto& [desktop, commands] : expected) {
        env.set("XDG_CURRENT_DESKTOP", desktop);
        fs::remove(calls);
        const ToolResult run = tool({"theme", dir.file("Normal.cur"), dir.file("Busy.cur"), "--name",
                                     "My Theme", "--install", "--apply"});
        ASSERT_EQ(run.status, 0) << desktop << run.err;
        EXPECT_EQ(textOf(calls), commands) << desktop;
        const fs::path installed = home / ".local/share/icons/My Theme";
        EXPECT_NE(run.out.find("installed: " + installed.string() +
                               (first ? "\n" : " (replaces the theme that was there)\n")),
                  std::string::npos)
            << run.out;
        EXPECT_TRUE(fs::is_regular_file(installed / "cursors/left_ptr"));
        EXPECT_NE(textOf(home / ".icons/default/index.theme").find("\nInherits=My Theme\n"),
                  std::string::npos);
        if (desktop == "sway") {
            EXPECT_NE(run.out.find("swaymsg is not on PATH"), std::string::npos) << run.out;
        }
        first = false;
    }
    // A failing command fails the run, after the rest was done.
    const std::string failing = "#!/bin/sh\nexit 4\n";
    writeFileBytes((bin / "hyprctl").string(), Bytes(failing.begin(), failing.end()));
    env.set("XDG_CURRENT_DESKTOP", "Hyprland");
    const ToolResult run =
        tool({"theme", dir.file("Normal.cur"), "--name", "My Theme", "--install", "--apply"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("hyprctl setcursor 'My Theme' 24: failed with exit status 4"), std::string::npos)
        << run.err;
}

TEST(ThemeInstall, TryItLineLoadsTheThemeAndWhatItInherits) {
    if (!fs::is_regular_file("/usr/share/icons/Adwaita/cursors/grab"))
        GTEST_SKIP() << "Adwaita's cursors are not installed (Debian adwaita-icon-theme)";
    TempDir dir;
    writeCursor(dir.file("Normal.cur"), 32);
    // A relative folder with a blank in it: the line makes it absolute and quotes it.
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path());
    const ToolResult run = tool({"theme", "Normal.cur", "--name", "Try", "--dir", "my icons"});
    fs::current_path(previous);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string line = lineStarting(run.out, "try it: ").substr(8);
    ASSERT_FALSE(line.empty()) << run.out;
    const std::string path = shellXcursorPath(line);
    ASSERT_TRUE(path.starts_with((dir.path() / "my icons").string() + ":")) << line << " gave " << path;
    EXPECT_EQ(namesNotLoaded(path, "Try", {"left_ptr", "grab"}), 0)
        << "grab inherited from Adwaita through " << path;
    EXPECT_EQ(namesNotLoaded((dir.path() / "my icons").string(), "Try", {"grab"}), 1)
        << "without the default folders the inherited cursors are lost";
}

} // namespace
} // namespace vantle::test
