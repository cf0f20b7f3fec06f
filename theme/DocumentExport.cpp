#include "theme/DocumentExport.h"

#include "model/BinaryFile.h"
#include "model/CursorFiles.h"
#include "model/TrueColourDocument.h"
#include "theme/CursorScaling.h"

#include <array>
#include <map>
#include <set>

namespace vantle::theme {

namespace {

// The sizes besides the document's own: 24 and 32 for ordinary screens, 48, 64 and 96 for HiDPI.
constexpr std::array<int, 5> kHidpiSizes = {24, 32, 48, 64, 96};

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
                {{cursorImageOfGrid(document.images[static_cast<std::size_t>(step.imageIndex)], markers)}});
        cursor.steps.push_back({at->second, std::int64_t{std::max(0, step.rate)} * kTicksPerJiffy});
    }
    if (!cursor.frames.empty())
        return cursor;
    CursorFrame frame;
    std::set<int> widths;
    for (int i = 0; i < images; ++i) {
        const IconImage& image = document.images[static_cast<std::size_t>(i)];
        if (usable(image) && widths.insert(image.width).second)
            frame.images.push_back(cursorImageOfGrid(image, markers));
    }
    if (!frame.images.empty())
        cursor.frames.push_back(std::move(frame));
    return cursor;
}

HidpiXcursor buildHidpiXcursor(const IconDocument& document, const MarkerColours& markers) {
    return buildHidpiXcursor(losslessOfDocument(document, markers));
}

HidpiXcursor buildHidpiXcursor(LosslessCursor cursor) {
    HidpiXcursor result;
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
