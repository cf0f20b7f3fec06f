// Animated cursors without loss: every frame with every size and hotspot, every step with its rate, and the
// header's and information list's values, read through the one RIFF parser and written back.

#include "model/AniStructure.h"
#include "model/BinaryFile.h"
#include "model/CursorFileParts.h"
#include "model/OnCores.h"
#include "model/TextCodec.h"

#include <algorithm>
#include <limits>

namespace vantle {

namespace lossless {

namespace {

constexpr std::int32_t kStillRate = 8; // jiffies of the one step of a still cursor written as .ani

// A title or author without the zeros that end it (the terminator and the pad byte).
std::string textOf(std::vector<std::uint8_t> bytes) {
    while (!bytes.empty() && bytes.back() == 0)
        bytes.pop_back();
    return ansiToUtf8(bytes);
}

} // namespace

std::optional<LosslessCursor> readAnimatedCursor(std::span<const std::uint8_t> bytes, ReadState& state) {
    const AniStructure ani = readAniStructure(bytes, kMaxSteps);
    if (!ani.riffAcon) {
        state.leftOut("not an animated cursor (no RIFF ACON form)");
        return std::nullopt;
    }
    LosslessCursor cursor;
    cursor.iconType = 2;
    cursor.ani.title = textOf(ani.title);
    cursor.ani.author = textOf(ani.author);
    cursor.ani.hadRateTable = ani.rates.has_value();
    cursor.ani.hadSequenceTable = ani.sequence.has_value();
    if (ani.header) {
        cursor.ani.defaultRate = ani.header->rate;
        cursor.ani.flags = ani.header->flags;
    }
    if (ani.cutShort)
        state.leftOut("the file ends before what its chunks declare (cut short)");
    if (!ani.hasFrameList) {
        state.leftOut("no frame list");
        return std::nullopt;
    }

    // Frames that give no image are left out; indexOf maps the file's frame numbers to the kept ones.
    std::vector<int> indexOf(ani.frames.size(), -1);
    for (std::size_t f = 0; f < ani.frames.size() && !state.spent(); ++f) {
        const std::string where = "frame " + std::to_string(f);
        ResourceFrame read = readResourceFrame(ani.frames[f], state, where);
        if (read.frame.images.empty()) {
            state.leftOut(where + ": no image could be read");
            continue;
        }
        indexOf[f] = static_cast<int>(cursor.frames.size());
        cursor.frames.push_back(std::move(read.frame));
    }
    if (cursor.frames.empty()) {
        if (ani.frames.empty())
            state.leftOut("the frame list holds no frame");
        return std::nullopt;
    }

    const std::vector<std::int32_t> none;
    const auto& sequence = ani.sequence ? *ani.sequence : none;
    const auto& rates = ani.rates ? *ani.rates : none;
    std::int64_t declared = ani.header ? ani.header->steps : 0;
    if (!ani.header || declared == 0) {
        // Without a step count every frame is shown once, in order.
        state.leftOut(ani.header ? "the header declares no steps: one step a frame"
                                 : "no header (anih): one step a frame");
        declared = static_cast<std::int64_t>(ani.frames.size());
    }
    // A step past the sequence names the frame of its own number, so no more steps can exist than the
    // larger of the two tables.
    const std::int64_t possible = static_cast<std::int64_t>(std::max(sequence.size(), ani.frames.size()));
    const std::int64_t taken =
        std::min<std::int64_t>({declared, possible, static_cast<std::int64_t>(kMaxSteps)});
    int dropped = static_cast<int>(std::min<std::int64_t>(declared - taken, std::numeric_limits<int>::max()));
    for (std::int64_t i = 0; i < taken; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const std::int64_t frame = at < sequence.size() ? sequence[at] : i;
        if (frame < 0 || frame >= static_cast<std::int64_t>(indexOf.size()) ||
            indexOf[static_cast<std::size_t>(frame)] < 0) {
            ++dropped;
            continue;
        }
        const std::int32_t rate = at < rates.size() ? rates[at] : cursor.ani.defaultRate;
        cursor.steps.push_back(
            {indexOf[static_cast<std::size_t>(frame)], std::max<std::int64_t>(0, rate) * kTicksPerJiffy});
    }
    if (dropped > 0)
        state.leftOut(std::to_string(dropped) + " step(s) name no frame that could be read");
    return cursor;
}

} // namespace lossless

namespace {

using namespace lossless;

// A text as the file holds it: code page 932 with a terminating zero; nothing for an empty text.
std::vector<std::uint8_t> terminatedText(const std::string& text) {
    std::vector<std::uint8_t> bytes = utf8ToAnsi(text);
    if (!bytes.empty())
        bytes.push_back(0);
    return bytes;
}

// Each step's rate in jiffies, rounded with the error carried; steps shorter than a jiffy are noted.
std::vector<std::int32_t> ratesOf(const std::vector<CursorStep>& steps, CursorWriteReport& report) {
    int shortSteps = 0;
    for (const CursorStep& step : steps)
        shortSteps += step.ticks < kTicksPerJiffy ? 1 : 0;
    if (shortSteps > 0)
        report.notes.push_back(
            std::to_string(shortSteps) +
            " step(s) shorter than one jiffy (1/60 s): each shown for at least one, rates rounded with "
            "the error carried to the next step");
    std::vector<std::int32_t> rates;
    for (std::int64_t r : carriedDelays(steps, kTicksPerJiffy))
        rates.push_back(
            static_cast<std::int32_t>(std::min<std::int64_t>(r, std::numeric_limits<std::int32_t>::max())));
    return rates;
}

// The header and the tables: a sequence when the steps do not show the frames once each in order, a rate
// table when the rates differ; either also when the source had one.
void setSteps(AniToWrite& ani, const LosslessCursor& cursor, const std::vector<CursorStep>& steps,
              std::vector<std::int32_t> rates, std::size_t frameCount) {
    bool ordered = steps.size() == frameCount;
    for (std::size_t i = 0; i < steps.size() && ordered; ++i)
        ordered = steps[i].frame == static_cast<int>(i);
    const bool sequenceTable = !ordered || cursor.ani.hadSequenceTable;
    const bool sameRates =
        std::all_of(rates.begin(), rates.end(), [&](std::int32_t r) { return r == rates[0]; });
    const bool rateTable = !sameRates || cursor.ani.hadRateTable;
    ani.header.frames = static_cast<std::int32_t>(frameCount);
    ani.header.steps = static_cast<std::int32_t>(steps.size());
    ani.header.rate = rateTable && cursor.ani.hadRateTable ? cursor.ani.defaultRate : rates[0];
    ani.header.flags =
        (cursor.ani.flags & ~kAniSequenceFlag) | kAniIconFlag | (sequenceTable ? kAniSequenceFlag : 0);
    if (sequenceTable) {
        ani.sequence.emplace();
        for (const CursorStep& step : steps)
            ani.sequence->push_back(step.frame);
    }
    if (rateTable)
        ani.rates = std::move(rates);
}

} // namespace

std::vector<std::uint8_t> buildAnimatedCursor(const LosslessCursor& cursor, CursorWriteReport& report) {
    if (cursor.frames.empty()) {
        report.notes.push_back("nothing to write: the cursor has no frame");
        return {};
    }
    const std::int64_t stillTicks =
        std::int64_t{cursor.ani.defaultRate > 0 ? cursor.ani.defaultRate : kStillRate} * kTicksPerJiffy;
    const std::vector<CursorStep> steps = stepsToWrite(cursor, stillTicks, report);
    const bool animated = steps.size() > 1 || cursor.animated();
    const std::size_t frameCount = animated ? cursor.frames.size() : 1;

    AniToWrite ani;
    ani.title = terminatedText(cursor.ani.title);
    ani.author = terminatedText(cursor.ani.author);
    setSteps(ani, cursor, steps, ratesOf(steps, report), frameCount);
    // Frames are encoded on every core (PNG entries are most of the time); their notes join in frame order.
    ani.frames.resize(frameCount);
    std::vector<CursorWriteReport> frameReports(frameCount);
    forEachOnCores(frameCount, [&](std::size_t f) {
        ani.frames[f] =
            writeResource(cursor.frames[f].images, 2, frameReports[f], "frame " + std::to_string(f));
    });
    std::size_t size = 0;
    for (std::size_t f = 0; f < frameCount; ++f) {
        report.notes.insert(report.notes.end(), frameReports[f].notes.begin(), frameReports[f].notes.end());
        report.invertedReplaced += frameReports[f].invertedReplaced;
        size += ani.frames[f].size();
    }
    if (size > kMaxWrittenBytes) {
        report.notes.push_back("not written: the file would be larger than " +
                               std::to_string(kMaxWrittenBytes >> 20) + " MiB");
        return {};
    }
    return writeAniStructure(ani);
}

} // namespace vantle
