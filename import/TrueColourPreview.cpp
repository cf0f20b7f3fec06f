#include "import/TrueColourPreview.h"

#include "theme/CursorScaling.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

namespace vantle {

CursorImage trueColourPreview(const Picture& picture, PictureArea area, int size) {
    assert(size >= kMinTrueColourPreview && size <= kMaxTrueColourPreview);
    assert(area.width >= 1 && area.height >= 1 && area.x >= 0 && area.y >= 0);
    assert(area.x + area.width <= picture.width && area.y + area.height <= picture.height);

    const bool tall = area.height >= area.width;
    const int longer = tall ? area.height : area.width;
    const int shorter = tall ? area.width : area.height;
    // As the designed previews: a margin of (size - floor(size x shorter / longer)) / 2 on both sides of
    // the shorter side, the picture between them.
    const int used = std::max(1, static_cast<int>(static_cast<std::int64_t>(size) * shorter / longer));
    const int margin = (size - used) / 2;
    const int span = size - 2 * margin;
    const int left = tall ? margin : 0;
    const int top = tall ? 0 : margin;
    const int width = tall ? span : size;
    const int height = tall ? size : span;

    const auto stride = static_cast<std::size_t>(picture.width);
    const theme::PixelBlock block{
        &picture.argb[static_cast<std::size_t>(area.y) * stride + static_cast<std::size_t>(area.x)],
        area.width, area.height, stride};
    const std::vector<std::uint32_t> pixels = theme::averagePixels(block, width, height);

    CursorImage image;
    image.width = size;
    image.height = size;
    image.storedBits = 0;
    image.argb.assign(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), 0);
    for (int y = 0; y < height; ++y)
        std::copy_n(&pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width)], width,
                    &image.argb[static_cast<std::size_t>(top + y) * static_cast<std::size_t>(size) +
                                static_cast<std::size_t>(left)]);
    return image;
}

} // namespace vantle
