// The rest of the Qt platform: the colour chooser, the clipboard, the hourglass pointer, the help window
// and the Japanese texts of Qt's dialogs.

#include "platform/qt/QtPlatform.h"
#include "ModalDriver.h"
#include "platform/qt/HelpWindow.h"
#include "platform/qt/QtTranslations.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace vantle {
namespace {

using test::whenModalShown;

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

TEST(ColourChooser, ChosenColourComesBackAsRedPlusGreenTimes256PlusBlueTimes65536) {
    QtPlatform platform;
    QColor startedWith;
    whenModalShown<QColorDialog>([&startedWith](QColorDialog& dialog) {
        startedWith = dialog.currentColor();
        dialog.setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog.accept();
    });
    const auto colour = platform.chooseColour();
    ASSERT_TRUE(colour.has_value());
    EXPECT_EQ(*colour, 0x12 + 0x34 * 256 + 0x56 * 65536);
    // No colour of the program is preset.
    EXPECT_EQ(startedWith, QColor(0, 0, 0));
}

TEST(ColourChooser, CancelGivesNothing) {
    QtPlatform platform;
    whenModalShown<QColorDialog>([](QColorDialog& dialog) {
        dialog.setCurrentColor(Qt::red);
        dialog.reject();
    });
    EXPECT_FALSE(platform.chooseColour().has_value());
}

TEST(Clipboard, PicturePutThereComesBackOpaqueWithItsPixels) {
    QtPlatform platform;
    Picture picture;
    picture.width = 3;
    picture.height = 2;
    // The last pixel has no alpha at all: a bitmap has none, so it arrives opaque in its colour.
    picture.argb = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFE0E0E0, 0xFF606060, 0x00123456};
    platform.putPictureOnClipboard(picture);
    const auto back = platform.pictureFromClipboard();
    ASSERT_TRUE(back.has_value());
    ASSERT_EQ(back->width, 3);
    ASSERT_EQ(back->height, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const std::uint32_t expected = picture.at(x, y) | 0xFF000000u;
            EXPECT_EQ(back->at(x, y), expected) << "pixel (" << x << ", " << y << ")";
        }
}

TEST(Clipboard, AlphaPictureReachesAnotherQtReaderAsPngWithEveryAlpha) {
    QtPlatform platform;
    Picture picture;
    picture.width = 3;
    picture.height = 1;
    picture.argb = {0x01102030, 0x80405060, 0xFEFFFFFF};
    platform.putAlphaPictureOnClipboard(picture);
    EXPECT_TRUE(platform.clipboardIsOwn());
    // What another Qt program reads: the PNG and the image Qt offers of it.
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data != nullptr && data->hasFormat("image/png"));
    const QImage png =
        QImage::fromData(data->data("image/png"), "PNG").convertToFormat(QImage::Format_ARGB32);
    const QImage image = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_ARGB32);
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(png.pixel(x, 0), picture.at(x, 0)) << x;
        EXPECT_EQ(qAlpha(image.pixel(x, 0)), static_cast<int>(picture.at(x, 0) >> 24)) << x;
    }
    const auto back = platform.pictureFromClipboard();
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->argb, picture.argb);
    QGuiApplication::clipboard()->setImage(QImage(2, 2, QImage::Format_ARGB32));
    EXPECT_FALSE(platform.clipboardIsOwn());
}

TEST(Clipboard, NoPictureThereGivesNothing) {
    QtPlatform platform;
    QGuiApplication::clipboard()->setText(QStringLiteral("text only"));
    EXPECT_FALSE(platform.pictureFromClipboard().has_value());
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(platform.pictureFromClipboard().has_value());
}

TEST(BusyPointer, HourglassNestsAndUnmatchedCallsChangeNothing) {
    QtPlatform platform;
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    platform.setBusy(true);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform.setBusy(true);
    platform.setBusy(false);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform.setBusy(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // A pointer set by someone else survives an extra setBusy(false).
    QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    platform.setBusy(false);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    QGuiApplication::restoreOverrideCursor();
}

TEST(BusyPointer, EndingThePlatformTakesItsHourglassOff) {
    {
        QtPlatform platform;
        platform.setBusy(true);
        platform.setBusy(true);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Help, ShowHelpOpensOneNonModalHelpWindow) {
    QtPlatform platform;
    const std::string file = VANTLE_HELP_SOURCE;
    platform.showHelp(file);
    HelpWindow* first = platform.helpWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_GT(first->sectionCount(), 0);
    platform.showHelp(file);
    EXPECT_EQ(platform.helpWindow(), first);
    int helpWindows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        helpWindows += widget->isVisible() && widget->objectName() == QStringLiteral("HelpWindow") ? 1 : 0;
    EXPECT_EQ(helpWindows, 1);
    // Closing the help window does not keep the program alive nor end it.
    EXPECT_FALSE(first->testAttribute(Qt::WA_QuitOnClose));
}

TEST(Help, MissingHelpFileIsReportedByTheHelpWindow) {
    QtPlatform platform;
    platform.showHelp("/nonexistent/vantle-help.html");
    ASSERT_NE(platform.helpWindow(), nullptr);
    const auto* browser = platform.helpWindow()->findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
    EXPECT_EQ(browser->toPlainText(),
              u8("ヘルプファイル「/nonexistent/vantle-help.html」が見つかりません。"));
    // Once the file is there, asking again shows it.
    platform.showHelp(VANTLE_HELP_SOURCE);
    EXPECT_GT(platform.helpWindow()->sectionCount(), 0);
}

TEST(Translations, QtDialogsSpeakJapanese) {
    ASSERT_TRUE(installJapaneseTranslations(*QCoreApplication::instance()));
    // Texts of Qt's own file dialog and colour chooser.
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
    EXPECT_NE(QCoreApplication::translate("QColorDialog", "Select Color"), QStringLiteral("Select Color"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Open"), u8("開く"));
}

} // namespace
} // namespace vantle
