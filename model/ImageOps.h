#pragma once
// Moving, copying and combining whole images of the document, for the image list.

#include "model/IconDocument.h"

namespace vantle {

// Makes room behind image `selected`: images selected + 1 .. imageCount - 1 move back by one place
// (pixels, depth, size, hotspot), from the last to the first; the freed slot holds no 32-bit pixels.
// imageCount is not changed.
void moveImagesBack(IconDocument& document, int selected);

// Closes the gap at `index`: the images behind it move forward by one place. imageCount is not changed.
void moveImagesForward(IconDocument& document, int index);

// An image put at `index` inside a frame of several sizes (the image after it is another size of the frame
// before it) becomes another size of that frame, so the frame is not split. imageCount includes it.
void joinFrameOfInsertedImage(IconDocument& document, int index);

// A blank image: every cell of the grid transparent, size x size, undetermined depth, hotspot (0, 0).
void makeBlankImage(IconImage& image, int size, colourRGB transparent);

// target becomes source at size x size: an exact multiple repeats every pixel as a block, any other
// size samples the source pixel containing (x * S / T, y * S / T). Depth and hotspot are the source's.
void copyScaled(const IconImage& source, IconImage& target, int size);

// Every pixel of `top` that is not transparent replaces the pixel of `base` at the same place, both
// aligned at their top-left corners. Calls changed(x, y, colour) for each replaced pixel.
template <typename Changed>
void combineInto(IconImage& base, const IconImage& top, colourRGB transparent, Changed changed) {
    for (int y = top.height - 1; y >= 0; --y)
        for (int x = 0; x < top.width; ++x) {
            const colourRGB c = top.pixels(x, y);
            if (c != transparent) {
                base.pixels(x, y) = c;
                changed(x, y, c);
            }
        }
}

// Rewrites every pixel holding the old marker value to the new one, in every image of the document.
// Calls changed(image, x, y) for each rewritten pixel.
template <typename Changed>
void replaceMarkerColour(IconDocument& document, colourRGB oldValue, colourRGB newValue, Changed changed) {
    for (int i = 0; i < document.imageCount; ++i) {
        IconImage& image = document.images[static_cast<std::size_t>(i)];
        for (int y = image.height - 1; y >= 0; --y)
            for (int x = 0; x < image.width; ++x)
                if (image.pixels(x, y) == oldValue) {
                    image.pixels(x, y) = newValue;
                    changed(i, x, y);
                }
    }
}

} // namespace vantle
