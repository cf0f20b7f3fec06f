// The names of a theme made from a pack: an INF with the seventeen scheme values and the extra values real
// packs add (Pan, Grab, Grabbing, Zoom-in, Zoom-out), every CSS and Wayland cursor-shape name resolving
// through libXcursor (the pack's own or Adwaita's), and "working in background" files by base name.

#include "LoadedXcursor.h"
#include "model/CursorFiles.h"
#include "model/LosslessTestSupport.h"
#include "model/ModelTestSupport.h"
#include "theme/CursorNames.h"
#include "theme/ExtraCursors.h"
#include "theme/NameRoles.h"
#include "tool/VantleTool.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vantle::test {
namespace {

namespace fs = std::filesystem;

// A still 32 x 32 cursor whose colour tells the files apart.
void writeCursor(const fs::path& path, unsigned colour) {
    LosslessCursor cursor;
    cursor.frames.push_back({{makeCursorImage(32, 32, [colour](int, int) { return 0xFF000000u | colour; })}});
    CursorWriteReport report;
    writeFileBytes(path.string(), buildIconResource(cursor, 2, report));
}

unsigned colourOf(const fs::path& xcursor) {
    const LoadedXcursor loaded(xcursor);
    return loaded.images == nullptr ? 0u : loaded.images->images[0]->pixels[0] & 0xFFFFFF;
}

int tool(const std::vector<std::string>& args, std::string& out, std::string& err) {
    std::ostringstream o, e;
    const int status = runTool(args, o, e, nullptr);
    out = o.str();
    err = e.str();
    return status;
}

TEST(PackNames, ExtraInfValuesBecomeTheirCursorsAndEveryDesktopNameResolves) {
    TempDir dir;
    const fs::path pack = dir.path() / "pack";
    fs::create_directories(pack);
    std::string inf =
        "[DefaultInstall]\nAddReg = Reg\n[Reg]\nHKCU,\"Control Panel\\Cursors\\Schemes\",\"Full\",,\"";
    for (theme::CursorRole role : theme::kAllRoles) {
        const std::string file = std::string(theme::roleNames(role).windowsName) + ".cur";
        writeCursor(pack / file, 0x100 + static_cast<unsigned>(theme::roleIndex(role)));
        inf += (role == theme::CursorRole::Arrow ? "" : ",") + ("%10%\\Cursors\\Full\\" + file);
    }
    inf += "\"\n";
    const std::vector<std::pair<std::string, std::string>> extras = {{"Pan", "all-scroll"},
                                                                     {"Grab", "grab"},
                                                                     {"Grabbing", "grabbing"},
                                                                     {"Zoom-in", "zoom-in"},
                                                                     {"Zoom-out", "zoom-out"}};
    for (std::size_t i = 0; i < extras.size(); ++i) {
        writeCursor(pack / (extras[i].first + ".cur"), 0x200 + static_cast<unsigned>(i));
        inf += "HKCU,\"Control Panel\\Cursors\"," + extras[i].first + ",0x00020000,\"%10%\\Cursors\\Full\\" +
               extras[i].first + ".cur\"\n";
    }
    writeFileBytes((pack / "Install.inf").string(), Bytes(inf.begin(), inf.end()));

    std::string out, err;
    ASSERT_EQ(tool({"theme", (pack / "Install.inf").string(), "--dir", dir.file("icons")}, out, err), 0)
        << err;
    const fs::path cursors = dir.path() / "icons/Full/cursors";
    for (std::size_t i = 0; i < extras.size(); ++i) {
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(cursors / extras[i].second))) << extras[i].second;
        EXPECT_EQ(colourOf(cursors / extras[i].second), 0x200 + i) << extras[i].second;
        EXPECT_NE(out.find(extras[i].second + ": " + extras[i].first + ".cur;"), std::string::npos) << out;
    }
    EXPECT_EQ(fs::read_symlink(cursors / "openhand"), "grab");
    EXPECT_EQ(colourOf(cursors / "all-resize"), 0x100 + 12u) << "all-resize is SizeAll";
    EXPECT_EQ(colourOf(cursors / "dnd-ask"), 0x100 + 1u) << "dnd-ask is Help";
    EXPECT_EQ(fs::read_symlink(cursors / "move"), "fleur") << "SizeAll keeps its names but all-scroll";
    EXPECT_NE(out.find("inherited from Adwaita: context-menu cell vertical-text alias copy\n"),
              std::string::npos)
        << out;

    // Every name desktops ask for, and every name of every role, through libXcursor's theme lookup.
    if (!fs::is_directory("/usr/share/icons/Adwaita/cursors"))
        GTEST_SKIP() << "Adwaita's cursors are not installed (Debian adwaita-icon-theme)";
    std::vector<std::string> names(theme::desktopCursorNames().begin(), theme::desktopCursorNames().end());
    for (theme::CursorRole role : theme::kAllRoles) {
        names.emplace_back(theme::roleNames(role).fileName);
        names.insert(names.end(), theme::roleNames(role).links.begin(), theme::roleNames(role).links.end());
    }
    EXPECT_EQ(namesNotLoaded(dir.file("icons") + ":/usr/share/icons", "Full", names), 0);
}

TEST(PackNames, WorkingInBackgroundFilesAndExtraFilesByBaseName) {
    TempDir dir;
    writeCursor(dir.path() / "wait.cur", 1);
    writeCursor(dir.path() / "wait_m.cur", 2);
    writeCursor(dir.path() / "Zoom In.cur", 3);
    writeCursor(dir.path() / "zoom_in.cur", 4);
    std::string out, err;
    EXPECT_EQ(tool({"theme", dir.path().string(), "--name", "W", "--dir", dir.file("icons")}, out, err), 3);
    const fs::path cursors = dir.path() / "icons/W/cursors";
    EXPECT_EQ(colourOf(cursors / "watch"), 1u);
    EXPECT_EQ(colourOf(cursors / "progress"), 2u) << "beside wait.cur, wait_m.cur is working in background";
    EXPECT_EQ(colourOf(cursors / "zoom-in"), 3u);
    EXPECT_NE(err.find("zoom_in.cur: a second zoom-in cursor; left out"), std::string::npos) << err;

    // A marked busy cursor is working in background, or busy when another file is working.
    EXPECT_EQ(theme::rolesForBaseName("busy_l"),
              (std::vector{theme::CursorRole::AppStarting, theme::CursorRole::Wait}));
    EXPECT_EQ(theme::extraCursorOf("ZOOMOUT"), "zoom-out");
    EXPECT_EQ(theme::extraCursorOf("pan"), "all-scroll");
    EXPECT_FALSE(theme::extraCursorOf("Arrow"));
}

} // namespace
} // namespace vantle::test
