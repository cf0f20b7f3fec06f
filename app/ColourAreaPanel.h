#pragma once
// The colour area of the edit panel: the colours of the two mouse buttons, the transparent and inverted
// marker colours, the colour picked from the image, and what a click on a colour of the colour list does.

#include "model/Colour.h"

#include <QWidget>

namespace vantle::ui {

class ColourLabel;
class EditPanel;

class ColourAreaPanel : public QWidget {
    Q_OBJECT
  public:
    ColourAreaPanel(EditPanel& panel, QWidget* parent);

    // Shows the left, right and selected colours of the canvas in their labels.
    void showColours();
    void showMarkers();
    Qt::MouseButton lastButton() const { return lastButton_; }
    void recordButton(Qt::MouseButton button) { lastButton_ = button; }
    // The colour of the button last pressed becomes c.
    void setButtonColour(colourRGB c);

    void lClearC_Click();
    void lInverC_Click();
    void lSelectC_Click();
    void lClearC_DblClick();
    void lInverC_DblClick();
    void lSelectC_DblClick();

  private:
    // Double click on a marker label: every pixel of the old marker value takes the new colour.
    void changeMarker(bool transparent);
    // Double click on a button's colour while a 32-bit image is shown: the colour and its opacity chosen.
    void chooseButtonColour(bool left);

    EditPanel& panel_;
    ColourLabel* lLeftC_ = nullptr;
    ColourLabel* lRightC_ = nullptr;
    ColourLabel* lClearC_ = nullptr;
    ColourLabel* lInverC_ = nullptr;
    ColourLabel* lSelectC_ = nullptr;
    Qt::MouseButton lastButton_ = Qt::LeftButton;
};

} // namespace vantle::ui
