#pragma once
// The animation preview without widgets: where a frame goes in the test area so that every hotspot falls
// on the area's centre, how long a step stays, and which step plays next.

#include "model/IconDocument.h"

#include <cstdint>

namespace vantle {

inline constexpr int kPreviewFrameSize = 32;
// A rate unit lasts 15 ms in the preview; the first frame comes after 1 ms.
inline constexpr int kRateUnitMs = 15;
inline constexpr int kFirstFrameMs = 1;
// A rate below 1 shows its frame for one rate unit; a rate above kLongestRate for kLongestRate units
// (one minute), so a rate typed or read at random neither races nor overflows the timer.
inline constexpr std::int32_t kLongestRate = 4000;

struct PreviewPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PreviewPoint&) const = default;
};

struct PreviewArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The largest hotspotX and hotspotY over all images of the document (not only those in the sequence),
// starting from 0.
PreviewPoint largestHotspot(const IconDocument& document);

// The shift that keeps the largest hotspot inside the area: hotspot - half the area where the hotspot lies
// beyond the centre, 0 where it fits.
PreviewPoint previewOffset(const PreviewArea& area, PreviewPoint largest);

// Top-left corner of a frame: the hotspot (less the offset) on the centre of the area, but never above or
// left of the area.
PreviewPoint framePosition(const PreviewArea& area, PreviewPoint hotspot, PreviewPoint offset);

// How long a step with this rate stays, in milliseconds.
int frameInterval(std::int32_t rate);

// The step to show at position: the first from position on (wrapping at stepCount) whose image exists;
// -1 when no step shows one. A position at or past stepCount starts again at 0.
int playableStep(const IconDocument& document, int position);

// The position after showing step: the next one, 0 after the last.
int nextPosition(const IconDocument& document, int step);

} // namespace vantle
