// Any bytes through every lossless reader: as an icon resource, an animated cursor, an Xcursor file and a
// program (each reader refuses what does not begin as its format), and every icon group of a program.

#include "FuzzSupport.h"
#include "LosslessChecks.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

using namespace vantle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    for (CursorFormat format : {CursorFormat::IconResource, CursorFormat::AnimatedCursor,
                                CursorFormat::Xcursor, CursorFormat::Program}) {
        CursorReadReport report;
        const auto cursor = readCursorBytes(bytes, format, report);
        const std::string problem = fuzz::losslessReadProblem(cursor, report, false);
        if (!problem.empty())
            std::fprintf(stderr, "%s\n", problem.c_str());
        VANTLE_FUZZ_CHECK(problem.empty());
    }
    CursorReadReport report;
    const std::vector<LosslessCursor> groups = readProgramIconGroups(bytes, report);
    VANTLE_FUZZ_CHECK(groups.empty() || programIconGroupCount(bytes) == static_cast<int>(groups.size()));
    for (const LosslessCursor& group : groups) {
        VANTLE_FUZZ_CHECK(group.frames.size() <= 1);
        const std::string problem = fuzz::losslessReadProblem(group, report, true);
        if (!problem.empty())
            std::fprintf(stderr, "%s\n", problem.c_str());
        VANTLE_FUZZ_CHECK(problem.empty());
    }
    return 0;
}
