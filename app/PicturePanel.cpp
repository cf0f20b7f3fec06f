#include "app/PicturePanel.h"

#include "app/MainWindow.h"
#include "app/PictureBoxWidget.h"

#include <QLabel>

namespace vantle::ui {

PicturePanel::PicturePanel(frmICON& window, QWidget* parent) : QFrame(parent), window_(window) {
    setObjectName("fTabS_2");
    iBmpP_ = new PictureBoxWidget(this);
    iBmpP_->setObjectName("iBmpP");
    iBmpP_->setStretch(true);
    iBmpP_->hide();
    caption_ = new QLabel(this);
    caption_->setObjectName("lPicName");
    caption_->setGeometry(10, 8, 520, 20);
}

void PicturePanel::clearPicture() {
    iBmpP_->hide();
    picture_ = QImage();
    caption_->clear();
}

void PicturePanel::showPicture(const QImage& picture, const QString& fileName) {
    picture_ = picture;
    iBmpP_->setPicture(picture);
    caption_->setText(
        QStringLiteral("%1  (%2 x %3)").arg(fileName).arg(picture.width()).arg(picture.height()));
    layoutPanel();
    iBmpP_->show();
}

void PicturePanel::layoutPanel() {
    if (picture_.isNull())
        return;
    // The whole picture fits into the panel, never enlarged beyond its own size.
    const QRect area(10, 34, width() - 20, height() - 44);
    QSize size = picture_.size();
    if (size.width() > area.width() || size.height() > area.height())
        size.scale(area.size(), Qt::KeepAspectRatio);
    iBmpP_->setGeometry(area.left() + (area.width() - size.width()) / 2, area.top(), size.width(),
                        size.height());
}

} // namespace vantle::ui
