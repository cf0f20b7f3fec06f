#pragma once
// vantle-tool from-picture: a picture, or an area of it, sampled into one image per frame as the picture
// panel samples it, and written as an icon, cursor or animated cursor.

#include "platform/Platform.h"

#include <cstdint>
#include <ostream>
#include <span>
#include <string>

namespace vantle {

// The rate in jiffies (1/60 s) of a frame shown for `delayMs` milliseconds: rounded (halves to the even
// number) and at least 1.
std::int32_t jiffiesOfDelay(int delayMs);

// Runs "from-picture IN OUT --size 16|32|48 [--area X,Y,W,H]" (args without the command word). Returns the
// exit status: 0 written, 1 the picture could not be read or the file not written, 2 wrong command line.
int fromPicture(std::span<const std::string> args, std::ostream& err, PictureService& pictures);

} // namespace vantle
