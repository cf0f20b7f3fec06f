// The help window on the real help document: its contents, its search, and a missing file.

#include "platform/qt/HelpWindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace vantle {
namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

class HelpWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(window.loadHelpFile(QStringLiteral(VANTLE_HELP_SOURCE))); }

    QTreeWidget* contents() { return window.findChild<QTreeWidget*>(QStringLiteral("helpContents")); }
    QListWidget* results() { return window.findChild<QListWidget*>(QStringLiteral("helpSearchResults")); }
    QTextBrowser* browser() { return window.findChild<QTextBrowser*>(QStringLiteral("helpBrowser")); }
    QString currentBlock() { return browser()->textCursor().block().text(); }

    QTreeWidgetItem* topItem(const char* title) {
        for (int i = 0; i < contents()->topLevelItemCount(); ++i) {
            QTreeWidgetItem* top = contents()->topLevelItem(i);
            for (int k = 0; k < top->childCount(); ++k)
                if (top->child(k)->text(0) == u8(title))
                    return top->child(k);
        }
        return nullptr;
    }

    QStringList resultTitles() {
        QStringList titles;
        for (int i = 0; i < results()->count(); ++i)
            titles << results()->item(i)->text();
        return titles;
    }

    HelpWindow window;
};

TEST_F(HelpWindowTest, WindowIsTitledAndNotModal) {
    EXPECT_EQ(window.windowTitle(), u8("Vantle ヘルプ"));
    EXPECT_FALSE(window.isModal());
    EXPECT_TRUE(window.isWindow());
}

TEST_F(HelpWindowTest, ItsOwnCloseButtonAndEscapeCloseItAndTheSearchHintFits) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* close = window.findChild<QPushButton*>(QStringLiteral("helpCloseButton"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), u8("閉じる(&C)"));
    close->click();
    EXPECT_FALSE(window.isVisible());

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::keyClick(browser(), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());

    // The search box shows its whole hint, the button beside it.
    window.show();
    auto* box = window.findChild<QLineEdit*>(QStringLiteral("helpSearchText"));
    window.findChild<QTabWidget*>(QStringLiteral("helpTabs"))->setCurrentIndex(1);
    QApplication::processEvents();
    EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(box->placeholderText()) + 8)
        << box->width() << " for " << box->placeholderText().toStdString();
}

TEST_F(HelpWindowTest, ContentsTreeHoldsTheDocumentsHeadingsNested) {
    ASSERT_NE(contents(), nullptr);
    ASSERT_EQ(contents()->topLevelItemCount(), 1);
    EXPECT_EQ(contents()->topLevelItem(0)->text(0), u8("Vantle ヘルプ"));
    // Every subject of the program has its section.
    for (const char* title :
         {"画面の構成", "ファイル", "イメージ", "編集ツール", "色", "ホットスポット", "アニメーション",
          "画像からイメージを作る", "パレットファイル", "ごみ箱", "設定の保存"})
        EXPECT_NE(topItem(title), nullptr) << title;
    // Subsections hang below their section.
    QTreeWidgetItem* files = topItem("ファイル");
    ASSERT_NE(files, nullptr);
    QStringList below;
    for (int i = 0; i < files->childCount(); ++i)
        below << files->child(i)->text(0);
    EXPECT_EQ(
        below.join("|").toStdString(),
        "新規作成|開く|追加|画像ファイルを開く|上書き保存と名前を付けて保存|Xcursor とカーソルテーマ|終了");
}

TEST_F(HelpWindowTest, ChoosingAHeadingInTheContentsJumpsToIt) {
    QTreeWidgetItem* hotspot = topItem("ホットスポット");
    ASSERT_NE(hotspot, nullptr);
    contents()->setCurrentItem(hotspot);
    EXPECT_EQ(currentBlock(), u8("ホットスポット"));
    QTreeWidgetItem* bin = topItem("ごみ箱");
    ASSERT_NE(bin, nullptr);
    contents()->setCurrentItem(bin);
    EXPECT_EQ(currentBlock(), u8("ごみ箱"));
}

TEST_F(HelpWindowTest, SearchListsTheSectionsHoldingEveryWordAndJumpsToTheFirst) {
    const int found = window.search(u8("ホットスポット 保存"));
    const QStringList titles = resultTitles();
    EXPECT_EQ(found, titles.size());
    ASSERT_FALSE(titles.isEmpty());
    EXPECT_TRUE(titles.contains(u8("ホットスポット"))) << titles.join("|").toStdString();
    EXPECT_FALSE(titles.contains(u8("ごみ箱"))) << titles.join("|").toStdString();
    EXPECT_EQ(currentBlock(), titles.first());
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("helpSearchStatus"))->text(),
              u8("%1 件の項目が見つかりました。").arg(found));
}

TEST_F(HelpWindowTest, SearchHighlightsEveryMatch) {
    window.search(u8("ごみ箱"));
    const auto highlights = browser()->extraSelections();
    ASSERT_FALSE(highlights.isEmpty());
    const int occurrences = static_cast<int>(browser()->toPlainText().count(u8("ごみ箱")));
    EXPECT_EQ(highlights.size(), occurrences);
    for (const auto& highlight : highlights)
        EXPECT_EQ(highlight.cursor.selectedText(), u8("ごみ箱"));
}

TEST_F(HelpWindowTest, HalfWidthQueryFindsTheSameSectionsAsFullWidth) {
    window.search(u8("パレットファイル"));
    const QStringList fullWidth = resultTitles();
    window.search(u8("ﾊﾟﾚｯﾄﾌｧｲﾙ"));
    EXPECT_EQ(resultTitles(), fullWidth);
    EXPECT_TRUE(fullWidth.contains(u8("パレットファイル")));
}

TEST_F(HelpWindowTest, ChoosingAResultJumpsToItsSection) {
    window.search(u8("色"));
    ASSERT_GE(results()->count(), 2);
    results()->setCurrentRow(1);
    EXPECT_EQ(currentBlock(), results()->item(1)->text());
}

TEST_F(HelpWindowTest, SearchBoxAndButtonRunTheSearch) {
    auto* box = window.findChild<QLineEdit*>(QStringLiteral("helpSearchText"));
    auto* button = window.findChild<QPushButton*>(QStringLiteral("helpSearchButton"));
    ASSERT_NE(box, nullptr);
    ASSERT_NE(button, nullptr);
    box->setText(u8("ごみ箱"));
    button->click();
    EXPECT_TRUE(resultTitles().contains(u8("ごみ箱")));
    box->setText(u8("アニメーションテスト"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(resultTitles().contains(u8("アニメーションテスト")));
}

TEST_F(HelpWindowTest, NothingFoundSaysSoAndClearsTheHighlights) {
    window.search(u8("ごみ箱"));
    EXPECT_EQ(window.search(u8("存在しない言葉")), 0);
    EXPECT_EQ(results()->count(), 0);
    EXPECT_TRUE(browser()->extraSelections().isEmpty());
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("helpSearchStatus"))->text(),
              u8("該当する項目が見つかりません。"));
}

TEST_F(HelpWindowTest, DocumentPositionsAndPlainTextAgree) {
    // The search maps plain-text offsets to document positions one to one; headings prove it.
    const QString text = browser()->toPlainText();
    ASSERT_GT(window.sectionCount(), 10);
    for (int i = 0; i < window.sectionCount(); ++i) {
        window.showSection(i);
        const QTextBlock block = browser()->textCursor().block();
        EXPECT_EQ(text.mid(block.position(), block.length() - 1), block.text()) << i;
        EXPECT_EQ(block.text().simplified(), window.sectionTitle(i)) << i;
    }
}

TEST(HelpWindowMissing, MissingFileIsReportedInTheWindowByName) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("vantle-help.html");
    HelpWindow window;
    EXPECT_FALSE(window.loadHelpFile(path));
    const auto* browser = window.findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
    EXPECT_EQ(browser->toPlainText(), u8("ヘルプファイル「%1」が見つかりません。").arg(path));
    EXPECT_EQ(window.findChild<QTreeWidget*>(QStringLiteral("helpContents"))->topLevelItemCount(), 0);
    EXPECT_EQ(window.search(u8("ファイル")), 0);
}

TEST(HelpWindowMissing, ALoadedDocumentGivesWayToTheMissingMessage) {
    HelpWindow window;
    ASSERT_TRUE(window.loadHelpFile(QStringLiteral(VANTLE_HELP_SOURCE)));
    EXPECT_FALSE(window.loadHelpFile(QStringLiteral("/nonexistent/vantle-help.html")));
    EXPECT_EQ(window.sectionCount(), 0);
    EXPECT_TRUE(window.findChild<QTextBrowser*>(QStringLiteral("helpBrowser"))
                    ->toPlainText()
                    .contains(QStringLiteral("/nonexistent/vantle-help.html")));
}

TEST(HelpFile, LivesNextToTheExecutableAndTheBuildPutsItThere) {
    const std::filesystem::path path = helpFilePath();
    EXPECT_EQ(path.filename(), "vantle-help.html");
    EXPECT_EQ(path.parent_path(),
              std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()));
    EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
    HelpWindow window;
    EXPECT_TRUE(window.loadHelpFile(QString::fromStdString(path.string())));
}

TEST(HelpFile, AnInstalledProgramFindsItUnderShareDoc) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const std::filesystem::path root = prefix.path().toStdString();
    std::filesystem::create_directories(root / "bin");
    // Nothing installed yet: the message names the file beside the program.
    EXPECT_EQ(helpFileFor((root / "bin").string()), (root / "bin/vantle-help.html").string());
    std::filesystem::create_directories(root / "share/doc/vantle");
    std::filesystem::copy_file(VANTLE_HELP_SOURCE, root / "share/doc/vantle/vantle-help.html");
    EXPECT_EQ(helpFileFor((root / "bin").string()), (root / "share/doc/vantle/vantle-help.html").string());
    // A document beside the program (a build folder) comes first.
    std::filesystem::copy_file(VANTLE_HELP_SOURCE, root / "bin/vantle-help.html");
    EXPECT_EQ(helpFileFor((root / "bin").string()), (root / "bin/vantle-help.html").string());
}

} // namespace
} // namespace vantle
