// Opening and appending the icons of a program or library: the file's icon groups are drawn at 32 x 32,
// the icon chooser shows them, and the chosen ones become 32 x 32 images at the end of the document.

#include "app/ChoiceDialog.h"
#include "app/ImageListPanel.h"
#include "app/MainWindow.h"
#include "app/WindowText.h"
#include "model/BinaryFile.h"
#include "model/CursorFiles.h"
#include "model/Messages.h"
#include "model/ProgramIcons.h"
#include "model/TrueColourDocument.h"

namespace vantle::ui {

bool frmICON::addProgramIcons(const std::string& path, FileLoadMode& mode) {
    const auto file = openProgramIcons(path, platform_);
    if (!file)
        return false;
    if (file->iconCount() == 0) {
        platform_.showMessage(kNoIconsInProgram, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    std::vector<ProgramIconPicture> pictures;
    platform_.setBusy(true);
    pictures.reserve(static_cast<std::size_t>(file->iconCount()));
    for (int i = 0; i < file->iconCount(); ++i)
        pictures.push_back(file->draw(i));
    platform_.setBusy(false);

    ChoiceDialog frmCHOICE(pictures, path, this);
    frmCHOICE.exec();
    const IconChoice& choice = frmCHOICE.choice();
    // Cancel gives -1 and the close box 0: only a confirmed choice adds icons.
    const int listed = choice.result();
    bool added = false;
    // With the true-colour setting on, a chosen group comes in whole: every size with its alpha.
    std::vector<std::uint8_t> bytes;
    if (settings_.trueColour && !readWholeFile(path, bytes)) {
        platform_.showMessage(kCannotOpen, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    for (int i = 0; i < listed; ++i) {
        if (!choice.chosen(i))
            continue;
        if (settings_.trueColour) {
            CursorReadReport report;
            const auto group = readProgramIconGroup(bytes, i, report);
            if (!group)
                continue;
            if (mode == FileLoadMode::Open) {
                ResetDocument();
                mode = FileLoadMode::OpenAfterReset;
            }
            ReadContext context{platform_, settings_.markers};
            if (!appendCursor(document_, *group, context))
                break;
            state_.modified = true;
            added = true;
            continue;
        }
        if (!growForNewImage())
            break;
        if (mode == FileLoadMode::Open) {
            ResetDocument();
            mode = FileLoadMode::OpenAfterReset;
        }
        imageFromProgramIcon(document_.images[static_cast<std::size_t>(document_.imageCount)],
                             pictures[static_cast<std::size_t>(i)], settings_.markers);
        ++document_.imageCount;
        state_.modified = true;
        added = true;
    }
    return added;
}

} // namespace vantle::ui
