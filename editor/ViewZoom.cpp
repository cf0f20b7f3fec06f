#include "editor/ViewZoom.h"

#include <algorithm>
#include <cmath>

namespace vantle {

int fittingZoom(int width, int height, int side) {
    int best = kZoomSteps.front();
    for (int zoom : kZoomSteps)
        if (width * zoom + 1 <= side && height * zoom + 1 <= side)
            best = zoom;
    return best;
}

int steppedZoom(int zoom, double fitScale, int direction) {
    const double from = zoom == kZoomFit ? fitScale : zoom;
    if (direction > 0) {
        for (int step : kZoomSteps)
            if (step > from)
                return step;
        return kZoomSteps.back();
    }
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it)
        if (*it < from)
            return *it;
    return kZoomSteps.front();
}

double scaleOf(int zoom, int width, int height, int side) {
    if (zoom != kZoomFit)
        return zoom;
    return static_cast<double>(side - 1) / std::max({width, height, 1});
}

std::optional<PixelPoint> pixelAt(double px, double py, double scale, int width, int height) {
    if (px < 0 || py < 0)
        return std::nullopt;
    const int x = static_cast<int>(std::floor(px / scale));
    const int y = static_cast<int>(std::floor(py / scale));
    if (x >= width || y >= height)
        return std::nullopt;
    return PixelPoint{x, y};
}

} // namespace vantle
