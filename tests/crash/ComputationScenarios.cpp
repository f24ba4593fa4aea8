// The computations that rebuild a table from the documents: the register
// work table, the candle-shop register and the balance sheet's execution.
// After a kill the table holds a whole computation: the last one reported,
// or the one under way.

#include "crash/CrashScenario.h"
#include "db/Connection.h"
#include "db/DatabaseCopy.h"
#include "db/Sql.h"
#include "db/WorkingYear.h"
#include "registers/CalculBilantUnt.h"
#include "registers/CalculPangarUnt.h"
#include "registers/CalculRegUnt.h"

#include <QCryptographicHash>
#include <QFile>
#include <QScopeGuard>
#include <QSqlRecord>
#include <QTemporaryDir>

namespace
{

// Every row of the table, in stored order, as one short digest with the row count.
QString fingerprint(const QSqlDatabase& db, const QString& table)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    int rows = 0;
    QSqlQuery query = Sql::exec(db, QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table));
    while (query.next()) {
        ++rows;
        for (int i = 0; i < query.record().count(); ++i)
            hash.addData((query.value(i).toString() + QLatin1Char('|')).toUtf8());
    }
    return QStringLiteral("%1:%2").arg(rows).arg(QString::fromLatin1(hash.result().toHex().left(16)));
}

// What the computation gives on the documents as they are now, run on a copy.
QString freshResult(const QSqlDatabase& db, const QString& table,
                    const std::function<void(const QSqlDatabase&)>& compute)
{
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("copy.sqlite"));
    DatabaseCopy::copyTo(db, copy);
    const QString connection = QStringLiteral("LumivaretCrashCopy");
    const auto remove = qScopeGuard([&] { Connection::removeNamed(connection); });
    const QSqlDatabase copyDb = Connection::openNamed(connection, copy);
    compute(copyDb);
    return fingerprint(copyDb, table);
}

CrashScenario computation(const QString& name, const QString& table,
                          std::function<void(const QSqlDatabase&)> compute)
{
    CrashScenario scenario;
    scenario.name = name;
    scenario.baseline = [table](const QSqlDatabase& db) { return fingerprint(db, table); };
    scenario.perform = [table, compute](const QSqlDatabase& db, int, unsigned, const Announce& announce) {
        announce(QStringLiteral("compute"));
        compute(db);
        return fingerprint(db, table);
    };
    scenario.verify = [table, compute](const QSqlDatabase& db, const CrashLog& operations,
                                       CrashFindings& findings) {
        // Only the last computation matters: the table holds nothing older.
        const QString found = fingerprint(db, table);
        std::optional<QString> before;
        for (const CrashOperation& operation : operations.mid(0, operations.size() - 1))
            if (operation.outcome())
                before = operation.outcome();
        const CrashOperation& last = operations.last();
        if (last.outcome()) {
            if (found != *last.outcome())
                findings.fault(QStringLiteral("%1 holds %2, the last computation gave %3")
                                   .arg(table, found, *last.outcome()));
        } else {
            const QString fresh = freshResult(db, table, compute);
            if (found != before && found != fresh)
                findings.fault(
                    QStringLiteral("%1 holds %2: neither the previous computation %3 nor a new one %4")
                        .arg(table, found, before.value_or(QStringLiteral("-")), fresh));
            findings.settle(found);
        }
        findings.countVerified(int(operations.size()) - 1);
    };
    return scenario;
}

const CrashScenarioRegistration
    registerComputation(computation(QStringLiteral("register"), QStringLiteral("Registru"),
                                    [](const QSqlDatabase& db) { CalculRegistru(db); }));

const CrashScenarioRegistration
    candleRegisterComputation(computation(QStringLiteral("candleRegister"), QStringLiteral("Pangar"),
                                          [](const QSqlDatabase& db) { CalculPangar(db); }));

const CrashScenarioRegistration balanceSheetComputation(
    computation(QStringLiteral("balanceSheet"), QStringLiteral("Bilant"),
                [](const QSqlDatabase& db) { CalculBilant(db, QDate(workingYearOf(db), 12, 31), false); }));

} // namespace
