// Any bytes as an Xcursor file, read into a fresh document.

#include "FuzzSupport.h"
#include "model/XcursorFileReader.h"

#include <cstddef>
#include <cstdint>

using namespace vantle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const MarkerColours markers;
    static const fuzz::FreshDocument fresh(markers);
    IconDocument document = fresh.next();
    fuzz::DiscardMessages messages;
    ReadContext context{messages, markers};

    const XcursorReadResult result =
        readXcursorBytes(document, std::span<const std::uint8_t>(data, size), context);

    fuzz::checkDocument(document);
    VANTLE_FUZZ_CHECK(result.outcome != ReadOutcome::NotOpened);
    // Stopped: exactly one message; complete: at least one image, and a notice only when sizes were left out.
    if (result.outcome == ReadOutcome::Stopped) {
        VANTLE_FUZZ_CHECK(messages.shown == 1);
    } else {
        VANTLE_FUZZ_CHECK(messages.shown == (result.sizesSkipped.empty() ? 0 : 1));
        VANTLE_FUZZ_CHECK(document.imageCount > 0);
        VANTLE_FUZZ_CHECK(!result.animated || document.stepCount == document.imageCount);
    }
    return 0;
}
