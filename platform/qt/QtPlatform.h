#pragma once
// The platform on Qt Widgets: message boxes, open, save and colour dialogs, the clipboard, the hourglass
// pointer, the help window, the settings store and picture decoding.

#include "platform/Platform.h"
#include "platform/qt/QtPictureService.h"
#include "platform/qt/QtSettingsStore.h"

#include <QPointer>
#include <QWidget>

#include <memory>

namespace vantle {

class HelpWindow;

class QtPlatform : public Platform {
  public:
    explicit QtPlatform(QWidget* parentWindow = nullptr);
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // The window the dialogs and message boxes are shown over.
    void setParentWindow(QWidget* parentWindow) { parentWindow_ = parentWindow; }
    QWidget* parentWindow() const { return parentWindow_; }

    MessageAnswer showMessage(std::string_view text, MessageButtons buttons = MessageButtons::Ok,
                              MessageIcon icon = MessageIcon::None) override;
    MessageAnswer askQuestion(std::string_view text, MessageButtons buttons,
                              MessageAnswer defaultAnswer) override;
    std::optional<Picture> decodePicture(std::span<const std::uint8_t> bytes) override;
    std::optional<Picture> loadPictureFile(const std::string& path) override;
    std::optional<PictureAnimation> decodeAnimation(std::span<const std::uint8_t> bytes) override {
        return pictures_.decodeAnimation(bytes);
    }
    std::optional<PictureAnimation> loadAnimationFile(const std::string& path) override {
        return pictures_.loadAnimationFile(path);
    }
    PictureProblem lastProblem() const override { return pictures_.lastProblem(); }
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(FileDialogRequest& request) override;
    std::optional<std::string> openPictureDialog(PictureDialogRequest& request) override;
    std::optional<std::int32_t> chooseColour() override;
    void putPictureOnClipboard(const Picture& picture) override;
    std::optional<Picture> pictureFromClipboard() override;
    std::optional<std::uint32_t> chooseColourWithOpacity(std::uint32_t argb) override;
    void putAlphaPictureOnClipboard(const Picture& picture) override;
    bool clipboardIsOwn() override;
    void showHelp(const std::string& helpFile) override;
    void setBusy(bool busy) override;
    SettingsStore& settingsStore() override { return settings_; }

    // The help window once shown (it stays until the platform ends), else null.
    HelpWindow* helpWindow() const { return helpWindow_.get(); }
    // How many setBusy(true) are still waiting for their setBusy(false).
    int busyDepth() const { return busyDepth_; }

  private:
    QPointer<QWidget> parentWindow_;
    QtPictureService pictures_;
    QtSettingsStore settings_;
    std::unique_ptr<HelpWindow> helpWindow_;
    int busyDepth_ = 0;
};

} // namespace vantle
