// Readers on cut, damaged and hostile bytes: no crash, no read out of bounds (the sanitizer build checks),
// bounded work, and only the readers' own messages.

#include "AniBytes.h"
#include "model/AniFileReader.h"
#include "model/AniFileWriter.h"
#include "model/IconFileReader.h"
#include "model/IconFileWriter.h"
#include "model/Messages.h"

#include <gtest/gtest.h>

namespace vantle::test {
namespace {

constexpr colourRGB kRed = 0x0000FF;

void expectOnlyReaderMessages(const RecordingMessages& messages) {
    for (const RecordedMessage& m : messages.shown) {
        EXPECT_TRUE(m.text == text::kTooLarge || m.text == text::kDamaged || m.text == text::kTooManyImages ||
                    m.text == text::kTooManySteps || m.text == text::kCutShort ||
                    m.text == text::kEntryDamaged)
            << m.text;
        EXPECT_EQ(m.icon, MessageIcon::Error);
    }
}

IconDocument sampleDocument() {
    IconDocument d = newDocument();
    addImage(
        d, 16, 16, [](int x, int y) { return x == y ? kTestMarkers.transparent : kRed; }, 1, 2);
    addImage(d, 32, 32, [](int x, int y) { return makeColour(x % 4 * 60, y % 3 * 90, 0); });
    addImage(d, 32, 32, [](int x, int y) { return makeColour(x * 8, 0, y % 4 * 50); });
    addImage(d, 48, 48, distinctColour);
    return d;
}

TEST(HostileInput, EveryPrefixOfAnIconFile) {
    IconDocument source = sampleDocument();
    const Bytes file = buildIconFile(source, 1, kTestMarkers);
    for (std::size_t length = 0; length <= file.size(); length += length < 200 ? 1 : 37) {
        RecordingMessages messages;
        ReadContext context{messages, kTestMarkers};
        IconDocument d = newDocument();
        ByteReader reader(std::span(file.data(), length));
        readIconResource(d, reader, context);
        // The directory of a cut file names only the entries whose 16 bytes are there.
        ASSERT_LE(d.imageCount, 4) << "length " << length;
        expectOnlyReaderMessages(messages);
        if (length == file.size()) {
            EXPECT_EQ(d.imageCount, 4);
            EXPECT_TRUE(messages.shown.empty());
        }
    }
}

TEST(HostileInput, EveryPrefixOfAnAnimatedCursorFile) {
    IconDocument source = sampleDocument();
    source.imageCount = 3;
    source.stepCount = 4;
    source.steps[0] = {2, 8};
    source.steps[1] = {1, 3};
    source.steps[2] = {0, 8};
    source.steps[3] = {2, 9};
    RecordingMessages unused;
    const Bytes file = *buildAniFile(source, kTestMarkers, unused);
    for (std::size_t length = 0; length <= file.size(); length += length < 300 ? 1 : 29) {
        RecordingMessages messages;
        ReadContext context{messages, kTestMarkers};
        IconDocument d = newDocument();
        readAniBytes(d, std::span(file.data(), length), context);
        ASSERT_LE(d.imageCount, 3) << "length " << length;
        ASSERT_LE(d.stepCount, 4) << "length " << length;
        for (int i = 0; i < d.stepCount; ++i)
            ASSERT_LT(d.steps[static_cast<std::size_t>(i)].imageIndex, d.imageCount) << "length " << length;
        expectOnlyReaderMessages(messages);
    }
}

TEST(HostileInput, DamagedBytesInHeadersAndDirectories) {
    IconDocument source = sampleDocument();
    const Bytes icon = buildIconFile(source, 2, kTestMarkers);
    RecordingMessages unused;
    source.imageCount = 2;
    const Bytes ani = *buildAniFile(source, kTestMarkers, unused);
    for (const Bytes* original : {&icon, &ani}) {
        for (std::size_t at = 0; at < 200; ++at) {
            for (std::uint8_t value : {std::uint8_t{0x00}, std::uint8_t{0x7F}, std::uint8_t{0xFF}}) {
                Bytes damaged = *original;
                damaged[at] = value;
                RecordingMessages messages;
                ReadContext context{messages, kTestMarkers};
                IconDocument d = newDocument();
                if (original == &icon) {
                    ByteReader reader(damaged);
                    readIconResource(d, reader, context);
                } else {
                    readAniBytes(d, damaged, context);
                }
                ASSERT_LE(d.imageCount, 4) << "byte " << at << " = " << int{value};
                expectOnlyReaderMessages(messages);
            }
        }
    }
}

TEST(HostileInput, HugeCountsAreBoundedByTheDataPresent) {
    // An icon directory claiming 32767 entries in a file of 40 bytes.
    LeBytes icon;
    icon.u16(0).u16(1).u16(0x7FFF).fill(34, 0x10);
    RecordingMessages messages;
    ReadContext context{messages, kTestMarkers};
    IconDocument d = newDocument();
    ByteReader reader(icon.bytes);
    readIconResource(d, reader, context);
    EXPECT_LE(d.imageCount, 2);
    EXPECT_LE(d.imageCapacity(), 16);

    // An animated cursor claiming 2^31 - 1 frames and steps and a rate table of 4 GB.
    const Bytes ani =
        riff({anih(0x7FFFFFFF, 0x7FFFFFFF, 8, 3), table("rate", {1, 2}), frames({frameResource(kRed)})});
    Bytes lying = ani;
    const std::size_t rate = 12 + 44;
    ASSERT_EQ(tagAt(lying, rate), "rate");
    std::fill_n(lying.begin() + rate + 4, 4, std::uint8_t{0xFF}); // size 0xFFFFFFFF
    for (const Bytes* file : {&ani, static_cast<const Bytes*>(&lying)}) {
        RecordingMessages m;
        ReadContext c{m, kTestMarkers};
        IconDocument doc = newDocument();
        readAniBytes(doc, *file, c);
        EXPECT_EQ(doc.stepCount, 0);
        EXPECT_LE(doc.imageCapacity(), 16);
        expectOnlyReaderMessages(m);
        EXPECT_EQ(m.shown.size(), 1u);
    }
}

TEST(HostileInput, ChunkSizesThatPointAnywhere) {
    const std::uint32_t sizes[] = {0, 1, 2, 3, 5, 0x7FFFFFFF, 0xFFFFFFFE, 0xFFFFFFFF};
    for (std::uint32_t size : sizes) {
        SCOPED_TRACE("size " + std::to_string(size));
        // The size of the header, of an information list, of the frame list and of a frame.
        const std::vector<Bytes> files = {
            riff({chunk("anih", {}, size), frames({frameResource(kRed)})}),
            riff({chunk("LIST", ascii("INFO"), size), anih(1, 1, 8), frames({frameResource(kRed)})}),
            riff({anih(1, 1, 8), chunk("LIST", ascii("fram"), size)}),
            riff({anih(1, 1, 8), list("fram", {chunk("icon", frameResource(kRed), size)})}),
            riff({anih(1, 1, 8), list("INFO", {chunk("INAM", ascii("ab"), size)}),
                  frames({frameResource(kRed)})}),
        };
        for (const Bytes& file : files) {
            RecordingMessages messages;
            ReadContext context{messages, kTestMarkers};
            IconDocument d = newDocument();
            readAniBytes(d, file, context);
            EXPECT_LE(d.imageCount, 1);
            EXPECT_LE(d.stepCount, 1);
            expectOnlyReaderMessages(messages);
        }
    }
}

TEST(HostileInput, OffsetsBeyondTheDataAreIgnored) {
    // The image offset points past the end: the data that follow the directory are read.
    BitmapInput s;
    s.width = s.height = 16;
    s.palette = {kBlack, kRed};
    s.valueAt = [](int, int) { return 1; };
    EntryInput e = entryFor(s);
    e.offset = 0xFFFFFFF0u;
    e.bytesInResource = 0xFFFFFFFFu;
    RecordingMessages messages;
    ReadContext context{messages, kTestMarkers};
    IconDocument d = newDocument();
    const Bytes file = iconFileBytes(1, {e});
    ByteReader reader(file);
    EXPECT_EQ(readIconResource(d, reader, context), ReadOutcome::Complete);
    ASSERT_EQ(d.imageCount, 1);
    EXPECT_EQ(d.images[0].pixels(3, 3), kRed);
}

TEST(HostileInput, EveryEntryPointingAtTheSameData) {
    // 200 directory entries sharing one image: each is read once, the document grows in steps of 16.
    BitmapInput s;
    s.width = s.height = 16;
    s.palette = {kBlack, kRed};
    const Bytes data = bitmapData(s);
    LeBytes file;
    file.u16(0).u16(1).u16(200);
    for (int i = 0; i < 200; ++i)
        file.u8(16)
            .u8(16)
            .u8(2)
            .u8(0)
            .u16(0)
            .u16(0)
            .u32(static_cast<std::uint32_t>(data.size()))
            .u32(6 + 200 * 16);
    file.raw(data);
    RecordingMessages messages;
    ReadContext context{messages, kTestMarkers};
    IconDocument d = newDocument();
    ByteReader reader(file.bytes);
    EXPECT_EQ(readIconResource(d, reader, context), ReadOutcome::Complete);
    EXPECT_EQ(d.imageCount, 200);
    EXPECT_EQ(d.imageCapacity(), 208);
}

} // namespace
} // namespace vantle::test
