#include "import/AreaSelection.h"

#include <algorithm>
#include <cstdlib>

namespace vantle {

namespace {

enum class AxisStep { Go, NoDrop };

// The limits and the auto-scroll of one direction; `value` is the scroll value, changed by one step when
// the view scrolls towards the pointer.
AxisStep checkAxis(const DragAxis& axis, int position, int anchor, int boxSize, int& value) {
    if (axis.visibleSize >= 0) {
        if (position < axis.visibleStart || position > axis.visibleStart + axis.visibleSize)
            return AxisStep::NoDrop;
    }
    if (axis.scrollEnabled) {
        if (position - value > axis.viewportSize || position < value) {
            if (boxSize >= axis.viewportSize)
                return AxisStep::NoDrop;
            if (position >= anchor && value < axis.scrollMaximum)
                ++value;
            else if (position < anchor && value > 0)
                --value;
            else
                return AxisStep::NoDrop;
        }
        return AxisStep::Go;
    }
    if (position < 0 || position > axis.pictureSize)
        return AxisStep::NoDrop;
    return AxisStep::Go;
}

} // namespace

void squarePosition(int anchorX, int anchorY, int& x, int& y) {
    const int dx = std::abs(x - anchorX);
    const int dy = std::abs(y - anchorY);
    if (dy >= dx)
        x += x > anchorX ? dy - dx : -(dy - dx);
    else
        y += y > anchorY ? dx - dy : -(dx - dy);
}

void AreaSelection::press(int x, int y) {
    dragging_ = true;
    anchorX_ = x;
    anchorY_ = y;
    box_ = {x - 1, y - 1, 2, 2};
    area_ = {x, y, 0, 0};
}

DragMove AreaSelection::move(int x, int y, AreaMode mode, const DragAxis& horizontal,
                             const DragAxis& vertical) {
    DragMove result;
    result.box = box_;
    result.scrollX = horizontal.scrollValue;
    result.scrollY = vertical.scrollValue;
    if (!dragging_)
        return result;
    if (mode == AreaMode::Square)
        squarePosition(anchorX_, anchorY_, x, y);
    if (checkAxis(horizontal, x, anchorX_, box_.width, result.scrollX) == AxisStep::NoDrop) {
        result.scrollX = horizontal.scrollValue;
        return result;
    }
    if (checkAxis(vertical, y, anchorY_, box_.height, result.scrollY) == AxisStep::NoDrop) {
        // The horizontal scroll step has already happened, as it does when the directions are taken
        // one after the other.
        result.scrolled = result.scrollX != horizontal.scrollValue;
        result.scrollY = vertical.scrollValue;
        return result;
    }
    result.scrolled = result.scrollX != horizontal.scrollValue || result.scrollY != vertical.scrollValue;
    box_.left = x >= anchorX_ - 1 ? anchorX_ - 1 : x - 1;
    box_.top = y >= anchorY_ - 1 ? anchorY_ - 1 : y - 1;
    box_.width = std::abs(x - anchorX_) + 2;
    box_.height = std::abs(y - anchorY_) + 2;
    area_ = {std::min(x, anchorX_), std::min(y, anchorY_), std::abs(x - anchorX_), std::abs(y - anchorY_)};
    result.placed = true;
    result.box = box_;
    result.area = area_;
    return result;
}

std::string selectionSizeText(int width, int height) {
    return std::string(kSelectionSizePrefix) + std::to_string(width) + std::string(kSelectionSizeSeparator) +
           std::to_string(height);
}

} // namespace vantle
