#pragma once
// The picture panel, frame fTabS(2): a BMP, JPEG, GIF or clipboard picture at 1:1 in a scrolled viewport,
// a free or square area dragged over it, the whole picture as a thumbnail, and the three previews (32, 16
// and 48 pixels) of the whole picture or the area, one of which becomes a new image or overwrites the
// current one.

#include "import/AreaSelection.h"
#include "import/PictureSampling.h"
#include "platform/Platform.h"

#include <QFrame>
#include <QPointer>

#include <array>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;

namespace vantle::ui {

class frmICON;
class frmPICTURE;
class TrueColourPictureDialog;
class PictureBoxWidget;
class PictureViewWidget;

class PicturePanel : public QFrame {
    Q_OBJECT
  public:
    PicturePanel(frmICON& window, QWidget* parent);
    ~PicturePanel() override;

    // Hides and clears the working picture (a new one is about to be loaded).
    void clearPicture();
    // Puts a picture in: title (file path or the clipboard title), the picture, previews and labels shown.
    // The caller selects tab 3, which lays the panel out.
    void showPicture(const Picture& picture, const std::string& title);
    // The frames of an animated picture shown by showPicture, with their delays in milliseconds: with more
    // than one, cmdBAll adds them all.
    void setFrames(std::vector<Picture> frames, std::vector<int> delaysMs);
    // The picture window hands its picture back.
    void replacePicture(const Picture& picture);
    // Lays the panel out for the picture it holds (tab 3 is shown).
    void layoutPanel();

    // The three previews of an area of a picture; nothing changes for an area of 2 pixels or less.
    void PreviewSelectedArea(const Picture& source, PictureArea area);
    void PreviewWholePicture();

    // --- Handlers ---
    void cmdBNew_Click();
    void cmdBClip_Click();
    void cmdBBig_Click();
    void cmdBIn_Click();
    void cmdBUp_Click();
    void cmdBAll_Click();
    void iBmpP_Click();
    void pBmpP_Click(int index);
    void pBmpW_MouseDown(Qt::MouseButton button, int x, int y, QPoint globalPosition);
    void pBmpW_MouseMove(int x, int y);
    void pBmpW_MouseUp();
    void pBmpW2_MouseDown();
    void hsBmp_Change(int value);
    void vsBmp_Change(int value);
    void M_PAREA_Click();
    void M_PAREA_F_Click();
    void M_PAREA_S_Click();

    const Picture& picture() const { return picture_; }
    // The area the previews were made from: the selected one, or the whole picture.
    PictureArea previewArea() const;
    void cmdBTc_Click();
    const std::string& title() const { return title_; }
    const PreviewSet& previews() const { return previews_; }
    int selectedSize() const { return selectedSize_; }
    AreaMode areaMode() const;
    frmPICTURE* pictureWindow() const;
    bool pictureShown() const;

  private:
    void buildControls();
    void hideSelection();
    void showPreviews(const PreviewSet& previews);
    // Writes the chosen preview into image index; true when it was written.
    void storeChosenPreview(int index);
    void buildFramesButton();
    // The whole picture's frame and the preview frame with its Add and Overwrite buttons.
    void buildPreviewFrames();

    frmICON& window_;
    Picture picture_;
    std::string title_;
    std::vector<Picture> frames_;
    std::vector<int> delaysMs_;
    // How the previews were made: from this area of the picture, or (none) from the whole picture.
    std::optional<PictureArea> previewArea_;
    QPushButton* cmdBAll_ = nullptr;
    PreviewSet previews_;
    AreaSelection selection_;
    int selectedSize_ = -1;

    QWidget* pBmp_ = nullptr;
    PictureViewWidget* pBmpW_ = nullptr;
    QScrollBar* hsBmp_ = nullptr;
    QScrollBar* vsBmp_ = nullptr;
    QLineEdit* tBmp_ = nullptr;
    QGroupBox* fBmpP_ = nullptr;
    PictureBoxWidget* iBmpP_ = nullptr;
    QRect iBmpPRect_;
    QGroupBox* fBmpJpg_ = nullptr;
    std::array<PictureBoxWidget*, 3> pBmpP_{};
    std::array<QLabel*, 3> lWb_{};
    QFrame* spWB_ = nullptr;
    QPushButton* cmdBIn_ = nullptr;
    QPushButton* cmdBUp_ = nullptr;
    QPushButton* cmdBNew_ = nullptr;
    QPushButton* cmdBClip_ = nullptr;
    QPushButton* cmdBBig_ = nullptr;
    QLabel* lTitleBmp_ = nullptr;
    QMenu* M_PAREA_ = nullptr;
    QAction* M_PAREA_F_ = nullptr;
    QAction* M_PAREA_S_ = nullptr;
    QPointer<frmPICTURE> pictureWindow_;
    QPointer<TrueColourPictureDialog> trueColourDialog_;
    QPushButton* cmdBTc_ = nullptr;
};

// The pop-up menu M_PAREA of the panel and the picture window, its items checkable.
QMenu* buildAreaMenu(QWidget* parent, QAction*& freeItem, QAction*& squareItem);

} // namespace vantle::ui
