// The commands of the picture panel: open a picture file, take the clipboard's picture, open the picture
// window, and turn the chosen preview into a new image or write it over the current one.

#include "app/EditPanel.h"
#include "app/MainWindow.h"
#include "app/PicturePanel.h"
#include "app/PictureText.h"
#include "app/PictureWindow.h"
#include "app/QtText.h"
#include "app/TrueColourPictureDialog.h"
#include "app/WindowText.h"
#include "model/ImageOps.h"
#include "platform/qt/WidgetSetup.h"

namespace vantle::ui {

void PicturePanel::cmdBNew_Click() {
    hideSelection();
    IconDocument& d = window_.document();
    const std::string remembered = d.filePath;
    d.filePath.clear();
    if (!window_.openPictureDialog())
        d.filePath = remembered;
}

void PicturePanel::cmdBClip_Click() {
    const auto picture = window_.platform().pictureFromClipboard();
    if (!picture || picture->empty()) {
        window_.platform().showMessage(kNoClipboardPicture, MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    clearPicture();
    showPicture(*picture, std::string(kClipboardTitle));
    window_.selectTab(3);
}

void PicturePanel::cmdBBig_Click() {
    hideSelection();
    if (pictureWindow_) {
        pictureWindow_->raise();
        pictureWindow_->activateWindow();
        return;
    }
    if (picture_.empty())
        return;
    pictureWindow_ = new frmPICTURE(*this, picture_, title_, &window_);
    pictureWindow_->show();
}

void PicturePanel::storeChosenPreview(int index) {
    IconImage& image = window_.document().images[static_cast<std::size_t>(index)];
    image.full = {}; // over a 32-bit image: the preview's grid is the image now
    storePreview(previews_[static_cast<std::size_t>(selectedSize_)], image, window_.markers());
}

void PicturePanel::cmdBIn_Click() {
    // Only a preview of a picture that is shown can become an image.
    if (selectedSize_ < 0 || !pictureShown())
        return;
    hideSelection();
    if (!window_.growForNewImage())
        return;
    IconDocument& d = window_.document();
    window_.CommitEditedImage();
    window_.setModified();
    const int current = window_.state().selectedImage;
    moveImagesBack(d, current);
    storeChosenPreview(current + 1);
    IconImage& added = d.images[static_cast<std::size_t>(current + 1)];
    added.hotspotX = 0;
    added.hotspotY = 0;
    window_.InsertAfterSelected();
    window_.state().editorRefresh = true;
}

void PicturePanel::cmdBTc_Click() {
    if (!pictureShown() || picture_.empty())
        return;
    if (!trueColourDialog_) {
        trueColourDialog_ = makeChild<TrueColourPictureDialog>(&window_, "frmTCPIC", *this, window_);
        trueColourDialog_->setAttribute(Qt::WA_DeleteOnClose);
    }
    trueColourDialog_->refresh();
    trueColourDialog_->show();
    trueColourDialog_->raise();
}

void PicturePanel::cmdBAll_Click() {
    if (selectedSize_ < 0 || !pictureShown() || frames_.size() < 2)
        return;
    hideSelection();
    // Every frame becomes an image the way the chosen preview was made: the same area and size.
    std::vector<IconImage> images;
    std::vector<int> delaysMs;
    for (std::size_t f = 0; f < frames_.size(); ++f) {
        const std::optional<PreviewSet> set =
            previewArea_ ? previewSelectedArea(frames_[f], *previewArea_, window_.markers())
                         : previewWholePicture(frames_[f], window_.markers());
        if (!set)
            continue;
        IconImage& image = images.emplace_back();
        image.pixels.fill(window_.markers().transparent);
        storePreview((*set)[static_cast<std::size_t>(selectedSize_)], image, window_.markers());
        delaysMs.push_back(delaysMs_[f]);
    }
    window_.addPictureFrames(images, delaysMs);
}

void PicturePanel::cmdBUp_Click() {
    if (selectedSize_ < 0 || !pictureShown() || window_.document().imageCount <= 0)
        return;
    hideSelection();
    window_.CommitEditedImage();
    window_.setModified();
    WindowState& st = window_.state();
    storeChosenPreview(st.selectedImage);
    // The edit buffer still holds the old pixels; it takes the new image when the edit tab shows it, and
    // until then nothing may copy the old pixels back.
    EditCanvas& canvas = window_.editPanel().canvas();
    canvas.editBufferChanged = false;
    window_.DrawImageSlot(st.selectedSlot, st.selectedImage);
    window_.ShowImageInEditor(st.selectedSlot);
    st.editorRefresh = true;
}

} // namespace vantle::ui
