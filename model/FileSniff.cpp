#include "model/FileSniff.h"

#include "model/AniStructure.h"
#include "model/IconDirectory.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace vantle {

FileKind fileKindOfContent(std::string_view path, std::span<const std::uint8_t> head) {
    const FileKind byName = fileKindOf(path, head);
    if (byName != FileKind::Icon && byName != FileKind::Cursor && byName != FileKind::AnimatedCursor)
        return byName;
    // Among the three cursor formats the content decides: an animated cursor saved with a .cur name is
    // still an animated cursor.
    if (looksLikeAni(head))
        return FileKind::AnimatedCursor;
    if (looksLikeIconResource(head) && byName == FileKind::AnimatedCursor)
        return head[2] == 2 ? FileKind::Cursor : FileKind::Icon;
    return byName;
}

FileKind fileKindOfFile(const std::string& path) {
    std::array<std::uint8_t, 12> head{};
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    const auto got = static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0));
    return fileKindOfContent(path, std::span<const std::uint8_t>(head.data(), got));
}

} // namespace vantle
