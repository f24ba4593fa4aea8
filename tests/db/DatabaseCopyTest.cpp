#include "db/DatabaseCopy.h"

#include "core/SilentAbort.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "support/SampleData.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlRecord>
#include <gtest/gtest.h>

namespace
{

// Every row of a table, in row order, as text.
QStringList rowsOf(const QSqlDatabase& db, const QString& table)
{
    QStringList rows;
    // A table without row identities (the search index keeps two) is read in the order of its key.
    const bool withoutRowid = Sql::scalar(db, QStringLiteral("SELECT sql FROM sqlite_master WHERE name = :n"),
                                          {{QStringLiteral(":n"), table}})
                                  .toString()
                                  .contains(QLatin1String("WITHOUT ROWID"), Qt::CaseInsensitive);
    QSqlQuery query = Sql::exec(
        db, QStringLiteral("SELECT * FROM %1%2")
                .arg(Sql::quoted(table), withoutRowid ? QString() : QStringLiteral(" ORDER BY rowid")));
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.record().count(); ++i)
            values << (query.isNull(i) ? QStringLiteral("<null>") : query.value(i).toString());
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList tablesOf(const QSqlDatabase& db)
{
    QStringList tables;
    QSqlQuery query = Sql::exec(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                                   "ORDER BY name"));
    while (query.next())
        tables << query.value(0).toString();
    return tables;
}

// The files this process holds open (Linux), by their names.
QStringList openFiles()
{
    QStringList files;
    for (const QFileInfo& descriptor : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System))
        files << descriptor.symLinkTarget();
    return files;
}

// A progress window whose user stops the work at its first step.
class StoppedProgress : public Progress
{
public:
    void start(const QString&, int) override {}
    void step(int) override { throw SilentAbort(); }
    void finish() override {}
};

class DatabaseCopyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = folder.openWorkingYear();
        SampleData::fillYear(db, 2024, {40, 300, 80});
    }
    void TearDown() override
    {
        Connection::removeNamed(QStringLiteral("AltaConexiune"));
        Connection::removeNamed(QStringLiteral("Copia"));
    }

    // Opens the copy and checks that it holds exactly what the database holds.
    void expectSameContents(const QString& copyFile)
    {
        const QSqlDatabase copy = Connection::openNamed(QStringLiteral("Copia"), copyFile);
        EXPECT_EQ(Sql::scalar(copy, QStringLiteral("PRAGMA integrity_check")).toString(),
                  QStringLiteral("ok"));
        const QStringList tables = tablesOf(db);
        EXPECT_EQ(tablesOf(copy), tables);
        for (const QString& table : tables)
            EXPECT_EQ(rowsOf(copy, table), rowsOf(db, table)) << table.toStdString();
    }
    // The files of the folder, the database's own journal aside.
    QString filesInFolder() const
    {
        QStringList files = QDir(folder.path()).entryList(QDir::Files, QDir::Name);
        files.removeAll(QStringLiteral("BazaDate.sqlite-journal"));
        return files.join(QLatin1Char(' '));
    }

    TestFolder folder;
    QSqlDatabase db;
};

} // namespace

TEST_F(DatabaseCopyTest, CopiesTheCommittedDataWhileTablesAreOpenAndAWriteIsPending)
{
    Dataset incomes(QStringLiteral("Venituri"));
    incomes.open();
    incomes.last();
    const int stored = incomes.recordCount();

    // Another connection has begun a change it has not committed.
    QSqlDatabase other = Connection::openNamed(QStringLiteral("AltaConexiune"), folder.databaseFile());
    Transaction pending(other);
    Sql::exec(other, QStringLiteral("DELETE FROM Venituri WHERE Nr_act > 10"));

    const QString copyFile = folder.file(QStringLiteral("copie.sqlite"));
    DatabaseCopy::copyTo(db, copyFile);

    expectSameContents(copyFile);
    const QSqlDatabase copy = Connection::openNamed(QStringLiteral("Copia"), copyFile);
    EXPECT_EQ(Sql::scalar(copy, QStringLiteral("SELECT count(*) FROM Venituri")).toInt(), stored);
    EXPECT_EQ(incomes.recordCount(), stored);
    EXPECT_EQ(filesInFolder(), QStringLiteral("BazaDate.sqlite copie.sqlite"))
        << "no partial file is left behind";
}

TEST_F(DatabaseCopyTest, ReplacesAnOlderCopy)
{
    const QString copyFile = folder.file(QStringLiteral("copie.sqlite"));
    DatabaseCopy::copyTo(db, copyFile);
    Sql::exec(db, QStringLiteral("DELETE FROM Venituri WHERE Nr_act <= 5"));
    DatabaseCopy::copyTo(db, copyFile);
    expectSameContents(copyFile);
}

// A copy killed half-way leaves its partial file; the next copy to the same
// target clears it away, and leaves alone those of other targets.
TEST_F(DatabaseCopyTest, TheNextCopyRemovesWhatACopyCutShortLeft)
{
    folder.write(QStringLiteral("copie.sqlite.Ab12Cd.partial"), "half a copy");
    folder.write(QStringLiteral("copie.sqlite.Ab12Cd.partial-journal"), "its journal");
    folder.write(QStringLiteral("alta.sqlite.Ef34Gh.partial"), "another target's");

    DatabaseCopy::copyTo(db, folder.file(QStringLiteral("copie.sqlite")));

    expectSameContents(folder.file(QStringLiteral("copie.sqlite")));
    EXPECT_EQ(filesInFolder(), QStringLiteral("BazaDate.sqlite alta.sqlite.Ef34Gh.partial copie.sqlite"));
}

TEST_F(DatabaseCopyTest, NeverWritesOverTheDatabaseItself)
{
    const QStringList before = rowsOf(db, QStringLiteral("Venituri"));
    const QString link = folder.file(QStringLiteral("legatura.sqlite"));
    ASSERT_TRUE(QFile::link(folder.databaseFile(), link));
    const QString sameFile[] = {
        folder.databaseFile(),
        folder.path() + QStringLiteral("./BazaDate.sqlite"),
        folder.path() + QStringLiteral("an/../BazaDate.sqlite"),
        link,
    };
    QDir(folder.path()).mkdir(QStringLiteral("an"));
    for (const QString& target : sameFile) {
        try {
            DatabaseCopy::copyTo(db, target);
            ADD_FAILURE() << "copied onto itself through " << target.toStdString();
        } catch (const DbError& e) {
            EXPECT_EQ(e.text(),
                      QStringLiteral("Copia bazei de date nu poate fi scrisa peste baza de date insasi: %1")
                          .arg(QDir::toNativeSeparators(target)));
        }
    }
    EXPECT_EQ(rowsOf(db, QStringLiteral("Venituri")), before);
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    EXPECT_EQ(filesInFolder(), QStringLiteral("BazaDate.sqlite legatura.sqlite"));
}

TEST_F(DatabaseCopyTest, RefusesWithoutLeavingAnythingBehind)
{
    const QString copyFile = folder.file(QStringLiteral("copie.sqlite"));
    {
        // The connection's own uncommitted change must not reach a copy.
        Transaction own(db);
        Sql::exec(db, QStringLiteral("DELETE FROM Venituri"));
        try {
            DatabaseCopy::copyTo(db, copyFile);
            ADD_FAILURE() << "copied in the middle of a transaction";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.text().contains(QStringLiteral("modificari neterminate")))
                << e.text().toStdString();
        }
    }
    const QString missingFolder = folder.file(QStringLiteral("lipsa/copie.sqlite"));
    try {
        DatabaseCopy::copyTo(db, missingFolder);
        ADD_FAILURE() << "copied into a missing folder";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Copia bazei de date nu poate fi scrisa in %1")
                                            .arg(QDir::toNativeSeparators(missingFolder))))
            << e.text().toStdString();
    }
    EXPECT_EQ(filesInFolder(), QStringLiteral("BazaDate.sqlite"));
    EXPECT_GT(Sql::scalar(db, QStringLiteral("SELECT count(*) FROM Venituri")).toInt(), 0);
}

// A copy stopped half-way lets go of the database and of its partial file:
// nothing stays behind, later writes and copies are whole, and the database
// still closes.
TEST_F(DatabaseCopyTest, AStoppedCopyLetsGoOfEverything)
{
    const QString copyFile = folder.file(QStringLiteral("copie.sqlite"));
    StoppedProgress stopped;
    EXPECT_THROW(DatabaseCopy::copyTo(db, copyFile, stopped), SilentAbort);
    EXPECT_EQ(filesInFolder(), QStringLiteral("BazaDate.sqlite"));
    Sql::exec(db, QStringLiteral("DELETE FROM Venituri WHERE Nr_act <= 5"));
    DatabaseCopy::copyTo(db, copyFile);
    expectSameContents(copyFile);
    Connection::close();
    EXPECT_EQ(openFiles().filter(QStringLiteral("BazaDate.sqlite")), QStringList());
}
