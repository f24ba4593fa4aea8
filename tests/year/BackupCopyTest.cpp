#include "BackupFixture.h"
#include "support/TestFolder.h"
#include "year/ClosedYears.h"
#include "year/DailyBackupCopy.h"
#include "year/DataFolderCopy.h"
#include "year/ManualBackupCopy.h"

#include "core/UserError.h"
#include "db/Connection.h"
#include "db/Sql.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace BackupFixture;

namespace
{

class BackupCopyTest : public ::testing::Test
{
protected:
    QString backupDatabase(const QString& folder) const
    {
        return QDir(folder).filePath(QStringLiteral("BazaDate.sqlite"));
    }

    TestFolder folder;
    QTemporaryDir backups;
    const QString dayFolder = backups.filePath(QStringLiteral("SalvariMorvalen/20240305/Parohie"));
};

} // namespace

TEST(ClosedYears, AreTheYearsOfAniButTheLast)
{
    EXPECT_EQ(closedYearsOf({2022, 2023, 2024}), QList<int>({2022, 2023}));
    EXPECT_EQ(closedYearsOf({2024}), QList<int>());
    EXPECT_EQ(closedYearsOf({}), QList<int>());

    TestFolder folder;
    folder.openWorkingYear();
    EXPECT_EQ(closedYears(), QList<int>()); // no Ani before the first closing
}

TEST_F(BackupCopyTest, DailySavesTheDataButNotTheProgramAndTheClosedYears)
{
    parishWithClosedYears(folder);

    const DailyBackupCopy::Outcome outcome = DailyBackupCopy::run(folder.path(), dayFolder, closedYears());

    EXPECT_TRUE(outcome.programFolderSaved);
    EXPECT_TRUE(outcome.yearFailures.isEmpty());
    EXPECT_EQ(filesIn(dayFolder), QStringList({"BazaDate.sqlite", "Configurari.ini", "poza.jpg"}));
    EXPECT_EQ(foldersIn(dayFolder), QStringList({"2022", "2023"})); // 2024 is the program folder itself
    EXPECT_EQ(rowsIn(backupDatabase(dayFolder), QStringLiteral("Stoc")), 2);
    EXPECT_EQ(rowsIn(backupDatabase(dayFolder + QStringLiteral("/2022")), QStringLiteral("Stoc")), 1);
    EXPECT_TRUE(DataFolderCopy::passesIntegrityCheck(backupDatabase(dayFolder + QStringLiteral("/2023"))));
    EXPECT_EQ(foldersIn(QFileInfo(dayFolder).absolutePath()),
              QStringList{QStringLiteral("Parohie")}); // nothing half-made beside it
}

TEST_F(BackupCopyTest, WithoutAniOnlyTheProgramFoldersFilesAreSaved)
{
    folder.openWorkingYear();
    folder.write(QStringLiteral("Configurari.ini"), "[Options]\n");

    const DailyBackupCopy::Outcome outcome = DailyBackupCopy::run(folder.path(), dayFolder, closedYears());

    EXPECT_TRUE(outcome.programFolderSaved);
    EXPECT_TRUE(outcome.yearFailures.isEmpty());
    EXPECT_EQ(filesIn(dayFolder), QStringList({"BazaDate.sqlite", "Configurari.ini"}));
    EXPECT_TRUE(foldersIn(dayFolder).isEmpty());
}

TEST_F(BackupCopyTest, ASecondStartTheSameDayAddsOnlyTheMissingYears)
{
    folder.openWorkingYear();
    addStock({QStringLiteral("Candela")});
    folder.closeYear(2023);
    execOrFail(QStringLiteral("INSERT INTO Ani VALUES (2024)"));
    DailyBackupCopy::run(folder.path(), dayFolder, closedYears());

    // Later that day: more data, and 2024 closed as well.
    addStock({QStringLiteral("Sfesnic")});
    folder.closeYear(2024);
    execOrFail(QStringLiteral("INSERT INTO Ani VALUES (2025)"));
    const DailyBackupCopy::Outcome second = DailyBackupCopy::run(folder.path(), dayFolder, closedYears());

    EXPECT_FALSE(second.programFolderSaved);
    EXPECT_EQ(rowsIn(backupDatabase(dayFolder), QStringLiteral("Stoc")), 1); // the morning's copy stays
    EXPECT_EQ(foldersIn(dayFolder), QStringList({"2023", "2024"}));
    EXPECT_EQ(rowsIn(backupDatabase(dayFolder + QStringLiteral("/2024")), QStringLiteral("Stoc")), 2);
}

TEST_F(BackupCopyTest, ADailyBackupThatFailsLeavesTheDayUnsaved)
{
    folder.openWorkingYear();
    Connection::close();
    damageDatabase(folder.databaseFile());

    try {
        DailyBackupCopy::run(folder.path(), dayFolder, {});
        FAIL() << "a damaged database was saved";
    } catch (const UserError& e) {
        EXPECT_TRUE(e.text().startsWith(DailyBackupCopy::failureMessage(dayFolder) + QLatin1Char('\n')))
            << e.text().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(dayFolder)); // the next start tries again
    EXPECT_TRUE(foldersIn(QFileInfo(dayFolder).absolutePath()).isEmpty());
}

TEST_F(BackupCopyTest, AClosedYearThatFailsIsToldAndTheOthersAreSaved)
{
    parishWithClosedYears(folder);
    damageDatabase(folder.file(QStringLiteral("2022/BazaDate.sqlite")));

    const DailyBackupCopy::Outcome outcome = DailyBackupCopy::run(folder.path(), dayFolder, closedYears());

    EXPECT_TRUE(outcome.programFolderSaved);
    ASSERT_EQ(outcome.yearFailures.size(), 1);
    EXPECT_TRUE(outcome.yearFailures.first().startsWith(QStringLiteral("anul 2022: ")));
    EXPECT_EQ(foldersIn(dayFolder), QStringList{QStringLiteral("2023")});
}

TEST_F(BackupCopyTest, BeforeTheFirstDatabaseThereIsNothingToSave)
{
    folder.write(QStringLiteral("Configurari.ini"), "[Options]\n");

    const DailyBackupCopy::Outcome outcome = DailyBackupCopy::run(folder.path(), dayFolder, {});

    EXPECT_FALSE(outcome.programFolderSaved);
    EXPECT_FALSE(QFileInfo::exists(dayFolder));
}

TEST_F(BackupCopyTest, ManualSavesEveryFileAndTheClosedYears)
{
    parishWithClosedYears(folder);
    const QString backup = ManualBackupCopy::backupFolder(backups.path());

    EXPECT_TRUE(ManualBackupCopy::save(folder.path(), backup, closedYears()).isEmpty());

    EXPECT_EQ(backup, backups.filePath(QStringLiteral("Lumivaret")));
    EXPECT_EQ(filesIn(backup), QStringList({"BazaDate.sqlite", "Configurari.ini", "HelpLumivaret.exe",
                                            "Lumivaret", "poza.jpg"}));
    EXPECT_EQ(foldersIn(backup), QStringList({"2022", "2023"}));
    EXPECT_EQ(rowsIn(backupDatabase(backup + QStringLiteral("/2023")), QStringLiteral("Stoc")), 2);
}

TEST_F(BackupCopyTest, ManualCopyIsConsistentWhileAnotherConnectionHasAWritePending)
{
    folder.openWorkingYear();
    addStock({QStringLiteral("Candela"), QStringLiteral("Sfesnic")});
    const QString writer = QStringLiteral("pending-writer");
    {
        QSqlDatabase other = Connection::openNamed(writer, folder.databaseFile());
        Sql::exec(other, QStringLiteral("BEGIN"));
        Sql::exec(other,
                  QStringLiteral("INSERT INTO Stoc (Denumire, Cantitate, Pret) VALUES ('Tamaie', 1, 1)"));
        const QString backup = ManualBackupCopy::backupFolder(backups.path());

        ManualBackupCopy::save(folder.path(), backup, {});

        EXPECT_EQ(rowsIn(backupDatabase(backup), QStringLiteral("Stoc")), 2); // the committed state only
        EXPECT_TRUE(DataFolderCopy::passesIntegrityCheck(backupDatabase(backup)));
        Sql::exec(other, QStringLiteral("COMMIT"));
    }
    Connection::removeNamed(writer);
    EXPECT_EQ(storedRows(QStringLiteral("Stoc")), 3);
}

TEST_F(BackupCopyTest, AManualBackupThatFailsLeavesNoFolder)
{
    folder.openWorkingYear();
    Connection::close();
    damageDatabase(folder.databaseFile());
    const QString backup = ManualBackupCopy::backupFolder(backups.path());

    try {
        ManualBackupCopy::save(folder.path(), backup, {});
        FAIL() << "a damaged database was saved";
    } catch (const UserError& e) {
        EXPECT_TRUE(e.text().startsWith(ManualBackupCopy::failureMessage(backup) + QLatin1Char('\n')));
    }
    EXPECT_TRUE(foldersIn(backups.path()).isEmpty()); // the user can try again into the same folder
}

TEST(ManualBackupCopy, Messages)
{
    EXPECT_EQ(
        ManualBackupCopy::existsMessage(QStringLiteral("/media/stick/Lumivaret")),
        QStringLiteral("Baza de date nu poate fi salvata deoarece directorul /media/stick/Lumivaret exista "
                       "deja.\nPuteti sterge acest director sau alegeti altul si reluati operatiunea."));
    EXPECT_EQ(ManualBackupCopy::successMessage(QStringLiteral("/media/stick")),
              QStringLiteral("Operatiune terminata cu succes!\nBaza de date a fost salvata in directorul "
                             "/media/stick/Lumivaret."));
    EXPECT_EQ(ManualBackupCopy::failureMessage(QStringLiteral("/media/stick/Lumivaret")),
              QStringLiteral("Nu pot salva baza de date in directorul /media/stick/Lumivaret"));
}
