// The image list: slots and scrolling, new, copy, combine, delete and committing the edited image.

#include "support/WindowFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace vantle::test {

namespace {

void fillPattern(IconImage& im, int size) {
    im.width = im.height = static_cast<std::int16_t>(size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            im.pixels(x, y) = makeColour(x * 5, y * 5, 7);
}

} // namespace

TEST_F(WindowTest, TheSeventhImageEnablesTheScrollBarAndIsSelectedInTheLastSlot) {
    for (int i = 0; i < 5; ++i)
        list().cmdImgNew_Click();
    ASSERT_EQ(document->imageCount, 6);
    EXPECT_FALSE(find<QScrollBar>("vsBerImg")->isEnabled());
    EXPECT_EQ(window->state().selectedSlot, 5);
    list().cmdImgNew_Click();
    auto* scroll = find<QScrollBar>("vsBerImg");
    EXPECT_TRUE(scroll->isEnabled());
    EXPECT_EQ(scroll->maximum(), 1);
    EXPECT_EQ(scroll->value(), 1);
    EXPECT_EQ(window->state().selectedSlot, 5);
    EXPECT_EQ(window->state().selectedImage, 6);
    EXPECT_EQ(list().slotMap[0], 1);
    EXPECT_EQ(caption(), "7 / 7");
    EXPECT_TRUE(window->state().modified);
}

TEST_F(WindowTest, ScrollingTheSelectedImageOutOfViewDisablesTheButtons) {
    for (int i = 0; i < 7; ++i)
        list().cmdImgNew_Click();
    scrollList(0);
    list().pImg_Click(0);
    ASSERT_EQ(window->state().selectedImage, 0);
    scrollList(2);
    EXPECT_EQ(window->state().selectedSlot, -2);
    EXPECT_FALSE(find<QPushButton>("cmdImgDel")->isEnabled());
    EXPECT_FALSE(find<QPushButton>("cmdImgNew")->isEnabled());
    EXPECT_TRUE(find("spSW")->isHidden());
    scrollList(0);
    EXPECT_EQ(window->state().selectedSlot, 0);
    EXPECT_TRUE(find<QPushButton>("cmdImgDel")->isEnabled());
    EXPECT_TRUE(find<QPushButton>("cmdImgUni")->isEnabled());
    // The last image selected: everything but combine.
    scrollList(2);
    list().pImg_Click(5);
    EXPECT_EQ(window->state().selectedImage, 7);
    EXPECT_FALSE(find<QPushButton>("cmdImgUni")->isEnabled());
    EXPECT_TRUE(find<QPushButton>("cmdImgIn")->isEnabled());
}

TEST_F(WindowTest, TheEditTabBringsAScrolledOutImageBackIntoView) {
    for (int i = 0; i < 7; ++i)
        list().cmdImgNew_Click();
    scrollList(0);
    list().pImg_Click(0);
    window->selectTab(2);
    scrollList(2);
    window->selectTab(1);
    EXPECT_EQ(find<QScrollBar>("vsBerImg")->value(), 0);
    EXPECT_EQ(window->state().selectedSlot, 0);
    EXPECT_EQ(canvas().imageIndex(), 0);
}

TEST_F(WindowTest, NewInsertsABlankImageOfTheChosenSizeBehindTheSelectedOne) {
    fillPattern(image(0), 32);
    window->ShowImageInEditor(0);
    find<QComboBox>("cbImgSiz")->setCurrentIndex(0);
    list().cmdImgNew_Click();
    EXPECT_EQ(document->imageCount, 2);
    EXPECT_EQ(window->state().selectedImage, 1);
    EXPECT_EQ(image(1).width, 16);
    EXPECT_EQ(image(1).depth, kDepthUndetermined);
    EXPECT_EQ(image(1).pixels(3, 3), settings.markers.transparent);
    EXPECT_EQ(canvas().cellWidth, 18);
    EXPECT_EQ(text("lWIi_0"), "???");
    EXPECT_EQ(find<QComboBox>("cbImgSiz")->currentIndex(), 0);
    EXPECT_EQ(image(0).pixels(3, 3), makeColour(15, 15, 7)) << "the image before stays";
}

TEST_F(WindowTest, CopyRepeatsPixelsAsBlocksForAWholeMultiple) {
    find<QComboBox>("cbImgSiz")->setCurrentIndex(0);
    list().cmdImgNew_Click(); // a 16 x 16 image behind the first
    fillPattern(image(1), 16);
    image(1).hotspotX = 3;
    image(1).depth = 256;
    window->ShowImageInEditor(1);
    find<QComboBox>("cbImgSiz")->setCurrentIndex(2);
    list().cmdImgIn_Click();
    ASSERT_EQ(document->imageCount, 3);
    const IconImage& copy = image(2);
    EXPECT_EQ(copy.width, 48);
    EXPECT_EQ(copy.hotspotX, 3) << "the hotspot is not scaled";
    EXPECT_EQ(copy.depth, 256);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            ASSERT_EQ(copy.pixels(x, y), image(1).pixels(x / 3, y / 3)) << x << "," << y;
}

TEST_F(WindowTest, CopyFrom48To32SamplesEveryOneAndAHalfPixel) {
    find<QComboBox>("cbImgSiz")->setCurrentIndex(2);
    list().cmdImgNew_Click();
    fillPattern(image(1), 48);
    window->ShowImageInEditor(1);
    find<QComboBox>("cbImgSiz")->setCurrentIndex(1);
    list().cmdImgIn_Click();
    const IconImage& copy = image(2);
    EXPECT_EQ(copy.width, 32);
    const int columns[] = {0, 1, 3, 4, 6, 7, 9};
    for (int x = 0; x < 7; ++x)
        EXPECT_EQ(copy.pixels(x, 0), image(1).pixels(columns[x], 0)) << x;
    EXPECT_EQ(copy.pixels(31, 31), image(1).pixels(46, 46));
}

TEST_F(WindowTest, CombineCopiesOnlyTheOpaquePixelsOfTheNextImage) {
    list().cmdImgNew_Click();
    image(1).pixels(4, 5) = 0x00FF00;
    list().pImg_Click(0);
    image(0).pixels(6, 6) = 0x0000FF;
    image(0).pixels(4, 5) = 0x0000FF;
    list().cmdImgUni_Click();
    EXPECT_EQ(image(0).pixels(4, 5), 0x00FF00);
    EXPECT_EQ(image(0).pixels(6, 6), 0x0000FF) << "transparent pixels leave the image as it was";
    EXPECT_EQ(image(1).pixels(4, 5), 0x00FF00) << "the next image stays";
    EXPECT_EQ(canvas().pixel(4, 5), 0x00FF00);
    EXPECT_EQ(list().slot(0).pixel(4, 5), 0x00FF00);
}

TEST_F(WindowTest, DeletingTheOnlyImageLeavesOneBlankImage) {
    drawCells({{1, 2}});
    window->CommitEditedImage();
    list().cmdImgDel_Click();
    EXPECT_EQ(document->imageCount, 1);
    EXPECT_EQ(image(0).depth, kDepthUndetermined);
    EXPECT_EQ(image(0).width, 32);
    EXPECT_EQ(image(0).pixels(1, 2), settings.markers.transparent);
    EXPECT_EQ(bin().entriesInUse(), 1);
    EXPECT_EQ(ui::fromQRgb(bin().entry(0).pixel(1, 2)), canvas().leftColour)
        << "the old picture is in the bin";
    EXPECT_EQ(caption(), "1 / 1");
}

TEST_F(WindowTest, DeletingTheLastOfSeveralImagesSelectsTheOneBefore) {
    list().cmdImgNew_Click();
    list().cmdImgNew_Click();
    ASSERT_EQ(window->state().selectedImage, 2);
    list().cmdImgDel_Click();
    EXPECT_EQ(document->imageCount, 2);
    EXPECT_EQ(window->state().selectedImage, 1);
    EXPECT_EQ(window->state().selectedSlot, 1);
    EXPECT_TRUE(find("pImg_2")->isHidden());
    EXPECT_EQ(caption(), "2 / 2");
}

TEST_F(WindowTest, DeletingFromAScrolledListKeepsTheSlotsInStep) {
    for (int i = 0; i < 6; ++i)
        list().cmdImgNew_Click();
    ASSERT_EQ(document->imageCount, 7);
    // Selected: image 6 in slot 5, list scrolled by one. Delete it.
    list().cmdImgDel_Click();
    EXPECT_EQ(document->imageCount, 6);
    EXPECT_FALSE(find<QScrollBar>("vsBerImg")->isEnabled());
    EXPECT_EQ(window->state().selectedImage, 5);
    EXPECT_EQ(list().slotMap[window->state().selectedSlot], 5);
    for (int s = 0; s < 6; ++s)
        EXPECT_EQ(list().slotMap[static_cast<std::size_t>(s)], s);
}

// Eight images, each told apart by its colour and hotspot, shown again from the document.
void makeEightImages(ui::frmICON& window, IconDocument& d) {
    for (int i = 0; i < 7; ++i)
        window.imageList().cmdImgNew_Click();
    ASSERT_EQ(d.imageCount, 8);
    for (int i = 0; i < 8; ++i) {
        IconImage& im = d.images[static_cast<std::size_t>(i)];
        im.pixels.fill(makeColour(10 * i, 200 - 10 * i, 40));
        im.hotspotX = static_cast<std::int16_t>(i);
        im.hotspotY = static_cast<std::int16_t>(i + 1);
    }
}

TEST_F(WindowTest, DeletingAtTheBottomOfTheListCommitsNothingOfTheDeletedImage) {
    makeEightImages(*window, *document);
    scrollList(2); // images 2 to 7 shown
    list().pImg_Click(2);
    ASSERT_EQ(window->state().selectedImage, 4);
    const IconImage former5 = image(5);
    drawCells({{7, 7}});                    // a dot on image 4, still in the canvas
    find<QLineEdit>("tXhs")->setText("30"); // and a hotspot typed in, not committed
    list().cmdImgDel_Click();
    ASSERT_EQ(document->imageCount, 7);
    EXPECT_EQ(find<QScrollBar>("vsBerImg")->value(), 1) << "the list moved up with its shorter range";
    EXPECT_EQ(window->state().selectedImage, 4);
    EXPECT_EQ(window->state().selectedSlot, 3);
    EXPECT_EQ(list().slotMap[3], 4);
    EXPECT_EQ(image(4).pixels(7, 7), former5.pixels(7, 7)) << "image 4 is the former image 5";
    EXPECT_EQ(image(4).hotspotX, 5);
    EXPECT_EQ(image(4).hotspotY, 6);
    for (int i = 0; i < 7; ++i)
        EXPECT_NE(image(i).pixels(7, 7), canvas().leftColour) << "the dot went nowhere but the bin: " << i;
    EXPECT_EQ(ui::fromQRgb(bin().entry(0).pixel(7, 7)), canvas().leftColour);
    EXPECT_EQ(canvas().pixel(7, 7), former5.pixels(7, 7)) << "the canvas shows the image now selected";
    EXPECT_EQ(find<QLineEdit>("tXhs")->text(), "5");
    EXPECT_FALSE(canvas().editBufferChanged);
}

TEST_F(WindowTest, DeletingTheLastImageAtTheBottomLeavesTheOneBeforeAsItWas) {
    makeEightImages(*window, *document);
    scrollList(2);
    list().pImg_Click(5);
    ASSERT_EQ(window->state().selectedImage, 7);
    const IconImage former6 = image(6);
    drawCells({{1, 1}});
    list().cmdImgDel_Click();
    ASSERT_EQ(document->imageCount, 7);
    EXPECT_EQ(window->state().selectedImage, 6);
    EXPECT_EQ(list().slotMap[static_cast<std::size_t>(window->state().selectedSlot)], 6);
    EXPECT_EQ(image(6).pixels(1, 1), former6.pixels(1, 1));
    EXPECT_EQ(image(6).hotspotX, 6);
}

TEST_F(WindowTest, TheUsersScrollingCommitsTheEditedImage) {
    makeEightImages(*window, *document);
    const int selected = window->state().selectedImage;
    drawCells({{4, 4}});
    scrollList(0);
    EXPECT_EQ(image(selected).pixels(4, 4), canvas().leftColour);
    EXPECT_FALSE(canvas().editBufferChanged);
}

TEST_F(WindowTest, DeletingAnImageRemovesOnlyItsAnimationSteps) {
    list().cmdImgNew_Click();
    list().cmdImgNew_Click();
    window->state().sequenceMade = true;
    document->steps[0] = {0, 8};
    document->steps[1] = {2, 9};
    document->steps[2] = {1, 10};
    document->steps[3] = {2, 11};
    document->stepCount = 4;
    list().pImg_Click(1);
    list().cmdImgDel_Click();
    ASSERT_EQ(document->stepCount, 3);
    EXPECT_EQ(document->steps[0], (AnimationStep{0, 8}));
    EXPECT_EQ(document->steps[1], (AnimationStep{1, 9}));
    EXPECT_EQ(document->steps[2], (AnimationStep{1, 11}));
}

TEST_F(WindowTest, CommitWithTheChangedFlagClearLeavesThePixels) {
    canvas().workBuffer(canvas().imageOffsetX + 2, canvas().imageOffsetY + 2) = 0x00FF00;
    ASSERT_FALSE(canvas().editBufferChanged);
    window->CommitEditedImage();
    EXPECT_EQ(image(0).pixels(2, 2), settings.markers.transparent);
    EXPECT_FALSE(window->state().modified);
    drawCells({{3, 3}});
    EXPECT_TRUE(canvas().editBufferChanged);
    window->CommitEditedImage();
    EXPECT_FALSE(canvas().editBufferChanged);
    EXPECT_EQ(image(0).pixels(3, 3), canvas().leftColour);
}

TEST_F(WindowTest, CommitStoresTheHotspotBoxesAsWholeNumbers) {
    auto* x = find<QLineEdit>("tXhs");
    auto* y = find<QLineEdit>("tYhs");
    x->setText("12.5");
    y->setText("abc");
    window->CommitEditedImage();
    EXPECT_EQ(image(0).hotspotX, 12) << "halves go to the even number";
    EXPECT_EQ(image(0).hotspotY, 0);
    EXPECT_TRUE(window->state().modified);
    window->state().modified = false;
    x->setText("12");
    y->setText("0");
    window->CommitEditedImage();
    EXPECT_FALSE(window->state().modified) << "unchanged boxes store nothing";
    x->setText("-4");
    window->CommitEditedImage();
    EXPECT_EQ(image(0).hotspotX, 0);
}

TEST_F(WindowTest, ClickingASlotShowsItsImageAndDerivesTheDepth) {
    list().cmdImgNew_Click();
    image(0).pixels.fill(0x0000FF);
    image(0).pixels(1, 1) = 0x00FF00;
    image(0).pixels(2, 1) = 0xFF0000;
    list().pImg_Click(0);
    EXPECT_EQ(window->state().selectedImage, 0);
    EXPECT_EQ(image(0).depth, 16);
    EXPECT_EQ(text("lWIi_0"), "16");
    EXPECT_TRUE(action("M_E_Gen")->isEnabled());
    EXPECT_EQ(canvas().pixel(1, 1), 0x00FF00);
    // A completely transparent image counts one colour.
    list().pImg_Click(1);
    EXPECT_EQ(text("lWIi_0"), "2");
    EXPECT_FALSE(action("M_E_Gen")->isEnabled());
}

} // namespace vantle::test
