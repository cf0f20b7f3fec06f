// The File menu: the save question, New, Open, open picture file, Append, Save, Save as and Exit, the one
// loading dispatcher LoadDocumentFile, and moving the images an icon file has no room for into the bin.

#include "anim/SequenceEdits.h"
#include "app/BinPanel.h"
#include "app/EditPanel.h"
#include "app/ImageListPanel.h"
#include "app/MainWindow.h"
#include "app/PicturePanel.h"
#include "app/QtColours.h"
#include "app/QtText.h"
#include "app/WindowText.h"
#include "model/AniFileWriter.h"
#include "model/BinaryFile.h"
#include "model/DocumentLoader.h"
#include "model/FileKinds.h"
#include "model/FileSniff.h"
#include "model/IconFileReader.h"
#include "model/IconFileWriter.h"
#include "model/TrueColourDocument.h"
#include "platform/qt/QtPictureService.h"
#include "theme/CursorNames.h"
#include "theme/DocumentExport.h"

#include <QImage>

namespace vantle::ui {

namespace {

bool savable(const std::string& ext) {
    return ext == ".ico" || ext == ".cur" || ext == ".ani";
}

// The extension of a filter of the save dialog: icon, cursor, animated cursor.
std::string extensionOfFilter(int filterIndex) {
    switch (filterIndex) {
    case 2:
        return ".cur";
    case 3:
        return ".ani";
    default:
        return ".ico";
    }
}

// The name Save as proposes: the document's name, but for a document named after a picture or a program
// its base name in the same folder, so that Enter never writes "spin.gif.ico".
std::string proposedSaveName(const std::string& filePath) {
    const FileKind kind = fileKindOf(filePath);
    if (kind != FileKind::Picture && kind != FileKind::Program)
        return filePath;
    const std::string ext = extensionLower(filePath);
    return filePath.substr(0, filePath.size() - ext.size());
}

} // namespace

bool frmICON::askToSave() {
    if (!state_.modified)
        return true;
    const MessageAnswer answer = platform_.showMessage(kSaveQuestion, MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Cancel)
        return false;
    if (answer == MessageAnswer::Yes) {
        CommitEditedImage();
        // The command goes on only when the work is really saved.
        return M_F_NewWrite_Click() == SaveResult::Saved;
    }
    CommitEditedImage();
    state_.modified = false;
    return true;
}

void frmICON::M_F_New_Click() {
    if (!askToSave())
        return;
    document_.filePath.clear();
    setTitle(true);
    ResetDocument();
    CreateFirstImage();
}

void frmICON::M_F_Open_Click() {
    if (!askToSave())
        return;
    LoadDocumentFile(FileLoadMode::Open);
}

void frmICON::M_F_JOpen_Click() {
    if (!askToSave())
        return;
    ResetDocument();
    CreateFirstImage();
    document_.filePath.clear();
    if (!openPictureDialog()) {
        // The document is already the blank one; keeping the old name would let Save write the blank
        // image over that file, so the document is as after New.
        setTitle(true);
    }
}

bool frmICON::openPictureDialog() {
    PictureDialogRequest request;
    request.drive = settings_.jDirDrv;
    request.folder = settings_.jDirPath;
    request.startFolder = state_.startFolder;
    request.windowTop = frameGeometry().top();
    const auto chosen = platform_.openPictureDialog(request);
    settings_.jDirDrv = request.drive;
    settings_.jDirPath = request.folder;
    if (!chosen || chosen->empty())
        return false;
    document_.filePath = *chosen;
    LoadDocumentFile(FileLoadMode::PictureDialog);
    return true;
}

void frmICON::M_F_AppOpen_Click() {
    imageList_->cmdImgApd_Click();
}

void frmICON::M_F_OverWrite_Click() {
    const std::string question = document_.filePath + std::string(kOverwriteQuestionSuffix);
    if (platform_.showMessage(question, MessageButtons::YesNoCancel) != MessageAnswer::Yes)
        return;
    CommitEditedImage();
    if (!confirmOverwriteOfPartlyRead(document_.filePath))
        return;
    if (writeDocument(document_.filePath) == SaveResult::Saved)
        state_.modified = false;
}

bool frmICON::confirmOverwriteOfPartlyRead(const std::string& path) {
    if (!origin_.readInPart(path))
        return true;
    const std::string question = path + std::string(kPartlyReadQuestionSuffix);
    return platform_.askQuestion(question, MessageButtons::YesNo, MessageAnswer::No) == MessageAnswer::Yes;
}

SaveResult frmICON::M_F_NewWrite_Click() {
    CommitEditedImage();
    FileDialogRequest request;
    request.filter = std::string(kSaveFilter);
    request.filterIndex = selectedTab() == 2 ? 3 : 1;
    request.initialFolder = document_.fileFolder;
    request.initialName = proposedSaveName(document_.filePath);
    const auto chosen = platform_.saveFileDialog(request);
    if (!chosen || chosen->empty())
        return SaveResult::Cancelled;
    std::string path = *chosen;
    // A name with one of our extensions says the format; a name without one takes the extension of the
    // filter chosen in the dialog.
    if (!savable(extensionLower(path)))
        path += extensionOfFilter(request.filterIndex);
    if (!confirmOverwriteOfPartlyRead(path))
        return SaveResult::Cancelled;
    const SaveResult result = writeDocument(path);
    if (result != SaveResult::Saved)
        return result;
    document_.filePath = path;
    document_.fileFolder = folderOf(path);
    state_.modified = false;
    setTitle(true);
    return result;
}

// Writes the document as an Xcursor file, for a cursor theme of the desktop. The document keeps its name
// and its modified flag: this is a copy in another format, not a save.
void frmICON::M_F_XcurWrite_Click() {
    CommitEditedImage();
    FileDialogRequest request;
    request.filter = std::string(kXcursorFilter);
    request.initialFolder = document_.fileFolder;
    // Cursor files of a theme carry no extension.
    request.initialName = document_.filePath.empty() ? std::string() : baseNameOf(document_.filePath);
    const auto chosen = platform_.saveFileDialog(request);
    if (!chosen || chosen->empty())
        return;
    // Every size a desktop asks for (24 to 96 besides the document's own), every step at each size.
    if (settings_.trueColour) {
        // The document's own sizes as they are; only the missing ones are made.
        const FileKind kind = document_.stepCount > 0 ? FileKind::AnimatedCursor : FileKind::Cursor;
        const theme::HidpiXcursor x =
            theme::buildHidpiXcursor(cursorOfDocument(document_, kind, settings_.markers));
        if (x.bytes.empty() || !replaceFileContents(*chosen, x.bytes))
            platform_.showMessage(kSaveFailed, MessageButtons::Ok, MessageIcon::Error);
        else if (x.invertedReplaced > 0)
            platform_.showMessage(kXcursorInvertedNote);
        return;
    }
    if (!theme::writeHidpiXcursor(document_, *chosen, settings_.markers)) {
        platform_.showMessage(kSaveFailed, MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    for (int i = 0; i < document_.imageCount; ++i) {
        const IconImage& image = document_.images[static_cast<std::size_t>(i)];
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                if (image.pixels(x, y) == settings_.markers.inverted) {
                    platform_.showMessage(kXcursorInvertedNote);
                    return;
                }
    }
}

void frmICON::M_F_End_Click() {
    if (!askToSave())
        return;
    close();
}

FileKind frmICON::formatToWrite(const std::string& path) const {
    const std::string ext = extensionLower(path);
    const FileKind byName =
        ext == ".ani" ? FileKind::AnimatedCursor : (ext == ".cur" ? FileKind::Cursor : FileKind::Icon);
    const std::optional<FileKind> content = origin_.kindOf(path);
    if (!content)
        return byName;
    // Saving over the file keeps the format it has: an animated cursor named .cur keeps its animation,
    // an icon or cursor named .ani stays one.
    if (*content == FileKind::AnimatedCursor)
        return FileKind::AnimatedCursor;
    if (byName == FileKind::AnimatedCursor && (*content == FileKind::Icon || *content == FileKind::Cursor))
        return *content;
    return byName;
}

SaveResult frmICON::writeDocument(const std::string& path) {
    const FileKind format = formatToWrite(path);
    std::vector<std::uint8_t> bytes;
    if (settings_.trueColour) {
        // The document as it is, nothing reduced.
        bytes = buildTrueColourFile(document_, format, settings_.markers);
    } else if (format == FileKind::AnimatedCursor) {
        auto built = buildAniFile(document_, settings_.markers, platform_);
        // Without a sequence of its own the file got every image once; the document keeps having none, so
        // that images added later still join the animation the next save writes.
        if (!state_.sequenceMade)
            document_.stepCount = 0;
        // The writer may have reduced frames before it gave up; the window shows them as they now are.
        showWriterChanges();
        if (!built)
            return SaveResult::Failed; // the writer has said why
        bytes = std::move(*built);
    } else {
        bytes = buildIconFile(document_, format == FileKind::Cursor ? 2 : 1, settings_.markers);
        showWriterChanges();
    }
    // A save that does not reach the disk leaves the old file as it was and says so.
    if (!replaceFileContents(path, bytes)) {
        platform_.showMessage(kSaveFailed, MessageButtons::Ok, MessageIcon::Error);
        return SaveResult::Failed;
    }
    origin_.written(path, format);
    // A true-colour still file holds every image (an animation's first frame on purpose): none goes to the
    // bin.
    if (format != FileKind::AnimatedCursor && !settings_.trueColour)
        pruneSkippedImages();
    return SaveResult::Saved;
}

void frmICON::showWriterChanges() {
    const IconImage& selected = document_.images[static_cast<std::size_t>(state_.selectedImage)];
    showDepth(selected.depth);
    ImageListPanel& list = *imageList_;
    for (int s = 0; s < std::min(list.slotsInUse, ImageListPanel::kSlots); ++s)
        if (const int image = list.slotMap[static_cast<std::size_t>(s)];
            image >= 0 && image < document_.imageCount)
            list.DrawImageSlot(s, image);
    // Every save commits first, so the canvas held the selected image as stored; a reduction shows.
    EditCanvas& canvas = editPanel_->canvas();
    if (selectedTab() == 1 && canvas.imageIndex() == state_.selectedImage && !canvas.editBufferChanged)
        canvas.reloadFromImage();
    else
        state_.editorRefresh = true;
}

void frmICON::pruneSkippedImages() {
    IconDocument& d = document_;
    bool any = false;
    for (int i = 0; i < d.imageCount; ++i) {
        const IconImage& image = d.images[static_cast<std::size_t>(i)];
        if (image.writeFlag)
            continue;
        QImage picture(image.width, image.height, QImage::Format_RGB32);
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                picture.setPixel(x, y, toQRgb(image.pixels(x, y)));
        bin_->PutIntoBin(picture);
        any = true;
    }
    if (!any)
        return;
    for (int i = d.imageCount - 1; i >= 1; --i) {
        if (d.images[static_cast<std::size_t>(i)].writeFlag)
            continue;
        for (int k = i; k < d.imageCount - 1; ++k)
            d.images[static_cast<std::size_t>(k)].copyPictureFrom(d.images[static_cast<std::size_t>(k + 1)]);
        d.images[static_cast<std::size_t>(d.imageCount - 1)].clearPixels(settings_.markers.transparent);
        --d.imageCount;
        if (state_.sequenceMade)
            removeStepsOfImage(d, i);
    }
    ImageListPanel& list = *imageList_;
    if (d.imageCount < 7)
        list.setScrollQuietly(0, 0, false);
    else
        list.setScrollQuietly(d.imageCount - 6, 0, true);
    list.slotsInUse = std::min<int>(d.imageCount, ImageListPanel::kSlots);
    for (int s = 0; s < ImageListPanel::kSlots; ++s) {
        if (s < list.slotsInUse) {
            list.slotMap[static_cast<std::size_t>(s)] = s;
            list.DrawImageSlot(s, s);
        } else {
            list.hideSlot(s);
        }
    }
    state_.selectedSlot = 0;
    state_.selectedImage = 0;
    ShowImageInEditor(0);
    showPropertyCaption();
    setUndoState(UndoState::None);
    list.updateButtons();
    TbSpIcon_Click(selectedTab());
}

std::optional<std::string> frmICON::pathToLoad(FileLoadMode mode) {
    if (mode != FileLoadMode::Open && mode != FileLoadMode::Append) {
        if (document_.filePath.empty())
            return std::nullopt;
        return document_.filePath;
    }
    FileDialogRequest request;
    request.filter = std::string(kOpenFilter);
    request.filterIndex = 1;
    request.initialFolder = document_.fileFolder;
    const auto chosen = platform_.openFileDialog(request);
    if (!chosen || chosen->empty())
        return std::nullopt;
    document_.filePath = *chosen;
    return chosen;
}

void frmICON::endFailedLoad() {
    // Start-up has already dropped its blank image for the file; it comes back.
    if (document_.imageCount == 0)
        CreateFirstImage();
    imageList_->showMarker();
}

bool frmICON::loadCursorFile(const std::string& path, FileKind kind, FileLoadMode mode) {
    // A file that cannot be read is reported before anything of the current document is lost.
    std::vector<std::uint8_t> probe;
    if (!readWholeFile(path, probe)) {
        platform_.showMessage(kCannotOpen, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    if (mode == FileLoadMode::Open)
        ResetDocument();
    ReadContext context{platform_, settings_.markers};
    // With the true-colour setting on, a file comes in whole: every size of every frame with its alpha.
    const DocumentLoad load = settings_.trueColour ? loadTrueColourFile(document_, path, context)
                                                   : loadDocumentFile(document_, path, context);
    // A file read in part is never saved over without asking; each file keeps the format its content has.
    origin_.remember(path, kind,
                     load.outcome == ReadOutcome::Partial || load.outcome == ReadOutcome::Stopped);
    // An animation (and an animated Xcursor file) comes in as images plus steps.
    if (load.animated) {
        state_.sequenceMade = true;
        state_.editorRefresh = true;
    }
    selectTab(load.animated ? 2 : 1);
    return true;
}

void frmICON::LoadDocumentFile(FileLoadMode mode) {
    const std::optional<std::string> chosen = pathToLoad(mode);
    if (!chosen)
        return;
    const std::string& path = *chosen;
    if (mode != FileLoadMode::PictureDialog)
        document_.fileFolder = folderOf(path);
    imageList_->hideMarker();
    const FileKind kind = fileKindOfFile(path);
    switch (kind) {
    case FileKind::Icon:
    case FileKind::Cursor:
    case FileKind::AnimatedCursor:
    case FileKind::Xcursor:
        if (!loadCursorFile(path, kind, mode))
            return endFailedLoad();
        break;
    case FileKind::Picture:
        showPictureBranch(path, mode);
        if (!state_.pictureLoaded || state_.pictureFileName != path)
            return;
        break;
    case FileKind::Program:
        if (!addProgramIcons(path, mode))
            return endFailedLoad();
        selectTab(1);
        break;
    case FileKind::Unknown:
        platform_.showMessage(kBadExtension, MessageButtons::Ok, MessageIcon::Error);
        return endFailedLoad();
    }
    afterLoad(mode);
}

void frmICON::showPictureBranch(const std::string& path, FileLoadMode mode) {
    if (mode == FileLoadMode::Open || mode == FileLoadMode::CommandLine) {
        ResetDocument();
        CreateFirstImage();
    }
    picturePanel_->clearPicture();
    state_.pictureLoaded = false;
    // A GIF may hold an animation: its frames come along, the first one shown.
    std::optional<PictureAnimation> animation;
    std::optional<Picture> picture;
    const std::string extension = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    if (QString::fromStdString(extension).compare(QStringLiteral(".gif"), Qt::CaseInsensitive) == 0) {
        animation = platform_.loadAnimationFile(path);
        if (animation && !animation->frames.empty())
            picture = animation->frames.front();
    } else {
        picture = platform_.loadPictureFile(path);
    }
    if (!picture || picture->empty()) {
        platform_.showMessage(
            pictureProblemText(picture ? PictureProblem::Unreadable : platform_.lastProblem()),
            MessageButtons::Ok, MessageIcon::Error);
        imageList_->showMarker();
        return;
    }
    state_.pictureFileName = path;
    state_.pictureLoaded = true;
    picturePanel_->showPicture(*picture, path);
    if (animation && animation->frames.size() > 1)
        picturePanel_->setFrames(std::move(animation->frames), std::move(animation->delaysMs));
    selectTab(3);
}

void frmICON::afterLoad(FileLoadMode mode) {
    setTitle(true);
    ImageListPanel& list = *imageList_;
    // A file that held no image we could take leaves the window with one blank image, never with none.
    if (document_.imageCount == 0) {
        state_.selectedImage = 0;
        state_.selectedSlot = 0;
        CreateFirstImage();
    }
    const int count = document_.imageCount;
    int show = count;
    if (count >= 7) {
        list.setScrollQuietly(count - 6, list.scrollValue(), true);
        show = 6;
    }
    for (int s = list.slotsInUse; s < show; ++s) {
        list.slotMap[static_cast<std::size_t>(s)] = s;
        list.DrawImageSlot(s, s);
        ++list.slotsInUse;
    }
    if (mode == FileLoadMode::Open || mode == FileLoadMode::CommandLine ||
        mode == FileLoadMode::OpenAfterReset) {
        ShowImageInEditor(0);
        list.updateButtons();
    }
    showPropertyCaption();
    setUndoState(UndoState::None);
}

} // namespace vantle::ui
