// What the lossless writers make, read by other programs: Pillow and gdk-pixbuf (through Python) decode our
// icon and cursor entries of every form and play our animated cursors; libXcursor loads our Xcursor files.

#include "model/AniBytes.h"
#include "model/LosslessTestSupport.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <sstream>

// Last, and its macros that clash with ordinary names dropped.
#include <X11/Xcursor/Xcursor.h>
#undef None
#undef Bool
#undef Status

namespace vantle::test {
namespace {

struct PythonRun {
    int exitCode = -1;
    std::string out;
    std::string error;
};

PythonRun runPython(const char* script, const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromUtf8(VANTLE_PYTHON3), QStringList{QString::fromUtf8(script)} + arguments);
    PythonRun run;
    if (!process.waitForFinished(120000)) {
        run.error = "python3 did not run: " + process.errorString().toStdString();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.error = process.readAllStandardError().toStdString();
    return run;
}

Bytes fromHex(const std::string& text) {
    Bytes out;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2)
        out.push_back(static_cast<std::uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
    return out;
}

// An image as another library decoded it: width, height and RGBA bytes.
struct Decoded {
    int width = 0;
    int height = 0;
    Bytes rgba;
};

struct DecodedFile {
    std::string failure;
    std::vector<Decoded> images;
};

// other_readers.py: every entry of .ico / .cur files, the first entry of each frame of .ani files.
std::map<std::string, DecodedFile> decodeWith(const std::string& library,
                                              const std::vector<std::string>& paths, PythonRun& run) {
    QStringList arguments{QString::fromStdString(library)};
    for (const std::string& p : paths)
        arguments << QString::fromStdString(p);
    run = runPython(VANTLE_OTHER_READERS_SCRIPT, arguments);
    std::map<std::string, DecodedFile> files;
    std::istringstream lines(run.out);
    std::string line;
    DecodedFile* current = nullptr;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "file") {
            current = &files[line.substr(5)];
        } else if (current != nullptr && word == "failed") {
            current->failure = line.substr(7);
        } else if (current != nullptr && word == "image") {
            Decoded d;
            std::string pixels;
            words >> d.width >> d.height >> pixels;
            d.rgba = fromHex(pixels);
            current->images.push_back(std::move(d));
        }
    }
    return files;
}

enum class Shown {
    WithMask,  // the AND mask applied: transparent and inverting pixels have alpha 0
    ColourOnly // the colour bitmap alone (Pillow's cursor plugin): both show their colour, opaque
};

// Empty when the decoded image shows our image; alpha 0 pixels compare by alpha alone.
std::string firstDifference(const CursorImage& ours, const Decoded& theirs, Shown shown) {
    if (theirs.width != ours.width || theirs.height != ours.height)
        return "size: theirs " + std::to_string(theirs.width) + "x" + std::to_string(theirs.height) +
               ", ours " + std::to_string(ours.width) + "x" + std::to_string(ours.height);
    if (theirs.rgba.size() != static_cast<std::size_t>(4 * ours.width * ours.height))
        return "they gave " + std::to_string(theirs.rgba.size()) + " pixel bytes";
    const bool maskDecides = ours.storedBits != 32 && ours.storedBits != 0;
    for (int y = 0; y < ours.height; ++y)
        for (int x = 0; x < ours.width; ++x) {
            const std::uint8_t* p = &theirs.rgba[static_cast<std::size_t>(4 * (y * ours.width + x))];
            std::uint32_t want = ours.at(x, y);
            if (shown == Shown::ColourOnly && maskDecides && (want >> 24) == 0)
                want = ours.invertsAt(x, y) ? want | 0xFF000000u : 0xFF000000u;
            const std::uint32_t got = static_cast<std::uint32_t>(p[3]) << 24 |
                                      static_cast<std::uint32_t>(p[0]) << 16 |
                                      static_cast<std::uint32_t>(p[1]) << 8 | p[2];
            if ((want >> 24) == 0 ? (got >> 24) != 0 : got != want) {
                std::ostringstream s;
                s << "pixel (" << x << "," << y << "): theirs " << hex(got) << ", ours " << hex(want);
                return s.str();
            }
        }
    return {};
}

// Images in every form the writer has: palettes of 1, 4 and 8 bits and 24 bits with their masks and
// inverting pixels, 32 bits with alpha up to 256 x 256, and (when wanted) PNG entries of 64 and 256.
CursorFrame everyForm(bool png) {
    CursorFrame frame;
    CursorImage mono = makeCursorImage(
        32, 32, [](int x, int y) { return (x + y) % 5 == 0 ? 0u
                                          : x < y          ? 0xFFFFFFFFu
                                                           : 0xFF000000u; }, 1, 3,
        4);
    markInverted(mono, [](int x, int y) { return x > 28 && y < 10; });
    frame.images.push_back(mono);
    frame.images.push_back(makeCursorImage(
        16, 16,
        [](int x, int y) {
            return y < 3 ? 0u : 0xFF000000u | static_cast<std::uint32_t>(x * 16) << 16 | y * 16u;
        },
        4));
    CursorImage eight = makeCursorImage(
        48, 48,
        [](int x, int y) {
            return x == y ? 0u : 0xFF000000u | static_cast<std::uint32_t>(x * 5) << 16 | y * 5u << 8;
        },
        8, 47, 0);
    markInverted(eight, [](int x, int) { return x == 40; });
    frame.images.push_back(eight);
    frame.images.push_back(makeCursorImage(
        24, 24,
        [](int x, int y) {
            return x == 0 ? 0u : 0xFF000000u | static_cast<std::uint32_t>(x * 10) << 16 | y * 10u << 8 | 77u;
        },
        24));
    for (int side : {32, 96, 256})
        frame.images.push_back(makeCursorImage(
            side, side,
            [side](int x, int y) {
                return static_cast<std::uint32_t>(x * 255 / (side - 1)) << 24 |
                       static_cast<std::uint32_t>(y % 256) << 8 | 0x400000u;
            },
            32, side / 2, side / 3));
    if (png)
        for (int side : {64, 256})
            frame.images.push_back(makeCursorImage(
                side, side,
                [](int x, int y) {
                    return static_cast<std::uint32_t>(x % 256) << 24 | static_cast<std::uint32_t>(y) << 8 |
                           9u;
                },
                0));
    return frame;
}

std::string write(const TempDir& dir, const std::string& name, const Bytes& bytes) {
    writeFileBytes(dir.file(name), bytes);
    return dir.file(name);
}

TEST(LosslessInterop, PillowAndGdkPixbufDecodeEveryEntryWeWrite) {
    TempDir dir;
    LosslessCursor withPng;
    withPng.frames.push_back(everyForm(true));
    LosslessCursor bitmaps;
    bitmaps.frames.push_back(everyForm(false));
    CursorWriteReport notes;
    const std::string icoPng = write(dir, "png.ico", buildIconResource(withPng, 1, notes));
    const std::string ico = write(dir, "bitmaps.ico", buildIconResource(bitmaps, 1, notes));
    const std::string cur = write(dir, "bitmaps.cur", buildIconResource(bitmaps, 2, notes));
    // What the files hold, read back by us: the forms the readers get.
    const auto ours = [](const std::string& path) {
        CursorReadReport report;
        return readCursorFile(path, report).value().frames[0].images;
    };

    PythonRun pil;
    const auto byPillow = decodeWith("pil", {icoPng, ico, cur}, pil);
    if (pil.exitCode == 77)
        GTEST_SKIP() << pil.error;
    ASSERT_EQ(pil.exitCode, 0) << pil.error;
    for (const auto& [path, shown] : {std::pair{icoPng, Shown::WithMask}, std::pair{ico, Shown::WithMask},
                                      std::pair{cur, Shown::ColourOnly}}) {
        SCOPED_TRACE("Pillow " + path);
        const DecodedFile& theirs = byPillow.at(path);
        ASSERT_EQ(theirs.failure, "");
        const auto images = ours(path);
        ASSERT_EQ(theirs.images.size(), images.size());
        for (std::size_t i = 0; i < images.size(); ++i)
            EXPECT_EQ(firstDifference(images[i], theirs.images[i], shown), "") << "image " << i;
    }

    PythonRun gdk;
    const auto byGdk =
        decodeWith("gdk", {ico, cur, icoPng, std::string(VANTLE_TEST_DATA) + "/icotool-png256.ico"}, gdk);
    if (gdk.exitCode == 77)
        GTEST_SKIP() << gdk.error;
    ASSERT_EQ(gdk.exitCode, 0) << gdk.error;
    for (const std::string& path : {ico, cur}) {
        SCOPED_TRACE("gdk-pixbuf " + path);
        const DecodedFile& theirs = byGdk.at(path);
        ASSERT_EQ(theirs.failure, "");
        const auto images = ours(path);
        ASSERT_EQ(theirs.images.size(), images.size());
        for (std::size_t i = 0; i < images.size(); ++i)
            EXPECT_EQ(firstDifference(images[i], theirs.images[i], Shown::WithMask), "") << "image " << i;
    }
    // gdk-pixbuf's ICO loader takes no PNG entries at all, as with the PNG entries other programs write.
    const std::string refusal = byGdk.at(std::string(VANTLE_TEST_DATA) + "/icotool-png256.ico").failure;
    EXPECT_NE(refusal, "");
    EXPECT_EQ(byGdk.at(icoPng).failure, refusal);
}

// Frame f: a 32-bit image with alpha first (the entry other_readers.py decodes), an 8-bit one with
// inverting pixels, and a larger 32-bit one. (No PNG entry: gdk-pixbuf 2.42 takes none, as the test above
// shows; in an animated cursor's frame it then shows a blank image.)
CursorFrame animationFrame(int f) {
    CursorFrame frame;
    frame.images.push_back(makeCursorImage(
        32, 32,
        [f](int x, int y) {
            return (x < 2 ? 0x80000000u : 0xFF000000u) | static_cast<std::uint32_t>(x * 8 + f) << 16 | y * 8u;
        },
        32, f, 1));
    CursorImage eight = makeCursorImage(
        48, 48,
        [f](int x, int y) {
            return x == y ? 0u : 0xFF000000u | static_cast<std::uint32_t>(f * 80) << 8 | x * 5u;
        },
        8, 20, f);
    markInverted(eight, [](int x, int y) { return x == 0 && y > 0; });
    frame.images.push_back(eight);
    frame.images.push_back(makeCursorImage(
        64, 64,
        [f](int x, int) { return static_cast<std::uint32_t>(x * 4) << 24 | static_cast<std::uint32_t>(f); },
        32, 63, 63));
    return frame;
}

TEST(LosslessInterop, GdkPixbufPlaysOurMultiSizeAnimatedCursorWithItsInformationList) {
    LosslessCursor c;
    for (int f = 0; f < 3; ++f)
        c.frames.push_back(animationFrame(f));
    c.steps = {{0, 5000}, {1, 10000}, {2, 1000}, {1, 7000}};
    c.ani.title = "spin";
    c.ani.author = "us";
    TempDir dir;
    CursorWriteReport notes;
    const std::string path = write(dir, "spin.ani", buildAnimatedCursor(c, notes));

    PythonRun gdk = runPython(VANTLE_GDK_SCRIPT, {QString::fromStdString(path), QStringLiteral("4")});
    if (gdk.exitCode == 77)
        GTEST_SKIP() << gdk.error;
    ASSERT_EQ(gdk.exitCode, 0) << gdk.error;
    std::istringstream lines(gdk.out);
    std::string word;
    std::vector<std::pair<int, Decoded>> steps;
    while (lines >> word) {
        if (word != "step")
            continue;
        int delay = 0;
        Decoded d;
        std::string pixels;
        lines >> delay >> d.width >> d.height >> pixels;
        d.rgba = fromHex(pixels);
        steps.emplace_back(delay, std::move(d));
    }
    ASSERT_EQ(steps.size(), 4u);
    // Its loader shows each frame at one of its sizes, for rate * 1000 / 60 ms.
    const std::array<int, 4> delays = {83, 166, 16, 116};
    for (std::size_t s = 0; s < 4; ++s) {
        SCOPED_TRACE("step " + std::to_string(s));
        EXPECT_EQ(steps[s].first, delays[s]);
        const auto& images = c.frames[static_cast<std::size_t>(c.steps[s].frame)].images;
        const auto same = std::find_if(images.begin(), images.end(), [&](const CursorImage& image) {
            return image.width == steps[s].second.width;
        });
        ASSERT_NE(same, images.end());
        EXPECT_EQ(firstDifference(*same, steps[s].second, Shown::WithMask), "");
    }

    // Pillow decodes the first entry of every frame.
    PythonRun pil;
    const auto byPillow = decodeWith("pil", {path}, pil);
    if (pil.exitCode == 77)
        GTEST_SKIP() << pil.error;
    const DecodedFile& theirs = byPillow.at(path);
    ASSERT_EQ(theirs.failure, "");
    ASSERT_EQ(theirs.images.size(), 3u);
    for (std::size_t f = 0; f < 3; ++f)
        EXPECT_EQ(firstDifference(c.frames[f].images[0], theirs.images[f], Shown::ColourOnly), "")
            << "frame " << f;
}

struct LoadedImages {
    XcursorImages* images = nullptr;
    LoadedImages(const std::string& path, int size) : images(XcursorFilenameLoadImages(path.c_str(), size)) {}
    ~LoadedImages() {
        if (images)
            XcursorImagesDestroy(images);
    }
    LoadedImages(const LoadedImages&) = delete;
    LoadedImages& operator=(const LoadedImages&) = delete;
};

TEST(LosslessInterop, LibXcursorLoadsEverySizeOfOurAnimationWithItsDelaysAndPremultipliedPixels) {
    LosslessCursor c;
    for (int f = 0; f < 3; ++f)
        c.frames.push_back(animationFrame(f));
    c.steps = {{0, 5000}, {1, 10000}, {2, 1000}, {1, 7000}};
    TempDir dir;
    CursorWriteReport notes;
    const std::string path = write(dir, "spin", buildXcursor(c, notes));
    EXPECT_EQ(notes.invertedReplaced,
              94); // frames 1 and 2: frame 0 inverts with black, which changes nothing
    // Rates of 5, 10, 1 and 7 jiffies end at 83.3, 250, 266.7 and 383.3 ms.
    const std::array<unsigned, 4> delays = {83, 167, 17, 116};
    for (int size : {32, 48, 64}) {
        SCOPED_TRACE("size " + std::to_string(size));
        const LoadedImages loaded(path, size);
        ASSERT_NE(loaded.images, nullptr);
        ASSERT_EQ(loaded.images->nimage, 4);
        for (std::size_t s = 0; s < 4; ++s) {
            const XcursorImage* x = loaded.images->images[s];
            CursorImage image = c.frames[static_cast<std::size_t>(c.steps[s].frame)]
                                    .images[static_cast<std::size_t>(size / 16 - 2)];
            replaceInvertedPixels(image);
            EXPECT_EQ(x->size, static_cast<unsigned>(size));
            ASSERT_EQ(x->width, static_cast<unsigned>(image.width));
            EXPECT_EQ(x->xhot, static_cast<unsigned>(image.hotspotX));
            EXPECT_EQ(x->yhot, static_cast<unsigned>(image.hotspotY));
            EXPECT_EQ(x->delay, delays[s]);
            for (int i = 0; i < image.width * image.height; ++i) {
                const std::uint32_t want = image.argb[static_cast<std::size_t>(i)];
                const std::uint32_t got = x->pixels[i];
                ASSERT_EQ(got >> 24, want >> 24) << "pixel " << i;
                const std::uint32_t a = want >> 24;
                for (int shift : {0, 8, 16})
                    ASSERT_NEAR(static_cast<double>((got >> shift) & 0xFF),
                                ((want >> shift) & 0xFF) * a / 255.0, 0.5)
                        << "pixel " << i;
            }
        }
    }
}

} // namespace
} // namespace vantle::test
