#pragma once
// vantle-tool theme: a Windows cursor pack (its Install.inf, a folder, or files named by role) becomes a
// complete X11 cursor theme at every size.

#include <ostream>
#include <span>
#include <string>

namespace vantle {

// The arguments after "theme". Returns the exit status: 0 done, 3 done in part (a file or role left
// out, the rest written), 1 nothing could be written, 2 wrong command line (after its reason on `err`,
// or -1 when the usage should be printed).
int themeCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace vantle
