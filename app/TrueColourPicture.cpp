#include "app/TrueColourPicture.h"

#include "app/QtColours.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace vantle::ui {

QImage pictureOfImage(const CursorImage& image) {
    QImage picture(image.width, image.height, QImage::Format_ARGB32);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(picture.scanLine(y), image.argb.data() + static_cast<std::size_t>(y) * image.width,
                    static_cast<std::size_t>(image.width) * sizeof(std::uint32_t));
    return picture;
}

void paintCheckerboard(QPainter& painter, const QRect& area, int cell) {
    const QColor light(0xFF, 0xFF, 0xFF);
    const QColor dark(0xCC, 0xCC, 0xCC);
    painter.fillRect(area, light);
    for (int y = 0; y * cell < area.height(); ++y)
        for (int x = y % 2; x * cell < area.width(); x += 2)
            painter.fillRect(
                QRect(area.left() + x * cell, area.top() + y * cell, cell, cell).intersected(area), dark);
}

QImage thumbnailOfImage(const CursorImage& image, int box) {
    QImage picture = pictureOfImage(image);
    if (image.width > box || image.height > box)
        picture = picture.scaled(box, box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage shown(picture.size(), QImage::Format_RGB32);
    QPainter painter(&shown);
    paintCheckerboard(painter, shown.rect(), std::max(2, shown.width() / 8));
    painter.drawImage(0, 0, picture);
    painter.end();
    return shown;
}

QImage gridPictureOf(const CursorImage& image, const MarkerColours& markers) {
    QImage picture(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            picture.setPixel(
                x, y,
                toQRgb(image.invertsAt(x, y) ? markers.inverted : colourOfPixel(image.at(x, y), markers)));
    return picture;
}

} // namespace vantle::ui
