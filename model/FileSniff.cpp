#include "model/FileSniff.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace vantle {

FileKind fileKindOfFile(const std::string& path) {
    std::array<std::uint8_t, 4> head{};
    std::size_t got = 0;
    if (fileKindOf(path) == FileKind::Unknown) {
        std::ifstream in(path, std::ios::binary);
        in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
        got = static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0));
    }
    return fileKindOf(path, std::span<const std::uint8_t>(head.data(), got));
}

} // namespace vantle
