// countColours and reduceColours on a 48 x 48 image with 2304 distinct colours and on a 48 x 48 image of
// 16 colours in runs.

#include "BenchImages.h"
#include "model/ColourAnalysis.h"

#include <benchmark/benchmark.h>

using namespace vantle;

namespace {

IconDocument oneImage(colourRGB (*colourAt)(int, int)) {
    IconDocument d;
    d.clearImages(bench::kMarkers.transparent);
    bench::addImage(d, 48, colourAt);
    return d;
}

void BM_CountColours(benchmark::State& state, colourRGB (*colourAt)(int, int), int expected) {
    IconDocument d = oneImage(colourAt);
    int count = 0;
    for (auto _ : state) {
        count = countColours(d, 0, bench::kMarkers);
        benchmark::DoNotOptimize(count);
    }
    if (count != expected)
        state.SkipWithError("unexpected colour count");
}
BENCHMARK_CAPTURE(BM_CountColours, distinct2304, bench::everyPixelDifferent, -1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CountColours, sixteen, bench::sixteenColours, 16)->Unit(benchmark::kMicrosecond);

// Each round starts again from the original pixels at the original depth (full colour for the distinct
// image, 16 colours for the other); copying one image back costs little against the reduction.
void BM_ReduceColours(benchmark::State& state, colourRGB (*colourAt)(int, int), ColourDepth depth,
                      int expectedAfter) {
    IconDocument d = oneImage(colourAt);
    d.images[0].depth = depth;
    const IconImage original = d.images[0];
    for (auto _ : state) {
        d.images[0] = original;
        reduceColours(d, 0, bench::kMarkers);
        benchmark::DoNotOptimize(d.images[0].pixels);
    }
    if (d.images[0].depth != expectedAfter)
        state.SkipWithError("unexpected depth after reduction");
}
BENCHMARK_CAPTURE(BM_ReduceColours, distinct2304, bench::everyPixelDifferent, kDepthFull, 256)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReduceColours, sixteen, bench::sixteenColours, ColourDepth{16}, 2)
    ->Unit(benchmark::kMicrosecond);

} // namespace
