#pragma once

#include <QString>
#include <QStringList>

// What a run of the program printed and how it ended.
struct ProgramOutcome {
    int exitCode = -1; // -1 when it crashed or did not end in time
    QString out, err;
};

// Runs a copy of the program as a batch job would: without a display and
// without a chosen Qt platform, in the given locale (LC_ALL), from
// `workingFolder`; waits up to a minute for it to end.
ProgramOutcome runProgram(const QString& program, const QStringList& arguments,
                          const QString& locale = QStringLiteral("ro_RO.UTF-8"),
                          const QString& workingFolder = {});

// The non-empty lines of a UTF-8 text file; empty when it cannot be read.
QStringList textFileLines(const QString& filePath);
