#pragma once
// What the program needs of the window system, as plain C++ interfaces. platform/qt/ implements them with
// Qt; the tests have a scripted fake that records every message and answers every question.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantle {

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageIcon { None, Error };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// Message boxes, always titled "Vantle". Readers and writers report through this and nothing else.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual MessageAnswer showMessage(std::string_view text, MessageButtons buttons = MessageButtons::Ok,
                                      MessageIcon icon = MessageIcon::None) = 0;
};

// A decoded picture: width x height pixels, rows from the top, each 0xAARRGGBB.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;

    std::uint32_t at(int x, int y) const { return argb[static_cast<std::size_t>(y * width + x)]; }
    bool empty() const { return width <= 0 || height <= 0; }
};

// The frames of an animated picture (an animated GIF), each with its delay in milliseconds. A still
// picture gives one frame.
struct PictureAnimation {
    std::vector<Picture> frames;
    std::vector<int> delaysMs;
};

// Why the last decode gave nothing. DecoderMissing: the decoder itself could not be loaded.
enum class PictureProblem { Unreadable, TooLarge, TooManyFrames, DecoderMissing };

// Decoding of picture files (BMP, JPEG, GIF, PNG) into pixels.
class PictureService {
  public:
    virtual ~PictureService() = default;
    virtual std::optional<Picture> decodePicture(std::span<const std::uint8_t> bytes) = 0;
    virtual std::optional<Picture> loadPictureFile(const std::string& path) = 0;
    // Every frame of an animated picture; a still picture gives one frame with delay 0.
    virtual std::optional<PictureAnimation> decodeAnimation(std::span<const std::uint8_t> bytes) {
        return stillAnimation(decodePicture(bytes));
    }
    virtual std::optional<PictureAnimation> loadAnimationFile(const std::string& path) {
        return stillAnimation(loadPictureFile(path));
    }
    // After a decode that gave nothing: why.
    virtual PictureProblem lastProblem() const { return PictureProblem::Unreadable; }

  protected:
    static std::optional<PictureAnimation> stillAnimation(std::optional<Picture> picture) {
        if (!picture)
            return std::nullopt;
        PictureAnimation animation;
        animation.frames.push_back(std::move(*picture));
        animation.delaysMs.push_back(0);
        return animation;
    }
};

// A per-user store of string values grouped under a key path (the registry stand-in).
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual bool keyExists(std::string_view key) = 0;
    virtual bool createKey(std::string_view key) = 0;
    virtual std::optional<std::string> readString(std::string_view key, std::string_view name) = 0;
    virtual bool writeString(std::string_view key, std::string_view name, std::string_view value) = 0;
};

// An open or save dialog. The filter is in the form "description|patterns|description|patterns", the
// filter index counts from 1. A save dialog gives back in filterIndex the filter the user left chosen.
struct FileDialogRequest {
    std::string filter;
    int filterIndex = 1;
    std::string initialFolder;
    std::string initialName;
};

// The picture-file dialog with drive, folder and file lists and a preview. drive and folder come in as
// stored and go back as the dialog left them (also when cancelled); startFolder is the fallback for a
// stored drive or folder that no longer exists; windowTop is the top of the main window in pixels.
struct PictureDialogRequest {
    std::string drive;
    std::string folder;
    std::string startFolder;
    int windowTop = 0;
};

class Platform : public MessageSink, public PictureService {
  public:
    // A question without icon, titled "Vantle", whose default button (the one Enter presses) is the one of
    // defaultAnswer: for questions whose safe answer is not Yes.
    virtual MessageAnswer askQuestion(std::string_view text, MessageButtons buttons,
                                      MessageAnswer defaultAnswer) = 0;
    // The chosen picture file, nothing when cancelled.
    virtual std::optional<std::string> openPictureDialog(PictureDialogRequest& request) = 0;
    virtual std::optional<std::string> openFileDialog(const FileDialogRequest& request) = 0;
    // request.filterIndex comes in as proposed and goes back as the filter chosen when the dialog closed.
    virtual std::optional<std::string> saveFileDialog(FileDialogRequest& request) = 0;
    // The system colour chooser with no preset colour; nothing when cancelled. Colours are colourRGB.
    virtual std::optional<std::int32_t> chooseColour() = 0;
    virtual void putPictureOnClipboard(const Picture& picture) = 0;
    // The clipboard's picture with its alpha (a PNG when one is there); nothing when it holds none.
    virtual std::optional<Picture> pictureFromClipboard() = 0;
    // The chooser with an opacity as well, starting on argb (0xAARRGGBB, straight alpha); nothing when
    // cancelled.
    virtual std::optional<std::uint32_t> chooseColourWithOpacity(std::uint32_t argb) = 0;
    // A picture with its alpha onto the clipboard: as a PNG ("image/png") for programs that take alpha and
    // as the bitmap the others take.
    virtual void putAlphaPictureOnClipboard(const Picture& picture) = 0;
    // Whether the clipboard still holds what this program last put there.
    virtual bool clipboardIsOwn() = 0;
    // The help window on the help document, with contents and search.
    virtual void showHelp(const std::string& helpFile) = 0;
    // The hourglass pointer while a long command runs.
    virtual void setBusy(bool busy) = 0;
    virtual SettingsStore& settingsStore() = 0;
};

} // namespace vantle
