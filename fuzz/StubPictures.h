#pragma once
// A picture decoder stand-in without Qt, for the fuzz targets and the replay of their inputs.

#include "platform/Platform.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vantle::fuzz {

// Decodes nothing: the byte after the 8-byte PNG signature chooses between no picture (the entry is then
// refused as damaged) and a fixed pattern of 16, 32, 48 or 64 pixels square (64 is refused as too large).
// Half of the pattern's pixels are translucent, so the alpha rule of the reader is exercised too.
class StubPictures : public PictureService {
  public:
    std::optional<Picture> decodePicture(std::span<const std::uint8_t> bytes) override {
        if (bytes.size() <= 8 || bytes[8] % 5 == 0)
            return std::nullopt;
        const int side = 16 * (1 + bytes[8] % 4);
        Picture picture{side, side, {}};
        picture.argb.resize(static_cast<std::size_t>(side * side));
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                picture.argb[static_cast<std::size_t>(y * side + x)] =
                    ((x + y) % 2 == 0 ? 0xFF000000u : 0x40000000u) | static_cast<std::uint32_t>(x * 4) << 16 |
                    static_cast<std::uint32_t>(y * 4) << 8 | static_cast<std::uint32_t>((x ^ y) & 0xFF);
        return picture;
    }
    std::optional<Picture> loadPictureFile(const std::string&) override { return std::nullopt; }
};

} // namespace vantle::fuzz
