// Our icon and cursor reader against Qt's ICO plugin on files of other programs, and Qt's ICO plugin on
// the files our writer makes.

#include "model/ColourAnalysis.h"
#include "model/IconBytes.h"
#include "model/IconFileReader.h"
#include "model/IconFileWriter.h"
#include "model/Messages.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include <gtest/gtest.h>

#include <sstream>

namespace vantle::test {
namespace {

constexpr colourRGB T = kTestMarkers.transparent;
constexpr colourRGB I = kTestMarkers.inverted;

std::string fixture(std::string_view name) {
    return std::string(VANTLE_TEST_DATA) + "/" + std::string(name);
}

std::vector<QImage> readWithQt(const std::string& path) {
    QImageReader reader(QString::fromStdString(path), "ico");
    std::vector<QImage> images;
    const int count = reader.imageCount();
    for (int i = 0; i < count; ++i) {
        if (!reader.jumpToImage(i))
            break;
        images.push_back(reader.read());
    }
    return images;
}

std::string describe(int x, int y, QRgb qt, colourRGB ours) {
    std::ostringstream s;
    s << "pixel (" << x << "," << y << "): Qt ARGB " << hex(qt) << " alpha " << qAlpha(qt) << ", ours "
      << hex(static_cast<std::uint32_t>(ours));
    return s.str();
}

// The bit count of entry i of an icon file, 0 for a PNG entry.
int bitCountOfEntry(const Bytes& file, int i) {
    const std::size_t data = le32(file, 6 + 16 * static_cast<std::size_t>(i) + 12);
    if (file.at(data) == 0x89)
        return 0;
    return le16(file, data + 14);
}

// Empty when the pixels agree: where Qt's alpha is 0 ours is a marker (the transparent one unless
// invertedAllowed), where it is 255 ours is the same colour; Qt's partial alpha counts as a difference.
// Qt's plugin (6.4) does not apply the AND mask of 24-bit bitmaps: there every pixel is opaque and a
// masked pixel shows the colour stored under the mask, black for ours transparent, white for inverted.
std::string firstDifferenceFromQt(const IconImage& ours, const QImage& source, bool invertedAllowed,
                                  int bitCount) {
    if (source.isNull())
        return "Qt read no image";
    const QImage qt = source.convertToFormat(QImage::Format_ARGB32);
    if (qt.width() != ours.width || qt.height() != ours.height)
        return "size: Qt " + std::to_string(qt.width()) + "x" + std::to_string(qt.height()) + ", ours " +
               std::to_string(ours.width) + "x" + std::to_string(ours.height);
    const bool maskIgnored = bitCount == 24;
    for (int y = 0; y < qt.height(); ++y)
        for (int x = 0; x < qt.width(); ++x) {
            const QRgb p = qt.pixel(x, y);
            const colourRGB c = ours.pixels(x, y);
            const colourRGB qtColour = makeColour(qRed(p), qGreen(p), qBlue(p));
            const int alpha = qAlpha(p);
            bool same = false;
            if (maskIgnored)
                same = alpha == 255 && (c == T   ? qtColour == kBlack
                                        : c == I ? qtColour == kWhite
                                                 : qtColour == c);
            else if (alpha == 0)
                same = c == T || (invertedAllowed && c == I);
            else if (alpha == 255)
                same = c != T && c != I && qtColour == c;
            if (!same)
                return describe(x, y, p, c);
        }
    return {};
}

struct Fixture {
    const char* name;
    int ourImages;
    int qtImages;
    bool sizeMessage; // a 256 x 256 entry stops our reader after the images before it
};

const Fixture kFixtures[] = {
    {"im-2colour.ico", 1, 1, false},       {"im-16colour.ico", 1, 1, false},
    {"im-256colour.ico", 1, 1, false},     {"im-truecolour.ico", 1, 1, false},
    {"im-alpha.ico", 1, 1, false},         {"im-modern.ico", 2, 3, true},
    {"icotool-24bit.ico", 1, 1, false},    {"icotool-sizes.ico", 3, 3, false},
    {"icotool-png256.ico", 2, 3, true},    {"icotool-png32.ico", 2, 2, false},
    {"icotool-cursor.cur", 1, 1, false},   {"icotool-cursor16.cur", 1, 1, false},
    {"icotool-cursor48.cur", 1, 1, false},
};

TEST(QtIcoInterop, FixturesGiveTheSamePixelsAsQt) {
    for (const Fixture& f : kFixtures) {
        SCOPED_TRACE(f.name);
        RecordingMessages messages;
        ReadContext context{messages, kTestMarkers};
        IconDocument d = newDocument();
        const ReadOutcome outcome = readIconFile(d, fixture(f.name), context);
        ASSERT_NE(outcome, ReadOutcome::NotOpened) << "run tests/data/make-fixtures.sh";
        ASSERT_EQ(d.imageCount, f.ourImages);
        const std::vector<QImage> qt = readWithQt(fixture(f.name));
        ASSERT_EQ(static_cast<int>(qt.size()), f.qtImages);
        if (f.sizeMessage) {
            EXPECT_EQ(outcome, ReadOutcome::Partial);
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, text::kTooLarge);
            EXPECT_EQ(qt.back().width(), 256) << "Qt reads the large entry our reader skips";
        } else {
            EXPECT_EQ(outcome, ReadOutcome::Complete);
            EXPECT_TRUE(messages.shown.empty());
        }
        const Bytes bytes = readFileBytes(fixture(f.name));
        for (int i = 0; i < d.imageCount; ++i)
            EXPECT_EQ(firstDifferenceFromQt(d.images[static_cast<std::size_t>(i)],
                                            qt[static_cast<std::size_t>(i)], false,
                                            bitCountOfEntry(bytes, i)),
                      "")
                << "image " << i;
    }
}

TEST(QtIcoInterop, FixtureDepthsAndHotspots) {
    // Qt reports the directory field at offset 6 (the bit count of an icon, hotspot Y of a cursor) as
    // the original depth. The icons' planes and bit counts give no hotspot; the cursors' hotspots are
    // those given to icotool.
    struct Expected {
        const char* name;
        ColourDepth depth;
        int hotspotX;
        int hotspotY;
        int field6;
    };
    const Expected expected[] = {
        {"im-2colour.ico", 2, 0, 0, 1},        {"im-16colour.ico", 16, 0, 0, 4},
        {"im-256colour.ico", 256, 0, 0, 8},    {"im-truecolour.ico", 0, 0, 0, 32},
        {"icotool-24bit.ico", 0, 0, 0, 24},    {"icotool-cursor.cur", 2, 5, 9, 9},
        {"icotool-cursor16.cur", 16, 7, 3, 3}, {"icotool-cursor48.cur", 16, 47, 0, 0},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        RecordingMessages messages;
        ReadContext context{messages, kTestMarkers};
        IconDocument d = newDocument();
        readIconFile(d, fixture(e.name), context);
        ASSERT_EQ(d.imageCount, 1);
        EXPECT_EQ(d.images[0].depth, e.depth);
        EXPECT_EQ(d.images[0].hotspotX, e.hotspotX);
        EXPECT_EQ(d.images[0].hotspotY, e.hotspotY);
        const std::vector<QImage> qt = readWithQt(fixture(e.name));
        ASSERT_EQ(qt.size(), 1u);
        const QString field6 = qt[0].text("_q_icoOrigDepth");
        if (!field6.isEmpty()) {
            EXPECT_EQ(field6.toInt(), e.field6);
        }
    }
}

TEST(QtIcoInterop, MaskOfTheTwentyFourBitFixture) {
    // Qt cannot tell here (it shows 24-bit entries without their mask); the source picture is transparent
    // in columns 24..31 and opaque elsewhere.
    RecordingMessages messages;
    ReadContext context{messages, kTestMarkers};
    IconDocument d = newDocument();
    readIconFile(d, fixture("icotool-24bit.ico"), context);
    ASSERT_EQ(d.imageCount, 1);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const colourRGB c = d.images[0].pixels(x, y);
            if (x >= 24)
                ASSERT_EQ(c, T) << "pixel (" << x << "," << y << ")";
            else
                ASSERT_TRUE(c != T && c != I)
                    << "pixel (" << x << "," << y << "): " << hex(static_cast<std::uint32_t>(c));
        }
}

// A document with every size and depth our writer makes, with transparent and inverted pixels.
IconDocument writtenDocument() {
    IconDocument d = newDocument();
    addImage(
        d, 16, 16, [](int x, int y) { return x == y  ? T
                                             : x < 8 ? 0x0000FF
                                                     : kBlack; }, 2, 3);
    addImage(
        d, 16, 16, [](int x, int y) { return y == 0 ? I : makeColour(x % 4 * 80, y % 3 * 100, 40); }, 15, 15);
    addImage(
        d, 32, 32,
        [](int x, int y) { return (x + y) % 7 == 0 ? T
                                  : x == 3         ? I
                                                   : makeColour(x * 8, 0, y % 4 * 60); }, 31,
        0);
    addImage(
        d, 32, 32, [](int x, int y) { return x < 2   ? T
                                             : y < 2 ? I
                                                     : kWhite; }, 0, 31);
    addImage(
        d, 48, 48, [](int x, int y) { return x == 0    ? T
                                             : y == 47 ? I
                                                       : distinctColour(x, y); }, 24, 5);
    addImage(
        d, 48, 48, [](int x, int y) { return (x / 6 + y / 6) % 2 ? T : makeColour(x * 5, 0, 0) & 0xF0; }, 47,
        47);
    return d;
}

TEST(QtIcoInterop, QtReadsTheIconsAndCursorsWeWrite) {
    for (std::int16_t type : {1, 2}) {
        SCOPED_TRACE(type == 1 ? "icon" : "cursor");
        IconDocument d = writtenDocument();
        d.images[1].hotspotX = d.images[1].hotspotY = 0; // an icon entry then says planes and bit count
        TempDir dir;
        const std::string path = dir.file(type == 1 ? "w.ico" : "w.cur");
        ASSERT_TRUE(writeIconFile(d, path, type, kTestMarkers));
        const ColourDepth depths[] = {2, 16, 256, 2, 0, 16};
        for (int i = 0; i < 6; ++i)
            ASSERT_EQ(d.images[static_cast<std::size_t>(i)].depth, depths[i]) << "image " << i;
        const std::vector<QImage> qt = readWithQt(path);
        ASSERT_EQ(qt.size(), 6u);
        for (int i = 0; i < 6; ++i) {
            SCOPED_TRACE("image " + std::to_string(i));
            const IconImage& ours = d.images[static_cast<std::size_t>(i)];
            EXPECT_EQ(
                firstDifferenceFromQt(ours, qt[static_cast<std::size_t>(i)], true, ours.depth == 0 ? 24 : 8),
                "");
            const QString field6 = qt[static_cast<std::size_t>(i)].text("_q_icoOrigDepth");
            const bool planesAndBits = type == 1 && ours.hotspotX == 0 && ours.hotspotY == 0;
            if (!field6.isEmpty()) {
                EXPECT_EQ(field6.toInt(), planesAndBits ? bitCountOf(ours.depth) : ours.hotspotY)
                    << "the entry field at offset 6";
            }
        }
    }
}

TEST(QtIcoInterop, QtReadsOurFramesAsCursorResources) {
    IconDocument d = writtenDocument();
    TempDir dir;
    for (int i = 0; i < d.imageCount; ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        IconImage& image = d.images[static_cast<std::size_t>(i)];
        if (image.width == 48 && i == 4)
            continue; // frames hold at most 256 colours
        image.depth = depthFromCount(countColours(d, i, kTestMarkers));
        ByteWriter frame;
        writeCursorResource(frame, image, kTestMarkers);
        const std::string path = dir.file("frame" + std::to_string(i) + ".cur");
        ASSERT_TRUE(replaceFileContents(path, frame.bytes()));
        const std::vector<QImage> qt = readWithQt(path);
        ASSERT_EQ(qt.size(), 1u);
        EXPECT_EQ(firstDifferenceFromQt(image, qt[0], true, 8), "");
    }
}

} // namespace
} // namespace vantle::test
