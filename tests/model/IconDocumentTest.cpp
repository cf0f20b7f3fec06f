// The document: a new document, growth in steps of 16 and the largest capacity.

#include "IconBytes.h"
#include "model/AniFileReader.h"
#include "model/IconFileReader.h"
#include "model/LazyGrid.h"
#include "model/Messages.h"

#include <gtest/gtest.h>

namespace vantle::test {
namespace {

TEST(IconDocument, NewDocumentHasSixteenTransparentSlotsAndNoImages) {
    IconDocument d = newDocument();
    EXPECT_EQ(d.imageCapacity(), 16);
    EXPECT_EQ(d.stepCapacity(), 32);
    EXPECT_EQ(d.imageCount, 0);
    EXPECT_EQ(d.stepCount, 0);
    EXPECT_EQ(d.title, "Vantle-Animation");
    EXPECT_EQ(d.author, "Tekvari Copyright 1998");
    EXPECT_EQ(d.defaultRate, 8);
    EXPECT_EQ(d.aniFlags, 1);
    EXPECT_FALSE(d.hasRateTable);
    EXPECT_FALSE(d.hasStepTable);
    for (int i = 0; i < 16; ++i)
        for (colourRGB c : PixelGrid(d.images[static_cast<std::size_t>(i)].pixels).cells)
            ASSERT_EQ(c, kTestMarkers.transparent) << "slot " << i;
}

TEST(IconDocument, ClearingEmptiesAnEditedDocument) {
    IconDocument d = newDocument();
    addImage(d, 16, 16, distinctColour);
    d.stepCount = 1;
    d.title = "x";
    d.defaultRate = 3;
    d.hasStepTable = true;
    d.clearImages(0x123456);
    EXPECT_EQ(d.imageCount, 0);
    EXPECT_EQ(d.stepCount, 0);
    EXPECT_EQ(d.title, "Vantle-Animation");
    EXPECT_EQ(d.defaultRate, 8);
    EXPECT_FALSE(d.hasStepTable);
    EXPECT_EQ(d.images[0].pixels(5, 5), 0x123456);
}

TEST(IconDocument, GrowingKeepsEverySlotAndAddsZeroSlots) {
    IconDocument d = newDocument();
    for (int i = 0; i < 16; ++i) {
        IconImage& image = addImage(
            d, 16 + i % 3 * 16, 16 + i % 3 * 16, [i](int x, int y) { return makeColour(x, y, i); }, i,
            15 - i);
        image.depth = static_cast<ColourDepth>(i % 2 ? 16 : 256);
        image.palette[i] = makeColour(i, i, i);
        d.steps[static_cast<std::size_t>(2 * i)] = {i, i + 1};
    }
    std::vector<IconImage> before(d.images.begin(), d.images.end());
    d.resizeDocument(32);
    ASSERT_EQ(d.imageCapacity(), 32);
    EXPECT_EQ(d.stepCapacity(), 64);
    for (int i = 0; i < 16; ++i) {
        const IconImage& a = before[static_cast<std::size_t>(i)];
        const IconImage& b = d.images[static_cast<std::size_t>(i)];
        EXPECT_EQ(a.pixels, b.pixels) << "slot " << i;
        EXPECT_EQ(a.palette, b.palette) << "slot " << i;
        EXPECT_EQ(b.width, a.width);
        EXPECT_EQ(b.depth, a.depth);
        EXPECT_EQ(b.hotspotX, i);
        EXPECT_EQ(b.hotspotY, 15 - i);
        EXPECT_EQ(d.steps[static_cast<std::size_t>(2 * i)], (AnimationStep{i, i + 1}));
    }
    for (int i = 16; i < 32; ++i) {
        const IconImage& b = d.images[static_cast<std::size_t>(i)];
        EXPECT_EQ(b.width, 0);
        EXPECT_EQ(b.depth, 0);
        EXPECT_FALSE(b.writeFlag);
        for (colourRGB c : PixelGrid(b.pixels).cells)
            ASSERT_EQ(c, 0) << "slot " << i;
        for (colourRGB c : b.palette)
            ASSERT_EQ(c, 0) << "slot " << i;
    }
    for (int s = 32; s < 64; ++s)
        EXPECT_EQ(d.steps[static_cast<std::size_t>(s)], (AnimationStep{0, 0}));
}

TEST(IconDocument, GrowthIsBySixteenWhenAnIndexReachesTheCapacity) {
    IconDocument d = newDocument();
    EXPECT_TRUE(d.growForImage(15));
    EXPECT_EQ(d.imageCapacity(), 16);
    EXPECT_TRUE(d.growForImage(16));
    EXPECT_EQ(d.imageCapacity(), 32);
    EXPECT_TRUE(d.growForStep(63));
    EXPECT_EQ(d.imageCapacity(), 32);
    EXPECT_TRUE(d.growForStep(64));
    EXPECT_EQ(d.imageCapacity(), 48);
    EXPECT_EQ(d.stepCapacity(), 96);
}

// The largest document: 16368 image slots, 32736 step slots. One such document is about 340 MB, so every
// check at the limit shares it.
TEST(IconDocument, LargestCapacityRefusesFurtherImagesAndSteps) {
    IconDocument d = newDocument();
    d.resizeDocument(IconDocument::kMaxImageCapacity);
    EXPECT_EQ(d.stepCapacity(), 32736);
    EXPECT_TRUE(d.growForImage(16367));
    EXPECT_FALSE(d.growForImage(16368));
    EXPECT_TRUE(d.growForStep(32735));
    EXPECT_FALSE(d.growForStep(32736));
    EXPECT_EQ(d.imageCapacity(), 16368);

    // A reader at the limit stops with the message; the document keeps what it holds.
    RecordingMessages messages;
    ReadContext context{messages, kTestMarkers};
    d.imageCount = 16367;
    BitmapInput s;
    s.width = s.height = 16;
    s.palette = {kBlack, kWhite};
    const Bytes icon = iconFileBytes(1, {entryFor(s), entryFor(s)});
    ByteReader reader(icon);
    EXPECT_EQ(readIconResource(d, reader, context), ReadOutcome::Stopped);
    EXPECT_EQ(d.imageCount, 16368);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, text::kTooManyImages);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Error);

    // Steps: an animated cursor whose steps would pass 32736 is refused before any frame is added.
    messages.shown.clear();
    d.imageCount = 100;
    d.stepCount = 32730;
    LeBytes ani;
    const Bytes frame = iconFileBytes(2, {entryFor(s)});
    ani.tag("RIFF").u32(0).tag("ACON");
    ani.tag("anih").u32(36).u32(36).u32(1).u32(7).u32(0).u32(0).u32(0).u32(0).u32(8).u32(1);
    ani.tag("LIST").u32(static_cast<std::uint32_t>(12 + frame.size())).tag("fram");
    ani.tag("icon").u32(static_cast<std::uint32_t>(frame.size())).raw(frame);
    EXPECT_EQ(readAniBytes(d, ani.bytes, context), ReadOutcome::Stopped);
    EXPECT_EQ(d.stepCount, 32730);
    EXPECT_EQ(d.imageCount, 100);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, text::kTooManySteps);
}

// A slot's grid takes storage only for what was written; storage taken ahead keeps every cell and reads
// as the fill value where nothing was written, so it cannot change what an image holds.
TEST(IconDocument, PixelStorageTakenAheadKeepsCellsAndReadsAsTheFill) {
    LazyGrid<colourRGB, kImageGrid> grid;
    grid.fill(7);
    EXPECT_EQ(grid.storedWidth(), 0);
    grid(3, 2) = 1;
    EXPECT_EQ(grid.storedWidth(), 16);
    EXPECT_EQ(grid.storedHeight(), 16);

    grid.cover(33, 17);
    EXPECT_EQ(grid.storedWidth(), 48);
    EXPECT_EQ(grid.storedHeight(), 32);
    grid.cover(5, 5); // already covered: nothing changes
    EXPECT_EQ(grid.storedWidth(), 48);
    EXPECT_EQ(grid.storedHeight(), 32);

    Grid<colourRGB, kImageGrid> expected;
    expected.cells.fill(7);
    expected(3, 2) = 1;
    EXPECT_TRUE(grid == expected);
    grid(47, 47) = 2;
    expected(47, 47) = 2;
    EXPECT_TRUE(grid == expected);
}

} // namespace
} // namespace vantle::test
