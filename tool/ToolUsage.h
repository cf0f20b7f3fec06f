#pragma once
// What a wrong command line prints: the usage lines of the command it names, not the whole help.

#include <string>
#include <string_view>

namespace vantle {

// From the help text `usage` (commands listed as lines "  COMMAND ARGUMENTS   what it does"), the
// "usage: vantle-tool COMMAND ARGUMENTS" lines of `command`, or the list of commands when it names none.
std::string usageOf(std::string_view usage, const std::string& command);

} // namespace vantle
