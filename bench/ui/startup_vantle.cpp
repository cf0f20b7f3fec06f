// Starts Vantle exactly as the program does and quits as soon as the main window is on screen.

#include "app/Startup.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    return vantle::ui::runProgram(argc, argv, [] { QCoreApplication::quit(); });
}
