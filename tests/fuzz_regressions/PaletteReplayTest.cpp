// Every palette seed of the fuzz corpus read as a palette file: the reader's promises hold, and the files
// our own writer made read completely at the count they were written with.

#include "model/PaletteFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vantle {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> paletteSeeds() {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::path(VANTLE_FUZZ_INPUTS) / "corpus" / "palette", ec))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(PaletteReplay, EverySeedReadsSoundly) {
    const std::vector<fs::path> files = paletteSeeds();
    ASSERT_GE(files.size(), 5u);
    int fromWriter = 0;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        std::ifstream in(file, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        const PaletteFileColours palette = readPaletteBytes(bytes);
        EXPECT_EQ(palette.status == PaletteReadStatus::NoHeader, bytes.size() < 8);
        if (palette.ok()) {
            EXPECT_GE(palette.count, 1);
            EXPECT_LE(palette.count, 256);
            EXPECT_LE(palette.entriesHeld, palette.count);
            for (int k = palette.entriesHeld; k < kPaletteFileEntries; ++k)
                ASSERT_EQ(palette.colours[static_cast<std::size_t>(k)], kWhite) << "entry " << k;
        } else {
            EXPECT_EQ(palette.count, 0);
        }
        if (file.filename().string().starts_with("writer_")) {
            ++fromWriter;
            ASSERT_TRUE(palette.ok());
            EXPECT_TRUE(palette.count == 2 || palette.count == 16 || palette.count == 256);
            EXPECT_EQ(palette.entriesHeld, palette.count);
            EXPECT_EQ(bytes.size(), 8u + 4u * static_cast<std::size_t>(palette.count));
        }
    }
    EXPECT_EQ(fromWriter, 3);
}

} // namespace
} // namespace vantle
