#include "app/TrueColourPictureDialog.h"

#include "app/MainWindow.h"
#include "app/PicturePanel.h"
#include "app/PictureText.h"
#include "app/QtText.h"
#include "app/TrueColourPicture.h"
#include "import/TrueColourPreview.h"
#include "platform/qt/WidgetSetup.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>

#include <algorithm>

namespace vantle::ui {

namespace {

constexpr int kGap = 8;
constexpr int kDefaultSizes[] = {32, 48, 64, 96};

} // namespace

TrueColourPictureDialog::TrueColourPictureDialog(PicturePanel& panel, frmICON& window, QWidget* parent)
    : QDialog(parent), panel_(panel), window_(window) {
    setWindowTitle(qs(kTrueColourPictureTitle));
    setFixedSize(660, 372);
    placed<QLabel>(this, "lTcSizes", {10, 10, 90, 20}, qs(kTrueColourPictureSizes));
    for (std::size_t i = 0; i < kTrueColourPreviewSizes.size(); ++i) {
        const int size = kTrueColourPreviewSizes[i];
        sizes_[i] = placed<QCheckBox>(this, QString("chkTc_%1").arg(size),
                                      {100 + static_cast<int>(i) * 62, 10, 60, 20}, QString::number(size));
        sizes_[i]->setChecked(std::find(std::begin(kDefaultSizes), std::end(kDefaultSizes), size) !=
                              std::end(kDefaultSizes));
        connect(sizes_[i], &QCheckBox::toggled, this, [this] { refresh(); });
    }
    auto* scroll = placed<QScrollArea>(this, "scTcPreview", {10, 38, 640, 284});
    preview_ = makeChild<QLabel>(scroll, "iTcPreview");
    preview_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll->setWidget(preview_);
    add_ = placedButton(this, "cmdTcAdd", {390, 332, 150, 30}, qs(kTrueColourPictureAdd),
                        qs(kTrueColourPictureAddTip));
    connect(add_, &QPushButton::clicked, this, [this] { cmdTcAdd_Click(); });
    QPushButton* close =
        placedButton(this, "cmdTcClose", {550, 332, 100, 30}, qs(kTrueColourPictureClose), {});
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    refresh();
}

std::vector<int> TrueColourPictureDialog::chosenSizes() const {
    std::vector<int> chosen;
    for (std::size_t i = 0; i < sizes_.size(); ++i)
        if (sizes_[i]->isChecked())
            chosen.push_back(kTrueColourPreviewSizes[i]);
    return chosen;
}

void TrueColourPictureDialog::refresh() {
    images_.clear();
    const Picture& picture = panel_.picture();
    if (!picture.empty())
        for (int size : chosenSizes())
            images_.push_back(trueColourPreview(picture, panel_.previewArea(), size));
    add_->setEnabled(!images_.empty());
    // Every size at real size over a checkerboard, side by side from the smallest.
    int width = kGap;
    int height = 1;
    for (const CursorImage& image : images_) {
        width += image.width + kGap;
        height = std::max(height, image.height);
    }
    QImage strip(width, height + 2 * kGap, QImage::Format_RGB32);
    strip.fill(palette().color(QPalette::Window));
    QPainter painter(&strip);
    int x = kGap;
    for (const CursorImage& image : images_) {
        painter.drawImage(x, kGap, thumbnailOfImage(image, image.width));
        x += image.width + kGap;
    }
    painter.end();
    preview_->setPixmap(QPixmap::fromImage(strip));
    preview_->resize(strip.size());
}

void TrueColourPictureDialog::cmdTcAdd_Click() {
    if (images_.empty())
        return;
    window_.addTrueColourFrame(images_);
}

} // namespace vantle::ui
