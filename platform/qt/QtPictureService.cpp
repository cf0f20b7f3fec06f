#include "platform/qt/QtPictureService.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QString>

namespace vantle {

namespace {

std::int64_t pixelBytes(QSize size) {
    return static_cast<std::int64_t>(size.width()) * size.height() * 4;
}

bool tooLarge(QSize size, const PictureLimits& limits) {
    return size.width() > limits.maxSide || size.height() > limits.maxSide ||
           pixelBytes(size) > limits.maxBytes;
}

// The reader refuses anything past its own allocation limit; ours is checked first and is the one that
// counts, so Qt's limit is set just above it.
void prepare(QImageReader& reader, const PictureLimits& limits) {
    reader.setAllocationLimit(static_cast<int>(limits.maxBytes / (1024 * 1024)) + 1);
    reader.setAutoTransform(false);
}

} // namespace

QSize QtPictureService::declaredSize(QImageReader& reader) {
    prepare(reader, limits_);
    problem_ = PictureProblem::Unreadable;
    const QSize declared = reader.size();
    if (!declared.isValid() || declared.isEmpty())
        return {};
    if (tooLarge(declared, limits_)) {
        problem_ = PictureProblem::TooLarge;
        return {};
    }
    return declared;
}

std::optional<Picture> QtPictureService::decodeWith(QImageReader& reader) {
    const QSize declared = declaredSize(reader);
    if (declared.isEmpty())
        return std::nullopt;
    QImage image;
    if (!reader.read(&image) || image.isNull() || image.size() != declared)
        return std::nullopt;
    return pictureFromImage(image);
}

std::optional<PictureAnimation> QtPictureService::decodeFramesWith(QImageReader& reader) {
    const QSize declared = declaredSize(reader);
    if (declared.isEmpty())
        return std::nullopt;
    const int declaredFrames = reader.imageCount();
    if (declaredFrames > limits_.maxFrames) {
        problem_ = PictureProblem::TooManyFrames;
        return std::nullopt;
    }
    PictureAnimation animation;
    std::int64_t total = 0;
    while (true) {
        QImage frame;
        if (!reader.read(&frame) || frame.isNull())
            break;
        if (frame.size() != declared)
            return std::nullopt;
        if (static_cast<int>(animation.frames.size()) == limits_.maxFrames) {
            problem_ = PictureProblem::TooManyFrames;
            return std::nullopt;
        }
        total += pixelBytes(frame.size());
        if (total > limits_.maxBytes) {
            problem_ = PictureProblem::TooLarge;
            return std::nullopt;
        }
        animation.frames.push_back(pictureFromImage(frame));
        animation.delaysMs.push_back(std::max(0, reader.nextImageDelay()));
        if (!reader.supportsAnimation())
            break;
    }
    if (animation.frames.empty())
        return std::nullopt;
    return animation;
}

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

namespace {

template <typename Decode> auto withBytes(std::span<const std::uint8_t> bytes, Decode decode) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return decode(reader);
}

} // namespace

std::optional<Picture> QtPictureService::decodePicture(std::span<const std::uint8_t> bytes) {
    return withBytes(bytes, [this](QImageReader& reader) { return decodeWith(reader); });
}

std::optional<Picture> QtPictureService::loadPictureFile(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    return decodeWith(reader);
}

std::optional<PictureAnimation> QtPictureService::decodeAnimation(std::span<const std::uint8_t> bytes) {
    return withBytes(bytes, [this](QImageReader& reader) { return decodeFramesWith(reader); });
}

std::optional<PictureAnimation> QtPictureService::loadAnimationFile(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    return decodeFramesWith(reader);
}

} // namespace vantle
