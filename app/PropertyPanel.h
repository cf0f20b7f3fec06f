#pragma once
// The property frame fImgPt: the selected image number, its size and colour depth, and its hotspot with
// the auto-repeating spin buttons and the button that arms a hotspot click on the canvas.

#include "model/Colour.h"

#include <QGroupBox>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;

namespace vantle::ui {

class frmICON;

class PropertyPanel : public QGroupBox {
    Q_OBJECT
  public:
    PropertyPanel(frmICON& window, QWidget* parent);

    void showCaption(const QString& caption);
    void showSize(int width, int height);
    void showDepthText(const QString& text);
    void showHotspot(int x, int y);
    // The hotspot boxes as numbers (the leading number of the text, 0 when there is none).
    double hotspotXValue() const;
    double hotspotYValue() const;

    bool hotspotClickMode() const { return hotspotClickMode_; }
    // A press on the canvas cell while the hotspot click is armed.
    void hotspotClicked(int column, int row);

    void cmdHSSet_Click();
    void UpDn_MouseDown(QLineEdit* target, int direction);
    void UpDn_MouseUp();
    void Timer_UpDn_Timer();
    static void SpinStep(QLineEdit& target, int direction, int lower, int upper);

  private:
    frmICON& window_;
    QLabel* lWISz_ = nullptr;
    QLabel* lWIi_ = nullptr;
    QLineEdit* tXhs_ = nullptr;
    QLineEdit* tYhs_ = nullptr;
    QPushButton* cmdHSSet_ = nullptr;
    QTimer* Timer_UpDn_ = nullptr;
    bool hotspotClickMode_ = false;
    QLineEdit* spinTarget_ = nullptr;
    int spinDirection_ = 0;
    int spinTicks_ = 0;
};

} // namespace vantle::ui
