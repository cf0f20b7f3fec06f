#pragma once
// The enlarged pixel grid on which the selected image is edited: the edit buffers, the grid geometry,
// pointer-to-cell mapping, incremental cell painting and the press / stroke / release protocol the drawing
// tools plug into. Plain C++; the widget implements CanvasView and forwards pointer events.

#include "editor/DrawingTools.h"
#include "editor/EditorText.h"
#include "model/Colour.h"
#include "model/IconDocument.h"
#include "platform/Platform.h"

#include <cstdint>
#include <string>

namespace vantle {

constexpr int kWorkSize = 96;         // the work buffer is 96 x 96 cells
constexpr int kMaxCanvasPixels = 291; // the canvas area is at most 291 x 291 screen pixels
constexpr colourRGB kGridColour = 0x606060;

using WorkGrid = Grid<colourRGB, kWorkSize>;

enum class UndoState { None = 0, UndoAvailable = 1, RedoAvailable = 2 };
enum class MouseButton { Left, Right, Middle };

class RangeSelection;

struct Cell {
    int x = 0;
    int y = 0;
    bool operator==(const Cell&) const = default;
};

// What the canvas draws on. Cell painting fills the inner box of a cell; the grid lines are drawn once
// by resetCanvas.
class CanvasView {
  public:
    virtual ~CanvasView() = default;
    // Sizes the canvas to cellWidth * width + 3 by cellHeight * height + 3 pixels and draws the outline
    // of every cell in kGridColour.
    virtual void resetCanvas(int width, int height, int cellWidth, int cellHeight) = 0;
    virtual void paintCell(int x, int y, colourRGB colour) = 0;
    // The same pixel of the image-list thumbnail (the view ignores it while the image's slot is not shown).
    virtual void setThumbnailPixel(int x, int y, colourRGB colour) = 0;
    // Brings what was painted to the screen; called once per repaint.
    virtual void refresh() = 0;
};

// What the canvas tells the window it belongs to.
class EditorEvents {
  public:
    virtual ~EditorEvents() = default;
    virtual void setModified() = 0;                     // the document has changed
    virtual void undoStateChanged(UndoState state) = 0; // undo / redo menu items and buttons
    virtual void depthRestored(ColourDepth depth) = 0;  // undo or redo exchanged the image's depth
    virtual void coloursChanged() = 0;                  // left, right or selected colour changed
    virtual void toolChanged() = 0;                     // the selected tool or line size changed
    virtual void readOut(const std::string& x, const std::string& y) = 0; // the " X:" / " Y:" labels
};

class EditCanvas {
  public:
    EditCanvas(IconDocument& document, const MarkerColours& markers, CanvasView& view, EditorEvents& events,
               MessageSink& messages);

    // The largest c with c * pixels + 3 <= 291: 18 for 16, 9 for 32, 6 for 48.
    static int cellSizeFor(int pixels);

    // --- Load and store ---
    // The canvas steps of showing an image: geometry, offsets, the work buffer filled with the transparent
    // marker and the image copied in at the offsets, every cell drawn, undo state none.
    void loadImage(int imageIndex);
    // The pixel step of committing: while the edit-buffer-changed flag is set, copies the image's window
    // of the work buffer into the image and clears the flag.
    void commitPixels();
    // Copies the image's pixels into the work buffer at the offsets and repaints the cells that changed
    // (after the image was changed in the document, for example by colour reduction).
    void reloadFromImage();

    // --- Pointer protocol, positions in canvas pixels ---
    Cell cellAt(double px, double py) const;
    bool insideImage(Cell c) const { return c.x >= 0 && c.y >= 0 && c.x < width_ && c.y < height_; }
    void press(MouseButton button, double px, double py);
    // A movement over the canvas. With a stroke open it is processed when its cell is inside the image and
    // differs from the last cell; otherwise it only updates the read-out.
    void move(double px, double py);
    // A release over the canvas completes an open stroke.
    void release(double px, double py);
    // The pointer moved over the edit panel around the canvas: a stroke left open by a release outside
    // the canvas is completed as on a release (tools 1 to 7), and the stroke-open flag cleared.
    void pointerOverPanel();
    bool strokeOpen() const { return strokeOpen_; }
    // Sets the read-out labels back to " X:" and " Y:" (tab switch); later read-outs keep a label of an
    // axis that is outside the image at this text.
    void resetReadOut();
    // The range selection the pointer protocol hands presses, drags and releases to in range mode.
    void attachSelection(RangeSelection* selection) { selection_ = selection; }
    RangeSelection* selection() const { return selection_; }
    // Whole-image commands first put a floating piece into the image, so that they act on what is seen.
    void settleSelection();

    // --- Tools and colours ---
    void SelectTool(int tool);
    void SelectLineSize(int size);
    int tool() const { return tool_; }
    int lineSize() const { return lineSize_; }
    DrawingTools& tools() { return tools_; }
    colourRGB leftColour = kBlack;
    colourRGB rightColour = kWhite;
    colourRGB selectedColour = kWhite;
    // The opacity each colour has when it paints a 32-bit image (the grid canvas has none).
    int leftOpacity = 255;
    int rightOpacity = 255;
    int selectedOpacity = 255;

    // --- Undo ---
    void TakeUndoSnapshot();
    void SetUndoState(UndoState state);
    UndoState undoState() const { return undoState_; }
    void Undo();
    void Redo();

    // --- Grid helpers (image coordinates; grids of 48 x 48 unless an offset is given) ---
    void PaintCell(const PixelGrid& grid, int x, int y);
    void PaintCellAt(const WorkGrid& grid, int offsetX, int offsetY, int x, int y);
    void RepaintChanged(const PixelGrid& grid);
    void RepaintChangedAt(const WorkGrid& grid, int offsetX, int offsetY);
    void SetPixel(PixelGrid& grid, int x, int y, colourRGB colour) const;
    void SetPixelShown(PixelGrid& grid, int x, int y, colourRGB colour);
    static void CopyWindow(PixelGrid& target, const WorkGrid& source, int offsetX, int offsetY);
    static void PasteWindow(WorkGrid& target, int offsetX, int offsetY, const PixelGrid& source);
    static void CopyGrid(PixelGrid& target, const PixelGrid& source) { target = source; }

    // --- State ---
    WorkGrid workBuffer{};
    PixelGrid shownColours{};
    PixelGrid shapeBuffer{};
    PixelGrid undoBuffer{};
    int imageOffsetX = 32;
    int imageOffsetY = 32;
    int cellWidth = 9;
    int cellHeight = 9;
    bool editBufferChanged = false;

    int imageIndex() const { return imageIndex_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The pixel of the image being edited, as the work buffer holds it.
    colourRGB pixel(int x, int y) const { return workBuffer(imageOffsetX + x, imageOffsetY + y); }

  private:
    friend class DrawingTools;
    friend class RangeSelection;
    void completeStroke();
    // Ends a stroke left open by a release outside the canvas: completed (as on a release) or dropped.
    void endOpenStroke(bool complete);
    void updateReadOut(Cell cell);
    // Size, cell size, offsets and the empty grid of the image.
    void setGeometry(int imageIndex);
    // Undo and Redo: the window's pixels and the image's depth change places with the snapshot.
    void exchangeWithSnapshot();

    IconDocument& document_;
    const MarkerColours& markers_;
    CanvasView& view_;
    EditorEvents& events_;
    MessageSink& messages_;
    DrawingTools tools_;
    RangeSelection* selection_ = nullptr;

    int imageIndex_ = -1;
    int width_ = 32;
    int height_ = 32;
    int tool_ = 0;
    int strokeTool_ = 0; // the tool that opened the current stroke
    int lineSize_ = 0;
    bool strokeOpen_ = false;
    colourRGB strokeColour_ = kBlack;
    Cell anchor_{};
    Cell last_{};
    UndoState undoState_ = UndoState::None;
    ColourDepth savedDepth_ = kDepthUndetermined;
    std::string readOutX_{text::kReadOutX};
    std::string readOutY_{text::kReadOutY};
};

} // namespace vantle
