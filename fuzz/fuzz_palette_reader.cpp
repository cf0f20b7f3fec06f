// Any bytes as a palette file: what the reader takes, the 16 x 16 image made of it, and the file written
// from it read back.

#include "FuzzSupport.h"
#include "model/PaletteFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace vantle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const PaletteFileColours palette = readPaletteBytes(bytes);

    VANTLE_FUZZ_CHECK((size < 8) == (palette.status == PaletteReadStatus::NoHeader));
    VANTLE_FUZZ_CHECK(palette.status != PaletteReadStatus::NotOpened);
    if (!palette.ok()) {
        VANTLE_FUZZ_CHECK(palette.count == 0 && palette.entriesHeld == 0);
        return 0;
    }
    VANTLE_FUZZ_CHECK(palette.storedCount >= 1);
    VANTLE_FUZZ_CHECK(palette.count == std::min<std::int32_t>(palette.storedCount, kPaletteFileEntries));
    VANTLE_FUZZ_CHECK(static_cast<std::size_t>(palette.entriesHeld) ==
                      std::min<std::size_t>(static_cast<std::size_t>(palette.count), (size - 8) / 4));
    for (int k = 0; k < kPaletteFileEntries; ++k) {
        const colourRGB c = palette.colours[static_cast<std::size_t>(k)];
        VANTLE_FUZZ_CHECK(c >= 0 && c <= kWhite);
        if (k >= palette.entriesHeld)
            VANTLE_FUZZ_CHECK(c == kWhite);
    }

    IconImage image;
    makePaletteImage(image, palette);
    VANTLE_FUZZ_CHECK(image.width == 16 && image.height == 16);
    VANTLE_FUZZ_CHECK(image.depth == 2 || image.depth == 16 || image.depth == 256);

    // What the reader took, written and read again, is the same palette.
    const std::span<const colourRGB> entries(palette.colours.data(), static_cast<std::size_t>(palette.count));
    const std::vector<std::uint8_t> written = buildPaletteFile(entries);
    VANTLE_FUZZ_CHECK(written.size() == 8 + 4 * entries.size());
    const PaletteFileColours again = readPaletteBytes(written);
    VANTLE_FUZZ_CHECK(again.ok() && again.count == palette.count && again.entriesHeld == palette.count);
    VANTLE_FUZZ_CHECK(again.colours == palette.colours);
    return 0;
}
