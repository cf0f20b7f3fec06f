// vantle-tool and palette files: writing the palette of an image of a file, and info of a .vtp file.

#include "model/IconFileWriter.h"
#include "model/ModelTestSupport.h"
#include "model/PaletteFile.h"
#include "tool/ToolRun.h"
#include "tool/VantleTool.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vantle::test {
namespace {

constexpr colourRGB kRed = 0x0000FF;
constexpr colourRGB kGreen = 0x00FF00;

ToolRun run(const std::vector<std::string>& args) {
    return runToolWith(args, false);
}

// Image 0: red and green, 16 x 16 (depth 2); image 1: 32 x 32 of 20 colours (depth 256).
std::string writeTwoImages(const TempDir& dir) {
    IconDocument d = newDocument();
    addImage(d, 16, 16, [](int x, int) { return x < 3 ? kRed : kGreen; });
    addImage(d, 32, 32, [](int x, int) { return makeColour(x % 20, 0, 50); });
    const std::string path = dir.file("two.ico");
    EXPECT_TRUE(writeIconFile(d, path, 1, kTestMarkers));
    return path;
}

TEST(PaletteTool, WritesThePaletteOfTheChosenImage) {
    TempDir dir;
    const std::string ico = writeTwoImages(dir);
    const ToolRun first = run({"palette", ico, dir.file("first.vtp")});
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.err, "");
    const Bytes two =
        LeBytes().tag("VTPF").u32(2).u8(0).u8(0).u8(0xFF).u8(0).u8(0).u8(0xFF).u8(0).u8(0).bytes;
    EXPECT_EQ(firstByteDifference(two, readFileBytes(dir.file("first.vtp"))), "");

    const ToolRun second = run({"palette", ico, dir.file("second.VTP"), "--image", "1"});
    EXPECT_EQ(second.status, 0) << second.err;
    const Bytes bytes = readFileBytes(dir.file("second.VTP"));
    ASSERT_EQ(bytes.size(), 8u + 4u * 256u);
    EXPECT_EQ(le32(bytes, 4), 256u);
    EXPECT_EQ(le32(bytes, 8 + 4 * 19), 0x130032u) << "blue 50, green 0, red 19";
    EXPECT_EQ(le32(bytes, 8 + 4 * 20), 0xFFFFFFu) << "white behind the 20 colours";
}

TEST(PaletteTool, InfoOfPaletteFiles) {
    TempDir dir;
    const std::string path = dir.file("p.vtp");
    ASSERT_TRUE(writePaletteFile(path, std::vector<colourRGB>{kRed, 0x563412}));
    const ToolRun info = run({"info", path});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.err, "");
    EXPECT_EQ(info.out, "file: " + path +
                            "\n"
                            "count: 2\n"
                            "entries in the file: 2\n"
                            "colour 0: #FF0000\n"
                            "colour 1: #123456\n");
    // A count of 1000 with only three entries held.
    writeFileBytes(path, LeBytes().tag("VTPF").u32(1000).fill(12, 0x11).bytes);
    const ToolRun cut = run({"info", path});
    EXPECT_EQ(cut.status, 0);
    EXPECT_NE(cut.out.find("count: 1000 (read as 256)\n"
                           "entries in the file: 3 of 256 (the others read as white)\n"
                           "colour 0: #111111\n"),
              std::string::npos)
        << cut.out;
    EXPECT_NE(cut.out.find("colour 255: #FFFFFF\n"), std::string::npos);
}

TEST(PaletteTool, RefusalsAndExitStatuses) {
    TempDir dir;
    const std::string ico = writeTwoImages(dir);
    writeFileBytes(dir.file("short.vtp"), Bytes{'V', 'T', 'P', 'F', 2, 0, 0});
    writeFileBytes(dir.file("minus.vtp"), LeBytes().tag("VTPF").u32(0xFFFFFFFFu).bytes);
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err; // empty: the usage text
    };
    const Case cases[] = {
        {{"info", dir.file("none.vtp")}, 1, "vantle-tool: " + dir.file("none.vtp") + ": cannot be opened\n"},
        {{"info", dir.file("short.vtp")},
         1,
         "vantle-tool: " + dir.file("short.vtp") + ": not a palette file, shorter than its 8-byte header\n"},
        {{"info", dir.file("minus.vtp")},
         1,
         "vantle-tool: " + dir.file("minus.vtp") + ": not a palette file, count -1\n"},
        {{"palette", ico, dir.file("x.vtp"), "--image", "2"},
         1,
         "vantle-tool: " + ico + ": has 2 image(s), no image 2\n"},
        {{"palette", dir.file("none.ico"), dir.file("x.vtp")},
         1,
         "vantle-tool: " + dir.file("none.ico") + ": cannot be opened\n"},
        {{"palette", ico, dir.file("nofolder/x.vtp")},
         1,
         "vantle-tool: " + dir.file("nofolder/x.vtp") + ": cannot be written\n"},
        {{"palette", ico, dir.file("x.pal")},
         2,
         "vantle-tool: " + dir.file("x.pal") + ": the name must end in .vtp\n"},
        {{"palette", dir.file("p.vtp"), dir.file("x.vtp")},
         1,
         "vantle-tool: " + dir.file("p.vtp") + ": not an .ico, .cur, .ani, .exe or .dll file\n"},
        {{"palette", ico}, 2, ""},
        {{"palette", ico, dir.file("x.vtp"), "--image"}, 2, ""},
        {{"palette", ico, dir.file("x.vtp"), "--image", "-1"}, 2, ""},
        {{"palette", ico, dir.file("x.vtp"), "--image", "1x"}, 2, ""},
        {{"palette", ico, dir.file("x.vtp"), "--frame", "1"}, 2, ""},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& a : c.args)
            line += " " + a;
        SCOPED_TRACE("vantle-tool" + line);
        const ToolRun r = run(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.out, "");
        if (c.err.empty())
            EXPECT_EQ(r.err, "usage: vantle-tool palette IN OUT [--image N]\nvantle-tool --help says more\n");
        else
            EXPECT_EQ(r.err, c.err);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.vtp")));
}

} // namespace
} // namespace vantle::test
