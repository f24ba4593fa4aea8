#include "db/Connection.h"
#include "db/SchemaBuilder.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "support/TestFolder.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace
{

// Leaves the database in WAL mode, as another SQLite program may have.
void switchToWal(const QString& path)
{
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &raw), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(raw, "PRAGMA journal_mode = WAL; UPDATE Parohia SET An_lucru = An_lucru", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);
}

void makeReadOnly(const QString& path)
{
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

struct DurabilityCase {
    const char* name;
    std::function<void(const QString& path)> prepare;
    bool readOnly;
};

} // namespace

// A commit the program reports must outlive a power loss: every connection
// syncs the rollback journal, the database and the folder once the journal
// is gone (synchronous EXTRA, journal mode DELETE), whatever file it opens.
TEST(ConnectionDurability, EveryOpenedDatabaseSyncsItsCommitsToTheDisk)
{
    const QList<DurabilityCase> cases{
        {"a database of the program", [](const QString&) {}, false},
        {"a database another program left in WAL mode", switchToWal, false},
        {"a read-only database", makeReadOnly, true},
    };
    for (const DurabilityCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestFolder folder;
        const QString path = folder.file(QStringLiteral("BazaDate.sqlite"));
        SchemaBuilder::createDatabase(path, 2024);
        c.prepare(path);

        Connection::open(path);
        const QSqlDatabase db = Connection::database();
        EXPECT_EQ(Connection::isReadOnly(), c.readOnly);
        EXPECT_EQ(Sql::scalar(db, QStringLiteral("PRAGMA synchronous")).toInt(), 3); // EXTRA
        EXPECT_EQ(Sql::scalar(db, QStringLiteral("PRAGMA journal_mode")).toString(),
                  QStringLiteral("delete"));
        if (!c.readOnly) {
            Transaction transaction(db);
            Sql::exec(db, QStringLiteral("UPDATE Parohia SET An_lucru = 2025"));
            transaction.commit();
            // The commit is complete on the disk: no journal is left to undo it.
            EXPECT_FALSE(QFile::exists(path + QStringLiteral("-journal")));
            EXPECT_FALSE(QFile::exists(path + QStringLiteral("-wal")));
        }
        Connection::close();
    }
}
