// The icon chooser opened from File, Open and Append of the real main window, driven by object names:
// its slots, scroll bar and highlights, the clicks with Shift and Ctrl, and what the document receives.

#include "app/ChoiceDialog.h"
#include "model/ProgramIcons.h"
#include "support/PeFixture.h"
#include "support/RecordingMessages.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>

namespace vantle::test {
namespace {

const std::string kProgram = std::string(VANTLE_TEST_DATA) + "/pe/icons32.exe";
const std::string kLibrary = std::string(VANTLE_TEST_DATA) + "/pe/icons64.dll";

class ChooserTest : public WindowTest {
  protected:
    // Runs `script` on the chooser as soon as it is shown modally; the script must close it.
    void whenChooserOpens(std::function<void(QDialog&)> script) {
        ran = false;
        QTimer::singleShot(0, [this, script] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            ran = true;
            script(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
    }
    template <typename T = QWidget> static T* in(QDialog& d, const QString& name) {
        T* w = d.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    static void clickSlot(QDialog& d, int slot, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(in(d, QStringLiteral("iIconW_%1").arg(slot)), Qt::LeftButton, modifiers);
    }
    static std::vector<int> highlights(QDialog& d) {
        std::vector<int> out;
        for (int j = 0; j < 8; ++j)
            if (in(d, QStringLiteral("lW_%1").arg(j))->isVisibleTo(&d))
                out.push_back(j);
        return out;
    }
    static void confirm(QDialog& d) { in<QPushButton>(d, QStringLiteral("cmdOk"))->click(); }
    static void menu(QDialog& d, const char* name) {
        QAction* a = d.findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }

    // Group `group` of a file as our reader draws it.
    static ProgramIconPicture drawn(const std::string& path, int group) {
        RecordingMessages messages;
        return openProgramIcons(path, messages)->draw(group);
    }
    void expectImageIs(int index, const ProgramIconPicture& picture) {
        const IconImage& im = image(index);
        ASSERT_EQ(im.width, 32);
        ASSERT_EQ(im.height, 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const std::uint32_t c = picture.at(x, y);
                const colourRGB want = picture.opaque(x, y)
                                           ? makeColour((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF)
                                           : settings.markers.transparent;
                ASSERT_EQ(im.pixels(x, y), want) << "image " << index << " pixel " << x << "," << y;
            }
    }

    bool ran = false;
};

TEST_F(ChooserTest, OpenShowsSixIconsAndConfirmTakesTheChosenOnesAs32x32Images) {
    whenChooserOpens([&](QDialog& d) {
        EXPECT_EQ(d.objectName(), "frmCHOICE");
        EXPECT_EQ(d.windowTitle().toStdString(), kProgram + "のアイコン");
        for (int j = 0; j < 8; ++j)
            EXPECT_EQ(in(d, QStringLiteral("iIconW_%1").arg(j))->isVisibleTo(&d), j < 6) << j;
        auto* scroll = in<QScrollBar>(d, QStringLiteral("hscIcon"));
        EXPECT_FALSE(scroll->isEnabled());
        EXPECT_EQ(scroll->maximum(), 0);
        EXPECT_EQ(highlights(d), std::vector<int>{0});
        EXPECT_EQ(in<QPushButton>(d, QStringLiteral("cmdOk"))->text().toStdString(), "確定(&O)");
        EXPECT_EQ(in<QPushButton>(d, QStringLiteral("cmdCn"))->toolTip().toStdString(),
                  "ｱｲｺﾝの選択を中止します");
        clickSlot(d, 2);
        clickSlot(d, 4, Qt::ShiftModifier);
        EXPECT_EQ(highlights(d), (std::vector<int>{2, 3, 4}));
        clickSlot(d, 3, Qt::ControlModifier);
        EXPECT_EQ(highlights(d), (std::vector<int>{2, 3, 4})) << "Ctrl on a chosen icon keeps it";
        confirm(d);
    });
    openFile(kProgram);
    ASSERT_TRUE(ran);
    ASSERT_EQ(document->imageCount, 3) << "the blank image was replaced by the three icons";
    for (int i = 0; i < 3; ++i)
        expectImageIs(i, drawn(kProgram, 2 + i));
    EXPECT_EQ(image(0).hotspotX, 0);
    EXPECT_TRUE(window->state().modified);
    EXPECT_EQ(window->windowTitle().toStdString(), "Vantle Ver2.03 " + kProgram);
    EXPECT_EQ(document->filePath, kProgram);
    EXPECT_EQ(window->selectedTab(), 1);
    EXPECT_TRUE(platform.messages.empty());
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(image(i).depth, kDepthUndetermined);
}

TEST_F(ChooserTest, AppendWithChooseAllAddsEveryIconBehindTheDocument) {
    whenChooserOpens([&](QDialog& d) {
        menu(d, "M_E_A");
        EXPECT_EQ(highlights(d).size(), 6u);
        confirm(d);
    });
    platform.openAnswers.push_back(kLibrary);
    window->M_F_AppOpen_Click();
    ASSERT_TRUE(ran);
    ASSERT_EQ(document->imageCount, 7);
    for (int i = 0; i < 6; ++i)
        expectImageIs(1 + i, drawn(kLibrary, i));
    EXPECT_EQ(image(1).depth, 256) << "the gradient has more than 16 colours";
    EXPECT_EQ(document->filePath, kLibrary);
}

TEST_F(ChooserTest, InvertThenConfirmTakesAllButTheFirst) {
    whenChooserOpens([&](QDialog& d) {
        menu(d, "M_E_I");
        EXPECT_EQ(highlights(d), (std::vector<int>{1, 2, 3, 4, 5}));
        confirm(d);
    });
    openFile(kLibrary);
    ASSERT_TRUE(ran);
    ASSERT_EQ(document->imageCount, 5);
    expectImageIs(0, drawn(kLibrary, 1));
}

TEST_F(ChooserTest, CancelCloseBoxAndAnEmptyChoiceKeepThePreviousDocument) {
    const std::string ico = writeIcon("keep.ico", {{16, 0x0000FF}, {48, 0x00FF00}});
    openFile(ico);
    ASSERT_EQ(document->imageCount, 2);
    whenChooserOpens([&](QDialog& d) { in<QPushButton>(d, QStringLiteral("cmdCn"))->click(); });
    openFile(kProgram);
    ASSERT_TRUE(ran);
    EXPECT_EQ(document->imageCount, 2);
    EXPECT_FALSE(window->state().modified);
    whenChooserOpens([&](QDialog& d) { d.close(); });
    openFile(kProgram);
    ASSERT_TRUE(ran);
    EXPECT_EQ(document->imageCount, 2);
    whenChooserOpens([&](QDialog& d) {
        menu(d, "M_E_A");
        menu(d, "M_E_I"); // nothing chosen any more
        EXPECT_TRUE(highlights(d).empty());
        confirm(d);
    });
    openFile(kProgram);
    ASSERT_TRUE(ran);
    EXPECT_EQ(document->imageCount, 2);
    EXPECT_EQ(image(1).width, 48);
    EXPECT_FALSE(window->state().modified);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ChooserTest, ProgramsWithoutIconsOrWithBrokenResourcesAreReportedAndNothingChanges) {
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(readWholeFile(kProgram, bytes));
    const PeLayout layout = peLayout(bytes);
    // Both resource types renamed to numbers that are not icons: a program without icons.
    std::vector<std::uint8_t> none = bytes;
    for (std::size_t i = 0; i < peU16(none, layout.root + 14); ++i)
        pePut32(none, layout.entry(none, layout.root, i), 200 + static_cast<std::uint32_t>(i));
    const std::string plain = path("plain.exe");
    std::ofstream(plain, std::ios::binary)
        .write(reinterpret_cast<const char*>(none.data()), static_cast<std::streamsize>(none.size()));
    openFile(plain);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "指定のファイルには、アイコンがありません");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(document->imageCount, 1);
    EXPECT_EQ(document->filePath, plain);
    EXPECT_FALSE(find("spSW")->isHidden());

    // The resource table pointing past the end of the file.
    std::vector<std::uint8_t> far = bytes;
    pePut32(far, layout.resourceDir, 0x7FFF0000u);
    const std::string broken = path("broken.dll");
    std::ofstream(broken, std::ios::binary)
        .write(reinterpret_cast<const char*>(far.data()), static_cast<std::streamsize>(far.size()));
    openFile(broken);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].text,
              "実行ファイルのリソースがファイルの範囲外を指しているため、アイコンを読み込めません");
    EXPECT_EQ(document->imageCount, 1);
}

} // namespace
} // namespace vantle::test
