#include "app/TrueColourView.h"

#include "app/QtColours.h"
#include "app/TrueColourPicture.h"
#include "editor/EditCanvas.h"
#include "editor/ViewZoom.h"
#include "platform/qt/WidgetSetup.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cassert>
#include <cmath>

namespace vantle::ui {

namespace {

constexpr int kCheckerCell = 8;
// A composed picture up to 2048 x 2048 pixels (16 MB) is kept; a larger one (256 pixels at 8 and more,
// with its grid line) is composed per exposed area, which stays well under a millisecond.
constexpr qint64 kMaxCachedPixels = 2048LL * 2048;
constexpr int kCrossArm = 4;

} // namespace

// The zoomed picture inside the scroll area: paints only what is exposed and passes the pointer on.
class TrueColourSurface : public QWidget {
  public:
    TrueColourSurface(TrueColourView& view, QWidget* parent) : QWidget(parent), view_(view) {
        setObjectName("pTrueColour");
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        view_.paintPicture(painter, event->rect());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (const auto p = pixelOf(event->position()))
            emit view_.pixelHovered(p->x, p->y);
        const QPoint at = unboundedPixel(event->position());
        emit view_.pointerMoved(at.x(), at.y());
    }
    void mousePressEvent(QMouseEvent* event) override {
        const auto p = pixelOf(event->position());
        if (event->button() == Qt::LeftButton && p)
            emit view_.pixelClicked(p->x, p->y);
        const QPoint at = unboundedPixel(event->position());
        emit view_.pointerPressed(at.x(), at.y(), event->button());
    }
    void mouseReleaseEvent(QMouseEvent* /*event*/) override { emit view_.pointerReleased(); }

  private:
    QPoint unboundedPixel(const QPointF& at) const {
        return {static_cast<int>(std::floor(at.x() / view_.scale_)),
                static_cast<int>(std::floor(at.y() / view_.scale_))};
    }
    std::optional<PixelPoint> pixelOf(const QPointF& at) const {
        return pixelAt(at.x(), at.y(), view_.scale_, view_.image_.width, view_.image_.height);
    }
    TrueColourView& view_;
};

TrueColourView::TrueColourView(int side, QWidget* parent) : QScrollArea(parent), side_(side) {
    setObjectName("svTrueColour");
    setFrameShape(QFrame::NoFrame);
    setFixedSize(side, side);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    surface_ = makeChild<TrueColourSurface>(this, "trueColourSurface", *this);
    setWidget(surface_);
}

void TrueColourView::showImage(const CursorImage& image, std::uint32_t invertingColour) {
    image_ = image;
    picture_ = pictureOfImage(image_);
    invertingColour_ = invertingColour;
    frame_ = {};
    showInverting({0, 0, image_.width, image_.height});
    hotspotX_ = image.hotspotX;
    hotspotY_ = image.hotspotY;
    zoom_ = -1;
    setZoom(fittingZoom(image.width, image.height, side_));
}

void TrueColourView::setZoom(int zoom) {
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    // The scroll bars take room only when the picture is larger than the view; fit never needs them.
    scale_ = scaleOf(zoom, image_.width, image_.height, side_);
    rebuild();
    emit zoomChanged(zoom_);
}

void TrueColourView::stepZoom(int direction) {
    const double fitScale = scaleOf(kZoomFit, image_.width, image_.height, side_);
    setZoom(steppedZoom(zoom_, fitScale, direction));
}

QRect TrueColourView::screenRect(const PixelArea& area) const {
    const auto at = [this](int v) { return static_cast<int>(std::lround(v * scale_)); };
    return QRect(QPoint(at(area.left), at(area.top)), QPoint(at(area.right), at(area.bottom)));
}

void TrueColourView::updateImage(const CursorImage& image, const PixelArea& area) {
    assert(image.width == image_.width && image.height == image_.height);
    const PixelArea a{std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, image.width),
                      std::min(area.bottom, image.height)};
    if (a.empty())
        return;
    // The picture holds the pixels 1:1 in the same order (Format_ARGB32): the rows of the area are copied,
    // and the inverting flags with them (all of them when the image has just gained or lost its flags).
    const bool sameFlags = image.inverted.size() == image_.inverted.size();
    if (!sameFlags)
        image_.inverted = image.inverted;
    for (int y = a.top; y < a.bottom; ++y) {
        const auto from = static_cast<std::ptrdiff_t>(y) * image.width + a.left;
        std::copy_n(image.argb.begin() + from, a.right - a.left, image_.argb.begin() + from);
        std::copy_n(image.argb.begin() + from, a.right - a.left,
                    reinterpret_cast<std::uint32_t*>(picture_.scanLine(y)) + a.left);
        if (sameFlags && !image.inverted.empty())
            std::copy_n(image.inverted.begin() + from, a.right - a.left, image_.inverted.begin() + from);
    }
    showInverting(a);
    // One screen pixel more on each side: the grid lines on the area's edges.
    const QRect shown = screenRect(a).adjusted(-1, -1, 1, 1);
    if (!cache_.isNull()) {
        QPainter cachePainter(&cache_);
        composePicture(cachePainter, shown.intersected(cache_.rect()));
    }
    surface_->update(shown);
}

void TrueColourView::showInverting(const PixelArea& area) {
    if (image_.inverted.empty())
        return;
    for (int y = area.top; y < area.bottom; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(picture_.scanLine(y));
        for (int x = area.left; x < area.right; ++x)
            if (image_.invertsAt(x, y) && image_.at(x, y) >> 24 == 0)
                line[x] = invertingColour_;
    }
}

void TrueColourView::setFrame(const PixelArea& area) {
    if (area == frame_)
        return;
    if (!frame_.empty())
        surface_->update(screenRect(frame_).adjusted(-2, -2, 2, 2));
    frame_ = area;
    if (!frame_.empty())
        surface_->update(screenRect(frame_).adjusted(-2, -2, 2, 2));
}

void TrueColourView::setFrameDashed(bool dashed) {
    if (dashed == frameDashed_)
        return;
    frameDashed_ = dashed;
    if (!frame_.empty())
        surface_->update(screenRect(frame_).adjusted(-2, -2, 2, 2));
}

void TrueColourView::setHotspot(int x, int y) {
    hotspotX_ = x;
    hotspotY_ = y;
    surface_->update();
}

QSize TrueColourView::pictureSize() const {
    const bool grid = scale_ >= kMinGridCell;
    return {static_cast<int>(std::lround(image_.width * scale_)) + (grid ? 1 : 0),
            static_cast<int>(std::lround(image_.height * scale_)) + (grid ? 1 : 0)};
}

void TrueColourView::rebuild() {
    const QSize size = pictureSize();
    cache_ = QImage();
    if (static_cast<qint64>(size.width()) * size.height() <= kMaxCachedPixels) {
        cache_ = QImage(size, QImage::Format_RGB32);
        QPainter painter(&cache_);
        composePicture(painter, cache_.rect());
    }
    surface_->resize(size);
    surface_->update();
}

void TrueColourView::composePicture(QPainter& painter, const QRect& area) const {
    const QRect shown = area.intersected(QRect(QPoint(0, 0), pictureSize()));
    if (shown.isEmpty())
        return;
    // The checkerboard in squares of the screen, aligned at the picture's corner so that scrolling keeps it.
    const QColor light(0xFF, 0xFF, 0xFF);
    const QColor dark(0xCC, 0xCC, 0xCC);
    painter.fillRect(shown, light);
    for (int cy = shown.top() / kCheckerCell; cy * kCheckerCell <= shown.bottom(); ++cy)
        for (int cx = shown.left() / kCheckerCell; cx * kCheckerCell <= shown.right(); ++cx)
            if ((cx + cy) % 2 == 1)
                painter.fillRect(QRect(cx * kCheckerCell, cy * kCheckerCell, kCheckerCell, kCheckerCell)
                                     .intersected(shown),
                                 dark);
    // The image pixels that meet the area, scaled without smoothing.
    const int x0 = static_cast<int>(std::floor(shown.left() / scale_));
    const int y0 = static_cast<int>(std::floor(shown.top() / scale_));
    const int x1 = std::min(image_.width, static_cast<int>(std::floor(shown.right() / scale_)) + 1);
    const int y1 = std::min(image_.height, static_cast<int>(std::floor(shown.bottom() / scale_)) + 1);
    if (x1 <= x0 || y1 <= y0)
        return;
    painter.save();
    painter.setClipRect(shown);
    painter.drawImage(QRectF(x0 * scale_, y0 * scale_, (x1 - x0) * scale_, (y1 - y0) * scale_), picture_,
                      QRectF(x0, y0, x1 - x0, y1 - y0));
    if (scale_ >= kMinGridCell) {
        painter.setPen(toQColor(kGridColour));
        for (int x = x0; x <= x1; ++x) {
            const int sx = static_cast<int>(std::lround(x * scale_));
            painter.drawLine(sx, shown.top(), sx, shown.bottom());
        }
        for (int y = y0; y <= y1; ++y) {
            const int sy = static_cast<int>(std::lround(y * scale_));
            painter.drawLine(shown.left(), sy, shown.right(), sy);
        }
    }
    painter.restore();
}

void TrueColourView::paintPicture(QPainter& painter, const QRect& area) const {
    painter.fillRect(area, palette().color(QPalette::Window));
    if (!cache_.isNull())
        painter.drawImage(area.topLeft(), cache_, area.intersected(cache_.rect()));
    else
        composePicture(painter, area);
    if (!frame_.empty()) {
        // Black and white dashes, to show on any colour.
        const QRect r = screenRect(frame_).adjusted(0, 0, -1, -1);
        painter.save();
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(r);
        painter.setPen(QPen(Qt::black, 1, frameDashed_ ? Qt::DashLine : Qt::SolidLine));
        painter.drawRect(r);
        painter.restore();
    }
    // The hotspot: a small cross over the middle of its pixel, dark with a light edge to show on any colour.
    if (hotspotX_ < 0 || hotspotY_ < 0 || hotspotX_ >= image_.width || hotspotY_ >= image_.height)
        return;
    const QPointF centre((hotspotX_ + 0.5) * scale_, (hotspotY_ + 0.5) * scale_);
    const double arm = std::max(kCrossArm, static_cast<int>(scale_ / 2));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (auto [colour, width] : {std::pair{QColor(Qt::white), 3}, std::pair{QColor(Qt::red), 1}}) {
        painter.setPen(QPen(colour, width));
        painter.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
        painter.drawLine(centre - QPointF(0, arm), centre + QPointF(0, arm));
    }
    painter.restore();
}

void TrueColourView::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        const int delta = event->angleDelta().y();
        if (delta != 0)
            stepZoom(delta > 0 ? 1 : -1);
        event->accept();
        return;
    }
    QScrollArea::wheelEvent(event);
}

} // namespace vantle::ui
