// Any bytes as a program or library: the resource index is read, every icon group drawn at 32 x 32, and
// the bytes are also drawn as one icon image of their own.

#include "FuzzSupport.h"
#include "model/ProgramIcons.h"

#include <cstddef>
#include <cstdint>

using namespace vantle;

namespace {

void checkPicture(const ProgramIconPicture& picture) {
    for (const std::uint32_t p : picture.argb) {
        const std::uint32_t alpha = p >> 24;
        VANTLE_FUZZ_CHECK(alpha == 0 || alpha == 0xFF);
        VANTLE_FUZZ_CHECK(alpha != 0 || p == 0);
        VANTLE_FUZZ_CHECK(picture.drawn || p == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    ProgramReadError error;
    const auto resources = readProgramResources(bytes, error);
    VANTLE_FUZZ_CHECK(resources.has_value() == error.message.empty());
    if (resources) {
        for (const FileRange& g : resources->groups)
            VANTLE_FUZZ_CHECK(g.offset <= size && g.size <= size - g.offset);
        for (const auto& icon : resources->icons)
            VANTLE_FUZZ_CHECK(icon.second.offset <= size && icon.second.size <= size - icon.second.offset);
        const int groups = static_cast<int>(resources->groups.size());
        for (int g = 0; g < groups && g < 64; ++g)
            checkPicture(drawProgramIcon(bytes, *resources, g));
    }
    checkPicture(drawIconImage(bytes));
    return 0;
}
