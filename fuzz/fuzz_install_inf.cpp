// Any bytes as a cursor pack's Install.inf: the text decoding, the scheme parser and the roles of the
// file names it finds. The text it decoded, saved again as UTF-16 with a byte order mark (as Notepad's
// "Unicode"), must give the same scheme.

#include "FuzzSupport.h"
#include "theme/InfText.h"
#include "theme/InstallInf.h"
#include "theme/NameRoles.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using namespace vantle;
using namespace vantle::theme;

namespace {

std::vector<std::uint8_t> utf16WithMark(const std::string& utf8) {
    std::vector<std::uint8_t> out = {0xFF, 0xFE};
    auto unit = [&out](char32_t u) {
        out.push_back(static_cast<std::uint8_t>(u & 0xFF));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        VANTLE_FUZZ_CHECK(i + length <= utf8.size());
        char32_t value = length == 1 ? c : c & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            value = value << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        if (value >= 0x10000) {
            unit(0xD800 + ((value - 0x10000) >> 10));
            unit(0xDC00 + ((value - 0x10000) & 0x3FF));
        } else {
            unit(value);
        }
        i += length;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const InstallInf inf = parseInstallInfBytes(bytes);

    VANTLE_FUZZ_CHECK(inf.notes.size() <= kMaxInfNotes);
    bool any = false;
    for (const std::string& file : inf.files) {
        VANTLE_FUZZ_CHECK(file.find_first_of("\\/") == std::string::npos);
        VANTLE_FUZZ_CHECK(file.size() <= std::size_t{1} << 16);
        VANTLE_FUZZ_CHECK(file.empty() || (file.front() != ' ' && file.back() != ' '));
        any = any || !file.empty();
        VANTLE_FUZZ_CHECK(rolesForBaseName(file).size() <= 2);
    }
    VANTLE_FUZZ_CHECK(any == inf.hasCursors);

    const InstallInf again = parseInstallInfBytes(utf16WithMark(infTextAsUtf8(bytes)));
    VANTLE_FUZZ_CHECK(again.files == inf.files);
    VANTLE_FUZZ_CHECK(again.schemeName == inf.schemeName);
    return 0;
}
