#include "model/PngCodec.h"

#include "model/PngRgbaDecoder.h"

#include <png.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace vantle {

namespace {

constexpr std::size_t kSignatureSize = 8;
constexpr png_alloc_size_t kMaxAncillaryChunk = 1 << 20; // text and profile chunks, decompressed
constexpr png_uint_32 kMaxCachedChunks = 64;

struct MemoryInput {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t position = 0;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* in = static_cast<MemoryInput*>(png_get_io_ptr(png));
    if (count > in->size - in->position)
        png_error(png, "truncated");
    std::memcpy(out, in->data + in->position, count);
    in->position += count;
}

void appendToVector(png_structp png, png_bytep data, png_size_t count) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + count);
}

void flushNothing(png_structp) {}

// libpng reports through these; the caller learns of a failure from the jump alone.
[[noreturn]] void jumpOnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void ignoreWarning(png_structp, png_const_charp) {}

std::uint32_t readBigEndian(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) << 24 | static_cast<std::uint32_t>(b[at + 1]) << 16 |
           static_cast<std::uint32_t>(b[at + 2]) << 8 | static_cast<std::uint32_t>(b[at + 3]);
}

// The decoding proper. libpng leaves it by a long jump on any error, so it holds no object with a
// destructor: what it fills lives in the caller's frame.
// On a little-endian machine the rows are read straight into the 0xAARRGGBB words as B, G, R, A bytes;
// elsewhere as R, G, B, A into `rgba`, to be put together afterwards.
constexpr bool kWordsAreBgra = std::endian::native == std::endian::little;

bool decodeInto(png_structp png, png_infop info, int maxSide, PngPixels& out, std::vector<std::uint8_t>& rgba,
                std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    // Larger declared sizes and oversized ancillary chunks are errors before any pixel memory is taken.
    png_set_user_limits(png, static_cast<png_uint_32>(maxSide), static_cast<png_uint_32>(maxSide));
    png_set_chunk_cache_max(png, kMaxCachedChunks);
    png_set_chunk_malloc_max(png, kMaxAncillaryChunk);
#if defined(PNG_IGNORE_ADLER32)
    // The chunks' CRCs already vouch for the compressed bytes; zlib's second sum over the decompressed
    // ones costs a sixth of the decoding.
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (width < 1 || height < 1 || width > static_cast<png_uint_32>(maxSide) ||
        height > static_cast<png_uint_32>(maxSide))
        return false;
    // Every colour type and depth to 8-bit RGBA.
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    if (kWordsAreBgra)
        png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const std::size_t stride = std::size_t{width} * 4;
    if (png_get_rowbytes(png, info) != stride)
        return false;
    std::uint8_t* pixels = nullptr;
    if (kWordsAreBgra) {
        out.argb.resize(std::size_t{width} * height);
        pixels = reinterpret_cast<std::uint8_t*>(out.argb.data());
    } else {
        rgba.resize(stride * height);
        pixels = rgba.data();
    }
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = pixels + y * stride;
    png_read_image(png, rows.data());
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    return true;
}

bool encodeInto(png_structp png, png_infop info, int width, int height, std::vector<std::uint8_t>& rgba,
                std::vector<png_bytep>& rows, std::vector<std::uint8_t>& out) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, &out, appendToVector, flushNothing);
    // One filter for every row: on cursor pictures libpng's adaptive choice takes Paeth on nearly every
    // row anyway (the same bytes on the benchmark's discs), and trying all five costs more than half the
    // encoding time.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_PAETH);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        rows[static_cast<std::size_t>(y)] = rgba.data() + static_cast<std::size_t>(y) * width * 4;
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    return true;
}

} // namespace

std::optional<PngSize> pngDeclaredSize(std::span<const std::uint8_t> bytes) {
    static constexpr std::uint8_t kIhdr[] = {'I', 'H', 'D', 'R'};
    if (bytes.size() < kSignatureSize + 16 || png_sig_cmp(bytes.data(), 0, kSignatureSize) != 0 ||
        !std::equal(kIhdr, kIhdr + 4, bytes.begin() + 12))
        return std::nullopt;
    return PngSize{readBigEndian(bytes, 16), readBigEndian(bytes, 20)};
}

std::optional<PngPixels> decodePng(std::span<const std::uint8_t> bytes, int maxSide) {
    if (bytes.size() < kSignatureSize || png_sig_cmp(bytes.data(), 0, kSignatureSize) != 0)
        return std::nullopt;
    if (std::optional<PngPixels> rgba = decodeRgbaPng(bytes, maxSide))
        return rgba;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, jumpOnError, ignoreWarning);
    if (png == nullptr)
        return std::nullopt;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return std::nullopt;
    }
    MemoryInput input{bytes.data(), bytes.size(), 0};
    png_set_read_fn(png, &input, readFromMemory);
    PngPixels pixels;
    std::vector<std::uint8_t> rgba;
    std::vector<png_bytep> rows;
    const bool ok = decodeInto(png, info, maxSide, pixels, rgba, rows);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok)
        return std::nullopt;
    if (kWordsAreBgra)
        return pixels;
    pixels.argb.resize(rgba.size() / 4);
    for (std::size_t i = 0; i < pixels.argb.size(); ++i) {
        const std::uint8_t* p = &rgba[i * 4];
        pixels.argb[i] = static_cast<std::uint32_t>(p[3]) << 24 | static_cast<std::uint32_t>(p[0]) << 16 |
                         static_cast<std::uint32_t>(p[1]) << 8 | p[2];
    }
    return pixels;
}

std::vector<std::uint8_t> encodePng(int width, int height, std::span<const std::uint32_t> argb) {
    std::vector<std::uint8_t> out;
    if (width < 1 || height < 1 || argb.size() != static_cast<std::size_t>(width) * height)
        return out;
    std::vector<std::uint8_t> rgba(argb.size() * 4);
    for (std::size_t i = 0; i < argb.size(); ++i) {
        const std::uint32_t p = argb[i];
        rgba[i * 4] = static_cast<std::uint8_t>(p >> 16);
        rgba[i * 4 + 1] = static_cast<std::uint8_t>(p >> 8);
        rgba[i * 4 + 2] = static_cast<std::uint8_t>(p);
        rgba[i * 4 + 3] = static_cast<std::uint8_t>(p >> 24);
    }
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    // Room for the worst case of stored deflate blocks, so that the output never grows inside libpng.
    out.reserve(rgba.size() + static_cast<std::size_t>(height) + rgba.size() / 1000 + 1024);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, jumpOnError, ignoreWarning);
    if (png == nullptr)
        return out;
    png_infop info = png_create_info_struct(png);
    const bool ok = info != nullptr && encodeInto(png, info, width, height, rgba, rows, out);
    png_destroy_write_struct(&png, &info);
    if (!ok)
        out.clear();
    return out;
}

} // namespace vantle
