// The Edit menu: undo and redo, reduce colours, the whole-image transforms of the image in the canvas and
// range editing.

#include "app/EditPanel.h"
#include "app/ImageListPanel.h"
#include "app/MainWindow.h"
#include "editor/Transforms.h"
#include "model/ColourAnalysis.h"
#include "model/TrueColourDocument.h"

namespace vantle::ui {

bool frmICON::exchangeReduceUndo(bool undo) {
    if (!reduceUndo_ || reduceUndo_->image != state_.selectedImage || reduceUndo_->undone != !undo)
        return false;
    imageList_->bringSelectedIntoView();
    std::swap(document_.images[static_cast<std::size_t>(reduceUndo_->image)], reduceUndo_->other);
    reduceUndo_->undone = undo;
    state_.modified = true;
    ShowImageInEditor(state_.selectedSlot);
    DrawImageSlot(state_.selectedSlot, state_.selectedImage);
    setUndoState(undo ? UndoState::RedoAvailable : UndoState::UndoAvailable);
    return true;
}

void frmICON::M_E_Bf_Click() {
    if (undoAddedFrames() || exchangeReduceUndo(true))
        return;
    if (selectedTab() == 1 && editPanel_->canvas().undoState() == UndoState::UndoAvailable)
        editPanel_->canvas().Undo();
}

void frmICON::M_E_Nx_Click() {
    if (exchangeReduceUndo(false))
        return;
    if (selectedTab() == 1 && editPanel_->canvas().undoState() == UndoState::RedoAvailable)
        editPanel_->canvas().Redo();
}

void frmICON::M_E_Gen_Click() {
    IconImage& image = document_.images[static_cast<std::size_t>(state_.selectedImage)];
    if (image.depth == 2 || image.depth == kDepthUndetermined)
        return;
    if (image.trueColour()) {
        imageList_->bringSelectedIntoView(); // its slot and the editor show the result
        ReduceUndo undo{state_.selectedImage, image, false};
        reduceTrueColourImage(image, settings_.markers);
        setModified();
        reduceUndo_ = std::move(undo);
        ShowImageInEditor(state_.selectedSlot);
        DrawImageSlot(state_.selectedSlot, state_.selectedImage);
        setUndoState(UndoState::UndoAvailable);
        return;
    }
    platform_.setBusy(true);
    EditCanvas& canvas = editPanel_->canvas();
    canvas.settleSelection();
    canvas.TakeUndoSnapshot();
    canvas.commitPixels();
    canvas.editBufferChanged = true;
    reduceColours(document_, state_.selectedImage, settings_.markers);
    canvas.reloadFromImage();
    showDepth(image.depth);
    platform_.setBusy(false);
}

void frmICON::M_E_To_Click() {
    invertColours(editPanel_->canvas(), settings_.markers);
}
void frmICON::M_E_Mono_Click() {
    makeMonochrome(editPanel_->canvas(), settings_.markers);
}
void frmICON::M_E_TurnR_Click() {
    turnImage(editPanel_->canvas(), Turn::Right, settings_.markers);
}
void frmICON::M_E_TurnL_Click() {
    turnImage(editPanel_->canvas(), Turn::Left, settings_.markers);
}
void frmICON::M_E_UpDn_Click() {
    turnImage(editPanel_->canvas(), Turn::UpsideDown, settings_.markers);
}
void frmICON::M_E_RtLt_Click() {
    turnImage(editPanel_->canvas(), Turn::Mirror, settings_.markers);
}
void frmICON::shiftClicked(int direction) {
    editPanel_->shiftImageBy(direction);
}

// Range editing works on the edit tab only (the shortcuts reach the window on every tab).
void frmICON::M_E_HANI_Click() {
    if (selectedTab() == 1)
        editPanel_->selection().StartRangeMode();
}
void frmICON::M_E_CUT_Click() {
    if (selectedTab() == 1)
        editPanel_->selection().CutSelection();
}
void frmICON::M_E_COPY_Click() {
    if (selectedTab() == 1)
        editPanel_->selection().CopySelection();
}
void frmICON::M_E_PAST_Click() {
    if (selectedTab() == 1)
        editPanel_->selection().PasteSelection();
}
void frmICON::M_E_HANIL_Click() {
    editPanel_->selection().ClearSelection();
}
void frmICON::M_E_CL_Click() {
    editPanel_->selection().CancelSelection();
}

} // namespace vantle::ui
