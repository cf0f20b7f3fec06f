#pragma once
// Picture decoding through QImage (BMP, JPEG, GIF and PNG). Needs no display.

#include "platform/Platform.h"

class QImage;

namespace vantle {

class QtPictureService : public PictureService {
  public:
    std::optional<Picture> decodePicture(std::span<const std::uint8_t> bytes) override;
    std::optional<Picture> loadPictureFile(const std::string& path) override;
};

// Pixels of a QImage as a Picture, and back.
Picture pictureFromImage(const QImage& image);
QImage imageFromPicture(const Picture& picture);

} // namespace vantle
