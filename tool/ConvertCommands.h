#pragma once
// The tool's commands that go through the lossless cursor layer: `convert` and `xcursor`, which never lose
// what the output format can hold, and `info --all`, which shows every frame and size a file holds.

#include <ostream>
#include <span>
#include <string>

namespace vantle {

// convert IN OUT [--group N]. Returns the exit status (0 done, 1 not read or not written, 2 wrong
// arguments, 3 done with the input read in part), or -1 when the arguments are not this command's.
int convertCommand(std::span<const std::string> args, std::ostream& err);

// xcursor IN OUT [--group N], the same statuses.
int xcursorCommand(std::span<const std::string> args, std::ostream& err);

// info --all FILE: the lossless view of FILE; the same statuses.
int losslessInfoCommand(const std::string& path, std::ostream& out, std::ostream& err);

} // namespace vantle
