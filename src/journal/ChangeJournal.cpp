#include "journal/ChangeJournal.h"

#include "db/DbError.h"
#include "db/Savepoint.h"
#include "db/Sql.h"
#include "db/Store.h"
#include "journal/JournalStore.h"
#include "journal/PeriodLock.h"
#include "journal/WatchedTables.h"

#include <QtEndian>

namespace
{

const QString nullValue = QStringLiteral("n");
// The first entry's wording left by the import that built the database.
const QString startNoteTable = QStringLiteral("JurnalNotaInceput");

// The date a document's row carries (for lines, their document's).
QDate documentDate(const QSqlDatabase& db, const WatchedTable& table, const StoredRow& row)
{
    if (row.isEmpty())
        return {};
    if (!table.isLine)
        return StoredRows::dateOf(StoredRows::valueOf(row, table.dateField));
    const QString owner = StoredRows::valueOf(row, table.ownerField);
    if (owner == nullValue)
        return {};
    const QVariant date = Sql::scalar(
        db, QStringLiteral("SELECT Data FROM %1 WHERE %2 = :k").arg(Sql::quoted(table.ownerTable), Sql::quoted(table.ownerKeyField)),
        {{QStringLiteral(":k"), owner.mid(1).toDouble()}});
    return QDate::fromString(date.toString(), Qt::ISODate);
}

void name(JournalEntry& entry, const QSqlDatabase& db, const WatchedTable& table, const StoredRow& row)
{
    if (!table.numberField.isEmpty()) {
        const QString number = StoredRows::valueOf(row, table.numberField);
        entry.key = number == nullValue ? QString() : StoredRows::display(table.name, table.numberField, number);
    }
    if (table.isDocument) {
        const QDate date = documentDate(db, table, row);
        if (date.isValid())
            entry.keyDate = date.toString(Qt::ISODate);
    }
}

QList<JournalValue> valuesOf(const StoredRow& row, bool after)
{
    QList<JournalValue> values;
    for (const StoredField& f : row)
        if (f.value != nullValue)
            values << JournalValue::make(f.name, after, f.value);
    return values;
}

QList<JournalValue> changedValues(const StoredRow& before, const StoredRow& after)
{
    QList<JournalValue> values;
    for (const StoredField& f : after) {
        const QString old = StoredRows::valueOf(before, f.name);
        if (old == f.value)
            continue;
        values << JournalValue::make(f.name, false, old) << JournalValue::make(f.name, true, f.value);
    }
    return values;
}

QByteArray baselineOf(const QSqlDatabase& db, const QString& table)
{
    QByteArray digests;
    StoredRows::digestAll(db, table, [&](qint64 rowid, const QByteArray& digest) {
        char identity[8];
        qToBigEndian(rowid, identity);
        digests.append(identity, 8);
        digests.append(digest);
    });
    return digests;
}

void appendBaselines(const QSqlDatabase& db, const QStringList& tables)
{
    for (const QString& table : tables) {
        if (!WatchedTables::find(table) || !Sql::tableExists(db, table))
            continue;
        JournalEntry entry;
        entry.table = WatchedTables::find(table)->name;
        entry.action = JournalAction::baseline;
        entry.rowDigest = baselineOf(db, table);
        JournalStore::append(db, entry);
    }
}

// The journal and the period lock are read and written on SQLite's own
// handle: on a PostgreSQL server there is no journal yet.
bool keptOn(const QSqlDatabase& db)
{
    return !Store::of(db).isServer();
}

} // namespace

bool ChangeJournal::watches(const QString& table) const
{
    return WatchedTables::find(table) != nullptr;
}

void ChangeJournal::before(const QSqlDatabase& db, const QString& table, RowAction action, qint64 rowid)
{
    m_before.clear();
    if (action == RowAction::Insert || !keptOn(db))
        return;
    m_before = StoredRows::read(db, table, rowid);
    const WatchedTable& watched = *WatchedTables::find(table);
    if (watched.isDocument)
        PeriodLock::check(db, documentDate(db, watched, m_before), action);
}

void ChangeJournal::after(const QSqlDatabase& db, const QString& table, RowAction action, qint64 rowid)
{
    if (!keptOn(db))
        return;
    if (!JournalStore::exists(db))
        start(db);
    const WatchedTable& watched = *WatchedTables::find(table);
    const StoredRow before = std::exchange(m_before, {});
    QByteArray afterDigest;
    const StoredRow after =
        action == RowAction::Delete ? StoredRow() : StoredRows::read(db, table, rowid, &afterDigest);
    if (watched.isDocument && action != RowAction::Delete)
        PeriodLock::check(db, documentDate(db, watched, after), action);

    JournalEntry entry;
    entry.table = watched.name;
    entry.rowid = rowid;
    switch (action) {
    case RowAction::Insert:
        entry.action = JournalAction::insert;
        entry.values = valuesOf(after, true);
        break;
    case RowAction::Update:
        entry.action = JournalAction::update;
        entry.values = changedValues(before, after);
        break;
    case RowAction::Delete:
        entry.action = JournalAction::remove;
        entry.values = valuesOf(before, false);
        break;
    }
    name(entry, db, watched, action == RowAction::Delete ? before : after);
    entry.rowDigest = afterDigest;
    JournalStore::append(db, entry);
}

void ChangeJournal::opened(const QSqlDatabase& db)
{
    start(db);
}

void ChangeJournal::install()
{
    RowChanges::install(std::make_shared<ChangeJournal>());
}

void ChangeJournal::noteStart(const QSqlDatabase& db, const QString& note)
{
    Sql::exec(db, QStringLiteral("CREATE TABLE %1 (Nota TEXT)").arg(startNoteTable));
    Sql::exec(db, QStringLiteral("INSERT INTO %1 (Nota) VALUES (:n)").arg(startNoteTable), {{QStringLiteral(":n"), note}});
}

void ChangeJournal::start(const QSqlDatabase& db, const QString& note)
{
    if (!keptOn(db))
        return;
    if (JournalStore::exists(db) && Sql::tableExists(db, WatchedTables::lockTable))
        return;
    Savepoint savepoint(db, QStringLiteral("JournalStart"));
    if (JournalStore::create(db)) {
        JournalEntry first;
        first.action = JournalAction::start;
        first.note = note.isEmpty() ? QStringLiteral("Jurnalul modificarilor incepe aici; datele existente "
                                                     "sunt luate ca baza.")
                                    : note;
        if (Sql::tableExists(db, startNoteTable)) {
            first.note = Sql::scalar(db, QStringLiteral("SELECT Nota FROM %1").arg(startNoteTable)).toString();
            Sql::exec(db, QStringLiteral("DROP TABLE %1").arg(startNoteTable));
        }
        JournalStore::append(db, first);
        appendBaselines(db, WatchedTables::names());
    }
    savepoint.release();
}

void ChangeJournal::recordSummary(const QSqlDatabase& db, const QString& note, const QStringList& tables)
{
    if (!keptOn(db))
        return;
    Savepoint savepoint(db, QStringLiteral("JournalSummary"));
    if (!JournalStore::exists(db)) {
        start(db, note);
    } else {
        JournalEntry entry;
        entry.action = JournalAction::summary;
        entry.note = note;
        JournalStore::append(db, entry);
        appendBaselines(db, tables);
    }
    savepoint.release();
}
