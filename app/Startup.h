#pragma once
// The start-up routine: settings, the document, the command line and the main window.

#include <functional>

namespace vantle::ui {

// Runs the program until its window closes; whenShown, if given, runs once the window is on screen.
int runProgram(int argc, char** argv, const std::function<void()>& whenShown = {});

} // namespace vantle::ui
