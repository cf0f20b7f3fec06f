// Range editing through the window: lifting, moving, dropping, cancelling, cut, copy and paste, with the
// clipboard of the fake platform and the real Qt clipboard, and undo after each.

#include "support/WindowFixture.h"

#include "app/AnimationPanel.h"
#include "app/AnimationPreviewPanel.h"
#include "app/FloatingPieceWidget.h"
#include "editor/RangeSelection.h"
#include "platform/qt/QtPlatform.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QTest>
#include <QToolButton>

namespace vantle::test {

namespace {

// Every pixel its own colour, so a moved pixel is seen at once.
colourRGB patternAt(int x, int y) {
    return makeColour(x * 7 + 1, y * 7 + 1, 0x40);
}

class RangeTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        paint(0, 32);
    }
    // Fills image index with the pattern at the given size and shows it.
    void paint(int index, int size) {
        IconImage& im = image(index);
        im.width = im.height = static_cast<std::int16_t>(size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                im.pixels(x, y) = patternAt(x, y);
        window->ShowImageInEditor(window->state().selectedSlot);
    }
    RangeSelection& selection() { return window->editPanel().selection(); }
    ui::FloatingPieceWidget& piece() { return window->editPanel().floatingPiece(); }
    QPoint cellPoint(int x, int y) { return {x * canvas().cellWidth + 4, y * canvas().cellHeight + 4}; }
    // Range mode, then a drag over the canvas widget from one cell to another.
    void lift(Cell from, Cell to) {
        action("M_E_HANI")->trigger();
        QWidget* w = find<QWidget>("pIconEdit");
        QTest::mousePress(w, Qt::LeftButton, {}, cellPoint(from.x, from.y));
        QTest::mouseMove(w, cellPoint(to.x, to.y));
        QTest::mouseRelease(w, Qt::LeftButton, {}, cellPoint(to.x, to.y));
    }
    // A left drag on the piece by whole cells.
    void movePiece(int dx, int dy) {
        const QPoint start(4, 4);
        QTest::mousePress(&piece(), Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove,
                         QPointF(start + QPoint(dx * canvas().cellWidth, dy * canvas().cellHeight)),
                         QPointF(), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&piece(), &move);
        const QPoint end(4, 4); // the piece moved with the pointer
        QTest::mouseRelease(&piece(), Qt::LeftButton, {}, end);
    }
    PixelGrid pattern() const {
        PixelGrid g;
        g.fill(settings.markers.transparent);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                g(x, y) = patternAt(x, y);
        return g;
    }
    ::testing::AssertionResult imageEquals(const PixelGrid& expected) {
        for (int y = 0; y < canvas().height(); ++y)
            for (int x = 0; x < canvas().width(); ++x) {
                if (canvas().pixel(x, y) != expected(x, y))
                    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ")";
                if (canvas().shownColours(x, y) != expected(x, y))
                    return ::testing::AssertionFailure()
                           << "cell (" << x << ", " << y << ") shows another colour";
                if (list().slot(window->state().selectedSlot).pixel(x, y) != expected(x, y))
                    return ::testing::AssertionFailure() << "thumbnail pixel (" << x << ", " << y << ")";
            }
        return ::testing::AssertionSuccess();
    }
    // The 4 x 4 piece at (2, 2) moved two cells right: the hole transparent except where the piece lies.
    PixelGrid movedByTwo() const {
        PixelGrid g = pattern();
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                g(2 + c, 2 + r) = settings.markers.transparent;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                g(4 + c, 2 + r) = patternAt(2 + c, 2 + r);
        return g;
    }
};

} // namespace

TEST_F(RangeTest, MenuItemsFollowTheSelection) {
    EXPECT_TRUE(action("M_E_HANI")->isEnabled());
    EXPECT_TRUE(action("tberIcon_Hani")->isEnabled());
    for (const char* name : {"M_E_CUT", "M_E_COPY", "M_E_PAST", "M_E_HANIL", "M_E_CL"})
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    EXPECT_TRUE(find<QToolButton>("cmdEditPast")->isHidden());
    action("tberIcon_Hani")->trigger();
    EXPECT_TRUE(selection().rangeMode());
    EXPECT_TRUE(action("M_E_HANIL")->isEnabled());
    EXPECT_TRUE(find<QWidget>("CmdEditL")->isHidden()) << "shift buttons hidden in range mode";
    EXPECT_TRUE(find<QWidget>("imgT0_0")->isHidden()) << "the tool looks not selected";
    QWidget* w = find<QWidget>("pIconEdit");
    QTest::mousePress(w, Qt::LeftButton, {}, cellPoint(2, 2));
    QTest::mouseMove(w, cellPoint(5, 4));
    QWidget* frame = find<QWidget>("sEditHANI");
    EXPECT_FALSE(frame->isHidden());
    EXPECT_EQ(frame->geometry(), QRect(18, 18, 4 * 9 + 1, 3 * 9 + 1));
    QTest::mouseRelease(w, Qt::LeftButton, {}, cellPoint(5, 4));
    EXPECT_TRUE(frame->isHidden());
    EXPECT_FALSE(piece().isHidden());
    EXPECT_EQ(piece().geometry(), QRect(18, 18, 4 * 9 + 1, 3 * 9 + 1));
    EXPECT_TRUE(action("M_E_COPY")->isEnabled());
    EXPECT_TRUE(action("M_E_CUT")->isEnabled());
    EXPECT_TRUE(action("M_E_CL")->isEnabled());
    // The piece shows its pixels in grid cells.
    const QImage shown = piece().rendered();
    EXPECT_EQ(ui::fromQRgb(shown.pixel(9 + 4, 9 + 4)), patternAt(3, 3));
    EXPECT_EQ(ui::fromQRgb(shown.pixel(9, 9 + 4)), 0x606060);
    action("M_E_HANIL")->trigger();
    for (const char* name : {"M_E_CUT", "M_E_COPY", "M_E_HANIL", "M_E_CL"})
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    EXPECT_FALSE(find<QWidget>("CmdEditL")->isHidden());
    EXPECT_FALSE(find<QWidget>("imgT0_0")->isHidden());
    EXPECT_TRUE(piece().isHidden());
}

TEST_F(RangeTest, SelectAndClearWithoutMovingLeavesTheImageButTakesASnapshot) {
    ASSERT_FALSE(action("M_E_Bf")->isEnabled());
    lift({2, 2}, {5, 5});
    EXPECT_EQ(canvas().shownColours(3, 3), settings.markers.transparent) << "the hole shows transparent";
    EXPECT_EQ(canvas().pixel(3, 3), patternAt(3, 3)) << "the buffer keeps its pixels while the piece floats";
    action("M_E_HANIL")->trigger();
    EXPECT_TRUE(imageEquals(pattern()));
    EXPECT_TRUE(action("M_E_Bf")->isEnabled());
    EXPECT_TRUE(window->state().modified);
}

TEST_F(RangeTest, MovedPieceCancelledGoesBackDroppedLeavesAHole) {
    lift({2, 2}, {5, 5});
    movePiece(2, 0);
    EXPECT_EQ(selection().position(), (Cell{4, 2}));
    EXPECT_EQ(piece().pos(), QPoint(4 * 9, 2 * 9));
    EXPECT_EQ(text("lX"), " X:4");
    EXPECT_EQ(list().slot(0).pixel(4, 2), patternAt(2, 2))
        << "the thumbnail shows the piece at its new place";
    action("M_E_CL")->trigger();
    EXPECT_TRUE(imageEquals(pattern()));
    EXPECT_FALSE(selection().rangeMode());

    lift({2, 2}, {5, 5});
    movePiece(2, 0);
    action("M_E_HANIL")->trigger();
    EXPECT_TRUE(imageEquals(movedByTwo()));
    action("M_E_Bf")->trigger();
    EXPECT_TRUE(imageEquals(pattern())) << "undo after the drop";
}

TEST_F(RangeTest, ThePieceStopsAtTheRightEdge) {
    lift({26, 0}, {29, 3});
    movePiece(2, 0);
    EXPECT_EQ(selection().position(), (Cell{28, 0}));
    movePiece(1, 0);
    EXPECT_EQ(selection().position(), (Cell{28, 0})) << "a further move right is refused";
    movePiece(1, 1);
    EXPECT_EQ(selection().position(), (Cell{28, 1})) << "the other axis still moves";
    movePiece(-30, 0);
    EXPECT_EQ(selection().position(), (Cell{28, 1}));
}

TEST_F(RangeTest, UndoAfterLiftMoveCutAndPasteGivesTheImageOfTheSnapshot) {
    lift({2, 2}, {5, 5});
    action("M_E_Bf")->trigger();
    EXPECT_FALSE(selection().floating());
    EXPECT_TRUE(imageEquals(pattern())) << "undo after lift";

    lift({2, 2}, {5, 5});
    movePiece(2, 0);
    action("M_E_Bf")->trigger();
    EXPECT_TRUE(imageEquals(pattern())) << "undo after move";
    action("M_E_Nx")->trigger();
    EXPECT_TRUE(imageEquals(movedByTwo())) << "redo puts the move back";
    action("M_E_Bf")->trigger();

    lift({2, 2}, {5, 5});
    action("M_E_CUT")->trigger();
    action("M_E_Bf")->trigger();
    EXPECT_TRUE(imageEquals(pattern())) << "undo after cut";

    action("M_E_PAST")->trigger();
    ASSERT_TRUE(selection().floating());
    movePiece(3, 3);
    action("M_E_Bf")->trigger();
    EXPECT_TRUE(imageEquals(pattern())) << "undo after paste";
    action("M_E_Nx")->trigger();
    PixelGrid pastedAt3 = pattern();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            pastedAt3(3 + c, 3 + r) = patternAt(2 + c, 2 + r);
    EXPECT_TRUE(imageEquals(pastedAt3));
}

TEST_F(RangeTest, CutLeavesATransparentHoleAndABitmapOnTheClipboard) {
    canvas().workBuffer(canvas().imageOffsetX + 3, canvas().imageOffsetY + 3) = settings.markers.inverted;
    lift({2, 2}, {5, 4});
    window->M_E_CUT_Click();
    PixelGrid expected = pattern();
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            expected(2 + c, 2 + r) = settings.markers.transparent;
    EXPECT_TRUE(imageEquals(expected));
    EXPECT_FALSE(selection().rangeMode());
    ASSERT_EQ(platform.clipboardPuts.size(), 1u);
    const Picture& put = platform.clipboardPuts.back();
    ASSERT_EQ(put.width, 4);
    ASSERT_EQ(put.height, 3);
    auto argb = [](colourRGB c) {
        return 0xFF000000u | static_cast<std::uint32_t>(redOf(c) << 16 | greenOf(c) << 8 | blueOf(c));
    };
    EXPECT_EQ(put.at(0, 0), argb(patternAt(2, 2)));
    EXPECT_EQ(put.at(3, 2), argb(patternAt(5, 4)));
    EXPECT_EQ(put.at(1, 1), argb(settings.markers.inverted)) << "markers go in their marker colours";
    EXPECT_EQ(platform.clipboardReads, 0) << "nothing is read back";

    // The same picture through the real Qt clipboard reads back pixel for pixel.
    QtPlatform qt(nullptr);
    qt.putPictureOnClipboard(put);
    const QImage back = QGuiApplication::clipboard()->image();
    ASSERT_EQ(back.size(), QSize(4, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(back.pixel(x, y), put.at(x, y)) << x << "," << y;
    QGuiApplication::clipboard()->clear();
}

TEST_F(RangeTest, PasteIsOfferedOnlyForImagesOfTheSameWidth) {
    lift({0, 0}, {3, 3});
    action("M_E_COPY")->trigger();
    EXPECT_TRUE(imageEquals(pattern())) << "copy drops the piece where it lies";
    EXPECT_TRUE(action("M_E_PAST")->isEnabled());
    EXPECT_FALSE(find<QToolButton>("cmdEditPast")->isHidden());
    list().showSize(16);
    list().cmdImgNew_Click(); // a 16 x 16 image behind the first
    ASSERT_EQ(canvas().width(), 16);
    EXPECT_FALSE(action("M_E_PAST")->isEnabled());
    EXPECT_TRUE(find<QToolButton>("cmdEditPast")->isHidden());
    window->M_E_PAST_Click();
    EXPECT_FALSE(selection().floating());
    list().showSize(32);
    list().cmdImgNew_Click(); // a blank 32 x 32 image
    ASSERT_EQ(canvas().width(), 32);
    EXPECT_TRUE(action("M_E_PAST")->isEnabled());
    EXPECT_FALSE(find<QToolButton>("cmdEditPast")->isHidden());
    // Pasted into the other image and cancelled: the image is as before.
    PixelGrid before;
    before.fill(settings.markers.transparent);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            before(x, y) = canvas().pixel(x, y);
    find<QToolButton>("cmdEditPast")->click();
    ASSERT_TRUE(selection().floating());
    EXPECT_EQ(piece().pos(), QPoint(0, 0));
    movePiece(5, 5);
    EXPECT_FALSE(action("M_E_CL")->isEnabled()) << "paste offers only clear in the menu";
    find<QAction>("M_CB_CL")->trigger(); // the pop-up's cancel
    EXPECT_TRUE(imageEquals(before));
    // Pasted and dropped: the piece is in the image.
    action("M_E_PAST")->trigger();
    action("M_E_HANIL")->trigger();
    EXPECT_EQ(canvas().pixel(3, 3), patternAt(3, 3));
    EXPECT_EQ(canvas().pixel(4, 4), before(4, 4));
}

TEST_F(RangeTest, TheFrameOfTheFloatingPieceBlinksOnTimRun) {
    ui::AnimationPreviewPanel& timer = window->animationPanel().preview();
    lift({1, 1}, {3, 3});
    EXPECT_TRUE(timer.timerRunning());
    EXPECT_EQ(timer.timerMode, ui::AnimationPreviewPanel::kBlinkSelection);
    EXPECT_EQ(piece().borderStyle(), ui::FloatingPieceWidget::kSolid);
    timer.timRun_Timer();
    EXPECT_EQ(piece().borderStyle(), ui::FloatingPieceWidget::kDotted);
    timer.timRun_Timer();
    EXPECT_EQ(piece().borderStyle(), ui::FloatingPieceWidget::kSolid);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return piece().borderStyle() == ui::FloatingPieceWidget::kDotted; }, 2000))
        << "the timer itself blinks the frame";
    action("M_E_HANIL")->trigger();
    EXPECT_FALSE(timer.timerRunning());
}

TEST_F(RangeTest, PopUpMenuAndCommitAndToolChangeDropThePiece) {
    lift({2, 2}, {5, 5});
    QTest::mousePress(&piece(), Qt::RightButton, {}, QPoint(4, 4));
    QMenu* popup = find<QMenu>("M_CB");
    EXPECT_TRUE(popup->isVisible());
    popup->hide();
    find<QAction>("M_CB_CL")->trigger();
    EXPECT_TRUE(imageEquals(pattern()));

    lift({2, 2}, {5, 5});
    movePiece(2, 0);
    QTest::mouseClick(find<QWidget>("imgT3_1"), Qt::LeftButton);
    EXPECT_FALSE(selection().rangeMode());
    EXPECT_TRUE(imageEquals(movedByTwo())) << "choosing a tool drops the piece";

    window->M_E_Bf_Click();
    lift({2, 2}, {5, 5});
    movePiece(2, 0);
    window->CommitEditedImage();
    EXPECT_EQ(image(0).pixels(2, 2), settings.markers.transparent);
    EXPECT_EQ(image(0).pixels(4, 2), patternAt(2, 2)) << "committing drops the piece into the image";
}

TEST_F(RangeTest, WholeImageCommandsActOnTheDroppedPiece) {
    lift({2, 2}, {5, 5});
    movePiece(2, 0);
    action("M_E_RtLt")->trigger();
    EXPECT_FALSE(selection().floating());
    EXPECT_EQ(canvas().pixel(31 - 4, 2), patternAt(2, 2));
    EXPECT_EQ(canvas().pixel(31 - 2, 2), settings.markers.transparent) << "the hole was mirrored too";
}

} // namespace vantle::test
