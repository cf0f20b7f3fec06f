// vantle-tool xcursor and theme: the Xcursor file of a cursor, and a complete cursor theme whose every
// link resolves to a cursor file in the theme (Windows packs: tests/theme/).

#include "model/ModelTestSupport.h"
#include "model/XcursorFile.h"
#include "model/XcursorFileReader.h"
#include "theme/CursorNames.h"
#include "theme/CursorTheme.h"
#include "tool/VantleTool.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace vantle::test {
namespace {

namespace fs = std::filesystem;

int run(const std::vector<std::string>& args, std::string* out = nullptr, std::string* err = nullptr) {
    std::ostringstream o, e;
    const int status = runTool(args, o, e, nullptr);
    if (out)
        *out = o.str();
    if (err)
        *err = e.str();
    return status;
}

std::string fixture(const std::string& name) {
    return std::string(VANTLE_TEST_DATA) + "/" + name;
}

TEST(ThemeTool, XcursorCommandWritesEverySizeAndTheHotspot) {
    TempDir dir;
    ASSERT_EQ(run({"xcursor", fixture("icotool-cursor.cur"), dir.file("c")}), 0);
    IconDocument d = newDocument();
    RecordingMessages messages;
    ReadContext context{messages, kTestMarkers};
    ASSERT_EQ(readXcursorFile(d, dir.file("c"), context).outcome, ReadOutcome::Complete);
    ASSERT_EQ(d.imageCount, 1);
    EXPECT_EQ(d.images[0].hotspotX, 5);
    EXPECT_EQ(d.images[0].hotspotY, 9);

    std::string err;
    EXPECT_EQ(run({"xcursor", dir.file("missing.cur"), dir.file("d")}, nullptr, &err), 1);
    EXPECT_NE(err.find("cannot be opened"), std::string::npos);
    EXPECT_EQ(run({"xcursor", dir.file("c")}), 2);
}

TEST(ThemeTool, ThemeIsCompleteAndEveryLinkResolves) {
    TempDir dir;
    // Input names of the three kinds: a cursor name, a link name and a Windows name.
    fs::copy_file(fixture("xcursorgen/xcursorgen-arrow"), dir.file("left_ptr"));
    fs::copy_file(fixture("icotool-cursor.cur"), dir.file("Wait.cur"));
    fs::copy_file(fixture("icotool-cursor16.cur"), dir.file("IBeam.cur"));
    fs::copy_file(fixture("icotool-cursor48.cur"), dir.file("my-special.cur"));
    std::string out, err;
    ASSERT_EQ(run({"theme", dir.file("left_ptr"), dir.file("Wait.cur"), dir.file("IBeam.cur"),
                   dir.file("my-special.cur"), "--name", "Mine", "--dir", dir.file("icons")},
                  &out, &err),
              0)
        << err;
    EXPECT_NE(err.find("my-special"), std::string::npos) << "an unknown name is pointed out";
    const fs::path theme = dir.path() / "icons" / "Mine";
    const std::string index = theme::indexTheme("Mine");
    EXPECT_EQ(readFileBytes((theme / "index.theme").string()), Bytes(index.begin(), index.end()));
    EXPECT_NE(index.find("[Icon Theme]\nName=Mine\n"), std::string::npos);
    EXPECT_NE(index.find("\nInherits=Adwaita\n"), std::string::npos);

    const fs::path cursors = theme / "cursors";
    const std::set<std::string> expectedFiles = {"left_ptr", "watch", "xterm", "my-special"};
    std::set<std::string> files, links;
    for (const auto& entry : fs::directory_iterator(cursors)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_symlink()) {
            links.insert(name);
            const fs::path target = fs::read_symlink(entry.path());
            EXPECT_TRUE(target.is_relative()) << name << ": a theme can be moved";
            EXPECT_TRUE(fs::is_regular_file(cursors / target)) << name << " -> " << target;
        } else {
            files.insert(name);
            std::array<std::uint8_t, 4> head{};
            std::ifstream(entry.path(), std::ios::binary).read(reinterpret_cast<char*>(head.data()), 4);
            EXPECT_TRUE(xcursor::hasMagic(head)) << name;
        }
    }
    EXPECT_EQ(files, expectedFiles);
    std::set<std::string> expectedLinks;
    for (theme::CursorRole role :
         {theme::CursorRole::Arrow, theme::CursorRole::Wait, theme::CursorRole::IBeam})
        for (std::string_view link : theme::roleNames(role).links)
            expectedLinks.emplace(link);
    EXPECT_EQ(links, expectedLinks);
    EXPECT_EQ(fs::read_symlink(cursors / "default"), "left_ptr");
    EXPECT_EQ(fs::read_symlink(cursors / "wait"), "watch");
    EXPECT_EQ(fs::read_symlink(cursors / "text"), "xterm");

    // Written again over itself: links are replaced, not followed.
    ASSERT_EQ(run({"theme", dir.file("Wait.cur"), "--name", "Mine", "--dir", dir.file("icons")}), 0);
    EXPECT_TRUE(fs::is_symlink(cursors / "wait"));
    EXPECT_EQ(readFileBytes((cursors / "left_ptr").string()).size(), fs::file_size(cursors / "default"));
}

TEST(ThemeTool, ClashesAndRefusals) {
    TempDir dir;
    fs::copy_file(fixture("icotool-cursor.cur"), dir.file("wait.cur"));
    fs::copy_file(fixture("icotool-cursor16.cur"), dir.file("busy.cur"));
    std::string out, err;
    // Two files for one cursor: the first keeps it, the other is reported and left out.
    EXPECT_EQ(
        run({"theme", dir.file("wait.cur"), dir.file("busy.cur"), "--name", "T", "--dir", dir.file("i")},
            &out, &err),
        3);
    EXPECT_NE(err.find("busy.cur: also a Wait cursor; wait.cur came first"), std::string::npos) << err;
    EXPECT_NE(out.find("Wait: wait.cur;"), std::string::npos) << out;
    EXPECT_EQ(out.find("busy.cur"), std::string::npos) << out;
    EXPECT_EQ(run({"theme", dir.file("wait.cur"), "--name", "a/b", "--dir", dir.file("i")}), 1);
    EXPECT_EQ(run({"theme", dir.file("wait.cur"), "--dir", dir.file("i")}), 2) << "loose files need a name";
    EXPECT_EQ(run({"theme", "--name", "T", "--dir", dir.file("i")}), 2);
    EXPECT_EQ(run({"theme", dir.file("wait.cur"), "--name", "T"}), 2) << "--dir or --install";
    EXPECT_EQ(run({"theme", dir.file("wait.cur"), "--name", "T", "--dir", dir.file("i"), "--install"}), 2);
    EXPECT_EQ(run({"theme", dir.file("wait.cur"), "--name", "T", "--dir", dir.file("i"), "--sizes", "0,24"}),
              2);
    EXPECT_EQ(run({"theme", dir.file("wait.cur"), "--name", "T", "--dir", dir.file("i"), "--sizes", "24,x"}),
              2);
    // A path that does not exist is said as such; nothing is written.
    EXPECT_EQ(run({"theme", dir.file("missing.cur"), "--name", "T", "--dir", dir.file("j")}, nullptr, &err),
              1);
    EXPECT_EQ(err, "vantle-tool: " + dir.file("missing.cur") + ": no such file or folder\n");
    EXPECT_FALSE(fs::exists(dir.path() / "j" / "T"));
}

} // namespace
} // namespace vantle::test
