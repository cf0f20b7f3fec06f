#pragma once
// Drawing helpers shared by the artwork files: the tool glyphs in a 16 x 16 box, the palette of the
// drawings and small painting utilities. Internal to platform/qt.

#include <QColor>
#include <QImage>
#include <QPainter>

namespace vantle::artwork {

// Colours of the drawings.
inline const QColor kInk(0x20, 0x20, 0x20);
inline const QColor kPaper(0xFF, 0xFF, 0xFF);
inline const QColor kShade(0x80, 0x80, 0x80);
inline const QColor kLight(0xD8, 0xD8, 0xD8);
inline const QColor kBlue(0x30, 0x68, 0xC8);
inline const QColor kRed(0xD0, 0x38, 0x38);
inline const QColor kGreen(0x28, 0x98, 0x40);
inline const QColor kYellow(0xF4, 0xC4, 0x20);

// A transparent ARGB image of the size, ready for painting.
QImage blankImage(int width, int height);

// A painter on the image with antialiasing and a 1-unit ink pen.
void preparePainter(QPainter& painter);

// Draws tool 0..9 into the box (0, 0) .. (16, 16) of the painter's coordinates.
void drawToolGlyph(QPainter& painter, int tool);

// Where the glyph of the pencil, the flood fill and the colour pick touches the picture, in glyph units.
QPointF toolGlyphTip(int tool);

// A checker of black and white squares of the given size over the area (and the painter's clip).
void fillChecker(QPainter& painter, const QRectF& area, qreal cell);

} // namespace vantle::artwork
