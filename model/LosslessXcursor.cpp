// Xcursor files without loss: every nominal size and every frame, straight alpha from the premultiplied
// pixels and back, delays in milliseconds with the rounding carried over the loop.

#include "model/CursorFileParts.h"
#include "model/XcursorFile.h"

#include <algorithm>
#include <limits>
#include <map>

namespace vantle {

namespace lossless {

namespace {

using xcursor::ImageChunk;

CursorImage imageOfChunk(std::span<const std::uint8_t> bytes, const ImageChunk& chunk) {
    CursorImage image;
    image.width = static_cast<int>(chunk.width);
    image.height = static_cast<int>(chunk.height);
    image.hotspotX = static_cast<int>(std::min(chunk.xhot, chunk.width - 1));
    image.hotspotY = static_cast<int>(std::min(chunk.yhot, chunk.height - 1));
    image.storedBits = 0;
    image.argb.resize(std::size_t{chunk.width} * chunk.height);
    std::size_t i = 0;
    for (std::uint32_t y = 0; y < chunk.height; ++y)
        for (std::uint32_t x = 0; x < chunk.width; ++x)
            image.argb[i++] = xcursor::straight(xcursor::pixelAt(bytes, chunk, x, y));
    return image;
}

struct SizeTrack {
    std::uint32_t nominal = 0;
    std::vector<const ImageChunk*> chunks; // table order
    std::vector<CursorImage> images;
};

std::vector<std::int64_t> startsOf(const SizeTrack& track, std::int64_t& total) {
    std::vector<std::int64_t> starts;
    total = 0;
    for (const ImageChunk* c : track.chunks) {
        starts.push_back(total);
        total += c->delay;
    }
    return starts;
}

// For every frame of the leading size, the frame of `track` shown at the same moment. Sizes with as many
// frames as the leading one go frame by frame; a still size shows its one image throughout; others are
// matched by time, each loop stretched to the leading one's length.
std::vector<std::size_t> frameMatch(const SizeTrack& track, const SizeTrack& leading, ReadState& state) {
    const std::size_t count = leading.chunks.size();
    const std::size_t own = track.chunks.size();
    std::vector<std::size_t> match(count, 0);
    const std::string name = "size " + std::to_string(track.nominal);
    if (own == count) {
        for (std::size_t i = 0; i < count; ++i)
            match[i] = i;
        for (std::size_t i = 0; i < count; ++i)
            if (track.chunks[i]->delay != leading.chunks[i]->delay) {
                state.leftOut(name + ": its delays differ from those of size " +
                              std::to_string(leading.nominal) + ", which are kept");
                break;
            }
        return match;
    }
    if (own == 1)
        return match;
    state.leftOut(name + " has " + std::to_string(own) + " frames, size " + std::to_string(leading.nominal) +
                  " has " + std::to_string(count) + ": its frames are shown at the moments of the other's");
    std::int64_t leadingTotal = 0;
    std::int64_t ownTotal = 0;
    const std::vector<std::int64_t> leadingStarts = startsOf(leading, leadingTotal);
    const std::vector<std::int64_t> ownStarts = startsOf(track, ownTotal);
    std::vector<bool> used(own, false);
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t j = i * own / count;
        if (leadingTotal > 0 && ownTotal > 0) {
            const std::int64_t moment = leadingStarts[i] * ownTotal / leadingTotal;
            j = static_cast<std::size_t>(std::upper_bound(ownStarts.begin(), ownStarts.end(), moment) -
                                         ownStarts.begin()) -
                1;
        }
        match[i] = j;
        used[j] = true;
    }
    const auto unused = std::count(used.begin(), used.end(), false);
    if (unused > 0)
        state.leftOut(name + ": " + std::to_string(unused) + " of its " + std::to_string(own) +
                      " frames fall between those of size " + std::to_string(leading.nominal) +
                      " and are left out");
    return match;
}

} // namespace

std::optional<LosslessCursor> readXcursorImages(std::span<const std::uint8_t> bytes, ReadState& state) {
    const auto chunks = xcursor::readImageChunks(bytes);
    if (!chunks) {
        state.leftOut("a damaged Xcursor file");
        return std::nullopt;
    }
    std::map<std::uint32_t, SizeTrack> bySize;
    for (const ImageChunk& c : *chunks) {
        SizeTrack& track = bySize[c.nominal];
        track.nominal = c.nominal;
        track.chunks.push_back(&c);
    }
    std::vector<SizeTrack> tracks;
    for (auto& [nominal, track] : bySize) {
        const bool fits = std::all_of(track.chunks.begin(), track.chunks.end(), [](const ImageChunk* c) {
            return c->width <= static_cast<std::uint32_t>(kMaxCursorSide) &&
                   c->height <= static_cast<std::uint32_t>(kMaxCursorSide);
        });
        if (!fits) {
            state.leftOut("size " + std::to_string(nominal) + ": images larger than 256 x 256");
            continue;
        }
        for (const ImageChunk* c : track.chunks) {
            if (!state.takePixels(static_cast<int>(c->width), static_cast<int>(c->height)))
                break;
            track.images.push_back(imageOfChunk(bytes, *c));
        }
        if (track.images.size() < track.chunks.size())
            break; // the budget is spent: this size and the larger ones are left out
        tracks.push_back(std::move(track));
    }
    if (tracks.empty()) {
        if (chunks->empty())
            state.leftOut("no images");
        return std::nullopt;
    }
    // The leading size has the most frames (of equal counts the largest); its frames and delays are the
    // animation.
    const SizeTrack* leading = &tracks.front();
    for (const SizeTrack& t : tracks)
        if (t.chunks.size() >= leading->chunks.size())
            leading = &t;
    std::vector<std::vector<std::size_t>> matches;
    for (const SizeTrack& t : tracks)
        matches.push_back(&t == leading ? frameMatch(t, t, state) : frameMatch(t, *leading, state));

    LosslessCursor cursor;
    cursor.iconType = 2;
    const std::size_t count = leading->chunks.size();
    for (std::size_t i = 0; i < count; ++i) {
        CursorFrame frame;
        for (std::size_t s = 0; s < tracks.size(); ++s) {
            const CursorImage& image = tracks[s].images[matches[s][i]];
            // An image shown in several frames is held once per frame.
            if (count > tracks[s].images.size() && !state.takePixels(image.width, image.height))
                break;
            frame.images.push_back(image);
        }
        if (frame.images.size() < tracks.size())
            break;
        cursor.frames.push_back(std::move(frame));
        if (count > 1)
            cursor.steps.push_back(
                {static_cast<int>(i), std::int64_t{leading->chunks[i]->delay} * kTicksPerMillisecond});
    }
    if (cursor.frames.empty())
        return std::nullopt;
    return cursor;
}

} // namespace lossless

int replaceInvertedPixels(CursorImage& image) {
    if (image.inverted.empty())
        return 0;
    const int w = image.width;
    const int h = image.height;
    auto inverts = [&image, w, h](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return false;
        const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + x;
        return image.inverted[i] != 0 && (image.argb[i] >> 24) == 0;
    };
    std::vector<std::uint32_t> out = image.argb;
    int replaced = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + x;
            if (inverts(x, y)) {
                out[i] = 0xFF000000u;
                ++replaced;
                continue;
            }
            if ((image.argb[i] >> 24) != 0)
                continue;
            bool touches = false;
            for (int dy = -1; dy <= 1 && !touches; ++dy)
                for (int dx = -1; dx <= 1 && !touches; ++dx)
                    touches = inverts(x + dx, y + dy);
            if (touches)
                out[i] = 0xFFFFFFFFu;
        }
    }
    image.argb = std::move(out);
    image.inverted.clear();
    return replaced;
}

namespace {

using namespace lossless;

std::uint32_t nominalOf(const CursorImage& image) {
    return static_cast<std::uint32_t>(std::max(image.width, image.height));
}

// The image of `frame` written at nominal size `size`: the deepest of that size; when the frame has none,
// the nearest larger one (else the nearest smaller), kept at its own size.
const CursorImage* imageFor(const CursorFrame& frame, std::uint32_t size, bool& exact) {
    // Whether nominal size n stands in better than m: larger ones first, the nearest of them.
    auto nearer = [size](std::uint32_t n, std::uint32_t m) {
        if ((n > size) != (m > size))
            return n > size;
        return n > size ? n < m : n > m;
    };
    const CursorImage* best = nullptr;
    exact = false;
    for (const CursorImage& image : frame.images) {
        if (!writableImage(image))
            continue;
        const std::uint32_t n = nominalOf(image);
        if (n == size) {
            if (!exact || image.depthRank() > best->depthRank())
                best = &image;
            exact = true;
        } else if (!exact && (best == nullptr || nearer(n, nominalOf(*best)))) {
            best = &image;
        }
    }
    return best;
}

// The steps whose frames hold an image that can be written; steps of other frames are left out with a note.
std::vector<CursorStep> stepsWithImages(const LosslessCursor& cursor, CursorWriteReport& report) {
    std::vector<CursorStep> steps = stepsToWrite(cursor, 0, report);
    const auto empty = [&cursor](const CursorStep& step) {
        const auto& images = cursor.frames[static_cast<std::size_t>(step.frame)].images;
        return std::none_of(images.begin(), images.end(), writableImage);
    };
    const auto emptySteps = std::count_if(steps.begin(), steps.end(), empty);
    if (emptySteps > 0) {
        report.notes.push_back(std::to_string(emptySteps) +
                               " step(s) show a frame without an image of 1 to 256 "
                               "pixels each way, left out");
        steps.erase(std::remove_if(steps.begin(), steps.end(), empty), steps.end());
    }
    return steps;
}

// Every nominal size of the frames the steps show, ascending.
std::vector<std::uint32_t> sizesShown(const LosslessCursor& cursor, const std::vector<bool>& shown) {
    std::vector<std::uint32_t> sizes;
    for (std::size_t f = 0; f < cursor.frames.size(); ++f)
        if (shown[f])
            for (const CursorImage& image : cursor.frames[f].images)
                if (writableImage(image))
                    sizes.push_back(nominalOf(image));
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

// The image written for each shown frame at each size (frame-major), with inverting pixels replaced once
// per image; what stood in or was left out is noted.
class ChosenImages {
  public:
    ChosenImages(const LosslessCursor& cursor, const std::vector<bool>& shown,
                 const std::vector<std::uint32_t>& sizes, CursorWriteReport& report)
        : sizeCount_(sizes.size()), chosen_(cursor.frames.size() * sizes.size(), nullptr) {
        int duplicates = 0;
        int substituted = 0;
        for (std::size_t f = 0; f < cursor.frames.size(); ++f) {
            if (!shown[f])
                continue;
            std::map<std::uint32_t, int> perSize;
            for (const CursorImage& image : cursor.frames[f].images)
                if (writableImage(image) && ++perSize[nominalOf(image)] == 2)
                    ++duplicates;
            for (std::size_t k = 0; k < sizeCount_; ++k) {
                bool exact = false;
                const CursorImage* image = imageFor(cursor.frames[f], sizes[k], exact);
                substituted += exact ? 0 : 1;
                chosen_[f * sizeCount_ + k] = withoutInverted(image);
            }
        }
        note(report, duplicates, substituted);
    }

    const CursorImage* at(std::size_t size, const CursorStep& step) const {
        return chosen_[static_cast<std::size_t>(step.frame) * sizeCount_ + size];
    }

  private:
    const CursorImage* withoutInverted(const CursorImage* image) {
        if (!image->hasInverted())
            return image;
        auto [at, isNew] = replaced_.try_emplace(image, *image);
        if (isNew)
            inverted_ += replaceInvertedPixels(at->second);
        return &at->second;
    }

    void note(CursorWriteReport& report, int duplicates, int substituted) const {
        if (inverted_ > 0) {
            report.invertedReplaced += inverted_;
            report.notes.push_back(
                std::to_string(inverted_) +
                " inverting pixel(s) drawn black with a white outline, as Xcursor files cannot "
                "invert the screen");
        }
        if (duplicates > 0)
            report.notes.push_back(
                std::to_string(duplicates) +
                " image(s) of a size that a frame holds twice left out; the deeper one is kept");
        if (substituted > 0)
            report.notes.push_back(
                std::to_string(substituted) +
                " time(s) a frame lacks a size the others have: its nearest image stands in");
    }

    std::size_t sizeCount_;
    std::vector<const CursorImage*> chosen_;
    std::map<const CursorImage*, CursorImage> replaced_;
    int inverted_ = 0;
};

} // namespace

std::vector<std::uint8_t> buildXcursor(const LosslessCursor& cursor, CursorWriteReport& report) {
    if (cursor.frames.empty()) {
        report.notes.push_back("nothing to write: the cursor has no frame");
        return {};
    }
    const std::vector<CursorStep> steps = stepsWithImages(cursor, report);
    if (steps.empty()) {
        report.notes.push_back("nothing to write: no image of 1 to 256 pixels each way");
        return {};
    }
    // One step shows one image for good: like a still cursor, it has no delay.
    const bool animated = cursor.animated() && steps.size() > 1;
    const std::vector<std::int64_t> delays =
        animated ? carriedDelays(steps, kTicksPerMillisecond) : std::vector<std::int64_t>(steps.size(), 0);
    std::vector<bool> shown(cursor.frames.size(), false);
    for (const CursorStep& step : steps)
        shown[static_cast<std::size_t>(step.frame)] = true;
    const std::vector<std::uint32_t> sizes = sizesShown(cursor, shown);
    const ChosenImages chosen(cursor, shown, sizes, report);

    // Every size holds the whole animation, one chunk per step.
    std::vector<xcursor::ChunkToWrite> chunks;
    chunks.reserve(sizes.size() * steps.size());
    for (std::size_t k = 0; k < sizes.size(); ++k)
        for (std::size_t s = 0; s < steps.size(); ++s)
            chunks.push_back({sizes[k],
                              static_cast<std::uint32_t>(std::clamp<std::int64_t>(
                                  delays[s], 0, std::numeric_limits<std::uint32_t>::max())),
                              chosen.at(k, steps[s])});
    auto bytes = xcursor::writeImageChunks(chunks, kMaxWrittenBytes);
    if (!bytes) {
        report.notes.push_back("not written: " + std::to_string(chunks.size()) +
                               " images, more than an Xcursor file may hold");
        return {};
    }
    return std::move(*bytes);
}

} // namespace vantle
