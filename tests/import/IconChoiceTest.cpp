// The choosing rules of the icon chooser, without a window.

#include "import/IconChoice.h"

#include <gtest/gtest.h>

namespace vantle::test {
namespace {

std::vector<int> chosenIcons(const IconChoice& c) {
    std::vector<int> out;
    for (int i = 0; i < c.iconCount(); ++i)
        if (c.chosen(i))
            out.push_back(i);
    return out;
}

std::vector<int> highlightedSlots(const IconChoice& c) {
    std::vector<int> out;
    for (int j = 0; j < IconChoice::kSlots; ++j)
        if (c.highlighted(j))
            out.push_back(j);
    return out;
}

void click(IconChoice& c, int slot, int shiftState = 0) {
    c.press(shiftState);
    c.click(slot);
}

TEST(IconChoice, ThreeIconsFillThreeSlotsWithoutScrollingAndIconZeroChosen) {
    IconChoice c(3);
    EXPECT_FALSE(c.scrollEnabled());
    EXPECT_EQ(c.scrollMaximum(), 0);
    EXPECT_EQ(c.slotIcon(0), 0);
    EXPECT_EQ(c.slotIcon(2), 2);
    EXPECT_EQ(c.slotIcon(3), -1);
    EXPECT_EQ(c.slotIcon(7), -1);
    EXPECT_EQ(chosenIcons(c), std::vector<int>{0});
    EXPECT_EQ(highlightedSlots(c), std::vector<int>{0});
    EXPECT_EQ(c.result(), 0);
    // A click on an empty slot does nothing.
    click(c, 5);
    EXPECT_EQ(chosenIcons(c), std::vector<int>{0});
    EXPECT_EQ(c.anchor(), 0);
}

TEST(IconChoice, TwentyIconsScrollToTwelveShowingTheirOwnFlags) {
    IconChoice c(20);
    EXPECT_TRUE(c.scrollEnabled());
    EXPECT_EQ(c.scrollMaximum(), 12);
    click(c, 3, IconChoice::kCtrl);
    c.scrollTo(12);
    for (int j = 0; j < 8; ++j)
        EXPECT_EQ(c.slotIcon(j), 12 + j);
    EXPECT_TRUE(highlightedSlots(c).empty());
    click(c, 2, IconChoice::kCtrl); // icon 14
    c.scrollTo(10);
    EXPECT_EQ(highlightedSlots(c), std::vector<int>{4});
    c.scrollTo(0);
    EXPECT_EQ(highlightedSlots(c), (std::vector<int>{0, 3}));
    EXPECT_EQ(chosenIcons(c), (std::vector<int>{0, 3, 14}));
    c.scrollTo(99);
    EXPECT_EQ(c.scrollValue(), 12) << "the scroll value stays within its range";
}

TEST(IconChoice, PlainShiftAndCtrlClicks) {
    IconChoice c(10);
    click(c, 2);
    EXPECT_EQ(chosenIcons(c), std::vector<int>{2});
    EXPECT_EQ(highlightedSlots(c), std::vector<int>{2});
    click(c, 5, IconChoice::kShift);
    EXPECT_EQ(chosenIcons(c), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(highlightedSlots(c), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(c.anchor(), 5);
    // Ctrl on a chosen icon leaves it chosen; on another adds it.
    click(c, 4, IconChoice::kCtrl);
    click(c, 7, IconChoice::kCtrl);
    EXPECT_EQ(chosenIcons(c), (std::vector<int>{2, 3, 4, 5, 7}));
    // Shift from the anchor (7) backwards drops everything outside the range.
    click(c, 6, IconChoice::kShift);
    EXPECT_EQ(chosenIcons(c), (std::vector<int>{6, 7}));
    // A plain click on a chosen icon keeps it alone.
    click(c, 7);
    EXPECT_EQ(chosenIcons(c), std::vector<int>{7});
    EXPECT_EQ(highlightedSlots(c), std::vector<int>{7});
    // Ctrl+Shift only adds, as Ctrl does.
    click(c, 1, IconChoice::kCtrl + IconChoice::kShift);
    EXPECT_EQ(chosenIcons(c), (std::vector<int>{1, 7}));
}

TEST(IconChoice, ShiftRangeReachesIconsScrolledAway) {
    IconChoice c(20);
    click(c, 1); // icon 1
    c.scrollTo(12);
    click(c, 3, IconChoice::kShift); // icon 15
    EXPECT_EQ(chosenIcons(c).size(), 15u);
    EXPECT_EQ(chosenIcons(c).front(), 1);
    EXPECT_EQ(chosenIcons(c).back(), 15);
    EXPECT_EQ(highlightedSlots(c), (std::vector<int>{0, 1, 2, 3}));
}

TEST(IconChoice, ChooseAllAndInvertGoBackToTheStart) {
    IconChoice c(20);
    c.scrollTo(7);
    c.chooseAll();
    EXPECT_EQ(c.scrollValue(), 0);
    EXPECT_EQ(chosenIcons(c).size(), 20u);
    EXPECT_EQ(highlightedSlots(c).size(), 8u);
    click(c, 1, IconChoice::kCtrl);
    c.scrollTo(5);
    c.invert();
    EXPECT_EQ(c.scrollValue(), 0);
    EXPECT_TRUE(chosenIcons(c).empty());
    EXPECT_TRUE(highlightedSlots(c).empty());
    c.invert();
    EXPECT_EQ(highlightedSlots(c).size(), 8u);

    IconChoice few(3);
    few.invert();
    EXPECT_EQ(chosenIcons(few), (std::vector<int>{1, 2}));
    EXPECT_EQ(highlightedSlots(few), (std::vector<int>{1, 2}));
}

TEST(IconChoice, ConfirmGivesTheCountAndCancelMinusOne) {
    IconChoice c(4);
    c.confirm();
    EXPECT_EQ(c.result(), 4);
    c.cancel();
    EXPECT_EQ(c.result(), IconChoice::kCancelled);
}

} // namespace
} // namespace vantle::test
