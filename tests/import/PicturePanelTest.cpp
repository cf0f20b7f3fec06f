// The picture panel and the picture window of the real main window, driven through the fake platform.

#include "app/PicturePanel.h"
#include "app/PictureViewWidget.h"
#include "app/PictureWindow.h"
#include "import/PictureSampling.h"
#include "model/Settings.h"
#include "platform/qt/QtPictureService.h"
#include "support/PositionPicture.h"
#include "support/WindowFixture.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace vantle::test {
namespace {

// Left half red, right half blue.
Picture twoColourPicture(int size) {
    Picture p;
    p.width = p.height = size;
    p.argb.resize(static_cast<std::size_t>(size * size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            p.argb[static_cast<std::size_t>(y * size + x)] = x < size / 2 ? 0xFFFF0000u : 0xFF0000FFu;
    return p;
}

void mouse(QWidget* w, QEvent::Type type, int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    const QPointF at(x, y);
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, at, w->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

class PicturePanelTest : public WindowTest {
  protected:
    ui::PicturePanel& panel() const { return window->picturePanel(); }
    // Puts a picture on the clipboard and takes it into the panel.
    void loadFromClipboard(const Picture& picture) {
        platform.clipboard = picture;
        panel().cmdBClip_Click();
    }
    QWidget* pictureView() const { return find<ui::PictureViewWidget>("pBmpW"); }
    QWidget* box() const { return find<QWidget>("pBmpW2"); }
    QLineEdit* sizeText() const { return find<QLineEdit>("tBmp"); }
    QPushButton* button(const char* name) const { return find<QPushButton>(name); }
    QScrollBar* bar(const char* name) const { return find<QScrollBar>(name); }
    void drag(int x0, int y0, int x1, int y1) {
        mouse(pictureView(), QEvent::MouseButtonPress, x0, y0);
        mouse(pictureView(), QEvent::MouseMove, x1, y1);
        mouse(pictureView(), QEvent::MouseButtonRelease, x1, y1);
    }
    colourRGB marker() const { return settings.markers.transparent; }
};

TEST_F(PicturePanelTest, ControlsCarryTheirTexts) {
    EXPECT_EQ(find<QGroupBox>("fBmpP")->title().toStdString(), "全体画像");
    EXPECT_EQ(find<QGroupBox>("fBmpJpg")->title().toStdString(), "選択ｲﾒｰｼﾞ");
    EXPECT_EQ(text("lWb_0"), "32 X 32");
    EXPECT_EQ(text("lWb_1"), "16 X 16");
    EXPECT_EQ(text("lWb_2"), "48 X 48");
    EXPECT_EQ(button("cmdBIn")->toolTip().toStdString(), "画像をｲﾒｰｼﾞに追加します");
    EXPECT_EQ(button("cmdBUp")->toolTip().toStdString(), "画像をｲﾒｰｼﾞに上書きします");
    EXPECT_EQ(button("cmdBNew")->toolTip().toStdString(), "画像ファイルを開く");
    EXPECT_EQ(button("cmdBClip")->toolTip().toStdString(), "クリップボードを開く");
    EXPECT_EQ(button("cmdBBig")->toolTip().toStdString(), "画像を大きいサイズで開く");
    auto* menu = find<QMenu>("M_PAREA");
    EXPECT_EQ(menu->title().toStdString(), "画像範囲選択ﾒﾆｭｰ");
    EXPECT_EQ(panel().findChild<QAction*>("M_PAREA_F")->text().toStdString(), "任意な四角形(&F)");
    EXPECT_EQ(panel().findChild<QAction*>("M_PAREA_S")->text().toStdString(), "正四角形(&S)");
    // Before any picture nothing can be added, overwritten or enlarged.
    EXPECT_FALSE(button("cmdBIn")->isEnabled());
    EXPECT_FALSE(button("cmdBUp")->isEnabled());
    EXPECT_FALSE(button("cmdBBig")->isEnabled());
    EXPECT_TRUE(pictureView()->isHidden());
}

TEST_F(PicturePanelTest, ClipboardPictureIsLaidOutWithWholePicturePreviews) {
    loadFromClipboard(positionPicture(100, 50));
    EXPECT_EQ(window->selectedTab(), 3);
    EXPECT_EQ(text("lTitleBmp"), "(ｸﾘｯﾌﾟﾎﾞｰﾄﾞ)");
    EXPECT_TRUE(window->state().pictureLoaded);
    // A picture no larger than the viewport: no scroll bars, no picture window.
    EXPECT_FALSE(bar("hsBmp")->isEnabled());
    EXPECT_FALSE(bar("vsBmp")->isEnabled());
    EXPECT_FALSE(button("cmdBBig")->isEnabled());
    EXPECT_EQ(panel().previews(), previewWholePicture(positionPicture(100, 50), settings.markers));
    // The preview boxes show the previews: row 7 of the 32 preview is margin, row 8 picture.
    auto* p0 = find<ui::PictureBoxWidget>("pBmpP_0");
    EXPECT_EQ(p0->pixel(5, 7), marker());
    EXPECT_EQ(p0->pixel(0, 8), makeColour(0, 0, 0x40));
    // The thumbnail keeps the aspect ratio: full width, half the height, centred.
    auto* thumb = find<ui::PictureBoxWidget>("iBmpP");
    EXPECT_FALSE(thumb->isHidden());
    EXPECT_EQ(thumb->width(), 128);
    EXPECT_EQ(thumb->height(), 64);
}

TEST_F(PicturePanelTest, ClipboardWithoutPictureSaysSo) {
    panel().cmdBClip_Click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "クリップボードには画像データがありません。");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
    EXPECT_FALSE(window->state().pictureLoaded);
    EXPECT_EQ(window->selectedTab(), 1);
}

TEST_F(PicturePanelTest, FreeDragShowsItsSizeAndThePreviewsFollow) {
    const Picture picture = positionPicture(100, 50);
    loadFromClipboard(picture);
    mouse(pictureView(), QEvent::MouseButtonPress, 10, 10);
    EXPECT_FALSE(box()->isHidden());
    EXPECT_EQ(box()->geometry(), QRect(9, 9, 2, 2));
    EXPECT_FALSE(sizeText()->isHidden());
    EXPECT_TRUE(sizeText()->text().isEmpty());
    mouse(pictureView(), QEvent::MouseMove, 40, 30);
    EXPECT_EQ(box()->geometry(), QRect(9, 9, 32, 22));
    EXPECT_EQ(sizeText()->text().toStdString(), " 選択した範囲の大きさ  30 X 20");
    EXPECT_EQ(panel().previews(), *previewSelectedArea(picture, {10, 10, 30, 20}, settings.markers));
    // Left of and above the anchor.
    mouse(pictureView(), QEvent::MouseMove, 4, 2);
    EXPECT_EQ(box()->geometry(), QRect(3, 1, 8, 10));
    EXPECT_EQ(sizeText()->text().toStdString(), " 選択した範囲の大きさ  6 X 8");
    mouse(pictureView(), QEvent::MouseButtonRelease, 4, 2);
    EXPECT_TRUE(sizeText()->isHidden());
    EXPECT_EQ(panel().previews(), *previewSelectedArea(picture, {4, 2, 6, 8}, settings.markers));
    // A move outside the picture shows the no-drop pointer and changes nothing.
    mouse(pictureView(), QEvent::MouseButtonPress, 50, 20);
    mouse(pictureView(), QEvent::MouseMove, 60, 30);
    mouse(pictureView(), QEvent::MouseMove, 101, 30);
    EXPECT_EQ(pictureView()->cursor().shape(), Qt::ForbiddenCursor);
    EXPECT_TRUE(sizeText()->isHidden());
    EXPECT_EQ(box()->geometry(), QRect(49, 19, 12, 12));
    mouse(pictureView(), QEvent::MouseMove, 70, 30);
    EXPECT_EQ(pictureView()->cursor().shape(), Qt::BitmapCursor);
    mouse(pictureView(), QEvent::MouseButtonRelease, 70, 30);
    // A click on the box hides it.
    mouse(box(), QEvent::MouseButtonPress, 3, 3);
    EXPECT_TRUE(box()->isHidden());
}

TEST_F(PicturePanelTest, SquareDragLetsTheLongerSideWin) {
    loadFromClipboard(positionPicture(100, 50));
    panel().M_PAREA_S_Click();
    EXPECT_EQ(settings.pAreaOpt, 1);
    mouse(pictureView(), QEvent::MouseButtonPress, 20, 20);
    mouse(pictureView(), QEvent::MouseMove, 30, 24);
    EXPECT_EQ(sizeText()->text().toStdString(), " 選択した範囲の大きさ  10 X 10");
    EXPECT_EQ(box()->geometry(), QRect(19, 19, 12, 12));
    mouse(pictureView(), QEvent::MouseButtonRelease, 30, 24);
    panel().M_PAREA_F_Click();
    drag(20, 20, 30, 24);
    EXPECT_EQ(box()->geometry(), QRect(19, 19, 12, 6));
}

TEST_F(PicturePanelTest, SmallSelectionKeepsThePreviews) {
    const Picture picture = positionPicture(100, 50);
    loadFromClipboard(picture);
    drag(10, 10, 40, 30);
    const PreviewSet before = panel().previews();
    drag(60, 20, 60, 20); // a click
    EXPECT_EQ(panel().previews(), before);
    drag(60, 20, 62, 40); // two pixels wide
    EXPECT_EQ(panel().previews(), before);
    // The thumbnail brings back the whole picture.
    panel().iBmpP_Click();
    EXPECT_EQ(panel().previews(), previewWholePicture(picture, settings.markers));
}

TEST_F(PicturePanelTest, AutoScrollFollowsThePointerAndStopsAtTheLimits) {
    loadFromClipboard(positionPicture(1000, 800));
    QScrollBar* hs = bar("hsBmp");
    ASSERT_TRUE(hs->isEnabled());
    ASSERT_TRUE(bar("vsBmp")->isEnabled());
    EXPECT_TRUE(button("cmdBBig")->isEnabled());
    const int viewport = find<QWidget>("pBmp")->width();
    EXPECT_EQ(hs->maximum(), 1000 - viewport);
    // Just right of the visible part: one pixel of scrolling per move, the picture follows.
    mouse(pictureView(), QEvent::MouseButtonPress, 300, 100);
    for (int i = 0; i < 5; ++i)
        mouse(pictureView(), QEvent::MouseMove, hs->value() + viewport + 1, 100);
    EXPECT_EQ(hs->value(), 5);
    EXPECT_EQ(pictureView()->x(), -5);
    EXPECT_FALSE(box()->isHidden());
    // It goes on until the box is as wide as the view, then refuses.
    for (int i = 0; i < 400; ++i)
        mouse(pictureView(), QEvent::MouseMove, hs->value() + viewport + 1, 100);
    EXPECT_GE(box()->width(), viewport);
    EXPECT_LT(hs->value(), 400);
    EXPECT_EQ(pictureView()->cursor().shape(), Qt::ForbiddenCursor);
    EXPECT_TRUE(sizeText()->isHidden());
    mouse(pictureView(), QEvent::MouseButtonRelease, 500, 100);

    // At the maximum the view cannot follow any further.
    hs->setValue(hs->maximum());
    EXPECT_TRUE(box()->isHidden()); // scrolling by hand hides the selection
    mouse(pictureView(), QEvent::MouseButtonPress, 900, 100);
    mouse(pictureView(), QEvent::MouseMove, 1001, 100);
    EXPECT_EQ(hs->value(), hs->maximum());
    EXPECT_EQ(pictureView()->cursor().shape(), Qt::ForbiddenCursor);
    mouse(pictureView(), QEvent::MouseButtonRelease, 950, 100);
    // And at the minimum not back.
    hs->setValue(0);
    mouse(pictureView(), QEvent::MouseButtonPress, 50, 100);
    mouse(pictureView(), QEvent::MouseMove, -1, 100);
    EXPECT_EQ(hs->value(), 0);
    EXPECT_EQ(pictureView()->cursor().shape(), Qt::ForbiddenCursor);
    mouse(pictureView(), QEvent::MouseButtonRelease, 50, 100);
}

TEST_F(PicturePanelTest, ChoosingAPreviewEnablesAddAndOverwrite) {
    loadFromClipboard(positionPicture(100, 50));
    panel().pBmpP_Click(2);
    EXPECT_EQ(panel().selectedSize(), 2);
    EXPECT_TRUE(button("cmdBIn")->isEnabled());
    EXPECT_TRUE(button("cmdBUp")->isEnabled());
    auto* frame = find<QWidget>("spWB");
    EXPECT_FALSE(frame->isHidden());
    EXPECT_EQ(frame->geometry(), find<QWidget>("pBmpP_2")->geometry().adjusted(-2, -2, 2, 2));
    // Laying the panel out again drops the choice.
    window->selectTab(1);
    window->selectTab(3);
    EXPECT_EQ(panel().selectedSize(), -1);
    EXPECT_FALSE(button("cmdBIn")->isEnabled());
    EXPECT_FALSE(button("cmdBUp")->isEnabled());
    EXPECT_TRUE(frame->isHidden());
}

TEST_F(PicturePanelTest, AddInsertsAfterTheCurrentImageAndMovesLaterImagesAndSteps) {
    list().cmdImgNew_Click();
    list().cmdImgNew_Click();
    for (int i = 0; i < 3; ++i)
        image(i).pixels.fill(makeColour(10 * i, 0, 0));
    list().pImg_Click(0);
    window->selectTab(2); // makes the default sequence: steps 0, 1, 2
    ASSERT_EQ(document->stepCount, 3);
    const std::int32_t firstRate = document->steps[0].rate;
    document->steps[1].rate = 11;
    document->steps[2].rate = 22;
    loadFromClipboard(twoColourPicture(20));
    panel().pBmpP_Click(1);
    button("cmdBIn")->click();

    ASSERT_EQ(document->imageCount, 4);
    EXPECT_EQ(window->state().selectedImage, 1);
    const IconImage& added = image(1);
    EXPECT_EQ(added.width, 16);
    EXPECT_EQ(added.height, 16);
    EXPECT_EQ(added.depth, 2);
    EXPECT_EQ(added.hotspotX, 0);
    EXPECT_EQ(added.hotspotY, 0);
    EXPECT_EQ(added.pixels(0, 0), makeColour(0xFF, 0, 0));
    EXPECT_EQ(added.pixels(15, 15), makeColour(0, 0, 0xFF));
    EXPECT_EQ(image(0).pixels(0, 0), makeColour(0, 0, 0));
    EXPECT_EQ(image(2).pixels(5, 5), makeColour(10, 0, 0));
    EXPECT_EQ(image(3).pixels(5, 5), makeColour(20, 0, 0));
    EXPECT_EQ(document->steps[0], (AnimationStep{0, firstRate}));
    EXPECT_EQ(document->steps[1], (AnimationStep{2, 11}));
    EXPECT_EQ(document->steps[2], (AnimationStep{3, 22}));
    EXPECT_TRUE(window->state().modified);
    EXPECT_EQ(find<ui::PictureBoxWidget>("pImg_1")->width(), 16);
}

TEST_F(PicturePanelTest, OverwriteReplacesTheCurrentImageAndKeepsTheList) {
    list().cmdImgNew_Click();
    image(0).pixels.fill(makeColour(1, 2, 3));
    list().pImg_Click(0);
    image(1).hotspotX = 3;
    image(1).hotspotY = 4;
    list().pImg_Click(1);
    loadFromClipboard(positionPicture(48, 48));
    panel().pBmpP_Click(2);
    button("cmdBUp")->click();

    ASSERT_EQ(document->imageCount, 2);
    EXPECT_EQ(window->state().selectedImage, 1);
    EXPECT_EQ(image(1).width, 48);
    EXPECT_EQ(image(1).depth, kDepthFull);
    EXPECT_EQ(image(1).hotspotX, 3);
    EXPECT_EQ(image(1).hotspotY, 4);
    EXPECT_EQ(image(1).pixels(47, 10), makeColour(47, 10, 0x40));
    EXPECT_EQ(image(0).pixels(0, 0), makeColour(1, 2, 3));
    auto* slot = find<ui::PictureBoxWidget>("pImg_1");
    EXPECT_EQ(slot->width(), 48);
    EXPECT_EQ(slot->pixel(47, 10), makeColour(47, 10, 0x40));
    // The edit tab shows the new pixels and does not write the old ones back.
    window->selectTab(1);
    EXPECT_EQ(canvas().width(), 48);
    EXPECT_EQ(canvas().pixel(47, 10), makeColour(47, 10, 0x40));
    window->selectTab(3);
    EXPECT_EQ(image(1).pixels(47, 10), makeColour(47, 10, 0x40));
}

TEST_F(PicturePanelTest, AddAndOverwriteAreRefusedWhileThePictureIsHidden) {
    loadFromClipboard(positionPicture(30, 30));
    panel().pBmpP_Click(0);
    ASSERT_TRUE(button("cmdBIn")->isEnabled());
    // A picture that cannot be read hides the one shown.
    platform.pictureDialogAnswers.push_back(path("missing.jpg"));
    panel().cmdBNew_Click();
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back().text, "画像が読み込めません");
    EXPECT_FALSE(button("cmdBIn")->isEnabled());
    EXPECT_FALSE(button("cmdBUp")->isEnabled());
    const IconImage before = image(0);
    panel().cmdBIn_Click();
    panel().cmdBUp_Click();
    EXPECT_EQ(document->imageCount, 1);
    EXPECT_EQ(image(0).width, before.width);
    EXPECT_EQ(image(0).pixels, before.pixels);
    panel().pBmpP_Click(0);
    EXPECT_EQ(panel().selectedSize(), -1);
}

TEST_F(PicturePanelTest, OpenButtonLoadsAFileAndACancelKeepsTheName) {
    const std::string file = path("picture.bmp");
    ASSERT_TRUE(imageFromPicture(positionPicture(40, 60)).save(QString::fromStdString(file), "BMP"));
    document->filePath = "/somewhere/kept.ico";
    panel().cmdBNew_Click(); // cancelled
    EXPECT_EQ(document->filePath, "/somewhere/kept.ico");
    platform.pictureDialogAnswers.push_back(file);
    panel().cmdBNew_Click();
    EXPECT_EQ(window->selectedTab(), 3);
    EXPECT_EQ(text("lTitleBmp"), file);
    EXPECT_EQ(document->filePath, file);
    EXPECT_EQ(panel().picture().width, 40);
    EXPECT_EQ(panel().previews(), previewWholePicture(positionPicture(40, 60), settings.markers));
}

TEST_F(PicturePanelTest, AreaModeSurvivesARestart) {
    auto* square = panel().findChild<QAction*>("M_PAREA_S");
    EXPECT_FALSE(square->isChecked());
    panel().M_PAREA_S_Click();
    EXPECT_TRUE(square->isChecked());
    EXPECT_FALSE(panel().findChild<QAction*>("M_PAREA_F")->isChecked());
    window->close();
    EXPECT_EQ(platform.settings.readString(kSettingsKey, "PAREAOPT"), "1");
    settings = loadSettings(platform.settings, folder.path().toStdString());
    open("");
    EXPECT_EQ(panel().areaMode(), AreaMode::Square);
    panel().M_PAREA_Click();
    EXPECT_TRUE(panel().findChild<QAction*>("M_PAREA_S")->isChecked());
    loadFromClipboard(positionPicture(100, 50));
    drag(50, 20, 54, 30);
    EXPECT_EQ(sizeText()->text().toStdString(), " 選択した範囲の大きさ  10 X 10");
    EXPECT_EQ(box()->geometry(), QRect(49, 19, 12, 12));
}

TEST_F(PicturePanelTest, TransparentPartsOfAPictureShowThePanelBackground) {
    // Left half transparent, right half opaque black.
    Picture picture = twoColourPicture(60);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
            picture.argb[static_cast<std::size_t>(y * 60 + x)] = x < 30 ? 0x00FF0000u : 0xFF000000u;
    loadFromClipboard(picture);
    const QRgb background = pictureView()->palette().color(QPalette::Window).rgb();
    const QRgb stale = qRgb(0xFF, 0x00, 0xFF);

    // The view paints every pixel: what the screen held there before (the edit tab's controls) is gone.
    QImage screen(pictureView()->size(), QImage::Format_RGB32);
    screen.fill(stale);
    pictureView()->render(&screen, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_EQ(screen.pixel(10, 10), background);
    EXPECT_EQ(screen.pixel(45, 10), qRgb(0, 0, 0));

    // A selection box over the transparent part, then hidden: its frame does not stay there.
    drag(5, 5, 20, 20);
    ASSERT_FALSE(box()->isHidden());
    pictureView()->render(&screen, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_EQ(screen.pixel(4, 10), qRgb(0, 0, 0)) << "the frame is drawn";
    panel().pBmpW2_MouseDown();
    ASSERT_TRUE(box()->isHidden());
    pictureView()->render(&screen, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_EQ(screen.pixel(4, 10), background) << "the hidden frame is painted over";

    // The whole-picture thumbnail shows the transparent half over the panel's background too.
    auto* thumbnail = find<ui::PictureBoxWidget>("iBmpP");
    ASSERT_FALSE(thumbnail->isHidden());
    EXPECT_EQ(thumbnail->picture().pixel(10, 30), background);
    EXPECT_EQ(thumbnail->picture().pixel(50, 30), qRgb(0, 0, 0));
}

TEST_F(PicturePanelTest, PictureWindowSendsItsSelectionToThePreviews) {
    const Picture picture = positionPicture(1000, 800);
    loadFromClipboard(picture);
    panel().M_PAREA_S_Click();
    button("cmdBBig")->click();
    ui::frmPICTURE* w = panel().pictureWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle().toStdString(), "画像 (ｸﾘｯﾌﾟﾎﾞｰﾄﾞ)");
    QAction* send = w->findChild<QAction*>("M_F_I");
    EXPECT_FALSE(send->isEnabled());
    EXPECT_EQ(w->findChild<QAction*>("M_F_E")->text().toStdString(), "閉じる(&C)");
    EXPECT_EQ(send->text().toStdString(), "画像選択ｲﾒｰｼﾞへ(&I)");
    EXPECT_EQ(w->findChild<QMenu*>("M_S")->title().toStdString(), "選択範囲");
    EXPECT_EQ(w->findChild<QAction*>("M_S_C")->text().toStdString(), "ｷｬﾝｾﾙ(&C)");

    QWidget* view = w->findChild<ui::PictureViewWidget*>("pBmpW");
    QWidget* windowBox = view->findChild<QWidget*>("pBmpW2");
    mouse(view, QEvent::MouseButtonPress, 10, 10);
    mouse(view, QEvent::MouseMove, 14, 30);
    mouse(view, QEvent::MouseButtonRelease, 14, 30);
    EXPECT_EQ(windowBox->geometry(), QRect(9, 9, 22, 22));
    EXPECT_EQ(w->selection().area(), (PictureArea{10, 10, 20, 20}));
    EXPECT_TRUE(send->isEnabled());
    // The panel's previews are still the whole picture's until the selection is sent.
    EXPECT_EQ(panel().previews(), previewWholePicture(picture, settings.markers));
    send->trigger();
    EXPECT_EQ(panel().previews(), *previewSelectedArea(picture, {10, 10, 20, 20}, settings.markers));
    EXPECT_TRUE(windowBox->isHidden());
    // Beyond the visible part of the window: refused.
    const int visible = w->scrollArea().viewport()->width();
    mouse(view, QEvent::MouseButtonPress, 5, 5);
    mouse(view, QEvent::MouseMove, visible + 1, 8);
    EXPECT_EQ(view->cursor().shape(), Qt::ForbiddenCursor);
    mouse(view, QEvent::MouseButtonRelease, 5, 5);

    // Opening again only brings it to the front.
    button("cmdBBig")->click();
    EXPECT_EQ(panel().pictureWindow(), w);
    // Close hands the picture back and unloads the window.
    w->findChild<QAction*>("M_F_E")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(panel().pictureWindow(), nullptr);
    EXPECT_EQ(panel().picture().argb, picture.argb);
    // The close box unloads it too; the next one starts afresh.
    button("cmdBBig")->click();
    ui::frmPICTURE* again = panel().pictureWindow();
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->findChild<QAction*>("M_F_I")->isEnabled());
    again->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(panel().pictureWindow(), nullptr);
}

} // namespace
} // namespace vantle::test
