#include "model/AniFileReader.h"

#include "model/Messages.h"
#include "model/TextCodec.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace vantle {

namespace {

// Where a chunk's data end and the next chunk begins (odd sizes are followed by a pad byte).
struct Chunk {
    std::string tag;
    std::uint32_t size = 0;
    std::size_t dataStart = 0;
    std::size_t next(std::size_t limit) const {
        const std::uint64_t end = static_cast<std::uint64_t>(dataStart) + size + (size & 1);
        return static_cast<std::size_t>(std::min<std::uint64_t>(end, limit));
    }
};

Chunk readChunkHead(ByteReader& r) {
    Chunk c;
    c.tag = r.readTag();
    c.size = r.readUDword();
    c.dataStart = r.position();
    return c;
}

// The text of an information sub-chunk: its size rounded up to even, every byte kept.
std::string readText(ByteReader& r, std::uint32_t size, std::size_t limit) {
    const std::uint64_t rounded = static_cast<std::uint64_t>(size) + (size & 1);
    const std::size_t available = limit > r.position() ? limit - r.position() : 0;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min<std::uint64_t>(rounded, available)));
    r.readBlock(bytes);
    return ansiToUtf8(bytes);
}

// Title and author. The first sub-chunk is the title when tagged "INAM", otherwise the author; the second
// is the other of the two. Further sub-chunks are taken by their tags.
void readInformation(IconDocument& document, ByteReader& r, std::size_t end) {
    int position = 0;
    bool firstWasTitle = false;
    while (r.position() + 8 <= end) {
        const Chunk sub = readChunkHead(r);
        std::string text = readText(r, sub.size, end);
        if (position == 0) {
            firstWasTitle = sub.tag == "INAM";
            (firstWasTitle ? document.title : document.author) = std::move(text);
        } else if (position == 1) {
            (firstWasTitle ? document.author : document.title) = std::move(text);
        } else if (sub.tag == "INAM") {
            document.title = std::move(text);
        } else if (sub.tag == "IART") {
            document.author = std::move(text);
        }
        ++position;
        r.seek(sub.next(end));
    }
}

std::vector<std::int32_t> readTable(ByteReader& r, const Chunk& chunk, std::size_t limit) {
    const std::size_t available = limit > r.position() ? (limit - r.position()) / 4 : 0;
    const std::size_t entries = std::min<std::size_t>(
        {chunk.size / 4, available, static_cast<std::size_t>(IconDocument::kMaxStepCapacity)});
    std::vector<std::int32_t> table(entries);
    for (auto& value : table)
        value = r.readDword();
    return table;
}

struct Header {
    std::int32_t frames = 0;
    std::int32_t steps = 0;
};

ReadOutcome fail(ReadContext& context, std::string_view message) {
    context.messages.showMessage(message, MessageButtons::Ok, MessageIcon::Error);
    return ReadOutcome::Stopped;
}

} // namespace

ReadOutcome readAniBytes(IconDocument& document, std::span<const std::uint8_t> bytes, ReadContext& context) {
    ByteReader r(bytes);
    const std::size_t end = bytes.size();
    document.hasRateTable = false;
    document.hasStepTable = false;
    document.title.clear();
    document.author.clear();

    r.readTag();   // "RIFF"
    r.readDword(); // RIFF size
    r.readTag();   // "ACON"

    std::optional<Header> header;
    std::vector<std::int32_t> rates;
    std::vector<std::int32_t> sequence;
    while (r.position() + 8 <= end) {
        const Chunk chunk = readChunkHead(r);
        const std::size_t chunkEnd = chunk.next(end);
        if (chunk.tag == "LIST") {
            const std::string listType = r.readTag();
            if (listType != "fram") {
                // An information list, before or after the header: never the frame list.
                readInformation(document, r, chunkEnd);
                r.seek(chunkEnd);
                continue;
            }
            // The frame list.
            const Header h = header.value_or(Header{});
            if (h.steps > 0 &&
                document.stepCount + static_cast<std::int64_t>(h.steps) > IconDocument::kMaxStepCapacity)
                return fail(context, text::kTooManySteps);
            const int firstImage = document.imageCount;
            const std::int64_t frameLimit = header ? h.frames : std::numeric_limits<std::int32_t>::max();
            ReadOutcome outcome = ReadOutcome::Complete;
            for (std::int64_t f = 0; f < frameLimit && r.position() + 8 <= chunkEnd; ++f) {
                const Chunk icon = readChunkHead(r);
                ByteReader frame(bytes.subspan(icon.dataStart, icon.next(chunkEnd) - icon.dataStart));
                outcome = readIconResource(document, frame, context);
                if (outcome != ReadOutcome::Complete)
                    break;
                r.seek(icon.next(chunkEnd));
            }
            const int framesRead = document.imageCount - firstImage;
            // Steps point at frames by number; a step whose frame does not exist is dropped.
            for (std::int32_t i = 0; i < std::max(h.steps, 0); ++i) {
                const std::int64_t frameNumber =
                    document.hasStepTable && static_cast<std::size_t>(i) < sequence.size()
                        ? sequence[static_cast<std::size_t>(i)]
                        : i;
                if (frameNumber < 0 || frameNumber >= framesRead)
                    continue;
                const std::int32_t rate = document.hasRateTable && static_cast<std::size_t>(i) < rates.size()
                                              ? rates[static_cast<std::size_t>(i)]
                                              : document.defaultRate;
                if (!document.growForStep(document.stepCount))
                    return fail(context, text::kTooManySteps);
                document.steps[static_cast<std::size_t>(document.stepCount)] = {
                    static_cast<std::int32_t>(firstImage + frameNumber), rate};
                ++document.stepCount;
            }
            return outcome;
        }
        if (chunk.tag == "anih") {
            r.readDword(); // header size
            Header h;
            h.frames = std::max(r.readDword(), 0);
            h.steps = std::max(r.readDword(), 0);
            r.readDword(); // width
            r.readDword(); // height
            r.readDword(); // bit count
            r.readDword(); // planes
            document.defaultRate = r.readDword();
            document.aniFlags = r.readDword();
            header = h;
        } else if (chunk.tag == "rate") {
            document.hasRateTable = true;
            rates = readTable(r, chunk, chunkEnd);
        } else if (chunk.tag == "seq ") {
            document.hasStepTable = true;
            sequence = readTable(r, chunk, chunkEnd);
        }
        r.seek(chunkEnd);
    }
    return fail(context, text::kDamaged);
}

ReadOutcome readAniFile(IconDocument& document, const std::string& path, ReadContext& context) {
    document.hasRateTable = false;
    document.hasStepTable = false;
    BinaryFile file = MyOpen(path, "br", context.messages);
    if (file.handle() <= 0)
        return ReadOutcome::NotOpened;
    std::vector<std::uint8_t> bytes(file.reader().size());
    file.reader().readBlock(bytes);
    file.close();
    return readAniBytes(document, bytes, context);
}

} // namespace vantle
