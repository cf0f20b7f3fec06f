#include "editor/DrawingTools.h"

#include "editor/EditCanvas.h"
#include "editor/EditorText.h"
#include "editor/ShapeAlgorithms.h"

#include <cassert>

namespace vantle {

void DrawingTools::press(EditCanvas& canvas, int tool, Cell cell, MouseButton button) {
    switch (tool) {
    case kToolPencil:
        canvas.TakeUndoSnapshot();
        pencilPoint(canvas, cell);
        break;
    case kToolFloodFill:
        fill(canvas, cell);
        break;
    case kToolColourPick:
        pickColour(canvas, cell, button);
        break;
    default:
        assert(tool >= kToolLine && tool <= kToolCheckerEllipse);
        EditCanvas::CopyWindow(canvas.shapeBuffer, canvas.workBuffer, canvas.imageOffsetX,
                               canvas.imageOffsetY);
        drawShape(canvas, tool, cell);
        break;
    }
}

void DrawingTools::move(EditCanvas& canvas, int tool, Cell cell) {
    assert(followsPointer(tool));
    if (tool == kToolPencil) {
        pencilPoint(canvas, cell);
        return;
    }
    EditCanvas::CopyWindow(canvas.shapeBuffer, canvas.workBuffer, canvas.imageOffsetX, canvas.imageOffsetY);
    // The line paints as it stores, so its previous preview has to come off the screen first; the other
    // shapes repaint from shapeBuffer, which replaces the old preview by itself.
    if (tool == kToolLine)
        canvas.RepaintChangedAt(canvas.workBuffer, canvas.imageOffsetX, canvas.imageOffsetY);
    drawShape(canvas, tool, cell);
}

void DrawingTools::release(EditCanvas& canvas, int tool) {
    if (tool < kToolLine || tool > kToolCheckerEllipse)
        return;
    canvas.TakeUndoSnapshot();
    EditCanvas::PasteWindow(canvas.workBuffer, canvas.imageOffsetX, canvas.imageOffsetY, canvas.shapeBuffer);
}

void DrawingTools::pencilPoint(EditCanvas& canvas, Cell cell) {
    const colourRGB colour = canvas.strokeColour_;
    plotThickPoint(cell.x, cell.y, canvas.lineSize_, [&](int x, int y) {
        if (!canvas.insideImage({x, y}))
            return;
        canvas.workBuffer(canvas.imageOffsetX + x, canvas.imageOffsetY + y) = colour;
        canvas.PaintCellAt(canvas.workBuffer, canvas.imageOffsetX, canvas.imageOffsetY, x, y);
    });
    canvas.view_.refresh();
}

void DrawingTools::drawShape(EditCanvas& canvas, int tool, Cell to) {
    PixelGrid& shape = canvas.shapeBuffer;
    const Cell from = canvas.anchor_;
    const int size = canvas.lineSize_;
    const colourRGB colour = canvas.strokeColour_;
    const auto set = [&](int x, int y) { canvas.SetPixel(shape, x, y, colour); };
    const auto setChecker = [&](int x, int y) {
        canvas.SetPixel(shape, x, y,
                        checkerIsLeft(from.x, from.y, x, y, size) ? canvas.leftColour : canvas.rightColour);
    };
    switch (tool) {
    case kToolLine:
        plotLine(from.x, from.y, to.x, to.y, size,
                 [&](int x, int y) { canvas.SetPixelShown(shape, x, y, colour); });
        canvas.view_.refresh();
        return;
    case kToolRectangle:
        plotRectangleOutline(from.x, from.y, to.x, to.y, size, set);
        break;
    case kToolFilledRectangle:
        plotFilledRectangle(from.x, from.y, to.x, to.y, set);
        break;
    case kToolEllipse:
        plotEllipseOutline(from.x, from.y, to.x, to.y, size, set);
        break;
    case kToolFilledEllipse:
        plotFilledEllipse(from.x, from.y, to.x, to.y, set);
        break;
    case kToolCheckerRectangle:
        plotFilledRectangle(from.x, from.y, to.x, to.y, setChecker);
        break;
    case kToolCheckerEllipse:
        plotFilledEllipse(from.x, from.y, to.x, to.y, setChecker);
        break;
    default:
        assert(false && "not a shape tool");
        return;
    }
    canvas.RepaintChanged(shape);
}

void DrawingTools::fill(EditCanvas& canvas, Cell cell) {
    PixelGrid& shape = canvas.shapeBuffer;
    EditCanvas::CopyWindow(shape, canvas.workBuffer, canvas.imageOffsetX, canvas.imageOffsetY);
    if (shape(cell.x, cell.y) != canvas.strokeColour_) {
        const bool overflow =
            floodFill(shape, canvas.width_, canvas.height_, cell.x, cell.y, canvas.strokeColour_,
                      fillDepthLimit, [&](int x, int y) { canvas.PaintCell(shape, x, y); });
        canvas.view_.refresh();
        if (overflow)
            canvas.messages_.showMessage(text::kFillOverflow, MessageButtons::Ok, MessageIcon::Error);
    }
    canvas.TakeUndoSnapshot();
    EditCanvas::PasteWindow(canvas.workBuffer, canvas.imageOffsetX, canvas.imageOffsetY, shape);
}

void DrawingTools::pickColour(EditCanvas& canvas, Cell cell, MouseButton button) {
    const colourRGB value = canvas.pixel(cell.x, cell.y);
    canvas.selectedColour = value;
    if (button == MouseButton::Left)
        canvas.leftColour = value;
    else
        canvas.rightColour = value;
    canvas.strokeColour_ = value;
    canvas.events_.coloursChanged();
    canvas.SelectTool(kToolPencil);
}

} // namespace vantle
