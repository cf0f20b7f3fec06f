#include "editor/FloodFill.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <vector>

namespace vantle {

namespace {

// One pending visit: the pixel and the next of its four neighbours to visit.
struct FillFrame {
    std::int16_t x;
    std::int16_t y;
    std::uint8_t next;
};

constexpr std::array<std::array<int, 2>, 4> kNeighbours = {{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};

} // namespace

bool floodFill(PixelGrid& grid, int width, int height, int x, int y, colourRGB colour, int depthLimit,
               const std::function<void(int x, int y)>& filled) {
    assert(width >= 0 && width <= kImageGrid && height >= 0 && height <= kImageGrid);
    assert(x >= 0 && x < width && y >= 0 && y < height);
    const colourRGB target = grid(x, y);
    if (target == colour)
        return false;

    int depth = 0;
    bool overflow = false;
    std::vector<FillFrame> frames;
    frames.reserve(static_cast<std::size_t>(kImageGrid * kImageGrid));

    // The body of one recursive visit up to the point where it would visit its neighbours.
    const auto visit = [&](int px, int py) {
        if (px < 0 || py < 0 || px >= width || py >= height || grid(px, py) != target)
            return;
        grid(px, py) = colour;
        filled(px, py);
        ++depth;
        if (depth > depthLimit) {
            overflow = true;
            return;
        }
        frames.push_back({static_cast<std::int16_t>(px), static_cast<std::int16_t>(py), 0});
    };

    visit(x, y);
    while (!frames.empty()) {
        FillFrame& frame = frames.back();
        if (frame.next == kNeighbours.size()) {
            frames.pop_back();
            --depth;
            continue;
        }
        const auto [stepX, stepY] = kNeighbours[frame.next++];
        visit(frame.x + stepX, frame.y + stepY); // may grow frames: frame is not used after this
    }
    return overflow;
}

} // namespace vantle
