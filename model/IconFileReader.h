#pragma once
// Reading icon (.ico) and cursor (.cur) files, and the icon resources inside animated cursor frames.

#include "model/BinaryFile.h"
#include "model/IconDocument.h"
#include "platform/Platform.h"

namespace vantle {

// What a read left out of a file. The document cannot hold everything a file may carry (images larger
// than 48 x 48, several sizes of one animation frame); a file read in part must never be saved over
// without asking.
struct ReadReport {
    int entriesTooLarge = 0; // images larger than 48 x 48, skipped
    int entriesDamaged = 0;  // images that could not be decoded
    int entriesNotTaken = 0; // further sizes of an animation frame beside the one the animation shows
    int framesDropped = 0;   // animation frames that gave no image
    int stepsDropped = 0;    // animation steps whose frame gave no image or does not exist
    int imagesAlphaCut = 0;  // images whose soft alpha (1 to 254) became on/off transparency
    bool cutShort = false;   // the file ends before what its headers declare
    int partsLeftOut = 0;    // true-colour reads: what the lossless reader could not take

    bool readInPart() const {
        return entriesTooLarge > 0 || entriesDamaged > 0 || entriesNotTaken > 0 || framesDropped > 0 ||
               stepsDropped > 0 || imagesAlphaCut > 0 || cutShort || partsLeftOut > 0;
    }
};

struct ReadContext {
    MessageSink& messages;
    MarkerColours markers;
    ReadReport report{}; // what the last file read through this context left out
};

enum class ReadOutcome {
    NotOpened, // nothing read, nothing shown
    Complete,  // the whole file was read
    Partial,   // the file was read in part (see the report); the messages for what was left out were shown
    Stopped,   // reading stopped after a message; what was read before stays in the document
};

// Appends every image of an icon or cursor file to the document.
ReadOutcome readIconFile(IconDocument& document, const std::string& path, ReadContext& context);

// Appends the images of one icon resource that starts at the reader's position. Image offsets in the
// directory count from that position. Entries larger than 48 x 48 and entries that cannot be decoded are
// skipped; what was skipped, and a resource cut short, is said once in messages at the end. Soft alpha
// cut to on/off transparency makes the read partial without a message. On return the reader lies after
// the last byte read.
ReadOutcome readIconResource(IconDocument& document, ByteReader& reader, ReadContext& context);

// Appends the one image of an icon resource (an animated cursor's frame) that the animation shows: the
// entry nearest 32 x 32 within 48 x 48, of equal distance the deeper one. Shows no message; what was
// left out goes into the report. False when the frame gave no image.
bool readFrameImage(IconDocument& document, std::span<const std::uint8_t> frame, ReadContext& context);

// Shows, once each, the messages for what the report holds: the size message, the damaged message and
// the cut-short message. Returns Partial when the file was read in part, Complete otherwise.
ReadOutcome reportReadProblems(ReadContext& context);

} // namespace vantle
