#pragma once
// The test frame fAniRun of the animation panel: the sequence plays in the area lAniRW as the cursor would,
// every frame placed so that its hotspot falls on the centre of the area. timRun also blinks the frame of
// the editor's floating piece, so it has a mode.

#include "anim/PreviewRules.h"

#include <QGroupBox>

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

    frmICON& window_;
    AnimationPanel& panel_;
    QLabel* lAniRW_ = nullptr;
    PictureBoxWidget* iAniRun_ = nullptr;
    QPushButton* cmdAniRun_ = nullptr;
    QPushButton* cmdAniStop_ = nullptr;
    QTimer* timRun_ = nullptr;
};

} // namespace vantle::ui
