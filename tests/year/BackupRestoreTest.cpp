#include "year/BackupRestore.h"
#include "BackupFixture.h"
#include "DatabaseDump.h"
#include "support/Documents.h"
#include "support/SampleData.h"
#include "support/TestFolder.h"
#include "year/ClosedYears.h"
#include "year/ManualBackupCopy.h"

#include "core/UserError.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Sql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace BackupFixture;

namespace
{

class BackupRestoreTest : public ::testing::Test
{
protected:
    // The parish with two closed years, saved by the manual backup.
    void parishSaved()
    {
        parishWithClosedYears(folder);
        Documents::receipt(Connection::database(), 1, QStringLiteral("2024-03-15"), 100);
        ManualBackupCopy::save(folder.path(), backup, closedYears());
    }

    QStringList stock(const QString& databaseFile) const
    {
        QStringList names;
        const QString name = QStringLiteral("stock-check");
        {
            QSqlDatabase db = Connection::openNamed(name, databaseFile);
            QSqlQuery q = Sql::exec(db, QStringLiteral("SELECT Denumire FROM Stoc ORDER BY ID"));
            while (q.next())
                names << q.value(0).toString();
        }
        Connection::removeNamed(name);
        return names;
    }

    TestFolder folder;
    QTemporaryDir backups;
    const QString backup = ManualBackupCopy::backupFolder(backups.path());
    const QDateTime now{QDate(2024, 12, 1), QTime(15, 30)};
};

} // namespace

TEST_F(BackupRestoreTest, FindsTheDatabaseDownASinglePath)
{
    parishSaved();
    const QString dayFolder = backups.filePath(QStringLiteral("SalvariMorvalen/20240305"));
    ASSERT_TRUE(QDir().mkpath(dayFolder + QStringLiteral("/home/preot")));
    ASSERT_TRUE(QDir().rename(backup, dayFolder + QStringLiteral("/home/preot/Lumivaret")));

    EXPECT_EQ(BackupRestore::findBackupFolder(dayFolder),
              dayFolder + QStringLiteral("/home/preot/Lumivaret"));
    EXPECT_EQ(BackupRestore::findBackupFolder(dayFolder + QStringLiteral("/home/preot/Lumivaret")),
              dayFolder + QStringLiteral("/home/preot/Lumivaret"));
    // Two ways down: which one is meant cannot be told.
    QDir().mkpath(dayFolder + QStringLiteral("/home/altul"));
    EXPECT_EQ(BackupRestore::findBackupFolder(dayFolder), QString());
    EXPECT_EQ(BackupRestore::findBackupFolder(backups.filePath(QStringLiteral("lipsa"))), QString());
}

// The folder chosen one level off: the folder chosen when saving (which now
// holds other things beside "Lumivaret"), or a closed year's folder inside
// the backup, whose frozen copy must never become the working year.
TEST_F(BackupRestoreTest, AFolderChosenOneLevelOffLeadsToTheBackup)
{
    parishSaved();
    ASSERT_TRUE(QDir().mkpath(backups.filePath(QStringLiteral("Poze"))));
    const struct {
        const char* name;
        QString chosen;
        QString found;
    } cases[] = {
        {"the folder chosen when saving, holding other things too", backups.path(), backup},
        {"a closed year inside the backup", backup + QStringLiteral("/2023"), backup},
        {"a closed year of the program folder, leading to the working data",
         folder.file(QStringLiteral("2023")), QDir::cleanPath(folder.path())},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BackupRestore::findBackupFolder(c.chosen).toStdString(), c.found.toStdString());
    }
    EXPECT_THROW(
        BackupRestore::readSummary(BackupRestore::findBackupFolder(folder.file(QStringLiteral("2023")))),
        UserError);
}

TEST_F(BackupRestoreTest, TheSummaryShowsTheYearTheLastDocumentAndTheClosedYears)
{
    parishSaved();

    const BackupRestore::BackupSummary summary = BackupRestore::readSummary(backup);

    EXPECT_EQ(summary.workingYear, 2024);
    EXPECT_EQ(summary.lastDocument, QDate(2024, 3, 15));
    EXPECT_EQ(summary.closedYears, QList<int>({2022, 2023}));
    const QString question = BackupRestore::confirmationQuestion(summary);
    for (const char* part :
         {"Anul de lucru: 2024", "Ultimul document: 15.03.2024", "Ani inchisi: 2022, 2023"})
        EXPECT_TRUE(question.contains(QString::fromLatin1(part))) << question.toStdString();
}

TEST_F(BackupRestoreTest, RefusesADamagedBackupAndTheWorkingDatabaseItself)
{
    parishSaved();
    damageDatabase(backup + QStringLiteral("/BazaDate.sqlite"));
    const QString cases[] = {backup, folder.path(), backups.filePath(QStringLiteral("lipsa"))};
    for (const QString& chosen : cases)
        EXPECT_THROW(BackupRestore::readSummary(chosen), UserError) << chosen.toStdString();
}

// What SQLite opens without a word (an empty file is an empty database to
// it) is still not a parish's data: each is refused before the question.
TEST_F(BackupRestoreTest, RefusesABackupThatIsNotAWholeParishDatabase)
{
    parishSaved();
    const QString database = backup + QStringLiteral("/BazaDate.sqlite");
    const auto rewrite = [&](const QStringList& statements) {
        QFile::remove(database);
        const QString name = QStringLiteral("other-database");
        {
            QSqlDatabase db = Connection::openNamed(name, database, true);
            for (const QString& statement : statements)
                Sql::exec(db, statement);
        }
        Connection::removeNamed(name);
    };
    const auto dropFromSaved = [&](const QString& statement) {
        const QString name = QStringLiteral("saved-database");
        {
            QSqlDatabase db = Connection::openNamed(name, database);
            Sql::exec(db, statement);
        }
        Connection::removeNamed(name);
    };
    const struct {
        const char* name;
        std::function<void()> spoil;
        const char* says;
    } cases[] = {
        {"an empty file",
         [&] {
             QFile file(database);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
         },
         "este gol (0 octeti)"},
        {"another program's database", [&] { rewrite({QStringLiteral("CREATE TABLE Note (Text VARCHAR(50))")}); },
         "nu contine datele unei parohii: lipsesc tabelele Parohia"},
        {"a parish database without its incomes",
         [&] { dropFromSaved(QStringLiteral("DROP TABLE Venituri")); }, "lipsesc tabelele Venituri"},
        {"a parish record without its working year",
         [&] { dropFromSaved(QStringLiteral("UPDATE Parohia SET An_lucru = NULL")); },
         "nu are anul de lucru completat"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ManualBackupCopy::save(folder.path(), backups.filePath(QStringLiteral("refacuta")), closedYears());
        QDir(backup).removeRecursively();
        ASSERT_TRUE(QDir().rename(backups.filePath(QStringLiteral("refacuta")), backup));
        c.spoil();
        try {
            BackupRestore::readSummary(backup);
            ADD_FAILURE() << "taken for a backup";
        } catch (const UserError& e) {
            EXPECT_TRUE(e.text().contains(QString::fromUtf8(c.says))) << e.text().toStdString();
        }
    }
}

TEST_F(BackupRestoreTest, PutsTheBackupInPlaceAndKeepsTheDataItReplaces)
{
    parishSaved();
    const BackupRestore::BackupSummary summary = BackupRestore::readSummary(backup);
    // Changed after the backup: a new row, another year folder, a changed closed year.
    addStock({QStringLiteral("Tamaie")});
    folder.closeYear(2024);
    QSignalSpy reopened(&DatabaseLocation::instance(), &DatabaseLocation::yearSwitched);

    const QString safety = BackupRestore::restore(folder.path(), summary, now);

    EXPECT_EQ(safety, folder.file(QStringLiteral("Inainte de restaurare 20241201-1530")));
    EXPECT_EQ(stock(folder.databaseFile()), QStringList({"Candela", "Sfesnic"}));
    EXPECT_EQ(DatabaseLocation::instance().knownYears(), QList<int>({2022, 2023, 2024}));
    EXPECT_TRUE(Connection::isOpen());
    EXPECT_EQ(storedRows(QStringLiteral("Venituri")), 1);
    EXPECT_EQ(reopened.count(), 1);
    EXPECT_EQ(foldersIn(folder.path()),
              QStringList({"2022", "2023", "Inainte de restaurare 20241201-1530"})); // nothing else left
    EXPECT_EQ(stock(folder.file(QStringLiteral("2023/BazaDate.sqlite"))),
              QStringList({"Candela", "Sfesnic"}));

    EXPECT_EQ(stock(safety + QStringLiteral("/BazaDate.sqlite")),
              QStringList({"Candela", "Sfesnic", "Tamaie"}));
    EXPECT_EQ(foldersIn(safety), QStringList({"2022", "2023", "2024"}));
    EXPECT_EQ(filesIn(safety), QStringList{QStringLiteral("BazaDate.sqlite")});

    // The safety folder is a backup in its turn: a second restore the same minute undoes the first.
    const QString second = BackupRestore::restore(folder.path(), BackupRestore::readSummary(safety), now);
    EXPECT_EQ(second, safety + QStringLiteral(" (2)"));
    EXPECT_EQ(stock(folder.databaseFile()), QStringList({"Candela", "Sfesnic", "Tamaie"}));
    EXPECT_TRUE(QFileInfo::exists(folder.file(QStringLiteral("2024/BazaDate.sqlite"))));
}

// A year of books saved, then typed on, deleted from and a closed year
// changed: the restore brings back every table of every database as saved.
TEST_F(BackupRestoreTest, EveryTableOfEveryDatabaseComesBackAsSaved)
{
    parishWithClosedYears(folder);
    SampleData::fillYear(Connection::database(), 2024, {30, 120, 40}, 3);
    ManualBackupCopy::save(folder.path(), backup, closedYears());
    const QStringList databases = {QStringLiteral("BazaDate.sqlite"), QStringLiteral("2022/BazaDate.sqlite"),
                                   QStringLiteral("2023/BazaDate.sqlite")};
    QList<QStringList> saved;
    for (const QString& database : databases)
        saved << DatabaseDump::dumpOfFile(folder.file(database));

    Documents::receipt(Connection::database(), 5001, QStringLiteral("2024-11-02"), 40);
    execOrFail(QStringLiteral("DELETE FROM Cheltuieli WHERE rowid % 2 = 0"));
    execOrFail(QStringLiteral("UPDATE Enoriasi SET Nume_prenume = 'Schimbat'"));
    {
        const QString name = QStringLiteral("closed-year-change");
        QSqlDatabase closed =
            Connection::openNamed(name, folder.file(QStringLiteral("2023/BazaDate.sqlite")));
        Sql::exec(closed, QStringLiteral("DELETE FROM Stoc"));
        closed = {};
        Connection::removeNamed(name);
    }
    ASSERT_NE(DatabaseDump::dumpOfFile(folder.databaseFile()), saved.first());

    BackupRestore::restore(folder.path(), BackupRestore::readSummary(backup), now);

    // The working year's journal of changes goes on after the saved entries, with the restore's own.
    const auto journalOf = [](const QStringList& dump) {
        return dump.filter(QRegularExpression(QStringLiteral("^Jurnal(Cap)?:")));
    };
    for (int i = 0; i < databases.size(); ++i) {
        SCOPED_TRACE(databases.at(i).toStdString());
        QStringList restored = DatabaseDump::dumpOfFile(folder.file(databases.at(i)));
        if (i == 0) {
            const QStringList savedEntries = journalOf(saved.at(i)).filter(QStringLiteral("Jurnal:"));
            const QStringList restoredEntries = journalOf(restored).filter(QStringLiteral("Jurnal:"));
            ASSERT_GT(restoredEntries.size(), savedEntries.size());
            EXPECT_EQ(restoredEntries.mid(0, savedEntries.size()), savedEntries);
            EXPECT_TRUE(restoredEntries.mid(savedEntries.size())
                            .join(QLatin1Char('\n'))
                            .contains(QStringLiteral("Datele au fost restaurate din salvare.")));
            QStringList savedRest = saved.at(i);
            for (const QString& line : journalOf(saved.at(i)))
                savedRest.removeAll(line);
            for (const QString& line : journalOf(restored))
                restored.removeAll(line);
            EXPECT_EQ(restored, savedRest);
        } else {
            EXPECT_EQ(restored, saved.at(i));
        }
    }
}

TEST_F(BackupRestoreTest, ADamagedYearInTheBackupChangesNothing)
{
    parishSaved();
    const BackupRestore::BackupSummary summary = BackupRestore::readSummary(backup);
    damageDatabase(backup + QStringLiteral("/2022/BazaDate.sqlite"));
    addStock({QStringLiteral("Tamaie")});

    EXPECT_THROW(BackupRestore::restore(folder.path(), summary, now), UserError);

    EXPECT_TRUE(Connection::isOpen());
    EXPECT_EQ(storedRows(QStringLiteral("Stoc")), 3);
    EXPECT_EQ(foldersIn(folder.path()), QStringList({"2022", "2023"})); // no safety folder, no leftovers
    EXPECT_EQ(filesIn(folder.path()), QStringList({"BazaDate.sqlite", "Configurari.ini", "HelpLumivaret.exe",
                                                   "Lumivaret", "poza.jpg"}));
}

TEST_F(BackupRestoreTest, ARenameThatFailsPutsTheCurrentDataBack)
{
    parishSaved();
    const BackupRestore::BackupSummary summary = BackupRestore::readSummary(backup);
    addStock({QStringLiteral("Tamaie")});
    // A plain file where the backup's year folder 2022 is to go: that rename fails after the database's.
    ASSERT_TRUE(QDir(folder.file(QStringLiteral("2022"))).removeRecursively());
    folder.write(QStringLiteral("2022"), "fisier");
    QSignalSpy reopened(&DatabaseLocation::instance(), &DatabaseLocation::yearSwitched);

    try {
        BackupRestore::restore(folder.path(), summary, now);
        FAIL() << "the restore went through";
    } catch (const BackupRestore::RestoreIncomplete&) {
        FAIL() << "the current data was not put back";
    } catch (const UserError& e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Datele nu au putut fi puse la locul lor: ")));
    }

    EXPECT_TRUE(Connection::isOpen());
    EXPECT_EQ(storedRows(QStringLiteral("Stoc")), 3);
    EXPECT_EQ(reopened.count(), 1); // the windows read their records again
    // Nothing was replaced, so no safety copy of it is left to mislead.
    EXPECT_EQ(foldersIn(folder.path()), QStringList({"2023"}));
    EXPECT_TRUE(QFileInfo(folder.file(QStringLiteral("2022"))).isFile());
}

// A restore killed while it copied leaves its work folders: the next start
// that has the folder alone removes them, never a user's folder of that name
// holding anything else, nor those of a restore between its renames.
TEST(AbandonedRestoreWork, TheWorkFoldersOfAKilledRestoreAreRemoved)
{
    TestFolder folder;
    folder.write(QStringLiteral("Restaurare-Ab12Cd/BazaDate.sqlite.Xy34Zw.partial"), "copie");
    folder.write(QStringLiteral("Restaurare-Ab12Cd/2023/BazaDate.sqlite"), "copie");
    folder.write(QStringLiteral("Inlocuite-Qw12Er/BazaDate.sqlite"), "copie");
    folder.write(QStringLiteral("Restaurare-martie/scrisoare.txt"), "a user's own");
    BackupRestore::removeAbandonedWorkFolders(folder.path());
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("Restaurare-Ab12Cd"))));
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("Inlocuite-Qw12Er"))));
    EXPECT_TRUE(QFileInfo::exists(folder.file(QStringLiteral("Restaurare-martie/scrisoare.txt"))));
}
