#pragma once
// The palette panel fColor: 32 colour labels showing the standard and user colours, the colours of the
// selected image, or those of a palette file, paged 16 at a time by a scroll bar.

#include "model/Colour.h"
#include "model/PaletteFile.h"

#include <QGroupBox>

#include <array>

class QRadioButton;
class QScrollBar;

namespace vantle::ui {

class ColourLabel;
class EditPanel;

class PalettePanel : public QGroupBox {
    Q_OBJECT
  public:
    static constexpr int kLabels = 32;

    // The 16 colours of the classic text-mode palette; entry 0 is black and entry 15 white.
    static constexpr std::array<colourRGB, 16> kStandardColours = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

    PalettePanel(EditPanel& panel, QWidget* parent);

    int option() const { return option_; }
    // Selects an option as a click on it does.
    void selectOption(int option);
    void setScrollMaximum(int maximum);
    // With the image palette shown: shows the selected image's colours again.
    void refreshImagePalette();
    // Stores a colour into the first free user slot (white label 16..31); nothing when none is free.
    void storeInFreeUserSlot(colourRGB colour);
    colourRGB labelColour(int index) const;

    void optClrChg_Click(int index);
    // A double click on option 2 while it is selected opens the palette-file dialog again.
    void optClrChg_DblClick(int index);
    void vsClrChg_Change(int value);
    void lCList_Click(int index);
    void lCList_DblClick(int index);

    // The colours of the palette file loaded last (white past its count), and its count.
    const std::array<colourRGB, kPaletteFileEntries>& paletteFileColours() const { return fileColours_; }
    int paletteFileCount() const { return fileCount_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showStandardColours();
    void showImageColours();
    // The image palette of a 32-bit image: its own colours (its depth stays). False for a grid image.
    bool showTrueColourColours();
    void showPaletteFileColours();
    // Shows the scroll bar for a palette of `length` entries (hidden up to 32), at its first page.
    void setUpScroll(int length);
    // Runs frmPLTOPN for the palette image and takes what it hands back.
    void runPaletteDialog(bool again);
    void setUserColour(int index, colourRGB colour);

    EditPanel& panel_;
    std::array<QRadioButton*, 3> optClrChg_{};
    std::array<ColourLabel*, kLabels> lCList_{};
    QScrollBar* vsClrChg_ = nullptr;
    int option_ = 0;
    int paletteImage_ = 0;
    std::array<colourRGB, kPaletteFileEntries> fileColours_{};
    int fileCount_ = 0;
};

} // namespace vantle::ui
