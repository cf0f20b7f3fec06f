// vantle-tool convert, xcursor and info --all through the lossless layer: nothing the output can hold is
// lost, whatever the input held.

#include "model/AniBytes.h"
#include "model/LosslessTestSupport.h"
#include "model/PngCodec.h"
#include "tool/ToolRun.h"

#include <gtest/gtest.h>

#include <array>

namespace vantle::test {
namespace {

// A cursor of five sizes, each a 32-bit image with soft edges and its own hotspot.
Bytes fiveSizeCursor() {
    std::vector<EntryInput> entries;
    for (int side : {32, 48, 64, 96, 128}) {
        BitmapInput s;
        s.width = s.height = side;
        s.bitCount = 32;
        s.valueAt = [side](int x, int y) { return makeColour(x * 255 / side, y * 255 / side, 90); };
        s.alphaAt = [side](int x, int y) { return std::min(255, (x + y) * 255 / side); };
        s.maskAt = [](int x, int y) { return x + y == 0; };
        entries.push_back(entryFor(s, static_cast<unsigned>(side / 4), static_cast<unsigned>(side / 8)));
    }
    return iconFileBytes(2, entries);
}

// Frame f of an animation: 32, 48 and 64 pixels, 8-bit with mask and inverting pixels, 32-bit with
// alpha, and a PNG image.
Bytes animationFrame(int f) {
    BitmapInput eight;
    eight.width = eight.height = 32;
    eight.bitCount = 8;
    eight.palette = {kBlack, kWhite, makeColour(200, 10, f * 60)};
    eight.valueAt = [f](int x, int y) { return (x + y + f) % 3; };
    eight.maskAt = [](int x, int y) { return x < 4 && y < 4; };
    BitmapInput alpha;
    alpha.width = alpha.height = 48;
    alpha.bitCount = 32;
    alpha.valueAt = [f](int x, int y) { return makeColour(x * 5, y * 5, f * 70); };
    alpha.alphaAt = [](int x, int) { return x * 5; };
    EntryInput png;
    png.widthByte = png.heightByte = 64;
    png.field4 = 60;
    png.field6 = static_cast<unsigned>(f);
    const CursorImage picture = makeCursorImage(64, 64, [f](int x, int y) {
        return (x + y) % 9 == 0 ? 0u : 0xFF000000u | static_cast<std::uint32_t>(x << 16 | y << 8 | f);
    });
    png.data = encodePng(64, 64, picture.argb);
    return iconFileBytes(2, {entryFor(eight, 1, static_cast<unsigned>(f)), entryFor(alpha, 20, 21), png});
}

// Three frames, five steps; rate, sequence and information after the frame list, as some writers put them.
Bytes multiSizeAnimation() {
    return riff({anih(3, 5, 6, 3), frames({animationFrame(0), animationFrame(1), animationFrame(2)}),
                 table("rate", {4, 5, 6, 7, 1}), table("seq ", {0, 1, 2, 1, 0}),
                 list("INFO", {chunk("INAM", ascii("spin\0")), chunk("IART", ascii("us"))})});
}

LosslessCursor readPath(const std::string& path) {
    CursorReadReport report;
    auto cursor = readCursorFile(path, report);
    EXPECT_TRUE(report.complete) << path << ": " << problemsOf(report);
    return cursor.value_or(LosslessCursor{});
}

TEST(ConvertTool, AFiveSizeAlphaCursorKeepsItsSizesAndAlphaInEveryFormat) {
    TempDir dir;
    writeFileBytes(dir.file("five.cur"), fiveSizeCursor());
    const LosslessCursor source = readPath(dir.file("five.cur"));
    ASSERT_EQ(source.frames.at(0).images.size(), 5u);
    for (const char* name : {"copy.cur", "as.ani", "as.ico"}) {
        SCOPED_TRACE(name);
        const ToolRun run = runToolWith({"convert", dir.file("five.cur"), dir.file(name)}, false);
        EXPECT_EQ(run.status, 0);
        const bool icon = std::string_view(name) == "as.ico";
        EXPECT_EQ(run.err,
                  icon ? "vantle-tool: " + dir.file(name) + ": an icon file keeps no hotspots\n" : "");
        LosslessCursor converted = readPath(dir.file(name));
        ASSERT_EQ(converted.frames.size(), 1u);
        converted.steps.clear(); // the animated cursor's one step
        if (icon)
            for (CursorImage& image : converted.frames[0].images) {
                const std::size_t k = static_cast<std::size_t>(&image - converted.frames[0].images.data());
                image.hotspotX = source.frames[0].images[k].hotspotX;
                image.hotspotY = source.frames[0].images[k].hotspotY;
            }
        EXPECT_EQ(firstCursorDifference(source, converted), "");
    }
    // Written again as a cursor, the file is the one we read.
    EXPECT_EQ(firstByteDifference(fiveSizeCursor(), readFileBytes(dir.file("copy.cur"))), "");
}

TEST(ConvertTool, AnAnimatedCursorKeepsEveryFrameSizeStepAndRate) {
    TempDir dir;
    writeFileBytes(dir.file("spin.ani"), multiSizeAnimation());
    const ToolRun run = runToolWith({"convert", dir.file("spin.ani"), dir.file("copy.ani")}, false);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const LosslessCursor source = readPath(dir.file("spin.ani"));
    const LosslessCursor copy = readPath(dir.file("copy.ani"));
    EXPECT_EQ(firstCursorDifference(source, copy), "");
    ASSERT_EQ(copy.frames.size(), 3u);
    EXPECT_EQ(copy.frames[2].images.size(), 3u);
    EXPECT_TRUE(copy.frames[1].images[0].hasInverted());
    EXPECT_EQ(copy.steps.at(4).ticks, 1000);
    EXPECT_EQ(copy.ani.title, "spin");
    EXPECT_EQ(copy.ani.author, "us");
    EXPECT_EQ(copy.ani.defaultRate, 6);
}

TEST(ConvertTool, AnAnimatedCursorWithMultiSizeFramesBecomesAnXcursorFileWithEverySizeAnimated) {
    TempDir dir;
    writeFileBytes(dir.file("spin.ani"), multiSizeAnimation());
    const ToolRun run = runToolWith({"xcursor", dir.file("spin.ani"), dir.file("spin")}, false);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "vantle-tool: " + dir.file("spin") +
                  ": 32 inverting pixel(s) drawn black with a white outline, as Xcursor files cannot "
                  "invert the screen\n");
    const Bytes file = readFileBytes(dir.file("spin"));
    const auto chunks = xcursor::readImageChunks(file);
    ASSERT_TRUE(chunks);
    ASSERT_EQ(chunks->size(), 15u); // 3 sizes x 5 steps
    // Rates 4, 5, 6, 7 and 1 jiffies end at 66.7, 150, 250, 366.7 and 383.3 ms.
    const std::array<std::uint32_t, 5> delays = {67, 83, 100, 117, 16};
    const std::array<int, 5> frames = {0, 1, 2, 1, 0};
    for (std::size_t k = 0; k < chunks->size(); ++k) {
        const auto& c = (*chunks)[k];
        const std::size_t size = k / 5;
        const std::size_t step = k % 5;
        SCOPED_TRACE("chunk " + std::to_string(k));
        EXPECT_EQ(c.nominal, 32 + 16 * size);
        EXPECT_EQ(c.delay, delays[step]);
        if (size == 2) {
            EXPECT_EQ(c.xhot, 60u);
            EXPECT_EQ(c.yhot, static_cast<std::uint32_t>(frames[step])); // each frame's own hotspot
            EXPECT_EQ(xcursor::pixelAt(file, c, 5, 3),
                      0xFF000000u | 5u << 16 | 3u << 8 | static_cast<std::uint32_t>(frames[step]));
        }
    }
}

TEST(ConvertTool, ProgramsGiveAGroupWithEverySizeToXcursorToo) {
    TempDir dir;
    const std::string program = std::string(VANTLE_TEST_DATA) + "/pe/icons32.exe";
    const ToolRun run = runToolWith({"xcursor", program, dir.file("multi"), "--group", "1"}, false);
    EXPECT_EQ(run.status, 0);
    // multi.ico holds 32 x 32 at 8 and at 32 bits; a frame of an Xcursor file holds one image a size.
    EXPECT_EQ(run.err,
              "vantle-tool: " + dir.file("multi") +
                  ": 1 image(s) of a size that a frame holds twice left out; the deeper one is kept\n");
    const auto chunks = xcursor::readImageChunks(readFileBytes(dir.file("multi")));
    ASSERT_TRUE(chunks);
    ASSERT_EQ(chunks->size(), 3u);
    EXPECT_EQ((*chunks)[0].nominal, 16u);
    EXPECT_EQ((*chunks)[1].nominal, 32u);
    EXPECT_EQ((*chunks)[2].nominal, 48u);
}

TEST(ConvertTool, InfoAllShowsEveryFrameSizeAndStep) {
    TempDir dir;
    writeFileBytes(dir.file("spin.cur"), multiSizeAnimation()); // the content decides, not the name
    const ToolRun run = runToolWith({"info", "--all", dir.file("spin.cur")}, false);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    std::string expected = "file: " + dir.file("spin.cur") + "\nformat: animated cursor\nframes: 3\n";
    for (int f = 0; f < 3; ++f)
        expected += "frame " + std::to_string(f) +
                    ": 3 image(s)\n"
                    "  image 0: size 32x32 hotspot 1," +
                    std::to_string(f) + " stored 8 bits alpha on/off inverting " +
                    std::to_string(f == 0 ? 10 : 11) +
                    "\n"
                    "  image 1: size 48x48 hotspot 20,21 stored 32 bits alpha partial inverting 0\n"
                    "  image 2: size 64x64 hotspot 60," +
                    std::to_string(f) + " stored PNG or no bit count alpha on/off inverting 0\n";
    expected += "steps: 5 (loop 383.33 ms)\n"
                "step 0: frame 0 ticks 4000 (4.00 jiffies, 66.67 ms)\n"
                "step 1: frame 1 ticks 5000 (5.00 jiffies, 83.33 ms)\n"
                "step 2: frame 2 ticks 6000 (6.00 jiffies, 100.00 ms)\n"
                "step 3: frame 1 ticks 7000 (7.00 jiffies, 116.67 ms)\n"
                "step 4: frame 0 ticks 1000 (1.00 jiffies, 16.67 ms)\n"
                "title: spin\nauthor: us\nrate: 6\nflags: 3\nrate table: yes\nsequence table: yes\n";
    EXPECT_EQ(run.out, expected);

    const Bytes whole = multiSizeAnimation();
    // Cut inside the last frame: two frames and the steps that show them are kept.
    writeFileBytes(dir.file("cut.ani"),
                   Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() * 2 / 3)));
    const ToolRun cut = runToolWith({"info", "--all", dir.file("cut.ani")}, false);
    EXPECT_EQ(cut.status, 3);
    EXPECT_NE(cut.err.find("cut short"), std::string::npos) << cut.err;
    EXPECT_NE(cut.out.find("frames: 2\n"), std::string::npos) << cut.out;
}

} // namespace
} // namespace vantle::test
