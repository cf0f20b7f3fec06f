#pragma once
// The ten drawing tools of the edit canvas. The canvas calls press, move and release with cells of the
// image; each tool changes workBuffer by its own pixel algorithm, shapes being previewed in shapeBuffer.

#include "editor/FloodFill.h"

namespace vantle {

class EditCanvas;
struct Cell;
enum class MouseButton;

// Tool indices, as the tool pickers number them.
constexpr int kToolPencil = 0;
constexpr int kToolLine = 1;
constexpr int kToolRectangle = 2;
constexpr int kToolFilledRectangle = 3;
constexpr int kToolEllipse = 4;
constexpr int kToolFilledEllipse = 5;
constexpr int kToolCheckerRectangle = 6;
constexpr int kToolCheckerEllipse = 7;
constexpr int kToolFloodFill = 8;
constexpr int kToolColourPick = 9;
constexpr int kToolCount = 10;
constexpr int kLineSizeCount = 3;

class DrawingTools {
  public:
    // Tools 0 to 7 follow the pointer after the press; the fill and the colour pick finish on the press.
    static bool followsPointer(int tool) { return tool >= kToolPencil && tool <= kToolCheckerEllipse; }
    // Tools whose line-size pickers are shown: every tool but 3, 5, 8 and 9.
    static bool usesLineSize(int tool) {
        return tool != kToolFilledRectangle && tool != kToolFilledEllipse && tool != kToolFloodFill &&
               tool != kToolColourPick;
    }

    // The entry points, with the canvas's anchor, last cell and stroke colour already set.
    void press(EditCanvas& canvas, int tool, Cell cell, MouseButton button);
    void move(EditCanvas& canvas, int tool, Cell cell);
    void release(EditCanvas& canvas, int tool);

    // The nesting bound of the flood fill.
    int fillDepthLimit = kFillDepthLimit;

  private:
    static void pencilPoint(EditCanvas& canvas, Cell cell);
    static void drawShape(EditCanvas& canvas, int tool, Cell to);
    void fill(EditCanvas& canvas, Cell cell);
    static void pickColour(EditCanvas& canvas, Cell cell, MouseButton button);
};

} // namespace vantle
