// Invert, monochrome, the quarter turns and flips (also of images that are not square) and the shifts,
// with exact pixels; marker pixels are left alone by the colour commands and move with the others.

#include "CanvasTestSupport.h"

#include "editor/Transforms.h"

namespace vantle::test {

namespace {

colourRGB at(int x, int y) {
    return makeColour(x * 5 + 1, y * 5 + 1, 0x33);
}

class TransformsTest : public CanvasTest {
  protected:
    // A size w x h image with every pixel its own colour, shown in the canvas.
    void show(int w, int h) {
        IconImage& im = document.images[0];
        im.width = static_cast<std::int16_t>(w);
        im.height = static_cast<std::int16_t>(h);
        im.pixels.fill(markers.transparent);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                im.pixels(x, y) = at(x, y);
        canvas.loadImage(0);
    }
    PixelGrid current() const {
        PixelGrid g;
        g.fill(markers.transparent);
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                g(x, y) = canvas.pixel(x, y);
        return g;
    }
};

} // namespace

TEST_F(TransformsTest, InvertAndMonochromeLeaveMarkersAlone) {
    show(16, 16);
    canvas.workBuffer(canvas.imageOffsetX + 0, canvas.imageOffsetY + 0) = 0xFFFFFF;
    canvas.workBuffer(canvas.imageOffsetX + 1, canvas.imageOffsetY + 0) = 0x1F1F1F;
    canvas.workBuffer(canvas.imageOffsetX + 2, canvas.imageOffsetY + 0) = markers.transparent;
    canvas.workBuffer(canvas.imageOffsetX + 3, canvas.imageOffsetY + 0) = markers.inverted;
    canvas.workBuffer(canvas.imageOffsetX + 4, canvas.imageOffsetY + 0) = 0x0000FF;
    invertColours(canvas, markers);
    EXPECT_EQ(canvas.pixel(0, 0), 0x000000);
    EXPECT_EQ(canvas.pixel(1, 0), 0xE0E0E0) << "becomes the transparent marker";
    EXPECT_EQ(canvas.pixel(2, 0), markers.transparent);
    EXPECT_EQ(canvas.pixel(3, 0), markers.inverted);
    EXPECT_EQ(canvas.pixel(4, 0), 0xFFFF00);
    EXPECT_TRUE(screenMatchesBuffer(canvas));
    canvas.workBuffer(canvas.imageOffsetX + 4, canvas.imageOffsetY + 0) = 0x0000FF;
    canvas.workBuffer(canvas.imageOffsetX + 5, canvas.imageOffsetY + 0) = 0x010101;
    makeMonochrome(canvas, markers);
    EXPECT_EQ(canvas.pixel(4, 0), 0x555555);
    EXPECT_EQ(canvas.pixel(5, 0), 0x010101);
    EXPECT_EQ(canvas.pixel(3, 0), markers.inverted);
    EXPECT_EQ(canvas.pixel(1, 0), markers.transparent) << "a marker stays a marker";
    EXPECT_EQ(canvas.undoState(), UndoState::UndoAvailable);
}

TEST_F(TransformsTest, SquareTurnsAndFlipsMoveEveryPixelMarkersIncluded) {
    show(16, 16);
    canvas.workBuffer(canvas.imageOffsetX + 0, canvas.imageOffsetY + 1) = markers.inverted;
    const PixelGrid start = current();
    turnImage(canvas, Turn::Right, markers);
    EXPECT_EQ(canvas.pixel(15, 0), start(0, 0)) << "the top-left pixel ends at the top-right";
    EXPECT_EQ(canvas.pixel(14, 0), markers.inverted);
    EXPECT_EQ(canvas.pixel(0, 0), start(0, 15));
    for (int i = 0; i < 3; ++i)
        turnImage(canvas, Turn::Right, markers);
    EXPECT_EQ(current(), start) << "four right turns";
    turnImage(canvas, Turn::Left, markers);
    EXPECT_EQ(canvas.pixel(0, 15), start(0, 0)) << "the top-left pixel ends at the bottom-left";
    turnImage(canvas, Turn::Right, markers);
    EXPECT_EQ(current(), start);
    turnImage(canvas, Turn::UpsideDown, markers);
    EXPECT_EQ(canvas.pixel(3, 15), start(3, 0));
    turnImage(canvas, Turn::UpsideDown, markers);
    turnImage(canvas, Turn::Mirror, markers);
    EXPECT_EQ(canvas.pixel(15, 1), markers.inverted);
    EXPECT_EQ(canvas.pixel(12, 7), start(3, 7));
    EXPECT_TRUE(screenMatchesBuffer(canvas));
}

TEST_F(TransformsTest, ImagesThatAreNotSquareTurnInsideTheirOwnSize) {
    for (auto [w, h] : {std::pair{24, 16}, std::pair{16, 24}, std::pair{48, 1}, std::pair{1, 48},
                        std::pair{17, 16}, std::pair{5, 48}}) {
        show(w, h);
        const PixelGrid start = current();
        turnImage(canvas, Turn::Right, markers);
        ASSERT_EQ(canvas.width(), w);
        ASSERT_EQ(canvas.height(), h);
        turnImage(canvas, Turn::Left, markers);
        // What survives is the centred square; the rest is transparent.
        const int side = std::min(w, h);
        int kept = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (canvas.pixel(x, y) == start(x, y))
                    ++kept;
                else
                    EXPECT_EQ(canvas.pixel(x, y), markers.transparent)
                        << w << "x" << h << " at " << x << "," << y;
        EXPECT_EQ(kept, side * side) << w << "x" << h;
    }
    // 24 x 16 turned right: the centred 16 x 16 square turns, the side columns become transparent.
    show(24, 16);
    const PixelGrid start = current();
    turnImage(canvas, Turn::Right, markers);
    EXPECT_EQ(canvas.pixel(19, 0), start(4, 0)) << "top-left of the square to its top-right";
    EXPECT_EQ(canvas.pixel(4, 0), start(4, 15));
    EXPECT_EQ(canvas.pixel(3, 5), markers.transparent);
    EXPECT_EQ(canvas.pixel(20, 5), markers.transparent);
    for (int i = 0; i < 3; ++i)
        turnImage(canvas, Turn::Right, markers);
    EXPECT_EQ(canvas.pixel(4, 0), start(4, 0)) << "four turns bring the square back";
    EXPECT_EQ(canvas.pixel(19, 15), start(19, 15));
}

TEST_F(TransformsTest, ShiftsMoveTheWindowAndStopHalfAnImageAway) {
    show(32, 32);
    ShiftLimits limits;
    for (int i = 0; i < 16; ++i) {
        ASSERT_TRUE(limits.left) << i;
        limits = shiftImage(canvas, Shift::Left, limits);
    }
    EXPECT_FALSE(limits.left);
    EXPECT_EQ(canvas.pixel(0, 0), at(16, 0));
    EXPECT_EQ(canvas.pixel(16, 0), markers.transparent);
    limits = shiftImage(canvas, Shift::Right, limits);
    EXPECT_TRUE(limits.left);
    EXPECT_EQ(canvas.pixel(0, 0), at(15, 0)) << "the column shifted out comes back";
    for (int i = 0; i < 15; ++i)
        limits = shiftImage(canvas, Shift::Right, limits);
    EXPECT_EQ(canvas.pixel(0, 0), at(0, 0));
    limits = shiftImage(canvas, Shift::Down, limits);
    EXPECT_EQ(canvas.pixel(0, 1), at(0, 0));
    EXPECT_EQ(canvas.pixel(0, 0), markers.transparent);
    EXPECT_TRUE(screenMatchesBuffer(canvas));
    // The snapshot is taken after the shift: Undo changes nothing visible.
    canvas.Undo();
    EXPECT_EQ(canvas.pixel(0, 1), at(0, 0));
}

} // namespace vantle::test
