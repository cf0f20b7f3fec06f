// Files as other programs write them: several sizes in every animation frame, sizes beyond 48, tables
// after the frame list, cursor formats under each other's names, and files cut short anywhere.

#include "AniBytes.h"
#include "model/AniFileReader.h"
#include "model/FileSniff.h"
#include "model/IconFileReader.h"
#include "model/Messages.h"

#include <gtest/gtest.h>

#include <set>

namespace vantle::test {
namespace {

// A frame of the given sizes: a 4-bit image of each size whose pixels all hold `colour`, except the
// top-left one, which holds the size as its red part, so the test sees which entry was taken. Each
// entry's hotspot is (size / 8, size / 4).
Bytes multiSizeFrame(colourRGB colour, const std::vector<int>& sizes, const std::vector<int>& bits = {}) {
    std::vector<EntryInput> entries;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const int size = sizes[i];
        BitmapInput s;
        s.width = s.height = size;
        s.bitCount = bits.empty() ? 4 : bits[i];
        s.palette = {colour, makeColour(size, 0, 0)};
        s.valueAt = [](int x, int y) { return x == 0 && y == 0 ? 1 : 0; };
        entries.push_back(entryFor(s, static_cast<unsigned>(size / 8), static_cast<unsigned>(size / 4)));
    }
    return iconFileBytes(2, entries);
}

struct AniRead {
    IconDocument document = newDocument();
    RecordingMessages messages;
    ReadContext context{messages, kTestMarkers};
    ReadOutcome outcome = ReadOutcome::NotOpened;

    explicit AniRead(const Bytes& bytes) { outcome = readAniBytes(document, bytes, context); }
    const IconImage& image(int i) const { return document.images.at(static_cast<std::size_t>(i)); }
    AnimationStep step(int i) const { return document.steps.at(static_cast<std::size_t>(i)); }
    std::vector<std::string> texts() const {
        std::vector<std::string> t;
        for (const auto& m : messages.shown)
            t.push_back(m.text);
        return t;
    }
};

constexpr std::array<colourRGB, 6> kFrameColours = {0x0000FF, 0x00FF00, 0xFF0000,
                                                    0x00FFFF, 0xFF00FF, 0xFFFF00};

TEST(RealFiles, MultiSizeFramesGiveOneImagePerFrameAndStepsShowTheirOwnFrame) {
    std::vector<Bytes> resources;
    for (colourRGB c : kFrameColours)
        resources.push_back(multiSizeFrame(c, {48, 32, 64}));
    // 18 steps over 6 frames: 0..5 three times, with a rate each.
    std::vector<std::uint32_t> sequence;
    std::vector<std::uint32_t> rates;
    for (std::uint32_t i = 0; i < 18; ++i) {
        sequence.push_back(i % 6);
        rates.push_back(i + 1);
    }
    AniRead r(riff({anih(6, 18, 4, 3), table("rate", rates), table("seq ", sequence), frames(resources)}));

    EXPECT_EQ(r.outcome, ReadOutcome::Partial) << "the 48 and 64 copies of each frame are not kept";
    EXPECT_TRUE(r.messages.shown.empty()) << "every frame opened";
    EXPECT_EQ(r.context.report.entriesNotTaken, 12);
    ASSERT_EQ(r.document.imageCount, 6);
    for (int f = 0; f < 6; ++f) {
        SCOPED_TRACE(f);
        EXPECT_EQ(r.image(f).width, 32);
        EXPECT_EQ(r.image(f).height, 32);
        EXPECT_EQ(r.image(f).depth, 16);
        EXPECT_EQ(r.image(f).hotspotX, 4) << "the hotspot of the 32 x 32 entry";
        EXPECT_EQ(r.image(f).hotspotY, 8);
        EXPECT_EQ(r.image(f).pixels(0, 0), makeColour(32, 0, 0));
        EXPECT_EQ(r.image(f).pixels(31, 31), kFrameColours[static_cast<std::size_t>(f)]);
    }
    ASSERT_EQ(r.document.stepCount, 18);
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(r.step(i), (AnimationStep{i % 6, i + 1})) << "step " << i;
    EXPECT_TRUE(r.document.hasRateTable);
    EXPECT_TRUE(r.document.hasStepTable);
    EXPECT_EQ(r.document.defaultRate, 4);
    EXPECT_EQ(r.document.aniFlags, 3);
}

TEST(RealFiles, TheEntryNearest32WinsAndTiesGoToTheDeeperOne) {
    // 16 and 48 lie equally far from 32: the 8-bit 16 x 16 beats the 4-bit 48 x 48, in either order.
    AniRead a(riff({anih(2, 2, 8), frames({multiSizeFrame(kFrameColours[0], {48, 16}, {4, 8}),
                                           multiSizeFrame(kFrameColours[1], {16, 48}, {1, 4})})}));
    ASSERT_EQ(a.document.imageCount, 2);
    EXPECT_EQ(a.image(0).width, 16);
    EXPECT_EQ(a.image(0).depth, 256);
    EXPECT_EQ(a.image(1).width, 48) << "the 4-bit 48 x 48 beats the 1-bit 16 x 16";
    EXPECT_EQ(a.image(1).depth, 16);
    // Nearest wins over depth.
    AniRead b(riff({anih(1, 1, 8), frames({multiSizeFrame(kFrameColours[2], {16, 24, 48}, {8, 1, 8})})}));
    ASSERT_EQ(b.document.imageCount, 1);
    EXPECT_EQ(b.image(0).width, 24);
}

TEST(RealFiles, FramesWithoutASizeThatFitsAreLeftOutWithTheirSteps) {
    AniRead r(
        riff({anih(4, 6, 8), table("seq ", {0, 1, 2, 3, 1, 0}),
              frames({multiSizeFrame(kFrameColours[0], {32}), multiSizeFrame(kFrameColours[1], {128}),
                      multiSizeFrame(kFrameColours[2], {96, 64}), multiSizeFrame(kFrameColours[3], {16})})}));
    EXPECT_EQ(r.outcome, ReadOutcome::Partial);
    EXPECT_EQ(r.texts(), std::vector<std::string>{std::string(text::kTooLarge)}) << "one size message";
    ASSERT_EQ(r.document.imageCount, 2);
    EXPECT_EQ(r.image(0).pixels(31, 31), kFrameColours[0]);
    EXPECT_EQ(r.image(1).pixels(15, 15), kFrameColours[3]);
    ASSERT_EQ(r.document.stepCount, 3);
    EXPECT_EQ(r.step(0).imageIndex, 0);
    EXPECT_EQ(r.step(1).imageIndex, 1) << "frame 3's step shows frame 3's image";
    EXPECT_EQ(r.step(2).imageIndex, 0);
    EXPECT_EQ(r.context.report.framesDropped, 2);
    EXPECT_EQ(r.context.report.stepsDropped, 3);
}

TEST(RealFiles, TablesAndInformationAfterTheFrameListCount) {
    std::vector<Bytes> resources;
    for (int f = 0; f < 3; ++f)
        resources.push_back(multiSizeFrame(kFrameColours[static_cast<std::size_t>(f)], {32}));
    const std::vector<std::uint32_t> sequence = {0, 1, 2, 1, 0, 2, 2, 1, 0, 1};
    const std::vector<std::uint32_t> rates = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    for (bool rateFirst : {true, false}) {
        SCOPED_TRACE(rateFirst);
        std::vector<Bytes> chunks = {anih(3, 10, 6), frames(resources)};
        chunks.push_back(table(rateFirst ? "rate" : "seq ", rateFirst ? rates : sequence));
        chunks.push_back(list("INFO", {chunk("INAM", ascii("spin")), chunk("IART", ascii("me"))}));
        chunks.push_back(table(rateFirst ? "seq " : "rate", rateFirst ? sequence : rates));
        AniRead r(riff(chunks));
        EXPECT_EQ(r.outcome, ReadOutcome::Complete);
        EXPECT_TRUE(r.messages.shown.empty());
        ASSERT_EQ(r.document.stepCount, 10);
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(r.step(i),
                      (AnimationStep{static_cast<int>(sequence[static_cast<std::size_t>(i)]), i + 1}));
        EXPECT_EQ(r.document.title, "spin");
        EXPECT_EQ(r.document.author, "me");
    }
}

TEST(RealFiles, ContentDecidesAmongTheThreeCursorFormats) {
    TempDir dir;
    const Bytes ani = riff({anih(1, 1, 8), frames({multiSizeFrame(kFrameColours[0], {32})})});
    const Bytes cursor = multiSizeFrame(kFrameColours[1], {32});
    Bytes icon = cursor;
    icon[2] = 1;
    writeFileBytes(dir.file("spin.cur"), ani);
    writeFileBytes(dir.file("spin.ICO"), ani);
    writeFileBytes(dir.file("arrow.ani"), cursor);
    writeFileBytes(dir.file("picture.ani"), icon);
    writeFileBytes(dir.file("plain.cur"), cursor);
    writeFileBytes(dir.file("garbage.ani"), ascii("not a cursor at all"));
    writeFileBytes(dir.file("spin.bmp"), ani);
    EXPECT_EQ(fileKindOfFile(dir.file("spin.cur")), FileKind::AnimatedCursor);
    EXPECT_EQ(fileKindOfFile(dir.file("spin.ICO")), FileKind::AnimatedCursor);
    EXPECT_EQ(fileKindOfFile(dir.file("arrow.ani")), FileKind::Cursor);
    EXPECT_EQ(fileKindOfFile(dir.file("picture.ani")), FileKind::Icon);
    EXPECT_EQ(fileKindOfFile(dir.file("plain.cur")), FileKind::Cursor);
    EXPECT_EQ(fileKindOfFile(dir.file("garbage.ani")), FileKind::AnimatedCursor) << "the name decides then";
    EXPECT_EQ(fileKindOfFile(dir.file("spin.bmp")), FileKind::Picture) << "other extensions keep their kind";
    EXPECT_EQ(fileKindOfFile(dir.file("missing.cur")), FileKind::Cursor);
}

// Every prefix of a file that ends at a chunk boundary or inside an image: only complete frames become
// images, nothing garbage, and the cut is said exactly when something declared is missing.
TEST(RealFiles, FilesCutAnywhereKeepTheirCompleteFramesAndSaySo) {
    std::vector<Bytes> resources;
    for (int f = 0; f < 3; ++f)
        resources.push_back(multiSizeFrame(kFrameColours[static_cast<std::size_t>(f)], {32}));
    const Bytes info = list("INFO", {chunk("INAM", ascii("cut"))});
    const Bytes header = anih(3, 4, 8);
    const Bytes rate = table("rate", {5, 6, 7, 8});
    const Bytes sequence = table("seq ", {0, 1, 2, 1});
    const Bytes frameList = frames(resources);
    const Bytes file = riff({info, header, rate, sequence, frameList});

    // Where each frame's icon chunk ends in the file.
    std::vector<std::size_t> frameEnds;
    std::size_t at = 12 + info.size() + header.size() + rate.size() + sequence.size() + 12;
    for (const Bytes& r : resources) {
        at += 8 + r.size();
        frameEnds.push_back(at);
    }
    ASSERT_EQ(frameEnds.back(), file.size());
    std::set<std::size_t> cuts;
    for (std::size_t boundary = 12; boundary <= file.size(); boundary += 2)
        cuts.insert(boundary);
    for (std::size_t cut : cuts) {
        SCOPED_TRACE(cut);
        const Bytes part(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut));
        AniRead r(part);
        const int whole = static_cast<int>(
            std::count_if(frameEnds.begin(), frameEnds.end(), [cut](std::size_t end) { return end <= cut; }));
        if (cut == file.size()) {
            EXPECT_EQ(r.outcome, ReadOutcome::Complete);
            EXPECT_TRUE(r.messages.shown.empty());
        } else {
            EXPECT_EQ(r.outcome, ReadOutcome::Partial);
            EXPECT_EQ(r.texts(), std::vector<std::string>{std::string(text::kCutShort)});
        }
        ASSERT_EQ(r.document.imageCount, whole) << "no frame cut inside becomes an image";
        for (int f = 0; f < whole; ++f)
            EXPECT_EQ(r.image(f).pixels(31, 31), kFrameColours[static_cast<std::size_t>(f)]);
        for (int s = 0; s < r.document.stepCount; ++s)
            EXPECT_LT(r.step(s).imageIndex, whole);
        if (whole == 3) {
            EXPECT_EQ(r.document.stepCount, 4);
        }
    }
}

TEST(RealFiles, IconFilesCutInsideAnImageKeepTheImagesBeforeIt) {
    BitmapInput first;
    first.width = first.height = 16;
    first.bitCount = 8;
    first.palette = {kFrameColours[0]};
    BitmapInput second = first;
    second.width = second.height = 32;
    second.palette = {kFrameColours[1]};
    const Bytes file = iconFileBytes(1, {entryFor(first), entryFor(second)});
    const std::size_t secondStart = 6 + 32 + bitmapData(first).size();
    for (std::size_t cut : {secondStart - 1, secondStart, secondStart + 40, file.size() - 1, file.size()}) {
        SCOPED_TRACE(cut);
        IconDocument d = newDocument();
        RecordingMessages messages;
        ReadContext context{messages, kTestMarkers};
        ByteReader reader(std::span(file.data(), cut));
        const ReadOutcome outcome = readIconResource(d, reader, context);
        const int expected = cut == file.size() ? 2 : cut >= secondStart ? 1 : 0;
        ASSERT_EQ(d.imageCount, expected);
        if (expected >= 1) {
            EXPECT_EQ(d.images[0].pixels(15, 15), kFrameColours[0]);
        }
        EXPECT_EQ(outcome, cut == file.size() ? ReadOutcome::Complete : ReadOutcome::Partial);
        EXPECT_EQ(messages.shown.size(), cut == file.size() ? 0u : 1u);
        if (!messages.shown.empty()) {
            EXPECT_EQ(messages.shown[0].text, text::kCutShort);
        }
    }
}

} // namespace
} // namespace vantle::test
