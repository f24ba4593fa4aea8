#include "journal/StoredRows.h"

#include "db/Sql.h"
#include "db/SqliteHandle.h"
#include "db/SqliteStatement.h"
#include "db/TableDefinitions.h"

#include <QCryptographicHash>
#include <QDate>
#include <algorithm>
#include <cmath>
#include <sqlite3.h>

namespace StoredRows
{

namespace
{

QString columnText(sqlite3_stmt* query, int column)
{
    switch (sqlite3_column_type(query, column)) {
    case SQLITE_NULL:
        return QStringLiteral("n");
    case SQLITE_INTEGER:
        return QLatin1Char('i') + QString::number(sqlite3_column_int64(query, column));
    case SQLITE_FLOAT:
        return QLatin1Char('r') + QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(query, column)));
    case SQLITE_TEXT:
        return QLatin1Char('t') +
               QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(query, column)),
                                 sqlite3_column_bytes(query, column));
    default:
        return QLatin1Char('x') +
               QString::fromLatin1(QByteArray(static_cast<const char*>(sqlite3_column_blob(query, column)),
                                              sqlite3_column_bytes(query, column))
                                       .toHex());
    }
}

// The digest of a row's content: its non-null fields by name, each value in
// its stored type as SQLite writes it, so that a field added later by an
// upgrade (null in every row) leaves it unchanged.
QByteArray rowDigest(sqlite3_stmt* query, int firstColumn, QCryptographicHash& hash)
{
    hash.reset();
    const int count = sqlite3_column_count(query);
    for (int i = firstColumn; i < count; ++i) {
        const int type = sqlite3_column_type(query, i);
        if (type == SQLITE_NULL)
            continue;
        hash.addData(QByteArrayView(sqlite3_column_name(query, i)));
        const char kind = type == SQLITE_INTEGER ? 'i' : type == SQLITE_FLOAT ? 'r' : type == SQLITE_TEXT ? 't' : 'x';
        const char head[2] = {'\x1f', kind};
        hash.addData(QByteArrayView(head, 2));
        if (type == SQLITE_BLOB) {
            hash.addData(QByteArray(static_cast<const char*>(sqlite3_column_blob(query, i)), sqlite3_column_bytes(query, i))
                             .toHex());
        } else {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(query, i));
            hash.addData(QByteArrayView(text, sqlite3_column_bytes(query, i)));
        }
        hash.addData(QByteArrayView("\x1e", 1));
    }
    return hash.result();
}

StoredRow rowOf(sqlite3_stmt* query, int firstColumn)
{
    StoredRow row;
    const int count = sqlite3_column_count(query);
    row.reserve(count - firstColumn);
    for (int i = firstColumn; i < count; ++i)
        row.append({QString::fromUtf8(sqlite3_column_name(query, i)), columnText(query, i)});
    return row;
}

} // namespace

StoredRow read(const QSqlDatabase& db, const QString& table, qint64 rowid, QByteArray* digest)
{
    SqliteStatement query(sqliteHandle(db), QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(Sql::quoted(table)),
                          table);
    query.bindAll({rowid});
    if (!query.step()) {
        if (digest)
            digest->clear();
        return {};
    }
    if (digest) {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        *digest = rowDigest(query.raw(), 0, hash);
    }
    return rowOf(query.raw(), 0);
}

void digestAll(const QSqlDatabase& db, const QString& table,
               const std::function<void(qint64 rowid, const QByteArray& digest)>& take)
{
    SqliteStatement query(sqliteHandle(db),
                          QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(Sql::quoted(table)), table);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    while (query.step())
        take(sqlite3_column_int64(query.raw(), 0), rowDigest(query.raw(), 1, hash));
}

QString valueOf(const StoredRow& row, const QString& field)
{
    for (const StoredField& f : row)
        if (f.name.compare(field, Qt::CaseInsensitive) == 0)
            return f.value;
    return QStringLiteral("n");
}

QDate dateOf(const QString& value)
{
    if (!value.startsWith(QLatin1Char('t')))
        return {};
    return QDate::fromString(value.mid(1, 10), Qt::ISODate);
}

QString display(const QString& table, const QString& field, const QString& value)
{
    if (value.isEmpty() || value == QLatin1String("n"))
        return QStringLiteral("(gol)");
    const QChar kind = value.front();
    const QString text = value.mid(1);
    const TableDef* definition = TableDefinitions::find(table);
    const FieldDef* defined = definition ? definition->field(field) : nullptr;
    const FieldType type = defined ? defined->type : FieldType::String;
    if (type == FieldType::Date) {
        const QDate date = dateOf(value);
        return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : text;
    }
    if (kind == QLatin1Char('r') || (type == FieldType::Float && kind == QLatin1Char('i'))) {
        const double number = text.toDouble();
        static const QStringList wholeNumberPrefixes = {QStringLiteral("Nr"), QStringLiteral("Cod"),
                                                        QStringLiteral("Numar"), QStringLiteral("Id"),
                                                        QStringLiteral("Cant"), QStringLiteral("Varsta")};
        const bool countsOrNames = std::any_of(wholeNumberPrefixes.begin(), wholeNumberPrefixes.end(),
                                               [&](const QString& p) { return field.startsWith(p, Qt::CaseInsensitive); });
        if (countsOrNames && number == std::floor(number))
            return QString::number(qint64(number));
        QString shown = QString::number(number, 'f', 2);
        shown.replace(QLatin1Char('.'), QLatin1Char(','));
        return shown;
    }
    return text;
}

} // namespace StoredRows
