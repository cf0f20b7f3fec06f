#pragma once
// A label whose back colour is the colour it stands for. It reports the button of every press, then a
// click (press and release over it, any button) and double clicks.

#include "model/Colour.h"

#include <QLabel>

namespace vantle::ui {

class ColourLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ColourLabel(QWidget* parent = nullptr);

    colourRGB colour() const { return colour_; }
    void setColour(colourRGB colour);
    // How opaque the colour is shown: below 255 over a checkerboard.
    void setOpacity(int opacity);
    void setTextColour(colourRGB colour);

  signals:
    void pressed(Qt::MouseButton button);
    void clicked();
    void doubleClicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void applyStyle();
    colourRGB colour_ = kWhite;
    colourRGB text_ = kBlack;
    int opacity_ = 255;
    bool down_ = false;
};

} // namespace vantle::ui
