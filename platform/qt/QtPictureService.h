#pragma once
// Picture decoding through QImageReader (BMP, JPEG, GIF and PNG). Needs no display. The size in the
// header is checked before anything is decoded, so a picture claiming a huge size costs nothing.

#include "platform/Platform.h"

class QImage;
class QImageReader;
class QSize;

namespace vantle {

// Limits of a picture taken in: the side in pixels, the bytes of all its decoded pixels (4 per pixel,
// frames of an animation added up) and the frames of an animation.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr std::int64_t kMaxPictureBytes = std::int64_t{1} << 30;
inline constexpr int kMaxAnimationFrames = 1000;

struct PictureLimits {
    int maxSide = kMaxPictureSide;
    std::int64_t maxBytes = kMaxPictureBytes;
    int maxFrames = kMaxAnimationFrames;
};

class QtPictureService : public PictureService {
  public:
    // Tighter limits serve the fuzzer, which must not spend a gigabyte on one input.
    explicit QtPictureService(PictureLimits limits = {}) : limits_(limits) {}
    std::optional<Picture> decodePicture(std::span<const std::uint8_t> bytes) override;
    std::optional<Picture> loadPictureFile(const std::string& path) override;
    std::optional<PictureAnimation> decodeAnimation(std::span<const std::uint8_t> bytes) override;
    std::optional<PictureAnimation> loadAnimationFile(const std::string& path) override;
    PictureProblem lastProblem() const override { return problem_; }

  private:
    // The size the header declares, with the reader prepared; an empty size (and the problem set) when
    // the header is unreadable or the picture too large.
    QSize declaredSize(QImageReader& reader);
    std::optional<Picture> decodeWith(QImageReader& reader);
    std::optional<PictureAnimation> decodeFramesWith(QImageReader& reader);

    PictureLimits limits_;
    PictureProblem problem_ = PictureProblem::Unreadable;
};

// Pixels of a QImage as a Picture, and back.
Picture pictureFromImage(const QImage& image);
QImage imageFromPicture(const Picture& picture);

} // namespace vantle
