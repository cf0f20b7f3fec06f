#pragma once
// Turning a picture, or an area of it, into the three square previews (32, 16 and 48 pixels) by point
// sampling: the longer side fills the preview, the picture is centred and the margins are transparent.
// The picture panel, the picture window and vantle-tool's from-picture share this code.

#include "model/Colour.h"
#include "platform/Platform.h"

#include <array>
#include <optional>
#include <vector>

namespace vantle {

struct IconImage;

// Preview index 0, 1, 2 hold these sizes, in this order everywhere.
constexpr std::array<int, 3> kPreviewSizes{32, 16, 48};

// A square preview of size x size colours, rows from the top.
struct PreviewImage {
    int size = 0;
    std::vector<colourRGB> pixels;

    colourRGB at(int x, int y) const { return pixels[static_cast<std::size_t>(y * size + x)]; }
    bool operator==(const PreviewImage&) const = default;
};

// A rectangle of picture pixels: left, top, width and height.
struct PictureArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PictureArea&) const = default;
};

using PreviewSet = std::array<PreviewImage, 3>;

// Samples `area` of `picture` into one preview of `size` pixels. Pixels whose alpha is below 128 and the
// margins become the transparent marker; an opaque pixel of a marker's colour stays opaque, one step away
// (opaqueColour). The area lies inside the picture and is at least 1 x 1.
PreviewImage samplePreview(const Picture& picture, PictureArea area, int size, const MarkerColours& markers);

// The three previews of the whole picture.
PreviewSet previewWholePicture(const Picture& picture, const MarkerColours& markers);

// The three previews of an area; nothing when the area is 2 pixels or less in a direction, so the caller
// keeps the previews it shows.
std::optional<PreviewSet> previewSelectedArea(const Picture& picture, PictureArea area,
                                              const MarkerColours& markers);

// Writes a preview into an image: its pixels, width = height = size and the depth its colour count gives.
// The hotspot is left to the caller (a new image takes (0, 0), an overwritten one keeps its own).
void storePreview(const PreviewImage& preview, IconImage& image);
// The same with explicit marker colours instead of the process-wide ones.
void storePreview(const PreviewImage& preview, IconImage& image, const MarkerColours& markers);

} // namespace vantle
