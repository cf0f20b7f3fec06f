// Packs as they are downloaded: .zip archives (written here with libzip) holding the pack's folder with
// its Install.inf, or cursor files alone, with the forks a Mac's archiver adds; and archives that are
// damaged or unpack to more than the limits.

#include "theme/ZipPack.h"
#include "LoadedXcursor.h"
#include "model/CursorFiles.h"
#include "model/LosslessTestSupport.h"
#include "model/ModelTestSupport.h"
#include "tool/VantleTool.h"

#include <gtest/gtest.h>

#include <sstream>
#include <zip.h>

namespace vantle::test {
namespace {

namespace fs = std::filesystem;

Bytes cursorBytes(unsigned colour) {
    LosslessCursor cursor;
    cursor.frames.push_back({{makeCursorImage(32, 32, [colour](int, int) { return 0xFF000000u | colour; })}});
    CursorWriteReport report;
    return buildIconResource(cursor, 2, report);
}

Bytes textBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// Writes the archive at `path` holding `entries` (name, bytes), deflated.
void writeZip(const std::string& path, const std::vector<std::pair<std::string, Bytes>>& entries) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, bytes] : entries) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        ASSERT_GE(zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8), 0) << name;
    }
    ASSERT_EQ(zip_close(archive), 0);
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

TEST(ZipPack, AnArchivedPackWithItsInfBecomesATheme) {
    TempDir dir;
    const std::string inf = "[DefaultInstall]\nAddReg=R\n[R]\n"
                            "HKCU,\"Control Panel\\Cursors\\Schemes\",\"%S%\",,\"a.cur,,,BUSY.cur\"\n"
                            "HKCU,\"Control Panel\\Cursors\",Pan,0x00020000,\"pan.cur\"\n"
                            "HKCU,\"Control Panel\\Cursors\",Grab,0x00020000,\"grab.cur\"\n"
                            "[Strings]\nS=\"Sky Blue\"\n";
    const std::vector<std::pair<std::string, Bytes>> entries = {
        {"Sky/readme.txt", textBytes("hello")},
        {"Sky/extra/Install.inf", textBytes("not the one: deeper")},
        {"Sky/Install.inf", textBytes(inf)},
        {"Sky/A.cur", cursorBytes(1)},
        {"Sky/cursors/busy.cur", cursorBytes(2)},
        {"Sky/pan.cur", cursorBytes(3)},
        {"__MACOSX/Sky/._A.cur", textBytes("fork")},
        {"../../escape.cur", cursorBytes(4)},
    };
    writeZip(dir.file("Sky.zip"), entries);
    const ToolResult run = tool({"theme", dir.file("Sky.zip"), "--dir", dir.file("icons")});
    // grab.cur is named but not in the archive: left out, named once as the archive's path.
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_EQ(run.err,
              "vantle-tool: Install.inf names grab.cur for grab, which is not in Sky.zip: Sky; left out\n"
              "vantle-tool: done in part: 1 file(s) or role(s) left out or read in part\n");
    const fs::path cursors = dir.path() / "icons/Sky Blue/cursors";
    for (const char* name : {"left_ptr", "watch", "all-scroll"})
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(cursors / name))) << name << "\n" << run.out;
    EXPECT_EQ(LoadedXcursor(cursors / "watch").images->images[0]->pixels[0], 0xFF000002u);
    EXPECT_FALSE(fs::exists(dir.path() / "escape.cur"));
    EXPECT_FALSE(fs::exists(dir.path().parent_path() / "escape.cur"));
}

TEST(ZipPack, FilesByNameDamagedArchivesAndLimits) {
    TempDir dir;
    writeZip(dir.file("Loose Pack.zip"), {{"x/Normal Select.cur", cursorBytes(1)},
                                          {"x/y/Busy.cur", cursorBytes(2)},
                                          {"preview.ico", cursorBytes(3)}});
    const ToolResult loose = tool({"theme", dir.file("Loose Pack.zip"), "--dir", dir.file("icons")});
    EXPECT_EQ(loose.status, 3) << "the preview is left out";
    EXPECT_NE(loose.err.find("vantle-tool: preview.ico: no cursor role by its name; left out\n"),
              std::string::npos)
        << loose.err;
    EXPECT_TRUE(fs::is_regular_file(dir.path() / "icons/Loose Pack/cursors/left_ptr")) << loose.out;
    EXPECT_TRUE(fs::is_regular_file(dir.path() / "icons/Loose Pack/cursors/watch"));

    // Cut short: libzip finds no central directory.
    const Bytes whole = readFileBytes(dir.file("Loose Pack.zip"));
    writeFileBytes(dir.file("cut.zip"),
                   Bytes(whole.begin(), whole.begin() + static_cast<long>(whole.size() / 2)));
    const ToolResult cut = tool({"theme", dir.file("cut.zip"), "--dir", dir.file("icons")});
    EXPECT_EQ(cut.status, 1);
    EXPECT_NE(cut.err.find("cut.zip: not a zip archive libzip can open"), std::string::npos) << cut.err;

    // An entry that unpacks beyond the limit is left out, whatever it claims; the others are read.
    const Bytes huge(theme::kMaxZipEntryBytes + 1, 0);
    writeZip(dir.file("bomb.zip"), {{"big.cur", huge}, {"small.cur", cursorBytes(5)}});
    const theme::ZipContents bomb = theme::readPackArchive(readFileBytes(dir.file("bomb.zip")));
    ASSERT_TRUE(bomb.ok);
    ASSERT_EQ(bomb.entries.size(), 1u);
    EXPECT_EQ(bomb.entries[0].name, "small.cur");
    EXPECT_EQ(bomb.notes, std::vector<std::string>{"big.cur: larger than 64 MB unpacked; left out"});
    EXPECT_FALSE(theme::readPackArchive(Bytes{'P', 'K', 3, 4}).ok);
}

} // namespace
} // namespace vantle::test
