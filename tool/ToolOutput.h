#pragma once
// What the tool's commands share on the way out: messages of the readers and writers printed as lines on
// the error stream, and a document written as the file kind its name gives.

#include "model/FileKinds.h"
#include "model/IconDocument.h"
#include "platform/Platform.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vantle {

// Messages the readers and writers would show in a box go to the error stream, one line each.
class StreamMessages : public MessageSink {
  public:
    explicit StreamMessages(std::ostream& err) : err_(err) {}
    MessageAnswer showMessage(std::string_view text, MessageButtons, MessageIcon) override;
    bool shown() const { return shown_; }

  private:
    std::ostream& err_;
    bool shown_ = false;
};

// A text with its control characters (a title may hold zero bytes) written as \xNN, so every line stays one.
std::string printable(const std::string& text);

// Writes `d` to `outPath` as `to` (.ico, .cur or .ani). For icon and cursor files, which hold one image
// per size and depth, says how many images the writer left out, naming them `what` ("image(s)",
// "frame(s)") with `why`. Returns the exit status: 0 written, 1 not written (the reason on `err`).
int writeDocumentAs(IconDocument& d, const std::string& outPath, FileKind to, StreamMessages& messages,
                    std::ostream& err, std::string_view what, std::string_view why);

// The part of a theme or pack report line after a cursor's name: "; sizes 32 kept, 48 96 made; 12 frames,
// 20 steps" (the steps only when the cursor is animated).
void printSizesAndFrames(const std::vector<int>& kept, const std::vector<int>& made, int frames, int steps,
                         std::ostream& out);

} // namespace vantle
