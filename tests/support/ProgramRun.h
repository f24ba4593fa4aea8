#pragma once

#include <QString>
#include <QList>
#include <QStringList>
#include <utility>

// What a run of the program printed and how it ended.
struct ProgramOutcome {
    int exitCode = -1; // -1 when it crashed or did not end in time
    QString out, err;
};

// Variables set for one run ("LUMIVARET_FOLDER", "HOME"); an empty value removes the variable.
using EnvironmentChanges = QList<std::pair<QString, QString>>;

// Runs a copy of the program as a batch job would: without a display and
// without a chosen Qt platform, in the given locale (LC_ALL), from
// `workingFolder`, without LUMIVARET_FOLDER unless `environment` sets it;
// waits up to a minute for it to end.
ProgramOutcome runProgram(const QString& program, const QStringList& arguments,
                          const QString& locale = QStringLiteral("ro_RO.UTF-8"),
                          const QString& workingFolder = {}, const EnvironmentChanges& environment = {});

// The non-empty lines of a UTF-8 text file; empty when it cannot be read.
QStringList textFileLines(const QString& filePath);
