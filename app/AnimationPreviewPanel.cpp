#include "app/AnimationPreviewPanel.h"

#include "app/AnimationPanel.h"
#include "app/AnimationText.h"
#include "app/EditPanel.h"
#include "app/MainWindow.h"
#include "app/PictureBoxWidget.h"
#include "app/QtColours.h"
#include "app/QtText.h"
#include "app/TrueColourPicture.h"
#include "model/TrueColourDocument.h"
#include "platform/qt/WidgetSetup.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace vantle::ui {

AnimationPreviewPanel::AnimationPreviewPanel(frmICON& window, AnimationPanel& panel, QWidget* parent)
    : QGroupBox(qs(kTestFrame), parent), window_(window), panel_(panel) {
    setObjectName("fAniRun");
    lAniRW_ = placed<QLabel>(this, "lAniRW", {87, 28, kAreaSize, kAreaSize});
    lAniRW_->setAutoFillBackground(true);
    iAniRun_ = makeChild<PictureBoxWidget>(this, "iAniRun");
    iAniRun_->setStretch(true);
    iAniRun_->resize(kPreviewFrameSize, kPreviewFrameSize);
    iAniRun_->hide();
    cmdAniRun_ = placed<QPushButton>(this, "cmdAniRun", {16, 206, 134, 32}, qs(kRunPreview));
    connect(cmdAniRun_, &QPushButton::clicked, this, [this] { cmdAniRun_Click(); });
    cmdAniStop_ = placed<QPushButton>(this, "cmdAniStop", {156, 206, 134, 32}, qs(kStopPreview));
    connect(cmdAniStop_, &QPushButton::clicked, this, [this] { cmdAniStop_Click(); });
    timRun_ = makeChild<QTimer>(this, "timRun");
    connect(timRun_, &QTimer::timeout, this, [this] { timRun_Timer(); });
    lAniSize_ = placed<QLabel>(this, "lAniSize", {214, 24, 84, 18}, qs(kPreviewSize));
    cboAniSize_ = placed<QComboBox>(this, "cboAniSize", {214, 42, 84, 24});
    cboAniSize_->setToolTip(qs(kPreviewSizeTip));
    lAniBack_ = placed<QLabel>(this, "lAniBack", {214, 78, 84, 18}, qs(kPreviewBack));
    cboAniBack_ = placed<QComboBox>(this, "cboAniBack", {214, 96, 84, 24});
    cboAniBack_->setToolTip(qs(kPreviewBackTip));
    for (std::string_view back : kPreviewBacks)
        cboAniBack_->addItem(qs(back));
    connect(cboAniBack_, &QComboBox::currentIndexChanged, this, [this] { paintAreaBackground(); });
    // A new size plays from the start, placed anew.
    connect(cboAniSize_, &QComboBox::activated, this, [this] {
        if (timRun_->isActive() && timerMode == kPlay)
            cmdAniRun_Click();
    });
    for (QWidget* w : std::initializer_list<QWidget*>{lAniSize_, cboAniSize_, lAniBack_, cboAniBack_})
        w->hide();
    setAreaColour(window_.markers().transparent);
}

void AnimationPreviewPanel::setTrueColour(bool on) {
    cmdAniStop_Click();
    trueColour_ = on;
    for (QWidget* w : std::initializer_list<QWidget*>{lAniSize_, cboAniSize_, lAniBack_, cboAniBack_})
        w->setVisible(on);
    if (on)
        lAniRW_->setGeometry(8, 22, 200, 178);
    else
        lAniRW_->setGeometry(87, 28, kAreaSize, kAreaSize);
    refreshSizes();
    paintAreaBackground();
}

void AnimationPreviewPanel::refreshSizes() {
    if (!trueColour_)
        return;
    const int chosen = chosenSize();
    cboAniSize_->clear();
    for (int width : imageWidths(window_.document()))
        cboAniSize_->addItem(QString::number(width), width);
    // The size chosen before, else 32 as a desktop shows cursors, else the smallest.
    int item = cboAniSize_->findData(chosen > 0 ? chosen : 32);
    if (item < 0)
        item = cboAniSize_->findData(32);
    cboAniSize_->setCurrentIndex(std::max(item, 0));
}

int AnimationPreviewPanel::chosenSize() const {
    return cboAniSize_->currentIndex() < 0 ? 0 : cboAniSize_->currentData().toInt();
}

void AnimationPreviewPanel::paintAreaBackground() {
    QPalette palette = lAniRW_->palette();
    const int back = trueColour_ ? cboAniBack_->currentIndex() : 3;
    if (back == 0) {
        QPixmap tile(16, 16);
        QPainter painter(&tile);
        paintCheckerboard(painter, tile.rect(), 8);
        painter.end();
        palette.setBrush(QPalette::Window, QBrush(tile));
    } else {
        palette.setBrush(QPalette::Window, back == 1   ? QColor(Qt::white)
                                           : back == 2 ? QColor(Qt::black)
                                                       : toQColor(areaColour_));
    }
    lAniRW_->setPalette(palette);
}

void AnimationPreviewPanel::stopQuietly() {
    timRun_->stop();
    iAniRun_->hide();
}

void AnimationPreviewPanel::setButtonsEnabled(bool enabled) {
    cmdAniRun_->setEnabled(enabled);
    cmdAniStop_->setEnabled(enabled);
}

void AnimationPreviewPanel::setAreaColour(colourRGB colour) {
    areaColour_ = colour;
    paintAreaBackground();
}

PreviewArea AnimationPreviewPanel::area() const {
    return {lAniRW_->x(), lAniRW_->y(), lAniRW_->width(), lAniRW_->height()};
}

void AnimationPreviewPanel::cmdAniRun_Click() {
    const IconDocument& d = window_.document();
    // Without steps there is nothing to play (the button is disabled then).
    if (d.stepCount <= 0)
        return;
    previewPosition = 0;
    offset = previewOffset(area(), largestHotspot(d));
    if (trueColour_) {
        if (chosenSize() == 0)
            refreshSizes();
        const int size = std::max(chosenSize(), 1);
        const PreviewArea a = area();
        scale_ = std::min({1.0, static_cast<double>(a.width) / size, static_cast<double>(a.height) / size});
        reference_ = {};
        if (const int step = playableStep(d, 0); step >= 0) {
            const IconImage& first = d.images[static_cast<std::size_t>(
                imageOfFrameAtSize(d, d.steps[static_cast<std::size_t>(step)].imageIndex, size))];
            reference_ = {first.hotspotX, first.hotspotY};
        }
    }
    timerMode = kPlay;
    timRun_->start(kFirstFrameMs);
    iAniRun_->show();
    iAniRun_->raise();
}

void AnimationPreviewPanel::cmdAniStop_Click() {
    timRun_->stop();
    iAniRun_->setPicture(QImage());
    iAniRun_->hide();
}

void AnimationPreviewPanel::startSelectionBlink() {
    timerMode = kBlinkSelection;
    timRun_->start(kFirstFrameMs);
}

void AnimationPreviewPanel::stopSelectionBlink() {
    timRun_->stop();
}

bool AnimationPreviewPanel::timerRunning() const {
    return timRun_->isActive();
}

void AnimationPreviewPanel::timRun_Timer() {
    if (timerMode == kPlay) {
        playTick();
    } else if (timerMode == kBlinkSelection) {
        timRun_->setInterval(kBlinkIntervalMs);
        window_.editPanel().blinkSelectionFrame();
    }
}

void AnimationPreviewPanel::playTick() {
    const IconDocument& d = window_.document();
    if (d.stepCount <= 0) {
        // The last step went while playing: nothing is left to show.
        cmdAniStop_Click();
        return;
    }
    const int step = playableStep(d, previewPosition);
    if (step < 0) {
        // No step shows an image the document holds: nothing to show until one does.
        iAniRun_->hide();
        timRun_->setInterval(frameInterval(1));
        previewPosition = 0;
        return;
    }
    const AnimationStep& shown = d.steps[static_cast<std::size_t>(step)];
    if (trueColour_) {
        showTrueColourStep(shown);
    } else {
        const IconImage& image = d.images[static_cast<std::size_t>(shown.imageIndex)];
        const PreviewPoint corner = framePosition(area(), {image.hotspotX, image.hotspotY}, offset);
        iAniRun_->setGeometry(corner.x, corner.y, kPreviewFrameSize, kPreviewFrameSize);
        iAniRun_->setPicture(panel_.pictureOf(shown.imageIndex));
    }
    iAniRun_->show();
    iAniRun_->raise();
    timRun_->setInterval(frameInterval(shown.rate));
    previewPosition = nextPosition(d, step);
}

void AnimationPreviewPanel::showTrueColourStep(const AnimationStep& shown) {
    const IconDocument& d = window_.document();
    const int size = std::max(chosenSize(), 1);
    const IconImage& image =
        d.images[static_cast<std::size_t>(imageOfFrameAtSize(d, shown.imageIndex, size))];
    // Its alpha over the area's background; reduced smoothly when the chosen size does not fit.
    QImage picture = pictureOfImage(cursorImageOf(image, window_.markers()));
    const int width = std::max(1, static_cast<int>(image.width * scale_ + 0.5));
    const int height = std::max(1, static_cast<int>(image.height * scale_ + 0.5));
    if (scale_ < 1.0)
        picture = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // The first frame is centred; every frame's hotspot falls where the first one's does.
    const PreviewArea a = area();
    const double anchorX = a.left + (a.width - size * scale_) / 2 + reference_.x * scale_;
    const double anchorY = a.top + (a.height - size * scale_) / 2 + reference_.y * scale_;
    iAniRun_->setGeometry(static_cast<int>(anchorX - image.hotspotX * scale_),
                          static_cast<int>(anchorY - image.hotspotY * scale_), width, height);
    iAniRun_->setPicture(picture, true);
}

} // namespace vantle::ui
