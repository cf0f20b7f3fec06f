// Exact pixels of the pencil and the shape tools, and what their previews repaint.

#include "CanvasTestSupport.h"

namespace vantle::test {
namespace {

TEST_F(CanvasTest, PencilOfSizeThreeAtTheCornerSkipsNegativePixels) {
    canvas.SelectLineSize(2);
    press({0, 0});
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, kInk));
    EXPECT_EQ(view.painted.size(), 4u);
    EXPECT_TRUE(screenMatchesBuffer(canvas));
    // The snapshot came before the first pixel.
    EXPECT_EQ(canvas.undoBuffer(0, 0), kPaper);
    EXPECT_EQ(events.modified, 1);
    EXPECT_EQ(canvas.undoState(), UndoState::UndoAvailable);
}

TEST_F(CanvasTest, PencilSetsOnlyTheCellsItVisits) {
    canvas.SelectLineSize(1);
    press({0, 0});
    moveTo({5, 0});
    canvas.move(px(5) + 2, py(0)); // same cell again: nothing
    release({5, 0});
    EXPECT_TRUE(
        pixelsAre(canvas, kPaper, {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {5, 0}, {6, 0}, {5, 1}, {6, 1}}, kInk));
    EXPECT_EQ(view.painted.size(), 8u);
    EXPECT_EQ(events.modified, 1); // one snapshot per stroke
}

TEST_F(CanvasTest, RightButtonDrawsWithTheRightColour) {
    press({2, 3}, MouseButton::Right);
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {{2, 3}}, kOther));
}

TEST_F(CanvasTest, FlatLineRoundsRowsToEven) {
    canvas.SelectTool(kToolLine);
    drag({0, 0}, {5, 2});
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}, kInk));
    // Halves go to the even row: 0.5 -> 0, 1.5 -> 2, 2.5 -> 2.
    canvas.loadImage(0);
    drag({0, 0}, {6, 3});
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 2}, {5, 2}, {6, 3}}, kInk));
}

TEST_F(CanvasTest, SteepLineRoundsColumnsToEven) {
    canvas.SelectTool(kToolLine);
    drag({0, 0}, {1, 3});
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}, kInk));
}

TEST_F(CanvasTest, LinePreviewRepaintsOnlyWhatChanges) {
    canvas.SelectTool(kToolLine);
    press({0, 0});
    EXPECT_EQ(view.painted, (std::vector<PaintedCell>{{0, 0, kInk}}));
    moveTo({5, 0});
    view.forget();
    moveTo({5, 1});
    // The old preview comes off, then the new line is painted as it is stored; (0, 0) and (1, 0) and
    // (2, 0) are in both.
    const std::vector<PaintedCell> expected = {{0, 0, kPaper}, {1, 0, kPaper}, {2, 0, kPaper}, {3, 0, kPaper},
                                               {4, 0, kPaper}, {5, 0, kPaper}, {0, 0, kInk},   {1, 0, kInk},
                                               {2, 0, kInk},   {3, 1, kInk},   {4, 1, kInk},   {5, 1, kInk}};
    EXPECT_EQ(view.painted, expected);
    EXPECT_EQ(view.refreshes, 2);
    // Nothing reaches the image before the release.
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {}, kInk));
    EXPECT_EQ(events.modified, 0);
    release({5, 1});
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 1}}, kInk));
    EXPECT_TRUE(screenMatchesBuffer(canvas));
    EXPECT_EQ(events.modified, 1);
}

TEST_F(CanvasTest, ShapePreviewRepaintsOnlyChangedCells) {
    canvas.SelectTool(kToolRectangle);
    press({0, 0});
    moveTo({3, 3});
    EXPECT_EQ(view.painted.size(), 12u);
    view.forget();
    moveTo({3, 2});
    // Row 3 goes back to paper, the inner cells of row 2 become the bottom side.
    const std::vector<PaintedCell> expected = {{1, 2, kInk},   {2, 2, kInk},   {0, 3, kPaper},
                                               {1, 3, kPaper}, {2, 3, kPaper}, {3, 3, kPaper}};
    EXPECT_EQ(view.painted, expected);
    EXPECT_EQ(view.refreshes, 1);
}

TEST_F(CanvasTest, RectangleOutlineThickensInwardWhenDeepEnough) {
    canvas.SelectTool(kToolRectangle);
    canvas.SelectLineSize(1);
    drag({2, 2}, {6, 3});
    EXPECT_TRUE(pictureIs(canvas, {".......", ".......", "..#####", "..#####"}));

    canvas.loadImage(0);
    drag({0, 0}, {6, 6});
    EXPECT_TRUE(
        pictureIs(canvas, {"#######", "#######", "##...##", "##...##", "##...##", "#######", "#######"}));

    canvas.loadImage(0);
    canvas.SelectLineSize(0);
    drag({4, 3}, {1, 1});
    EXPECT_TRUE(pictureIs(canvas, {".....", ".####", ".#..#", ".####"}));
}

TEST_F(CanvasTest, FilledRectangleInEveryDirection) {
    canvas.SelectTool(kToolFilledRectangle);
    drag({3, 3}, {1, 2});
    EXPECT_TRUE(pictureIs(canvas, {"....", "....", ".###", ".###"}));
}

TEST_F(CanvasTest, EllipseOfOneCellDragDrawsNothing) {
    canvas.SelectTool(kToolEllipse);
    drag({0, 0}, {1, 1});
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {}, kInk));
}

TEST_F(CanvasTest, SmallEllipseLeavesItsCentre) {
    canvas.SelectTool(kToolEllipse);
    drag({0, 0}, {2, 2});
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {{1, 0}, {0, 1}, {2, 1}, {1, 2}}, kInk));
}

TEST_F(CanvasTest, EllipseBorderGrowsInward) {
    canvas.SelectTool(kToolEllipse);
    drag({0, 0}, {4, 4});
    EXPECT_TRUE(pictureIs(canvas, {".###.", "#...#", "#...#", "#...#", ".###."}));
    canvas.loadImage(0);
    canvas.SelectLineSize(1);
    drag({0, 0}, {4, 4});
    EXPECT_TRUE(pictureIs(canvas, {".###.", "#####", "##.##", "#####", ".###."}));
}

TEST_F(CanvasTest, EllipseOfAPressAloneIsThePressedPixel) {
    canvas.SelectTool(kToolEllipse);
    press({4, 4});
    release({4, 4});
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {{4, 4}}, kInk));
}

TEST_F(CanvasTest, FilledEllipseReachesOneBeyondThePointer) {
    canvas.SelectTool(kToolFilledEllipse);
    drag({0, 0}, {3, 0});
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}, kInk));
}

TEST_F(CanvasTest, CheckerIsAnchoredAtTheAnchorWhateverTheButton) {
    canvas.SelectTool(kToolCheckerRectangle);
    drag({0, 0}, {3, 1}, MouseButton::Right);
    EXPECT_TRUE(pictureIs(canvas, {"#o#o", "o#o#"}));

    // Cells of two pixels with line size 1, counted from an anchor on the right.
    canvas.loadImage(0);
    canvas.SelectLineSize(1);
    drag({4, 0}, {0, 0});
    EXPECT_TRUE(pictureIs(canvas, {"#oo##"}));
}

TEST_F(CanvasTest, CheckerEllipseOfAPressAloneTakesTheLeftColour) {
    canvas.SelectTool(kToolCheckerEllipse);
    press({2, 2}, MouseButton::Right);
    release({2, 2});
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {{2, 2}}, kInk));
}

TEST_F(CanvasTest, ShapesAreClippedToTheImage) {
    canvas.SelectTool(kToolFilledEllipse);
    drag({28, 31}, {31, 31});
    // Centre (30, 31), radius 2: column 32 lies in the margin and is skipped.
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {{28, 31}, {29, 31}, {30, 31}, {31, 31}}, kInk));
    EXPECT_EQ(canvas.workBuffer(canvas.imageOffsetX + 32, canvas.imageOffsetY + 31), markers.transparent);
}

TEST_F(CanvasTest, SelectingToolsReportsAndLeavesPixels) {
    const int before = events.tools;
    canvas.SelectTool(kToolFloodFill);
    canvas.SelectLineSize(2);
    EXPECT_EQ(events.tools, before + 2);
    EXPECT_EQ(canvas.tool(), kToolFloodFill);
    EXPECT_EQ(canvas.lineSize(), 2);
    EXPECT_TRUE(view.painted.empty());
    EXPECT_FALSE(DrawingTools::usesLineSize(kToolFilledRectangle));
    EXPECT_FALSE(DrawingTools::usesLineSize(kToolColourPick));
    EXPECT_TRUE(DrawingTools::usesLineSize(kToolCheckerEllipse));
}

} // namespace
} // namespace vantle::test
