// Listing and drawing the icons of a library of 100 icon groups, each with a 16 x 16, a 32 x 32 and a
// 48 x 48 image of 32 bits, built in memory as the linker lays such a library out.

#include "model/ProgramIcons.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A 32-bit image with its mask: a disc of colour, transparent outside.
Bytes iconImage(int side, int seed) {
    const std::size_t maskStride = static_cast<std::size_t>((side + 31) / 32 * 4);
    Bytes d(40 + static_cast<std::size_t>(side * side * 4) + maskStride * static_cast<std::size_t>(side));
    put32(d, 0, 40);
    put32(d, 4, static_cast<std::uint32_t>(side));
    put32(d, 8, static_cast<std::uint32_t>(2 * side));
    put16(d, 12, 1);
    put16(d, 14, 32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const std::size_t p = 40 + static_cast<std::size_t>((y * side + x) * 4);
            const int dx = 2 * x - side;
            const int dy = 2 * y - side;
            d[p] = static_cast<std::uint8_t>(x * 5 + seed);
            d[p + 1] = static_cast<std::uint8_t>(y * 5);
            d[p + 2] = static_cast<std::uint8_t>(seed * 3);
            d[p + 3] = dx * dx + dy * dy < side * side ? 255 : 0;
        }
    return d;
}

// A PE32+ library with one resource section at virtual address 0x1000, file offset 0x200.
Bytes library(int groups) {
    constexpr std::uint32_t kSectionRva = 0x1000;
    constexpr std::size_t kSectionFile = 0x200;
    const int icons = groups * 3;
    // Directory area: root, the two type directories, one language directory per name, data entries.
    const std::size_t rootAt = 0;
    const std::size_t iconTypeAt = 32;
    const std::size_t groupTypeAt = iconTypeAt + 16 + 8 * static_cast<std::size_t>(icons);
    const std::size_t languagesAt = groupTypeAt + 16 + 8 * static_cast<std::size_t>(groups);
    const std::size_t dataEntriesAt = languagesAt + 24 * static_cast<std::size_t>(icons + groups);
    std::size_t blobsAt = dataEntriesAt + 16 * static_cast<std::size_t>(icons + groups);
    Bytes rsrc(blobsAt);
    put16(rsrc, rootAt + 14, 2);
    put32(rsrc, rootAt + 16, 3);
    put32(rsrc, rootAt + 20, 0x80000000u | static_cast<std::uint32_t>(iconTypeAt));
    put32(rsrc, rootAt + 24, 14);
    put32(rsrc, rootAt + 28, 0x80000000u | static_cast<std::uint32_t>(groupTypeAt));
    put16(rsrc, iconTypeAt + 14, static_cast<std::uint16_t>(icons));
    put16(rsrc, groupTypeAt + 14, static_cast<std::uint16_t>(groups));

    int name = 0; // running index over icons, then groups
    auto addData = [&](std::size_t typeDir, int index, std::uint32_t id, const Bytes& blob) {
        const std::size_t entry = typeDir + 16 + 8 * static_cast<std::size_t>(index);
        const std::size_t language = languagesAt + 24 * static_cast<std::size_t>(name);
        const std::size_t data = dataEntriesAt + 16 * static_cast<std::size_t>(name);
        ++name;
        put32(rsrc, entry, id);
        put32(rsrc, entry + 4, 0x80000000u | static_cast<std::uint32_t>(language));
        put16(rsrc, language + 14, 1);
        put32(rsrc, language + 16, 0x409);
        put32(rsrc, language + 20, static_cast<std::uint32_t>(data));
        while (rsrc.size() % 8 != 0)
            rsrc.push_back(0);
        put32(rsrc, data, kSectionRva + static_cast<std::uint32_t>(rsrc.size()));
        put32(rsrc, data + 4, static_cast<std::uint32_t>(blob.size()));
        rsrc.insert(rsrc.end(), blob.begin(), blob.end());
    };
    const int sides[] = {16, 32, 48};
    for (int i = 0; i < icons; ++i)
        addData(iconTypeAt, i, static_cast<std::uint32_t>(i + 1), iconImage(sides[i % 3], i));
    for (int g = 0; g < groups; ++g) {
        Bytes group(6 + 14 * 3);
        put16(group, 2, 1);
        put16(group, 4, 3);
        for (int e = 0; e < 3; ++e) {
            const std::size_t at = 6 + 14 * static_cast<std::size_t>(e);
            group[at] = group[at + 1] = static_cast<std::uint8_t>(sides[e]);
            put16(group, at + 4, 1);
            put16(group, at + 6, 32);
            put32(group, at + 8, static_cast<std::uint32_t>(iconImage(sides[e], 0).size()));
            put16(group, at + 12, static_cast<std::uint16_t>(g * 3 + e + 1));
        }
        addData(groupTypeAt, g, static_cast<std::uint32_t>(g + 1), group);
    }

    Bytes file(kSectionFile);
    put16(file, 0, 0x5A4D);
    put32(file, 0x3C, 0x40);
    put32(file, 0x40, 0x00004550);
    put16(file, 0x46, 1);   // one section
    put16(file, 0x54, 240); // optional header size of PE32+
    const std::size_t optional = 0x58;
    put16(file, optional, 0x20B);
    put32(file, optional + 108, 16);
    put32(file, optional + 112 + 16, kSectionRva);
    put32(file, optional + 112 + 20, static_cast<std::uint32_t>(rsrc.size()));
    const std::size_t section = optional + 240;
    put32(file, section + 8, static_cast<std::uint32_t>(rsrc.size()));
    put32(file, section + 12, kSectionRva);
    put32(file, section + 16, static_cast<std::uint32_t>(rsrc.size()));
    put32(file, section + 20, static_cast<std::uint32_t>(kSectionFile));
    file.resize(kSectionFile + rsrc.size());
    std::copy(rsrc.begin(), rsrc.end(), file.begin() + static_cast<std::ptrdiff_t>(kSectionFile));
    return file;
}

const Bytes& hundredGroups() {
    static const Bytes file = library(100);
    return file;
}

void BM_ListProgramIcons(benchmark::State& state) {
    const Bytes& file = hundredGroups();
    for (auto _ : state) {
        vantle::ProgramReadError error;
        const auto resources = vantle::readProgramResources(file, error);
        if (!resources || resources->groups.size() != 100)
            state.SkipWithError("the library does not read");
        benchmark::DoNotOptimize(resources);
    }
}
BENCHMARK(BM_ListProgramIcons);

void BM_ListAndDrawEveryProgramIcon(benchmark::State& state) {
    const Bytes& file = hundredGroups();
    for (auto _ : state) {
        vantle::ProgramReadError error;
        const auto resources = vantle::readProgramResources(file, error);
        if (!resources)
            state.SkipWithError("the library does not read");
        for (int g = 0; g < 100; ++g) {
            const vantle::ProgramIconPicture picture = vantle::drawProgramIcon(file, *resources, g);
            if (!picture.drawn)
                state.SkipWithError("an icon does not draw");
            benchmark::DoNotOptimize(picture.argb.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * 100);
    state.counters["file_bytes"] = static_cast<double>(file.size());
}
BENCHMARK(BM_ListAndDrawEveryProgramIcon);

} // namespace
