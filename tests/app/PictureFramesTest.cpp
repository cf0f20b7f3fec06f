// An animated GIF in the picture panel: every frame becomes an image and a step of its delay, in one
// undoable step, in the designed window and with the true-colour setting on.

#include "support/WindowFixture.h"

#include "app/PicturePanel.h"
#include "app/PictureText.h"
#include "model/CursorFiles.h"

#include <QLabel>
#include <QPushButton>

namespace vantle::test {
namespace {

class PictureFrames : public WindowTest, public ::testing::WithParamInterface<bool> {
  protected:
    void SetUp() override {
        settings.trueColour = GetParam();
        open("");
    }
};

TEST_P(PictureFrames, EveryFrameBecomesAnImageAndAStepOfItsDelayInOneUndoableStep) {
    openFile(std::string(VANTLE_TEST_DATA) + "/pic-anim4.gif");
    ASSERT_EQ(document->imageCount, 1);
    EXPECT_NE(text("lTitleBmp").find("（4 フレーム）"), std::string::npos) << text("lTitleBmp");
    auto* all = find<QPushButton>("cmdBAll");
    EXPECT_TRUE(all->isVisible());
    EXPECT_EQ(find("cmdBTc")->isVisible(), GetParam()) << "32-bit sizes only with the setting on";
    EXPECT_FALSE(all->isEnabled()) << "no preview size chosen yet";
    window->picturePanel().pBmpP_Click(0);
    ASSERT_TRUE(all->isEnabled());
    all->click();
    ASSERT_EQ(document->imageCount, 5);
    // The default sequence (the blank image once) comes first, then one step per frame.
    ASSERT_EQ(document->stepCount, 5);
    const std::int32_t rates[] = {6, 12, 18, 24};
    const colourRGB colours[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF}; // red, lime, blue, yellow
    for (int f = 0; f < 4; ++f) {
        EXPECT_EQ(document->steps[static_cast<std::size_t>(f + 1)].imageIndex, f + 1);
        EXPECT_EQ(document->steps[static_cast<std::size_t>(f + 1)].rate, rates[f]);
        EXPECT_EQ(image(f + 1).pixels(16, 16), colours[f]) << "frame " << f;
    }

    // One undo takes all of it back, on the edit tab where the Edit menu is.
    window->selectTab(1);
    ASSERT_TRUE(action("M_E_Bf")->isEnabled());
    action("M_E_Bf")->trigger();
    EXPECT_EQ(document->imageCount, 1);
    EXPECT_EQ(document->stepCount, 0);
    EXPECT_EQ(caption(), "1 / 1");

    // Again, the blank image deleted: four images and four steps, saved and read back whole.
    window->selectTab(3);
    window->picturePanel().pBmpP_Click(0);
    all->click();
    list().pImg_Click(0);
    find<QPushButton>("cmdImgDel")->click();
    ASSERT_EQ(document->imageCount, 4);
    platform.saveAnswers.push_back(path("gif.ani"));
    ASSERT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    CursorReadReport report;
    const auto back = readCursorFile(path("gif.ani"), report);
    ASSERT_TRUE(back.has_value());
    ASSERT_EQ(back->frames.size(), 4u);
    ASSERT_EQ(back->steps.size(), 4u);
    for (int f = 0; f < 4; ++f)
        EXPECT_EQ(back->steps[static_cast<std::size_t>(f)].ticks, rates[f] * kTicksPerJiffy);
}

INSTANTIATE_TEST_SUITE_P(BothSettings, PictureFrames, ::testing::Values(false, true));

} // namespace
} // namespace vantle::test
