#pragma once
// sEditHANI, the dotted frame of the rectangle being dragged out on the canvas. Clicks go through it to
// the canvas.

#include <QWidget>

namespace vantle::ui {

class RangeFrameWidget : public QWidget {
    Q_OBJECT
  public:
    explicit RangeFrameWidget(QWidget* canvas);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vantle::ui
