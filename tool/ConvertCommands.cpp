#include "tool/ConvertCommands.h"

#include "tool/ToolOutput.h"

#include "model/BinaryFile.h"
#include "model/CursorFiles.h"
#include "model/FileKinds.h"
#include "model/TextNumber.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace vantle {

namespace {

enum Status { kDone = 0, kFailed = 1, kWrongArguments = 2, kDoneInPart = 3 };

struct Arguments {
    std::string in;
    std::string out;
    std::optional<int> group;
};

// IN OUT [--group N]; nothing when the arguments are not of that form.
std::optional<Arguments> parse(std::span<const std::string> args) {
    Arguments a;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--group" && i + 1 < args.size() && !a.group) {
            a.group = wholeNumber(args[++i], 0, 99999);
            if (!a.group)
                return std::nullopt;
        } else if (args[i].starts_with("--")) {
            return std::nullopt;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2)
        return std::nullopt;
    a.in = files[0];
    a.out = files[1];
    return a;
}

struct Input {
    std::vector<std::uint8_t> bytes;
    CursorFormat format = CursorFormat::Unknown;
    std::optional<LosslessCursor> cursor;
    CursorReadReport report;
};

void printProblems(const std::string& path, const CursorReadReport& report, std::ostream& err) {
    for (const std::string& problem : report.problems)
        err << "vantle-tool: " << path << ": " << problem << "\n";
}

// Reads path whole and finds its format. Returns the status to stop with, nothing to go on.
std::optional<int> openInput(const std::string& path, Input& input, std::ostream& err) {
    if (!readWholeFile(path, input.bytes)) {
        err << "vantle-tool: " << path << ": cannot be opened\n";
        return kFailed;
    }
    input.format = cursorFormatOf(path, input.bytes);
    if (input.format == CursorFormat::Unknown) {
        err << "vantle-tool: " << path << ": not an .ico, .cur, .ani, .exe, .dll or Xcursor file\n";
        return kFailed;
    }
    return std::nullopt;
}

// Reads IN whole through the lossless readers. Returns the status to stop with, nothing to go on.
std::optional<int> readInput(const Arguments& a, Input& input, std::ostream& err) {
    if (const auto stop = openInput(a.in, input, err))
        return stop;
    if (a.group && input.format != CursorFormat::Program) {
        err << "vantle-tool: " << a.in << ": --group is for programs and libraries\n";
        return kWrongArguments;
    }
    input.cursor = input.format == CursorFormat::Program
                       ? readProgramIconGroup(input.bytes, a.group.value_or(0), input.report)
                       : readCursorBytes(input.bytes, input.format, input.report);
    printProblems(a.in, input.report, err);
    if (!input.cursor) {
        err << "vantle-tool: " << a.in << ": not converted\n";
        return kFailed;
    }
    return std::nullopt;
}

int writeOutput(const std::string& path, const std::vector<std::uint8_t>& bytes,
                const CursorWriteReport& notes, const Input& input, std::ostream& err) {
    for (const std::string& note : notes.notes)
        err << "vantle-tool: " << path << ": " << note << "\n";
    if (bytes.empty() || !replaceFileContents(path, bytes)) {
        err << "vantle-tool: " << path << ": cannot be written\n";
        return kFailed;
    }
    return input.report.complete ? kDone : kDoneInPart;
}

std::string alphaText(const CursorImage& image) {
    bool onOff = true;
    bool opaque = true;
    for (std::uint32_t p : image.argb) {
        const std::uint32_t a = p >> 24;
        opaque = opaque && a == 255;
        onOff = onOff && (a == 0 || a == 255);
    }
    return opaque ? "opaque" : onOff ? "on/off" : "partial";
}

std::string storedText(int bits) {
    return bits == 0 ? "PNG or no bit count" : std::to_string(bits) + " bits";
}

std::string decimal(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
}

void printCursor(const LosslessCursor& c, std::ostream& out) {
    out << "frames: " << c.frames.size() << "\n";
    for (std::size_t f = 0; f < c.frames.size(); ++f) {
        const auto& images = c.frames[f].images;
        out << "frame " << f << ": " << images.size() << " image(s)\n";
        for (std::size_t i = 0; i < images.size(); ++i) {
            const CursorImage& image = images[i];
            int inverting = 0;
            for (std::size_t k = 0; k < image.inverted.size(); ++k)
                inverting += image.inverted[k] != 0 && (image.argb[k] >> 24) == 0 ? 1 : 0;
            out << "  image " << i << ": size " << image.width << "x" << image.height << " hotspot "
                << image.hotspotX << "," << image.hotspotY << " stored " << storedText(image.storedBits)
                << " alpha " << alphaText(image) << " inverting " << inverting << "\n";
        }
    }
    if (!c.animated())
        return;
    std::int64_t loop = 0;
    for (const CursorStep& s : c.steps)
        loop += s.ticks;
    out << "steps: " << c.steps.size() << " (loop "
        << decimal(static_cast<double>(loop) / kTicksPerMillisecond) << " ms)\n";
    for (std::size_t s = 0; s < c.steps.size(); ++s)
        out << "step " << s << ": frame " << c.steps[s].frame << " ticks " << c.steps[s].ticks << " ("
            << decimal(static_cast<double>(c.steps[s].ticks) / kTicksPerJiffy) << " jiffies, "
            << decimal(static_cast<double>(c.steps[s].ticks) / kTicksPerMillisecond) << " ms)\n";
}

const char* formatName(CursorFormat format) {
    switch (format) {
    case CursorFormat::IconResource:
        return "icon resource";
    case CursorFormat::AnimatedCursor:
        return "animated cursor";
    case CursorFormat::Xcursor:
        return "Xcursor";
    case CursorFormat::Program:
        return "program";
    case CursorFormat::Unknown:
        break;
    }
    return "unknown";
}

} // namespace

int convertCommand(std::span<const std::string> args, std::ostream& err) {
    const auto a = parse(args);
    if (!a)
        return -1;
    const std::string ext = extensionLower(a->out);
    if (ext != ".ico" && ext != ".cur" && ext != ".ani") {
        err << "vantle-tool: " << a->out << ": the name must end in .ico, .cur or .ani\n";
        return kWrongArguments;
    }
    Input input;
    if (const auto stop = readInput(*a, input, err))
        return *stop;
    CursorWriteReport notes;
    const std::vector<std::uint8_t> bytes =
        ext == ".ani" ? buildAnimatedCursor(*input.cursor, notes)
                      : buildIconResource(*input.cursor, ext == ".ico" ? 1 : 2, notes);
    return writeOutput(a->out, bytes, notes, input, err);
}

int xcursorCommand(std::span<const std::string> args, std::ostream& err) {
    const auto a = parse(args);
    if (!a)
        return -1;
    Input input;
    if (const auto stop = readInput(*a, input, err))
        return *stop;
    CursorWriteReport notes;
    return writeOutput(a->out, buildXcursor(*input.cursor, notes), notes, input, err);
}

int losslessInfoCommand(const std::string& path, std::ostream& out, std::ostream& err) {
    Input input;
    if (const auto stop = openInput(path, input, err))
        return *stop;
    out << "file: " << path << "\n";
    out << "format: " << formatName(input.format) << "\n";
    if (input.format == CursorFormat::Program) {
        const std::vector<LosslessCursor> groups = readProgramIconGroups(input.bytes, input.report);
        printProblems(path, input.report, err);
        if (programIconGroupCount(input.bytes) < 0)
            return kFailed;
        out << "groups: " << groups.size() << "\n";
        for (std::size_t g = 0; g < groups.size(); ++g) {
            out << "group " << g << ":\n";
            printCursor(groups[g], out);
        }
        return input.report.complete ? kDone : kDoneInPart;
    }
    input.cursor = readCursorBytes(input.bytes, input.format, input.report);
    printProblems(path, input.report, err);
    if (!input.cursor)
        return kFailed;
    const LosslessCursor& c = *input.cursor;
    if (input.format == CursorFormat::IconResource)
        out << "type: " << (c.iconType == 1 ? "icon" : "cursor") << "\n";
    printCursor(c, out);
    if (input.format == CursorFormat::AnimatedCursor) {
        out << "title: " << printable(c.ani.title) << "\n";
        out << "author: " << printable(c.ani.author) << "\n";
        out << "rate: " << c.ani.defaultRate << "\n";
        out << "flags: " << c.ani.flags << "\n";
        out << "rate table: " << (c.ani.hadRateTable ? "yes" : "no") << "\n";
        out << "sequence table: " << (c.ani.hadSequenceTable ? "yes" : "no") << "\n";
    }
    return input.report.complete ? kDone : kDoneInPart;
}

} // namespace vantle
