#pragma once
// The test frame fAniRun of the animation panel: the sequence plays in the area lAniRW as the cursor would,
// every frame placed so that its hotspot falls on the centre of the area. timRun also blinks the frame of
// the editor's floating piece, so it has a mode.

#include "anim/PreviewRules.h"

#include <QGroupBox>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace vantle::ui {

class AnimationPanel;
class PictureBoxWidget;
class frmICON;

class AnimationPreviewPanel : public QGroupBox {
    Q_OBJECT
  public:
    // What timRun does on a tick.
    enum TimerMode { kPlay = 1, kBlinkSelection = 2 };
    static constexpr int kAreaSize = 131;
    static constexpr int kBlinkIntervalMs = 500;

    AnimationPreviewPanel(frmICON& window, AnimationPanel& panel, QWidget* parent);

    // Timer off, frame hidden: when the animation tab is shown.
    void stopQuietly();
    void setButtonsEnabled(bool enabled);
    // The back colour of the area: transparent pixels of the frames blend in.
    void setAreaColour(colourRGB colour);
    // With the true-colour setting on the area is larger, and the size that plays (each step shows its
    // frame's image of that size, at real size while it fits) and the background are chosen beside it.
    void setTrueColour(bool on);
    // The sizes offered: those the document's images have.
    void refreshSizes();
    // timRun in its second mode: the frame of the floating piece changes at once, then every 500 ms.
    void startSelectionBlink();
    // The selection stopped: timRun is disabled.
    void stopSelectionBlink();
    bool timerRunning() const;

    int timerMode = kPlay;
    int previewPosition = 0;
    PreviewPoint offset;

    // --- Handlers ---
    void cmdAniRun_Click();
    void cmdAniStop_Click();
    void timRun_Timer();

  private:
    PreviewArea area() const;
    void playTick();
    // The true-colour frame of the step: the image of the chosen size placed so that hotspots stay put.
    void showTrueColourStep(const AnimationStep& shown);
    void paintAreaBackground();
    int chosenSize() const;

    frmICON& window_;
    AnimationPanel& panel_;
    QLabel* lAniRW_ = nullptr;
    PictureBoxWidget* iAniRun_ = nullptr;
    QPushButton* cmdAniRun_ = nullptr;
    QPushButton* cmdAniStop_ = nullptr;
    QTimer* timRun_ = nullptr;
    QLabel* lAniSize_ = nullptr;
    QComboBox* cboAniSize_ = nullptr;
    QLabel* lAniBack_ = nullptr;
    QComboBox* cboAniBack_ = nullptr;
    bool trueColour_ = false;
    colourRGB areaColour_ = 0;
    PreviewPoint reference_; // the first frame's hotspot at the chosen size, true colour
    double scale_ = 1.0;     // below 1 when the chosen size does not fit the area
};

} // namespace vantle::ui
