#include "db/TableRows.h"

#include "core/NativePath.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/RowChanges.h"
#include "db/Savepoint.h"
#include "db/Sql.h"
#include "db/TableDefinitions.h"
#include "db/Transaction.h"

ChangedMeanwhile::ChangedMeanwhile()
    : DbError(QStringLiteral("Documentul a fost modificat intre timp de alt utilizator"))
{
}

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
    m_store = &Store::of(db);
    m_rows = m_store->rows(m_table);
}

void TableRows::detach()
{
    if (m_rows)
        m_rows->clear();
}

QList<FieldInfo> TableRows::describeFields(const QStringList& readFieldNames)
{
    const QSqlDatabase db = database();
    const Store& store = Store::of(db);
    if (!store.tableExists(db, m_table))
        throw DbError(QStringLiteral("Tabela %1 nu exista in baza de date").arg(m_table));
    const TableDef* definition = TableDefinitions::find(m_table);

    QList<FieldInfo> fields;
    for (const StoredColumn& column : store.columns(db, m_table)) {
        if (!readFieldNames.isEmpty() && !readFieldNames.contains(column.name, Qt::CaseInsensitive))
            continue; // not read, never written: the row keeps what the table holds there
        const FieldDef* defined = definition ? definition->field(column.name) : nullptr;
        const FieldDef f = defined ? *defined
                                   : TableDefinitions::fieldFromDeclaredType(column.name, column.declaredType,
                                                                              column.primaryKey,
                                                                              column.autoIncrement);
        FieldInfo field;
        // The server keeps names in lower case: the record source keeps the program's.
        field.name = store.isServer() ? f.name : column.name;
        field.type = f.type;
        field.size = f.size;
        field.required = f.required || column.required;
        fields.append(field);
    }
    m_fields = fields;
    return fields;
}

QString TableRows::selectList() const
{
    QStringList columns{QStringLiteral("rowid")};
    for (const FieldInfo& field : m_fields)
        columns << m_store->name(field.name);
    return columns.join(QStringLiteral(", "));
}

QSqlDatabase TableRows::checkedDatabase()
{
    const QSqlDatabase db = database();
    if (Connection::generation(m_connectionName) != m_generation || db.databaseName() != m_databaseFile)
        throw DbError(QStringLiteral("Tabela %1 a fost citita din baza de date %2, care intre timp a fost "
                                     "inchisa (s-a ales alt an); in ea nu se mai citeste si nu se mai scrie "
                                     "nimic. Inchideti fereastra si deschideti-o din nou.")
                          .arg(m_table, nativePath(m_databaseFile)));
    if (!db.isOpen())
        throw DbError(QStringLiteral("Baza de date nu este deschisa"));
    Transaction::enlist(m_connectionName, m_participant);
    return db;
}

void TableRows::select(PackedRows& packed, const QStringList& whereFields, const QVariantList& values,
                       const std::function<void(qint64 rowid, PackedRows::RowRef row)>& take)
{
    QString text = QStringLiteral("SELECT %1 FROM %2").arg(selectList(), m_store->name(m_table));
    if (!whereFields.isEmpty()) {
        QStringList conditions;
        for (const QString& field : whereFields)
            conditions << QStringLiteral("%1 = ?").arg(m_store->name(field));
        text += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    }
    text += QStringLiteral(" ORDER BY rowid");
    const QSqlDatabase db = checkedDatabase();
    m_rows->select(db, text, values, m_fields, packed, take);
}

PackedRows::RowRef TableRows::readRow(PackedRows& packed, qint64 rowid)
{
    const QSqlDatabase db = checkedDatabase();
    const QString text =
        QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(selectList(), m_store->name(m_table));
    PackedRows::Builder builder(packed);
    m_rows->selectOne(db, text, {rowid}, m_fields, builder);
    return builder.finish();
}

qint64 TableRows::insert(const QVariantList& values)
{
    QStringList columns, marks;
    QVariantList bound;
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].type == FieldType::AutoInc || values.value(i).isNull())
            continue;
        columns << m_store->name(m_fields[i].name);
        marks << QStringLiteral("?");
        bound << FieldValue::toStore(values[i], m_fields[i]);
    }
    const QString text = columns.isEmpty()
                             ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_store->name(m_table))
                             : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(m_store->name(m_table), columns.join(QStringLiteral(", ")),
                                        marks.join(QStringLiteral(", ")));
    const QSqlDatabase db = checkedDatabase();
    return RowChanges::apply(db, m_table, RowAction::Insert, 0,
                             [&] { return m_rows->insert(db, text, bound); });
}

void TableRows::update(PackedRows& packed, qint64 rowid, PackedRows::RowRef asRead, const QList<int>& fields,
                       const QVariantList& values)
{
    if (fields.isEmpty())
        return;
    QStringList assignments;
    QVariantList bound;
    for (int i = 0; i < fields.size(); ++i) {
        const FieldInfo& field = m_fields[fields[i]];
        assignments << m_store->name(field.name) + QStringLiteral(" = ?");
        bound << FieldValue::toStore(values[i], field);
    }
    bound << rowid;
    const QString text = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                             .arg(m_store->name(m_table), assignments.join(QStringLiteral(", ")));
    const QSqlDatabase db = checkedDatabase();
    const auto write = [&] {
        RowChanges::apply(db, m_table, RowAction::Update, rowid, [&] {
            if (m_rows->change(db, text, bound) == 0)
                throw DbError(
                    QStringLiteral("Inregistrarea a fost stearsa intre timp din tabela %1").arg(m_table));
            return rowid;
        });
    };
    if (!Savepoint::fitsAround(db)) {
        write();
        return;
    }
    // The comparison and the write in one transaction: no other connection writes between them.
    Savepoint savepoint(db, QStringLiteral("RowUpdate"));
    checkUnchanged(db, packed, rowid, asRead);
    write();
    savepoint.release();
}

void TableRows::checkUnchanged(const QSqlDatabase& db, PackedRows& packed, qint64 rowid,
                               PackedRows::RowRef asRead)
{
    const QString text = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?%3")
                             .arg(selectList(), m_store->name(m_table), m_store->lockingRead());
    PackedRows::Builder builder(packed);
    const bool found = m_rows->selectOne(db, text, {rowid}, m_fields, builder);
    const PackedRows::RowRef stored = builder.finish();
    if (!found)
        throw DbError(QStringLiteral("Inregistrarea a fost stearsa intre timp din tabela %1").arg(m_table));
    for (int i = 0; i < m_fields.size(); ++i)
        if (packed.isNull(stored, i) != packed.isNull(asRead, i) ||
            packed.value(stored, i) != packed.value(asRead, i))
            throw ChangedMeanwhile();
}

void TableRows::remove(qint64 rowid)
{
    const QString text = QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(m_store->name(m_table));
    const QSqlDatabase db = checkedDatabase();
    RowChanges::apply(db, m_table, RowAction::Delete, rowid, [&] {
        m_rows->change(db, text, {rowid});
        return rowid;
    });
}
