// The Edit menu: undo and redo, reduce colours and the whole-image transforms of the image in the canvas.

#include "app/EditPanel.h"
#include "app/MainWindow.h"
#include "editor/Transforms.h"
#include "model/ColourAnalysis.h"

namespace vantle::ui {

void frmICON::M_E_Bf_Click() {
    if (selectedTab() == 1 && editPanel_->canvas().undoState() == UndoState::UndoAvailable)
        editPanel_->canvas().Undo();
}

void frmICON::M_E_Nx_Click() {
    if (selectedTab() == 1 && editPanel_->canvas().undoState() == UndoState::RedoAvailable)
        editPanel_->canvas().Redo();
}

void frmICON::M_E_Gen_Click() {
    IconImage& image = document_.images[static_cast<std::size_t>(state_.selectedImage)];
    if (image.depth == 2 || image.depth == kDepthUndetermined)
        return;
    platform_.setBusy(true);
    EditCanvas& canvas = editPanel_->canvas();
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
    turnImage(editPanel_->canvas(), Turn::Right);
}
void frmICON::M_E_TurnL_Click() {
    turnImage(editPanel_->canvas(), Turn::Left);
}
void frmICON::M_E_UpDn_Click() {
    turnImage(editPanel_->canvas(), Turn::UpsideDown);
}
void frmICON::M_E_RtLt_Click() {
    turnImage(editPanel_->canvas(), Turn::Mirror);
}
void frmICON::shiftClicked(int direction) {
    editPanel_->shiftImageBy(direction);
}

} // namespace vantle::ui
