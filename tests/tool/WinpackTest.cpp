// vantle-tool winpack on the command line: what it prints, its exit statuses, the scheme name it gives,
// and the cursors it cannot write.

#include "model/LosslessTestSupport.h"
#include "model/ModelTestSupport.h"
#include "theme/InfText.h"
#include "tool/ToolRun.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vantle::test {
namespace {

namespace fs = std::filesystem;

ToolRun run(const std::vector<std::string>& args) {
    return runToolWith(args, false);
}

XcursorChunkInput square(std::uint32_t side, std::uint32_t argb, std::uint32_t delay = 0) {
    XcursorChunkInput c;
    c.nominal = c.width = c.height = side;
    c.xhot = c.yhot = side / 2;
    c.delay = delay;
    c.pixelAt = [argb](std::uint32_t, std::uint32_t) { return argb; };
    return c;
}

struct Theme {
    TempDir dir;
    fs::path cursors = dir.path() / "Plain" / "cursors";
    Theme() { fs::create_directories(cursors); }
    void write(const std::string& name, const std::vector<XcursorChunkInput>& chunks) const {
        writeFileBytes((cursors / name).string(), xcursorBytes(chunks));
    }
    std::string folder() const { return (dir.path() / "Plain").string(); }
    std::string out() const { return (dir.path() / "out").string(); }
    std::string inf() const {
        const Bytes bytes = readFileBytes((dir.path() / "out" / "install.inf").string());
        return std::string(bytes.begin(), bytes.end());
    }
};

TEST(Winpack, PrintsEachRoleAndHowToInstall) {
    const Theme t;
    t.write("left_ptr", {square(32, 0xFF112233)});
    // An animation of steps shorter than a jiffy: written, with a warning.
    t.write("watch", {square(32, 0xFF0000FF, 10), square(32, 0xFF00FF00, 10), square(32, 0xFFFF0000, 10)});
    const ToolRun r = run({"winpack", t.folder(), t.out()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "scheme: Plain\n"
              "install: " +
                  t.out() +
                  "/install.inf\n"
                  "Arrow: left_ptr -> Arrow.cur; sizes 32 kept, 48 64 96 128 made; 1 frame\n"
                  "Help: no cursor in the theme; left empty\n"
                  "AppStarting: no cursor in the theme; left empty\n"
                  "Wait: watch -> Wait.ani; sizes 32 kept, 48 64 96 128 made; 3 frames, 3 steps\n"
                  "Crosshair: no cursor in the theme; left empty\n"
                  "IBeam: no cursor in the theme; left empty\n"
                  "NWPen: no cursor in the theme; left empty\n"
                  "No: no cursor in the theme; left empty\n"
                  "SizeNS: no cursor in the theme; left empty\n"
                  "SizeWE: no cursor in the theme; left empty\n"
                  "SizeNWSE: no cursor in the theme; left empty\n"
                  "SizeNESW: no cursor in the theme; left empty\n"
                  "SizeAll: no cursor in the theme; left empty\n"
                  "UpArrow: no cursor in the theme; left empty\n"
                  "Hand: no cursor in the theme; left empty\n"
                  "Pin: no cursor in the theme; left empty\n"
                  "Person: no cursor in the theme; left empty\n"
                  "on Windows: right-click install.inf, Install, then choose \"Plain\" in Control Panel > "
                  "Mouse > Pointers\n");
    EXPECT_EQ(r.err, "vantle-tool: " + (t.cursors / "watch").string() +
                         ": warning: 3 step(s) shorter than one jiffy (1/60 s): each shown for at least one, "
                         "rates rounded with the error carried to the next step\n");
    EXPECT_TRUE(fs::is_regular_file(fs::path(t.out()) / "Arrow.cur"));
    EXPECT_TRUE(fs::is_regular_file(fs::path(t.out()) / "Wait.ani"));
}

TEST(Winpack, TheSchemeNameIsMadeFitForWindowsAndKeepsEveryCharacter) {
    const Theme t;
    t.write("left_ptr", {square(32, 0xFF112233)});
    const ToolRun r = run({"winpack", t.folder(), t.out(), "--name", "Night/Day: \xE2\x98\x85"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("scheme: Night_Day_ \xE2\x98\x85\n")) << r.out;
    // Not ASCII: the INF is UTF-16LE with its byte-order mark, and reads back as the name.
    const Bytes bytes = readFileBytes((fs::path(t.out()) / "install.inf").string());
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(bytes[3], 0) << "UTF-16LE";
    EXPECT_NE(theme::infTextAsUtf8(bytes).find("CUR_DIR     = \"Cursors\\Night_Day_ \xE2\x98\x85\"\r\n"),
              std::string::npos);
    const std::string name = "Caf\xC3\xA9 \xC3\x9Cn\xC3\xAF"
                             "code \xE6\x97\xA5\xE6\x9C\xAC";
    ASSERT_EQ(run({"winpack", t.folder(), t.out(), "--name", name}).status, 0);
    const ToolRun back = run({"theme", t.out() + "/install.inf", "--dir", t.dir.file("icons")});
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_TRUE(fs::is_regular_file(t.dir.path() / "icons" / name / "cursors/left_ptr")) << back.out;
    // A name of nothing Windows can hold asks for another.
    const ToolRun none = run({"winpack", t.folder(), t.out(), "--name", "<>"});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("--name NAME"), std::string::npos) << none.err;
}

TEST(Winpack, ACursorThatCannotBeReadIsLeftOutAndTheRestWritten) {
    const Theme t;
    t.write("left_ptr", {square(32, 0xFF112233)});
    writeFileBytes((t.cursors / "xterm").string(), LeBytes().tag("Xcur").u32(16).u32(0x10000).u32(5).bytes);
    const ToolRun r = run({"winpack", t.folder(), t.out()});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.out.find("IBeam: xterm; left out\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find((t.cursors / "xterm").string() + ": "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("done in part: 1 cursor(s)"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(fs::path(t.out()) / "IBeam.cur"));
    EXPECT_EQ(t.inf().find("IBeam.cur"), std::string::npos) << "not in the scheme";
    EXPECT_NE(t.inf().find("Arrow       = \"Arrow.cur\""), std::string::npos);
}

TEST(Winpack, WrongCommandLinesAndThemesWithoutCursors) {
    const Theme t;
    EXPECT_EQ(run({"winpack"}).status, 2);
    EXPECT_EQ(run({"winpack", t.folder()}).status, 2);
    EXPECT_EQ(run({"winpack", t.folder(), t.out(), "extra"}).status, 2);
    EXPECT_EQ(run({"winpack", t.folder(), t.out(), "--sizes", "32"}).status, 2);

    const ToolRun noFolder = run({"winpack", t.dir.file("nowhere"), t.out()});
    EXPECT_EQ(noFolder.status, 1);
    EXPECT_NE(noFolder.err.find("no cursors folder"), std::string::npos) << noFolder.err;

    t.write("zoom-in", {square(32, 0xFF112233)}); // no Windows role
    const ToolRun noRole = run({"winpack", t.folder(), t.out()});
    EXPECT_EQ(noRole.status, 1);
    EXPECT_NE(noRole.err.find("none of the Windows scheme's cursors"), std::string::npos) << noRole.err;
    EXPECT_FALSE(fs::exists(t.out())) << "nothing written";

    // The cursors folder itself is taken too, named after the folder above it.
    t.write("crosshair", {square(32, 0xFF112233)});
    const ToolRun direct = run({"winpack", t.cursors.string(), t.out()});
    EXPECT_EQ(direct.status, 0) << direct.err;
    EXPECT_TRUE(direct.out.starts_with("scheme: Plain\n")) << direct.out;
}

} // namespace
} // namespace vantle::test
