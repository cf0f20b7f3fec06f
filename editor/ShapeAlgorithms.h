#pragma once
// The pixel patterns of the drawing tools, independent of any buffer: each routine calls plot(x, y) for
// the pixels of its shape in drawing order, in image coordinates. Pixels may lie outside the image; the
// caller skips those. (x0, y0) is the anchor cell, (x, y) the cell under the pointer.

#include <functional>

namespace vantle {

using PlotFunction = std::function<void(int x, int y)>;

// The point itself; with size 1 also the pixels right, right-below and below (a 2 x 2 block); with size 2
// further the rest of the 3 x 3 block centred on the point.
void plotThickPoint(int px, int py, int size, const PlotFunction& plot);

// A line of thick points, one per column (flat lines) or per row (steep lines), rows or columns rounded
// to the nearest integer with ties to even.
void plotLine(int x0, int y0, int x, int y, int size, const PlotFunction& plot);

// The outline of the box through both corners; the border is size + 1 pixels wide, growing inward, and a
// side is thickened only when the box is deep enough across it.
void plotRectangleOutline(int x0, int y0, int x, int y, int size, const PlotFunction& plot);

// Every pixel of the box, column by column from the anchor.
void plotFilledRectangle(int x0, int y0, int x, int y, const PlotFunction& plot);

// The ellipse inscribed in the box (centre rounded with ties to even, so a box one cell deep draws
// nothing); size widens the outline inward.
void plotEllipseOutline(int x0, int y0, int x, int y, int size, const PlotFunction& plot);
void plotFilledEllipse(int x0, int y0, int x, int y, const PlotFunction& plot);

// The checker pattern anchored at (x0, y0): true where the pixel takes the left colour. Cells of the
// pattern are size + 1 pixels square.
bool checkerIsLeft(int x0, int y0, int px, int py, int size);

} // namespace vantle
