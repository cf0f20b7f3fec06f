// The picture-file dialog driven directly: where it starts, the fallbacks to the start folder, the
// folder list, the preview and its size, Open and Cancel, pictures that cannot be read.

#include "platform/qt/PictureOpenDialog.h"
#include "platform/qt/FileBrowserWidget.h"
#include "platform/qt/QtPictureService.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace vantle {
namespace {

class PictureOpenDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        start = dir.filePath("start");
        pics = dir.filePath("pics");
        QDir().mkpath(start);
        QDir().mkpath(pics + "/sub");
        QImage tall(100, 300, QImage::Format_RGB32);
        tall.fill(Qt::red);
        ASSERT_TRUE(tall.save(pics + "/tall.bmp"));
        QImage wide(64, 16, QImage::Format_RGB32);
        wide.fill(Qt::green);
        ASSERT_TRUE(wide.save(pics + "/wide.png"));
        QFile broken(pics + "/broken.gif");
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("GIF89a not really");
        broken.close();
        QFile text(pics + "/notes.txt");
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        request.startFolder = start.toStdString();
    }

    PictureOpenDialog& open() {
        dialog = std::make_unique<PictureOpenDialog>(request, pictures);
        dialog->show();
        return *dialog;
    }
    template <typename T> T* find(const char* name) const {
        T* w = dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QStringList files() const {
        QStringList names;
        auto* list = find<QListWidget>("filList");
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        return names;
    }
    // Clicks a file of the file list as the user does (mouse down, then the click).
    void clickFile(const QString& name) {
        auto* list = find<QListWidget>("filList");
        const auto items = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        const QRect r = list->visualItemRect(items[0]);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    QString folder() const { return dialog->browser().folder(); }

    QTemporaryDir dir;
    QString start;
    QString pics;
    PictureDialogRequest request;
    QtPictureService pictures;
    std::unique_ptr<PictureOpenDialog> dialog;
};

TEST_F(PictureOpenDialogTest, FirstUseOpensOnTheStartFolder) {
    open();
    EXPECT_EQ(dialog->windowTitle(), "画像ファイルを開く");
    EXPECT_EQ(folder(), start);
    EXPECT_FALSE(find<QPushButton>("cmdOk")->isEnabled());
    EXPECT_TRUE(find<QPushButton>("cmdOk")->isDefault());
    EXPECT_EQ(find<QPushButton>("cmdOk")->text(), "開く(&O)");
    EXPECT_EQ(find<QPushButton>("cmdCn")->text(), "中止(&C)");
    EXPECT_EQ(find<QPushButton>("cmdOk")->toolTip(), "選択した画像ﾌｧｲﾙを開きます");
    EXPECT_EQ(find<QPushButton>("cmdCn")->toolTip(), "画像ﾌｧｲﾙの選択を中止します");
    EXPECT_EQ(find<QGroupBox>("fPre")->title(), "プレビュー画像");
    EXPECT_FALSE(find<QLabel>("iPre")->isVisible());
}

TEST_F(PictureOpenDialogTest, StoredFolderOpensAndAVanishedOneFallsBackToTheStartFolder) {
    request.drive = "/";
    request.folder = pics.toStdString();
    open();
    EXPECT_EQ(folder(), pics);
    EXPECT_EQ(files(), (QStringList{"broken.gif", "tall.bmp", "wide.png"}));
    dialog.reset();

    request.folder = (pics + "/deleted-since").toStdString();
    open();
    EXPECT_EQ(folder(), start);
    find<QPushButton>("cmdCn")->click();
    EXPECT_EQ(request.folder, start.toStdString()) << "closing stores the fallback";
    EXPECT_EQ(request.drive, dialog->browser().drive().toStdString());

    request.drive = "/no-such-drive";
    request.folder = pics.toStdString();
    open();
    EXPECT_EQ(folder(), start) << "a drive that is gone also falls back, whatever the folder";
}

TEST_F(PictureOpenDialogTest, ATallPictureIsPreviewedAtFullHeightAndCentred) {
    // The 100 x 300 picture in the 150 x 150 rectangle: 50 x 150 at 50 pixels from the left.
    const QRect rect(0, 0, 150, 150);
    EXPECT_EQ(PictureOpenDialog::previewGeometry(rect, QSize(100, 300)), QRect(50, 0, 50, 150));
    EXPECT_EQ(PictureOpenDialog::previewGeometry(rect, QSize(64, 16)), QRect(0, 56, 150, 37));
    EXPECT_EQ(PictureOpenDialog::previewGeometry(rect, QSize(20, 20)), QRect(0, 0, 150, 150));
    EXPECT_EQ(PictureOpenDialog::previewGeometry(rect, QSize(1, 16384)), QRect(74, 0, 1, 150))
        << "never narrower than a pixel";

    request.folder = pics.toStdString();
    open();
    clickFile("tall.bmp");
    auto* iPre = find<QLabel>("iPre");
    EXPECT_TRUE(iPre->isVisible());
    const QRect r = PictureOpenDialog::kPreviewRect;
    EXPECT_EQ(iPre->geometry(), QRect(r.left() + 50, r.top(), 50, 150));
    EXPECT_EQ(find<QLabel>("lSize")->text(), "100 x 300");
    EXPECT_TRUE(find<QLabel>("lSize")->isVisible());
    EXPECT_EQ(find<QGroupBox>("fPre")->title(), "プレビュー画像");
    EXPECT_TRUE(find<QPushButton>("cmdOk")->isEnabled());
    EXPECT_EQ(dialog->previewedPath(), pics + "/tall.bmp");
    EXPECT_EQ(iPre->pixmap().toImage().pixel(10, 10), qRgb(255, 0, 0));
}

TEST_F(PictureOpenDialogTest, AFileThatIsNoPictureLeavesThePreviewHiddenAndOpenDisabled) {
    request.folder = pics.toStdString();
    open();
    clickFile("wide.png");
    ASSERT_TRUE(find<QPushButton>("cmdOk")->isEnabled());
    clickFile("broken.gif");
    EXPECT_FALSE(find<QLabel>("iPre")->isVisible());
    EXPECT_FALSE(find<QLabel>("lSize")->isVisible());
    EXPECT_FALSE(find<QPushButton>("cmdOk")->isEnabled());
    EXPECT_EQ(find<QGroupBox>("fPre")->title(), "プレビュー画像");
    // Double click and Enter on it open nothing either.
    auto* list = find<QListWidget>("filList");
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->chosenPath().isEmpty());
}

TEST_F(PictureOpenDialogTest, OpenHandsBackThePreviewedFileAndTheFolder) {
    request.folder = pics.toStdString();
    open();
    clickFile("wide.png");
    find<QPushButton>("cmdOk")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->chosenPath(), pics + "/wide.png");
    EXPECT_EQ(request.folder, pics.toStdString());
}

TEST_F(PictureOpenDialogTest, DoubleClickAndEnterOpenTheFile) {
    request.folder = pics.toStdString();
    open();
    auto* list = find<QListWidget>("filList");
    const QRect r = list->visualItemRect(list->findItems("tall.bmp", Qt::MatchExactly)[0]);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(dialog->chosenPath(), pics + "/tall.bmp");
    dialog.reset();

    open();
    list = find<QListWidget>("filList");
    list->setFocus();
    list->setCurrentRow(list->row(list->findItems("wide.png", Qt::MatchExactly)[0]));
    EXPECT_EQ(find<QLabel>("lSize")->text(), "64 x 16") << "the keyboard previews as a click does";
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(dialog->chosenPath(), pics + "/wide.png");
}

TEST_F(PictureOpenDialogTest, CancelAfterAPreviewChoosesNothingButKeepsTheFolder) {
    request.folder = pics.toStdString();
    open();
    clickFile("tall.bmp");
    find<QPushButton>("cmdCn")->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(dialog->chosenPath().isEmpty());
    EXPECT_EQ(request.folder, pics.toStdString());
}

TEST_F(PictureOpenDialogTest, FoldersOpenOnEnterOrWhenTheListLosesTheFocus) {
    request.folder = pics.toStdString();
    open();
    clickFile("tall.bmp");
    auto* dirs = find<QListWidget>("dirList");
    // Ancestors first, the current folder highlighted, then its subfolders.
    ASSERT_GE(dirs->count(), 2);
    EXPECT_EQ(dirs->item(dirs->currentRow())->data(Qt::UserRole).toString(), pics);
    EXPECT_EQ(dirs->item(dirs->count() - 1)->data(Qt::UserRole).toString(), pics + "/sub");
    EXPECT_EQ(dirs->item(0)->data(Qt::UserRole).toString(), "/");

    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    dirs->setFocus();
    ASSERT_TRUE(dirs->hasFocus());
    dirs->setCurrentRow(dirs->count() - 1);
    EXPECT_EQ(folder(), pics) << "highlighting alone does not open";
    QTest::keyClick(dirs, Qt::Key_Return);
    EXPECT_EQ(folder(), pics + "/sub");
    EXPECT_FALSE(find<QLabel>("iPre")->isVisible()) << "a new folder hides the preview";
    EXPECT_FALSE(find<QPushButton>("cmdOk")->isEnabled());
    EXPECT_TRUE(files().isEmpty());

    // Highlight the parent and move the focus away: the parent opens.
    const int parentRow = dirs->currentRow() - 1;
    dirs->setCurrentRow(parentRow);
    find<QListWidget>("filList")->setFocus();
    EXPECT_FALSE(dirs->hasFocus());
    EXPECT_EQ(folder(), pics);
}

TEST_F(PictureOpenDialogTest, TheDriveListHoldsTheRootsAndFollowsTheFolder) {
    open();
    auto* drives = find<QComboBox>("drvList");
    ASSERT_GE(drives->count(), 1);
    EXPECT_EQ(drives->itemText(0), "/");
    EXPECT_EQ(drives->currentText(), dialog->browser().drive());
    EXPECT_TRUE(start.startsWith(dialog->browser().drive()));
    EXPECT_FALSE(dialog->browser().setDrive("/not-a-drive"));
    EXPECT_FALSE(dialog->browser().setFolder(pics + "/tall.bmp"));
    EXPECT_EQ(folder(), start);
    ASSERT_TRUE(dialog->browser().setDrive("/"));
    EXPECT_EQ(folder(), start) << "a drive keeps its current folder";
    ASSERT_TRUE(dialog->browser().setFolder(pics));
    EXPECT_EQ(drives->currentText(), dialog->browser().drive());
}

} // namespace
} // namespace vantle
