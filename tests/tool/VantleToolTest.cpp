// vantle-tool end to end: info output, conversions between the three formats, exit statuses and help.

#include "tool/VantleTool.h"
#include "model/AniFileReader.h"
#include "model/AniFileWriter.h"
#include "model/IconFileReader.h"
#include "model/IconFileWriter.h"
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

TEST(VantleTool, InfoShowsWhatWasReadBeforeAMessage) {
    const ToolRun run = runWith({"info", fixture("icotool-png256.ico")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("images: 2\n"), std::string::npos);
    EXPECT_EQ(run.err, "vantle-tool: このアイコンリソースには４８ｘ４８以上のアイコンが含まれている為 "
                       "Ｖａｎｔｌｅでは正常に読み込めません。\n");
}

TEST(VantleTool, ConversionsRoundTrip) {
    TempDir dir;
    const std::string ico = dir.file("a.ico");
    writeIcon(ico);
    for (const auto& [from, to] :
         {std::pair{"a.ico", "b.cur"}, std::pair{"b.cur", "c.ani"}, std::pair{"c.ani", "d.ico"}}) {
        const ToolRun run = runWith({"convert", dir.file(from), dir.file(to)});
        EXPECT_EQ(run.status, 0) << from << " -> " << to << ": " << run.err;
        EXPECT_EQ(run.err, "");
    }
    RecordingMessages messages;
    ReadContext context{messages, kTestMarkers, nullptr};
    IconDocument original = newDocument();
    IconDocument cursor = newDocument();
    IconDocument animation = newDocument();
    IconDocument last = newDocument();
    readIconFile(original, ico, context);
    readIconFile(cursor, dir.file("b.cur"), context);
    readAniFile(animation, dir.file("c.ani"), context);
    readIconFile(last, dir.file("d.ico"), context);
    ASSERT_EQ(original.imageCount, 2);
    EXPECT_EQ(le16(readFileBytes(dir.file("b.cur")), 2), 2) << "a cursor file";
    for (const IconDocument* d : {&cursor, &animation, &last}) {
        ASSERT_EQ(d->imageCount, 2);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(d->images[static_cast<std::size_t>(i)].hotspotX,
                      original.images[static_cast<std::size_t>(i)].hotspotX);
            EXPECT_EQ(d->images[static_cast<std::size_t>(i)].hotspotY,
                      original.images[static_cast<std::size_t>(i)].hotspotY);
        }
    }
    EXPECT_EQ(firstPixelDifference(original.images[0], cursor.images[0]), "");
    EXPECT_EQ(firstPixelDifference(original.images[1], cursor.images[1]), "");
    EXPECT_EQ(firstPixelDifference(original.images[0], animation.images[0]), "");
    EXPECT_EQ(firstPixelDifference(original.images[0], last.images[0]), "");
    // The full-colour image became a frame of at most 256 colours in the animated cursor; it stays so.
    EXPECT_EQ(animation.images[1].depth, 256);
    EXPECT_EQ(firstPixelDifference(animation.images[1], last.images[1]), "");
    EXPECT_EQ(animation.title, "Vantle-Animation") << "an icon becomes an animation of a new document";
    EXPECT_EQ(animation.stepCount, 2);
}

TEST(VantleTool, ConvertingSaysWhichImagesTheIconFileLeavesOut) {
    TempDir dir;
    IconDocument d = newDocument();
    for (int i = 0; i < 3; ++i)
        addImage(d, 16, 16, [i](int x, int) { return x == i ? T : kRed; });
    RecordingMessages messages;
    ASSERT_TRUE(writeAniFile(d, dir.file("three.ani"), kTestMarkers, messages));
    const ToolRun run = runWith({"convert", dir.file("three.ani"), dir.file("one.ico")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "vantle-tool: " + dir.file("one.ico") +
                           ": 2 image(s) left out, an earlier image has the same size and depth\n");
    EXPECT_EQ(le16(readFileBytes(dir.file("one.ico")), 4), 1);
}

TEST(VantleTool, ExitStatuses) {
    TempDir dir;
    const std::string ico = dir.file("a.ico");
    writeIcon(ico);
    std::filesystem::create_directory(dir.file("folder.cur"));
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
        {{"convert", fixture("im-modern.ico"), dir.file("x.ico")},
         1,
         "vantle-tool: このアイコンリソースには４８ｘ４８以上のアイコンが含まれている為 "
         "Ｖａｎｔｌｅでは正常に読み込めません。\nvantle-tool: " +
             fixture("im-modern.ico") + ": not converted\n"},
        {{"info", dir.file("a.png")},
         2,
         "vantle-tool: " + dir.file("a.png") + ": not an .ico, .cur, .ani, .exe, .dll or Xcursor file\n"},
        {{"convert", ico, dir.file("a.bmp")},
         2,
         "vantle-tool: " + dir.file("a.bmp") + ": the name must end in .ico, .cur or .ani\n"},
        {{}, 2, ""},
        {{"info"}, 2, ""},
        {{"convert", ico}, 2, ""},
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
        if (c.err.empty())
            EXPECT_EQ(run.err.rfind("usage: vantle-tool COMMAND ARGUMENTS\n", 0), 0u) << run.err;
        else
            EXPECT_EQ(run.err, c.err);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.ico")));
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
    const ProcessRun info = runBinary("info '" + dir.file("s.ani") + "'");
    EXPECT_EQ(info.status, 0);
    EXPECT_NE(info.out.find("steps: 3\n"), std::string::npos) << info.out;
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

    TempDir dir;
    const std::string out = dir.file("all.ani");
    const ToolRun convert = runWith({"convert", fixture("pe/icons64.dll"), out});
    EXPECT_EQ(convert.status, 0) << convert.err;
    // The written frames are the icons as the reader draws them.
    IconDocument d = newDocument();
    RecordingMessages messages;
    ReadContext context{messages, kTestMarkers, nullptr};
    ASSERT_EQ(readAniFile(d, out, context), ReadOutcome::Complete);
    ASSERT_EQ(d.imageCount, 6);
    QtPictureService pictures;
    const auto file = openProgramIcons(fixture("pe/icons64.dll"), messages);
    ASSERT_TRUE(file.has_value());
    for (int i = 0; i < 6; ++i) {
        IconImage expected;
        imageFromProgramIcon(expected, file->draw(i, &pictures), kTestMarkers);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                ASSERT_EQ(d.images[static_cast<std::size_t>(i)].pixels(x, y), expected.pixels(x, y))
                    << "image " << i << " pixel " << x << "," << y;
    }

    const std::string cut = dir.file("cut.dll");
    std::ofstream(cut, std::ios::binary) << "MZ";
    const ToolRun broken = runWith({"info", cut});
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.err,
              "vantle-tool: 指定のファイルは、実行ファイル（ＥＸＥ／ＤＬＬ）の形式ではありません\n");
}

} // namespace
} // namespace vantle::test
