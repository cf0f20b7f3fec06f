#pragma once
// A picture box: shows a picture at one screen pixel per picture pixel, lets single pixels be set and
// read, and reports clicks with the mouse button that was pressed.

#include "model/Colour.h"

#include <QImage>
#include <QWidget>

namespace vantle::ui {

class PictureBoxWidget : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBoxWidget(QWidget* parent = nullptr);

    // Clears the picture and makes it width x height pixels (and the control as large).
    void resetPicture(int width, int height, colourRGB background = kWhite);
    // With keepAlpha the picture's alpha shows what lies under the box (its parent and siblings).
    void setPicture(const QImage& picture, bool keepAlpha = false);
    const QImage& picture() const { return picture_; }
    void setPixel(int x, int y, colourRGB colour);
    colourRGB pixel(int x, int y) const;
    // Stretches the picture to the size of the control when set.
    void setStretch(bool stretch);

  signals:
    void clicked(Qt::MouseButton button);
    void doubleClicked(Qt::MouseButton button);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QImage picture_;
    bool stretch_ = false;
    Qt::MouseButton pressed_ = Qt::NoButton;
};

} // namespace vantle::ui
