#include "model/AniFileWriter.h"

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
    const std::int32_t S = d.stepCount;
    const std::int32_t F = d.imageCount;
    if (d.hasStepTable)
        d.aniFlags |= kAniSequenceFlag;

    const std::vector<std::uint8_t> title = paddedAnsi(d.title);
    const std::vector<std::uint8_t> author = paddedAnsi(d.author);
    const bool hasInfo = !d.title.empty() || !d.author.empty();

    ByteWriter body;
    if (hasInfo) {
        const std::size_t t = title.size();
        const std::size_t a = author.size();
        body.writeTag("LIST");
        body.writeDword(static_cast<std::int64_t>(4 + (t > 0 ? 8 + t : 0) + (a > 0 ? 8 + a : 0)));
        body.writeTag("INFO");
        if (t > 0) {
            body.writeTag("INAM");
            body.writeDword(static_cast<std::int64_t>(t));
            body.writeBlock(title);
        }
        if (a > 0) {
            body.writeTag("IART");
            body.writeDword(static_cast<std::int64_t>(a));
            body.writeBlock(author);
        }
    }
    body.writeTag("anih");
    body.writeDword(36);
    for (std::int64_t value :
         {std::int64_t{36}, std::int64_t{F}, std::int64_t{S}, std::int64_t{0}, std::int64_t{0},
          std::int64_t{0}, std::int64_t{0}, std::int64_t{d.defaultRate}, std::int64_t{d.aniFlags}})
        body.writeDword(value);
    if (d.hasRateTable) {
        body.writeTag("rate");
        body.writeDword(4 * static_cast<std::int64_t>(S));
        for (int i = 0; i < S; ++i)
            body.writeDword(d.steps[static_cast<std::size_t>(i)].rate);
    }
    if (d.hasStepTable) {
        body.writeTag("seq ");
        body.writeDword(4 * static_cast<std::int64_t>(S));
        for (int i = 0; i < S; ++i)
            body.writeDword(d.steps[static_cast<std::size_t>(i)].imageIndex);
    }
    ByteWriter frames;
    for (int i = 0; i < F; ++i) {
        ByteWriter frame;
        writeCursorResource(frame, d.images[static_cast<std::size_t>(i)], markers);
        frames.writeTag("icon");
        frames.writeDword(static_cast<std::int64_t>(frame.size()));
        frames.writeBlock(frame.bytes());
    }
    body.writeTag("LIST");
    body.writeDword(static_cast<std::int64_t>(4 + frames.size()));
    body.writeTag("fram");
    body.writeBlock(frames.bytes());

    ByteWriter file;
    file.writeTag("RIFF");
    file.writeDword(static_cast<std::int64_t>(4 + body.size()));
    file.writeTag("ACON");
    file.writeBlock(body.bytes());
    return file.bytes();
}

bool writeAniFile(IconDocument& document, const std::string& path, const MarkerColours& markers,
                  MessageSink& messages) {
    const auto bytes = buildAniFile(document, markers, messages);
    return bytes && replaceFileContents(path, *bytes);
}

} // namespace vantle
