#pragma once
// The deleted-image bin, panel frame fTabS(3): the latest 20 images that left the document, each of which
// can be put back as a new image or over the selected image.

#include <QGroupBox>
#include <QImage>

#include <array>

class QFrame;
class QPushButton;

namespace vantle::ui {

class frmICON;
class PictureBoxWidget;

class BinPanel : public QGroupBox {
    Q_OBJECT
  public:
    static constexpr int kEntries = 20;

    BinPanel(frmICON& window, QWidget* parent);

    // Puts a picture in as the newest entry; the oldest of 20 falls out.
    void PutIntoBin(const QImage& picture);
    int entriesInUse() const;
    // The picture of entry index (0 is the newest).
    QImage entry(int index) const;

    void cmdDelList_Click();
    void iDel_Click(int index);
    void cmdDIn_Click();
    void cmdDUp_Click();
    void cmdCl_Click();

  private:
    void placeEntry(int index);

    frmICON& window_;
    QWidget* fDelList_ = nullptr;
    std::array<PictureBoxWidget*, kEntries> iDel_{};
    std::array<bool, kEntries> inUse_{};
    QFrame* spDelW_ = nullptr;
    QPushButton* cmdDIn_ = nullptr;
    QPushButton* cmdDUp_ = nullptr;
    QPushButton* cmdCl_ = nullptr;
    int chosen_ = -1;
};

} // namespace vantle::ui
