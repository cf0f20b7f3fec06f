// The window operations that (re)build what the window shows of the document: reset, the first image,
// showing an image in the editor, inserting behind the selected image, committing the edited image.

#include "anim/SequenceEdits.h"
#include "app/AnimationPanel.h"
#include "app/EditPanel.h"
#include "app/ImageListPanel.h"
#include "app/MainWindow.h"
#include "app/PalettePanel.h"
#include "app/PropertyPanel.h"
#include "app/QtText.h"
#include "app/WindowText.h"
#include "model/ImageOps.h"
#include "model/TextNumber.h"

#include <QAction>

#include <algorithm>

namespace vantle::ui {

namespace {

std::int16_t storedHotspot(double value) {
    if (value <= 0)
        return 0;
    return static_cast<std::int16_t>(std::min(roundEven(value), 32767));
}

} // namespace

void frmICON::showPropertyCaption() {
    properties_->showCaption(QString("%1 / %2").arg(state_.selectedImage + 1).arg(document_.imageCount));
}

void frmICON::showDepth(ColourDepth depth) {
    QString caption;
    bool reduce = true;
    switch (depth) {
    case kDepthUndetermined:
        caption = qs(kDepthUnknown);
        reduce = false;
        break;
    case 2:
        caption = "2";
        reduce = false;
        break;
    case kDepthFull:
        caption = "Full";
        break;
    case kDepth32:
        caption = qs(kDepth32Caption);
        break;
    default:
        caption = QString::number(depth);
        break;
    }
    properties_->showDepthText(caption);
    action("M_E_Gen")->setEnabled(reduce);
    action("tberIcon_Gen")->setEnabled(reduce);
    action("M_E_To32")->setEnabled(settings_.trueColour && depth != kDepth32);
}

void frmICON::setUndoState(UndoState state) {
    // Frames added from a picture stay undoable while other images are shown.
    if (state == UndoState::None && framesUndo_)
        state = UndoState::UndoAvailable;
    action("M_E_Bf")->setEnabled(state == UndoState::UndoAvailable);
    action("tberIcon_Undo")->setEnabled(state == UndoState::UndoAvailable);
    action("M_E_Nx")->setEnabled(state == UndoState::RedoAvailable);
    action("tberIcon_Redo")->setEnabled(state == UndoState::RedoAvailable);
}

void frmICON::DrawImageSlot(int slot, int image) {
    imageList_->DrawImageSlot(slot, image);
}

void frmICON::ResetDocument() {
    state_.modified = false;
    editPanel_->canvas().editBufferChanged = false;
    // A new document: the files read into the last one no longer matter to saving.
    origin_.forget();
    imageList_->clearSlots();
    state_.selectedImage = 0;
    state_.selectedSlot = 0;
    imageList_->slotsInUse = 0;
    properties_->showCaption(qs(kNoSelection));
    properties_->showDepthText(qs(kDepthUnknown));
    state_.sequenceMade = false;
    animationPanel_->resetPanel();
    imageList_->setScrollQuietly(0, 0, false);
    // No images, no steps, every pixel of the storage transparent and the palettes white.
    document_.clearImages(settings_.markers.transparent);
    editPanel_->canvas().workBuffer.fill(settings_.markers.transparent);
    editPanel_->selection().discard();
    action("M_E_Gen")->setEnabled(false);
    action("tberIcon_Gen")->setEnabled(false);
    state_.editorRefresh = false;
    state_.imageInEditor = 0;
    document_.paletteCurrent = false;
    updateSaveItems();
}

void frmICON::CreateFirstImage() {
    const int image = state_.selectedImage;
    IconImage& first = document_.images[static_cast<std::size_t>(image)];
    first.depth = kDepthUndetermined;
    first.width = 32;
    first.height = 32;
    first.hotspotX = 0;
    first.hotspotY = 0;
    imageList_->slotMap[static_cast<std::size_t>(state_.selectedSlot)] = image;
    imageList_->DrawImageSlot(state_.selectedSlot, image);
    ++document_.imageCount;
    editPanel_->loadImage(image);
    state_.imageInEditor = image;
    showPropertyCaption();
    imageList_->placeMarker(state_.selectedSlot);
    showDepth(kDepthUndetermined);
    properties_->showSize(32, 32);
    properties_->showHotspot(0, 0);
    imageList_->showSize(32);
    imageList_->updateButtons();
    setUndoState(UndoState::None);
}

void frmICON::ShowImageInEditor(int slot) {
    if (slot < 0 || slot >= ImageListPanel::kSlots || imageList_->slotMap[static_cast<std::size_t>(slot)] < 0)
        return;
    imageList_->hideMarker();
    state_.selectedImage = imageList_->slotMap[static_cast<std::size_t>(slot)];
    state_.selectedSlot = slot;
    const IconImage& image = document_.images[static_cast<std::size_t>(state_.selectedImage)];
    imageList_->placeMarker(slot);
    showPropertyCaption();
    showDepth(image.depth);
    properties_->showSize(image.width, image.height);
    properties_->showHotspot(image.hotspotX, image.hotspotY);
    imageList_->showSize(image.width);
    if (selectedTab() != 1) {
        // The canvas keeps what it showed: the edit tab shows the selected image again when next selected.
        state_.editorRefresh = true;
        return;
    }
    if (image.trueColour()) {
        editPanel_->showTrueColourImage(state_.selectedImage);
        state_.imageInEditor = state_.selectedImage;
        return;
    }
    editPanel_->loadImage(state_.selectedImage);
    // The canvas now holds the image as stored; edits of what it showed before are gone with it, and must
    // never be committed into this image later.
    editPanel_->canvas().editBufferChanged = false;
    editPanel_->palette().selectOption(0);
    editPanel_->palette().setScrollMaximum(14);
    state_.imageInEditor = state_.selectedImage;
    document_.paletteCurrent = false;
}

bool frmICON::growForNewImage() {
    if (document_.growForImage(document_.imageCount))
        return true;
    platform_.showMessage(kImageLimitReached, MessageButtons::Ok, MessageIcon::Error);
    return false;
}

void frmICON::InsertAfterSelected() {
    ImageListPanel& list = *imageList_;
    // The slot steps below work on the selected slot: it must be one that is shown.
    list.bringSelectedIntoView();
    ++document_.imageCount;
    joinFrameOfInsertedImage(document_, state_.selectedImage + 1);
    const int count = document_.imageCount;
    auto redrawAfterSelected = [&] {
        for (int s = state_.selectedSlot + 1; s < list.slotsInUse && s < ImageListPanel::kSlots; ++s)
            if (s >= 0)
                list.DrawImageSlot(s, list.slotMap[static_cast<std::size_t>(s)]);
    };
    if (count > 6) {
        list.setScrollQuietly(count - 6, list.scrollValue(), true);
        list.slotsInUse = 6;
        if (state_.selectedSlot == 5)
            list.scrollTo(list.scrollValue() + 1);
        else
            redrawAfterSelected();
    } else {
        list.slotsInUse = count;
        list.slotMap[static_cast<std::size_t>(count - 1)] = count - 1;
        redrawAfterSelected();
    }
    if (state_.sequenceMade)
        shiftStepsAfterInsert(document_, state_.selectedImage);
    if (state_.selectedSlot < 5)
        ++state_.selectedSlot;
    ShowImageInEditor(state_.selectedSlot);
    list.updateButtons();
    if (selectedTab() == 2)
        animationPanel_->fillPanel();
}

void frmICON::hotspotTyped() {
    if (editPanel_ != nullptr)
        editPanel_->showTypedHotspot(storedHotspot(properties_->hotspotXValue()),
                                     storedHotspot(properties_->hotspotYValue()));
}

void frmICON::CommitEditedImage() {
    if (state_.selectedImage < 0)
        return;
    IconImage& image = document_.images[static_cast<std::size_t>(state_.selectedImage)];
    // A 32-bit image is drawn on in place: only a floating piece or an open stroke is still to go in.
    if (!image.trueColour())
        editPanel_->canvas().commitPixels();
    else if (state_.imageInEditor == state_.selectedImage)
        editPanel_->commitTrueColour();
    const double x = properties_->hotspotXValue();
    const double y = properties_->hotspotYValue();
    if (x != image.hotspotX || y != image.hotspotY) {
        image.hotspotX = storedHotspot(x);
        image.hotspotY = storedHotspot(y);
        state_.modified = true;
        // Files written with the true-colour setting on keep the hotspot on the image, as readers expect.
        if (settings_.trueColour && (image.hotspotX >= image.width || image.hotspotY >= image.height)) {
            image.hotspotX =
                std::min<std::int16_t>(image.hotspotX, static_cast<std::int16_t>(image.width - 1));
            image.hotspotY =
                std::min<std::int16_t>(image.hotspotY, static_cast<std::int16_t>(image.height - 1));
            properties_->showHotspot(image.hotspotX, image.hotspotY);
        }
    }
    if (image.trueColour()) {
        image.full.hotspotX = image.hotspotX;
        image.full.hotspotY = image.hotspotY;
    }
}

} // namespace vantle::ui
