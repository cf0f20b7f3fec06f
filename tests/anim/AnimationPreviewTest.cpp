// The animation preview of the real window: start, the ticks of timRun, the frame's place by its
// hotspot, stop, and what showing the tab does to a running preview.

#include "AnimationFixture.h"

namespace vantle::test {
namespace {

class PreviewTest : public AnimationTest {
  protected:
    // Which image the frame shows, told by its colour.
    int shownImage() const {
        const QImage picture = frame()->picture();
        if (picture.isNull())
            return -1;
        const colourRGB c = fromQRgb(picture.pixel(5, 5));
        for (int i = 0; i < document->imageCount; ++i)
            if (c == colourOf(i))
                return i;
        return -2;
    }
    QPoint centre() const { return area().topLeft() + QPoint(65, 65); }
};

TEST_F(PreviewTest, RatesEightAndFourAlternate120And60Milliseconds) {
    makeImages(2);
    showTab();
    rateBox(1)->setText("4");
    preview().cmdAniRun_Click();
    std::vector<int> intervals;
    std::vector<int> images;
    for (int tick = 0; tick < 4; ++tick) {
        preview().timRun_Timer();
        intervals.push_back(timRun()->interval());
        images.push_back(shownImage());
    }
    EXPECT_EQ(intervals, (std::vector<int>{120, 60, 120, 60}));
    EXPECT_EQ(images, (std::vector<int>{0, 1, 0, 1}));
}

TEST_F(PreviewTest, WithHotspotsZeroEveryFrameStartsAtTheCentre) {
    makeImages(3);
    showTab();
    EXPECT_EQ(area().size(), QSize(131, 131));
    preview().cmdAniRun_Click();
    EXPECT_EQ(preview().offset, (PreviewPoint{0, 0}));
    for (int tick = 0; tick < 3; ++tick) {
        preview().timRun_Timer();
        EXPECT_EQ(frame()->geometry(), QRect(centre(), QSize(32, 32))) << "tick " << tick;
    }
}

TEST_F(PreviewTest, HotspotThirtyOneLiesOnTheCentre) {
    makeImages(1);
    showTab();
    document->images[0].hotspotX = 31;
    document->images[0].hotspotY = 31;
    preview().cmdAniRun_Click();
    EXPECT_EQ(preview().offset, (PreviewPoint{0, 0}));
    preview().timRun_Timer();
    EXPECT_EQ(frame()->pos(), centre() - QPoint(31, 31));
    EXPECT_EQ(frame()->size(), QSize(32, 32));
}

TEST_F(PreviewTest, ALargeHotspotOfAnyImageShiftsEveryFrame) {
    makeImages(3);
    showTab();
    panel().iAni_Click(2);
    panel().cmdAniDel_Click(); // image 2 is no longer in the sequence but still counts
    document->images[2].hotspotX = 100;
    document->images[2].hotspotY = 70;
    document->images[1].hotspotX = 10;
    preview().cmdAniRun_Click();
    EXPECT_EQ(preview().offset, (PreviewPoint{35, 5}));
    preview().timRun_Timer();
    EXPECT_EQ(frame()->pos(), centre() + QPoint(35, 5));
    preview().timRun_Timer();
    EXPECT_EQ(frame()->pos(), centre() + QPoint(35 - 10, 5));
}

TEST_F(PreviewTest, StopHidesTheFrameAndStartBeginsAgainWithStepZero) {
    makeImages(3);
    showTab();
    preview().cmdAniRun_Click();
    preview().timRun_Timer();
    preview().timRun_Timer();
    EXPECT_EQ(shownImage(), 1);
    preview().cmdAniStop_Click();
    EXPECT_FALSE(timRun()->isActive());
    EXPECT_TRUE(frame()->isHidden());
    EXPECT_TRUE(frame()->picture().isNull());
    preview().cmdAniRun_Click();
    preview().timRun_Timer();
    EXPECT_EQ(shownImage(), 0);
}

TEST_F(PreviewTest, StartWhilePlayingRestartsFromStepZero) {
    makeImages(3);
    showTab();
    preview().cmdAniRun_Click();
    preview().timRun_Timer();
    preview().timRun_Timer();
    preview().cmdAniRun_Click();
    EXPECT_TRUE(timRun()->isActive());
    EXPECT_EQ(timRun()->interval(), 1); // the first frame comes at once
    EXPECT_EQ(preview().timerMode, ui::AnimationPreviewPanel::kPlay);
    EXPECT_FALSE(frame()->isHidden());
    preview().timRun_Timer();
    EXPECT_EQ(shownImage(), 0);
}

TEST_F(PreviewTest, ShowingTheTabStopsThePreview) {
    makeImages(2);
    showTab();
    preview().cmdAniRun_Click();
    preview().timRun_Timer();
    showTab();
    EXPECT_FALSE(timRun()->isActive());
    EXPECT_TRUE(frame()->isHidden());
}

TEST_F(PreviewTest, StartWithoutStepsDoesNothing) {
    window->ResetDocument();
    showTab();
    preview().cmdAniRun_Click();
    EXPECT_FALSE(timRun()->isActive());
    EXPECT_TRUE(frame()->isHidden());
}

TEST_F(PreviewTest, EditsWhilePlayingAreFollowedAndThePositionWraps) {
    makeImages(3);
    showTab();
    preview().cmdAniRun_Click();
    preview().timRun_Timer();
    preview().timRun_Timer(); // position 2 next
    panel().iAni_Click(2);
    panel().cmdAniDel_Click(); // two steps left: position 2 is past the end
    preview().timRun_Timer();
    EXPECT_EQ(shownImage(), 0);
    rateBox(1)->setText("2");
    preview().timRun_Timer();
    EXPECT_EQ(shownImage(), 1);
    EXPECT_EQ(timRun()->interval(), 30);
}

TEST_F(PreviewTest, StepsWithoutTheirImageAreSkipped) {
    makeImages(3);
    showTab();
    document->steps[1].imageIndex = 40;
    preview().cmdAniRun_Click();
    std::vector<int> images;
    for (int tick = 0; tick < 4; ++tick) {
        preview().timRun_Timer();
        images.push_back(shownImage());
    }
    EXPECT_EQ(images, (std::vector<int>{0, 2, 0, 2}));
}

TEST_F(PreviewTest, RatesOutsideTheTimersRangeAreBounded) {
    makeImages(2);
    showTab();
    rateBox(0)->setText("0");
    rateBox(1)->setText("99999999999");
    preview().cmdAniRun_Click();
    preview().timRun_Timer();
    EXPECT_EQ(timRun()->interval(), 15);
    preview().timRun_Timer();
    EXPECT_EQ(timRun()->interval(), 60000);
}

TEST_F(PreviewTest, DeletingEveryStepWhilePlayingStopsThePreview) {
    makeImages(1);
    showTab();
    preview().cmdAniRun_Click();
    preview().timRun_Timer();
    panel().cmdAniDel_Click();
    preview().timRun_Timer();
    EXPECT_FALSE(timRun()->isActive());
    EXPECT_TRUE(frame()->isHidden());
}

TEST_F(PreviewTest, TheAreaHasTheTransparentColourAndFramesBlendIn) {
    makeImages(1);
    document->images[0].pixels.fill(settings.markers.transparent);
    document->images[0].pixels(0, 0) = 0x0000FF;
    window->DrawImageSlot(0, 0);
    showTab();
    preview().cmdAniRun_Click();
    preview().timRun_Timer();
    const QImage shot = find("fAniRun")->grab().toImage();
    const QPoint c = centre();
    EXPECT_EQ(fromQRgb(shot.pixel(area().topLeft() + QPoint(3, 3))), settings.markers.transparent);
    EXPECT_EQ(fromQRgb(shot.pixel(c)), 0x0000FF);
    EXPECT_EQ(fromQRgb(shot.pixel(c + QPoint(1, 0))), settings.markers.transparent);
    EXPECT_EQ(fromQRgb(shot.pixel(c + QPoint(20, 20))), settings.markers.transparent);
}

} // namespace
} // namespace vantle::test
