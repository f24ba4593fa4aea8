#include "year/YearEndRollover.h"

#include "contributions/CarryForward.h"
#include "db/DatabaseLocation.h"
#include "db/DbError.h"
#include "db/SchemaBuilder.h"
#include "db/Sql.h"
#include "db/TableDefinitions.h"
#include "db/Transaction.h"
#include "db/WorkingYear.h"
#include "journal/ChangeJournal.h"
#include "journal/PeriodLock.h"
#include "journal/WatchedTables.h"
#include "year/PrivateConnection.h"
#include "year/YearFolderArchive.h"

#include <QDate>
#include <QDir>

namespace
{

// The closed year stays listed (its folder opens from the year list), the new
// one goes last: the list ends with the working year.
void recordYears(const QSqlDatabase& db, int closingYear)
{
    const QString ani = QStringLiteral("Ani");
    if (!Sql::tableExists(db, ani))
        SchemaBuilder::createTable(db, *TableDefinitions::find(ani));
    const QString insert = QStringLiteral("INSERT INTO Ani (Valoare) VALUES (:year)");
    const bool listed = Sql::scalar(db, QStringLiteral("SELECT count(*) FROM Ani WHERE Valoare = :year"),
                                    {{QStringLiteral(":year"), closingYear}})
                            .toInt() > 0;
    if (!listed)
        Sql::exec(db, insert, {{QStringLiteral(":year"), closingYear}});
    Sql::exec(db, insert, {{QStringLiteral(":year"), closingYear + 1}});
}

// Documents typed early for the new year (dated after 31 December) stay. The
// salary lines go before their orders: they are found through the orders' dates.
void deleteClosedDocuments(const QSqlDatabase& db, int closingYear)
{
    const Sql::Binding lastDay{QStringLiteral(":lastDay"), QDate(closingYear, 12, 31)};
    for (const char* table : {"Venituri", "Depuneri", "Ridicari", "Cheltuieli"})
        Sql::exec(db, QStringLiteral("DELETE FROM %1 WHERE Data <= :lastDay").arg(QLatin1String(table)),
                  {lastDay});
    Sql::exec(db,
              QStringLiteral("DELETE FROM ItemsSal WHERE Id_CheltSal IN "
                             "(SELECT Id FROM CheltSal WHERE Data <= :lastDay)"),
              {lastDay});
    Sql::exec(db, QStringLiteral("DELETE FROM CheltSal WHERE Data <= :lastDay"), {lastDay});
}

// The closed year's copy is read and printed as it stands: its documents are
// changed only after its lock is moved back.
void lockClosedYear(const QString& programFolder, int closingYear)
{
    const PrivateConnection copy(QDir(programFolder).filePath(QString::number(closingYear)) + QLatin1Char('/') +
                                 DatabaseLocation::databaseFileName);
    Transaction transaction(copy.db());
    ChangeJournal::start(copy.db());
    PeriodLock::setDate(copy.db(), QDate(closingYear, 12, 31));
    transaction.commit();
}

void closeInDatabase(const QSqlDatabase& db, int closingYear)
{
    Transaction transaction(db);
    if (workingYearOf(db) != closingYear)
        throw DbError(QStringLiteral("Anul de lucru nu mai este %1").arg(closingYear));
    recordYears(db, closingYear);
    Sql::exec(db, QStringLiteral("UPDATE Contor SET Sold_init_casa = 0.0, Sold_init_banca = 0.0"));
    Contributions::carryForward(db, closingYear);
    deleteClosedDocuments(db, closingYear);
    Sql::exec(db, QStringLiteral("UPDATE Parohia SET An_lucru = :year"),
              {{QStringLiteral(":year"), closingYear + 1}});
    ChangeJournal::recordSummary(db,
                                 QStringLiteral("Inchiderea anului %1: documentele anului au trecut in copia "
                                                "anului inchis, restantele au fost reportate.")
                                     .arg(closingYear),
                                 WatchedTables::names());
    transaction.commit();
}

} // namespace

namespace YearEndRollover
{

QString notClosedMessage(int closingYear, const QString& reason)
{
    return QStringLiteral("Anul %1 NU a fost inchis: datele au ramas asa cum erau.\n").arg(closingYear) +
           reason;
}

int closeWorkingYear(const QSqlDatabase& db, const QString& programFolder, int closingYear)
{
    YearFolderArchive::refresh(programFolder, closingYear);
    try {
        lockClosedYear(programFolder, closingYear);
        closeInDatabase(db, closingYear);
    } catch (const UserError& e) {
        throw UserError(notClosedMessage(closingYear, e.text()));
    }
    return closingYear + 1;
}

} // namespace YearEndRollover
