// The frames of an animated picture added to the document in one step, and that step undone.

#include "anim/StepSequence.h"
#include "app/AnimationPanel.h"
#include "app/ImageListPanel.h"
#include "app/MainWindow.h"
#include "model/ImageOps.h"
#include "model/LosslessCursor.h"
#include "model/TrueColourDocument.h"

namespace vantle::ui {

void frmICON::addPictureFrames(const std::vector<IconImage>& images, const std::vector<int>& delaysMs) {
    assert(images.size() == delaysMs.size());
    CommitEditedImage();
    FramesUndo undo;
    undo.first = state_.selectedImage + 1;
    undo.sequenceMade = state_.sequenceMade;
    undo.steps.assign(document_.steps.begin(), document_.steps.begin() + document_.stepCount);
    // The sequence the animation tab would make is made first, so that the frames' steps follow it.
    if (!state_.sequenceMade)
        state_.sequenceMade = makeDefaultSequence(document_);
    for (std::size_t f = 0; f < images.size(); ++f) {
        if (!growForNewImage() || !document_.growForStep(document_.stepCount))
            break;
        moveImagesBack(document_, state_.selectedImage);
        document_.images[static_cast<std::size_t>(state_.selectedImage + 1)] = images[f];
        InsertAfterSelected();
        const std::int32_t rate = rateOfTicks(std::int64_t{delaysMs[f]} * kTicksPerMillisecond);
        document_.steps[static_cast<std::size_t>(document_.stepCount++)] = {state_.selectedImage, rate};
        ++undo.count;
    }
    if (undo.count == 0)
        return;
    setModified();
    state_.editorRefresh = true;
    framesUndo_ = std::move(undo);
    setUndoState(UndoState::UndoAvailable);
}

void frmICON::addTrueColourFrame(const std::vector<CursorImage>& images) {
    CommitEditedImage();
    // After the last size of the selected image's frame, so that the new frame stands on its own.
    int last = state_.selectedImage;
    while (last + 1 < document_.imageCount && document_.images[static_cast<std::size_t>(last + 1)].sameFrame)
        ++last;
    if (last != state_.selectedImage) {
        imageList_->showDocument(last);
        ShowImageInEditor(state_.selectedSlot);
    }
    for (std::size_t k = 0; k < images.size(); ++k) {
        if (!growForNewImage())
            break;
        moveImagesBack(document_, state_.selectedImage);
        IconImage& added = document_.images[static_cast<std::size_t>(state_.selectedImage + 1)];
        added.clearPixels(settings_.markers.transparent);
        setTrueColourImage(added, images[k]);
        added.sameFrame = k > 0;
        InsertAfterSelected();
    }
    setModified();
    state_.editorRefresh = true;
}

bool frmICON::undoAddedFrames() {
    if (!framesUndo_)
        return false;
    const FramesUndo undo = std::move(*framesUndo_);
    framesUndo_.reset();
    IconDocument& d = document_;
    for (int i = undo.first + undo.count; i < d.imageCount; ++i)
        d.images[static_cast<std::size_t>(i - undo.count)].copyPictureFrom(
            d.images[static_cast<std::size_t>(i)]);
    for (int i = d.imageCount - undo.count; i < d.imageCount; ++i)
        d.images[static_cast<std::size_t>(i)].clearPixels(settings_.markers.transparent);
    d.imageCount = static_cast<std::int16_t>(d.imageCount - undo.count);
    std::copy(undo.steps.begin(), undo.steps.end(), d.steps.begin());
    d.stepCount = static_cast<std::int32_t>(undo.steps.size());
    state_.sequenceMade = undo.sequenceMade;
    state_.modified = true;
    imageList_->showDocument(undo.first - 1);
    ShowImageInEditor(state_.selectedSlot);
    if (selectedTab() == 2)
        animationPanel_->fillPanel();
    setUndoState(UndoState::None);
    return true;
}

} // namespace vantle::ui
