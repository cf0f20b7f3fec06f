// A 32-bit image in the edit tab: shown zoomed over a checkerboard in place of the grid canvas, with the
// tools and pixel commands off, its hotspot set by the hotspot click; a grid image brings the canvas back.

#include "support/WindowFixture.h"

#include "app/CanvasWidget.h"
#include "app/ToolBoxPanel.h"
#include "app/TrueColourView.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

namespace vantle::test {

namespace {

constexpr std::uint32_t kOpaque = 0xFF2040C0;
constexpr std::uint32_t kHalfRed = 0x80FF0000;

// 256 x 256, transparent but for an opaque square at (100..199, 100..199) and a half-alpha red row 10.
void makeTrueColour(IconImage& image) {
    CursorImage& full = image.full;
    full.width = full.height = 256;
    full.hotspotX = 5;
    full.hotspotY = 6;
    full.argb.assign(256 * 256, 0);
    for (int y = 100; y < 200; ++y)
        for (int x = 100; x < 200; ++x)
            full.argb[static_cast<std::size_t>(y * 256 + x)] = kOpaque;
    for (int x = 0; x < 256; ++x)
        full.argb[static_cast<std::size_t>(10 * 256 + x)] = kHalfRed;
    image.width = image.height = 256;
    image.hotspotX = 5;
    image.hotspotY = 6;
    image.depth = kDepth32;
}

} // namespace

TEST_F(WindowTest, TrueColourImageIsShownZoomedAndOnlyItsHotspotChanges) {
    openFile(writeIcon("two.ico", {{32, 0x00FF00}, {48, 0x0000FF}}));
    makeTrueColour(image(0));
    const IconImage gridBefore = image(1);
    auto select = [&](int slot) { window->imageList().pImg_Click(slot); };
    window->ShowImageInEditor(0);

    ui::EditPanel& panel = window->editPanel();
    ui::TrueColourView& view = panel.trueColourView();
    auto* zoom = find<QComboBox>("cboZoom");
    EXPECT_TRUE(view.isVisible());
    EXPECT_FALSE(panel.canvasWidget().isVisible());
    // The tools draw on it, with each button's opacity beside them.
    EXPECT_TRUE(panel.tools().isEnabled());
    EXPECT_TRUE(action("M_E_To")->isEnabled());
    EXPECT_TRUE(action("tberIcon_Hani")->isEnabled());
    EXPECT_TRUE(find<QWidget>("fOpacity")->isVisible());
    EXPECT_EQ(zoom->currentText().toStdString(), "×1"); // the largest whole zoom that fits 256 in 291

    // At 1 there is no grid: the transparent corner shows the light square, the half red row is blended.
    QImage shot = view.widget()->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(256, 256));
    EXPECT_EQ(shot.pixel(0, 0), qRgb(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(shot.pixel(8, 0), qRgb(0xCC, 0xCC, 0xCC));
    EXPECT_EQ(shot.pixel(150, 150), QColor(kOpaque).rgb());
    EXPECT_EQ(shot.pixel(5, 6), qRgb(0xFF, 0, 0)); // the hotspot's cross
    EXPECT_EQ(qRed(shot.pixel(40, 10)), 0xFF);
    EXPECT_NEAR(qGreen(shot.pixel(40, 10)), 0x7F, 2);

    // Ctrl and the wheel step to 2; at 8 the grid lines run between the pixels.
    QWheelEvent wheel(QPointF(50, 50), view.mapToGlobal(QPointF(50, 50)), {}, QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
    EXPECT_EQ(zoom->currentText().toStdString(), "×2");
    zoom->activated(zoom->findData(8));
    EXPECT_EQ(view.zoom(), 8);
    shot = view.widget()->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(256 * 8 + 1, 256 * 8 + 1));
    EXPECT_EQ(shot.pixel(150 * 8 + 4, 150 * 8 + 4), QColor(kOpaque).rgb());
    EXPECT_EQ(shot.pixel(150 * 8, 150 * 8 + 4), ui::toQRgb(kGridColour));
    EXPECT_EQ(shot.pixel(8 + 2, 2), qRgb(0xCC, 0xCC, 0xCC));

    // The hotspot click takes the pixel under the pointer and the read-out follows it.
    find<QPushButton>("cmdHSSet")->click();
    QTest::mouseMove(view.widget(), QPoint(20 * 8 + 3, 30 * 8 + 3));
    EXPECT_EQ(text("lX"), " X:20");
    QTest::mouseClick(view.widget(), Qt::LeftButton, {}, QPoint(20 * 8 + 3, 30 * 8 + 3));
    select(1);
    EXPECT_EQ(image(0).hotspotX, 20);
    EXPECT_EQ(image(0).full.hotspotY, 30);
    EXPECT_EQ(image(0).full.argb[static_cast<std::size_t>(150 * 256 + 150)], kOpaque);

    // The grid image comes back in the designed canvas, untouched, with the tools and commands.
    EXPECT_FALSE(view.isVisible());
    EXPECT_FALSE(zoom->isVisible());
    EXPECT_TRUE(panel.canvasWidget().isVisible());
    EXPECT_TRUE(panel.tools().isEnabled());
    EXPECT_FALSE(find<QWidget>("fOpacity")->isVisible());
    EXPECT_TRUE(action("M_E_To")->isEnabled());
    EXPECT_TRUE(action("tberIcon_Hani")->isEnabled());
    EXPECT_EQ(canvas().imageIndex(), 1);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            ASSERT_EQ(image(1).pixels(x, y), gridBefore.pixels(x, y));
}

} // namespace vantle::test
