// Every input the fuzz targets keep, through every lossless reader: whatever the bytes, each read keeps the
// promises the fuzz targets check (fuzz/LosslessChecks.h), and the files vantle-tool wrote as seeds (the
// named ones of corpus/lossless/) read whole.

#include "fuzz/LosslessChecks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace vantle {
namespace {

namespace fs = std::filesystem;

TEST(LosslessReplay, EveryKeptInputKeepsTheReadersPromises) {
    int files = 0;
    for (const char* folder : {"corpus", "regressions"}) {
        std::error_code ec;
        for (const auto& entry :
             fs::recursive_directory_iterator(fs::path(VANTLE_FUZZ_INPUTS) / folder, ec)) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                                  std::istreambuf_iterator<char>()};
            const std::string name = fs::relative(entry.path(), VANTLE_FUZZ_INPUTS).string();
            ++files;
            for (CursorFormat format : {CursorFormat::IconResource, CursorFormat::AnimatedCursor,
                                        CursorFormat::Xcursor, CursorFormat::Program}) {
                CursorReadReport report;
                const auto cursor = readCursorBytes(bytes, format, report);
                EXPECT_EQ(fuzz::losslessReadProblem(cursor, report, false), "") << name;
                // The seeds vantle-tool wrote carry an extension; the inputs the fuzzer kept are named by
                // hash.
                if (name.starts_with("corpus/lossless/") && entry.path().has_extension() &&
                    format == cursorFormatOf(name, bytes)) {
                    EXPECT_TRUE(cursor.has_value()) << name;
                    EXPECT_TRUE(report.complete) << name;
                }
            }
            CursorReadReport report;
            for (const LosslessCursor& group : readProgramIconGroups(bytes, report))
                EXPECT_EQ(fuzz::losslessReadProblem(group, report, true), "") << name;
        }
    }
    EXPECT_GT(files, 1000);
}

TEST(LosslessReplay, AnAnimatedCursorWithAnEmptyFrameListSaysSo) {
    std::ifstream in(fs::path(VANTLE_FUZZ_INPUTS) / "regressions/lossless_empty_frame_list.ani",
                     std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    ASSERT_FALSE(bytes.empty());
    CursorReadReport report;
    EXPECT_FALSE(readCursorBytes(bytes, CursorFormat::AnimatedCursor, report));
    EXPECT_FALSE(report.complete);
    ASSERT_FALSE(report.problems.empty());
    EXPECT_EQ(report.problems.back(), "the frame list holds no frame");
}

} // namespace
} // namespace vantle
