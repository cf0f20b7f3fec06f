#pragma once
// pIconEdit, the enlarged pixel grid: draws what the canvas logic paints and hands it the pointer.

#include "editor/EditCanvas.h"
#include "editor/RangeSelection.h"

#include <QImage>
#include <QWidget>

namespace vantle::ui {

class EditPanel;

class CanvasWidget : public QWidget, public CanvasView {
    Q_OBJECT
  public:
    explicit CanvasWidget(EditPanel& panel, QWidget* parent);

    void setCanvas(EditCanvas* canvas) { canvas_ = canvas; }
    void setSelection(const RangeSelection* selection) { selection_ = selection; }
    // The pointer image for the current tool or mode.
    void updatePointer();

    // CanvasView
    void resetCanvas(int width, int height, int cellWidth, int cellHeight) override;
    void paintCell(int x, int y, colourRGB colour) override;
    void setThumbnailPixel(int x, int y, colourRGB colour) override;
    void refresh() override;

    // How many cells were painted since the counter was last cleared (for measurements).
    long paintedCells() const { return paintedCells_; }
    void clearPaintedCells() { paintedCells_ = 0; }
    const QImage& surface() const { return surface_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    EditPanel& panel_;
    EditCanvas* canvas_ = nullptr;
    const RangeSelection* selection_ = nullptr;
    QImage surface_;
    int cellWidth_ = 9;
    int cellHeight_ = 9;
    long paintedCells_ = 0;
};

} // namespace vantle::ui
