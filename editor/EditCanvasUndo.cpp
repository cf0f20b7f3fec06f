// One level of undo for the image in the canvas: the snapshot every edit takes, and the exchange of the
// snapshot with the current pixels and depth that Undo and Redo share.

#include "editor/EditCanvas.h"
#include "editor/RangeSelection.h"

#include <cassert>
#include <utility>

namespace vantle {

void EditCanvas::TakeUndoSnapshot() {
    assert(imageIndex_ >= 0);
    // A shape left open by a release away from the canvas would later be pasted over this edit; it is
    // dropped and its preview taken off the screen. (Tools take their own snapshot with no shape open.)
    if (strokeOpen_ && strokeTool_ >= kToolLine && strokeTool_ <= kToolCheckerEllipse) {
        endOpenStroke(false);
        RepaintChangedAt(workBuffer, imageOffsetX, imageOffsetY);
    }
    CopyWindow(undoBuffer, workBuffer, imageOffsetX, imageOffsetY);
    savedDepth_ = document_.images[static_cast<std::size_t>(imageIndex_)].depth;
    events_.setModified();
    editBufferChanged = true;
    document_.paletteCurrent = false;
    SetUndoState(UndoState::UndoAvailable);
}

void EditCanvas::SetUndoState(UndoState state) {
    undoState_ = state;
    events_.undoStateChanged(state);
}

void EditCanvas::Undo() {
    if (undoState_ != UndoState::UndoAvailable)
        return;
    // A floating piece is dropped first (a snapshot of its own), so Undo takes back the whole lift, move
    // or paste and Redo puts it back.
    if (selection_ != nullptr)
        selection_->DropSelection();
    exchangeWithSnapshot();
    SetUndoState(UndoState::RedoAvailable);
}

void EditCanvas::Redo() {
    if (undoState_ != UndoState::RedoAvailable)
        return;
    exchangeWithSnapshot();
    SetUndoState(UndoState::UndoAvailable);
}

void EditCanvas::exchangeWithSnapshot() {
    assert(imageIndex_ >= 0);
    endOpenStroke(false); // the exchange repaints over any preview still on the screen
    PixelGrid current;
    CopyWindow(current, workBuffer, imageOffsetX, imageOffsetY);
    PasteWindow(workBuffer, imageOffsetX, imageOffsetY, undoBuffer);
    CopyGrid(undoBuffer, current);
    RepaintChangedAt(workBuffer, imageOffsetX, imageOffsetY);
    IconImage& image = document_.images[static_cast<std::size_t>(imageIndex_)];
    std::swap(image.depth, savedDepth_);
    events_.depthRestored(image.depth);
    editBufferChanged = true;
}

} // namespace vantle
