// How fast the edit canvas answers the pointer, through the real canvas widget on the offscreen
// platform: a line stroke over a 48 x 48 image (press, 200 moves, release) and a flood fill of the whole
// image. Each move's events are delivered and the widget repainted, as the event loop would. The counters
// give the cells painted per move, to show that a move repaints only the cells that changed.

#include "app/CanvasWidget.h"
#include "app/EditPanel.h"
#include "app/MainWindow.h"
#include "bench/ui/BenchMain.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace vantle;

struct Window {
    test::FakePlatform platform;
    IconDocument document;
    AppSettings settings;
    std::unique_ptr<ui::frmICON> window;

    Window() {
        window = std::make_unique<ui::frmICON>(platform, document, settings, "/tmp", "");
        window->show();
        IconImage& image = document.images[0];
        image.width = image.height = 48;
        image.pixels.fill(settings.markers.transparent);
        window->ShowImageInEditor(0);
        QCoreApplication::processEvents();
    }
    ui::CanvasWidget& canvasWidget() { return window->editPanel().canvasWidget(); }
    EditCanvas& canvas() { return window->editPanel().canvas(); }

    void send(QEvent::Type type, int cellX, int cellY, Qt::MouseButtons buttons) {
        const QPointF at(cellX * canvas().cellWidth + 2.0, cellY * canvas().cellHeight + 2.0);
        QMouseEvent event(type, at, canvasWidget().mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&canvasWidget(), &event);
        QCoreApplication::processEvents();
    }
};

// The cells a stroke visits: 200 distinct steps sweeping back and forth over the image.
std::vector<std::pair<int, int>> strokePath() {
    std::vector<std::pair<int, int>> cells;
    int x = 1;
    int y = 0;
    int dx = 1;
    while (cells.size() < 200) {
        cells.emplace_back(x, y);
        x += dx;
        if (x == 47 || x == 0) {
            dx = -dx;
            y += 11;
        }
    }
    return cells;
}

// Press, the moves of the path and release with a tool; the image is made blank again between strokes.
void runStroke(benchmark::State& state, int tool) {
    Window w;
    w.canvas().SelectTool(tool);
    const auto path = strokePath();
    long moves = 0;
    long painted = 0;
    for (auto _ : state) {
        w.canvasWidget().clearPaintedCells();
        w.send(QEvent::MouseButtonPress, 0, 0, Qt::LeftButton);
        for (auto [x, y] : path)
            w.send(QEvent::MouseMove, x, y, Qt::LeftButton);
        w.send(QEvent::MouseButtonRelease, path.back().first, path.back().second, Qt::NoButton);
        moves += static_cast<long>(path.size());
        painted += w.canvasWidget().paintedCells();
        state.PauseTiming();
        w.canvas().Undo();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    // Seconds per move, and the cells one move painted on average (of 2304 in the image).
    state.counters["per_move"] = benchmark::Counter(
        static_cast<double>(moves), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["cells_per_move"] = static_cast<double>(painted) / static_cast<double>(moves);
}

void BM_LineStroke48(benchmark::State& state) {
    runStroke(state, 1);
}
BENCHMARK(BM_LineStroke48)->Unit(benchmark::kMillisecond);

void BM_PencilStroke48(benchmark::State& state) {
    runStroke(state, 0);
}
BENCHMARK(BM_PencilStroke48)->Unit(benchmark::kMillisecond);

void BM_FloodFill48(benchmark::State& state) {
    Window w;
    w.canvas().SelectTool(8);
    long painted = 0;
    long fills = 0;
    for (auto _ : state) {
        w.canvasWidget().clearPaintedCells();
        w.send(QEvent::MouseButtonPress, 24, 24, Qt::LeftButton);
        w.send(QEvent::MouseButtonRelease, 24, 24, Qt::NoButton);
        painted += w.canvasWidget().paintedCells();
        ++fills;
        state.PauseTiming();
        w.canvas().Undo();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["cells_per_fill"] = static_cast<double>(painted) / static_cast<double>(fills);
}
BENCHMARK(BM_FloodFill48)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return vantle::bench::runQtBenchmarks(argc, argv);
}
