#pragma once
// Images the benchmarks work on, filled the same way on every run.

#include "model/IconDocument.h"
#include "platform/Platform.h"

#include <cstdint>

namespace vantle::bench {

inline const MarkerColours kMarkers;

// Counts the messages a reader or writer would show, and shows none.
class QuietMessages : public MessageSink {
  public:
    MessageAnswer showMessage(std::string_view, MessageButtons, MessageIcon) override {
        ++shown;
        return MessageAnswer::Ok;
    }
    int shown = 0;
};

// A document with its image slots cleared to the transparent colour.
inline IconDocument newDocument() {
    IconDocument d;
    d.clearImages(kMarkers.transparent);
    return d;
}

// Appends a square image whose colours come from colourAt(x, y).
template <typename ColourAt> void addImage(IconDocument& d, int side, ColourAt colourAt) {
    if (!d.growForImage(d.imageCount))
        return;
    IconImage& image = d.images[static_cast<std::size_t>(d.imageCount)];
    image.width = static_cast<std::int16_t>(side);
    image.height = static_cast<std::int16_t>(side);
    image.depth = kDepthUndetermined;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            image.pixels(x, y) = colourAt(x, y);
    ++d.imageCount;
}

// 16 colours in horizontal runs with a transparent border: what a hand-drawn icon looks like.
inline colourRGB sixteenColours(int x, int y) {
    if (x == 0 || y == 0)
        return kMarkers.transparent;
    const int k = (y / 3 + x / 12) % 15;
    return makeColour(k * 17, 255 - k * 17, (k * 40) & 0xFF);
}

// Every pixel of a 48 x 48 image a different colour: 2304 distinct colours.
inline colourRGB everyPixelDifferent(int x, int y) {
    return makeColour(x * 5, y * 5, 100);
}

} // namespace vantle::bench
