// Drawing on a 32-bit image in the window: the tools paint each button's colour at its opacity, undo and
// redo take strokes back and forth, and ranges keep every alpha on the way through the clipboard.

#include "support/WindowFixture.h"

#include "app/ColourLabel.h"
#include "app/EditPanel.h"
#include "app/TrueColourView.h"
#include "editor/DrawingTools.h"
#include "model/AlphaBlend.h"
#include "model/TrueColourDocument.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

namespace vantle::test {
namespace {

constexpr int kSide = 64; // shown at 4 screen pixels per image pixel
constexpr std::uint32_t kBlue = 0xFF0000FF;

class TrueColourDrawing : public WindowTest {
  protected:
    void SetUp() override {
        settings.trueColour = true;
        open("");
        openFile(writeIcon("one.ico", {{32, 0x00FF00}}));
        // Left half opaque blue, right half transparent.
        CursorImage full;
        full.width = full.height = kSide;
        full.argb.assign(kSide * kSide, 0);
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide / 2; ++x)
                full.argb[static_cast<std::size_t>(y * kSide + x)] = kBlue;
        setTrueColourImage(image(0), full);
        window->selectTab(1);
        window->ShowImageInEditor(0);
        ASSERT_TRUE(window->editPanel().trueColourShown());
        ASSERT_EQ(window->editPanel().trueColourView().scale(), 4.0);
    }
    QWidget* surface() const { return window->editPanel().trueColourView().widget(); }
    static QPoint at(int x, int y) { return {x * 4 + 2, y * 4 + 2}; }
    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(surface(), button, {}, at(x, y));
    }
    void drag(int x0, int y0, int x1, int y1) {
        QTest::mousePress(surface(), Qt::LeftButton, {}, at(x0, y0));
        QTest::mouseMove(surface(), at(x1, y1));
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, at(x1, y1));
    }
    std::uint32_t pixel(int x, int y) const { return image(0).full.at(x, y); }
    QSpinBox* opacity(int button) const { return window->findChildren<QSpinBox*>("spinOpacity")[button]; }
};

TEST_F(TrueColourDrawing, ToolsPaintEachButtonsColourAtItsOpacityAndUndoTakesAStrokeBack) {
    // The image palette of a 32-bit image lists its own colours and leaves it a 32-bit image.
    find<QRadioButton>("optClrChg_1")->click();
    EXPECT_EQ(find<ui::ColourLabel>("lCList_0")->colour(), makeColour(0, 0, 0xFF));
    EXPECT_EQ(find<ui::ColourLabel>("lCList_1")->colour(), kWhite);
    EXPECT_EQ(image(0).depth, kDepth32);
    find<QRadioButton>("optClrChg_0")->click();

    canvas().leftColour = makeColour(0xFF, 0, 0);
    opacity(0)->setValue(128);
    EXPECT_EQ(canvas().leftOpacity, 128);
    // A pencil stroke over blue, back over itself: 50 % red over opaque blue, each pixel once.
    QTest::mousePress(surface(), Qt::LeftButton, {}, at(10, 10));
    for (int x : {11, 12, 11})
        QTest::mouseMove(surface(), at(x, 10));
    QTest::mouseRelease(surface(), Qt::LeftButton, {}, at(11, 10));
    for (int x = 10; x <= 12; ++x)
        EXPECT_EQ(pixel(x, 10), 0xFF80007Fu) << x;
    EXPECT_EQ(pixel(13, 10), kBlue);
    EXPECT_TRUE(window->state().modified);

    // The fill with the right button: a quarter-opaque green over the transparent half is that colour.
    canvas().rightColour = makeColour(0, 0xFF, 0);
    opacity(1)->setValue(64);
    canvas().SelectTool(kToolFloodFill);
    click(40, 40, Qt::RightButton);
    EXPECT_EQ(pixel(40, 40), 0x4000FF00u);
    EXPECT_EQ(pixel(kSide - 1, kSide - 1), 0x4000FF00u);
    EXPECT_EQ(pixel(0, 0), kBlue);
    window->M_E_Bf_Click();
    EXPECT_EQ(pixel(40, 40), 0u);
    EXPECT_EQ(pixel(10, 10), 0xFF80007Fu) << "only the last step is undone";
    window->M_E_Nx_Click();
    EXPECT_EQ(pixel(40, 40), 0x4000FF00u);

    // A filled rectangle dragged about over both halves: the view drawn bit by bit shows what a view drawn
    // afresh shows.
    canvas().SelectTool(kToolFilledRectangle);
    QTest::mousePress(surface(), Qt::LeftButton, {}, at(20, 20));
    for (int k = 1; k <= 6; ++k)
        QTest::mouseMove(surface(), at(20 + 6 * k, 20 + 4 * k));
    QTest::mouseRelease(surface(), Qt::LeftButton, {}, at(56, 44));
    EXPECT_EQ(pixel(50, 40), sourceOver(0x80FF0000u, 0x4000FF00u));
    EXPECT_EQ(pixel(57, 40), 0x4000FF00u);
    const QImage drawn = surface()->grab().toImage();
    window->ShowImageInEditor(0);
    EXPECT_TRUE(drawn == surface()->grab().toImage());

    // Writing exactly: black at opacity 32 takes the blue pixel down to it.
    canvas().SelectTool(kToolPencil);
    canvas().leftColour = kBlack;
    opacity(0)->setValue(32);
    find<QCheckBox>("chkExact")->setChecked(true);
    click(5, 5);
    EXPECT_EQ(pixel(5, 5), 0x20000000u);

    // The colour pick takes the opacity too, and the pencil is chosen again.
    canvas().SelectTool(kToolColourPick);
    click(10, 10);
    EXPECT_EQ(canvas().leftColour, makeColour(0x80, 0, 0x7F));
    EXPECT_EQ(opacity(0)->value(), 255);
    canvas().SelectTool(kToolColourPick);
    click(5, 5, Qt::RightButton);
    EXPECT_EQ(canvas().rightColour, kBlack);
    EXPECT_EQ(opacity(1)->value(), 32);
    EXPECT_EQ(canvas().tool(), kToolPencil);

    // The colour chooser gives colour and opacity at once.
    platform.opacityColourAnswers.push_back(0x80123456u);
    QTest::mouseDClick(find<ui::ColourLabel>("lLeftC"), Qt::LeftButton);
    EXPECT_EQ(canvas().leftColour, makeColour(0x12, 0x34, 0x56));
    EXPECT_EQ(opacity(0)->value(), 0x80);

    // An inverting pixel cannot be saved beside partial alpha: it becomes black at once (as a theme shows
    // it), in the same undoable step.
    find<QCheckBox>("chkExact")->setChecked(false);
    QTest::mouseClick(find<ui::ColourLabel>("lInverC"), Qt::LeftButton);
    click(30, 50);
    EXPECT_EQ(pixel(30, 50), 0xFF000000u);
    EXPECT_FALSE(image(0).full.hasInverted());
    window->M_E_Bf_Click();
    EXPECT_EQ(pixel(30, 50), kBlue);
}

TEST_F(TrueColourDrawing, RangesAndMovesKeepEveryAlphaThroughTheClipboard) {
    CursorImage& full = image(0).full;
    for (std::size_t i = 0; i < full.argb.size(); ++i)
        full.argb[i] = static_cast<std::uint32_t>(i % 255 + 1) << 24 | static_cast<std::uint32_t>(i * 7919);
    window->ShowImageInEditor(0);
    const CursorImage before = full;

    // A copied range goes onto the clipboard with its alpha, and back where it was.
    action("M_E_HANI")->trigger();
    drag(2, 3, 5, 4);
    ASSERT_TRUE(action("M_E_COPY")->isEnabled());
    action("M_E_COPY")->trigger();
    ASSERT_EQ(platform.alphaClipboardPuts.size(), 1u);
    const Picture& copied = platform.alphaClipboardPuts[0];
    ASSERT_EQ(std::pair(copied.width, copied.height), std::pair(4, 2));
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(copied.at(c, r), before.at(2 + c, 3 + r));
    EXPECT_TRUE(full.argb == before.argb);

    // Another program's picture is pasted, moved and dropped with every alpha as it was.
    Picture other;
    other.width = 3;
    other.height = 2;
    other.argb = {0x01102030, 0x80405060, 0xFF708090, 0x7F000000, 0x02FFFFFF, 0xFE123456};
    platform.clipboard = other;
    platform.clipboardOwn = false;
    action("M_E_PAST")->trigger();
    drag(1, 1, 11, 6);
    action("M_E_HANIL")->trigger();
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(pixel(10 + c, 5 + r), other.at(c, r));
    EXPECT_EQ(pixel(0, 0), before.at(0, 0)) << "a pasted piece leaves no hole";
    window->M_E_Bf_Click();
    EXPECT_TRUE(full.argb == before.argb);

    // One-pixel moves of the whole image: out and back, every pixel as it was.
    auto* left = find<QToolButton>("CmdEditL");
    auto* right = find<QToolButton>("CmdEditR");
    ASSERT_TRUE(left->isVisible() && left->isEnabled());
    left->click();
    EXPECT_EQ(pixel(0, 0), before.at(1, 0));
    EXPECT_EQ(pixel(kSide - 1, 0), 0u);
    right->click();
    EXPECT_TRUE(full.argb == before.argb);
}

TEST_F(WindowTest, AGridImageBecomesA32BitImageOnlyUnderTheSetting) {
    EXPECT_FALSE(action("M_E_To32")->isVisible()) << "the designed menu";
    settings.trueColour = true;
    open("");
    // The new document's image is a grid image (files open as 32-bit images under the setting).
    window->selectTab(1);
    ASSERT_FALSE(image(0).trueColour());
    image(0).pixels(5, 5) = makeColour(0, 0xFF, 0);
    window->ShowImageInEditor(0);
    ASSERT_TRUE(action("M_E_To32")->isEnabled());
    action("M_E_To32")->trigger();
    ASSERT_TRUE(image(0).trueColour());
    EXPECT_EQ(image(0).full.at(5, 5), 0xFF00FF00u);
    EXPECT_TRUE(window->editPanel().trueColourShown());
    EXPECT_FALSE(action("M_E_To32")->isEnabled());
    window->M_E_Bf_Click();
    EXPECT_FALSE(image(0).trueColour());
    EXPECT_FALSE(window->editPanel().trueColourShown());
}

} // namespace
} // namespace vantle::test
