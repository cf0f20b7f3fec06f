#pragma once
// What every lossless read promises, whatever the bytes: shared by the fuzz targets, which stop on a
// broken promise, and the replay test, which names it.

#include "model/CursorFileParts.h"
#include "model/CursorFiles.h"

#include <optional>
#include <string>

namespace vantle::fuzz {

// Empty when the read kept every promise, else the first one it broke. A program's group may have no
// frame (a group none of whose images could be read keeps its number).
inline std::string losslessReadProblem(const std::optional<LosslessCursor>& cursor,
                                       const CursorReadReport& report, bool programGroup) {
    if (report.complete != report.problems.empty())
        return "complete says " + std::string(report.complete ? "yes" : "no") + " beside " +
               std::to_string(report.problems.size()) + " problem(s)";
    if (!cursor)
        return report.complete ? "nothing read, yet complete" : "";
    if (!programGroup && cursor->frames.empty())
        return "a cursor without frames";
    std::size_t pixels = 0;
    for (std::size_t f = 0; f < cursor->frames.size(); ++f) {
        const auto& images = cursor->frames[f].images;
        const std::string where = "frame " + std::to_string(f);
        if (images.empty())
            return where + " holds no image";
        for (const CursorImage& image : images) {
            if (image.width < 1 || image.width > kMaxCursorSide || image.height < 1 ||
                image.height > kMaxCursorSide)
                return where + ": an image of " + std::to_string(image.width) + " x " +
                       std::to_string(image.height);
            if (image.argb.size() !=
                    static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) ||
                (!image.inverted.empty() && image.inverted.size() != image.argb.size()))
                return where + ": pixel values and size disagree";
            if (image.hotspotX < 0 || image.hotspotX >= image.width || image.hotspotY < 0 ||
                image.hotspotY >= image.height)
                return where + ": a hotspot outside its image";
            if (image.storedBits != 0 && image.storedBits != 1 && image.storedBits != 4 &&
                image.storedBits != 8 && image.storedBits != 24 && image.storedBits != 32)
                return where + ": stored as " + std::to_string(image.storedBits) + " bits";
            pixels += image.argb.size();
        }
    }
    if (pixels > lossless::kMaxPixels)
        return std::to_string(pixels) + " pixels, more than a read may take";
    if (cursor->steps.size() > lossless::kMaxSteps)
        return std::to_string(cursor->steps.size()) + " steps, more than a read may take";
    for (const CursorStep& step : cursor->steps)
        if (step.frame < 0 || static_cast<std::size_t>(step.frame) >= cursor->frames.size() || step.ticks < 0)
            return "a step of frame " + std::to_string(step.frame) + " for " + std::to_string(step.ticks) +
                   " ticks";
    return {};
}

} // namespace vantle::fuzz
