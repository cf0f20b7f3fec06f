// Any bytes as one icon resource, read into a fresh document.

#include "FuzzSupport.h"
#include "model/IconFileReader.h"

#include <cstddef>
#include <cstdint>

using namespace vantle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const MarkerColours markers;
    static const fuzz::FreshDocument fresh(markers);
    IconDocument document = fresh.next();
    fuzz::DiscardMessages messages;
    ReadContext context{messages, markers};

    ByteReader reader(std::span<const std::uint8_t>(data, size));
    const ReadOutcome outcome = readIconResource(document, reader, context);

    fuzz::checkDocument(document);
    // A message is shown exactly when the resource was not read whole, but for soft alpha, which is cut
    // without one (a save over the file asks instead).
    VANTLE_FUZZ_CHECK((outcome != ReadOutcome::Complete) ==
                      (messages.shown > 0 || context.report.imagesAlphaCut > 0));
    VANTLE_FUZZ_CHECK(outcome != ReadOutcome::NotOpened);
    VANTLE_FUZZ_CHECK(document.stepCount == 0);
    return 0;
}
