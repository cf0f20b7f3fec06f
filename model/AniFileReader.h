#pragma once
// Reading animated cursor files (.ani, RIFF form "ACON").

#include "model/IconFileReader.h"

namespace vantle {

// Appends the frames as images and the steps to the animation sequence, and takes over title, author,
// display rate and flags.
ReadOutcome readAniFile(IconDocument& document, const std::string& path, ReadContext& context);

// The same on bytes already in memory.
ReadOutcome readAniBytes(IconDocument& document, std::span<const std::uint8_t> bytes, ReadContext& context);

} // namespace vantle
