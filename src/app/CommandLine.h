#pragma once

#include <optional>

// The batch paths of the program, run without a window or a question:
//
//     Lumivaret --list-reports
//     Lumivaret --report NAME [--from DATE] [--to DATE] [--code CODE] [--pdf FILE] [--csv FILE]
//     Lumivaret --import FOLDER [--replace]
//
// DATE is 2024-03-01 or 01.03.2024; the period defaults to the working year.
// Returns the exit status (0 done, 2 bad argument, 1 database or file
// failure, each failure with one line on standard error), or nothing when
// the arguments ask for neither path and the program starts its windows.
// Must run before any application object exists: it chooses Qt's offscreen
// platform itself, so that it also runs without a display.
std::optional<int> runCommandLine(int argc, char** argv);
