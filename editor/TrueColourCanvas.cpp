#include "editor/TrueColourCanvas.h"

#include "editor/DrawingTools.h"
#include "editor/EditCanvas.h"
#include "editor/ShapeAlgorithms.h"
#include "model/AlphaBlend.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

namespace vantle {

namespace {

std::size_t indexOf(const CursorImage& image, int x, int y) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x);
}

bool insideImage(const CursorImage& image, int x, int y) {
    return x >= 0 && y >= 0 && x < image.width && y < image.height;
}

// Writes a pixel, giving the image its inversion flags when the first inverting pixel arrives.
void store(CursorImage& image, std::size_t index, std::uint32_t argb, bool inverts) {
    image.argb[index] = argb;
    if (inverts && image.inverted.empty())
        image.inverted.assign(image.argb.size(), 0);
    if (!image.inverted.empty())
        image.inverted[index] = inverts ? 1 : 0;
}

void include(PixelArea& area, int x, int y) {
    if (area.empty()) {
        area = {x, y, x + 1, y + 1};
        return;
    }
    area.left = std::min(area.left, x);
    area.top = std::min(area.top, y);
    area.right = std::max(area.right, x + 1);
    area.bottom = std::max(area.bottom, y + 1);
}

} // namespace

PaintedPixel paintPixel(std::uint32_t argb, bool inverts, const PaintColour& colour, bool exact) {
    if (colour.inverts)
        return {kInvertingColour.argb, true};
    if (colour.opacity() == 0)
        return {0, false};
    if (exact)
        return {colour.argb, false};
    // An inverting pixel has nothing of its own to show through the colour.
    const std::uint32_t out = sourceOver(colour.argb, inverts ? 0u : argb);
    return {(out >> 24) == 0 ? 0u : out, false};
}

void TrueColourCanvas::attach(CursorImage* image) {
    // The previous image may be gone already: an open stroke is only closed, its pixels stay as they are.
    image_ = image;
    strokeOpen_ = false;
    paintedList_.clear();
    work_ = CursorImage{};
    offsetX_ = 0;
    offsetY_ = 0;
}

// --- Strokes ---

void TrueColourCanvas::press(MouseButton button, int x, int y, const StrokeStyle& style) {
    if (image_ == nullptr || !insideImage(*image_, x, y))
        return;
    assert(style.tool >= kToolPencil && style.tool < kToolCount);
    release(); // a stroke never released keeps what it painted
    const PaintColour colour = button == MouseButton::Left ? style.left : style.right;
    if (style.tool == kToolColourPick) {
        const std::size_t index = indexOf(*image_, x, y);
        const std::uint32_t argb = image_->argb[index];
        PaintColour picked{argb, false};
        if (image_->invertsAt(x, y))
            picked = kInvertingColour;
        else if ((argb >> 24) == 0)
            picked = {0, false};
        events_.colourPicked(picked, button);
        return;
    }

    events_.aboutToChange();
    style_ = style;
    colour_ = colour;
    anchorX_ = lastX_ = x;
    anchorY_ = lastY_ = y;
    changed_ = {};
    if (style.tool == kToolFloodFill) {
        fill(x, y);
    } else {
        const std::size_t count = image_->argb.size();
        beforeArgb_ = image_->argb;
        beforeInverted_ = image_->inverted;
        beforeInverted_.resize(count, 0);
        painted_.assign(count, 0);
        paintedList_.clear();
        strokeOpen_ = true;
        if (style.tool == kToolPencil)
            plotThickPoint(x, y, style.lineSize, [&](int px, int py) { plot(px, py, colour_); });
        else
            drawShape(x, y);
    }
    if (!changed_.empty())
        events_.pixelsChanged(changed_);
}

void TrueColourCanvas::move(int x, int y) {
    if (!strokeOpen_ || !DrawingTools::followsPointer(style_.tool))
        return;
    if (!insideImage(*image_, x, y) || (x == lastX_ && y == lastY_))
        return;
    const int fromX = lastX_;
    const int fromY = lastY_;
    lastX_ = x;
    lastY_ = y;
    changed_ = {};
    if (style_.tool == kToolPencil) {
        // The pencil joins the pointer's positions: at 256 pixels a quick movement skips many pixels, and
        // each pixel is painted once per stroke anyway.
        plotLine(fromX, fromY, x, y, style_.lineSize, [&](int px, int py) { plot(px, py, colour_); });
    } else {
        takeBackStroke();
        drawShape(x, y);
    }
    if (!changed_.empty())
        events_.pixelsChanged(changed_);
}

void TrueColourCanvas::release() {
    strokeOpen_ = false;
}

void TrueColourCanvas::plot(int x, int y, const PaintColour& colour) {
    if (!insideImage(*image_, x, y))
        return;
    const std::size_t index = indexOf(*image_, x, y);
    if (painted_[index] != 0)
        return;
    painted_[index] = 1;
    paintedList_.push_back(static_cast<int>(index));
    const PaintedPixel out =
        paintPixel(beforeArgb_[index], beforeInverted_[index] != 0, colour, style_.exact);
    store(*image_, index, out.argb, out.inverts);
    include(changed_, x, y);
}

void TrueColourCanvas::takeBackStroke() {
    const int width = image_->width;
    for (const int index : paintedList_) {
        const auto i = static_cast<std::size_t>(index);
        store(*image_, i, beforeArgb_[i], beforeInverted_[i] != 0);
        painted_[i] = 0;
        include(changed_, index % width, index / width);
    }
    paintedList_.clear();
}

void TrueColourCanvas::drawShape(int x, int y) {
    const int x0 = anchorX_;
    const int y0 = anchorY_;
    const int size = style_.lineSize;
    const auto set = [&](int px, int py) { plot(px, py, colour_); };
    const auto setChecker = [&](int px, int py) {
        plot(px, py, checkerIsLeft(x0, y0, px, py, size) ? style_.left : style_.right);
    };
    switch (style_.tool) {
    case kToolLine:
        plotLine(x0, y0, x, y, size, set);
        break;
    case kToolRectangle:
        plotRectangleOutline(x0, y0, x, y, size, set);
        break;
    case kToolFilledRectangle:
        plotFilledRectangle(x0, y0, x, y, set);
        break;
    case kToolEllipse:
        plotEllipseOutline(x0, y0, x, y, size, set);
        break;
    case kToolFilledEllipse:
        plotFilledEllipse(x0, y0, x, y, set);
        break;
    case kToolCheckerRectangle:
        plotFilledRectangle(x0, y0, x, y, setChecker);
        break;
    case kToolCheckerEllipse:
        plotFilledEllipse(x0, y0, x, y, setChecker);
        break;
    default:
        assert(false && "not a shape tool");
        break;
    }
}

void TrueColourCanvas::fill(int x, int y) {
    CursorImage& image = *image_;
    const std::size_t start = indexOf(image, x, y);
    const std::uint32_t startArgb = image.argb[start];
    const bool startInverts = image.invertsAt(x, y);
    const PaintedPixel out = paintPixel(startArgb, startInverts, colour_, style_.exact);
    if (out.argb == startArgb && out.inverts == startInverts)
        return;
    const auto matches = [&](std::size_t index) {
        const bool inverts = !image.inverted.empty() && image.inverted[index] != 0;
        return image.argb[index] == startArgb && inverts == startInverts;
    };
    // Every pixel filled stops matching, so each is taken once; the stack replaces recursion.
    std::vector<std::size_t> pending{start};
    while (!pending.empty()) {
        const std::size_t index = pending.back();
        pending.pop_back();
        if (!matches(index))
            continue;
        store(image, index, out.argb, out.inverts);
        const int px = static_cast<int>(index % static_cast<std::size_t>(image.width));
        const int py = static_cast<int>(index / static_cast<std::size_t>(image.width));
        include(changed_, px, py);
        if (px + 1 < image.width)
            pending.push_back(index + 1);
        if (px > 0)
            pending.push_back(index - 1);
        if (py + 1 < image.height)
            pending.push_back(index + static_cast<std::size_t>(image.width));
        if (py > 0)
            pending.push_back(index - static_cast<std::size_t>(image.width));
    }
}

// --- One-pixel moves of the whole image ---

bool TrueColourCanvas::workReady() const {
    return image_ != nullptr && work_.width == 2 * image_->width && work_.height == 2 * image_->height;
}

TrueColourShiftLimits TrueColourCanvas::shiftLimits() const {
    if (image_ == nullptr)
        return {false, false, false, false};
    const int w = image_->width;
    const int h = image_->height;
    const int startX = w / 2;
    const int startY = h / 2;
    const int x = workReady() ? offsetX_ : startX;
    const int y = workReady() ? offsetY_ : startY;
    // The window may go half the image from where it started, and so stays inside the work image.
    return {x<startX + w / 2, x> startX - w / 2, y<startY + h / 2, y> startY - h / 2};
}

TrueColourShiftLimits TrueColourCanvas::shift(int dx, int dy) {
    assert((dx == 0) != (dy == 0) && std::abs(dx + dy) == 1);
    const TrueColourShiftLimits limits = shiftLimits();
    const bool allowed = dx < 0 ? limits.left : dx > 0 ? limits.right : dy < 0 ? limits.up : limits.down;
    if (!allowed)
        return limits;
    release();
    CursorImage& image = *image_;
    const int w = image.width;
    const int h = image.height;
    if (!workReady()) {
        work_ = CursorImage{};
        work_.width = 2 * w;
        work_.height = 2 * h;
        work_.argb.assign(static_cast<std::size_t>(4 * w * h), 0);
        work_.inverted.assign(work_.argb.size(), 0);
        offsetX_ = w / 2;
        offsetY_ = h / 2;
    }
    // The image may have been drawn on since the last move: its window takes it first.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t at = indexOf(work_, offsetX_ + x, offsetY_ + y);
            work_.argb[at] = image.at(x, y);
            work_.inverted[at] = image.invertsAt(x, y) ? 1 : 0;
        }
    events_.aboutToChange();
    // Moving the image left shows what lies right of it: the window goes the other way.
    offsetX_ -= dx;
    offsetY_ -= dy;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t at = indexOf(work_, offsetX_ + x, offsetY_ + y);
            store(image, indexOf(image, x, y), work_.argb[at], work_.inverted[at] != 0);
        }
    events_.pixelsChanged({0, 0, w, h});
    return shiftLimits();
}

} // namespace vantle
