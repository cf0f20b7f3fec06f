#pragma once
// vantle-tool run in the test process: its exit status and what it printed.

#include "platform/qt/QtPictureService.h"
#include "tool/VantleTool.h"

#include <sstream>
#include <string>
#include <vector>

namespace vantle::test {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the tool with Qt's picture decoder, as the installed tool has it, or with none.
inline ToolRun runToolWith(const std::vector<std::string>& args, bool withPictures = true) {
    std::ostringstream out;
    std::ostringstream err;
    QtPictureService pictures;
    ToolRun run;
    run.status = runTool(args, out, err, withPictures ? &pictures : nullptr);
    run.out = out.str();
    run.err = err.str();
    return run;
}

} // namespace vantle::test
