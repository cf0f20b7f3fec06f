#include "anim/SequenceEdits.h"

namespace vantle {

void shiftStepsAfterInsert(IconDocument& document, int selected) {
    for (int i = 0; i < document.stepCount; ++i) {
        AnimationStep& step = document.steps[static_cast<std::size_t>(i)];
        if (step.imageIndex > selected)
            ++step.imageIndex;
    }
}

void removeStepsOfImage(IconDocument& document, int index) {
    int kept = 0;
    for (int i = 0; i < document.stepCount; ++i) {
        AnimationStep step = document.steps[static_cast<std::size_t>(i)];
        if (step.imageIndex == index)
            continue;
        if (step.imageIndex > index)
            --step.imageIndex;
        document.steps[static_cast<std::size_t>(kept++)] = step;
    }
    document.stepCount = kept;
}

} // namespace vantle
