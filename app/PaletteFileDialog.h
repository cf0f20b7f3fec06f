#pragma once
// frmPLTOPN, the palette-file dialog: browses palette files with a preview of their colours, and hands a
// file's colours to the palette panel (Open), inserts them as a 16 x 16 image behind the palette image
// (Edit), or saves the palette image's colour table as a palette file (Save).

#include "model/PaletteFile.h"

#include <QDialog>

#include <array>
#include <string>

class QGroupBox;
class QPushButton;

namespace vantle {
class FileBrowserWidget;
}

namespace vantle::ui {

class PictureBoxWidget;
class frmICON;

// What the dialog hands back. Neither flag is set by Cancel or the close box.
struct PaletteDialogResult {
    bool loaded = false;  // Open: colours and count are the file's
    bool applied = false; // Edit: the image behind the palette image was filled (imageCount not yet raised)
    std::array<colourRGB, kPaletteFileEntries> colours{};
    int count = 0;
};

class frmPLTOPN : public QDialog {
    Q_OBJECT
  public:
    // The preview: 80 x 80 units of 2 pixels each.
    static constexpr int kPreviewUnit = 2;
    static constexpr int kPreviewSize = 80 * kPreviewUnit;

    // paletteImage is the image Edit inserts behind and Save takes the colours of.
    frmPLTOPN(frmICON& window, int paletteImage);
    ~frmPLTOPN() override;

    const PaletteDialogResult& outcome() const { return outcome_; }
    FileBrowserWidget& browser() { return *browser_; }

    void filList_Click(const std::string& path);
    void cmdOk_Click();
    void cmdEditIn_Click();
    void cmdSave_Click();
    void cmdCn_Click();

  private:
    void drawPreview();

    frmICON& window_;
    int paletteImage_;
    PaletteFileColours table_;
    PaletteDialogResult outcome_;

    FileBrowserWidget* browser_ = nullptr;
    QGroupBox* fPre_ = nullptr;
    PictureBoxWidget* pPre_ = nullptr;
    QPushButton* cmdOk_ = nullptr;
    QPushButton* cmdEditIn_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QPushButton* cmdCn_ = nullptr;
};

} // namespace vantle::ui
