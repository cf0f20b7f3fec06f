#include "import/AreaSelection.h"

#include <gtest/gtest.h>

namespace vantle {
namespace {

// A picture that fits its view: no scroll bars.
DragAxis fixed(int size) {
    DragAxis a;
    a.pictureSize = size;
    a.viewportSize = size;
    return a;
}

DragAxis scrolling(int size, int viewport, int value) {
    DragAxis a;
    a.pictureSize = size;
    a.viewportSize = viewport;
    a.scrollEnabled = true;
    a.scrollMaximum = size - viewport;
    a.scrollValue = value;
    return a;
}

TEST(AreaSelection, FreeDragPlacesTheBoxAroundTheRectangle) {
    AreaSelection s;
    s.press(20, 30);
    EXPECT_TRUE(s.dragging());
    EXPECT_EQ(s.box(), (SelectionBox{19, 29, 2, 2}));
    const DragMove m = s.move(27, 33, AreaMode::Free, fixed(100), fixed(100));
    ASSERT_TRUE(m.placed);
    EXPECT_EQ(m.box, (SelectionBox{19, 29, 9, 5}));
    EXPECT_EQ(m.area, (PictureArea{20, 30, 7, 3}));
    EXPECT_FALSE(m.scrolled);
    s.release();
    EXPECT_FALSE(s.dragging());
    EXPECT_FALSE(s.move(40, 40, AreaMode::Free, fixed(100), fixed(100)).placed);
}

TEST(AreaSelection, DraggingLeftAndUpOfTheAnchorStartsAtThePointer) {
    AreaSelection s;
    s.press(20, 30);
    const DragMove m = s.move(12, 25, AreaMode::Free, fixed(100), fixed(100));
    ASSERT_TRUE(m.placed);
    EXPECT_EQ(m.box, (SelectionBox{11, 24, 10, 7}));
    EXPECT_EQ(m.area, (PictureArea{12, 25, 8, 5}));
    // One pixel left of the anchor the box still starts at anchor - 1, the pixels at the pointer.
    const DragMove one = s.move(19, 32, AreaMode::Free, fixed(100), fixed(100));
    EXPECT_EQ(one.box, (SelectionBox{19, 29, 3, 4}));
    EXPECT_EQ(one.area, (PictureArea{19, 30, 1, 2}));
}

TEST(AreaSelection, SquareModeLetsTheLongerSideWin) {
    AreaSelection s;
    s.press(50, 50);
    // 10 right and 4 down: 10 x 10.
    DragMove m = s.move(60, 54, AreaMode::Square, fixed(100), fixed(100));
    EXPECT_EQ(m.area, (PictureArea{50, 50, 10, 10}));
    EXPECT_EQ(selectionSizeText(m.box.width - 2, m.box.height - 2), " 選択した範囲の大きさ  10 X 10");
    // Up and left: the shorter side grows away from the anchor too.
    m = s.move(47, 41, AreaMode::Square, fixed(100), fixed(100));
    EXPECT_EQ(m.area, (PictureArea{41, 41, 9, 9}));
    EXPECT_EQ(m.box, (SelectionBox{40, 40, 11, 11}));
    // On the anchor's column the pointer goes left.
    m = s.move(50, 56, AreaMode::Square, fixed(100), fixed(100));
    EXPECT_EQ(m.area, (PictureArea{44, 50, 6, 6}));

    // The picture window's example: (10, 10) to (14, 30) selects 20 x 20 with the box 22 x 22 at (9, 9).
    AreaSelection w;
    w.press(10, 10);
    DragAxis h = fixed(200);
    h.visibleSize = 200;
    m = w.move(14, 30, AreaMode::Square, h, h);
    ASSERT_TRUE(m.placed);
    EXPECT_EQ(m.box, (SelectionBox{9, 9, 22, 22}));
    EXPECT_EQ(m.area, (PictureArea{10, 10, 20, 20}));
}

TEST(AreaSelection, PositionsOutsideAFixedPictureAreRefused) {
    AreaSelection s;
    s.press(5, 5);
    s.move(8, 8, AreaMode::Free, fixed(20), fixed(20));
    const SelectionBox before = s.box();
    EXPECT_FALSE(s.move(-1, 8, AreaMode::Free, fixed(20), fixed(20)).placed);
    EXPECT_FALSE(s.move(8, 21, AreaMode::Free, fixed(20), fixed(20)).placed);
    EXPECT_EQ(s.box(), before);
    // The picture's edge itself is fine: the rectangle ends there.
    const DragMove edge = s.move(20, 0, AreaMode::Free, fixed(20), fixed(20));
    ASSERT_TRUE(edge.placed);
    EXPECT_EQ(edge.area, (PictureArea{5, 0, 15, 5}));
    // In square mode the adjusted position counts: 14 right, 2 up becomes 14 up, past the top.
    EXPECT_FALSE(s.move(19, 3, AreaMode::Square, fixed(20), fixed(20)).placed);
    EXPECT_TRUE(s.move(19, 7, AreaMode::Square, fixed(20), fixed(20)).placed);
}

TEST(AreaSelection, AutoScrollStepsOnePixelAndStopsAtTheLimits) {
    // 400 pixels in a 100-pixel view, scrolled to 10: the visible part is 10..110.
    AreaSelection s;
    s.press(60, 5);
    DragMove m = s.move(115, 5, AreaMode::Free, scrolling(400, 100, 10), fixed(50));
    ASSERT_TRUE(m.placed);
    EXPECT_TRUE(m.scrolled);
    EXPECT_EQ(m.scrollX, 11);
    EXPECT_EQ(m.area.width, 55);
    // Inside the visible part: no scrolling.
    m = s.move(100, 5, AreaMode::Free, scrolling(400, 100, 10), fixed(50));
    EXPECT_FALSE(m.scrolled);
    EXPECT_EQ(m.scrollX, 10);
    // Left of the view and left of the anchor: one back.
    m = s.move(5, 5, AreaMode::Free, scrolling(400, 100, 10), fixed(50));
    EXPECT_EQ(m.scrollX, 9);
    EXPECT_TRUE(m.placed);
    // At the minimum it cannot go further: no drop.
    m = s.move(-3, 5, AreaMode::Free, scrolling(400, 100, 0), fixed(50));
    EXPECT_FALSE(m.placed);
    EXPECT_EQ(m.scrollX, 0);
    // At the maximum likewise.
    m = s.move(401, 5, AreaMode::Free, scrolling(400, 100, 300), fixed(50));
    EXPECT_FALSE(m.placed);
    EXPECT_EQ(m.scrollX, 300);
    // A box as wide as the view does not grow further out of the view.
    m = s.move(160, 5, AreaMode::Free, scrolling(400, 100, 60), fixed(50));
    ASSERT_TRUE(m.placed);
    EXPECT_EQ(s.box().width, 102);
    m = s.move(161, 5, AreaMode::Free, scrolling(400, 100, 60), fixed(50));
    EXPECT_FALSE(m.placed);
    EXPECT_EQ(m.scrollX, 60);
}

TEST(AreaSelection, VerticalRefusalKeepsTheHorizontalScrollStep) {
    AreaSelection s;
    s.press(60, 10);
    const DragMove m = s.move(111, 60, AreaMode::Free, scrolling(400, 100, 10), fixed(50));
    EXPECT_FALSE(m.placed);
    EXPECT_EQ(m.scrollX, 11);
    EXPECT_TRUE(m.scrolled);
}

TEST(AreaSelection, PictureWindowRefusesPositionsOutsideItsVisibleArea) {
    // A 500-pixel picture in a window showing 200 pixels from 100.
    DragAxis h = fixed(500);
    h.visibleStart = 100;
    h.visibleSize = 200;
    AreaSelection s;
    s.press(150, 10);
    EXPECT_TRUE(s.move(300, 20, AreaMode::Free, h, fixed(100)).placed);
    EXPECT_FALSE(s.move(301, 20, AreaMode::Free, h, fixed(100)).placed);
    EXPECT_FALSE(s.move(99, 20, AreaMode::Free, h, fixed(100)).placed);
    EXPECT_EQ(s.area(), (PictureArea{150, 10, 150, 10}));
}

} // namespace
} // namespace vantle
