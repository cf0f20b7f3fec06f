#include "app/FloatingPieceWidget.h"

#include "app/EditPanel.h"
#include "app/MainWindow.h"
#include "app/QtColours.h"
#include "editor/RangeSelection.h"
#include "platform/qt/Artwork.h"

#include <QMouseEvent>
#include <QPainter>

namespace vantle::ui {

FloatingPieceWidget::FloatingPieceWidget(EditPanel& panel, QWidget* canvas) : QWidget(canvas), panel_(panel) {
    setObjectName("pIconDrag");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(movePointer());
    hide();
}

void FloatingPieceWidget::setCells(const PixelGrid& colours, int columns, int rows, int cellWidth,
                                   int cellHeight) {
    cells_ = QImage(columns * cellWidth + 1, rows * cellHeight + 1, QImage::Format_RGB32);
    cells_.fill(toQColor(kGridColour));
    QPainter painter(&cells_);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            painter.fillRect(c * cellWidth + 1, r * cellHeight + 1, cellWidth - 1, cellHeight - 1,
                             toQColor(colours(c, r)));
    painter.end();
    resize(cells_.size());
    update();
}

void FloatingPieceWidget::toggleBorderStyle() {
    setBorderStyle(borderStyle_ == kSolid ? kDotted : kSolid);
}

void FloatingPieceWidget::setBorderStyle(int style) {
    borderStyle_ = style;
    update();
}

QImage FloatingPieceWidget::rendered() const {
    QImage image = cells_;
    if (image.width() < 3 || image.height() < 3)
        return image;
    QPainter painter(&image);
    const QRect frame(1, 1, image.width() - 3, image.height() - 3);
    if (borderStyle_ == kSolid) {
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(frame);
    } else {
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(frame);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(frame);
    }
    return image;
}

void FloatingPieceWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(0, 0, rendered());
}

void FloatingPieceWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        panel_.selection().pieceGrab(event->position().x(), event->position().y());
        return;
    }
    panel_.showRangePopup(event->globalPosition().toPoint());
}

void FloatingPieceWidget::mouseMoveEvent(QMouseEvent* event) {
    panel_.selection().pieceMove(event->position().x(), event->position().y());
}

void FloatingPieceWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        panel_.selection().pieceRelease(rect().contains(event->position().toPoint()));
}

void FloatingPieceWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        panel_.window().M_E_HANIL_Click();
}

} // namespace vantle::ui
