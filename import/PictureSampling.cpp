#include "import/PictureSampling.h"

#include "model/ColourAnalysis.h"
#include "model/IconDocument.h"
#include "model/Settings.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

namespace vantle {

namespace {

// One source unit spans `span` / s pixels (span is the longer side). Points that fall outside the area,
// which an odd margin can produce on its last row or column, take the nearest pixel of the area.
int sourcePixel(int unit, int span, int size, int length) {
    const std::int64_t p = static_cast<std::int64_t>(unit) * span / size;
    return static_cast<int>(std::clamp<std::int64_t>(p, 0, length - 1));
}

} // namespace

PreviewImage samplePreview(const Picture& picture, PictureArea area, int size, const MarkerColours& markers) {
    assert(size > 0);
    assert(area.width >= 1 && area.height >= 1);
    assert(area.x >= 0 && area.y >= 0);
    assert(area.x + area.width <= picture.width && area.y + area.height <= picture.height);

    PreviewImage preview;
    preview.size = size;
    preview.pixels.assign(static_cast<std::size_t>(size) * static_cast<std::size_t>(size),
                          markers.transparent);
    const int w = area.width;
    const int h = area.height;
    auto put = [&](int x, int y, colourRGB c) { preview.pixels[static_cast<std::size_t>(y * size + x)] = c; };
    auto source = [&](int px, int py) {
        return colourOfPixel(picture.at(area.x + px, area.y + py), markers);
    };

    if (h >= w) {
        // Tall or square: every row holds picture in columns [a, size - a).
        const int used = static_cast<int>(static_cast<std::int64_t>(size) * w / h); // floor(s x r)
        const int a = (size - used) / 2;
        for (int y = size - 1; y >= 0; --y) {
            const int py = sourcePixel(y, h, size, h);
            int c = 0;
            for (int x = a; x < size - a; ++x, ++c)
                put(x, y, source(sourcePixel(c, h, size, w), py));
        }
    } else {
        // Wide: rows [a, size - a) hold picture, the lowest of them the source row floor(s x r) - 1.
        const int used = static_cast<int>(static_cast<std::int64_t>(size) * h / w);
        const int a = (size - used) / 2;
        int c = used - 1;
        for (int y = size - a - 1; y >= a; --y, --c) {
            const int py = sourcePixel(c, w, size, h);
            for (int x = 0; x < size; ++x)
                put(x, y, source(sourcePixel(x, w, size, w), py));
        }
    }
    return preview;
}

PreviewSet previewWholePicture(const Picture& picture, const MarkerColours& markers) {
    assert(!picture.empty());
    const PictureArea whole{0, 0, picture.width, picture.height};
    PreviewSet set;
    for (std::size_t b = 0; b < set.size(); ++b)
        set[b] = samplePreview(picture, whole, kPreviewSizes[b], markers);
    return set;
}

std::optional<PreviewSet> previewSelectedArea(const Picture& picture, PictureArea area,
                                              const MarkerColours& markers) {
    if (area.width <= 2 || area.height <= 2)
        return std::nullopt;
    PreviewSet set;
    for (std::size_t b = 0; b < set.size(); ++b)
        set[b] = samplePreview(picture, area, kPreviewSizes[b], markers);
    return set;
}

void storePreview(const PreviewImage& preview, IconImage& image, const MarkerColours& markers) {
    assert(preview.size > 0 && preview.size <= kImageGrid);
    for (int y = preview.size - 1; y >= 0; --y)
        for (int x = 0; x < preview.size; ++x)
            image.pixels(x, y) = preview.at(x, y);
    image.width = static_cast<std::int16_t>(preview.size);
    image.height = static_cast<std::int16_t>(preview.size);
    image.depth = depthFromCount(countImageColours(image, markers).count);
}

void storePreview(const PreviewImage& preview, IconImage& image) {
    storePreview(preview, image, appSettings().markers);
}

} // namespace vantle
