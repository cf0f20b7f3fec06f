#pragma once
// Pictures of 32-bit images for the window: the pixels as Qt holds them, drawn over a checkerboard so that
// partial alpha shows, and reduced to fit a list slot.

#include "model/Colour.h"
#include "model/LosslessCursor.h"

#include <QImage>

class QPainter;
class QRect;

namespace vantle::ui {

// The image's pixels, straight alpha (QImage::Format_ARGB32).
QImage pictureOfImage(const CursorImage& image);

// Fills the rectangle with light and dark grey squares of the given side, aligned at its top-left corner.
void paintCheckerboard(QPainter& painter, const QRect& area, int cell);

// The image over a checkerboard, reduced (smoothly, keeping its proportions) to fit a box of side
// `box` when larger; an image that fits is drawn pixel for pixel.
QImage thumbnailOfImage(const CursorImage& image, int box);

// The image as a picture of grid colours (QImage::Format_RGB32): alpha below 128 as the transparent
// marker, an inverting pixel as the inverted marker, the rest opaque; what the bin keeps.
QImage gridPictureOf(const CursorImage& image, const MarkerColours& markers);

} // namespace vantle::ui
