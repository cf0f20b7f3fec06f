// Xcursor files through the window: File, export as Xcursor, and Open of an Xcursor file without
// extension.

#include "support/WindowFixture.h"

#include "app/WindowText.h"
#include "model/Messages.h"
#include "model/XcursorFile.h"
#include "model/XcursorFileReader.h"
#include "support/RecordingMessages.h"

#include <QLineEdit>

namespace vantle::test {

TEST_F(WindowTest, ExportAsXcursorWritesTheDocumentAndKeepsItsNameAndFlag) {
    openFile(writeIcon("x.cur", {{32, 0x0000FF}}));
    drawCells({{3, 4}});
    find<QLineEdit>("tXhs")->setText("6"); // the command commits the hotspot boxes
    QAction* item = action("M_F_XcurWrite");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text().toStdString(), ui::kMenuExportXcursor);
    platform.saveAnswers.push_back(path("left_ptr"));
    item->trigger();

    ASSERT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(platform.saveRequests[0].filter, "Xcursor|*");
    EXPECT_EQ(platform.saveRequests[0].initialName, "x") << "theme cursors have no extension";
    EXPECT_EQ(document->filePath, path("x.cur")) << "an export is no save";
    EXPECT_TRUE(window->state().modified);
    EXPECT_TRUE(platform.messages.empty()) << "no inverted pixel, nothing to say";

    IconDocument back;
    back.clearImages(settings.markers.transparent);
    RecordingMessages messages;
    ReadContext context{messages, settings.markers};
    ASSERT_EQ(readXcursorFile(back, path("left_ptr"), context).outcome, ReadOutcome::Complete);
    // The export writes 24, 32, 48, 64 and 96; the window reads those up to 48, the drawn 32 among them.
    ASSERT_EQ(back.imageCount, 3);
    const IconImage& drawn = back.images[1];
    ASSERT_EQ(drawn.width, 32);
    EXPECT_EQ(drawn.pixels(3, 4), canvas().leftColour);
    EXPECT_EQ(drawn.pixels(10, 10), 0x0000FF);
    EXPECT_EQ(drawn.hotspotX, 6);
    EXPECT_EQ(back.images[0].width, 24);
    EXPECT_EQ(back.images[2].width, 48);
}

TEST_F(WindowTest, ExportAsXcursorSaysWhatBecameOfInvertedPixels) {
    image(0).pixels(1, 1) = settings.markers.inverted;
    platform.saveAnswers.push_back(path("inv"));
    window->M_F_XcurWrite_Click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, ui::kXcursorInvertedNote);
    std::ifstream in(path("inv"), std::ios::binary);
    std::array<std::uint8_t, 4> head{};
    in.read(reinterpret_cast<char*>(head.data()), 4);
    EXPECT_TRUE(xcursor::hasMagic(head));

    platform.saveAnswers.push_back(std::nullopt);
    window->M_F_XcurWrite_Click();
    EXPECT_EQ(platform.messages.size(), 1u) << "a cancelled dialog writes and says nothing";

    platform.saveAnswers.push_back(path("no-such-folder/inv"));
    window->M_F_XcurWrite_Click();
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].text, ui::kSaveFailed);
}

TEST_F(WindowTest, OpenTakesAnXcursorFileWithoutExtension) {
    const std::string animated = path("wait");
    std::filesystem::copy_file(std::string(VANTLE_TEST_DATA) + "/xcursorgen/xcursorgen-spin", animated);
    openFile(animated);
    EXPECT_EQ(document->imageCount, 3);
    EXPECT_EQ(document->stepCount, 3);
    EXPECT_EQ(window->selectedTab(), 2) << "an animation opens on the animation tab";
    EXPECT_EQ(window->windowTitle().toStdString(), "Vantle Ver2.03 " + animated);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, std::string(text::kXcursorSizesSkipped) + "24");
    EXPECT_FALSE(window->state().modified);

    const std::string still = path("left_ptr");
    std::filesystem::copy_file(std::string(VANTLE_TEST_DATA) + "/xcursorgen/xcursorgen-arrow", still);
    openFile(still);
    EXPECT_EQ(document->imageCount, 2);
    EXPECT_EQ(window->selectedTab(), 1);
    EXPECT_EQ(image(1).hotspotX, 3);

    // A damaged one says so and leaves one blank image to work on.
    std::ofstream(path("broken"), std::ios::binary) << "Xcur\x10";
    openFile(path("broken"));
    EXPECT_EQ(platform.messages.back().text, text::kXcursorDamaged);
    EXPECT_EQ(document->imageCount, 1);
}

} // namespace vantle::test
