#include "year/DataFolderCopy.h"
#include "BackupFixture.h"
#include "support/TestFolder.h"

#include "core/UserError.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Sql.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace BackupFixture;

namespace
{

bool noProgramFile(const QString& name)
{
    return !name.contains(QStringLiteral("Lumivaret"));
}

} // namespace

TEST(DataFolderCopy, CopiesTheOpenDatabaseAndTheFilteredFilesButNoJournal)
{
    TestFolder folder;
    folder.openWorkingYear();
    execOrFail(QStringLiteral("INSERT INTO Stoc (Denumire, Cantitate, Pret) VALUES ('Candela', 2, 10)"));
    folder.write(QStringLiteral("Configurari.ini"), "[Options]\n");
    folder.write(QStringLiteral("poza.jpg"), "jpeg");
    folder.write(QStringLiteral("Lumivaret"), "program");
    // A stale journal beside the copy would roll part of it back at its next opening.
    folder.write(QStringLiteral("BazaDate.sqlite-journal"), "stale");
    const QTemporaryDir target;
    const QString into = target.path() + QStringLiteral("/Salvare/2024");

    DataFolderCopy::copy(folder.path(), into, noProgramFile);

    EXPECT_EQ(filesIn(into), (QStringList{QStringLiteral("BazaDate.sqlite"),
                                          QStringLiteral("Configurari.ini"), QStringLiteral("poza.jpg")}));
    EXPECT_EQ(rowsIn(into + QStringLiteral("/BazaDate.sqlite"), QStringLiteral("Stoc")), 1);
    EXPECT_TRUE(Connection::isOpen()); // the program's connection is left as it was
}

TEST(DataFolderCopy, CopiesAClosedYearsFolderThroughAConnectionOfItsOwn)
{
    TestFolder folder;
    folder.openWorkingYear();
    execOrFail(QStringLiteral("INSERT INTO Stoc (Denumire, Cantitate, Pret) VALUES ('Sfesnic', 1, 5)"));
    folder.closeYear(2023);
    const QTemporaryDir target;

    DataFolderCopy::copy(folder.path() + QStringLiteral("2023"), target.path(), DataFolderCopy::anyFile);

    EXPECT_EQ(rowsIn(target.filePath(QStringLiteral("BazaDate.sqlite")), QStringLiteral("Stoc")), 1);
    EXPECT_TRUE(DataFolderCopy::passesIntegrityCheck(target.filePath(QStringLiteral("BazaDate.sqlite"))));
}

TEST(DataFolderCopy, ADamagedDatabaseIsReportedAndNotTakenForACopy)
{
    TestFolder folder;
    folder.openWorkingYear();
    Connection::close();
    damageDatabase(folder.databaseFile());
    const QTemporaryDir target;

    try {
        DataFolderCopy::copy(folder.path(), target.path(), DataFolderCopy::anyFile);
        FAIL() << "a damaged database was copied as a good one";
    } catch (const UserError& e) {
        // Told in Romanian; SQLite's English words at most on the detail line.
        const QString explanation = e.text().section(QStringLiteral("\nDetalii: "), 0, 0);
        EXPECT_TRUE(explanation.contains(QStringLiteral("deteriorat"))) << e.text().toStdString();
        EXPECT_FALSE(explanation.contains(QStringLiteral("malformed"))) << e.text().toStdString();
    }
    QString problem;
    EXPECT_FALSE(DataFolderCopy::passesIntegrityCheck(folder.databaseFile(), &problem));
    EXPECT_FALSE(problem.isEmpty());
}

TEST(DataFolderCopy, RecognisesTheDatabasesSideFiles)
{
    const std::pair<const char*, bool> cases[] = {
        {"BazaDate.sqlite-journal", true}, {"BazaDate.sqlite-wal", true}, {"BazaDate.sqlite-shm", true},
        {"BazaDate.sqlite", false},        {"journal.txt", false},        {"Configurari.ini", false},
    };
    for (const auto& [name, side] : cases)
        EXPECT_EQ(DataFolderCopy::isSqliteSideFile(QString::fromLatin1(name)), side) << name;
}
