// Opening a big animated cursor in the window: frmICON started with a file of 1000 frames of 32 x 32
// on its command line, shown and its events processed, so the image list and the editor are drawn.
// The same without a file is the cost of the window alone. Each round is a new document and window.
// Pass --grab=FILE.png to save a picture of the window with the file open.

#include "app/MainWindow.h"
#include "bench/ui/BenchMain.h"
#include "bench/ui/BenchWindow.h"
#include "model/AniFileWriter.h"

#include <QPixmap>

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>

namespace {

using namespace vantle;

class QuietMessages : public MessageSink {
  public:
    MessageAnswer showMessage(std::string_view, MessageButtons, MessageIcon) override {
        return MessageAnswer::Ok;
    }
};

// 1000 frames of 32 x 32 with 15 colours in runs and a transparent border, every frame shifted by one
// column: the file of about 774 KB that the command-line tool is measured with too.
std::string bigAnimation() {
    static const std::string path = [] {
        const MarkerColours markers;
        IconDocument d;
        d.clearImages(markers.transparent);
        d.title.clear();
        d.author.clear();
        for (int i = 0; i < 1000; ++i) {
            if (!d.growForImage(d.imageCount))
                break;
            IconImage& image = d.images[static_cast<std::size_t>(d.imageCount)];
            image.width = image.height = 32;
            image.depth = kDepthUndetermined;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    const int column = (x + i) % 32;
                    const int k = (y / 3 + column / 12) % 15;
                    image.pixels(x, y) = column == 0 || y == 0
                                             ? markers.transparent
                                             : makeColour(k * 17, 255 - k * 17, (k * 40) & 0xFF);
                }
            ++d.imageCount;
        }
        const std::string file = (std::filesystem::temp_directory_path() / "vantle-bench-1000.ani").string();
        QuietMessages messages;
        writeAniFile(d, file, markers, messages);
        return file;
    }();
    return path;
}

using Window = bench::BenchWindow;

void BM_OpenWindow(benchmark::State& state, bool withFile) {
    if (bench::timeOpening(state, withFile ? bigAnimation() : std::string(), false) != (withFile ? 1000 : 1))
        state.SkipWithError("the file did not open");
}
BENCHMARK_CAPTURE(BM_OpenWindow, empty, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenWindow, frames1000, true)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return vantle::bench::runQtBenchmarks(argc, argv, [](int argc, char** argv) -> std::optional<int> {
        for (int i = 1; i < argc; ++i)
            if (std::strncmp(argv[i], "--grab=", 7) == 0) {
                Window w(bigAnimation());
                w.window->grab().save(QString::fromUtf8(argv[i] + 7));
                return 0;
            }
        return std::nullopt;
    });
}
