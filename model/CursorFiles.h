#pragma once
// Reading and writing lossless cursors: .ico / .cur, .ani, Xcursor files and the icon groups of programs.
// The byte-level structures are parsed by the same parsers the window's readers use.

#include "model/LosslessCursor.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantle {

enum class CursorFormat { IconResource, AnimatedCursor, Xcursor, Program, Unknown };

// What a read met on the way, for the command line (English, one line each).
struct CursorReadReport {
    bool complete = true;              // everything the file declares was read
    std::vector<std::string> problems; // what was left out and why
};

// The format of a file's bytes: its content decides ("RIFF".."ACON", an icon header, "Xcur", "MZ"), its
// name only where the content says nothing.
CursorFormat cursorFormatOf(std::string_view path, std::span<const std::uint8_t> head);

// Reads a cursor from bytes. A program gives its first icon group (see readProgramIconGroups for all).
// Nothing when nothing could be read; what was left out is in the report.
// - An icon resource gives one frame with every entry in directory order, and no steps.
// - An animated cursor gives every frame that holds an image, each with every size, and one step per step
//   of the file (ticks = rate x 1000); frames that give no image are left out with the steps that show them.
// - An Xcursor file gives its nominal sizes in ascending order in every frame. The size with the most
//   frames (of equal counts the largest) leads: its frames and delays are the animation. Another size with
//   as many frames goes frame by frame, a size of one image shows it in every frame, and any other count
//   shows at each leading frame its own frame of the same moment, its loop stretched to the leading one's
//   length (said in the report, with its frames that never come up). One image per size is a still cursor.
// One read takes at most 2^25 pixels and 65536 steps, whatever the file declares.
std::optional<LosslessCursor> readCursorBytes(std::span<const std::uint8_t> bytes, CursorFormat format,
                                              CursorReadReport& report);
std::optional<LosslessCursor> readCursorFile(const std::string& path, CursorReadReport& report);

// Every icon group of a program or library, each as a still cursor (an icon) with all its sizes, in the
// order `vantle-tool info` numbers them. A group none of whose images can be read gives a cursor without
// frames, so that the numbers stay.
std::vector<LosslessCursor> readProgramIconGroups(std::span<const std::uint8_t> bytes,
                                                  CursorReadReport& report);
// One group of them, counted from 0; nothing when there is no such group or none of its images can be read.
std::optional<LosslessCursor> readProgramIconGroup(std::span<const std::uint8_t> bytes, int group,
                                                   CursorReadReport& report);
// How many icon groups a program or library holds; -1 when its resources cannot be read.
int programIconGroupCount(std::span<const std::uint8_t> bytes);

struct CursorWriteReport {
    std::vector<std::string> notes; // what the format could not hold, for the command line
    int invertedReplaced = 0;       // inverting pixels drawn black with a white outline (Xcursor)
};

// Writers. A still cursor written as .ani becomes one frame and one step; an animation written as .ico or
// .cur keeps its first frame (noted in the report).
std::vector<std::uint8_t> buildIconResource(const LosslessCursor& cursor, int type,
                                            CursorWriteReport& report);
std::vector<std::uint8_t> buildAnimatedCursor(const LosslessCursor& cursor, CursorWriteReport& report);
std::vector<std::uint8_t> buildXcursor(const LosslessCursor& cursor, CursorWriteReport& report);

// Replaces every inverted-screen pixel of the image, which an Xcursor file cannot show, by opaque black,
// and every fully transparent pixel touching one by opaque white: an outlined shape that stays visible
// on light and dark backgrounds. Returns how many inverted pixels were replaced.
int replaceInvertedPixels(CursorImage& image);

} // namespace vantle
