#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/ProtectionKeys.h"
#include "db/ReplacedFileRescue.h"
#include "db/SealedFileLayer.h"
#include "db/SqliteHandle.h"
#include "db/Sql.h"
#include "support/TestFolder.h"
#include "year/BackupFixture.h"
#include "year/DailyBackupCopy.h"
#include "year/DataProtection.h"
#include "year/ManualBackupCopy.h"
#include "year/YearEndRollover.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

const QByteArray password = "Hramul bisericii 1901";
const QString familyName = QStringLiteral("Zăvoianu Ecaterina");

// Every database file under `folder`, with what is wrong with each: readable
// without the key, or holding the family's name in clear.
QStringList exposedFiles(const QString& folder)
{
    QStringList exposed;
    QDirIterator it(folder, {QStringLiteral("*.sqlite")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        if (!SealedFileLayer::isSealed(file) || bytes.contains("SQLite format 3") ||
            bytes.contains(familyName.toUtf8()))
            exposed << QDir(folder).relativeFilePath(file);
    }
    return exposed;
}

int filesUnder(const QString& folder)
{
    int count = 0;
    QDirIterator it(folder, {QStringLiteral("*.sqlite")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++count;
    }
    return count;
}

} // namespace

// With protection on, every copy the program makes of the parish's data is
// encrypted with the same key as the data: the year-end's closed year, the
// manual and the daily backup, the rescue copy of a replaced file.
TEST(ProtectedCopies, EveryCopyOfAProtectedParishIsEncrypted)
{
    TestFolder folder;
    BackupFixture::parishWithClosedYears(folder);
    execOrFail(QStringLiteral("INSERT INTO Enoriasi (Cod_enorias, Nume_prenume, Tip_contributie) VALUES ('Z1', '%1', "
                              "'Intreaga')")
                   .arg(familyName));
    Connection::close();
    DataProtection::protect({folder.path(), {}}, password);
    const auto forget = qScopeGuard([] { ProtectionKeys::forgetAll(); });
    Connection::open(folder.databaseFile());
    const QSqlDatabase db = Connection::database();

    QTemporaryDir elsewhere;
    const QString manual = ManualBackupCopy::backupFolder(elsewhere.path());
    EXPECT_TRUE(ManualBackupCopy::save(folder.path(), manual, {2022, 2023}).isEmpty());
    EXPECT_TRUE(DailyBackupCopy::run(folder.path(), elsewhere.filePath(QStringLiteral("zi")), {2022, 2023})
                    .yearFailures.isEmpty());
    EXPECT_FALSE(ReplacedFileRescue::rescue(sqliteHandle(db)).copy.isEmpty());
    EXPECT_EQ(YearEndRollover::closeWorkingYear(db, folder.path(), 2024), 2025);
    Connection::close();

    // The year folder holds the year's database and the rescue copy beside it.
    EXPECT_EQ(filesUnder(folder.file(QStringLiteral("2024"))), 2);
    EXPECT_EQ(filesUnder(manual), 3);
    EXPECT_EQ(filesUnder(elsewhere.filePath(QStringLiteral("zi"))), 3);
    EXPECT_EQ(exposedFiles(folder.path()), QStringList());
    EXPECT_EQ(exposedFiles(elsewhere.path()), QStringList());
    // Whole, and read with the parish's password alone.
    ProtectionKeys::forgetAll();
    ASSERT_TRUE(DataProtection::unlock(folder.path(), password));
    EXPECT_EQ(BackupFixture::rowsIn(manual + QStringLiteral("/BazaDate.sqlite"), QStringLiteral("Enoriasi")), 1);
    EXPECT_EQ(BackupFixture::rowsIn(folder.file(QStringLiteral("2024/BazaDate.sqlite")), QStringLiteral("Enoriasi")),
              1);
}

// Turning protection off writes every file of the parish plain again, the
// copies kept in its folder included, with the same rows.
TEST(ProtectedCopies, RemovingTheProtectionLeavesEveryFilePlainAndWhole)
{
    TestFolder folder;
    BackupFixture::parishWithClosedYears(folder);
    Connection::close();
    const auto forget = qScopeGuard([] { ProtectionKeys::forgetAll(); });
    DataProtection::protect({folder.path(), {}}, password);
    ASSERT_EQ(exposedFiles(folder.path()), QStringList());
    DataProtection::remove({folder.path(), {}});
    QDirIterator it(folder.path(), {QStringLiteral("*.sqlite")}, QDir::Files, QDirIterator::Subdirectories);
    int files = 0;
    while (it.hasNext()) {
        const QString file = it.next();
        ++files;
        EXPECT_FALSE(SealedFileLayer::isSealed(file)) << file.toStdString();
        EXPECT_EQ(BackupFixture::rowsIn(file, QStringLiteral("Parohia")), 1) << file.toStdString();
    }
    EXPECT_EQ(files, 3);
    EXPECT_FALSE(DataProtection::isOn(folder.path()));
}
