// Any bytes through every lossless reader: as an icon resource, an animated cursor, an Xcursor file and a
// program (each reader refuses what does not begin as its format), and every icon group of a program.

#include "FuzzSupport.h"
#include "model/CursorFileParts.h"
#include "model/CursorFiles.h"

#include <cstddef>
#include <cstdint>

using namespace vantle;

namespace {

// What every lossless read promises, whatever the bytes.
void checkCursor(const std::optional<LosslessCursor>& cursor, const CursorReadReport& report, bool program) {
    VANTLE_FUZZ_CHECK(report.complete == report.problems.empty());
    if (!cursor) {
        VANTLE_FUZZ_CHECK(!report.complete);
        return;
    }
    VANTLE_FUZZ_CHECK(program || !cursor->frames.empty());
    std::size_t pixels = 0;
    for (const CursorFrame& frame : cursor->frames) {
        VANTLE_FUZZ_CHECK(!frame.images.empty());
        for (const CursorImage& image : frame.images) {
            VANTLE_FUZZ_CHECK(image.width >= 1 && image.width <= kMaxCursorSide);
            VANTLE_FUZZ_CHECK(image.height >= 1 && image.height <= kMaxCursorSide);
            VANTLE_FUZZ_CHECK(image.argb.size() == static_cast<std::size_t>(image.width) * image.height);
            VANTLE_FUZZ_CHECK(image.inverted.empty() || image.inverted.size() == image.argb.size());
            VANTLE_FUZZ_CHECK(image.hotspotX >= 0 && image.hotspotX < image.width);
            VANTLE_FUZZ_CHECK(image.hotspotY >= 0 && image.hotspotY < image.height);
            VANTLE_FUZZ_CHECK(image.storedBits == 0 || image.storedBits == 1 || image.storedBits == 4 ||
                              image.storedBits == 8 || image.storedBits == 24 || image.storedBits == 32);
            pixels += image.argb.size();
        }
    }
    VANTLE_FUZZ_CHECK(pixels <= lossless::kMaxPixels);
    VANTLE_FUZZ_CHECK(cursor->steps.size() <= lossless::kMaxSteps);
    for (const CursorStep& step : cursor->steps) {
        VANTLE_FUZZ_CHECK(step.frame >= 0 && static_cast<std::size_t>(step.frame) < cursor->frames.size());
        VANTLE_FUZZ_CHECK(step.ticks >= 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    for (CursorFormat format : {CursorFormat::IconResource, CursorFormat::AnimatedCursor,
                                CursorFormat::Xcursor, CursorFormat::Program}) {
        CursorReadReport report;
        const auto cursor = readCursorBytes(bytes, format, report);
        checkCursor(cursor, report, false);
    }
    CursorReadReport report;
    const std::vector<LosslessCursor> groups = readProgramIconGroups(bytes, report);
    VANTLE_FUZZ_CHECK(groups.empty() || programIconGroupCount(bytes) == static_cast<int>(groups.size()));
    for (const LosslessCursor& group : groups) {
        VANTLE_FUZZ_CHECK(group.frames.size() <= 1);
        checkCursor(group, report, true);
    }
    return 0;
}
