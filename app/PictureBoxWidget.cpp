#include "app/PictureBoxWidget.h"

#include "app/QtColours.h"

#include <QMouseEvent>
#include <QPainter>

namespace vantle::ui {

PictureBoxWidget::PictureBoxWidget(QWidget* parent) : QWidget(parent) {}

void PictureBoxWidget::resetPicture(int width, int height, colourRGB background) {
    picture_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    picture_.fill(toQRgb(background));
    if (!stretch_)
        resize(width, height);
    update();
}

void PictureBoxWidget::setPicture(const QImage& picture, bool keepAlpha) {
    picture_ = picture.convertToFormat(keepAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (!stretch_)
        resize(picture_.size());
    update();
}

void PictureBoxWidget::setPixel(int x, int y, colourRGB colour) {
    if (x < 0 || y < 0 || x >= picture_.width() || y >= picture_.height())
        return;
    picture_.setPixel(x, y, toQRgb(colour));
    update(stretch_ ? rect() : QRect(x, y, 1, 1));
}

colourRGB PictureBoxWidget::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= picture_.width() || y >= picture_.height())
        return kBlack;
    return fromQRgb(picture_.pixel(x, y));
}

void PictureBoxWidget::setStretch(bool stretch) {
    stretch_ = stretch;
    update();
}

void PictureBoxWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (picture_.isNull())
        return;
    if (stretch_)
        painter.drawImage(rect(), picture_);
    else
        painter.drawImage(0, 0, picture_);
}

void PictureBoxWidget::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button();
}

void PictureBoxWidget::mouseReleaseEvent(QMouseEvent* event) {
    const Qt::MouseButton button = pressed_;
    pressed_ = Qt::NoButton;
    if (button == event->button() && rect().contains(event->position().toPoint()))
        emit clicked(button);
}

void PictureBoxWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    emit doubleClicked(event->button());
}

} // namespace vantle::ui
