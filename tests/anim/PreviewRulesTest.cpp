// The preview's placement of frames by their hotspots, the interval of a step and the order of the steps.

#include "anim/PreviewRules.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace vantle {
namespace {

constexpr PreviewArea kArea{87, 28, 131, 131};
constexpr int kCentreX = 87 + 65;
constexpr int kCentreY = 28 + 65;

TEST(FrameInterval, IsFifteenMillisecondsPerRateUnit) {
    EXPECT_EQ(frameInterval(8), 120);
    EXPECT_EQ(frameInterval(4), 60);
    EXPECT_EQ(frameInterval(1), 15);
    EXPECT_EQ(frameInterval(999), 14985);
}

TEST(FrameInterval, RatesOutsideTheTimersRangeAreBounded) {
    EXPECT_EQ(frameInterval(0), 15);
    EXPECT_EQ(frameInterval(-20), 15);
    EXPECT_EQ(frameInterval(INT_MIN), 15);
    EXPECT_EQ(frameInterval(kLongestRate), 60000);
    EXPECT_EQ(frameInterval(kLongestRate + 1), 60000);
    EXPECT_EQ(frameInterval(INT_MAX), 60000);
}

TEST(FramePosition, HotspotZeroPutsTheCornerOnTheCentre) {
    const PreviewPoint offset = previewOffset(kArea, {0, 0});
    EXPECT_EQ(offset, (PreviewPoint{0, 0}));
    EXPECT_EQ(framePosition(kArea, {0, 0}, offset), (PreviewPoint{kCentreX, kCentreY}));
}

TEST(FramePosition, HotspotThirtyOneFitsWithoutOffset) {
    const PreviewPoint offset = previewOffset(kArea, {31, 31});
    EXPECT_EQ(offset, (PreviewPoint{0, 0}));
    EXPECT_EQ(framePosition(kArea, {31, 31}, offset), (PreviewPoint{kCentreX - 31, kCentreY - 31}));
}

TEST(FramePosition, AHotspotBeyondTheCentreShiftsEveryFrame) {
    // Half of 131 is 65: a hotspot of 70 needs 5 more, a hotspot of 65 still fits.
    const PreviewPoint offset = previewOffset(kArea, {70, 65});
    EXPECT_EQ(offset, (PreviewPoint{5, 0}));
    EXPECT_EQ(framePosition(kArea, {70, 65}, offset), (PreviewPoint{kArea.left, kArea.top}));
    EXPECT_EQ(framePosition(kArea, {0, 0}, offset), (PreviewPoint{kCentreX + 5, kCentreY}));
}

TEST(FramePosition, NoFrameStartsAboveOrLeftOfTheArea) {
    EXPECT_EQ(framePosition(kArea, {300, 66}, {0, 0}), (PreviewPoint{kArea.left, kArea.top}));
    EXPECT_EQ(framePosition(kArea, {66, 10}, {0, 0}), (PreviewPoint{kArea.left, kCentreY - 10}));
}

TEST(LargestHotspot, CountsEveryImageNotOnlyTheSequence) {
    IconDocument d;
    d.imageCount = 3;
    d.images[0].hotspotX = 4;
    d.images[0].hotspotY = 40;
    d.images[2].hotspotX = 90;
    d.images[2].hotspotY = 1;
    d.images[5].hotspotX = 500; // not an image of the document
    d.steps[0] = {0, 8};
    d.stepCount = 1;
    EXPECT_EQ(largestHotspot(d), (PreviewPoint{90, 40}));
    IconDocument empty;
    EXPECT_EQ(largestHotspot(empty), (PreviewPoint{0, 0}));
}

TEST(PlayOrder, WrapsAtTheStepCount) {
    IconDocument d;
    d.imageCount = 2;
    d.steps[0] = {0, 8};
    d.steps[1] = {1, 4};
    d.stepCount = 2;
    std::vector<int> shown;
    int position = 0;
    for (int i = 0; i < 5; ++i) {
        const int step = playableStep(d, position);
        shown.push_back(step);
        position = nextPosition(d, step);
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 0, 1, 0}));
}

TEST(PlayOrder, OneStepShowsAgainOnEveryTick) {
    IconDocument d;
    d.imageCount = 1;
    d.steps[0] = {0, 8};
    d.stepCount = 1;
    EXPECT_EQ(nextPosition(d, 0), 0);
    EXPECT_EQ(playableStep(d, 0), 0);
}

TEST(PlayOrder, APositionPastTheStepsStartsAgainAtZero) {
    IconDocument d;
    d.imageCount = 1;
    d.steps[0] = {0, 8};
    d.steps[1] = {0, 8};
    d.stepCount = 2;
    EXPECT_EQ(playableStep(d, 5), 0); // steps were deleted while playing
    EXPECT_EQ(playableStep(d, -1), 0);
}

TEST(PlayOrder, StepsWithoutTheirImageAreSkipped) {
    IconDocument d;
    d.imageCount = 2;
    d.steps[0] = {0, 8};
    d.steps[1] = {9, 8};
    d.steps[2] = {-1, 8};
    d.steps[3] = {1, 8};
    d.stepCount = 4;
    EXPECT_EQ(playableStep(d, 1), 3);
    EXPECT_EQ(playableStep(d, 2), 3);
    d.steps[3] = {2, 8};
    EXPECT_EQ(playableStep(d, 1), 0); // wraps round to the one step that shows an image
    d.steps[0] = {5, 8};
    EXPECT_EQ(playableStep(d, 0), -1);
}

TEST(PlayOrder, NoStepsNothingToPlay) {
    IconDocument d;
    d.imageCount = 1;
    EXPECT_EQ(playableStep(d, 0), -1);
}

} // namespace
} // namespace vantle
