// Writes the seed corpus of the fuzz targets: files made by the program's own writers, and a few
// hand-made ones that take the readers' less common roads (32-bit rows with alpha, longer bitmap headers,
// short palettes, PNG entries, scattered image offsets, damaged and truncated files).
//
// Usage: fuzz_make_corpus <folder>   (writes <folder>/icon/*, <folder>/ani/* and <folder>/palette/*)

#include "model/AniFileWriter.h"
#include "model/BinaryFile.h"
#include "model/ColourAnalysis.h"
#include "model/IconDocument.h"
#include "model/IconFileWriter.h"
#include "model/PaletteFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace vantle;

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const MarkerColours kMarkers;

class QuietMessages : public MessageSink {
  public:
    MessageAnswer showMessage(std::string_view, MessageButtons, MessageIcon) override {
        return MessageAnswer::Ok;
    }
};

bool save(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%6zu  %s\n", bytes.size(), path.c_str());
    return true;
}

void addImage(IconDocument& d, int side, int hotspotX, int hotspotY,
              const std::function<colourRGB(int, int)>& colourAt) {
    if (!d.growForImage(d.imageCount))
        return;
    IconImage& image = d.images[static_cast<std::size_t>(d.imageCount)];
    image.width = static_cast<std::int16_t>(side);
    image.height = static_cast<std::int16_t>(side);
    image.hotspotX = static_cast<std::int16_t>(hotspotX);
    image.hotspotY = static_cast<std::int16_t>(hotspotY);
    image.depth = kDepthUndetermined;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            image.pixels(x, y) = colourAt(x, y);
    ++d.imageCount;
}

IconDocument newDocument() {
    IconDocument d;
    d.clearImages(kMarkers.transparent);
    return d;
}

// Two colours and both marker kinds: a black frame, white inside, transparent and inverted corners.
colourRGB twoColours(int x, int y) {
    if (x < 3 && y < 3)
        return kMarkers.transparent;
    if (x > 12 && y > 12)
        return kMarkers.inverted;
    return (x == 3 || y == 3) ? kBlack : kWhite;
}

colourRGB sixteenColours(int x, int y) {
    if ((x + y) % 7 == 0)
        return kMarkers.transparent;
    return makeColour((x / 8) * 60, (y / 8) * 60, 128);
}

colourRGB fullColour(int x, int y) {
    return makeColour(x * 5, y * 5, (x * y) & 0xFF);
}

colourRGB twoHundredColours(int x, int y) {
    return makeColour((x * 32 + y) % 200, 10, 20);
}

// An icon resource built by hand, field by field.
struct HandEntry {
    int width = 16;
    int height = 16;
    int bitCount = 1;
    int headerSize = 40;
    std::uint32_t coloursUsed = 0;
    std::int32_t offset = -1; // -1: contiguous
    Bytes data;               // palette, colour rows and mask rows (or PNG bytes)
    bool png = false;
};

Bytes bitmapHeader(const HandEntry& e) {
    ByteWriter w;
    w.writeDword(e.headerSize);
    w.writeDword(e.width);
    w.writeDword(2 * e.height);
    w.writeWord(1);
    w.writeWord(e.bitCount);
    for (int i = 0; i < 5; ++i)
        w.writeDword(0);
    w.writeDword(e.coloursUsed);
    w.writeDword(0);
    for (int i = 40; i < e.headerSize; ++i)
        w.writeByte(0);
    return w.bytes();
}

Bytes handResource(std::vector<HandEntry> entries, int declaredCount = -1) {
    std::vector<Bytes> blocks;
    for (const HandEntry& e : entries) {
        Bytes block = e.png ? Bytes{} : bitmapHeader(e);
        block.insert(block.end(), e.data.begin(), e.data.end());
        blocks.push_back(std::move(block));
    }
    ByteWriter w;
    w.writeWord(0);
    w.writeWord(1);
    w.writeWord(declaredCount >= 0 ? declaredCount : static_cast<int>(entries.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const HandEntry& e = entries[i];
        w.writeByte(static_cast<std::uint8_t>(e.width));
        w.writeByte(static_cast<std::uint8_t>(e.height));
        w.writeByte(0);
        w.writeByte(0);
        w.writeWord(1);
        w.writeWord(e.bitCount);
        w.writeDword(static_cast<std::int64_t>(blocks[i].size()));
        w.writeDword(e.offset >= 0 ? e.offset : offset);
        offset += static_cast<std::uint32_t>(blocks[i].size());
    }
    for (const Bytes& block : blocks)
        w.writeBlock(block);
    return w.bytes();
}

Bytes pattern(std::size_t length, std::uint8_t seed) {
    Bytes b(length);
    for (std::size_t i = 0; i < length; ++i)
        b[i] = static_cast<std::uint8_t>(seed + i * 37);
    return b;
}

// A PNG entry: the signature, then the byte that the fuzzers' picture stand-in reads as its choice.
HandEntry pngEntry(std::uint8_t choice) {
    HandEntry e;
    e.png = true;
    e.data = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, choice, 0, 0, 0};
    return e;
}

Bytes truncated(Bytes bytes, std::size_t length) {
    bytes.resize(std::min(length, bytes.size()));
    return bytes;
}

bool writeIconSeeds(const fs::path& dir) {
    bool ok = true;
    {
        IconDocument d = newDocument();
        addImage(d, 16, 0, 0, twoColours);
        addImage(d, 32, 0, 0, sixteenColours);
        addImage(d, 48, 0, 0, fullColour);
        ok &= save(dir / "writer_three_sizes.ico", buildIconFile(d, 1, kMarkers));
    }
    Bytes cursor;
    {
        IconDocument d = newDocument();
        addImage(d, 32, 5, 9, twoColours);
        cursor = buildIconFile(d, 2, kMarkers);
        ok &= save(dir / "writer_cursor.cur", cursor);
    }
    {
        IconDocument d = newDocument();
        addImage(d, 32, 0, 0, twoHundredColours);
        ok &= save(dir / "writer_256.ico", buildIconFile(d, 1, kMarkers));
    }
    ok &= save(dir / "truncated.cur", truncated(cursor, 150));
    {
        HandEntry e;
        e.bitCount = 32;
        e.data = pattern(16 * 16 * 4 + 64, 3); // BGRA rows with varying alpha, then the mask
        ok &= save(dir / "bgra32.ico", handResource({e}));
    }
    {
        HandEntry e;
        e.bitCount = 4;
        e.headerSize = 108;
        e.data = pattern(16 * 4 + 16 * 8 + 64, 9);
        ok &= save(dir / "header108.ico", handResource({e}));
    }
    {
        HandEntry e;
        e.bitCount = 8;
        e.coloursUsed = 3;
        e.data = pattern(3 * 4 + 16 * 16 + 64, 1);
        for (std::size_t i = 12; i < 12 + 256; ++i)
            e.data[i] %= 3;
        ok &= save(dir / "short_palette.ico", handResource({e}));
    }
    {
        HandEntry small;
        small.data = pattern(8 + 64 + 64, 5);
        HandEntry large;
        large.width = 64;
        large.height = 64;
        ok &= save(dir / "too_large_third.ico", handResource({small, small, large}));
        HandEntry zero;
        zero.width = 0;
        zero.height = 0;
        ok &= save(dir / "width_zero.ico", handResource({zero, small}));
        ok &= save(dir / "count_too_high.ico", handResource({small, small}, 0x7FFF));
        ok &= save(dir / "count_negative.ico", handResource({small}, 0x8001));
        // The second image's data lie first in the file.
        HandEntry first = small;
        HandEntry second = small;
        second.bitCount = 24;
        second.width = 4;
        second.height = 4;
        second.data = pattern(4 * 4 * 3 + 16, 7);
        const std::int32_t header = 6 + 32;
        second.offset = header;
        first.offset = header + 40 + static_cast<std::int32_t>(second.data.size());
        Bytes scattered = handResource({first, second});
        ok &= save(dir / "scattered_offsets.ico", scattered);
    }
    {
        HandEntry odd;
        odd.width = 20;
        odd.height = 3;
        odd.bitCount = 24;
        odd.data = pattern(3 * 60 + 3 * 4, 11);
        HandEntry odd4 = odd;
        odd4.bitCount = 4;
        odd4.data = pattern(16 * 4 + 3 * 12 + 3 * 4, 13);
        ok &= save(dir / "odd_width.ico", handResource({odd, odd4}));
    }
    ok &= save(dir / "png_entries.ico", handResource({pngEntry(1), pngEntry(5), pngEntry(3)}));
    return ok;
}

Bytes chunk(std::string_view tag, const Bytes& data) {
    ByteWriter w;
    w.writeTag(tag);
    w.writeDword(static_cast<std::int64_t>(data.size()));
    w.writeBlock(data);
    if (data.size() % 2 != 0)
        w.writeByte(0);
    return w.bytes();
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes tagged(std::string_view tag, const Bytes& rest) {
    return concat({Bytes(tag.begin(), tag.end()), rest});
}

Bytes dwords(std::initializer_list<std::int32_t> values) {
    ByteWriter w;
    for (std::int32_t v : values)
        w.writeDword(v);
    return w.bytes();
}

Bytes riff(const Bytes& body) {
    return chunk("RIFF", tagged("ACON", body));
}

Bytes anih(std::int32_t frames, std::int32_t steps, std::int32_t rate, std::int32_t flags) {
    return chunk("anih", dwords({36, frames, steps, 0, 0, 0, 0, rate, flags}));
}

Bytes frameList(const std::vector<Bytes>& frames) {
    Bytes body = {'f', 'r', 'a', 'm'};
    for (const Bytes& f : frames) {
        const Bytes c = chunk("icon", f);
        body.insert(body.end(), c.begin(), c.end());
    }
    return chunk("LIST", body);
}

bool writeAniSeeds(const fs::path& dir) {
    QuietMessages quiet;
    bool ok = true;
    Bytes plain;
    {
        IconDocument d = newDocument();
        for (int i = 0; i < 3; ++i)
            addImage(d, 32, i, i, twoColours);
        plain = buildAniFile(d, kMarkers, quiet).value_or(Bytes{});
        ok &= save(dir / "writer_three_frames.ani", plain);
    }
    {
        IconDocument d = newDocument();
        addImage(d, 16, 1, 2, twoColours);
        addImage(d, 16, 3, 4, sixteenColours);
        addImage(d, 16, 5, 6, fullColour);
        d.stepCount = 4;
        d.steps[0] = {0, 8};
        d.steps[1] = {2, 20};
        d.steps[2] = {1, 8};
        d.steps[3] = {2, 3};
        d.title = "Anim";
        d.author = "abc";
        ok &= save(dir / "writer_tables.ani", buildAniFile(d, kMarkers, quiet).value_or(Bytes{}));
    }
    {
        IconDocument d = newDocument();
        addImage(d, 16, 0, 0, twoColours);
        d.title.clear();
        d.author.clear();
        ok &= save(dir / "writer_no_info.ani", buildAniFile(d, kMarkers, quiet).value_or(Bytes{}));
    }
    ok &= save(dir / "truncated.ani", truncated(plain, 400));

    IconDocument one = newDocument();
    addImage(one, 16, 0, 0, twoColours);
    ByteWriter frame;
    countColours(one, 0, kMarkers);
    one.images[0].depth = 2;
    writeCursorResource(frame, one.images[0], kMarkers);
    const Bytes cursor = frame.bytes();

    const Bytes info = chunk(
        "LIST", tagged("INFO", concat({chunk("IART", {'m', 'e'}), chunk("INAM", {'A', 'n', 'i', 'm', 0})})));
    ok &= save(dir / "info_after_header.ani", riff(concat({anih(1, 1, 10, 1), info, frameList({cursor})})));
    ok &= save(dir / "no_frame_list.ani",
               riff(concat({anih(2, 2, 8, 1), chunk("rate", dwords({1, 2})), chunk("junk", dwords({7}))})));
    ok &= save(dir / "seq_out_of_range.ani",
               riff(concat({anih(2, 5, 6, 3), chunk("rate", dwords({1, 2, 3, 4, 5})),
                            chunk("seq ", dwords({0, 1, 5, -1, 1})), frameList({cursor, cursor})})));
    ok &= save(dir / "frames_missing.ani", riff(concat({anih(9, 9, 8, 1), frameList({cursor})})));
    ok &= save(dir / "odd_chunks.ani",
               riff(concat({chunk("LIST", tagged("INFO", chunk("INAM", {'x', 'y', 'z'}))), anih(1, 1, 8, 1),
                            chunk("pad!", {1, 2, 3}), frameList({cursor})})));
    const Bytes png = handResource({pngEntry(2)});
    ok &= save(dir / "png_frame.ani", riff(concat({anih(2, 2, 8, 1), frameList({png, cursor})})));
    return ok;
}

// Palette files from the writer (2, 16 and 256 colours of real images) and damaged headers and counts.
bool writePaletteSeeds(const fs::path& dir) {
    bool ok = true;
    IconDocument d = newDocument();
    addImage(d, 16, 0, 0, twoColours);
    addImage(d, 16, 0, 0, sixteenColours);
    addImage(d, 48, 0, 0, fullColour);
    d.images[0].depth = 2;
    d.images[1].depth = 16;
    d.images[2].depth = kDepthFull;
    const char* names[] = {"writer_2.vtp", "writer_16.vtp", "writer_256.vtp"};
    for (std::size_t i = 0; i < 3; ++i)
        ok &= save(dir / names[i], buildPaletteFile(paletteFileEntriesOf(d.images[i], kMarkers)));
    auto withCount = [](std::uint32_t count, std::size_t entryBytes) {
        Bytes b = {'V', 'T', 'P', 'F'};
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<std::uint8_t>(count >> (8 * i)));
        for (std::size_t k = 0; k < entryBytes; ++k)
            b.push_back(static_cast<std::uint8_t>(k * 37));
        return b;
    };
    ok &= save(dir / "count_1000.vtp", withCount(1000, 4 * 1000));
    ok &= save(dir / "short_entries.vtp", withCount(16, 4 * 5 + 2));
    ok &= save(dir / "count_minus_one.vtp", withCount(0xFFFFFFFFu, 8));
    ok &= save(dir / "count_2_31.vtp", withCount(0x80000000u, 8));
    ok &= save(dir / "count_zero.vtp", withCount(0, 0));
    ok &= save(dir / "seven_bytes.vtp", Bytes{'V', 'T', 'P', 'F', 2, 0, 0});
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const fs::path root(argv[1]);
    std::error_code ec;
    fs::create_directories(root / "icon", ec);
    fs::create_directories(root / "ani", ec);
    fs::create_directories(root / "palette", ec);
    const bool ok =
        writeIconSeeds(root / "icon") && writeAniSeeds(root / "ani") && writePaletteSeeds(root / "palette");
    return ok ? 0 : 1;
}
