#pragma once
// The PNG images nearly every icon and cursor entry holds (8-bit RGBA, not interlaced, sound) decoded
// without libpng: the image data inflated in one call (libdeflate) and unfiltered here, several times
// faster. Anything else, or anything libpng might read differently, is left to libpng.

#include "model/PngCodec.h"

#include <optional>
#include <span>

namespace vantle {

// The pixels of an 8-bit RGBA PNG without interlacing whose chunks up to the image data are whole (names,
// lengths and CRCs) and whose image data inflates to exactly its rows, each with a known filter: what
// decodePng gives for it. Nothing for any other file.
std::optional<PngPixels> decodeRgbaPng(std::span<const std::uint8_t> bytes, int maxSide);

} // namespace vantle
