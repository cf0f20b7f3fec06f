#include "theme/LayoutSupport.h"

#include "model/CursorFileParts.h"
#include "theme/LayoutPng.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vantle::theme {

CursorImage squareCanvas(const CursorImage& image) {
    if (image.width == image.height)
        return image;
    CursorImage square = image;
    const int side = std::max(image.width, image.height);
    square.width = square.height = side;
    square.inverted.clear();
    square.argb.assign(static_cast<std::size_t>(side) * static_cast<std::size_t>(side), 0);
    for (int y = 0; y < image.height; ++y)
        std::copy_n(image.argb.begin() + static_cast<std::ptrdiff_t>(y) * image.width, image.width,
                    square.argb.begin() + static_cast<std::ptrdiff_t>(y) * side);
    return square;
}

std::vector<int> stepDelaysMs(const LosslessCursor& cursor) {
    std::vector<int> delays;
    for (std::int64_t ms : lossless::carriedDelays(cursor.steps, kTicksPerMillisecond))
        delays.push_back(static_cast<int>(std::min<std::int64_t>(ms, 1 << 30)));
    return delays;
}

const CursorImage& largestImage(const CursorFrame& frame) {
    return frame.images.back();
}

bool isPixelArt(const LosslessCursor& cursor) {
    for (const CursorFrame& frame : cursor.frames) {
        if (frame.images.empty())
            continue;
        for (std::uint32_t p : largestImage(frame).argb) {
            const std::uint32_t alpha = p >> 24;
            if (alpha != 0 && alpha != 255)
                return false;
        }
    }
    return true;
}

namespace {

// The image's PNG on its square canvas; square images, nearly all, are encoded as they are.
std::vector<std::uint8_t> squarePng(const CursorImage& image, FastPngEncoder& encoder) {
    if (image.width == image.height)
        return encoder.encode(image.width, image.height, image.argb);
    const CursorImage square = squareCanvas(image);
    return encoder.encode(square.width, square.height, square.argb);
}

std::vector<std::vector<std::vector<std::uint8_t>>> encodeAll(const LosslessCursor& images) {
    std::vector<std::vector<std::vector<std::uint8_t>>> pngs;
    FastPngEncoder encoder;
    for (const CursorFrame& frame : images.frames) {
        pngs.emplace_back();
        for (const CursorImage& image : frame.images)
            pngs.back().push_back(squarePng(image, encoder));
    }
    return pngs;
}

} // namespace

void encodeLayoutImages(ThemeCursor& cursor) {
    cursor.pngs = encodeAll(cursor.images);
    cursor.pixelArt = isPixelArt(cursor.images);
}

void releaseLayoutPixels(ThemeCursor& cursor) {
    for (CursorFrame& frame : cursor.images.frames)
        for (CursorImage& image : frame.images) {
            std::vector<std::uint32_t>().swap(image.argb);
            std::vector<std::uint8_t>().swap(image.inverted);
        }
}

void encodeLayoutImages(std::vector<ThemeCursor>& cursors) {
    if (std::all_of(cursors.begin(), cursors.end(), [](const ThemeCursor& c) { return !c.pngs.empty(); }))
        return; // all done while the cursors were made: no thread to start
    forEachOnCores(cursors.size(), [&](std::size_t i) {
        if (cursors[i].pngs.empty())
            encodeLayoutImages(cursors[i]);
    });
}

std::vector<std::uint8_t> layoutPng(const ThemeCursor& cursor, std::size_t f, std::size_t s) {
    if (f < cursor.pngs.size() && s < cursor.pngs[f].size())
        return cursor.pngs[f][s];
    FastPngEncoder encoder;
    return squarePng(cursor.images.frames.at(f).images.at(s), encoder);
}

bool layoutPixelArt(const ThemeCursor& cursor) {
    return cursor.pngs.empty() ? isPixelArt(cursor.images) : cursor.pixelArt;
}

std::string fractionText(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6f", std::clamp(value, 0.0, 1.0));
    return buffer;
}

} // namespace vantle::theme
