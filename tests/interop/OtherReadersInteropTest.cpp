// Every icon and cursor file of other programs in tests/data, read by us and written again as .ico, .cur
// and .ani, must load in Pillow and in gdk-pixbuf (through Python) with the pixels our reader gives the
// same written file.

#include "model/AniBytes.h"
#include "model/AniFileReader.h"
#include "model/AniFileWriter.h"
#include "model/IconFileReader.h"
#include "model/IconFileWriter.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

namespace vantle::test {
namespace {

constexpr colourRGB T = kTestMarkers.transparent;
constexpr colourRGB I = kTestMarkers.inverted;

struct TheirImage {
    int width = 0;
    int height = 0;
    Bytes rgba;
};

struct TheirFile {
    std::string failure; // why the library refused the file; empty when it loaded
    std::vector<TheirImage> images;
};

struct TheirRun {
    int exitCode = -1;
    std::string error;
    std::map<std::string, TheirFile> files;
};

Bytes fromHex(const std::string& hexText) {
    Bytes out;
    out.reserve(hexText.size() / 2);
    for (std::size_t i = 0; i + 1 < hexText.size(); i += 2)
        out.push_back(static_cast<std::uint8_t>(std::stoi(hexText.substr(i, 2), nullptr, 16)));
    return out;
}

// Runs other_readers.py once for all the files.
TheirRun decodeWith(const std::string& library, const std::vector<std::string>& paths) {
    QStringList arguments{QString::fromUtf8(VANTLE_OTHER_READERS_SCRIPT), QString::fromStdString(library)};
    for (const std::string& path : paths)
        arguments << QString::fromStdString(path);
    QProcess process;
    process.start(QString::fromUtf8(VANTLE_PYTHON3), arguments);
    TheirRun run;
    if (!process.waitForFinished(120000)) {
        run.error = "python3 did not run: " + process.errorString().toStdString();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.error = process.readAllStandardError().toStdString();
    std::istringstream lines(process.readAllStandardOutput().toStdString());
    std::string line;
    TheirFile* current = nullptr;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "file") {
            current = &run.files[line.substr(5)];
        } else if (current != nullptr && word == "failed") {
            current->failure = line.size() > 7 ? line.substr(7) : "refused";
        } else if (current != nullptr && word == "image") {
            TheirImage image;
            std::string pixels;
            words >> image.width >> image.height >> pixels;
            image.rgba = fromHex(pixels);
            current->images.push_back(std::move(image));
        }
    }
    return run;
}

enum class Shown {
    WithMask,     // masked pixels transparent
    ColourOnly,   // the colour bitmap alone: transparent shows black, inverted white
    OneBitByIndex // as WithMask, but 1-bit bitmaps are drawn index 0 black, index 1 white
};

// Empty when the library shows what our reader read from the same file.
std::string firstDifference(const IconImage& ours, const TheirImage& theirs, Shown shown) {
    if (theirs.width != ours.width || theirs.height != ours.height)
        return "size: theirs " + std::to_string(theirs.width) + "x" + std::to_string(theirs.height) +
               ", ours " + std::to_string(ours.width) + "x" + std::to_string(ours.height);
    if (theirs.rgba.size() != static_cast<std::size_t>(4 * theirs.width * theirs.height))
        return "they gave " + std::to_string(theirs.rgba.size()) + " pixel bytes";
    for (int y = 0; y < ours.height; ++y)
        for (int x = 0; x < ours.width; ++x) {
            const std::uint8_t* p = &theirs.rgba[static_cast<std::size_t>(4 * (y * theirs.width + x))];
            const colourRGB c = ours.pixels(x, y);
            const bool marker = c == T || c == I;
            colourRGB expected = c;
            if (shown == Shown::ColourOnly && marker)
                expected = c == T ? kBlack : kWhite;
            if (shown == Shown::OneBitByIndex && ours.depth == 2 && !marker)
                expected = ours.palette[0] == c ? kBlack : kWhite;
            const bool transparent = marker && shown != Shown::ColourOnly;
            const bool same =
                transparent ? p[3] == 0 : p[3] == 255 && expected == makeColour(p[0], p[1], p[2]);
            if (!same) {
                std::ostringstream s;
                s << "pixel (" << x << "," << y << "): theirs RGBA " << int{p[0]} << "," << int{p[1]} << ","
                  << int{p[2]} << "," << int{p[3]} << ", ours " << hex(static_cast<std::uint32_t>(c));
                return s.str();
            }
        }
    return {};
}

std::vector<std::string> fixtureNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(VANTLE_TEST_DATA)) {
        const std::string ext = entry.path().extension().string();
        if (entry.is_regular_file() && (ext == ".ico" || ext == ".cur"))
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct Written {
    std::string path;
    IconDocument back = newDocument(); // what our reader reads from the file
};

TEST(OtherReadersInterop, EveryFileWeWriteFromTheFixturesLoadsInPillowAndGdkPixbuf) {
    const std::vector<std::string> names = fixtureNames();
    ASSERT_GE(names.size(), 20u);
    TempDir dir;
    std::vector<Written> written;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        RecordingMessages messages;
        ReadContext context{messages, kTestMarkers};
        IconDocument source = newDocument();
        readIconFile(source, std::string(VANTLE_TEST_DATA) + "/" + name, context);
        ASSERT_GE(source.imageCount, 1);
        for (const char* ext : {".ico", ".cur", ".ani"}) {
            IconDocument d = source;
            Written w;
            w.path = dir.file(name + ext);
            if (std::string_view(ext) == ".ani") {
                // gdk-pixbuf's ANI loader refuses files with an information list.
                d.title.clear();
                d.author.clear();
                ASSERT_TRUE(writeAniFile(d, w.path, kTestMarkers, messages));
                ASSERT_EQ(readAniFile(w.back, w.path, context), ReadOutcome::Complete);
            } else {
                ASSERT_TRUE(writeIconFile(d, w.path, ext == std::string_view(".ico") ? 1 : 2, kTestMarkers));
                ASSERT_EQ(readIconFile(w.back, w.path, context), ReadOutcome::Complete);
            }
            // Our reading of our file is what we wrote, hotspots included.
            int k = 0;
            for (int i = 0; i < d.imageCount; ++i) {
                const IconImage& image = d.images[static_cast<std::size_t>(i)];
                if (std::string_view(ext) != ".ani" && !image.writeFlag)
                    continue;
                ASSERT_LT(k, w.back.imageCount) << ext;
                const IconImage& back = w.back.images[static_cast<std::size_t>(k++)];
                EXPECT_EQ(firstPixelDifference(image, back), "") << ext << " image " << i;
                EXPECT_EQ(back.hotspotX, image.hotspotX) << ext << " image " << i;
                EXPECT_EQ(back.hotspotY, image.hotspotY) << ext << " image " << i;
            }
            EXPECT_EQ(k, w.back.imageCount) << ext;
            written.push_back(std::move(w));
        }
    }
    std::vector<std::string> paths;
    for (const Written& w : written)
        paths.push_back(w.path);

    for (const std::string library : {"pil", "gdk"}) {
        SCOPED_TRACE(library);
        const TheirRun run = decodeWith(library, paths);
        if (run.exitCode == 77)
            GTEST_SKIP() << library << " missing: " << run.error;
        ASSERT_EQ(run.exitCode, 0) << run.error;
        for (const Written& w : written) {
            SCOPED_TRACE(w.path.substr(w.path.rfind('/') + 1));
            const auto found = run.files.find(w.path);
            ASSERT_NE(found, run.files.end()) << run.error;
            const TheirFile& theirs = found->second;
            ASSERT_EQ(theirs.failure, "");
            ASSERT_EQ(static_cast<int>(theirs.images.size()), w.back.imageCount);
            const bool icon = w.path.ends_with(".ico");
            const Shown shown = library == "gdk" ? Shown::OneBitByIndex
                                : icon           ? Shown::WithMask
                                                 : Shown::ColourOnly;
            for (int i = 0; i < w.back.imageCount; ++i)
                EXPECT_EQ(firstDifference(w.back.images[static_cast<std::size_t>(i)],
                                          theirs.images[static_cast<std::size_t>(i)], shown),
                          "")
                    << "image " << i;
        }
    }
}

} // namespace
} // namespace vantle::test
