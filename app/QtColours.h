#pragma once
// colourRGB (red + green * 256 + blue * 65536) to and from Qt's colour types.

#include "model/Colour.h"

#include <QColor>
#include <QRgb>

namespace vantle::ui {

inline QRgb toQRgb(colourRGB c) {
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}
inline QColor toQColor(colourRGB c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}
inline colourRGB fromQRgb(QRgb c) {
    return makeColour(qRed(c), qGreen(c), qBlue(c));
}
inline colourRGB fromQColor(const QColor& c) {
    return makeColour(c.red(), c.green(), c.blue());
}

} // namespace vantle::ui
