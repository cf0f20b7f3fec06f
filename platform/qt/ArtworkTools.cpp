// The tool glyphs and the tool and line-size pickers.

#include "platform/qt/Artwork.h"
#include "platform/qt/ArtworkGlyphs.h"

#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cassert>

namespace vantle {

namespace artwork {

QImage blankImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void preparePainter(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(kInk, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
}

void fillChecker(QPainter& painter, const QRectF& area, qreal cell) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPaper);
    painter.drawRect(area);
    painter.setBrush(kInk);
    int row = 0;
    for (qreal y = area.top(); y < area.bottom(); y += cell, ++row) {
        int column = 0;
        for (qreal x = area.left(); x < area.right(); x += cell, ++column)
            if ((row + column) % 2 == 0)
                painter.drawRect(
                    QRectF(x, y, std::min(cell, area.right() - x), std::min(cell, area.bottom() - y)));
    }
    painter.restore();
}

namespace {

// A pencil lying from the tip at (1.5, 14.5) up to the right.
void drawPencil(QPainter& p) {
    p.save();
    p.translate(1.5, 14.5);
    p.rotate(-45);
    const QPen outline(kInk, 0.9);
    p.setPen(outline);
    p.setBrush(QColor(0xF0, 0xCC, 0x98));
    p.drawPolygon(QPolygonF({{0, 0}, {5, -2.6}, {5, 2.6}}));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({{0, 0}, {1.8, -0.95}, {1.8, 0.95}}));
    p.setBrush(kYellow);
    p.drawRect(QRectF(5, -2.6, 9, 5.2));
    p.setPen(QPen(QColor(0xB0, 0x80, 0x00), 0.8));
    p.drawLine(QPointF(5.5, 0), QPointF(13.5, 0));
    p.setPen(outline);
    p.setBrush(QColor(0xB8, 0xB8, 0xC0));
    p.drawRect(QRectF(14, -2.6, 1.6, 5.2));
    p.setBrush(QColor(0xF0, 0x88, 0x98));
    p.drawRect(QRectF(15.6, -2.6, 2.2, 5.2));
    p.restore();
}

// An eyedropper from the tip at (1.5, 14.5) up to the right, a drop of colour at the tip.
void drawColourPick(QPainter& p) {
    p.save();
    p.translate(1.5, 14.5);
    p.rotate(-45);
    p.setPen(QPen(kInk, 0.9));
    p.setBrush(QColor(0xC8, 0xEC, 0xF8));
    p.drawPolygon(QPolygonF({{0, 0}, {2, -1.1}, {8, -1.1}, {8, 1.1}, {2, 1.1}}));
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({{0.3, 0}, {2.2, -0.7}, {4.5, -0.7}, {4.5, 0.7}, {2.2, 0.7}}));
    p.setPen(QPen(kInk, 0.9));
    p.setBrush(QColor(0x50, 0x50, 0x58));
    p.drawRect(QRectF(8, -2.2, 1.6, 4.4));
    p.setBrush(kRed);
    p.drawRoundedRect(QRectF(9.6, -2.4, 7.6, 4.8), 2.2, 2.2);
    p.restore();
}

// A paint bucket tipped to the left, paint running out to a drop at (2, 15).
void drawFloodFill(QPainter& p) {
    p.save();
    p.setPen(QPen(kInk, 0.9));
    p.translate(9.5, 7.5);
    p.rotate(40);
    p.setBrush(QColor(0xC8, 0xC8, 0xD0));
    p.drawPolygon(QPolygonF({{-4.5, -3}, {4.5, -3}, {3.6, 5.5}, {-3.6, 5.5}}));
    p.setBrush(QColor(0x90, 0x90, 0x98));
    p.drawEllipse(QRectF(-4.5, -4.4, 9, 2.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-3.4, -8.6, 6.8, 8), 0, 180 * 16);
    p.restore();
    // The paint: from the bucket's rim down to the drop.
    QPainterPath paint;
    paint.moveTo(5.2, 3.6);
    paint.cubicTo(2.0, 4.6, 1.2, 7.5, 1.4, 10.5);
    paint.cubicTo(0.2, 12.2, 0.8, 15.0, 2.0, 15.0);
    paint.cubicTo(3.2, 15.0, 3.8, 12.2, 2.6, 10.5);
    paint.cubicTo(2.8, 8.0, 3.6, 6.6, 6.4, 5.6);
    paint.closeSubpath();
    p.setPen(QPen(QColor(0x10, 0x30, 0x80), 0.7));
    p.setBrush(kBlue);
    p.drawPath(paint);
}

const QRectF kShapeBox(2.5, 3.5, 11, 9);
const QRectF kEllipseBox(1.5, 2.5, 13, 11);

} // namespace

void drawToolGlyph(QPainter& p, int tool) {
    assert(tool >= 0 && tool < kPickerToolCount);
    p.save();
    preparePainter(p);
    switch (tool) {
    case 0:
        drawPencil(p);
        break;
    case 1:
        p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(2.5, 13.5), QPointF(13.5, 2.5));
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawRect(QRectF(1, 12, 3, 3));
        p.drawRect(QRectF(12, 1, 3, 3));
        break;
    case 2:
        p.setPen(QPen(kInk, 1.4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawRect(kShapeBox);
        break;
    case 3:
        p.setBrush(kBlue);
        p.drawRect(kShapeBox);
        break;
    case 4:
        p.setPen(QPen(kInk, 1.4));
        p.drawEllipse(kEllipseBox);
        break;
    case 5:
        p.setBrush(kRed);
        p.drawEllipse(kEllipseBox);
        break;
    case 6:
        fillChecker(p, kShapeBox.adjusted(0.5, 0.5, -0.5, -0.5), 2);
        p.drawRect(kShapeBox);
        break;
    case 7: {
        QPainterPath ellipse;
        ellipse.addEllipse(kEllipseBox);
        p.save();
        p.setClipPath(ellipse);
        fillChecker(p, kEllipseBox, 2);
        p.restore();
        p.drawEllipse(kEllipseBox);
        break;
    }
    case 8:
        drawFloodFill(p);
        break;
    case 9:
        drawColourPick(p);
        break;
    default:
        break;
    }
    p.restore();
}

QPointF toolGlyphTip(int tool) {
    switch (tool) {
    case 0:
    case 9:
        return {1.5, 14.5};
    case 8:
        return {2.0, 14.5};
    default:
        return {8, 8};
    }
}

} // namespace artwork

namespace {

constexpr int kPickerSize = 24;
constexpr int kLinePickerHeight = 14;

// The face of a picker button: raised when not selected, pressed in (darker, lit from below) when selected.
QImage pickerFace(int width, int height, bool selected) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(selected ? QColor(0xC4, 0xD4, 0xEC) : QColor(0xE6, 0xE6, 0xE6));
    QPainter p(&image);
    const QColor lit = selected ? QColor(0x50, 0x60, 0x80) : artwork::kPaper;
    const QColor dark = selected ? artwork::kPaper : QColor(0x70, 0x70, 0x70);
    p.setPen(lit);
    p.drawLine(0, 0, width - 1, 0);
    p.drawLine(0, 0, 0, height - 1);
    p.setPen(dark);
    p.drawLine(0, height - 1, width - 1, height - 1);
    p.drawLine(width - 1, 0, width - 1, height - 1);
    if (selected) {
        p.setPen(QColor(0x80, 0x90, 0xB0));
        p.drawLine(1, 1, width - 2, 1);
        p.drawLine(1, 1, 1, height - 2);
    }
    return image;
}

} // namespace

QPixmap toolPicker(int tool, bool selected) {
    assert(tool >= 0 && tool < kPickerToolCount);
    if (tool < 0 || tool >= kPickerToolCount)
        return {};
    QImage image = pickerFace(kPickerSize, kPickerSize, selected);
    QPainter p(&image);
    // A pressed button shows its picture one pixel down and to the right.
    const qreal shift = selected ? 1 : 0;
    p.translate(4 + shift, 4 + shift);
    artwork::drawToolGlyph(p, tool);
    p.end();
    return QPixmap::fromImage(image);
}

QPixmap lineSizePicker(int size, bool selected) {
    assert(size >= 0 && size < kPickerLineSizeCount);
    if (size < 0 || size >= kPickerLineSizeCount)
        return {};
    QImage image = pickerFace(kPickerSize, kLinePickerHeight, selected);
    QPainter p(&image);
    const int shift = selected ? 1 : 0;
    const int thickness = 2 * (size + 1);
    const int top = (kLinePickerHeight - thickness) / 2 + shift;
    p.fillRect(QRect(5 + shift, top, kPickerSize - 10, thickness), artwork::kInk);
    p.end();
    return QPixmap::fromImage(image);
}

} // namespace vantle
