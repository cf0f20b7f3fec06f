#include "model/IconEntryFields.h"

namespace vantle {

EntryFields entryFieldsFor(int fileType, std::int16_t hotspotX, std::int16_t hotspotY, int bitCount) {
    if (fileType == 1 && hotspotX == 0 && hotspotY == 0)
        return {1, static_cast<std::int16_t>(bitCount)};
    return {hotspotX, hotspotY};
}

bool fieldsArePlanesAndBitCount(int fileType, EntryFields fields, int bitmapBitCount) {
    if (fileType != 1 || (fields.atOffset4 != 0 && fields.atOffset4 != 1))
        return false;
    const int bits = fields.atOffset6;
    if (bits == 0 || bits == 32)
        return true;
    if (bitmapBitCount == 0)
        return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24;
    return bits == bitmapBitCount;
}

} // namespace vantle
