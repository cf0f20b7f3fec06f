#pragma once
// A picture at one screen pixel per picture pixel (pBmpW) with its selection box (pBmpW2), a bordered box
// that covers the dragged rectangle with one pixel on each side and shows the selected part. Used by the
// picture panel and the picture window; both own the dragging logic.

#include "import/AreaSelection.h"

#include <QFrame>
#include <QImage>
#include <QWidget>

namespace vantle::ui {

class SelectionBoxWidget : public QFrame {
    Q_OBJECT
  public:
    SelectionBoxWidget(const QImage& source, QWidget* parent);
    // Covers `box` and shows the pixels of `area`, taken from the source picture.
    void place(const SelectionBox& box, const PictureArea& area);

  signals:
    void pressed(Qt::MouseButton button, QPoint globalPosition);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    const QImage& source_;
    PictureArea area_;
};

class PictureViewWidget : public QWidget {
    Q_OBJECT
  public:
    explicit PictureViewWidget(QWidget* parent = nullptr);

    void setImage(QImage image);
    const QImage& image() const { return image_; }
    SelectionBoxWidget& selectionBox() { return *box_; }
    void hideSelection() { box_->hide(); }

  signals:
    // Positions in picture pixels, rounded to the nearest integer (ties to even).
    void pressed(Qt::MouseButton button, int x, int y, QPoint globalPosition);
    void moved(int x, int y, bool leftDown);
    void released(int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QImage image_;
    SelectionBoxWidget* box_ = nullptr;
};

} // namespace vantle::ui
