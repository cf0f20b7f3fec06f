#pragma once
// A scripted platform for widget tests: records every message, dialog request, clipboard picture, help
// request and busy call, and answers from scripts. Pictures are decoded for real with QtPictureService.
// Settings live in memory (FakeSettingsStore), with switches to make the store fail.

#include "platform/Platform.h"
#include "platform/qt/QtPictureService.h"

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vantle::test {

struct ShownMessage {
    std::string text;
    MessageButtons buttons;
    MessageIcon icon;
    // The default button of a question asked with one (askQuestion); nothing for showMessage.
    std::optional<MessageAnswer> defaultAnswer;
};

// The registry stand-in in memory: keys holding named string values.
class FakeSettingsStore : public SettingsStore {
  public:
    bool keyExists(std::string_view key) override { return keys.contains(std::string(key)); }

    bool createKey(std::string_view key) override {
        if (failCreateKey)
            return false;
        keys.try_emplace(std::string(key));
        return true;
    }

    std::optional<std::string> readString(std::string_view key, std::string_view name) override {
        const auto found = keys.find(std::string(key));
        if (found == keys.end())
            return std::nullopt;
        const auto value = found->second.find(std::string(name));
        if (value == found->second.end())
            return std::nullopt;
        return value->second;
    }

    bool writeString(std::string_view key, std::string_view name, std::string_view value) override {
        const auto found = keys.find(std::string(key));
        if (found == keys.end() || failWritesOf.contains(std::string(name)))
            return false;
        found->second[std::string(name)] = std::string(value);
        return true;
    }

    void removeKey(std::string_view key) { keys.erase(std::string(key)); }

    // key -> (value name -> value)
    std::map<std::string, std::map<std::string, std::string>> keys;
    bool failCreateKey = false;
    std::set<std::string> failWritesOf; // value names whose writes fail
};

class FakePlatform : public Platform {
  public:
    // --- Messages ---
    MessageAnswer showMessage(std::string_view text, MessageButtons buttons = MessageButtons::Ok,
                              MessageIcon icon = MessageIcon::None) override {
        messages.push_back({std::string(text), buttons, icon, std::nullopt});
        if (!messageAnswers.empty()) {
            const MessageAnswer answer = messageAnswers.front();
            messageAnswers.pop_front();
            return answer;
        }
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        // A question the test did not expect: noted, and answered the safe way.
        unexpectedQuestions.emplace_back(text);
        return MessageAnswer::Cancel;
    }
    MessageAnswer askQuestion(std::string_view text, MessageButtons buttons,
                              MessageAnswer defaultAnswer) override {
        messages.push_back({std::string(text), buttons, MessageIcon::None, defaultAnswer});
        if (!messageAnswers.empty()) {
            const MessageAnswer answer = messageAnswers.front();
            messageAnswers.pop_front();
            return answer;
        }
        // Not scripted: noted, and answered as Enter would, with the default button.
        unexpectedQuestions.emplace_back(text);
        return defaultAnswer;
    }

    // --- Pictures ---
    std::optional<Picture> decodePicture(std::span<const std::uint8_t> bytes) override {
        return pictures.decodePicture(bytes);
    }
    std::optional<Picture> loadPictureFile(const std::string& path) override {
        pictureFilesLoaded.push_back(path);
        return pictures.loadPictureFile(path);
    }
    std::optional<PictureAnimation> decodeAnimation(std::span<const std::uint8_t> bytes) override {
        return pictures.decodeAnimation(bytes);
    }
    std::optional<PictureAnimation> loadAnimationFile(const std::string& path) override {
        pictureFilesLoaded.push_back(path);
        return pictures.loadAnimationFile(path);
    }
    PictureProblem lastProblem() const override { return pictures.lastProblem(); }

    // --- Dialogs ---
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return next(openAnswers);
    }
    std::optional<std::string> saveFileDialog(FileDialogRequest& request) override {
        saveRequests.push_back(request);
        // The user may choose another filter; unscripted, the proposed one stays.
        if (!saveFilterAnswers.empty()) {
            request.filterIndex = saveFilterAnswers.front();
            saveFilterAnswers.pop_front();
        }
        return next(saveAnswers);
    }
    std::optional<std::string> openPictureDialog(PictureDialogRequest& request) override {
        pictureDialogRequests.push_back(request);
        if (pictureDialogFolder) {
            request.folder = *pictureDialogFolder;
            request.drive.assign(1, '/');
        }
        return next(pictureDialogAnswers);
    }
    std::optional<std::int32_t> chooseColour() override {
        ++colourRequests;
        return next(colourAnswers);
    }

    // --- Clipboard ---
    void putPictureOnClipboard(const Picture& picture) override {
        clipboardPuts.push_back(picture);
        clipboard = picture;
    }
    std::optional<Picture> pictureFromClipboard() override {
        ++clipboardReads;
        return clipboard;
    }
    std::optional<std::uint32_t> chooseColourWithOpacity(std::uint32_t argb) override {
        opacityColourStarts.push_back(argb);
        return next(opacityColourAnswers);
    }
    void putAlphaPictureOnClipboard(const Picture& picture) override {
        alphaClipboardPuts.push_back(picture);
        clipboard = picture;
        clipboardOwn = true;
    }
    bool clipboardIsOwn() override { return clipboardOwn; }

    // --- Help, busy pointer, settings ---
    void showHelp(const std::string& helpFile) override { helpRequests.push_back(helpFile); }
    void setBusy(bool busy) override {
        busyCalls.push_back(busy);
        busyDepth += busy ? 1 : (busyDepth > 0 ? -1 : 0);
    }
    SettingsStore& settingsStore() override { return settings; }

    // Scripts (answers are taken from the front; an empty script answers "cancelled").
    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<int> saveFilterAnswers; // the filter index each save dialog closes with
    std::deque<std::optional<std::int32_t>> colourAnswers;
    std::deque<std::optional<std::uint32_t>> opacityColourAnswers;
    std::vector<std::uint32_t> opacityColourStarts;
    std::deque<std::optional<std::string>> pictureDialogAnswers;
    // When set, the picture dialog reports that it was left on this folder.
    std::optional<std::string> pictureDialogFolder;

    // Records.
    std::vector<ShownMessage> messages;
    std::vector<std::string> unexpectedQuestions;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<PictureDialogRequest> pictureDialogRequests;
    int colourRequests = 0;
    std::vector<Picture> clipboardPuts;
    int clipboardReads = 0;
    std::vector<Picture> alphaClipboardPuts;
    std::vector<std::string> pictureFilesLoaded;
    std::vector<std::string> helpRequests;
    std::vector<bool> busyCalls;
    int busyDepth = 0;

    // What the clipboard holds (a test may put a picture there).
    std::optional<Picture> clipboard;
    bool clipboardOwn = false; // what the clipboard holds came from the program's alpha copy
    FakeSettingsStore settings;
    QtPictureService pictures;

  private:
    template <typename T> static std::optional<T> next(std::deque<std::optional<T>>& script) {
        if (script.empty())
            return std::nullopt;
        std::optional<T> answer = std::move(script.front());
        script.pop_front();
        return answer;
    }
};

} // namespace vantle::test
