#include "theme/DocumentExport.h"

#include "model/BinaryFile.h"
#include "model/CursorFiles.h"
#include "theme/CursorScaling.h"

#include <array>
#include <map>
#include <set>

namespace vantle::theme {

namespace {

// The sizes besides the document's own: 24 and 32 for ordinary screens, 48, 64 and 96 for HiDPI.
constexpr std::array<int, 5> kHidpiSizes = {24, 32, 48, 64, 96};

CursorImage imageOf(const IconImage& image, const MarkerColours& markers) {
    CursorImage out;
    out.width = image.width;
    out.height = image.height;
    out.hotspotX = image.hotspotX;
    out.hotspotY = image.hotspotY;
    out.storedBits = 32;
    const std::size_t count = static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height);
    out.argb.reserve(count);
    bool anyInverted = false;
    std::vector<std::uint8_t> inverted(count, 0);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const colourRGB c = image.pixels(x, y);
            if (c == markers.inverted) {
                // An inverting pixel keeps a colour other than black under alpha 0.
                inverted[out.argb.size()] = 1;
                anyInverted = true;
                out.argb.push_back(0x00FFFFFFu);
            } else if (c == markers.transparent) {
                out.argb.push_back(0);
            } else {
                out.argb.push_back(0xFF000000u | static_cast<std::uint32_t>(redOf(c)) << 16 |
                                   static_cast<std::uint32_t>(greenOf(c)) << 8 |
                                   static_cast<std::uint32_t>(blueOf(c)));
            }
        }
    if (anyInverted)
        out.inverted = std::move(inverted);
    return out;
}

bool usable(const IconImage& image) {
    return image.width > 0 && image.height > 0 && image.width <= kImageGrid && image.height <= kImageGrid;
}

} // namespace

LosslessCursor losslessOfDocument(const IconDocument& document, const MarkerColours& markers) {
    LosslessCursor cursor;
    cursor.iconType = 2;
    const int images = std::min<int>(document.imageCount, document.imageCapacity());
    std::map<int, int> frameOfImage;
    const std::int32_t steps = std::min<std::int32_t>(document.stepCount, document.stepCapacity());
    for (std::int32_t s = 0; s < steps; ++s) {
        const AnimationStep& step = document.steps[static_cast<std::size_t>(s)];
        if (step.imageIndex < 0 || step.imageIndex >= images ||
            !usable(document.images[static_cast<std::size_t>(step.imageIndex)]))
            continue;
        auto [at, added] = frameOfImage.try_emplace(step.imageIndex, static_cast<int>(cursor.frames.size()));
        if (added)
            cursor.frames.push_back(
                {{imageOf(document.images[static_cast<std::size_t>(step.imageIndex)], markers)}});
        cursor.steps.push_back({at->second, std::int64_t{std::max(0, step.rate)} * kTicksPerJiffy});
    }
    if (!cursor.frames.empty())
        return cursor;
    CursorFrame frame;
    std::set<int> widths;
    for (int i = 0; i < images; ++i) {
        const IconImage& image = document.images[static_cast<std::size_t>(i)];
        if (usable(image) && widths.insert(image.width).second)
            frame.images.push_back(imageOf(image, markers));
    }
    if (!frame.images.empty())
        cursor.frames.push_back(std::move(frame));
    return cursor;
}

HidpiXcursor buildHidpiXcursor(const IconDocument& document, const MarkerColours& markers) {
    HidpiXcursor result;
    LosslessCursor cursor = losslessOfDocument(document, markers);
    if (cursor.frames.empty())
        return result;
    for (CursorFrame& frame : cursor.frames)
        for (CursorImage& image : frame.images)
            result.invertedReplaced += replaceInvertedPixels(image);
    const std::vector<int> sizes = themeSizes(cursor, kHidpiSizes);
    const SizedCursor sized = cursorAtSizes(cursor, sizes);
    CursorWriteReport report;
    result.bytes = buildXcursor(sized.cursor, report);
    return result;
}

bool writeHidpiXcursor(const IconDocument& document, const std::string& path, const MarkerColours& markers) {
    const HidpiXcursor x = buildHidpiXcursor(document, markers);
    return !x.bytes.empty() && replaceFileContents(path, x.bytes);
}

} // namespace vantle::theme
