#include "app/ImageListPanel.h"

#include "anim/SequenceEdits.h"
#include "app/BinPanel.h"
#include "app/EditPanel.h"
#include "app/MainWindow.h"
#include "app/PictureBoxWidget.h"
#include "app/QtColours.h"
#include "app/QtText.h"
#include "app/TrueColourPicture.h"
#include "app/WindowText.h"
#include "model/ColourAnalysis.h"
#include "model/CursorFiles.h"
#include "model/ImageOps.h"
#include "model/TrueColourDocument.h"
#include "platform/qt/WidgetSetup.h"
#include "theme/CursorScaling.h"

#include <QComboBox>
#include <QFrame>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace vantle::ui {

namespace {

constexpr int kSlotBox = 52;
constexpr int kSlotPitch = 56;
constexpr int kTop = 22;

QPushButton* makeButton(QWidget* parent, const char* name, std::string_view caption, std::string_view tip,
                        int y) {
    return placedButton(parent, name, {88, y, 112, 26}, qs(caption), qs(tip));
}

} // namespace

ImageListPanel::ImageListPanel(frmICON& window, QWidget* parent)
    : QGroupBox(QString::fromUtf8(kImageFrame.data()), parent), window_(window) {
    setObjectName("fImg");
    slotMap.fill(-1);
    spSW_ = makeChild<QFrame>(this, "spSW");
    spSW_->setFrameStyle(QFrame::Box | QFrame::Plain);
    spSW_->setLineWidth(2);
    spSW_->setStyleSheet("QFrame#spSW { border: 2px solid #0000c0; background: transparent; }");
    spSW_->hide();
    for (int s = 0; s < kSlots; ++s) {
        slotRects_[static_cast<std::size_t>(s)] = QRect(8, kTop + s * kSlotPitch, kSlotBox, kSlotBox);
        auto* box = makeChild<PictureBoxWidget>(this, QString("pImg_%1").arg(s));
        box->setCursor(Qt::PointingHandCursor);
        box->hide();
        connect(box, &PictureBoxWidget::clicked, this, [this, s](Qt::MouseButton) { pImg_Click(s); });
        pImg_[static_cast<std::size_t>(s)] = box;
    }
    vsBerImg_ = placed<QScrollBar>(this, "vsBerImg", {66, kTop, 17, kSlots * kSlotPitch - 4}, Qt::Vertical);
    vsBerImg_->setRange(0, 0);
    vsBerImg_->setPageStep(1);
    vsBerImg_->setEnabled(false);
    connect(vsBerImg_, &QScrollBar::valueChanged, this, [this](int v) { vsBerImg_Change(v); });

    cmdImgNew_ = makeButton(this, "cmdImgNew", kImgNew, kImgNewTip, kTop);
    cmdImgIn_ = makeButton(this, "cmdImgIn", kImgCopy, kImgCopyTip, kTop + 30);
    cmdImgApd_ = makeButton(this, "cmdImgApd", kImgAppend, kImgAppendTip, kTop + 60);
    cmdImgUni_ = makeButton(this, "cmdImgUni", kImgCombine, kImgCombineTip, kTop + 90);
    cmdImgDel_ = makeButton(this, "cmdImgDel", kImgDelete, kImgDeleteTip, kTop + 120);
    cbImgSiz_ = placed<QComboBox>(this, "cbImgSiz", {88, kTop + 156, 112, 26});
    cbImgSiz_->setToolTip(QString::fromUtf8(kImgSizeTip.data()));
    offerSizes(false);
    cmdDelList_ = makeButton(this, "cmdDelList", "ごみ箱", kBinOpenTip, kTop + 300);
    cmdDelList_->setEnabled(false);

    connect(cmdImgNew_, &QPushButton::clicked, this, [this] { cmdImgNew_Click(); });
    connect(cmdImgIn_, &QPushButton::clicked, this, [this] { cmdImgIn_Click(); });
    connect(cmdImgApd_, &QPushButton::clicked, this, [this] { cmdImgApd_Click(); });
    connect(cmdImgUni_, &QPushButton::clicked, this, [this] { cmdImgUni_Click(); });
    connect(cmdImgDel_, &QPushButton::clicked, this, [this] { cmdImgDel_Click(); });
    connect(cmdDelList_, &QPushButton::clicked, this, [this] { window_.bin().cmdDelList_Click(); });
}

void ImageListPanel::DrawImageSlot(int slot, int image) {
    if (slot < 0 || slot >= kSlots || image < 0 || image >= window_.document().imageCapacity())
        return;
    const IconImage& img = window_.document().images[static_cast<std::size_t>(image)];
    PictureBoxWidget& box = *pImg_[static_cast<std::size_t>(slot)];
    const QRect& r = slotRects_[static_cast<std::size_t>(slot)];
    QImage picture;
    if (img.trueColour()) {
        // A 32-bit image over a checkerboard, a large one reduced to the slot; the tip names its size
        // and frame.
        picture = thumbnailOfImage(img.full, kSlotBox - 4);
        const int frame = frameOfImages(window_.document())[static_cast<std::size_t>(image)];
        box.setToolTip(qs(kTrueColourSlotTip).arg(frame + 1).arg(img.width).arg(img.height));
    } else {
        picture = QImage(img.width, img.height, QImage::Format_RGB32);
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x)
                picture.setPixel(x, y, toQRgb(img.pixels(x, y)));
        box.setToolTip(QString());
    }
    box.setPicture(picture);
    box.move(r.left() + (r.width() - picture.width()) / 2, r.top() + (r.height() - picture.height()) / 2);
    box.show();
}

void ImageListPanel::clearSlots() {
    for (int s = 0; s < kSlots; ++s) {
        PictureBoxWidget& box = *pImg_[static_cast<std::size_t>(s)];
        box.resetPicture(32, 32);
        box.hide();
        slotMap[static_cast<std::size_t>(s)] = -1;
    }
}

void ImageListPanel::hideSlot(int slot) {
    pImg_[static_cast<std::size_t>(slot)]->hide();
    slotMap[static_cast<std::size_t>(slot)] = -1;
}

void ImageListPanel::placeMarker(int slot) {
    if (slot < 0 || slot >= kSlots)
        return;
    const QWidget& box = *pImg_[static_cast<std::size_t>(slot)];
    spSW_->setGeometry(box.x() - 2, box.y() - 2, box.width() + 4, box.height() + 4);
    spSW_->lower();
    spSW_->show();
}

void ImageListPanel::hideMarker() {
    spSW_->hide();
}

void ImageListPanel::showMarker() {
    const int slot = window_.state().selectedSlot;
    if (slot >= 0 && slot < kSlots && slotMap[static_cast<std::size_t>(slot)] >= 0)
        placeMarker(slot);
}

void ImageListPanel::setScrollQuietly(int maximum, int value, bool enabled) {
    // A smaller range pulls the value in and Qt then signals a change; blocked here, so only the user's
    // own scrolling reaches the handler.
    const QSignalBlocker quiet(vsBerImg_);
    vsBerImg_->setRange(0, maximum);
    vsBerImg_->setValue(value);
    vsBerImg_->setEnabled(enabled);
}

void ImageListPanel::scrollTo(int value) {
    if (window_.document().imageCount <= kSlots)
        return;
    setScrollQuietly(vsBerImg_->maximum(), value, vsBerImg_->isEnabled());
    showFrom(vsBerImg_->value());
}

void ImageListPanel::bringSelectedIntoView() {
    const int slot = window_.state().selectedSlot;
    if (slot < 0)
        scrollTo(vsBerImg_->value() + slot);
    else if (slot >= kSlots)
        scrollTo(vsBerImg_->value() + slot - (kSlots - 1));
}

int ImageListPanel::scrollValue() const {
    return vsBerImg_->value();
}

void ImageListPanel::updateButtons() {
    const WindowState& st = window_.state();
    const bool inView = st.selectedSlot >= 0 && st.selectedSlot < kSlots;
    for (QPushButton* b : {cmdImgNew_, cmdImgIn_, cmdImgApd_, cmdImgDel_})
        b->setEnabled(inView);
    cmdImgUni_->setEnabled(inView && st.selectedImage < window_.document().imageCount - 1);
}

void ImageListPanel::offerSizes(bool trueColour) {
    const QSignalBlocker quiet(cbImgSiz_);
    const int chosen = chosenSize();
    cbImgSiz_->clear();
    if (trueColour) {
        for (int size : kTrueColourSizes)
            cbImgSiz_->addItem(QStringLiteral("%1 x %1").arg(size), size);
    } else {
        const int sizes[] = {16, 32, 48};
        for (int i = 0; i < 3; ++i)
            cbImgSiz_->addItem(QString::fromUtf8(kImgSizes[static_cast<std::size_t>(i)].data()), sizes[i]);
    }
    const int item = cbImgSiz_->findData(chosen);
    cbImgSiz_->setCurrentIndex(item >= 0 ? item : 0);
}

void ImageListPanel::showSize(int width) {
    if (cbImgSiz_->count() != 3) {
        // The true-colour list names every size it holds; another width leaves the choice alone.
        if (const int item = cbImgSiz_->findData(width); item >= 0)
            cbImgSiz_->setCurrentIndex(item);
        return;
    }
    const int item = width / 16 - 1;
    if (item >= 0 && item < cbImgSiz_->count())
        cbImgSiz_->setCurrentIndex(item);
}

int ImageListPanel::chosenSize() const {
    return cbImgSiz_->currentIndex() < 0 ? 0 : cbImgSiz_->currentData().toInt();
}

void ImageListPanel::setSlotPixel(int slot, int x, int y, colourRGB colour) {
    if (slot >= 0 && slot < kSlots && slotMap[static_cast<std::size_t>(slot)] >= 0)
        pImg_[static_cast<std::size_t>(slot)]->setPixel(x, y, colour);
}

void ImageListPanel::pImg_Click(int slot) {
    if (slot < 0 || slot >= kSlots || slotMap[static_cast<std::size_t>(slot)] < 0)
        return;
    WindowState& st = window_.state();
    window_.CommitEditedImage();
    if (slot != st.selectedSlot) {
        window_.ShowImageInEditor(slot);
        updateButtons();
    }
    IconDocument& d = window_.document();
    IconImage& image = d.images[static_cast<std::size_t>(st.selectedImage)];
    // A 32-bit image keeps the depth it was read or reduced to; only a grid is counted.
    if (!image.trueColour())
        image.depth = depthFromCount(countColours(d, st.selectedImage, window_.markers()));
    window_.showDepth(image.depth);
    if (window_.selectedTab() == 1)
        window_.editPanel().imageSlotClicked();
}

void ImageListPanel::showDocument(int selectedImage) {
    WindowState& st = window_.state();
    const int count = window_.document().imageCount;
    assert(selectedImage >= 0 && selectedImage < count);
    clearSlots();
    hideMarker();
    const int top = count > kSlots ? std::clamp(vsBerImg_->value(), std::max(selectedImage - (kSlots - 1), 0),
                                                std::min(selectedImage, count - kSlots))
                                   : 0;
    setScrollQuietly(std::max(count - kSlots, 0), top, count > kSlots);
    slotsInUse = std::min(count, kSlots);
    for (int s = 0; s < slotsInUse; ++s) {
        slotMap[static_cast<std::size_t>(s)] = top + s;
        DrawImageSlot(s, top + s);
    }
    st.selectedImage = selectedImage;
    st.selectedSlot = selectedImage - top;
    placeMarker(st.selectedSlot);
    updateButtons();
}

void ImageListPanel::vsBerImg_Change(int value) {
    window_.CommitEditedImage();
    showFrom(value);
}

void ImageListPanel::showFrom(int value) {
    WindowState& st = window_.state();
    hideMarker();
    // The selected slot moves against the list by as many places as the first slot's image moved.
    st.selectedSlot -= value - slotMap[0];
    updateButtons();
    for (int s = 0; s < kSlots; ++s) {
        slotMap[static_cast<std::size_t>(s)] = value + s;
        DrawImageSlot(s, value + s);
        if (value + s == st.selectedImage)
            placeMarker(s);
    }
}

bool ImageListPanel::prepareInsert(int& selected, int& size) {
    if (!window_.growForNewImage())
        return false;
    window_.setModified();
    window_.CommitEditedImage();
    IconDocument& d = window_.document();
    selected = window_.state().selectedImage;
    size = chosenSize();
    if (size == 0)
        size = d.images[static_cast<std::size_t>(selected)].width;
    moveImagesBack(d, selected);
    return true;
}

void ImageListPanel::cmdImgNew_Click() {
    int selected = 0;
    int size = 0;
    if (!prepareInsert(selected, size))
        return;
    IconImage& added = window_.document().images[static_cast<std::size_t>(selected + 1)];
    makeBlankImage(added, std::min(size, kImageGrid), window_.markers().transparent);
    // Sizes beyond the grid are offered with the true-colour setting on: a transparent 32-bit image.
    if (size > kImageGrid)
        setTrueColourImage(added, blankTrueColourImage(size));
    window_.InsertAfterSelected();
    window_.state().editorRefresh = true;
}

void ImageListPanel::cmdImgIn_Click() {
    int selected = 0;
    int size = 0;
    if (!prepareInsert(selected, size))
        return;
    IconDocument& d = window_.document();
    const IconImage& source = d.images[static_cast<std::size_t>(selected)];
    IconImage& copy = d.images[static_cast<std::size_t>(selected + 1)];
    if (source.trueColour() || size > kImageGrid) {
        // A 32-bit copy: the same pixels, or the image scaled by area averaging (whole-factor repetition
        // when enlarged by a whole factor).
        CursorImage image = cursorImageOf(source, window_.markers());
        if (image.width != size || image.height != size) {
            replaceInvertedPixels(image);
            image = theme::scaleImage(image, size);
        }
        image.storedBits = 32;
        copy.clearPixels(window_.markers().transparent);
        setTrueColourImage(copy, std::move(image));
    } else {
        copyScaled(source, copy, size);
    }
    window_.InsertAfterSelected();
    window_.state().editorRefresh = true;
}

void ImageListPanel::cmdImgApd_Click() {
    if (!window_.growForNewImage())
        return;
    window_.setModified();
    IconDocument& d = window_.document();
    const int c0 = d.imageCount;
    window_.LoadDocumentFile(FileLoadMode::Append);
    const int c1 = d.imageCount;
    if (c1 > c0) {
        const int added = c1 - c0;
        if (c1 < 7) {
            pImg_Click(c0);
        } else if (added > 5) {
            scrollTo(c0);
            pImg_Click(0);
        } else {
            scrollTo(c1 - 6);
            pImg_Click(6 - added);
        }
    } else {
        showMarker();
    }
}

void ImageListPanel::cmdImgUni_Click() {
    WindowState& st = window_.state();
    IconDocument& d = window_.document();
    if (st.selectedImage + 1 >= d.imageCount)
        return;
    window_.setModified();
    window_.CommitEditedImage();
    const int slot = st.selectedSlot;
    IconImage& base = d.images[static_cast<std::size_t>(st.selectedImage)];
    const IconImage& top = d.images[static_cast<std::size_t>(st.selectedImage + 1)];
    if (base.trueColour() || top.trueColour()) {
        combineTrueColour(base, top, window_.markers());
        window_.DrawImageSlot(slot, st.selectedImage);
    } else {
        combineInto(base, top, window_.markers().transparent,
                    [&](int x, int y, colourRGB c) { setSlotPixel(slot, x, y, c); });
    }
    window_.ShowImageInEditor(st.selectedSlot);
    st.editorRefresh = true;
}

void ImageListPanel::cmdImgDel_Click() {
    WindowState& st = window_.state();
    IconDocument& d = window_.document();
    if (st.selectedSlot < 0 || st.selectedSlot >= kSlots)
        return;
    window_.setModified();
    // The bin keeps pictures of the grid: a 32-bit image larger than the grid is deleted without one.
    if (const IconImage& gone = d.images[static_cast<std::size_t>(st.selectedImage)]; !gone.trueColour())
        window_.bin().PutIntoBin(pImg_[static_cast<std::size_t>(st.selectedSlot)]->picture());
    else if (gone.width <= kImageGrid && gone.height <= kImageGrid)
        window_.bin().PutIntoBin(gridPictureOf(gone.full, window_.markers()));
    const int deleted = st.selectedImage;
    const colourRGB transparent = window_.markers().transparent;
    if (st.selectedImage < d.imageCount - 1) {
        moveImagesForward(d, st.selectedImage);
    } else if (st.selectedImage == 0) {
        makeBlankImage(d.images[0], 32, transparent);
    } else {
        --st.selectedImage;
        --st.selectedSlot;
    }
    IconImage& last = d.images[static_cast<std::size_t>(d.imageCount - 1)];
    if (d.imageCount > 1)
        last.clearPixels(transparent);
    if (d.imageCount > 6) {
        --d.imageCount;
    } else if (d.imageCount >= 2) {
        --slotsInUse;
        hideMarker();
        hideSlot(slotsInUse);
        --d.imageCount;
    }
    int redrawEnd = 0;
    const int top = vsBerImg_->value();
    if (d.imageCount < 7) {
        setScrollQuietly(0, 0, false);
        redrawEnd = d.imageCount - 1;
    } else {
        setScrollQuietly(d.imageCount - 6, top, true);
        redrawEnd = 5;
    }
    // At the bottom of the list the smaller range pulls the list up by one: the slots follow as on a
    // scroll, and nothing is committed, since the canvas still holds the deleted image.
    if (vsBerImg_->value() != top)
        showFrom(vsBerImg_->value());
    for (int s = st.selectedSlot; s <= redrawEnd; ++s)
        if (s >= 0)
            DrawImageSlot(s, slotMap[static_cast<std::size_t>(s)]);
    window_.ShowImageInEditor(st.selectedSlot);
    if (st.sequenceMade) {
        removeStepsOfImage(d, deleted);
        if (window_.selectedTab() == 2)
            window_.TbSpIcon_Click(2);
    }
    st.editorRefresh = true;
}

} // namespace vantle::ui
