#pragma once
// The animation panel, frame fTabS(1): the strip of six slots that shows a window onto the step sequence
// with the rate of each shown step, the buttons that insert and delete steps, the animation information
// (title, author, common rate) and the preview frame.

#include "anim/RateSpin.h"

#include <QFrame>
#include <QImage>
#include <QRect>

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTimer;
class QToolButton;

namespace vantle::ui {

class AnimationPreviewPanel;
class PictureBoxWidget;
class frmICON;

class AnimationPanel : public QFrame {
    Q_OBJECT
  public:
    // The strip shows six steps at a time; a longer sequence scrolls.
    static constexpr int kSlots = 6;
    static constexpr int kLastSlot = kSlots - 1;

    AnimationPanel(frmICON& window, QWidget* parent);

    // The new-document state: no sequence shown, no selection.
    void resetPanel();
    // Shown when the animation tab is selected: the sequence, the information and the stopped preview.
    void fillPanel();

    // The picture of an image as the strip and the preview show it: the image-list slot's picture when the
    // image is shown there, otherwise rendered from the stored pixels in pAniW.
    QImage pictureOf(int image);

    int selectedStep() const { return selectedStep_; }
    int selectedStepSlot() const { return selectedStepSlot_; }
    const std::array<int, kSlots>& slotImages() const { return slotImages_; }
    AnimationPreviewPanel& preview() { return *fAniRun_; }

    // --- Handlers ---
    void iAni_Click(int slot);
    void cmdAniIn_Click();
    void cmdAniDel_Click();
    void vsBerAni_Change(int value);
    void tAniR_Change(int slot);
    void tAniInfo_Change(int index);
    void tAniInfoRate_Change();
    void UpDn_AniR_MouseDown(int index);
    void UpDn_AniR_MouseUp(int index);
    void UpDn_AIR_MouseDown(int index);
    void UpDn_AIR_MouseUp(int index);
    void Timer_UpDn_Timer();
    void DrawAnimationSlot(int slot, int image);
    // With frames of several sizes: the frame of the image and its sizes, for the slot's tip.
    QString frameSizesTip(int image) const;

  private:
    struct Slot {
        PictureBoxWidget* image = nullptr;
        QLabel* number = nullptr;
        QLineEdit* rate = nullptr;
        std::array<QToolButton*, 2> spin{};
    };

    void buildStrip();
    void buildInformation();
    void hideSlot(int slot);
    // Slots first .. last show the steps at the scroll value plus their slot number.
    void showSteps(int first, int last);
    // Scroll bar without its change handler.
    // Text the panel shows from the document: the change handlers take it in without marking an edit.
    void showText(QLineEdit& box, const QString& text);
    // A typed value changed the document: set the modified flag, unless the panel itself wrote the text.
    void markEdited();
    void setScrollQuietly(int maximum, int value, bool enabled);
    void setScrollRange(int maximum, bool enabled);
    // The strip shows the selected step again where it was selected, when it has been scrolled away.
    void bringSelectionIntoView();
    void setButtonsEnabled(bool enabled);
    void showUnselectedCaption();
    void beginSpin(QLineEdit* target, int direction);
    void endSpin();
    void UpDn_Chg();

    frmICON& window_;
    QGroupBox* fAniAni_ = nullptr;
    std::array<Slot, kSlots> slots_{};
    std::array<QRect, kSlots> slotRects_{};
    QLabel* lAniW_ = nullptr;
    QFrame* spAniW_ = nullptr;
    QFrame* spAniSW_ = nullptr;
    QScrollBar* vsBerAni_ = nullptr;
    QPushButton* cmdAniIn_ = nullptr;
    QPushButton* cmdAniDel_ = nullptr;
    QGroupBox* fAniInfo_ = nullptr;
    std::array<QLineEdit*, 2> tAniInfo_{};
    QLineEdit* tAniInfoRate_ = nullptr;
    AnimationPreviewPanel* fAniRun_ = nullptr;
    PictureBoxWidget* pAniW_ = nullptr;
    QTimer* Timer_UpDn_ = nullptr;

    int selectedStep_ = 0;
    int selectedStepSlot_ = 0;
    std::array<int, kSlots> slotImages_{};
    bool suppressScroll_ = false;
    bool showingText_ = false;
    QLineEdit* spinTarget_ = nullptr;
    SpinDirection spinDirection_ = SpinDirection::Up;
    SpinRepeat spinRepeat_;
};

} // namespace vantle::ui
