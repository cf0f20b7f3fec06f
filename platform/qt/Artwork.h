#pragma once
// The program's own pictures, kept as PNG files in the resource under :/pictures: toolbar icons, the tool
// and line-size pickers and the pointers of the edit canvas.

#include <QCursor>
#include <QIcon>
#include <QPixmap>

#include <string_view>

namespace vantle {

inline constexpr int kPickerToolCount = 10;    // pencil .. colour pick, in the order of the tool box
inline constexpr int kPickerLineSizeCount = 3; // line sizes 0..2
inline constexpr int kToolbarIconSize = 16;    // also drawn at 24 x 24

// The icon of a toolbar button by its key (New, Open, Save, Undo, Redo, TuOv, Mono, Gen, Right, Left,
// UpDn, RtLt, Hani), at 16 x 16 and 24 x 24; QIcon makes the disabled look. A null icon for any other
// key.
QIcon toolbarIcon(std::string_view key);

// The picker image of a tool (0..9): the selected form looks pressed in, the other raised.
QPixmap toolPicker(int tool, bool selected);
// The picker image of a line size (0..2), drawn as a line one, two or three units thick.
QPixmap lineSizePicker(int size, bool selected);

// Pointers over the edit canvas: one per tool, the hotspot-click pointer, the range pointer and the
// pointer over a floating piece; and the cross over the picture of the picture panel.
QCursor toolPointer(int tool);
QCursor hotspotPointer();
QCursor rangePointer();
QCursor movePointer();
QCursor pictureAreaPointer();

} // namespace vantle
