#include "tool/ThumbnailCommand.h"

#include "model/BinaryFile.h"
#include "model/Colour.h"
#include "model/CursorFiles.h"
#include "model/FileKinds.h"
#include "model/PaletteFile.h"
#include "model/TextNumber.h"
#include "theme/CursorScaling.h"

#include <algorithm>
#include <filesystem>

namespace vantle {

namespace {

constexpr std::uint32_t kSwatchOutline = 0xFF7F7F7F;

int longerSide(const CursorImage& image) {
    return std::max(image.width, image.height);
}

// See thumbnailOfBytes: equal, else nearest larger, else largest smaller; of equal sides the most bits.
const CursorImage* imageFor(const CursorFrame& frame, int size) {
    const CursorImage* best = nullptr;
    auto better = [size](const CursorImage& a, const CursorImage& b) {
        const int sa = longerSide(a);
        const int sb = longerSide(b);
        if (sa != sb) {
            const bool aFits = sa <= size;
            const bool bFits = sb <= size;
            if (sa == size || sb == size)
                return sa == size;
            if (aFits != bFits)
                return !aFits; // a larger image beats a smaller one
            return aFits ? sa > sb : sa < sb;
        }
        return a.depthRank() > b.depthRank();
    };
    for (const CursorImage& image : frame.images) {
        if (image.width < 1 || image.height < 1 ||
            image.argb.size() !=
                static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
            continue;
        if (best == nullptr || better(image, *best))
            best = &image;
    }
    return best;
}

// The image at the size it is drawn: shrunk so that its longer side is `size` (the width's nominal size
// lowered until the height fits, so a tall image stays within the square), or enlarged by a whole factor.
CursorImage drawnImage(CursorImage image, int size) {
    if (image.hasInverted())
        replaceInvertedPixels(image);
    image.inverted.clear();
    const int side = longerSide(image);
    if (side > size) {
        int nominal =
            image.width >= image.height
                ? size
                : std::max(1, static_cast<int>(static_cast<std::int64_t>(image.width) * size / image.height));
        while (nominal > 1 && theme::scaledHeight(image.width, image.height, nominal) > size)
            --nominal;
        return theme::scaleImage(image, std::min(nominal, kMaxCursorSide));
    }
    const int factor = size / side;
    if (factor < 2)
        return image;
    // Each pixel repeated factor x factor times (beyond the scaler's 256 pixels, for the larger sizes).
    CursorImage big;
    big.width = image.width * factor;
    big.height = image.height * factor;
    big.argb.resize(static_cast<std::size_t>(big.width) * static_cast<std::size_t>(big.height));
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x)
            big.argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(big.width) +
                     static_cast<std::size_t>(x)] = image.at(x / factor, y / factor);
    return big;
}

PngPixels blankSquare(int size) {
    PngPixels out;
    out.width = out.height = size;
    out.argb.assign(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), 0);
    return out;
}

std::optional<PngPixels> cursorThumbnail(std::span<const std::uint8_t> bytes, std::string_view path,
                                         int size) {
    const CursorFormat format = cursorFormatOf(path, bytes);
    if (format == CursorFormat::Unknown)
        return std::nullopt;
    CursorReadReport report;
    const std::optional<LosslessCursor> cursor = readCursorBytes(bytes, format, report);
    if (!cursor || cursor->frames.empty())
        return std::nullopt;
    // The frame shown first: that of the first step of an animation.
    std::size_t first = 0;
    if (cursor->animated() && cursor->steps.front().frame >= 0 &&
        static_cast<std::size_t>(cursor->steps.front().frame) < cursor->frames.size())
        first = static_cast<std::size_t>(cursor->steps.front().frame);
    const CursorImage* source = imageFor(cursor->frames[first], size);
    if (source == nullptr)
        return std::nullopt;
    const CursorImage image = drawnImage(*source, size);

    PngPixels out = blankSquare(size);
    // Centred; an image of extreme aspect ratio that still does not fit is cut at the edges.
    const int left = (size - image.width) / 2;
    const int top = (size - image.height) / 2;
    for (int y = std::max(0, -top); y < image.height && top + y < size; ++y)
        for (int x = std::max(0, -left); x < image.width && left + x < size; ++x)
            out.argb[static_cast<std::size_t>(top + y) * static_cast<std::size_t>(size) +
                     static_cast<std::size_t>(left + x)] = image.at(x, y);
    return out;
}

std::optional<PngPixels> paletteThumbnail(std::span<const std::uint8_t> bytes, int size) {
    const PaletteFileColours palette = readPaletteBytes(bytes);
    if (!palette.ok())
        return std::nullopt;
    const int count = palette.count;
    int columns = 1;
    while (columns * columns < count)
        ++columns;
    const int rows = (count + columns - 1) / columns;
    const int pitch = size / columns;
    const int gap = pitch / 8;
    const int cell = pitch - gap;
    const bool outlined = cell >= 6;
    const int left = (size - (columns * pitch - gap)) / 2;
    const int top = (size - (rows * pitch - gap)) / 2;

    PngPixels out = blankSquare(size);
    for (int i = 0; i < count; ++i) {
        const colourRGB c = palette.colours[static_cast<std::size_t>(i)];
        const std::uint32_t fill = argbOf(c, 0xFF);
        const int x0 = left + (i % columns) * pitch;
        const int y0 = top + (i / columns) * pitch;
        for (int y = 0; y < cell; ++y)
            for (int x = 0; x < cell; ++x) {
                const bool edge = x == 0 || y == 0 || x == cell - 1 || y == cell - 1;
                out.argb[static_cast<std::size_t>(y0 + y) * static_cast<std::size_t>(size) +
                         static_cast<std::size_t>(x0 + x)] = outlined && edge ? kSwatchOutline : fill;
            }
    }
    return out;
}

bool hasPaletteMagic(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 4 && bytes[0] == 'V' && bytes[1] == 'T' && bytes[2] == 'P' && bytes[3] == 'F';
}

} // namespace

std::optional<PngPixels> thumbnailOfBytes(std::span<const std::uint8_t> bytes, std::string_view path,
                                          int size) {
    if (size < kMinThumbnailSize || size > kMaxThumbnailSize)
        return std::nullopt;
    if (extensionLower(path) == ".vtp" || hasPaletteMagic(bytes))
        return paletteThumbnail(bytes, size);
    return cursorThumbnail(bytes, path, size);
}

int thumbnailCommand(std::span<const std::string> args, std::ostream& err) {
    if (args.size() != 3) {
        err << "vantle-tool: thumbnail takes IN OUT SIZE\n";
        return 2;
    }
    const std::string& in = args[0];
    const std::string& out = args[1];
    const std::optional<int> size = wholeNumber(args[2], kMinThumbnailSize, kMaxThumbnailSize);
    if (!size) {
        err << "vantle-tool: the thumbnail size is a whole number from " << kMinThumbnailSize << " to "
            << kMaxThumbnailSize << "\n";
        return 2;
    }
    std::error_code ec;
    const std::uintmax_t length = std::filesystem::file_size(in, ec);
    if (!ec && length > kMaxThumbnailInputBytes) {
        err << "vantle-tool: " << in << ": larger than " << (kMaxThumbnailInputBytes >> 20)
            << " MiB, no thumbnail\n";
        return 1;
    }
    std::vector<std::uint8_t> bytes;
    if (ec || !readWholeFile(in, bytes)) {
        err << "vantle-tool: " << in << ": cannot be read\n";
        return 1;
    }
    const std::optional<PngPixels> picture = thumbnailOfBytes(bytes, in, *size);
    if (!picture) {
        err << "vantle-tool: " << in << ": nothing in it can be drawn\n";
        return 1;
    }
    if (!replaceFileContents(out, encodePng(picture->width, picture->height, picture->argb),
                             FileSync::Fast)) {
        err << "vantle-tool: " << out << ": cannot be written\n";
        return 1;
    }
    return 0;
}

} // namespace vantle
