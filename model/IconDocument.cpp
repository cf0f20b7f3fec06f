#include "model/IconDocument.h"

#include <algorithm>
#include <cassert>

namespace vantle {

void IconImage::copyPictureFrom(const IconImage& other) {
    width = other.width;
    height = other.height;
    depth = other.depth;
    hotspotX = other.hotspotX;
    hotspotY = other.hotspotY;
    pixels = other.pixels;
    full = other.full;
    sameFrame = other.sameFrame;
}

void IconImage::clearPixels(colourRGB transparent) {
    pixels.fill(transparent);
    full = {};
    sameFrame = false;
}

IconDocument::IconDocument() {
    resizeDocument(kInitialCapacity);
}

void IconDocument::resizeDocument(std::int16_t newCapacity) {
    assert(newCapacity >= 0 && newCapacity <= kMaxImageCapacity);
    images.resize(static_cast<std::size_t>(newCapacity));
    steps.resize(static_cast<std::size_t>(newCapacity) * 2);
}

bool IconDocument::growForImage(int index) {
    while (index >= imageCapacity()) {
        if (imageCapacity() + kGrowth > kMaxImageCapacity)
            return false;
        resizeDocument(static_cast<std::int16_t>(imageCapacity() + kGrowth));
    }
    return true;
}

bool IconDocument::growForStep(std::int64_t index) {
    while (index >= stepCapacity()) {
        if (imageCapacity() + kGrowth > kMaxImageCapacity)
            return false;
        resizeDocument(static_cast<std::int16_t>(imageCapacity() + kGrowth));
    }
    return true;
}

void IconDocument::resetAnimation() {
    stepCount = 0;
    title = kNewTitle;
    author = kNewAuthor;
    defaultRate = kNewRate;
    aniFlags = kNewFlags;
    hasRateTable = false;
    hasStepTable = false;
}

void IconDocument::clearImages(colourRGB transparent) {
    imageCount = 0;
    resetAnimation();
    for (IconImage& image : images) {
        image.clearPixels(transparent);
        image.palette.fillLow(kWhite);
    }
    paletteCurrent = false;
}

IconDocument& theDocument() {
    static IconDocument document;
    return document;
}

} // namespace vantle
