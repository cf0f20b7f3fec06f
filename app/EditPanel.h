#pragma once
// The edit panel, frame fTabS(0): the palette panel, the colour area, the tool box and the edit canvas
// with its read-out. It owns the canvas logic and passes what the canvas reports on to the window.

#include "editor/EditCanvas.h"
#include "editor/Transforms.h"

#include <QFrame>

#include <array>
#include <memory>

class QLabel;
class QToolButton;

namespace vantle::ui {

class CanvasWidget;
class ColourAreaPanel;
class frmICON;
class PalettePanel;
class ToolBoxPanel;

class EditPanel : public QFrame, public EditorEvents {
    Q_OBJECT
  public:
    EditPanel(frmICON& window, QWidget* parent);
    ~EditPanel() override;

    EditCanvas& canvas() { return *canvas_; }
    CanvasWidget& canvasWidget() { return *pIconEdit_; }
    PalettePanel& palette() { return *palette_; }
    ColourAreaPanel& colours() { return *colours_; }
    ToolBoxPanel& tools() { return *tools_; }
    frmICON& window() { return window_; }

    // The canvas steps of showing an image (geometry, buffers, every cell), the shift buttons and paste.
    void loadImage(int imageIndex);
    // The selected image's slot was clicked: with the image palette shown, it is shown again.
    void imageSlotClicked();
    void resetReadOut();
    void setThumbnailPixel(int x, int y, colourRGB colour);
    // Moves the image one cell (0 left, 1 right, 2 up, 3 down) and updates the four shift buttons.
    void shiftImageBy(int direction);
    bool hotspotClickMode() const;
    void hotspotClicked(int column, int row);

    // EditorEvents
    void setModified() override;
    void undoStateChanged(UndoState state) override;
    void depthRestored(ColourDepth depth) override;
    void coloursChanged() override;
    void toolChanged() override;
    void readOut(const std::string& x, const std::string& y) override;

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    frmICON& window_;
    CanvasWidget* pIconEdit_ = nullptr;
    std::unique_ptr<EditCanvas> canvas_;
    PalettePanel* palette_ = nullptr;
    ColourAreaPanel* colours_ = nullptr;
    ToolBoxPanel* tools_ = nullptr;
    QLabel* lX_ = nullptr;
    QLabel* lY_ = nullptr;
    std::array<QToolButton*, 4> shiftButtons_{};
    QToolButton* cmdEditPast_ = nullptr;
    ShiftLimits shiftLimits_{};
};

} // namespace vantle::ui
