#pragma once
// vantle-tool from-picture: a picture, or an area of it, made into one frame of one or more sizes per
// picture frame, sampled as the picture panel samples it or (--alpha) area-averaged into 32-bit images,
// and written as an icon, cursor or animated cursor.

#include "platform/Platform.h"

#include <cstdint>
#include <ostream>
#include <span>
#include <string>

namespace vantle {

// The rate in jiffies (1/60 s) of a frame shown for `delayMs` milliseconds: rounded (halves to the even
// number) and at least 1.
std::int32_t jiffiesOfDelay(int delayMs);

// Runs "from-picture IN OUT --size LIST [--alpha] [--area X,Y,W,H]" (args without the command word).
// Returns the exit status: 0 written, 1 the picture could not be read or the file not written, 2 OUT is
// not .ico, .cur or .ani; -1 for a wrong command line, once what is wrong has been said (the caller adds
// the usage line).
int fromPicture(std::span<const std::string> args, std::ostream& err, PictureService& pictures);

} // namespace vantle
