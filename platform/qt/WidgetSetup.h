#pragma once
// Setting up the child widgets of the windows and dialogs: each has a name (by which tests and style sheets
// find it), and outside layouts a fixed place, as the program's windows are laid out in fixed coordinates.

#include <QPushButton>
#include <QRect>
#include <QString>
#include <QToolButton>
#include <QWidget>

#include <utility>

namespace vantle {

// A new W under parent (which owns it) with its name; args go to W's constructor before the parent.
template <typename W, typename... Args> W* makeChild(QWidget* parent, const QString& name, Args&&... args) {
    auto* child = new W(std::forward<Args>(args)..., parent);
    child->setObjectName(name);
    return child;
}

// The same, placed.
template <typename W, typename... Args>
W* placed(QWidget* parent, const QString& name, const QRect& geometry, Args&&... args) {
    W* widget = makeChild<W>(parent, name, std::forward<Args>(args)...);
    widget->setGeometry(geometry);
    return widget;
}

// A push button with its caption and tip.
inline QPushButton* placedButton(QWidget* parent, const QString& name, const QRect& geometry,
                                 const QString& caption, const QString& tip) {
    QPushButton* button = placed<QPushButton>(parent, name, geometry, caption);
    button->setToolTip(tip);
    return button;
}

// One of a pair of spin buttons: the up arrow (direction 0) at (x, y), the down arrow (1) below it.
inline QToolButton* placedSpinButton(QWidget* parent, const QString& name, int direction, int x, int y) {
    auto* button = placed<QToolButton>(parent, name, QRect(x, y + direction * 11, 16, 11));
    button->setArrowType(direction == 0 ? Qt::UpArrow : Qt::DownArrow);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace vantle
