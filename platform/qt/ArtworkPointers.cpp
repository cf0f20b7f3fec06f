// The pointers of the edit canvas, 32 x 32, drawn in colour with a white rim so that they show on any
// pixel colour.

#include "platform/qt/Artwork.h"
#include "platform/qt/ArtworkGlyphs.h"

#include <QPainterPath>
#include <QPolygonF>

#include <cassert>
#include <cmath>

namespace vantle {

namespace {

using namespace artwork;

constexpr int kPointerSize = 32;
// Shapes: a cross whose centre is the pixel drawn on, with the tool's glyph beside it.
constexpr int kCrossCentre = 7;
constexpr int kCrossArm = 7;

// A white rim round everything drawn: each clear pixel next to a drawn one becomes white under what it
// already holds.
QImage withRim(const QImage& drawn) {
    const QImage source = drawn.convertToFormat(QImage::Format_ARGB32);
    QImage result = source;
    const int w = source.width();
    const int h = source.height();
    auto solid = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && qAlpha(source.pixel(x, y)) >= 128;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (solid(x, y))
                continue;
            bool nearDrawn = false;
            for (int dy = -1; dy <= 1 && !nearDrawn; ++dy)
                for (int dx = -1; dx <= 1 && !nearDrawn; ++dx)
                    nearDrawn = (dx != 0 || dy != 0) && solid(x + dx, y + dy);
            if (!nearDrawn)
                continue;
            const QRgb over = source.pixel(x, y);
            const int a = qAlpha(over);
            auto blend = [a](int c) { return (c * a + 255 * (255 - a)) / 255; };
            result.setPixel(x, y, qRgba(blend(qRed(over)), blend(qGreen(over)), blend(qBlue(over)), 255));
        }
    return result;
}

QCursor makePointer(const QImage& drawn, QPoint hotspot) {
    assert(QRect(0, 0, kPointerSize, kPointerSize).contains(hotspot));
    return QCursor(QPixmap::fromImage(withRim(drawn)), hotspot.x(), hotspot.y());
}

void drawCross(QPainter& p, QPointF centre, int arm) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(kInk, 1));
    const qreal x = centre.x();
    const qreal y = centre.y();
    p.drawLine(QPointF(x - arm, y), QPointF(x - 2, y));
    p.drawLine(QPointF(x + 2, y), QPointF(x + arm, y));
    p.drawLine(QPointF(x, y - arm), QPointF(x, y - 2));
    p.drawLine(QPointF(x, y + 2), QPointF(x, y + arm));
    p.drawPoint(centre);
    p.restore();
}

// The tool's glyph at the lower right, beside a cross.
QCursor shapePointer(int tool) {
    QImage image = blankImage(kPointerSize, kPointerSize);
    QPainter p(&image);
    drawCross(p, QPointF(kCrossCentre, kCrossCentre), kCrossArm);
    p.translate(15, 15);
    drawToolGlyph(p, tool);
    p.end();
    return makePointer(image, {kCrossCentre, kCrossCentre});
}

// A tool whose glyph touches the picture with its tip: the glyph drawn at 1.5 times its size, the tip
// being the hotspot.
QCursor tipPointer(int tool) {
    QImage image = blankImage(kPointerSize, kPointerSize);
    QPainter p(&image);
    constexpr qreal scale = 1.5;
    const QPointF tip = toolGlyphTip(tool) * scale;
    // Tip near the lower left corner: (1, 30).
    const QPointF origin = QPointF(1.5, 30.5) - tip;
    p.translate(origin);
    p.scale(scale, scale);
    drawToolGlyph(p, tool);
    p.end();
    return makePointer(image, {1, 30});
}

} // namespace

QCursor toolPointer(int tool) {
    assert(tool >= 0 && tool < kPickerToolCount);
    switch (tool) {
    case 0:
    case 8:
    case 9:
        return tipPointer(tool);
    default:
        return shapePointer(tool >= 0 && tool < kPickerToolCount ? tool : 0);
    }
}

QCursor hotspotPointer() {
    QImage image = blankImage(kPointerSize, kPointerSize);
    QPainter p(&image);
    preparePainter(p);
    const QPointF centre(15.5, 15.5);
    p.setPen(QPen(kRed, 2));
    p.drawEllipse(centre, 7.5, 7.5);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(kInk, 1));
    p.drawLine(15, 1, 15, 12);
    p.drawLine(15, 19, 15, 30);
    p.drawLine(1, 15, 12, 15);
    p.drawLine(19, 15, 30, 15);
    p.fillRect(QRect(14, 14, 3, 3), kRed);
    p.end();
    return makePointer(image, {15, 15});
}

QCursor rangePointer() {
    QImage image = blankImage(kPointerSize, kPointerSize);
    QPainter p(&image);
    drawCross(p, QPointF(kCrossCentre, kCrossCentre), kCrossArm);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen dashed(kInk, 1);
    dashed.setDashPattern({2, 2});
    p.setPen(dashed);
    p.drawRect(QRect(15, 15, 14, 12));
    p.end();
    return makePointer(image, {kCrossCentre, kCrossCentre});
}

QCursor movePointer() {
    QImage image = blankImage(kPointerSize, kPointerSize);
    QPainter p(&image);
    preparePainter(p);
    p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(16, 5), QPointF(16, 27));
    p.drawLine(QPointF(5, 16), QPointF(27, 16));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({{16, 1}, {20.5, 6.5}, {11.5, 6.5}}));
    p.drawPolygon(QPolygonF({{16, 31}, {11.5, 25.5}, {20.5, 25.5}}));
    p.drawPolygon(QPolygonF({{1, 16}, {6.5, 11.5}, {6.5, 20.5}}));
    p.drawPolygon(QPolygonF({{31, 16}, {25.5, 20.5}, {25.5, 11.5}}));
    p.end();
    return makePointer(image, {16, 16});
}

} // namespace vantle
