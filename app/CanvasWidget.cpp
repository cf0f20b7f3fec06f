#include "app/CanvasWidget.h"

#include "app/EditPanel.h"
#include "app/QtColours.h"
#include "platform/qt/Artwork.h"

#include <QMouseEvent>
#include <QPainter>

namespace vantle::ui {

namespace {

MouseButton buttonOf(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    default:
        return MouseButton::Middle;
    }
}

} // namespace

CanvasWidget::CanvasWidget(EditPanel& panel, QWidget* parent) : QWidget(parent), panel_(panel) {
    setObjectName("pIconEdit");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanvasWidget::updatePointer() {
    if (canvas_ == nullptr)
        return;
    if (panel_.hotspotClickMode())
        setCursor(hotspotPointer());
    else if (selection_ != nullptr && selection_->dragOutside())
        setCursor(Qt::ForbiddenCursor);
    else if (selection_ != nullptr && selection_->rangeMode())
        setCursor(rangePointer());
    else
        setCursor(toolPointer(canvas_->tool()));
}

void CanvasWidget::resetCanvas(int width, int height, int cellWidth, int cellHeight) {
    cellWidth_ = cellWidth;
    cellHeight_ = cellHeight;
    const int w = cellWidth * width + 3;
    const int h = cellHeight * height + 3;
    surface_ = QImage(w, h, QImage::Format_RGB32);
    surface_.fill(palette().color(QPalette::Window));
    QPainter painter(&surface_);
    painter.setPen(toQColor(kGridColour));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            painter.drawRect(x * cellWidth, y * cellHeight, cellWidth, cellHeight);
    painter.end();
    resize(w, h);
    update();
}

void CanvasWidget::paintCell(int x, int y, colourRGB colour) {
    ++paintedCells_;
    const QRect inner(x * cellWidth_ + 1, y * cellHeight_ + 1, cellWidth_ - 1, cellHeight_ - 1);
    const QRgb rgb = toQRgb(colour);
    for (int py = inner.top(); py <= inner.bottom() && py < surface_.height(); ++py) {
        auto* line = reinterpret_cast<QRgb*>(surface_.scanLine(py));
        for (int px = inner.left(); px <= inner.right() && px < surface_.width(); ++px)
            line[px] = rgb;
    }
}

void CanvasWidget::setThumbnailPixel(int x, int y, colourRGB colour) {
    panel_.setThumbnailPixel(x, y, colour);
}

void CanvasWidget::refresh() {
    update();
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    painter.drawImage(event->rect().topLeft(), surface_, event->rect());
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    if (canvas_ == nullptr)
        return;
    const QPointF p = event->position();
    if (panel_.hotspotClickMode()) {
        canvas_->move(p.x(), p.y());
        const Cell cell = canvas_->cellAt(p.x(), p.y());
        panel_.hotspotClicked(cell.x, cell.y);
        return;
    }
    canvas_->press(buttonOf(event->button()), p.x(), p.y());
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    if (canvas_ == nullptr)
        return;
    const QPointF p = event->position();
    // While a button is held the widget keeps getting movements outside it; strokes only follow the
    // pointer over the canvas. A range drag is told of them, so the pointer can say no-drop.
    if (!rect().contains(p.toPoint()) && !(selection_ != nullptr && selection_->dragging()))
        return;
    canvas_->move(p.x(), p.y());
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (canvas_ == nullptr)
        return;
    const QPointF p = event->position();
    // A range drag ends wherever the button comes up: its rectangle only ever covers cells of the image.
    if (!rect().contains(p.toPoint()) && !(selection_ != nullptr && selection_->dragging()))
        return;
    canvas_->release(p.x(), p.y());
}

} // namespace vantle::ui
