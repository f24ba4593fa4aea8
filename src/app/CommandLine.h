#pragma once

#include <QString>
#include <optional>

// The command line of the program:
//
//     Lumivaret [--folder DIR]                        the main window
//     Lumivaret [--folder DIR] --list-reports
//     Lumivaret [--folder DIR] --report NAME [--from DATE] [--to DATE] [--code CODE] [--pdf FILE] [--csv FILE]
//     Lumivaret [--folder DIR] --import FOLDER [--replace]
//     Lumivaret --help | --version
//
// DATE is 2024-03-01 or 01.03.2024; the period defaults to the working year.
// The batch paths run without a window or a question. Must run before any
// application object exists: it chooses Qt's offscreen platform itself, so
// that it also runs without a display.
struct CommandLineStart {
    // The exit status (0 done, 2 bad argument, 1 database or file failure,
    // each failure with one line on standard error); nothing when the
    // arguments ask for the main window.
    std::optional<int> exitStatus;
    QString folderOption; // --folder, for the main window
};
CommandLineStart runCommandLine(int argc, char** argv);
