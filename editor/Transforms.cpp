#include "editor/Transforms.h"

namespace vantle {

namespace {

template <typename Recolour> void recolour(EditCanvas& canvas, const MarkerColours& markers, Recolour f) {
    canvas.TakeUndoSnapshot();
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            colourRGB& p = canvas.workBuffer(canvas.imageOffsetX + x, canvas.imageOffsetY + y);
            if (p == markers.transparent || p == markers.inverted)
                continue;
            p = f(redOf(p), greenOf(p), blueOf(p));
            canvas.PaintCellAt(canvas.workBuffer, canvas.imageOffsetX, canvas.imageOffsetY, x, y);
        }
    canvas.RepaintChangedAt(canvas.workBuffer, canvas.imageOffsetX, canvas.imageOffsetY);
}

} // namespace

void invertColours(EditCanvas& canvas, const MarkerColours& markers) {
    recolour(canvas, markers, [](int r, int g, int b) { return makeColour(255 - r, 255 - g, 255 - b); });
}

void makeMonochrome(EditCanvas& canvas, const MarkerColours& markers) {
    recolour(canvas, markers, [](int r, int g, int b) {
        const int grey = (r + g + b) / 3;
        return makeColour(grey, grey, grey);
    });
}

void turnImage(EditCanvas& canvas, Turn turn) {
    canvas.TakeUndoSnapshot();
    const int w = canvas.width();
    const int h = canvas.height();
    PixelGrid t{};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            t(x, y) = canvas.pixel(x, y);
    auto store = [&](int x, int y, colourRGB c) {
        canvas.workBuffer(canvas.imageOffsetX + x, canvas.imageOffsetY + y) = c;
        canvas.PaintCellAt(canvas.workBuffer, canvas.imageOffsetX, canvas.imageOffsetY, x, y);
    };
    if (turn == Turn::UpsideDown) {
        for (int x = 0; x < w; ++x)
            for (int y = 0; y < h; ++y)
                store(x, y, t(x, h - 1 - y));
    } else {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                switch (turn) {
                case Turn::Right:
                    store(x, y, t(y, h - 1 - x));
                    break;
                case Turn::Left:
                    store(x, y, t(w - 1 - y, x));
                    break;
                default:
                    store(x, y, t(w - 1 - x, y));
                    break;
                }
            }
    }
    canvas.RepaintChangedAt(canvas.workBuffer, canvas.imageOffsetX, canvas.imageOffsetY);
}

ShiftLimits shiftImage(EditCanvas& canvas, Shift shift, ShiftLimits limits) {
    const int w = canvas.width();
    const int h = canvas.height();
    const int cx = (kWorkSize - w) / 2;
    const int cy = (kWorkSize - h) / 2;
    switch (shift) {
    case Shift::Left:
        ++canvas.imageOffsetX;
        limits.left = canvas.imageOffsetX < cx + w / 2;
        limits.right = true;
        break;
    case Shift::Right:
        --canvas.imageOffsetX;
        limits.right = canvas.imageOffsetX > cx - w / 2;
        limits.left = true;
        break;
    case Shift::Up:
        ++canvas.imageOffsetY;
        limits.up = canvas.imageOffsetY < cy + h / 2;
        limits.down = true;
        break;
    case Shift::Down:
        --canvas.imageOffsetY;
        limits.down = canvas.imageOffsetY > cy - h / 2;
        limits.up = true;
        break;
    }
    canvas.RepaintChangedAt(canvas.workBuffer, canvas.imageOffsetX, canvas.imageOffsetY);
    canvas.TakeUndoSnapshot();
    return limits;
}

} // namespace vantle
