// A Windows cursor pack made as real packs are (an Install.inf with [Strings], HKCU and HKLM lines and two
// AddReg sections; file names in another letter case; a misspelt name the INF uses consistently; 32-bit
// alpha entries up to 256 with the largest a PNG; an animated cursor whose frames hold three sizes, with
// its rate and sequence after the frame list; a classic cursor with inverted pixels; a file the INF names
// but the pack lacks) turned into a theme by vantle-tool and loaded back through libXcursor.

#include "LoadedXcursor.h"
#include "model/AniBytes.h"
#include "model/LosslessCursor.h"
#include "model/PngCodec.h"
#include "theme/CursorNames.h"
#include "theme/CursorScaling.h"
#include "theme/CursorTheme.h"
#include "theme/ThemeCursors.h"
#include "tool/VantleTool.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

namespace vantle::test {
namespace {

namespace fs = std::filesystem;
using theme::CursorRole;

// The straight-alpha pixel of the pattern a test image of `side` pixels holds; `seed` tells frames apart.
std::uint32_t patternAt(int x, int y, int side, int seed) {
    const unsigned alpha = (x + 2 * y) % 5 == 0              ? 0u
                           : (x * 3 + y * 5 + side) % 4 == 0 ? 255u
                                                             : 40u + (x * 7 + y) % 200;
    return alpha << 24 | static_cast<unsigned>((x * 7 + seed * 80) & 0xFF) << 16 |
           static_cast<unsigned>((y * 5 + side) & 0xFF) << 8 | static_cast<unsigned>(side & 0xFF);
}

std::pair<int, int> hotspotFor(int side) {
    return {side / 8, side / 4 + 1};
}

// One 32-bit entry with alpha, or (for 256) a PNG entry as packs store their largest image.
EntryInput alphaEntry(int side, int seed) {
    const auto [hx, hy] = hotspotFor(side);
    if (side == 256) {
        std::vector<std::uint32_t> argb;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                argb.push_back(patternAt(x, y, side, seed));
        EntryInput e;
        e.widthByte = e.heightByte = 0;
        e.field4 = static_cast<unsigned>(hx);
        e.field6 = static_cast<unsigned>(hy);
        e.data = encodePng(side, side, argb);
        return e;
    }
    BitmapInput b;
    b.width = b.height = side;
    b.bitCount = 32;
    b.valueAt = [side, seed](int x, int y) {
        const std::uint32_t p = patternAt(x, y, side, seed);
        return makeColour(static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF),
                          static_cast<int>(p & 0xFF));
    };
    b.alphaAt = [side, seed](int x, int y) { return static_cast<int>(patternAt(x, y, side, seed) >> 24); };
    return entryFor(b, static_cast<unsigned>(hx), static_cast<unsigned>(hy));
}

// A classic two-colour cursor: a black square, an 8 x 8 block of screen-inverting pixels, the rest
// transparent.
Bytes classicCursor() {
    BitmapInput b;
    b.bitCount = 1;
    b.palette = {kBlack, kWhite};
    b.valueAt = [](int x, int y) { return x >= 20 && x < 28 && y >= 20 && y < 28 ? 1 : 0; };
    b.maskAt = [](int x, int y) { return !(x >= 4 && x < 14 && y >= 4 && y < 14); };
    return iconFileBytes(2, {entryFor(b, 4, 4)});
}

constexpr std::array<std::uint32_t, 3> kFrameSeeds = {0, 1, 2};
const std::vector<std::uint32_t> kSequence = {0, 1, 2, 1};
const std::vector<std::uint32_t> kRates = {3, 7, 2, 5}; // jiffies

Bytes animatedCursor() {
    std::vector<Bytes> resources;
    for (std::uint32_t seed : kFrameSeeds)
        resources.push_back(
            iconFileBytes(2, {alphaEntry(32, static_cast<int>(seed)), alphaEntry(48, static_cast<int>(seed)),
                              alphaEntry(64, static_cast<int>(seed))}));
    return riff({anih(3, 4, 6, 3), frames(resources), table("rate", kRates), table("seq ", kSequence)});
}

constexpr std::string_view kInf =
    "; Sky cursors\r\n"
    "[Version]\r\nsignature=\"$CHICAGO$\"\r\n\r\n"
    "[DefaultInstall]\r\nCopyFiles = Scheme.Cur\r\nAddReg = Scheme.Reg, Wreg\r\n\r\n"
    "[Scheme.Reg]\r\n"
    "HKCU,\"Control Panel\\Cursors\\Schemes\",\"%SCHEME%\",,\"%10%\\%D%\\%pointer%,%10%\\%D%\\%help%,"
    "%10%\\%D%\\%work%,,,,,%10%\\%D%\\%unavail%,,,,,,%10%\\%D%\\%pointer%\"\r\n"
    "HKLM,\"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Control Panel\\Cursors\\Schemes\",\"%SCHEME%\",,"
    "\"%10%\\%D%\\%pointer%,%10%\\%D%\\%help%,%10%\\%D%\\%work%,,,,,%10%\\%D%\\%unavail%,,,,,,%10%\\%D%\\%"
    "pointer%\"\r\n"
    "[Wreg]\r\nHKCU,\"Control Panel\\Cursors\",,0x00020000,\"%SCHEME%\"\r\n\r\n"
    "[Strings]\r\nSCHEME = \"Sky\"\r\nD = \"Cursors\\Sky\"\r\npointer = \"normal.cur\"\r\nhelp = "
    "\"help.cur\"\r\n"
    "work = \"working.ani\"\r\nunavail = \"Unavailible.cur\"\r\n";

constexpr std::array<int, 6> kArrowSides = {32, 48, 64, 96, 128, 256};

struct Pack {
    TempDir dir;
    fs::path folder;
    Pack() : folder(dir.path() / "Sky pack") {
        fs::create_directories(folder);
        std::vector<EntryInput> entries;
        for (int side : kArrowSides)
            entries.push_back(alphaEntry(side, 9));
        writeFileBytes((folder / "NORMAL.CUR").string(), iconFileBytes(2, entries));
        writeFileBytes((folder / "Working.ANI").string(), animatedCursor());
        writeFileBytes((folder / "unavailible.cur").string(), classicCursor());
        writeFileBytes((folder / "Install.inf").string(), Bytes(kInf.begin(), kInf.end()));
    }
};

// Empty when the premultiplied pixels match the straight pattern within 1 per channel.
std::string comparePixels(const XcursorImage& x, int side, int seed) {
    if (x.width != static_cast<unsigned>(side) || x.height != static_cast<unsigned>(side))
        return "size " + std::to_string(x.width) + "x" + std::to_string(x.height);
    for (int y = 0; y < side; ++y)
        for (int xx = 0; xx < side; ++xx) {
            const std::uint32_t p = patternAt(xx, y, side, seed);
            const std::uint32_t got = x.pixels[y * side + xx];
            const unsigned a = p >> 24;
            for (int shift : {24, 16, 8, 0}) {
                const unsigned c = (p >> shift) & 0xFF;
                const int expected =
                    shift == 24 ? static_cast<int>(a) : static_cast<int>((c * a + 127) / 255);
                const int actual = static_cast<int>((got >> shift) & 0xFF);
                if (std::abs(expected - actual) > 1) {
                    std::ostringstream s;
                    s << "pixel (" << xx << "," << y << ") of " << side << ": expected premultiplied of 0x"
                      << std::hex << p << ", got 0x" << got;
                    return s.str();
                }
            }
        }
    return {};
}

TEST(ThemePack, AWindowsPackBecomesACompleteThemeThatLibXcursorReads) {
    const Pack pack;
    const fs::path icons = pack.dir.path() / "icons";
    std::ostringstream out, err;
    const std::vector<std::string> args = {"theme", pack.folder.string(), "--dir", icons.string()};
    const int status = runTool(args, out, err, nullptr);
    // help.cur is named by the INF but missing: reported, the rest written, "done in part".
    ASSERT_EQ(status, 3) << err.str() << out.str();
    EXPECT_NE(err.str().find("help.cur for Help"), std::string::npos) << err.str();
    const fs::path cursors = icons / "Sky" / "cursors";
    ASSERT_TRUE(fs::is_directory(cursors)) << out.str();

    // The report: one line per file, with its roles, sizes, frames and inverted pixels.
    const std::string report = out.str();
    // Sizes are made only from an image at least twice as large or by repeating pixels a whole number of
    // times; the others are left to the nearest size held.
    for (
        const char* line :
        {"Arrow, UpArrow: NORMAL.CUR; sizes 32 48 64 96 128 256 kept, 24 30 36 42 60 72 made; 1 frame; 0 inv",
         "AppStarting: Working.ANI; sizes 32 48 64 kept, 24 30 96 made; 3 frames, 4 steps; 36 42 60 72 not "
         "made",
         "No: unavailible.cur; sizes 32 kept, 64 96 made; 1 frame; 24 30 36 42 48 60 72 not made (they would "
         "blur; the nearest size held serves); 64 inverted pixels"})
        EXPECT_NE(report.find(line), std::string::npos) << line << "\n" << report;

    // Every name of every written role is there and leads to a cursor file.
    for (CursorRole role :
         {CursorRole::Arrow, CursorRole::UpArrow, CursorRole::AppStarting, CursorRole::No}) {
        const theme::RoleNames& names = theme::roleNames(role);
        std::vector<std::string_view> all(names.links.begin(), names.links.end());
        all.push_back(names.fileName);
        for (std::string_view name : all) {
            const fs::path path = cursors / std::string(name);
            EXPECT_TRUE(fs::is_regular_file(path)) << name; // through the link
            if (fs::is_symlink(path)) {
                EXPECT_TRUE(fs::read_symlink(path).is_relative()) << name;
            }
        }
    }
    EXPECT_FALSE(fs::exists(cursors / "help")) << "Help is left to the inherited theme";

    // The arrow: every source size back pixel for pixel with its hotspot, and 24 made from 48.
    const LoadedXcursor arrow(cursors / "left_ptr");
    ASSERT_NE(arrow.images, nullptr);
    for (int side : kArrowSides) {
        const auto images = arrow.ofSize(static_cast<unsigned>(side));
        ASSERT_EQ(images.size(), 1u) << side;
        EXPECT_EQ(comparePixels(*images[0], side, 9), "") << side;
        EXPECT_EQ(images[0]->xhot, static_cast<unsigned>(hotspotFor(side).first)) << side;
        EXPECT_EQ(images[0]->yhot, static_cast<unsigned>(hotspotFor(side).second)) << side;
    }
    const auto made = arrow.ofSize(24);
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0]->width, 24u);
    EXPECT_EQ(made[0]->xhot, static_cast<unsigned>(theme::scaledHotspot(hotspotFor(48).first, 48, 24)));
    EXPECT_EQ(made[0]->yhot, static_cast<unsigned>(theme::scaledHotspot(hotspotFor(48).second, 48, 24)));
    EXPECT_EQ(arrow.images->nimage, 12);

    // The animation: every size animated, the steps in sequence order, delays from the rates with the
    // rounding carried, the loop as long as the source's within 1 ms.
    const LoadedXcursor working(cursors / "progress");
    ASSERT_NE(working.images, nullptr);
    double exactLoop = 0;
    for (std::uint32_t r : kRates)
        exactLoop += r * 1000.0 / 60.0;
    for (unsigned side : {24u, 32u, 48u, 64u, 96u}) {
        const auto steps = working.ofSize(side);
        ASSERT_EQ(steps.size(), kSequence.size()) << side;
        double end = 0;
        unsigned total = 0;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            end += kRates[i] * 1000.0 / 60.0;
            total += steps[i]->delay;
            EXPECT_LE(std::abs(static_cast<double>(total) - end), 1.0) << side << " step " << i;
            if (side == 32 || side == 48 || side == 64) {
                EXPECT_EQ(comparePixels(*steps[i], static_cast<int>(side), static_cast<int>(kSequence[i])),
                          "")
                    << side << " step " << i;
            }
        }
        EXPECT_LE(std::abs(static_cast<double>(total) - exactLoop), 1.0) << side;
    }

    // The classic cursor: its inverted block is black now, outlined in white.
    const LoadedXcursor no(cursors / "not-allowed");
    ASSERT_NE(no.images, nullptr);
    const auto no32 = no.ofSize(32);
    ASSERT_EQ(no32.size(), 1u);
    EXPECT_EQ(no32[0]->pixels[23 * 32 + 23], 0xFF000000u);
    EXPECT_EQ(no32[0]->pixels[19 * 32 + 23], 0xFFFFFFFFu);
    EXPECT_EQ(no32[0]->pixels[5 * 32 + 5], 0xFF000000u);
    EXPECT_EQ(no32[0]->pixels[0], 0u);
    // 64 repeats each pixel 2 x 2; no blurred 24 or 48: libXcursor serves 32 for them.
    ASSERT_EQ(no.ofSize(64).size(), 1u);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(no.ofSize(64)[0]->pixels[y * 64 + x], no32[0]->pixels[y / 2 * 32 + x / 2])
                << x << "," << y;
    EXPECT_TRUE(no.ofSize(24).empty());
    EXPECT_TRUE(no.ofSize(48).empty());

    // Through the library's theme lookup, as a desktop finds it: by hash name and by CSS name.
    ASSERT_EQ(::setenv("XCURSOR_PATH", icons.c_str(), 1), 0);
    const LoadedXcursor byHash(XcursorLibraryLoadImages("3ecb610c1bf2410f44200f48c40d3599", "Sky", 48));
    ASSERT_NE(byHash.images, nullptr);
    EXPECT_EQ(byHash.images->nimage, 4);
    EXPECT_EQ(byHash.images->images[0]->width, 48u);
    const LoadedXcursor byCss(XcursorLibraryLoadImages("default", "Sky", 96));
    ASSERT_NE(byCss.images, nullptr);
    EXPECT_EQ(byCss.images->images[0]->width, 96u);
    ::unsetenv("XCURSOR_PATH");
}

TEST(ThemePack, AFolderByNamesInstallsIntoTheUsersIconsWithTheSizesAsked) {
    const Pack pack;
    const fs::path plain = pack.dir.path() / "Plain";
    fs::create_directories(plain);
    fs::copy_file(pack.folder / "NORMAL.CUR", plain / "Normal Select.cur");
    fs::copy_file(pack.folder / "Working.ANI", plain / "busy.ani");
    writeFileBytes((plain / "readme.txt").string(), {'h', 'i'});
    const fs::path data = pack.dir.path() / "data";
    ASSERT_EQ(::setenv("XDG_DATA_HOME", data.c_str(), 1), 0);
    std::ostringstream out, err;
    const std::vector<std::string> args = {"theme", plain.string(), "--install", "--sizes", "40"};
    const int status = runTool(args, out, err, nullptr);
    ::unsetenv("XDG_DATA_HOME");
    ASSERT_EQ(status, 0) << err.str() << out.str();
    const fs::path cursors = data / "icons" / "Plain" / "cursors";
    EXPECT_TRUE(fs::is_regular_file(cursors / "left_ptr"));
    EXPECT_TRUE(fs::is_regular_file(cursors / "watch")) << "busy is the Wait cursor";
    EXPECT_EQ(fs::read_symlink(cursors / "wait"), "watch");
    for (const char* line : {"gsettings set org.gnome.desktop.interface cursor-theme Plain",
                             "plasma-apply-cursortheme Plain", "Xcursor.theme: Plain", "XCURSOR_THEME=Plain"})
        EXPECT_NE(out.str().find(line), std::string::npos) << line << "\n" << out.str();

    // The sizes the file holds and the one asked for, made from 48, the nearest larger.
    const LoadedXcursor arrow(cursors / "left_ptr");
    ASSERT_NE(arrow.images, nullptr);
    std::set<unsigned> sizes;
    for (int i = 0; i < arrow.images->nimage; ++i)
        sizes.insert(arrow.images->images[i]->size);
    EXPECT_EQ(sizes, (std::set<unsigned>{32, 40, 48, 64, 96, 128, 256}));
    EXPECT_EQ(arrow.ofSize(40)[0]->xhot,
              static_cast<unsigned>(theme::scaledHotspot(hotspotFor(48).first, 48, 40)));

    EXPECT_EQ(theme::userIconsFolder(nullptr, "/home/u"), "/home/u/.local/share/icons");
    EXPECT_EQ(theme::userIconsFolder("", "/home/u"), "/home/u/.local/share/icons");
    EXPECT_EQ(theme::userIconsFolder("relative", "/home/u"), "/home/u/.local/share/icons");
    EXPECT_EQ(theme::userIconsFolder("/x/data", "/home/u"), "/x/data/icons");
    EXPECT_EQ(theme::userIconsFolder(nullptr, nullptr), "");
}

TEST(ThemePack, CursorFilesAreWrittenAheadOnlyWhenEveryNameIsSound) {
    TempDir dir;
    const auto cursor = [](std::string name, std::vector<std::string> links) {
        theme::ThemeCursor c;
        c.name = std::move(name);
        c.links = std::move(links);
        c.xcursor = {'X', 'c', 'u', 'r'};
        return c;
    };
    // "pointer" would be both a file and a link: nothing ahead, writeCursorTheme says so as before.
    theme::CursorFileStream refused(dir.path().string(), "T",
                                    {cursor("left_ptr", {"pointer"}), cursor("pointer", {})});
    theme::ThemeCursor first = cursor("left_ptr", {"pointer"});
    refused.write(first);
    EXPECT_FALSE(first.fileWritten);
    EXPECT_EQ(first.xcursor.size(), 4u);
    EXPECT_FALSE(fs::exists(dir.path() / "T"));

    theme::CursorFileStream stream(dir.path().string(), "T",
                                   {cursor("left_ptr", {"pointer"}), cursor("xterm", {})});
    std::vector<theme::ThemeCursor> made = {cursor("left_ptr", {"pointer"})};
    stream.write(made[0]);
    EXPECT_TRUE(made[0].fileWritten);
    EXPECT_TRUE(made[0].xcursor.empty());
    const fs::path file = dir.path() / "T" / "cursors" / "left_ptr";
    EXPECT_EQ(fs::file_size(file), 4u);
    ASSERT_TRUE(theme::writeCursorTheme(dir.path().string(), "T", made).ok);
    EXPECT_EQ(fs::file_size(file), 4u) << "left as written";
    EXPECT_EQ(fs::read_symlink(dir.path() / "T" / "cursors" / "pointer"), "left_ptr");

    // A pack's own all-scroll takes the name from the size-all cursor's links, as makeThemeCursors does:
    // the names are sound and the files may go ahead. Two sources linking it keep it on both.
    theme::CursorPack pack;
    pack.sources = {{"move.cur", {CursorRole::SizeAll}, {}}, {"pan.cur", {}, "all-scroll"}};
    std::vector<theme::ThemeCursor> names = theme::themeNamesOfPack(pack);
    EXPECT_EQ(std::count(names[0].links.begin(), names[0].links.end(), "all-scroll"), 0);
    theme::CursorFileStream ahead(dir.path().string(), "U", names);
    theme::ThemeCursor pan = cursor("all-scroll", {});
    ahead.write(pan);
    EXPECT_TRUE(pan.fileWritten);
    pack.sources.push_back({"move2.cur", {CursorRole::SizeAll}, {}});
    names = theme::themeNamesOfPack(pack);
    EXPECT_EQ(std::count(names[2].links.begin(), names[2].links.end(), "all-scroll"), 1);
}

} // namespace
} // namespace vantle::test
