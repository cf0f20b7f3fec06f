#pragma once
// What the random use of the window compares: the images, depths and steps a document holds, and the
// cursor the true-colour writer makes of it, each with the first difference between two of them.

#include "model/IconDocument.h"
#include "model/LosslessCursor.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace vantle::test {

// What a command must leave alone: an image's size, hotspot and pixels.
struct ImageCopy {
    int width = 0;
    int height = 0;
    int hotspotX = 0;
    int hotspotY = 0;
    std::vector<colourRGB> pixels;
    std::vector<std::uint32_t> argb; // a 32-bit image's own pixels
    bool sameFrame = false;

    bool operator==(const ImageCopy&) const = default;
};

inline ImageCopy copyOf(const IconImage& image) {
    ImageCopy c{image.width, image.height,    image.hotspotX, image.hotspotY,
                {},          image.full.argb, image.sameFrame};
    if (!image.trueColour())
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                c.pixels.push_back(image.pixels(x, y));
    return c;
}

struct DocumentCopy {
    std::vector<ImageCopy> images;
    std::vector<int> depths;
    std::vector<AnimationStep> steps;
};

inline DocumentCopy copyOf(const IconDocument& d) {
    DocumentCopy c;
    for (int i = 0; i < d.imageCount; ++i) {
        c.images.push_back(copyOf(d.images[static_cast<std::size_t>(i)]));
        c.depths.push_back(d.images[static_cast<std::size_t>(i)].depth);
    }
    for (int s = 0; s < d.stepCount; ++s)
        c.steps.push_back(d.steps[static_cast<std::size_t>(s)]);
    return c;
}

// The first difference between two documents, or empty.
inline std::string differenceBetween(const DocumentCopy& held, const DocumentCopy& read) {
    std::ostringstream out;
    if (held.images.size() != read.images.size()) {
        out << "image count " << held.images.size() << " held, " << read.images.size() << " read";
        return out.str();
    }
    for (std::size_t i = 0; i < held.images.size(); ++i) {
        const ImageCopy& a = held.images[i];
        const ImageCopy& b = read.images[i];
        if (a.width != b.width || a.height != b.height)
            out << "image " << i << " size " << a.width << "x" << a.height << " held, " << b.width << "x"
                << b.height << " read";
        else if (a.hotspotX != b.hotspotX || a.hotspotY != b.hotspotY)
            out << "image " << i << " hotspot " << a.hotspotX << "," << a.hotspotY << " held, " << b.hotspotX
                << "," << b.hotspotY << " read";
        else if (held.depths[i] != read.depths[i])
            out << "image " << i << " depth " << held.depths[i] << " held, " << read.depths[i] << " read";
        else
            for (std::size_t p = 0; p < a.pixels.size(); ++p)
                if (a.pixels[p] != b.pixels[p]) {
                    out << "image " << i << " pixel (" << p % static_cast<std::size_t>(a.width) << ","
                        << p / static_cast<std::size_t>(a.width) << ") " << std::hex << a.pixels[p]
                        << " held, " << b.pixels[p] << " read";
                    break;
                }
        if (!out.str().empty())
            return out.str();
    }
    if (held.steps.size() != read.steps.size()) {
        out << "step count " << held.steps.size() << " held, " << read.steps.size() << " read";
        return out.str();
    }
    for (std::size_t s = 0; s < held.steps.size(); ++s)
        if (!(held.steps[s] == read.steps[s])) {
            out << "step " << s << " image " << held.steps[s].imageIndex << " rate " << held.steps[s].rate
                << " held, image " << read.steps[s].imageIndex << " rate " << read.steps[s].rate << " read";
            return out.str();
        }
    return {};
}

// The first difference between two cursors as the true-colour writer makes them from a document, or empty.
inline std::string differenceBetween(const LosslessCursor& held, const LosslessCursor& read) {
    std::ostringstream out;
    if (held.frames.size() != read.frames.size()) {
        out << "frame count " << held.frames.size() << " held, " << read.frames.size() << " read";
        return out.str();
    }
    for (std::size_t f = 0; f < held.frames.size(); ++f) {
        const auto& a = held.frames[f].images;
        const auto& b = read.frames[f].images;
        if (a.size() != b.size()) {
            out << "frame " << f << " holds " << a.size() << " sizes, " << b.size() << " read";
            return out.str();
        }
        for (std::size_t k = 0; k < a.size(); ++k)
            if (a[k].width != b[k].width || a[k].hotspotX != b[k].hotspotX ||
                a[k].hotspotY != b[k].hotspotY || a[k].argb != b[k].argb ||
                a[k].hasInverted() != b[k].hasInverted()) {
                out << "frame " << f << " image " << k << " (" << a[k].width << "x" << a[k].height
                    << " hotspot " << a[k].hotspotX << "," << a[k].hotspotY << " stored " << a[k].storedBits
                    << ") read as " << b[k].width << "x" << b[k].height << " hotspot " << b[k].hotspotX << ","
                    << b[k].hotspotY << " stored " << b[k].storedBits << " inverting " << a[k].hasInverted()
                    << "/" << b[k].hasInverted();
                for (std::size_t p = 0; p < std::min(a[k].argb.size(), b[k].argb.size()); ++p)
                    if (a[k].argb[p] != b[k].argb[p]) {
                        out << "; pixel " << p << " " << std::hex << a[k].argb[p] << " held, " << b[k].argb[p]
                            << " read" << std::dec;
                        break;
                    }
                return out.str();
            }
    }
    if (held.steps.size() != read.steps.size()) {
        out << "step count " << held.steps.size() << " held, " << read.steps.size() << " read";
        return out.str();
    }
    for (std::size_t s = 0; s < held.steps.size(); ++s)
        if (held.steps[s].frame != read.steps[s].frame || held.steps[s].ticks != read.steps[s].ticks) {
            out << "step " << s << " differs when read back";
            return out.str();
        }
    return {};
}

} // namespace vantle::test
