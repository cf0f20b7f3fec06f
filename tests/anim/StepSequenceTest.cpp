// The default sequence, inserting a step behind the selected one and deleting the selected step.

#include "anim/StepSequence.h"

#include <gtest/gtest.h>

#include <vector>

namespace vantle {
namespace {

std::vector<AnimationStep> stepsOf(const IconDocument& d) {
    return {d.steps.begin(), d.steps.begin() + d.stepCount};
}

void setSteps(IconDocument& d, const std::vector<AnimationStep>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i)
        d.steps[i] = steps[i];
    d.stepCount = static_cast<std::int32_t>(steps.size());
}

TEST(DefaultSequence, OneStepPerImageWithTheCommonRate) {
    IconDocument d;
    d.imageCount = 3;
    d.defaultRate = 5;
    EXPECT_TRUE(makeDefaultSequence(d));
    EXPECT_EQ(stepsOf(d), (std::vector<AnimationStep>{{0, 5}, {1, 5}, {2, 5}}));
}

TEST(DefaultSequence, NoImagesMakeNoSequence) {
    IconDocument d;
    EXPECT_FALSE(makeDefaultSequence(d));
    EXPECT_EQ(d.stepCount, 0);
}

TEST(DefaultSequence, ReplacesWhatTheStepsHeld) {
    IconDocument d;
    setSteps(d, {{7, 1}, {7, 2}, {7, 3}, {7, 4}});
    d.imageCount = 2;
    EXPECT_TRUE(makeDefaultSequence(d));
    EXPECT_EQ(stepsOf(d), (std::vector<AnimationStep>{{0, 8}, {1, 8}}));
}

TEST(InsertStep, IntoAnEmptySequenceMakesStepZero) {
    IconDocument d;
    d.defaultRate = 6;
    // The selected step of an earlier sequence does not matter once it is empty.
    ASSERT_TRUE(insertStep(d, 4, 2));
    EXPECT_EQ(stepsOf(d), (std::vector<AnimationStep>{{2, 6}}));
}

TEST(InsertStep, GoesBehindTheSelectedStepAndMovesTheLaterOnesWithTheirRates) {
    IconDocument d;
    setSteps(d, {{0, 1}, {1, 2}, {2, 3}});
    d.defaultRate = 9;
    EXPECT_EQ(insertPosition(d, 0), 1);
    ASSERT_TRUE(insertStep(d, 0, 7));
    EXPECT_EQ(stepsOf(d), (std::vector<AnimationStep>{{0, 1}, {7, 9}, {1, 2}, {2, 3}}));
}

TEST(InsertStep, BehindTheLastStepAppends) {
    IconDocument d;
    setSteps(d, {{0, 1}, {1, 2}});
    ASSERT_TRUE(insertStep(d, 1, 0));
    EXPECT_EQ(stepsOf(d), (std::vector<AnimationStep>{{0, 1}, {1, 2}, {0, 8}}));
}

TEST(InsertStep, GrowsTheStorageWhenTheStepsFillIt) {
    IconDocument d;
    ASSERT_EQ(d.stepCapacity(), 32);
    std::vector<AnimationStep> full;
    for (int i = 0; i < 32; ++i)
        full.push_back({i % 3, i});
    setSteps(d, full);
    ASSERT_TRUE(insertStep(d, 31, 1));
    EXPECT_EQ(d.imageCapacity(), 32);
    EXPECT_EQ(d.stepCapacity(), 64);
    ASSERT_EQ(d.stepCount, 33);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(d.steps[static_cast<std::size_t>(i)], full[static_cast<std::size_t>(i)]) << "step " << i;
    EXPECT_EQ(d.steps[32], (AnimationStep{1, 8}));
}

TEST(DeleteStep, LaterStepsMoveForwardWithTheirRates) {
    IconDocument d;
    setSteps(d, {{0, 1}, {1, 2}, {2, 3}, {3, 4}});
    deleteStep(d, 1);
    EXPECT_EQ(stepsOf(d), (std::vector<AnimationStep>{{0, 1}, {2, 3}, {3, 4}}));
    deleteStep(d, 2);
    EXPECT_EQ(stepsOf(d), (std::vector<AnimationStep>{{0, 1}, {2, 3}}));
}

TEST(DeleteStep, TheOnlyStepLeavesAnEmptySequence) {
    IconDocument d;
    setSteps(d, {{0, 8}});
    deleteStep(d, 0);
    EXPECT_EQ(d.stepCount, 0);
}

TEST(DeleteStep, AnIndexOutsideTheStepsChangesNothing) {
    IconDocument d;
    setSteps(d, {{0, 1}, {1, 2}});
    deleteStep(d, 2);
    deleteStep(d, -1);
    EXPECT_EQ(stepsOf(d), (std::vector<AnimationStep>{{0, 1}, {1, 2}}));
    IconDocument empty;
    deleteStep(empty, 0);
    EXPECT_EQ(empty.stepCount, 0);
}

TEST(ShowsImage, OnlyStepsOfExistingImagesCount) {
    IconDocument d;
    d.imageCount = 2;
    setSteps(d, {{0, 1}, {2, 1}, {-1, 1}, {1, 1}});
    EXPECT_TRUE(showsImage(d, 0));
    EXPECT_FALSE(showsImage(d, 1));
    EXPECT_FALSE(showsImage(d, 2));
    EXPECT_TRUE(showsImage(d, 3));
    EXPECT_FALSE(showsImage(d, 4)); // past the last step
}

} // namespace
} // namespace vantle
