// How fast the edit tab's view of a 32-bit image repaints: a 256 x 256 image with alpha everywhere, the
// view's visible area (at most 291 x 291) painted into an offscreen image at fit and at 1, 2, 8 and 32
// screen pixels per image pixel; the cost of changing to each zoom, when the picture is composed anew; and
// one pointer movement of a filled rectangle's preview drawn with alpha, from the canvas to the view.

#include "app/TrueColourView.h"
#include "bench/ui/BenchMain.h"
#include "editor/DrawingTools.h"
#include "editor/EditCanvas.h"
#include "editor/TrueColourCanvas.h"
#include "editor/ViewZoom.h"

#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

using namespace vantle;

constexpr int kSide = 291;

CursorImage softImage() {
    CursorImage image;
    image.width = image.height = 256;
    image.hotspotX = image.hotspotY = 128;
    image.argb.resize(256 * 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            image.argb[static_cast<std::size_t>(y * 256 + x)] =
                (static_cast<std::uint32_t>(x) << 24) | (static_cast<std::uint32_t>(y) << 16) | 0x4080;
    return image;
}

// Zoom 0 is fit.
void BM_TrueColourRepaint(benchmark::State& state) {
    ui::TrueColourView view(kSide, nullptr);
    view.showImage(softImage());
    view.setZoom(static_cast<int>(state.range(0)));
    const QSize picture = view.pictureSize();
    const QRect exposed(0, 0, std::min(kSide, picture.width()), std::min(kSide, picture.height()));
    QImage target(exposed.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        view.paintPicture(painter, exposed);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["cached"] = view.pictureCached() ? 1 : 0;
}
BENCHMARK(BM_TrueColourRepaint)
    ->Arg(kZoomFit)
    ->Arg(1)
    ->Arg(2)
    ->Arg(8)
    ->Arg(32)
    ->Unit(benchmark::kMillisecond);

void BM_TrueColourZoomChange(benchmark::State& state) {
    ui::TrueColourView view(kSide, nullptr);
    view.showImage(softImage());
    const int zoom = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        view.setZoom(zoom == 1 ? 2 : 1);
        state.ResumeTiming();
        view.setZoom(zoom);
    }
}
BENCHMARK(BM_TrueColourZoomChange)
    ->Arg(kZoomFit)
    ->Arg(2)
    ->Arg(8)
    ->Arg(32)
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

// The canvas's changes go to the view, as the edit panel passes them on.
class ViewEvents : public TrueColourEvents {
  public:
    ViewEvents(ui::TrueColourView& view, const CursorImage& image) : view_(view), image_(image) {}
    void aboutToChange() override {}
    void pixelsChanged(const PixelArea& area) override { view_.updateImage(image_, area); }
    void colourPicked(PaintColour, MouseButton) override {}

  private:
    ui::TrueColourView& view_;
    const CursorImage& image_;
};

// The rectangle grows and shrinks between 16 and 240 pixels wide, so each move redraws up to most of the
// image at the zoom given.
void BM_TrueColourShapeMove(benchmark::State& state) {
    ui::TrueColourView view(kSide, nullptr);
    CursorImage image = softImage();
    view.showImage(image);
    view.setZoom(static_cast<int>(state.range(0)));
    ViewEvents events(view, image);
    TrueColourCanvas canvas(events);
    canvas.attach(&image);
    const StrokeStyle style{kToolFilledRectangle, 0, false, PaintColour{0x80FF2000u, false}, PaintColour{}};
    canvas.press(MouseButton::Left, 8, 8, style);
    int step = 0;
    for (auto _ : state) {
        const int to = 24 + (step++ % 29) * 8;
        canvas.move(to, to);
    }
    canvas.release();
}
BENCHMARK(BM_TrueColourShapeMove)->Arg(1)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return vantle::bench::runQtBenchmarks(argc, argv);
}
