// How fast the picture panel follows the pointer: a 4000 x 3000 JPEG opened through the panel, then a
// drag of 200 mouse moves over the picture view of the real main window on the offscreen platform. Each
// move's event is delivered and the event loop run, so the selection frame, the size text and the three
// previews are recomputed and repainted as on screen. Free and square selections are measured; the
// counters give the mean and the slowest move.

#include "app/MainWindow.h"
#include "app/PicturePanel.h"
#include "app/PictureViewWidget.h"
#include "bench/ui/BenchMain.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>

namespace {

using namespace vantle;

// A photograph-like picture: gradients with fine detail, so the JPEG decoder and the sampling see
// varied colours in every area.
QString writeBigJpeg(const QString& folder) {
    QImage image(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb((x * 255) / 3999, (y * 255) / 2999, ((x ^ y) * 7) & 0xFF);
    }
    const QString path = folder + "/big.jpg";
    if (!image.save(path, "JPG", 90))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

struct Window {
    QTemporaryDir folder;
    test::FakePlatform platform;
    IconDocument document;
    AppSettings settings;
    std::unique_ptr<ui::frmICON> window;

    Window() {
        window = std::make_unique<ui::frmICON>(platform, document, settings, folder.path().toStdString(), "");
        window->show();
        platform.pictureDialogAnswers.push_back(writeBigJpeg(folder.path()).toStdString());
        window->picturePanel().cmdBNew_Click();
        if (window->picturePanel().picture().width != 4000)
            qFatal("the picture was not opened");
        QCoreApplication::processEvents();
    }
    QWidget& view() { return *window->findChild<ui::PictureViewWidget*>("pBmpW"); }

    void send(QEvent::Type type, QPoint at) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), view().mapToGlobal(QPointF(at)),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(&view(), &event);
        QCoreApplication::processEvents();
    }
};

// 200 points inside the visible part of the view, widening and narrowing the area as a hand would.
std::vector<QPoint> dragPath(QSize visible) {
    std::vector<QPoint> points;
    const int w = std::max(visible.width() - 20, 40);
    const int h = std::max(visible.height() - 20, 40);
    for (int i = 0; i < 200; ++i) {
        const int t = i < 100 ? i : 199 - i;
        points.emplace_back(12 + (w - 12) * t / 100, 12 + (h - 12) * ((t * 7) % 100) / 100);
    }
    return points;
}

void runDrag(benchmark::State& state, bool square) {
    Window w;
    if (square)
        w.window->picturePanel().M_PAREA_S_Click();
    const QWidget* viewport = w.view().parentWidget();
    const auto path = dragPath(viewport ? viewport->size() : w.view().size());
    long moves = 0;
    double slowest = 0;
    QString shownSize;
    for (auto _ : state) {
        w.send(QEvent::MouseButtonPress, QPoint(4, 4));
        for (const QPoint at : path) {
            const auto start = std::chrono::steady_clock::now();
            w.send(QEvent::MouseMove, at);
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            slowest = std::max(slowest, took.count());
        }
        // The drag must show the selection's size, or nothing was measured.
        const auto* size = w.window->findChild<QLineEdit*>("tBmp");
        if (!size || size->isHidden() || size->text().isEmpty())
            qFatal("the drag shows no selection");
        shownSize = size->text();
        w.send(QEvent::MouseButtonRelease, path.back());
        moves += static_cast<long>(path.size());
    }
    state.SetLabel(shownSize.toStdString());
    state.counters["per_move"] = benchmark::Counter(
        static_cast<double>(moves), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["slowest_move"] = slowest;
}

void BM_PictureDragFree(benchmark::State& state) {
    runDrag(state, false);
}
BENCHMARK(BM_PictureDragFree)->Unit(benchmark::kMillisecond);

void BM_PictureDragSquare(benchmark::State& state) {
    runDrag(state, true);
}
BENCHMARK(BM_PictureDragSquare)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return vantle::bench::runQtBenchmarks(argc, argv);
}
