#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

// What a run of the program on the command line gave back.
struct BatchOutcome {
    int exitCode = -1; // -1 when it crashed or did not end
    QString out, err;
};

// Runs `program` with `arguments` without a display and without a chosen
// platform, in the given locale (LC_ALL), from `workingFolder`.
BatchOutcome runBatch(const QString& program, const QStringList& arguments,
                      const QString& locale = QStringLiteral("ro_RO.UTF-8"),
                      const QString& workingFolder = QDir::tempPath());

// The non-empty lines of a UTF-8 text file; empty when it cannot be read.
QStringList textFileLines(const QString& filePath);
