#include "editor/Transforms.h"

namespace vantle {

namespace {

// Division rounding toward minus infinity, so that the turns of an image wider than high and of one
// higher than wide mirror each other.
int floorDivide(int value, int divisor) {
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

template <typename Recolour> void recolour(EditCanvas& canvas, const MarkerColours& markers, Recolour f) {
    canvas.settleSelection();
    canvas.TakeUndoSnapshot();
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            colourRGB& p = canvas.workBuffer(canvas.imageOffsetX + x, canvas.imageOffsetY + y);
            if (markers.isMarker(p))
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

void turnImage(EditCanvas& canvas, Turn turn, const MarkerColours& markers) {
    canvas.settleSelection();
    canvas.TakeUndoSnapshot();
    const int w = canvas.width();
    const int h = canvas.height();
    PixelGrid t{};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            t(x, y) = canvas.pixel(x, y);
    // A quarter turn of a w x h image turns it about its centre and keeps its size: for a square image
    // a = 0 and b = w - 1; of an image that is not square only the centred square stays, the rest of
    // the image becomes transparent. Turning left undoes turning right wherever a pixel survived.
    const int a = floorDivide(w - h, 2);
    const int b = floorDivide(w + h - 2, 2);
    auto old = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h ? t(x, y) : markers.transparent;
    };
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
                    store(x, y, old(y + a, b - x));
                    break;
                case Turn::Left:
                    store(x, y, old(b - y, x - a));
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
    canvas.settleSelection();
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
