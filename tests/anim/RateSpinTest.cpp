// What a rate box stores from its text, and the spin buttons with limits 1..999 and their auto-repeat.

#include "anim/RateSpin.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace vantle {
namespace {

TEST(RateFromText, TakesTheLeadingNumberRoundedHalvesToEven) {
    EXPECT_EQ(rateFromText("12abc"), 12);
    EXPECT_EQ(rateFromText("abc"), 0);
    EXPECT_EQ(rateFromText(""), 0);
    EXPECT_EQ(rateFromText("  30"), 30);
    EXPECT_EQ(rateFromText("8.5"), 8);
    EXPECT_EQ(rateFromText("9.5"), 10);
    EXPECT_EQ(rateFromText("7.6x"), 8);
    EXPECT_EQ(rateFromText("-3"), -3); // stored as typed, no validation
}

TEST(SpinRate, UpWrapsFromTheUpperLimitToTheLowerOne) {
    std::vector<std::int32_t> seen;
    std::int32_t value = 998;
    for (int i = 0; i < 4; ++i)
        seen.push_back(value = spinRate(value, SpinDirection::Up));
    EXPECT_EQ(seen, (std::vector<std::int32_t>{999, 1, 2, 3}));
}

TEST(SpinRate, DownWrapsFromTheLowerLimitToTheUpperOne) {
    EXPECT_EQ(spinRate(1, SpinDirection::Down), 999);
    EXPECT_EQ(spinRate(999, SpinDirection::Down), 998);
    EXPECT_EQ(spinRate(2, SpinDirection::Down), 1);
}

TEST(SpinRate, ValuesOutsideTheLimits) {
    // Text that is no number counts as 0: up gives 1, down wraps to 999.
    EXPECT_EQ(spinRate(0, SpinDirection::Up), 1);
    EXPECT_EQ(spinRate(0, SpinDirection::Down), 999);
    EXPECT_EQ(spinRate(-5, SpinDirection::Up), -4);
    EXPECT_EQ(spinRate(5000, SpinDirection::Up), 1);
    EXPECT_EQ(spinRate(5000, SpinDirection::Down), 4999);
    EXPECT_EQ(spinRate(INT_MAX, SpinDirection::Up), 1);
    EXPECT_EQ(spinRate(INT_MIN, SpinDirection::Down), 999);
}

TEST(SpinRepeat, StepsFromTheFifthTickOn) {
    SpinRepeat repeat;
    repeat.press();
    std::vector<bool> steps;
    for (int i = 0; i < 10; ++i)
        steps.push_back(repeat.tick());
    EXPECT_EQ(steps, (std::vector<bool>{false, false, false, false, true, true, true, true, true, true}));
}

TEST(SpinRepeat, APressStartsTheCountAgain) {
    SpinRepeat repeat;
    repeat.press();
    for (int i = 0; i < 6; ++i)
        repeat.tick();
    repeat.press();
    EXPECT_FALSE(repeat.tick());
}

TEST(SpinRepeat, HoldingForOneSecondChangesTheValueBySeven) {
    SpinRepeat repeat;
    std::int32_t value = 10;
    repeat.press();
    value = spinRate(value, SpinDirection::Up); // the press steps at once
    for (int tick = 0; tick < 10; ++tick)
        if (repeat.tick())
            value = spinRate(value, SpinDirection::Up);
    EXPECT_EQ(value, 17);
}

TEST(SpinRepeat, KeepsRepeatingWhenHeldLong) {
    SpinRepeat repeat;
    repeat.press();
    for (int i = 0; i < 40000; ++i)
        repeat.tick();
    EXPECT_TRUE(repeat.tick());
}

} // namespace
} // namespace vantle
