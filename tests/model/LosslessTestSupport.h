#pragma once
// Helpers for the tests of the lossless cursor layer: images filled from a pattern, comparisons that name
// the first differing pixel, and Xcursor files built chunk by chunk.

#include "IconBytes.h"
#include "model/CursorFiles.h"
#include "model/XcursorFile.h"

#include <functional>
#include <sstream>
#include <string>

namespace vantle::test {

inline CursorImage makeCursorImage(int width, int height,
                                   const std::function<std::uint32_t(int, int)>& argbAt, int storedBits = 32,
                                   int hotspotX = 0, int hotspotY = 0) {
    CursorImage image;
    image.width = width;
    image.height = height;
    image.hotspotX = hotspotX;
    image.hotspotY = hotspotY;
    image.storedBits = storedBits;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.argb.push_back(argbAt(x, y));
    return image;
}

// Marks the pixels where invertsAt says so as inverting (their argb keeps the colour with alpha 0). Black
// pixels are left as they are: inverting with black changes nothing, so a file cannot tell them apart.
inline void markInverted(CursorImage& image, const std::function<bool(int, int)>& invertsAt) {
    image.inverted.assign(image.argb.size(), 0);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (invertsAt(x, y) &&
                (image.argb[static_cast<std::size_t>(y * image.width + x)] & 0xFFFFFF) != 0) {
                const std::size_t i = static_cast<std::size_t>(y * image.width + x);
                image.inverted[i] = 1;
                image.argb[i] &= 0xFFFFFF;
            }
}

// Empty when the two images have the same size, pixels and inverting pixels; else the first difference.
inline std::string firstImageDifference(const CursorImage& expected, const CursorImage& actual) {
    if (expected.width != actual.width || expected.height != actual.height)
        return "size: expected " + std::to_string(expected.width) + "x" + std::to_string(expected.height) +
               ", got " + std::to_string(actual.width) + "x" + std::to_string(actual.height);
    if (actual.argb.size() != static_cast<std::size_t>(actual.width * actual.height))
        return "got " + std::to_string(actual.argb.size()) + " pixel values";
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x)
            if (expected.at(x, y) != actual.at(x, y) || expected.invertsAt(x, y) != actual.invertsAt(x, y)) {
                std::ostringstream s;
                s << "pixel (" << x << "," << y << "): expected " << hex(expected.at(x, y))
                  << (expected.invertsAt(x, y) ? " inverting" : "") << ", got " << hex(actual.at(x, y))
                  << (actual.invertsAt(x, y) ? " inverting" : "");
                return s.str();
            }
    return {};
}

// The same for every frame, image, hotspot and step of two cursors.
inline std::string firstCursorDifference(const LosslessCursor& expected, const LosslessCursor& actual) {
    if (expected.frames.size() != actual.frames.size())
        return "frames: expected " + std::to_string(expected.frames.size()) + ", got " +
               std::to_string(actual.frames.size());
    for (std::size_t f = 0; f < expected.frames.size(); ++f) {
        const auto& e = expected.frames[f].images;
        const auto& a = actual.frames[f].images;
        if (e.size() != a.size())
            return "frame " + std::to_string(f) + ": expected " + std::to_string(e.size()) + " images, got " +
                   std::to_string(a.size());
        for (std::size_t i = 0; i < e.size(); ++i) {
            const std::string where = "frame " + std::to_string(f) + " image " + std::to_string(i) + ": ";
            const std::string d = firstImageDifference(e[i], a[i]);
            if (!d.empty())
                return where + d;
            if (e[i].hotspotX != a[i].hotspotX || e[i].hotspotY != a[i].hotspotY)
                return where + "hotspot (" + std::to_string(a[i].hotspotX) + "," +
                       std::to_string(a[i].hotspotY) + ")";
        }
    }
    if (expected.steps.size() != actual.steps.size())
        return "steps: expected " + std::to_string(expected.steps.size()) + ", got " +
               std::to_string(actual.steps.size());
    for (std::size_t s = 0; s < expected.steps.size(); ++s)
        if (expected.steps[s].frame != actual.steps[s].frame ||
            expected.steps[s].ticks != actual.steps[s].ticks)
            return "step " + std::to_string(s) + ": expected frame " +
                   std::to_string(expected.steps[s].frame) + " for " +
                   std::to_string(expected.steps[s].ticks) + " ticks, got frame " +
                   std::to_string(actual.steps[s].frame) + " for " + std::to_string(actual.steps[s].ticks);
    return {};
}

// An Xcursor image chunk with pixels from a function (premultiplied values, as the file stores them).
struct XcursorChunkInput {
    std::uint32_t nominal = 32;
    std::uint32_t width = 32;
    std::uint32_t height = 32;
    std::uint32_t xhot = 0;
    std::uint32_t yhot = 0;
    std::uint32_t delay = 0;
    std::function<std::uint32_t(std::uint32_t, std::uint32_t)> pixelAt = [](std::uint32_t, std::uint32_t) {
        return 0xFF000000u;
    };
};

inline Bytes xcursorBytes(const std::vector<XcursorChunkInput>& chunks) {
    LeBytes b;
    b.tag("Xcur").u32(16).u32(0x10000).u32(static_cast<std::uint32_t>(chunks.size()));
    std::uint32_t position = 16 + 12 * static_cast<std::uint32_t>(chunks.size());
    for (const XcursorChunkInput& c : chunks) {
        b.u32(xcursor::kImageType).u32(c.nominal).u32(position);
        position += 36 + 4 * c.width * c.height;
    }
    for (const XcursorChunkInput& c : chunks) {
        b.u32(36)
            .u32(xcursor::kImageType)
            .u32(c.nominal)
            .u32(1)
            .u32(c.width)
            .u32(c.height)
            .u32(c.xhot)
            .u32(c.yhot);
        b.u32(c.delay);
        for (std::uint32_t y = 0; y < c.height; ++y)
            for (std::uint32_t x = 0; x < c.width; ++x)
                b.u32(c.pixelAt(x, y));
    }
    return b.bytes;
}

// Reads bytes of a known format; the report is kept for the checks.
struct LosslessRead {
    std::optional<LosslessCursor> cursor;
    CursorReadReport report;
};

inline LosslessRead readLossless(const Bytes& bytes, CursorFormat format) {
    LosslessRead r;
    r.cursor = readCursorBytes(bytes, format, r.report);
    return r;
}

inline std::string problemsOf(const CursorReadReport& report) {
    std::string text;
    for (const std::string& p : report.problems)
        text += p + "\n";
    return text;
}

} // namespace vantle::test
