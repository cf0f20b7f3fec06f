#pragma once
// What the cursor layouts beside Xcursor (hyprcursor, scalable cursors) take from a theme cursor alike:
// images on a square canvas, the animation's delays in milliseconds, and whether it is pixel art.

#include "model/LosslessCursor.h"

#include <string>
#include <vector>

namespace vantle::theme {

// The image on a transparent square canvas of side max(width, height), at the top left, hotspot kept.
CursorImage squareCanvas(const CursorImage& image);

// One delay per step in milliseconds, as the Xcursor writer gives them (the rounding carried, so that the
// loop keeps its length within 1 ms). Empty for a still cursor.
std::vector<int> stepDelaysMs(const LosslessCursor& cursor);

// Whether the cursor is drawn with hard edges only (every pixel of its largest images fully opaque or
// fully transparent): enlarged, it keeps its pixels (nearest neighbour) rather than being smoothed.
bool isPixelArt(const LosslessCursor& cursor);

// The largest image of a frame (the last one: frames of a sized cursor are in ascending size).
const CursorImage& largestImage(const CursorFrame& frame);

// A number in [0, 1] with six decimals ("0.156250"): enough to give back the exact pixel at 256 and beyond.
std::string fractionText(double value);

} // namespace vantle::theme
