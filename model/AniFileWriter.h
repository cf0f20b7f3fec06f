#pragma once
// Writing animated cursor files (.ani): every image becomes one cursor frame, the steps become the step
// count and, where needed, the rate and sequence chunks.

#include "model/IconDocument.h"
#include "platform/Platform.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vantle {

// Prepares the steps and the frames' colours (reducing frames of more than 256 colours) and returns the
// file's bytes; nothing after the reduce failure message.
std::optional<std::vector<std::uint8_t>> buildAniFile(IconDocument& document, const MarkerColours& markers,
                                                      MessageSink& messages);

// buildAniFile, then replaces the file at path in one step. False when nothing was written; an existing
// file is then left as it was.
bool writeAniFile(IconDocument& document, const std::string& path, const MarkerColours& markers,
                  MessageSink& messages);

} // namespace vantle
