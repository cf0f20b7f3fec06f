// Canvas geometry, loading and writing back, incremental painting and the coordinate read-out.

#include "CanvasTestSupport.h"

namespace vantle::test {
namespace {

TEST(CanvasCellSize, LargestCellThatFitsTheCanvas) {
    EXPECT_EQ(EditCanvas::cellSizeFor(16), 18);
    EXPECT_EQ(EditCanvas::cellSizeFor(32), 9);
    EXPECT_EQ(EditCanvas::cellSizeFor(48), 6);
    EXPECT_EQ(EditCanvas::cellSizeFor(1), 288);
}

TEST_F(CanvasTest, LoadSizesTheCanvasPerImageSize) {
    for (const auto& [size, cell, offset] :
         {std::array{16, 18, 40}, std::array{32, 9, 32}, std::array{48, 6, 24}}) {
        addImage(size, kPaper, 1);
        view.resets.clear();
        canvas.loadImage(1);
        ASSERT_EQ(view.resets.size(), 1u);
        EXPECT_EQ(view.resets[0], (std::array{size, size, cell, cell})) << "size " << size;
        EXPECT_EQ(canvas.imageOffsetX, offset) << "size " << size;
        EXPECT_EQ(canvas.imageOffsetY, offset) << "size " << size;
    }
}

TEST_F(CanvasTest, PointerRoundsHalvesToEvenThenDividesByTheCell) {
    ASSERT_EQ(canvas.cellWidth, 9);
    EXPECT_EQ(canvas.cellAt(17.5, 0).x, 2); // 18 \ 9
    EXPECT_EQ(canvas.cellAt(16.5, 0).x, 1); // 16 \ 9
    EXPECT_EQ(canvas.cellAt(0, 8.5).y, 0);
    EXPECT_EQ(canvas.cellAt(0, 8.51).y, 1);
    // Left of the canvas is outside, not column 0.
    EXPECT_EQ(canvas.cellAt(-1.0, 0).x, -1);
    EXPECT_FALSE(canvas.insideImage(canvas.cellAt(-1.0, 0)));
}

TEST_F(CanvasTest, LoadFillsTheMarginWithTheTransparentMarker) {
    addImage(16, kPaper, 1);
    document.images[1].pixels(0, 0) = 0x123456;
    document.images[1].pixels(15, 15) = 0x654321;
    view.forget();
    canvas.loadImage(1);
    EXPECT_EQ(canvas.workBuffer(39, 40), markers.transparent);
    EXPECT_EQ(canvas.workBuffer(56, 40), markers.transparent);
    EXPECT_EQ(canvas.workBuffer(40, 40), 0x123456);
    EXPECT_EQ(canvas.workBuffer(55, 55), 0x654321);
    EXPECT_EQ(canvas.workBuffer(0, 0), markers.transparent);
    EXPECT_EQ(canvas.workBuffer(95, 95), markers.transparent);
    // Every cell drawn once, the screen refreshed once, undo off.
    EXPECT_EQ(view.painted.size(), 256u);
    EXPECT_EQ(view.refreshes, 1);
    EXPECT_TRUE(screenMatchesBuffer(canvas));
    EXPECT_EQ(events.undoStates.back(), UndoState::None);
}

TEST_F(CanvasTest, PaintingAnUnchangedCellTouchesNeitherCanvasNorThumbnail) {
    PixelGrid grid = canvas.shownColours;
    canvas.PaintCell(grid, 3, 4);
    canvas.PaintCellAt(canvas.workBuffer, canvas.imageOffsetX, canvas.imageOffsetY, 3, 4);
    EXPECT_TRUE(view.painted.empty());
    EXPECT_TRUE(view.thumbnail.empty());

    grid(3, 4) = 0x111111;
    canvas.PaintCell(grid, 3, 4);
    EXPECT_EQ(view.painted, (std::vector<PaintedCell>{{3, 4, 0x111111}}));
    EXPECT_EQ(view.thumbnail, (std::vector<PaintedCell>{{3, 4, 0x111111}}));
    EXPECT_EQ(canvas.shownColours(3, 4), 0x111111);
}

TEST_F(CanvasTest, RepaintPaintsOnlyChangedCellsAndRefreshesOnce) {
    canvas.workBuffer(canvas.imageOffsetX + 1, canvas.imageOffsetY + 2) = 0x010203;
    canvas.workBuffer(canvas.imageOffsetX + 31, canvas.imageOffsetY + 31) = 0x030201;
    canvas.RepaintChangedAt(canvas.workBuffer, canvas.imageOffsetX, canvas.imageOffsetY);
    EXPECT_EQ(view.painted, (std::vector<PaintedCell>{{1, 2, 0x010203}, {31, 31, 0x030201}}));
    EXPECT_EQ(view.refreshes, 1);
}

TEST_F(CanvasTest, SetPixelIgnoresPixelsOutsideTheImage) {
    PixelGrid grid;
    grid.fill(kPaper);
    canvas.SetPixel(grid, 32, 0, kInk);
    canvas.SetPixel(grid, 0, 32, kInk);
    canvas.SetPixelShown(grid, 40, 40, kInk);
    canvas.SetPixel(grid, 31, 31, kInk);
    EXPECT_EQ(grid(32, 0), kPaper);
    EXPECT_EQ(grid(0, 32), kPaper);
    EXPECT_EQ(grid(40, 40), kPaper);
    EXPECT_EQ(grid(31, 31), kInk);
    EXPECT_TRUE(view.painted.empty());
}

TEST_F(CanvasTest, WindowCopiesCarryTheMarginAlong) {
    addImage(16, kPaper, 1);
    canvas.loadImage(1);
    canvas.workBuffer(40 + 47, 40 + 47) = 0x777777; // margin cell inside the 48 x 48 window
    PixelGrid window;
    EditCanvas::CopyWindow(window, canvas.workBuffer, 40, 40);
    EXPECT_EQ(window(0, 0), kPaper);
    EXPECT_EQ(window(16, 0), markers.transparent);
    EXPECT_EQ(window(47, 47), 0x777777);
    window(47, 47) = 0x888888;
    EditCanvas::PasteWindow(canvas.workBuffer, 40, 40, window);
    EXPECT_EQ(canvas.workBuffer(87, 87), 0x888888);
}

TEST_F(CanvasTest, CommitCopiesOnlyWhileTheBufferChangedFlagIsSet) {
    canvas.workBuffer(canvas.imageOffsetX + 5, canvas.imageOffsetY + 6) = kInk;
    ASSERT_FALSE(canvas.editBufferChanged);
    canvas.commitPixels();
    EXPECT_EQ(document.images[0].pixels(5, 6), kPaper);

    canvas.editBufferChanged = true;
    canvas.commitPixels();
    EXPECT_EQ(document.images[0].pixels(5, 6), kInk);
    EXPECT_FALSE(canvas.editBufferChanged);
    EXPECT_EQ(document.images[0].pixels(32, 0), markers.transparent); // beyond the image: untouched
}

TEST_F(CanvasTest, ReloadBringsChangedImagePixelsIn) {
    document.images[0].pixels(7, 8) = 0x0A0B0C;
    canvas.reloadFromImage();
    EXPECT_EQ(canvas.pixel(7, 8), 0x0A0B0C);
    EXPECT_EQ(view.painted, (std::vector<PaintedCell>{{7, 8, 0x0A0B0C}}));
    EXPECT_EQ(view.refreshes, 1);
}

TEST_F(CanvasTest, ReadOutKeepsTheLabelOfAnAxisOutsideTheImage) {
    press({3, 4});
    ASSERT_FALSE(events.readOuts.empty());
    EXPECT_EQ(events.readOuts.back(), (std::pair<std::string, std::string>{" X:3", " Y:4"}));
    canvas.release(px(3), py(4));
    // Below the last row, at the canvas border: the row label stays.
    canvas.move(px(12), 32 * 9 + 1);
    EXPECT_EQ(events.readOuts.back(), (std::pair<std::string, std::string>{" X:12", " Y:4"}));
    canvas.resetReadOut();
    EXPECT_EQ(events.readOuts.back(), (std::pair<std::string, std::string>{" X:", " Y:"}));
    canvas.move(32 * 9 + 1, py(0));
    EXPECT_EQ(events.readOuts.back(), (std::pair<std::string, std::string>{" X:", " Y:0"}));
}

TEST_F(CanvasTest, PressBelowTheImageStartsNoStroke) {
    canvas.press(MouseButton::Left, px(3), 32 * 9 + 1);
    EXPECT_FALSE(canvas.strokeOpen());
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {}, kInk));
    EXPECT_EQ(events.modified, 0);
}

} // namespace
} // namespace vantle::test
