#include "OldParish.h"

#include "db/Connection.h"
#include "support/ProgramRun.h"
#include "support/TestFolder.h"
#include "transfer/OldDataImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

// The program copied into a test folder whose working year holds a receipt,
// and a folder of older tables beside it.
class ImportCommandLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.openWorkingYear();
        execOrFail(
            QStringLiteral("INSERT INTO Venituri (Nr_act, Data, Valoarea) VALUES (77, '2024-01-02', 5)"));
        Connection::close();
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(LUMIVARET_EXECUTABLE), folder.file(QStringLiteral("Lumivaret"))));
        parish.incomes(QStringLiteral("Venituri.DB"), {{1, 10}, {2, 20}});
        parish.incomes(QStringLiteral("2023/Venituri.DB"), {{1, 30}});
    }

    ProgramOutcome run(const QStringList& arguments)
    {
        return runProgram(folder.file(QStringLiteral("Lumivaret")), arguments);
    }
    QStringList receipts()
    {
        return rowsOf(folder.databaseFile(), QStringLiteral("SELECT Nr_act FROM Venituri"));
    }

    TestFolder folder;
    OldParish parish;
};

const QStringList summary = {"Venituri.DB: citite 2, preluate 2, refuzate 0",
                             "Anul 2023:", "Venituri.DB: citite 1, preluate 1, refuzate 0"};

} // namespace

TEST_F(ImportCommandLine, ReplacesAWorkingYearWithDocumentsOnlyWithReplace)
{
    const auto before = folderContents(folder.path());
    const ProgramOutcome refused = run({QStringLiteral("--import"), parish.path()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("--replace"))) << refused.err.toStdString();
    EXPECT_EQ(folderContents(folder.path()), before);

    const ProgramOutcome done = run({QStringLiteral("--import"), parish.path(), QStringLiteral("--replace")});
    EXPECT_EQ(done.exitCode, 0) << done.err.toStdString();
    EXPECT_EQ(done.err, QString());
    EXPECT_TRUE(done.out.startsWith(summary.join(QLatin1Char('\n')))) << done.out.toStdString();
    EXPECT_EQ(textFileLines(folder.file(OldDataImport::reportFileName)), summary);
    EXPECT_EQ(receipts(), QStringList({"1", "2"}));
    EXPECT_EQ(rowsOf(folder.file(QStringLiteral("2023/BazaDate.sqlite")),
                     QStringLiteral("SELECT Valoarea FROM Venituri")),
              QStringList({"30"}));
    const QStringList kept =
        QDir(folder.path()).entryList({QStringLiteral("BazaDate-inainte-de-import-*.sqlite")});
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(rowsOf(folder.file(kept.first()), QStringLiteral("SELECT Nr_act FROM Venituri")),
              QStringList({"77"}));
}

TEST_F(ImportCommandLine, RefusalsAndFailuresLeaveEverythingAsItWas)
{
    QFile damaged(parish.path() + QStringLiteral("2023/Venituri.DB"));
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    damaged.resize(damaged.size() - 10);
    damaged.close();
    const struct {
        QStringList arguments;
        int exitCode;
        const char* error;
    } cases[] = {
        {{"--import", parish.path(), "--replace"}, 1, "2023/Venituri.DB este deteriorat"},
        {{"--import", parish.path() + "lipsa"}, 2, "nu exista"},
        {{"--replace"}, 2, "--replace merge doar cu --import"},
        {{"--import", parish.path(), "--list-reports"}, 2, "nu merge impreuna"},
        {{"--import"}, 2, "Lipseste valoarea optiunii --import"},
    };
    const auto before = folderContents(folder.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const ProgramOutcome r = run(c.arguments);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.error))) << r.err.toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << "one line on standard error";
        EXPECT_EQ(folderContents(folder.path()), before);
    }
}

// Killed between moving the working year aside and putting the imported one
// in its place: the program, started next, finishes the import before it
// opens any database.
TEST_F(ImportCommandLine, AnImportCutShortAmongItsRenamesIsFinishedWhenTheProgramStarts)
{
    QTemporaryDir imported;
    OldDataImport(parish.path(), imported.path()).run(false);
    const QString staging = folder.file(OldDataImport::stagingPrefix + QStringLiteral("Xy12Ab"));
    ASSERT_TRUE(QDir().mkpath(staging));
    ASSERT_TRUE(QFile::copy(imported.filePath(QStringLiteral("BazaDate.sqlite")), staging + "/0.sqlite"));
    QFile plan(staging + "/plasare.plan");
    ASSERT_TRUE(plan.open(QIODevice::WriteOnly));
    const QString kept = QStringLiteral("BazaDate-inainte-de-import-20240105-101010.sqlite");
    plan.write((QFileInfo(staging).fileName() + "/0.sqlite\tBazaDate.sqlite\t" + kept + "\n").toUtf8());
    plan.close();
    ASSERT_TRUE(QFile::rename(folder.databaseFile(), folder.file(kept)));

    const ProgramOutcome started = run({QStringLiteral("--list-reports")});
    EXPECT_EQ(started.exitCode, 0) << started.err.toStdString();
    EXPECT_EQ(receipts(), (QStringList{"1", "2"}));
    EXPECT_EQ(rowsOf(folder.file(kept), QStringLiteral("SELECT Nr_act FROM Venituri")), QStringList{"77"});
    EXPECT_FALSE(QFileInfo::exists(staging));
}
