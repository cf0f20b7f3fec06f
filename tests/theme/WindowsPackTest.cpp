// X11 cursor themes made into Windows packs: the names tried for each role, scheme names Windows takes,
// the install.inf read back by the pack reader, every file read back by our reader, by Pillow and by
// gdk-pixbuf at every size, and the pack made into a theme again and loaded through libXcursor. Done for a
// theme made here and for the system's Adwaita theme when it is installed.

#include "theme/WindowsPack.h"
#include "LoadedXcursor.h"
#include "model/CursorFiles.h"
#include "model/LosslessTestSupport.h"
#include "model/ModelTestSupport.h"
#include "theme/InfWriter.h"
#include "theme/InstallInf.h"
#include "tool/VantleTool.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>

namespace vantle::test {
namespace {

namespace fs = std::filesystem;
using theme::CursorRole;
using theme::kWindowsPackSizes;

Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

std::size_t at(CursorRole role) {
    return static_cast<std::size_t>(theme::roleIndex(role));
}

TEST(WindowsPack, RoleNamesAreTriedFileNameFirstAndOneWayNamesLast) {
    const auto ns = theme::themeNamesToTry(CursorRole::SizeNS);
    ASSERT_FALSE(ns.empty());
    EXPECT_EQ(ns.front(), "sb_v_double_arrow");
    const auto position = [&ns](std::string_view name) {
        return std::find(ns.begin(), ns.end(), name) - ns.begin();
    };
    EXPECT_LT(position("ns-resize"), position("top_side"));
    EXPECT_LT(position("size_ver"), position("n-resize"));
    EXPECT_EQ(position("bottom_side"), static_cast<long>(ns.size()) - 3)
        << "one-way names last, in table order";
    const auto hand = theme::themeNamesToTry(CursorRole::Hand);
    EXPECT_EQ(std::vector<std::string_view>(hand.begin(), hand.begin() + 3),
              (std::vector<std::string_view>{"hand2", "hand1", "hand"}));
    EXPECT_EQ(theme::themeNamesToTry(CursorRole::Pin), std::vector<std::string_view>{"pin"});
    for (CursorRole role : theme::kAllRoles) {
        const auto names = theme::themeNamesToTry(role);
        EXPECT_EQ(names.size(), theme::roleNames(role).links.size() + 1) << "every name once";
    }
}

TEST(WindowsPack, SchemeNamesAreWhatAWindowsFolderAndRegistryValueTake) {
    EXPECT_EQ(theme::windowsSchemeName("Breeze Snow"), "Breeze Snow");
    EXPECT_EQ(theme::windowsSchemeName("a/b:c*d?e\"f<g>h|i%j,k\\l"), "a_b_c_d_e_f_g_h_i_j_k_l");
    EXPECT_EQ(theme::windowsSchemeName("  ..Dots.. "), "Dots");
    EXPECT_EQ(theme::windowsSchemeName("Caf\xC3\xA9 \xE6\x97\xA5"), "Caf\xC3\xA9 \xE6\x97\xA5")
        << "UTF-8 is kept";
    EXPECT_EQ(theme::windowsSchemeName("a\xFF\xC3"
                                       "b\xED\xA0\x80"),
              "a_b")
        << "bytes of no character become one _; none at the end";
    EXPECT_EQ(theme::windowsSchemeName(std::string(70, 'x') + "\xE6\x97\xA5"), std::string(64, 'x'));
    EXPECT_EQ(theme::windowsSchemeName(std::string(63, 'x') + "\xE6\x97\xA5\xE6\x97\xA5"),
              std::string(63, 'x') + "\xE6\x97\xA5")
        << "cut after 64 characters, not inside one";
    EXPECT_EQ(theme::windowsSchemeName("%%%"), "");
    EXPECT_EQ(theme::windowsSchemeName("con"), "con cursors");
    EXPECT_EQ(theme::windowsSchemeName("LPT3.x"), "LPT3.x cursors");
    EXPECT_EQ(theme::windowsSchemeName("COM0"), "COM0");
    EXPECT_EQ(theme::windowsSchemeName(std::string(100, 'x')).size(), theme::kMaxSchemeNameLength);
}

TEST(WindowsPack, InstallInfIsAsciiWithCrlfAndReadsBackRoleByRole) {
    std::array<std::string, theme::kRoleCount> files;
    files[at(CursorRole::Arrow)] = "Arrow.cur";
    files[at(CursorRole::Wait)] = "Wait.ani";
    files[at(CursorRole::Person)] = "Person.cur";
    const std::string text = theme::schemeInfText("Tiny Scheme", files);
    for (std::size_t i = 0; i < text.size(); ++i) {
        ASSERT_LT(static_cast<unsigned char>(text[i]), 0x80u) << "byte " << i;
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "line end at " << i;
        }
    }
    for (std::string_view line :
         {"[Version]\r\nSignature=\"$CHICAGO$\"\r\n",
          "[DefaultInstall]\r\nCopyFiles = Scheme.Cur\r\nAddReg    = Scheme.Reg\r\n",
          "[DestinationDirs]\r\nScheme.Cur = 10,\"%CUR_DIR%\"\r\n",
          "[Scheme.Cur]\r\nArrow.cur\r\nWait.ani\r\nPerson.cur\r\n\r\n",
          "CUR_DIR     = \"Cursors\\Tiny Scheme\"\r\nSCHEME_NAME = \"Tiny Scheme\"\r\n",
          "HKCU,\"Control Panel\\Cursors\",Help,0x00020000,\"\"\r\n",
          "HKCU,\"Control Panel\\Cursors\",Wait,0x00020000,\"%10%\\%CUR_DIR%\\%Wait%\"\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    // The scheme line: seventeen paths, empty where the role has no file.
    const std::string schemeKey = "HKCU,\"Control Panel\\Cursors\\Schemes\",\"%SCHEME_NAME%\",0x00020000,\"";
    const std::size_t begin = text.find(schemeKey);
    ASSERT_NE(begin, std::string::npos);
    const std::string value =
        text.substr(begin + schemeKey.size(), text.find("\"\r\n", begin) - begin - schemeKey.size());
    EXPECT_EQ(value,
              "%10%\\%CUR_DIR%\\%Arrow%,,,%10%\\%CUR_DIR%\\%Wait%,,,,,,,,,,,,,%10%\\%CUR_DIR%\\%Person%");

    const theme::InstallInf back = theme::parseInstallInf(text);
    EXPECT_EQ(back.schemeName, "Tiny Scheme");
    EXPECT_TRUE(back.hasCursors);
    EXPECT_EQ(back.files, files);
    EXPECT_TRUE(back.notes.empty()) << back.notes.front();
}

// ---- A theme made here ----

// The straight-alpha pattern of a test image; `seed` tells cursors and frames apart.
std::uint32_t patternAt(int x, int y, int side, int seed) {
    const unsigned alpha = (x + 3 * y + seed) % 7 == 0 ? 0u
                           : (x * 5 + y) % 3 == 0      ? 255u
                                                       : 30u + (x * 11 + y * 3) % 220;
    if (alpha == 0)
        return 0;
    return alpha << 24 | static_cast<unsigned>((x * 9 + seed * 60) & 0xFF) << 16 |
           static_cast<unsigned>((y * 7 + side) & 0xFF) << 8 |
           static_cast<unsigned>((seed * 40 + side) & 0xFF);
}

std::uint32_t premultipliedOf(std::uint32_t p) {
    const unsigned a = p >> 24;
    const auto c = [a](unsigned v) { return (v * a + 127) / 255; };
    return a << 24 | c((p >> 16) & 0xFF) << 16 | c((p >> 8) & 0xFF) << 8 | c(p & 0xFF);
}

XcursorChunkInput chunkOf(int side, int seed, std::uint32_t delay = 0) {
    XcursorChunkInput c;
    c.nominal = c.width = c.height = static_cast<std::uint32_t>(side);
    c.xhot = static_cast<std::uint32_t>(side / 5);
    c.yhot = static_cast<std::uint32_t>(side / 3);
    c.delay = delay;
    c.pixelAt = [side, seed](std::uint32_t x, std::uint32_t y) {
        return premultipliedOf(patternAt(static_cast<int>(x), static_cast<int>(y), side, seed));
    };
    return c;
}

const std::vector<std::uint32_t> kWaitDelays = {50, 100, 30}; // ms: 3, 6 and 1.8 jiffies

// "meadow-theme" named Meadow in its index.theme. left_ptr at 24, 32, 48 and 64 (and default, a link to
// it); the wait cursor only under "wait", a link to a file of another name, three frames at 32 and 96;
// ns-resize beside a differently drawn top_side; the hand only as "pointer"; the text cursor at 256 only;
// help a link to nothing.
struct TestTheme {
    TempDir dir;
    fs::path folder;
    fs::path cursors;
    TestTheme() : folder(dir.path() / "meadow-theme"), cursors(folder / "cursors") {
        fs::create_directories(cursors);
        writeFileBytes((folder / "index.theme").string(),
                       bytesOf("[Icon Theme]\nName=Meadow\nComment=made in a test\nInherits=Adwaita\n"));
        write("left_ptr", {chunkOf(24, 1), chunkOf(32, 1), chunkOf(48, 1), chunkOf(64, 1)});
        fs::create_symlink("left_ptr", cursors / "default");
        std::vector<XcursorChunkInput> wait;
        for (int side : {32, 96})
            for (int f = 0; f < 3; ++f)
                wait.push_back(chunkOf(side, 10 + f, kWaitDelays[static_cast<std::size_t>(f)]));
        write("busy-frames", wait);
        fs::create_symlink("busy-frames", cursors / "wait");
        write("ns-resize", {chunkOf(32, 3)});
        write("top_side", {chunkOf(32, 4)});
        write("pointer", {chunkOf(32, 5), chunkOf(48, 5)});
        write("xterm", {chunkOf(256, 6)});
        fs::create_symlink("nothing-here", cursors / "help");
    }
    void write(const std::string& name, const std::vector<XcursorChunkInput>& chunks) const {
        writeFileBytes((cursors / name).string(), xcursorBytes(chunks));
    }
    LosslessCursor read(const std::string& name) const {
        CursorReadReport report;
        auto cursor = readCursorFile((cursors / name).string(), report);
        EXPECT_TRUE(cursor.has_value() && report.complete) << name;
        return cursor.value_or(LosslessCursor{});
    }
};

struct PackRun {
    int status = -1;
    std::string out;
    std::string err;
};

PackRun runWinpack(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    PackRun run;
    run.status = runTool(args, out, err, nullptr);
    run.out = out.str();
    run.err = err.str();
    return run;
}

LosslessCursor readPackFile(const fs::path& path) {
    CursorReadReport report;
    auto cursor = readCursorFile(path.string(), report);
    EXPECT_TRUE(cursor.has_value()) << path;
    EXPECT_TRUE(report.complete) << path << ": " << problemsOf(report);
    return cursor.value_or(LosslessCursor{});
}

// The image of a theme frame at a pack size, as the pack must hold it: the frame's own image of that size,
// else the scaler's image from one at least twice as large or dividing the size, else from the nearest.
CursorImage expectedAt(const CursorFrame& frame, int size) {
    const CursorImage* source = theme::crispSourceFor(frame, size);
    if (source == nullptr)
        source = theme::sourceImageFor(frame, size);
    EXPECT_NE(source, nullptr);
    if (source == nullptr)
        return {};
    return source->width == size ? *source : theme::scaleImage(*source, size);
}

// Empty when every frame of the pack file holds the theme cursor's pixels and hotspots at every pack size
// and every size of the theme's, in ascending order, bitmaps up to 48 and PNG above, and the steps are
// those of the theme.
std::string packDifference(const LosslessCursor& themeCursor, const LosslessCursor& pack) {
    if (pack.frames.size() != themeCursor.frames.size())
        return "frames: " + std::to_string(pack.frames.size());
    std::vector<int> sizes(kWindowsPackSizes.begin(), kWindowsPackSizes.end());
    for (const CursorImage& image : themeCursor.frames.at(0).images)
        sizes.push_back(image.width);
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    for (std::size_t f = 0; f < pack.frames.size(); ++f) {
        const auto& images = pack.frames[f].images;
        if (images.size() != sizes.size())
            return "frame " + std::to_string(f) + ": " + std::to_string(images.size()) + " images";
        for (std::size_t s = 0; s < sizes.size(); ++s) {
            const int size = sizes[s];
            const std::string where = "frame " + std::to_string(f) + " size " + std::to_string(size) + ": ";
            const CursorImage expected = expectedAt(themeCursor.frames[f], size);
            if (const std::string d = firstImageDifference(expected, images[s]); !d.empty())
                return where + d;
            if (images[s].hotspotX != expected.hotspotX || images[s].hotspotY != expected.hotspotY)
                return where + "hotspot " + std::to_string(images[s].hotspotX) + "," +
                       std::to_string(images[s].hotspotY);
            if (images[s].storedBits != (size <= theme::kLargestBitmapEntry ? 32 : 0))
                return where + "stored as " + std::to_string(images[s].storedBits) + " bits";
        }
    }
    if (pack.steps.size() != themeCursor.steps.size())
        return "steps: " + std::to_string(pack.steps.size());
    return {};
}

// Every step the theme shows for some time is shown for some time, and ends within half a jiffy (and the
// millisecond a theme rounds to) of where the theme's ends; later by at most what the steps shorter than a
// jiffy so far were lengthened to last one.
std::string timingDifference(const std::vector<CursorStep>& source, const std::vector<CursorStep>& written) {
    if (source.size() != written.size())
        return std::to_string(written.size()) + " steps";
    double exactEnd = 0;
    double writtenEnd = 0;
    double lengthened = 0;
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (source[i].ticks > 0 && written[i].ticks <= 0)
            return "step " + std::to_string(i) + " is not shown";
        exactEnd += static_cast<double>(source[i].ticks) / kTicksPerMillisecond;
        writtenEnd += static_cast<double>(written[i].ticks) / kTicksPerMillisecond;
        lengthened += static_cast<double>(std::max<std::int64_t>(0, kTicksPerJiffy - source[i].ticks)) /
                      kTicksPerMillisecond;
        const double slack = 1000.0 / 120 + 1;
        if (writtenEnd < exactEnd - slack || writtenEnd > exactEnd + slack + lengthened)
            return "step " + std::to_string(i) + " ends at " + std::to_string(writtenEnd) + " ms, not " +
                   std::to_string(exactEnd);
    }
    return {};
}

// ---- Other readers ----

struct OtherImage {
    int width = 0;
    int height = 0;
    Bytes rgba;
};

// pack_entries.py run on the files: per file, its entries frame by frame, or the failures.
struct OtherRead {
    int exitCode = -1;
    std::map<std::string, std::vector<OtherImage>> images;
    std::vector<std::string> failures;
};

OtherRead readWith(const std::string& library, const std::vector<std::string>& paths) {
    std::string command = std::string(VANTLE_PYTHON3) + " " + VANTLE_PACK_ENTRIES_SCRIPT + " " + library;
    for (const std::string& p : paths)
        command += " '" + p + "'";
    OtherRead read;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe)
        return read;
    std::string text;
    char buffer[1 << 16];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get()))
        text.append(buffer, n);
    const int status = ::pclose(pipe.release());
    read.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(text);
    std::string line;
    std::string file;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "file") {
            file = line.substr(5);
        } else if (word == "image") {
            OtherImage image;
            std::string hexText;
            words >> image.width >> image.height >> hexText;
            for (std::size_t i = 0; i + 1 < hexText.size(); i += 2)
                image.rgba.push_back(static_cast<std::uint8_t>(std::stoi(hexText.substr(i, 2), nullptr, 16)));
            read.images[file].push_back(std::move(image));
        } else {
            read.failures.push_back(file + ": " + line);
        }
    }
    return read;
}

// Empty when the other reader's image shows the pixels: colour and alpha of every pixel that is not fully
// transparent, alpha 0 for those that are.
std::string otherDifference(const CursorImage& ours, const OtherImage& theirs) {
    if (theirs.width != ours.width || theirs.height != ours.height)
        return "size " + std::to_string(theirs.width) + "x" + std::to_string(theirs.height);
    for (int y = 0; y < ours.height; ++y)
        for (int x = 0; x < ours.width; ++x) {
            const std::uint32_t p = ours.at(x, y);
            const std::size_t i =
                4 * (static_cast<std::size_t>(y) * static_cast<std::size_t>(ours.width) + x);
            const std::uint32_t got = static_cast<std::uint32_t>(theirs.rgba[i + 3]) << 24 |
                                      static_cast<std::uint32_t>(theirs.rgba[i]) << 16 |
                                      static_cast<std::uint32_t>(theirs.rgba[i + 1]) << 8 |
                                      theirs.rgba[i + 2];
            if ((p >> 24) == 0 ? (got >> 24) != 0 : got != p)
                return "pixel (" + std::to_string(x) + "," + std::to_string(y) + "): " + hex(got) +
                       ", ours " + hex(p);
        }
    return {};
}

// Both libraries read every entry of every file (each bitmap entry as a cursor of its own, each PNG
// entry as a PNG image) with the pixels our reader reads. Skipped (with a note) where a library is missing.
void expectOtherReadersAgree(const std::vector<fs::path>& files) {
    std::vector<std::string> paths;
    for (const fs::path& f : files)
        paths.push_back(f.string());
    for (const char* library : {"pil", "gdk"}) {
        const OtherRead read = readWith(library, paths);
        if (read.exitCode == 77) {
            std::printf("note: %s not installed, its check skipped\n", library);
            continue;
        }
        ASSERT_EQ(read.exitCode, 0) << library;
        EXPECT_TRUE(read.failures.empty()) << library << ": " << read.failures.front();
        for (const std::string& path : paths) {
            const LosslessCursor ours = readPackFile(path);
            const auto found = read.images.find(path);
            ASSERT_NE(found, read.images.end()) << library << " " << path;
            std::size_t k = 0;
            for (std::size_t f = 0; f < ours.frames.size(); ++f)
                for (const CursorImage& image : ours.frames[f].images) {
                    ASSERT_LT(k, found->second.size()) << library << " " << path;
                    ASSERT_EQ(otherDifference(image, found->second[k++]), "")
                        << library << " " << path << " frame " << f << " size " << image.width;
                }
            EXPECT_EQ(k, found->second.size()) << library << " " << path;
        }
    }
}

// ---- libXcursor ----

// Empty when two Xcursor images have the same size and hotspot and premultiplied pixels within 1.
std::string xcursorDifference(const XcursorImage& expected, const XcursorImage& actual) {
    if (expected.width != actual.width || expected.height != actual.height)
        return "size " + std::to_string(actual.width) + "x" + std::to_string(actual.height);
    if (expected.xhot != actual.xhot || expected.yhot != actual.yhot)
        return "hotspot " + std::to_string(actual.xhot) + "," + std::to_string(actual.yhot);
    for (std::size_t i = 0; i < std::size_t{expected.width} * expected.height; ++i)
        for (int shift : {24, 16, 8, 0})
            if (std::abs(static_cast<int>((expected.pixels[i] >> shift) & 0xFF) -
                         static_cast<int>((actual.pixels[i] >> shift) & 0xFF)) > 1)
                return "pixel " + std::to_string(i) + ": " + hex(actual.pixels[i]) + ", the theme's " +
                       hex(expected.pixels[i]);
    return {};
}

// The theme made of the pack holds, for each cursor, what the original theme holds at every size both
// have (pixels within 1, hotspots) and the same animation, timed as timingDifference says.
void expectThemeBack(const fs::path& original, const fs::path& back, const std::string& name) {
    const LoadedXcursor a(original / name);
    const LoadedXcursor b(back / name);
    ASSERT_NE(a.images, nullptr) << name;
    ASSERT_NE(b.images, nullptr) << name;
    std::set<unsigned> sizes;
    for (int i = 0; i < a.images->nimage; ++i)
        sizes.insert(a.images->images[i]->size);
    for (unsigned size : sizes) { // every size of the original comes back, 24 too
        const auto theirs = a.ofSize(size);
        const auto ours = b.ofSize(static_cast<unsigned>(size));
        ASSERT_EQ(ours.size(), theirs.size()) << name << " size " << size;
        std::vector<CursorStep> originalSteps, backSteps;
        for (std::size_t i = 0; i < ours.size(); ++i) {
            ASSERT_EQ(xcursorDifference(*theirs[i], *ours[i]), "")
                << name << " size " << size << " frame " << i;
            originalSteps.push_back({0, std::int64_t{theirs[i]->delay} * kTicksPerMillisecond});
            backSteps.push_back({0, std::int64_t{ours[i]->delay} * kTicksPerMillisecond});
        }
        if (ours.size() > 1) {
            EXPECT_EQ(timingDifference(originalSteps, backSteps), "") << name << " " << size;
        }
    }
}

TEST(WindowsPack, ATestThemeBecomesAPackThatReadsBackAndMakesTheSameThemeAgain) {
    const TestTheme t;
    const fs::path out = t.dir.path() / "pack";
    const PackRun run = runWinpack({"winpack", t.folder.string(), out.string()});
    ASSERT_EQ(run.status, 0) << run.err << run.out;

    // install.inf read by the pack reader: the scheme's name from index.theme, every role in its place.
    const theme::InstallInf inf = theme::parseInstallInfBytes(readFileBytes((out / "install.inf").string()));
    EXPECT_EQ(inf.schemeName, "Meadow");
    std::array<std::string, theme::kRoleCount> expected;
    expected[at(CursorRole::Arrow)] = "Arrow.cur";
    expected[at(CursorRole::Wait)] = "Wait.ani";
    expected[at(CursorRole::IBeam)] = "IBeam.cur";
    expected[at(CursorRole::SizeNS)] = "SizeNS.cur";
    expected[at(CursorRole::Hand)] = "Hand.cur";
    EXPECT_EQ(inf.files, expected);
    EXPECT_TRUE(inf.notes.empty()) << inf.notes.front();
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(out))
        files += entry.path().filename() != "install.inf" ? 1 : 0;
    EXPECT_EQ(files, 5u) << "one file per role found, nothing else";

    // Each file, read by our reader, holds the theme's pixels at every pack size.
    EXPECT_EQ(packDifference(t.read("left_ptr"), readPackFile(out / "Arrow.cur")), "");
    EXPECT_EQ(packDifference(t.read("ns-resize"), readPackFile(out / "SizeNS.cur")), "") << "not top_side";
    EXPECT_EQ(packDifference(t.read("pointer"), readPackFile(out / "Hand.cur")), "");
    EXPECT_EQ(packDifference(t.read("xterm"), readPackFile(out / "IBeam.cur")), "");
    const LosslessCursor wait = readPackFile(out / "Wait.ani");
    EXPECT_EQ(packDifference(t.read("busy-frames"), wait), "");
    // 50, 100 and 30 ms: 3, 6 and 2 jiffies, the last rounded so that the loop ends at 11 (183 ms).
    ASSERT_EQ(wait.steps.size(), 3u);
    EXPECT_EQ(wait.steps[0].ticks, 3 * kTicksPerJiffy);
    EXPECT_EQ(wait.steps[1].ticks, 6 * kTicksPerJiffy);
    EXPECT_EQ(wait.steps[2].ticks, 2 * kTicksPerJiffy);
    // Enlarged twice, from 64 to 128: each pixel four times, the hotspot on the same pixel.
    const LosslessCursor arrow = readPackFile(out / "Arrow.cur");
    const CursorImage& big = arrow.frames.at(0).images.back();
    const CursorImage source64 = t.read("left_ptr").frames.at(0).images.back();
    ASSERT_EQ(big.width, 128);
    ASSERT_EQ(source64.width, 64);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            ASSERT_EQ(big.at(x, y), source64.at(x / 2, y / 2)) << x << "," << y;
    EXPECT_EQ(big.hotspotX, 2 * (64 / 5) + 1);
    EXPECT_EQ(big.hotspotY, 2 * (64 / 3) + 1);

    // The report names where each cursor came from.
    for (std::string_view line :
         {"Arrow: left_ptr -> Arrow.cur; sizes 24 32 48 64 kept, 96 128 made; 1 frame\n",
          "Wait: wait (busy-frames) -> Wait.ani; sizes 32 96 kept, 48 64 128 made; 3 "
          "frames, 3 steps\n",
          "Help: no cursor in the theme; left empty\n", "scheme: Meadow\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << run.out;

    expectOtherReadersAgree({out / "Arrow.cur", out / "Wait.ani", out / "IBeam.cur"});

    // The pack made into a theme again: the same images, hotspots and timing where both have a size.
    const fs::path icons = t.dir.path() / "icons";
    const PackRun back = runWinpack({"theme", (out / "install.inf").string(), "--dir", icons.string()});
    ASSERT_EQ(back.status, 0) << back.err << back.out;
    const fs::path cursors = icons / "Meadow" / "cursors";
    expectThemeBack(t.cursors, cursors, "left_ptr");
    expectThemeBack(t.cursors, cursors, "wait");
    expectThemeBack(t.cursors, cursors, "ns-resize");
    expectThemeBack(t.cursors, cursors, "pointer");
}

TEST(WindowsPack, AdwaitaBecomesAPackThatMakesTheSameThemeAgain) {
    const fs::path adwaita = "/usr/share/icons/Adwaita";
    if (!fs::is_directory(adwaita / "cursors"))
        GTEST_SKIP() << "the Adwaita cursor theme is not installed (Debian adwaita-icon-theme)";
    TempDir dir;
    const fs::path out = dir.path() / "Adwaita pack";
    const PackRun run = runWinpack({"winpack", adwaita.string(), out.string()});
    ASSERT_EQ(run.status, 0) << run.err << run.out;

    const theme::InstallInf inf = theme::parseInstallInfBytes(readFileBytes((out / "install.inf").string()));
    EXPECT_EQ(inf.schemeName, "Adwaita");
    std::vector<fs::path> packFiles;
    for (CursorRole role : theme::kAllRoles) {
        const std::string& file = inf.files[at(role)];
        const auto source = theme::findRoleSource((adwaita / "cursors").string(), role);
        ASSERT_EQ(file.empty(), !source.has_value()) << theme::roleNames(role).windowsName;
        if (!source)
            continue;
        EXPECT_EQ(file, std::string(theme::roleNames(role).windowsName) +
                            (file.ends_with(".ani") ? ".ani" : ".cur"));
        ASSERT_TRUE(fs::is_regular_file(out / file)) << file;
        CursorReadReport report;
        const auto theirs = readCursorFile(source->path, report);
        ASSERT_TRUE(theirs.has_value()) << source->path;
        const LosslessCursor ours = readPackFile(out / file);
        EXPECT_EQ(ours.animated(), file.ends_with(".ani")) << file;
        EXPECT_EQ(packDifference(*theirs, ours), "") << file;
        if (ours.animated()) {
            EXPECT_EQ(timingDifference(theirs->steps, ours.steps), "") << file;
        }
        packFiles.push_back(out / file);
    }
    EXPECT_GE(packFiles.size(), 15u) << "Adwaita has every role but Pin and Person";
    expectOtherReadersAgree(packFiles);

    const fs::path icons = dir.path() / "icons";
    const PackRun back = runWinpack({"theme", (out / "install.inf").string(), "--dir", icons.string()});
    ASSERT_EQ(back.status, 0) << back.err << back.out;
    for (CursorRole role : theme::kAllRoles)
        if (const auto source = theme::findRoleSource((adwaita / "cursors").string(), role))
            expectThemeBack(adwaita / "cursors", icons / "Adwaita" / "cursors", source->name);
}

} // namespace
} // namespace vantle::test
