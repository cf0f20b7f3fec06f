// Any bytes read by the lossless reader their content calls for, then written as a cursor file, an
// animated cursor and an Xcursor file: each written file reads back as what was written, and written
// again from what was read gives the same bytes.

#include "FuzzSupport.h"
#include "model/CursorFiles.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace vantle;

namespace {

// Inputs whose images hold more pixels than this are only read: the three writes and reads of a large
// cursor would slow the run without taking other roads.
constexpr std::size_t kMaxRoundTripPixels = 1 << 18;

bool sameImage(const CursorImage& a, const CursorImage& b, bool hotspots) {
    if (a.width != b.width || a.height != b.height || a.argb != b.argb)
        return false;
    const bool inverts = a.hasInverted();
    if (inverts != b.hasInverted())
        return false;
    for (std::size_t i = 0; inverts && i < a.argb.size(); ++i)
        if ((a.inverted[i] != 0) != (b.inverted[i] != 0))
            return false;
    return !hotspots || (a.hotspotX == b.hotspotX && a.hotspotY == b.hotspotY);
}

// Whether a cursor file holds the image exactly. Inverting pixels need on/off transparency; the colour
// under a fully transparent pixel is kept only beside an alpha channel (some alpha not 0).
bool writesExactly(const CursorImage& image) {
    bool partial = false;
    bool anyAlpha = false;
    bool hiddenColour = false;
    for (std::size_t i = 0; i < image.argb.size(); ++i) {
        const std::uint32_t a = image.argb[i] >> 24;
        partial = partial || (a != 0 && a != 255);
        anyAlpha = anyAlpha || a != 0;
        const bool inverts = !image.inverted.empty() && image.inverted[i] != 0;
        hiddenColour = hiddenColour || (a == 0 && !inverts && (image.argb[i] & 0xFFFFFF) != 0);
    }
    return !(partial && image.hasInverted()) && !(hiddenColour && !anyAlpha);
}

// Whether every frame the steps show holds the same nominal sizes, once each: then an Xcursor file holds
// the cursor without an image standing in for another size.
bool sameSizesEverywhere(const LosslessCursor& cursor) {
    std::vector<int> first;
    for (std::size_t f = 0; f < cursor.frames.size(); ++f) {
        std::vector<int> sizes;
        for (const CursorImage& image : cursor.frames[f].images)
            sizes.push_back(std::max(image.width, image.height));
        std::sort(sizes.begin(), sizes.end());
        if (std::adjacent_find(sizes.begin(), sizes.end()) != sizes.end())
            return false;
        if (f == 0)
            first = sizes;
        else if (sizes != first && cursor.animated())
            return false;
    }
    return true;
}

std::optional<LosslessCursor> readBack(const std::vector<std::uint8_t>& bytes, CursorFormat format) {
    CursorReadReport report;
    auto cursor = readCursorBytes(bytes, format, report);
    VANTLE_FUZZ_CHECK(cursor.has_value());
    VANTLE_FUZZ_CHECK(report.complete);
    return cursor;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    CursorReadReport report;
    const auto cursor = readCursorBytes(bytes, cursorFormatOf("", bytes), report);
    if (!cursor)
        return 0;
    std::size_t pixels = 0;
    for (const CursorFrame& frame : cursor->frames)
        for (const CursorImage& image : frame.images)
            pixels += image.argb.size();
    // An Xcursor file holds every step's images: a long sequence of one large frame is large too.
    std::size_t written = 0;
    for (const CursorStep& step : cursor->steps)
        for (const CursorImage& image : cursor->frames[static_cast<std::size_t>(step.frame)].images)
            written += image.argb.size();
    if (pixels > kMaxRoundTripPixels || written > 4 * kMaxRoundTripPixels || cursor->steps.size() > 256)
        return 0;

    // A cursor file: the first frame, every image in order with its hotspot.
    CursorWriteReport notes;
    const std::vector<std::uint8_t> cur = buildIconResource(*cursor, 2, notes);
    const auto curBack = readBack(cur, CursorFormat::IconResource);
    const auto& images = cursor->frames.front().images;
    VANTLE_FUZZ_CHECK(curBack->frames.front().images.size() == images.size());
    for (std::size_t i = 0; i < images.size(); ++i)
        if (writesExactly(images[i]))
            VANTLE_FUZZ_CHECK(sameImage(images[i], curBack->frames.front().images[i], true));
    CursorWriteReport again;
    VANTLE_FUZZ_CHECK(buildIconResource(*curBack, 2, again) == cur);

    // An animated cursor: every frame, and one step per step of the source (a still cursor gets one).
    CursorWriteReport aniNotes;
    const std::vector<std::uint8_t> ani = buildAnimatedCursor(*cursor, aniNotes);
    const auto aniBack = readBack(ani, CursorFormat::AnimatedCursor);
    VANTLE_FUZZ_CHECK(aniBack->steps.size() == (cursor->animated() ? cursor->steps.size() : 1));
    VANTLE_FUZZ_CHECK(aniBack->frames.size() == (cursor->animated() ? cursor->frames.size() : 1));
    for (std::size_t s = 0; s < cursor->steps.size(); ++s)
        VANTLE_FUZZ_CHECK(aniBack->steps[s].frame == cursor->steps[s].frame);
    CursorWriteReport aniAgain;
    VANTLE_FUZZ_CHECK(buildAnimatedCursor(*aniBack, aniAgain) == ani);

    // An Xcursor file: written again from what was read, the same bytes.
    CursorWriteReport xNotes;
    const std::vector<std::uint8_t> xcur = buildXcursor(*cursor, xNotes);
    VANTLE_FUZZ_CHECK(!xcur.empty());
    if (sameSizesEverywhere(*cursor)) {
        const auto xBack = readBack(xcur, CursorFormat::Xcursor);
        CursorWriteReport xAgain;
        VANTLE_FUZZ_CHECK(buildXcursor(*xBack, xAgain) == xcur);
    }
    return 0;
}
