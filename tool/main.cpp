#include "platform/qt/QtPictureService.h"
#include "tool/VantleTool.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    vantle::QtPictureService pictures;
    return vantle::runTool(args, std::cout, std::cerr, &pictures);
}
