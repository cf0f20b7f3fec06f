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

TurnSource turnedFrom(Turn turn, int w, int h, int x, int y) {
    // A quarter turn of a w x h image turns it about its centre and keeps its size: for a square image
    // a = 0 and b = w - 1; of an image that is not square only the centred square stays, the rest of
    // the image becomes transparent. Turning left undoes turning right wherever a pixel survived.
    const int a = floorDivide(w - h, 2);
    const int b = floorDivide(w + h - 2, 2);
    switch (turn) {
    case Turn::Right:
        return {y + a, b - x};
    case Turn::Left:
        return {b - y, x - a};
    case Turn::UpsideDown:
        return {x, h - 1 - y};
    default:
        return {w - 1 - x, y};
    }
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
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TurnSource from = turnedFrom(turn, w, h, x, y);
            const bool inside = from.x >= 0 && from.y >= 0 && from.x < w && from.y < h;
            canvas.workBuffer(canvas.imageOffsetX + x, canvas.imageOffsetY + y) =
                inside ? t(from.x, from.y) : markers.transparent;
            canvas.PaintCellAt(canvas.workBuffer, canvas.imageOffsetX, canvas.imageOffsetY, x, y);
        }
    canvas.RepaintChangedAt(canvas.workBuffer, canvas.imageOffsetX, canvas.imageOffsetY);
}

void turnTrueColour(CursorImage& image, Turn turn) {
    const CursorImage before = image;
    const int w = image.width;
    const int h = image.height;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TurnSource from = turnedFrom(turn, w, h, x, y);
            const bool inside = from.x >= 0 && from.y >= 0 && from.x < w && from.y < h;
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + x;
            image.argb[i] = inside ? before.at(from.x, from.y) : 0;
            if (!image.inverted.empty())
                image.inverted[i] = inside && before.invertsAt(from.x, from.y) ? 1 : 0;
        }
}

namespace {

void changeColours(CursorImage& image, std::uint32_t (*change)(std::uint32_t rgb)) {
    for (std::size_t i = 0; i < image.argb.size(); ++i) {
        const std::uint32_t p = image.argb[i];
        if (p >> 24 == 0 || (!image.inverted.empty() && image.inverted[i] != 0))
            continue;
        image.argb[i] = (p & 0xFF000000u) | change(p & 0xFFFFFFu);
    }
}

} // namespace

void invertTrueColour(CursorImage& image) {
    changeColours(image, [](std::uint32_t rgb) { return ~rgb & 0xFFFFFFu; });
}

void makeTrueColourMonochrome(CursorImage& image) {
    changeColours(image, [](std::uint32_t rgb) {
        const std::uint32_t mean = ((rgb >> 16 & 0xFF) + (rgb >> 8 & 0xFF) + (rgb & 0xFF)) / 3;
        return mean << 16 | mean << 8 | mean;
    });
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
