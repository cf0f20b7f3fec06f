// File menu: New, Open, Append, Save, Save as, the save question and the pruning into the bin.

#include "support/WindowFixture.h"

#include "model/AniFileReader.h"
#include "model/IconFileReader.h"
#include "support/RecordingMessages.h"

#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QScrollBar>

namespace vantle::test {

namespace {

// Reads a file we wrote back into a fresh document.
std::unique_ptr<IconDocument> readBack(const std::string& p) {
    auto d = std::make_unique<IconDocument>();
    d->clearImages(0xE0E0E0);
    RecordingMessages messages;
    ReadContext context{messages, MarkerColours{}};
    if (p.ends_with(".ani"))
        readAniFile(*d, p, context);
    else
        readIconFile(*d, p, context);
    return d;
}

} // namespace

TEST_F(WindowTest, SaveAsWithoutExtensionWritesAnIconFile) {
    drawCells({{1, 1}});
    platform.saveAnswers.push_back(path("plain"));
    EXPECT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    EXPECT_TRUE(std::filesystem::exists(path("plain.ico")));
    EXPECT_FALSE(std::filesystem::exists(path("plain")));
    EXPECT_EQ(document->filePath, path("plain.ico"));
    EXPECT_EQ(document->fileFolder, folder.path().toStdString());
    EXPECT_EQ(window->windowTitle().toStdString(), "Vantle Ver2.03 " + path("plain.ico"));
    EXPECT_FALSE(window->state().modified);
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(platform.saveRequests[0].filter, "ｱｲｺﾝ(*.ico)|*.ico|ｶｰｿﾙ(*.cur)|*.cur|ｱﾆﾒｰｼｮﾝ(*.ani)|*.ani");
    EXPECT_EQ(platform.saveRequests[0].filterIndex, 1);
    const auto back = readBack(path("plain.ico"));
    ASSERT_EQ(back->imageCount, 1);
    EXPECT_EQ(back->images[0].pixels(1, 1), canvas().leftColour);
}

TEST_F(WindowTest, SaveAsFromTheAnimationTabProposesTheAnimationFilter) {
    window->selectTab(2);
    platform.saveAnswers.push_back(std::nullopt);
    EXPECT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Cancelled);
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(platform.saveRequests[0].filterIndex, 3);
}

TEST_F(WindowTest, SavingAnIconPrunesImagesWithoutRoomIntoTheBinInDocumentOrder) {
    // Two images of distinct size: A (32) and C (16), each of two colours.
    openFile(writeIcon("two.ico", {{32, 0x0000FF}, {16, 0xFF0000}}));
    ASSERT_EQ(document->imageCount, 2);
    // Copies of A make A, A1, A2, C: A1 and A2 share A's size and depth and have no room in the file.
    list().pImg_Click(0);
    list().cmdImgIn_Click();
    list().cmdImgIn_Click();
    ASSERT_EQ(document->imageCount, 4);
    ASSERT_EQ(window->state().selectedImage, 2);
    // Mark A2 with a colour it already has, so its depth stays 2.
    image(2).pixels(5, 5) = image(2).pixels(0, 0);
    platform.saveAnswers.push_back(path("pruned.ico"));
    EXPECT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    EXPECT_EQ(document->imageCount, 2);
    EXPECT_EQ(image(1).width, 16) << "C moved up behind A";
    EXPECT_EQ(bin().entriesInUse(), 2);
    EXPECT_EQ(ui::fromQRgb(bin().entry(0).pixel(5, 5)), image(0).pixels(0, 0))
        << "the last pruned image (A2) is the newest entry";
    EXPECT_EQ(ui::fromQRgb(bin().entry(1).pixel(5, 5)), image(0).pixels(5, 5)) << "A1 is the older entry";
    EXPECT_TRUE(find<QPushButton>("cmdDelList")->isEnabled());
    EXPECT_EQ(caption(), "1 / 2");
    EXPECT_TRUE(find("pImg_2")->isHidden());
    EXPECT_EQ(window->state().selectedImage, 0);
    EXPECT_EQ(readBack(path("pruned.ico"))->imageCount, 2);
}

TEST_F(WindowTest, SavingTwoImagesOfTheSameSizeAndDepthKeepsTheFirst) {
    list().cmdImgIn_Click();
    ASSERT_EQ(document->imageCount, 2);
    platform.saveAnswers.push_back(path("two.ico"));
    window->M_F_NewWrite_Click();
    EXPECT_EQ(document->imageCount, 1);
    EXPECT_EQ(bin().entriesInUse(), 1);
}

TEST_F(WindowTest, AFailedSaveIsReportedAndChangesNothing) {
    list().cmdImgIn_Click();
    drawCells({{2, 2}});
    const std::string title = window->windowTitle().toStdString();
    platform.saveAnswers.push_back(path("no-such-folder/x.ico"));
    EXPECT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Failed);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(window->state().modified);
    EXPECT_EQ(window->windowTitle().toStdString(), title);
    EXPECT_EQ(document->imageCount, 2) << "nothing pruned";
    EXPECT_EQ(bin().entriesInUse(), 0);
    EXPECT_TRUE(document->filePath.empty());
}

TEST_F(WindowTest, AFailedSaveOverAnExistingNameLeavesWhatIsThere) {
    // A folder of that name cannot be replaced by a file: the save fails and the folder stays.
    std::filesystem::create_directory(path("taken.ico"));
    drawCells({{0, 0}});
    platform.saveAnswers.push_back(path("taken.ico"));
    EXPECT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Failed);
    EXPECT_TRUE(std::filesystem::is_directory(path("taken.ico")));
    EXPECT_TRUE(window->state().modified);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path().toStdString()),
                            std::filesystem::directory_iterator{}),
              1)
        << "no temporary file is left behind";
}

TEST_F(WindowTest, YesThenCancellingTheSaveDialogStopsNewAndKeepsTheWork) {
    drawCells({{7, 7}});
    platform.messageAnswers.push_back(MessageAnswer::Yes);
    platform.saveAnswers.push_back(std::nullopt);
    window->M_F_New_Click();
    EXPECT_TRUE(window->state().modified);
    EXPECT_EQ(image(0).pixels(7, 7), canvas().leftColour);
    EXPECT_EQ(canvas().pixel(7, 7), canvas().leftColour);
}

TEST_F(WindowTest, NoOnTheSaveQuestionLetsNewGoOn) {
    list().cmdImgNew_Click();
    ASSERT_EQ(document->imageCount, 2);
    platform.messageAnswers.push_back(MessageAnswer::No);
    window->M_F_New_Click();
    EXPECT_EQ(document->imageCount, 1);
    EXPECT_FALSE(window->state().modified);
    EXPECT_EQ(window->windowTitle().toStdString(), "Vantle Ver2.03 ");
}

TEST_F(WindowTest, SaveIsOfferedOnlyForOurExtensionsOnTheFileName) {
    window->M_File_Click();
    EXPECT_FALSE(action("M_F_OverWrite")->isEnabled());
    EXPECT_TRUE(action("M_F_NewWrite")->isEnabled());
    std::filesystem::create_directory(path("icons.ico"));
    document->filePath = path("icons.ico") + "/readme";
    window->M_File_Click();
    EXPECT_FALSE(action("M_F_OverWrite")->isEnabled()) << "a dot in a folder name is no extension";
    document->filePath = path("a.ANI");
    window->M_File_Click();
    EXPECT_TRUE(action("M_F_OverWrite")->isEnabled());
}

TEST_F(WindowTest, SaveAsksBeforeOverwritingAndKeepsTheTitle) {
    const std::string p = writeIcon("over.ico", {{32, 0x0000FF}});
    openFile(p);
    drawCells({{4, 4}});
    const std::string title = window->windowTitle().toStdString();
    platform.messageAnswers.push_back(MessageAnswer::No);
    window->M_F_OverWrite_Click();
    EXPECT_TRUE(window->state().modified);
    EXPECT_EQ(platform.messages.back().text, p + "で上書き保存しますか？");
    platform.messageAnswers.push_back(MessageAnswer::Yes);
    window->M_F_OverWrite_Click();
    EXPECT_FALSE(window->state().modified);
    EXPECT_EQ(window->windowTitle().toStdString(), title);
    EXPECT_EQ(readBack(p)->images[0].pixels(4, 4), canvas().leftColour);
}

TEST_F(WindowTest, TheToolbarSaveButtonAlwaysOpensTheDialog) {
    const std::string p = writeIcon("named.ico", {{32, 0x0000FF}});
    openFile(p);
    platform.saveAnswers.push_back(std::nullopt);
    action("tberIcon_Save")->trigger();
    EXPECT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(platform.saveRequests[0].initialName, p);
}

TEST_F(WindowTest, OpeningAnIconWithMoreThanSixImagesEnablesTheScrollBar) {
    std::vector<std::pair<int, colourRGB>> images;
    IconDocument d;
    d.clearImages(settings.markers.transparent);
    // Eight images of distinct size and depth so our writer keeps all of them.
    const int sizes[] = {16, 32, 48};
    const int colours[] = {2, 16, 256};
    int n = 0;
    for (int s : sizes)
        for (int c : colours) {
            IconImage& im = d.images[static_cast<std::size_t>(n++)];
            im.width = im.height = static_cast<std::int16_t>(s);
            for (int i = 0; i < s * s; ++i)
                im.pixels(i % s, i / s) = (i % c) * 0x010203;
        }
    d.imageCount = 8;
    const auto bytes = buildIconFile(d, 1, settings.markers);
    std::ofstream(path("eight.ico"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    openFile(path("eight.ico"));
    ASSERT_EQ(document->imageCount, 8);
    auto* scroll = find<QScrollBar>("vsBerImg");
    EXPECT_TRUE(scroll->isEnabled());
    EXPECT_EQ(scroll->maximum(), 2);
    EXPECT_EQ(caption(), "1 / 8");
    EXPECT_EQ(list().slotMap[5], 5);
}

TEST_F(WindowTest, OpeningAPictureGivesOneBlankImageAndThePictureTab) {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString(path("photo.bmp"))));
    openFile(path("photo.bmp"));
    EXPECT_EQ(window->selectedTab(), 3);
    EXPECT_EQ(document->imageCount, 1);
    EXPECT_EQ(document->filePath, path("photo.bmp"));
    EXPECT_TRUE(window->state().pictureLoaded);
    window->M_File_Click();
    EXPECT_FALSE(action("M_F_OverWrite")->isEnabled());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(WindowTest, CancellingThePictureDialogLeavesANewDocumentThatCannotOverwriteTheOldFile) {
    const std::string p = writeIcon("old.ico", {{32, 0x0000FF}});
    openFile(p);
    const auto size = std::filesystem::file_size(p);
    platform.pictureDialogAnswers.push_back(std::nullopt);
    window->M_F_JOpen_Click();
    EXPECT_EQ(document->imageCount, 1);
    EXPECT_TRUE(document->filePath.empty());
    EXPECT_EQ(window->windowTitle().toStdString(), "Vantle Ver2.03 ");
    window->M_File_Click();
    EXPECT_FALSE(action("M_F_OverWrite")->isEnabled());
    EXPECT_EQ(std::filesystem::file_size(p), size);
}

TEST_F(WindowTest, OpeningAPictureFileFromItsOwnCommand) {
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(QString::fromStdString(path("sky.jpg"))));
    settings.jDirDrv = "/";
    settings.jDirPath = "/stored";
    platform.pictureDialogAnswers.push_back(path("sky.jpg"));
    platform.pictureDialogFolder = folder.path().toStdString();
    window->M_F_JOpen_Click();
    ASSERT_EQ(platform.pictureDialogRequests.size(), 1u);
    EXPECT_EQ(platform.pictureDialogRequests[0].folder, "/stored");
    EXPECT_EQ(platform.pictureDialogRequests[0].drive, "/");
    EXPECT_EQ(platform.pictureDialogRequests[0].startFolder, folder.path().toStdString());
    EXPECT_TRUE(platform.openRequests.empty()) << "the picture dialog replaces the file dialog";
    EXPECT_EQ(window->selectedTab(), 3);
    EXPECT_EQ(document->filePath, path("sky.jpg"));
    EXPECT_EQ(settings.jDirPath, folder.path().toStdString());
    EXPECT_EQ(window->windowTitle().toStdString(), "Vantle Ver2.03 " + path("sky.jpg"));
}

TEST_F(WindowTest, APictureThatCannotBeLoadedIsReported) {
    std::ofstream(path("broken.gif")) << "not a picture";
    openFile(path("broken.gif"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "画像が読み込めません");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(document->imageCount, 1);
}

TEST_F(WindowTest, AnUnknownExtensionIsRefusedAndAProgramThatIsNoneIsReported) {
    std::ofstream(path("notes.txt")) << "x";
    openFile(path("notes.txt"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "拡張子が不正です");
    EXPECT_EQ(document->filePath, path("notes.txt"));
    std::ofstream(path("tool.exe")) << "MZ";
    document->filePath.clear();
    openFile(path("tool.exe"));
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].text,
              "指定のファイルは、実行ファイル（ＥＸＥ／ＤＬＬ）の形式ではありません");
    EXPECT_EQ(platform.messages[1].icon, MessageIcon::Error);
    EXPECT_EQ(document->filePath, path("tool.exe"));
    EXPECT_EQ(document->imageCount, 1);
}

TEST_F(WindowTest, AppendingWithACancelledDialogChangesNothingButTheModifiedFlag) {
    platform.openAnswers.push_back(std::nullopt);
    list().cmdImgApd_Click();
    EXPECT_EQ(document->imageCount, 1);
    EXPECT_TRUE(document->filePath.empty());
    EXPECT_TRUE(window->state().modified);
    EXPECT_FALSE(find("spSW")->isHidden()) << "the marker is shown again";
}

TEST_F(WindowTest, AppendingAFileSelectsItsFirstImageAndTakesItsName) {
    const std::string p = writeIcon("more.ico", {{16, 0x0000FF}, {48, 0x00FF00}});
    platform.openAnswers.push_back(p);
    window->M_F_AppOpen_Click();
    EXPECT_EQ(document->imageCount, 3);
    EXPECT_EQ(window->state().selectedImage, 1);
    EXPECT_EQ(document->filePath, p);
    EXPECT_EQ(window->windowTitle().toStdString(), "Vantle Ver2.03 " + p);
    platform.messageAnswers.push_back(MessageAnswer::Yes);
    window->M_F_OverWrite_Click();
    EXPECT_EQ(readBack(p)->imageCount, 3) << "Save writes to the appended file";
}

TEST_F(WindowTest, AppendingPastTheSixthSlotScrollsToTheFirstNewImage) {
    for (int i = 0; i < 4; ++i)
        list().cmdImgNew_Click();
    ASSERT_EQ(document->imageCount, 5);
    const std::string p = writeIcon("two.ico", {{16, 0x0000FF}, {48, 0x00FF00}});
    platform.openAnswers.push_back(p);
    list().cmdImgApd_Click();
    EXPECT_EQ(document->imageCount, 7);
    EXPECT_EQ(find<QScrollBar>("vsBerImg")->value(), 1);
    EXPECT_EQ(window->state().selectedImage, 5);
    EXPECT_EQ(window->state().selectedSlot, 4);
}

TEST_F(WindowTest, AnAnimatedCursorRoundTripsThroughTheWindow) {
    list().cmdImgNew_Click();
    list().pImg_Click(0);
    drawCells({{1, 1}});
    list().pImg_Click(1);
    drawCells({{2, 2}});
    window->CommitEditedImage();
    platform.saveAnswers.push_back(path("anim.ani"));
    ASSERT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    EXPECT_EQ(document->imageCount, 2) << "nothing is pruned from an animated cursor";
    platform.messageAnswers.push_back(MessageAnswer::No);
    openFile(path("anim.ani"));
    EXPECT_EQ(window->selectedTab(), 2);
    EXPECT_EQ(document->imageCount, 2);
    EXPECT_EQ(document->stepCount, 2);
    EXPECT_EQ(document->title, "Vantle-Animation");
    EXPECT_TRUE(window->state().sequenceMade);
    EXPECT_EQ(image(1).pixels(2, 2), canvas().leftColour);
    EXPECT_FALSE(window->state().modified);
}

} // namespace vantle::test
