// Every input the fuzz targets keep (the seed corpus and the inputs that once found a fault) read through
// both readers: whatever the bytes, the document stays within its limits, a message is shown exactly when
// reading stops early, and the files our own writers made read completely.

#include "model/AniFileReader.h"
#include "model/IconFileReader.h"
#include "support/RecordingMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace vantle {

// Failures name the outcome instead of printing its bytes.
void PrintTo(ReadOutcome outcome, std::ostream* out) {
    *out << (outcome == ReadOutcome::Complete  ? "Complete"
             : outcome == ReadOutcome::Stopped ? "Stopped"
                                               : "NotOpened");
}

namespace {

namespace fs = std::filesystem;

const fs::path kInputs = VANTLE_FUZZ_INPUTS;

std::vector<std::string> inputFiles() {
    std::vector<std::string> files;
    for (const char* folder : {"corpus", "regressions"}) {
        std::error_code ec;
        const fs::path root = kInputs / folder;
        if (!fs::is_directory(root, ec))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(root, ec))
            if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
                files.push_back(fs::relative(entry.path(), kInputs).string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::uint8_t> contents(const std::string& relative) {
    std::ifstream in(kInputs / relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void expectDocumentSound(const IconDocument& d) {
    EXPECT_GE(d.imageCount, 0);
    EXPECT_LE(d.imageCount, d.imageCapacity());
    EXPECT_LE(d.imageCapacity(), IconDocument::kMaxImageCapacity);
    EXPECT_EQ(d.stepCapacity(), 2 * d.imageCapacity());
    EXPECT_GE(d.stepCount, 0);
    EXPECT_LE(d.stepCount, d.stepCapacity());
    for (int i = 0; i < d.imageCount; ++i) {
        const IconImage& image = d.images[static_cast<std::size_t>(i)];
        EXPECT_TRUE(image.width >= 1 && image.width <= kImageGrid)
            << "image " << i << " width " << image.width;
        EXPECT_TRUE(image.height >= 1 && image.height <= kImageGrid)
            << "image " << i << " height " << image.height;
        EXPECT_TRUE(image.depth == 2 || image.depth == 16 || image.depth == 256 || image.depth == kDepthFull)
            << "image " << i << " depth " << image.depth;
    }
    for (int s = 0; s < d.stepCount; ++s) {
        const int index = d.steps[static_cast<std::size_t>(s)].imageIndex;
        EXPECT_TRUE(index >= 0 && index < d.imageCount) << "step " << s << " shows image " << index;
    }
}

bool madeByOurWriters(const std::string& relative) {
    return fs::path(relative).filename().string().starts_with("writer_");
}

class FuzzReplay : public ::testing::TestWithParam<std::string> {
  protected:
    const MarkerColours markers{};
    test::RecordingMessages messages;
    IconDocument document;

    void SetUp() override { document.clearImages(markers.transparent); }
};

TEST_P(FuzzReplay, IconReaderKeepsTheDocumentSound) {
    const std::vector<std::uint8_t> bytes = contents(GetParam());
    ReadContext context{messages, markers};
    ByteReader reader(bytes);
    const ReadOutcome outcome = readIconResource(document, reader, context);
    expectDocumentSound(document);
    // Soft alpha is cut without a message; everything else left out is said.
    EXPECT_EQ(outcome != ReadOutcome::Complete, !messages.shown.empty() || context.report.imagesAlphaCut > 0);
    EXPECT_EQ(document.stepCount, 0);
    const fs::path extension = fs::path(GetParam()).extension();
    if (madeByOurWriters(GetParam()) && (extension == ".ico" || extension == ".cur")) {
        EXPECT_EQ(outcome, ReadOutcome::Complete);
        EXPECT_GE(document.imageCount, 1);
        EXPECT_EQ(reader.position(), bytes.size()) << "the reader stopped inside the file";
    }
}

TEST_P(FuzzReplay, AniReaderKeepsTheDocumentSound) {
    const std::vector<std::uint8_t> bytes = contents(GetParam());
    ReadContext context{messages, markers};
    const ReadOutcome outcome = readAniBytes(document, bytes, context);
    expectDocumentSound(document);
    if (outcome == ReadOutcome::Stopped) {
        EXPECT_FALSE(messages.shown.empty());
    }
    if (outcome == ReadOutcome::Complete) {
        EXPECT_TRUE(messages.shown.empty());
    }
    if (madeByOurWriters(GetParam()) && fs::path(GetParam()).extension() == ".ani") {
        EXPECT_EQ(outcome, ReadOutcome::Complete);
        EXPECT_GE(document.imageCount, 1);
        EXPECT_GE(document.stepCount, document.imageCount);
    }
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Inputs, FuzzReplay, ::testing::ValuesIn(inputFiles()), testName);

// The replay above must not pass by finding nothing to replay.
TEST(FuzzReplayInputs, SeedCorpusIsThere) {
    const std::vector<std::string> files = inputFiles();
    const auto in = [&](const char* folder) {
        return std::count_if(files.begin(), files.end(),
                             [&](const std::string& f) { return f.starts_with(folder); });
    };
    EXPECT_GE(in("corpus/icon/"), 5);
    EXPECT_GE(in("corpus/ani/"), 5);
}

} // namespace
} // namespace vantle
