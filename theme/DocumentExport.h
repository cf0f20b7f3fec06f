#pragma once
// The window's document as an Xcursor file for every screen: each image at the sizes desktops ask for
// (24 and 32, and 48, 64 and 96 for HiDPI and fractional scaling) besides its own, made with the theme
// scaler (area averaging when shrinking, each pixel repeated when enlarging by a whole factor, hotspots
// on the same source pixel), and every step of an animation at each size.

#include "model/IconDocument.h"
#include "model/LosslessCursor.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantle::theme {

// The document as a lossless cursor. With animation steps: one frame per image the steps show (steps
// showing the same image share it), one step per step with its rate; steps naming no image are left out.
// Without: one frame holding the first image of each width, as the window's Xcursor writer takes them.
// The transparent marker becomes alpha 0, the inverted marker an inverting pixel, every other colour is
// opaque.
LosslessCursor losslessOfDocument(const IconDocument& document, const MarkerColours& markers);

struct HidpiXcursor {
    std::vector<std::uint8_t> bytes; // empty when the document holds no image
    int invertedReplaced = 0;        // inverting pixels drawn black with a white outline
};

// The Xcursor file of the document at its own sizes and 24, 32, 48, 64 and 96. Inverted pixels are
// replaced before scaling, so every size shows the outlined shape.
HidpiXcursor buildHidpiXcursor(const IconDocument& document, const MarkerColours& markers);
// The same for a cursor of any sizes: its own sizes as they are, the missing ones of 24 to 96 made from
// the nearest larger image (the true-colour document, whose frames hold several sizes).
HidpiXcursor buildHidpiXcursor(LosslessCursor cursor);

// buildHidpiXcursor, then replaces the file at path in one step. False when there was nothing to write or
// it could not be written; the old file is then left as it was.
bool writeHidpiXcursor(const IconDocument& document, const std::string& path, const MarkerColours& markers);

} // namespace vantle::theme
