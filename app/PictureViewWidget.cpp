#include "app/PictureViewWidget.h"

#include "model/TextNumber.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace vantle::ui {

SelectionBoxWidget::SelectionBoxWidget(const QImage& source, QWidget* parent)
    : QFrame(parent), source_(source) {
    setObjectName("pBmpW2");
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setCursor(Qt::ArrowCursor);
    hide();
}

void SelectionBoxWidget::place(const SelectionBox& box, const PictureArea& area) {
    area_ = area;
    setGeometry(box.left, box.top, box.width, box.height);
    update();
}

void SelectionBoxWidget::paintEvent(QPaintEvent* event) {
    if (area_.width > 0 && area_.height > 0) {
        QPainter painter(this);
        painter.drawImage(QPoint(1, 1), source_, QRect(area_.x, area_.y, area_.width, area_.height));
    }
    QFrame::paintEvent(event);
}

void SelectionBoxWidget::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->button(), event->globalPosition().toPoint());
}

PictureViewWidget::PictureViewWidget(QWidget* parent) : QWidget(parent) {
    setObjectName("pBmpW");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(pictureAreaPointer());
    box_ = new SelectionBoxWidget(image_, this);
}

void PictureViewWidget::setImage(QImage image) {
    box_->hide();
    image_ = std::move(image);
    resize(image_.size());
    update();
}

void PictureViewWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect r = event->rect();
    painter.drawImage(r.topLeft(), image_, r);
}

void PictureViewWidget::mousePressEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit pressed(event->button(), roundEven(p.x()), roundEven(p.y()), event->globalPosition().toPoint());
}

void PictureViewWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit moved(roundEven(p.x()), roundEven(p.y()), (event->buttons() & Qt::LeftButton) != 0);
}

void PictureViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPointF p = event->position();
    emit released(roundEven(p.x()), roundEven(p.y()));
}

QCursor pictureAreaPointer() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    // A white line under a black one keeps the cross visible on any picture.
    for (const auto& [colour, width] : {std::pair{QColor(Qt::white), 3}, std::pair{QColor(Qt::black), 1}}) {
        painter.setPen(QPen(colour, width));
        painter.drawLine(15, 2, 15, 12);
        painter.drawLine(15, 18, 15, 28);
        painter.drawLine(2, 15, 12, 15);
        painter.drawLine(18, 15, 28, 15);
    }
    return QCursor(pixmap, 15, 15);
}

} // namespace vantle::ui
