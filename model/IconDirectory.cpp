#include "model/IconDirectory.h"

#include <algorithm>
#include <array>

namespace vantle {

namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

IconDirEntry readEntry(ByteReader& r) {
    IconDirEntry e;
    const int w = r.readByte();
    const int h = r.readByte();
    e.width = w == 0 ? 256 : w;
    e.height = h == 0 ? 256 : h;
    e.colourCount = r.readByte();
    r.readByte(); // reserved
    e.field4 = r.readWord();
    e.field6 = r.readWord();
    e.bytesInResource = r.readUDword();
    e.imageOffset = r.readUDword();
    return e;
}

} // namespace

IconDirectory readIconDirectory(ByteReader& r) {
    IconDirectory d;
    r.readWord(); // reserved
    d.type = r.readWord();
    // The count is a signed 16-bit number; a negative one holds no entries.
    d.declaredCount = std::max<int>(0, r.readWord());
    // Entries that would lie beyond the end of the data do not exist.
    const std::size_t room = r.remaining() / kIconEntrySize;
    const std::size_t count = std::min<std::size_t>(room, static_cast<std::size_t>(d.declaredCount));
    d.entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        d.entries.push_back(readEntry(r));
    return d;
}

bool looksLikeIconResource(std::span<const std::uint8_t> head) {
    return head.size() >= 4 && head[0] == 0 && head[1] == 0 && (head[2] == 1 || head[2] == 2) && head[3] == 0;
}

bool isPngData(std::span<const std::uint8_t> data) {
    return data.size() >= kPngSignature.size() &&
           std::equal(kPngSignature.begin(), kPngSignature.end(), data.begin());
}

std::size_t entryDataStart(const IconDirEntry& entry, const IconDirectory& directory, std::size_t following,
                           std::size_t resourceSize) {
    const std::size_t directoryEnd = kIconHeaderSize + directory.entries.size() * kIconEntrySize;
    if (entry.imageOffset >= directoryEnd && entry.imageOffset < resourceSize)
        return entry.imageOffset;
    return following;
}

std::size_t entryDataEnd(const IconDirEntry& entry, std::size_t start, std::size_t resourceSize) {
    if (start >= resourceSize)
        return resourceSize;
    return start + std::min<std::size_t>(entry.bytesInResource, resourceSize - start);
}

void writeIconDirectory(ByteWriter& out, int type, std::span<const IconEntryToWrite> entries) {
    out.writeWord(0);
    out.writeWord(type);
    out.writeWord(static_cast<std::int32_t>(entries.size()));
    std::size_t offset = kIconHeaderSize + kIconEntrySize * entries.size();
    for (const IconEntryToWrite& e : entries) {
        out.writeByte(static_cast<std::uint8_t>(e.width & 0xFF));
        out.writeByte(static_cast<std::uint8_t>(e.height & 0xFF));
        out.writeByte(static_cast<std::uint8_t>(e.colourCount));
        out.writeByte(0);
        out.writeWord(e.field4);
        out.writeWord(e.field6);
        out.writeDword(static_cast<std::int64_t>(e.bytes));
        out.writeDword(static_cast<std::int64_t>(offset));
        offset += e.bytes;
    }
}

} // namespace vantle
