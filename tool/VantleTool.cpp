#include "tool/VantleTool.h"

#include "tool/FromPicture.h"
#include "tool/ToolOutput.h"

#include "model/AniFileReader.h"
#include "model/AniFileWriter.h"
#include "model/ColourAnalysis.h"
#include "model/FileKinds.h"
#include "model/FileSniff.h"
#include "model/IconFileReader.h"
#include "model/IconFileWriter.h"
#include "model/Messages.h"
#include "model/PaletteFile.h"
#include "model/ProgramIcons.h"
#include "model/XcursorFileReader.h"
#include "model/XcursorFileWriter.h"
#include "theme/CursorNames.h"
#include "theme/CursorTheme.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>

namespace vantle {

namespace {

constexpr const char* kUsage = R"(usage: vantle-tool COMMAND ARGUMENTS

commands:
  info FILE          print the images of FILE (.ico, .cur, .ani, .exe, .dll, Xcursor): size, depth, hotspot
                     and colour count, and for .ani also title, author, rate, flags and steps; a
                     program or library gives every icon group as one 32 x 32 image; of a palette
                     file (.vtp) its count and colours
  convert IN OUT     read IN (.ico, .cur, .ani, .exe, .dll, Xcursor) and write OUT as the extension of OUT names it:
                     .ico icon, .cur cursor, .ani animated cursor
  palette IN OUT [--image N]
                     write the colour table of image N of IN (.ico, .cur, .ani, .exe, .dll; N counts from 0 as
                     info shows it, default 0) as the palette file OUT (.vtp)
  from-picture IN OUT --size 16|32|48 [--area X,Y,W,H]
                     turn the picture IN (.bmp, .jpg, .gif, .png), or the area X,Y,W,H of it, into a
                     square image of the size as the picture panel does, and write OUT as its extension
                     names it; an animated GIF gives one image per frame and, in an .ani, one step per
                     frame with the frame's delay as its rate (1/60 s, at least 1)
  xcursor IN OUT     write IN (.ico, .cur, .ani, Xcursor) as the Xcursor file OUT: every size, the
                     hotspot, and for .ani every step with its rate as a delay (1 jiffy = 1/60 s)
  theme IN... --name NAME --dir D
                     write the cursor theme D/NAME (index.theme, cursors/ with links) from the files
                     IN; each file's base name (without extension, any case) says which cursor it
                     is: a cursor name, one of its links, or a Windows name in brackets:
                       left_ptr  (or arrow, default, normal)  links default arrow top_left_arrow
                                                               left_arrow
                       help      (or helpsel)                  links question_arrow whats_this
                                                               left_ptr_help
                       progress  (or appstarting, working)     links left_ptr_watch half-busy
                       watch     (or wait, busy)               links wait
                       crosshair (or cross, precision)         links cross tcross cross_reverse
                       xterm     (or text, ibeam, beam)        links text ibeam
                       pencil    (or pen, nwpen, handwriting)
                       not-allowed (or no, unavailable)        links no-drop forbidden crossed_circle
                       sb_v_double_arrow (or sizens, vert)     links ns-resize v_double_arrow size_ver
                                                               row-resize
                       sb_h_double_arrow (or sizewe, horz)     links ew-resize h_double_arrow size_hor
                                                               col-resize
                       size_fdiag (or sizenwse, dgn1)          links nwse-resize bd_double_arrow
                       size_bdiag (or sizenesw, dgn2)          links nesw-resize fd_double_arrow
                       fleur     (or sizeall, move)            links all-scroll move size_all
                       up_arrow  (or uparrow, alternate)       links sb_up_arrow
                       hand2     (or link)                     links pointer hand hand1 pointing_hand
                     Any other base name becomes a cursor of that name alone.
                     Cursors the theme lacks come from Adwaita. Use it with
                     XCURSOR_PATH=D XCURSOR_THEME=NAME, or put D/NAME into ~/.local/share/icons.

Inverted-screen pixels have no Xcursor equivalent: they are drawn black with a white outline, so the
shape stays visible on light and dark backgrounds. Xcursor images larger than 48 x 48 are left out
with a notice; of an animated Xcursor the largest animated size up to 48 is read.
  --help             print this text

exit status: 0 done, 1 a file could not be read or written, 2 wrong command line
)";

// Control characters (a title may hold zero bytes) are printed as \xNN so every line stays one line.
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

std::string depthText(ColourDepth depth) {
    if (depth == kDepthFull)
        return "full";
    if (depth == kDepthUndetermined)
        return "undetermined";
    return std::to_string(depth);
}

bool writable(FileKind kind) {
    return kind == FileKind::Icon || kind == FileKind::Cursor || kind == FileKind::AnimatedCursor;
}

bool readable(FileKind kind) {
    return writable(kind) || kind == FileKind::Program || kind == FileKind::Xcursor;
}

const MarkerColours kMarkers{};

struct Loaded {
    std::unique_ptr<IconDocument> document;
    ReadOutcome outcome = ReadOutcome::NotOpened;
    bool notices = false; // an Xcursor file's sizes were left out, which is said but is no failure
};

// Every icon group of a program or library, as the chooser takes them with everything chosen.
ReadOutcome loadProgram(IconDocument& d, const std::string& path, MessageSink& messages,
                        PictureService* pictures) {
    if (!std::ifstream(path, std::ios::binary))
        return ReadOutcome::NotOpened;
    const auto file = openProgramIcons(path, messages);
    if (!file)
        return ReadOutcome::Stopped;
    if (file->iconCount() == 0) {
        messages.showMessage(text::kNoProgramIcons, MessageButtons::Ok, MessageIcon::Error);
        return ReadOutcome::Stopped;
    }
    for (int i = 0; i < file->iconCount(); ++i) {
        if (!d.growForImage(d.imageCount)) {
            messages.showMessage(text::kTooManyImages, MessageButtons::Ok, MessageIcon::Error);
            return ReadOutcome::Stopped;
        }
        imageFromProgramIcon(d.images[static_cast<std::size_t>(d.imageCount)], file->draw(i, pictures),
                             kMarkers);
        ++d.imageCount;
    }
    return ReadOutcome::Complete;
}

Loaded load(const std::string& path, StreamMessages& messages, PictureService* pictures) {
    Loaded loaded{std::make_unique<IconDocument>(), ReadOutcome::NotOpened};
    loaded.document->clearImages(kMarkers.transparent);
    ReadContext context{messages, kMarkers, pictures};
    if (fileKindOf(path) == FileKind::Program) {
        loaded.outcome = loadProgram(*loaded.document, path, messages, pictures);
        return loaded;
    }
    if (fileKindOfFile(path) == FileKind::Xcursor) {
        const XcursorReadResult result = readXcursorFile(*loaded.document, path, context);
        loaded.outcome = result.outcome;
        loaded.notices = !result.sizesSkipped.empty();
        return loaded;
    }
    loaded.outcome = fileKindOf(path) == FileKind::AnimatedCursor
                         ? readAniFile(*loaded.document, path, context)
                         : readIconFile(*loaded.document, path, context);
    return loaded;
}

int info(const std::string& path, std::ostream& out, std::ostream& err, PictureService* pictures) {
    const FileKind kind = fileKindOfFile(path);
    if (!readable(kind)) {
        err << "vantle-tool: " << path << ": not an .ico, .cur, .ani, .exe, .dll or Xcursor file\n";
        return 2;
    }
    StreamMessages messages(err);
    Loaded loaded = load(path, messages, pictures);
    if (loaded.outcome == ReadOutcome::NotOpened) {
        err << "vantle-tool: " << path << ": cannot be opened\n";
        return 1;
    }
    IconDocument& d = *loaded.document;
    out << "file: " << path << "\n";
    out << "images: " << d.imageCount << "\n";
    for (int i = 0; i < d.imageCount; ++i) {
        IconImage& image = d.images[static_cast<std::size_t>(i)];
        const ColourDepth depth = image.depth;
        const int colours = countImageColours(image, kMarkers).count;
        out << "image " << i << ": size " << image.width << "x" << image.height << " depth "
            << depthText(depth) << " hotspot " << image.hotspotX << "," << image.hotspotY << " colours "
            << (colours < 0 ? std::string(">256") : std::to_string(colours)) << "\n";
    }
    if (kind == FileKind::AnimatedCursor || (kind == FileKind::Xcursor && d.stepCount > 0)) {
        out << "title: " << printable(d.title) << "\n";
        out << "author: " << printable(d.author) << "\n";
        out << "rate: " << d.defaultRate << "\n";
        out << "flags: " << d.aniFlags << "\n";
        out << "rate table: " << (d.hasRateTable ? "yes" : "no") << "\n";
        out << "sequence table: " << (d.hasStepTable ? "yes" : "no") << "\n";
        out << "steps: " << d.stepCount << "\n";
        for (int i = 0; i < d.stepCount; ++i) {
            const AnimationStep& step = d.steps[static_cast<std::size_t>(i)];
            out << "step " << i << ": image " << step.imageIndex << " rate " << step.rate << "\n";
        }
    }
    return messages.shown() && !loaded.notices ? 1 : 0;
}

int convert(const std::string& in, const std::string& outPath, std::ostream& err, PictureService* pictures) {
    const FileKind from = fileKindOfFile(in);
    const FileKind to = fileKindOf(outPath);
    if (!readable(from)) {
        err << "vantle-tool: " << in << ": not an .ico, .cur, .ani, .exe, .dll or Xcursor file\n";
        return 2;
    }
    if (!writable(to)) {
        err << "vantle-tool: " << outPath << ": the name must end in .ico, .cur or .ani\n";
        return 2;
    }
    StreamMessages messages(err);
    Loaded loaded = load(in, messages, pictures);
    if (loaded.outcome == ReadOutcome::NotOpened) {
        err << "vantle-tool: " << in << ": cannot be opened\n";
        return 1;
    }
    if (loaded.outcome != ReadOutcome::Complete || (messages.shown() && !loaded.notices)) {
        err << "vantle-tool: " << in << ": not converted\n";
        return 1;
    }
    return writeDocumentAs(*loaded.document, outPath, to, messages, err, "image(s)",
                           "an earlier image has the same size and depth");
}

bool isPaletteFile(const std::string& path) {
    return extensionUpper(path) == ".VTP";
}

std::string rgbText(colourRGB c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", redOf(c), greenOf(c), blueOf(c));
    return buffer;
}

int paletteInfo(const std::string& path, std::ostream& out, std::ostream& err) {
    const PaletteFileColours palette = readPaletteFile(path);
    switch (palette.status) {
    case PaletteReadStatus::NotOpened:
        err << "vantle-tool: " << path << ": cannot be opened\n";
        return 1;
    case PaletteReadStatus::NoHeader:
        err << "vantle-tool: " << path << ": not a palette file, shorter than its 8-byte header\n";
        return 1;
    case PaletteReadStatus::NoColours:
        err << "vantle-tool: " << path << ": not a palette file, count " << palette.storedCount << "\n";
        return 1;
    case PaletteReadStatus::Read:
        break;
    }
    out << "file: " << path << "\n";
    out << "count: " << palette.storedCount;
    if (palette.count != palette.storedCount)
        out << " (read as " << palette.count << ")";
    out << "\n";
    out << "entries in the file: " << palette.entriesHeld;
    if (palette.entriesHeld < palette.count)
        out << " of " << palette.count << " (the others read as white)";
    out << "\n";
    for (int k = 0; k < palette.count; ++k)
        out << "colour " << k << ": " << rgbText(palette.colours[static_cast<std::size_t>(k)]) << "\n";
    return 0;
}

// The image number of --image: digits only, within the 16-bit image counts.
std::optional<int> imageNumber(const std::string& text) {
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int n = std::stoi(text);
    if (n > 32767)
        return std::nullopt;
    return n;
}

int palette(const std::string& in, const std::string& outPath, int imageIndex, std::ostream& err,
            PictureService* pictures) {
    if (!readable(fileKindOfFile(in))) {
        err << "vantle-tool: " << in << ": not an .ico, .cur, .ani, .exe or .dll file\n";
        return 2;
    }
    if (!isPaletteFile(outPath)) {
        err << "vantle-tool: " << outPath << ": the name must end in .vtp\n";
        return 2;
    }
    StreamMessages messages(err);
    Loaded loaded = load(in, messages, pictures);
    if (loaded.outcome == ReadOutcome::NotOpened) {
        err << "vantle-tool: " << in << ": cannot be opened\n";
        return 1;
    }
    if (loaded.outcome != ReadOutcome::Complete || messages.shown()) {
        err << "vantle-tool: " << in << ": no palette written\n";
        return 1;
    }
    IconDocument& d = *loaded.document;
    if (imageIndex >= d.imageCount) {
        err << "vantle-tool: " << in << ": has " << d.imageCount << " image(s), no image " << imageIndex
            << "\n";
        return 1;
    }
    IconImage& image = d.images[static_cast<std::size_t>(imageIndex)];
    if (!writePaletteFile(outPath, paletteFileEntriesOf(image, kMarkers))) {
        err << "vantle-tool: " << outPath << ": cannot be written\n";
        return 1;
    }
    return 0;
}

// Reads IN as convert does; nothing (after the reason) when it is not readable or reading failed.
std::unique_ptr<IconDocument> loadForXcursor(const std::string& in, std::ostream& err,
                                             PictureService* pictures, int& status) {
    status = 0;
    if (!readable(fileKindOfFile(in))) {
        err << "vantle-tool: " << in << ": not an .ico, .cur, .ani, .exe, .dll or Xcursor file\n";
        status = 2;
        return nullptr;
    }
    StreamMessages messages(err);
    Loaded loaded = load(in, messages, pictures);
    if (loaded.outcome != ReadOutcome::Complete || (messages.shown() && !loaded.notices)) {
        err << "vantle-tool: " << in
            << (loaded.outcome == ReadOutcome::NotOpened ? ": cannot be opened\n" : ": not converted\n");
        status = 1;
        return nullptr;
    }
    return std::move(loaded.document);
}

int xcursor(const std::string& in, const std::string& outPath, std::ostream& err, PictureService* pictures) {
    int status = 0;
    const auto document = loadForXcursor(in, err, pictures, status);
    if (!document)
        return status;
    if (!writeXcursorFile(*document, outPath, kMarkers)) {
        err << "vantle-tool: " << outPath << ": cannot be written\n";
        return 1;
    }
    return 0;
}

int themeCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err,
                 PictureService* pictures) {
    std::vector<std::string> inputs;
    std::string name;
    std::string dir;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "--name" || args[i] == "--dir") && i + 1 < args.size()) {
            std::string& value = args[i] == "--name" ? name : dir;
            value = args[i + 1];
            ++i;
        } else if (args[i].starts_with("--"))
            return -1;
        else
            inputs.push_back(args[i]);
    }
    if (inputs.empty() || name.empty() || dir.empty())
        return -1;
    std::vector<theme::ThemeCursor> cursors;
    for (const std::string& in : inputs) {
        int status = 0;
        const auto document = loadForXcursor(in, err, pictures, status);
        if (!document)
            return status;
        theme::ThemeCursor cursor;
        const std::string base = theme::baseNameOf(in);
        if (const auto group = theme::groupForName(base)) {
            cursor.name = std::string(group->name);
            for (std::string_view link : group->links)
                cursor.links.emplace_back(link);
        } else {
            cursor.name = base;
            err << "vantle-tool: " << in << ": no known cursor name, written as '" << base << "' alone\n";
        }
        cursor.xcursor = buildXcursorFile(*document, kMarkers);
        cursors.push_back(std::move(cursor));
    }
    const theme::ThemeResult result = theme::writeCursorTheme(dir, name, cursors);
    if (!result.ok) {
        err << "vantle-tool: " << result.error << "\n";
        return 1;
    }
    out << "theme: " << result.themeFolder << "\n";
    for (const theme::ThemeCursor& c : cursors) {
        out << "cursor: " << c.name;
        for (const std::string& link : c.links)
            out << " " << link;
        out << "\n";
    }
    return 0;
}

} // namespace

int runTool(std::span<const std::string> args, std::ostream& out, std::ostream& err,
            PictureService* pictures) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kUsage;
        return 0;
    }
    if (args.size() == 2 && args[0] == "info")
        return isPaletteFile(args[1]) ? paletteInfo(args[1], out, err) : info(args[1], out, err, pictures);
    if (args.size() == 3 && args[0] == "convert")
        return convert(args[1], args[2], err, pictures);
    if (args.size() == 3 && args[0] == "xcursor")
        return xcursor(args[1], args[2], err, pictures);
    if (args.size() >= 2 && args[0] == "theme") {
        const int status = themeCommand(args.subspan(1), out, err, pictures);
        if (status >= 0)
            return status;
    }
    if (args.size() >= 3 && args[0] == "palette") {
        std::optional<int> index = 0;
        if (args.size() == 5 && args[3] == "--image")
            index = imageNumber(args[4]);
        else if (args.size() != 3)
            index.reset();
        if (index)
            return palette(args[1], args[2], *index, err, pictures);
    }
    if (!args.empty() && args[0] == "from-picture" && pictures != nullptr)
        return fromPicture(args.subspan(1), err, *pictures);
    err << kUsage;
    return 2;
}

} // namespace vantle
