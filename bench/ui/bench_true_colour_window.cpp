// The window with the true-colour setting on and a big modern animation: 100 frames, each at 32, 48, 64,
// 128 and 256 pixels with soft alpha (500 images, 32-bit bitmaps up to 48 and PNG above, as cursor makers
// write them). Measured: opening it from the command line with the window shown and drawn, then saving it
// again; scrolling the image list and clicking its slots; and the animation tab's strip. Each round is a
// new window. The list and the strip are measured with 200 such frames: 1000 images.
//
//   bench_true_colour_window --make FILE.ani          writes the animation
//   bench_true_colour_window --once FILE.ani OUT.ani  opens it in the window and saves it as OUT.ani, once:
//                                                     the whole process for /usr/bin/time

#include "app/ImageListPanel.h"
#include "app/MainWindow.h"
#include "bench/ui/BenchMain.h"
#include "bench/ui/BenchWindow.h"
#include "model/TrueColourDocument.h"

#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

namespace {

using namespace vantle;

constexpr int kSizes[] = {32, 48, 64, 128, 256};

// A ring with a soft rim and a shading that turns with the frame: every alpha appears, PNG entries
// compress as real cursor pictures do.
CursorImage softRing(int side, int frame) {
    CursorImage image;
    image.width = image.height = side;
    image.hotspotX = side / 4;
    image.hotspotY = side / 4;
    image.storedBits = side > 48 ? 0 : 32;
    image.argb.resize(static_cast<std::size_t>(side) * static_cast<std::size_t>(side));
    const double c = side / 2.0;
    const double turn = frame * 0.0628;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const double dx = x + 0.5 - c;
            const double dy = y + 0.5 - c;
            const double d = std::hypot(dx, dy) / c;
            const double a =
                std::clamp((0.95 - d) * side, 0.0, 1.0) * std::clamp((d - 0.35) * side, 0.0, 1.0);
            const double shade = 0.5 + 0.5 * std::cos(std::atan2(dy, dx) + turn);
            const auto alpha = static_cast<std::uint32_t>(a * 255.0 + 0.5);
            const auto red = static_cast<std::uint32_t>(40 + 200 * shade);
            const auto green = static_cast<std::uint32_t>(90 + 100 * (1 - shade));
            image.argb[static_cast<std::size_t>(y * side + x)] =
                alpha == 0 ? 0 : alpha << 24 | red << 16 | green << 8 | 0xC0;
        }
    return image;
}

bool writeModernAnimation(const std::string& file, int frames) {
    const MarkerColours markers;
    IconDocument d;
    d.clearImages(markers.transparent);
    for (int f = 0; f < frames; ++f)
        for (std::size_t k = 0; k < std::size(kSizes); ++k) {
            if (!d.growForImage(d.imageCount))
                return false;
            IconImage& image = d.images[static_cast<std::size_t>(d.imageCount)];
            setTrueColourImage(image, softRing(kSizes[k], f));
            image.sameFrame = k > 0;
            ++d.imageCount;
        }
    for (int s = 0; s < frames; ++s) {
        if (!d.growForStep(d.stepCount))
            return false;
        d.steps[static_cast<std::size_t>(d.stepCount++)] = {s * 5, 2 + s % 4};
    }
    const auto bytes = buildTrueColourFile(d, FileKind::AnimatedCursor, markers);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// 100 frames (500 images) for opening and saving; 200 frames (1000 images) for the list.
std::string modernAnimation(int frames = 100) {
    const std::string file =
        (std::filesystem::temp_directory_path() / ("vantle-bench-modern-" + std::to_string(frames) + ".ani"))
            .string();
    if (!std::filesystem::exists(file) && !writeModernAnimation(file, frames))
        return {};
    return file;
}

struct Window : bench::BenchWindow {
    explicit Window(const std::string& file) : BenchWindow(file, true) {}
};

const std::string kSaved = "/dev/shm/vantle-bench-modern-saved.ani";

void BM_TrueColourOpen(benchmark::State& state) {
    if (bench::timeOpening(state, modernAnimation(), true) != 500)
        state.SkipWithError("the file did not open whole");
}
BENCHMARK(BM_TrueColourOpen)->Unit(benchmark::kMillisecond);

void BM_TrueColourSave(benchmark::State& state) {
    Window w(modernAnimation());
    for (auto _ : state)
        if (!w.save(kSaved))
            state.SkipWithError("the save failed");
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(kSaved));
}
BENCHMARK(BM_TrueColourSave)->Unit(benchmark::kMillisecond);

// One step down the image list (six slots of 256, 128, ... pictures redrawn), back at the end.
void BM_TrueColourListScroll(benchmark::State& state) {
    Window w(modernAnimation(200));
    if (w.document.imageCount != 1000)
        state.SkipWithError("the file did not open whole");
    auto* bar = w.window->findChild<QScrollBar*>("vsBerImg");
    int value = 0;
    for (auto _ : state) {
        value = value < bar->maximum() ? value + 1 : 0;
        bar->setValue(value);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_TrueColourListScroll)->Unit(benchmark::kMicrosecond);

// A click on a list slot with the edit tab shown: the 32-bit view shows the image.
void BM_TrueColourSlotClick(benchmark::State& state) {
    Window w(modernAnimation(200));
    w.window->selectTab(1);
    int slot = 0;
    for (auto _ : state) {
        slot = (slot + 1) % ui::ImageListPanel::kSlots;
        w.window->imageList().pImg_Click(slot);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_TrueColourSlotClick)->Unit(benchmark::kMicrosecond);

// The animation tab: its strip of steps filled and drawn.
void BM_TrueColourAnimationTab(benchmark::State& state) {
    Window w(modernAnimation(200));
    for (auto _ : state) {
        w.window->selectTab(2);
        QCoreApplication::processEvents();
        state.PauseTiming();
        w.window->selectTab(0);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TrueColourAnimationTab)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return vantle::bench::runQtBenchmarks(argc, argv, [](int argc, char** argv) -> std::optional<int> {
        if (argc == 3 && std::strcmp(argv[1], "--make") == 0)
            return writeModernAnimation(argv[2], 100) ? 0 : 1;
        if (argc == 4 && std::strcmp(argv[1], "--once") == 0) {
            Window w(argv[2]);
            return w.document.imageCount == 500 && w.save(argv[3]) ? 0 : 1;
        }
        return std::nullopt;
    });
}
