#include "db/SqliteStore.h"

#include "db/SchemaBuilder.h"
#include "db/Sql.h"
#include "db/SqliteHandle.h"
#include "db/SqliteStatement.h"
#include "db/TableDefinitions.h"

#include <QDate>
#include <QSqlQuery>
#include <optional>
#include <sqlite3.h>

namespace
{

// Dates are stored as 'YYYY-MM-DD'; reading the digits directly is much
// faster than a general date parser on large tables.
std::optional<qint64> storedJulianDay(const char* text, int size)
{
    QDate date;
    if (size < 10 || text[4] != '-' || text[7] != '-') {
        date = QDate::fromString(QString::fromUtf8(text, size), Qt::ISODate);
    } else {
        const auto digits = [&](int from, int count) {
            int value = 0;
            for (int i = from; i < from + count; ++i) {
                if (text[i] < '0' || text[i] > '9')
                    return -1;
                value = value * 10 + (text[i] - '0');
            }
            return value;
        };
        date = QDate(digits(0, 4), digits(5, 2), digits(8, 2));
    }
    return date.isValid() ? std::optional<qint64>(date.toJulianDay()) : std::nullopt;
}

// Packs one column of the statement's current row as the field's type.
void readColumn(PackedRows::Builder& row, sqlite3_stmt* query, int sqlColumn, int column, FieldType type)
{
    if (sqlite3_column_type(query, sqlColumn) == SQLITE_NULL)
        return;
    switch (type) {
    case FieldType::String: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(query, sqlColumn));
        row.setText(column, text, sqlite3_column_bytes(query, sqlColumn));
        break;
    }
    case FieldType::Float:
        row.setNumber(column, sqlite3_column_double(query, sqlColumn));
        break;
    case FieldType::SmallInt:
    case FieldType::Integer:
        row.setInteger(column, sqlite3_column_int(query, sqlColumn));
        break;
    case FieldType::AutoInc:
        row.setInteger(column, sqlite3_column_int64(query, sqlColumn));
        break;
    case FieldType::Date: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(query, sqlColumn));
        if (const auto day = storedJulianDay(text, sqlite3_column_bytes(query, sqlColumn)))
            row.setJulianDay(column, *day);
        break;
    }
    }
}

void readFields(PackedRows::Builder& row, sqlite3_stmt* query, const QList<FieldInfo>& fields)
{
    for (int i = 0; i < fields.size(); ++i)
        readColumn(row, query, i + 1, i, fields[i].type);
}

class SqliteRows : public StoreRows
{
public:
    explicit SqliteRows(QString table) : StoreRows(std::move(table)) {}

    void select(const QSqlDatabase& db, const QString& statement, const QVariantList& values,
                const QList<FieldInfo>& fields, PackedRows& packed, const Take& take) override
    {
        SqliteStatement query(sqliteHandle(db), statement, m_table);
        query.bindAll(values);
        sqlite3_stmt* raw = query.raw();
        PackedRows::Builder builder(packed);
        while (query.step()) {
            builder.start();
            readFields(builder, raw, fields);
            const qint64 rowid = sqlite3_column_int64(raw, 0);
            take(rowid, builder.finish());
        }
    }

    bool selectOne(const QSqlDatabase& db, const QString& statement, const QVariantList& values,
                   const QList<FieldInfo>& fields, PackedRows::Builder& row) override
    {
        SqliteStatement& query = m_statements.get(sqliteHandle(db), statement, m_table);
        query.reset();
        query.bindAll(values);
        const bool found = query.step();
        if (found)
            readFields(row, query.raw(), fields);
        query.reset();
        return found;
    }

    qint64 insert(const QSqlDatabase& db, const QString& statement, const QVariantList& values) override
    {
        SqliteStatement& insert = m_statements.get(sqliteHandle(db), statement, m_table);
        insert.run(values);
        return insert.lastInsertRowid();
    }

    int change(const QSqlDatabase& db, const QString& statement, const QVariantList& values) override
    {
        SqliteStatement& change = m_statements.get(sqliteHandle(db), statement, m_table);
        change.run(values);
        return change.changes();
    }

    void clear() override { m_statements.clear(); }

private:
    StatementCache m_statements;
};

} // namespace

QString SqliteStore::name(const QString& identifier) const
{
    return Sql::quoted(identifier);
}

bool SqliteStore::tableExists(const QSqlDatabase& db, const QString& table) const
{
    return Sql::scalar(db,
                       QStringLiteral(
                           "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = :n COLLATE NOCASE"),
                       {{QStringLiteral(":n"), table}})
               .toInt() > 0;
}

QList<StoredColumn> SqliteStore::columns(const QSqlDatabase& db, const QString& table) const
{
    const QString createSql =
        Sql::scalar(
            db,
            QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = :n COLLATE NOCASE"),
            {{QStringLiteral(":n"), table}})
            .toString();
    const bool autoIncrement = createSql.contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive);
    QList<StoredColumn> columns;
    QSqlQuery info = Sql::exec(db, QStringLiteral("PRAGMA table_info(%1)").arg(Sql::quoted(table)));
    while (info.next()) {
        StoredColumn column;
        column.name = info.value(1).toString();
        column.declaredType = info.value(2).toString();
        column.required = info.value(3).toInt() != 0;
        column.primaryKey = info.value(5).toInt() > 0;
        column.autoIncrement = column.primaryKey && autoIncrement;
        columns << column;
    }
    return columns;
}

QList<IndexDef> SqliteStore::plainIndexes(const QSqlDatabase& db, const QString& table) const
{
    QStringList names;
    {
        QSqlQuery list = Sql::exec(db, QStringLiteral("PRAGMA index_list(%1)").arg(Sql::quoted(table)));
        while (list.next())
            names << list.value(1).toString();
    }
    QList<IndexDef> result;
    for (const QString& sqlName : names) {
        IndexDef index{sqlName, {}, false, false};
        QSqlQuery info = Sql::exec(db, QStringLiteral("PRAGMA index_xinfo(%1)").arg(Sql::quoted(sqlName)));
        bool plainColumns = true;
        while (info.next()) {
            if (info.value(5).toInt() == 0) // auxiliary columns (rowid)
                continue;
            if (info.value(1).toInt() < 0) {
                plainColumns = false; // an expression key: its definition says what it is
                break;
            }
            index.fields << info.value(2).toString();
            if (info.value(4).toString().compare(QLatin1String("BINARY"), Qt::CaseInsensitive) != 0)
                index.caseInsensitive = true;
        }
        if (plainColumns && !index.fields.isEmpty())
            result << index;
    }
    return result;
}

void SqliteStore::prepareSchema(const QSqlDatabase&) const
{
    // The collation is registered on the connection when it opens.
}

QString SqliteStore::createTableStatement(const TableDef& table) const
{
    return SchemaBuilder::createStatement(table);
}

QString SqliteStore::createIndexStatement(const QString& table, const IndexDef& index) const
{
    // A unique key compares empty and missing values as the same, so that a
    // second row with an empty key field is refused like any other duplicate
    // (SQLite alone would take NULLs as all different).
    const TableDef* def = TableDefinitions::find(table);
    QStringList columns;
    for (const QString& fieldName : index.fields) {
        const QString column = Sql::quoted(fieldName);
        if (!index.unique) {
            columns << (index.caseInsensitive ? column + QStringLiteral(" COLLATE NOCASE") : column);
            continue;
        }
        const FieldDef* field = def ? def->field(fieldName) : nullptr;
        const bool numeric = field && field->type != FieldType::String && field->type != FieldType::Date;
        columns << QStringLiteral("ifnull(%1, %2)")
                       .arg(column, numeric ? QStringLiteral("-1e308") : QStringLiteral("''"));
    }
    return QStringLiteral("CREATE %1INDEX IF NOT EXISTS %2 ON %3 (%4)")
        .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(),
             Sql::quoted(TableDefinitions::sqlIndexName(table, index.name)), Sql::quoted(table),
             columns.join(QStringLiteral(", ")));
}

bool SqliteStore::inTransaction(const QSqlDatabase& db) const
{
    return sqlite3_get_autocommit(sqliteHandle(db)) == 0;
}

std::unique_ptr<StoreRows> SqliteStore::rows(const QString& table) const
{
    return std::make_unique<SqliteRows>(table);
}

QString SqliteStore::lockingRead() const
{
    return {};
}

void SqliteStore::serialise(const QSqlDatabase&, const QString&) const {}
