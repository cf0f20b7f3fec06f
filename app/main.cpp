#include "app/Startup.h"

int main(int argc, char** argv) {
    return vantle::ui::runProgram(argc, argv);
}
