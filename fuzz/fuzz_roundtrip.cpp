// Any bytes read as an animated cursor (when they start with "RIFF") or as an icon resource, then written
// as an icon file and as an animated cursor and read back: every written image must come back with its
// size, depth, hotspot and pixels, and the animation with its steps, rate and flags; and what was read
// back, written again, must give the same bytes as the first write.

#include "FuzzSupport.h"
#include "model/AniFileReader.h"
#include "model/AniFileWriter.h"
#include "model/IconEntryFields.h"
#include "model/IconFileReader.h"
#include "model/IconFileWriter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

using namespace vantle;

namespace {

// hotspotKept is false for an icon file's image whose hotspot reads as planes and bit count: it comes
// back as (0, 0).
void checkSameImage(const IconImage& written, const IconImage& readBack, bool hotspotKept = true) {
    VANTLE_FUZZ_CHECK(readBack.width == written.width);
    VANTLE_FUZZ_CHECK(readBack.height == written.height);
    VANTLE_FUZZ_CHECK(readBack.depth == written.depth);
    VANTLE_FUZZ_CHECK(readBack.hotspotX == (hotspotKept ? written.hotspotX : 0));
    VANTLE_FUZZ_CHECK(readBack.hotspotY == (hotspotKept ? written.hotspotY : 0));
    for (int y = 0; y < written.height; ++y)
        for (int x = 0; x < written.width; ++x)
            VANTLE_FUZZ_CHECK(readBack.pixels(x, y) == written.pixels(x, y));
}

ReadOutcome readAny(IconDocument& document, std::span<const std::uint8_t> bytes, ReadContext& context) {
    constexpr std::string_view riff = "RIFF";
    if (bytes.size() >= 4 && std::equal(riff.begin(), riff.end(), bytes.begin()))
        return readAniBytes(document, bytes, context);
    ByteReader reader(bytes);
    return readIconResource(document, reader, context);
}

void roundTripIcon(IconDocument& document, const MarkerColours& markers) {
    const std::vector<std::uint8_t> file = buildIconFile(document, 1, markers);
    static const fuzz::FreshDocument fresh(markers);
    IconDocument back = fresh.next();
    fuzz::DiscardMessages messages;
    ReadContext context{messages, markers};
    ByteReader reader(file);
    VANTLE_FUZZ_CHECK(readIconResource(back, reader, context) == ReadOutcome::Complete);
    VANTLE_FUZZ_CHECK(messages.shown == 0);
    VANTLE_FUZZ_CHECK(reader.position() == file.size());
    int k = 0;
    for (int i = 0; i < document.imageCount; ++i) {
        const IconImage& image = document.images[static_cast<std::size_t>(i)];
        if (!image.writeFlag)
            continue;
        VANTLE_FUZZ_CHECK(k < back.imageCount);
        const bool hotspotKept =
            !fieldsArePlanesAndBitCount(1, {image.hotspotX, image.hotspotY}, bitCountOf(image.depth));
        checkSameImage(image, back.images[static_cast<std::size_t>(k)], hotspotKept);
        ++k;
    }
    VANTLE_FUZZ_CHECK(k == back.imageCount);
    VANTLE_FUZZ_CHECK(buildIconFile(back, 1, markers) == file);
}

void roundTripAni(IconDocument& document, const MarkerColours& markers) {
    fuzz::DiscardMessages writeMessages;
    const auto file = buildAniFile(document, markers, writeMessages);
    // Reduction to 256 colours always succeeds: the kept colours and the two marker entries are all that
    // remain.
    VANTLE_FUZZ_CHECK(file.has_value());
    VANTLE_FUZZ_CHECK(writeMessages.shown == 0);
    static const fuzz::FreshDocument fresh(markers);
    IconDocument back = fresh.next();
    fuzz::DiscardMessages messages;
    ReadContext context{messages, markers};
    VANTLE_FUZZ_CHECK(readAniBytes(back, *file, context) == ReadOutcome::Complete);
    VANTLE_FUZZ_CHECK(messages.shown == 0);
    VANTLE_FUZZ_CHECK(back.imageCount == document.imageCount);
    for (int i = 0; i < document.imageCount; ++i)
        checkSameImage(document.images[static_cast<std::size_t>(i)],
                       back.images[static_cast<std::size_t>(i)]);
    VANTLE_FUZZ_CHECK(back.stepCount == document.stepCount);
    for (int s = 0; s < document.stepCount; ++s)
        VANTLE_FUZZ_CHECK(back.steps[static_cast<std::size_t>(s)] ==
                          document.steps[static_cast<std::size_t>(s)]);
    VANTLE_FUZZ_CHECK(back.defaultRate == document.defaultRate);
    VANTLE_FUZZ_CHECK(back.aniFlags == document.aniFlags);
    const auto again = buildAniFile(back, markers, writeMessages);
    VANTLE_FUZZ_CHECK(again.has_value() && *again == *file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const MarkerColours markers;
    static const fuzz::FreshDocument fresh(markers);
    IconDocument document = fresh.next();
    fuzz::DiscardMessages messages;
    ReadContext context{messages, markers};
    readAny(document, std::span<const std::uint8_t>(data, size), context);
    fuzz::checkDocument(document);

    roundTripIcon(document, markers);
    roundTripAni(document, markers);
    return 0;
}
