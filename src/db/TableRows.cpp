#include "db/TableRows.h"

#include "core/NativePath.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/RowChanges.h"
#include "db/Sql.h"
#include "db/SqliteHandle.h"
#include "db/TableDefinitions.h"
#include "db/Transaction.h"

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

} // namespace

TableRows::TableRows(const QString& table, Dataset* participant)
    : m_table(table), m_connectionName(Connection::name), m_participant(participant)
{
}

QSqlDatabase TableRows::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

void TableRows::attach()
{
    const QSqlDatabase db = database();
    if (!db.isOpen())
        throw DbError(QStringLiteral("Baza de date nu este deschisa"));
    m_generation = Connection::generation(m_connectionName);
    m_databaseFile = db.databaseName();
}

void TableRows::detach()
{
    m_statements.clear();
}

QList<FieldInfo> TableRows::describeFields(const QStringList& readFieldNames)
{
    const QSqlDatabase db = database();
    if (!Sql::tableExists(db, m_table))
        throw DbError(QStringLiteral("Tabela %1 nu exista in baza de date").arg(m_table));
    const QString createSql =
        Sql::scalar(
            db,
            QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = :n COLLATE NOCASE"),
            {{QStringLiteral(":n"), m_table}})
            .toString();
    const bool autoIncrement = createSql.contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive);
    const TableDef* definition = TableDefinitions::find(m_table);

    QList<FieldInfo> fields;
    QSqlQuery info = Sql::exec(db, QStringLiteral("PRAGMA table_info(%1)").arg(Sql::quoted(m_table)));
    while (info.next()) {
        const QString name = info.value(1).toString();
        if (!readFieldNames.isEmpty() && !readFieldNames.contains(name, Qt::CaseInsensitive))
            continue; // not read, never written: the row keeps what the table holds there
        const FieldDef* defined = definition ? definition->field(name) : nullptr;
        const FieldDef f =
            defined ? *defined
                    : TableDefinitions::fieldFromDeclaredType(name, info.value(2).toString(),
                                                              info.value(5).toInt() > 0, autoIncrement);
        FieldInfo field;
        field.name = name;
        field.type = f.type;
        field.size = f.size;
        field.required = f.required || info.value(3).toInt() != 0;
        fields.append(field);
    }
    m_fields = fields;
    return fields;
}

QString TableRows::selectList() const
{
    QStringList columns{QStringLiteral("rowid")};
    for (const FieldInfo& field : m_fields)
        columns << Sql::quoted(field.name);
    return columns.join(QStringLiteral(", "));
}

sqlite3* TableRows::handle()
{
    const QSqlDatabase db = database();
    if (Connection::generation(m_connectionName) != m_generation || db.databaseName() != m_databaseFile)
        throw DbError(QStringLiteral("Tabela %1 a fost citita din baza de date %2, care intre timp a fost "
                                     "inchisa (s-a ales alt an); in ea nu se mai citeste si nu se mai scrie "
                                     "nimic. Inchideti fereastra si deschideti-o din nou.")
                          .arg(m_table, nativePath(m_databaseFile)));
    if (!db.isOpen())
        throw DbError(QStringLiteral("Baza de date nu este deschisa"));
    return ::sqliteHandle(db);
}

SqliteStatement& TableRows::statement(const QString& text)
{
    sqlite3* db = handle();
    Transaction::enlist(m_connectionName, m_participant);
    return m_statements.get(db, text, m_table);
}

void TableRows::select(PackedRows& packed, const QStringList& whereFields, const QVariantList& values,
                       const std::function<void(qint64 rowid, PackedRows::RowRef row)>& take)
{
    QString text = QStringLiteral("SELECT %1 FROM %2").arg(selectList(), Sql::quoted(m_table));
    if (!whereFields.isEmpty()) {
        QStringList conditions;
        for (const QString& field : whereFields)
            conditions << QStringLiteral("%1 = ?").arg(Sql::quoted(field));
        text += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    }
    text += QStringLiteral(" ORDER BY rowid");
    SqliteStatement query(handle(), text, m_table);
    Transaction::enlist(m_connectionName, m_participant);
    query.bindAll(values);
    sqlite3_stmt* raw = query.raw();
    PackedRows::Builder builder(packed);
    while (query.step()) {
        builder.start();
        for (int i = 0; i < m_fields.size(); ++i)
            readColumn(builder, raw, i + 1, i, m_fields[i].type);
        const qint64 rowid = sqlite3_column_int64(raw, 0);
        take(rowid, builder.finish());
    }
}

PackedRows::RowRef TableRows::readRow(PackedRows& packed, qint64 rowid)
{
    SqliteStatement& query = statement(
        QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(selectList(), Sql::quoted(m_table)));
    query.reset();
    query.bindAll({rowid});
    PackedRows::Builder builder(packed);
    if (query.step())
        for (int i = 0; i < m_fields.size(); ++i)
            readColumn(builder, query.raw(), i + 1, i, m_fields[i].type);
    const PackedRows::RowRef row = builder.finish();
    query.reset();
    return row;
}

qint64 TableRows::insert(const QVariantList& values)
{
    QStringList columns, marks;
    QVariantList bound;
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].type == FieldType::AutoInc || values.value(i).isNull())
            continue;
        columns << Sql::quoted(m_fields[i].name);
        marks << QStringLiteral("?");
        bound << FieldValue::toStore(values[i], m_fields[i]);
    }
    const QString text = columns.isEmpty()
                             ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(Sql::quoted(m_table))
                             : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(Sql::quoted(m_table), columns.join(QStringLiteral(", ")),
                                        marks.join(QStringLiteral(", ")));
    SqliteStatement& insert = statement(text);
    return RowChanges::apply(database(), m_table, RowAction::Insert, 0, [&] {
        insert.run(bound);
        return insert.lastInsertRowid();
    });
}

void TableRows::update(qint64 rowid, const QList<int>& fields, const QVariantList& values)
{
    if (fields.isEmpty())
        return;
    QStringList assignments;
    QVariantList bound;
    for (int i = 0; i < fields.size(); ++i) {
        const FieldInfo& field = m_fields[fields[i]];
        assignments << Sql::quoted(field.name) + QStringLiteral(" = ?");
        bound << FieldValue::toStore(values[i], field);
    }
    bound << rowid;
    SqliteStatement& update =
        statement(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                      .arg(Sql::quoted(m_table), assignments.join(QStringLiteral(", "))));
    RowChanges::apply(database(), m_table, RowAction::Update, rowid, [&] {
        update.run(bound);
        if (update.changes() == 0)
            throw DbError(
                QStringLiteral("Inregistrarea a fost stearsa intre timp din tabela %1").arg(m_table));
        return rowid;
    });
}

void TableRows::remove(qint64 rowid)
{
    SqliteStatement& remove = statement(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(Sql::quoted(m_table)));
    RowChanges::apply(database(), m_table, RowAction::Delete, rowid, [&] {
        remove.run({rowid});
        return rowid;
    });
}
