#pragma once
// Reading icon (.ico) and cursor (.cur) files, and the icon resources inside animated cursor frames.

#include "model/BinaryFile.h"
#include "model/IconDocument.h"
#include "platform/Platform.h"

namespace vantle {

struct ReadContext {
    MessageSink& messages;
    MarkerColours markers;
    PictureService* pictures = nullptr; // decodes PNG entries; without it they are refused
};

enum class ReadOutcome {
    NotOpened, // nothing read, nothing shown
    Complete,  // the whole file was read
    Stopped,   // reading stopped after a message; what was read before stays in the document
};

// Appends every image of an icon or cursor file to the document.
ReadOutcome readIconFile(IconDocument& document, const std::string& path, ReadContext& context);

// Appends the images of one icon resource that starts at the reader's position. Image offsets in the
// directory count from that position. On return the reader lies after the last byte read.
ReadOutcome readIconResource(IconDocument& document, ByteReader& reader, ReadContext& context);

} // namespace vantle
