#include "platform/qt/QtPlatform.h"

#include "platform/qt/HelpWindow.h"
#include "platform/qt/PictureOpenDialog.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtMessageBox.h"

#include <QBuffer>
#include <QClipboard>
#include <QColorDialog>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <memory>

namespace vantle {

namespace {

// Clipboard pictures larger than this are refused, as picture files are.
constexpr qint64 kMaxClipboardPixels = 64 * 1024 * 1024;
const QString kPngType = QStringLiteral("image/png");
// Marks what this program put on the clipboard.
const QString kOwnType = QStringLiteral("application/x-vantle-piece");

} // namespace

QtPlatform::QtPlatform(QWidget* parentWindow) : parentWindow_(parentWindow) {}

QtPlatform::~QtPlatform() {
    while (busyDepth_ > 0)
        setBusy(false);
}

MessageAnswer QtPlatform::showMessage(std::string_view text, MessageButtons buttons, MessageIcon icon) {
    return runMessageBox(text, buttons, icon, parentWindow_);
}

MessageAnswer QtPlatform::askQuestion(std::string_view text, MessageButtons buttons,
                                      MessageAnswer defaultAnswer) {
    return runMessageBox(text, buttons, MessageIcon::None, parentWindow_, defaultAnswer);
}

std::optional<Picture> QtPlatform::decodePicture(std::span<const std::uint8_t> bytes) {
    return pictures_.decodePicture(bytes);
}

std::optional<Picture> QtPlatform::loadPictureFile(const std::string& path) {
    return pictures_.loadPictureFile(path);
}

std::optional<std::string> QtPlatform::openFileDialog(const FileDialogRequest& request) {
    const auto dialog = makeFileDialog(request, FileDialogKind::Open, parentWindow_);
    return runFileDialog(*dialog);
}

std::optional<std::string> QtPlatform::saveFileDialog(FileDialogRequest& request) {
    const auto dialog = makeFileDialog(request, FileDialogKind::Save, parentWindow_);
    auto chosen = runFileDialog(*dialog);
    if (chosen) {
        if (const int index = chosenFilterIndex(*dialog); index > 0)
            request.filterIndex = index;
    }
    return chosen;
}

std::optional<std::string> QtPlatform::openPictureDialog(PictureDialogRequest& request) {
    PictureOpenDialog dialog(request, pictures_, parentWindow_);
    dialog.exec();
    if (dialog.chosenPath().isEmpty())
        return std::nullopt;
    return dialog.chosenPath().toStdString();
}

std::optional<std::int32_t> QtPlatform::chooseColour() {
    // No colour of the program is preset: the chooser starts on black.
    QColorDialog dialog(QColor(0, 0, 0), parentWindow_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QColor colour = dialog.selectedColor();
    if (!colour.isValid())
        return std::nullopt;
    return colour.red() + colour.green() * 256 + colour.blue() * 65536;
}

void QtPlatform::putPictureOnClipboard(const Picture& picture) {
    if (picture.empty())
        return;
    // A bitmap has no transparency: every pixel goes over opaque, in the colour it holds.
    Picture opaque = picture;
    for (std::uint32_t& pixel : opaque.argb)
        pixel |= 0xFF000000u;
    QGuiApplication::clipboard()->setImage(imageFromPicture(opaque));
}

std::optional<Picture> QtPlatform::pictureFromClipboard() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr)
        return std::nullopt;
    // A PNG keeps every alpha exactly; the image Qt makes of other forms is the fallback.
    QImage image;
    if (data->hasFormat(kPngType))
        image = QImage::fromData(data->data(kPngType), "PNG");
    if (image.isNull())
        image = QGuiApplication::clipboard()->image();
    if (image.isNull() || static_cast<qint64>(image.width()) * image.height() > kMaxClipboardPixels)
        return std::nullopt;
    return pictureFromImage(image);
}

std::optional<std::uint32_t> QtPlatform::chooseColourWithOpacity(std::uint32_t argb) {
    QColorDialog dialog(QColor::fromRgba(argb), parentWindow_);
    dialog.setOption(QColorDialog::ShowAlphaChannel);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QColor colour = dialog.selectedColor();
    if (!colour.isValid())
        return std::nullopt;
    return colour.rgba();
}

void QtPlatform::putAlphaPictureOnClipboard(const Picture& picture) {
    if (picture.empty())
        return;
    const QImage image = imageFromPicture(picture);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    auto data = std::make_unique<QMimeData>();
    data->setImageData(image); // the bitmap and the other image forms of the window system
    data->setData(kPngType, png);
    data->setData(kOwnType, QByteArray("1"));
    QGuiApplication::clipboard()->setMimeData(data.release()); // the clipboard takes ownership
}

bool QtPlatform::clipboardIsOwn() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasFormat(kOwnType);
}

void QtPlatform::showHelp(const std::string& helpFile) {
    if (!helpWindow_) {
        helpWindow_ = std::make_unique<HelpWindow>();
        // The help window alone must not keep the program running once the main window has closed.
        helpWindow_->setAttribute(Qt::WA_QuitOnClose, false);
    }
    const QString path = QString::fromStdString(helpFile);
    if (helpWindow_->helpFile() != path || helpWindow_->sectionCount() == 0)
        helpWindow_->loadHelpFile(path);
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void QtPlatform::setBusy(bool busy) {
    if (busy) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        ++busyDepth_;
    } else if (busyDepth_ > 0) {
        // Only our own override pointers are taken off; an unmatched call changes nothing.
        QGuiApplication::restoreOverrideCursor();
        --busyDepth_;
    }
}

} // namespace vantle
