#pragma once
// The document named on the command line.

#include <string>
#include <vector>

namespace vantle {

// The arguments after the program name, joined by blanks as the system's command line would hold them;
// one pair of double quotes is removed when the text both begins and ends with one.
inline std::string commandLineDocument(const std::vector<std::string>& args) {
    std::string line;
    for (const std::string& a : args) {
        if (!line.empty())
            line += ' ';
        line += a;
    }
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"')
        line = line.substr(1, line.size() - 2);
    return line;
}

} // namespace vantle
