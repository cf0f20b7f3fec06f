// The open and save dialogs: filters as the program writes them, the filter index, the initial folder
// and name, names matched without regard to case, existing files only when opening, cancel.

#include "ModalDriver.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtPlatform.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace vantle {
namespace {

using test::whenModalShown;

constexpr const char* kOpenFilter =
    "対象ﾌｧｲﾙ|*.ico;*.cur;*.ani;*.bmp;*.jpg;*.jpeg;*.gif;*.exe;*.dll|ｱｲｺﾝ(*.ico)|*.ico|ｶｰｿﾙ(*.cur)|*.cur|"
    "ｱﾆﾒｰｼｮﾝ(*.ani)|*.ani|画像|*.bmp;*.jpg;*.jpeg;*.gif|EXE/DLL(*.exe;*dll)|*.exe;*dll";
constexpr const char* kSaveFilter = "ｱｲｺﾝ(*.ico)|*.ico|ｶｰｿﾙ(*.cur)|*.cur|ｱﾆﾒｰｼｮﾝ(*.ani)|*.ani";

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

QStringList comboTexts(QFileDialog& dialog) {
    QStringList texts;
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    if (combo == nullptr)
        return texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

QString currentFilterText(QFileDialog& dialog) {
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    return combo != nullptr ? combo->currentText() : QString();
}

QString nameBoxText(QFileDialog& dialog) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    return edit != nullptr ? edit->text() : QString();
}

// Types the name into the dialog's name box, as the user would (selectFile leaves the box alone while it
// has the focus), and accepts it; QFileDialog::accept is protected, through QDialog it runs the file
// dialog's own checks.
void typeAndAccept(QFileDialog& dialog, const QString& name) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (edit == nullptr) {
        ADD_FAILURE() << "no name box";
        dialog.reject();
        return;
    }
    edit->setText(name);
    static_cast<QDialog&>(dialog).accept();
}

// Accepts a name the dialog must take; a dialog that stays open fails the test instead of hanging it.
void chooseAndClose(QFileDialog& dialog, const QString& name) {
    typeAndAccept(dialog, name);
    if (dialog.isVisible()) {
        ADD_FAILURE() << "the dialog did not take " << name.toStdString();
        dialog.reject();
    }
}

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

// The file names the dialog lists in its folder (folders left out), once at least `expected` are there.
QStringList listedFiles(QFileDialog& dialog, int expected) {
    auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (view == nullptr || model == nullptr)
        return {};
    auto names = [&] {
        QStringList found;
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < model->rowCount(root); ++row) {
            const QModelIndex index = model->index(row, 0, root);
            if (!view->isRowHidden(row) && !model->isDir(index))
                found << index.data().toString();
        }
        found.sort();
        return found;
    };
    static_cast<void>(QTest::qWaitFor([&] { return names().size() >= expected; }, 5000));
    QTest::qWait(100); // late arrivals would show up as extra names
    return names();
}

TEST(FileDialogFilter, EachDescriptionAndPatternPairBecomesOneFilter) {
    const QStringList filters = nameFiltersFromRequest(kOpenFilter);
    const QStringList expected = {
        u8("対象ﾌｧｲﾙ (*.ico *.cur *.ani *.bmp *.jpg *.jpeg *.gif *.exe *.dll)"),
        u8("ｱｲｺﾝ(*.ico) (*.ico)"),
        u8("ｶｰｿﾙ(*.cur) (*.cur)"),
        u8("ｱﾆﾒｰｼｮﾝ(*.ani) (*.ani)"),
        u8("画像 (*.bmp *.jpg *.jpeg *.gif)"),
        u8("EXE/DLL(*.exe;*dll) (*.exe *dll)"),
    };
    ASSERT_EQ(filters.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_EQ(filters[i].toStdString(), expected[i].toStdString()) << "filter " << i;
}

TEST(FileDialogFilter, MalformedFiltersGiveSensibleLists) {
    EXPECT_TRUE(nameFiltersFromRequest("").isEmpty());
    // A description without patterns at the end is dropped.
    EXPECT_EQ(nameFiltersFromRequest("a|*.a|b"), QStringList{QStringLiteral("a (*.a)")});
    // Empty patterns list every file.
    EXPECT_EQ(nameFiltersFromRequest("all|"), QStringList{QStringLiteral("all (*)")});
    EXPECT_EQ(nameFiltersFromRequest("x|*.a;;*.b;"), QStringList{QStringLiteral("x (*.a *.b)")});
}

TEST(FileDialogSetup, ShowsTheDescriptionsAsWrittenAndSelectsTheFilterByIndex) {
    FileDialogRequest request{kOpenFilter, 6, "", ""};
    const auto dialog = makeFileDialog(request, FileDialogKind::Open, nullptr);
    const QStringList shown = comboTexts(*dialog);
    const QStringList expected = {u8("対象ﾌｧｲﾙ"),       u8("ｱｲｺﾝ(*.ico)"), u8("ｶｰｿﾙ(*.cur)"),
                                  u8("ｱﾆﾒｰｼｮﾝ(*.ani)"), u8("画像"),        u8("EXE/DLL(*.exe;*dll)")};
    ASSERT_EQ(shown.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_EQ(shown[i].toStdString(), expected[i].toStdString()) << "filter " << i;
    EXPECT_EQ(currentFilterText(*dialog).toStdString(), "EXE/DLL(*.exe;*dll)");
}

TEST(FileDialogSetup, FilterIndexOutOfRangeSelectsTheFirst) {
    for (int index : {0, -1, 7}) {
        FileDialogRequest request{kOpenFilter, index, "", ""};
        const auto dialog = makeFileDialog(request, FileDialogKind::Open, nullptr);
        EXPECT_EQ(currentFilterText(*dialog), u8("対象ﾌｧｲﾙ")) << "index " << index;
    }
}

TEST(FileDialogSetup, OpenAcceptsOnlyExistingFilesAndSaveAddsNoExtension) {
    const auto open = makeFileDialog({kOpenFilter, 1, "", ""}, FileDialogKind::Open, nullptr);
    EXPECT_EQ(open->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(open->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(open->windowTitle(), u8("ファイルを開く"));
    const auto save = makeFileDialog({kSaveFilter, 1, "", ""}, FileDialogKind::Save, nullptr);
    EXPECT_EQ(save->fileMode(), QFileDialog::AnyFile);
    EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(save->defaultSuffix().isEmpty());
    EXPECT_EQ(save->windowTitle(), u8("名前を付けて保存"));
}

TEST(FileDialogSetup, StartsInTheInitialFolderOrTheCurrentOne) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto given =
        makeFileDialog({kSaveFilter, 1, folder.path().toStdString(), ""}, FileDialogKind::Save, nullptr);
    EXPECT_EQ(given->directory().absolutePath(), QDir(folder.path()).absolutePath());
    const auto empty = makeFileDialog({kSaveFilter, 1, "", ""}, FileDialogKind::Save, nullptr);
    EXPECT_EQ(empty->directory().absolutePath(), QDir::current().absolutePath());
    const auto gone = makeFileDialog({kSaveFilter, 1, (folder.path() + "/gone").toStdString(), ""},
                                     FileDialogKind::Save, nullptr);
    EXPECT_EQ(gone->directory().absolutePath(), QDir::current().absolutePath());
}

TEST(FileDialogSetup, ProposedNameKeepsItsExtensionWhateverTheFilter) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // A document file name is a full path; the icon filter must not turn "doc.cur" into "doc.ico".
    const std::string name = (folder.path() + "/doc.cur").toStdString();
    const auto dialog = makeFileDialog({kSaveFilter, 1, "", name}, FileDialogKind::Save, nullptr);
    EXPECT_EQ(nameBoxText(*dialog), QStringLiteral("doc.cur"));
    EXPECT_EQ(dialog->directory().absolutePath(), QDir(folder.path()).absolutePath());
    EXPECT_EQ(currentFilterText(*dialog), u8("ｱｲｺﾝ(*.ico)"));
}

TEST(FileDialogMatching, NamesMatchThePatternsWithoutRegardToCase) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const char* name : {"FOO.ICO", "bar.ico", "Baz.Cur", "movie.ANI", "x.txt", "lib.DLL", "app.Exe",
                             "notadll", "photo.JPEG"})
        touch(folder.filePath(QString::fromLatin1(name)));

    struct Case {
        int filterIndex;
        QStringList expected;
    };
    const Case cases[] = {
        {2, {"FOO.ICO", "bar.ico"}},
        {3, {"Baz.Cur"}},
        {4, {"movie.ANI"}},
        {5, {"photo.JPEG"}},
        // "*dll" has no dot: any name ending in "dll" matches.
        {6, {"app.Exe", "lib.DLL", "notadll"}},
        {1, {"Baz.Cur", "FOO.ICO", "app.Exe", "bar.ico", "lib.DLL", "movie.ANI", "photo.JPEG"}},
    };
    for (const Case& c : cases) {
        const auto dialog = makeFileDialog({kOpenFilter, c.filterIndex, folder.path().toStdString(), ""},
                                           FileDialogKind::Open, nullptr);
        dialog->show();
        QStringList expected = c.expected;
        expected.sort();
        EXPECT_EQ(listedFiles(*dialog, static_cast<int>(expected.size())).join(", ").toStdString(),
                  expected.join(", ").toStdString())
            << "filter " << c.filterIndex;
        dialog->hide();
    }
}

TEST(FileDialogMatching, UpperCasePatternMatchesLowerCaseNames) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    touch(folder.filePath("colours.vtp"));
    touch(folder.filePath("OTHER.VTP"));
    touch(folder.filePath("skip.txt"));
    const auto dialog = makeFileDialog({"ﾊﾟﾚｯﾄﾌｧｲﾙ|*.VTP", 1, folder.path().toStdString(), ""},
                                       FileDialogKind::Save, nullptr);
    dialog->show();
    EXPECT_EQ(listedFiles(*dialog, 2).join(", ").toStdString(), "OTHER.VTP, colours.vtp");
}

class FileDialogRun : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        touch(folder.filePath("アイコン.ico"));
    }
    QTemporaryDir folder;
    QtPlatform platform;
};

TEST_F(FileDialogRun, OpenGivesTheChosenExistingFile) {
    const QString chosen = folder.filePath("アイコン.ico");
    whenModalShown<QFileDialog>([chosen](QFileDialog& dialog) { chooseAndClose(dialog, chosen); });
    const auto result = platform.openFileDialog({kOpenFilter, 1, folder.path().toStdString(), ""});
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, chosen.toStdString());
}

TEST_F(FileDialogRun, OpenRefusesAMissingFileAndStaysOpen) {
    bool warned = false;
    bool stillOpen = false;
    const QString missing = folder.filePath("missing.ico");
    whenModalShown<QFileDialog>([&](QFileDialog& dialog) {
        // Accepting a name that does not exist brings up Qt's warning inside the dialog.
        whenModalShown<QMessageBox>([&warned](QMessageBox& warning) {
            warned = true;
            warning.accept();
        });
        typeAndAccept(dialog, missing);
        stillOpen = dialog.isVisible();
        dialog.reject();
    });
    const auto result = platform.openFileDialog({kOpenFilter, 1, folder.path().toStdString(), ""});
    EXPECT_TRUE(warned);
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(result.has_value());
}

TEST_F(FileDialogRun, CancelGivesNothing) {
    whenModalShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(platform.openFileDialog({kOpenFilter, 1, folder.path().toStdString(), ""}).has_value());
    whenModalShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    FileDialogRequest save{kSaveFilter, 1, folder.path().toStdString(), "a.ico"};
    EXPECT_FALSE(platform.saveFileDialog(save).has_value());
}

TEST_F(FileDialogRun, SaveGivesTheTypedNameWithoutAddingAnExtension) {
    whenModalShown<QFileDialog>(
        [](QFileDialog& dialog) { chooseAndClose(dialog, QStringLiteral("新しいカーソル")); });
    FileDialogRequest request{kSaveFilter, 2, folder.path().toStdString(), ""};
    const auto result = platform.saveFileDialog(request);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, folder.filePath("新しいカーソル").toStdString());
    EXPECT_EQ(request.filterIndex, 2) << "the proposed filter stayed chosen";
}

TEST_F(FileDialogRun, SaveReportsTheFilterTheUserChose) {
    whenModalShown<QFileDialog>([](QFileDialog& dialog) {
        auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(combo, nullptr);
        combo->setCurrentIndex(2);
        // activated is what a choice in the list sends; the dialog follows it.
        emit combo->activated(2);
        chooseAndClose(dialog, QStringLiteral("spin"));
    });
    FileDialogRequest request{kSaveFilter, 1, folder.path().toStdString(), ""};
    const auto result = platform.saveFileDialog(request);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, folder.filePath("spin").toStdString()) << "the name is given as typed";
    EXPECT_EQ(request.filterIndex, 3);
}

TEST_F(FileDialogRun, DialogIsShownOverTheParentWindowWithTheRequestedFilter) {
    QWidget window;
    window.show();
    platform.setParentWindow(&window);
    QWidget* parentSeen = nullptr;
    QString filterSeen;
    whenModalShown<QFileDialog>([&](QFileDialog& dialog) {
        parentSeen = dialog.parentWidget();
        filterSeen = currentFilterText(dialog);
        dialog.reject();
    });
    FileDialogRequest request{kSaveFilter, 3, folder.path().toStdString(), ""};
    platform.saveFileDialog(request);
    EXPECT_EQ(parentSeen, &window);
    EXPECT_EQ(filterSeen, u8("ｱﾆﾒｰｼｮﾝ(*.ani)"));
}

} // namespace
} // namespace vantle
