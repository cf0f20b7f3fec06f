#pragma once
// The one way from a file to the document: the file's content decides its reader (icon or cursor, animated
// cursor, Xcursor file, program or library), and what the read left out comes back with it.

#include "model/FileKinds.h"
#include "model/IconFileReader.h"

#include <string>

namespace vantle {

struct DocumentLoad {
    FileKind kind = FileKind::Unknown; // what the content is (the extension where it says nothing)
    ReadOutcome outcome = ReadOutcome::NotOpened;
    bool animated = false; // the file gave animation steps: an animated cursor, or an animated Xcursor file
    bool notices = false;  // sizes of an Xcursor file were left out, which is said but is no failure
};

// Whether the loader reads this kind of file.
bool loadable(FileKind kind);

// Appends the images, and an animation's steps, title and author, of the file to the document; messages go
// through the context. A program or library gives every icon group, as the chooser takes them all.
DocumentLoad loadDocumentFile(IconDocument& document, const std::string& path, ReadContext& context);

} // namespace vantle
