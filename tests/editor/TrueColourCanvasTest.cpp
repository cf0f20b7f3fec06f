// Drawing on 32-bit images: the painting rule, strokes that paint each pixel once, fill, colour pick and
// the one-pixel moves of the image; range editing by image pixels.

#include "editor/TrueColourCanvas.h"
#include "editor/DrawingTools.h"
#include "editor/EditCanvas.h"
#include "editor/ShapeAlgorithms.h"
#include "editor/TrueColourRange.h"
#include "model/AlphaBlend.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace vantle::test {
namespace {

class RecordingEvents : public TrueColourEvents {
  public:
    void aboutToChange() override {
        ++aboutToChangeCalls;
        if (image != nullptr)
            imageWhenWarned = *image;
    }
    void pixelsChanged(const PixelArea& area) override { changes.push_back(area); }
    void colourPicked(PaintColour colour, MouseButton button) override { picks.emplace_back(colour, button); }

    const CursorImage* image = nullptr;
    int aboutToChangeCalls = 0;
    CursorImage imageWhenWarned;
    std::vector<PixelArea> changes;
    std::vector<std::pair<PaintColour, MouseButton>> picks;
};

CursorImage plainImage(int width, int height, std::uint32_t argb) {
    CursorImage image;
    image.width = width;
    image.height = height;
    image.argb.assign(static_cast<std::size_t>(width * height), argb);
    return image;
}

// Every pixel different, with opacities from 0 to 255 and one inverting pixel.
CursorImage patternImage(int width, int height) {
    CursorImage image = plainImage(width, height, 0);
    image.inverted.assign(image.argb.size(), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.argb[static_cast<std::size_t>(y * width + x)] =
                static_cast<std::uint32_t>((x * 40 + y * 7) % 256) << 24 |
                static_cast<std::uint32_t>(x) << 16 | static_cast<std::uint32_t>(y) << 8 | 0x5A;
    const std::size_t inverting = std::min<std::size_t>(9, image.argb.size() - 1);
    image.argb[inverting] = kInvertingColour.argb;
    image.inverted[inverting] = 1;
    return image;
}

bool sameImage(const CursorImage& a, const CursorImage& b) {
    if (a.argb != b.argb)
        return false;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.invertsAt(x, y) != b.invertsAt(x, y))
                return false;
    return true;
}

constexpr PaintColour kHalfRed{0x80FF0000u};
constexpr PaintColour kBlue{0xFF0000FFu};

class TrueColourCanvasTest : public ::testing::Test {
  protected:
    void use(CursorImage picture) {
        image = std::move(picture);
        original = image;
        events.image = &image;
        canvas.attach(&image);
    }
    StrokeStyle style(int tool, PaintColour left = kHalfRed, int lineSize = 0) {
        StrokeStyle s;
        s.tool = tool;
        s.lineSize = lineSize;
        s.left = left;
        s.right = kBlue;
        return s;
    }

    CursorImage image;
    CursorImage original;
    RecordingEvents events;
    TrueColourCanvas canvas{events};
};

TEST(PaintPixel, BlendsErasesInvertsAndWritesExactly) {
    // Half red over opaque blue, and half red over half blue, worked out by hand.
    EXPECT_EQ(paintPixel(0xFF0000FFu, false, kHalfRed, false).argb, 0xFF80007Fu);
    EXPECT_EQ(paintPixel(0x800000FFu, false, kHalfRed, false).argb, 0xC0AA0055u);
    // An inverting pixel is transparent under paint and stops inverting.
    const PaintedPixel overInverting = paintPixel(0x00FFFFFFu, true, kHalfRed, false);
    EXPECT_EQ(overInverting.argb, kHalfRed.argb);
    EXPECT_FALSE(overInverting.inverts);
    const PaintedPixel exact = paintPixel(0xFF0000FFu, false, {0x40123456u}, true);
    EXPECT_EQ(exact.argb, 0x40123456u);
    // Opacity 0 erases whatever its colour bits, in either mode.
    for (const bool exactMode : {false, true}) {
        EXPECT_EQ(paintPixel(0xFF0000FFu, false, {0x00ABCDEFu}, exactMode).argb, 0u);
        EXPECT_EQ(paintPixel(0x00FFFFFFu, true, {0x00ABCDEFu}, exactMode).inverts, false);
        const PaintedPixel inverting = paintPixel(0x80123456u, false, kInvertingColour, exactMode);
        EXPECT_EQ(inverting.argb, 0x00FFFFFFu);
        EXPECT_TRUE(inverting.inverts);
    }
}

TEST_F(TrueColourCanvasTest, PencilCrossingItsPathPaintsOnce) {
    use(plainImage(8, 8, 0xFF0000FFu));
    canvas.press(MouseButton::Left, 8, 2, style(kToolPencil)); // outside: nothing
    EXPECT_FALSE(canvas.strokeOpen());
    EXPECT_EQ(events.aboutToChangeCalls, 0);
    canvas.press(MouseButton::Left, 2, 2, style(kToolPencil));
    EXPECT_EQ(events.aboutToChangeCalls, 1);
    EXPECT_TRUE(sameImage(events.imageWhenWarned, original));
    for (const auto& [x, y] :
         std::vector<std::pair<int, int>>{{3, 2}, {3, 3}, {2, 3}, {2, 2}, {3, 2}, {9, 9}})
        canvas.move(x, y);
    canvas.release();
    EXPECT_EQ(events.aboutToChangeCalls, 1);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(image.at(x, y), x >= 2 && x <= 3 && y >= 2 && y <= 3 ? 0xFF80007Fu : 0xFF0000FFu);
    EXPECT_EQ(events.changes.front(), (PixelArea{2, 2, 3, 3}));
    EXPECT_EQ(events.changes.size(), 4u); // the last two moves paint nothing new, the one outside is ignored
    canvas.move(5, 5);                    // no stroke open
    EXPECT_EQ(image.at(5, 5), 0xFF0000FFu);
}

// Each shape tool dragged past the image's corner: the pixels of its plotter inside the image are painted
// over once (the thick line overlaps itself), checker pixels with the colour of their side, the rest as
// before.
TEST_F(TrueColourCanvasTest, ShapesPaintTheirPixelsOnceAndClip) {
    for (int tool = kToolLine; tool <= kToolCheckerEllipse; ++tool) {
        SCOPED_TRACE(tool);
        use(patternImage(8, 8));
        canvas.press(MouseButton::Left, 1, 2, style(tool, kHalfRed, 2));
        canvas.move(6, 7);
        canvas.move(7, 7);
        canvas.release();
        std::set<std::pair<int, int>> shape;
        const auto add = [&](int x, int y) { shape.insert({x, y}); };
        switch (tool) {
        case kToolLine:
            plotLine(1, 2, 7, 7, 2, add);
            break;
        case kToolRectangle:
            plotRectangleOutline(1, 2, 7, 7, 2, add);
            break;
        case kToolEllipse:
            plotEllipseOutline(1, 2, 7, 7, 2, add);
            break;
        case kToolFilledEllipse:
        case kToolCheckerEllipse:
            plotFilledEllipse(1, 2, 7, 7, add);
            break;
        default:
            plotFilledRectangle(1, 2, 7, 7, add);
            break;
        }
        const bool checker = tool == kToolCheckerRectangle || tool == kToolCheckerEllipse;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const std::uint32_t before = original.invertsAt(x, y) ? 0 : original.at(x, y);
                const PaintColour colour = checker && !checkerIsLeft(1, 2, x, y, 2) ? kBlue : kHalfRed;
                EXPECT_EQ(image.at(x, y),
                          shape.count({x, y}) != 0 ? sourceOver(colour.argb, before) : original.at(x, y))
                    << x << "," << y;
            }
        EXPECT_EQ(events.aboutToChangeCalls, tool);
    }
}

TEST_F(TrueColourCanvasTest, ShapeMovedBackLeavesNoTrace) {
    use(patternImage(8, 8));
    canvas.press(MouseButton::Left, 1, 1, style(kToolRectangle, kInvertingColour));
    canvas.move(6, 6);
    EXPECT_TRUE(image.invertsAt(6, 3));
    canvas.move(2, 1);
    canvas.release();
    EXPECT_EQ(events.changes.back(), (PixelArea{1, 1, 7, 7})); // the old preview and the new shape
    CursorImage expected = original;
    expected.argb[9] = expected.argb[10] = 0x00FFFFFFu;
    expected.inverted[9] = expected.inverted[10] = 1;
    EXPECT_TRUE(sameImage(image, expected));
}

TEST_F(TrueColourCanvasTest, ExactModeErasingAndInverting) {
    use(plainImage(4, 4, 0xFF102030u));
    StrokeStyle exact = style(kToolFilledRectangle, {0x40123456u});
    exact.exact = true;
    canvas.press(MouseButton::Left, 0, 0, exact);
    canvas.move(1, 0);
    canvas.release();
    EXPECT_EQ(image.at(1, 0), 0x40123456u);
    EXPECT_EQ(image.at(2, 0), 0xFF102030u);
    // The right button's colour: an inverting pencil gives the image its flags.
    StrokeStyle inverting = style(kToolPencil);
    inverting.right = kInvertingColour;
    canvas.press(MouseButton::Right, 3, 3, inverting);
    EXPECT_TRUE(image.invertsAt(3, 3));
    EXPECT_EQ(image.at(3, 3), 0x00FFFFFFu);
    EXPECT_EQ(image.inverted.size(), 16u);
    EXPECT_FALSE(image.invertsAt(2, 3));
    canvas.press(MouseButton::Left, 3, 3, style(kToolPencil, {0x00FFFFFFu})); // erases, in over mode too
    canvas.move(1, 0);
    EXPECT_EQ(image.at(3, 3), 0u);
    EXPECT_FALSE(image.invertsAt(3, 3));
    EXPECT_EQ(image.at(1, 0), 0u);
}

TEST_F(TrueColourCanvasTest, FillTakesExactlyTheStartValue) {
    use(plainImage(6, 6, 0xFF00FF00u));
    // A wall of the same colour at another opacity, and one inverting pixel, split the image.
    for (int y = 0; y < 6; ++y)
        image.argb[static_cast<std::size_t>(y * 6 + 3)] = 0x8000FF00u;
    image.inverted.assign(36, 0);
    image.argb[0] = 0x00FFFFFFu;
    image.inverted[0] = 1;
    original = image;
    canvas.press(MouseButton::Left, 1, 1, style(kToolFloodFill));
    EXPECT_FALSE(canvas.strokeOpen());
    EXPECT_EQ(events.aboutToChangeCalls, 1);
    EXPECT_TRUE(sameImage(events.imageWhenWarned, original));
    const std::uint32_t filled = sourceOver(kHalfRed.argb, 0xFF00FF00u);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(image.at(x, y), x < 3 && (x | y) != 0 ? filled : original.at(x, y)) << x << "," << y;
    EXPECT_EQ(events.changes, (std::vector<PixelArea>{{0, 0, 3, 6}}));
    // Filling with what a pixel already becomes changes nothing, but the step is still taken.
    StrokeStyle same = style(kToolFloodFill, {0xFF00FF00u});
    same.exact = true;
    canvas.press(MouseButton::Left, 5, 5, same);
    EXPECT_EQ(events.aboutToChangeCalls, 2);
    EXPECT_EQ(events.changes.size(), 1u);
    // The largest image in one region: no depth limit.
    use(plainImage(256, 256, 0u));
    canvas.press(MouseButton::Left, 255, 255, style(kToolFloodFill));
    EXPECT_EQ(image.at(0, 0), kHalfRed.argb);
    EXPECT_EQ(events.changes.back(), (PixelArea{0, 0, 256, 256}));
}

TEST_F(TrueColourCanvasTest, ColourPickGivesOpacityAndInversion) {
    use(patternImage(8, 8));
    image.argb[2] = 0x00123456u;
    canvas.press(MouseButton::Left, 3, 2, style(kToolColourPick));
    canvas.press(MouseButton::Right, 1, 1, style(kToolColourPick));
    canvas.press(MouseButton::Left, 2, 0, style(kToolColourPick));
    EXPECT_FALSE(canvas.strokeOpen());
    EXPECT_EQ(events.aboutToChangeCalls, 0);
    ASSERT_EQ(events.picks.size(), 3u);
    EXPECT_EQ(events.picks[0].first, (PaintColour{image.at(3, 2), false})); // opacity 134
    EXPECT_EQ(events.picks[1].first, kInvertingColour);
    EXPECT_EQ(events.picks[1].second, MouseButton::Right);
    EXPECT_EQ(events.picks[2].first, (PaintColour{0u, false}));
}

TEST_F(TrueColourCanvasTest, ShiftsKeepWhatMovesOutAndStopAtHalf) {
    use(patternImage(8, 6));
    EXPECT_EQ(canvas.shift(-1, 0).left, true);
    EXPECT_EQ(image.at(0, 0), original.at(1, 0));
    EXPECT_EQ(image.at(7, 0), 0u);
    EXPECT_TRUE(image.invertsAt(0, 1)); // the inverting pixel was at (1, 1)
    EXPECT_EQ(events.changes.back(), (PixelArea{0, 0, 8, 6}));
    TrueColourShiftLimits limits;
    for (int i = 0; i < 3; ++i)
        limits = canvas.shift(-1, 0);
    EXPECT_FALSE(limits.left);
    EXPECT_TRUE(limits.right);
    EXPECT_EQ(events.aboutToChangeCalls, 4);
    const CursorImage atLimit = image;
    canvas.shift(-1, 0);
    EXPECT_EQ(events.aboutToChangeCalls, 4);
    EXPECT_TRUE(sameImage(image, atLimit));
    for (int i = 0; i < 4; ++i)
        limits = canvas.shift(1, 0);
    EXPECT_TRUE(sameImage(image, original));
    EXPECT_TRUE(limits.left && limits.right);
    // Vertically, three rows each way; what was drawn meanwhile moves along.
    for (int i = 0; i < 3; ++i)
        limits = canvas.shift(0, 1);
    EXPECT_FALSE(limits.down);
    canvas.press(MouseButton::Left, 0, 5, style(kToolPencil, kInvertingColour));
    canvas.release();
    for (int i = 0; i < 3; ++i)
        limits = canvas.shift(0, -1);
    EXPECT_TRUE(limits.up && limits.down);
    CursorImage expected = original;
    expected.argb[16] = 0x00FFFFFFu;
    expected.inverted[16] = 1;
    EXPECT_TRUE(sameImage(image, expected));
    // Pixels moved out before another attach are forgotten.
    canvas.shift(0, 1);
    canvas.attach(&image);
    limits = canvas.shiftLimits();
    EXPECT_TRUE(limits.left && limits.right && limits.up && limits.down);
    canvas.shift(0, -1);
    EXPECT_NE(expected.at(0, 5), 0u);
    EXPECT_EQ(image.at(0, 5), 0u);
}

class TrueColourRangeTest : public TrueColourCanvasTest {
  protected:
    void useForRange(CursorImage picture) {
        use(std::move(picture));
        range.attach(&image);
        range.start();
    }
    void lift(int x0, int y0, int x, int y) {
        range.press(x0, y0);
        range.move(x, y);
        range.release();
    }

    TrueColourRange range{events};
};

// The piece of patternImage lifted from (1, 1) to (3, 2): its top-left pixel inverts.
void expectLiftedPiece(const CursorImage& piece, const CursorImage& from) {
    ASSERT_EQ(piece.width, 3);
    ASSERT_EQ(piece.height, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(piece.at(x, y), from.at(1 + x, 1 + y));
            EXPECT_EQ(piece.invertsAt(x, y), x == 0 && y == 0);
        }
}

TEST_F(TrueColourRangeTest, LiftMoveAndDropKeepEveryPixel) {
    useForRange(patternImage(8, 8));
    range.press(9, 1); // a rectangle starts inside the image only
    EXPECT_FALSE(range.dragging());
    range.press(3, 2);
    range.move(1, -4); // the other corner stays inside the image
    EXPECT_EQ(range.area(), (PixelArea{1, 0, 4, 3}));
    range.move(1, 1);
    range.release();
    EXPECT_TRUE(range.floating());
    EXPECT_EQ(range.area(), (PixelArea{1, 1, 4, 3}));
    expectLiftedPiece(range.piece(), original);
    EXPECT_TRUE(sameImage(range.shownImage(), original));
    range.press(2, 2); // grabs the piece by its pixel (1, 1)
    range.move(4, 3);
    EXPECT_EQ(range.area(), (PixelArea{3, 2, 6, 4}));
    EXPECT_EQ(std::vector<PixelArea>(events.changes.end() - 2, events.changes.end()),
              (std::vector<PixelArea>{{1, 1, 4, 3}, {3, 2, 6, 4}}));
    range.move(100, 3);
    range.release();
    range.nudge(1, 0); // already at the right edge
    range.nudge(0, -1);
    EXPECT_EQ(range.area(), (PixelArea{5, 1, 8, 3}));
    EXPECT_TRUE(sameImage(image, original));
    EXPECT_EQ(events.aboutToChangeCalls, 0);

    CursorImage expected = original;
    for (int y = 1; y < 3; ++y)
        for (int x = 1; x < 4; ++x) {
            expected.argb[static_cast<std::size_t>(y * 8 + x)] = 0;
            expected.inverted[static_cast<std::size_t>(y * 8 + x)] = 0;
        }
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            expected.argb[static_cast<std::size_t>((1 + y) * 8 + 5 + x)] = original.at(1 + x, 1 + y);
            expected.inverted[static_cast<std::size_t>((1 + y) * 8 + 5 + x)] = x == 0 && y == 0;
        }
    EXPECT_TRUE(sameImage(range.shownImage(), expected));
    range.press(0, 7); // elsewhere: the piece goes into the image and a new rectangle starts
    EXPECT_EQ(events.aboutToChangeCalls, 1);
    EXPECT_TRUE(sameImage(events.imageWhenWarned, original));
    EXPECT_TRUE(sameImage(image, expected));
    EXPECT_TRUE(range.dragging());
    range.release();
    range.cancel(); // forgets the new piece, the image untouched
    EXPECT_FALSE(range.rangeMode());
    EXPECT_TRUE(sameImage(image, expected));
    EXPECT_EQ(events.aboutToChangeCalls, 1);
}

TEST_F(TrueColourRangeTest, CutCopyAndPaste) {
    useForRange(patternImage(8, 8));
    EXPECT_FALSE(range.cut().has_value());
    lift(1, 1, 3, 2);
    const std::optional<CursorImage> cut = range.cut();
    ASSERT_TRUE(cut.has_value());
    expectLiftedPiece(*cut, original);
    EXPECT_FALSE(range.rangeMode() || range.floating());
    EXPECT_EQ(events.aboutToChangeCalls, 1);
    EXPECT_FALSE(image.invertsAt(1, 1));
    EXPECT_EQ(image.at(1, 1) | image.at(3, 2), 0u);
    EXPECT_EQ(image.at(4, 2), original.at(4, 2));

    // Pasted into an image without inversion flags: it floats at the corner until dropped, and leaves
    // no hole.
    useForRange(plainImage(4, 4, 0xFF102030u));
    range.paste(*cut);
    EXPECT_TRUE(range.pasted());
    EXPECT_EQ(range.area(), (PixelArea{0, 0, 3, 2}));
    range.nudge(1, 0);
    range.nudge(1, 0);
    EXPECT_TRUE(image.inverted.empty());
    EXPECT_TRUE(range.shownImage().invertsAt(1, 0));
    EXPECT_EQ(range.shownImage().at(0, 0), 0xFF102030u);
    range.clear();
    EXPECT_FALSE(range.rangeMode());
    EXPECT_EQ(image.at(0, 0), 0xFF102030u);
    EXPECT_TRUE(image.invertsAt(1, 0));
    EXPECT_EQ(image.at(3, 1), cut->at(2, 1));

    // Copy: the piece as it floats, dropped back where it lies. Paste cuts a piece to the image.
    useForRange(patternImage(8, 8));
    lift(1, 1, 3, 2);
    range.nudge(0, 1);
    const int warned = events.aboutToChangeCalls;
    const std::optional<CursorImage> copied = range.copy();
    ASSERT_TRUE(copied.has_value());
    expectLiftedPiece(*copied, original);
    EXPECT_EQ(events.aboutToChangeCalls, warned + 1);
    EXPECT_FALSE(range.rangeMode());
    EXPECT_EQ(image.at(1, 1), 0u);
    EXPECT_TRUE(image.invertsAt(1, 2));
    EXPECT_EQ(image.at(3, 3), original.at(3, 2));
    range.paste(plainImage(9, 2, 0x11223344u));
    EXPECT_TRUE(range.rangeMode());
    EXPECT_EQ(range.area(), (PixelArea{0, 0, 8, 2}));
    range.paste(patternImage(3, 2)); // the first paste is dropped
    EXPECT_EQ(events.aboutToChangeCalls, warned + 2);
    EXPECT_EQ(image.at(7, 1), 0x11223344u);
    EXPECT_EQ(image.at(0, 2), original.at(0, 2));
}

} // namespace
} // namespace vantle::test
