#include "model/AniFileWriter.h"

#include "model/AniStructure.h"
#include "model/BinaryFile.h"
#include "model/ColourAnalysis.h"
#include "model/IconFileWriter.h"
#include "model/Messages.h"
#include "model/TextCodec.h"

namespace vantle {

namespace {

void prepareSteps(IconDocument& d) {
    if (d.stepCount == 0) {
        // No sequence yet: every image once, at the common rate.
        d.stepCount = d.imageCount;
        for (int i = 0; i < d.imageCount; ++i)
            d.steps[static_cast<std::size_t>(i)] = {i, d.defaultRate};
        return;
    }
    if (d.stepCount != d.imageCount)
        d.hasStepTable = true;
    for (int i = 0; i < d.stepCount; ++i) {
        const AnimationStep& step = d.steps[static_cast<std::size_t>(i)];
        if (step.imageIndex != i)
            d.hasStepTable = true;
        if (step.rate != d.defaultRate)
            d.hasRateTable = true;
    }
}

// Gives every frame a depth of at most 256 colours; false when one stays at full colour.
bool prepareFrames(IconDocument& d, const MarkerColours& markers) {
    for (int i = 0; i < d.imageCount; ++i) {
        IconImage& image = d.images[static_cast<std::size_t>(i)];
        const int n = countColours(d, i, markers);
        if (n >= 1) {
            image.depth = depthFromCount(n);
        } else if (n < 0) {
            // An image marked as 2 colours can still hold more after editing; it is reduced to 2.
            if (image.depth == 2)
                reduceColoursTo(d, i, 2, markers);
            else
                reduceColours(d, i, markers);
            if (image.depth == kDepthFull)
                return false;
        }
    }
    return true;
}

std::vector<std::uint8_t> paddedAnsi(const std::string& text) {
    std::vector<std::uint8_t> bytes = utf8ToAnsi(text);
    if (bytes.size() % 2 != 0)
        bytes.push_back(0);
    return bytes;
}

} // namespace

std::optional<std::vector<std::uint8_t>> buildAniFile(IconDocument& d, const MarkerColours& markers,
                                                      MessageSink& messages) {
    prepareSteps(d);
    if (!prepareFrames(d, markers)) {
        messages.showMessage(text::kReduceFailed, MessageButtons::Ok, MessageIcon::Error);
        return std::nullopt;
    }
    if (d.hasStepTable)
        d.aniFlags |= kAniSequenceFlag;
    // The program's own layout: the information list first, texts padded to an even length.
    AniToWrite ani;
    ani.informationFirst = true;
    if (!d.title.empty() || !d.author.empty()) {
        ani.title = paddedAnsi(d.title);
        ani.author = paddedAnsi(d.author);
    }
    ani.header.frames = d.imageCount;
    ani.header.steps = d.stepCount;
    ani.header.rate = d.defaultRate;
    ani.header.flags = d.aniFlags;
    const auto steps = std::span(d.steps).first(static_cast<std::size_t>(d.stepCount));
    if (d.hasRateTable) {
        ani.rates.emplace();
        for (const AnimationStep& step : steps)
            ani.rates->push_back(step.rate);
    }
    if (d.hasStepTable) {
        ani.sequence.emplace();
        for (const AnimationStep& step : steps)
            ani.sequence->push_back(step.imageIndex);
    }
    for (int i = 0; i < d.imageCount; ++i) {
        ByteWriter frame;
        writeCursorResource(frame, d.images[static_cast<std::size_t>(i)], markers);
        ani.frames.push_back(frame.take());
    }
    return writeAniStructure(ani);
}

bool writeAniFile(IconDocument& document, const std::string& path, const MarkerColours& markers,
                  MessageSink& messages) {
    const auto bytes = buildAniFile(document, markers, messages);
    return bytes && replaceFileContents(path, *bytes);
}

} // namespace vantle
