// vantle-tool end to end: info output, conversions between the three formats, exit statuses and help.

#include "tool/VantleTool.h"
#include "model/AniFileReader.h"
#include "model/AniFileWriter.h"
#include "model/CursorFiles.h"
#include "model/IconBytes.h"
#include "model/IconFileReader.h"
#include "model/IconFileWriter.h"
#include "model/LosslessTestSupport.h"
#include "model/ModelTestSupport.h"
#include "model/ProgramIcons.h"
#include "platform/qt/QtPictureService.h"
#include "tool/ToolRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace vantle::test {
namespace {

constexpr colourRGB kRed = 0x0000FF;
constexpr colourRGB T = kTestMarkers.transparent;
constexpr colourRGB I = kTestMarkers.inverted;

ToolRun runWith(const std::vector<std::string>& args) {
    return runToolWith(args);
}

std::string fixture(std::string_view name) {
    return std::string(VANTLE_TEST_DATA) + "/" + std::string(name);
}

void writeIcon(const std::string& path) {
    IconDocument d = newDocument();
    addImage(
        d, 16, 16, [](int x, int y) { return x == y ? T : kRed; }, 3, 4);
    addImage(d, 32, 32, distinctColour, 0, 31);
    ASSERT_TRUE(writeIconFile(d, path, 1, kTestMarkers));
}

void writeAnimation(const std::string& path) {
    IconDocument d = newDocument();
    addImage(d, 16, 16, [](int x, int) { return x < 4 ? T : kRed; });
    addImage(
        d, 16, 16, [](int x, int) { return x < 4   ? I
                                           : x < 8 ? kBlack
                                                   : kRed; }, 5, 6);
    d.title = "歩く";
    d.author = "ab\x01";
    d.stepCount = 2;
    d.steps[0] = {1, 8};
    d.steps[1] = {0, 20};
    RecordingMessages messages;
    ASSERT_TRUE(writeAniFile(d, path, kTestMarkers, messages));
}

TEST(VantleTool, InfoOfAnIconFile) {
    TempDir dir;
    const std::string path = dir.file("two.ico");
    writeIcon(path);
    const ToolRun run = runWith({"info", path});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "file: " + path +
                           "\n"
                           "images: 2\n"
                           "image 0: size 16x16 depth 2 hotspot 3,4 colours 2\n"
                           "image 1: size 32x32 depth full hotspot 0,31 colours >256\n");
}

TEST(VantleTool, InfoOfAFixtureCursorAndAPngEntry) {
    const ToolRun cursor = runWith({"info", fixture("icotool-cursor.cur")});
    EXPECT_EQ(cursor.status, 0);
    EXPECT_EQ(cursor.out, "file: " + fixture("icotool-cursor.cur") +
                              "\n"
                              "images: 1\n"
                              "image 0: size 32x32 depth 2 hotspot 5,9 colours 2\n");
    const ToolRun png = runWith({"info", fixture("icotool-png32.ico")});
    EXPECT_EQ(png.status, 0) << png.err;
    EXPECT_EQ(png.out, "file: " + fixture("icotool-png32.ico") +
                           "\n"
                           "images: 2\n"
                           "image 0: size 16x16 depth 16 hotspot 0,0 colours 3\n"
                           "image 1: size 32x32 depth 16 hotspot 0,0 colours 5\n");
}

TEST(VantleTool, InfoOfAnAnimatedCursor) {
    TempDir dir;
    const std::string path = dir.file("walk.ani");
    writeAnimation(path);
    const ToolRun run = runWith({"info", path});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "file: " + path +
                           "\n"
                           "images: 2\n"
                           "image 0: size 16x16 depth 2 hotspot 0,0 colours 2\n"
                           "image 1: size 16x16 depth 16 hotspot 5,6 colours 3\n"
                           "title: 歩く\n"
                           "author: ab\\x01\\x00\n"
                           "rate: 8\n"
                           "flags: 3\n"
                           "rate table: yes\n"
                           "sequence table: yes\n"
                           "steps: 2\n"
                           "step 0: image 1 rate 8\n"
                           "step 1: image 0 rate 20\n");
}

TEST(VantleTool, InfoOfAFileReadInPartShowsWhatWasReadAndExitsWith3) {
    const ToolRun run = runWith({"info", fixture("icotool-png256.ico")});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.out.find("images: 2\n"), std::string::npos);
    EXPECT_EQ(run.err, "vantle-tool: このアイコンリソースには４８ｘ４８以上のアイコンが含まれている為 "
                       "Ｖａｎｔｌｅでは正常に読み込めません。\n");
}

TEST(VantleTool, InfoSaysWhatTheWindowLeavesOutWithoutAMessage) {
    TempDir dir;
    auto write = [&](const std::string& name, const Bytes& bytes) {
        const std::string p = dir.file(name);
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return p;
    };
    // A 32-bit cursor with a soft edge: the window keeps on/off transparency, so it is read in part.
    BitmapInput soft;
    soft.width = soft.height = 32;
    soft.bitCount = 32;
    soft.valueAt = [](int, int) { return kRed; };
    soft.alphaAt = [](int x, int) { return x < 8 ? 0 : x == 8 ? 100 : 255; };
    const ToolRun cut = runWith({"info", write("soft.cur", iconFileBytes(2, {entryFor(soft, 1, 1)}))});
    EXPECT_EQ(cut.status, 3);
    EXPECT_EQ(cut.err, "vantle-tool: read in part: 1 image(s) with soft edges (alpha 1 to 254); the window "
                       "keeps on/off transparency only\n");
    soft.alphaAt = [](int x, int) { return x < 8 ? 0 : 255; };
    const ToolRun onOff = runWith({"info", write("onoff.cur", iconFileBytes(2, {entryFor(soft, 1, 1)}))});
    EXPECT_EQ(onOff.status, 0);
    EXPECT_EQ(onOff.err, "");

    // An empty file and an empty directory open as a blank document without a message; info says so.
    for (const Bytes& bytes : {Bytes{}, iconFileBytes(1, {})}) {
        const std::string p = write("empty.ico", bytes);
        const ToolRun empty = runWith({"info", p});
        EXPECT_EQ(empty.status, 0);
        EXPECT_EQ(empty.err, "vantle-tool: " + p +
                                 ": holds no image; the window opens it as one blank 32 x 32 "
                                 "image\n");
    }
}

TEST(VantleTool, ConversionsRoundTrip) {
    TempDir dir;
    const std::string ico = dir.file("a.ico");
    writeIcon(ico);
    for (const auto& [from, to] :
         {std::pair{"a.ico", "b.cur"}, std::pair{"b.cur", "c.ani"}, std::pair{"c.ani", "d.ico"}}) {
        const ToolRun run = runWith({"convert", dir.file(from), dir.file(to)});
        EXPECT_EQ(run.status, 0) << from << " -> " << to << ": " << run.err;
        EXPECT_EQ(run.err, std::string(to) == "d.ico"
                               ? "vantle-tool: " + dir.file("d.ico") + ": an icon file keeps no hotspots\n"
                               : "");
    }
    // Every conversion keeps both images whole, the full-colour one included, and the hotspots where the
    // format holds them.
    CursorReadReport report;
    const auto original = readCursorFile(ico, report);
    ASSERT_TRUE(original);
    ASSERT_EQ(original->frames[0].images.size(), 2u);
    for (const char* name : {"b.cur", "c.ani", "d.ico"}) {
        SCOPED_TRACE(name);
        const auto converted = readCursorFile(dir.file(name), report);
        ASSERT_TRUE(converted);
        EXPECT_TRUE(report.complete);
        ASSERT_EQ(converted->frames.size(), 1u);
        ASSERT_EQ(converted->frames[0].images.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            const CursorImage& before = original->frames[0].images[i];
            const CursorImage& after = converted->frames[0].images[i];
            EXPECT_EQ(firstImageDifference(before, after), "") << "image " << i;
            const bool icon = std::string_view(name) == "d.ico";
            EXPECT_EQ(after.hotspotX, icon ? 0 : before.hotspotX) << "image " << i;
            EXPECT_EQ(after.hotspotY, icon ? 0 : before.hotspotY) << "image " << i;
        }
    }
    EXPECT_EQ(le16(readFileBytes(dir.file("b.cur")), 2), 2) << "a cursor file";
    // The window reads the cursor file as it read the icon.
    RecordingMessages messages;
    ReadContext context{messages, kTestMarkers};
    IconDocument before = newDocument();
    IconDocument cursor = newDocument();
    readIconFile(before, ico, context);
    ASSERT_EQ(readIconFile(cursor, dir.file("b.cur"), context), ReadOutcome::Complete);
    ASSERT_EQ(cursor.imageCount, 2);
    EXPECT_EQ(firstPixelDifference(before.images[0], cursor.images[0]), "");
    EXPECT_EQ(firstPixelDifference(before.images[1], cursor.images[1]), "");
}

TEST(VantleTool, ConvertingAnAnimationToAnIconFileKeepsItsFirstFrameAndSaysSo) {
    TempDir dir;
    IconDocument d = newDocument();
    for (int i = 0; i < 3; ++i)
        addImage(d, 16, 16, [i](int x, int) { return x == i ? T : kRed; });
    RecordingMessages messages;
    ASSERT_TRUE(writeAniFile(d, dir.file("three.ani"), kTestMarkers, messages));
    const ToolRun run = runWith({"convert", dir.file("three.ani"), dir.file("one.ico")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "vantle-tool: " + dir.file("one.ico") +
                           ": an animation of 3 frames: only its first frame is written\n");
    EXPECT_EQ(le16(readFileBytes(dir.file("one.ico")), 4), 1);
}

TEST(VantleTool, ExitStatuses) {
    TempDir dir;
    const std::string ico = dir.file("a.ico");
    writeIcon(ico);
    std::filesystem::create_directory(dir.file("folder.cur"));
    // The 16 x 16 entry whole, the 32 x 32 one cut, the 256 x 256 one beyond the end.
    const Bytes modern = readFileBytes(fixture("im-modern.ico"));
    writeFileBytes(dir.file("cut.ico"), Bytes(modern.begin(), modern.begin() + 3000));
    writeFileBytes(dir.file("empty.ico"), Bytes{0, 0, 1, 0, 0, 0});
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err; // the whole error output, or empty to check the usage text
    };
    const Case cases[] = {
        {{"info", dir.file("missing.ico")},
         1,
         "vantle-tool: " + dir.file("missing.ico") + ": cannot be opened\n"},
        {{"convert", dir.file("missing.ani"), dir.file("x.ico")},
         1,
         "vantle-tool: " + dir.file("missing.ani") + ": cannot be opened\n"},
        {{"convert", ico, dir.file("folder.cur")},
         1,
         "vantle-tool: " + dir.file("folder.cur") + ": cannot be written\n"},
        {{"convert", dir.file("cut.ico"), dir.file("part.cur")},
         3,
         "vantle-tool: " + dir.file("cut.ico") + ": image 1: its data end before its last row (cut short)\n" +
             "vantle-tool: " + dir.file("cut.ico") + ": image 2: its data lie beyond the end (cut short)\n"},
        {{"convert", dir.file("empty.ico"), dir.file("x.ico")},
         1,
         "vantle-tool: " + dir.file("empty.ico") +
             ": no image could be read\nvantle-tool: " + dir.file("empty.ico") + ": not converted\n"},
        {{"convert", ico, dir.file("x.ico"), "--group", "1"},
         2,
         "vantle-tool: " + ico + ": --group is for programs and libraries\n"},
        {{"info", dir.file("a.png")},
         1,
         "vantle-tool: " + dir.file("a.png") + ": not an .ico, .cur, .ani, .exe, .dll or Xcursor file\n"},
        {{"convert", ico, dir.file("a.bmp")},
         2,
         "vantle-tool: " + dir.file("a.bmp") + ": the name must end in .ico, .cur or .ani\n"},
        {{}, 2, ""},
        {{"info"}, 2, ""},
        {{"convert", ico}, 2, ""},
        {{"convert", ico, dir.file("x.ico"), dir.file("y.ico")}, 2, ""},
        {{"convert", ico, dir.file("x.ico"), "--group", "one"}, 2, ""},
        {{"show", ico}, 2, ""},
        {{"info", ico, ico}, 2, ""},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& a : c.args)
            line += " " + a;
        SCOPED_TRACE("vantle-tool" + line);
        const ToolRun run = runWith(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, "");
        if (c.err.empty()) {
            // The usage of the command given, not the whole help.
            const bool known = !c.args.empty() && c.args[0] != "show";
            EXPECT_NE(run.err.find("usage: vantle-tool " + (known ? c.args[0] + " " : "COMMAND ARGUMENTS")),
                      std::string::npos)
                << run.err;
            EXPECT_EQ(run.err.find("commands:\n"), std::string::npos) << run.err;
        } else
            EXPECT_EQ(run.err, c.err);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.ico")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("part.cur")));
}

TEST(VantleTool, Help) {
    for (const char* option : {"--help", "-h"}) {
        const ToolRun run = runWith({option});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out.rfind("usage: vantle-tool COMMAND ARGUMENTS\n", 0), 0u);
        for (const char* word : {"info FILE", "convert IN OUT", "--help", "exit status: 0"})
            EXPECT_NE(run.out.find(word), std::string::npos) << word;
    }
    const ToolRun version = runWith({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.starts_with("vantle-tool ") && version.out.size() > 13) << version.out;
}

// The installed program itself, started as a user would.
struct ProcessRun {
    int status = -1;
    std::string out;
};

ProcessRun runBinary(const std::string& arguments) {
    const std::string command = "'" + std::string(VANTLE_TOOL_BINARY) + "' " + arguments + " 2>/dev/null";
    ProcessRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(VantleTool, TheProgram) {
    const ProcessRun help = runBinary("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: vantle-tool COMMAND ARGUMENTS\n", 0), 0u);
    EXPECT_EQ(runBinary("").status, 2);
    EXPECT_EQ(runBinary("info /nonexistent/a.ico").status, 1);
    const ProcessRun png = runBinary("info '" + fixture("icotool-png32.ico") + "'");
    EXPECT_EQ(png.status, 0);
    EXPECT_NE(png.out.find("image 1: size 32x32 depth 16 hotspot 0,0 colours 5\n"), std::string::npos)
        << "the PNG entry is decoded without a display:\n"
        << png.out;
    TempDir dir;
    EXPECT_EQ(runBinary("convert '" + fixture("icotool-sizes.ico") + "' '" + dir.file("s.ani") + "'").status,
              0);
    // One frame holding the three sizes: the window takes one of them, so the file is read in part.
    const ProcessRun info = runBinary("info '" + dir.file("s.ani") + "'");
    EXPECT_EQ(info.status, 3);
    EXPECT_NE(info.out.find("steps: 1\n"), std::string::npos) << info.out;
    EXPECT_EQ(
        runWith({"info", dir.file("s.ani")}).err,
        "vantle-tool: read in part: 2 further size(s) of animation frames not taken; the window takes the "
        "size of each frame nearest 32 x 32\n");
    const ProcessRun all = runBinary("info --all '" + dir.file("s.ani") + "'");
    EXPECT_EQ(all.status, 0);
    EXPECT_NE(all.out.find("frame 0: 3 image(s)\n"), std::string::npos) << all.out;
}

} // namespace
} // namespace vantle::test

namespace vantle::test {
namespace {

TEST(VantleTool, ProgramsAndLibrariesGiveEveryIconGroupAs32x32Images) {
    const ToolRun info = runWith({"info", fixture("pe/icons32.exe")});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("images: 6\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("image 5: size 32x32"), std::string::npos);

    // convert and xcursor take one group with every size: the first, or the one --group names.
    TempDir dir;
    const Bytes library = readFileBytes(fixture("pe/icons64.dll"));
    for (int group : {0, 1, 4}) {
        SCOPED_TRACE("group " + std::to_string(group));
        const std::string out = dir.file("g" + std::to_string(group) + ".ico");
        std::vector<std::string> args = {"convert", fixture("pe/icons64.dll"), out};
        if (group > 0)
            args.insert(args.end(), {"--group", std::to_string(group)});
        const ToolRun convert = runWith(args);
        EXPECT_EQ(convert.status, 0) << convert.err;
        CursorReadReport report;
        const auto expected = readProgramIconGroup(library, group, report);
        const auto written = readCursorFile(out, report);
        ASSERT_TRUE(expected && written);
        EXPECT_EQ(firstCursorDifference(*expected, *written), "");
    }
    const ToolRun missing =
        runWith({"convert", fixture("pe/icons64.dll"), dir.file("x.ico"), "--group", "6"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "vantle-tool: " + fixture("pe/icons64.dll") +
                               ": no icon group 6 (the file holds 6)\n" +
                               "vantle-tool: " + fixture("pe/icons64.dll") + ": not converted\n");

    const std::string cut = dir.file("cut.dll");
    std::ofstream(cut, std::ios::binary) << "MZ";
    const ToolRun broken = runWith({"info", cut});
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.err,
              "vantle-tool: 指定のファイルは、実行ファイル（ＥＸＥ／ＤＬＬ）の形式ではありません\n");
}

} // namespace
} // namespace vantle::test
