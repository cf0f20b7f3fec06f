#include "model/XcursorFileWriter.h"

#include "model/BinaryFile.h"
#include "model/XcursorFile.h"

#include <algorithm>
#include <map>

namespace vantle {

namespace {

using namespace xcursor;

struct Frame {
    const IconImage* image = nullptr;
    std::uint32_t delay = 0;
};

constexpr std::uint32_t kOpaque = 0xFF000000;

bool isInverted(const IconImage& image, int x, int y, const MarkerColours& markers) {
    return x >= 0 && y >= 0 && x < image.width && y < image.height && image.pixels(x, y) == markers.inverted;
}

std::uint32_t argbOf(const IconImage& image, int x, int y, const MarkerColours& markers) {
    const colourRGB c = image.pixels(x, y);
    if (c == markers.inverted)
        return kOpaque;
    if (c == markers.transparent) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (isInverted(image, x + dx, y + dy, markers))
                    return kOpaque | 0xFFFFFF;
        return 0;
    }
    return kOpaque | static_cast<std::uint32_t>(redOf(c)) << 16 |
           static_cast<std::uint32_t>(greenOf(c)) << 8 | static_cast<std::uint32_t>(blueOf(c));
}

// Frames by nominal size (the image's width), in the order they are shown.
std::map<int, std::vector<Frame>> framesOf(const IconDocument& d) {
    std::map<int, std::vector<Frame>> bySize;
    if (d.stepCount > 0) {
        for (std::int32_t s = 0; s < d.stepCount; ++s) {
            const AnimationStep& step = d.steps[static_cast<std::size_t>(s)];
            if (step.imageIndex < 0 || step.imageIndex >= d.imageCount)
                continue;
            const IconImage& image = d.images[static_cast<std::size_t>(step.imageIndex)];
            bySize[image.width].push_back({&image, millisecondsOfJiffies(step.rate)});
        }
    } else {
        for (int i = 0; i < d.imageCount; ++i) {
            const IconImage& image = d.images[static_cast<std::size_t>(i)];
            auto& frames = bySize[image.width];
            if (frames.empty())
                frames.push_back({&image, 0});
        }
    }
    return bySize;
}

} // namespace

std::vector<std::uint8_t> buildXcursorFile(const IconDocument& document, const MarkerColours& markers) {
    const auto bySize = framesOf(document);
    std::uint32_t count = 0;
    for (const auto& [size, frames] : bySize)
        count += static_cast<std::uint32_t>(frames.size());

    ByteWriter out;
    out.writeTag("Xcur");
    out.writeDword(kFileHeaderSize);
    out.writeDword(kFileVersion);
    out.writeDword(count);
    std::uint32_t position = kFileHeaderSize + count * kTocEntrySize;
    for (const auto& [size, frames] : bySize)
        for (const Frame& f : frames) {
            out.writeDword(kImageType);
            out.writeDword(size);
            out.writeDword(position);
            position += kImageHeaderSize + 4u * static_cast<std::uint32_t>(f.image->width * f.image->height);
        }
    for (const auto& [size, frames] : bySize)
        for (const Frame& f : frames) {
            const IconImage& image = *f.image;
            out.writeDword(kImageHeaderSize);
            out.writeDword(kImageType);
            out.writeDword(size);
            out.writeDword(kImageVersion);
            out.writeDword(image.width);
            out.writeDword(image.height);
            out.writeDword(std::clamp<int>(image.hotspotX, 0, image.width - 1));
            out.writeDword(std::clamp<int>(image.hotspotY, 0, image.height - 1));
            out.writeDword(f.delay);
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x)
                    out.writeDword(argbOf(image, x, y, markers));
        }
    return out.bytes();
}

bool writeXcursorFile(const IconDocument& document, const std::string& path, const MarkerColours& markers) {
    return replaceFileContents(path, buildXcursorFile(document, markers));
}

} // namespace vantle
