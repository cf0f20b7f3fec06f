#pragma once
// Keeping the animation steps pointing at the right images when images are inserted or deleted.

#include "model/IconDocument.h"

namespace vantle {

// An image was inserted at index selected + 1: steps showing a later image follow it.
void shiftStepsAfterInsert(IconDocument& document, int selected);

// Image index was removed: its steps go (with their rates), steps of later images move down by one.
void removeStepsOfImage(IconDocument& document, int index);

} // namespace vantle
