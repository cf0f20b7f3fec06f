#pragma once
// The 4-connected flood fill of the fill tool: depth first, right, left, down, up, with a bound on the
// nesting depth. It keeps its own stack of pending pixels instead of recursing, visiting in exactly the
// order and with exactly the overflow rule of the recursive fill.

#include "model/Colour.h"

#include <functional>

namespace vantle {

constexpr int kFillDepthLimit = kImageGrid * kImageGrid; // 2304

// Fills from (x, y) every pixel of the start pixel's value reachable inside width x height, storing colour
// into grid and calling filled(x, y) after each store. A pixel filled while the depth is past depthLimit is
// kept but not expanded, and its depth is never given back, so every later expansion has one level less.
// Returns true when that happened. Does nothing when the start pixel already holds colour.
bool floodFill(PixelGrid& grid, int width, int height, int x, int y, colourRGB colour, int depthLimit,
               const std::function<void(int x, int y)>& filled);

} // namespace vantle
