#include "anim/StepSequence.h"

#include <algorithm>
#include <cassert>

namespace vantle {

bool makeDefaultSequence(IconDocument& document) {
    // The step storage is always twice the image storage, so every image has room.
    assert(document.stepCapacity() >= document.imageCount);
    for (int i = 0; i < document.imageCount; ++i)
        document.steps[static_cast<std::size_t>(i)] = {i, document.defaultRate};
    document.stepCount = document.imageCount;
    return document.stepCount > 0;
}

int insertPosition(const IconDocument& document, int selectedStep) {
    if (document.stepCount == 0)
        return 0;
    return std::clamp(selectedStep + 1, 0, static_cast<int>(document.stepCount));
}

bool insertStep(IconDocument& document, int selectedStep, int image) {
    if (!document.growForStep(document.stepCount))
        return false;
    const int at = insertPosition(document, selectedStep);
    auto& steps = document.steps;
    std::move_backward(steps.begin() + at, steps.begin() + document.stepCount,
                       steps.begin() + document.stepCount + 1);
    steps[static_cast<std::size_t>(at)] = {image, document.defaultRate};
    ++document.stepCount;
    return true;
}

void deleteStep(IconDocument& document, int selectedStep) {
    if (selectedStep < 0 || selectedStep >= document.stepCount)
        return;
    auto& steps = document.steps;
    std::move(steps.begin() + selectedStep + 1, steps.begin() + document.stepCount,
              steps.begin() + selectedStep);
    --document.stepCount;
}

bool showsImage(const IconDocument& document, int step) {
    if (step < 0 || step >= document.stepCount)
        return false;
    const std::int32_t image = document.steps[static_cast<std::size_t>(step)].imageIndex;
    return image >= 0 && image < document.imageCount;
}

} // namespace vantle
