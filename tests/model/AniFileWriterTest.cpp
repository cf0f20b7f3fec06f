// The animated cursor writer: sizes, chunks, steps and the colour preparation of the frames.

#include "model/AniFileWriter.h"
#include "AniBytes.h"
#include "model/AniFileReader.h"
#include "model/ColourAnalysis.h"
#include "model/Messages.h"

#include <gtest/gtest.h>

namespace vantle::test {
namespace {

constexpr colourRGB kRed = 0x0000FF;
constexpr colourRGB T = kTestMarkers.transparent;

Bytes build(IconDocument& d, RecordingMessages& messages) {
    auto bytes = buildAniFile(d, kTestMarkers, messages);
    return bytes ? *bytes : Bytes{};
}

IconDocument threeTwoColourImages() {
    IconDocument d = newDocument();
    for (int i = 0; i < 3; ++i)
        addImage(
            d, 32, 32, [i](int x, int y) { return (x + y + i) % 4 == 0 ? T : kRed; }, i, 2 * i);
    return d;
}

// Offset of the first chunk with this tag at the top level (or inside a LIST when nested), or npos.
std::size_t findTag(const Bytes& file, std::string_view tag) {
    for (std::size_t at = 12; at + 4 <= file.size(); ++at)
        if (tagAt(file, at) == tag)
            return at;
    return std::string::npos;
}

TEST(AniFileWriter, ThreeImagesOfANewDocumentMake1136Bytes) {
    IconDocument d = threeTwoColourImages();
    RecordingMessages messages;
    const Bytes file = build(d, messages);
    ASSERT_EQ(file.size(), 1136u);
    EXPECT_TRUE(messages.shown.empty());
    LeBytes head;
    head.tag("RIFF").u32(1128).tag("ACON");
    head.tag("LIST").u32(58).tag("INFO");
    head.tag("INAM").u32(16).tag("Vantle-Animation");
    head.tag("IART").u32(22).tag("Tekvari Copyright 1998");
    head.tag("anih").u32(36).u32(36).u32(3).u32(3).u32(0).u32(0).u32(0).u32(0).u32(8).u32(1);
    head.tag("LIST").u32(1006).tag("fram");
    head.tag("icon").u32(326);
    EXPECT_EQ(firstByteDifference(
                  head.bytes, Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(head.size()))),
              "");
    // Each frame: a cursor resource with one 32 x 32 two-colour image at offset 22 and its hotspot.
    for (int i = 0; i < 3; ++i) {
        const std::size_t icon = head.size() - 8 + static_cast<std::size_t>(i) * 334;
        SCOPED_TRACE("frame " + std::to_string(i));
        EXPECT_EQ(tagAt(file, icon), "icon");
        EXPECT_EQ(le32(file, icon + 4), 326u);
        const std::size_t res = icon + 8;
        EXPECT_EQ(le16(file, res + 2), 2) << "type";
        EXPECT_EQ(le16(file, res + 4), 1) << "count";
        EXPECT_EQ(file[res + 6], 32);
        EXPECT_EQ(le16(file, res + 10), i) << "hotspot X";
        EXPECT_EQ(le16(file, res + 12), 2 * i) << "hotspot Y";
        EXPECT_EQ(le32(file, res + 14), 304u) << "bytes in resource";
        EXPECT_EQ(le32(file, res + 18), 22u) << "image offset";
        EXPECT_EQ(le16(file, res + 22 + 14), 1) << "bit count";
    }
    EXPECT_EQ(findTag(file, "rate"), std::string::npos);
    EXPECT_EQ(findTag(file, "seq "), std::string::npos);
    EXPECT_EQ(d.stepCount, 3);
    const RiffCheck check = walkRiff(file);
    EXPECT_EQ(check.problem, "");
    EXPECT_EQ(check.order, (std::vector<std::string>{"LIST:INFO", "anih", "LIST:fram"}));
    EXPECT_EQ(check.infoTags, (std::vector<std::string>{"INAM", "IART"}));
    EXPECT_EQ(check.frameCount, 3u);
}

TEST(AniFileWriter, EmptyTitleAndAuthorWriteNoInformationList) {
    IconDocument d = threeTwoColourImages();
    d.title.clear();
    d.author.clear();
    RecordingMessages messages;
    const Bytes file = build(d, messages);
    EXPECT_EQ(tagAt(file, 12), "anih");
    EXPECT_EQ(file.size(), 1136u - 66);
    EXPECT_EQ(le32(file, 4), file.size() - 8);
}

TEST(AniFileWriter, OddTextsGetOneZeroByte) {
    IconDocument d = threeTwoColourImages();
    d.title = "abc";
    d.author.clear();
    RecordingMessages messages;
    const Bytes file = build(d, messages);
    LeBytes info;
    info.tag("LIST").u32(4 + 8 + 4).tag("INFO").tag("INAM").u32(4).tag("abc").u8(0).tag("anih");
    EXPECT_EQ(
        firstByteDifference(info.bytes, Bytes(file.begin() + 12,
                                              file.begin() + 12 + static_cast<std::ptrdiff_t>(info.size()))),
        "");
    // Japanese text is stored in code page 932: "歩く" (4 bytes) and half-width "ｱ" (1 byte) make 5, padded
    // to 6.
    d.title = "歩くｱ";
    d.author = "x";
    const Bytes japanese = build(d, messages);
    LeBytes expected;
    expected.tag("LIST").u32(4 + 14 + 10).tag("INFO").tag("INAM").u32(6);
    expected.u8(0x95).u8(0xE0).u8(0x82).u8(0xAD).u8(0xB1).u8(0);
    expected.tag("IART").u32(2).u8('x').u8(0);
    EXPECT_EQ(firstByteDifference(expected.bytes, Bytes(japanese.begin() + 12,
                                                        japanese.begin() + 12 +
                                                            static_cast<std::ptrdiff_t>(expected.size()))),
              "");
    EXPECT_EQ(walkRiff(japanese).problem, "");
}

TEST(AniFileWriter, ReorderedStepsWriteASequenceAndSetTheSequenceFlag) {
    IconDocument d = threeTwoColourImages();
    d.stepCount = 3;
    d.steps[0] = {0, 8};
    d.steps[1] = {2, 8};
    d.steps[2] = {1, 8};
    RecordingMessages messages;
    const Bytes file = build(d, messages);
    const std::size_t seq = findTag(file, "seq ");
    ASSERT_NE(seq, std::string::npos);
    EXPECT_EQ(le32(file, seq + 4), 12u);
    EXPECT_EQ(le32(file, seq + 8), 0u);
    EXPECT_EQ(le32(file, seq + 12), 2u);
    EXPECT_EQ(le32(file, seq + 16), 1u);
    EXPECT_EQ(findTag(file, "rate"), std::string::npos);
    const std::size_t header = findTag(file, "anih");
    EXPECT_EQ(le32(file, header + 8 + 32), 3u) << "flags: icon frames and the sequence flag";
    EXPECT_EQ(d.aniFlags, 3);
    EXPECT_TRUE(d.hasStepTable);
    EXPECT_EQ(seq, header + 44) << "the sequence chunk follows the header";
}

TEST(AniFileWriter, OneDifferentRateWritesEveryRate) {
    for (int changed = 0; changed < 3; ++changed) {
        SCOPED_TRACE("step " + std::to_string(changed) + " differs");
        IconDocument d = threeTwoColourImages();
        d.stepCount = 3;
        for (int i = 0; i < 3; ++i)
            d.steps[static_cast<std::size_t>(i)] = {i, i == changed ? 20 : 8};
        RecordingMessages messages;
        const Bytes file = build(d, messages);
        const std::size_t rate = findTag(file, "rate");
        ASSERT_NE(rate, std::string::npos);
        EXPECT_EQ(le32(file, rate + 4), 12u);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(le32(file, rate + 8 + 4 * static_cast<std::size_t>(i)), i == changed ? 20u : 8u)
                << "rate " << i;
        EXPECT_EQ(findTag(file, "seq "), std::string::npos);
        EXPECT_EQ(le32(file, findTag(file, "anih") + 8 + 32), 1u) << "no sequence, no sequence flag";
        EXPECT_EQ(walkRiff(file).problem, "");
    }
}

TEST(AniFileWriter, MoreStepsThanImagesWriteBothTables) {
    IconDocument d = threeTwoColourImages();
    d.stepCount = 5;
    for (int i = 0; i < 5; ++i)
        d.steps[static_cast<std::size_t>(i)] = {i % 3, 3 + i};
    RecordingMessages messages;
    const Bytes file = build(d, messages);
    const std::size_t header = findTag(file, "anih");
    EXPECT_EQ(le32(file, header + 8 + 4), 3u) << "frames";
    EXPECT_EQ(le32(file, header + 8 + 8), 5u) << "steps";
    const RiffCheck check = walkRiff(file);
    EXPECT_EQ(check.problem, "");
    EXPECT_EQ(check.order, (std::vector<std::string>{"LIST:INFO", "anih", "rate", "seq ", "LIST:fram"}));
}

TEST(AniFileWriter, NoStepsBecomeEveryImageAtTheCommonRate) {
    IconDocument d = threeTwoColourImages();
    d.defaultRate = 11;
    d.steps[1] = {7, 99}; // left over from an earlier sequence
    RecordingMessages messages;
    build(d, messages);
    ASSERT_EQ(d.stepCount, 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(d.steps[static_cast<std::size_t>(i)], (AnimationStep{i, 11})) << "step " << i;
}

TEST(AniFileWriter, FullColourFrameIsReducedBeforeWriting) {
    IconDocument d = newDocument();
    IconImage& image = addImage(d, 48, 48, distinctColour);
    image.depth = 0;
    RecordingMessages messages;
    const Bytes file = build(d, messages);
    EXPECT_TRUE(messages.shown.empty());
    const int n = countColours(d, 0, kTestMarkers);
    EXPECT_GE(n, 17);
    EXPECT_LE(n, 256);
    EXPECT_EQ(image.depth, depthFromCount(n));
    const std::size_t icon = findTag(file, "icon");
    ASSERT_NE(icon, std::string::npos);
    EXPECT_EQ(le16(file, icon + 8 + 22 + 14), 8) << "written at 8 bits";
    EXPECT_EQ(le32(file, icon + 4), 22u + 40 + 1024 + 2304 + 384);
}

TEST(AniFileWriter, TwoColourFrameHoldingMoreColoursIsReducedToTwo) {
    IconDocument d = newDocument();
    IconImage& image = addImage(d, 32, 32, [](int x, int y) { return makeColour(x * 8, y * 8, 0); });
    image.depth = 2;
    RecordingMessages messages;
    const Bytes file = build(d, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(image.depth, 2);
    EXPECT_LE(countColours(d, 0, kTestMarkers), 2);
    EXPECT_EQ(le16(file, findTag(file, "icon") + 8 + 22 + 14), 1);
}

TEST(AniFileWriter, WritesAndFailsLikeTheIconWriter) {
    IconDocument d = threeTwoColourImages();
    RecordingMessages messages;
    TempDir dir;
    const std::string target = dir.file("a.ani");
    writeFileBytes(target, {7, 7});
    std::filesystem::create_directory(dir.file("dir.ani"));
    EXPECT_FALSE(writeAniFile(d, dir.file("dir.ani"), kTestMarkers, messages));
    EXPECT_FALSE(writeAniFile(d, dir.file("no/a.ani"), kTestMarkers, messages));
    EXPECT_FALSE(writeAniFile(d, "/proc/vantle-test.ani", kTestMarkers, messages));
    EXPECT_EQ(readFileBytes(target), (Bytes{7, 7}));
    ASSERT_TRUE(writeAniFile(d, target, kTestMarkers, messages));
    EXPECT_EQ(readFileBytes(target).size(), 1136u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(AniFileWriter, WrittenFileReadsBack) {
    // Title, author, rates, sequence and frames of a written file come back through the reader.
    IconDocument d = threeTwoColourImages();
    d.title = "歩く犬";
    d.author = "作者 98"; // 7 bytes: the pad byte comes back as a zero character
    d.defaultRate = 6;
    d.stepCount = 4;
    d.steps[0] = {2, 6};
    d.steps[1] = {0, 30};
    d.steps[2] = {1, 6};
    d.steps[3] = {0, 1};
    RecordingMessages messages;
    const Bytes file = build(d, messages);
    IconDocument back = newDocument();
    back.imageCount = 2;
    ReadContext context{messages, kTestMarkers};
    ASSERT_EQ(readAniBytes(back, file, context), ReadOutcome::Complete);
    EXPECT_EQ(back.title, "歩く犬");
    EXPECT_EQ(back.author, std::string("作者 98") + '\0');
    EXPECT_EQ(back.defaultRate, 6);
    EXPECT_EQ(back.aniFlags, 3);
    ASSERT_EQ(back.stepCount, 4);
    const AnimationStep expected[] = {{4, 6}, {2, 30}, {3, 6}, {2, 1}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(back.steps[static_cast<std::size_t>(i)], expected[i]) << "step " << i;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(firstPixelDifference(d.images[static_cast<std::size_t>(i)],
                                       back.images[static_cast<std::size_t>(i + 2)]),
                  "")
            << "frame " << i;
}

} // namespace
} // namespace vantle::test

namespace vantle::test {
namespace {

// 36 frames of 48 x 48: gradients of 2304 colours, 512 colours in many ties of distance and count,
// random colours among both markers, and (the last six) colours that all share one red value or take
// only the reds 0 and 255, where the nearest colour cannot be told by red. Every frame is reduced to 256
// colours on the way. The bytes (checked by length and FNV-1a hash) are those the writer gave when its
// colour searches went through the lists from the start; the last six frames were added when the
// nearest-colour search still compared every kept colour, which gave the first 30 frames those same
// bytes. So the faster searches decide every tie the same way.
TEST(AniFileWriter, ReducedFullColourFramesKeepTheirBytes) {
    const MarkerColours markers;
    IconDocument d;
    d.clearImages(markers.transparent);
    unsigned seed = 12345;
    auto random = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) & 0x7FFF);
    };
    for (int i = 0; i < 36; ++i) {
        ASSERT_TRUE(d.growForImage(d.imageCount));
        IconImage& image = d.images[static_cast<std::size_t>(d.imageCount)];
        image.width = image.height = 48;
        image.depth = kDepthUndetermined;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x) {
                colourRGB c = 0;
                if (i >= 33) {
                    c = makeColour(random() % 2 * 255, random() % 16 * 17, random() % 16 * 17);
                } else if (i >= 30) {
                    c = makeColour(128, random() % 256, random() % 256);
                } else if (i % 3 == 0) {
                    c = makeColour(x * 5, y * 5, i % 256);
                } else if (i % 3 == 1) {
                    const int b = random() % 8 * 32, g = random() % 8 * 32, r = random() % 8 * 32;
                    c = makeColour(r, g, b);
                } else {
                    c = (x + y) % 7 == 0    ? markers.transparent
                        : (x * y) % 11 == 0 ? markers.inverted
                                            : makeColour(random() % 256, x * 3, y * 3);
                }
                image.pixels(x, y) = c;
            }
        ++d.imageCount;
    }
    RecordingMessages messages;
    const auto file = buildAniFile(d, markers, messages);
    ASSERT_TRUE(file.has_value());
    std::uint64_t hash = 1469598103934665603ull;
    for (std::uint8_t byte : *file) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    EXPECT_EQ(file->size(), 136286u);
    EXPECT_EQ(hash, 0x03dbe6c5ba0ec3bfull);
    for (int i = 0; i < d.imageCount; ++i)
        EXPECT_EQ(d.images[static_cast<std::size_t>(i)].depth, 256) << "frame " << i;
}

} // namespace
} // namespace vantle::test
