#include "model/ColourAnalysis.h"

#include <cassert>
#include <cstdlib>
#include <utility>
#include <vector>

namespace vantle {

ColourCount countImageColours(IconImage& image, const MarkerColours& markers) {
    int b = 0;
    colourRGB last = -1;
    int lastIndex = 0;
    int blackIndex = -1;
    int whiteIndex = -1;
    auto& palette = image.palette;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const colourRGB p = image.pixels(x, y);
            int index = -1;
            if (p == last) {
                index = lastIndex;
            } else if (p == markers.transparent) {
                if (blackIndex == -1) {
                    palette[static_cast<std::size_t>(b)] = kBlack;
                    blackIndex = b++;
                }
                index = blackIndex;
            } else if (p == markers.inverted) {
                if (whiteIndex == -1) {
                    palette[static_cast<std::size_t>(b)] = kWhite;
                    whiteIndex = b++;
                }
                index = whiteIndex;
            } else {
                int k = 0;
                while (k < b && palette[static_cast<std::size_t>(k)] != p)
                    ++k;
                if (k == b) {
                    palette[static_cast<std::size_t>(b)] = p;
                    if (p == kBlack)
                        blackIndex = b;
                    if (p == kWhite)
                        whiteIndex = b;
                    ++b;
                }
                index = k;
            }
            // Indices are only kept below 256; beyond that the image has no valid index map anyway.
            if (index >= 0 && index < 256)
                image.indexMap(x, y) = static_cast<std::uint8_t>(index);
            last = p;
            lastIndex = index < 256 ? index : image.indexMap(x, y);
        }
    }
    const int rounded = (b + 15) / 16 * 16;
    for (int k = b; k < rounded; ++k)
        palette[static_cast<std::size_t>(k)] = kWhite;
    return {static_cast<std::int16_t>(b <= 256 ? b : -1), static_cast<std::int16_t>(rounded)};
}

std::int16_t countColours(IconDocument& document, int index, const MarkerColours& markers) {
    assert(index >= 0 && index < document.imageCapacity());
    const ColourCount result = countImageColours(document.images[static_cast<std::size_t>(index)], markers);
    document.paletteLength = result.paletteLength;
    document.paletteCurrent = true;
    return result.count;
}

namespace {

struct HistogramEntry {
    colourRGB colour;
    std::int16_t count;
};

std::vector<HistogramEntry> histogramOf(const IconImage& image, const MarkerColours& markers) {
    std::vector<HistogramEntry> entries;
    entries.reserve(256);
    bool transparentSeen = false;
    bool invertedSeen = false;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const colourRGB p = image.pixels(x, y);
            if (p == markers.transparent) {
                if (!transparentSeen)
                    entries.push_back({kBlack, 999});
                transparentSeen = true;
            } else if (p == markers.inverted) {
                if (!invertedSeen)
                    entries.push_back({kWhite, 999});
                invertedSeen = true;
            } else {
                auto it = entries.begin();
                while (it != entries.end() && it->colour != p)
                    ++it;
                if (it == entries.end())
                    entries.push_back({p, 1});
                else
                    ++it->count;
            }
        }
    }
    return entries;
}

// Ascending by count; this exact exchange order decides between equal counts.
void sortByCount(std::vector<HistogramEntry>& e) {
    const int n = static_cast<int>(e.size());
    for (int gap = n / 2; gap > 0; gap /= 2) {
        for (int j = n - 1 - gap; j <= n - 1; ++j) {
            bool swapped = false;
            do {
                swapped = false;
                for (int k = j; k >= gap; k -= gap) {
                    if (e[static_cast<std::size_t>(k)].count < e[static_cast<std::size_t>(k - gap)].count) {
                        std::swap(e[static_cast<std::size_t>(k)], e[static_cast<std::size_t>(k - gap)]);
                        swapped = true;
                    }
                }
            } while (swapped);
        }
    }
}

int distance(colourRGB a, colourRGB b) {
    return std::abs(redOf(a) - redOf(b)) + std::abs(greenOf(a) - greenOf(b)) +
           std::abs(blueOf(a) - blueOf(b));
}

} // namespace

void reduceColoursTo(IconDocument& document, int index, int target, const MarkerColours& markers) {
    assert(index >= 0 && index < document.imageCapacity());
    IconImage& image = document.images[static_cast<std::size_t>(index)];
    std::vector<HistogramEntry> entries = histogramOf(image, markers);
    sortByCount(entries);
    const int n = static_cast<int>(entries.size());
    if (n > target) {
        const int dropped = n - target;
        std::vector<colourRGB> replacement(static_cast<std::size_t>(dropped));
        for (int j = 0; j < dropped; ++j) {
            int best = dropped;
            int bound = 765;
            for (int k = dropped; k < n; ++k) {
                const int d = distance(entries[static_cast<std::size_t>(j)].colour,
                                       entries[static_cast<std::size_t>(k)].colour);
                if (d < bound) {
                    bound = d;
                    best = k;
                }
            }
            replacement[static_cast<std::size_t>(j)] = entries[static_cast<std::size_t>(best)].colour;
        }
        // Runs of one colour are common, so the last lookup is remembered.
        colourRGB lastFrom = 0;
        colourRGB lastTo = 0;
        bool lastValid = false;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                colourRGB& p = image.pixels(x, y);
                if (p == markers.transparent || p == markers.inverted)
                    continue;
                if (lastValid && p == lastFrom) {
                    p = lastTo;
                    continue;
                }
                const colourRGB from = p;
                for (int j = 0; j < dropped; ++j) {
                    if (entries[static_cast<std::size_t>(j)].colour == p) {
                        p = replacement[static_cast<std::size_t>(j)];
                        break;
                    }
                }
                lastFrom = from;
                lastTo = p;
                lastValid = true;
            }
        }
    }
    image.depth = depthFromCount(countColours(document, index, markers));
}

void reduceColours(IconDocument& document, int index, const MarkerColours& markers) {
    const ColourDepth depth = document.images[static_cast<std::size_t>(index)].depth;
    if (depth == 2)
        return;
    const int target = depth == 16 ? 2 : depth == 256 ? 16 : 256;
    reduceColoursTo(document, index, target, markers);
}

} // namespace vantle
