#include "app/BinPanel.h"

#include "app/ImageListPanel.h"
#include "app/MainWindow.h"
#include "app/PictureBoxWidget.h"
#include "app/QtColours.h"
#include "app/QtText.h"
#include "app/WindowText.h"
#include "model/ColourAnalysis.h"
#include "model/ImageOps.h"
#include "platform/qt/WidgetSetup.h"

#include <QFrame>
#include <QPushButton>

namespace vantle::ui {

namespace {

constexpr int kCell = 56; // each entry sits centred in a 52 x 52 box, five to a row
constexpr int kColumns = 5;

} // namespace

BinPanel::BinPanel(frmICON& window, QWidget* parent) : QGroupBox(qs(kBinFrame), parent), window_(window) {
    setObjectName("fTabS_3");
    auto* list =
        placed<QGroupBox>(this, "fDelList", {12, 28, kColumns * kCell + 24, 4 * kCell + 36}, qs(kBinList));
    fDelList_ = list;
    spDelW_ = makeChild<QFrame>(list, "spDelW");
    spDelW_->setStyleSheet("QFrame#spDelW { border: 2px solid #0000c0; background: transparent; }");
    spDelW_->hide();
    for (int i = 0; i < kEntries; ++i) {
        auto* box = makeChild<PictureBoxWidget>(list, QString("iDel_%1").arg(i));
        box->setCursor(Qt::PointingHandCursor);
        box->hide();
        connect(box, &PictureBoxWidget::clicked, this, [this, i](Qt::MouseButton) { iDel_Click(i); });
        iDel_[static_cast<std::size_t>(i)] = box;
    }
    auto button = [this](const char* name, const QString& caption, std::string_view tip, int y) {
        return placedButton(this, name, {kColumns * kCell + 52, y, 150, 30}, caption, qs(tip));
    };
    cmdDIn_ = button("cmdDIn", QStringLiteral("イメージに追加"), kBinAddTip, 40);
    cmdDUp_ = button("cmdDUp", QStringLiteral("イメージに上書き"), kBinOverTip, 76);
    cmdCl_ = button("cmdCl", QStringLiteral("閉じる"), kBinCloseTip, 130);
    cmdDIn_->setEnabled(false);
    cmdDUp_->setEnabled(false);
    connect(cmdDIn_, &QPushButton::clicked, this, [this] { cmdDIn_Click(); });
    connect(cmdDUp_, &QPushButton::clicked, this, [this] { cmdDUp_Click(); });
    connect(cmdCl_, &QPushButton::clicked, this, [this] { cmdCl_Click(); });
}

void BinPanel::placeEntry(int index) {
    PictureBoxWidget& box = *iDel_[static_cast<std::size_t>(index)];
    const int left = 12 + (index % kColumns) * kCell;
    const int top = 24 + (index / kColumns) * kCell;
    box.move(left + (52 - box.width()) / 2, top + (52 - box.height()) / 2);
    box.show();
}

void BinPanel::PutIntoBin(const QImage& picture) {
    int j = 0;
    while (j < kEntries && inUse_[static_cast<std::size_t>(j)])
        ++j;
    const int last = j < kEntries ? j : kEntries - 1;
    for (int k = last; k >= 1; --k) {
        iDel_[static_cast<std::size_t>(k)]->setPicture(iDel_[static_cast<std::size_t>(k - 1)]->picture());
        placeEntry(k);
    }
    inUse_[static_cast<std::size_t>(last)] = true;
    iDel_[0]->setPicture(picture);
    placeEntry(0);
    // The marker stays on the chosen entry number, whose picture may now have another size.
    if (chosen_ >= 0 && spDelW_->isVisible())
        iDel_Click(chosen_);
    window_.imageList().binButton().setEnabled(true);
}

int BinPanel::entriesInUse() const {
    int n = 0;
    for (bool used : inUse_)
        n += used ? 1 : 0;
    return n;
}

QImage BinPanel::entry(int index) const {
    return iDel_[static_cast<std::size_t>(index)]->picture();
}

void BinPanel::cmdDelList_Click() {
    cmdDUp_->setEnabled(false);
    cmdDIn_->setEnabled(false);
    spDelW_->hide();
    chosen_ = -1;
    window_.bringFrameToFront(3);
}

void BinPanel::iDel_Click(int index) {
    if (!inUse_[static_cast<std::size_t>(index)])
        return;
    const QWidget& box = *iDel_[static_cast<std::size_t>(index)];
    spDelW_->setGeometry(box.x() - 2, box.y() - 2, box.width() + 4, box.height() + 4);
    spDelW_->show();
    spDelW_->lower();
    chosen_ = index;
    cmdDUp_->setEnabled(true);
    cmdDIn_->setEnabled(true);
}

void BinPanel::cmdDIn_Click() {
    if (chosen_ < 0)
        return;
    if (!window_.growForNewImage())
        return;
    IconDocument& d = window_.document();
    window_.setModified();
    window_.CommitEditedImage();
    const QImage picture = entry(chosen_);
    const int n = picture.width();
    const int selected = window_.state().selectedImage;
    moveImagesBack(d, selected);
    IconImage& image = d.images[static_cast<std::size_t>(selected + 1)];
    makeBlankImage(image, n, window_.markers().transparent);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            image.pixels(x, y) = fromQRgb(picture.pixel(x, y));
    image.depth = depthFromCount(countImageColours(image, window_.markers()).count);
    window_.InsertAfterSelected();
}

void BinPanel::cmdDUp_Click() {
    if (chosen_ < 0)
        return;
    WindowState& st = window_.state();
    IconDocument& d = window_.document();
    // The picture goes over the image the selected slot shows, so that slot must be in view.
    window_.imageList().bringSelectedIntoView();
    window_.setModified();
    const QImage picture = entry(chosen_);
    const int n = picture.width();
    IconImage& image = d.images[static_cast<std::size_t>(st.selectedImage)];
    image.full = {}; // a 32-bit image becomes the grid picture
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            image.pixels(x, y) = fromQRgb(picture.pixel(x, y));
    image.width = static_cast<std::int16_t>(n);
    image.height = static_cast<std::int16_t>(n);
    image.depth = depthFromCount(countColours(d, st.selectedImage, window_.markers()));
    window_.DrawImageSlot(st.selectedSlot, st.selectedImage);
    window_.ShowImageInEditor(st.selectedSlot);
}

void BinPanel::cmdCl_Click() {
    window_.bringFrameToFront(window_.selectedTab() - 1);
}

} // namespace vantle::ui
