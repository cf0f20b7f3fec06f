#pragma once
// Icons stored in Windows programs and libraries (.exe, .dll): a reader of the PE headers, the section
// table and the resource directory, which counts the icon groups (RT_GROUP_ICON) and draws one group at
// 32 x 32 from the entry that fits that size best (RT_ICON), as the system's icon extraction would.

#include "model/IconDocument.h"
#include "platform/Platform.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantle {

constexpr int kProgramIconSize = 32;

// A stretch of the file: offset and length, both checked against the file.
struct FileRange {
    std::size_t offset = 0;
    std::size_t size = 0;
};

struct ProgramResources {
    // The data of each icon group (first language of each), named and numbered groups in stored order.
    std::vector<FileRange> groups;
    // Icon images by their resource number (first language of each), sorted by number.
    std::vector<std::pair<std::uint16_t, FileRange>> icons;
};

// One icon drawn at 32 x 32: rows from the top, 0xAARRGGBB, alpha 0 (transparent) or 255.
struct ProgramIconPicture {
    std::array<std::uint32_t, kProgramIconSize * kProgramIconSize> argb{};
    bool drawn = false; // false when the icon could not be extracted: every pixel is transparent

    std::uint32_t at(int x, int y) const { return argb[static_cast<std::size_t>(y * kProgramIconSize + x)]; }
    bool opaque(int x, int y) const { return (at(x, y) >> 24) != 0; }
};

// What readProgramResources found wrong: the message text shown to the user.
struct ProgramReadError {
    std::string_view message;
};

// Reads the resource index of a PE32 or PE32+ file. A file without resources gives no groups.
std::optional<ProgramResources> readProgramResources(std::span<const std::uint8_t> file,
                                                     ProgramReadError& error);

// The entry of a group that fits 32 x 32 best; -1 for a group without entries.
struct GroupEntry {
    int width = 0;  // 256 when stored as 0
    int height = 0; // 256 when stored as 0
    int bitCount = 0;
    std::uint16_t iconId = 0;
};
// The data of icon resource number id; nothing when the file has no such icon.
std::optional<FileRange> iconResource(const ProgramResources& resources, std::uint16_t id);

std::vector<GroupEntry> readGroupEntries(std::span<const std::uint8_t> file, FileRange group);
int bestEntryFor32(std::span<const GroupEntry> entries);

// Draws icon group `group` at 32 x 32.
ProgramIconPicture drawProgramIcon(std::span<const std::uint8_t> file, const ProgramResources& resources,
                                   int group);

// Decodes one icon image (a DIB with its AND mask, or a PNG) and stretches it to 32 x 32.
ProgramIconPicture drawIconImage(std::span<const std::uint8_t> image);

// Puts an icon drawn at 32 x 32 into `image` as the program keeps it: 32 x 32, hotspot (0, 0), shown
// pixels with their colour and the others transparent, the depth from its colour count.
void imageFromProgramIcon(IconImage& image, const ProgramIconPicture& picture, const MarkerColours& markers);

// A program file read whole with its resource index.
struct ProgramIconFile {
    std::vector<std::uint8_t> bytes;
    ProgramResources resources;

    int iconCount() const { return static_cast<int>(resources.groups.size()); }
    ProgramIconPicture draw(int group) const { return drawProgramIcon(bytes, resources, group); }
};

// Reads a program file. Nothing, after a message through `messages`, when it cannot be read or its
// structure is broken.
std::optional<ProgramIconFile> openProgramIcons(const std::string& path, MessageSink& messages);

} // namespace vantle
