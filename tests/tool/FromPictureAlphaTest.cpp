// vantle-tool from-picture --alpha: soft edges survive as partial alpha, each pixel the area average of the
// picture, sizes from 16 to 256 in one frame, and an animated GIF's frames and delays in both kinds.

#include "model/CursorFiles.h"
#include "model/ModelTestSupport.h"
#include "tool/ToolRun.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace vantle::test {
namespace {

// 100 x 100: a disc of radius 40 whose edge pixels are covered in part (a one-pixel antialiased rim), on
// transparency, its colour running red across and green down.
QImage softDisc() {
    QImage image(100, 100, QImage::Format_ARGB32);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            const double d = std::hypot(x + 0.5 - 50.0, y + 0.5 - 50.0);
            const auto a = static_cast<int>(std::lround(255.0 * std::clamp(40.5 - d, 0.0, 1.0)));
            image.setPixel(x, y, qRgba(x * 255 / 99, y * 255 / 99, 0x80, a));
        }
    return image;
}

// Alpha and premultiplied red, green, blue (0..255) of the box filter over the picture's rectangle
// [x0, x0 + w) x [y0, y0 + h) in fractional pixels.
std::array<double, 4> boxAverage(const QImage& picture, double x0, double y0, double w, double h) {
    std::array<double, 4> sum{};
    for (int y = static_cast<int>(y0); y < y0 + h; ++y)
        for (int x = static_cast<int>(x0); x < x0 + w; ++x) {
            const double weight = (std::min(x + 1.0, x0 + w) - std::max<double>(x, x0)) *
                                  (std::min(y + 1.0, y0 + h) - std::max<double>(y, y0));
            const QRgb p = picture.pixel(x, y);
            const double a = qAlpha(p);
            sum[0] += weight * a;
            sum[1] += weight * a * qRed(p) / 255.0;
            sum[2] += weight * a * qGreen(p) / 255.0;
            sum[3] += weight * a * qBlue(p) / 255.0;
        }
    for (double& s : sum)
        s /= w * h;
    return sum;
}

// `area` of the picture is expected in the rectangle `placed` of the image, each pixel within 2 of the box
// average (premultiplied), and the rest transparent. Returns how many pixels have partial alpha.
int expectAreaAverage(const CursorImage& image, const QImage& picture, QRect area, QRect placed) {
    int partial = 0;
    double worst = 0;
    std::string where;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.at(x, y);
            const double a = p >> 24;
            std::array<double, 4> want{};
            if (placed.contains(x, y)) {
                const double sx = static_cast<double>(area.width()) / placed.width();
                const double sy = static_cast<double>(area.height()) / placed.height();
                want = boxAverage(picture, area.x() + (x - placed.x()) * sx, area.y() + (y - placed.y()) * sy,
                                  sx, sy);
            }
            const std::array<double, 4> got{a, a * ((p >> 16) & 0xFF) / 255.0, a * ((p >> 8) & 0xFF) / 255.0,
                                            a * (p & 0xFF) / 255.0};
            for (std::size_t c = 0; c < 4; ++c)
                if (std::abs(got[c] - want[c]) > worst) {
                    worst = std::abs(got[c] - want[c]);
                    where = "pixel " + std::to_string(x) + "," + std::to_string(y) + " channel " +
                            std::to_string(c);
                }
            partial += a > 0 && a < 255 ? 1 : 0;
        }
    EXPECT_LE(worst, 2.0) << where;
    return partial;
}

TEST(FromPictureAlpha, ASoftDiscKeepsItsRimAndEveryPixelIsTheAreaAverage) {
    TempDir dir;
    const QImage disc = softDisc();
    const std::string png = dir.file("disc.png");
    ASSERT_TRUE(disc.save(QString::fromStdString(png)));
    const std::string out = dir.file("disc.ico");

    // The whole picture: 100 pixels onto 64. 61 rows of it: 39.04 rows of 64, put as the designed previews
    // put it between margins of (64 - 39) / 2 = 12 rows, so onto 40 rows.
    struct Case {
        std::vector<std::string> area;
        QRect source;
        QRect placed;
    };
    for (const Case& c : {Case{{}, {0, 0, 100, 100}, {0, 0, 64, 64}},
                          Case{{"--area", "0,20,100,61"}, {0, 20, 100, 61}, {0, 12, 64, 40}}}) {
        std::vector<std::string> args{"from-picture", png, out, "--alpha", "--size", "64"};
        args.insert(args.end(), c.area.begin(), c.area.end());
        const ToolRun run = runToolWith(args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        CursorReadReport report;
        const auto cursor = readCursorFile(out, report);
        ASSERT_TRUE(cursor.has_value());
        ASSERT_EQ(cursor->frames.size(), 1u);
        ASSERT_EQ(cursor->frames[0].images.size(), 1u);
        const CursorImage& image = cursor->frames[0].images[0];
        ASSERT_EQ(image.width, 64);
        ASSERT_EQ(image.height, 64);
        EXPECT_GT(expectAreaAverage(image, disc, c.source, c.placed), 100) << "the rim is soft";
    }
}

TEST(FromPictureAlpha, AnAnimatedGifKeepsFramesAndDelaysInEveryFrameSize) {
    TempDir dir;
    for (const bool alpha : {true, false}) {
        SCOPED_TRACE(alpha ? "--alpha" : "sampled");
        const std::string ani = dir.file("four.ani");
        std::vector<std::string> args{"from-picture", std::string(VANTLE_TEST_DATA) + "/pic-anim4.gif", ani,
                                      "--size", alpha ? "64,32,64" : "48,32"};
        if (alpha)
            args.push_back("--alpha");
        const ToolRun run = runToolWith(args);
        ASSERT_EQ(run.status, 0) << run.err;
        CursorReadReport report;
        const auto cursor = readCursorFile(ani, report);
        ASSERT_TRUE(cursor.has_value());
        EXPECT_TRUE(report.complete);
        ASSERT_EQ(cursor->frames.size(), 4u);
        ASSERT_EQ(cursor->steps.size(), 4u);
        const std::array<std::uint32_t, 4> colours{0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u};
        for (std::size_t f = 0; f < 4; ++f) {
            // 100, 200, 300, 400 ms are 6, 12, 18, 24 jiffies.
            EXPECT_EQ(cursor->steps[f].frame, static_cast<int>(f));
            EXPECT_EQ(cursor->steps[f].ticks, static_cast<std::int64_t>(6 * (f + 1)) * kTicksPerJiffy);
            const auto& images = cursor->frames[f].images;
            ASSERT_EQ(images.size(), 2u);
            EXPECT_EQ(images[0].width, 32);
            EXPECT_EQ(images[1].width, alpha ? 64 : 48);
            for (const CursorImage& image : images)
                EXPECT_EQ(image.at(image.width / 2, image.height / 2), colours[f]);
        }
    }
}

} // namespace
} // namespace vantle::test
