#include "model/ColourAnalysis.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace vantle {

namespace {

// Positions of colours in a list, for the searches that would otherwise go through the list from the
// start: a colour keeps the position it was first added with, which is the one such a search finds.
class ColourPositions {
  public:
    ColourPositions() { positions_.fill(kEmpty); }

    int find(colourRGB c) const {
        for (std::size_t s = slotOf(c);; s = (s + 1) & kMask) {
            if (positions_[s] == kEmpty)
                return -1;
            if (colours_[s] == c)
                return positions_[s];
        }
    }
    // A colour already present keeps its first position.
    void add(colourRGB c, int position) {
        assert(position >= 0 && position < static_cast<int>(kPaletteSize));
        std::size_t s = slotOf(c);
        while (positions_[s] != kEmpty) {
            if (colours_[s] == c)
                return;
            s = (s + 1) & kMask;
        }
        colours_[s] = c;
        positions_[s] = static_cast<std::int16_t>(position);
    }

  private:
    // Twice the most colours an image holds, so the table never fills and probes stay short.
    static constexpr std::size_t kSlots = 8192;
    static_assert(kSlots >= 2 * kPaletteSize);
    static constexpr std::size_t kMask = kSlots - 1;
    static constexpr std::int16_t kEmpty = -1;
    static std::size_t slotOf(colourRGB c) { return (static_cast<std::uint32_t>(c) * 2654435761U) >> 19; }

    std::array<colourRGB, kSlots> colours_;
    std::array<std::int16_t, kSlots> positions_;
};

} // namespace

ColourCount countImageColours(IconImage& image, const MarkerColours& markers) {
    int b = 0;
    colourRGB last = -1;
    int lastIndex = 0;
    int blackIndex = -1;
    int whiteIndex = -1;
    auto& palette = image.palette;
    const auto& pixels = image.pixels;
    ColourPositions positions;
    auto append = [&](colourRGB c) {
        palette[static_cast<std::size_t>(b)] = c;
        positions.add(c, b);
        return b++;
    };
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const colourRGB p = pixels(x, y);
            int index = -1;
            if (p == last) {
                index = lastIndex;
            } else if (p == markers.transparent) {
                if (blackIndex == -1)
                    blackIndex = append(kBlack);
                index = blackIndex;
            } else if (p == markers.inverted) {
                if (whiteIndex == -1)
                    whiteIndex = append(kWhite);
                index = whiteIndex;
            } else {
                index = positions.find(p);
                if (index == -1) {
                    if (p == kBlack)
                        blackIndex = b;
                    if (p == kWhite)
                        whiteIndex = b;
                    index = append(p);
                }
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
    ColourPositions positions;
    auto append = [&](colourRGB c, std::int16_t count) {
        positions.add(c, static_cast<int>(entries.size()));
        entries.push_back({c, count});
    };
    const auto& pixels = image.pixels;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const colourRGB p = pixels(x, y);
            if (p == markers.transparent) {
                if (!transparentSeen)
                    append(kBlack, 999);
                transparentSeen = true;
            } else if (p == markers.inverted) {
                if (!invertedSeen)
                    append(kWhite, 999);
                invertedSeen = true;
            } else {
                const int k = positions.find(p);
                if (k == -1)
                    append(p, 1);
                else
                    ++entries[static_cast<std::size_t>(k)].count;
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

// For every dropped entry (0 .. dropped - 1) the colour of the first kept entry nearest to it in summed
// RGB difference; the first kept entry when none is nearer than 765. The kept colours are laid out by
// channel so the distance loop runs over plain arrays.
std::vector<colourRGB> replacementsOf(const std::vector<HistogramEntry>& entries, int dropped) {
    const std::size_t kept = entries.size() - static_cast<std::size_t>(dropped);
    std::vector<std::int16_t> red(kept), green(kept), blue(kept), d(kept);
    for (std::size_t k = 0; k < kept; ++k) {
        const colourRGB c = entries[static_cast<std::size_t>(dropped) + k].colour;
        red[k] = static_cast<std::int16_t>(redOf(c));
        green[k] = static_cast<std::int16_t>(greenOf(c));
        blue[k] = static_cast<std::int16_t>(blueOf(c));
    }
    std::vector<colourRGB> replacement(static_cast<std::size_t>(dropped));
    for (int j = 0; j < dropped; ++j) {
        const colourRGB c = entries[static_cast<std::size_t>(j)].colour;
        const int r = redOf(c), g = greenOf(c), b = blueOf(c);
        for (std::size_t k = 0; k < kept; ++k)
            d[k] = static_cast<std::int16_t>(std::abs(r - red[k]) + std::abs(g - green[k]) +
                                             std::abs(b - blue[k]));
        std::size_t best = 0;
        int bound = 765;
        for (std::size_t k = 0; k < kept; ++k) {
            if (d[k] < bound) {
                bound = d[k];
                best = k;
            }
        }
        replacement[static_cast<std::size_t>(j)] = entries[static_cast<std::size_t>(dropped) + best].colour;
    }
    return replacement;
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
        const std::vector<colourRGB> replacement = replacementsOf(entries, dropped);
        // A pixel takes the replacement of the first dropped entry of its colour.
        ColourPositions droppedAt;
        for (int j = 0; j < dropped; ++j)
            droppedAt.add(entries[static_cast<std::size_t>(j)].colour, j);
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
                const int j = droppedAt.find(p);
                if (j >= 0)
                    p = replacement[static_cast<std::size_t>(j)];
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
