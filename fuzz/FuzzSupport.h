#pragma once
// What every fuzz target shares: a message sink that forgets, a fresh document per input, the invariants
// every reader must keep, and a check that stops the run even in builds without assertions.

#include "model/Colour.h"
#include "model/IconDocument.h"
#include "platform/Platform.h"

#include <cstdio>
#include <cstdlib>

namespace vantle::fuzz {

// Stops the run with the failed condition; the fuzzer saves the input that caused it.
#define VANTLE_FUZZ_CHECK(condition)                                                                         \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);               \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

class DiscardMessages : public MessageSink {
  public:
    MessageAnswer showMessage(std::string_view, MessageButtons buttons, MessageIcon) override {
        ++shown;
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    int shown = 0;
};

// A document as a new one starts (16 slots, every pixel transparent, no steps), copied from a pristine
// one for every input. The copy lives only as long as the input: every byte it takes is given back
// before the input ends, so libFuzzer sees as many frees as mallocs and does not run the input a second
// time looking for a leak.
class FreshDocument {
  public:
    explicit FreshDocument(const MarkerColours& markers) { pristine_.clearImages(markers.transparent); }
    IconDocument next() const { return pristine_; }

  private:
    IconDocument pristine_;
};

// What every reader must leave behind, whatever it was given.
inline void checkDocument(const IconDocument& document) {
    VANTLE_FUZZ_CHECK(document.imageCount >= 0 && document.imageCount <= document.imageCapacity());
    VANTLE_FUZZ_CHECK(document.imageCapacity() <= IconDocument::kMaxImageCapacity);
    VANTLE_FUZZ_CHECK(document.stepCapacity() == 2 * document.imageCapacity());
    VANTLE_FUZZ_CHECK(document.stepCount >= 0 && document.stepCount <= document.stepCapacity());
    for (int i = 0; i < document.imageCount; ++i) {
        const IconImage& image = document.images[static_cast<std::size_t>(i)];
        VANTLE_FUZZ_CHECK(image.width >= 1 && image.width <= kImageGrid);
        VANTLE_FUZZ_CHECK(image.height >= 1 && image.height <= kImageGrid);
        VANTLE_FUZZ_CHECK(image.depth == 2 || image.depth == 16 || image.depth == 256 ||
                          image.depth == kDepthFull);
    }
    for (int s = 0; s < document.stepCount; ++s) {
        const AnimationStep& step = document.steps[static_cast<std::size_t>(s)];
        VANTLE_FUZZ_CHECK(step.imageIndex >= 0 && step.imageIndex < document.imageCount);
    }
}

} // namespace vantle::fuzz
