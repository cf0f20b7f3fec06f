#pragma once
// The picture panel's 32-bit sizes (true-colour setting on): the area the previews were made from (or the
// whole picture) as 32-bit images of the chosen sizes, made by area averaging with the picture's alpha,
// shown at real size over a checkerboard and added after the selected image as one frame of several sizes.

#include "model/LosslessCursor.h"

#include <QDialog>

#include <array>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;

namespace vantle::ui {

class PicturePanel;
class frmICON;

class TrueColourPictureDialog : public QDialog {
    Q_OBJECT
  public:
    TrueColourPictureDialog(PicturePanel& panel, frmICON& window, QWidget* parent);

    // The images and their pictures anew, from the panel's picture and area.
    void refresh();
    std::vector<int> chosenSizes() const;
    const std::vector<CursorImage>& images() const { return images_; }

    void cmdTcAdd_Click();

  private:
    PicturePanel& panel_;
    frmICON& window_;
    std::array<QCheckBox*, 8> sizes_{};
    QLabel* preview_ = nullptr;
    QPushButton* add_ = nullptr;
    std::vector<CursorImage> images_;
};

} // namespace vantle::ui
