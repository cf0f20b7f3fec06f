#pragma once
// A cursor at every size a theme needs. A size the source holds is kept as it is; a missing size is made
// from the nearest larger image by area averaging, or from the largest smaller one when none is larger.
//
// Resampling: each target pixel takes the source area it covers, weighted by how much of each source
// pixel lies under it, on premultiplied colour (so a half-transparent edge next to transparent pixels
// keeps its colour and gets no dark fringe). Shrinking is area averaging; enlarging by a whole factor
// repeats every pixel exactly; enlarging by another factor keeps every target pixel that lies inside one
// source pixel as that pixel and blends only those that straddle two, so shapes stay sharp.
//
// Size: the nominal size is the width. A non-square image keeps its aspect ratio: the target height is
// the source height times size / width, rounded, at least 1 and at most kMaxCursorSide.
//
// Hotspot: on each axis the hotspot moves to the target pixel that holds the centre of the source's
// hotspot pixel, h' = floor((2h + 1) * to / (2 * from)). When enlarging, that target pixel lies on the
// hotspot's source pixel; when shrinking, it is the target pixel the hotspot's source pixel falls in.

#include "model/LosslessCursor.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace vantle::theme {

// The default sizes of a theme besides those its sources hold: 24 and 32 for ordinary screens, 48, 64
// and 96 for HiDPI, and the sizes desktops ask for at fractional scales of 24 (x 1.25, 1.5, 1.75, 2, 2.5,
// 3: 30, 36, 42, 48, 60, 72).
constexpr std::array<int, 10> kDefaultThemeSizes = {24, 30, 32, 36, 42, 48, 60, 64, 72, 96};

// One axis of the hotspot rule.
int scaledHotspot(int h, int from, int to);

// The height of an image of width x height scaled to the nominal size.
int scaledHeight(int width, int height, int size);

// Straight-alpha 0xAARRGGBB pixels read where they are: width x height of them, rows from the top,
// `stride` pixels apart.
struct PixelBlock {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
};

// The resampling above of a block (at most 65536 pixels wide) onto width x height pixels, by any factor
// on either axis, rows from the top. Rounding: a pixel's alpha is the mean of the alphas under it, each
// weighted by its overlap, rounded to the nearest with halves up; its colour is the mean weighted by
// overlap x alpha (the premultiplied sum divided by the alpha sum), rounded the same way; a pixel of alpha
// 0 is 0.
std::vector<std::uint32_t> averagePixels(const PixelBlock& source, int width, int height);

// The image at nominal size `size` (1..kMaxCursorSide). The inverted-pixel flags are not carried: replace
// them first (replaceInvertedPixels), as a theme cannot show them.
CursorImage scaleImage(const CursorImage& source, int size);

// Every nominal size a theme file of this cursor holds: the widths its images have and `extra`, in
// ascending order, each once, within 1..kMaxCursorSide.
std::vector<int> themeSizes(const LosslessCursor& cursor, std::span<const int> extra);

// Of the images of one frame, the one a size is taken from: one of that width (of those, the one with the
// most bits per pixel) when the frame has it, else the nearest larger, else the largest smaller. Nothing
// when the frame has no images.
const CursorImage* sourceImageFor(const CursorFrame& frame, int size);

// An image a size can be made from and stay crisp: one of that width; else the smallest at least twice
// as large (area averaging then takes whole blocks of at least 2 x 2 source pixels for each pixel, no
// blur of a fractional reduction); else the largest smaller one whose width divides the size (every
// pixel repeated). Nothing when the frame has none.
const CursorImage* crispSourceFor(const CursorFrame& frame, int size);

struct SizePlan {
    std::vector<int> sizes;                   // ascending: the sizes the cursor holds and those made
    std::vector<std::pair<int, int>> skipped; // a size not made, and the size that serves it instead
};

// The sizes of a theme file of this cursor: the widths its images have and each of `wanted` that every
// frame can make crisp; with `forced`, every one of `wanted` (within 1..kMaxCursorSide). A size left out
// is served by the nearest size the cursor holds, as libXcursor picks it.
SizePlan planThemeSizes(const LosslessCursor& cursor, std::span<const int> wanted, bool forced);

struct SizedCursor {
    LosslessCursor cursor; // every frame holds one image per size, in ascending order; steps as the source
    std::vector<int> kept; // sizes every frame held
    std::vector<int> made; // sizes made in at least one frame
};

// The cursor with every frame at every size of `sizes` (ascending, as themeSizes gives them). Frames
// without images are left out and the steps that show them dropped. Cost: one resampling per frame and
// made size.
// With CrispFirst each size is made from crispSourceFor's image where the frame has one.
enum class Sources { Nearest, CrispFirst };
SizedCursor cursorAtSizes(const LosslessCursor& source, std::span<const int> sizes,
                          Sources sources = Sources::Nearest);
// The same, taking the images it keeps from `source` instead of copying them.
SizedCursor cursorAtSizes(LosslessCursor&& source, std::span<const int> sizes,
                          Sources sources = Sources::Nearest);

} // namespace vantle::theme
