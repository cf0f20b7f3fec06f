// The pictures are loaded from the resource (platform/qt/pictures); the pointers' hotspots are kept here.

#include "platform/qt/Artwork.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cassert>

namespace vantle {

namespace {

constexpr std::array<std::string_view, 13> kToolbarKeys = {
    "New", "Open", "Save", "Undo", "Redo", "TuOv", "Mono", "Gen", "Right", "Left", "UpDn", "RtLt", "Hani"};

QString picturePath(const QString& name) {
    return QStringLiteral(":/pictures/%1.png").arg(name);
}

QPixmap picker(const QString& name, bool selected) {
    return QPixmap(picturePath(name + (selected ? "-selected" : "")));
}

QCursor pointer(const QString& name, int hotspotX, int hotspotY) {
    return QCursor(QPixmap(picturePath("pointers/" + name)), hotspotX, hotspotY);
}

} // namespace

QIcon toolbarIcon(std::string_view key) {
    if (std::find(kToolbarKeys.begin(), kToolbarKeys.end(), key) == kToolbarKeys.end())
        return {};
    const QString name = "toolbar/" + QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
    QIcon icon;
    for (int size : {kToolbarIconSize, 24})
        icon.addFile(picturePath(QStringLiteral("%1-%2").arg(name).arg(size)), QSize(size, size));
    return icon;
}

QPixmap toolPicker(int tool, bool selected) {
    assert(tool >= 0 && tool < kPickerToolCount);
    if (tool < 0 || tool >= kPickerToolCount)
        return {};
    return picker(QStringLiteral("pickers/tool%1").arg(tool), selected);
}

QPixmap lineSizePicker(int size, bool selected) {
    assert(size >= 0 && size < kPickerLineSizeCount);
    if (size < 0 || size >= kPickerLineSizeCount)
        return {};
    return picker(QStringLiteral("pickers/line%1").arg(size), selected);
}

QCursor toolPointer(int tool) {
    assert(tool >= 0 && tool < kPickerToolCount);
    tool = std::clamp(tool, 0, kPickerToolCount - 1);
    // The pencil, the flood fill and the colour pick act at the tip of their drawing in the lower left
    // corner; the other tools at the centre of a cross.
    if (tool == 0 || tool == 8 || tool == 9)
        return pointer(QStringLiteral("tool%1").arg(tool), 1, 30);
    return pointer(QStringLiteral("tool%1").arg(tool), 7, 7);
}

QCursor hotspotPointer() {
    return pointer("hotspot", 15, 15);
}

QCursor rangePointer() {
    return pointer("range", 7, 7);
}

QCursor movePointer() {
    return pointer("move", 16, 16);
}

QCursor pictureAreaPointer() {
    return pointer("picture-area", 15, 15);
}

} // namespace vantle
