#include "platform/qt/PictureOpenDialog.h"

#include "platform/FileBrowsing.h"
#include "platform/qt/FileBrowserWidget.h"
#include "platform/qt/QtPictureService.h"
#include "platform/qt/WidgetSetup.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace vantle {

namespace {

// 200 twips below the main window's top, at 15 twips a pixel.
constexpr int kTopOffset = 200 / 15;

} // namespace

PictureOpenDialog::PictureOpenDialog(PictureDialogRequest& request, PictureService& pictures, QWidget* parent)
    : QDialog(parent), request_(request), pictures_(pictures) {
    setObjectName("frmFILEOPN");
    setWindowTitle(QString::fromUtf8(kPictureDialogTitle));
    setModal(true);
    setFixedSize(574, 286);

    browser_ = new FileBrowserWidget(this);
    browser_->setGeometry(8, 8, 384, 270);
    browser_->placeLists(QRect(0, 0, 184, 270), QRect(192, 0, 192, 238), QRect(192, 246, 192, 24));
    browser_->setPatterns(
        QString::fromUtf8(kPictureFilePatterns.data(), static_cast<qsizetype>(kPictureFilePatterns.size())));

    fPre_ = placed<QGroupBox>(this, "fPre", {400, 8, 166, 200}, QString::fromUtf8(kPreviewCaption));
    iPre_ = placed<QLabel>(fPre_, "iPre", kPreviewRect);
    iPre_->setScaledContents(true);
    iPre_->hide();
    lSize_ = placed<QLabel>(fPre_, "lSize", {8, 176, 150, 18});
    lSize_->setAlignment(Qt::AlignCenter);
    lSize_->hide();

    cmdOk_ = placedButton(this, "cmdOk", {400, 218, 166, 28}, QString::fromUtf8(kPictureOpenButton),
                          QString::fromUtf8(kPictureOpenTip));
    cmdOk_->setEnabled(false);
    cmdOk_->setDefault(true);
    cmdCn_ = placedButton(this, "cmdCn", {400, 250, 166, 28}, QString::fromUtf8(kPictureCancelButton),
                          QString::fromUtf8(kPictureCancelTip));

    connect(cmdOk_, &QPushButton::clicked, this, &PictureOpenDialog::CmdOk_Click);
    connect(cmdCn_, &QPushButton::clicked, this, &PictureOpenDialog::cmdCn_Click);
    connect(browser_, &FileBrowserWidget::folderChanged, this, &PictureOpenDialog::dirList_Change);
    connect(browser_, &FileBrowserWidget::filePressed, this, &PictureOpenDialog::filList_MouseDown);
    connect(browser_, &FileBrowserWidget::fileClicked, this, &PictureOpenDialog::filList_Click);
    connect(browser_, &FileBrowserWidget::fileActivated, this, [this](const QString& path) {
        // A double click or Enter opens the file when it is the one previewed.
        if (path == previewed_)
            CmdOk_Click();
    });
    Form_Load();
}

void PictureOpenDialog::Form_Load() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2, request_.windowTop + kTopOffset);
    }
    const QString startFolder = QString::fromStdString(request_.startFolder);
    const QString startDrive = QString::fromStdString(driveOfPath(request_.startFolder, browser_->drives()));
    auto fallBack = [&] {
        request_.drive = startDrive.toStdString();
        browser_->setDrive(startDrive);
        request_.folder = request_.startFolder;
        browser_->setFolder(startFolder);
    };
    if (request_.drive.empty() && request_.folder.empty()) {
        // First use: the start folder.
        browser_->setFolder(startFolder);
        return;
    }
    if (!request_.drive.empty() && !browser_->setDrive(QString::fromStdString(request_.drive))) {
        fallBack();
        return;
    }
    if (!request_.folder.empty() && !browser_->setFolder(QString::fromStdString(request_.folder)))
        fallBack();
}

void PictureOpenDialog::dirList_Change() {
    hidePreview();
    // The file previewed is no longer in the list; Open waits for a file of this folder.
    previewed_.clear();
    cmdOk_->setEnabled(false);
}

void PictureOpenDialog::hidePreview() {
    iPre_->hide();
    lSize_->hide();
}

void PictureOpenDialog::filList_MouseDown() {
    hidePreview();
    fPre_->setTitle(QString::fromUtf8(kPreviewBusyCaption));
}

void PictureOpenDialog::filList_Click(const QString& path) {
    hidePreview();
    fPre_->setTitle(QString::fromUtf8(kPreviewBusyCaption));
    fPre_->repaint();
    previewed_.clear();
    const std::optional<Picture> picture = pictures_.loadPictureFile(path.toStdString());
    fPre_->setTitle(QString::fromUtf8(kPreviewCaption));
    if (!picture || picture->empty()) {
        // Not a picture we can read: no preview, and nothing to open.
        cmdOk_->setEnabled(false);
        return;
    }
    previewed_ = path;
    const QSize size(picture->width, picture->height);
    const QRect shown = previewGeometry(kPreviewRect, size);
    // Only the shown size is kept, so a large picture does not stay in memory while the dialog is open.
    iPre_->setPixmap(QPixmap::fromImage(
        imageFromPicture(*picture).scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    iPre_->setGeometry(shown);
    lSize_->setText(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()));
    iPre_->show();
    lSize_->show();
    cmdOk_->setEnabled(true);
}

QRect PictureOpenDialog::previewGeometry(const QRect& rect, QSize size) {
    const int w = size.width();
    const int h = size.height();
    if (w <= 0 || h <= 0)
        return rect;
    if (h >= w) {
        const int width = std::max(1, static_cast<int>(static_cast<std::int64_t>(rect.width()) * w / h));
        return QRect(rect.left() + (rect.width() - width) / 2, rect.top(), width, rect.height());
    }
    const int height = std::max(1, static_cast<int>(static_cast<std::int64_t>(rect.height()) * h / w));
    return QRect(rect.left(), rect.top() + (rect.height() - height) / 2, rect.width(), height);
}

void PictureOpenDialog::CmdOk_Click() {
    if (closed_ || !cmdOk_->isEnabled() || previewed_.isEmpty())
        return;
    if (browser_->selectedFilePath() != previewed_)
        return;
    chosen_ = previewed_;
    accept();
}

void PictureOpenDialog::cmdCn_Click() {
    chosen_.clear();
    reject();
}

void PictureOpenDialog::done(int result) {
    if (!closed_) {
        closed_ = true;
        // Form_Unload: the drive and folder are kept for the next use.
        request_.drive = browser_->drive().toStdString();
        request_.folder = browser_->folder().toStdString();
    }
    QDialog::done(result);
}

} // namespace vantle
