#include "theme/CursorScaling.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <type_traits>
#include <utility>

namespace vantle::theme {

namespace {

// How a run of `to` target pixels covers `from` source pixels. Lengths are counted in units of 1/to of a
// source pixel, so that target pixel d covers [d * from, (d + 1) * from) and source pixel s covers
// [s * to, (s + 1) * to): every overlap is a whole number and each target pixel's weights add up to `from`.
struct Coverage {
    std::vector<int> first;  // per target pixel: index of its first entry in source / weight
    std::vector<int> source; // source pixel of each entry
    std::vector<int> weight; // its overlap
};

Coverage coverage(int from, int to) {
    Coverage c;
    c.first.reserve(static_cast<std::size_t>(to) + 1);
    for (int d = 0; d < to; ++d) {
        c.first.push_back(static_cast<int>(c.source.size()));
        const std::int64_t begin = static_cast<std::int64_t>(d) * from;
        const std::int64_t end = begin + from;
        for (std::int64_t s = begin / to; s * to < end; ++s) {
            const std::int64_t overlap = std::min(end, (s + 1) * to) - std::max(begin, s * to);
            if (overlap > 0) {
                c.source.push_back(static_cast<int>(s));
                c.weight.push_back(static_cast<int>(overlap));
            }
        }
    }
    c.first.push_back(static_cast<int>(c.source.size()));
    return c;
}

// The target columns a source row's sums can be other than zero in: those that overlap its pixels of
// alpha above zero. Empty (begin == end) for a row without any.
struct Columns {
    int begin = 0;
    int end = 0;
};

// The second pass: the row sums of `rows` (four per target column) summed down each target column by
// `down`, into straight-alpha pixels of `out`. Only the columns some source row under a target row has
// sums in are looked at; the others are transparent, as `out` already is. A row's sums outside its
// columns were never written (they would be 0) and are not read.
template <typename Sum>
void averageDown(const std::uint32_t* rows, const std::vector<Columns>& columns, const Coverage& down,
                 const PixelBlock& source, int width, int height, std::uint32_t* out) {
    const std::size_t rowSums = static_cast<std::size_t>(width) * 4;
    const Sum total = static_cast<Sum>(source.width) * static_cast<Sum>(source.height);
    for (int y = 0; y < height; ++y) {
        std::uint32_t* target = out + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        const int first = down.first[static_cast<std::size_t>(y)];
        const int last = down.first[static_cast<std::size_t>(y) + 1];
        int begin = width;
        int end = 0;
        for (int k = first; k < last; ++k) {
            const Columns& c = columns[static_cast<std::size_t>(down.source[static_cast<std::size_t>(k)])];
            if (c.begin < c.end) {
                begin = std::min(begin, c.begin);
                end = std::max(end, c.end);
            }
        }
        for (int x = begin; x < end; ++x) {
            Sum a = 0, r = 0, g = 0, b = 0;
            for (int k = first; k < last; ++k) {
                const auto sourceRow = static_cast<std::size_t>(down.source[static_cast<std::size_t>(k)]);
                if (x < columns[sourceRow].begin || x >= columns[sourceRow].end)
                    continue;
                const Sum w = static_cast<Sum>(down.weight[static_cast<std::size_t>(k)]);
                const std::uint32_t* s = &rows[sourceRow * rowSums + 4 * static_cast<std::size_t>(x)];
                a += w * s[0];
                r += w * s[1];
                g += w * s[2];
                b += w * s[3];
            }
            const Sum alpha = (a + total / 2) / total;
            if (alpha == 0)
                continue; // transparent, stored as 0
            // Straight colour: the alpha-weighted average of the colours under the pixel.
            const auto straight = [a](Sum c) { return static_cast<std::uint32_t>((c + a / 2) / a); };
            target[x] =
                static_cast<std::uint32_t>(alpha) << 24 | straight(r) << 16 | straight(g) << 8 | straight(b);
        }
    }
}

// Each source pixel as a block of whole-factor copies.
void repeatPixels(const CursorImage& source, CursorImage& out) {
    const std::size_t fx = static_cast<std::size_t>(out.width / source.width);
    const std::size_t fy = static_cast<std::size_t>(out.height / source.height);
    const std::size_t width = static_cast<std::size_t>(out.width);
    for (std::size_t sy = 0; sy < static_cast<std::size_t>(source.height); ++sy) {
        const std::uint32_t* in = &source.argb[sy * static_cast<std::size_t>(source.width)];
        const auto row = out.argb.begin() + static_cast<std::ptrdiff_t>(sy * fy * width);
        auto target = row;
        for (std::size_t sx = 0; sx < static_cast<std::size_t>(source.width); ++sx) {
            const std::uint32_t p = (in[sx] >> 24) == 0 ? 0u : in[sx];
            target = std::fill_n(target, fx, p);
        }
        for (std::size_t k = 1; k < fy; ++k)
            std::copy_n(row, width, row + static_cast<std::ptrdiff_t>(k * width));
    }
}

// Across each source row: sums of weight * alpha and weight * alpha * colour per target column, into
// rows (4 sums a column, `width` columns a row); columns gets each row's drawn span.
void sumAcrossRows(const PixelBlock& source, int width, const Coverage& across, std::uint32_t* rows,
                   std::vector<Columns>& columns) {
    // A sum is at most source.width * 255 * 255, within 32 bits for rows of up to 66051 pixels. Pixels of
    // alpha 0 add nothing: only the target columns over the row's others are summed, the rest stay 0.
    const std::size_t rowSums = static_cast<std::size_t>(width) * 4;
    const auto from = static_cast<std::int64_t>(source.width);
    const auto to = static_cast<std::int64_t>(width);
    for (int y = 0; y < source.height; ++y) {
        const std::uint32_t* in = source.pixels + static_cast<std::size_t>(y) * source.stride;
        std::int64_t drawnBegin = 0;
        std::int64_t drawnEnd = from;
        while (drawnBegin < drawnEnd && (in[drawnBegin] >> 24) == 0)
            ++drawnBegin;
        while (drawnEnd > drawnBegin && (in[drawnEnd - 1] >> 24) == 0)
            --drawnEnd;
        if (drawnBegin == drawnEnd)
            continue;
        // Target pixel d covers [d * from, (d + 1) * from), source pixel s [s * to, (s + 1) * to).
        Columns& c = columns[static_cast<std::size_t>(y)];
        c.begin = static_cast<int>(drawnBegin * to / from);
        c.end = static_cast<int>(std::min(to, (drawnEnd * to + from - 1) / from));
        std::uint32_t* sums = &rows[static_cast<std::size_t>(y) * rowSums];
        for (int x = c.begin; x < c.end; ++x) {
            std::uint32_t a = 0, r = 0, g = 0, b = 0;
            for (int k = across.first[static_cast<std::size_t>(x)];
                 k < across.first[static_cast<std::size_t>(x) + 1]; ++k) {
                const std::uint32_t p = in[across.source[static_cast<std::size_t>(k)]];
                const std::uint32_t wa =
                    static_cast<std::uint32_t>(across.weight[static_cast<std::size_t>(k)]) * (p >> 24);
                a += wa;
                r += wa * ((p >> 16) & 0xFF);
                g += wa * ((p >> 8) & 0xFF);
                b += wa * (p & 0xFF);
            }
            sums[4 * x] = a;
            sums[4 * x + 1] = r;
            sums[4 * x + 2] = g;
            sums[4 * x + 3] = b;
        }
    }
}

} // namespace

int scaledHotspot(int h, int from, int to) {
    assert(from > 0 && to > 0);
    const std::int64_t scaled =
        (2 * static_cast<std::int64_t>(h) + 1) * to / (2 * static_cast<std::int64_t>(from));
    return static_cast<int>(std::clamp<std::int64_t>(scaled, 0, to - 1));
}

int scaledHeight(int width, int height, int size) {
    assert(width > 0 && height > 0 && size > 0);
    const std::int64_t h =
        (2 * static_cast<std::int64_t>(height) * size + width) / (2 * static_cast<std::int64_t>(width));
    return static_cast<int>(std::clamp<std::int64_t>(h, 1, kMaxCursorSide));
}

std::vector<std::uint32_t> averagePixels(const PixelBlock& source, int width, int height) {
    assert(source.width > 0 && source.height > 0 && width > 0 && height > 0);
    assert(source.width <= 65536 && source.stride >= static_cast<std::size_t>(source.width));
    std::vector<std::uint32_t> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    const Coverage across = coverage(source.width, width);
    const Coverage down = coverage(source.height, height);
    const std::size_t rowSums = static_cast<std::size_t>(width) * 4;
    const auto rows =
        std::make_unique_for_overwrite<std::uint32_t[]>(rowSums * static_cast<std::size_t>(source.height));
    std::vector<Columns> columns(static_cast<std::size_t>(source.height));
    sumAcrossRows(source, width, across, rows.get(), columns);
    // Down each target column; every target pixel's weights add up to width * height of the source. For
    // sources of at most 65536 pixels (every cursor image) each sum stays below 65536 * 255 * 255 < 2^32
    // and 32-bit arithmetic, much faster to divide, is exact.
    if (static_cast<std::uint64_t>(source.width) * static_cast<std::uint64_t>(source.height) <= 65536)
        averageDown<std::uint32_t>(rows.get(), columns, down, source, width, height, out.data());
    else
        averageDown<std::uint64_t>(rows.get(), columns, down, source, width, height, out.data());
    return out;
}

CursorImage scaleImage(const CursorImage& source, int size) {
    assert(source.width > 0 && source.height > 0 && size > 0);
    assert(source.argb.size() ==
           static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height));
    CursorImage out;
    out.width = size;
    out.height = scaledHeight(source.width, source.height, size);
    out.hotspotX = scaledHotspot(source.hotspotX, source.width, out.width);
    out.hotspotY = scaledHotspot(source.hotspotY, source.height, out.height);
    out.storedBits = 32;

    // Enlarging by whole factors: every target pixel lies inside one source pixel and is that pixel.
    if (out.width % source.width == 0 && out.height % source.height == 0) {
        out.argb.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height), 0);
        repeatPixels(source, out);
        return out;
    }

    out.argb = averagePixels(
        {source.argb.data(), source.width, source.height, static_cast<std::size_t>(source.width)}, out.width,
        out.height);
    return out;
}

std::vector<int> themeSizes(const LosslessCursor& cursor, std::span<const int> extra) {
    std::vector<int> sizes;
    for (const CursorFrame& frame : cursor.frames)
        for (const CursorImage& image : frame.images)
            sizes.push_back(image.width);
    sizes.insert(sizes.end(), extra.begin(), extra.end());
    std::erase_if(sizes, [](int s) { return s < 1 || s > kMaxCursorSide; });
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

namespace {

// The image a frame's size is made from: its own of that size (the deeper of two), else the nearest larger
// one, else the largest smaller one. With crispOnly a larger one must be at least twice the size and a
// smaller one must divide it.
const CursorImage* sourceFor(const CursorFrame& frame, int size, bool crispOnly) {
    const CursorImage* exact = nullptr;
    const CursorImage* larger = nullptr;
    const CursorImage* smaller = nullptr;
    for (const CursorImage& image : frame.images) {
        if (image.width <= 0 || image.height <= 0)
            continue;
        if (image.width == size) {
            if (exact == nullptr || image.depthRank() > exact->depthRank())
                exact = &image;
        } else if (image.width > size) {
            if ((!crispOnly || image.width >= 2 * size) && (larger == nullptr || image.width < larger->width))
                larger = &image;
        } else if ((!crispOnly || size % image.width == 0) &&
                   (smaller == nullptr || image.width > smaller->width)) {
            smaller = &image;
        }
    }
    return exact ? exact : larger ? larger : smaller;
}

} // namespace

const CursorImage* crispSourceFor(const CursorFrame& frame, int size) {
    return sourceFor(frame, size, true);
}

SizePlan planThemeSizes(const LosslessCursor& cursor, std::span<const int> wanted, bool forced) {
    SizePlan plan;
    const std::vector<int> held = themeSizes(cursor, {});
    plan.sizes = held;
    for (int size : wanted) {
        if (size < 1 || size > kMaxCursorSide)
            continue;
        const bool crisp =
            std::all_of(cursor.frames.begin(), cursor.frames.end(), [size](const CursorFrame& frame) {
                return frame.images.empty() || crispSourceFor(frame, size) != nullptr;
            });
        if (forced || crisp) {
            plan.sizes.push_back(size);
        } else if (!held.empty()) {
            // libXcursor takes the nominal size nearest the one asked for, the smaller of two as near.
            const int nearest = *std::min_element(held.begin(), held.end(), [size](int a, int b) {
                return std::abs(a - size) < std::abs(b - size) ||
                       (std::abs(a - size) == std::abs(b - size) && a < b);
            });
            plan.skipped.emplace_back(size, nearest);
        }
    }
    std::sort(plan.sizes.begin(), plan.sizes.end());
    plan.sizes.erase(std::unique(plan.sizes.begin(), plan.sizes.end()), plan.sizes.end());
    std::sort(plan.skipped.begin(), plan.skipped.end());
    plan.skipped.erase(std::unique(plan.skipped.begin(), plan.skipped.end()), plan.skipped.end());
    return plan;
}

const CursorImage* sourceImageFor(const CursorFrame& frame, int size) {
    return sourceFor(frame, size, false);
}

namespace {

// Both cursorAtSizes: Cursor is const LosslessCursor (kept images copied) or LosslessCursor (moved, once
// every size of the frame is made, as a kept image may be the source of another size).
template <typename Cursor>
SizedCursor sizeEveryFrame(Cursor& source, std::span<const int> sizes, Sources sources) {
    constexpr bool kMoveKept = !std::is_const_v<Cursor>;
    using Image = std::conditional_t<kMoveKept, CursorImage, const CursorImage>;
    SizedCursor result;
    result.cursor.ani = source.ani;
    result.cursor.iconType = source.iconType;
    std::vector<int> newIndex(source.frames.size(), -1);
    std::vector<int> keptIn(sizes.size(), 0);
    std::vector<bool> madeIn(sizes.size(), false);
    std::vector<Image*> kept(sizes.size());
    for (std::size_t f = 0; f < source.frames.size(); ++f) {
        auto& frame = source.frames[f];
        CursorFrame sized;
        for (std::size_t s = 0; s < sizes.size(); ++s) {
            const CursorImage* from =
                sources == Sources::CrispFirst ? crispSourceFor(frame, sizes[s]) : nullptr;
            if (from == nullptr)
                from = sourceImageFor(frame, sizes[s]);
            if (from == nullptr)
                break;
            if (from->width == sizes[s]) {
                // The frame's own image, taken below; `from` points into frame.images.
                kept[s] = &frame.images[static_cast<std::size_t>(from - frame.images.data())];
                sized.images.emplace_back();
            } else {
                kept[s] = nullptr;
                sized.images.push_back(scaleImage(*from, sizes[s]));
            }
        }
        if (sized.images.size() != sizes.size())
            continue;
        for (std::size_t s = 0; s < sizes.size(); ++s) {
            if (kept[s] == nullptr) {
                madeIn[s] = true;
                continue;
            }
            ++keptIn[s];
            if constexpr (kMoveKept)
                sized.images[s] = std::move(*kept[s]);
            else
                sized.images[s] = *kept[s];
        }
        newIndex[f] = static_cast<int>(result.cursor.frames.size());
        result.cursor.frames.push_back(std::move(sized));
    }
    for (const CursorStep& step : source.steps)
        if (step.frame >= 0 && static_cast<std::size_t>(step.frame) < newIndex.size() &&
            newIndex[static_cast<std::size_t>(step.frame)] >= 0)
            result.cursor.steps.push_back({newIndex[static_cast<std::size_t>(step.frame)], step.ticks});
    const int frames = static_cast<int>(result.cursor.frames.size());
    for (std::size_t s = 0; s < sizes.size() && frames > 0; ++s) {
        if (madeIn[s])
            result.made.push_back(sizes[s]);
        else if (keptIn[s] == frames)
            result.kept.push_back(sizes[s]);
    }
    return result;
}

} // namespace

SizedCursor cursorAtSizes(const LosslessCursor& source, std::span<const int> sizes, Sources sources) {
    return sizeEveryFrame(source, sizes, sources);
}

SizedCursor cursorAtSizes(LosslessCursor&& source, std::span<const int> sizes, Sources sources) {
    return sizeEveryFrame(source, sizes, sources);
}

} // namespace vantle::theme
