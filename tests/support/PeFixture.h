#pragma once
// Finding and patching the resource tree of a program file in tests: the file offset of the resource
// root and of the structures below it, read the same simple way the files were laid out by the linker.

#include <cstdint>
#include <vector>

namespace vantle::test {

inline std::uint32_t peU32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
inline std::uint16_t peU16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
inline void pePut32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void pePut16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

struct PeLayout {
    std::size_t pe = 0;          // the "PE" signature
    std::size_t resourceDir = 0; // data directory entry 2 (RVA, size)
    std::size_t root = 0;        // file offset of the resource root directory
    std::int64_t rvaToFile = 0;  // added to an RVA inside the resource section gives its file offset

    // File offset of entry `index` of the directory at file offset `dir`.
    std::size_t entry(const std::vector<std::uint8_t>&, std::size_t dir, std::size_t index) const {
        return dir + 16 + 8 * index;
    }
    // File offset of the directory or data entry an entry points to.
    std::size_t target(const std::vector<std::uint8_t>& b, std::size_t entryAt) const {
        return root + (peU32(b, entryAt + 4) & 0x7FFFFFFFu);
    }
};

inline PeLayout peLayout(const std::vector<std::uint8_t>& b) {
    PeLayout l;
    l.pe = peU32(b, 0x3C);
    const std::size_t optional = l.pe + 24;
    const bool plus = peU16(b, optional) == 0x20B;
    l.resourceDir = optional + (plus ? 112 : 96) + 16;
    const std::uint32_t rva = peU32(b, l.resourceDir);
    const std::size_t sections = optional + peU16(b, l.pe + 20);
    for (std::size_t i = 0; i < peU16(b, l.pe + 6); ++i) {
        const std::size_t s = sections + 40 * i;
        const std::uint32_t va = peU32(b, s + 12);
        if (rva >= va && rva < va + peU32(b, s + 16)) {
            l.rvaToFile = static_cast<std::int64_t>(peU32(b, s + 20)) - va;
            l.root = static_cast<std::size_t>(rva + l.rvaToFile);
        }
    }
    return l;
}

} // namespace vantle::test
