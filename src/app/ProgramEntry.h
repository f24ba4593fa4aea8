#pragma once

// Starts the program: the batch paths of the command line (CommandLine.h),
// else the application, the program folder, the main window
// and the event loop until the main window closes. Returns the exit code.
int runProgram(int argc, char** argv);
