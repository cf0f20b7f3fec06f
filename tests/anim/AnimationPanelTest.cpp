// The animation strip of the real window: filling it, selecting, inserting, deleting, scrolling, typed
// values and the rate spin buttons.

#include "AnimationFixture.h"

#include <QApplication>

namespace vantle::test {
namespace {

TEST_F(AnimationTest, ShowingTheTabForThreeImagesMakesTheDefaultSequence) {
    makeImages(3);
    document->defaultRate = 8;
    showTab();
    EXPECT_TRUE(window->state().sequenceMade);
    EXPECT_EQ(steps(), (std::vector<AnimationStep>{{0, 8}, {1, 8}, {2, 8}}));
    EXPECT_EQ(shownSlots(), 3);
    EXPECT_FALSE(strip()->isEnabled());
    EXPECT_EQ(strip()->maximum(), 0);
    EXPECT_EQ(panel().selectedStep(), 0);
    EXPECT_EQ(stripCaption(), "1 / 3 ｱﾆﾒｰｼｮﾝ");
    expectFrameOn(0);
    expectSlotsFollowSteps();
    EXPECT_TRUE(enabled("cmdAniDel"));
    EXPECT_TRUE(enabled("cmdAniRun"));
    EXPECT_TRUE(enabled("cmdAniStop"));
    EXPECT_EQ(find<QLineEdit>("tAniInfo_0")->text().toStdString(), IconDocument::kNewTitle);
    EXPECT_EQ(find<QLineEdit>("tAniInfo_1")->text().toStdString(), IconDocument::kNewAuthor);
    EXPECT_EQ(find<QLineEdit>("tAniInfoRate")->text().toStdString(), "8");
    EXPECT_FALSE(window->state().modified); // showing the sequence is no edit
    const ui::PictureBoxWidget* first = slotPicture(0);
    EXPECT_EQ(first->size(), QSize(32, 32));
}

TEST_F(AnimationTest, ADocumentWithoutImagesShowsNoSequence) {
    window->ResetDocument();
    showTab();
    EXPECT_FALSE(window->state().sequenceMade);
    EXPECT_EQ(document->stepCount, 0);
    EXPECT_EQ(shownSlots(), 0);
    EXPECT_FALSE(enabled("cmdAniDel"));
    EXPECT_FALSE(enabled("cmdAniRun"));
    EXPECT_FALSE(enabled("cmdAniStop"));
    EXPECT_EQ(stripCaption(), "?? / ?? ｱﾆﾒｰｼｮﾝ");
}

TEST_F(AnimationTest, ASequenceReadFromAFileIsShownAsRead) {
    makeImages(3);
    document->steps[0] = {2, 5};
    document->steps[1] = {2, 6};
    document->stepCount = 2;
    window->state().sequenceMade = true;
    showTab();
    EXPECT_EQ(steps(), (std::vector<AnimationStep>{{2, 5}, {2, 6}}));
    EXPECT_EQ(shownSlots(), 2);
    expectSlotsFollowSteps();
    EXPECT_EQ(stripCaption(), "1 / 2 ｱﾆﾒｰｼｮﾝ");
}

TEST_F(AnimationTest, ClickingASlotSelectsItsStep) {
    makeImages(3);
    showTab();
    panel().iAni_Click(2);
    EXPECT_EQ(panel().selectedStep(), 2);
    EXPECT_EQ(panel().selectedStepSlot(), 2);
    EXPECT_EQ(stripCaption(), "3 / 3 ｱﾆﾒｰｼｮﾝ");
    expectFrameOn(2);
}

TEST_F(AnimationTest, InsertPutsTheCurrentImageBehindTheSelectedStep) {
    makeImages(3); // image 2 is the current image
    showTab();
    panel().iAni_Click(0);
    panel().cmdAniIn_Click();
    EXPECT_EQ(steps(), (std::vector<AnimationStep>{{0, 8}, {2, 8}, {1, 8}, {2, 8}}));
    EXPECT_EQ(panel().selectedStep(), 1);
    EXPECT_EQ(stripCaption(), "2 / 4 ｱﾆﾒｰｼｮﾝ");
    EXPECT_EQ(shownSlots(), 4);
    expectSlotsFollowSteps();
    expectFrameOn(1);
    EXPECT_TRUE(window->state().modified);
}

TEST_F(AnimationTest, InsertWithTheSelectionInSlotFiveScrollsTheStrip) {
    makeImages(6);
    list().pImg_Click(0); // the current image is image 0
    showTab();
    panel().iAni_Click(5);
    panel().cmdAniIn_Click();
    ASSERT_EQ(document->stepCount, 7);
    EXPECT_EQ(document->steps[6], (AnimationStep{0, 8}));
    EXPECT_TRUE(strip()->isEnabled());
    EXPECT_EQ(strip()->maximum(), 1);
    EXPECT_EQ(strip()->value(), 1);
    EXPECT_EQ(panel().selectedStep(), 6);
    EXPECT_EQ(panel().selectedStepSlot(), 5);
    EXPECT_EQ(stripCaption(), "7 / 7 ｱﾆﾒｰｼｮﾝ");
    EXPECT_EQ(numberOf(0), "2");
    EXPECT_EQ(numberOf(5), "1");
    expectSlotsFollowSteps();
    expectFrameOn(5);
}

TEST_F(AnimationTest, InsertIntoAnEmptySequenceMakesOneStep) {
    makeImages(2);
    showTab();
    panel().cmdAniDel_Click();
    panel().cmdAniDel_Click();
    ASSERT_EQ(document->stepCount, 0);
    panel().cmdAniIn_Click();
    EXPECT_EQ(steps(), (std::vector<AnimationStep>{{1, 8}}));
    EXPECT_EQ(panel().selectedStepSlot(), 0);
    EXPECT_EQ(stripCaption(), "1 / 1 ｱﾆﾒｰｼｮﾝ");
    EXPECT_EQ(shownSlots(), 1);
    expectSlotsFollowSteps();
    EXPECT_TRUE(enabled("cmdAniDel"));
    EXPECT_TRUE(enabled("cmdAniRun"));
    EXPECT_TRUE(enabled("cmdAniStop"));
}

TEST_F(AnimationTest, InsertUsesTheCommonRateTypedBefore) {
    makeImages(2);
    showTab();
    find<QLineEdit>("tAniInfoRate")->setText("20");
    EXPECT_EQ(document->defaultRate, 20);
    EXPECT_EQ(steps(), (std::vector<AnimationStep>{{0, 8}, {1, 8}})); // existing steps keep their rates
    panel().cmdAniIn_Click();
    EXPECT_EQ(steps(), (std::vector<AnimationStep>{{0, 8}, {1, 20}, {1, 8}}));
    EXPECT_EQ(rateBox(1)->text().toStdString(), "20");
}

TEST_F(AnimationTest, InsertGrowsTheStepStorage) {
    makeImages(1);
    showTab();
    for (int i = 0; i < 32; ++i)
        panel().cmdAniIn_Click();
    EXPECT_EQ(document->stepCount, 33);
    EXPECT_EQ(document->stepCapacity(), 64);
    EXPECT_EQ(panel().selectedStep(), 32);
    EXPECT_EQ(strip()->value(), 27);
    expectSlotsFollowSteps();
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(AnimationTest, DeletingTheOnlyStepEmptiesTheStrip) {
    makeImages(1);
    showTab();
    panel().cmdAniDel_Click();
    EXPECT_EQ(document->stepCount, 0);
    EXPECT_EQ(stripCaption(), "?? / 0 ｱﾆﾒｰｼｮﾝ");
    EXPECT_EQ(shownSlots(), 0);
    EXPECT_FALSE(enabled("cmdAniDel"));
    EXPECT_FALSE(enabled("cmdAniRun"));
    EXPECT_FALSE(enabled("cmdAniStop"));
    EXPECT_FALSE(window->state().sequenceMade);
    EXPECT_TRUE(window->state().modified);
    // Without steps a further delete does nothing.
    panel().cmdAniDel_Click();
    EXPECT_EQ(document->stepCount, 0);
}

TEST_F(AnimationTest, DeletingTheLastOfFourSelectsTheNewLast) {
    makeImages(4);
    showTab();
    panel().iAni_Click(3);
    panel().cmdAniDel_Click();
    EXPECT_EQ(steps(), (std::vector<AnimationStep>{{0, 8}, {1, 8}, {2, 8}}));
    EXPECT_EQ(panel().selectedStep(), 2);
    EXPECT_EQ(panel().selectedStepSlot(), 2);
    EXPECT_EQ(stripCaption(), "3 / 3 ｱﾆﾒｰｼｮﾝ");
    EXPECT_EQ(shownSlots(), 3);
    expectFrameOn(2);
}

TEST_F(AnimationTest, DeletingAMiddleStepMovesTheLaterOnesUp) {
    makeImages(4);
    showTab();
    rateBox(2)->setText("3");
    panel().iAni_Click(1);
    panel().cmdAniDel_Click();
    EXPECT_EQ(steps(), (std::vector<AnimationStep>{{0, 8}, {2, 3}, {3, 8}}));
    EXPECT_EQ(panel().selectedStep(), 1);
    expectSlotsFollowSteps();
}

TEST_F(AnimationTest, DeletingBelowSevenStepsStopsTheScrolling) {
    makeImages(7);
    showTab();
    strip()->setValue(1);
    panel().iAni_Click(5); // step 6, the last
    panel().cmdAniDel_Click();
    EXPECT_EQ(document->stepCount, 6);
    EXPECT_FALSE(strip()->isEnabled());
    EXPECT_EQ(strip()->maximum(), 0);
    EXPECT_EQ(strip()->value(), 0);
    EXPECT_EQ(panel().selectedStep(), 5);
    EXPECT_EQ(shownSlots(), 6);
    expectSlotsFollowSteps();
    expectFrameOn(5);
}

TEST_F(AnimationTest, ScrollingShowsLaterStepsAndTheFrameOnlyWithTheSelectedStep) {
    makeImages(8);
    showTab();
    EXPECT_TRUE(strip()->isEnabled());
    EXPECT_EQ(strip()->maximum(), 2);
    panel().iAni_Click(1);
    strip()->setValue(2);
    expectSlotsFollowSteps();
    EXPECT_EQ(numberOf(0), "3");
    EXPECT_TRUE(find("spAniSW")->isHidden());
    strip()->setValue(1);
    expectFrameOn(0);
    EXPECT_EQ(panel().selectedStep(), 1);
}

TEST_F(AnimationTest, InsertWithTheSelectionScrolledAwayShowsItAgainFirst) {
    makeImages(8); // image 7 is the current image
    showTab();
    panel().iAni_Click(0); // step 0
    strip()->setValue(2);
    panel().cmdAniIn_Click();
    EXPECT_EQ(document->steps[1], (AnimationStep{7, 8}));
    EXPECT_EQ(strip()->value(), 0);
    EXPECT_EQ(panel().selectedStep(), 1);
    EXPECT_EQ(panel().selectedStepSlot(), 1);
    expectSlotsFollowSteps();
    expectFrameOn(1);
}

TEST_F(AnimationTest, DeleteWithTheSelectionScrolledAwayDeletesTheSelectedStep) {
    makeImages(8);
    showTab();
    panel().iAni_Click(0);
    strip()->setValue(2);
    panel().cmdAniDel_Click();
    ASSERT_EQ(document->stepCount, 7);
    EXPECT_EQ(document->steps[0], (AnimationStep{1, 8}));
    EXPECT_EQ(strip()->value(), 0);
    EXPECT_EQ(panel().selectedStep(), 0);
    expectSlotsFollowSteps();
}

TEST_F(AnimationTest, DeletingAnImageRefillsTheStrip) {
    makeImages(3);
    showTab();
    list().pImg_Click(1);
    list().cmdImgDel_Click();
    EXPECT_EQ(steps(), (std::vector<AnimationStep>{{0, 8}, {1, 8}}));
    EXPECT_EQ(shownSlots(), 2);
    expectSlotsFollowSteps();
    EXPECT_EQ(stripCaption(), "1 / 2 ｱﾆﾒｰｼｮﾝ");
}

TEST_F(AnimationTest, RefillingWithFewerThanSevenStepsStartsTheStripAtStepZero) {
    makeImages(8);
    showTab();
    strip()->setValue(2);
    list().cmdImgDel_Click();
    list().cmdImgDel_Click();
    ASSERT_EQ(document->stepCount, 6);
    EXPECT_EQ(strip()->value(), 0);
    EXPECT_EQ(strip()->maximum(), 0);
    EXPECT_FALSE(strip()->isEnabled());
    EXPECT_EQ(panel().selectedStep(), 0);
    EXPECT_EQ(stripCaption(), "1 / 6 ｱﾆﾒｰｼｮﾝ");
    expectSlotsFollowSteps();
}

TEST_F(AnimationTest, ASequenceThatLostItsStepsWithItsImagesSaysSo) {
    makeImages(2);
    document->steps[0] = {1, 8};
    document->stepCount = 1;
    window->state().sequenceMade = true;
    showTab();
    ASSERT_EQ(stripCaption(), "1 / 1 ｱﾆﾒｰｼｮﾝ");
    list().pImg_Click(1);
    list().cmdImgDel_Click();
    EXPECT_EQ(document->stepCount, 0);
    EXPECT_EQ(shownSlots(), 0);
    EXPECT_EQ(stripCaption(), "?? / 0 ｱﾆﾒｰｼｮﾝ");
    EXPECT_FALSE(enabled("cmdAniDel"));
}

TEST_F(AnimationTest, NewImagesWhileTheTabShowsFollowTheSequence) {
    makeImages(2);
    showTab();
    list().pImg_Click(0);
    list().cmdImgNew_Click(); // new image 1, the old image 1 becomes 2
    EXPECT_EQ(steps(), (std::vector<AnimationStep>{{0, 8}, {2, 8}}));
    expectSlotsFollowSteps();
}

TEST_F(AnimationTest, ANewDocumentForgetsTheSequence) {
    makeImages(3);
    showTab();
    panel().iAni_Click(2);
    window->ResetDocument();
    EXPECT_FALSE(window->state().sequenceMade);
    EXPECT_EQ(panel().selectedStep(), 0);
    EXPECT_EQ(panel().selectedStepSlot(), 0);
    EXPECT_EQ(stripCaption(), "?? / ?? ｱﾆﾒｰｼｮﾝ");
    EXPECT_EQ(shownSlots(), 0);
    EXPECT_FALSE(strip()->isEnabled());
    for (int slot : panel().slotImages())
        EXPECT_EQ(slot, -1);
}

TEST_F(AnimationTest, SlotPicturesAreStretchedToThirtyTwoPixels) {
    makeImages(1);
    find<QComboBox>("cbImgSiz")->setCurrentIndex(0);
    list().cmdImgNew_Click(); // image 1, 16 x 16
    IconImage& small = document->images[1];
    ASSERT_EQ(small.width, 16);
    small.pixels.fill(0x102030);
    small.pixels(3, 5) = 0x0000FF;
    window->DrawImageSlot(1, 1);
    showTab();
    const QImage shown = slotPicture(1)->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const colourRGB expected = (x / 2 == 3 && y / 2 == 5) ? 0x0000FF : 0x102030;
            ASSERT_EQ(fromQRgb(shown.pixel(x, y)), expected) << "pixel (" << x << ", " << y << ")";
        }
}

TEST_F(AnimationTest, SlotPicturesComeFromTheImageListOrFromThePixels) {
    makeImages(7); // the image list now shows images 1..6
    ASSERT_EQ(list().slotMap[0], 1);
    // A pixel drawn in the image list but not yet in the image: the strip shows what the list shows.
    list().slot(0).setPixel(4, 4, 0x00FF00);
    // Image 0 is not in the list: the strip renders the stored pixels, markers as their colours.
    document->images[0].pixels(2, 3) = settings.markers.inverted;
    showTab();
    const QImage fromPixels = slotPicture(0)->picture();
    EXPECT_EQ(fromQRgb(fromPixels.pixel(2, 3)), settings.markers.inverted);
    EXPECT_EQ(fromQRgb(fromPixels.pixel(5, 5)), colourOf(0));
    const QImage fromList = slotPicture(1)->picture();
    EXPECT_EQ(fromQRgb(fromList.pixel(4, 4)), 0x00FF00);
    EXPECT_EQ(fromQRgb(fromList.pixel(5, 5)), colourOf(1));
    EXPECT_EQ(document->images[1].pixels(4, 4), colourOf(1));
}

TEST_F(AnimationTest, TypedRatesTakeTheLeadingNumber) {
    makeImages(3);
    showTab();
    rateBox(1)->setText("12abc");
    EXPECT_EQ(document->steps[1].rate, 12);
    rateBox(1)->setText("abc");
    EXPECT_EQ(document->steps[1].rate, 0);
    rateBox(2)->setText("7.5");
    EXPECT_EQ(document->steps[2].rate, 8);
    EXPECT_EQ(document->steps[0].rate, 8);
}

TEST_F(AnimationTest, TypedRatesGoToTheStepTheSlotShows) {
    makeImages(8);
    showTab();
    strip()->setValue(2);
    rateBox(0)->setText("33");
    EXPECT_EQ(document->steps[2].rate, 33);
    EXPECT_EQ(document->steps[0].rate, 8);
}

TEST_F(AnimationTest, TypedInformationGoesIntoTheDocument) {
    makeImages(1);
    showTab();
    EXPECT_FALSE(window->state().modified);
    find<QLineEdit>("tAniInfo_0")->setText("歩く猫");
    find<QLineEdit>("tAniInfo_1")->setText("someone 2024");
    EXPECT_EQ(document->title, "歩く猫");
    EXPECT_EQ(document->author, "someone 2024");
    // A changed title is work the save question must not lose.
    EXPECT_TRUE(window->state().modified);
}

TEST_F(AnimationTest, OnlyARealChangeOfATypedValueMarksTheDocument) {
    makeImages(2);
    showTab();
    rateBox(0)->setText("8");
    find<QLineEdit>("tAniInfoRate")->setText("8.0");
    EXPECT_FALSE(window->state().modified);
    rateBox(0)->setText("9");
    EXPECT_TRUE(window->state().modified);
    window->setModified(false);
    find<QLineEdit>("tAniInfoRate")->setText("10");
    EXPECT_TRUE(window->state().modified);
}

TEST_F(AnimationTest, ShowingTextThatDoesNotRoundTripIsNoEdit) {
    makeImages(1);
    document->title = "abc\xff"; // not UTF-8: the box shows a replacement character
    document->steps[0] = {0, 2147483647};
    document->stepCount = 1;
    window->state().sequenceMade = true;
    showTab();
    EXPECT_EQ(find<QLineEdit>("tAniInfo_0")->text(), QString::fromUtf8("abc\uFFFD"));
    EXPECT_FALSE(window->state().modified);
}

TEST_F(AnimationTest, HoldingTheUpButtonWrapsFrom999To1) {
    makeImages(1);
    showTab();
    QLineEdit* box = rateBox(0);
    box->setText("998");
    panel().UpDn_AniR_MouseDown(0);
    EXPECT_EQ(box->text().toStdString(), "999");
    EXPECT_EQ(document->steps[0].rate, 999);
    std::vector<std::string> seen;
    for (int tick = 0; tick < 7; ++tick) {
        panel().Timer_UpDn_Timer();
        seen.push_back(box->text().toStdString());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"999", "999", "999", "999", "1", "2", "3"}));
    EXPECT_EQ(document->steps[0].rate, 3);
    EXPECT_TRUE(find<QTimer>("Timer_UpDn_Ani")->isActive());
    panel().UpDn_AniR_MouseUp(0);
    EXPECT_FALSE(find<QTimer>("Timer_UpDn_Ani")->isActive());
    panel().Timer_UpDn_Timer(); // a tick already queued steps, the timer does not come back
    EXPECT_FALSE(find<QTimer>("Timer_UpDn_Ani")->isActive());
}

TEST_F(AnimationTest, TheDownButtonOfASlotWrapsFrom1To999) {
    makeImages(3);
    showTab();
    rateBox(2)->setText("1");
    panel().UpDn_AniR_MouseDown(5); // slot 2, down
    panel().UpDn_AniR_MouseUp(5);
    EXPECT_EQ(rateBox(2)->text().toStdString(), "999");
    EXPECT_EQ(document->steps[2].rate, 999);
    EXPECT_EQ(document->steps[1].rate, 8);
}

TEST_F(AnimationTest, SpinningTextThatIsNoNumberStartsFromZero) {
    makeImages(1);
    showTab();
    rateBox(0)->setText("abc");
    panel().UpDn_AniR_MouseDown(0);
    panel().UpDn_AniR_MouseUp(0);
    EXPECT_EQ(rateBox(0)->text().toStdString(), "1");
    QLineEdit* common = find<QLineEdit>("tAniInfoRate");
    common->setText("");
    panel().UpDn_AIR_MouseDown(1);
    panel().UpDn_AIR_MouseUp(1);
    EXPECT_EQ(common->text().toStdString(), "999");
    EXPECT_EQ(document->defaultRate, 999);
}

TEST_F(AnimationTest, TheCommonRateSpinsAndTheBoxGetsTheFocus) {
    makeImages(1);
    showTab();
    QApplication::setActiveWindow(window.get());
    QLineEdit* common = find<QLineEdit>("tAniInfoRate");
    panel().UpDn_AIR_MouseDown(0);
    panel().UpDn_AIR_MouseUp(0);
    EXPECT_EQ(common->text().toStdString(), "9");
    EXPECT_EQ(document->defaultRate, 9);
    EXPECT_EQ(QApplication::focusWidget(), common);
}

} // namespace
} // namespace vantle::test
