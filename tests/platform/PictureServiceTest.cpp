// Decoding pictures through Qt: the committed fixtures, the frames and delays of an animated GIF, and
// hostile files refused before anything large is decoded.

#include "platform/qt/QtPictureService.h"
#include "support/HostilePictures.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace vantle {
namespace {

using test::Bytes;

Bytes fileBytes(const char* name) {
    QFile file(QString::fromUtf8(VANTLE_TEST_DATA) + "/" + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    const QByteArray data = file.readAll();
    return Bytes(data.begin(), data.end());
}

TEST(PictureService, EveryFixtureDecodesToThePixelsQtReads) {
    QtPictureService pictures;
    for (const char* name : {"pic-1bit.bmp", "pic-4bit.bmp", "pic-8bit.bmp", "pic-24bit.bmp", "pic-32bit.bmp",
                             "pic.jpg", "pic-still.gif", "pic-anim.gif", "pic-alpha.png"}) {
        SCOPED_TRACE(name);
        const auto picture = pictures.loadPictureFile(std::string(VANTLE_TEST_DATA) + "/" + name);
        ASSERT_TRUE(picture.has_value());
        const QImage qt =
            QImage(QString::fromUtf8(VANTLE_TEST_DATA) + "/" + name).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(picture->width, qt.width());
        ASSERT_EQ(picture->height, qt.height());
        for (int y = 0; y < qt.height(); ++y)
            for (int x = 0; x < qt.width(); ++x)
                ASSERT_EQ(picture->at(x, y), qt.pixel(x, y)) << x << "," << y;
        const Bytes bytes = fileBytes(name);
        EXPECT_EQ(pictures.decodePicture(bytes)->argb, picture->argb);
    }
    EXPECT_EQ(pictures.loadPictureFile(std::string(VANTLE_TEST_DATA) + "/pic-1bit.bmp")->at(0, 0),
              0xFFFFFFFFu);
    const auto alpha = pictures.loadPictureFile(std::string(VANTLE_TEST_DATA) + "/pic-alpha.png");
    EXPECT_EQ(alpha->at(29, 29) >> 24, 0u);
    EXPECT_EQ(alpha->at(15, 15), 0xFF0080FFu);
}

TEST(PictureService, AnAnimatedGifGivesEveryFrameWithItsDelay) {
    QtPictureService pictures;
    const auto animation = pictures.loadAnimationFile(std::string(VANTLE_TEST_DATA) + "/pic-anim.gif");
    ASSERT_TRUE(animation.has_value());
    ASSERT_EQ(animation->frames.size(), 3u);
    EXPECT_EQ(animation->delaysMs, (std::vector<int>{100, 250, 70}));
    EXPECT_EQ(animation->frames[0].at(5, 5), 0xFFFF0000u);
    EXPECT_EQ(animation->frames[1].at(5, 5), 0xFF00FF00u);
    EXPECT_EQ(animation->frames[2].at(31, 31), 0xFF0000FFu);
    EXPECT_EQ(animation->frames[2].width, 32);

    const auto still = pictures.loadAnimationFile(std::string(VANTLE_TEST_DATA) + "/pic-24bit.bmp");
    ASSERT_TRUE(still.has_value());
    ASSERT_EQ(still->frames.size(), 1u);
    EXPECT_EQ(still->frames[0].width, 40);
    const auto fromBytes = pictures.decodeAnimation(fileBytes("pic-anim.gif"));
    ASSERT_TRUE(fromBytes.has_value());
    EXPECT_EQ(fromBytes->frames.size(), 3u);
}

TEST(PictureService, HugeDeclaredSizesAreRefusedBeforeDecoding) {
    QtPictureService pictures;
    struct Case {
        const char* what;
        Bytes bytes;
    };
    const std::vector<Case> cases{
        {"BMP 100000 x 100000", test::bmpClaiming(100000, 100000)},
        {"BMP 16385 x 1", test::bmpClaiming(16385, 1)},
        {"BMP 1 x 16385", test::bmpClaiming(1, 16385)},
        {"PNG 100000 x 100000", test::pngClaiming(100000, 100000)},
        {"PNG 16385 x 2", test::pngClaiming(16385, 2)},
        {"GIF 65535 x 65535", test::gifClaiming(65535, 65535)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Qt gives no size at all for some headers past its own limits; those are refused as unreadable.
        const bool qtSizes = std::string(c.what).find("BMP 1638") != std::string::npos;
        EXPECT_FALSE(pictures.decodePicture(c.bytes).has_value());
        if (qtSizes) {
            EXPECT_EQ(pictures.lastProblem(), PictureProblem::TooLarge);
        }
        EXPECT_FALSE(pictures.decodeAnimation(c.bytes).has_value());
        if (qtSizes) {
            EXPECT_EQ(pictures.lastProblem(), PictureProblem::TooLarge);
        }
    }
    // The limit itself is allowed: 16384 pixels on a side.
    const auto wide = pictures.decodePicture(test::bmpClaiming(16384, 1, 16384 * 3));
    ASSERT_TRUE(wide.has_value());
    EXPECT_EQ(wide->width, 16384);
}

TEST(PictureService, TruncatedZeroSizedAndDamagedPicturesGiveNothing) {
    QtPictureService pictures;
    const Bytes bmp = fileBytes("pic-24bit.bmp");
    const Bytes png = fileBytes("pic-alpha.png");
    const Bytes gif = fileBytes("pic-still.gif");
    const Bytes jpg = fileBytes("pic.jpg");
    std::vector<std::pair<std::string, Bytes>> cases{
        {"empty", {}},
        {"BMP 0 x 10", test::bmpClaiming(0, 10)},
        {"BMP 10 x 0", test::bmpClaiming(10, 0)},
        {"PNG 0 x 0", test::pngClaiming(0, 0)},
        {"BMP header only", Bytes(bmp.begin(), bmp.begin() + 54)},
        {"PNG signature and IHDR only", test::pngClaiming(30, 30)},
        {"PNG cut in its data", Bytes(png.begin(), png.begin() + static_cast<long>(png.size() / 2))},
        {"GIF header only", Bytes(gif.begin(), gif.begin() + 13)},
        {"JPEG header only", Bytes(jpg.begin(), jpg.begin() + 20)},
        {"text", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'}},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(pictures.decodePicture(bytes).has_value());
        EXPECT_EQ(pictures.lastProblem(), PictureProblem::Unreadable);
        EXPECT_FALSE(pictures.decodeAnimation(bytes).has_value());
    }
    EXPECT_FALSE(pictures.loadPictureFile("/no/such/picture.bmp").has_value());
    EXPECT_EQ(pictures.lastProblem(), PictureProblem::Unreadable);
}

TEST(PictureService, AnAnimationOfTooManyFramesIsRefused) {
    QtPictureService pictures;
    const auto allowed = pictures.decodeAnimation(test::gifClaiming(1, 1, kMaxAnimationFrames));
    ASSERT_TRUE(allowed.has_value());
    EXPECT_EQ(allowed->frames.size(), static_cast<std::size_t>(kMaxAnimationFrames));
    EXPECT_EQ(allowed->delaysMs.front(), 20);
    EXPECT_FALSE(pictures.decodeAnimation(test::gifClaiming(1, 1, kMaxAnimationFrames + 1)).has_value());
    EXPECT_EQ(pictures.lastProblem(), PictureProblem::TooManyFrames);
    // As a still picture it is only its first frame.
    EXPECT_TRUE(pictures.decodePicture(test::gifClaiming(1, 1, kMaxAnimationFrames + 1)).has_value());
}

} // namespace
} // namespace vantle
