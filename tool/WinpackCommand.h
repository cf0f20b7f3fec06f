#pragma once
// vantle-tool winpack: an X11 cursor theme becomes a Windows cursor pack with an install.inf.

#include <ostream>
#include <span>
#include <string>

namespace vantle {

// The arguments after "winpack": THEME_DIR OUT_DIR [--name NAME]. Returns the exit status: 0 done, 3 done
// in part (a cursor of the theme could not be written, or was read only in part), 1 nothing could be
// written, 2 wrong command line (after its reason on `err`).
int winpackCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace vantle
