#include "app/ColourLabel.h"

#include "app/QtColours.h"

#include <QMouseEvent>

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
