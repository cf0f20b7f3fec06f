#include "tool/VantleTool.h"

#include "tool/ConvertCommands.h"
#include "tool/FromPicture.h"
#include "tool/ThemeCommand.h"
#include "tool/ThumbnailCommand.h"
#include "tool/ToolOutput.h"
#include "tool/ToolUsage.h"
#include "tool/WinpackCommand.h"

#include "model/ColourAnalysis.h"
#include "model/DocumentLoader.h"
#include "model/FileKinds.h"
#include "model/FileSniff.h"
#include "model/Messages.h"
#include "model/PaletteFile.h"
#include "model/TextNumber.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>

namespace vantle {

namespace {

constexpr const char* kUsage = R"(usage: vantle-tool COMMAND ARGUMENTS

commands:
  info FILE          print the images of FILE (.ico, .cur, .ani, .exe, .dll, Xcursor) as the window opens
                     it, with the window's messages on stderr: size, depth, hotspot and colour count,
                     and for .ani also title, author, rate, flags and steps; a program or library
                     gives every icon group as one 32 x 32 image, so as many images as it has groups;
                     of a palette file (.vtp) its count and colours. Among .ico, .cur and .ani the
                     content decides which reader a file calls for. Read in part (exit 3): besides the
                     window's messages, what it leaves out without one: soft edges (alpha 1 to 254,
                     kept as on/off transparency), further sizes of animation frames (each frame gives
                     its size nearest 32 x 32). A file holding no image is said too: the window opens
                     it as one blank image
  info --all FILE    print everything FILE holds, as convert and xcursor read it: every frame with every
                     size (hotspot, stored form, alpha, inverting pixels), every step in ticks of
                     1/60000 s; of a program or library every icon group
  convert IN OUT [--group N]
                     read IN (.ico, .cur, .ani, .exe, .dll, Xcursor; the content decides) whole and
                     write OUT as the extension of OUT names it: .ico icon, .cur cursor, .ani animated
                     cursor. Nothing the output can hold is lost: every size up to 256 x 256, alpha,
                     hotspots, each image in the form it was stored in while that form holds its
                     pixels (PNG above 48 x 48 for images that had no bit count), every frame, size,
                     step and rate of an animation (written as .ico or .cur, its first frame). A
                     program or library gives its first icon group with every size; --group N gives
                     group N (from 0; info FILE shows one image per group). What OUT cannot hold is
                     said on stderr
  palette IN OUT [--image N]
                     write the colour table of image N of IN (.ico, .cur, .ani, .exe, .dll; N counts from 0 as
                     info shows it, default 0) as the palette file OUT (.vtp)
  from-picture IN OUT --size LIST [--alpha] [--area X,Y,W,H]
                     turn the picture IN (.bmp, .jpg, .gif, .png), or the area X,Y,W,H of it, into a
                     square image of each size of LIST (16 to 256, separated by commas: 32,48,64) and
                     write OUT as its extension names it; the longer side fills the image, the margins
                     are transparent. Without --alpha as the picture panel does (point sampling, at
                     most 256 colours, on/off transparency; sizes 16, 32 and 48). With --alpha 32-bit
                     images by area averaging on premultiplied colour, keeping the picture's alpha
                     (soft edges stay soft). The sizes of one picture make one frame; an animated GIF
                     gives one frame per GIF frame and, in an .ani, one step per frame with the
                     frame's delay as its rate (1/60 s, rounded, at least 1); an .ico or .cur keeps
                     the first frame
  xcursor IN OUT [--group N]
                     write IN (.ico, .cur, .ani, .exe, .dll, Xcursor) as the Xcursor file OUT: every
                     size of every frame with its hotspot, and every step with its delay in
                     milliseconds, the rounding carried so the loop keeps its length within 1 ms
  theme PACK --dir D|--install|--apply [--name NAME] [--sizes LIST] [--scalable]
  theme IN... --name NAME --dir D|--install|--apply [--sizes LIST] [--scalable]
                     write the cursor theme D/NAME from a Windows cursor pack: index.theme (inheriting
                     Adwaita for what the pack lacks) and cursors/ with one Xcursor file per cursor and
                     every other name of it as a link; beside them the hyprcursor layout Hyprland
                     draws from (manifest.hl, hyprcursors/SHAPE.hlc: meta.hl and square PNGs of the
                     same images, one fractional hotspot from the largest size, a line for a cursor
                     whose sizes disagree on it). Every file is read whole: each frame at each
                     size, alpha, hotspots and delays (jiffies become milliseconds with the rounding
                     carried, so a loop keeps its length).
                     PACK is the pack's Install.inf, a folder holding one, or a .zip archive of the
                     pack (read as it is; its INF nearest the top, else its cursor files by name).
                     The INF's scheme line (HKCU or HKLM, through [Strings]) and its values under
                     Control Panel\Cursors say which file is which cursor; file names are found in
                     any letter case; NAME defaults to the scheme's name. A folder without an INF,
                     and files IN, go by base name in any case:
                     a Windows pack name (normal, help, working, busy, precision, text, handwriting,
                     unavailable, vert, horz, diag1, diag2, move, alternate, link, pin, person, ...), a
                     registry name (Arrow, SizeNWSE, ...) or an X cursor name (left_ptr, ns-resize, ...).
                     An ambiguous name (pointer: Arrow or Hand; hand: Hand or NWPen) takes the first of
                     its cursors no other file names; a cursor named twice stays with the first file;
                     both are reported. Any other base name IN becomes a cursor of that name alone (in
                     a folder or archive it is left out, and counted as left out).
                     Cursors, as Windows names them, and their file in the theme:
                       Arrow left_ptr, Help help, AppStarting progress, Wait watch, Crosshair
                       crosshair, IBeam xterm, NWPen pencil, No not-allowed, SizeNS sb_v_double_arrow,
                       SizeWE sb_h_double_arrow, SizeNWSE size_fdiag, SizeNESW size_bdiag, SizeAll
                       fleur, UpArrow up_arrow, Hand hand2, Pin pin, Person person; each linked under
                       its X core, CSS, Wayland cursor-shape and hash names (default, progress,
                       ns-resize, pointer, all-resize, dnd-ask, 3ecb610c1bf2410f44200f48c40d3599, ...)
                     INF values beyond those seventeen, and files, named as a CSS or X cursor (Pan,
                     Grab, Grabbing, Zoom-in, Zoom-out, Copy, Alias, Cell, ...) become that cursor
                     (all-scroll, grab, ...); wait_m, busy_l and the like are AppStarting (progress)
                     unless another file is. The report ends with how many names the pack gives
                     and which names desktops ask for the theme inherits from Adwaita.
                     Besides the sizes the files hold, 24, 32, 48, 64 and 96 and the fractional-scale
                     sizes 30, 36, 42, 60 and 72 are made where they stay crisp: from an image at
                     least twice as large (area averaging) or by repeating each pixel a whole number
                     of times; another size is not made (the report says so) and the nearest size
                     held serves it. Hotspots stay on their pixel.
                     --scalable    also the scalable cursors desktops draw at any scale
                                   (cursors_scalable/SHAPE/: one SVG per frame holding its largest
                                   image as a PNG on a 24 x 24 canvas, metadata.json, other names as
                                   links); not written by default, as at 24 they are a reduction where
                                   the Xcursor files hold a crisp image
                     --sizes LIST  instead, these sizes besides those the files hold, each made even
                                   where it blurs (from the nearest larger image, else a smaller one)
                     --install     instead of --dir: into $XDG_DATA_HOME/icons (~/.local/share/icons),
                                   saying when it replaces an installed theme, and printing how to
                                   select it on the desktop XDG_CURRENT_DESKTOP names and the others
                                   (GNOME, KDE Plasma, Hyprland, sway, niri, plain X, Flatpak)
                     --apply       --install, then select it: runs the desktop's own command when it
                                   is on PATH (gsettings, plasma-apply-cursortheme, hyprctl, swaymsg)
                                   and writes ~/.icons/default/index.theme, saying what is left to do
                                   by hand
                     Prints per file its cursors, the sizes kept and made, frames and steps, and the
                     inverted pixels replaced, then a line that tries the theme in one program:
                     XCURSOR_PATH=FOLDER:DEFAULTS XCURSOR_THEME=NAME COMMAND. A file that cannot be
                     read is reported and left out.
  thumbnail IN OUT SIZE
                     write the picture a file manager shows for IN as the PNG file OUT, SIZE x SIZE
                     pixels (16 to 1024) with alpha: the first frame of an icon, cursor, animated
                     cursor, Xcursor file or program, from its image nearest SIZE (shrunk by area
                     averaging, or enlarged by a whole factor), centred; of a palette file (.vtp)
                     its colours as swatches
  winpack THEME_DIR OUT_DIR [--name NAME]
                     write the X11 cursor theme THEME_DIR (its cursors/ folder; inherited themes are
                     not looked into) as a Windows cursor pack into OUT_DIR: one file per cursor of the
                     Windows scheme, found under its names as the X cursor library finds them (Arrow:
                     left_ptr, default, ...; see theme), .cur when still and .ani when animated, each
                     at every size the theme holds (its 24 too, so that theme gives the same sizes
                     back) and 32, 48, 64, 96 and 128 (kept, or scaled as theme scales, from an image
                     twice as large or by whole repetition where there is one; up to 48 as 32-bit
                     bitmaps with a mask, larger as PNG), delays as rates in jiffies with the rounding
                     carried; and install.inf (right-click, Install on Windows) holding the scheme
                     NAME (default: the theme's name, kept as it is but for the characters Windows
                     forbids in a folder name; not ASCII: install.inf is UTF-16LE with a byte-order
                     mark) with the cursors in scheme order, a cursor the theme lacks left empty

Inverted-screen pixels have no Xcursor equivalent: they are drawn black with a white outline, so the
shape stays visible on light and dark backgrounds. info FILE, like the window, leaves Xcursor images
larger than 48 x 48 out with a notice, and of an animated Xcursor reads the largest animated size up
to 48.
  --help             print this text
  --version          print the version

exit status: 0 done, 1 a file could not be read or written (among them a file of no known format and a
path that does not exist), 2 wrong command line (the usage of the command is printed), 3 done in part:
the input was read in part (info, convert, xcursor) or theme or winpack left a file or cursor out, the
rest written; what was left out is on stderr
)";

std::string depthText(ColourDepth depth) {
    if (depth == kDepthFull)
        return "full";
    if (depth == kDepthUndetermined)
        return "undetermined";
    return std::to_string(depth);
}

const MarkerColours kMarkers{};

struct Loaded {
    std::unique_ptr<IconDocument> document;
    ReadOutcome outcome = ReadOutcome::NotOpened;
    bool notices = false; // an Xcursor file's sizes were left out, which is said but is no failure
    ReadReport report;    // what the reader left out
};

Loaded load(const std::string& path, StreamMessages& messages) {
    Loaded loaded{std::make_unique<IconDocument>(), ReadOutcome::NotOpened, false, {}};
    loaded.document->clearImages(kMarkers.transparent);
    ReadContext context{messages, kMarkers};
    const DocumentLoad load = loadDocumentFile(*loaded.document, path, context);
    loaded.outcome = load.outcome;
    loaded.notices = load.notices;
    loaded.report = context.report;
    return loaded;
}

// What a read leaves out that the window does not say when it opens the file (it asks before a save over
// the file instead).
void printSilentLosses(const ReadReport& report, std::ostream& err) {
    if (report.entriesNotTaken > 0)
        err << "vantle-tool: read in part: " << report.entriesNotTaken
            << " further size(s) of animation frames not taken; the window takes the size of each frame "
               "nearest 32 x 32\n";
    if (report.stepsDropped > 0)
        err << "vantle-tool: read in part: " << report.stepsDropped
            << " step(s) left out, their frame gave no image or does not exist\n";
    if (report.imagesAlphaCut > 0)
        err << "vantle-tool: read in part: " << report.imagesAlphaCut
            << " image(s) with soft edges (alpha 1 to 254); the window keeps on/off transparency only\n";
}

int info(const std::string& path, std::ostream& out, std::ostream& err) {
    const FileKind kind = fileKindOfFile(path);
    if (!loadable(kind)) {
        err << "vantle-tool: " << path << ": not an .ico, .cur, .ani, .exe, .dll or Xcursor file\n";
        return 1;
    }
    StreamMessages messages(err);
    Loaded loaded = load(path, messages);
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
    // A file read in part: 3, the messages for what was left out are on stderr, with what the window
    // leaves out without a message.
    if (loaded.outcome == ReadOutcome::Partial) {
        printSilentLosses(loaded.report, err);
        return 3;
    }
    if (d.imageCount == 0 && loaded.outcome == ReadOutcome::Complete)
        err << "vantle-tool: " << path
            << ": holds no image; the window opens it as one blank 32 x 32 image\n";
    return loaded.outcome == ReadOutcome::Stopped || (messages.shown() && !loaded.notices) ? 1 : 0;
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

int palette(const std::string& in, const std::string& outPath, int imageIndex, std::ostream& err) {
    if (!loadable(fileKindOfFile(in))) {
        err << "vantle-tool: " << in << ": not an .ico, .cur, .ani, .exe or .dll file\n";
        return 1;
    }
    if (!isPaletteFile(outPath)) {
        err << "vantle-tool: " << outPath << ": the name must end in .vtp\n";
        return 2;
    }
    StreamMessages messages(err);
    Loaded loaded = load(in, messages);
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

} // namespace

int runTool(std::span<const std::string> args, std::ostream& out, std::ostream& err,
            PictureService* pictures) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kUsage;
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out << "vantle-tool " << VANTLE_VERSION << "\n";
        return 0;
    }
    if (args.size() == 2 && args[0] == "info")
        return isPaletteFile(args[1]) ? paletteInfo(args[1], out, err) : info(args[1], out, err);
    if (args.size() == 3 && args[0] == "info" && args[1] == "--all")
        return losslessInfoCommand(args[2], out, err);
    if (args.size() >= 3 && (args[0] == "convert" || args[0] == "xcursor")) {
        const int status = args[0] == "convert" ? convertCommand(args.subspan(1), err)
                                                : xcursorCommand(args.subspan(1), err);
        if (status >= 0)
            return status;
    }
    if (args.size() >= 2 && args[0] == "theme") {
        const int status = themeCommand(args.subspan(1), out, err);
        if (status >= 0)
            return status;
    }
    if (!args.empty() && args[0] == "thumbnail")
        return thumbnailCommand(args.subspan(1), err);
    if (!args.empty() && args[0] == "winpack")
        return winpackCommand(args.subspan(1), out, err);
    if (args.size() >= 3 && args[0] == "palette") {
        std::optional<int> index = 0;
        if (args.size() == 5 && args[3] == "--image")
            index = wholeNumber(args[4], 0, 32767); // within the 16-bit image counts
        else if (args.size() != 3)
            index.reset();
        if (index)
            return palette(args[1], args[2], *index, err);
    }
    if (!args.empty() && args[0] == "from-picture" && pictures != nullptr) {
        const int status = fromPicture(args.subspan(1), err, *pictures);
        if (status >= 0)
            return status;
    }
    err << usageOf(kUsage, args.empty() ? std::string() : args[0]);
    return 2;
}

} // namespace vantle
