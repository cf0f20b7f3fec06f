#pragma once
// The image frame fImg: six picture slots with a scroll bar and a selection marker, and the buttons that
// insert, copy, append, combine and delete images.

#include "model/Colour.h"

#include <QGroupBox>
#include <QRect>

#include <array>

class QComboBox;
class QFrame;
class QPushButton;
class QScrollBar;

namespace vantle::ui {

class frmICON;
class PictureBoxWidget;

class ImageListPanel : public QGroupBox {
    Q_OBJECT
  public:
    static constexpr int kSlots = 6;
    static constexpr std::array<int, 8> kTrueColourSizes = {16, 24, 32, 48, 64, 96, 128, 256};

    ImageListPanel(frmICON& window, QWidget* parent);

    void DrawImageSlot(int slot, int image);
    // Every slot 32 x 32, cleared, hidden, showing no image.
    void clearSlots();
    void hideSlot(int slot);
    void placeMarker(int slot);
    void hideMarker();
    void showMarker();
    // The one way the program changes vsBerImg: maximum, value (held within the range) and enabled state,
    // never running vsBerImg_Change, which is the user's scrolling and commits the edited image.
    void setScrollQuietly(int maximum, int value, bool enabled);
    // The program scrolls the list to value: the slots show the images from there and the selected slot
    // follows, as on a scroll by the user, but nothing is committed. Only while there are more images
    // than slots.
    void scrollTo(int value);
    // A selected image scrolled out of view is scrolled back into view (the edit tab, and the commands
    // that work on the selected slot).
    void bringSelectedIntoView();
    int scrollValue() const;
    // The list drawn anew for the document as it is, the given image selected and in view.
    void showDocument(int selectedImage);
    // The five buttons by whether the selected image is in view, combine only when an image follows.
    void updateButtons();
    // The sizes cbImgSiz offers: the grid's 16, 32 and 48, or with the true-colour setting on every size
    // from 16 to 256 a cursor commonly holds.
    void offerSizes(bool trueColour);
    // The item of cbImgSiz for an image width; the chosen size, or 0 when none is chosen.
    void showSize(int width);
    int chosenSize() const;
    // The selected slot's picture follows the canvas pixel by pixel.
    void setSlotPixel(int slot, int x, int y, colourRGB colour);
    PictureBoxWidget& slot(int index) { return *pImg_[static_cast<std::size_t>(index)]; }
    const QRect& slotRect(int index) const { return slotRects_[static_cast<std::size_t>(index)]; }
    QPushButton& binButton() { return *cmdDelList_; }

    std::array<int, kSlots> slotMap{};
    int slotsInUse = 0;

    // --- Handlers ---
    void pImg_Click(int slot);
    void vsBerImg_Change(int value);
    void cmdImgNew_Click();
    void cmdImgIn_Click();
    void cmdImgApd_Click();
    void cmdImgUni_Click();
    void cmdImgDel_Click();

  private:
    // Slots 0 to 5 show the images from value on and the selected slot moves with them: the steps of a
    // scroll after the commit.
    void showFrom(int value);
    // The common start of New and Copy: room behind the selected image and the size to make.
    bool prepareInsert(int& selected, int& size);

    frmICON& window_;
    std::array<PictureBoxWidget*, kSlots> pImg_{};
    std::array<QRect, kSlots> slotRects_{};
    QFrame* spSW_ = nullptr;
    QScrollBar* vsBerImg_ = nullptr;
    QPushButton* cmdImgNew_ = nullptr;
    QPushButton* cmdImgIn_ = nullptr;
    QPushButton* cmdImgApd_ = nullptr;
    QPushButton* cmdImgUni_ = nullptr;
    QPushButton* cmdImgDel_ = nullptr;
    QComboBox* cbImgSiz_ = nullptr;
    QPushButton* cmdDelList_ = nullptr;
};

} // namespace vantle::ui
