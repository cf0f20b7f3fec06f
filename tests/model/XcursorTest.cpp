// The Xcursor reader on our own and hand-made files, hostile files, and the content
// sniff for files without extension.

#include "model/BinaryFile.h"
#include "model/CursorFiles.h"
#include "model/FileKinds.h"
#include "model/FileSniff.h"
#include "model/Messages.h"
#include "model/ModelTestSupport.h"
#include "model/XcursorFile.h"
#include "model/XcursorFileReader.h"
#include "theme/DocumentExport.h"

#include <gtest/gtest.h>

namespace vantle::test {
namespace {

constexpr colourRGB T = kTestMarkers.transparent;

// One image chunk as a hand-made file would hold it.
void imageChunk(LeBytes& b, std::uint32_t nominal, std::uint32_t w, std::uint32_t h, std::uint32_t xhot,
                std::uint32_t yhot, std::uint32_t delay, std::uint32_t argb) {
    b.u32(36).u32(xcursor::kImageType).u32(nominal).u32(1).u32(w).u32(h).u32(xhot).u32(yhot).u32(delay);
    for (std::uint32_t i = 0; i < w * h; ++i)
        b.u32(argb);
}

// A file with the given images (nominal, side, delay), pixels all of one value, chunks directly after the
// table of contents.
Bytes xcursorFile(const std::vector<std::array<std::uint32_t, 3>>& images, std::uint32_t argb = 0xFF112233) {
    LeBytes b;
    b.tag("Xcur").u32(16).u32(0x10000).u32(static_cast<std::uint32_t>(images.size()));
    std::uint32_t position = 16 + 12 * static_cast<std::uint32_t>(images.size());
    for (const auto& [nominal, side, delay] : images) {
        b.u32(xcursor::kImageType).u32(nominal).u32(position);
        position += 36 + 4 * side * side;
    }
    for (const auto& [nominal, side, delay] : images)
        imageChunk(b, nominal, side, side, 1, 2, delay, argb);
    return b.bytes;
}

struct Read {
    IconDocument document = newDocument();
    RecordingMessages messages;
    XcursorReadResult result;
};

std::unique_ptr<Read> readBytes(const Bytes& bytes) {
    auto r = std::make_unique<Read>();
    ReadContext context{r->messages, kTestMarkers};
    r->result = readXcursorBytes(r->document, bytes, context);
    return r;
}

// The document as the window exports it.
Bytes windowXcursor(const IconDocument& d) {
    CursorWriteReport report;
    return buildXcursor(theme::losslessOfDocument(d, kTestMarkers), report);
}

TEST(XcursorReader, RoundTripKeepsPixelsHotspotsAndRates) {
    IconDocument d = newDocument();
    addImage(
        d, 48, 48, [](int x, int y) { return (x + y) % 7 == 0 ? T : distinctColour(x, y); }, 47, 0);
    addImage(
        d, 48, 48, [](int x, int y) { return x < 10 ? T : makeColour(x, 0, y); }, 3, 4);
    d.stepCount = 2;
    d.steps[0] = {0, 5};
    d.steps[1] = {1, 12};
    const auto r = readBytes(windowXcursor(d));
    ASSERT_EQ(r->result.outcome, ReadOutcome::Complete);
    EXPECT_TRUE(r->messages.shown.empty());
    EXPECT_TRUE(r->result.animated);
    ASSERT_EQ(r->document.imageCount, 2);
    for (int i = 0; i < 2; ++i) {
        const IconImage& in = d.images[static_cast<std::size_t>(i)];
        const IconImage& out = r->document.images[static_cast<std::size_t>(i)];
        EXPECT_EQ(firstPixelDifference(in, out), "") << "image " << i;
        EXPECT_EQ(out.hotspotX, in.hotspotX);
        EXPECT_EQ(out.hotspotY, in.hotspotY);
    }
    EXPECT_EQ(r->document.images[1].depth, 0) << "more than 256 colours";
    ASSERT_EQ(r->document.stepCount, 2);
    EXPECT_EQ(r->document.steps[0], (AnimationStep{0, 5}));
    EXPECT_EQ(r->document.steps[1], (AnimationStep{1, 12}));
    EXPECT_EQ(r->document.defaultRate, 5);
    EXPECT_TRUE(r->document.hasRateTable);
}

TEST(XcursorReader, PremultipliedPixelsAndMarkerColours) {
    LeBytes b;
    b.tag("Xcur").u32(16).u32(0x10000).u32(1).u32(xcursor::kImageType).u32(2).u32(28);
    b.u32(36).u32(xcursor::kImageType).u32(2).u32(1).u32(2).u32(2).u32(2).u32(2).u32(0);
    b.u32(0x80400000); // red 0x40 premultiplied by alpha 0x80: straight red 0x80
    b.u32(0x7FFFFFFF); // alpha below 128: transparent
    b.u32(0xFFE0E0E0); // the transparent marker's value as a real colour
    b.u32(0xFF606060); // the inverted marker's value
    const auto r = readBytes(b.bytes);
    EXPECT_EQ(r->result.outcome, ReadOutcome::Partial)
        << "alpha 0x80 and 0x7F are soft edges the window cuts";
    EXPECT_TRUE(r->messages.shown.empty());
    const IconImage& image = r->document.images[0];
    EXPECT_EQ(image.pixels(0, 0), makeColour(0x80, 0, 0));
    EXPECT_EQ(image.pixels(1, 0), T);
    EXPECT_EQ(image.pixels(0, 1), makeColour(0xE0, 0xE0, 0xE1)) << "kept opaque";
    EXPECT_EQ(image.pixels(1, 1), makeColour(0x60, 0x60, 0x61));
    EXPECT_EQ(image.hotspotX, 1) << "a hotspot on the edge (allowed by the format) moves inside";
    EXPECT_EQ(image.hotspotY, 1);
}

TEST(XcursorReader, SizesLargerThan48AreLeftOutWithANotice) {
    const auto r = readBytes(xcursorFile({{24, 24, 0}, {64, 64, 0}, {32, 32, 0}}));
    ASSERT_EQ(r->result.outcome, ReadOutcome::Complete);
    ASSERT_EQ(r->document.imageCount, 2);
    EXPECT_EQ(r->document.images[0].width, 24);
    EXPECT_EQ(r->document.images[1].width, 32);
    EXPECT_EQ(r->document.stepCount, 0);
    ASSERT_EQ(r->messages.shown.size(), 1u);
    EXPECT_EQ(r->messages.shown[0].text, std::string(text::kXcursorSizesSkipped) + "64");
    EXPECT_EQ(r->messages.shown[0].icon, MessageIcon::None);

    const auto none = readBytes(xcursorFile({{64, 64, 0}, {96, 96, 0}}));
    EXPECT_EQ(none->result.outcome, ReadOutcome::Stopped);
    EXPECT_EQ(none->document.imageCount, 0);
    ASSERT_EQ(none->messages.shown.size(), 1u);
    EXPECT_EQ(none->messages.shown[0].text, text::kXcursorNothingFits);
    EXPECT_EQ(none->messages.shown[0].icon, MessageIcon::Error);
}

TEST(XcursorReader, AnAnimationTakesItsLargestAnimatedSizeAlone) {
    const auto r =
        readBytes(xcursorFile({{32, 32, 50}, {24, 24, 100}, {32, 32, 100}, {24, 24, 50}, {48, 48, 9}}));
    ASSERT_EQ(r->result.outcome, ReadOutcome::Complete);
    EXPECT_TRUE(r->result.animated);
    ASSERT_EQ(r->document.imageCount, 2);
    EXPECT_EQ(r->document.images[0].width, 32);
    ASSERT_EQ(r->document.stepCount, 2);
    EXPECT_EQ(r->document.steps[0], (AnimationStep{0, 3}));
    EXPECT_EQ(r->document.steps[1], (AnimationStep{1, 6}));
    ASSERT_EQ(r->messages.shown.size(), 1u);
    EXPECT_EQ(r->messages.shown[0].text, std::string(text::kXcursorSizesSkipped) + "24, 48");
}

TEST(XcursorReader, HostileFilesGiveOneMessageAndNoImage) {
    const Bytes good = xcursorFile({{32, 32, 0}, {16, 16, 0}});
    std::vector<std::pair<std::string, Bytes>> cases;
    for (std::size_t cut :
         {std::size_t{3}, std::size_t{15}, std::size_t{30}, std::size_t{60}, good.size() - 1})
        cases.emplace_back("truncated at " + std::to_string(cut),
                           Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut)));
    auto patched = [&](std::size_t at, std::uint32_t v) {
        Bytes b = good;
        putLe32(b, at, v);
        return b;
    };
    const std::size_t chunk = 16 + 24;
    cases.emplace_back("ntoc huge", patched(12, 0xFFFFFFFF));
    cases.emplace_back("ntoc past the end", patched(12, 1000));
    cases.emplace_back("header size past the end", patched(4, 0x7FFFFFF0));
    cases.emplace_back("toc position past the end", patched(16 + 8, 0xFFFFFFF0));
    cases.emplace_back("toc subtype differs from the chunk", patched(16 + 4, 31));
    cases.emplace_back("chunk type wrong", patched(chunk + 4, 0xfffe0001));
    cases.emplace_back("width huge", patched(chunk + 16, 0x7fff));
    cases.emplace_back("width beyond the format", patched(chunk + 16, 0x10000));
    Bytes both = patched(chunk + 16, 0x7fff);
    both[chunk + 20] = 0xff;
    both[chunk + 21] = 0x7f;
    cases.emplace_back("width and height the largest, pixels far past the end", both);
    cases.emplace_back("width zero", patched(chunk + 16, 0));
    cases.emplace_back("hotspot beyond the image", patched(chunk + 24, 33));
    cases.emplace_back("bad magic", patched(0, 0x72756359));
    for (const auto& [what, bytes] : cases) {
        const auto r = readBytes(bytes);
        EXPECT_EQ(r->result.outcome, ReadOutcome::Stopped) << what;
        EXPECT_EQ(r->document.imageCount, 0) << what;
        ASSERT_EQ(r->messages.shown.size(), 1u) << what;
        EXPECT_EQ(r->messages.shown[0].text, text::kXcursorDamaged) << what;
    }
    // Chunks of other kinds (comments) are passed over.
    Bytes comment = good;
    comment[16] = 0x01;
    comment[17] = 0x00;
    comment[18] = 0xfe;
    comment[19] = 0xff;
    const auto r = readBytes(comment);
    EXPECT_EQ(r->result.outcome, ReadOutcome::Complete);
    EXPECT_EQ(r->document.imageCount, 1);
}

TEST(XcursorWriter, PremultipliesEveryAlphaAndChannelPairRoundedToTheNearest) {
    // Every (alpha, channel) pair in each channel, and one pixel more for the tail after the groups of four.
    CursorImage image;
    image.width = 257;
    image.height = 256;
    for (std::uint32_t a = 0; a < 256; ++a)
        for (std::uint32_t c = 0; c < 257; ++c)
            image.argb.push_back(a << 24 | (c & 0xFF) << 16 | (255 - (c & 0xFF)) << 8 | ((c * 7) & 0xFF));
    const xcursor::ChunkToWrite chunk{32, 0, &image};
    const auto bytes = xcursor::writeImageChunks(std::span(&chunk, 1), 1 << 20);
    ASSERT_TRUE(bytes);
    const auto chunks = xcursor::readImageChunks(*bytes);
    ASSERT_TRUE(chunks && chunks->size() == 1);
    const auto rounded = [](std::uint32_t c, std::uint32_t a) { return (2 * c * a + 255) / 510; };
    int wrong = 0;
    for (std::uint32_t y = 0; y < 256; ++y)
        for (std::uint32_t x = 0; x < 257; ++x) {
            const std::uint32_t in = image.argb[y * 257 + x];
            const std::uint32_t a = in >> 24;
            const std::uint32_t expected = a << 24 | rounded((in >> 16) & 0xFF, a) << 16 |
                                           rounded((in >> 8) & 0xFF, a) << 8 | rounded(in & 0xFF, a);
            wrong += xcursor::pixelAt(*bytes, chunks->front(), x, y) != expected;
        }
    EXPECT_EQ(wrong, 0);
}

TEST(FileKinds, XcursorIsFoundByItsMagicWhereTheExtensionNamesNothing) {
    const Bytes magic = {'X', 'c', 'u', 'r'};
    EXPECT_EQ(fileKindOf("/usr/share/icons/Adwaita/cursors/left_ptr", magic), FileKind::Xcursor);
    EXPECT_EQ(fileKindOf("size.ver", magic), FileKind::Xcursor) << "an extension of no known kind";
    EXPECT_EQ(fileKindOf("a.cur", magic), FileKind::Cursor) << "a known extension decides";
    EXPECT_EQ(fileKindOf("left_ptr", Bytes{'X', 'c', 'u'}), FileKind::Unknown);
    EXPECT_EQ(fileKindOf("left_ptr", Bytes{}), FileKind::Unknown);

    TempDir dir;
    writeFileBytes(dir.file("watch"), xcursorFile({{16, 16, 0}}));
    writeFileBytes(dir.file("other"), Bytes{'R', 'I', 'F', 'F'});
    EXPECT_EQ(fileKindOfFile(dir.file("watch")), FileKind::Xcursor);
    EXPECT_EQ(fileKindOfFile(dir.file("other")), FileKind::Unknown);
    EXPECT_EQ(fileKindOfFile(dir.file("missing")), FileKind::Unknown);
}

} // namespace
} // namespace vantle::test
