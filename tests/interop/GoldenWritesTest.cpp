// The files the writers make, held against golden files: every fixture of tests/data and every seed and
// kept input of the fuzz corpus is read as the window reads it and written as .ico, .cur, .ani and the
// window's Xcursor export, and read without loss and written as .ico, .cur, .ani and Xcursor. The size and
// a hash of each written file must equal the manifest, which the writers of an earlier version made; the
// fixtures' own files are kept whole beside it, so a difference there can be looked at byte by byte.
//
// VANTLE_WRITE_GOLDEN=DIR writes a new manifest and the fixtures' files into DIR instead of comparing.

#include "model/AniFileReader.h"
#include "model/AniFileWriter.h"
#include "model/CursorFiles.h"
#include "model/FileSniff.h"
#include "model/IconBytes.h"
#include "model/IconFileReader.h"
#include "model/IconFileWriter.h"
#include "model/ProgramIcons.h"
#include "model/XcursorFileReader.h"
#include "theme/DocumentExport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace vantle::test {
namespace {

namespace fs = std::filesystem;

// Marker colours no fixture holds as an opaque colour, so that the written files depend on the writers
// alone and not on how a reader treats opaque pixels of the marker colours.
constexpr MarkerColours kGoldenMarkers{0x5A0A5A, 0x0A5A0A};

std::string hashOf(const Bytes& bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (std::uint8_t b : bytes) {
        h ^= b;
        h *= 1099511628211ull;
    }
    std::ostringstream s;
    s << bytes.size() << ' ' << std::hex << h;
    return s.str();
}

// Every file written from one input, by the name of what wrote it.
using Outputs = std::map<std::string, Bytes>;

void readIntoDocument(IconDocument& document, const std::string& path, FileKind kind, ReadContext& context) {
    switch (kind) {
    case FileKind::Icon:
    case FileKind::Cursor:
        readIconFile(document, path, context);
        break;
    case FileKind::AnimatedCursor:
        readAniFile(document, path, context);
        break;
    case FileKind::Xcursor:
        readXcursorFile(document, path, context);
        break;
    case FileKind::Program:
        if (const auto file = openProgramIcons(path, context.messages))
            for (int g = 0; g < file->iconCount() && g < 64; ++g) {
                if (!document.growForImage(document.imageCount))
                    break;
                imageFromProgramIcon(document.images[static_cast<std::size_t>(document.imageCount)],
                                     file->draw(g), context.markers);
                ++document.imageCount;
            }
        break;
    default:
        break;
    }
}

// The reader the content calls for: corpus inputs have no extension.
FileKind kindOfContent(const std::string& path) {
    const Bytes bytes = readFileBytes(path);
    switch (cursorFormatOf(path, std::span(bytes).first(std::min<std::size_t>(bytes.size(), 12)))) {
    case CursorFormat::IconResource:
        return FileKind::Icon;
    case CursorFormat::AnimatedCursor:
        return FileKind::AnimatedCursor;
    case CursorFormat::Xcursor:
        return FileKind::Xcursor;
    case CursorFormat::Program:
        return FileKind::Program;
    default:
        return FileKind::Unknown;
    }
}

Outputs writeAll(const std::string& path) {
    Outputs out;
    RecordingMessages messages;
    ReadContext context{messages, kGoldenMarkers};
    IconDocument document = newDocument();
    document.clearImages(kGoldenMarkers.transparent);
    readIntoDocument(document, path, kindOfContent(path), context);
    if (document.imageCount > 0) {
        IconDocument icon = document;
        out["window.ico"] = buildIconFile(icon, 1, kGoldenMarkers);
        IconDocument cursor = document;
        out["window.cur"] = buildIconFile(cursor, 2, kGoldenMarkers);
        IconDocument animated = document;
        if (auto ani = buildAniFile(animated, kGoldenMarkers, messages))
            out["window.ani"] = std::move(*ani);
        out["window.xcur"] = theme::buildHidpiXcursor(document, kGoldenMarkers).bytes;
    }
    CursorReadReport report;
    if (const auto lossless = readCursorFile(path, report)) {
        CursorWriteReport notes;
        out["lossless.ico"] = buildIconResource(*lossless, 1, notes);
        out["lossless.cur"] = buildIconResource(*lossless, 2, notes);
        out["lossless.ani"] = buildAnimatedCursor(*lossless, notes);
        out["lossless.xcur"] = buildXcursor(*lossless, notes);
    }
    return out;
}

// The inputs, as paths relative to the source tree, in a stable order.
std::vector<std::string> inputs(const fs::path& root) {
    std::vector<std::string> found;
    auto take = [&](const fs::path& folder, const std::function<bool(const fs::path&)>& wanted) {
        for (const auto& entry : fs::directory_iterator(root / folder))
            if (entry.is_regular_file() && wanted(entry.path()))
                found.push_back(fs::relative(entry.path(), root).generic_string());
    };
    auto cursorLike = [](const fs::path& p) {
        const std::string e = p.extension().string();
        return e == ".ico" || e == ".cur" || e == ".ani" || e == ".exe" || e == ".dll" ||
               p.filename().string().rfind("xcursorgen-", 0) == 0;
    };
    take("tests/data", cursorLike);
    take("tests/data/pe", cursorLike);
    take("tests/data/xcursorgen", cursorLike);
    for (const char* corpus : {"icon", "ani", "xcursor", "pe", "lossless"})
        take(fs::path("fuzz/corpus") / corpus, [](const fs::path&) { return true; });
    std::sort(found.begin(), found.end());
    return found;
}

fs::path sourceRoot() {
    return fs::path(VANTLE_TEST_DATA).parent_path().parent_path();
}

fs::path goldenFolder() {
    return fs::path(VANTLE_TEST_DATA) / "golden";
}

std::string fixtureFileName(const std::string& input, const std::string& kind) {
    std::string name = input.substr(std::string("tests/data/").size());
    std::replace(name.begin(), name.end(), '/', '_');
    return name + "." + kind;
}

TEST(GoldenWrites, EveryWriterGivesTheBytesOfTheGoldenFiles) {
    const fs::path root = sourceRoot();
    const char* writeTo = std::getenv("VANTLE_WRITE_GOLDEN");
    std::ostringstream manifest;
    std::map<std::string, std::string> expected;
    if (!writeTo) {
        std::ifstream in(goldenFolder() / "manifest.txt");
        ASSERT_TRUE(in) << "no golden manifest";
        std::string line;
        while (std::getline(in, line)) {
            const auto tab = line.find('\t');
            expected[line.substr(0, tab)] = line.substr(tab + 1);
        }
    }
    int compared = 0;
    std::map<std::string, bool> seen;
    for (const std::string& input : inputs(root)) {
        SCOPED_TRACE(input);
        for (const auto& [kind, bytes] : writeAll((root / input).string())) {
            const std::string key = input + " " + kind;
            seen[key] = true;
            const bool fixture = input.rfind("tests/data/", 0) == 0;
            if (writeTo) {
                manifest << key << '\t' << hashOf(bytes) << '\n';
                if (fixture)
                    writeFileBytes((fs::path(writeTo) / fixtureFileName(input, kind)).string(), bytes);
                continue;
            }
            const auto golden = expected.find(key);
            if (golden == expected.end()) {
                ADD_FAILURE() << key << ": written now, not by the golden writers";
                continue;
            }
            ++compared;
            if (hashOf(bytes) == golden->second)
                continue;
            if (fixture) {
                const Bytes goldenBytes =
                    readFileBytes((goldenFolder() / fixtureFileName(input, kind)).string());
                ADD_FAILURE() << key << ": " << firstByteDifference(goldenBytes, bytes);
            } else {
                ADD_FAILURE() << key << ": " << hashOf(bytes) << " against the golden " << golden->second;
            }
        }
    }
    if (writeTo) {
        std::ofstream(fs::path(writeTo) / "manifest.txt") << manifest.str();
        return;
    }
    for (const auto& [key, hash] : expected)
        EXPECT_TRUE(seen.count(key)) << key << ": written by the golden writers, not now";
    EXPECT_EQ(compared, static_cast<int>(expected.size()));
}

} // namespace
} // namespace vantle::test
