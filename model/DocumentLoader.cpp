#include "model/DocumentLoader.h"

#include "model/AniFileReader.h"
#include "model/FileSniff.h"
#include "model/Messages.h"
#include "model/ProgramIcons.h"
#include "model/XcursorFileReader.h"

#include <fstream>

namespace vantle {

namespace {

ReadOutcome loadProgram(IconDocument& d, const std::string& path, ReadContext& context) {
    if (!std::ifstream(path, std::ios::binary))
        return ReadOutcome::NotOpened;
    const auto file = openProgramIcons(path, context.messages);
    if (!file)
        return ReadOutcome::Stopped;
    if (file->iconCount() == 0) {
        context.messages.showMessage(text::kNoProgramIcons, MessageButtons::Ok, MessageIcon::Error);
        return ReadOutcome::Stopped;
    }
    for (int i = 0; i < file->iconCount(); ++i) {
        if (!d.growForImage(d.imageCount)) {
            context.messages.showMessage(text::kTooManyImages, MessageButtons::Ok, MessageIcon::Error);
            return ReadOutcome::Stopped;
        }
        imageFromProgramIcon(d.images[static_cast<std::size_t>(d.imageCount)], file->draw(i),
                             context.markers);
        ++d.imageCount;
    }
    return ReadOutcome::Complete;
}

} // namespace

bool loadable(FileKind kind) {
    return kind == FileKind::Icon || kind == FileKind::Cursor || kind == FileKind::AnimatedCursor ||
           kind == FileKind::Xcursor || kind == FileKind::Program;
}

DocumentLoad loadDocumentFile(IconDocument& document, const std::string& path, ReadContext& context) {
    DocumentLoad load;
    load.kind = fileKindOfFile(path);
    switch (load.kind) {
    case FileKind::Icon:
    case FileKind::Cursor:
        load.outcome = readIconFile(document, path, context);
        break;
    case FileKind::AnimatedCursor:
        load.outcome = readAniFile(document, path, context);
        load.animated = true;
        break;
    case FileKind::Xcursor: {
        const XcursorReadResult read = readXcursorFile(document, path, context);
        load.outcome = read.outcome;
        load.animated = read.animated;
        load.notices = !read.sizesSkipped.empty();
        break;
    }
    case FileKind::Program:
        load.outcome = loadProgram(document, path, context);
        break;
    default:
        break;
    }
    return load;
}

} // namespace vantle
