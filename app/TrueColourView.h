#pragma once
// The edit tab's view of a 32-bit image: the image zoomed (fit, or 1 to 32 screen pixels per image pixel)
// over a checkerboard, with the pixel grid when cells are large enough and the hotspot as a small cross,
// in a scroll area the size of the designed canvas, and a dashed frame (a range or a floating piece). It
// reports the pointer in image pixels; the edit panel changes the image and tells the view what changed.

#include "editor/TrueColourCanvas.h"
#include "model/LosslessCursor.h"

#include <QImage>
#include <QScrollArea>

namespace vantle::ui {

class TrueColourView : public QScrollArea {
    Q_OBJECT
  public:
    TrueColourView(int side, QWidget* parent);

    // Shows the image at the largest whole zoom that fits; inverting pixels in colour (0xAARRGGBB), as the
    // grid canvas shows them in the inverted marker colour.
    void showImage(const CursorImage& image, std::uint32_t invertingColour = 0xFF606060u);
    // kZoomFit or one of kZoomSteps.
    void setZoom(int zoom);
    int zoom() const { return zoom_; }
    // Screen pixels per image pixel at the current zoom.
    double scale() const { return scale_; }
    // One offered zoom up (direction > 0) or down.
    void stepZoom(int direction);
    // Pixels of area changed in image (which has the shown image's size): only they are drawn again.
    void updateImage(const CursorImage& image, const PixelArea& area);
    // The dashed frame around image pixels of area; an empty area takes it away.
    void setFrame(const PixelArea& area);
    // The frame between dashed and solid, to blink; setFrameDashed(true) ends on dashes.
    void toggleFrameStyle() { setFrameDashed(!frameDashed_); }
    void setFrameDashed(bool dashed);
    void setHotspot(int x, int y);
    QPoint hotspot() const { return {hotspotX_, hotspotY_}; }

    // The zoomed picture (checkerboard, image, grid, hotspot) in picture coordinates, the part in area.
    void paintPicture(QPainter& painter, const QRect& area) const;
    QSize pictureSize() const;
    // Whether the picture of this zoom is kept whole between repaints (false when it would be too large).
    bool pictureCached() const { return !cache_.isNull(); }

  signals:
    void zoomChanged(int zoom);
    void pixelHovered(int x, int y);
    void pixelClicked(int x, int y);
    // Every press, movement and release over the picture, in image pixels (outside the image too).
    void pointerPressed(int x, int y, Qt::MouseButton button);
    void pointerMoved(int x, int y);
    void pointerReleased();

  protected:
    void wheelEvent(QWheelEvent* event) override;

  private:
    friend class TrueColourSurface;
    void rebuild();
    // Checkerboard, image and grid without the hotspot, the part in area.
    void composePicture(QPainter& painter, const QRect& area) const;
    // The inverting pixels of area in the picture.
    void showInverting(const PixelArea& area);
    // The screen rectangle of image pixels of area.
    QRect screenRect(const PixelArea& area) const;

    int side_;
    CursorImage image_;
    QImage picture_; // the image's pixels, 1:1
    int zoom_ = 1;
    double scale_ = 1.0;
    int hotspotX_ = 0;
    int hotspotY_ = 0;
    PixelArea frame_{};
    bool frameDashed_ = true;
    std::uint32_t invertingColour_ = 0xFF606060u;
    QImage cache_; // the composed picture of the current zoom, when small enough to keep
    QWidget* surface_ = nullptr;
};

} // namespace vantle::ui
