#pragma once
// frmCHOICE: the icons of a program or library, eight at a time, from which the user chooses some.

#include "import/IconChoice.h"
#include "model/ProgramIcons.h"

#include <QDialog>
#include <QImage>

#include <array>
#include <string>
#include <vector>

class QLabel;
class QScrollBar;
class QPushButton;

namespace vantle::ui {

class ChoiceSlot;

class ChoiceDialog : public QDialog {
  public:
    // `pictures` holds every icon of the file drawn at 32 x 32; there is at least one.
    ChoiceDialog(const std::vector<ProgramIconPicture>& pictures, const std::string& path,
                 QWidget* mainWindow);

    const IconChoice& choice() const { return choice_; }

    void hscIcon_Change(int value);
    void iIconW_MouseDown(int slot, int shiftState);
    void iIconW_Click(int slot);
    void M_E_A_Click();
    void M_E_I_Click();
    void CmdOk_Click();
    void cmdCn_Click();

    // An icon as the list shows it: drawn over the dialog's background.
    static QImage pictureOf(const ProgramIconPicture& picture, QRgb background);

  private:
    void showSlots();

    IconChoice choice_;
    std::vector<QImage> imgList_;
    std::array<ChoiceSlot*, IconChoice::kSlots> iIconW_{};
    std::array<QLabel*, IconChoice::kSlots> lW_{};
    QLabel* pIcon_ = nullptr;
    QScrollBar* hscIcon_ = nullptr;
    QPushButton* cmdOk_ = nullptr;
    QPushButton* cmdCn_ = nullptr;
};

} // namespace vantle::ui
