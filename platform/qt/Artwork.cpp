// The toolbar icons, each drawn in a 16-unit box and painted at 16 x 16 and 24 x 24.

#include "platform/qt/Artwork.h"
#include "platform/qt/ArtworkGlyphs.h"

#include <QPainterPath>
#include <QPolygonF>

#include <array>
#include <cmath>
#include <numbers>

namespace vantle {

namespace {

using namespace artwork;

void drawNew(QPainter& p) {
    p.setBrush(kPaper);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.drawPolygon(QPolygonF({{3.5, 1.5}, {10.5, 1.5}, {13.5, 4.5}, {13.5, 14.5}, {3.5, 14.5}}));
    p.setBrush(kLight);
    p.drawPolygon(QPolygonF({{10.5, 1.5}, {10.5, 4.5}, {13.5, 4.5}}));
    p.setPen(QPen(QColor(0xA0, 0xB0, 0xC8), 1));
    for (qreal y : {7.5, 9.5, 11.5})
        p.drawLine(QPointF(5.5, y), QPointF(11.5, y));
}

void drawOpen(QPainter& p) {
    p.setPen(QPen(QColor(0x7A, 0x58, 0x00), 1));
    p.setBrush(QColor(0xE0, 0xA8, 0x20));
    p.drawPolygon(QPolygonF({{1.5, 3.5}, {5.5, 3.5}, {7, 5}, {12.5, 5}, {12.5, 13.5}, {1.5, 13.5}}));
    p.setBrush(QColor(0xF8, 0xD8, 0x68));
    p.drawPolygon(QPolygonF({{4, 7.5}, {15.5, 7.5}, {12.5, 13.5}, {1.5, 13.5}}));
}

void drawSave(QPainter& p) {
    p.setPen(QPen(QColor(0x18, 0x2C, 0x60), 1));
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}));
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 2, 8, 5.5));
    p.setBrush(QColor(0xC8, 0xC8, 0xD0));
    p.drawRect(QRectF(4.5, 10, 7, 4.5));
    p.setBrush(kBlue);
    p.drawRect(QRectF(9, 10.8, 1.6, 3));
}

// A curved arrow over the top, from one side down to the other: Undo turns back to the left.
void drawTurnArrow(QPainter& p, bool toLeft, const QColor& colour) {
    p.save();
    if (!toLeft) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    p.setPen(QPen(colour, 2.0, Qt::SolidLine, Qt::FlatCap));
    QPainterPath arc;
    arc.moveTo(13.5, 13.0);
    arc.cubicTo(13.5, 4.0, 5.5, 3.0, 4.5, 9.0);
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({{0.8, 8.0}, {8.2, 8.0}, {4.5, 13.5}}));
    p.restore();
}

// A small picture (marked corner) with a three-quarter circle arrow round it.
void drawRotate(QPainter& p, bool clockwise) {
    p.save();
    if (!clockwise) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(0xA8, 0xC0, 0xE8));
    p.drawRect(QRectF(5.5, 5.5, 5, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawRect(QRectF(6, 6, 2, 2));
    p.setPen(QPen(kGreen, 1.6, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    // From the left, over the top and round to the bottom (Qt angles run anticlockwise from 3 o'clock).
    p.drawArc(QRectF(1.8, 1.8, 12.4, 12.4), 180 * 16, -250 * 16);
    // The head points the way the arc runs (clockwise) at its end.
    const qreal angle = (180.0 - 250.0) * std::numbers::pi / 180.0;
    const QPointF end(8 + 6.2 * std::cos(angle), 8 - 6.2 * std::sin(angle));
    const QPointF along(std::sin(angle), std::cos(angle));
    const QPointF across(-along.y(), along.x());
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPolygon(
        QPolygonF({end + along * 3.0, end - along * 0.8 + across * 2.8, end - along * 0.8 - across * 2.8}));
    p.restore();
}

// Two triangles mirrored over a dashed axis; rotated a quarter turn for the left-right mirror.
void drawMirror(QPainter& p, bool upsideDown) {
    p.save();
    if (!upsideDown) {
        p.translate(16, 0);
        p.rotate(90);
    }
    p.setPen(QPen(kInk, 1));
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({{8, 1.5}, {13.5, 6.5}, {2.5, 6.5}}));
    p.setBrush(QColor(0xB8, 0xD0, 0xF4));
    p.drawPolygon(QPolygonF({{2.5, 9.5}, {13.5, 9.5}, {8, 14.5}}));
    p.setPen(QPen(kRed, 1, Qt::DashLine));
    p.drawLine(QPointF(0.5, 8), QPointF(15.5, 8));
    p.restore();
}

void drawInvert(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(1.5, 1.5, 6.5, 13));
    p.setBrush(kPaper);
    p.drawRect(QRectF(8, 1.5, 6.5, 13));
    p.setBrush(kPaper);
    p.drawPie(QRectF(4, 4, 8, 8), 90 * 16, 180 * 16);
    p.setBrush(kInk);
    p.drawPie(QRectF(4, 4, 8, 8), 270 * 16, 180 * 16);
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
}

void drawMono(QPainter& p) {
    p.setPen(Qt::NoPen);
    const std::array<QColor, 4> greys = {QColor(0x10, 0x10, 0x10), QColor(0x60, 0x60, 0x60),
                                         QColor(0xA8, 0xA8, 0xA8), QColor(0xF4, 0xF4, 0xF4)};
    for (std::size_t i = 0; i < greys.size(); ++i) {
        p.setBrush(greys[i]);
        p.drawRect(QRectF(1.5 + 3.25 * static_cast<qreal>(i), 1.5, 3.25, 13));
    }
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
}

// Fewer colours: bars of three colours getting shorter.
void drawReduce(QPainter& p) {
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(kRed);
    p.drawRect(QRectF(1.5, 1.5, 3.5, 12));
    p.setBrush(kGreen);
    p.drawRect(QRectF(6.25, 5.5, 3.5, 8));
    p.setBrush(kBlue);
    p.drawRect(QRectF(11, 9.5, 3.5, 4));
    p.setPen(QPen(kInk, 1.2));
    p.drawLine(QPointF(0.5, 14.5), QPointF(15.5, 14.5));
}

// A dashed range with an arrow pointer at its corner.
void drawRange(QPainter& p) {
    QPen dashed(kInk, 1);
    dashed.setDashPattern({2, 2});
    p.setPen(dashed);
    p.drawRect(QRectF(1.5, 1.5, 10, 10));
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(kPaper);
    p.drawPolygon(
        QPolygonF({{8, 8}, {8, 15.5}, {10, 13.5}, {11.6, 16}, {13, 15.2}, {11.6, 12.8}, {14.5, 12.6}}));
}

using Drawing = void (*)(QPainter&);

struct ToolbarDrawing {
    std::string_view key;
    Drawing draw;
};

const std::array<ToolbarDrawing, 13> kToolbarDrawings = {{
    {"New", drawNew},
    {"Open", drawOpen},
    {"Save", drawSave},
    {"Undo", [](QPainter& p) { drawTurnArrow(p, true, kBlue); }},
    {"Redo", [](QPainter& p) { drawTurnArrow(p, false, kBlue); }},
    {"TuOv", drawInvert},
    {"Mono", drawMono},
    {"Gen", drawReduce},
    {"Right", [](QPainter& p) { drawRotate(p, true); }},
    {"Left", [](QPainter& p) { drawRotate(p, false); }},
    {"UpDn", [](QPainter& p) { drawMirror(p, true); }},
    {"RtLt", [](QPainter& p) { drawMirror(p, false); }},
    {"Hani", drawRange},
}};

QImage paintIcon(Drawing draw, int size) {
    QImage image = blankImage(size, size);
    QPainter p(&image);
    preparePainter(p);
    const qreal scale = static_cast<qreal>(size) / kToolbarIconSize;
    p.scale(scale, scale);
    draw(p);
    p.end();
    return image;
}

// The disabled look: grey, lighter and half transparent.
QImage disabledImage(const QImage& source) {
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const int grey = 112 + qGray(pixel) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(pixel) / 2);
        }
    }
    return image;
}

} // namespace

QIcon toolbarIcon(std::string_view key) {
    for (const ToolbarDrawing& drawing : kToolbarDrawings) {
        if (drawing.key != key)
            continue;
        QIcon icon;
        for (int size : {kToolbarIconSize, 24}) {
            const QImage image = paintIcon(drawing.draw, size);
            icon.addPixmap(QPixmap::fromImage(image), QIcon::Normal);
            icon.addPixmap(QPixmap::fromImage(disabledImage(image)), QIcon::Disabled);
        }
        return icon;
    }
    return {};
}

} // namespace vantle
