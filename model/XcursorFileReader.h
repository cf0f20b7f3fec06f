#pragma once
// Reading Xcursor files (the cursors of X11 cursor themes) into the document.

#include "model/IconFileReader.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vantle {

struct XcursorReadResult {
    ReadOutcome outcome = ReadOutcome::NotOpened;
    // The frames of one nominal size became images and the animation steps (rates from their delays).
    bool animated = false;
    std::vector<int> sizesTaken;   // nominal sizes whose images were added
    std::vector<int> sizesSkipped; // nominal sizes left out (larger than 48, or beside an animation)
};

// Appends the images of an Xcursor file. Every nominal size whose images fit in 48 x 48 becomes one image;
// when a size holds several frames, the largest such size becomes images plus animation steps and the
// other sizes are left out. Sizes left out are named in one notice; a file with nothing that fits, or a
// damaged one, shows a message and adds nothing.
XcursorReadResult readXcursorBytes(IconDocument& document, std::span<const std::uint8_t> bytes,
                                   ReadContext& context);
XcursorReadResult readXcursorFile(IconDocument& document, const std::string& path, ReadContext& context);

} // namespace vantle
