// The scaler of cursor themes: one image resampled from the sizes packs hold to the sizes themes need,
// and whole animated cursors brought to every theme size (a flat rate of frames x sizes per second
// means linear cost).

#include "theme/CursorScaling.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

using namespace vantle;
using namespace vantle::theme;

namespace {

// A cursor-like picture: an antialiased disc of changing colour on transparency.
CursorImage picture(int side, int seed = 0) {
    CursorImage im;
    im.width = im.height = side;
    im.hotspotX = side / 3;
    im.hotspotY = side / 4;
    const int r2 = side * side / 5;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const int dx = 2 * x - side, dy = 2 * y - side;
            const int d = r2 * 4 - (dx * dx + dy * dy);
            const std::uint32_t a = d <= 0         ? 0u
                                    : d > 4 * side ? 255u
                                                   : static_cast<std::uint32_t>(255 * d / (4 * side));
            im.argb.push_back(a << 24 | static_cast<std::uint32_t>((x * 7 + seed) & 0xFF) << 16 |
                              static_cast<std::uint32_t>((y * 5) & 0xFF) << 8 | 0x40u);
        }
    return im;
}

void BM_ScaleImage(benchmark::State& state) {
    const int from = static_cast<int>(state.range(0));
    const int to = static_cast<int>(state.range(1));
    const CursorImage source = picture(from);
    for (auto _ : state) {
        CursorImage out = scaleImage(source, to);
        benchmark::DoNotOptimize(out.argb.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(to) * to);
    state.counters["target_pixels"] = static_cast<double>(to) * to;
}
BENCHMARK(BM_ScaleImage)
    ->Args({256, 24})
    ->Args({256, 32})
    ->Args({256, 96})
    ->Args({128, 96})
    ->Args({64, 48})
    ->Args({48, 24})
    ->Args({32, 24})
    ->Args({32, 48})
    ->Args({32, 96})
    ->Unit(benchmark::kMicrosecond);

// An animated cursor of N frames, each holding 32, 48 and 64 as multi-size packs do, brought to the
// default theme sizes (24, 32, 48, 64 and 96: 24 and 96 made, the rest kept).
void BM_CursorAtThemeSizes(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    LosslessCursor cursor;
    for (int f = 0; f < frames; ++f) {
        CursorFrame frame;
        for (int side : {32, 48, 64})
            frame.images.push_back(picture(side, f));
        cursor.frames.push_back(std::move(frame));
        cursor.steps.push_back({f, 5000});
    }
    const std::vector<int> sizes = themeSizes(cursor, kDefaultThemeSizes);
    std::size_t images = 0;
    for (auto _ : state) {
        const SizedCursor sized = cursorAtSizes(cursor, sizes);
        images = sized.cursor.frames.size() * sized.cursor.frames.front().images.size();
        benchmark::DoNotOptimize(sized.cursor.frames.data());
    }
    if (images != static_cast<std::size_t>(frames) * sizes.size())
        state.SkipWithError("not every frame came out at every size");
    state.SetItemsProcessed(state.iterations() * frames * static_cast<std::int64_t>(sizes.size()));
    state.SetComplexityN(frames);
}
BENCHMARK(BM_CursorAtThemeSizes)
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// A 256-pixel source (as modern packs hold) brought to 24, 32, 48, 64, 96 and 128: every size made.
void BM_Large256ToThemeSizes(benchmark::State& state) {
    LosslessCursor cursor;
    cursor.frames.push_back({{picture(256)}});
    const std::array<int, 6> sizes = {24, 32, 48, 64, 96, 128};
    for (auto _ : state) {
        const SizedCursor sized = cursorAtSizes(cursor, sizes);
        benchmark::DoNotOptimize(sized.cursor.frames.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(sizes.size()));
}
BENCHMARK(BM_Large256ToThemeSizes)->Unit(benchmark::kMicrosecond);

} // namespace
