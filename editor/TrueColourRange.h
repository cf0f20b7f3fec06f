#pragma once
// Range editing on a 32-bit image, as on the grid canvas but by image pixels: in range mode a rectangle is
// dragged out and, on release, lifted into a floating piece that is moved about inside the image (by the
// pointer or one pixel at a time) and dropped, cancelled, cut or copied; paste floats a piece at the
// top-left corner. Every pixel keeps its colour, alpha and inversion exactly. While a piece floats the
// image is untouched: the window shows shownImage(). Plain C++; the clipboard lives in the window.

#include "editor/TrueColourCanvas.h"

#include <optional>

namespace vantle {

class TrueColourRange {
  public:
    explicit TrueColourRange(TrueColourEvents& events) : events_(events) {}

    // The image the range works on; range mode ends and a floating piece is forgotten.
    void attach(CursorImage* image);

    // --- Commands ---
    void start();
    // Puts a floating piece into the image where it lies (one undoable step): a lifted piece leaves its
    // rectangle transparent. Nothing when none floats.
    void drop();
    // Drops a floating piece and leaves range mode.
    void clear();
    // Forgets a floating piece (the image is untouched) and leaves range mode.
    void cancel();
    // The floating piece, dropped back and range mode left (copy), or taken out of the image, its hole
    // transparent (cut). Nothing when none floats.
    std::optional<CursorImage> copy();
    std::optional<CursorImage> cut();
    // Floats piece at the top-left corner, cut to the image's size; a floating piece is dropped first.
    void paste(const CursorImage& piece);

    // --- The pointer in range mode, image pixels (outside the image allowed) ---
    // A press on the floating piece grabs it; elsewhere inside the image it drops the piece and starts a
    // rectangle.
    void press(int x, int y);
    // Drags the rectangle (kept inside the image) or moves a grabbed piece (kept inside the image).
    void move(int x, int y);
    // Ends a drag: a rectangle is lifted into a floating piece.
    void release();
    // Moves a floating piece by one pixel, inside the image.
    void nudge(int dx, int dy);

    // --- State ---
    bool rangeMode() const { return rangeMode_; }
    bool dragging() const { return dragging_; }
    bool floating() const { return floating_; }
    bool pasted() const { return pasted_; }
    // The rectangle being dragged, or the floating piece's place.
    PixelArea area() const;
    // The image as it shows: a lifted piece's hole transparent and the piece at its place.
    CursorImage shownImage() const;
    const CursorImage& piece() const { return piece_; }

  private:
    // The rectangle or piece area changed from before: both are told to the window.
    void changed(const PixelArea& before);
    void lift();
    // A floating piece stops floating: the window is told its place and hole show as the image.
    void endFloating();
    void leaveRangeMode();

    TrueColourEvents& events_;
    CursorImage* image_ = nullptr;
    bool rangeMode_ = false;
    bool dragging_ = false;
    bool floating_ = false;
    bool pasted_ = false;
    bool grabbed_ = false;
    int anchorX_ = 0;
    int anchorY_ = 0;
    int grabX_ = 0;
    int grabY_ = 0;
    PixelArea rect_{}; // the rectangle dragged, then where the piece was lifted from
    int pieceX_ = 0;
    int pieceY_ = 0;
    CursorImage piece_;
};

} // namespace vantle
