// Undo and redo through the menu and the toolbar, reducing colours and the tools through the window.

#include "support/WindowFixture.h"

#include "app/CanvasWidget.h"
#include "app/ToolBoxPanel.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace vantle::test {

namespace {

void expectUndoState(ui::frmICON& w, bool undo, bool redo) {
    EXPECT_EQ(w.action("M_E_Bf")->isEnabled(), undo);
    EXPECT_EQ(w.action("tberIcon_Undo")->isEnabled(), undo);
    EXPECT_EQ(w.action("M_E_Nx")->isEnabled(), redo);
    EXPECT_EQ(w.action("tberIcon_Redo")->isEnabled(), redo);
}

} // namespace

TEST_F(WindowTest, UndoAndRedoFollowEveryEdit) {
    expectUndoState(*window, false, false);
    drawCells({{5, 5}});
    expectUndoState(*window, true, false);
    action("M_E_Bf")->trigger();
    EXPECT_EQ(canvas().pixel(5, 5), settings.markers.transparent);
    expectUndoState(*window, false, true);
    action("tberIcon_Redo")->trigger();
    EXPECT_EQ(canvas().pixel(5, 5), canvas().leftColour);
    expectUndoState(*window, true, false);
    // Switching to another image and back forgets the snapshot.
    list().cmdImgNew_Click();
    expectUndoState(*window, false, false);
    list().pImg_Click(0);
    expectUndoState(*window, false, false);
    EXPECT_EQ(image(0).pixels(5, 5), canvas().leftColour);
}

TEST_F(WindowTest, ReduceColoursStepsFromFullTo256To16To2) {
    IconImage& im = image(0);
    for (int i = 0; i < 32 * 32; ++i)
        im.pixels(i % 32, i / 32) = makeColour(i % 256, (i / 256) * 40, 9);
    reshowFirst();
    ASSERT_EQ(text("lWIi_0"), "Full");
    const char* expected[] = {"256", "16", "2"};
    for (const char* depth : expected) {
        ASSERT_TRUE(action("M_E_Gen")->isEnabled());
        action("tberIcon_Gen")->trigger();
        EXPECT_EQ(text("lWIi_0"), depth);
    }
    EXPECT_FALSE(action("M_E_Gen")->isEnabled());
    EXPECT_FALSE(action("tberIcon_Gen")->isEnabled());
    EXPECT_EQ(platform.busyCalls, (std::vector<bool>{true, false, true, false, true, false}));
    EXPECT_TRUE(window->state().modified);
    // One undo brings back the 16-colour image and its depth.
    action("M_E_Bf")->trigger();
    EXPECT_EQ(text("lWIi_0"), "16");
    EXPECT_TRUE(action("M_E_Gen")->isEnabled());
}

TEST_F(WindowTest, UndoAfterReducingAFullColourImageBringsBackFull) {
    IconImage& im = image(0);
    for (int i = 0; i < 32 * 32; ++i)
        im.pixels(i % 32, i / 32) = makeColour(i % 256, i / 256, 1);
    reshowFirst();
    const colourRGB before = canvas().pixel(31, 31);
    window->M_E_Gen_Click();
    window->M_E_Bf_Click();
    EXPECT_EQ(text("lWIi_0"), "Full");
    EXPECT_EQ(canvas().pixel(31, 31), before);
    window->CommitEditedImage();
    EXPECT_EQ(image(0).pixels(31, 31), before) << "the restored pixels reach the document";
}

TEST_F(WindowTest, ToolPickersFollowTheSelectedToolAndItsLineSize) {
    auto* pencil = find<QWidget>("imgT0_0");
    EXPECT_FALSE(pencil->isHidden());
    EXPECT_TRUE(find<QWidget>("imgT0_1")->isHidden());
    QTest::mouseClick(find<QWidget>("imgT3_1"), Qt::LeftButton);
    EXPECT_EQ(canvas().tool(), 3);
    EXPECT_FALSE(find<QWidget>("imgT3_0")->isHidden());
    EXPECT_TRUE(find<QWidget>("imgTL0_0")->isHidden()) << "a filled rectangle has no line size";
    EXPECT_TRUE(find<QWidget>("imgTL1_1")->isHidden());
    QTest::mouseClick(find<QWidget>("imgT1_1"), Qt::LeftButton);
    QTest::mouseClick(find<QWidget>("imgTL2_1"), Qt::LeftButton);
    EXPECT_EQ(canvas().lineSize(), 2);
    EXPECT_FALSE(find<QWidget>("imgTL2_0")->isHidden());
    EXPECT_FALSE(find<QWidget>("imgTL0_1")->isHidden());
}

TEST_F(WindowTest, DrawingThroughTheCanvasWidgetPaintsTheThumbnailToo) {
    QWidget* widget = find<QWidget>("pIconEdit");
    // Cell (3, 2) of a 9-pixel grid.
    QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(3 * 9 + 4, 2 * 9 + 4));
    QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(3 * 9 + 4, 2 * 9 + 4));
    EXPECT_EQ(canvas().pixel(3, 2), canvas().leftColour);
    EXPECT_EQ(list().slot(0).pixel(3, 2), canvas().leftColour);
    EXPECT_EQ(text("lX"), " X:3");
    EXPECT_EQ(text("lY"), " Y:2");
    const QImage surface = window->editPanel().canvasWidget().surface();
    EXPECT_EQ(ui::fromQRgb(surface.pixel(3 * 9 + 4, 2 * 9 + 4)), canvas().leftColour);
    EXPECT_EQ(ui::fromQRgb(surface.pixel(3 * 9, 2 * 9 + 4)), 0x606060) << "grid lines stay";
    EXPECT_TRUE(window->state().modified);
}

TEST_F(WindowTest, AStrokeReleasedOutsideTheCanvasEndsOverTheEditPanel) {
    QTest::mouseClick(find<QWidget>("imgT3_1"), Qt::LeftButton); // filled rectangle
    QWidget* widget = find<QWidget>("pIconEdit");
    QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseMove(widget, QPoint(2 * 9 + 4, 2 * 9 + 4));
    QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(400, 400));
    EXPECT_TRUE(canvas().strokeOpen());
    EXPECT_EQ(canvas().pixel(1, 1), settings.markers.transparent) << "not committed yet";
    QTest::mouseMove(find<QWidget>("fTabS_0"), QPoint(5, 400));
    EXPECT_FALSE(canvas().strokeOpen());
    EXPECT_EQ(canvas().pixel(1, 1), canvas().leftColour);
    EXPECT_TRUE(action("M_E_Bf")->isEnabled());
}

TEST_F(WindowTest, TheHotspotClickSetsTheBoxesAndDrawsNothing) {
    QWidget* widget = find<QWidget>("pIconEdit");
    find<QPushButton>("cmdHSSet")->click();
    EXPECT_EQ(find<QPushButton>("cmdHSSet")->text().toStdString(), " 解  除 ");
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5 * 9 + 3, 7 * 9 + 3));
    EXPECT_EQ(find<QLineEdit>("tXhs")->text(), "5");
    EXPECT_EQ(find<QLineEdit>("tYhs")->text(), "7");
    EXPECT_EQ(find<QPushButton>("cmdHSSet")->text().toStdString(), "ﾎｯﾄｽﾎﾟｯﾄ");
    EXPECT_EQ(canvas().pixel(5, 7), settings.markers.transparent);
    list().cmdImgNew_Click();
    list().pImg_Click(0);
    EXPECT_EQ(image(0).hotspotX, 5);
    EXPECT_EQ(image(0).hotspotY, 7);
    EXPECT_TRUE(window->state().modified);
}

} // namespace vantle::test
