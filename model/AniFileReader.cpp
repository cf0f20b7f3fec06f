#include "model/AniFileReader.h"

#include "model/AniStructure.h"
#include "model/Messages.h"
#include "model/TextCodec.h"

#include <vector>

namespace vantle {

namespace {

ReadOutcome fail(ReadContext& context, std::string_view message) {
    context.messages.showMessage(message, MessageButtons::Ok, MessageIcon::Error);
    return ReadOutcome::Stopped;
}

} // namespace

ReadOutcome readAniBytes(IconDocument& document, std::span<const std::uint8_t> bytes, ReadContext& context) {
    context.report = {};
    const AniStructure ani =
        readAniStructure(bytes, static_cast<std::size_t>(IconDocument::kMaxStepCapacity));
    document.hasRateTable = ani.rates.has_value();
    document.hasStepTable = ani.sequence.has_value();
    document.title = ansiToUtf8(ani.title);
    document.author = ansiToUtf8(ani.author);
    const AniHeader header = ani.header.value_or(AniHeader{});
    if (ani.header) {
        document.defaultRate = header.rate;
        document.aniFlags = header.flags;
    }
    if (ani.cutShort)
        context.report.cutShort = true;
    if (!ani.hasFrameList) {
        if (ani.cutShort)
            return reportReadProblems(context);
        return fail(context, text::kDamaged);
    }
    if (header.steps > 0 &&
        document.stepCount + static_cast<std::int64_t>(header.steps) > IconDocument::kMaxStepCapacity)
        return fail(context, text::kTooManySteps);

    // Every frame gives at most one image; imageOfFrame says which, -1 for none.
    std::vector<int> imageOfFrame(ani.frames.size(), -1);
    for (std::size_t f = 0; f < ani.frames.size(); ++f) {
        if (!document.growForImage(document.imageCount))
            return fail(context, text::kTooManyImages);
        if (readFrameImage(document, ani.frames[f], context))
            imageOfFrame[f] = document.imageCount - 1;
    }
    // Steps name frames by number; a step whose frame gave no image, or does not exist, is left out.
    const std::vector<std::int32_t> noTable;
    const auto& sequence = ani.sequence ? *ani.sequence : noTable;
    const auto& rates = ani.rates ? *ani.rates : noTable;
    for (std::int32_t i = 0; i < header.steps; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const std::int64_t frame = index < sequence.size() && ani.sequence ? sequence[index] : i;
        if (frame < 0 || frame >= static_cast<std::int64_t>(imageOfFrame.size()) ||
            imageOfFrame[static_cast<std::size_t>(frame)] < 0) {
            ++context.report.stepsDropped;
            continue;
        }
        const std::int32_t rate = index < rates.size() ? rates[index] : document.defaultRate;
        if (!document.growForStep(document.stepCount))
            return fail(context, text::kTooManySteps);
        document.steps[static_cast<std::size_t>(document.stepCount)] = {
            imageOfFrame[static_cast<std::size_t>(frame)], rate};
        ++document.stepCount;
    }
    return reportReadProblems(context);
}

ReadOutcome readAniFile(IconDocument& document, const std::string& path, ReadContext& context) {
    document.hasRateTable = false;
    document.hasStepTable = false;
    BinaryFile file = MyOpen(path, "br", context.messages);
    if (file.handle() <= 0)
        return ReadOutcome::NotOpened;
    std::vector<std::uint8_t> bytes(file.reader().size());
    file.reader().readBlock(bytes);
    return readAniBytes(document, bytes, context);
}

} // namespace vantle
