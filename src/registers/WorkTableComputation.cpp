#include "registers/WorkTableComputation.h"

#include "core/DbErrorText.h"
#include "core/UserError.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "db/WorkTable.h"
#include "db/WorkingYear.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

namespace WorkTableComputation
{
namespace
{

QString databaseFolder(const QSqlDatabase& db)
{
    return QDir::toNativeSeparators(QFileInfo(db.databaseName()).absolutePath() + QLatin1Char('/'));
}

} // namespace

void run(const QSqlDatabase& db, const QString& table, const QString& tableWord,
         const std::function<void()>& fill)
{
    try {
        Transaction transaction(db);
        try {
            WorkTable::rebuildEmpty(db, table);
        } catch (const DbError&) {
            throw UserError(QStringLiteral("Nu pot crea fisierul :") + databaseFolder(db) + table +
                            QStringLiteral(". Inchideti fisierele aferente si repetati operatia!"));
        }
        fill();
        transaction.commit();
    } catch (const DbError& e) {
        throw UserError(DbErrorText::forTable(tableWord, e.text()));
    }
}

void execWithOpeningDate(const QSqlDatabase& db, const QStringList& statements)
{
    const QString firstOfYear = QDate(workingYearOf(db), 1, 1).toString(Qt::ISODate);
    for (const QString& statement : statements) {
        if (statement.contains(QLatin1String(":Data")))
            Sql::exec(db, statement, {{QStringLiteral(":Data"), firstOfYear}});
        else
            Sql::exec(db, statement);
    }
}

} // namespace WorkTableComputation
