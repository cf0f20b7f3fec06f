// Big animated cursors as a user meets them: a file of N frames opened into a new document and saved
// again (10 to 10000 frames: a flat frames-per-second rate means linear cost), and 1000 full-colour
// 48 x 48 frames saved, each reduced to 256 colours on the way.

#include "BenchImages.h"
#include "model/AniFileReader.h"
#include "model/AniFileWriter.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace vantle;

namespace {

using bench::newDocument;
using bench::QuietMessages;

// N frames of 32 x 32, 16 colours each, every frame a little different.
std::vector<std::uint8_t> animationFile(int frames) {
    IconDocument d = newDocument();
    for (int i = 0; i < frames; ++i)
        bench::addImage(d, 32, [i](int x, int y) { return bench::sixteenColours((x + i) % 32, y); });
    QuietMessages messages;
    return buildAniFile(d, bench::kMarkers, messages).value();
}

// Each round is a new document, as in a new process, so the memory it takes is new too.
void BM_AniOpenAndSave(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    const std::vector<std::uint8_t> file = animationFile(frames);
    QuietMessages messages;
    std::size_t written = 0;
    int read = 0;
    for (auto _ : state) {
        IconDocument d = newDocument();
        ReadContext context{messages, bench::kMarkers};
        readAniBytes(d, file, context);
        read = d.imageCount;
        const auto out = buildAniFile(d, bench::kMarkers, messages);
        written = out ? out->size() : 0;
        benchmark::DoNotOptimize(out);
    }
    if (read != frames || written != file.size() || messages.shown != 0)
        state.SkipWithError("the animated cursor did not come back the same size");
    state.SetItemsProcessed(state.iterations() * frames);
    state.SetComplexityN(frames);
}
BENCHMARK(BM_AniOpenAndSave)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// 1000 frames of 48 x 48, every pixel of a frame a different colour and every frame different: each
// is counted, reduced from 2304 colours to 256 and counted again. The writer changes the frames, so
// every round starts from a copy.
void BM_SaveFullColourFrames(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    IconDocument source = newDocument();
    for (int i = 0; i < frames; ++i)
        bench::addImage(source, 48, [i](int x, int y) { return makeColour(x * 5, y * 5, i % 256); });
    QuietMessages messages;
    std::size_t written = 0;
    for (auto _ : state) {
        state.PauseTiming();
        IconDocument d = source;
        state.ResumeTiming();
        const auto out = buildAniFile(d, bench::kMarkers, messages);
        written = out ? out->size() : 0;
        benchmark::DoNotOptimize(out);
    }
    if (written == 0 || messages.shown != 0)
        state.SkipWithError("the animated cursor was not written");
    state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(BM_SaveFullColourFrames)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
