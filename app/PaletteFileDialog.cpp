#include "app/PaletteFileDialog.h"

#include "app/MainWindow.h"
#include "app/PaletteFileText.h"
#include "app/PictureBoxWidget.h"
#include "app/QtColours.h"
#include "app/QtText.h"
#include "app/WindowText.h"
#include "model/FileKinds.h"
#include "model/ImageOps.h"
#include "platform/qt/FileBrowserWidget.h"
#include "platform/qt/WidgetSetup.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace vantle::ui {

namespace {

// 200 twips below the main window's top, at 15 twips a pixel.
constexpr int kTopOffset = 200 / 15;

QPushButton* makeButton(QWidget* parent, const char* name, std::string_view caption, std::string_view tip,
                        int x) {
    return placedButton(parent, name, {x, 232, 126, 28}, qs(caption), qs(tip));
}

} // namespace

frmPLTOPN::frmPLTOPN(frmICON& window, int paletteImage)
    : QDialog(&window), window_(window), paletteImage_(paletteImage) {
    setObjectName("frmPLTOPN");
    setWindowTitle(qs(kPaletteDialogTitle));
    setModal(true);
    setFixedSize(576, 270);
    table_.colours.fill(kWhite);

    browser_ = new FileBrowserWidget(this);
    browser_->setGeometry(8, 8, 368, 216);
    browser_->placeLists(QRect(0, 0, 176, 216), QRect(184, 0, 184, 184), QRect(184, 192, 184, 24));
    browser_->setPatterns(qs(kPaletteFilePatterns));
    browser_->setFolder(QString::fromStdString(window.state().startFolder));

    fPre_ = placed<QGroupBox>(this, "fPre", {384, 8, 184, 216}, qs(kPalettePreviewFrame));
    pPre_ = makeChild<PictureBoxWidget>(fPre_, "pPre");
    pPre_->resetPicture(kPreviewSize, kPreviewSize, kWhite);
    pPre_->move((184 - kPreviewSize) / 2, 36);
    pPre_->hide();

    cmdOk_ = makeButton(this, "cmdOk", kPaletteOpen, kPaletteOpenTip, 8);
    cmdEditIn_ = makeButton(this, "cmdEditIn", kPaletteEdit, kPaletteEditTip, 150);
    cmdSave_ = makeButton(this, "cmdSave", kPaletteSave, kPaletteSaveTip, 292);
    cmdCn_ = makeButton(this, "cmdCn", kPaletteCancel, kPaletteCancelTip, 442);
    cmdOk_->setEnabled(false);
    cmdEditIn_->setEnabled(false);
    cmdOk_->setDefault(true);

    connect(cmdOk_, &QPushButton::clicked, this, &frmPLTOPN::cmdOk_Click);
    connect(cmdEditIn_, &QPushButton::clicked, this, &frmPLTOPN::cmdEditIn_Click);
    connect(cmdSave_, &QPushButton::clicked, this, &frmPLTOPN::cmdSave_Click);
    connect(cmdCn_, &QPushButton::clicked, this, &frmPLTOPN::cmdCn_Click);
    connect(browser_, &FileBrowserWidget::fileClicked, this,
            [this](const QString& path) { filList_Click(path.toStdString()); });

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2, window.geometry().top() + kTopOffset);
    }
}

frmPLTOPN::~frmPLTOPN() = default;

void frmPLTOPN::filList_Click(const std::string& path) {
    table_ = readPaletteFile(path);
    if (!table_.ok()) {
        // Nothing usable was read: no preview, and nothing to open or insert.
        pPre_->hide();
        cmdOk_->setEnabled(false);
        cmdEditIn_->setEnabled(false);
        const std::string_view reason =
            table_.status == PaletteReadStatus::NotOpened ? kPaletteCannotOpen : kPaletteNotAPalette;
        window_.platform().showMessage(std::string(reason) + "\r\n" + fileNameOf(path), MessageButtons::Ok,
                                       MessageIcon::Error);
        return;
    }
    drawPreview();
    cmdOk_->setEnabled(true);
    cmdEditIn_->setEnabled(true);
}

void frmPLTOPN::drawPreview() {
    // More than 16 colours: 16 x 16 squares of 5 x 5 units; otherwise 4 x 4 squares of 20 x 20 units.
    const int perRow = table_.count > 16 ? 16 : 4;
    const int side = (table_.count > 16 ? 5 : 20) * kPreviewUnit;
    QImage picture(kPreviewSize, kPreviewSize, QImage::Format_RGB32);
    QPainter painter(&picture);
    for (int n = 0; n < perRow * perRow; ++n)
        painter.fillRect((n % perRow) * side, (n / perRow) * side, side, side,
                         toQColor(table_.colours[static_cast<std::size_t>(n)]));
    painter.end();
    pPre_->setPicture(picture);
    pPre_->show();
}

void frmPLTOPN::cmdOk_Click() {
    if (!table_.ok())
        return;
    // Entries past the count are white, so entries count .. 31 of the panel's colours are too.
    outcome_.colours = table_.colours;
    outcome_.count = table_.count;
    outcome_.loaded = true;
    accept();
}

void frmPLTOPN::cmdEditIn_Click() {
    if (!table_.ok())
        return;
    if (!window_.growForNewImage())
        return;
    IconDocument& d = window_.document();
    moveImagesBack(d, paletteImage_);
    makePaletteImage(d.images[static_cast<std::size_t>(paletteImage_ + 1)], table_);
    outcome_.applied = true;
    accept();
}

void frmPLTOPN::cmdSave_Click() {
    FileDialogRequest request;
    request.filter = std::string(kPaletteSaveFilter);
    request.initialFolder = browser_->folder().toStdString();
    const std::optional<std::string> path = window_.platform().saveFileDialog(request);
    if (!path || path->empty())
        return;
    IconImage& image = window_.document().images[static_cast<std::size_t>(paletteImage_)];
    if (!writePaletteFile(*path, paletteFileEntriesOf(image, window_.markers()))) {
        window_.platform().showMessage(kPaletteSaveFailed, MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    // A file saved into the folder shown appears in the list.
    browser_->refresh();
}

void frmPLTOPN::cmdCn_Click() {
    reject();
}

} // namespace vantle::ui
