// The lossless cursor layer on pack-sized inputs: reading animated cursors whose frames hold several sizes,
// reading a cursor of six sizes up to 256 x 256 (the largest a PNG entry), and writing Xcursor files of
// every size of every step. Inputs are built in memory by the layer's own writers.

#include "model/CursorFiles.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using vantle::CursorFrame;
using vantle::CursorImage;
using vantle::LosslessCursor;

// A soft-edged disc with a shadow, different in every frame: alpha of every value, as real cursors have.
CursorImage disc(int side, int frame, int storedBits) {
    CursorImage image;
    image.width = image.height = side;
    image.hotspotX = side / 4;
    image.hotspotY = side / 5;
    image.storedBits = storedBits;
    image.argb.resize(static_cast<std::size_t>(side) * static_cast<std::size_t>(side));
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const int dx = 2 * x - side + (frame % 7);
            const int dy = 2 * y - side;
            const int r2 = dx * dx + dy * dy;
            const int edge = side * side;
            std::uint32_t a = r2 < edge * 8 / 10 ? 255u
                              : r2 < edge        ? static_cast<std::uint32_t>(255 * (edge - r2) * 5 / edge)
                                                 : 0u;
            image.argb[static_cast<std::size_t>(y * side + x)] =
                a << 24 | static_cast<std::uint32_t>((x * 7 + frame * 20) & 255) << 16 |
                static_cast<std::uint32_t>(y * 5 & 255) << 8 | 200u;
        }
    return image;
}

// frames frames, each holding the given sizes (32-bit bitmaps up to 128, PNG above), one step a frame.
LosslessCursor animation(int frames, const std::vector<int>& sizes) {
    LosslessCursor c;
    for (int f = 0; f < frames; ++f) {
        CursorFrame frame;
        for (int side : sizes)
            frame.images.push_back(disc(side, f, side > 128 ? 0 : 32));
        c.frames.push_back(std::move(frame));
        c.steps.push_back({f, 5 * vantle::kTicksPerJiffy});
    }
    return c;
}

void setCounters(benchmark::State& state, std::int64_t images, std::int64_t pixels) {
    state.SetItemsProcessed(state.iterations() * images);
    state.counters["pixels/s"] =
        benchmark::Counter(static_cast<double>(pixels), benchmark::Counter::kIsIterationInvariantRate);
}

std::int64_t pixelsOf(const LosslessCursor& c) {
    std::int64_t n = 0;
    for (const CursorFrame& f : c.frames)
        for (const CursorImage& i : f.images)
            n += static_cast<std::int64_t>(i.argb.size());
    return n;
}

// Reads the animated cursor written of `source` again and again; items are its images.
void timeAniRead(benchmark::State& state, const LosslessCursor& source, std::int64_t images) {
    vantle::CursorWriteReport notes;
    const std::vector<std::uint8_t> file = vantle::buildAnimatedCursor(source, notes);
    for (auto _ : state) {
        vantle::CursorReadReport report;
        auto cursor = vantle::readCursorBytes(file, vantle::CursorFormat::AnimatedCursor, report);
        benchmark::DoNotOptimize(cursor);
    }
    setCounters(state, images, pixelsOf(source));
}

// An animated cursor of N frames at 32, 48 and 64: items are images (frames x sizes).
void BM_LosslessReadAni(benchmark::State& state) {
    const LosslessCursor source = animation(static_cast<int>(state.range(0)), {32, 48, 64});
    timeAniRead(state, source, state.range(0) * 3);
}
BENCHMARK(BM_LosslessReadAni)->Arg(12)->Arg(120)->Arg(1200)->Unit(benchmark::kMillisecond);

// 12 frames holding the first N of 32, 48, 64, 96, 128 and 256 (the 256 a PNG image).
void BM_LosslessReadAniSizes(benchmark::State& state) {
    const std::vector<int> all = {32, 48, 64, 96, 128, 256};
    const std::vector<int> sizes(all.begin(), all.begin() + state.range(0));
    const LosslessCursor source = animation(12, sizes);
    timeAniRead(state, source, 12 * state.range(0));
}
BENCHMARK(BM_LosslessReadAniSizes)->DenseRange(1, 6)->Unit(benchmark::kMillisecond);

// A still cursor of 32, 48, 64, 96, 128 (32-bit bitmaps) and 256 (PNG).
void BM_LosslessReadCursorSixSizes(benchmark::State& state) {
    const LosslessCursor source = animation(1, {32, 48, 64, 96, 128, 256});
    LosslessCursor still;
    still.frames = source.frames;
    vantle::CursorWriteReport notes;
    const std::vector<std::uint8_t> file = vantle::buildIconResource(still, 2, notes);
    for (auto _ : state) {
        vantle::CursorReadReport report;
        auto cursor = vantle::readCursorBytes(file, vantle::CursorFormat::IconResource, report);
        benchmark::DoNotOptimize(cursor);
    }
    setCounters(state, 6, pixelsOf(still));
}
BENCHMARK(BM_LosslessReadCursorSixSizes)->Unit(benchmark::kMillisecond);

// buildXcursor of N frames at 32, 48 and 64, one step a frame: items are images written.
void BM_XcursorWrite(benchmark::State& state) {
    const LosslessCursor source = animation(static_cast<int>(state.range(0)), {32, 48, 64});
    for (auto _ : state) {
        vantle::CursorWriteReport notes;
        auto bytes = vantle::buildXcursor(source, notes);
        benchmark::DoNotOptimize(bytes);
    }
    setCounters(state, state.range(0) * 3, pixelsOf(source));
}
BENCHMARK(BM_XcursorWrite)->Arg(12)->Arg(120)->Arg(1200)->Unit(benchmark::kMillisecond);

// buildXcursor of 12 frames at the first N of 32, 48, 64, 96, 128 and 256.
void BM_XcursorWriteSizes(benchmark::State& state) {
    const std::vector<int> all = {32, 48, 64, 96, 128, 256};
    const LosslessCursor source = animation(12, std::vector<int>(all.begin(), all.begin() + state.range(0)));
    for (auto _ : state) {
        vantle::CursorWriteReport notes;
        auto bytes = vantle::buildXcursor(source, notes);
        benchmark::DoNotOptimize(bytes);
    }
    setCounters(state, 12 * state.range(0), pixelsOf(source));
}
BENCHMARK(BM_XcursorWriteSizes)->DenseRange(1, 6)->Unit(benchmark::kMillisecond);

} // namespace
