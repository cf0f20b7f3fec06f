#include "model/TrueColourDocument.h"

#include "model/BinaryFile.h"
#include "model/ColourAnalysis.h"
#include "model/CursorFiles.h"
#include "model/FileSniff.h"
#include "model/Messages.h"

#include <algorithm>
#include <cassert>

namespace vantle {

namespace {

void takeImage(IconImage& target, const CursorImage& image, bool sameFrame) {
    target.width = static_cast<std::int16_t>(image.width);
    target.height = static_cast<std::int16_t>(image.height);
    target.hotspotX = static_cast<std::int16_t>(image.hotspotX);
    target.hotspotY = static_cast<std::int16_t>(image.hotspotY);
    target.depth = kDepth32;
    target.full = image;
    target.sameFrame = sameFrame;
}

int storedBitsOf(ColourDepth depth) {
    switch (depth) {
    case 2:
        return 1;
    case 16:
        return 4;
    case 256:
        return 8;
    default:
        return 24;
    }
}

std::uint32_t argbOf(colourRGB c, std::uint32_t alpha) {
    return alpha << 24 | static_cast<std::uint32_t>(redOf(c)) << 16 |
           static_cast<std::uint32_t>(greenOf(c)) << 8 | static_cast<std::uint32_t>(blueOf(c));
}

} // namespace

bool appendCursor(IconDocument& document, const LosslessCursor& cursor, ReadContext& context) {
    std::vector<int> leadOf(cursor.frames.size(), -1);
    for (std::size_t f = 0; f < cursor.frames.size(); ++f)
        for (std::size_t k = 0; k < cursor.frames[f].images.size(); ++k) {
            if (!document.growForImage(document.imageCount)) {
                context.messages.showMessage(text::kTooManyImages, MessageButtons::Ok, MessageIcon::Error);
                return false;
            }
            IconImage& target = document.images[static_cast<std::size_t>(document.imageCount)];
            takeImage(target, cursor.frames[f].images[k], k > 0);
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
    std::vector<LosslessCursor> cursors;
    if (load.kind == FileKind::Program) {
        cursors = readProgramIconGroups(bytes, report);
        if (cursors.empty()) {
            context.messages.showMessage(text::kNoProgramIcons, MessageButtons::Ok, MessageIcon::Error);
            load.outcome = ReadOutcome::Stopped;
            return load;
        }
    } else if (auto cursor = readCursorBytes(bytes, cursorFormatOf(path, bytes), report)) {
        cursors.push_back(std::move(*cursor));
    }
    if (cursors.empty()) {
        context.messages.showMessage(text::kTrueColourUnreadable, MessageButtons::Ok, MessageIcon::Error);
        load.outcome = ReadOutcome::Stopped;
        return load;
    }
    for (const LosslessCursor& cursor : cursors) {
        if (!appendCursor(document, cursor, context)) {
            load.outcome = ReadOutcome::Stopped;
            return load;
        }
        load.animated = load.animated || cursor.animated();
    }
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

CursorImage cursorImageOf(const IconImage& image, const MarkerColours& markers) {
    CursorImage out;
    if (image.trueColour())
        out = image.full;
    assert(!image.trueColour() || (out.width == image.width && out.height == image.height));
    out.width = image.width;
    out.height = image.height;
    out.hotspotX = image.hotspotX;
    out.hotspotY = image.hotspotY;
    if (image.trueColour())
        return out;
    ColourDepth depth = image.depth;
    if (depth == kDepthUndetermined) {
        IconImage copy = image;
        depth = depthFromCount(countImageColours(copy, markers).count);
    }
    out.storedBits = storedBitsOf(depth);
    const auto count = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    out.argb.assign(count, 0);
    out.inverted.assign(count, 0);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + x;
            const colourRGB c = image.pixels(x, y);
            if (c == markers.transparent) {
                out.argb[at] = 0;
            } else if (c == markers.inverted) {
                out.argb[at] = 0x00FFFFFF;
                out.inverted[at] = 1;
            } else {
                out.argb[at] = argbOf(c, 0xFF);
            }
        }
    if (!out.hasInverted())
        out.inverted.clear();
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

std::int32_t rateOfTicks(std::int64_t ticks) {
    const std::int64_t rate = (ticks + kTicksPerJiffy / 2) / kTicksPerJiffy;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(rate, 1, INT32_MAX));
}

} // namespace vantle
