// Any bytes as a downloaded cursor pack's .zip archive: libzip opens it from memory and every pack file
// (.inf, .cur, .ani, .ico) is read within the limits; the entries read must keep those limits, and each
// entry that is a cursor file goes on to the lossless reader as the theme command reads it.

#include "FuzzSupport.h"
#include "model/CursorFiles.h"
#include "theme/ZipPack.h"

#include <cstddef>
#include <cstdint>
#include <span>

using namespace vantle;
using namespace vantle::theme;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ZipContents contents = readPackArchive(std::span(data, size));
    if (!contents.ok) {
        VANTLE_FUZZ_CHECK(!contents.error.empty());
        return 0;
    }
    std::uint64_t total = 0;
    VANTLE_FUZZ_CHECK(contents.entries.size() <= kMaxZipEntries);
    for (const ZipEntry& entry : contents.entries) {
        VANTLE_FUZZ_CHECK(!entry.name.empty() && entry.name.back() != '/');
        VANTLE_FUZZ_CHECK(entry.bytes.size() <= kMaxZipEntryBytes);
        total += entry.bytes.size();
        CursorReadReport report;
        const CursorFormat format = cursorFormatOf(entry.name, entry.bytes);
        if (format != CursorFormat::Unknown)
            (void)readCursorBytes(entry.bytes, format, report);
    }
    VANTLE_FUZZ_CHECK(total <= kMaxZipTotalBytes + kMaxZipEntryBytes);
    return 0;
}
