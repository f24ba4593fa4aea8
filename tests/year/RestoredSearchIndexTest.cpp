#include "BackupFixture.h"
#include "db/Connection.h"
#include "db/DocumentSearchIndex.h"
#include "db/Sql.h"
#include "support/Documents.h"
#include "support/TestFolder.h"
#include "year/BackupRestore.h"
#include "year/ClosedYears.h"
#include "year/ManualBackupCopy.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace BackupFixture;

namespace
{

int matches(const QString& words)
{
    return Sql::scalar(Connection::database(),
                       QStringLiteral("SELECT count(*) FROM Cautare WHERE Text MATCH :w"),
                       {{QStringLiteral(":w"), words}})
        .toInt();
}

void receiptFrom(const QString& name)
{
    Sql::execPositional(
        Connection::database(),
        QStringLiteral(
            "INSERT INTO Venituri (Nr_act, Data, Den_enorias, Valoarea) VALUES (1, '2024-03-15', ?, 10)"),
        {name});
}

// A backup's database as an earlier release left it: no index, no triggers.
void withoutIndex(const QString& databaseFile)
{
    const QString name = QStringLiteral("older-backup");
    {
        QSqlDatabase db = Connection::openNamed(name, databaseFile);
        Documents::dropSearchIndex(db);
    }
    Connection::removeNamed(name);
}

} // namespace

TEST(RestoredSearchIndex, TheRestoredDocumentsAreFoundWhicheverReleaseMadeTheBackup)
{
    for (const bool olderRelease : {false, true}) {
        SCOPED_TRACE(olderRelease ? "older release" : "this release");
        TestFolder folder;
        QTemporaryDir backups;
        const QString backup = ManualBackupCopy::backupFolder(backups.path());
        parishWithClosedYears(folder);
        receiptFrom(QStringLiteral("Ştefan Ţurcanu"));
        ManualBackupCopy::save(folder.path(), backup, closedYears());
        if (olderRelease)
            withoutIndex(backup + QStringLiteral("/BazaDate.sqlite"));
        // Typed after the backup: gone with the restore, from the documents and from the index.
        receiptFrom(QStringLiteral("Vasile Ionescu"));

        BackupRestore::restore(folder.path(), BackupRestore::readSummary(backup),
                               QDateTime(QDate(2024, 12, 1), QTime(9, 0)));

        EXPECT_TRUE(DocumentSearchIndex::isComplete(Connection::database()));
        EXPECT_EQ(matches(QStringLiteral("stefan turc*")), 1);
        EXPECT_EQ(matches(QStringLiteral("ionescu")), 0);
        // And it keeps following what is typed next.
        receiptFrom(QStringLiteral("Ana Ionescu"));
        EXPECT_EQ(matches(QStringLiteral("ionescu")), 1);
    }
}
