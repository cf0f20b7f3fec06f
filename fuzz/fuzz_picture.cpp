// Any bytes as a picture file through the platform's Qt decoder (still and animated), then the whole
// picture and an area chosen by the last bytes sampled into the three previews, as the picture panel and
// vantle-tool from-picture do.

#include "FuzzSupport.h"
#include "import/PictureSampling.h"
#include "model/IconDocument.h"
#include "platform/qt/QtPictureService.h"

#include <cstddef>
#include <cstdint>

using namespace vantle;

namespace {

// Small limits, so one input never costs more than a few megabytes; the real limits are checked the same
// way and tested in the platform tests.
constexpr PictureLimits kFuzzLimits{1024, 16 * 1024 * 1024, 64};
constexpr MarkerColours kMarkers{};

void checkPicture(const Picture& picture) {
    VANTLE_FUZZ_CHECK(picture.width >= 1 && picture.height >= 1);
    VANTLE_FUZZ_CHECK(picture.width <= kFuzzLimits.maxSide && picture.height <= kFuzzLimits.maxSide);
    VANTLE_FUZZ_CHECK(picture.argb.size() == static_cast<std::size_t>(picture.width) * picture.height);
}

void sample(const Picture& picture, const std::uint8_t* data, std::size_t size) {
    const PreviewSet whole = previewWholePicture(picture, kMarkers);
    for (std::size_t i = 0; i < whole.size(); ++i) {
        VANTLE_FUZZ_CHECK(whole[i].size == kPreviewSizes[i]);
        VANTLE_FUZZ_CHECK(whole[i].pixels.size() ==
                          static_cast<std::size_t>(kPreviewSizes[i] * kPreviewSizes[i]));
    }
    if (size < 4)
        return;
    // An area inside the picture from the last four bytes.
    const int x = data[size - 4] % picture.width;
    const int y = data[size - 3] % picture.height;
    const int w = 1 + data[size - 2] % (picture.width - x);
    const int h = 1 + data[size - 1] % (picture.height - y);
    if (const auto area = previewSelectedArea(picture, PictureArea{x, y, w, h}, kMarkers)) {
        IconImage image;
        storePreview((*area)[static_cast<std::size_t>(data[0] % 3)], image);
        VANTLE_FUZZ_CHECK(image.width == image.height);
        VANTLE_FUZZ_CHECK(image.depth == 0 || image.depth == 2 || image.depth == 16 || image.depth == 256);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QtPictureService pictures(kFuzzLimits);
    const std::span<const std::uint8_t> bytes(data, size);
    if (const auto picture = pictures.decodePicture(bytes)) {
        checkPicture(*picture);
        sample(*picture, data, size);
    }
    if (const auto animation = pictures.decodeAnimation(bytes)) {
        VANTLE_FUZZ_CHECK(!animation->frames.empty());
        VANTLE_FUZZ_CHECK(animation->frames.size() <= static_cast<std::size_t>(kFuzzLimits.maxFrames));
        VANTLE_FUZZ_CHECK(animation->frames.size() == animation->delaysMs.size());
        for (const Picture& frame : animation->frames)
            checkPicture(frame);
        sample(animation->frames.back(), data, size);
    }
    return 0;
}
