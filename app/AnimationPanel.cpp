#include "app/AnimationPanel.h"

#include "anim/StepSequence.h"
#include "app/AnimationPreviewPanel.h"
#include "app/AnimationText.h"
#include "app/ImageListPanel.h"
#include "app/MainWindow.h"
#include "app/PictureBoxWidget.h"
#include "app/QtColours.h"
#include "app/QtText.h"
#include "app/TrueColourPicture.h"
#include "app/WindowText.h"
#include "model/TrueColourDocument.h"
#include "platform/qt/WidgetSetup.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace vantle::ui {

namespace {

// The strip: six rows of number, picture, rate box and spin buttons.
constexpr int kRowTop = 40;
constexpr int kRowPitch = 56;
constexpr int kSlotBox = 52;
constexpr int kSlotLeft = 36;
constexpr int kRateLeft = 100;
constexpr int kSpinLeft = 151;
constexpr int kSlotPicture = 32;

std::size_t at(int index) {
    return static_cast<std::size_t>(index);
}

QString stripCaption(const QString& selected, std::int32_t stepCount) {
    return selected + " / " + QString::number(stepCount) + qs(kStripCaptionSuffix);
}

} // namespace

AnimationPanel::AnimationPanel(frmICON& window, QWidget* parent) : QFrame(parent), window_(window) {
    setObjectName("fTabS_1");
    slotImages_.fill(-1);
    buildStrip();
    buildInformation();
    fAniRun_ = new AnimationPreviewPanel(window_, *this, this);
    fAniRun_->setGeometry(252, 170, 306, 268);
    pAniW_ = makeChild<PictureBoxWidget>(this, "pAniW");
    pAniW_->hide();
    Timer_UpDn_ = makeChild<QTimer>(this, "Timer_UpDn_Ani");
    Timer_UpDn_->setInterval(kSpinTickMs);
    connect(Timer_UpDn_, &QTimer::timeout, this, [this] { Timer_UpDn_Timer(); });
    setButtonsEnabled(false);
}

void AnimationPanel::buildStrip() {
    fAniAni_ = placed<QGroupBox>(this, "fAniAni", {8, 4, 236, 434}, qs(kStripNewCaption));
    lAniW_ = placed<QLabel>(fAniAni_, "lAniW", {kRateLeft, 20, 60, 18}, qs(kRateHeader));
    spAniW_ = placed<QFrame>(fAniAni_, "spAniW", {2, kRowTop - 4, 172, kSlots * kRowPitch + 2});
    spAniW_->setFrameStyle(QFrame::Box | QFrame::Plain);
    spAniSW_ = makeChild<QFrame>(fAniAni_, "spAniSW");
    spAniSW_->setStyleSheet("QFrame#spAniSW { border: 2px solid #0000c0; background: transparent; }");
    spAniSW_->hide();
    for (int j = 0; j < kSlots; ++j) {
        const int top = kRowTop + j * kRowPitch;
        slotRects_[at(j)] = QRect(kSlotLeft, top, kSlotBox, kSlotBox);
        Slot& slot = slots_[at(j)];
        slot.number = placed<QLabel>(fAniAni_, QString("lAniS_%1").arg(j), {4, top + 16, 28, 20});
        slot.number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        slot.image = makeChild<PictureBoxWidget>(fAniAni_, QString("iAni_%1").arg(j));
        slot.image->setStretch(true);
        slot.image->setCursor(Qt::PointingHandCursor);
        connect(slot.image, &PictureBoxWidget::clicked, this, [this, j](Qt::MouseButton) { iAni_Click(j); });
        slot.rate = placed<QLineEdit>(fAniAni_, QString("tAniR_%1").arg(j), {kRateLeft, top + 15, 50, 22});
        connect(slot.rate, &QLineEdit::textChanged, this, [this, j] { tAniR_Change(j); });
        for (int direction = 0; direction < 2; ++direction) {
            const int k = 2 * j + direction;
            QToolButton* b =
                placedSpinButton(fAniAni_, QString("UpDn_AniR_%1").arg(k), direction, kSpinLeft, top + 15);
            connect(b, &QToolButton::pressed, this, [this, k] { UpDn_AniR_MouseDown(k); });
            connect(b, &QToolButton::released, this, [this, k] { UpDn_AniR_MouseUp(k); });
            slot.spin[at(direction)] = b;
        }
        hideSlot(j);
    }
    vsBerAni_ = placed<QScrollBar>(fAniAni_, "vsBerAni", {180, kRowTop - 4, 17, kSlots * kRowPitch + 2},
                                   Qt::Vertical);
    vsBerAni_->setRange(0, 0);
    vsBerAni_->setPageStep(1);
    vsBerAni_->setEnabled(false);
    connect(vsBerAni_, &QScrollBar::valueChanged, this, [this](int v) { vsBerAni_Change(v); });
    cmdAniIn_ = placedButton(fAniAni_, "cmdAniIn", {8, 388, 106, 30}, qs(kInsertStep), qs(kInsertStepTip));
    connect(cmdAniIn_, &QPushButton::clicked, this, [this] { cmdAniIn_Click(); });
    cmdAniDel_ =
        placedButton(fAniAni_, "cmdAniDel", {120, 388, 106, 30}, qs(kDeleteStep), qs(kDeleteStepTip));
    connect(cmdAniDel_, &QPushButton::clicked, this, [this] { cmdAniDel_Click(); });
}

void AnimationPanel::buildInformation() {
    fAniInfo_ = placed<QGroupBox>(this, "fAniInfo", {252, 4, 306, 160}, qs(kInfoFrame));
    const std::array<std::string_view, 2> labels = {kInfoTitle, kInfoAuthor};
    for (int i = 0; i < 2; ++i) {
        placed<QLabel>(fAniInfo_, QString("lAniInfo_%1").arg(i), {12, 22 + i * 48, 280, 18},
                       qs(labels[at(i)]));
        auto* box = placed<QLineEdit>(fAniInfo_, QString("tAniInfo_%1").arg(i), {12, 40 + i * 48, 282, 24});
        connect(box, &QLineEdit::textChanged, this, [this, i] { tAniInfo_Change(i); });
        tAniInfo_[at(i)] = box;
    }
    placed<QLabel>(fAniInfo_, "lAniInfoRate", {12, 124, 120, 24}, qs(kInfoRate));
    tAniInfoRate_ = placed<QLineEdit>(fAniInfo_, "tAniInfoRate", {136, 124, 50, 22});
    connect(tAniInfoRate_, &QLineEdit::textChanged, this, [this] { tAniInfoRate_Change(); });
    for (int direction = 0; direction < 2; ++direction) {
        QToolButton* b =
            placedSpinButton(fAniInfo_, QString("UpDn_AIR_%1").arg(direction), direction, 187, 124);
        connect(b, &QToolButton::pressed, this, [this, direction] { UpDn_AIR_MouseDown(direction); });
        connect(b, &QToolButton::released, this, [this, direction] { UpDn_AIR_MouseUp(direction); });
    }
}

void AnimationPanel::hideSlot(int slot) {
    Slot& s = slots_[at(slot)];
    s.image->hide();
    s.number->hide();
    s.rate->hide();
    for (QToolButton* b : s.spin)
        b->hide();
}

void AnimationPanel::showText(QLineEdit& box, const QString& text) {
    showingText_ = true;
    box.setText(text);
    showingText_ = false;
}

void AnimationPanel::markEdited() {
    if (!showingText_)
        window_.setModified();
}

void AnimationPanel::setScrollQuietly(int maximum, int value, bool enabled) {
    suppressScroll_ = true;
    vsBerAni_->setRange(0, maximum);
    vsBerAni_->setValue(value);
    vsBerAni_->setEnabled(enabled);
    suppressScroll_ = false;
}

void AnimationPanel::setScrollRange(int maximum, bool enabled) {
    // A value beyond the new maximum moves back to it, and the change handler redraws the strip.
    vsBerAni_->setRange(0, maximum);
    vsBerAni_->setEnabled(enabled);
}

void AnimationPanel::setButtonsEnabled(bool enabled) {
    cmdAniDel_->setEnabled(enabled);
    fAniRun_->setButtonsEnabled(enabled);
}

void AnimationPanel::showUnselectedCaption() {
    fAniAni_->setTitle(stripCaption(qs(kStripNoSelection), window_.document().stepCount));
}

void AnimationPanel::resetPanel() {
    for (int j = 0; j < kSlots; ++j) {
        slots_[at(j)].image->resize(kSlotPicture, kSlotPicture);
        slots_[at(j)].image->setPicture(QImage());
        hideSlot(j);
        slotImages_[at(j)] = -1;
    }
    spAniSW_->hide();
    selectedStep_ = 0;
    selectedStepSlot_ = 0;
    fAniAni_->setTitle(qs(kStripNewCaption));
    setScrollQuietly(0, 0, false);
}

void AnimationPanel::fillPanel() {
    IconDocument& d = window_.document();
    WindowState& st = window_.state();
    fAniRun_->stopQuietly();
    fAniRun_->refreshSizes();
    showText(*tAniInfo_[0], QString::fromStdString(d.title));
    showText(*tAniInfo_[1], QString::fromStdString(d.author));
    showText(*tAniInfoRate_, QString::number(d.defaultRate));
    if (!st.sequenceMade)
        st.sequenceMade = makeDefaultSequence(d);
    if (d.stepCount <= kSlots) {
        // No more steps than slots: the strip starts at step 0 and cannot scroll.
        setScrollQuietly(0, 0, false);
        for (int j = std::max<int>(d.stepCount, 0); j < kSlots; ++j)
            hideSlot(j);
    } else {
        vsBerAni_->setValue(0);
        setScrollRange(d.stepCount - kSlots, true);
    }
    setButtonsEnabled(d.stepCount > 0);
    showSteps(0, std::min<int>(d.stepCount, kSlots) - 1);
    if (d.stepCount > 0) {
        iAni_Click(0);
    } else {
        spAniSW_->hide();
        // A sequence that lost its last step with its images still names the count it has.
        if (st.sequenceMade)
            showUnselectedCaption();
    }
    fAniRun_->setAreaColour(window_.markers().transparent);
}

QImage AnimationPanel::pictureOf(int image) {
    // A step of a 32-bit frame shows the frame's largest size (its sizes are named in the slot's tip).
    if (const IconDocument& d = window_.document();
        image >= 0 && image < d.imageCount && d.images[at(image)].trueColour())
        return thumbnailOfImage(d.images[at(imageOfFrameAtSize(d, image, kMaxCursorSide))].full,
                                kSlotPicture);
    ImageListPanel& list = window_.imageList();
    for (int s = 0; s < std::min(list.slotsInUse, ImageListPanel::kSlots); ++s)
        if (list.slotMap[at(s)] == image)
            return list.slot(s).picture();
    const IconDocument& d = window_.document();
    if (image < 0 || image >= d.imageCount) {
        // A step without its image shows an empty picture.
        pAniW_->resetPicture(kSlotPicture, kSlotPicture, window_.markers().transparent);
        return pAniW_->picture();
    }
    const IconImage& img = d.images[at(image)];
    pAniW_->resetPicture(img.width, img.height);
    for (int y = img.height - 1; y >= 0; --y)
        for (int x = 0; x < img.width; ++x)
            pAniW_->setPixel(x, y, img.pixels(x, y));
    return pAniW_->picture();
}

QString AnimationPanel::frameSizesTip(int image) const {
    const IconDocument& d = window_.document();
    if (image < 0 || image >= d.imageCount || !window_.settings().trueColour)
        return {};
    int first = image;
    while (first > 0 && d.images[at(first)].sameFrame)
        --first;
    QStringList sizes;
    for (int i = first; i < d.imageCount && (i == first || d.images[at(i)].sameFrame); ++i)
        sizes << QStringLiteral("%1x%2").arg(d.images[at(i)].width).arg(d.images[at(i)].height);
    return qs(kFrameSizesTip).arg(frameOfImages(d)[at(image)] + 1).arg(sizes.join(QStringLiteral(", ")));
}

void AnimationPanel::DrawAnimationSlot(int slot, int image) {
    if (slot < 0 || slot >= kSlots)
        return;
    const IconDocument& d = window_.document();
    Slot& s = slots_[at(slot)];
    const QRect& r = slotRects_[at(slot)];
    s.image->setGeometry(r.left() + (r.width() - kSlotPicture) / 2, r.top() + (r.height() - kSlotPicture) / 2,
                         kSlotPicture, kSlotPicture);
    s.image->show();
    s.image->setPicture(pictureOf(image));
    s.image->setToolTip(frameSizesTip(image));
    const int step = vsBerAni_->value() + slot;
    if (step >= 0 && step < d.stepCapacity())
        showText(*s.rate, QString::number(d.steps[at(step)].rate));
    s.rate->show();
    for (QToolButton* b : s.spin)
        b->show();
    s.number->setText(QString::number(image + 1));
    s.number->show();
}

void AnimationPanel::iAni_Click(int slot) {
    if (slot < 0 || slot >= kSlots)
        return;
    spAniSW_->hide();
    selectedStep_ = slot + vsBerAni_->value();
    selectedStepSlot_ = slot;
    const QWidget& image = *slots_[at(slot)].image;
    spAniSW_->setGeometry(image.x() - 2, image.y() - 2, image.width() + 4, image.height() + 4);
    spAniSW_->lower();
    spAniSW_->show();
    fAniAni_->setTitle(stripCaption(QString::number(selectedStep_ + 1), window_.document().stepCount));
}

void AnimationPanel::bringSelectionIntoView() {
    const IconDocument& d = window_.document();
    if (d.stepCount <= 0)
        return;
    if (selectedStep_ - vsBerAni_->value() == selectedStepSlot_)
        return;
    // Scrolling back to where the step was selected shows it in its slot again; the change handler
    // redraws the strip and frames it.
    vsBerAni_->setValue(std::clamp(selectedStep_ - selectedStepSlot_, 0, vsBerAni_->maximum()));
    if (selectedStep_ - vsBerAni_->value() != selectedStepSlot_) {
        const int slot = selectedStep_ - vsBerAni_->value();
        if (slot >= 0 && slot < kSlots)
            iAni_Click(slot);
    }
}

void AnimationPanel::cmdAniIn_Click() {
    IconDocument& d = window_.document();
    WindowState& st = window_.state();
    if (st.selectedImage < 0 || st.selectedImage >= d.imageCount)
        return;
    bringSelectionIntoView();
    if (!insertStep(d, selectedStep_, st.selectedImage)) {
        window_.platform().showMessage(kStepLimitReached, MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    window_.setModified();
    // Steps inserted into an emptied sequence make it the document's sequence again: image deletions and
    // insertions keep its steps on their images, and showing the panel keeps it instead of making the
    // default one.
    st.sequenceMade = true;
    spAniSW_->hide();
    bool scroll = false;
    if (d.stepCount == 1)
        selectedStepSlot_ = 0;
    else if (selectedStepSlot_ < kLastSlot)
        ++selectedStepSlot_;
    else
        scroll = true;
    if (d.stepCount <= kSlots) {
        showSteps(selectedStepSlot_, d.stepCount - 1);
    } else {
        setScrollRange(d.stepCount - kSlots, true);
        if (scroll)
            vsBerAni_->setValue(vsBerAni_->value() + 1);
        else
            showSteps(selectedStepSlot_, kLastSlot);
    }
    showUnselectedCaption();
    setButtonsEnabled(true);
    if (scroll)
        selectedStepSlot_ = kLastSlot;
    iAni_Click(selectedStepSlot_);
}

void AnimationPanel::cmdAniDel_Click() {
    IconDocument& d = window_.document();
    WindowState& st = window_.state();
    if (d.stepCount <= 0)
        return;
    bringSelectionIntoView();
    window_.setModified();
    spAniSW_->hide();
    deleteStep(d, selectedStep_);
    if (d.stepCount <= kSlots)
        setScrollRange(0, false);
    else
        setScrollRange(d.stepCount - kSlots, true);
    if (d.stepCount < kSlots)
        hideSlot(d.stepCount);
    showSteps(selectedStepSlot_, std::min<int>(d.stepCount, kSlots) - 1);
    showUnselectedCaption();
    if (d.stepCount == 0) {
        setButtonsEnabled(false);
        st.sequenceMade = false;
    }
    // The last step went while the start of the strip showed: the selection moves back to the new last.
    if (d.stepCount == selectedStep_ && selectedStep_ < kSlots && selectedStepSlot_ > 0)
        --selectedStepSlot_;
    if (d.stepCount > 0)
        iAni_Click(selectedStepSlot_);
}

void AnimationPanel::vsBerAni_Change(int value) {
    if (suppressScroll_)
        return;
    const IconDocument& d = window_.document();
    spAniSW_->hide();
    const int shown = std::min(kSlots, d.stepCount - value);
    showSteps(0, shown - 1);
    if (selectedStep_ >= value && selectedStep_ < value + shown)
        iAni_Click(selectedStep_ - value);
}

void AnimationPanel::showSteps(int first, int last) {
    const IconDocument& d = window_.document();
    for (int j = std::max(first, 0); j <= last; ++j) {
        slotImages_[at(j)] = d.steps[at(vsBerAni_->value() + j)].imageIndex;
        DrawAnimationSlot(j, slotImages_[at(j)]);
    }
}

void AnimationPanel::tAniR_Change(int slot) {
    IconDocument& d = window_.document();
    const int step = vsBerAni_->value() + slot;
    if (step < 0 || step >= d.stepCount)
        return;
    const std::int32_t rate = rateFromText(slots_[at(slot)].rate->text().toStdString());
    AnimationStep& target = d.steps[at(step)];
    if (target.rate != rate) {
        target.rate = rate;
        markEdited();
    }
}

void AnimationPanel::tAniInfo_Change(int index) {
    IconDocument& d = window_.document();
    std::string& field = index == 0 ? d.title : d.author;
    const std::string text = tAniInfo_[at(index)]->text().toStdString();
    if (field != text) {
        field = text;
        markEdited();
    }
}

void AnimationPanel::tAniInfoRate_Change() {
    IconDocument& d = window_.document();
    const std::int32_t rate = rateFromText(tAniInfoRate_->text().toStdString());
    if (d.defaultRate != rate) {
        d.defaultRate = rate;
        markEdited();
    }
}

void AnimationPanel::beginSpin(QLineEdit* target, int direction) {
    spinTarget_ = target;
    spinDirection_ = direction == 0 ? SpinDirection::Up : SpinDirection::Down;
    spinRepeat_.press();
    UpDn_Chg();
    Timer_UpDn_->start();
}

void AnimationPanel::endSpin() {
    Timer_UpDn_->stop();
    if (spinTarget_ != nullptr)
        spinTarget_->setFocus();
}

void AnimationPanel::UpDn_AniR_MouseDown(int index) {
    if (index < 0 || index >= 2 * kSlots)
        return;
    beginSpin(slots_[at(index / 2)].rate, index % 2);
}

void AnimationPanel::UpDn_AniR_MouseUp(int) {
    endSpin();
}

void AnimationPanel::UpDn_AIR_MouseDown(int index) {
    beginSpin(tAniInfoRate_, index == 0 ? 0 : 1);
}

void AnimationPanel::UpDn_AIR_MouseUp(int) {
    endSpin();
}

void AnimationPanel::Timer_UpDn_Timer() {
    if (spinTarget_ != nullptr && spinRepeat_.tick())
        UpDn_Chg();
}

void AnimationPanel::UpDn_Chg() {
    const std::int32_t value = rateFromText(spinTarget_->text().toStdString());
    // Writing the text runs the box's change handler, so the document follows.
    spinTarget_->setText(QString::number(spinRate(value, spinDirection_)));
}

} // namespace vantle::ui
