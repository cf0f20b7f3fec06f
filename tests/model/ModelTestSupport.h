#pragma once
// Helpers for the document and file-format tests: little-endian byte streams built by hand, temporary
// folders, images filled from a pattern, and comparisons that name the first differing byte or pixel.

#include "model/IconDocument.h"
#include "platform/Platform.h"
#include "support/RecordingMessages.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace vantle::test {

using Bytes = std::vector<std::uint8_t>;

// Appends little-endian values; the tests spell out every field of a file with it.
class LeBytes {
  public:
    LeBytes& u8(unsigned v) {
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        return *this;
    }
    LeBytes& u16(unsigned v) { return u8(v).u8(v >> 8); }
    LeBytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    LeBytes& tag(std::string_view t) {
        for (char c : t)
            u8(static_cast<unsigned char>(c));
        return *this;
    }
    LeBytes& raw(const Bytes& b) {
        bytes.insert(bytes.end(), b.begin(), b.end());
        return *this;
    }
    LeBytes& fill(std::size_t count, unsigned v) {
        for (std::size_t i = 0; i < count; ++i)
            u8(v);
        return *this;
    }
    std::size_t size() const { return bytes.size(); }

    Bytes bytes;
};

inline std::uint32_t le32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at)) | static_cast<std::uint32_t>(b.at(at + 1)) << 8 |
           static_cast<std::uint32_t>(b.at(at + 2)) << 16 | static_cast<std::uint32_t>(b.at(at + 3)) << 24;
}
inline std::uint16_t le16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b.at(at) | b.at(at + 1) << 8);
}
inline std::string tagAt(const Bytes& b, std::size_t at) {
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(at),
                       b.begin() + static_cast<std::ptrdiff_t>(at + 4));
}

inline std::string hex(std::uint32_t v) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%06X", v);
    return buffer;
}

// Empty when equal, else which byte differs first (or which length).
inline std::string firstByteDifference(const Bytes& expected, const Bytes& actual) {
    const std::size_t n = std::min(expected.size(), actual.size());
    for (std::size_t i = 0; i < n; ++i)
        if (expected[i] != actual[i]) {
            std::ostringstream s;
            s << "byte " << i << ": expected " << hex(expected[i]) << ", got " << hex(actual[i]);
            return s.str();
        }
    if (expected.size() != actual.size())
        return "length: expected " + std::to_string(expected.size()) + ", got " +
               std::to_string(actual.size());
    return {};
}

// Empty when the pixels of the two images agree inside width x height, else the first differing pixel.
inline std::string firstPixelDifference(const IconImage& expected, const IconImage& actual) {
    if (expected.width != actual.width || expected.height != actual.height)
        return "size: expected " + std::to_string(expected.width) + "x" + std::to_string(expected.height) +
               ", got " + std::to_string(actual.width) + "x" + std::to_string(actual.height);
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x)
            if (expected.pixels(x, y) != actual.pixels(x, y)) {
                std::ostringstream s;
                s << "pixel (" << x << "," << y << "): expected "
                  << hex(static_cast<std::uint32_t>(expected.pixels(x, y))) << ", got "
                  << hex(static_cast<std::uint32_t>(actual.pixels(x, y)));
                return s.str();
            }
    return {};
}

// A folder of its own below the system's temporary folder, removed with everything in it at the end.
class TempDir {
  public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantle-test-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (::mkdtemp(name.data()) != nullptr)
            path_ = name.data();
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(std::string_view name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

inline Bytes readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The marker colours the tests read and write with (the program's defaults).
inline constexpr MarkerColours kTestMarkers{};

// A document as New leaves it: no images, every slot transparent.
inline IconDocument newDocument() {
    IconDocument document;
    document.clearImages(kTestMarkers.transparent);
    return document;
}

// Appends an image of the given size whose pixels come from colourAt(x, y).
inline IconImage& addImage(IconDocument& document, int width, int height,
                           const std::function<colourRGB(int, int)>& colourAt, int hotspotX = 0,
                           int hotspotY = 0) {
    if (!document.growForImage(document.imageCount))
        std::abort();
    IconImage& image = document.images[static_cast<std::size_t>(document.imageCount)];
    image.width = static_cast<std::int16_t>(width);
    image.height = static_cast<std::int16_t>(height);
    image.hotspotX = static_cast<std::int16_t>(hotspotX);
    image.hotspotY = static_cast<std::int16_t>(hotspotY);
    image.depth = kDepthUndetermined;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels(x, y) = colourAt(x, y);
    ++document.imageCount;
    return image;
}

// A different colour for every pixel of a 48 x 48 grid (never a marker colour).
inline colourRGB distinctColour(int x, int y) {
    return makeColour(x * 5, y * 5, 7);
}

// A picture service that hands out one scripted picture for every call and counts the calls.
class ScriptedPictures : public PictureService {
  public:
    std::optional<Picture> decodePicture(std::span<const std::uint8_t> bytes) override {
        ++calls;
        lastBytes.assign(bytes.begin(), bytes.end());
        return picture;
    }
    std::optional<Picture> loadPictureFile(const std::string&) override { return picture; }

    std::optional<Picture> picture;
    int calls = 0;
    Bytes lastBytes;
};

inline Picture makePicture(int width, int height, const std::function<std::uint32_t(int, int)>& argbAt) {
    Picture p;
    p.width = width;
    p.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.argb.push_back(argbAt(x, y));
    return p;
}

} // namespace vantle::test
