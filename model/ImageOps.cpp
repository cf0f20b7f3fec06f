#include "model/ImageOps.h"

#include <cassert>

namespace vantle {

void moveImagesBack(IconDocument& document, int selected) {
    assert(document.imageCount < document.imageCapacity());
    for (int i = document.imageCount - 1; i > selected; --i)
        document.images[static_cast<std::size_t>(i + 1)].copyPictureFrom(
            document.images[static_cast<std::size_t>(i)]);
    // The freed slot is filled through its grid; 32-bit pixels left there would outlive it.
    IconImage& freed = document.images[static_cast<std::size_t>(selected + 1)];
    freed.full = {};
    freed.sameFrame = false;
}

void moveImagesForward(IconDocument& document, int index) {
    // Removing the first image of a frame of several sizes leaves the next size leading that frame.
    const bool leadRemoved = !document.images[static_cast<std::size_t>(index)].sameFrame;
    for (int i = index; i < document.imageCount - 1; ++i)
        document.images[static_cast<std::size_t>(i)].copyPictureFrom(
            document.images[static_cast<std::size_t>(i + 1)]);
    if (leadRemoved && index < document.imageCount - 1)
        document.images[static_cast<std::size_t>(index)].sameFrame = false;
}

void joinFrameOfInsertedImage(IconDocument& document, int index) {
    assert(index > 0 && index < document.imageCount);
    if (index + 1 < document.imageCount && document.images[static_cast<std::size_t>(index + 1)].sameFrame)
        document.images[static_cast<std::size_t>(index)].sameFrame = true;
}

void makeBlankImage(IconImage& image, int size, colourRGB transparent) {
    image.clearPixels(transparent);
    image.width = static_cast<std::int16_t>(size);
    image.height = static_cast<std::int16_t>(size);
    image.depth = kDepthUndetermined;
    image.hotspotX = 0;
    image.hotspotY = 0;
}

void copyScaled(const IconImage& source, IconImage& target, int size) {
    assert(size > 0 && size <= kImageGrid);
    const int s = source.width;
    const int sh = source.height;
    PixelGrid pixels = target.pixels;
    if (s > 0 && size % s == 0 && sh > 0 && size % sh == 0) {
        const int n = size / s;
        const int m = size / sh;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                pixels(x, y) = source.pixels(x / n, y / m);
    } else {
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                pixels(x, y) = source.pixels(x * s / size, y * sh / size);
    }
    target.pixels = pixels;
    target.width = static_cast<std::int16_t>(size);
    target.height = static_cast<std::int16_t>(size);
    target.depth = source.depth;
    target.hotspotX = source.hotspotX;
    target.hotspotY = source.hotspotY;
}

} // namespace vantle
