#pragma once
// A picture whose every pixel names its own position (red = x, green = y, blue = 0x40), so a sampled
// pixel tells where it came from.

#include "platform/Platform.h"

#include <cstddef>
#include <cstdint>

namespace vantle::test {

inline Picture positionPicture(int w, int h) {
    Picture p;
    p.width = w;
    p.height = h;
    p.argb.resize(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.argb[static_cast<std::size_t>(y * w + x)] = 0xFF000000u |
                                                          (static_cast<std::uint32_t>(x & 0xFF) << 16) |
                                                          (static_cast<std::uint32_t>(y & 0xFF) << 8) | 0x40u;
    return p;
}

} // namespace vantle::test
