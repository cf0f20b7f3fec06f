#include "editor/EditCanvas.h"

#include "editor/RangeSelection.h"
#include "model/TextNumber.h"

#include <cassert>

namespace vantle {

namespace {

// Division rounding down, so positions left of or above the canvas give negative cells.
int floorDivide(int value, int divisor) {
    assert(divisor > 0);
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

} // namespace

EditCanvas::EditCanvas(IconDocument& document, const MarkerColours& markers, CanvasView& view,
                       EditorEvents& events, MessageSink& messages)
    : document_(document), markers_(markers), view_(view), events_(events), messages_(messages) {}

int EditCanvas::cellSizeFor(int pixels) {
    assert(pixels > 0);
    // The largest c with c * pixels + 3 <= 291.
    return (kMaxCanvasPixels - 3) / pixels;
}

// --- Load and store ---

void EditCanvas::setGeometry(int imageIndex) {
    assert(imageIndex >= 0 && imageIndex < document_.imageCapacity());
    const IconImage& image = document_.images[static_cast<std::size_t>(imageIndex)];
    assert(image.width > 0 && image.width <= kImageGrid && image.height > 0 && image.height <= kImageGrid);
    imageIndex_ = imageIndex;
    width_ = image.width;
    height_ = image.height;
    cellWidth = cellSizeFor(width_);
    cellHeight = cellSizeFor(height_);
    view_.resetCanvas(width_, height_, cellWidth, cellHeight);
    imageOffsetX = (kWorkSize - width_) / 2;
    imageOffsetY = (kWorkSize - height_) / 2;
}

void EditCanvas::loadImage(int imageIndex) {
    endOpenStroke(false); // a preview of the previous image must not land in this one
    setGeometry(imageIndex);
    // The buffer is refilled below: a selection of the previous image ends without being written.
    if (selection_ != nullptr)
        selection_->discard();
    const IconImage& image = document_.images[static_cast<std::size_t>(imageIndex)];
    workBuffer.fill(markers_.transparent);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const colourRGB value = image.pixels(x, y);
            workBuffer(imageOffsetX + x, imageOffsetY + y) = value;
            shownColours(x, y) = value;
            view_.paintCell(x, y, value);
        }
    }
    view_.refresh();
    SetUndoState(UndoState::None);
}

void EditCanvas::commitPixels() {
    if (imageIndex_ < 0)
        return;
    if (selection_ != nullptr)
        selection_->ClearSelection(); // a floating piece is dropped into the image
    endOpenStroke(true);              // the shape on the screen belongs to the image being written back
    if (!editBufferChanged)
        return;
    IconImage& image = document_.images[static_cast<std::size_t>(imageIndex_)];
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            image.pixels(x, y) = pixel(x, y);
    editBufferChanged = false;
}

void EditCanvas::reloadFromImage() {
    assert(imageIndex_ >= 0);
    endOpenStroke(false);
    const IconImage& image = document_.images[static_cast<std::size_t>(imageIndex_)];
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            workBuffer(imageOffsetX + x, imageOffsetY + y) = image.pixels(x, y);
    RepaintChangedAt(workBuffer, imageOffsetX, imageOffsetY);
}

// --- Pointer protocol ---

Cell EditCanvas::cellAt(double px, double py) const {
    return {floorDivide(roundEven(px), cellWidth), floorDivide(roundEven(py), cellHeight)};
}

void EditCanvas::updateReadOut(Cell cell) {
    if (cell.x >= 0 && cell.x < width_)
        readOutX_ = std::string(text::kReadOutX) + std::to_string(cell.x);
    if (cell.y >= 0 && cell.y < height_)
        readOutY_ = std::string(text::kReadOutY) + std::to_string(cell.y);
    events_.readOut(readOutX_, readOutY_);
}

void EditCanvas::resetReadOut() {
    readOutX_ = text::kReadOutX;
    readOutY_ = text::kReadOutY;
    events_.readOut(readOutX_, readOutY_);
}

void EditCanvas::press(MouseButton button, double px, double py) {
    if (imageIndex_ < 0)
        return;
    const Cell cell = cellAt(px, py);
    updateReadOut(cell);
    if (selection_ != nullptr && selection_->rangeMode()) {
        endOpenStroke(true);
        selection_->pressCanvas(cell);
        return;
    }
    if (!insideImage(cell))
        return;
    endOpenStroke(true); // a stroke released elsewhere and never completed keeps its shape
    strokeColour_ = button == MouseButton::Left ? leftColour : rightColour;
    anchor_ = cell;
    last_ = cell;
    strokeOpen_ = true;
    strokeTool_ = tool_;
    tools_.press(*this, strokeTool_, cell, button);
}

void EditCanvas::move(double px, double py) {
    if (imageIndex_ < 0)
        return;
    const Cell cell = cellAt(px, py);
    updateReadOut(cell);
    if (selection_ != nullptr && selection_->dragging()) {
        selection_->dragTo(cell);
        return;
    }
    if (selection_ != nullptr && selection_->floating())
        return;
    if (!strokeOpen_ || !DrawingTools::followsPointer(strokeTool_))
        return;
    if (!insideImage(cell) || cell == last_)
        return;
    last_ = cell;
    tools_.move(*this, strokeTool_, cell);
}

void EditCanvas::release(double /*px*/, double /*py*/) {
    if (selection_ != nullptr && selection_->dragging()) {
        selection_->releaseCanvas();
        return;
    }
    endOpenStroke(true);
}

void EditCanvas::settleSelection() {
    if (selection_ != nullptr)
        selection_->DropSelection();
}

void EditCanvas::pointerOverPanel() {
    endOpenStroke(true);
}

void EditCanvas::completeStroke() {
    tools_.release(*this, strokeTool_);
}

void EditCanvas::endOpenStroke(bool complete) {
    if (!strokeOpen_)
        return;
    strokeOpen_ = false;
    if (complete)
        completeStroke();
}

// --- Tools ---

void EditCanvas::SelectTool(int tool) {
    assert(tool >= 0 && tool < kToolCount);
    tool_ = tool;
    events_.toolChanged();
    if (selection_ != nullptr)
        selection_->ClearSelection();
}

void EditCanvas::SelectLineSize(int size) {
    assert(size >= 0 && size < kLineSizeCount);
    lineSize_ = size;
    events_.toolChanged();
}

// --- Grid helpers ---

void EditCanvas::PaintCell(const PixelGrid& grid, int x, int y) {
    assert(x >= 0 && x < kImageGrid && y >= 0 && y < kImageGrid);
    const colourRGB value = grid(x, y);
    if (value == shownColours(x, y))
        return;
    view_.paintCell(x, y, value);
    view_.setThumbnailPixel(x, y, value);
    shownColours(x, y) = value;
}

void EditCanvas::PaintCellAt(const WorkGrid& grid, int offsetX, int offsetY, int x, int y) {
    assert(x >= 0 && x < kImageGrid && y >= 0 && y < kImageGrid);
    const colourRGB value = grid(offsetX + x, offsetY + y);
    if (value == shownColours(x, y))
        return;
    view_.paintCell(x, y, value);
    view_.setThumbnailPixel(x, y, value);
    shownColours(x, y) = value;
}

void EditCanvas::RepaintChanged(const PixelGrid& grid) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            PaintCell(grid, x, y);
    view_.refresh();
}

void EditCanvas::RepaintChangedAt(const WorkGrid& grid, int offsetX, int offsetY) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            PaintCellAt(grid, offsetX, offsetY, x, y);
    view_.refresh();
}

void EditCanvas::SetPixel(PixelGrid& grid, int x, int y, colourRGB colour) const {
    if (insideImage({x, y}))
        grid(x, y) = colour;
}

void EditCanvas::SetPixelShown(PixelGrid& grid, int x, int y, colourRGB colour) {
    if (!insideImage({x, y}))
        return;
    grid(x, y) = colour;
    PaintCell(grid, x, y);
}

void EditCanvas::CopyWindow(PixelGrid& target, const WorkGrid& source, int offsetX, int offsetY) {
    assert(offsetX >= 0 && offsetY >= 0 && offsetX + kImageGrid <= kWorkSize &&
           offsetY + kImageGrid <= kWorkSize);
    for (int b = 0; b < kImageGrid; ++b)
        for (int a = 0; a < kImageGrid; ++a)
            target(a, b) = source(offsetX + a, offsetY + b);
}

void EditCanvas::PasteWindow(WorkGrid& target, int offsetX, int offsetY, const PixelGrid& source) {
    assert(offsetX >= 0 && offsetY >= 0 && offsetX + kImageGrid <= kWorkSize &&
           offsetY + kImageGrid <= kWorkSize);
    for (int b = 0; b < kImageGrid; ++b)
        for (int a = 0; a < kImageGrid; ++a)
            target(offsetX + a, offsetY + b) = source(a, b);
}

} // namespace vantle
