#pragma once
// A cursor as its file holds it, with nothing taken away: every frame with every size in straight-alpha
// 32-bit pixels up to 256 x 256, the hotspot of each image and the delay of each step. Conversion,
// cursor themes and Windows packs work on it. The window's document, with its own limits, is filled
// from the same byte-level parsers (icon directory, bitmap entries, RIFF chunks, Xcursor tables).

#include <cstdint>
#include <string>
#include <vector>

namespace vantle {

constexpr int kMaxCursorSide = 256;

// Delays are counted in ticks of 1/60000 s, in which both a jiffy (1/60 s, the unit of animated cursor
// rates) and a millisecond (the unit of Xcursor delays) are whole numbers, so either converts exactly.
constexpr std::int64_t kTicksPerSecond = 60000;
constexpr std::int64_t kTicksPerJiffy = 1000;
constexpr std::int64_t kTicksPerMillisecond = 60;

struct CursorImage {
    int width = 0;
    int height = 0;
    int hotspotX = 0;
    int hotspotY = 0;
    // 0xAARRGGBB with straight (not premultiplied) alpha, rows from the top, width x height values.
    std::vector<std::uint32_t> argb;
    // Empty, or one flag per pixel: 1 where the pixel inverts the screen under it (an AND-mask bit 1 over
    // a colour other than black). Such a pixel's argb holds that colour with alpha 0.
    std::vector<std::uint8_t> inverted;
    // How the file stored the image: the bit count of its bitmap (1, 4, 8, 24 or 32), 0 for a PNG entry
    // or an image from a format without bit counts. Writers keep this form where it holds the pixels.
    int storedBits = 32;

    // Rank of the stored form for choosing among images of one size: deeper first, a PNG entry as 32 bits.
    int depthRank() const { return storedBits == 0 ? 32 : storedBits; }
    std::uint32_t at(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
    bool invertsAt(int x, int y) const {
        return !inverted.empty() && inverted[static_cast<std::size_t>(y) * width + x] != 0;
    }
    bool hasInverted() const {
        for (std::uint8_t f : inverted)
            if (f != 0)
                return true;
        return false;
    }
    // Some pixel is neither transparent nor opaque.
    bool hasPartialAlpha() const {
        for (std::uint32_t p : argb)
            if (p >> 24 != 0 && p >> 24 != 255)
                return true;
        return false;
    }
};

// One frame: the same picture at every size the file holds, in file order.
struct CursorFrame {
    std::vector<CursorImage> images;
};

struct CursorStep {
    int frame = 0;          // index into frames
    std::int64_t ticks = 0; // how long the step is shown, in 1/60000 s
};

// What an animated cursor's header and chunks said beyond frames and steps, so that writing one again
// keeps them.
struct AniProperties {
    std::string title;  // UTF-8
    std::string author; // UTF-8
    std::int32_t defaultRate = 0;
    std::int32_t flags = 0;
    bool hadRateTable = false;
    bool hadSequenceTable = false;
};

struct LosslessCursor {
    std::vector<CursorFrame> frames;
    // The animation; empty for a still cursor or icon, whose one frame is frames[0].
    std::vector<CursorStep> steps;
    AniProperties ani; // meaningful when read from an animated cursor
    int iconType = 2;  // 1 icon, 2 cursor: the type of the icon resource read or to write

    bool animated() const { return !steps.empty(); }
};

} // namespace vantle
