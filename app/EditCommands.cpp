// The Edit menu: undo and redo, reduce colours, the whole-image transforms of the image in the canvas and
// range editing.

#include "app/EditPanel.h"
#include "app/ImageListPanel.h"
#include "app/MainWindow.h"
#include "editor/Transforms.h"
#include "model/ColourAnalysis.h"
#include "model/TrueColourDocument.h"

namespace vantle::ui {

bool frmICON::exchangeWholeImageUndo(bool undo) {
    if (!wholeImageUndo_ || wholeImageUndo_->image != state_.selectedImage ||
        wholeImageUndo_->undone != !undo)
        return false;
    imageList_->bringSelectedIntoView();
    std::swap(document_.images[static_cast<std::size_t>(wholeImageUndo_->image)], wholeImageUndo_->other);
    wholeImageUndo_->undone = undo;
    state_.modified = true;
    ShowImageInEditor(state_.selectedSlot);
    DrawImageSlot(state_.selectedSlot, state_.selectedImage);
    setUndoState(undo ? UndoState::RedoAvailable : UndoState::UndoAvailable);
    return true;
}

void frmICON::M_E_Bf_Click() {
    if (undoAddedFrames())
        return;
    // A floating piece goes into the image first, so that Undo takes the whole move back.
    if (selectedTab() == 1)
        editPanel_->commitTrueColour();
    // A shown 32-bit image has only that step: the grid canvas behind it keeps its own for later.
    if (exchangeWholeImageUndo(true) || editPanel_->trueColourShown())
        return;
    if (selectedTab() == 1 && editPanel_->canvas().undoState() == UndoState::UndoAvailable)
        editPanel_->canvas().Undo();
}

void frmICON::M_E_Nx_Click() {
    if (exchangeWholeImageUndo(false) || editPanel_->trueColourShown())
        return;
    if (selectedTab() == 1 && editPanel_->canvas().undoState() == UndoState::RedoAvailable)
        editPanel_->canvas().Redo();
}

void frmICON::beginTrueColourChange(int imageIndex) {
    // The list stays where it is: this may come from a click on another slot, which must keep its image.
    WholeImageUndo undo{imageIndex, document_.images[static_cast<std::size_t>(imageIndex)], false};
    setModified();
    wholeImageUndo_ = std::move(undo);
    setUndoState(UndoState::UndoAvailable);
}

void frmICON::changeTrueColourImage(const std::function<void(IconImage&)>& change) {
    if (selectedTab() == 1)
        editPanel_->commitTrueColour();
    imageList_->bringSelectedIntoView(); // its slot and the editor show the result
    beginTrueColourChange(state_.selectedImage);
    change(document_.images[static_cast<std::size_t>(state_.selectedImage)]);
    ShowImageInEditor(state_.selectedSlot);
    DrawImageSlot(state_.selectedSlot, state_.selectedImage);
    setUndoState(UndoState::UndoAvailable); // showing the image again took it away
}

void frmICON::M_E_Gen_Click() {
    IconImage& image = document_.images[static_cast<std::size_t>(state_.selectedImage)];
    if (image.depth == 2 || image.depth == kDepthUndetermined)
        return;
    if (image.trueColour()) {
        changeTrueColourImage([&](IconImage& im) { reduceTrueColourImage(im, settings_.markers); });
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

void frmICON::M_E_To32_Click() {
    const IconImage& image = document_.images[static_cast<std::size_t>(state_.selectedImage)];
    if (!settings_.trueColour || selectedTab() != 1 || image.trueColour())
        return;
    CommitEditedImage(); // what the canvas shows goes in first
    changeTrueColourImage([this](IconImage& im) {
        CursorImage full = cursorImageOfGrid(im, settings_.markers);
        full.storedBits = 32;
        const bool sameFrame = im.sameFrame;
        setTrueColourImage(im, std::move(full));
        im.sameFrame = sameFrame;
    });
}

void frmICON::M_E_To_Click() {
    if (document_.images[static_cast<std::size_t>(state_.selectedImage)].trueColour())
        changeTrueColourImage([](IconImage& im) { invertTrueColour(im.full); });
    else
        invertColours(editPanel_->canvas(), settings_.markers);
}
void frmICON::M_E_Mono_Click() {
    if (document_.images[static_cast<std::size_t>(state_.selectedImage)].trueColour())
        changeTrueColourImage([](IconImage& im) { makeTrueColourMonochrome(im.full); });
    else
        makeMonochrome(editPanel_->canvas(), settings_.markers);
}
void frmICON::turnSelectedImage(Turn turn) {
    const IconImage& image = document_.images[static_cast<std::size_t>(state_.selectedImage)];
    if (image.trueColour())
        changeTrueColourImage([turn](IconImage& im) { turnTrueColour(im.full, turn); });
    else
        turnImage(editPanel_->canvas(), turn, settings_.markers);
}

void frmICON::M_E_TurnR_Click() {
    turnSelectedImage(Turn::Right);
}
void frmICON::M_E_TurnL_Click() {
    turnSelectedImage(Turn::Left);
}
void frmICON::M_E_UpDn_Click() {
    turnSelectedImage(Turn::UpsideDown);
}
void frmICON::M_E_RtLt_Click() {
    turnSelectedImage(Turn::Mirror);
}
void frmICON::shiftClicked(int direction) {
    editPanel_->shiftImageBy(direction);
}

// Range editing works on the edit tab only (the shortcuts reach the window on every tab).
void frmICON::M_E_HANI_Click() {
    if (selectedTab() == 1)
        editPanel_->startRange();
}
void frmICON::M_E_CUT_Click() {
    if (selectedTab() == 1)
        editPanel_->cutRange();
}
void frmICON::M_E_COPY_Click() {
    if (selectedTab() == 1)
        editPanel_->copyRange();
}
void frmICON::M_E_PAST_Click() {
    if (selectedTab() == 1)
        editPanel_->pasteRange();
}
void frmICON::M_E_HANIL_Click() {
    editPanel_->clearRange();
}
void frmICON::M_E_CL_Click() {
    editPanel_->cancelRange();
}

} // namespace vantle::ui
