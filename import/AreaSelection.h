#pragma once
// Dragging a free or square rectangle over a picture, shared by the picture panel and the picture window.
// Positions are picture pixels. The selection box covers the rectangle with one pixel of border on each
// side; the selected pixels start at the rectangle's up-left corner.

#include "import/PictureSampling.h"

#include <string>
#include <string_view>

namespace vantle {

enum class AreaMode { Free = 0, Square = 1 };

// The area mode as the PAREAOPT setting keeps it: 1 is square, anything else free.
constexpr AreaMode areaModeFromSetting(int value) {
    return value == 1 ? AreaMode::Square : AreaMode::Free;
}

struct SelectionBox {
    int left = 0;
    int top = 0;
    int width = 2;
    int height = 2;
    bool operator==(const SelectionBox&) const = default;
};

// One direction of the view the drag happens in.
struct DragAxis {
    int pictureSize = 0;
    // Panel: the scroll bar of this direction; when enabled the view scrolls towards the pointer by one
    // pixel per move while the pointer is outside the visible part.
    bool scrollEnabled = false;
    int scrollValue = 0;
    int scrollMaximum = 0;
    int viewportSize = 0;
    // Picture window: no auto-scroll; positions outside [visibleStart, visibleStart + visibleSize] are
    // refused as well as those outside the picture. A visibleSize below 0 means no such limit.
    int visibleStart = 0;
    int visibleSize = -1;
};

struct DragMove {
    bool placed = false; // false: the no-drop pointer shows, the size text hides, nothing else changes
    SelectionBox box;    // the box after the move (unchanged when not placed)
    PictureArea area;    // the selected pixels (empty when not placed)
    int scrollX = 0;     // scroll values after the move
    int scrollY = 0;
    bool scrolled = false;
};

class AreaSelection {
  public:
    // Left button down at a picture position: the anchor is that position; the box 2 x 2 at anchor - 1.
    void press(int x, int y);
    // A move while dragging; does nothing and reports not placed when no drag is open.
    DragMove move(int x, int y, AreaMode mode, const DragAxis& horizontal, const DragAxis& vertical);
    void release() { dragging_ = false; }

    bool dragging() const { return dragging_; }
    int anchorX() const { return anchorX_; }
    int anchorY() const { return anchorY_; }
    const SelectionBox& box() const { return box_; }
    // The selected pixels of the current box.
    PictureArea area() const { return area_; }

  private:
    bool dragging_ = false;
    int anchorX_ = 0;
    int anchorY_ = 0;
    SelectionBox box_;
    PictureArea area_;
};

// In square mode the longer of the two distances from the anchor wins: the other coordinate moves away
// from the anchor by the difference.
void squarePosition(int anchorX, int anchorY, int& x, int& y);

// The size text of the panel: kSelectionSizePrefix + width + " X " + height.
inline constexpr std::string_view kSelectionSizePrefix = " 選択した範囲の大きさ  ";
inline constexpr std::string_view kSelectionSizeSeparator = " X ";
std::string selectionSizeText(int width, int height);

} // namespace vantle
