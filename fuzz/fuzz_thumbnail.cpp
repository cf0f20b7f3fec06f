// Any bytes as a file a file manager asks a thumbnail of: the first byte chooses the size asked and the
// name the file has (none, an icon's, an animated cursor's, a palette's), the rest is the file.

#include "FuzzSupport.h"
#include "model/PngCodec.h"
#include "tool/ThumbnailCommand.h"

#include <array>
#include <cstddef>
#include <cstdint>

using namespace vantle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    constexpr std::array<int, 4> kSizes = {16, 48, 128, 256};
    constexpr std::array<const char*, 4> kNames = {"", "file.ico", "file.ani", "file.vtp"};
    const int side = kSizes[data[0] & 3];
    const char* name = kNames[(data[0] >> 2) & 3];
    const std::span<const std::uint8_t> file(data + 1, size - 1);

    const std::optional<PngPixels> picture = thumbnailOfBytes(file, name, side);
    if (!picture)
        return 0;
    VANTLE_FUZZ_CHECK(picture->width == side && picture->height == side);
    VANTLE_FUZZ_CHECK(picture->argb.size() ==
                      static_cast<std::size_t>(side) * static_cast<std::size_t>(side));
    // What the command writes reads back as the same pixels (the small sizes; the large ones cost more
    // than they tell).
    if (side <= 48) {
        const std::vector<std::uint8_t> png = encodePng(side, side, picture->argb);
        const std::optional<PngPixels> back = decodePng(png, side);
        VANTLE_FUZZ_CHECK(back && back->argb == picture->argb);
    }
    return 0;
}
