#include "anim/PreviewRules.h"

#include "anim/StepSequence.h"

#include <algorithm>

namespace vantle {

PreviewPoint largestHotspot(const IconDocument& document) {
    PreviewPoint largest;
    for (int i = 0; i < document.imageCount; ++i) {
        const IconImage& image = document.images[static_cast<std::size_t>(i)];
        largest.x = std::max<int>(largest.x, image.hotspotX);
        largest.y = std::max<int>(largest.y, image.hotspotY);
    }
    return largest;
}

PreviewPoint previewOffset(const PreviewArea& area, PreviewPoint largest) {
    const int halfWidth = area.width / 2;
    const int halfHeight = area.height / 2;
    return {halfWidth < largest.x ? largest.x - halfWidth : 0,
            halfHeight < largest.y ? largest.y - halfHeight : 0};
}

PreviewPoint framePosition(const PreviewArea& area, PreviewPoint hotspot, PreviewPoint offset) {
    const int dx = hotspot.x - offset.x;
    const int dy = hotspot.y - offset.y;
    return {std::max(area.left + area.width / 2 - dx, area.left),
            std::max(area.top + area.height / 2 - dy, area.top)};
}

int frameInterval(std::int32_t rate) {
    return std::clamp<std::int32_t>(rate, 1, kLongestRate) * kRateUnitMs;
}

int playableStep(const IconDocument& document, int position) {
    const int count = document.stepCount;
    if (count <= 0)
        return -1;
    const int start = position >= 0 && position < count ? position : 0;
    for (int k = 0; k < count; ++k) {
        const int step = (start + k) % count;
        if (showsImage(document, step))
            return step;
    }
    return -1;
}

int nextPosition(const IconDocument& document, int step) {
    const int next = step + 1;
    return next >= document.stepCount ? 0 : next;
}

} // namespace vantle
