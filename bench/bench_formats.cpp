// Reading and writing animated cursors of 100, 1000 and 4000 frames, and an icon file from 12 images. The
// animated cursor cases report frames per second: a flat rate over N means the cost grows linearly.

#include "BenchImages.h"
#include "model/AniFileReader.h"
#include "model/AniFileWriter.h"
#include "model/IconFileReader.h"
#include "model/IconFileWriter.h"

#include <benchmark/benchmark.h>

#include <array>
#include <vector>

using namespace vantle;

namespace {

using bench::newDocument;
using bench::QuietMessages;

// N frames of 32 x 32, 16 colours each, every frame a little different.
IconDocument animation(int frames) {
    IconDocument d = newDocument();
    for (int i = 0; i < frames; ++i)
        bench::addImage(d, 32, [i](int x, int y) { return bench::sixteenColours((x + i) % 32, y); });
    return d;
}

void BM_AniWrite(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    IconDocument d = animation(frames);
    QuietMessages messages;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto file = buildAniFile(d, bench::kMarkers, messages);
        bytes = file ? file->size() : 0;
        benchmark::DoNotOptimize(file);
    }
    if (bytes == 0 || messages.shown != 0)
        state.SkipWithError("the animated cursor was not written");
    state.SetItemsProcessed(state.iterations() * frames);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
    state.SetComplexityN(frames);
}
BENCHMARK(BM_AniWrite)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_AniRead(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    IconDocument source = animation(frames);
    QuietMessages messages;
    const std::vector<std::uint8_t> file = buildAniFile(source, bench::kMarkers, messages).value();
    // The document is emptied to 16 slots before each read but keeps its storage (the program's one
    // document never gives capacity back either), so growing to N slots clears slots in memory already
    // taken. BM_DocumentGrowth below measures growth into new memory.
    const IconDocument empty = newDocument();
    IconDocument d = empty;
    ReadContext context{messages, bench::kMarkers};
    readAniBytes(d, file, context); // takes the memory once, outside the measurement
    for (auto _ : state) {
        state.PauseTiming();
        d = empty;
        state.ResumeTiming();
        benchmark::DoNotOptimize(readAniBytes(d, file, context));
    }
    if (d.imageCount != frames || messages.shown != 0)
        state.SkipWithError("the animated cursor did not read back");
    state.SetItemsProcessed(state.iterations() * frames);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
    state.SetComplexityN(frames);
}
BENCHMARK(BM_AniRead)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Growing a new document from 16 to N slots, one step of 16 at a time, as the readers do. Every slot is
// about 20 KB, so this is the cost of taking new memory from the system.
void BM_DocumentGrowth(benchmark::State& state) {
    const int slots = static_cast<int>(state.range(0));
    for (auto _ : state) {
        IconDocument d;
        for (int i = 0; i < slots; ++i)
            if (!d.growForImage(i))
                state.SkipWithError("the document refused to grow");
        benchmark::DoNotOptimize(d.images.data());
    }
    state.SetItemsProcessed(state.iterations() * slots);
    state.SetComplexityN(slots);
}
BENCHMARK(BM_DocumentGrowth)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Twelve images: 16, 32 and 48 pixels, each at 2, 16, 256 colours and with a pixel of its own colour
// everywhere. A 16 x 16 image has only 256 pixels, so that last one is counted as 256 colours and shares
// its key with the 256-colour image of its size: 11 images are written.
constexpr int kWrittenOfTwelve = 11;

IconDocument twelveImages() {
    IconDocument d = newDocument();
    for (int side : {16, 32, 48}) {
        bench::addImage(d, side, [](int x, int y) { return (x + y) % 2 == 0 ? kBlack : kWhite; });
        bench::addImage(d, side, bench::sixteenColours);
        bench::addImage(d, side, [](int x, int y) { return makeColour((x * 7 + y) % 200, 3, 5); });
        bench::addImage(d, side, bench::everyPixelDifferent);
    }
    return d;
}

void BM_IcoWrite12(benchmark::State& state) {
    IconDocument d = twelveImages();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<std::uint8_t> file = buildIconFile(d, 1, bench::kMarkers);
        bytes = file.size();
        benchmark::DoNotOptimize(file.data());
    }
    int written = 0;
    for (int i = 0; i < d.imageCount; ++i)
        written += d.images[static_cast<std::size_t>(i)].writeFlag ? 1 : 0;
    if (written != kWrittenOfTwelve)
        state.SkipWithError("the icon file does not hold the expected images");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_IcoWrite12)->Unit(benchmark::kMicrosecond);

void BM_IcoRead12(benchmark::State& state) {
    IconDocument source = twelveImages();
    const std::vector<std::uint8_t> file = buildIconFile(source, 1, bench::kMarkers);
    IconDocument d;
    QuietMessages messages;
    ReadContext context{messages, bench::kMarkers};
    for (auto _ : state) {
        state.PauseTiming();
        d = newDocument();
        state.ResumeTiming();
        ByteReader reader(file);
        benchmark::DoNotOptimize(readIconResource(d, reader, context));
    }
    if (d.imageCount != kWrittenOfTwelve || messages.shown != 0)
        state.SkipWithError("the icon file did not read back");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_IcoRead12)->Unit(benchmark::kMicrosecond);

} // namespace
