// Operations that write a whole database file: the first start's new
// database and a copy of the open one (backups, year folders). After a kill
// the file is complete or not there under its name at all.

#include "crash/CrashScenario.h"
#include "db/Connection.h"
#include "db/DatabaseCopy.h"
#include "db/SchemaBuilder.h"
#include "db/Sql.h"
#include "db/TableDefinitions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

namespace
{

using namespace CrashState;


// The rows of the tables that tell a parish's database apart.
QString contentsOf(const QSqlDatabase& db)
{
    QStringList counts;
    for (const QString& table :
         {QStringLiteral("Parohia"), QStringLiteral("Contor"), QStringLiteral("Venituri"),
          QStringLiteral("CheltSal"), QStringLiteral("ItemsSal")})
        counts << Sql::scalar(db, QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toString();
    return counts.join(QLatin1Char(','));
}

// "absent", or the file's contents when it is a sound database with every
// table of a new one; else a description of what is wrong.
QString databaseFileState(const QString& path)
{
    if (!QFileInfo::exists(path))
        return absent;
    const QString connection = QStringLiteral("LumivaretCrashFile");
    const auto remove = qScopeGuard([&] { Connection::removeNamed(connection); });
    try {
        const QSqlDatabase db = Connection::openNamed(connection, path);
        const QString integrity = Sql::scalar(db, QStringLiteral("PRAGMA integrity_check")).toString();
        if (integrity != QLatin1String("ok"))
            return QStringLiteral("damaged: ") + integrity;
        for (const TableDef& table : TableDefinitions::all())
            if (table.createdWithDatabase && !Sql::tableExists(db, table.name))
                return QStringLiteral("without table ") + table.name;
        return contentsOf(db);
    } catch (const std::exception& e) {
        return QStringLiteral("unreadable: ") + QString::fromUtf8(e.what());
    }
}

// Each file is whole (with the contents reported, or `underWayContents` for
// the operation under way) or, unless reported done, absent.
void verifyFiles(const QSqlDatabase& db, const CrashLog& operations, CrashFindings& findings,
                 const QString& underWayContents)
{
    for (const CrashOperation& operation : operations) {
        if (operation.announced.isEmpty())
            continue;
        const QString found = databaseFileState(scenarioFolder(db) + operation.announced.first());
        const std::optional<QString> outcome = operation.outcome();
        const bool sound = outcome ? found == *outcome : found == absent || found == underWayContents;
        if (!sound)
            findings.fault(QStringLiteral("%1: expected %2, found %3")
                               .arg(operation.announced.first(),
                                    outcome.value_or(absent + QStringLiteral(" or ") + underWayContents),
                                    found));
        if (!outcome)
            findings.settle(found);
        findings.countVerified();
    }
}

QString createDatabase(const QSqlDatabase& db, int number, unsigned, const Announce& announce)
{
    const QString name = QStringLiteral("new-%1.sqlite").arg(number);
    announce(name);
    SchemaBuilder::createDatabase(scenarioFolder(db) + name, 2024);
    return databaseFileState(scenarioFolder(db) + name);
}

// A new database holds what the delivered contents put in it.
QString deliveredContents()
{
    static const QString contents = [] {
        const QString path = QDir::temp().filePath(
            QStringLiteral("lumivaret-delivered-%1.sqlite").arg(QCoreApplication::applicationPid()));
        SchemaBuilder::createDatabase(path, 2024);
        const QString state = databaseFileState(path);
        QFile::remove(path);
        return state;
    }();
    return contents;
}

QString copyDatabase(const QSqlDatabase& db, int number, unsigned, const Announce& announce)
{
    const QString name = QStringLiteral("copy-%1.sqlite").arg(number);
    announce(name);
    DatabaseCopy::copyTo(db, scenarioFolder(db) + name);
    return databaseFileState(scenarioFolder(db) + name);
}

const CrashScenarioRegistration
    firstStart({QStringLiteral("newDatabase"),
                createDatabase,
                [](const QSqlDatabase& db, const CrashLog& operations, CrashFindings& findings) {
                    verifyFiles(db, operations, findings, deliveredContents());
                },
                {}});

// The copy under way was taken of the database as it is now: nothing ran after it.
const CrashScenarioRegistration
    copy({QStringLiteral("databaseCopy"),
          copyDatabase,
          [](const QSqlDatabase& db, const CrashLog& operations, CrashFindings& findings) {
              verifyFiles(db, operations, findings, contentsOf(db));
          },
          {}});

} // namespace
