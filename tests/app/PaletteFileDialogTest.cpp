// The palette-file dialog frmPLTOPN opened from option 2 of the palette panel: its controls, the preview,
// Open, Edit, Save and Cancel, and hostile files, driven through the fake platform.

#include "support/WindowFixture.h"

#include "app/PaletteFileDialog.h"
#include "app/PaletteFileText.h"
#include "app/PalettePanel.h"
#include "platform/ModalDriver.h"
#include "platform/qt/FileBrowserWidget.h"

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <functional>

namespace vantle::test {

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes paletteBytes(std::uint32_t count, const std::vector<colourRGB>& colours) {
    Bytes b = {'V', 'T', 'P', 'F'};
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(count >> (8 * i)));
    for (colourRGB c : colours) {
        b.push_back(static_cast<std::uint8_t>(blueOf(c)));
        b.push_back(static_cast<std::uint8_t>(greenOf(c)));
        b.push_back(static_cast<std::uint8_t>(redOf(c)));
        b.push_back(0);
    }
    return b;
}

std::vector<colourRGB> ramp(int count) {
    std::vector<colourRGB> colours;
    for (int k = 0; k < count; ++k)
        colours.push_back(makeColour(k, 255 - k, (k * 7) % 256));
    return colours;
}

Bytes fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

QPushButton* button(ui::frmPLTOPN& d, const char* name) {
    auto* b = d.findChild<QPushButton*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

// A click on a file of the dialog's file list, as the user makes it.
void clickFile(ui::frmPLTOPN& d, const std::string& name) {
    QListWidget* files = d.browser().fileList();
    const QList<QListWidgetItem*> items = files->findItems(QString::fromStdString(name), Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << name << " is not in the file list";
    files->scrollToItem(items.front());
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(items.front()).center());
}

// The colour of preview square n of a grid of `perRow` squares a row.
colourRGB square(ui::frmPLTOPN& d, int n, int perRow) {
    const int side = ui::frmPLTOPN::kPreviewSize / perRow;
    auto* preview = d.findChild<ui::PictureBoxWidget*>("pPre");
    EXPECT_NE(preview, nullptr);
    return preview->pixel((n % perRow) * side + side / 2, (n / perRow) * side + side / 2);
}

class PaletteDialogTest : public WindowTest {
  protected:
    ui::PalettePanel& panel() const { return window->editPanel().palette(); }

    std::string writeFile(const std::string& name, const Bytes& bytes) {
        const std::string p = path(name);
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return p;
    }

    // Chooses option 2 (or double-clicks it when again) with `action` run on the dialog once it is up,
    // its file list showing the test's folder.
    void withDialog(const std::function<void(ui::frmPLTOPN&)>& action, bool again = false) {
        bool ran = false;
        whenModalShown<ui::frmPLTOPN>([&](ui::frmPLTOPN& d) {
            ran = true;
            ASSERT_TRUE(d.browser().setFolder(folder.path()));
            action(d);
            // An action that left the dialog open closes it here, as the close box does.
            if (d.isVisible())
                d.close();
        });
        if (again)
            QTest::mouseDClick(find<QRadioButton>("optClrChg_2"), Qt::LeftButton);
        else
            panel().selectOption(2);
        EXPECT_TRUE(ran) << "the dialog did not open";
    }

    // Chooses option 2 and reports whether a dialog came up (closing it at once).
    bool optionTwoOpensADialog() {
        bool opened = false;
        QTimer::singleShot(0, [&] {
            if (auto* d = qobject_cast<ui::frmPLTOPN*>(QApplication::activeModalWidget())) {
                opened = true;
                d->reject();
            }
        });
        panel().selectOption(2);
        QCoreApplication::processEvents();
        return opened;
    }

    void openFileFromDialog(const std::string& name) {
        withDialog([&](ui::frmPLTOPN& d) {
            clickFile(d, name);
            button(d, "cmdOk")->click();
        });
    }
};

} // namespace

TEST_F(PaletteDialogTest, TheDialogHasEveryControlAndOpensOnlyAfterAFileIsRead) {
    writeFile("a.vtp", paletteBytes(2, {0x0000FF, 0xFF0000}));
    writeFile("b.WQP", paletteBytes(2, {0x0000FF, 0xFF0000}));
    writeFile("c.ico", {});
    withDialog([&](ui::frmPLTOPN& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "パレットファイルを開く");
        EXPECT_EQ(d.objectName(), "frmPLTOPN");
        for (const char* name : {"drvList", "dirList", "filList", "pPre"})
            EXPECT_NE(d.findChild<QWidget*>(name), nullptr) << name;
        EXPECT_EQ(d.findChild<QGroupBox*>("fPre")->title().toStdString(), "パレット");
        struct Expected {
            const char* name;
            const char* caption;
            const char* tip;
        };
        for (const Expected& e :
             {Expected{"cmdOk", "開く(&O)", "選択した色ﾊﾟﾚｯﾄを開きます"},
              Expected{"cmdEditIn", "編集(&E)", "選択した色ﾊﾟﾚｯﾄを16x16ｱｲｺﾝｲﾒｰｼﾞに挿入します"},
              Expected{"cmdSave", "色ﾊﾟﾚｯﾄ保存(&S)", "選択中ｱｲｺﾝｲﾒｰｼﾞの色ﾊﾟﾚｯﾄをﾊﾟﾚｯﾄﾌｧｲﾙとして保存します"},
              Expected{"cmdCn", "中止(&C)", "色ﾊﾟﾚｯﾄの選択を中止します"}}) {
            EXPECT_EQ(button(d, e.name)->text().toStdString(), e.caption);
            EXPECT_EQ(button(d, e.name)->toolTip().toStdString(), e.tip);
        }
        // Palette files of both extensions are listed, nothing else.
        QListWidget* files = d.browser().fileList();
        EXPECT_EQ(files->findItems("a.vtp", Qt::MatchExactly).size(), 1);
        EXPECT_EQ(files->findItems("b.WQP", Qt::MatchExactly).size(), 1);
        EXPECT_EQ(files->findItems("c.ico", Qt::MatchExactly).size(), 0);
        EXPECT_FALSE(button(d, "cmdOk")->isEnabled());
        EXPECT_FALSE(button(d, "cmdEditIn")->isEnabled());
        EXPECT_TRUE(button(d, "cmdSave")->isEnabled());
        clickFile(d, "a.vtp");
        EXPECT_TRUE(button(d, "cmdOk")->isEnabled());
        EXPECT_TRUE(button(d, "cmdEditIn")->isEnabled());
    });
}

TEST_F(PaletteDialogTest, ThePreviewShowsFourByFourOrSixteenBySixteenSquares) {
    writeFile("full.vtp", paletteBytes(256, ramp(256)));
    writeFile("two.vtp", paletteBytes(2, {0x0000FF, 0x00FF00}));
    writeFile("seventeen.vtp", paletteBytes(17, ramp(17)));
    withDialog([&](ui::frmPLTOPN& d) {
        clickFile(d, "full.vtp");
        for (int n : {0, 1, 15, 16, 200, 255})
            EXPECT_EQ(square(d, n, 16), ramp(256)[static_cast<std::size_t>(n)]) << "square " << n;
        // Two colours after 256: four squares a row, and squares 2 .. 15 white, not the earlier file's.
        clickFile(d, "two.vtp");
        EXPECT_EQ(square(d, 0, 4), 0x0000FF);
        EXPECT_EQ(square(d, 1, 4), 0x00FF00);
        for (int n = 2; n < 16; ++n)
            EXPECT_EQ(square(d, n, 4), kWhite) << "square " << n;
        // Seventeen: the large grid, white past the count.
        clickFile(d, "seventeen.vtp");
        EXPECT_EQ(square(d, 16, 16), ramp(17)[16]);
        EXPECT_EQ(square(d, 17, 16), kWhite);
    });
}

TEST_F(PaletteDialogTest, OpenFillsThePanelAndTheFileStaysLoaded) {
    writeFile("two.vtp", paletteBytes(2, {0x0000FF, 0x00FF00}));
    writeFile("full.vtp", paletteBytes(256, ramp(256)));
    openFileFromDialog("two.vtp");
    EXPECT_TRUE(window->state().paletteFileLoaded);
    EXPECT_EQ(panel().option(), 2);
    EXPECT_TRUE(find<QRadioButton>("optClrChg_2")->isChecked());
    EXPECT_EQ(panel().paletteFileCount(), 2);
    EXPECT_EQ(panel().labelColour(0), 0x0000FF);
    EXPECT_EQ(panel().labelColour(1), 0x00FF00);
    for (int k = 2; k < 32; ++k)
        EXPECT_EQ(panel().labelColour(k), kWhite) << "label " << k;
    EXPECT_TRUE(find<QScrollBar>("vsClrChg")->isHidden());
    EXPECT_TRUE(platform.messages.empty());

    // Back to the standard colours, then option 2 again: the loaded colours without the dialog.
    panel().selectOption(0);
    EXPECT_EQ(panel().labelColour(1), 0x800000);
    EXPECT_FALSE(optionTwoOpensADialog());
    EXPECT_EQ(panel().labelColour(1), 0x00FF00);

    // A double click opens it again; a 256-colour file pages through the scroll bar.
    withDialog(
        [&](ui::frmPLTOPN& d) {
            clickFile(d, "full.vtp");
            button(d, "cmdOk")->click();
        },
        true);
    auto* scroll = find<QScrollBar>("vsClrChg");
    EXPECT_FALSE(scroll->isHidden());
    EXPECT_EQ(scroll->maximum(), 14);
    EXPECT_EQ(panel().labelColour(31), ramp(256)[31]);
    scroll->setValue(14);
    EXPECT_EQ(panel().labelColour(0), ramp(256)[224]);
    EXPECT_EQ(panel().labelColour(31), ramp(256)[255]);
}

TEST_F(PaletteDialogTest, CancelAndTheCloseBoxSetNoFlag) {
    writeFile("two.vtp", paletteBytes(2, {0x0000FF, 0x00FF00}));
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        withDialog([&](ui::frmPLTOPN& d) {
            clickFile(d, "two.vtp");
            if (closeBox)
                d.close();
            else
                button(d, "cmdCn")->click();
            EXPECT_FALSE(d.outcome().loaded);
            EXPECT_FALSE(d.outcome().applied);
        });
        EXPECT_FALSE(window->state().paletteFileLoaded);
        EXPECT_EQ(panel().option(), 0);
        EXPECT_TRUE(find<QRadioButton>("optClrChg_0")->isChecked());
        EXPECT_EQ(panel().labelColour(1), 0x800000) << "the standard colours";
        EXPECT_EQ(document->imageCount, 1);
        EXPECT_FALSE(window->state().modified);
    }
    // Once a file is loaded, cancelling a second dialog leaves the panel as it was.
    openFileFromDialog("two.vtp");
    withDialog([&](ui::frmPLTOPN& d) { button(d, "cmdCn")->click(); }, true);
    EXPECT_EQ(panel().option(), 2);
    EXPECT_EQ(panel().labelColour(1), 0x00FF00);
}

TEST_F(PaletteDialogTest, EditInsertsTheSixteenBlockImageAndMovesTheLaterImagesAndSteps) {
    std::vector<colourRGB> sixteen = ramp(16);
    writeFile("sixteen.vtp", paletteBytes(16, sixteen));
    // Images 0 (32), 1 (16) and 2 (48), each of its own colour, and a sequence over them.
    list().cmdImgNew_Click();
    list().cmdImgNew_Click();
    list().pImg_Click(0);
    image(1).width = image(1).height = 16;
    image(1).pixels.fill(0x111111);
    image(1).hotspotX = 3;
    image(2).width = image(2).height = 48;
    image(2).pixels.fill(0x222222);
    window->state().sequenceMade = true;
    document->steps[0] = {0, 8};
    document->steps[1] = {2, 9};
    document->steps[2] = {1, 10};
    document->stepCount = 3;
    window->setModified(false);

    withDialog([&](ui::frmPLTOPN& d) {
        clickFile(d, "sixteen.vtp");
        button(d, "cmdEditIn")->click();
        EXPECT_TRUE(d.outcome().applied);
        EXPECT_FALSE(d.outcome().loaded);
    });
    ASSERT_EQ(document->imageCount, 4);
    const IconImage& inserted = image(1);
    EXPECT_EQ(inserted.width, 16);
    EXPECT_EQ(inserted.height, 16);
    EXPECT_EQ(inserted.hotspotX, 0);
    EXPECT_EQ(inserted.depth, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(inserted.pixels(x, y), sixteen[static_cast<std::size_t>(4 * (y / 4) + x / 4)])
                << x << "," << y;
    EXPECT_EQ(image(2).width, 16);
    EXPECT_EQ(image(2).hotspotX, 3);
    EXPECT_EQ(image(2).pixels(5, 5), 0x111111);
    EXPECT_EQ(image(3).width, 48);
    EXPECT_EQ(image(3).pixels(40, 40), 0x222222);
    EXPECT_EQ(document->steps[0], (AnimationStep{0, 8}));
    EXPECT_EQ(document->steps[1], (AnimationStep{3, 9}));
    EXPECT_EQ(document->steps[2], (AnimationStep{2, 10}));
    // The new image is selected, shown with its own colours, and the document is modified.
    EXPECT_EQ(window->state().selectedImage, 1);
    EXPECT_EQ(caption(), "2 / 4");
    EXPECT_EQ(panel().option(), 1);
    EXPECT_EQ(panel().labelColour(5), sixteen[5]);
    EXPECT_EQ(canvas().imageIndex(), 1);
    EXPECT_TRUE(window->state().modified);
    EXPECT_FALSE(window->state().paletteFileLoaded);
}

TEST_F(PaletteDialogTest, EditOfTwoColoursAndOfAnOddCount) {
    writeFile("two.vtp", paletteBytes(2, {0x0000FF, 0x00FF00}));
    writeFile("forty.vtp", paletteBytes(40, ramp(40)));
    withDialog([&](ui::frmPLTOPN& d) {
        clickFile(d, "two.vtp");
        button(d, "cmdEditIn")->click();
    });
    ASSERT_EQ(document->imageCount, 2);
    EXPECT_EQ(image(1).depth, 2);
    EXPECT_EQ(image(1).pixels(0, 0), 0x0000FF);
    EXPECT_EQ(image(1).pixels(4, 0), 0x00FF00);
    EXPECT_EQ(image(1).pixels(8, 0), kWhite);
    // Count 40: one pixel per colour, white past it, and the depth of the colour rule.
    withDialog([&](ui::frmPLTOPN& d) {
        clickFile(d, "forty.vtp");
        button(d, "cmdEditIn")->click();
    });
    ASSERT_EQ(document->imageCount, 3);
    EXPECT_EQ(window->state().selectedImage, 2);
    EXPECT_EQ(image(2).depth, 256);
    EXPECT_EQ(image(2).pixels(7, 2), ramp(40)[39]);
    EXPECT_EQ(image(2).pixels(8, 2), kWhite);
}

TEST_F(PaletteDialogTest, SaveWritesExactlyThePaletteOverALongerFileAndStaysOpen) {
    // The first image: two colours, depth 2 once counted.
    IconImage& im = image(0);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            im.pixels(x, y) = x < 16 ? 0x0000FF : 0x00FF00;
    reshowFirst();
    ASSERT_EQ(im.depth, 2);
    const std::string target = writeFile("old.vtp", paletteBytes(256, ramp(256)));
    platform.saveAnswers.push_back(target);
    withDialog([&](ui::frmPLTOPN& d) {
        button(d, "cmdSave")->click();
        EXPECT_TRUE(d.isVisible()) << "the dialog stays open after saving";
        // The saved file reads back at once.
        clickFile(d, "old.vtp");
        EXPECT_EQ(square(d, 0, 4), 0x0000FF);
        EXPECT_EQ(square(d, 2, 4), kWhite);
        button(d, "cmdCn")->click();
    });
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(platform.saveRequests[0].filter, "ﾊﾟﾚｯﾄﾌｧｲﾙ|*.VTP");
    EXPECT_EQ(platform.saveRequests[0].initialName, "");
    EXPECT_EQ(fileBytes(target), paletteBytes(2, {0x0000FF, 0x00FF00}))
        << "16 bytes, no tail of the old file";
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PaletteDialogTest, AFailedSaveSaysSoAndACancelledOneWritesNothing) {
    platform.saveAnswers.push_back(std::nullopt);
    platform.saveAnswers.push_back(path("no-such-folder/p.vtp"));
    withDialog([&](ui::frmPLTOPN& d) {
        button(d, "cmdSave")->click();
        EXPECT_TRUE(platform.messages.empty());
        button(d, "cmdSave")->click();
        button(d, "cmdCn")->click();
    });
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, ui::kPaletteSaveFailed);
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
}

TEST_F(PaletteDialogTest, HostileFilesGiveAMessageOrTheEntriesTheyHold) {
    writeFile("empty.vtp", {});
    writeFile("seven.vtp", {'V', 'T', 'P', 'F', 2, 0, 0});
    writeFile("minus.vtp", paletteBytes(0xFFFFFFFFu, {0x0000FF}));
    writeFile("huge.vtp", paletteBytes(0x80000000u, {0x0000FF}));
    writeFile("good.vtp", paletteBytes(2, {0x0000FF, 0x00FF00}));
    writeFile("short.vtp", paletteBytes(16, {0x123456, 0x654321, 0x0000FF}));
    writeFile("locked.vtp", paletteBytes(2, {0x0000FF, 0x00FF00}));
    std::filesystem::permissions(path("locked.vtp"), std::filesystem::perms::none);
    const bool lockedReadable = static_cast<bool>(std::ifstream(path("locked.vtp")));
    withDialog([&](ui::frmPLTOPN& d) {
        for (const char* name : {"empty.vtp", "seven.vtp", "minus.vtp", "huge.vtp"}) {
            SCOPED_TRACE(name);
            clickFile(d, "good.vtp");
            const std::size_t before = platform.messages.size();
            clickFile(d, name);
            ASSERT_EQ(platform.messages.size(), before + 1);
            EXPECT_EQ(platform.messages.back().text, std::string(ui::kPaletteNotAPalette) + "\r\n" + name);
            EXPECT_EQ(platform.messages.back().icon, MessageIcon::Error);
            EXPECT_FALSE(button(d, "cmdOk")->isEnabled());
            EXPECT_FALSE(button(d, "cmdEditIn")->isEnabled());
            EXPECT_TRUE(d.findChild<QWidget*>("pPre")->isHidden());
        }
        if (!lockedReadable) { // root reads every file
            clickFile(d, "locked.vtp");
            EXPECT_EQ(platform.messages.back().text, std::string(ui::kPaletteCannotOpen) + "\r\nlocked.vtp");
        }
        const std::size_t before = platform.messages.size();
        clickFile(d, "short.vtp");
        EXPECT_EQ(platform.messages.size(), before);
        EXPECT_EQ(square(d, 0, 4), 0x123456);
        EXPECT_EQ(square(d, 2, 4), 0x0000FF);
        EXPECT_EQ(square(d, 3, 4), kWhite) << "past the entries held";
        button(d, "cmdOk")->click();
    });
    EXPECT_EQ(panel().paletteFileCount(), 16);
    EXPECT_EQ(panel().labelColour(2), 0x0000FF);
    EXPECT_EQ(panel().labelColour(3), kWhite);
}

} // namespace vantle::test

namespace vantle::test {

TEST_F(PaletteDialogTest, TheFolderListOpensFoldersAndTheDriveListFollows) {
    std::filesystem::create_directory(path("sub"));
    writeFile("sub/inner.vtp", paletteBytes(2, {0x0000FF, 0x00FF00}));
    withDialog([&](ui::frmPLTOPN& d) {
        FileBrowserWidget& b = d.browser();
        QListWidget* folders = b.folderList();
        const auto sub = folders->findItems("sub", Qt::MatchEndsWith);
        ASSERT_EQ(sub.size(), 1);
        // Highlighted only: opened when the list loses the focus (which needs the dialog active).
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        folders->setFocus();
        ASSERT_TRUE(folders->hasFocus());
        folders->setCurrentItem(sub.front());
        b.fileList()->setFocus();
        EXPECT_EQ(b.folder().toStdString(), path("sub"));
        EXPECT_EQ(b.fileList()->count(), 1);
        clickFile(d, "inner.vtp");
        EXPECT_TRUE(button(d, "cmdOk")->isEnabled());
        // The ancestor above goes back up; the drive list shows the root the folder lies on.
        EXPECT_FALSE(b.setFolder(QString::fromStdString(path("missing"))));
        EXPECT_EQ(b.folder().toStdString(), path("sub"));
        EXPECT_EQ(b.driveList()->currentText(), b.drive());
        EXPECT_TRUE(b.folder().startsWith(b.drive()));
    });
}

} // namespace vantle::test
