#pragma once
// The command-line companion: prints what the readers take from a file and converts between the formats
// exactly as the window saves them.

#include "platform/Platform.h"

#include <ostream>
#include <span>
#include <string>

namespace vantle {

// Runs one command line (without the program name). Returns the exit status: 0 done, 1 a reader or
// writer showed a message or failed, 2 the command line was wrong, 3 done in part (the input was read in
// part, or a theme left a file or cursor out).
int runTool(std::span<const std::string> args, std::ostream& out, std::ostream& err,
            PictureService* pictures);

} // namespace vantle
