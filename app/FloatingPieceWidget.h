#pragma once
// pIconDrag, the floating piece of a range selection: its pixels as grid cells laid over the canvas, with
// the blinking frame sDragHANI one pixel inside its edge. A left drag moves it by whole cells, another
// button opens the range pop-up menu, a double click clears the selection.

#include "model/Colour.h"

#include <QImage>
#include <QWidget>

namespace vantle::ui {

class EditPanel;

class FloatingPieceWidget : public QWidget {
    Q_OBJECT
  public:
    // Border styles of sDragHANI.
    static constexpr int kSolid = 1;
    static constexpr int kDotted = 3;

    FloatingPieceWidget(EditPanel& panel, QWidget* canvas);

    // columns x rows cells of the given size, each outlined in the grid colour and filled with its pixel.
    void setCells(const PixelGrid& colours, int columns, int rows, int cellWidth, int cellHeight);
    // One blink: solid becomes dotted, any other style solid.
    void toggleBorderStyle();
    void setBorderStyle(int style);
    int borderStyle() const { return borderStyle_; }
    // What the piece shows: the cells and the frame.
    QImage rendered() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    EditPanel& panel_;
    QImage cells_;
    int borderStyle_ = kSolid;
};

} // namespace vantle::ui
