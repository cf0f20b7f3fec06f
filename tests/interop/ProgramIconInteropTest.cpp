// The icons of programs and libraries built by the mingw-w64 resource compiler and linker, read by our
// reader and compared pixel for pixel with what wrestool extracts and Pillow decodes (through Python).

#include "model/ProgramIcons.h"
#include "support/RecordingMessages.h"

#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

namespace vantle::test {
namespace {

struct Extracted {
    int count = -1;
    std::vector<std::vector<std::string>> groups; // 1024 pixels each, AARRGGBB
    std::string error;
};

Extracted extractWithPillow(const std::string& path) {
    QProcess process;
    process.start(QString::fromUtf8(VANTLE_PYTHON3),
                  {QString::fromUtf8(VANTLE_PIL_SCRIPT), QString::fromStdString(path)});
    Extracted out;
    if (!process.waitForFinished(120000)) {
        out.error = "python3 did not run: " + process.errorString().toStdString();
        return out;
    }
    out.error = process.readAllStandardError().toStdString();
    std::istringstream words(process.readAllStandardOutput().toStdString());
    std::string word;
    while (words >> word) {
        if (word == "count") {
            words >> out.count;
        } else if (word == "group") {
            words >> word;
            out.groups.emplace_back();
        } else if (!out.groups.empty()) {
            out.groups.back().push_back(word);
        }
    }
    return out;
}

std::string hexOf(std::uint32_t argb) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", argb);
    return text;
}

class ProgramIconInterop : public ::testing::TestWithParam<const char*> {};

TEST_P(ProgramIconInterop, EveryGroupDrawsAsPillowDecodesWhatWrestoolExtracts) {
    const std::string path = std::string(VANTLE_TEST_DATA) + "/pe/" + GetParam();
    const Extracted expected = extractWithPillow(path);
    ASSERT_EQ(expected.count, 6) << expected.error;
    ASSERT_EQ(expected.groups.size(), 6u);

    RecordingMessages messages;
    const auto file = openProgramIcons(path, messages);
    ASSERT_TRUE(file.has_value());
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_EQ(file->iconCount(), expected.count);
    for (int g = 0; g < file->iconCount(); ++g) {
        const ProgramIconPicture picture = file->draw(g);
        EXPECT_TRUE(picture.drawn) << "group " << g;
        const auto& pixels = expected.groups[static_cast<std::size_t>(g)];
        ASSERT_EQ(pixels.size(), 1024u) << "group " << g;
        int opaque = 0;
        for (int i = 0; i < 1024; ++i) {
            const std::uint32_t ours = picture.argb[static_cast<std::size_t>(i)];
            opaque += (ours >> 24) != 0;
            ASSERT_EQ(hexOf(ours), pixels[static_cast<std::size_t>(i)])
                << "group " << g << " pixel (" << i % 32 << ", " << i / 32 << ")";
        }
        // Every group of the fixtures has both shown and transparent pixels.
        EXPECT_GT(opaque, 0) << "group " << g;
        EXPECT_LT(opaque, 1024) << "group " << g;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ProgramIconInterop, ::testing::Values("icons32.exe", "icons64.dll"));

} // namespace
} // namespace vantle::test
