#pragma once
// The animation sequence as the animation panel edits it: the default sequence of all images, inserting a
// step behind the selected one and deleting the selected step.

#include "model/IconDocument.h"

namespace vantle {

// Step i shows image i with the common rate, for every image; true when that made at least one step.
bool makeDefaultSequence(IconDocument& document);

// Where a new step goes: behind the selected step, or at 0 when the sequence is empty.
int insertPosition(const IconDocument& document, int selectedStep);

// Puts (image, defaultRate) at insertPosition, the later steps moving back by one, growing the storage
// when the steps fill it. False, with nothing changed, when the document cannot grow any further.
[[nodiscard]] bool insertStep(IconDocument& document, int selectedStep, int image);

// Removes the selected step; the later steps move forward with their rates. Nothing happens without steps
// or for an index outside them.
void deleteStep(IconDocument& document, int selectedStep);

// Whether a step shows an image the document holds.
bool showsImage(const IconDocument& document, int step);

} // namespace vantle
