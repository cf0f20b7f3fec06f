// The flood fill (order, nesting bound, overflow message, commit) and the colour pick.

#include "CanvasTestSupport.h"

#include "editor/FloodFill.h"

#include <random>

namespace vantle::test {
namespace {

// The fill as a plain recursion, step by step as the tool is described, recording each filled pixel.
struct ReferenceFill {
    PixelGrid& grid;
    int width;
    int height;
    colourRGB target;
    colourRGB colour;
    int limit;
    int depth = 0;
    bool overflow = false;
    std::vector<Cell> order;

    void visit(int x, int y) {
        if (x < 0 || y < 0 || x >= width || y >= height || grid(x, y) != target)
            return;
        grid(x, y) = colour;
        order.push_back({x, y});
        ++depth;
        if (depth > limit) {
            overflow = true;
            return;
        }
        visit(x + 1, y);
        visit(x - 1, y);
        visit(x, y + 1);
        visit(x, y - 1);
        --depth;
    }
};

TEST(FloodFillOrder, SameVisitsAndOverflowAsTheRecursiveFill) {
    std::mt19937 random(12345);
    for (int round = 0; round < 300; ++round) {
        const int width = 1 + static_cast<int>(random() % 48);
        const int height = 1 + static_cast<int>(random() % 48);
        const int colours = 2 + static_cast<int>(random() % 2);
        PixelGrid start;
        for (colourRGB& c : start.cells)
            c = static_cast<colourRGB>(random() % 8 == 0 ? colours : random() % 2); // mostly two values
        const int x = static_cast<int>(random() % width);
        const int y = static_cast<int>(random() % height);
        const std::array limits = {kFillDepthLimit, 60, 7, 1, 0};
        const int limit = limits[round % limits.size()];

        PixelGrid expected = start;
        ReferenceFill reference{expected, width, height, expected(x, y), 9, limit, 0, false, {}};
        reference.visit(x, y);

        PixelGrid actual = start;
        std::vector<Cell> order;
        const bool overflow = floodFill(actual, width, height, x, y, 9, limit, [&](int fx, int fy) {
            order.push_back({fx, fy});
        });

        ASSERT_EQ(overflow, reference.overflow) << "round " << round;
        ASSERT_EQ(order.size(), reference.order.size()) << "round " << round;
        for (std::size_t i = 0; i < order.size(); ++i)
            ASSERT_EQ(order[i], reference.order[i]) << "round " << round << ", visit " << i;
        ASSERT_TRUE(actual == expected) << "round " << round;
    }
}

TEST_F(CanvasTest, FillOfAWhole48ImageStaysWithinTheBound) {
    addImage(48, kPaper);
    canvas.loadImage(0);
    canvas.SelectTool(kToolFloodFill);
    press({0, 0});
    EXPECT_TRUE(messages.shown.empty());
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            ASSERT_EQ(canvas.pixel(x, y), kInk) << "pixel (" << x << ", " << y << ")";
    EXPECT_TRUE(screenMatchesBuffer(canvas));
}

TEST_F(CanvasTest, FillCrossesNoDiagonal) {
    canvas.workBuffer(canvas.imageOffsetX + 1, canvas.imageOffsetY + 0) = kInk;
    canvas.workBuffer(canvas.imageOffsetX + 0, canvas.imageOffsetY + 1) = kInk;
    canvas.SelectTool(kToolFloodFill);
    press({0, 0}, MouseButton::Right);
    EXPECT_EQ(canvas.pixel(0, 0), kOther);
    EXPECT_EQ(canvas.pixel(1, 1), kPaper);
    EXPECT_EQ(canvas.pixel(5, 5), kPaper);
}

TEST_F(CanvasTest, FillPastTheBoundKeepsWhatItPaintedAndSaysSo) {
    for (int y = 1; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            canvas.workBuffer(canvas.imageOffsetX + x, canvas.imageOffsetY + y) = kOther;
    canvas.RepaintChangedAt(canvas.workBuffer, canvas.imageOffsetX, canvas.imageOffsetY);
    canvas.tools().fillDepthLimit = 5;
    canvas.SelectTool(kToolFloodFill);
    press({0, 0});
    // Depths 1 to 5 expand, the sixth pixel is filled but not expanded.
    for (int x = 0; x < 32; ++x)
        EXPECT_EQ(canvas.pixel(x, 0), x <= 5 ? kInk : kPaper) << "pixel (" << x << ", 0)";
    EXPECT_EQ(canvas.pixel(0, 1), kOther);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "ペイント中にスタックがあふれました。");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Error);
    // Still committed with its snapshot.
    EXPECT_EQ(canvas.undoState(), UndoState::UndoAvailable);
    EXPECT_EQ(canvas.undoBuffer(0, 0), kPaper);
    EXPECT_TRUE(screenMatchesBuffer(canvas));
}

TEST_F(CanvasTest, FillOnTheStrokeColourChangesNothingButIsAnEdit) {
    canvas.leftColour = kPaper;
    canvas.SelectTool(kToolFloodFill);
    press({3, 3});
    EXPECT_TRUE(view.painted.empty());
    EXPECT_TRUE(pixelsAre(canvas, kPaper, {}, kInk));
    EXPECT_EQ(events.modified, 1);
    EXPECT_TRUE(canvas.editBufferChanged);
    EXPECT_EQ(canvas.undoState(), UndoState::UndoAvailable);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CanvasTest, FillFinishesOnThePress) {
    canvas.SelectTool(kToolFloodFill);
    document.paletteCurrent = true;
    press({3, 3});
    EXPECT_TRUE(pixelsAre(canvas, kInk, {}, kInk));
    EXPECT_FALSE(document.paletteCurrent);
    moveTo({4, 4});
    release({4, 4});
    EXPECT_EQ(events.modified, 1);
}

TEST_F(CanvasTest, RightColourPickTakesTheRightColourAndSelectsThePencil) {
    canvas.workBuffer(canvas.imageOffsetX + 4, canvas.imageOffsetY + 5) = 0x123456;
    canvas.SelectTool(kToolColourPick);
    const int tools = events.tools;
    press({4, 5}, MouseButton::Right);
    EXPECT_EQ(canvas.rightColour, 0x123456);
    EXPECT_EQ(canvas.selectedColour, 0x123456);
    EXPECT_EQ(canvas.leftColour, kInk);
    EXPECT_EQ(canvas.tool(), kToolPencil);
    EXPECT_EQ(events.colours, 1);
    EXPECT_GT(events.tools, tools);
    EXPECT_EQ(events.modified, 0);
    // The pick ends with the press: dragging on does not draw with the pencil.
    moveTo({6, 6});
    release({6, 6});
    EXPECT_EQ(canvas.pixel(6, 6), kPaper);
    EXPECT_EQ(canvas.undoState(), UndoState::None);
}

TEST_F(CanvasTest, LeftColourPickTakesTheLeftColour) {
    canvas.SelectTool(kToolColourPick);
    press({0, 0});
    EXPECT_EQ(canvas.leftColour, kPaper);
    EXPECT_EQ(canvas.selectedColour, kPaper);
    EXPECT_EQ(canvas.rightColour, kOther);
}

} // namespace
} // namespace vantle::test
