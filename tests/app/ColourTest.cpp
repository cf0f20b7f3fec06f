// The colour area and the palette panel of the edit tab.

#include "support/WindowFixture.h"

#include "app/ColourAreaPanel.h"
#include "app/ColourLabel.h"
#include "app/PalettePanel.h"

#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

namespace vantle::test {

namespace {

ui::ColourLabel* label(ui::frmICON& w, const char* name) {
    return w.findChild<ui::ColourLabel*>(QString::fromLatin1(name));
}

void click(ui::ColourLabel* l, Qt::MouseButton button) {
    QTest::mouseClick(l, button);
}

} // namespace

TEST_F(WindowTest, TheColourListStartsWithTheStandardAndTheUserColours) {
    settings.customColours[0] = 0x123456;
    open("");
    ui::PalettePanel& palette = window->editPanel().palette();
    EXPECT_EQ(palette.labelColour(0), 0x000000);
    EXPECT_EQ(palette.labelColour(4), 0x000080) << "dark red";
    EXPECT_EQ(palette.labelColour(15), 0xFFFFFF);
    EXPECT_EQ(palette.labelColour(16), 0x123456);
    EXPECT_EQ(palette.labelColour(17), 0xFFFFFF);
    EXPECT_EQ(label(*window, "lLeftC")->colour(), 0x000000);
    EXPECT_EQ(label(*window, "lRightC")->colour(), 0xFFFFFF);
}

TEST_F(WindowTest, ClicksGiveTheColourToTheButtonThatClicked) {
    click(label(*window, "lCList_12"), Qt::LeftButton);
    EXPECT_EQ(canvas().leftColour, 0x0000FF);
    EXPECT_EQ(label(*window, "lLeftC")->colour(), 0x0000FF);
    click(label(*window, "lCList_10"), Qt::RightButton);
    EXPECT_EQ(canvas().rightColour, 0x00FF00);
    EXPECT_EQ(canvas().leftColour, 0x0000FF);
    // The right button on the transparent label: drawing with it makes pixels transparent.
    drawCells({{4, 4}});
    click(label(*window, "lClearC"), Qt::RightButton);
    EXPECT_EQ(canvas().rightColour, settings.markers.transparent);
    drawCells({{4, 4}}, MouseButton::Right);
    EXPECT_EQ(canvas().pixel(4, 4), settings.markers.transparent);
    click(label(*window, "lInverC"), Qt::LeftButton);
    EXPECT_EQ(canvas().leftColour, settings.markers.inverted);
}

TEST_F(WindowTest, AFreeUserSlotAsksForAColourFirst) {
    platform.colourAnswers.push_back(std::nullopt);
    click(label(*window, "lCList_20"), Qt::LeftButton);
    EXPECT_EQ(platform.colourRequests, 1);
    EXPECT_EQ(canvas().leftColour, 0x000000) << "cancel changes nothing at all";
    platform.colourAnswers.push_back(0x00AA00);
    click(label(*window, "lCList_20"), Qt::LeftButton);
    EXPECT_EQ(canvas().leftColour, 0x00AA00);
    EXPECT_EQ(settings.customColours[4], 0x00AA00);
    // A set slot is taken without asking; a double click asks again.
    click(label(*window, "lCList_20"), Qt::RightButton);
    EXPECT_EQ(platform.colourRequests, 2);
    EXPECT_EQ(canvas().rightColour, 0x00AA00);
    platform.colourAnswers.push_back(0x0000BB);
    window->editPanel().palette().lCList_DblClick(20);
    EXPECT_EQ(settings.customColours[4], 0x0000BB);
    EXPECT_EQ(canvas().rightColour, 0x0000BB);
}

TEST_F(WindowTest, AFreeSlotUnderAnotherPaletteOptionIsTakenWithoutTheDialog) {
    image(0).pixels.fill(0x0000FF);
    window->ShowImageInEditor(0);
    window->editPanel().palette().selectOption(1);
    const colourRGB shown = window->editPanel().palette().labelColour(20);
    click(label(*window, "lCList_20"), Qt::LeftButton);
    EXPECT_EQ(platform.colourRequests, 0);
    EXPECT_EQ(canvas().leftColour, shown);
}

TEST_F(WindowTest, ChangingTheTransparentColourRewritesEveryImage) {
    list().cmdImgNew_Click();
    image(0).pixels(1, 1) = 0x00FF00; // an opaque pixel that already has the new colour
    image(1).pixels(2, 2) = 0x0000FF;
    list().pImg_Click(0);
    platform.colourAnswers.push_back(0x00FF00);
    window->editPanel().colours().lClearC_DblClick();
    EXPECT_EQ(settings.markers.transparent, 0x00FF00);
    EXPECT_EQ(image(0).pixels(5, 5), 0x00FF00);
    EXPECT_EQ(image(1).pixels(5, 5), 0x00FF00);
    EXPECT_EQ(image(1).pixels(2, 2), 0x0000FF);
    EXPECT_EQ(image(0).pixels(1, 1), 0x00FF00) << "and is transparent now too";
    EXPECT_EQ(list().slot(1).pixel(5, 5), 0x00FF00) << "the slot pictures follow";
    EXPECT_EQ(label(*window, "lClearC")->colour(), 0x00FF00);
    EXPECT_EQ(canvas().pixel(7, 7), 0x00FF00);
    // Pixels shifted in from the margin are transparent in the new colour.
    window->shiftClicked(0);
    EXPECT_EQ(canvas().pixel(31, 0), 0x00FF00);
}

TEST_F(WindowTest, ChoosingTheSameMarkerColourChangesNothing) {
    drawCells({{1, 1}});
    platform.colourAnswers.push_back(settings.markers.transparent);
    window->editPanel().colours().lClearC_DblClick();
    EXPECT_NE(image(0).pixels(1, 1), canvas().leftColour) << "the edited image was not committed";
    platform.colourAnswers.push_back(std::nullopt);
    window->editPanel().colours().lInverC_DblClick();
    EXPECT_EQ(settings.markers.inverted, 0x606060);
}

TEST_F(WindowTest, DoubleClickOnTheSelectedColourStoresItInTheFirstFreeSlot) {
    canvas().selectedColour = 0x445566;
    window->editPanel().palette().selectOption(1);
    window->editPanel().colours().lSelectC_DblClick();
    EXPECT_EQ(window->editPanel().palette().option(), 0);
    EXPECT_TRUE(find<QRadioButton>("optClrChg_0")->isChecked());
    EXPECT_EQ(settings.customColours[0], 0x445566);
    EXPECT_EQ(window->editPanel().palette().labelColour(16), 0x445566);
    for (auto& c : settings.customColours)
        c = 0x010101;
    window->editPanel().palette().selectOption(0);
    window->editPanel().colours().lSelectC_DblClick();
    EXPECT_EQ(settings.customColours[0], 0x010101) << "no free slot: nothing stored";
}

TEST_F(WindowTest, TheImagePaletteOptionPagesLongPalettes) {
    IconImage& im = image(0);
    for (int i = 0; i < 32 * 32; ++i)
        im.pixels(i % 32, i / 32) = makeColour(i % 40, 3, 4);
    window->ShowImageInEditor(0);
    window->editPanel().palette().selectOption(1);
    auto* scroll = find<QScrollBar>("vsClrChg");
    EXPECT_FALSE(scroll->isHidden());
    EXPECT_EQ(scroll->maximum(), 1) << "40 colours, 48 entries";
    EXPECT_EQ(window->editPanel().palette().labelColour(0), makeColour(0, 3, 4));
    scroll->setValue(1);
    EXPECT_EQ(window->editPanel().palette().labelColour(0), makeColour(16, 3, 4));
    for (int i = 0; i < 32 * 32; ++i)
        im.pixels(i % 32, i / 32) = makeColour(i % 20, 3, 4);
    window->ShowImageInEditor(0);
    window->editPanel().palette().selectOption(1);
    EXPECT_TRUE(scroll->isHidden()) << "20 colours, 32 entries";
    EXPECT_EQ(text("lWIi_0"), "256");
}

TEST_F(WindowTest, TheImagePaletteOfAnUndeterminedImageIsRefused) {
    // A fresh blank image: depth undetermined until counted; the option counts it first.
    window->editPanel().palette().selectOption(1);
    EXPECT_EQ(window->editPanel().palette().option(), 1) << "counting made the depth 2";
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(text("lWIi_0"), "2");
}

} // namespace vantle::test
