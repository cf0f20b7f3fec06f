#pragma once
// Colour values, depths and the small grid type shared by the document and the editor.

#include <array>
#include <cstdint>

namespace vantle {

// One colour as red + green * 256 + blue * 65536 (bytes 0x00BBGGRR).
using colourRGB = std::int32_t;

constexpr colourRGB kBlack = 0x000000;
constexpr colourRGB kWhite = 0xFFFFFF;

constexpr int redOf(colourRGB c) {
    return c & 0xFF;
}
constexpr int greenOf(colourRGB c) {
    return (c >> 8) & 0xFF;
}
constexpr int blueOf(colourRGB c) {
    return (c >> 16) & 0xFF;
}
constexpr colourRGB makeColour(int red, int green, int blue) {
    return red + green * 256 + blue * 65536;
}

// The two values that stand for masked pixels in every pixel grid. Their current values are process-wide
// settings; code that needs them takes this pair.
struct MarkerColours {
    colourRGB transparent = 0xE0E0E0;
    colourRGB inverted = 0x606060;

    constexpr bool isMarker(colourRGB c) const { return c == transparent || c == inverted; }
};

// A colour read as an opaque pixel, as the grid can hold it: a real colour equal to a marker value moves
// one step in blue (else in green) to the nearest colour that is no marker, so it stays opaque.
constexpr colourRGB opaqueColour(colourRGB colour, const MarkerColours& markers) {
    if (!markers.isMarker(colour))
        return colour;
    // The other marker can block one of the two neighbours at most.
    return markers.isMarker(colour ^ 0x010000) ? colour ^ 0x000100 : colour ^ 0x010000;
}

// A colour as a 0xAARRGGBB pixel of the given alpha (0x00RRGGBB is also the order of bitmap palettes).
constexpr std::uint32_t argbOf(colourRGB c, std::uint32_t alpha) {
    return alpha << 24 | static_cast<std::uint32_t>(redOf(c)) << 16 |
           static_cast<std::uint32_t>(greenOf(c)) << 8 | static_cast<std::uint32_t>(blueOf(c));
}

// The colour of a 0xAARRGGBB pixel, whatever its alpha: the inverse of argbOf.
constexpr colourRGB rgbOfPixel(std::uint32_t argb) {
    return makeColour(static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
                      static_cast<int>(argb & 0xFF));
}

// A straight-alpha 0xAARRGGBB pixel as a grid colour: a mostly transparent pixel is transparent, any other
// opaque in its own colour (moved by opaqueColour).
constexpr colourRGB colourOfPixel(std::uint32_t argb, const MarkerColours& markers) {
    if ((argb >> 24) < 128)
        return markers.transparent;
    return opaqueColour(rgbOfPixel(argb), markers);
}

// Colour depth of an image: 2, 16, 256, 0 for full colour, -1 while undetermined.
using ColourDepth = std::int16_t;
constexpr ColourDepth kDepthUndetermined = -1;
constexpr ColourDepth kDepthFull = 0;
// A 32-bit image with an alpha plane, held only with the true-colour setting on.
constexpr ColourDepth kDepth32 = 32;

// The depth rule: 1 or 2 colours give 2, 3..16 give 16, 17..256 give 256, anything else full colour.
constexpr ColourDepth depthFromCount(int n) {
    if (n == 1 || n == 2)
        return 2;
    if (n >= 3 && n <= 16)
        return 16;
    if (n >= 17 && n <= 256)
        return 256;
    return kDepthFull;
}

// A square grid of N x N cells addressed by column x and row y.
template <typename T, int N> struct Grid {
    static constexpr int size = N;
    std::array<T, N * N> cells{};

    T& operator()(int x, int y) { return cells[static_cast<std::size_t>(y * N + x)]; }
    const T& operator()(int x, int y) const { return cells[static_cast<std::size_t>(y * N + x)]; }
    void fill(const T& value) { cells.fill(value); }
    bool operator==(const Grid&) const = default;
};

constexpr int kImageGrid = 48;     // every image lives in a 48 x 48 grid
constexpr int kPaletteSize = 2304; // 48 * 48: the most colours one image can hold

using PixelGrid = Grid<colourRGB, kImageGrid>;

} // namespace vantle
