#include "tool/ToolOutput.h"

#include "model/AniFileWriter.h"
#include "model/IconFileWriter.h"

#include <cstdio>

namespace vantle {

std::string printable(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F || c == '\\') {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

MessageAnswer StreamMessages::showMessage(std::string_view text, MessageButtons, MessageIcon) {
    // A message box's line break becomes a blank: one message, one line.
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            line += ' ';
            ++i;
        } else {
            line += text[i];
        }
    }
    err_ << "vantle-tool: " << line << "\n";
    shown_ = true;
    return MessageAnswer::Ok;
}

int writeDocumentAs(IconDocument& d, const std::string& outPath, FileKind to, StreamMessages& messages,
                    std::ostream& err, std::string_view what, std::string_view why) {
    const MarkerColours markers{};
    const bool written = to == FileKind::AnimatedCursor
                             ? writeAniFile(d, outPath, markers, messages)
                             : writeIconFile(d, outPath, to == FileKind::Icon ? 1 : 2, markers);
    if (!written) {
        if (!messages.shown())
            err << "vantle-tool: " << outPath << ": cannot be written\n";
        return 1;
    }
    if (to != FileKind::AnimatedCursor) {
        int leftOut = 0;
        for (int i = 0; i < d.imageCount; ++i)
            leftOut += d.images[static_cast<std::size_t>(i)].writeFlag ? 0 : 1;
        if (leftOut > 0)
            err << "vantle-tool: " << outPath << ": " << leftOut << " " << what << " left out, " << why
                << "\n";
    }
    return 0;
}

namespace {

std::string sizeText(const std::vector<int>& sizes) {
    std::string text;
    for (int s : sizes)
        text.append(text.empty() ? "" : " ").append(std::to_string(s));
    return text;
}

} // namespace

void printSizesAndFrames(const std::vector<int>& kept, const std::vector<int>& made, int frames, int steps,
                         std::ostream& out) {
    out << "; sizes";
    if (!kept.empty())
        out << " " << sizeText(kept) << " kept";
    if (!made.empty())
        out << (kept.empty() ? " " : ", ") << sizeText(made) << " made";
    out << "; " << frames << (frames == 1 ? " frame" : " frames");
    if (steps > 0)
        out << ", " << steps << (steps == 1 ? " step" : " steps");
}

} // namespace vantle
