#include "app/AnimationPreviewPanel.h"

#include "app/AnimationPanel.h"
#include "app/AnimationText.h"
#include "app/EditPanel.h"
#include "app/MainWindow.h"
#include "app/PictureBoxWidget.h"
#include "app/QtColours.h"
#include "app/QtText.h"
#include "app/TrueColourPicture.h"
#include "platform/qt/WidgetSetup.h"

#include <QLabel>
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
    setAreaColour(window_.markers().transparent);
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
    QPalette palette = lAniRW_->palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    lAniRW_->setPalette(palette);
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
    const IconImage& image = d.images[static_cast<std::size_t>(shown.imageIndex)];
    const PreviewPoint corner = framePosition(area(), {image.hotspotX, image.hotspotY}, offset);
    if (image.trueColour()) {
        // A 32-bit image plays at its real size, its alpha over what the preview area shows.
        iAniRun_->setGeometry(corner.x, corner.y, image.width, image.height);
        iAniRun_->setPicture(pictureOfImage(image.full));
    } else {
        iAniRun_->setGeometry(corner.x, corner.y, kPreviewFrameSize, kPreviewFrameSize);
        iAniRun_->setPicture(panel_.pictureOf(shown.imageIndex));
    }
    iAniRun_->show();
    iAniRun_->raise();
    timRun_->setInterval(frameInterval(shown.rate));
    previewPosition = nextPosition(d, step);
}

} // namespace vantle::ui
