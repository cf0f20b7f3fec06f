// The animated cursor reader on files built chunk by chunk.

#include "model/AniFileReader.h"
#include "AniBytes.h"
#include "model/Messages.h"

#include <gtest/gtest.h>

namespace vantle::test {
namespace {

constexpr colourRGB kRed = 0x0000FF;
constexpr colourRGB kGreen = 0x00FF00;
constexpr colourRGB kBlue = 0xFF0000;

struct AniReading {
    IconDocument document = newDocument();
    RecordingMessages messages;
    ReadContext context{messages, kTestMarkers};

    ReadOutcome read(const Bytes& bytes) { return readAniBytes(document, bytes, context); }
    AnimationStep step(int i) const { return document.steps.at(static_cast<std::size_t>(i)); }
};

Bytes threeFrames() {
    return frames({frameResource(kRed), frameResource(kGreen), frameResource(kBlue)});
}

TEST(AniFileReader, WithoutInformationListTitleAndAuthorAreEmpty) {
    AniReading r;
    ASSERT_EQ(r.document.title, "Vantle-Animation");
    EXPECT_EQ(r.read(riff({anih(3, 3, 8), threeFrames()})), ReadOutcome::Complete);
    EXPECT_EQ(r.document.title, "");
    EXPECT_EQ(r.document.author, "");
    EXPECT_EQ(r.document.imageCount, 3);
    EXPECT_TRUE(r.messages.shown.empty());
}

TEST(AniFileReader, InformationSubChunksInEitherOrder) {
    {
        AniReading r;
        r.read(riff({list("INFO", {chunk("IART", ascii("Someone")), chunk("INAM", ascii("Walk"))}),
                     anih(3, 3, 8), threeFrames()}));
        EXPECT_EQ(r.document.author, std::string("Someone\0", 8)) << "odd size: the pad byte is kept";
        EXPECT_EQ(r.document.title, "Walk");
    }
    {
        AniReading r;
        r.read(riff({list("INFO", {chunk("INAM", ascii("Walk"))}), anih(3, 3, 8), threeFrames()}));
        EXPECT_EQ(r.document.title, "Walk");
        EXPECT_EQ(r.document.author, "") << "a list with one sub-chunk empties the other string";
    }
}

TEST(AniFileReader, OddTitleKeepsItsZeroAndPadByte) {
    AniReading r;
    r.read(
        riff({list("INFO", {chunk("INAM", ascii(std::string("Anim\0", 5)))}), anih(3, 3, 8), threeFrames()}));
    EXPECT_EQ(r.document.title.size(), 6u);
    EXPECT_EQ(r.document.title, std::string("Anim\0\0", 6));
}

TEST(AniFileReader, JapaneseTitleFromCodePage932) {
    // "歩く" and half-width "ｱﾆﾒ" in code page 932.
    const Bytes sjis = {0x95, 0xE0, 0x82, 0xAD, 0xB1, 0xC6, 0xD2, 0x00};
    AniReading r;
    r.read(riff(
        {list("INFO", {chunk("INAM", sjis), chunk("IART", ascii("ab"))}), anih(3, 3, 8), threeFrames()}));
    EXPECT_EQ(r.document.title, std::string("歩くｱﾆﾒ") + '\0');
    EXPECT_EQ(r.document.author, "ab");
}

TEST(AniFileReader, SequenceOverThreeFramesAppendedAfterFourImages) {
    AniReading r;
    r.document.imageCount = 4;
    EXPECT_EQ(r.read(riff({anih(3, 6, 10, 3), table("seq ", {0, 1, 2, 1, 0, 2}), threeFrames()})),
              ReadOutcome::Complete);
    EXPECT_EQ(r.document.imageCount, 7);
    ASSERT_EQ(r.document.stepCount, 6);
    const int indices[] = {4, 5, 6, 5, 4, 6};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(r.step(i).imageIndex, indices[i]) << "step " << i;
        EXPECT_EQ(r.step(i).rate, 10) << "step " << i;
    }
    EXPECT_EQ(r.document.images[4].pixels(0, 0), kRed);
    EXPECT_EQ(r.document.images[5].pixels(0, 0), kGreen);
    EXPECT_EQ(r.document.images[6].pixels(0, 0), kBlue);
    EXPECT_EQ(r.document.defaultRate, 10);
    EXPECT_EQ(r.document.aniFlags, 3);
    EXPECT_TRUE(r.document.hasStepTable);
    EXPECT_FALSE(r.document.hasRateTable);
}

TEST(AniFileReader, RateTableWithoutSequence) {
    AniReading r;
    r.document.imageCount = 2;
    std::vector<Bytes> six;
    for (int i = 0; i < 6; ++i)
        six.push_back(frameResource(makeColour(i * 10, 0, 0), static_cast<unsigned>(i), 15));
    r.read(riff({anih(6, 6, 8), table("rate", {1, 2, 3, 4, 5, 60}), frames(six)}));
    ASSERT_EQ(r.document.stepCount, 6);
    const int rates[] = {1, 2, 3, 4, 5, 60};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(r.step(i).imageIndex, 2 + i) << "step " << i;
        EXPECT_EQ(r.step(i).rate, rates[i]) << "step " << i;
        EXPECT_EQ(r.document.images[static_cast<std::size_t>(2 + i)].hotspotX, i);
        EXPECT_EQ(r.document.images[static_cast<std::size_t>(2 + i)].hotspotY, 15);
    }
    EXPECT_TRUE(r.document.hasRateTable);
    EXPECT_FALSE(r.document.hasStepTable);
}

TEST(AniFileReader, StepsAppendAfterExistingSteps) {
    AniReading r;
    r.document.imageCount = 1;
    r.document.stepCount = 2;
    r.document.steps[0] = {0, 7};
    r.document.steps[1] = {0, 9};
    r.read(riff({anih(3, 3, 8), threeFrames()}));
    ASSERT_EQ(r.document.stepCount, 5);
    EXPECT_EQ(r.step(0), (AnimationStep{0, 7}));
    EXPECT_EQ(r.step(1), (AnimationStep{0, 9}));
    EXPECT_EQ(r.step(2), (AnimationStep{1, 8}));
    EXPECT_EQ(r.step(3), (AnimationStep{2, 8}));
    EXPECT_EQ(r.step(4), (AnimationStep{3, 8}));
}

TEST(AniFileReader, StepsGrowTheDocumentBySixteenImageSlots) {
    AniReading r;
    std::vector<std::uint32_t> zeros(40, 0);
    r.read(riff({anih(1, 40, 8, 3), table("seq ", zeros), frames({frameResource(kRed)})}));
    EXPECT_EQ(r.document.stepCount, 40);
    EXPECT_EQ(r.document.stepCapacity(), 64);
    EXPECT_EQ(r.document.imageCapacity(), 32);
    EXPECT_EQ(r.step(39), (AnimationStep{0, 8}));
}

TEST(AniFileReader, MissingFrameListStopsWithAMessage) {
    AniReading r;
    r.document.imageCount = 1;
    const ReadOutcome outcome = r.read(
        riff({list("INFO", {chunk("INAM", ascii("Tt"))}), anih(3, 3, 12, 5), table("rate", {1, 2, 3})}));
    EXPECT_EQ(outcome, ReadOutcome::Stopped);
    ASSERT_EQ(r.messages.shown.size(), 1u);
    EXPECT_EQ(r.messages.shown[0].text, "リソース異常の為、処理を中断します");
    EXPECT_EQ(r.messages.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(r.document.title, "Tt");
    EXPECT_EQ(r.document.author, "");
    EXPECT_EQ(r.document.defaultRate, 12);
    EXPECT_EQ(r.document.aniFlags, 5);
    EXPECT_TRUE(r.document.hasRateTable);
    EXPECT_EQ(r.document.stepCount, 0);
    EXPECT_EQ(r.document.imageCount, 1);
}

TEST(AniFileReader, MissingFileChangesOnlyTheTableFlags) {
    AniReading r;
    r.document.hasRateTable = r.document.hasStepTable = true;
    TempDir dir;
    EXPECT_EQ(readAniFile(r.document, dir.file("none.ani"), r.context), ReadOutcome::NotOpened);
    EXPECT_FALSE(r.document.hasRateTable);
    EXPECT_FALSE(r.document.hasStepTable);
    EXPECT_EQ(r.document.title, "Vantle-Animation");
    EXPECT_TRUE(r.messages.shown.empty());
}

TEST(AniFileReader, ReadsFromAFile) {
    TempDir dir;
    writeFileBytes(dir.file("a.ani"), riff({anih(3, 3, 8), threeFrames()}));
    AniReading r;
    EXPECT_EQ(readAniFile(r.document, dir.file("a.ani"), r.context), ReadOutcome::Complete);
    EXPECT_EQ(r.document.imageCount, 3);
    EXPECT_EQ(r.document.stepCount, 3);
}

TEST(AniFileReader, InformationListAfterTheHeaderAndUnknownChunks) {
    AniReading r;
    const Bytes file =
        riff({anih(3, 3, 8), chunk("junk", ascii("xyz")), list("INFO", {chunk("INAM", ascii("Late"))}),
              chunk("rate", {}, 0), threeFrames()});
    EXPECT_EQ(r.read(file), ReadOutcome::Complete);
    EXPECT_EQ(r.document.title, "Late");
    EXPECT_EQ(r.document.imageCount, 3);
    EXPECT_EQ(r.document.stepCount, 3);
    EXPECT_EQ(r.step(2), (AnimationStep{2, 8})) << "an empty rate table leaves the common rate";
}

TEST(AniFileReader, FramesAreReadByTheirChunkSizes) {
    // A frame chunk with bytes after its resource (odd in number, so a pad byte follows).
    Bytes padded = frameResource(kRed);
    padded.insert(padded.end(), {9, 9, 9});
    AniReading r;
    r.read(riff({anih(3, 3, 8), list("fram", {chunk("icon", padded), chunk("icon", frameResource(kGreen)),
                                              chunk("icon", frameResource(kBlue))})}));
    ASSERT_EQ(r.document.imageCount, 3);
    EXPECT_EQ(r.document.images[1].pixels(0, 0), kGreen);
    EXPECT_EQ(r.document.images[2].pixels(0, 0), kBlue);
}

TEST(AniFileReader, SequenceAndRateInEitherOrder) {
    AniReading r;
    r.read(riff({anih(3, 3, 8, 3), table("seq ", {2, 1, 0}), table("rate", {4, 5, 6}), threeFrames()}));
    ASSERT_EQ(r.document.stepCount, 3);
    EXPECT_EQ(r.step(0), (AnimationStep{2, 4}));
    EXPECT_EQ(r.step(1), (AnimationStep{1, 5}));
    EXPECT_EQ(r.step(2), (AnimationStep{0, 6}));
}

TEST(AniFileReader, StepsOfMissingFramesAreDropped) {
    AniReading r;
    r.read(riff({anih(2, 4, 8, 3), table("seq ", {0, 5, 1, 0xFFFFFFFFu}), table("rate", {1, 2, 3, 4}),
                 frames({frameResource(kRed), frameResource(kGreen)})}));
    EXPECT_EQ(r.document.imageCount, 2);
    ASSERT_EQ(r.document.stepCount, 2);
    EXPECT_EQ(r.step(0), (AnimationStep{0, 1}));
    EXPECT_EQ(r.step(1), (AnimationStep{1, 3}));
}

TEST(AniFileReader, OversizedFrameIsLeftOutWithItsSteps) {
    AniReading r;
    EXPECT_EQ(r.read(riff({anih(3, 3, 8), frames({frameResource(kRed), frameResource(kGreen, 0, 0, 64),
                                                  frameResource(kBlue)})})),
              ReadOutcome::Partial);
    ASSERT_EQ(r.messages.shown.size(), 1u);
    EXPECT_EQ(r.messages.shown[0].text, text::kTooLarge);
    ASSERT_EQ(r.document.imageCount, 2) << "the frames before and after it are read";
    EXPECT_EQ(r.document.images[1].pixels(0, 0), kBlue);
    ASSERT_EQ(r.document.stepCount, 2);
    EXPECT_EQ(r.step(0), (AnimationStep{0, 8}));
    EXPECT_EQ(r.step(1), (AnimationStep{1, 8})) << "the third frame's step shows the third frame";
}

} // namespace
} // namespace vantle::test
