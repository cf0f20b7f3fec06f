#pragma once
// The edit panel, frame fTabS(0): the palette panel, the colour area, the tool box and the edit canvas
// with its read-out. It owns the canvas logic and passes what the canvas reports on to the window.

#include "editor/EditCanvas.h"
#include "editor/RangeSelection.h"
#include "editor/Transforms.h"
#include "editor/TrueColourCanvas.h"
#include "editor/TrueColourRange.h"

#include <QFrame>

#include <array>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;
class QMenu;
class QToolButton;

namespace vantle::ui {

class CanvasWidget;
class ColourAreaPanel;
class FloatingPieceWidget;
class frmICON;
class PalettePanel;
class RangeFrameWidget;
class ToolBoxPanel;
class TrueColourView;

class EditPanel : public QFrame, public EditorEvents, public SelectionView, public TrueColourEvents {
    Q_OBJECT
  public:
    EditPanel(frmICON& window, QWidget* parent);
    ~EditPanel() override;

    EditCanvas& canvas() { return *canvas_; }
    RangeSelection& selection() { return *selection_; }
    FloatingPieceWidget& floatingPiece() { return *pIconDrag_; }
    CanvasWidget& canvasWidget() { return *pIconEdit_; }
    PalettePanel& palette() { return *palette_; }
    ColourAreaPanel& colours() { return *colours_; }
    ToolBoxPanel& tools() { return *tools_; }
    frmICON& window() { return window_; }

    // The canvas steps of showing an image (geometry, buffers, every cell), the shift buttons and paste.
    void loadImage(int imageIndex);
    // A 32-bit image goes to the true-colour view in place of the grid canvas, which keeps what it held;
    // the tools draw on it with each button's colour and opacity.
    void showTrueColourImage(int imageIndex);
    bool trueColourShown() const { return trueColourShown_; }
    TrueColourView& trueColourView() { return *trueColourView_; }
    // The colour a button paints a 32-bit image with: its colour at its opacity, a marker as itself.
    PaintColour paintColour(MouseButton button) const;
    // The 32-bit image shown puts what is open on it (a stroke, a floating piece) into itself.
    void commitTrueColour();
    // Range editing on the grid canvas or the shown 32-bit image.
    void startRange();
    void cutRange();
    void copyRange();
    void pasteRange();
    void clearRange();
    void cancelRange();
    // The selected image's slot was clicked: with the image palette shown, it is shown again.
    void imageSlotClicked();
    // The hotspot as typed in the property panel, shown on a 32-bit image (the grid canvas shows none).
    void showTypedHotspot(int x, int y);
    void resetReadOut();
    void setThumbnailPixel(int x, int y, colourRGB colour);
    // Moves the image one cell (0 left, 1 right, 2 up, 3 down) and updates the four shift buttons.
    void shiftImageBy(int direction);
    bool hotspotClickMode() const;
    void hotspotClicked(int column, int row);
    // The range pop-up menu M_CB at a screen position (a press on the floating piece, not the left button).
    void showRangePopup(const QPoint& globalPosition);
    // A tick of timRun in its blinking mode.
    void blinkSelectionFrame();

    // EditorEvents
    void setModified() override;
    void undoStateChanged(UndoState state) override;
    void depthRestored(ColourDepth depth) override;
    void coloursChanged() override;
    void toolChanged() override;
    void readOut(const std::string& x, const std::string& y) override;

    // TrueColourEvents
    void aboutToChange() override;
    void pixelsChanged(const PixelArea& area) override;
    void colourPicked(PaintColour colour, MouseButton button) override;

    // SelectionView
    void showRangeFrame(int left, int top, int width, int height) override;
    void hideRangeFrame() override;
    void showPiece(const PixelGrid& colours, int columns, int rows, int left, int top) override;
    void movePiece(int left, int top) override;
    void hidePiece() override;
    void startBlinking() override;
    void stopBlinking() override;
    void commandsChanged(const RangeCommands& commands) override;
    void pointerChanged() override;

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void buildZoomControl();
    void buildOpacityControls();
    void setTrueColourShown(bool shown);
    // The pointer over a 32-bit image, in image pixels.
    void trueColourPressed(int x, int y, Qt::MouseButton button);
    void trueColourMoved(int x, int y);
    void trueColourReleased();
    void updateTrueColourPointer();
    // The range commands and the dashed frame follow the true-colour range's state.
    void publishTrueColourRange();
    void showShiftLimits(bool left, bool right, bool up, bool down);
    // The piece cut or copied from a 32-bit image, kept and put on the clipboard.
    void keepTrueColourPiece(const CursorImage& piece);
    // No file form holds inverting pixels beside partial alpha: once a change leaves both in the image,
    // its inverting pixels become the outline a cursor theme shows, in the same undoable step.
    void settleTrueColourPixels();

    frmICON& window_;
    CanvasWidget* pIconEdit_ = nullptr;
    std::unique_ptr<EditCanvas> canvas_;
    std::unique_ptr<RangeSelection> selection_;
    RangeFrameWidget* sEditHANI_ = nullptr;
    FloatingPieceWidget* pIconDrag_ = nullptr;
    QMenu* M_CB_ = nullptr;
    PalettePanel* palette_ = nullptr;
    ColourAreaPanel* colours_ = nullptr;
    ToolBoxPanel* tools_ = nullptr;
    QLabel* lX_ = nullptr;
    QLabel* lY_ = nullptr;
    std::array<QToolButton*, 4> shiftButtons_{};
    QToolButton* cmdEditPast_ = nullptr;
    ShiftLimits shiftLimits_{};
    TrueColourView* trueColourView_ = nullptr;
    QLabel* lZoom_ = nullptr;
    QComboBox* cboZoom_ = nullptr;
    bool trueColourShown_ = false;
    std::unique_ptr<TrueColourCanvas> trueColourCanvas_;
    std::unique_ptr<TrueColourRange> trueColourRange_;
    int trueColourImage_ = -1;        // the image the true-colour view shows
    bool trueColourBlinking_ = false; // the frame of a floating piece blinks
    std::optional<CursorImage> trueColourPiece_;
    QWidget* opacityControls_ = nullptr;
    std::array<QSpinBox*, 2> opacitySpins_{};
    QCheckBox* chkExact_ = nullptr;
};

} // namespace vantle::ui
