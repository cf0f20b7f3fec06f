#include "model/AniStructure.h"

#include "model/BinaryFile.h"

#include <algorithm>
#include <array>
#include <limits>

namespace vantle {

namespace {

constexpr std::size_t kChunkHead = 8;
constexpr std::size_t kFormStart = 12; // "RIFF", size, "ACON"

std::string tagAt(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::string(reinterpret_cast<const char*>(bytes.data() + at), 4);
}

// Every byte of a text sub-chunk, its size rounded up to even (the pad byte is part of the text).
std::vector<std::uint8_t> textOf(std::span<const std::uint8_t> bytes, const RiffChunk& sub, std::size_t end) {
    const std::uint64_t rounded = static_cast<std::uint64_t>(sub.size) + (sub.size & 1);
    const std::size_t stop = static_cast<std::size_t>(
        std::min<std::uint64_t>(sub.dataStart + rounded, static_cast<std::uint64_t>(end)));
    return {bytes.begin() + static_cast<std::ptrdiff_t>(sub.dataStart),
            bytes.begin() + static_cast<std::ptrdiff_t>(std::max(stop, sub.dataStart))};
}

// Title and author. The first sub-chunk is the title when tagged "INAM", otherwise the author; the second
// is the other of the two. Further sub-chunks are taken by their tags.
void readInformation(std::span<const std::uint8_t> bytes, const RiffChunk& list, AniStructure& ani) {
    ani.hasInformation = true;
    RiffWalker walker(bytes, list.dataStart + 4, list.dataEnd);
    int position = 0;
    bool firstWasTitle = false;
    while (const auto sub = walker.next()) {
        ani.cutShort = ani.cutShort || (sub->cutShort && list.cutShort);
        std::vector<std::uint8_t> text = textOf(bytes, *sub, list.dataEnd);
        if (position == 0) {
            firstWasTitle = sub->tag == "INAM";
            (firstWasTitle ? ani.title : ani.author) = std::move(text);
        } else if (position == 1) {
            (firstWasTitle ? ani.author : ani.title) = std::move(text);
        } else if (sub->tag == "INAM") {
            ani.title = std::move(text);
        } else if (sub->tag == "IART") {
            ani.author = std::move(text);
        }
        ++position;
    }
}

std::vector<std::int32_t> readTable(std::span<const std::uint8_t> bytes, const RiffChunk& chunk,
                                    std::size_t maxEntries) {
    const std::size_t entries = std::min<std::size_t>({chunk.size / 4, chunk.available() / 4, maxEntries});
    std::vector<std::int32_t> table(entries);
    for (std::size_t i = 0; i < entries; ++i)
        table[i] = static_cast<std::int32_t>(le32At(bytes, chunk.dataStart + i * 4));
    return table;
}

AniHeader readHeader(std::span<const std::uint8_t> bytes, const RiffChunk& chunk) {
    std::array<std::int32_t, 9> fields{};
    for (std::size_t i = 0; i < fields.size() && (i + 1) * 4 <= chunk.available(); ++i)
        fields[i] = static_cast<std::int32_t>(le32At(bytes, chunk.dataStart + i * 4));
    // fields[0] is the header size, not used.
    AniHeader h;
    h.frames = std::max(fields[1], 0);
    h.steps = std::max(fields[2], 0);
    h.width = fields[3];
    h.height = fields[4];
    h.bitCount = fields[5];
    h.planes = fields[6];
    h.rate = fields[7];
    h.flags = fields[8];
    return h;
}

void readFrames(std::span<const std::uint8_t> bytes, const RiffChunk& list, AniStructure& ani) {
    ani.hasFrameList = true;
    const std::int64_t limit = ani.header ? ani.header->frames : std::numeric_limits<std::int32_t>::max();
    RiffWalker walker(bytes, list.dataStart + 4, list.dataEnd);
    for (std::int64_t f = 0; f < limit; ++f) {
        const auto icon = walker.next(); // its tag is not tested
        if (!icon)
            break;
        if (icon->cutShort && list.cutShort) {
            // The file ends inside this frame: it is not taken.
            ani.cutShort = true;
            return;
        }
        ani.frames.push_back(bytes.subspan(icon->dataStart, icon->available()));
    }
    if (list.cutShort && static_cast<std::int64_t>(ani.frames.size()) < limit)
        ani.cutShort = true;
}

} // namespace

RiffWalker::RiffWalker(std::span<const std::uint8_t> bytes, std::size_t begin, std::size_t end)
    : bytes_(bytes), position_(std::min(begin, bytes.size())), end_(std::min(end, bytes.size())) {}

std::optional<RiffChunk> RiffWalker::next() {
    if (position_ >= end_ || end_ - position_ < kChunkHead) {
        return std::nullopt;
    }
    RiffChunk c;
    c.tag = tagAt(bytes_, position_);
    c.size = le32At(bytes_, position_ + 4);
    c.dataStart = position_ + kChunkHead;
    const std::uint64_t declaredEnd = static_cast<std::uint64_t>(c.dataStart) + c.size;
    c.cutShort = declaredEnd > end_;
    c.dataEnd = static_cast<std::size_t>(std::min<std::uint64_t>(declaredEnd, end_));
    // Odd sizes are followed by a pad byte.
    position_ = static_cast<std::size_t>(std::min<std::uint64_t>(declaredEnd + (c.size & 1), end_));
    return c;
}

bool looksLikeAni(std::span<const std::uint8_t> head) {
    return head.size() >= kFormStart && tagAt(head, 0) == "RIFF" && tagAt(head, 8) == "ACON";
}

AniStructure readAniStructure(std::span<const std::uint8_t> bytes, std::size_t maxTableEntries) {
    AniStructure ani;
    ani.riffAcon = looksLikeAni(bytes);
    if (bytes.size() >= kFormStart) {
        // A form whose size promises more than one missing chunk head was cut short. (Some writers count
        // the 8 bytes of "RIFF" and the size as well; that alone is no loss.)
        const std::uint64_t declared = std::uint64_t{le32At(bytes, 4)} + kChunkHead;
        ani.cutShort = declared > bytes.size() + kChunkHead;
    }
    RiffWalker walker(bytes, kFormStart, bytes.size());
    while (const auto chunk = walker.next()) {
        const bool isList = chunk->tag == "LIST" && chunk->available() >= 4;
        if (chunk->cutShort && !(isList && tagAt(bytes, chunk->dataStart) == "fram"))
            ani.cutShort = true;
        if (isList) {
            const std::string type = tagAt(bytes, chunk->dataStart);
            if (type == "fram") {
                if (!ani.hasFrameList)
                    readFrames(bytes, *chunk, ani);
            } else {
                // An information list, before or after the header: never the frame list.
                readInformation(bytes, *chunk, ani);
            }
        } else if (chunk->tag == "anih" && !ani.header) {
            ani.header = readHeader(bytes, *chunk);
        } else if (chunk->tag == "rate" && !ani.rates) {
            ani.rates = readTable(bytes, *chunk, maxTableEntries);
        } else if (chunk->tag == "seq " && !ani.sequence) {
            ani.sequence = readTable(bytes, *chunk, maxTableEntries);
        }
    }
    return ani;
}

namespace {

void writeChunk(ByteWriter& out, std::string_view tag, std::span<const std::uint8_t> data) {
    out.writeTag(tag);
    out.writeDword(static_cast<std::int64_t>(data.size()));
    out.writeBlock(data);
    if (data.size() % 2 != 0)
        out.writeByte(0);
}

void writeTable(ByteWriter& out, std::string_view tag, const std::vector<std::int32_t>& values) {
    out.writeTag(tag);
    out.writeDword(static_cast<std::int64_t>(4 * values.size()));
    for (std::int32_t v : values)
        out.writeDword(v);
}

void writeInformation(ByteWriter& out, const AniToWrite& ani) {
    if (ani.title.empty() && ani.author.empty())
        return;
    ByteWriter info;
    info.writeTag("INFO");
    if (!ani.title.empty())
        writeChunk(info, "INAM", ani.title);
    if (!ani.author.empty())
        writeChunk(info, "IART", ani.author);
    writeChunk(out, "LIST", info.bytes());
}

void writeHeader(ByteWriter& out, const AniHeader& h) {
    out.writeTag("anih");
    out.writeDword(36);
    for (std::int32_t value : {std::int32_t{36}, h.frames, h.steps, std::int32_t{0}, std::int32_t{0},
                               std::int32_t{0}, std::int32_t{0}, h.rate, h.flags})
        out.writeDword(value);
}

} // namespace

std::vector<std::uint8_t> writeAniStructure(const AniToWrite& ani) {
    std::size_t frameBytes = 4;
    for (const auto& frame : ani.frames)
        frameBytes += kChunkHead + frame.size() + frame.size() % 2;
    ByteWriter out;
    out.writeTag("RIFF");
    out.writeDword(0); // the form's size, set at the end
    out.writeTag("ACON");
    if (ani.informationFirst)
        writeInformation(out, ani);
    writeHeader(out, ani.header);
    if (!ani.informationFirst)
        writeInformation(out, ani);
    if (ani.rates)
        writeTable(out, "rate", *ani.rates);
    if (ani.sequence)
        writeTable(out, "seq ", *ani.sequence);
    out.writeTag("LIST");
    out.writeDword(static_cast<std::int64_t>(frameBytes));
    out.writeTag("fram");
    for (const auto& frame : ani.frames)
        writeChunk(out, "icon", frame);
    std::vector<std::uint8_t> bytes = out.take();
    putLe32(bytes, 4, static_cast<std::uint32_t>(bytes.size() - kChunkHead));
    return bytes;
}

} // namespace vantle
