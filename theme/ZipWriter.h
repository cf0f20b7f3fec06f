#pragma once
// A zip archive built in memory, for the theme layouts' archives: each member stored as it is or
// deflated, UTF-8 names, no encryption, no zip64 (members and archive under 4 GB).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vantle::theme {

struct ZipMember {
    std::string name;
    std::span<const std::uint8_t> bytes;
    bool deflate = false; // false: stored as it is (PNG images, already compressed)
};

// The archive's bytes, members in the order given and dated `dosTime` (MS-DOS date << 16 | time).
// Empty when a member or the whole would not fit the format without zip64.
std::vector<std::uint8_t> zipArchive(std::span<const ZipMember> members, std::uint32_t dosTime);

// The local time now as MS-DOS date and time, as archive members are dated.
std::uint32_t dosTimeNow();

} // namespace vantle::theme
