#pragma once
// What the cursor layouts beside Xcursor (hyprcursor, scalable cursors) take from a theme cursor alike:
// images on a square canvas, the animation's delays in milliseconds, and whether it is pixel art.

#include "model/LosslessCursor.h"
#include "model/OnCores.h"
#include "theme/CursorTheme.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace vantle::theme {

// The image on a transparent square canvas of side max(width, height), at the top left, hotspot kept.
CursorImage squareCanvas(const CursorImage& image);

// That canvas's side, without making it.
inline int squareSide(const CursorImage& image) {
    return std::max(image.width, image.height);
}

// One delay per step in milliseconds, as the Xcursor writer gives them (the rounding carried, so that the
// loop keeps its length within 1 ms). Empty for a still cursor.
std::vector<int> stepDelaysMs(const LosslessCursor& cursor);

// Whether the cursor is drawn with hard edges only (every pixel of its largest images fully opaque or
// fully transparent): enlarged, it keeps its pixels (nearest neighbour) rather than being smoothed.
bool isPixelArt(const LosslessCursor& cursor);

// The largest image of a frame (the last one: frames of a sized cursor are in ascending size).
const CursorImage& largestImage(const CursorFrame& frame);

// Fills `pngs` and `pixelArt` of the cursor: the PNG of each frame's every size on its square canvas, which
// the layouts then take. makeThemeCursors does it for each cursor it makes.
void encodeLayoutImages(ThemeCursor& cursor);

// Frees the pixels of a cursor whose Xcursor bytes and PNGs are made, keeping every image's size and
// hotspot: the layouts need no more, and a pack's pixels are then never all held at once.
void releaseLayoutPixels(ThemeCursor& cursor);

// The same for every cursor whose `pngs` are not filled yet, shared out among the processor's cores.
void encodeLayoutImages(std::vector<ThemeCursor>& cursors);

// The PNG of frame f, size s of the cursor: from `pngs` when encodeLayoutImages has run, else encoded now.
// Whether it is pixel art likewise.
std::vector<std::uint8_t> layoutPng(const ThemeCursor& cursor, std::size_t f, std::size_t s);
bool layoutPixelArt(const ThemeCursor& cursor);

// A number in [0, 1] with six decimals ("0.156250"): enough to give back the exact pixel at 256 and beyond.
std::string fractionText(double value);

} // namespace vantle::theme
