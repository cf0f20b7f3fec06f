// Any bytes as an animated cursor file, read into a fresh document.

#include "FuzzSupport.h"
#include "model/AniFileReader.h"

#include <cstddef>
#include <cstdint>

using namespace vantle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const MarkerColours markers;
    static const fuzz::FreshDocument fresh(markers);
    IconDocument document = fresh.next();
    fuzz::DiscardMessages messages;
    ReadContext context{messages, markers};

    const ReadOutcome outcome = readAniBytes(document, std::span<const std::uint8_t>(data, size), context);

    fuzz::checkDocument(document);
    // Stopping always says why; a complete read says nothing. (A file read in part may say nothing when
    // only further sizes of its frames or steps of missing frames were left out.)
    VANTLE_FUZZ_CHECK(outcome != ReadOutcome::Stopped || messages.shown > 0);
    VANTLE_FUZZ_CHECK(outcome != ReadOutcome::Complete || messages.shown == 0);
    VANTLE_FUZZ_CHECK(messages.shown == 0 || context.report.readInPart() || outcome == ReadOutcome::Stopped);
    VANTLE_FUZZ_CHECK(outcome != ReadOutcome::NotOpened);
    return 0;
}
