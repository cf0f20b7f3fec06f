#pragma once
// Range editing on the canvas: in range mode a rectangle is dragged out and, on release, lifted into a
// floating piece that moves by whole cells inside the image and is dropped, cancelled, cut or copied;
// paste floats the last cut or copied piece at the top-left corner. Plain C++: the edit panel implements
// SelectionView, the clipboard is reached through the function given at construction.

#include "editor/EditCanvas.h"
#include "platform/Platform.h"

#include <functional>

namespace vantle {

// Which range commands are offered, and what range mode does to the controls around the canvas.
struct RangeCommands {
    bool copyCut = false;          // M_E_COPY and M_E_CUT
    bool clear = false;            // M_E_HANIL
    bool cancel = false;           // M_E_CL
    bool paste = false;            // M_E_PAST enabled and cmdEditPast shown
    bool shiftButtons = true;      // the four shift buttons shown
    bool toolShownSelected = true; // the picker of the selected tool looks selected
    bool operator==(const RangeCommands&) const = default;
};

// What the selection shows on and around the canvas. Positions and sizes are in canvas pixels.
class SelectionView {
  public:
    virtual ~SelectionView() = default;
    // sEditHANI, the dotted frame of the rectangle being dragged out.
    virtual void showRangeFrame(int left, int top, int width, int height) = 0;
    virtual void hideRangeFrame() = 0;
    // pIconDrag: columns x rows grid cells of the canvas's cell size in colours(c, r), at (left, top).
    virtual void showPiece(const PixelGrid& colours, int columns, int rows, int left, int top) = 0;
    virtual void movePiece(int left, int top) = 0;
    virtual void hidePiece() = 0;
    // The frame of the piece blinks: first change after 1 ms, then every 500 ms, until stopped.
    virtual void startBlinking() = 0;
    virtual void stopBlinking() = 0;
    virtual void commandsChanged(const RangeCommands& commands) = 0;
    // Range mode or the no-drop state of a range drag changed: the canvas pointer follows.
    virtual void pointerChanged() = 0;
};

class RangeSelection {
  public:
    using ClipboardSink = std::function<void(const Picture&)>;

    RangeSelection(EditCanvas& canvas, const MarkerColours& markers, SelectionView& view,
                   ClipboardSink putOnClipboard);

    // --- Commands ---
    void StartRangeMode();
    // Puts a floating piece into the image where it lies; nothing when none floats.
    void DropSelection();
    // Drops a floating piece and leaves range mode.
    void ClearSelection();
    // Puts a lifted piece back where it came from (a pasted one is discarded) and leaves range mode.
    void CancelSelection();
    void CutSelection();
    void CopySelection();
    void PasteSelection();
    // Leaves range mode without touching the work buffer: the canvas is about to show another image.
    void discard();

    // --- The rectangle, from the canvas's pointer protocol (cells of the image) ---
    void pressCanvas(Cell cell);
    void dragTo(Cell cell);
    void releaseCanvas();

    // --- The floating piece, positions in pixels inside the piece ---
    void pieceGrab(double px, double py);
    // A movement over the piece: moves it while it is held, otherwise shows the image cell in the read-out.
    void pieceMove(double px, double py);
    // overPiece: the button came up over the piece (the thumbnail then follows the new place).
    void pieceRelease(bool overPiece);

    // --- State ---
    bool rangeMode() const { return rangeMode_; }
    bool dragging() const { return dragging_; }
    bool floating() const { return floating_; }
    bool pasted() const { return pasted_; }
    bool moving() const { return moving_; }
    bool dragOutside() const { return dragOutside_; }
    Cell origin() const { return origin_; }
    Cell position() const { return position_; }
    int pieceWidth() const { return width_; }
    int pieceHeight() const { return height_; }
    const RangeCommands& commands() const { return commands_; }
    // Paste is offered for an image as wide as the one the piece came from, when the piece fits.
    bool pasteAvailable() const;
    int copySourceWidth() const { return copySourceWidth_; }
    const PixelGrid& copyBuffer() const { return copyBuffer_; }
    const PixelGrid& liftedPixels() const { return liftedPixels_; }

  private:
    colourRGB pieceColour(int c, int r) const;
    // Writes a pixel of the image and paints it, its shown colour and its thumbnail pixel, whatever the
    // cell showed before (the hole of a lifted piece is on the screen only).
    void store(int x, int y, colourRGB colour);
    // The thumbnail as the canvas shows it, with a floating piece at its place.
    void redrawThumbnail();
    void endFloating();
    void leaveRangeMode();
    void publish();
    void copyPiece();

    EditCanvas& canvas_;
    const MarkerColours& markers_;
    SelectionView& view_;
    ClipboardSink putOnClipboard_;

    bool rangeMode_ = false;
    bool dragging_ = false;
    bool dragOutside_ = false;
    bool floating_ = false;
    bool pasted_ = false;
    bool moving_ = false;
    Cell anchor_{};
    Cell origin_{};
    int width_ = 0;
    int height_ = 0;
    Cell position_{};
    Cell moveAnchor_{};
    PixelGrid liftedPixels_{};
    PixelGrid copyBuffer_{};
    int copyWidth_ = 0;
    int copyHeight_ = 0;
    int copySourceWidth_ = 0;
    RangeCommands commands_{};
};

} // namespace vantle
