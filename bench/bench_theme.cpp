// The scaler of cursor themes: one image resampled from the sizes packs hold to the sizes themes need,
// and whole animated cursors brought to every theme size (a flat rate of frames x sizes per second
// means linear cost); and a whole pack made into a theme with every layout.

#include "model/BinaryFile.h"
#include "model/CursorFiles.h"
#include "theme/CursorPack.h"
#include "theme/CursorScaling.h"
#include "theme/Hyprcursor.h"
#include "theme/LayoutSupport.h"
#include "theme/ScalableCursors.h"
#include "theme/ThemeCursors.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

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

// A pack as make_cursor_pack.py writes it, in a scratch folder: thirteen still cursors and four
// animations of 12 frames, files named by role; `classic` holds 32 x 32 only, else the still cursors
// hold 32, 48, 64, 96, 128 and 256 (PNG) and the animations 32, 48 and 64.
struct BenchPack {
    std::filesystem::path folder;
    explicit BenchPack(bool classic) {
        const char* shm = "/dev/shm";
        folder = std::filesystem::path(
                     std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path()) /
                 ("vantle-bench-pack-" + std::to_string(::getpid()) + (classic ? "-classic" : "-modern"));
        std::filesystem::create_directories(folder / "pack");
        const std::array<const char*, 17> names = {
            "Arrow",  "Help",     "AppStarting", "Wait",    "Crosshair", "IBeam", "NWPen", "No",    "SizeNS",
            "SizeWE", "SizeNWSE", "SizeNESW",    "SizeAll", "UpArrow",   "Hand",  "Pin",   "Person"};
        for (std::size_t r = 0; r < names.size(); ++r) {
            const bool animated = r == 2 || r == 3 || r == 6 || r == 14;
            LosslessCursor cursor;
            for (int f = 0; f < (animated ? 12 : 1); ++f) {
                CursorFrame frame;
                const std::vector<int> sides = classic    ? std::vector<int>{32}
                                               : animated ? std::vector<int>{32, 48, 64}
                                                          : std::vector<int>{32, 48, 64, 96, 128, 256};
                for (int side : sides) {
                    frame.images.push_back(picture(side, f * 20 + static_cast<int>(r)));
                    frame.images.back().storedBits = side == 256 ? 0 : 32;
                }
                cursor.frames.push_back(std::move(frame));
                if (animated)
                    cursor.steps.push_back({f, 5 * kTicksPerJiffy});
            }
            CursorWriteReport report;
            const auto bytes =
                animated ? buildAnimatedCursor(cursor, report) : buildIconResource(cursor, 2, report);
            replaceFileContents(
                (folder / "pack" / (std::string(names[r]) + (animated ? ".ani" : ".cur"))).string(), bytes,
                FileSync::Fast);
        }
    }
    ~BenchPack() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

// The whole theme command's work on a pack, in memory and on a tmpfs folder when there is one: the
// files read, every cursor at the crisp default sizes, and the Xcursor, hyprcursor and scalable layouts
// written anew each time. Argument: 0 the modern pack, 1 the classic one.
void BM_WholePackAllLayouts(benchmark::State& state) {
    const BenchPack bench(state.range(0) == 1);
    const std::string out = (bench.folder / "out").string();
    for (auto _ : state) {
        state.PauseTiming();
        std::error_code ec;
        std::filesystem::remove_all(out, ec);
        state.ResumeTiming();
        const CursorPack pack = packFromFolder((bench.folder / "pack").string());
        CursorFileStream stream(out, "Bench", themeNamesOfPack(pack));
        ThemeCursors made = makeThemeCursors(pack, kDefaultThemeSizes, SizeRule::Crisp, &stream);
        const ThemeResult theme = writeCursorTheme(out, "Bench", made.cursors);
        encodeLayoutImages(made.cursors);
        const LayoutResult hypr = writeHyprcursorLayout(theme.themeFolder, "Bench", made.cursors);
        const LayoutResult scalable = writeScalableLayout(theme.themeFolder, made.cursors);
        if (!theme.ok || !hypr.ok || !scalable.ok)
            state.SkipWithError("not written");
    }
}
BENCHMARK(BM_WholePackAllLayouts)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
