// Icon and cursor entries without loss: a bitmap with its AND mask or a PNG image to straight-alpha pixels
// and back, and whole icon resources made of them.

#include "model/BinaryFile.h"
#include "model/CursorFileParts.h"
#include "model/DibBitmap.h"
#include "model/IconDirectory.h"
#include "model/IconEntryFields.h"
#include "model/PngCodec.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace vantle::lossless {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

bool knownBitCount(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

// With an alpha channel (some alpha byte not 0) alpha decides and the mask is ignored. Without one the
// mask does: 1 over black is transparent, 1 over another colour inverts the screen, 0 shows the colour.
CursorImage imageOfBitmap(const DibBitmap& b) {
    CursorImage image;
    image.width = b.width;
    image.height = b.height;
    image.storedBits = b.pixelBits;
    const std::size_t count = static_cast<std::size_t>(b.width) * static_cast<std::size_t>(b.height);
    image.argb.resize(count);
    std::size_t i = 0;
    for (int y = 0; y < b.height; ++y) {
        for (int x = 0; x < b.width; ++x, ++i) {
            const std::uint32_t rgb = argbOf(b.colourAt(x, y), 0);
            if (b.anyAlpha) {
                image.argb[i] = static_cast<std::uint32_t>(b.alphaAt(x, y)) << 24 | rgb;
            } else if (!b.maskedAt(x, y)) {
                image.argb[i] = kOpaque | rgb;
            } else if (rgb == 0) {
                image.argb[i] = 0;
            } else {
                image.argb[i] = rgb;
                if (image.inverted.empty())
                    image.inverted.assign(count, 0);
                image.inverted[i] = 1;
            }
        }
    }
    return image;
}

// A 32-bit bitmap whose alpha decides, every byte of its colour and mask rows there, as nearly every
// cursor of a modern pack holds: its B, G, R, A bytes are the 0xAARRGGBB words of imageOfBitmap, bottom
// row first, so the rows are taken as they are. Nothing for any other bitmap (the DibBitmap reader's).
struct AlphaBitmap {
    int width = 0;
    int height = 0;
    std::size_t pixels = 0; // where the colour rows begin
    std::size_t end = 0;    // after the mask rows
};

std::optional<AlphaBitmap> alphaBitmapOf(std::span<const std::uint8_t> data) {
    if (data.size() < kDibHeaderSize)
        return std::nullopt;
    const std::uint32_t headerSize = le32At(data, 0);
    const auto width = static_cast<std::int32_t>(le32At(data, 4));
    const std::int32_t height = static_cast<std::int32_t>(le32At(data, 8)) / 2;
    if (headerSize < kDibHeaderSize || le16At(data, 14) != 32 || le32At(data, 16) != 0 || width < 1 ||
        width > 256 || height < 1 || height > 256)
        return std::nullopt;
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    const std::size_t end =
        std::size_t{headerSize} + (4 * w + static_cast<std::size_t>(dibRowBytes(width, 1))) * h;
    if (end > data.size())
        return std::nullopt;
    const std::uint8_t* p = data.data() + headerSize;
    bool anyAlpha = false;
    for (std::size_t i = 3; i < 4 * w * h && !anyAlpha; i += 4)
        anyAlpha = p[i] != 0;
    if (!anyAlpha)
        return std::nullopt;
    return AlphaBitmap{width, height, headerSize, end};
}

CursorImage imageOfAlphaBitmap(std::span<const std::uint8_t> data, const AlphaBitmap& b) {
    CursorImage image;
    image.width = b.width;
    image.height = b.height;
    image.storedBits = 32;
    const auto w = static_cast<std::size_t>(b.width);
    image.argb.resize(w * static_cast<std::size_t>(b.height));
    for (int y = 0; y < b.height; ++y) {
        const std::size_t row = b.pixels + 4 * w * static_cast<std::size_t>(b.height - 1 - y);
        std::uint32_t* out = image.argb.data() + w * static_cast<std::size_t>(y);
        if constexpr (std::endian::native == std::endian::little)
            std::memcpy(out, data.data() + row, 4 * w);
        else
            for (std::size_t x = 0; x < w; ++x)
                out[x] = le32At(data, row + 4 * x);
    }
    return image;
}

std::optional<CursorImage> readPngImage(std::span<const std::uint8_t> data, ReadState& state,
                                        const std::string& where) {
    const auto declared = pngDeclaredSize(data);
    if (declared && (declared->width > static_cast<std::uint32_t>(kMaxCursorSide) ||
                     declared->height > static_cast<std::uint32_t>(kMaxCursorSide))) {
        state.leftOut(where + ": a PNG image of " + std::to_string(declared->width) + " x " +
                      std::to_string(declared->height) + ", larger than 256 x 256");
        return std::nullopt;
    }
    if (!declared || declared->width == 0 || declared->height == 0) {
        state.leftOut(where + ": a damaged PNG image");
        return std::nullopt;
    }
    if (!state.takePixels(static_cast<int>(declared->width), static_cast<int>(declared->height)))
        return std::nullopt;
    auto pixels = decodePng(data, kMaxCursorSide);
    if (!pixels) {
        state.leftOut(where + ": a damaged or cut PNG image");
        return std::nullopt;
    }
    CursorImage image;
    image.width = pixels->width;
    image.height = pixels->height;
    image.argb = std::move(pixels->argb);
    image.storedBits = 0;
    return image;
}

} // namespace

void ReadState::leftOut(const std::string& what) {
    report_.complete = false;
    report_.problems.push_back(what);
}

bool ReadState::takePixels(int width, int height) {
    if (spent_)
        return false;
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (pixels > pixelsLeft_) {
        spent_ = true;
        leftOut("more than " + std::to_string(kMaxPixels) + " pixels in all: the rest is left out");
        return false;
    }
    pixelsLeft_ -= pixels;
    return true;
}

std::optional<CursorImage> readEntryImage(std::span<const std::uint8_t> data, int directoryWidth,
                                          int directoryHeight, ReadState& state, const std::string& where,
                                          std::size_t& consumed) {
    consumed = 0;
    if (isPngData(data))
        return readPngImage(data, state, where);
    if (const std::optional<AlphaBitmap> alpha = alphaBitmapOf(data)) {
        if (!state.takePixels(alpha->width, alpha->height))
            return std::nullopt;
        consumed = alpha->end;
        return imageOfAlphaBitmap(data, *alpha);
    }
    ByteReader reader(data);
    std::optional<DibBitmap> bitmap = readDibBitmapOwnSize(reader);
    const bool ownSizeFails = !bitmap || !bitmap->usable();
    const bool directoryGivesSize = directoryWidth > 0 && directoryHeight > 0;
    if (ownSizeFails && directoryGivesSize &&
        (!bitmap || bitmap->width != directoryWidth || bitmap->height != directoryHeight)) {
        ByteReader byDirectory(data);
        DibBitmap other = readDibBitmap(byDirectory, directoryWidth, directoryHeight);
        if (!bitmap || other.usable()) {
            bitmap = std::move(other);
            reader = byDirectory;
        }
    }
    if (!bitmap) {
        state.leftOut(where + ": not a bitmap of 1 to 256 pixels each way");
        return std::nullopt;
    }
    if (!knownBitCount(bitmap->bitCount)) {
        state.leftOut(where + ": not a bitmap of 1, 4, 8, 24 or 32 bits a pixel (" +
                      std::to_string(bitmap->bitCount) + ")");
        return std::nullopt;
    }
    if (!bitmap->usable()) {
        state.leftOut(where + ": its data end before its last row (cut short)");
        return std::nullopt;
    }
    if (!state.takePixels(bitmap->width, bitmap->height))
        return std::nullopt;
    consumed = std::min(reader.position(), data.size());
    return imageOfBitmap(*bitmap);
}

ResourceFrame readResourceFrame(std::span<const std::uint8_t> bytes, ReadState& state,
                                const std::string& where) {
    ResourceFrame out;
    ByteReader reader(bytes);
    const IconDirectory directory = readIconDirectory(reader);
    out.type = directory.type;
    const std::string prefix = where.empty() ? "" : where + ", ";
    if (directory.cutShort())
        state.leftOut(prefix + "the directory names " + std::to_string(directory.declaredCount) +
                      " images, the data hold " + std::to_string(directory.entries.size()) + " (cut short)");
    std::size_t following = reader.position();
    for (std::size_t i = 0; i < directory.entries.size() && !state.spent(); ++i) {
        const IconDirEntry& entry = directory.entries[i];
        const std::string name = prefix + "image " + std::to_string(i);
        const std::size_t start = entryDataStart(entry, directory, following, bytes.size());
        if (start >= bytes.size()) {
            state.leftOut(name + ": its data lie beyond the end (cut short)");
            following = bytes.size();
            continue;
        }
        std::size_t consumed = 0;
        auto image = readEntryImage(bytes.subspan(start), entry.width, entry.height, state, name, consumed);
        if (!image) {
            following = entryDataEnd(entry, start, bytes.size());
            continue;
        }
        following = consumed > 0 ? start + consumed : entryDataEnd(entry, start, bytes.size());
        if (!fieldsArePlanesAndBitCount(directory.type, {entry.field4, entry.field6}, image->storedBits)) {
            image->hotspotX = std::clamp<int>(entry.field4, 0, image->width - 1);
            image->hotspotY = std::clamp<int>(entry.field6, 0, image->height - 1);
        }
        out.frame.images.push_back(std::move(*image));
    }
    return out;
}

// --- Writing
// ------------------------------------------------------------------------------------------------

namespace {

struct PixelSummary {
    bool partialAlpha = false; // some alpha other than 0 and 255
    bool anyAlpha = false;     // some alpha other than 0
    int inverted = 0;
};

PixelSummary summarise(const CursorImage& image) {
    PixelSummary s;
    for (std::size_t i = 0; i < image.argb.size(); ++i) {
        const std::uint32_t a = image.argb[i] >> 24;
        s.partialAlpha = s.partialAlpha || (a != 0 && a != 255);
        s.anyAlpha = s.anyAlpha || a != 0;
        if (!image.inverted.empty() && image.inverted[i] != 0 && a == 0)
            ++s.inverted;
    }
    return s;
}

bool invertsAtIndex(const CursorImage& image, std::size_t i) {
    return !image.inverted.empty() && image.inverted[i] != 0 && (image.argb[i] >> 24) == 0;
}

// The colours a palette form must hold, ascending: every shown and every inverting pixel's colour, and
// black under transparent pixels. Stops counting past 256.
std::vector<std::uint32_t> paletteColours(const CursorImage& image) {
    std::vector<std::uint32_t> colours;
    colours.reserve(257);
    for (std::size_t i = 0; i < image.argb.size(); ++i) {
        const std::uint32_t p = image.argb[i];
        const std::uint32_t colour = (p >> 24) != 0 || invertsAtIndex(image, i) ? (p & 0xFFFFFF) : 0u;
        const auto at = std::lower_bound(colours.begin(), colours.end(), colour);
        if (at != colours.end() && *at == colour)
            continue;
        colours.insert(at, colour);
        if (colours.size() > 256)
            break;
    }
    return colours;
}

// The form an image is written in: its stored form when that holds its pixels exactly, else the nearest
// larger one that does. 0 is PNG.
int formFor(const CursorImage& image, const PixelSummary& s, std::size_t paletteSize) {
    int wanted = image.storedBits;
    if (wanted == 0)
        wanted = std::max(image.width, image.height) > 48 ? 0 : 32;
    else if (!knownBitCount(wanted))
        wanted = 32;
    if (s.partialAlpha)
        return wanted == 0 ? 0 : 32;
    // On/off transparency: every form with a mask holds it, and only those hold inverting pixels.
    if (wanted == 1 || wanted == 4 || wanted == 8) {
        for (int bits : {1, 4, 8})
            if (bits >= wanted && paletteSize <= (std::size_t{1} << bits))
                return bits;
        return 24;
    }
    if (s.inverted > 0)
        return 24;
    return wanted;
}

// The image as a bitmap entry of `bits` bits (palette indices into `palette` for 1, 4 and 8). In 32 bits with
// an alpha channel the colour of a transparent pixel is kept; without one (every alpha 0) the mask decides,
// so transparent pixels must lie over black.
std::vector<std::uint8_t> bitmapBytes(const CursorImage& image, int bits, const PixelSummary& s,
                                      const std::vector<std::uint32_t>& palette) {
    DibToWrite dib(image.width, image.height, bits);
    dib.palette = palette;
    const bool keepHiddenColours = bits == 32 && s.anyAlpha;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + x;
            const std::uint32_t p = image.argb[i];
            const bool shown = (p >> 24) != 0;
            const bool inverts = bits != 32 && invertsAtIndex(image, i);
            const std::uint32_t colour = shown || inverts || keepHiddenColours ? p & 0xFFFFFF : 0u;
            if (!shown)
                dib.setMasked(x, y);
            if (bits >= 24)
                dib.setColour(x, y, (p & 0xFF000000u) | colour);
            else
                dib.setIndex(x, y,
                             static_cast<std::uint32_t>(
                                 std::lower_bound(palette.begin(), palette.end(), colour) - palette.begin()));
        }
    }
    ByteWriter out;
    writeDibBitmap(out, dib);
    return out.take();
}

} // namespace

EntryBytes writeEntryImage(const CursorImage& image, CursorWriteReport& report, const std::string& where) {
    const PixelSummary s = summarise(image);
    const bool paletteWanted = image.storedBits == 1 || image.storedBits == 4 || image.storedBits == 8;
    const std::vector<std::uint32_t> palette =
        paletteWanted && !s.partialAlpha ? paletteColours(image) : std::vector<std::uint32_t>{};
    const int form = formFor(image, s, paletteWanted && !s.partialAlpha ? palette.size() : 257);
    if (s.inverted > 0 && (form == 0 || form == 32))
        report.notes.push_back(where + ": " + std::to_string(s.inverted) +
                               " inverting pixel(s) cannot be kept beside partial transparency; written "
                               "transparent");
    EntryBytes entry;
    entry.bitCount = form == 0 ? 32 : form;
    entry.colourCount = form == 1 ? 2 : form == 4 ? 16 : 0;
    entry.data =
        form == 0 ? encodePng(image.width, image.height, image.argb) : bitmapBytes(image, form, s, palette);
    return entry;
}

bool writableImage(const CursorImage& image) {
    return image.width >= 1 && image.width <= kMaxCursorSide && image.height >= 1 &&
           image.height <= kMaxCursorSide &&
           image.argb.size() ==
               static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) &&
           (image.inverted.empty() || image.inverted.size() == image.argb.size());
}

std::vector<std::uint8_t> writeResource(std::span<const CursorImage> images, int type,
                                        CursorWriteReport& report, const std::string& where) {
    // The directory's count is read as a signed 16-bit number.
    constexpr std::size_t kMaxEntries = 32767;
    const std::string prefix = where.empty() ? "" : where + ", ";
    std::vector<const CursorImage*> kept;
    for (std::size_t i = 0; i < images.size(); ++i) {
        if (!writableImage(images[i]))
            report.notes.push_back(prefix + "image " + std::to_string(i) +
                                   ": not 1 to 256 pixels each way, left out");
        else if (kept.size() == kMaxEntries)
            report.notes.push_back(prefix + "image " + std::to_string(i) +
                                   ": more than 32767 images, left out");
        else
            kept.push_back(&images[i]);
    }
    std::vector<EntryBytes> entries;
    entries.reserve(kept.size());
    std::size_t total = kIconHeaderSize + kIconEntrySize * kept.size();
    for (std::size_t i = 0; i < kept.size(); ++i) {
        entries.push_back(writeEntryImage(*kept[i], report, prefix + "image " + std::to_string(i)));
        total += entries.back().data.size();
    }
    std::vector<IconEntryToWrite> directory;
    directory.reserve(kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const CursorImage& image = *kept[i];
        IconEntryToWrite& e = directory.emplace_back();
        e.width = image.width;
        e.height = image.height;
        e.colourCount = entries[i].colourCount;
        e.field4 = type == 1 ? 1 : std::clamp(image.hotspotX, 0, image.width - 1);
        e.field6 = type == 1 ? entries[i].bitCount : std::clamp(image.hotspotY, 0, image.height - 1);
        e.bytes = entries[i].data.size();
    }
    ByteWriter out;
    writeIconDirectory(out, type, directory);
    std::vector<std::uint8_t> bytes = out.take();
    bytes.reserve(total);
    for (const EntryBytes& e : entries)
        bytes.insert(bytes.end(), e.data.begin(), e.data.end());
    return bytes;
}

std::vector<std::int64_t> carriedDelays(std::span<const CursorStep> steps, std::int64_t unitTicks) {
    std::vector<std::int64_t> delays;
    delays.reserve(steps.size());
    std::int64_t exactEnd = 0;
    std::int64_t written = 0;
    for (const CursorStep& step : steps) {
        exactEnd += std::max<std::int64_t>(0, step.ticks);
        const std::int64_t end = (exactEnd + unitTicks / 2) / unitTicks;
        // A step the source shows is never written as zero, which readers take as "no delay" and skip or
        // spin on; the unit it borrows is given back by the steps after it.
        const std::int64_t delay = step.ticks > 0 ? std::max<std::int64_t>(1, end - written)
                                                  : std::max<std::int64_t>(0, end - written);
        delays.push_back(delay);
        written += delay;
    }
    return delays;
}

std::vector<CursorStep> stepsToWrite(const LosslessCursor& cursor, std::int64_t stillTicks,
                                     CursorWriteReport& report) {
    std::vector<CursorStep> steps;
    steps.reserve(cursor.steps.size());
    const auto frames =
        static_cast<int>(std::min<std::size_t>(cursor.frames.size(), std::numeric_limits<int>::max()));
    for (const CursorStep& step : cursor.steps)
        if (step.frame >= 0 && step.frame < frames)
            steps.push_back(step);
    if (steps.size() < cursor.steps.size())
        report.notes.push_back(std::to_string(cursor.steps.size() - steps.size()) +
                               " step(s) name no frame, left out");
    if (steps.empty())
        steps.push_back({0, stillTicks});
    return steps;
}

} // namespace vantle::lossless
