#pragma once
// Straight-alpha source-over of one 0xAARRGGBB pixel on another, in exact integers. With top alpha ta and
// base alpha ba (0 to 255), in units of 1/65025:
//   A = ta * 255 + ba * (255 - ta)                      the result's alpha
//   alpha   = (A + 127) / 255                           rounded to the nearest, halves up
//   channel = (t * ta * 255 + b * ba * (255 - ta) + A / 2) / A   rounded to the nearest, halves up
// so an opaque top gives the top, a top of alpha 0 the base, and a transparent base the top exactly.

#include <cstdint>

namespace vantle {

constexpr std::uint32_t sourceOver(std::uint32_t top, std::uint32_t base) {
    const std::uint32_t ta = top >> 24;
    const std::uint32_t ba = base >> 24;
    if (ta == 255 || ba == 0)
        return top;
    if (ta == 0)
        return base;
    const std::uint32_t baseShare = ba * (255 - ta);
    const std::uint32_t outA = ta * 255 + baseShare;
    std::uint32_t out = (outA + 127) / 255 << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t t = top >> shift & 0xFF;
        const std::uint32_t b = base >> shift & 0xFF;
        out |= (t * ta * 255 + b * baseShare + outA / 2) / outA << shift;
    }
    return out;
}

} // namespace vantle
