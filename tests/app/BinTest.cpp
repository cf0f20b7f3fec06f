// The deleted-image bin.

#include "support/WindowFixture.h"

#include <QComboBox>
#include <QPushButton>

namespace vantle::test {

TEST_F(WindowTest, TwentyOneDeletionsKeepTheLatestTwenty) {
    for (int i = 0; i < 21; ++i) {
        image(0).pixels(0, 0) = static_cast<colourRGB>(i + 1);
        window->ShowImageInEditor(0);
        window->DrawImageSlot(0, 0);
        list().cmdImgDel_Click();
    }
    EXPECT_EQ(bin().entriesInUse(), 20);
    EXPECT_EQ(ui::fromQRgb(bin().entry(0).pixel(0, 0)), 21);
    EXPECT_EQ(ui::fromQRgb(bin().entry(19).pixel(0, 0)), 2) << "the first deleted image is gone";
}

TEST_F(WindowTest, OpeningTheBinShowsNoMarkerAndDisabledRestoreButtons) {
    list().cmdImgDel_Click();
    window->bin().cmdDelList_Click();
    EXPECT_FALSE(find("fTabS_3")->isHidden());
    EXPECT_TRUE(find("fTabS_0")->isHidden());
    EXPECT_FALSE(find<QPushButton>("cmdDIn")->isEnabled());
    bin().iDel_Click(0);
    EXPECT_TRUE(find<QPushButton>("cmdDIn")->isEnabled());
    EXPECT_FALSE(find("spDelW")->isHidden());
    bin().cmdDelList_Click();
    EXPECT_TRUE(find("spDelW")->isHidden());
    EXPECT_FALSE(find<QPushButton>("cmdDUp")->isEnabled());
    bin().cmdCl_Click();
    EXPECT_FALSE(find("fTabS_0")->isHidden());
    EXPECT_EQ(window->selectedTab(), 1);
}

TEST_F(WindowTest, RestoringAsANewImageInsertsItBehindTheSelectedOne) {
    find<QComboBox>("cbImgSiz")->setCurrentIndex(0);
    list().cmdImgNew_Click(); // image 1: 16 x 16
    image(1).pixels.fill(0x0000FF);
    image(1).pixels(2, 3) = 0x00FF00;
    window->ShowImageInEditor(1);
    window->DrawImageSlot(1, 1);
    list().cmdImgDel_Click();
    ASSERT_EQ(document->imageCount, 1);
    list().pImg_Click(0);
    bin().cmdDelList_Click();
    bin().iDel_Click(0);
    bin().cmdDIn_Click();
    EXPECT_EQ(document->imageCount, 2);
    EXPECT_EQ(window->state().selectedImage, 1);
    EXPECT_EQ(image(1).width, 16);
    EXPECT_EQ(image(1).hotspotX, 0);
    EXPECT_EQ(image(1).depth, 2) << "two colours";
    EXPECT_EQ(image(1).pixels(2, 3), 0x00FF00);
    EXPECT_EQ(bin().entriesInUse(), 1) << "restoring does not take the entry out";
}

TEST_F(WindowTest, RestoringOverTheSelectedImageTakesTheEntrySizeAndKeepsTheHotspot) {
    find<QComboBox>("cbImgSiz")->setCurrentIndex(2);
    list().cmdImgNew_Click(); // image 1: 48 x 48
    image(1).pixels(47, 47) = 0x00FF00;
    window->ShowImageInEditor(1);
    window->DrawImageSlot(1, 1);
    list().cmdImgDel_Click();
    find<QComboBox>("cbImgSiz")->setCurrentIndex(0);
    list().cmdImgNew_Click(); // image 1 now 16 x 16
    image(1).hotspotX = 5;
    image(1).hotspotY = 6;
    window->ShowImageInEditor(1);
    bin().cmdDelList_Click();
    bin().iDel_Click(0);
    bin().cmdDUp_Click();
    EXPECT_EQ(image(1).width, 48);
    EXPECT_EQ(image(1).height, 48);
    EXPECT_EQ(image(1).hotspotX, 5);
    EXPECT_EQ(image(1).hotspotY, 6);
    EXPECT_EQ(image(1).pixels(47, 47), 0x00FF00);
    EXPECT_EQ(canvas().cellWidth, 6);
    EXPECT_TRUE(window->state().modified);
}

// A bin entry of one colour, made by deleting a 16 x 16 image of that colour.
void binAnEntry(ui::frmICON& window, IconDocument& d, colourRGB colour) {
    window.imageList().cmdImgNew_Click();
    IconImage& im = d.images[static_cast<std::size_t>(window.state().selectedImage)];
    im.pixels.fill(colour);
    window.DrawImageSlot(window.state().selectedSlot, window.state().selectedImage);
    window.ShowImageInEditor(window.state().selectedSlot);
    window.imageList().cmdImgDel_Click();
}

TEST_F(WindowTest, RestoringOverTheImageWhileTheAnimationTabIsShownReachesTheCanvas) {
    binAnEntry(*window, *document, 0x00FF00);
    ASSERT_EQ(document->imageCount, 1);
    window->selectTab(1); // the edit tab has shown what the deletion asked it to
    window->selectTab(2);
    bin().cmdDelList_Click();
    bin().iDel_Click(0);
    bin().cmdDUp_Click();
    bin().cmdCl_Click();
    EXPECT_EQ(image(0).pixels(5, 5), 0x00FF00);
    window->selectTab(1);
    EXPECT_EQ(canvas().pixel(5, 5), 0x00FF00) << "the edit tab shows the restored picture";
    drawCells({{1, 1}});
    window->CommitEditedImage();
    EXPECT_EQ(image(0).pixels(5, 5), 0x00FF00) << "the first edit keeps it";
    EXPECT_EQ(image(0).pixels(1, 1), canvas().leftColour);
}

TEST_F(WindowTest, RestoringWhileTheSelectedImageIsScrolledAwayBringsItIntoView) {
    binAnEntry(*window, *document, 0x0000FF);
    for (int i = 0; i < 7; ++i)
        list().cmdImgNew_Click();
    ASSERT_EQ(document->imageCount, 8);
    scrollList(0);
    list().pImg_Click(0);
    scrollList(2); // image 0 is selected, two places above the first slot
    ASSERT_EQ(window->state().selectedSlot, -2);

    bin().cmdDelList_Click();
    bin().iDel_Click(0);
    bin().cmdDIn_Click();
    ASSERT_EQ(document->imageCount, 9);
    const int selected = window->state().selectedImage;
    EXPECT_EQ(selected, 1) << "the entry went in behind image 0";
    EXPECT_EQ(image(1).pixels(0, 0), 0x0000FF);
    ASSERT_GE(window->state().selectedSlot, 0);
    EXPECT_EQ(list().slotMap[static_cast<std::size_t>(window->state().selectedSlot)], selected)
        << "the selected slot shows the selected image";
    EXPECT_FALSE(find("spSW")->isHidden());

    // Delete then bins and removes the same image: the restored one.
    list().cmdImgDel_Click();
    EXPECT_EQ(document->imageCount, 8);
    EXPECT_EQ(ui::fromQRgb(bin().entry(0).pixel(0, 0)), 0x0000FF);
    for (int i = 0; i < 8; ++i)
        EXPECT_NE(image(i).pixels(0, 0), 0x0000FF) << i;

    // Copy over the selected image likewise works on the slot shown.
    list().pImg_Click(0);
    const int over = window->state().selectedImage;
    scrollList(0);
    scrollList(2);
    bin().cmdDelList_Click();
    bin().iDel_Click(0);
    bin().cmdDUp_Click();
    EXPECT_EQ(window->state().selectedImage, over);
    EXPECT_EQ(image(over).pixels(0, 0), 0x0000FF);
    ASSERT_GE(window->state().selectedSlot, 0);
    EXPECT_EQ(list().slotMap[static_cast<std::size_t>(window->state().selectedSlot)], over);
    EXPECT_EQ(list().slot(window->state().selectedSlot).pixel(0, 0), 0x0000FF);
}

} // namespace vantle::test
