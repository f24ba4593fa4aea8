#include "journal/DeletedDocuments.h"

#include "db/DbError.h"
#include "db/RowChanges.h"
#include "db/Sql.h"
#include "db/TableDefinitions.h"
#include "db/Transaction.h"
#include "journal/JournalStore.h"
#include "journal/PeriodLock.h"
#include "journal/StoredRows.h"
#include "journal/WatchedTables.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace
{

const QString restoredFrom = QStringLiteral("restaurat din inregistrarea nr. %1 a jurnalului");

// The SQL value a stored value stands for.
QVariant sqlValue(const QString& value)
{
    if (value.isEmpty() || value == QLatin1String("n"))
        return {};
    const QString text = value.mid(1);
    switch (value.front().toLatin1()) {
    case 'i':
        return text.toLongLong();
    case 'r':
        return text.toDouble();
    case 'x':
        return QByteArray::fromHex(text.toLatin1());
    default:
        return text;
    }
}

// The identity field of a table (an autoincrement key), "" when it has none.
QString identityField(const QString& table)
{
    const TableDef* definition = TableDefinitions::find(table);
    if (!definition)
        return {};
    for (const FieldDef& f : definition->fields)
        if (f.type == FieldType::AutoInc)
            return f.name;
    return {};
}

qint64 insertRow(const QSqlDatabase& db, const QString& table, const QHash<QString, QVariant>& fields)
{
    QStringList names, marks;
    QVariantList values;
    for (auto f = fields.constBegin(); f != fields.constEnd(); ++f) {
        if (f.value().isNull())
            continue;
        names << Sql::quoted(f.key());
        marks << QStringLiteral("?");
        values << f.value();
    }
    const QString statement = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(Sql::quoted(table), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    return RowChanges::apply(db, table, RowAction::Insert, 0, [&] {
        return Sql::execPositional(db, statement, values, table).lastInsertId().toLongLong();
    });
}

QHash<QString, QVariant> fieldsOf(const QList<JournalValue>& values)
{
    QHash<QString, QVariant> fields;
    for (const JournalValue& v : values)
        fields.insert(v.field, sqlValue(v.value));
    return fields;
}

bool isTaken(const QSqlDatabase& db, const QString& table, const QString& field, const QVariant& value)
{
    return Sql::scalar(db, QStringLiteral("SELECT 1 FROM %1 WHERE %2 = :v LIMIT 1").arg(Sql::quoted(table), Sql::quoted(field)),
                       {{QStringLiteral(":v"), value}})
        .isValid();
}

} // namespace

QString DeletedDocument::value(const QString& field) const
{
    for (const JournalValue& v : values)
        if (v.field.compare(field, Qt::CaseInsensitive) == 0)
            return v.value;
    return QStringLiteral("n");
}

namespace DeletedDocuments
{

QList<DeletedDocument> list(const QSqlDatabase& db)
{
    const QStringList headers = WatchedTables::documentHeaders();
    QList<DeletedDocument> found;
    QList<JournalEntry> lineDeletions;
    QHash<QString, qint64> lastCreation; // table + rowid: the entry that made the row
    QSet<qint64> restored;
    static const QRegularExpression restoredNumber(QStringLiteral("inregistrarea nr\\. (\\d+)"));
    JournalStore::readAll(db, [&](const JournalEntry& e) {
        const WatchedTable* table = WatchedTables::find(e.table);
        if (!table || !table->isDocument)
            return;
        if (e.action == JournalAction::restore) {
            if (const auto match = restoredNumber.match(e.note); match.hasMatch())
                restored.insert(match.captured(1).toLongLong());
            return;
        }
        const QString rowKey = e.table + QLatin1Char('/') + QString::number(e.rowid);
        if (e.action == JournalAction::insert) {
            lastCreation.insert(rowKey, e.number);
            return;
        }
        if (e.action != JournalAction::remove)
            return;
        if (table->isLine) {
            lineDeletions << e;
            return;
        }
        DeletedDocument doc;
        doc.entryNumber = e.number;
        doc.moment = e.moment;
        doc.user = e.user;
        doc.table = e.table;
        doc.number = e.key;
        doc.date = QDate::fromString(e.keyDate, Qt::ISODate);
        doc.values = e.values;
        // Its lines: deleted after the document was made and up to its own deletion.
        const qint64 madeAt = lastCreation.value(rowKey, 0);
        for (const WatchedTable& lineTable : WatchedTables::all()) {
            if (!lineTable.isLine || lineTable.ownerTable != e.table)
                continue;
            const QString owner = doc.value(lineTable.ownerKeyField);
            for (const JournalEntry& line : std::as_const(lineDeletions)) {
                if (line.table != lineTable.name || line.number < madeAt)
                    continue;
                for (const JournalValue& v : line.values)
                    if (v.field == lineTable.ownerField && sqlValue(v.value).toDouble() == sqlValue(owner).toDouble()) {
                        doc.lines.append({line.table, line.values});
                        break;
                    }
            }
        }
        found.prepend(doc);
    });
    QList<DeletedDocument> remaining;
    for (const DeletedDocument& doc : found)
        if (!restored.contains(doc.entryNumber))
            remaining << doc;
    return remaining;
}

bool restore(const QSqlDatabase& db, const DeletedDocument& document,
             const std::function<bool(const QString& taken, const QString& next)>& askNextNumber)
{
    const WatchedTable& table = *WatchedTables::find(document.table);
    // Refused before any question when the document's date is locked.
    PeriodLock::check(db, document.date, RowAction::Insert);
    QHash<QString, QVariant> fields = fieldsOf(document.values);
    const QVariant number = fields.value(table.numberField);
    if (!number.isNull() && isTaken(db, table.name, table.numberField, number)) {
        const double next =
            Sql::scalar(db, QStringLiteral("SELECT ifnull(max(%1), 0) + 1 FROM %2").arg(Sql::quoted(table.numberField), Sql::quoted(table.name)))
                .toDouble();
        const QString taken = StoredRows::display(table.name, table.numberField, document.value(table.numberField));
        if (!askNextNumber(taken, QString::number(qint64(next))))
            return false;
        fields.insert(table.numberField, next);
    }
    Transaction transaction(db);
    // The identity comes back when free, so that the lines find their document.
    const QString identity = identityField(table.name);
    if (!identity.isEmpty() && isTaken(db, table.name, identity, fields.value(identity)))
        fields.remove(identity);
    const qint64 rowid = insertRow(db, table.name, fields);
    const QVariant ownerKey = identity.isEmpty()
                                  ? QVariant()
                                  : Sql::scalar(db, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = :r").arg(Sql::quoted(identity), Sql::quoted(table.name)),
                                                {{QStringLiteral(":r"), rowid}});
    for (const DeletedDocument::Line& line : document.lines) {
        const WatchedTable& lineTable = *WatchedTables::find(line.table);
        QHash<QString, QVariant> lineFields = fieldsOf(line.values);
        lineFields.insert(lineTable.ownerField, ownerKey);
        const QString lineIdentity = identityField(line.table);
        if (!lineIdentity.isEmpty() && isTaken(db, line.table, lineIdentity, lineFields.value(lineIdentity)))
            lineFields.remove(lineIdentity);
        insertRow(db, line.table, lineFields);
    }
    JournalEntry note;
    note.table = table.name;
    note.rowid = rowid;
    note.key = StoredRows::display(table.name, table.numberField,
                                   StoredRows::valueOf(StoredRows::read(db, table.name, rowid), table.numberField));
    note.keyDate = document.date.toString(Qt::ISODate);
    note.action = JournalAction::restore;
    note.note = QStringLiteral("Document ") + restoredFrom.arg(document.entryNumber);
    JournalStore::append(db, note);
    transaction.commit();
    return true;
}

} // namespace DeletedDocuments
