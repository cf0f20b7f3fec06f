#include "app/PictureViewWidget.h"

#include "model/TextNumber.h"
#include "platform/qt/Artwork.h"

#include <QMouseEvent>
#include <QPainter>

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
        const QRect inside(1, 1, area_.width, area_.height);
        // Over the window's background, as the picture under it, so transparent parts are not drawn twice.
        if (source_.hasAlphaChannel())
            painter.fillRect(inside, palette().window());
        painter.drawImage(inside.topLeft(), source_, QRect(area_.x, area_.y, area_.width, area_.height));
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
    // The widget paints every pixel itself: transparent parts of a picture show the window's background,
    // not what was on the screen there before.
    if (image_.hasAlphaChannel())
        painter.fillRect(r, palette().window());
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

} // namespace vantle::ui
