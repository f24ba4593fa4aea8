#include "insight/SearchedYears.h"

#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/DbError.h"
#include "db/DocumentSearchIndex.h"
#include "db/WorkingYear.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QUuid>

SearchedYears::~SearchedYears()
{
    close();
}

int SearchedYears::currentYear()
{
    return workingYearOf(Connection::database());
}

void SearchedYears::close()
{
    for (const QString& name : std::as_const(m_connections)) {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    m_connections.clear();
}

QSqlDatabase SearchedYears::otherYear(int year)
{
    if (const auto it = m_connections.constFind(year); it != m_connections.cend())
        return QSqlDatabase::database(*it, false);
    // A closed year lives in its year folder; the working year, which has none, in the program folder.
    QString file = DatabaseLocation::yearFolder(year) + DatabaseLocation::databaseFileName;
    const QList<int> known = DatabaseLocation::instance().knownYears();
    if (!QFileInfo::exists(file) && !known.isEmpty() && year == known.last())
        file = DatabaseLocation::instance().workingYearDatabase();
    if (!QFileInfo::exists(file))
        throw DbError(QStringLiteral("Baza de date a anului %1 nu exista: %2")
                          .arg(year)
                          .arg(QDir::toNativeSeparators(file)));
    const QString name =
        QStringLiteral("LumivaretCautare-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(file);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=3000"));
    if (!db.open()) {
        const DbError error = DbError::fromSql(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw error;
    }
    m_connections.insert(year, name);
    DocumentSearchIndex::ensureForReading(db);
    return db;
}

QList<FoundDocument> SearchedYears::search(const SearchCriteria& criteria, bool allYears)
{
    const int current = currentYear();
    QList<FoundDocument> found = searchDocuments(Connection::database(), current, criteria);
    if (allYears) {
        for (const int year : DatabaseLocation::instance().knownYears()) {
            if (year == current)
                continue;
            if (criteria.limit > 0 && found.size() >= criteria.limit)
                break;
            SearchCriteria rest = criteria;
            if (criteria.limit > 0)
                rest.limit = criteria.limit - int(found.size());
            found << searchDocuments(otherYear(year), year, rest);
        }
        if (criteria.limit <= 0)
            sortFoundDocuments(found);
    }
    return found;
}
