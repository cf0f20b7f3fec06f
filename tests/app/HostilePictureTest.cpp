// Pictures that claim huge sizes, hold nothing or break off, taken in through the window: each is refused
// with its message and the document stays as it was.

#include "app/WindowText.h"
#include "support/HostilePictures.h"
#include "support/WindowFixture.h"

#include <QFile>

namespace vantle::test {
namespace {

void writeBytes(const std::string& p, const Bytes& bytes) {
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEST_F(WindowTest, HostilePicturesAreRefusedAndTheDocumentStaysAsItWas) {
    const std::string icon = writeIcon("keep.ico", {{16, 0x0000FF}, {48, 0x00FF00}});
    openFile(icon);
    ASSERT_EQ(document->imageCount, 2);
    const IconImage first = image(0);
    const IconImage second = image(1);

    QFile::copy(QString::fromUtf8(VANTLE_TEST_DATA) + "/pic-24bit.bmp",
                QString::fromStdString(path("cut.bmp")));
    {
        QFile cut(QString::fromStdString(path("cut.bmp")));
        ASSERT_TRUE(cut.open(QIODevice::ReadWrite));
        cut.resize(54);
    }
    writeBytes(path("huge.bmp"), bmpClaiming(16385, 1));
    writeBytes(path("huge.png"), pngClaiming(16385, 2)); // a header and nothing more: unreadable
    // Qt gives no size for this header at all: refused as unreadable.
    writeBytes(path("huge.gif"), gifClaiming(65535, 65535));
    writeBytes(path("zero.bmp"), bmpClaiming(0, 16));
    writeBytes(path("empty.jpg"), {});
    const std::vector<std::pair<std::string, std::string>> cases{
        {"huge.bmp", std::string(ui::kPictureTooLarge)},
        {"huge.png", "画像が読み込めません"},
        {"huge.gif", "画像が読み込めません"},
        {"zero.bmp", "画像が読み込めません"},
        {"empty.jpg", "画像が読み込めません"},
        {"cut.bmp", "画像が読み込めません"},
    };
    for (const auto& [name, message] : cases) {
        SCOPED_TRACE(name);
        platform.messages.clear();
        platform.openAnswers.push_back(path(name));
        list().cmdImgApd_Click();
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, message);
        EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(document->imageCount, 2);
        EXPECT_FALSE(window->state().pictureLoaded);
        EXPECT_EQ(image(0).pixels, first.pixels);
        EXPECT_EQ(image(1).pixels, second.pixels);
        EXPECT_EQ(image(1).width, second.width);
    }
    EXPECT_EQ(std::string(ui::kPictureTooLarge).find("画像が大きすぎる"), 0u);

    // Through the picture dialog: the blank document of the command, and the message.
    platform.messages.clear();
    platform.messageAnswers.push_back(MessageAnswer::No);
    platform.pictureDialogAnswers.push_back(path("huge.bmp"));
    window->M_F_JOpen_Click();
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].text, ui::kPictureTooLarge);
    EXPECT_EQ(document->imageCount, 1);
    EXPECT_FALSE(window->state().pictureLoaded);
    EXPECT_NE(window->selectedTab(), 3);
}

} // namespace
} // namespace vantle::test
