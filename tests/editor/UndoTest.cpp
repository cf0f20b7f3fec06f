// The undo snapshot, the exchange of Undo and Redo, and the undo states.

#include "CanvasTestSupport.h"

namespace vantle::test {
namespace {

TEST_F(CanvasTest, SnapshotMarksTheEdit) {
    document.paletteCurrent = true;
    canvas.TakeUndoSnapshot();
    EXPECT_EQ(events.modified, 1);
    EXPECT_TRUE(canvas.editBufferChanged);
    EXPECT_FALSE(document.paletteCurrent);
    EXPECT_EQ(events.undoStates.back(), UndoState::UndoAvailable);
}

TEST_F(CanvasTest, UndoRemovesAPixelAndRedoBringsItBack) {
    press({2, 2});
    release({2, 2});
    canvas.commitPixels();
    view.forget();

    canvas.Undo();
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {}, kInk));
    EXPECT_EQ(view.painted, (std::vector<PaintedCell>{{2, 2, kPaper}}));
    EXPECT_EQ(view.refreshes, 1);
    EXPECT_EQ(events.undoStates.back(), UndoState::RedoAvailable);
    EXPECT_TRUE(canvas.editBufferChanged); // the restored pixels reach the image at the next commit
    canvas.commitPixels();
    EXPECT_EQ(document.images[0].pixels(2, 2), kPaper);

    canvas.Redo();
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {{2, 2}}, kInk));
    EXPECT_EQ(events.undoStates.back(), UndoState::UndoAvailable);
    EXPECT_EQ(events.modified, 1); // the exchange is not an edit
}

TEST_F(CanvasTest, TwoEditsThenUndoUndoesOnlyTheSecond) {
    press({1, 1});
    release({1, 1});
    press({5, 5});
    release({5, 5});
    canvas.Undo();
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {{1, 1}}, kInk));
    EXPECT_EQ(canvas.undoState(), UndoState::RedoAvailable);
    // One level only: a second Undo is not available and changes nothing.
    canvas.Undo();
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {{1, 1}}, kInk));
}

TEST_F(CanvasTest, UndoExchangesTheImageDepth) {
    document.images[0].depth = kDepthFull;
    canvas.TakeUndoSnapshot();
    document.images[0].depth = 256; // as a colour reduction stores it
    canvas.Undo();
    EXPECT_EQ(document.images[0].depth, kDepthFull);
    EXPECT_EQ(events.depths.back(), kDepthFull);
    canvas.Redo();
    EXPECT_EQ(document.images[0].depth, 256);
    EXPECT_EQ(events.depths.back(), 256);
}

TEST_F(CanvasTest, UndoCoversTheMarginOfSmallImages) {
    addImage(16, kPaper, 1);
    canvas.loadImage(1);
    canvas.TakeUndoSnapshot();
    canvas.workBuffer(40 + 20, 40 + 3) = 0x999999; // margin cell inside the window, as a shift leaves it
    canvas.Undo();
    EXPECT_EQ(canvas.workBuffer(60, 43), markers.transparent);
    canvas.Redo();
    EXPECT_EQ(canvas.workBuffer(60, 43), 0x999999);
}

TEST_F(CanvasTest, ShowingAnImageTurnsUndoOff) {
    press({1, 1});
    release({1, 1});
    canvas.commitPixels();
    canvas.loadImage(0);
    EXPECT_EQ(canvas.undoState(), UndoState::None);
    EXPECT_EQ(events.undoStates.back(), UndoState::None);
    canvas.Undo();
    canvas.Redo();
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {{1, 1}}, kInk));
}

TEST_F(CanvasTest, ShapesSnapshotAtTheRelease) {
    canvas.SelectTool(kToolFilledRectangle);
    press({0, 0});
    moveTo({2, 2});
    EXPECT_EQ(events.modified, 0);
    EXPECT_EQ(canvas.undoState(), UndoState::None);
    release({2, 2});
    EXPECT_EQ(events.modified, 1);
    canvas.Undo();
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {}, kInk));
    EXPECT_TRUE(screenMatchesBuffer(canvas));
}

} // namespace
} // namespace vantle::test
