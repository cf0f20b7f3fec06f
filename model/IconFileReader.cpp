#include "model/IconFileReader.h"

#include "model/ColourAnalysis.h"
#include "model/DibBitmap.h"
#include "model/IconDirectory.h"
#include "model/IconEntryFields.h"
#include "model/Messages.h"
#include "model/PngCodec.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace vantle {

namespace {

enum class EntryResult { Added, TooLarge, Damaged, CutShort };

bool tooLarge(int width, int height) {
    return width > kImageGrid || height > kImageGrid;
}

// Alpha between none and full: the document keeps on/off transparency only, so such an edge is lost.
bool softAlpha(int alpha) {
    return alpha > 0 && alpha < 255;
}

// The hotspot an entry gives its image: none when an icon file's entry holds planes and bit count there.
void takeHotspot(IconImage& image, const IconDirEntry& entry, int fileType, int bitmapBitCount) {
    const bool planesAndBits =
        fieldsArePlanesAndBitCount(fileType, {entry.field4, entry.field6}, bitmapBitCount);
    image.hotspotX = planesAndBits ? std::int16_t{0} : entry.field4;
    image.hotspotY = planesAndBits ? std::int16_t{0} : entry.field6;
}

EntryResult readPngEntry(IconDocument& document, ByteReader& r, const IconDirEntry& entry, int fileType,
                         ReadContext& context) {
    if (entry.bytesInResource > r.remaining())
        return EntryResult::CutShort;
    const std::span<const std::uint8_t> bytes = r.peek(entry.bytesInResource);
    r.seek(r.position() + bytes.size());
    const auto declared = pngDeclaredSize(bytes);
    if (declared && (declared->width > static_cast<std::uint32_t>(kImageGrid) ||
                     declared->height > static_cast<std::uint32_t>(kImageGrid)))
        return EntryResult::TooLarge;
    const std::optional<PngPixels> picture = decodePng(bytes, kImageGrid);
    if (!picture)
        return EntryResult::Damaged;
    IconImage& image = document.images[static_cast<std::size_t>(document.imageCount)];
    image.width = static_cast<std::int16_t>(picture->width);
    image.height = static_cast<std::int16_t>(picture->height);
    takeHotspot(image, entry, fileType, 0);
    bool alphaCut = false;
    for (int y = 0; y < picture->height; ++y) {
        for (int x = 0; x < picture->width; ++x) {
            const std::uint32_t argb = picture->argb[static_cast<std::size_t>(y) * picture->width + x];
            alphaCut = alphaCut || softAlpha(static_cast<int>(argb >> 24));
            image.pixels(x, y) = colourOfPixel(argb, context.markers);
        }
    }
    context.report.imagesAlphaCut += alphaCut ? 1 : 0;
    image.depth = depthFromCount(countImageColours(image, context.markers).count);
    ++document.imageCount;
    return EntryResult::Added;
}

// A bitmap entry as the document keeps it: the directory's size, palette colours, and the marker
// colours for masked pixels (black under the mask is transparent, any other colour inverts the screen).
EntryResult readBitmapEntry(IconDocument& document, ByteReader& r, const IconDirEntry& entry, int fileType,
                            ReadContext& context) {
    const DibBitmap b = readDibBitmap(r, entry.width, entry.height);
    if (!b.usable())
        return EntryResult::CutShort;
    const int width = entry.width;
    const int height = entry.height;
    IconImage& image = document.images[static_cast<std::size_t>(document.imageCount)];
    image.width = static_cast<std::int16_t>(width);
    image.height = static_cast<std::int16_t>(height);
    takeHotspot(image, entry, fileType, b.bitCount);
    image.depth = depthOfBitCount(b.bitCount);
    for (std::size_t k = 0; k < b.palette.size(); ++k)
        image.palette[k] = b.palette[k];
    document.paletteLength = static_cast<std::int16_t>(b.palette.size());

    // Grid cells beyond the width that the file's rows cover hold no image. They start black, so that
    // what the file says there (colour bits where a row has them, then the mask) decides them alone and
    // a file written from them again carries the same bits.
    const int covered = std::min(kImageGrid, b.maskColumns);
    image.pixels.cover(covered, height);
    for (int y = 0; y < height; ++y)
        for (int x = width; x < covered; ++x)
            image.pixels(x, y) = kBlack;
    // Inside the image a colour equal to a marker value is an opaque pixel still; the cells beyond keep
    // their bits.
    const int colourColumns = std::min(kImageGrid, b.colourColumns);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < colourColumns; ++x)
            image.pixels(x, y) =
                x < width ? opaqueColour(b.colourAt(x, y), context.markers) : b.colourAt(x, y);
    // With an alpha channel the alpha decides inside the image; the mask still fills the cells beyond it.
    if (b.anyAlpha) {
        bool alphaCut = false;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                alphaCut = alphaCut || softAlpha(b.alphaAt(x, y));
                if (b.alphaAt(x, y) < 128)
                    image.pixels(x, y) = context.markers.transparent;
            }
        }
        context.report.imagesAlphaCut += alphaCut ? 1 : 0;
    }
    for (int y = 0; y < height; ++y) {
        for (int x = b.anyAlpha ? width : 0; x < covered; ++x) {
            if (!b.maskedAt(x, y))
                continue;
            colourRGB& p = image.pixels(x, y);
            p = p == kBlack ? context.markers.transparent : context.markers.inverted;
        }
    }
    ++document.imageCount;
    return EntryResult::Added;
}

// Reads the entry whose data begin at `at` (counted from `start`, the resource's first byte) into the next
// slot; the document has room for it.
EntryResult readEntry(IconDocument& document, ByteReader& r, std::size_t start, std::size_t at,
                      const IconDirEntry& entry, int fileType, ReadContext& context) {
    if (tooLarge(entry.width, entry.height))
        return EntryResult::TooLarge;
    r.seek(start + at);
    return isPngData(r.peek(8)) ? readPngEntry(document, r, entry, fileType, context)
                                : readBitmapEntry(document, r, entry, fileType, context);
}

void count(ReadReport& report, EntryResult result) {
    switch (result) {
    case EntryResult::Added:
        break;
    case EntryResult::TooLarge:
        ++report.entriesTooLarge;
        break;
    case EntryResult::Damaged:
        ++report.entriesDamaged;
        break;
    case EntryResult::CutShort:
        report.cutShort = true;
        break;
    }
}

// The colour depth an entry's data declare, for choosing among the sizes of a frame: the bitmap's bit
// count, 32 for a PNG image.
int bitCountOf(std::span<const std::uint8_t> data) {
    if (isPngData(data))
        return 32;
    return data.size() >= 16 ? data[14] | (data[15] << 8) : 0;
}

} // namespace

ReadOutcome reportReadProblems(ReadContext& context) {
    const ReadReport& report = context.report;
    if (report.entriesTooLarge > 0)
        context.messages.showMessage(text::kTooLarge, MessageButtons::Ok, MessageIcon::Error);
    if (report.entriesDamaged > 0)
        context.messages.showMessage(text::kEntryDamaged, MessageButtons::Ok, MessageIcon::Error);
    if (report.cutShort)
        context.messages.showMessage(text::kCutShort, MessageButtons::Ok, MessageIcon::Error);
    return report.readInPart() ? ReadOutcome::Partial : ReadOutcome::Complete;
}

ReadOutcome readIconResource(IconDocument& document, ByteReader& r, ReadContext& context) {
    context.report = {};
    const std::size_t start = r.position();
    const std::size_t resourceSize = r.size() > start ? r.size() - start : 0;
    const IconDirectory directory = readIconDirectory(r);
    if (directory.cutShort())
        context.report.cutShort = true;
    std::size_t following = r.position() - start;
    for (const IconDirEntry& entry : directory.entries) {
        if (!document.growForImage(document.imageCount)) {
            context.messages.showMessage(text::kTooManyImages, MessageButtons::Ok, MessageIcon::Error);
            return ReadOutcome::Stopped;
        }
        const std::size_t at = entryDataStart(entry, directory, following, resourceSize);
        const EntryResult result = readEntry(document, r, start, at, entry, directory.type, context);
        count(context.report, result);
        // A skipped entry is passed by the size its directory entry gives.
        following =
            result == EntryResult::Added ? r.position() - start : entryDataEnd(entry, at, resourceSize);
    }
    r.seek(start + following);
    return reportReadProblems(context);
}

bool readFrameImage(IconDocument& document, std::span<const std::uint8_t> frame, ReadContext& context) {
    ReadReport& report = context.report;
    ByteReader r(frame);
    const IconDirectory directory = readIconDirectory(r);
    report.entriesDamaged += directory.declaredCount - static_cast<int>(directory.entries.size());

    // Where each entry's data begin, following the directory's layout.
    std::vector<std::size_t> starts;
    std::size_t following = r.position();
    for (const IconDirEntry& entry : directory.entries) {
        starts.push_back(entryDataStart(entry, directory, following, frame.size()));
        following = entryDataEnd(entry, starts.back(), frame.size());
    }
    int best = -1;
    int bestDistance = 0;
    int bestBits = 0;
    for (std::size_t i = 0; i < directory.entries.size(); ++i) {
        const IconDirEntry& e = directory.entries[i];
        if (tooLarge(e.width, e.height))
            continue;
        const int distance = std::abs(e.width - 32) + std::abs(e.height - 32);
        const int bits = bitCountOf(frame.subspan(std::min(starts[i], frame.size())));
        if (best < 0 || distance < bestDistance || (distance == bestDistance && bits > bestBits)) {
            best = static_cast<int>(i);
            bestDistance = distance;
            bestBits = bits;
        }
    }
    const int others = static_cast<int>(directory.entries.size()) - 1;
    if (best < 0) {
        // No size of this frame fits the document.
        report.entriesTooLarge += static_cast<int>(directory.entries.size());
        ++report.framesDropped;
        return false;
    }
    const EntryResult result =
        readEntry(document, r, 0, starts[static_cast<std::size_t>(best)],
                  directory.entries[static_cast<std::size_t>(best)], directory.type, context);
    if (result != EntryResult::Added) {
        count(report, result);
        ++report.framesDropped;
        return false;
    }
    report.entriesNotTaken += std::max(0, others);
    return true;
}

ReadOutcome readIconFile(IconDocument& document, const std::string& path, ReadContext& context) {
    BinaryFile file = MyOpen(path, "br", context.messages);
    if (file.handle() <= 0)
        return ReadOutcome::NotOpened;
    return readIconResource(document, file.reader(), context);
}

} // namespace vantle
