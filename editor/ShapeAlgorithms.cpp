#include "editor/ShapeAlgorithms.h"

#include "model/TextNumber.h"

#include <cassert>
#include <cmath>
#include <cstdlib>

namespace vantle {

namespace {

// A count from first to last inclusive by step (+1 or -1); it runs no time when last lies before first.
template <typename Body> void countTo(int first, int last, int step, Body body) {
    assert(step == 1 || step == -1);
    for (int i = first; step > 0 ? i <= last : i >= last; i += step)
        body(i);
}

int directionOf(int delta) {
    return delta >= 0 ? 1 : -1;
}

// The quarter profile of the ellipse inscribed in the box from (x0, y0) to (x, y): column(cx, cy, i, h)
// for i = 0..|a| and row(cx, cy, i, w) for i = 0..|b|, each pass only when its radius is not 0.
template <typename Column, typename Row>
void forEllipseFrame(int x0, int y0, int x, int y, Column column, Row row) {
    const int a = roundEven((x - x0) / 2.0);
    const int b = roundEven((y - y0) / 2.0);
    const int cx = x0 + a;
    const int cy = y0 + b;
    const double radiusX = std::abs(a);
    const double radiusY = std::abs(b);
    if (radiusX != 0) {
        for (int i = 0; i <= std::abs(a); ++i)
            column(cx, cy, i,
                   roundEven(std::sqrt((1.0 - i * static_cast<double>(i) / (radiusX * radiusX)) *
                                       (radiusY * radiusY))));
    }
    if (radiusY != 0) {
        for (int i = 0; i <= std::abs(b); ++i)
            row(cx, cy, i,
                roundEven(std::sqrt((1.0 - i * static_cast<double>(i) / (radiusY * radiusY)) *
                                    (radiusX * radiusX))));
    }
}

// The inner rings of the outline at the profile point (ox, oy); a ring k is skipped when the box is not
// deeper than k across either axis.
void plotEllipseBorder(int cx, int cy, int ox, int oy, int size, int spanX, int spanY,
                       const PlotFunction& plot) {
    for (int k = 1; k <= size; ++k) {
        if (k >= spanY || k >= spanX)
            continue;
        plot(cx + ox - k, cy + oy - k);
        plot(cx + ox - k, cy - oy + k);
        plot(cx - ox + k, cy + oy - k);
        plot(cx - ox + k, cy - oy + k);
        plot(cx + ox, cy + oy - k);
        plot(cx + ox, cy - oy + k);
        plot(cx - ox, cy + oy - k);
        plot(cx - ox, cy - oy + k);
        if (size == 2) {
            plot(cx + ox - 1, cy + oy - k);
            plot(cx + ox - 1, cy - oy + k);
            plot(cx - ox + 1, cy + oy - k);
            plot(cx - ox + 1, cy - oy + k);
        }
    }
}

} // namespace

void plotThickPoint(int px, int py, int size, const PlotFunction& plot) {
    plot(px, py);
    if (size >= 1) {
        plot(px + 1, py);
        plot(px + 1, py + 1);
        plot(px, py + 1);
    }
    if (size == 2) {
        plot(px - 1, py);
        plot(px - 1, py + 1);
        plot(px, py - 1);
        plot(px - 1, py - 1);
        plot(px + 1, py - 1);
    }
}

void plotLine(int x0, int y0, int x, int y, int size, const PlotFunction& plot) {
    plotThickPoint(x0, y0, size, plot);
    const int dx = x - x0;
    const int dy = y - y0;
    if (std::abs(dy) < std::abs(dx)) {
        const double slope = static_cast<double>(dy) / dx;
        countTo(x0 + directionOf(dx), x, directionOf(dx),
                [&](int i) { plotThickPoint(i, roundEven(slope * (i - x0) + y0), size, plot); });
    } else if (dy != 0) {
        const double slope = static_cast<double>(dx) / dy;
        countTo(y0 + directionOf(dy), y, directionOf(dy),
                [&](int j) { plotThickPoint(roundEven(slope * (j - y0) + x0), j, size, plot); });
    }
}

void plotRectangleOutline(int x0, int y0, int x, int y, int size, const PlotFunction& plot) {
    const int dx = x - x0;
    const int dy = y - y0;
    const int sx = directionOf(dx);
    const int sy = directionOf(dy);
    countTo(x0, x, sx, [&](int i) {
        plot(i, y0);
        plot(i, y);
        if (size > 0 && std::abs(dy) >= size) {
            for (int k = 1; k <= size; ++k) {
                plot(i, y0 + k * sy);
                plot(i, y - k * sy);
            }
        }
    });
    countTo(y0, y, sy, [&](int j) {
        plot(x0, j);
        plot(x, j);
        if (size > 0 && std::abs(dx) >= size) {
            for (int k = 1; k <= size; ++k) {
                plot(x0 + k * sx, j);
                plot(x - k * sx, j);
            }
        }
    });
}

void plotFilledRectangle(int x0, int y0, int x, int y, const PlotFunction& plot) {
    const int sy = directionOf(y - y0);
    countTo(x0, x, directionOf(x - x0), [&](int i) { countTo(y0, y, sy, [&](int j) { plot(i, j); }); });
}

void plotEllipseOutline(int x0, int y0, int x, int y, int size, const PlotFunction& plot) {
    if (x == x0 && y == y0) {
        plot(x, y);
        return;
    }
    const int spanX = std::abs(x - x0);
    const int spanY = std::abs(y - y0);
    forEllipseFrame(
        x0, y0, x, y,
        [&](int cx, int cy, int i, int h) {
            plot(cx + i, cy + h);
            plot(cx + i, cy - h);
            plot(cx - i, cy + h);
            plot(cx - i, cy - h);
            plotEllipseBorder(cx, cy, i, h, size, spanX, spanY, plot);
        },
        [&](int cx, int cy, int i, int w) {
            plot(cx + w, cy + i);
            plot(cx + w, cy - i);
            plot(cx - w, cy + i);
            plot(cx - w, cy - i);
            plotEllipseBorder(cx, cy, w, i, size, spanX, spanY, plot);
        });
}

void plotFilledEllipse(int x0, int y0, int x, int y, const PlotFunction& plot) {
    if (x == x0 && y == y0) {
        plot(x, y);
        return;
    }
    forEllipseFrame(
        x0, y0, x, y,
        [&](int cx, int cy, int i, int h) {
            for (int j = -h; j <= h; ++j) {
                plot(cx + i, cy + j);
                plot(cx - i, cy + j);
            }
        },
        [&](int cx, int cy, int i, int w) {
            for (int j = -w; j <= w; ++j) {
                plot(cx + j, cy + i);
                plot(cx + j, cy - i);
            }
        });
}

bool checkerIsLeft(int x0, int y0, int px, int py, int size) {
    const int cell = size + 1;
    const bool u = std::abs(x0 - px) % (2 * cell) < cell;
    const bool v = std::abs(y0 - py) % (2 * cell) < cell;
    return u == v;
}

} // namespace vantle
