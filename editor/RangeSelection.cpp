#include "editor/RangeSelection.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <utility>

namespace vantle {

RangeSelection::RangeSelection(EditCanvas& canvas, const MarkerColours& markers, SelectionView& view,
                               ClipboardSink putOnClipboard)
    : canvas_(canvas), markers_(markers), view_(view), putOnClipboard_(std::move(putOnClipboard)) {}

bool RangeSelection::pasteAvailable() const {
    return copySourceWidth_ != 0 && copySourceWidth_ == canvas_.width() && copyHeight_ <= canvas_.height();
}

colourRGB RangeSelection::pieceColour(int c, int r) const {
    return pasted_ ? copyBuffer_(c, r) : liftedPixels_(c, r);
}

void RangeSelection::publish() {
    commands_.paste = pasteAvailable();
    view_.commandsChanged(commands_);
}

// --- Commands ---

void RangeSelection::StartRangeMode() {
    rangeMode_ = true;
    commands_.clear = true;
    commands_.shiftButtons = false;
    commands_.toolShownSelected = false;
    publish();
    view_.pointerChanged();
}

void RangeSelection::store(int x, int y, colourRGB colour) {
    assert(canvas_.insideImage({x, y}));
    canvas_.workBuffer(canvas_.imageOffsetX + x, canvas_.imageOffsetY + y) = colour;
    canvas_.view_.paintCell(x, y, colour);
    canvas_.view_.setThumbnailPixel(x, y, colour);
    canvas_.shownColours(x, y) = colour;
}

void RangeSelection::redrawThumbnail() {
    for (int y = 0; y < canvas_.height(); ++y)
        for (int x = 0; x < canvas_.width(); ++x) {
            const int c = x - position_.x;
            const int r = y - position_.y;
            const bool underPiece = floating_ && c >= 0 && r >= 0 && c < width_ && r < height_;
            canvas_.view_.setThumbnailPixel(x, y,
                                            underPiece ? pieceColour(c, r) : canvas_.shownColours(x, y));
        }
}

void RangeSelection::endFloating() {
    floating_ = false;
    moving_ = false;
    view_.hidePiece();
    view_.stopBlinking();
}

void RangeSelection::DropSelection() {
    if (!floating_)
        return;
    canvas_.TakeUndoSnapshot();
    if (!pasted_)
        for (int r = 0; r < height_; ++r)
            for (int c = 0; c < width_; ++c)
                store(origin_.x + c, origin_.y + r, markers_.transparent);
    for (int r = 0; r < height_; ++r)
        for (int c = 0; c < width_; ++c)
            store(position_.x + c, position_.y + r, pieceColour(c, r));
    endFloating();
    redrawThumbnail();
    canvas_.view_.refresh();
}

void RangeSelection::leaveRangeMode() {
    rangeMode_ = false;
    dragging_ = false;
    dragOutside_ = false;
    pasted_ = false;
    commands_.copyCut = false;
    commands_.clear = false;
    commands_.cancel = false;
    commands_.shiftButtons = true;
    commands_.toolShownSelected = true;
    view_.hideRangeFrame();
    publish();
    view_.pointerChanged();
}

void RangeSelection::ClearSelection() {
    DropSelection();
    leaveRangeMode();
}

void RangeSelection::CancelSelection() {
    if (floating_) {
        canvas_.TakeUndoSnapshot();
        if (!pasted_)
            for (int r = 0; r < height_; ++r)
                for (int c = 0; c < width_; ++c)
                    store(origin_.x + c, origin_.y + r, liftedPixels_(c, r));
        endFloating();
        redrawThumbnail();
        canvas_.view_.refresh();
    }
    leaveRangeMode();
}

void RangeSelection::discard() {
    if (floating_)
        endFloating();
    leaveRangeMode();
}

void RangeSelection::copyPiece() {
    Picture picture;
    picture.width = width_;
    picture.height = height_;
    picture.argb.resize(static_cast<std::size_t>(width_ * height_));
    // Marker pixels go onto the clipboard in their marker colours: a bitmap has no mask.
    for (int r = 0; r < height_; ++r)
        for (int c = 0; c < width_; ++c) {
            const colourRGB colour = pieceColour(c, r);
            copyBuffer_(c, r) = colour;
            picture.argb[static_cast<std::size_t>(r * width_ + c)] = argbOf(colour, 0xFF);
        }
    putOnClipboard_(picture);
    copySourceWidth_ = canvas_.width();
    copyWidth_ = width_;
    copyHeight_ = height_;
    publish();
}

void RangeSelection::CopySelection() {
    if (!floating_)
        return;
    copyPiece();
    ClearSelection();
}

void RangeSelection::CutSelection() {
    if (!floating_)
        return;
    canvas_.TakeUndoSnapshot();
    copyPiece();
    // A pasted piece is only taken away; a lifted one leaves its rectangle transparent.
    if (!pasted_)
        for (int r = 0; r < height_; ++r)
            for (int c = 0; c < width_; ++c)
                store(origin_.x + c, origin_.y + r, markers_.transparent);
    endFloating();
    redrawThumbnail();
    canvas_.view_.refresh();
    ClearSelection();
}

void RangeSelection::PasteSelection() {
    if (!pasteAvailable())
        return;
    DropSelection();
    dragging_ = false;
    rangeMode_ = true;
    floating_ = true;
    commands_.clear = true;
    width_ = copyWidth_;
    height_ = copyHeight_;
    origin_ = position_ = {0, 0};
    view_.hideRangeFrame();
    view_.showPiece(copyBuffer_, width_, height_, 0, 0);
    view_.startBlinking();
    pasted_ = true;
    // The piece is part of the image from now on: Undo (which drops it first) takes the paste back.
    canvas_.TakeUndoSnapshot();
    publish();
    view_.pointerChanged();
}

// --- The rectangle ---

void RangeSelection::pressCanvas(Cell cell) {
    // A rectangle starts on a pixel of the image; the border beyond the last cell selects nothing.
    if (!canvas_.insideImage(cell))
        return;
    DropSelection();
    anchor_ = cell;
    origin_ = cell;
    width_ = height_ = 1;
    dragging_ = true;
    dragOutside_ = false;
    view_.showRangeFrame(origin_.x * canvas_.cellWidth, origin_.y * canvas_.cellHeight, canvas_.cellWidth + 1,
                         canvas_.cellHeight + 1);
}

void RangeSelection::dragTo(Cell cell) {
    if (!dragging_)
        return;
    const bool outside = !canvas_.insideImage(cell);
    if (outside != dragOutside_) {
        dragOutside_ = outside;
        view_.pointerChanged();
    }
    if (outside)
        return;
    origin_ = {std::min(anchor_.x, cell.x), std::min(anchor_.y, cell.y)};
    width_ = std::abs(cell.x - anchor_.x) + 1;
    height_ = std::abs(cell.y - anchor_.y) + 1;
    view_.showRangeFrame(origin_.x * canvas_.cellWidth, origin_.y * canvas_.cellHeight,
                         width_ * canvas_.cellWidth + 1, height_ * canvas_.cellHeight + 1);
}

void RangeSelection::releaseCanvas() {
    if (!dragging_)
        return;
    dragging_ = false;
    if (dragOutside_) {
        dragOutside_ = false;
        view_.pointerChanged();
    }
    // Lifting counts as an edit: Undo, which drops the piece first, then takes the whole move back.
    canvas_.TakeUndoSnapshot();
    for (int r = 0; r < height_; ++r)
        for (int c = 0; c < width_; ++c) {
            const int x = origin_.x + c;
            const int y = origin_.y + r;
            liftedPixels_(c, r) = canvas_.pixel(x, y);
            // The hole shows transparent until the piece is dropped; the work buffer keeps the pixels.
            canvas_.view_.paintCell(x, y, markers_.transparent);
            canvas_.shownColours(x, y) = markers_.transparent;
        }
    canvas_.view_.refresh();
    view_.showPiece(liftedPixels_, width_, height_, origin_.x * canvas_.cellWidth,
                    origin_.y * canvas_.cellHeight);
    view_.hideRangeFrame();
    view_.startBlinking();
    commands_.copyCut = true;
    commands_.cancel = true;
    position_ = origin_;
    floating_ = true;
    pasted_ = false;
    publish();
}

// --- The floating piece ---

void RangeSelection::pieceGrab(double px, double py) {
    if (!floating_)
        return;
    moveAnchor_ = canvas_.cellAt(px, py);
    moving_ = true;
}

void RangeSelection::pieceMove(double px, double py) {
    if (!floating_)
        return;
    const Cell inPiece = canvas_.cellAt(px, py);
    if (!moving_) {
        canvas_.updateReadOut({inPiece.x + position_.x, inPiece.y + position_.y});
        return;
    }
    const int dx = inPiece.x - moveAnchor_.x;
    const int dy = inPiece.y - moveAnchor_.y;
    Cell next = position_;
    // Each axis on its own: the piece never leaves the image.
    if (dx != 0 && position_.x + dx >= 0 && position_.x + dx + width_ <= canvas_.width())
        next.x += dx;
    if (dy != 0 && position_.y + dy >= 0 && position_.y + dy + height_ <= canvas_.height())
        next.y += dy;
    if (next != position_) {
        position_ = next;
        view_.movePiece(position_.x * canvas_.cellWidth, position_.y * canvas_.cellHeight);
    }
    canvas_.updateReadOut(position_);
}

void RangeSelection::pieceRelease(bool overPiece) {
    if (!moving_)
        return;
    moving_ = false;
    if (overPiece)
        redrawThumbnail();
}

} // namespace vantle
