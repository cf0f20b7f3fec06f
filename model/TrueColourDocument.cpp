#include "model/TrueColourDocument.h"

#include "model/AlphaBlend.h"
#include "model/BinaryFile.h"
#include "model/ColourAnalysis.h"
#include "model/CursorFiles.h"
#include "model/FileSniff.h"
#include "model/IconFileWriter.h"
#include "model/Messages.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <span>
#include <unordered_map>
#include <unordered_set>

namespace vantle {

std::int16_t listTrueColourPalette(IconImage& image) {
    assert(image.trueColour());
    image.palette.fillLow(kWhite);
    std::unordered_set<std::uint32_t> seen;
    std::size_t count = 0;
    for (std::uint32_t p : image.full.argb) {
        if (p >> 24 == 0 || !seen.insert(p & 0xFFFFFFu).second)
            continue;
        image.palette[count] = rgbOfPixel(p);
        if (++count == PaletteStore::kLow)
            break;
    }
    return static_cast<std::int16_t>((count + 15) / 16 * 16);
}

void setTrueColourImage(IconImage& target, CursorImage image) {
    assert(!image.argb.empty() && image.width <= kMaxCursorSide && image.height <= kMaxCursorSide);
    target.width = static_cast<std::int16_t>(image.width);
    target.height = static_cast<std::int16_t>(image.height);
    target.hotspotX = static_cast<std::int16_t>(image.hotspotX);
    target.hotspotY = static_cast<std::int16_t>(image.hotspotY);
    target.depth = kDepth32;
    target.full = std::move(image);
    target.sameFrame = false;
}

CursorImage blankTrueColourImage(int size) {
    CursorImage image;
    image.width = size;
    image.height = size;
    image.argb.assign(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), 0);
    return image;
}

void combineTrueColour(IconImage& base, const IconImage& top, const MarkerColours& markers) {
    CursorImage result = cursorImageOf(base, markers);
    const CursorImage upper = cursorImageOf(top, markers);
    if (result.inverted.empty() && upper.hasInverted())
        result.inverted.assign(result.argb.size(), 0);
    for (int y = 0; y < std::min(result.height, upper.height); ++y)
        for (int x = 0; x < std::min(result.width, upper.width); ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * result.width + x;
            if (upper.invertsAt(x, y)) {
                result.argb[i] = upper.at(x, y);
                result.inverted[i] = 1;
            } else if (upper.at(x, y) >> 24 != 0) {
                result.argb[i] = sourceOver(upper.at(x, y), result.argb[i]);
                if (!result.inverted.empty())
                    result.inverted[i] = 0;
            }
        }
    // No file form holds inverting pixels beside partial alpha: they become the outline a theme shows.
    if (result.hasPartialAlpha() && result.hasInverted())
        replaceInvertedPixels(result);
    result.storedBits = 32;
    const bool sameFrame = base.sameFrame;
    base.clearPixels(markers.transparent);
    setTrueColourImage(base, std::move(result));
    base.sameFrame = sameFrame;
}

bool appendCursor(IconDocument& document, const LosslessCursor& cursor, ReadContext& context) {
    std::vector<int> leadOf(cursor.frames.size(), -1);
    for (std::size_t f = 0; f < cursor.frames.size(); ++f)
        for (std::size_t k = 0; k < cursor.frames[f].images.size(); ++k) {
            if (!document.growForImage(document.imageCount)) {
                context.messages.showMessage(text::kTooManyImages, MessageButtons::Ok, MessageIcon::Error);
                return false;
            }
            IconImage& target = document.images[static_cast<std::size_t>(document.imageCount)];
            setTrueColourImage(target, cursor.frames[f].images[k]);
            target.sameFrame = k > 0;
            if (k == 0)
                leadOf[f] = document.imageCount;
            ++document.imageCount;
        }
    if (!cursor.animated())
        return true;
    for (const CursorStep& step : cursor.steps) {
        const int lead = leadOf[static_cast<std::size_t>(step.frame)];
        if (lead < 0)
            continue;
        if (!document.growForStep(document.stepCount)) {
            context.messages.showMessage(text::kTooManySteps, MessageButtons::Ok, MessageIcon::Error);
            return false;
        }
        document.steps[static_cast<std::size_t>(document.stepCount)] = {lead, rateOfTicks(step.ticks)};
        ++document.stepCount;
    }
    document.title = cursor.ani.title;
    document.author = cursor.ani.author;
    document.defaultRate = cursor.ani.defaultRate;
    document.aniFlags = cursor.ani.flags;
    document.hasRateTable = cursor.ani.hadRateTable;
    document.hasStepTable = cursor.ani.hadSequenceTable;
    return true;
}

DocumentLoad loadTrueColourFile(IconDocument& document, const std::string& path, ReadContext& context) {
    DocumentLoad load;
    load.kind = fileKindOfFile(path);
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(path, bytes))
        return load;
    CursorReadReport report;
    const auto cursor = readCursorBytes(bytes, cursorFormatOf(path, bytes), report);
    if (!cursor) {
        context.messages.showMessage(text::kTrueColourUnreadable, MessageButtons::Ok, MessageIcon::Error);
        load.outcome = ReadOutcome::Stopped;
        return load;
    }
    if (!appendCursor(document, *cursor, context)) {
        load.outcome = ReadOutcome::Stopped;
        return load;
    }
    load.animated = cursor->animated();
    // An Xcursor animation has delays but no common rate: its first step's rate stands for one.
    if (load.animated && document.defaultRate <= 0 && load.kind == FileKind::Xcursor)
        document.defaultRate = rateOfTicks(cursor->steps.front().ticks);
    load.outcome = ReadOutcome::Complete;
    if (!report.complete) {
        context.report.partsLeftOut = static_cast<int>(std::max<std::size_t>(1, report.problems.size()));
        context.messages.showMessage(text::kTrueColourReadInPart, MessageButtons::Ok);
        load.outcome = ReadOutcome::Partial;
    }
    return load;
}

std::vector<int> frameOfImages(const IconDocument& document) {
    std::vector<int> frames(static_cast<std::size_t>(document.imageCount));
    int frame = -1;
    for (int i = 0; i < document.imageCount; ++i) {
        if (i == 0 || !document.images[static_cast<std::size_t>(i)].sameFrame)
            ++frame;
        frames[static_cast<std::size_t>(i)] = frame;
    }
    return frames;
}

CursorImage cursorImageOfGrid(const IconImage& image, const MarkerColours& markers) {
    CursorImage out;
    out.width = image.width;
    out.height = image.height;
    out.hotspotX = image.hotspotX;
    out.hotspotY = image.hotspotY;
    out.storedBits = 32;
    const auto count = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    out.argb.reserve(count);
    std::vector<std::uint8_t> inverted(count, 0);
    bool anyInverted = false;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const colourRGB c = image.pixels(x, y);
            if (c == markers.inverted) {
                // An inverting pixel keeps a colour other than black under alpha 0.
                inverted[out.argb.size()] = 1;
                anyInverted = true;
                out.argb.push_back(0x00FFFFFFu);
            } else {
                out.argb.push_back(c == markers.transparent ? 0 : argbOf(c, 0xFF));
            }
        }
    if (anyInverted)
        out.inverted = std::move(inverted);
    return out;
}

CursorImage cursorImageOf(const IconImage& image, const MarkerColours& markers) {
    if (!image.trueColour()) {
        CursorImage out = cursorImageOfGrid(image, markers);
        ColourDepth depth = image.depth;
        if (depth == kDepthUndetermined) {
            IconImage copy = image;
            depth = depthFromCount(countImageColours(copy, markers).count);
        }
        out.storedBits = bitCountOf(depth);
        out.hotspotX = std::clamp<int>(image.hotspotX, 0, image.width - 1);
        out.hotspotY = std::clamp<int>(image.hotspotY, 0, image.height - 1);
        return out;
    }
    assert(image.full.width == image.width && image.full.height == image.height);
    CursorImage out = image.full;
    out.hotspotX = std::clamp<int>(image.hotspotX, 0, image.width - 1);
    out.hotspotY = std::clamp<int>(image.hotspotY, 0, image.height - 1);
    return out;
}

LosslessCursor cursorOfDocument(const IconDocument& document, FileKind format, const MarkerColours& markers) {
    LosslessCursor cursor;
    cursor.iconType = format == FileKind::Icon ? 1 : 2;
    const std::vector<int> frameOf = frameOfImages(document);
    const bool animation = format == FileKind::AnimatedCursor;
    const bool stillFromAnimation = !animation && document.stepCount > 0;
    for (int i = 0; i < document.imageCount; ++i) {
        const int frame = frameOf[static_cast<std::size_t>(i)];
        if (stillFromAnimation && frame > 0)
            break;
        // A still file holds every image as one frame of many sizes.
        if (cursor.frames.empty() || (animation && static_cast<int>(cursor.frames.size()) <= frame))
            cursor.frames.emplace_back();
        cursor.frames.back().images.push_back(
            cursorImageOf(document.images[static_cast<std::size_t>(i)], markers));
    }
    if (!animation)
        return cursor;
    cursor.ani.title = document.title;
    cursor.ani.author = document.author;
    cursor.ani.defaultRate = document.defaultRate;
    cursor.ani.flags = document.aniFlags;
    cursor.ani.hadRateTable = document.hasRateTable;
    cursor.ani.hadSequenceTable = document.hasStepTable;
    for (std::int32_t s = 0; s < document.stepCount; ++s) {
        const AnimationStep& step = document.steps[static_cast<std::size_t>(s)];
        if (step.imageIndex < 0 || step.imageIndex >= document.imageCount)
            continue;
        cursor.steps.push_back(
            {frameOf[static_cast<std::size_t>(step.imageIndex)], std::int64_t{step.rate} * kTicksPerJiffy});
    }
    if (cursor.steps.empty()) {
        const std::int32_t rate = document.defaultRate > 0 ? document.defaultRate : IconDocument::kNewRate;
        for (std::size_t f = 0; f < cursor.frames.size(); ++f)
            cursor.steps.push_back({static_cast<int>(f), std::int64_t{rate} * kTicksPerJiffy});
    }
    return cursor;
}

std::vector<std::uint8_t> buildTrueColourFile(const IconDocument& document, FileKind format,
                                              const MarkerColours& markers) {
    const LosslessCursor cursor = cursorOfDocument(document, format, markers);
    CursorWriteReport report;
    if (format == FileKind::AnimatedCursor)
        return buildAnimatedCursor(cursor, report);
    return buildIconResource(cursor, cursor.iconType, report);
}

bool holdsTrueColour(const IconDocument& document) {
    for (int i = 0; i < document.imageCount; ++i) {
        const IconImage& image = document.images[static_cast<std::size_t>(i)];
        if (image.trueColour() || image.depth == kDepth32 || image.width > kImageGrid ||
            image.height > kImageGrid || (i > 0 && image.sameFrame))
            return true;
    }
    return false;
}

namespace {

// The colours of the image's opaque pixels, most frequent first (of equal counts the first seen).
std::vector<std::uint32_t> coloursByCount(const std::vector<std::uint32_t>& argb) {
    std::unordered_map<std::uint32_t, std::pair<int, int>> seen; // colour: count, first position
    for (std::size_t i = 0; i < argb.size(); ++i)
        if (argb[i] >> 24 != 0)
            ++seen.try_emplace(argb[i], 0, static_cast<int>(i)).first->second.first;
    std::vector<std::pair<std::uint32_t, std::pair<int, int>>> entries(seen.begin(), seen.end());
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.second.first != b.second.first ? a.second.first > b.second.first
                                                : a.second.second < b.second.second;
    });
    std::vector<std::uint32_t> colours;
    colours.reserve(entries.size());
    for (const auto& entry : entries)
        colours.push_back(entry.first);
    return colours;
}

int rgbDistance(std::uint32_t a, std::uint32_t b) {
    int d = 0;
    for (int shift : {16, 8, 0})
        d += std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF));
    return d;
}

} // namespace

void reduceTrueColourImage(IconImage& image, const MarkerColours& markers) {
    assert(image.trueColour());
    CursorImage& full = image.full;
    for (std::size_t i = 0; i < full.argb.size(); ++i)
        if (full.inverted.empty() || full.inverted[i] == 0)
            full.argb[i] = full.argb[i] >> 24 < 128 ? 0 : full.argb[i] | 0xFF000000u;
    const std::vector<std::uint32_t> colours = coloursByCount(full.argb);
    const std::size_t target = image.depth == 256 ? 16 : image.depth == 16 ? 2 : 256;
    if (colours.size() > target) {
        const std::span<const std::uint32_t> kept(colours.data(), target);
        std::unordered_map<std::uint32_t, std::uint32_t> replacement;
        for (std::size_t j = target; j < colours.size(); ++j) {
            std::size_t best = 0;
            for (std::size_t k = 1; k < kept.size(); ++k)
                if (rgbDistance(colours[j], kept[k]) < rgbDistance(colours[j], kept[best]))
                    best = k;
            replacement.emplace(colours[j], kept[best]);
        }
        for (std::uint32_t& p : full.argb)
            if (auto r = replacement.find(p); r != replacement.end())
                p = r->second;
    }
    const int count = static_cast<int>(std::min(colours.size(), target)) + (full.hasInverted() ? 1 : 0);
    const ColourDepth depth = depthFromCount(std::max(count, 1));
    if (image.width <= kImageGrid && image.height <= kImageGrid) {
        // The image fits the grid: it becomes one, which every tool edits.
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                const std::uint32_t p = full.at(x, y);
                image.pixels(x, y) = full.invertsAt(x, y) ? markers.inverted
                                     : p >> 24 == 0       ? markers.transparent
                                                          : opaqueColour(rgbOfPixel(p), markers);
            }
        image.full = {};
    } else {
        full.storedBits = bitCountOf(depth);
    }
    image.depth = depth;
}

int imageOfFrameAtSize(const IconDocument& document, int image, int size) {
    assert(image >= 0 && image < document.imageCount);
    int first = image;
    while (first > 0 && document.images[static_cast<std::size_t>(first)].sameFrame)
        --first;
    int best = first;
    auto width = [&](int i) { return static_cast<int>(document.images[static_cast<std::size_t>(i)].width); };
    // Rank: the exact size, then wider ones from the narrowest, then narrower ones from the widest.
    auto rank = [&](int i) { return width(i) >= size ? width(i) - size : 1000 + size - width(i); };
    for (int i = first;
         i < document.imageCount && (i == first || document.images[static_cast<std::size_t>(i)].sameFrame);
         ++i)
        if (rank(i) < rank(best))
            best = i;
    return best;
}

std::vector<int> imageWidths(const IconDocument& document) {
    std::vector<int> widths;
    for (int i = 0; i < document.imageCount; ++i)
        widths.push_back(document.images[static_cast<std::size_t>(i)].width);
    std::sort(widths.begin(), widths.end());
    widths.erase(std::unique(widths.begin(), widths.end()), widths.end());
    return widths;
}

std::int32_t rateOfTicks(std::int64_t ticks) {
    const std::int64_t rate = (ticks + kTicksPerJiffy / 2) / kTicksPerJiffy;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(rate, 1, INT32_MAX));
}

} // namespace vantle
