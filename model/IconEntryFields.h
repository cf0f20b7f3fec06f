#pragma once
// The two 16-bit fields at offsets 4 and 6 of an icon or cursor directory entry. A cursor keeps its
// hotspot there. Other programs put the plane count and the bit count there in icon files, and their
// readers trust that bit count; we keep a hotspot there in an icon file only when the user set one.

#include <cstdint>

namespace vantle {

struct EntryFields {
    std::int16_t atOffset4 = 0;
    std::int16_t atOffset6 = 0;
};

// What the writer puts there: in an icon file (type 1) an image without hotspot, (0, 0), gets plane count
// 1 and the bit count of its data; any other hotspot, and every hotspot in a cursor file, is written as
// it is.
EntryFields entryFieldsFor(int fileType, std::int16_t hotspotX, std::int16_t hotspotY, int bitCount);

// Whether the reader takes the fields of an icon file's entry as plane and bit count rather than as a
// hotspot: plane count 0 or 1 together with a bit count of 0, 32 or that of the entry's bitmap header
// (any valid bit count for a PNG entry, bitmapBitCount 0). Cursor files always hold a hotspot.
bool fieldsArePlanesAndBitCount(int fileType, EntryFields fields, int bitmapBitCount);

} // namespace vantle
