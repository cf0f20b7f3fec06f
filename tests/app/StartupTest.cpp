// Start-up, the window's standing state, the toolbar option, version and closing.

#include "support/WindowFixture.h"

#include "app/CommandLine.h"

#include <QCloseEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTabBar>
#include <QToolBar>

namespace vantle::test {

TEST(CommandLine, OnePairOfQuotesAroundTheWholeLineIsRemoved) {
    EXPECT_EQ(commandLineDocument({"\"/tmp/my icons/a.ico\""}), "/tmp/my icons/a.ico");
    EXPECT_EQ(commandLineDocument({"\"/tmp/a.ico"}), "\"/tmp/a.ico");
    EXPECT_EQ(commandLineDocument({"/tmp/my", "icons/a.ico"}), "/tmp/my icons/a.ico");
    EXPECT_EQ(commandLineDocument({}), "");
    EXPECT_EQ(commandLineDocument({"\""}), "\"");
}

TEST_F(WindowTest, StartsWithOneBlankImageAndTheEditTab) {
    EXPECT_EQ(window->windowTitle().toStdString(), "Vantle Ver2.03");
    EXPECT_EQ(caption(), "1 / 1");
    EXPECT_EQ(document->imageCount, 1);
    EXPECT_EQ(image(0).width, 32);
    EXPECT_EQ(image(0).depth, kDepthUndetermined);
    EXPECT_EQ(text("lWIi_0"), "???");
    EXPECT_EQ(text("lWISz"), "32x32");
    EXPECT_EQ(window->selectedTab(), 1);
    EXPECT_FALSE(window->state().modified);
    EXPECT_TRUE(action("M_O_T")->isChecked());
    EXPECT_FALSE(action("M_E_Bf")->isEnabled());
    EXPECT_FALSE(action("M_E_Nx")->isEnabled());
    EXPECT_FALSE(action("M_E_Gen")->isEnabled());
    EXPECT_EQ(canvas().cellWidth, 9);
    EXPECT_EQ(find("pIconEdit")->width(), 9 * 32 + 3);
    EXPECT_EQ(canvas().pixel(0, 0), settings.markers.transparent);
    // The marker defaults replace the zero the settings give on a first run.
    EXPECT_EQ(settings.markers.transparent, 0xE0E0E0);
    EXPECT_EQ(settings.markers.inverted, 0x606060);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(WindowTest, MenusToolbarAndTabsCarryTheirNamesAndTexts) {
    EXPECT_EQ(action("M_F_New")->text().toStdString(), "新規作成(&N)");
    EXPECT_EQ(action("M_F_End")->text().toStdString(), "Vantleの終了(&X)");
    EXPECT_EQ(action("M_E_Gen")->text().toStdString(), "減色(&G)");
    EXPECT_EQ(action("M_H_Ver")->text().toStdString(), "バージョン情報(&V)");
    auto* bar = find<QToolBar>("tberIcon");
    EXPECT_EQ(bar->actions().size(), 17);
    int separators = 0;
    for (QAction* a : bar->actions())
        separators += a->isSeparator() ? 1 : 0;
    EXPECT_EQ(separators, 4);
    EXPECT_EQ(action("tberIcon_Gen")->toolTip().toStdString(),
              "編集イメージを減色する（ﾌﾙｶﾗｰ>256色､256色>16色､16色>2色）");
    auto* tabs = find<QTabBar>("TbSpIcon");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(1).toStdString(), "ｱﾆﾒｰｼｮﾝ");
    EXPECT_EQ(tabs->tabToolTip(2).toStdString(), "画像ﾃﾞｰﾀよりｱｲｺﾝｲﾒｰｼﾞを作成する");
}

TEST_F(WindowTest, EveryToolbarButtonShowsItsPicture) {
    auto* bar = find<QToolBar>("tberIcon");
    for (QAction* a : bar->actions()) {
        if (a->isSeparator())
            continue;
        ASSERT_FALSE(a->icon().isNull()) << a->objectName().toStdString();
        for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
            const QImage image = a->icon().pixmap(bar->iconSize(), mode).toImage();
            EXPECT_EQ(image.size(), bar->iconSize()) << a->objectName().toStdString();
            int opaque = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    opaque += qAlpha(image.pixel(x, y)) >= 128 ? 1 : 0;
            EXPECT_GT(opaque, image.width() * image.height() / 8)
                << a->objectName().toStdString() << " is blank";
        }
    }
}

TEST_F(WindowTest, OtherTabsHideTheEditCommands) {
    window->selectTab(2);
    EXPECT_FALSE(action("tberIcon_Undo")->isVisible());
    EXPECT_FALSE(action("tberIcon_Hani")->isVisible());
    EXPECT_TRUE(action("tberIcon_New")->isVisible());
    EXPECT_TRUE(action("tberIcon_Save")->isVisible());
    EXPECT_FALSE(find<QMenu>("M_Edit")->menuAction()->isEnabled());
    window->selectTab(1);
    EXPECT_TRUE(action("tberIcon_Undo")->isVisible());
    EXPECT_TRUE(action("tberIcon_RtLt")->isVisible());
}

TEST_F(WindowTest, HidingAndShowingTheToolbarTwiceRestoresEveryPosition) {
    std::vector<QRect> before;
    const char* names[] = {"TbSpIcon", "fTabS_0", "fTabS_1", "fTabS_2", "fTabS_3", "fImg", "fImgPt", "lTool"};
    for (const char* n : names)
        before.push_back(find(n)->geometry());
    const int height = window->height();
    const int toolbar = window->state().toolbarHeight;
    for (int round = 0; round < 2; ++round) {
        action("M_O_T")->trigger();
        EXPECT_FALSE(action("M_O_T")->isChecked());
        EXPECT_TRUE(find("tberIcon")->isHidden());
        EXPECT_EQ(window->height(), height - toolbar);
        EXPECT_EQ(find("fTabS_0")->y(), before[1].y() - toolbar);
        EXPECT_EQ(find("lTool")->y(), 0);
        action("M_O_T")->trigger();
        EXPECT_TRUE(action("M_O_T")->isChecked());
        EXPECT_FALSE(find("tberIcon")->isHidden());
    }
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(find(names[i])->geometry(), before[i]) << names[i];
    EXPECT_EQ(window->height(), height);
}

TEST_F(WindowTest, VersionAndHelp) {
    action("M_H_Ver")->trigger();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Vantle  Version 2.03");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::None);
    action("M_H_Help")->trigger();
    ASSERT_EQ(platform.helpRequests.size(), 1u);
    EXPECT_TRUE(platform.helpRequests[0].ends_with("/vantle-help.html"));
}

TEST_F(WindowTest, ClosingAnUnchangedDocumentAsksNothingAndSavesTheSettings) {
    settings.customColours[3] = 0x0000FF;
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.settings.readString(kSettingsKey, "COLOR_P"), std::optional<std::string>("255;"));
    EXPECT_EQ(platform.settings.readString(kSettingsKey, "COLOR_C"), std::optional<std::string>("14737632"));
}

TEST_F(WindowTest, CancelOnTheCloseQuestionKeepsTheWindowAndTheDocument) {
    drawCells({{3, 4}});
    ASSERT_TRUE(window->state().modified);
    platform.messageAnswers.push_back(MessageAnswer::Cancel);
    EXPECT_FALSE(window->close());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "現在編集中のファイルを保存しますか？");
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_TRUE(window->state().modified);
    EXPECT_EQ(canvas().pixel(3, 4), canvas().leftColour);
    EXPECT_TRUE(platform.settings.keys.empty()) << "the settings are written only when the window closes";
}

TEST_F(WindowTest, YesOnTheCloseQuestionThenCancellingTheSaveDialogKeepsTheWork) {
    drawCells({{3, 4}});
    platform.messageAnswers.push_back(MessageAnswer::Yes);
    platform.saveAnswers.push_back(std::nullopt);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->state().modified);
    EXPECT_EQ(image(0).pixels(3, 4), canvas().leftColour) << "committed, not lost";
}

TEST_F(WindowTest, NoOnTheCloseQuestionClosesWithoutSaving) {
    drawCells({{3, 4}});
    platform.messageAnswers.push_back(MessageAnswer::No);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(platform.saveRequests.empty());
}

TEST_F(WindowTest, ACommandLineFileInQuotesIsOpenedWithoutThem) {
    const std::string icon = writeIcon("start.ico", {{16, 0x0000FF}, {48, 0x00FF00}});
    open(commandLineDocument({"\"" + icon + "\""}));
    EXPECT_EQ(document->imageCount, 2);
    EXPECT_EQ(document->filePath, icon);
    EXPECT_EQ(window->windowTitle().toStdString(), "Vantle Ver2.03 " + icon);
    EXPECT_EQ(caption(), "1 / 2");
    EXPECT_EQ(image(0).width, 16);
    EXPECT_EQ(canvas().cellWidth, 18);
    EXPECT_FALSE(window->state().modified);
    EXPECT_FALSE(find("pImg_1")->isHidden());
}

TEST_F(WindowTest, ACommandLineFileThatCannotBeReadIsReportedAndTheWindowStillOpens) {
    open(path("missing.ico"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(document->imageCount, 1);
    EXPECT_EQ(caption(), "1 / 1");
}

} // namespace vantle::test
