#pragma once
// Writing the document as an Xcursor file (the cursor format of X11 cursor themes).
//
// With animation steps, every step becomes a frame of its image's size with the step's rate as its
// delay; without steps, the first image of each size becomes that size's one image. Transparent pixels
// are fully transparent. Xcursor pixels cannot invert the screen, so an inverted pixel is drawn opaque
// black and every transparent pixel touching one becomes opaque white: an outlined shape that stays
// visible on light and dark backgrounds alike, as the inverted screen does.

#include "model/IconDocument.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantle {

std::vector<std::uint8_t> buildXcursorFile(const IconDocument& document, const MarkerColours& markers);

// buildXcursorFile, then replaces the file at path in one step. False when it could not be written; the
// old file is then left as it was.
bool writeXcursorFile(const IconDocument& document, const std::string& path, const MarkerColours& markers);

} // namespace vantle
