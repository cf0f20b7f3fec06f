#include "platform/PictureModule.h"
#include "tool/ProcessHeap.h"
#include "tool/VantleTool.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace {

// The folder of the running program, for finding the picture module beside it or in the installed
// library folder.
std::string programFolder(const char* argv0) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        return self.parent_path().string();
    return std::filesystem::absolute(argv0, error).parent_path().string();
}

} // namespace

int main(int argc, char** argv) {
    vantle::prepareToolHeap();
    const std::vector<std::string> args(argv + 1, argv + argc);
    vantle::PictureModule pictures(vantle::pictureModuleFolders(programFolder(argv[0])), std::cerr);
    return vantle::runTool(args, std::cout, std::cerr, &pictures);
}
