#include "model/ColourAnalysis.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <span>
#include <utility>
#include <vector>

namespace vantle {

namespace {

// Positions of colours in a list, for the searches that would otherwise go through the list from the
// start: a colour keeps the position it was first added with, which is the one such a search finds.
class ColourPositions {
  public:
    // Room for up to `colours` different colours: the table is at least twice that, so it never fills
    // and probes stay short, and only that much of it is cleared.
    explicit ColourPositions(std::size_t colours) {
        assert(colours <= kPaletteSize);
        std::size_t slots = 16;
        int bits = 4;
        while (slots < 2 * colours) {
            slots *= 2;
            ++bits;
        }
        mask_ = slots - 1;
        shift_ = 32 - bits;
        std::fill_n(positions_.begin(), slots, kEmpty);
    }

    int find(colourRGB c) const {
        for (std::size_t s = slotOf(c);; s = (s + 1) & mask_) {
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
            s = (s + 1) & mask_;
        }
        colours_[s] = c;
        positions_[s] = static_cast<std::int16_t>(position);
    }

  private:
    static constexpr std::size_t kMaxSlots = 8192;
    static_assert(kMaxSlots >= 2 * kPaletteSize);
    static constexpr std::int16_t kEmpty = -1;
    std::size_t slotOf(colourRGB c) const { return (static_cast<std::uint32_t>(c) * 2654435761U) >> shift_; }

    std::size_t mask_ = 0;
    int shift_ = 0;
    std::array<colourRGB, kMaxSlots> colours_;
    std::array<std::int16_t, kMaxSlots> positions_;
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
    // Every pixel adds at most one entry.
    ColourPositions positions(static_cast<std::size_t>(image.width * image.height));
    image.indexMap.cover(image.width, image.height);
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
    ColourPositions positions(static_cast<std::size_t>(image.width * image.height));
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
// RGB difference; the first kept entry when none is nearer than 765. Distances are at most 765, so "the
// first entry whose distance is below every one before it, from a bound of 765" is the first entry of
// the least distance: the least distance, and among entries at it the lowest position.
inline std::int16_t absDifference(std::int16_t a, std::int16_t b) {
    const auto d = static_cast<std::int16_t>(a - b);
    return d < 0 ? static_cast<std::int16_t>(-d) : d;
}

// The kept colours in blocks of 16: the blocks follow one another in order of red, and inside a block the
// entries stand in order of position. Each block knows the box of reds, greens and blues it spans; a
// colour's distance to any entry of a block is at least its distance to that box. The search starts at
// the block whose reds reach the colour's red and widens to both sides, passing over blocks whose box is
// farther than the least distance found and stopping once the red alone is farther: such blocks cannot
// hold an entry as near, not even a tie. Inside a block the least of distance x 16 + lane, in 16-bit
// lanes, gives the nearest entry of the lowest position; the compiler turns it into a few vector
// operations.
class KeptColours {
  public:
    explicit KeptColours(std::span<const HistogramEntry> kept) {
        const int n = static_cast<int>(kept.size());
        assert(n >= 1 && n <= 256);
        std::vector<int> order(static_cast<std::size_t>(n));
        for (int k = 0; k < n; ++k)
            order[static_cast<std::size_t>(k)] = k;
        auto redAt = [&kept](int k) { return redOf(kept[static_cast<std::size_t>(k)].colour); };
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return redAt(a) < redAt(b); });
        blocks_.resize(static_cast<std::size_t>((n + kLanes - 1) / kLanes));
        for (std::size_t b = 0; b < blocks_.size(); ++b) {
            Block& block = blocks_[b];
            const auto begin = order.begin() + static_cast<std::ptrdiff_t>(b * kLanes);
            const auto end =
                order.begin() + std::min<std::ptrdiff_t>(n, static_cast<std::ptrdiff_t>((b + 1) * kLanes));
            std::sort(begin, end);
            int lane = 0;
            for (auto k = begin; k != end; ++k, ++lane) {
                const colourRGB c = kept[static_cast<std::size_t>(*k)].colour;
                const auto l = static_cast<std::size_t>(lane);
                const std::array<int, 3> rgb{redOf(c), greenOf(c), blueOf(c)};
                block.red[l] = static_cast<std::int16_t>(rgb[0]);
                block.green[l] = static_cast<std::int16_t>(rgb[1]);
                block.blue[l] = static_cast<std::int16_t>(rgb[2]);
                block.position[l] = static_cast<std::int16_t>(*k);
                for (std::size_t ch = 0; ch < 3; ++ch) {
                    block.low[ch] = lane == 0 ? rgb[ch] : std::min(block.low[ch], rgb[ch]);
                    block.high[ch] = lane == 0 ? rgb[ch] : std::max(block.high[ch], rgb[ch]);
                }
            }
        }
    }

    // The position of the first kept entry nearest to c.
    int nearest(colourRGB c) const {
        Search s{{redOf(c), greenOf(c), blueOf(c)}};
        const int count = static_cast<int>(blocks_.size());
        int high = 0;
        while (high < count - 1 && blocks_[static_cast<std::size_t>(high)].high[0] < s.rgb[0])
            ++high;
        int low = high - 1;
        while (low >= 0 || high < count) {
            const int belowGap = low >= 0 ? redGap(low, s) : kNone;
            const int aboveGap = high < count ? redGap(high, s) : kNone;
            if (std::min(belowGap, aboveGap) > s.distance)
                break;
            const int block = aboveGap <= belowGap ? high++ : low--;
            if (boxGap(block, s) <= s.distance)
                visit(blocks_[static_cast<std::size_t>(block)], s);
        }
        assert(s.position >= 0 && s.position < 256);
        return s.position;
    }

  private:
    static constexpr int kLanes = 16;
    static constexpr std::int16_t kFar = 1100;   // distance from any colour 845 to 1610: above 765
    static constexpr std::int16_t kBeyond = 766; // distances above 765 count as this, so x 16 fits in 16 bits
    static constexpr int kNone = std::numeric_limits<int>::max();

    struct Block {
        // Lanes without an entry hold a colour farther than any.
        std::array<std::int16_t, kLanes> red = filled(kFar), green{}, blue{}, position{};
        std::array<int, 3> low{}, high{};
    };
    struct Search {
        std::array<int, 3> rgb;
        int distance = kNone;
        int position = kNone;
    };

    static std::array<std::int16_t, kLanes> filled(std::int16_t value) {
        std::array<std::int16_t, kLanes> lanes;
        lanes.fill(value);
        return lanes;
    }

    static int outside(int value, int low, int high) {
        return std::max(0, std::max(low - value, value - high));
    }
    // How far the colour's red lies outside a block's reds, and how far the colour lies from its box.
    int redGap(int block, const Search& s) const {
        const Block& b = blocks_[static_cast<std::size_t>(block)];
        return outside(s.rgb[0], b.low[0], b.high[0]);
    }
    int boxGap(int block, const Search& s) const {
        const Block& b = blocks_[static_cast<std::size_t>(block)];
        return outside(s.rgb[0], b.low[0], b.high[0]) + outside(s.rgb[1], b.low[1], b.high[1]) +
               outside(s.rgb[2], b.low[2], b.high[2]);
    }

    static void visit(const Block& block, Search& s) {
        const auto r = static_cast<std::int16_t>(s.rgb[0]);
        const auto g = static_cast<std::int16_t>(s.rgb[1]);
        const auto b = static_cast<std::int16_t>(s.rgb[2]);
        std::int16_t least = std::numeric_limits<std::int16_t>::max();
        for (int i = 0; i < kLanes; ++i) {
            const auto l = static_cast<std::size_t>(i);
            const auto d =
                static_cast<std::int16_t>(absDifference(r, block.red[l]) + absDifference(g, block.green[l]) +
                                          absDifference(b, block.blue[l]));
            least = std::min(least, static_cast<std::int16_t>(std::min(d, kBeyond) * kLanes + i));
        }
        const int distance = least / kLanes;
        const int position = block.position[static_cast<std::size_t>(least % kLanes)];
        if (distance < s.distance || (distance == s.distance && position < s.position)) {
            s.distance = distance;
            s.position = position;
        }
    }

    std::vector<Block> blocks_;
};

std::vector<colourRGB> replacementsOf(const std::vector<HistogramEntry>& entries, int dropped) {
    const std::span<const HistogramEntry> kept =
        std::span(entries).subspan(static_cast<std::size_t>(dropped));
    const KeptColours nearest(kept);
    std::vector<colourRGB> replacement(static_cast<std::size_t>(dropped));
    for (int j = 0; j < dropped; ++j) {
        const int best = nearest.nearest(entries[static_cast<std::size_t>(j)].colour);
        replacement[static_cast<std::size_t>(j)] = kept[static_cast<std::size_t>(best)].colour;
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
        ColourPositions droppedAt(static_cast<std::size_t>(dropped));
        for (int j = 0; j < dropped; ++j)
            droppedAt.add(entries[static_cast<std::size_t>(j)].colour, j);
        // Runs of one colour are common, so the last lookup is remembered.
        colourRGB lastFrom = 0;
        colourRGB lastTo = 0;
        bool lastValid = false;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                colourRGB& p = image.pixels(x, y);
                if (markers.isMarker(p))
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
