#pragma once
// Turning a picture, or an area of it, into a 32-bit image of any size from 16 to 256 pixels with the
// picture's alpha: area averaging on premultiplied colour, no point sampling and no colour reduction. The
// picture panel's true-colour sizes and vantle-tool's from-picture --alpha share this code.

#include "import/PictureSampling.h"
#include "model/LosslessCursor.h"
#include "platform/Platform.h"

#include <array>

namespace vantle {

// The sizes the picture panel offers.
constexpr std::array<int, 8> kTrueColourPreviewSizes{16, 24, 32, 48, 64, 96, 128, 256};
constexpr int kMinTrueColourPreview = 16;
constexpr int kMaxTrueColourPreview = 256;

// The square image of `size` pixels (16..256) that `area` of the picture gives, placed as the designed
// previews place it: the longer side of the area fills the image; across the shorter one the margins on
// both sides are (size - max(1, floor(size x shorter / longer))) / 2 pixels and transparent, and the area
// fills the pixels between them (stretched by less than a pixel to fill them whole).
// Each pixel is the exact box-filter average of the area pixels under it, weighted by overlap
// (theme::averagePixels): its alpha the mean alpha rounded to the nearest, its colour the premultiplied
// mean divided by that alpha, rounded to the nearest (halves up in both). Straight alpha as the picture
// has it (opaque pictures give opaque images). Hotspot (0, 0); storedBits 0, as a picture has no bit
// count (writers store it as a 32-bit bitmap up to 48 pixels, larger as PNG). The area lies inside the
// picture and is at least 1 x 1. Cost: one pass over the area's pixels.
CursorImage trueColourPreview(const Picture& picture, PictureArea area, int size);

} // namespace vantle
