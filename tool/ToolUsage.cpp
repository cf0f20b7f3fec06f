#include "tool/ToolUsage.h"

#include <vector>

namespace vantle {

std::string usageOf(std::string_view usage, const std::string& command) {
    std::vector<std::string_view> lines;
    std::vector<std::string_view> commands;
    for (std::size_t at = 0; at < usage.size();) {
        const std::size_t end = std::min(usage.find('\n', at), usage.size());
        std::string_view line = usage.substr(at, end - at);
        at = end + 1;
        // A command line starts with two blanks and a letter; its arguments end where two blanks begin.
        if (line.size() < 3 || !line.starts_with("  ") || line[2] == ' ' || line[2] == '-')
            continue;
        line.remove_prefix(2);
        line = line.substr(0, line.find("  "));
        const std::string_view name = line.substr(0, line.find(' '));
        if (commands.empty() || commands.back() != name)
            commands.push_back(name);
        if (name == command)
            lines.push_back(line);
    }
    std::string out;
    for (std::string_view line : lines)
        out.append("usage: vantle-tool ").append(line).append("\n");
    if (out.empty()) {
        if (!command.empty())
            out = "vantle-tool: unknown command " + command + "\n";
        out += "usage: vantle-tool COMMAND ARGUMENTS; commands:";
        for (std::string_view name : commands)
            out.append(" ").append(name);
        out += "\n";
    }
    return out + "vantle-tool --help says more\n";
}

} // namespace vantle
