#pragma once
// The zoom of the true-colour view: "fit" or a whole number of screen pixels per image pixel, the steps the
// zoom control offers, and where a point of the zoomed picture falls in the image.

#include <array>
#include <optional>

namespace vantle {

// The whole zooms offered, in order; zoom 0 stands for fit.
inline constexpr std::array<int, 10> kZoomSteps{1, 2, 3, 4, 6, 8, 12, 16, 24, 32};
inline constexpr int kZoomFit = 0;
// Grid lines are drawn between pixels when a pixel is at least this many screen pixels wide.
inline constexpr double kMinGridCell = 4.0;

// The largest offered zoom at which a width x height image with its grid (one line more than pixels) fits
// in a square of `side` screen pixels; 1 when none does.
int fittingZoom(int width, int height, int side);

// The next offered zoom after (direction > 0) or before (direction < 0) zoom; fit steps from the zoom it
// shows at. The ends of the list stay where they are.
int steppedZoom(int zoom, double fitScale, int direction);

// Screen pixels per image pixel: the zoom, or for fit the scale that fills the side.
double scaleOf(int zoom, int width, int height, int side);

// The image pixel under a point of the zoomed picture, nothing outside the image.
struct PixelPoint {
    int x = 0;
    int y = 0;
};
std::optional<PixelPoint> pixelAt(double px, double py, double scale, int width, int height);

} // namespace vantle
