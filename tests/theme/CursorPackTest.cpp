// Packs as folders on disk: an INF's file names found in any letter case, a misspelt name the INF uses
// consistently, a missing file, one file for two roles; folders without an INF; loose files.

#include "theme/CursorPack.h"
#include "model/ModelTestSupport.h"

#include <gtest/gtest.h>

namespace vantle::theme {
namespace {

using R = CursorRole;
using test::TempDir;

void touch(const std::filesystem::path& path) {
    std::filesystem::create_directories(path.parent_path());
    test::writeFileBytes(path.string(), {0});
}

const PackSource* sourceOf(const CursorPack& pack, R role) {
    for (const PackSource& s : pack.sources)
        if (std::find(s.roles.begin(), s.roles.end(), role) != s.roles.end())
            return &s;
    return nullptr;
}

std::string fileOf(const CursorPack& pack, R role) {
    const PackSource* s = sourceOf(pack, role);
    return s ? std::filesystem::path(s->path).filename().string() : std::string();
}

constexpr std::string_view kInf =
    "[DefaultInstall]\r\nAddReg = Scheme.Reg\r\n[Scheme.Reg]\r\n"
    "HKCU,\"Control Panel\\Cursors\\Schemes\",\"%NAME%\",,\"%10%\\%D%\\Normal.cur,"
    "%10%\\%D%\\help.cur,%10%\\%D%\\working.ani,%10%\\%D%\\busy.ani,,,,%10%\\%D%\\"
    "unavailible.cur,,,,,,%10%\\%D%\\Normal.cur,%10%\\%D%\\link.ani\"\r\n"
    "[Strings]\r\nNAME = \"Sky / Blue\"\r\nD = Cursors\\Sky\r\n";

TEST(CursorPack, InfFilesAreFoundInAnyCaseAndMissingOnesAreSaid) {
    TempDir dir;
    const std::filesystem::path pack = dir.path() / "Sky Pack";
    touch(pack / "NORMAL.CUR");
    touch(pack / "Help.Cur");
    touch(pack / "Unavailible.cur"); // misspelt, and the INF spells it so
    touch(pack / "Cursors" / "Link.ani");
    touch(pack / "busy.ani");
    test::writeFileBytes((pack / "Install.inf").string(), test::Bytes(kInf.begin(), kInf.end()));

    for (const CursorPack& p :
         {packFromInf((pack / "Install.inf").string()), packFromFolder(pack.string())}) {
        ASSERT_TRUE(p.ok) << p.error;
        EXPECT_EQ(p.suggestedName, "Sky / Blue");
        EXPECT_EQ(fileOf(p, R::Arrow), "NORMAL.CUR");
        EXPECT_EQ(fileOf(p, R::Help), "Help.Cur");
        EXPECT_EQ(fileOf(p, R::No), "Unavailible.cur");
        EXPECT_EQ(fileOf(p, R::Wait), "busy.ani");
        EXPECT_EQ(fileOf(p, R::Hand), "Link.ani") << "found in a folder inside the pack";
        EXPECT_EQ(fileOf(p, R::AppStarting), "") << "working.ani is not in the pack";
        EXPECT_EQ(p.leftOut, 1);
        ASSERT_EQ(p.notes.size(), 1u);
        EXPECT_NE(p.notes[0].find("working.ani for AppStarting"), std::string::npos) << p.notes[0];
        // Normal.cur serves Arrow and UpArrow: one source for both.
        ASSERT_NE(sourceOf(p, R::UpArrow), nullptr);
        EXPECT_EQ(sourceOf(p, R::UpArrow), sourceOf(p, R::Arrow));
        EXPECT_EQ(sourceOf(p, R::Arrow)->roles, (std::vector<R>{R::Arrow, R::UpArrow}));
        EXPECT_EQ(p.sources.size(), 5u);
    }

    // An INF without a scheme is refused; a missing INF too.
    test::writeFileBytes((dir.path() / "empty.inf").string(), {'[', 'x', ']'});
    EXPECT_FALSE(packFromInf((dir.path() / "empty.inf").string()).ok);
    const CursorPack none = packFromInf((dir.path() / "none.inf").string());
    EXPECT_FALSE(none.ok);
    EXPECT_NE(none.error.find("cannot be opened"), std::string::npos);
}

TEST(CursorPack, FoldersWithoutInfAndLooseFilesGoByName) {
    TempDir dir;
    const std::filesystem::path pack = dir.path() / "Plain";
    for (const char* name :
         {"Normal Select.cur", "Busy.ani", "Working.ani", "preview.ico", "readme.txt", "Vert.CUR"})
        touch(pack / name);
    const CursorPack p = packFromFolder(pack.string() + "/");
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.suggestedName, "Plain");
    EXPECT_EQ(fileOf(p, R::Arrow), "Normal Select.cur");
    EXPECT_EQ(fileOf(p, R::Wait), "Busy.ani");
    EXPECT_EQ(fileOf(p, R::AppStarting), "Working.ani");
    EXPECT_EQ(fileOf(p, R::SizeNS), "Vert.CUR");
    EXPECT_EQ(p.sources.size(), 4u) << "a preview is no cursor of the pack";
    EXPECT_EQ(p.leftOut, 1) << "and is counted as left out";
    ASSERT_EQ(p.notes.size(), 1u);
    EXPECT_NE(p.notes[0].find("preview.ico"), std::string::npos);

    const CursorPack empty = packFromFolder((dir.path() / "nothing").string());
    EXPECT_FALSE(empty.ok);

    // Loose files: a name of no role is written under its own name.
    const std::vector<std::string> files = {(pack / "Busy.ani").string(), (pack / "preview.ico").string()};
    const CursorPack loose = packFromFiles(files);
    ASSERT_TRUE(loose.ok);
    EXPECT_EQ(loose.suggestedName, "");
    ASSERT_EQ(loose.sources.size(), 2u);
    EXPECT_EQ(loose.sources[1].ownName, "preview");
    EXPECT_TRUE(loose.sources[1].roles.empty());
}

} // namespace
} // namespace vantle::theme
