// Press, stroke and release, and strokes released away from the canvas.

#include "CanvasTestSupport.h"

namespace vantle::test {
namespace {

constexpr std::initializer_list<Cell> kOutline33 = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {3, 1},
                                                    {0, 2}, {3, 2}, {0, 3}, {1, 3}, {2, 3}, {3, 3}};

TEST_F(CanvasTest, StrokeReleasedOutsideIsCompletedOverThePanel) {
    canvas.SelectTool(kToolRectangle);
    press({0, 0});
    moveTo({3, 3});
    // The button comes up away from the canvas: no release reaches it.
    EXPECT_TRUE(canvas.strokeOpen());
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {}, kInk));
    canvas.pointerOverPanel();
    EXPECT_FALSE(canvas.strokeOpen());
    EXPECT_TRUE(pixelsAre(canvas, kPaper, kOutline33, kInk));
    EXPECT_EQ(events.modified, 1);
    EXPECT_EQ(canvas.undoBuffer(0, 0), kPaper);
    canvas.pointerOverPanel(); // nothing left to complete
    EXPECT_EQ(events.modified, 1);
}

TEST_F(CanvasTest, PencilStrokeOverThePanelOnlyCloses) {
    press({1, 1});
    canvas.pointerOverPanel();
    EXPECT_FALSE(canvas.strokeOpen());
    EXPECT_EQ(events.modified, 1);
    moveTo({2, 2});
    EXPECT_EQ(canvas.pixel(2, 2), kPaper);
}

TEST_F(CanvasTest, MovesOutsideTheImageAreIgnored) {
    canvas.SelectTool(kToolFilledRectangle);
    press({30, 0});
    moveTo({31, 1});
    view.forget();
    canvas.move(32 * 9 + 1, py(5)); // the 3-pixel border right of the last column
    EXPECT_TRUE(view.painted.empty());
    release({31, 1});
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {{30, 0}, {31, 0}, {30, 1}, {31, 1}}, kInk));
}

TEST_F(CanvasTest, MoveWithoutStrokeOnlyReadsOut) {
    const std::size_t readOuts = events.readOuts.size();
    moveTo({7, 8});
    EXPECT_EQ(events.readOuts.size(), readOuts + 1);
    EXPECT_TRUE(view.painted.empty());
    EXPECT_EQ(events.modified, 0);
}

TEST_F(CanvasTest, OpenStrokeDoesNotFollowIntoAnotherImage) {
    addImage(32, 0x444444, 1);
    canvas.SelectTool(kToolFilledRectangle);
    press({0, 0});
    moveTo({5, 5});
    canvas.commitPixels(); // the window writes the image back before showing another
    canvas.loadImage(1);
    canvas.pointerOverPanel();
    EXPECT_TRUE(pixelsAre(canvas, 0x444444, {}, kInk));
    EXPECT_EQ(canvas.undoState(), UndoState::None);
}

TEST_F(CanvasTest, AnotherEditDropsAShapeLeftOpen) {
    canvas.SelectTool(kToolFilledRectangle);
    press({0, 0});
    moveTo({2, 2});
    // A whole-image command starts with its snapshot, then changes pixels.
    canvas.TakeUndoSnapshot();
    canvas.workBuffer(canvas.imageOffsetX + 9, canvas.imageOffsetY + 9) = 0x444444;
    canvas.pointerOverPanel();
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {{9, 9}}, 0x444444));
    EXPECT_EQ(canvas.shownColours(1, 1), kPaper);
}

TEST_F(CanvasTest, CommitWritesBackAShapeLeftOpen) {
    canvas.SelectTool(kToolRectangle);
    press({0, 0});
    moveTo({3, 3});
    canvas.commitPixels();
    EXPECT_FALSE(canvas.strokeOpen());
    for (const Cell c : kOutline33)
        EXPECT_EQ(document.images[0].pixels(c.x, c.y), kInk) << "pixel (" << c.x << ", " << c.y << ")";
    EXPECT_EQ(document.images[0].pixels(1, 1), kPaper);
}

TEST_F(CanvasTest, NewPressKeepsTheShapeOfAStrokeLeftOpen) {
    canvas.SelectTool(kToolRectangle);
    press({0, 0});
    moveTo({3, 3});
    drag({10, 10}, {11, 10});
    EXPECT_TRUE(pixelsAre(canvas, kPaper,
                          {{0, 0},
                           {1, 0},
                           {2, 0},
                           {3, 0},
                           {0, 1},
                           {3, 1},
                           {0, 2},
                           {3, 2},
                           {0, 3},
                           {1, 3},
                           {2, 3},
                           {3, 3},
                           {10, 10},
                           {11, 10}},
                          kInk));
}

TEST_F(CanvasTest, EditsWithoutAnImageAreIgnored) {
    IconDocument empty;
    EditCanvas blank{empty, markers, view, events, messages};
    blank.press(MouseButton::Left, 4, 4);
    blank.move(20, 20);
    blank.release(20, 20);
    blank.commitPixels();
    EXPECT_FALSE(blank.strokeOpen());
    EXPECT_EQ(events.modified, 0);
}

} // namespace
} // namespace vantle::test
