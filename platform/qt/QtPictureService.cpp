#include "platform/qt/QtPictureService.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QString>

namespace vantle {

namespace {

// Pictures larger than this are refused rather than decoded into a huge buffer.
constexpr int kMaxPicturePixels = 64 * 1024 * 1024;

std::optional<Picture> decodeWith(QImageReader& reader) {
    const QSize size = reader.size();
    if (size.isValid() && static_cast<qint64>(size.width()) * size.height() > kMaxPicturePixels)
        return std::nullopt;
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return std::nullopt;
    return pictureFromImage(image);
}

} // namespace

Picture pictureFromImage(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    Picture picture;
    picture.width = image.width();
    picture.height = image.height();
    picture.argb.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::copy(line, line + picture.width,
                  picture.argb.begin() + static_cast<std::ptrdiff_t>(y) * picture.width);
    }
    return picture;
}

QImage imageFromPicture(const Picture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::copy(picture.argb.begin() + static_cast<std::ptrdiff_t>(y) * picture.width,
                  picture.argb.begin() + static_cast<std::ptrdiff_t>(y + 1) * picture.width, line);
    }
    return image;
}

std::optional<Picture> QtPictureService::decodePicture(std::span<const std::uint8_t> bytes) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return decodeWith(reader);
}

std::optional<Picture> QtPictureService::loadPictureFile(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    return decodeWith(reader);
}

} // namespace vantle
