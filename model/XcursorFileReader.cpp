#include "model/XcursorFileReader.h"

#include "model/ColourAnalysis.h"
#include "model/Messages.h"
#include "model/XcursorFile.h"

#include <algorithm>
#include <map>
#include <optional>

namespace vantle {

namespace {

using namespace xcursor;

// Stores one image chunk; true when its alpha held soft values, which the document cannot keep.
bool storeImage(IconImage& image, std::span<const std::uint8_t> bytes, const ImageChunk& c,
                const MarkerColours& markers) {
    image.width = static_cast<std::int16_t>(c.width);
    image.height = static_cast<std::int16_t>(c.height);
    image.hotspotX = static_cast<std::int16_t>(std::min(c.xhot, c.width - 1));
    image.hotspotY = static_cast<std::int16_t>(std::min(c.yhot, c.height - 1));
    image.pixels.fill(markers.transparent);
    bool alphaCut = false;
    for (std::uint32_t y = 0; y < c.height; ++y) {
        for (std::uint32_t x = 0; x < c.width; ++x) {
            const std::uint32_t argb = pixelAt(bytes, c, x, y);
            alphaCut = alphaCut || (argb >> 24 > 0 && argb >> 24 < 255);
            image.pixels(static_cast<int>(x), static_cast<int>(y)) = colourOfPixel(straight(argb), markers);
        }
    }
    image.depth = depthFromCount(countImageColours(image, markers).count);
    return alphaCut;
}

std::string sizeList(const std::vector<int>& sizes) {
    std::string text;
    for (int s : sizes)
        text += (text.empty() ? "" : ", ") + std::to_string(s);
    return text;
}

using FramesBySize = std::map<std::uint32_t, std::vector<const ImageChunk*>>;

// The nominal sizes the document can take: every one whose frames all fit in the grid. Of sizes with
// several frames only the largest is taken, alone, as the document holds one animation. The others are
// noted as skipped.
std::vector<std::uint32_t> sizesToTake(const FramesBySize& bySize, XcursorReadResult& result) {
    std::vector<std::uint32_t> usable;
    for (const auto& [nominal, frames] : bySize) {
        const bool fitsGrid = std::all_of(frames.begin(), frames.end(), [](const ImageChunk* c) {
            return c->width <= static_cast<std::uint32_t>(kImageGrid) &&
                   c->height <= static_cast<std::uint32_t>(kImageGrid);
        });
        if (fitsGrid)
            usable.push_back(nominal);
        else
            result.sizesSkipped.push_back(static_cast<int>(nominal));
    }
    for (auto it = usable.rbegin(); it != usable.rend(); ++it) {
        if (bySize.at(*it).size() > 1) {
            result.animated = true;
            for (std::uint32_t other : usable)
                if (other != *it)
                    result.sizesSkipped.push_back(static_cast<int>(other));
            usable = {*it};
            break;
        }
    }
    std::sort(result.sizesSkipped.begin(), result.sizesSkipped.end());
    return usable;
}

// Appends the first image of each size, or every frame of the animated size with a step each, counting
// the images whose soft alpha was cut. False when the document is full.
bool addImages(IconDocument& document, std::span<const std::uint8_t> bytes, const FramesBySize& bySize,
               const std::vector<std::uint32_t>& sizes, XcursorReadResult& result,
               const MarkerColours& markers, ReadReport& report) {
    const int firstImage = document.imageCount;
    const std::int32_t firstStep = document.stepCount;
    int added = 0;
    for (std::uint32_t nominal : sizes) {
        const auto& frames = bySize.at(nominal);
        const std::size_t take = result.animated ? frames.size() : 1;
        for (std::size_t f = 0; f < take; ++f) {
            if (!document.growForImage(document.imageCount) ||
                (result.animated && !document.growForStep(firstStep + added)))
                return false;
            if (storeImage(document.images[static_cast<std::size_t>(document.imageCount)], bytes, *frames[f],
                           markers))
                ++report.imagesAlphaCut;
            if (result.animated) {
                AnimationStep& step = document.steps[static_cast<std::size_t>(firstStep + added)];
                step.imageIndex = firstImage + added;
                step.rate = jiffiesOfMilliseconds(frames[f]->delay);
                ++document.stepCount;
            }
            ++document.imageCount;
            ++added;
        }
        result.sizesTaken.push_back(static_cast<int>(nominal));
    }
    if (result.animated) {
        document.defaultRate = document.steps[static_cast<std::size_t>(firstStep)].rate;
        for (std::int32_t s = firstStep; s < document.stepCount; ++s)
            document.hasRateTable = document.hasRateTable ||
                                    document.steps[static_cast<std::size_t>(s)].rate != document.defaultRate;
    }
    return true;
}

} // namespace

XcursorReadResult readXcursorBytes(IconDocument& document, std::span<const std::uint8_t> bytes,
                                   ReadContext& context) {
    XcursorReadResult result;
    context.report = {};
    auto stop = [&](std::string_view message) {
        context.messages.showMessage(message, MessageButtons::Ok, MessageIcon::Error);
        result.outcome = ReadOutcome::Stopped;
        return result;
    };
    const auto chunks = readImageChunks(bytes);
    if (!chunks)
        return stop(text::kXcursorDamaged);
    FramesBySize bySize;
    for (const ImageChunk& c : *chunks)
        bySize[c.nominal].push_back(&c);
    const std::vector<std::uint32_t> sizes = sizesToTake(bySize, result);
    if (sizes.empty())
        return stop(text::kXcursorNothingFits);
    if (!addImages(document, bytes, bySize, sizes, result, context.markers, context.report))
        return stop(text::kTooManyImages);
    document.paletteCurrent = false;
    if (!result.sizesSkipped.empty())
        context.messages.showMessage(std::string(text::kXcursorSizesSkipped) + sizeList(result.sizesSkipped));
    result.outcome = context.report.readInPart() ? ReadOutcome::Partial : ReadOutcome::Complete;
    return result;
}

XcursorReadResult readXcursorFile(IconDocument& document, const std::string& path, ReadContext& context) {
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(path, bytes))
        return {};
    return readXcursorBytes(document, bytes, context);
}

} // namespace vantle
