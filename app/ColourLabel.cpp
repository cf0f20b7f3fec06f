#include "app/ColourLabel.h"

#include "app/QtColours.h"

#include <QMouseEvent>
#include <QPainter>

namespace vantle::ui {

ColourLabel::ColourLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    applyStyle();
}

void ColourLabel::setColour(colourRGB colour) {
    colour_ = colour;
    applyStyle();
}

void ColourLabel::setOpacity(int opacity) {
    if (opacity == opacity_)
        return;
    opacity_ = opacity;
    update();
}

void ColourLabel::paintEvent(QPaintEvent* event) {
    if (opacity_ < 255) {
        QPainter painter(this);
        const QRect inside = contentsRect();
        constexpr int kSquare = 5;
        painter.fillRect(inside, Qt::white);
        for (int y = 0; y * kSquare < inside.height(); ++y)
            for (int x = 0; x * kSquare < inside.width(); ++x)
                if ((x + y) % 2 == 1)
                    painter.fillRect(
                        QRect(inside.left() + x * kSquare, inside.top() + y * kSquare, kSquare, kSquare)
                            .intersected(inside),
                        QColor(0xCC, 0xCC, 0xCC));
        QColor colour = toQColor(colour_);
        colour.setAlpha(opacity_);
        painter.fillRect(inside, colour);
    }
    QLabel::paintEvent(event);
}

void ColourLabel::setTextColour(colourRGB colour) {
    text_ = colour;
    applyStyle();
}

void ColourLabel::applyStyle() {
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(colour_));
    p.setColor(QPalette::WindowText, toQColor(text_));
    setPalette(p);
}

void ColourLabel::mousePressEvent(QMouseEvent* event) {
    down_ = true;
    emit pressed(event->button());
}

void ColourLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasDown = down_;
    down_ = false;
    if (wasDown && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ColourLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    emit pressed(event->button());
    emit doubleClicked();
}

} // namespace vantle::ui
