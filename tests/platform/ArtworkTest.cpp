// The pictures: every toolbar key, tool, line size and pointer has its own picture, pickers differ when
// selected, disabled icons look different, and pointer hotspots sit on the drawing. The whole set is
// also painted into one sheet (/tmp/vantle-artwork.png) for looking at.

#include "platform/qt/Artwork.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string_view>
#include <vector>

namespace vantle {
namespace {

constexpr std::array<std::string_view, 13> kKeys = {"New", "Open",  "Save", "Undo", "Redo", "TuOv", "Mono",
                                                    "Gen", "Right", "Left", "UpDn", "RtLt", "Hani"};

QImage imageOf(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}
QImage iconImage(const QIcon& icon, int size, QIcon::Mode mode = QIcon::Normal) {
    return imageOf(icon.pixmap(QSize(size, size), mode));
}
QImage pointerImage(const QCursor& cursor) {
    return imageOf(cursor.pixmap());
}

int opaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) >= 128 ? 1 : 0;
    return count;
}

int colourCount(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

// Reports the first pair of pictures that are the same.
void expectAllDistinct(const std::vector<QImage>& images, const char* what) {
    for (std::size_t a = 0; a < images.size(); ++a)
        for (std::size_t b = a + 1; b < images.size(); ++b)
            EXPECT_NE(images[a], images[b]) << what << " " << a << " and " << b << " look the same";
}

TEST(Artwork, EveryToolbarKeyHasADistinctIconAtBothSizes) {
    for (int size : {16, 24}) {
        std::vector<QImage> images;
        for (std::string_view key : kKeys) {
            const QIcon icon = toolbarIcon(key);
            ASSERT_FALSE(icon.isNull()) << key;
            const QImage image = iconImage(icon, size);
            EXPECT_EQ(image.size(), QSize(size, size)) << key;
            EXPECT_GT(opaquePixels(image), size * size / 8) << key << " is nearly empty";
            images.push_back(image);
        }
        expectAllDistinct(images, "toolbar icons");
    }
}

TEST(Artwork, DisabledToolbarIconsAreGreyedAndLighter) {
    for (std::string_view key : kKeys) {
        const QIcon icon = toolbarIcon(key);
        const QImage normal = iconImage(icon, 16);
        const QImage disabled = iconImage(icon, 16, QIcon::Disabled);
        ASSERT_EQ(disabled.size(), normal.size()) << key;
        EXPECT_NE(disabled, normal) << key;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QRgb pixel = disabled.pixel(x, y);
                if (qAlpha(pixel) == 0)
                    continue;
                ASSERT_TRUE(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel))
                    << key << " disabled pixel (" << x << ", " << y << ") is not grey";
                // Compared as shown over black, so that faint edge pixels count for what they show; the
                // greying may take one off a near-white pixel.
                ASSERT_GE(qGray(qPremultiply(pixel)) + 1, qGray(qPremultiply(normal.pixel(x, y))))
                    << key << " disabled pixel (" << x << ", " << y << ") is not lighter";
            }
    }
}

TEST(Artwork, UnknownToolbarKeyHasNoIcon) {
    EXPECT_TRUE(toolbarIcon("ph1").isNull());
    EXPECT_TRUE(toolbarIcon("new").isNull());
    EXPECT_TRUE(toolbarIcon("").isNull());
}

TEST(Artwork, ToolPickersAreDistinctAndDifferWhenSelected) {
    std::vector<QImage> plain;
    std::vector<QImage> selected;
    for (int tool = 0; tool < kPickerToolCount; ++tool) {
        plain.push_back(imageOf(toolPicker(tool, false)));
        selected.push_back(imageOf(toolPicker(tool, true)));
        EXPECT_EQ(plain.back().size(), QSize(24, 24)) << tool;
        EXPECT_EQ(selected.back().size(), plain.back().size()) << tool;
        EXPECT_NE(plain.back(), selected.back()) << "tool " << tool;
    }
    expectAllDistinct(plain, "tool pickers");
    expectAllDistinct(selected, "selected tool pickers");
}

TEST(Artwork, LineSizePickersAreDistinctAndThicker) {
    std::vector<QImage> plain;
    int lastInk = 0;
    for (int size = 0; size < kPickerLineSizeCount; ++size) {
        const QImage image = imageOf(lineSizePicker(size, false));
        EXPECT_NE(image, imageOf(lineSizePicker(size, true))) << "size " << size;
        int ink = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ink += qGray(image.pixel(x, y)) < 64 ? 1 : 0;
        EXPECT_GT(ink, lastInk) << "size " << size << " is not thicker than the one before";
        lastInk = ink;
        plain.push_back(image);
    }
    expectAllDistinct(plain, "line-size pickers");
}

struct PointerCase {
    const char* name;
    QCursor cursor;
    QPoint hotspot;
};

std::vector<PointerCase> allPointers() {
    std::vector<PointerCase> pointers;
    const std::array<QPoint, kPickerToolCount> toolHotspots = {
        QPoint(1, 30), QPoint(7, 7), QPoint(7, 7), QPoint(7, 7),  QPoint(7, 7),
        QPoint(7, 7),  QPoint(7, 7), QPoint(7, 7), QPoint(1, 30), QPoint(1, 30)};
    const char* toolNames[kPickerToolCount] = {
        "pencil",         "line",       "rectangle",     "filled rectangle", "ellipse",
        "filled ellipse", "rect check", "ellipse check", "flood fill",       "colour pick"};
    for (int tool = 0; tool < kPickerToolCount; ++tool)
        pointers.push_back(
            {toolNames[tool], toolPointer(tool), toolHotspots[static_cast<std::size_t>(tool)]});
    pointers.push_back({"hotspot", hotspotPointer(), QPoint(15, 15)});
    pointers.push_back({"range", rangePointer(), QPoint(7, 7)});
    pointers.push_back({"move", movePointer(), QPoint(16, 16)});
    return pointers;
}

TEST(Artwork, PointersAreDistinctWithTheirHotspotOnTheDrawing) {
    std::vector<QImage> images;
    for (const PointerCase& pointer : allPointers()) {
        const QImage image = pointerImage(pointer.cursor);
        EXPECT_EQ(image.size(), QSize(32, 32)) << pointer.name;
        EXPECT_EQ(pointer.cursor.hotSpot(), pointer.hotspot) << pointer.name;
        // The pixel that acts must be drawn (or touch the drawing), not empty space.
        int solidAround = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QPoint at = pointer.cursor.hotSpot() + QPoint(dx, dy);
                if (image.rect().contains(at) && qAlpha(image.pixel(at)) >= 128 &&
                    qGray(image.pixel(at)) < 200)
                    ++solidAround;
            }
        EXPECT_GT(solidAround, 0) << pointer.name << ": nothing dark at the hotspot";
        images.push_back(image);
    }
    expectAllDistinct(images, "pointers");
}

// One sheet with everything, for the eye: toolbar icons (normal, disabled, 24 px), pickers, pointers.
// Every picture placed on it must be there and show something.
TEST(Artwork, SheetOfAllDrawingsShowsEveryPicture) {
    constexpr int cell = 40;
    QImage sheet(cell * 14, cell * 8, QImage::Format_ARGB32);
    sheet.fill(QColor(0xF0, 0xF0, 0xF0));
    QPainter p(&sheet);
    auto place = [&](int column, int row, const QImage& image,
                     const QColor& background = QColor(0xF0, 0xF0, 0xF0)) {
        const QRect box(column * cell, row * cell, cell, cell);
        // A missing picture is null; a blank one has nothing opaque or one colour all over.
        EXPECT_GT(opaquePixels(image), 0) << "row " << row << ", column " << column << " is missing or empty";
        EXPECT_GT(colourCount(image), 1) << "row " << row << ", column " << column << " is blank";
        p.fillRect(box.adjusted(2, 2, -2, -2), background);
        p.drawImage(box.center() - QPoint(image.width() / 2, image.height() / 2) + QPoint(1, 1), image);
    };
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        const int column = static_cast<int>(i);
        place(column, 0, iconImage(toolbarIcon(kKeys[i]), 16));
        place(column, 1, iconImage(toolbarIcon(kKeys[i]), 16, QIcon::Disabled));
        place(column, 2, iconImage(toolbarIcon(kKeys[i]), 24));
    }
    for (int tool = 0; tool < kPickerToolCount; ++tool) {
        place(tool, 3, imageOf(toolPicker(tool, false)));
        place(tool, 4, imageOf(toolPicker(tool, true)));
    }
    for (int size = 0; size < kPickerLineSizeCount; ++size) {
        place(10 + size, 3, imageOf(lineSizePicker(size, false)));
        place(10 + size, 4, imageOf(lineSizePicker(size, true)));
    }
    const auto pointers = allPointers();
    for (std::size_t i = 0; i < pointers.size(); ++i) {
        const int column = static_cast<int>(i);
        const QImage image = pointerImage(pointers[i].cursor);
        place(column, 5, image, QColor(0xFF, 0xFF, 0xFF));
        place(column, 6, image, QColor(0x30, 0x30, 0x60));
        // The hotspot, marked in red on a copy.
        QImage marked = image;
        marked.setPixel(pointers[i].cursor.hotSpot(), qRgb(255, 0, 0));
        place(column, 7, marked, QColor(0xC0, 0xE0, 0xC0));
    }
    place(13, 5, pointerImage(pictureAreaPointer()), QColor(0xFF, 0xFF, 0xFF));
    p.end();
    const QString path = QStringLiteral("/tmp/vantle-artwork.png");
    ASSERT_TRUE(sheet.save(path)) << path.toStdString();
    // Enlarged, pixel for pixel, to judge the small drawings.
    const QImage enlarged = sheet.scaled(sheet.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    ASSERT_TRUE(enlarged.save(QStringLiteral("/tmp/vantle-artwork-x3.png")));
}

} // namespace
} // namespace vantle
