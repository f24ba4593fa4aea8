#pragma once

#include "support/ProgramRun.h"
#include "support/TestFolder.h"

#include <QSqlDatabase>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

// The program copied into a test folder beside a working year that the test
// filled first, run there as a batch job.
class CopiedProgramFixture : public ::testing::Test
{
protected:
    // Lets `fill` write the working year, closes it and copies the program beside it.
    void copyProgramBeside(const std::function<void(const QSqlDatabase&)>& fill);

    QString program() const { return folder.file(QStringLiteral("Lumivaret")); }
    ProgramOutcome run(const QStringList& arguments,
                       const QString& locale = QStringLiteral("ro_RO.UTF-8")) const
    {
        return runProgram(program(), arguments, locale);
    }
    // The non-empty lines of the text file `name` in the folder.
    QStringList fileLines(const QString& name) const { return textFileLines(folder.file(name)); }

    TestFolder folder;
};
