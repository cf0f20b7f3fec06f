#include "model/IconFileReader.h"

#include "model/ColourAnalysis.h"
#include "model/IconEntryFields.h"
#include "model/Messages.h"

#include <algorithm>
#include <array>
#include <vector>

namespace vantle {

namespace {

struct DirectoryEntry {
    int width = 0;  // 256 when the byte is 0
    int height = 0; // 256 when the byte is 0
    std::int16_t hotspotX = 0;
    std::int16_t hotspotY = 0;
    std::uint32_t bytesInResource = 0;
    std::uint32_t imageOffset = 0;
};

constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::size_t kDirectoryEntrySize = 16;
constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kBitmapHeaderSize = 40;

DirectoryEntry readEntry(ByteReader& r) {
    DirectoryEntry e;
    const int w = r.readByte();
    const int h = r.readByte();
    e.width = w == 0 ? 256 : w;
    e.height = h == 0 ? 256 : h;
    r.readByte(); // colour count, not used
    r.readByte(); // reserved
    e.hotspotX = r.readWord();
    e.hotspotY = r.readWord();
    e.bytesInResource = r.readUDword();
    e.imageOffset = r.readUDword();
    return e;
}

// Bytes per bitmap row: every row is padded to a multiple of 4 bytes. For widths 16, 32 and 48 this is
// the classic row length of the format.
int rowBytes(int width, int bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

bool tooLarge(int width, int height) {
    return width > kImageGrid || height > kImageGrid;
}

// The hotspot an entry gives its image: none when an icon file's entry holds planes and bit count there.
void takeHotspot(IconImage& image, const DirectoryEntry& entry, int fileType, int bitmapBitCount) {
    const bool planesAndBits =
        fieldsArePlanesAndBitCount(fileType, {entry.hotspotX, entry.hotspotY}, bitmapBitCount);
    image.hotspotX = planesAndBits ? std::int16_t{0} : entry.hotspotX;
    image.hotspotY = planesAndBits ? std::int16_t{0} : entry.hotspotY;
}

ReadOutcome refuse(ReadContext& context, std::string_view message) {
    context.messages.showMessage(message, MessageButtons::Ok, MessageIcon::Error);
    return ReadOutcome::Stopped;
}

void readMask(ByteReader& r, IconImage& image, int width, int height, const MarkerColours& markers,
              bool keepImagePixels) {
    const int stride = rowBytes(width, 1);
    for (int y = height - 1; y >= 0; --y) {
        for (int jb = 0; jb < stride; ++jb) {
            const std::uint8_t byte = r.readByte();
            for (int b = 0; b < 8; ++b) {
                const int x = jb * 8 + 7 - b;
                if (x >= kImageGrid || ((byte >> b) & 1) == 0)
                    continue;
                if (keepImagePixels && x < width)
                    continue;
                colourRGB& p = image.pixels(x, y);
                p = p == kBlack ? markers.transparent : markers.inverted;
            }
        }
    }
}

void readColourRows(ByteReader& r, IconImage& image, int width, int height, int bitCount, bool& anyAlpha,
                    Grid<std::uint8_t, kImageGrid>& alpha) {
    const int effectiveBits =
        (bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 32) ? bitCount : 24;
    const int stride = rowBytes(width, effectiveBits);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(stride));
    for (int y = height - 1; y >= 0; --y) {
        r.readBlock(row);
        auto put = [&](int x, colourRGB c) {
            if (x < kImageGrid)
                image.pixels(x, y) = c;
        };
        switch (effectiveBits) {
        case 1:
            for (int jb = 0; jb < stride; ++jb)
                for (int b = 0; b < 8; ++b)
                    put(jb * 8 + 7 - b, image.palette[(row[static_cast<std::size_t>(jb)] >> b) & 1]);
            break;
        case 4:
            for (int jb = 0; jb < stride; ++jb) {
                put(jb * 2, image.palette[row[static_cast<std::size_t>(jb)] >> 4]);
                put(jb * 2 + 1, image.palette[row[static_cast<std::size_t>(jb)] & 0x0F]);
            }
            break;
        case 8:
            for (int x = 0; x < stride; ++x)
                put(x, image.palette[row[static_cast<std::size_t>(x)]]);
            break;
        default: {
            const int bytesPerPixel = effectiveBits / 8;
            for (int x = 0; x < width; ++x) {
                const auto* px = &row[static_cast<std::size_t>(x * bytesPerPixel)];
                put(x, makeColour(px[2], px[1], px[0]));
                if (bytesPerPixel == 4 && x < kImageGrid) {
                    alpha(x, y) = px[3];
                    anyAlpha = anyAlpha || px[3] != 0;
                }
            }
            break;
        }
        }
    }
}

ReadOutcome readPngEntry(IconDocument& document, ByteReader& r, const DirectoryEntry& entry, int fileType,
                         ReadContext& context) {
    if (tooLarge(entry.width, entry.height))
        return refuse(context, text::kTooLarge);
    const std::size_t length = std::min<std::size_t>(entry.bytesInResource, r.remaining());
    std::vector<std::uint8_t> bytes(length);
    r.readBlock(bytes);
    std::optional<Picture> picture;
    if (context.pictures != nullptr)
        picture = context.pictures->decodePicture(bytes);
    if (!picture || picture->empty())
        return refuse(context, text::kDamaged);
    if (tooLarge(picture->width, picture->height))
        return refuse(context, text::kTooLarge);
    const int index = document.imageCount;
    IconImage& image = document.images[static_cast<std::size_t>(index)];
    image.width = static_cast<std::int16_t>(picture->width);
    image.height = static_cast<std::int16_t>(picture->height);
    takeHotspot(image, entry, fileType, 0);
    for (int y = 0; y < picture->height; ++y) {
        for (int x = 0; x < picture->width; ++x) {
            const std::uint32_t argb = picture->at(x, y);
            const int a = static_cast<int>(argb >> 24);
            image.pixels(x, y) = a < 128 ? context.markers.transparent
                                         : makeColour((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
        }
    }
    image.depth = depthFromCount(countImageColours(image, context.markers).count);
    ++document.imageCount;
    return ReadOutcome::Complete;
}

ReadOutcome readBitmapEntry(IconDocument& document, ByteReader& r, const DirectoryEntry& entry, int fileType,
                            ReadContext& context) {
    const std::size_t headerStart = r.position();
    const std::uint32_t headerSize = r.readUDword();
    r.readDword(); // width: the directory's is used
    r.readDword(); // height: the directory's is used
    r.readWord();  // planes
    const int bitCount = r.readWord();
    r.readDword(); // compression
    r.readDword(); // image size
    r.readDword(); // horizontal resolution
    r.readDword(); // vertical resolution
    const std::uint32_t coloursUsed = r.readUDword();
    r.readDword(); // colours important
    // Later bitmap header versions are longer; their extra fields come before the palette.
    if (headerSize > kBitmapHeaderSize && headerSize <= 124)
        r.seek(headerStart + headerSize);

    const int index = document.imageCount;
    IconImage& image = document.images[static_cast<std::size_t>(index)];
    image.width = static_cast<std::int16_t>(entry.width);
    image.height = static_cast<std::int16_t>(entry.height);
    takeHotspot(image, entry, fileType, bitCount);
    image.depth = bitCount == 1 ? 2 : bitCount == 4 ? 16 : bitCount == 8 ? 256 : kDepthFull;

    const int paletteEntries = image.depth;
    // A palette shorter than the bit count allows says so in its colours-used field.
    const int stored = (coloursUsed > 0 && coloursUsed < static_cast<std::uint32_t>(paletteEntries))
                           ? static_cast<int>(coloursUsed)
                           : paletteEntries;
    for (int k = 0; k < paletteEntries; ++k) {
        if (k < stored) {
            const int blue = r.readByte();
            const int green = r.readByte();
            const int red = r.readByte();
            r.readByte();
            image.palette[static_cast<std::size_t>(k)] = makeColour(red, green, blue);
        } else {
            image.palette[static_cast<std::size_t>(k)] = kBlack;
        }
    }
    document.paletteLength = static_cast<std::int16_t>(paletteEntries);

    if (tooLarge(entry.width, entry.height))
        return refuse(context, text::kTooLarge);

    // Grid cells beyond the width that the file's rows cover hold no image. They start black, so that
    // what the file says there (colour bits where a row has them, then the mask) decides them alone and
    // a file written from them again carries the same bits.
    const int covered = std::min(kImageGrid, rowBytes(entry.width, 1) * 8);
    image.pixels.cover(covered, entry.height);
    for (int y = 0; y < entry.height; ++y)
        for (int x = entry.width; x < covered; ++x)
            image.pixels(x, y) = kBlack;
    bool anyAlpha = false;
    Grid<std::uint8_t, kImageGrid> alpha{};
    readColourRows(r, image, entry.width, entry.height, bitCount, anyAlpha, alpha);
    if (anyAlpha) {
        for (int y = 0; y < entry.height; ++y)
            for (int x = 0; x < entry.width; ++x)
                if (alpha(x, y) < 128)
                    image.pixels(x, y) = context.markers.transparent;
    }
    // With an alpha channel the alpha decides inside the image; the mask still fills the cells beyond it.
    readMask(r, image, entry.width, entry.height, context.markers, anyAlpha);
    ++document.imageCount;
    return ReadOutcome::Complete;
}

} // namespace

ReadOutcome readIconResource(IconDocument& document, ByteReader& r, ReadContext& context) {
    const std::size_t start = r.position();
    r.readWord();                      // reserved
    const int fileType = r.readWord(); // icons and cursors are read alike but for the hotspot
    int count = r.readWord();
    // Entries that would lie beyond the end of the data do not exist.
    const std::size_t room = r.remaining() / kDirectoryEntrySize;
    count = std::clamp(count, 0, static_cast<int>(std::min<std::size_t>(room, 32767)));
    std::vector<DirectoryEntry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        entries.push_back(readEntry(r));

    for (const DirectoryEntry& entry : entries) {
        if (!document.growForImage(document.imageCount))
            return refuse(context, text::kTooManyImages);
        // Data that do not follow the previous entry's are found by the entry's offset.
        const std::size_t expected = r.position() - start;
        if (entry.imageOffset != expected && entry.imageOffset >= kHeaderSize &&
            start + entry.imageOffset < r.size())
            r.seek(start + entry.imageOffset);
        const auto head = r.peek(kPngSignature.size());
        const bool png = std::equal(head.begin(), head.end(), kPngSignature.begin(), kPngSignature.end());
        const ReadOutcome outcome = png ? readPngEntry(document, r, entry, fileType, context)
                                        : readBitmapEntry(document, r, entry, fileType, context);
        if (outcome != ReadOutcome::Complete)
            return outcome;
    }
    return ReadOutcome::Complete;
}

ReadOutcome readIconFile(IconDocument& document, const std::string& path, ReadContext& context) {
    BinaryFile file = MyOpen(path, "br", context.messages);
    if (file.handle() <= 0)
        return ReadOutcome::NotOpened;
    const ReadOutcome outcome = readIconResource(document, file.reader(), context);
    file.close();
    return outcome;
}

} // namespace vantle
