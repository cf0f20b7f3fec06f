#pragma once
// The header and directory of an icon resource (an .ico or .cur file, a frame of an animated cursor),
// and where each entry's data lie. Every reader of icon resources goes through this one parser.

#include "model/BinaryFile.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vantle {

constexpr std::size_t kIconHeaderSize = 6;
constexpr std::size_t kIconEntrySize = 16;

struct IconDirEntry {
    int width = 0;  // 256 when the byte is 0
    int height = 0; // 256 when the byte is 0
    int colourCount = 0;
    std::int16_t field4 = 0; // a cursor's hotspot X; the plane count in other programs' icons
    std::int16_t field6 = 0; // a cursor's hotspot Y; the bit count in other programs' icons
    std::uint32_t bytesInResource = 0;
    std::uint32_t imageOffset = 0; // from the start of the resource
};

struct IconDirectory {
    int type = 0;          // 1 icon, 2 cursor
    int declaredCount = 0; // the header's count
    // The entries whose 16 bytes lie inside the data, in directory order.
    std::vector<IconDirEntry> entries;

    bool cutShort() const { return static_cast<int>(entries.size()) < declaredCount; }
};

// Reads the 6-byte header and the entries at the reader's position; the reader is left after the last
// entry read.
IconDirectory readIconDirectory(ByteReader& r);

// True when the bytes begin as an icon resource does: reserved 0, type 1 or 2.
bool looksLikeIconResource(std::span<const std::uint8_t> head);

// True when the bytes begin with the PNG signature.
bool isPngData(std::span<const std::uint8_t> data);

// Where an entry's data begin within a resource of resourceSize bytes: at its image offset when that lies
// past the directory and inside the resource, otherwise at `following`, where the data of the previous
// entry ended (the layout the format prescribes).
std::size_t entryDataStart(const IconDirEntry& entry, const IconDirectory& directory, std::size_t following,
                           std::size_t resourceSize);

// The end of an entry's data as its directory entry gives them, at most resourceSize.
std::size_t entryDataEnd(const IconDirEntry& entry, std::size_t start, std::size_t resourceSize);

// One directory entry to write; its data follow the directory in entry order.
struct IconEntryToWrite {
    int width = 0;  // 1 to 256 (256 is written as 0)
    int height = 0; // 1 to 256
    int colourCount = 0;
    int field4 = 0; // hotspot X of a cursor, planes of an icon
    int field6 = 0; // hotspot Y of a cursor, bit count of an icon
    std::size_t bytes = 0;
};

// The header and the directory of an icon resource of `type` (1 icon, 2 cursor), each entry's offset
// counted from the resource's start to where its data follow the directory.
void writeIconDirectory(ByteWriter& out, int type, std::span<const IconEntryToWrite> entries);

} // namespace vantle
