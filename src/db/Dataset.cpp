#include "db/Dataset.h"

#include "db/Connection.h"
#include "db/ConnectionEvents.h"
#include "db/DateFormat.h"
#include "db/DbError.h"
#include "db/FieldFormat.h"
#include "db/RomanianCollation.h"
#include "db/Sql.h"
#include "db/SqliteHandle.h"
#include "db/TableIndexes.h"
#include "db/Transaction.h"
#include "db/TypedNumber.h"

#include <QDir>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>
#include <sqlite3.h>

namespace
{

QStringList splitFields(const QString& fields)
{
    QStringList list;
    for (const QString& f : fields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        list << f.trimmed();
    return list;
}

bool isNumeric(FieldType type)
{
    return type == FieldType::SmallInt || type == FieldType::Integer || type == FieldType::Float ||
           type == FieldType::AutoInc;
}

int compareValues(const QVariant& a, const QVariant& b, FieldType type, bool caseInsensitive)
{
    if (a.isNull() || b.isNull())
        return int(b.isNull()) - int(a.isNull()); // nulls first
    if (isNumeric(type)) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (type == FieldType::Date) {
        const QDate x = a.toDate(), y = b.toDate();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    const QString x = a.toString(), y = b.toString();
    return caseInsensitive ? compareRomanian(x, y) : x.compare(y);
}

// A typed text through the one reader of typed numbers; other values as they are.
double readNumber(const QVariant& value, bool* ok)
{
    if (value.typeId() != QMetaType::QString)
        return value.toDouble(ok);
    const std::optional<double> number = TypedNumber::read(value.toString());
    *ok = number.has_value();
    return number.value_or(0.0);
}

struct WholeRange {
    qint64 low;
    qint64 high;
};

WholeRange wholeRange(FieldType type)
{
    if (type == FieldType::SmallInt)
        return {std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()};
    return {std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()};
}

QString fieldTypeWord(FieldType type)
{
    switch (type) {
    case FieldType::Date:
        return QStringLiteral("o data calendaristica");
    case FieldType::String:
        return QStringLiteral("un text");
    default:
        return QStringLiteral("un numar");
    }
}

} // namespace

QVariant RecordView::value(const QString& field) const
{
    const int index = m_dataset->fieldIndex(field);
    if (index < 0)
        throw DbError(QStringLiteral("Campul %1 nu exista in tabela %2").arg(field, m_dataset->tableName()));
    return m_values->at(index);
}

void RecordView::setValue(const QString& field, const QVariant& value)
{
    const int index = m_dataset->fieldIndex(field);
    if (index < 0 || !m_dataset->field(index).calculated)
        throw DbError(QStringLiteral("Campul %1 nu este un camp calculat").arg(field));
    (*m_values)[index] = value;
}

Dataset::Dataset(const QString& tableName, QObject* parent)
    : QObject(parent), m_table(TableDefinitions::tableNameOf(tableName)), m_connectionName(Connection::name)
{
    connect(&ConnectionEvents::instance(), &ConnectionEvents::aboutToClose, this,
            &Dataset::onConnectionClosing);
}

Dataset::~Dataset() = default;

// ---- set-up --------------------------------------------------------------

void Dataset::setValidator(const QString& field, FieldValidator validator)
{
    m_validators.insert(field.toLower(), std::move(validator));
}

void Dataset::setOnChange(const QString& field, Hook hook)
{
    m_changeHooks.insert(field.toLower(), std::move(hook));
}

void Dataset::setReadFieldNames(const QStringList& fields)
{
    if (isActive())
        throw DbError(QStringLiteral("Campurile citite se aleg inainte de deschiderea tabelei"));
    m_readFieldNames = fields;
}

void Dataset::addCalculatedField(const QString& name, FieldType type, int size)
{
    if (isActive())
        throw DbError(QStringLiteral("Campurile calculate se adauga inainte de deschiderea tabelei"));
    FieldInfo info;
    info.name = name;
    info.type = type;
    info.size = size;
    info.calculated = true;
    m_fields.append(info);
}

void Dataset::setDisplayFormat(const QString& field, const QString& format)
{
    if (fieldIndex(field) < 0 && !isActive()) {
        m_presetFormats[field.toLower()].displayFormat = format; // taken at open
        return;
    }
    m_fields[requireField(field)].displayFormat = format;
}

void Dataset::setEditFormat(const QString& field, const QString& format)
{
    if (fieldIndex(field) < 0 && !isActive()) {
        m_presetFormats[field.toLower()].editFormat = format; // taken at open
        return;
    }
    m_fields[requireField(field)].editFormat = format;
}

// ---- open, close, read ---------------------------------------------------

void Dataset::readFields()
{
    const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
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

    QList<FieldInfo> stored;
    QSqlQuery info = Sql::exec(db, QStringLiteral("PRAGMA table_info(%1)").arg(Sql::quoted(m_table)));
    while (info.next()) {
        const QString name = info.value(1).toString();
        if (!m_readFieldNames.isEmpty() && !m_readFieldNames.contains(name, Qt::CaseInsensitive))
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
        // Formats set before open are kept.
        for (const FieldInfo& old : std::as_const(m_fields))
            if (!old.calculated && old.name.compare(name, Qt::CaseInsensitive) == 0) {
                field.displayFormat = old.displayFormat;
                field.editFormat = old.editFormat;
            }
        if (const auto preset = m_presetFormats.constFind(name.toLower()); preset != m_presetFormats.cend()) {
            if (!preset->displayFormat.isEmpty())
                field.displayFormat = preset->displayFormat;
            if (!preset->editFormat.isEmpty())
                field.editFormat = preset->editFormat;
        }
        stored.append(field);
    }
    // A format given before the first open for a field the table lacks is a
    // slip of the window's code: say so rather than show unformatted amounts.
    for (auto it = m_presetFormats.cbegin(); it != m_presetFormats.cend(); ++it)
        if (std::none_of(stored.cbegin(), stored.cend(), [&](const FieldInfo& f) {
                return f.name.compare(it.key(), Qt::CaseInsensitive) == 0;
            }))
            throw DbError(QStringLiteral("Campul %1 nu exista in tabela %2").arg(it.key(), m_table));
    QList<FieldInfo> calculated;
    for (const FieldInfo& f : std::as_const(m_fields))
        if (f.calculated)
            calculated.append(f);
    m_storedFieldCount = int(stored.size());
    m_fields = stored + calculated;
    std::vector<FieldType> types;
    for (const FieldInfo& f : std::as_const(stored))
        types.push_back(f.type);
    m_packed.setColumnTypes(types);
}

QString Dataset::selectList() const
{
    QStringList columns{QStringLiteral("rowid")};
    for (int i = 0; i < m_storedFieldCount; ++i)
        columns << Sql::quoted(m_fields[i].name);
    return columns.join(QStringLiteral(", "));
}

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

QVariant Dataset::cellOf(const Row& row, int field) const
{
    if (field < m_storedFieldCount)
        return m_packed.value(row.stored, field);
    return row.calculated.value(field - m_storedFieldCount);
}

QVariant Dataset::cellAt(int row, int field) const
{
    if (isEditing() && row == m_current)
        return m_buffer.values.value(field);
    return cellOf(m_rows[row], field);
}

Dataset::Record Dataset::unpack(const Row& row) const
{
    Record record;
    record.rowid = row.rowid;
    record.values.reserve(m_fields.size());
    for (int i = 0; i < m_fields.size(); ++i)
        record.values.append(cellOf(row, i));
    return record;
}

Dataset::Row Dataset::pack(const Record& record)
{
    Row row;
    row.rowid = record.rowid;
    row.stored = m_packed.pack(record.values);
    if (record.values.size() > m_storedFieldCount)
        row.calculated = record.values.mid(m_storedFieldCount);
    return row;
}

QVariant Dataset::toStore(const QVariant& value, const FieldInfo& info) const
{
    if (value.isNull())
        return QVariant();
    if (info.type == FieldType::Date)
        return value.toDate().toString(Qt::ISODate);
    return value;
}

void Dataset::calculate(Record& record)
{
    while (record.values.size() < m_fields.size())
        record.values.append(QVariant());
    if (!onCalcFields || m_storedFieldCount == m_fields.size())
        return;
    for (int i = m_storedFieldCount; i < m_fields.size(); ++i)
        record.values[i] = QVariant();
    RecordView view(this, &record.values);
    onCalcFields(view);
}

sqlite3* Dataset::storeHandle()
{
    const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (Connection::generation(m_connectionName) != m_generation || db.databaseName() != m_databaseFile)
        throw DbError(QStringLiteral("Tabela %1 a fost citita din baza de date %2, care intre timp a fost "
                                     "inchisa (s-a ales alt an); in ea nu se mai citeste si nu se mai scrie "
                                     "nimic. Inchideti fereastra si deschideti-o din nou.")
                          .arg(m_table, QDir::toNativeSeparators(m_databaseFile)));
    if (!db.isOpen())
        throw DbError(QStringLiteral("Baza de date nu este deschisa"));
    return ::sqliteHandle(db);
}

SqliteStatement& Dataset::statement(const QString& text)
{
    sqlite3* db = storeHandle();
    joinTransaction();
    return m_statements.get(db, text, m_table);
}

void Dataset::joinTransaction()
{
    Transaction::enlist(m_connectionName, this);
}

// The rows belong to the database that is closing: the source closes with
// it, so that nothing is ever written into the database opened next. What
// was being edited is dropped, as closing any table drops it.
void Dataset::onConnectionClosing(const QString& connectionName)
{
    if (connectionName != m_connectionName || !isActive())
        return;
    m_modified = false;
    close();
}

void Dataset::loadRows()
{
    m_rows.clear();
    m_packed.clear();
    QString text = QStringLiteral("SELECT %1 FROM %2").arg(selectList(), Sql::quoted(m_table));
    QVariantList masterValues;
    if (m_master) {
        if (!m_master->isActive() || m_master->isEmpty())
            return;
        QStringList conditions;
        for (int i = 0; i < m_detailFields.size(); ++i) {
            conditions << QStringLiteral("%1 = ?").arg(Sql::quoted(m_detailFields[i]));
            const int masterField = m_master->requireField(m_masterFields[i]);
            masterValues << m_master->toStore(m_master->value(m_masterFields[i]),
                                              m_master->field(masterField));
        }
        text += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    }
    text += QStringLiteral(" ORDER BY rowid");

    try {
        SqliteStatement query(storeHandle(), text, m_table);
        joinTransaction();
        query.bindAll(masterValues);
        readRows(query);
        sortRows();
    } catch (...) {
        // No half-read rows are shown, and the position points at none of them.
        m_rows.clear();
        m_packed.clear();
        m_current = -1;
        m_bof = m_eof = true;
        Q_EMIT rowsReset();
        throw;
    }
}

// Reads the statement's rows (row identity, then the stored fields).
void Dataset::readRows(SqliteStatement& query)
{
    sqlite3_stmt* raw = query.raw();
    const bool unpacked = (m_filtered && m_filter) || m_storedFieldCount < m_fields.size();
    PackedRows::Builder builder(m_packed);
    while (query.step()) {
        builder.start();
        for (int i = 0; i < m_storedFieldCount; ++i)
            readColumn(builder, raw, i + 1, i, m_fields[i].type);
        Row row;
        row.rowid = sqlite3_column_int64(raw, 0);
        row.stored = builder.finish();
        if (unpacked) {
            // Calculated fields and filters see the whole record.
            Record record = unpack(row);
            calculate(record);
            if (m_filtered && m_filter) {
                const RecordView view(this, &record.values);
                if (!m_filter(view))
                    continue;
            }
            row.calculated = record.values.mid(m_storedFieldCount);
        }
        m_rows.append(std::move(row));
    }
}

Dataset::Record Dataset::readRow(qint64 rowid)
{
    SqliteStatement& query = statement(
        QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(selectList(), Sql::quoted(m_table)));
    query.reset();
    query.bindAll({rowid});
    Row row;
    row.rowid = rowid;
    PackedRows::Builder builder(m_packed);
    if (query.step())
        for (int i = 0; i < m_storedFieldCount; ++i)
            readColumn(builder, query.raw(), i + 1, i, m_fields[i].type);
    row.stored = builder.finish();
    query.reset();
    Record record = unpack(row);
    record.values.resize(m_storedFieldCount);
    return record;
}

void Dataset::open()
{
    if (isActive())
        return;
    const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!db.isOpen())
        throw DbError(QStringLiteral("Baza de date nu este deschisa"));
    m_generation = Connection::generation(m_connectionName);
    m_databaseFile = db.databaseName();
    readFields();
    // The order is resolved now that the fields are known.
    if (!m_indexFieldNames.isEmpty())
        setIndexFieldNames(m_indexFieldNames.join(QLatin1Char(';')));
    else
        setIndexName(m_indexName);
    loadRows();
    m_state = DatasetState::Browse;
    m_current = m_rows.isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    Q_EMIT rowsReset();
    Q_EMIT stateChanged(m_state);
    scrolled();
}

void Dataset::close()
{
    if (!isActive())
        return;
    m_rows.clear();
    m_packed.clear();
    m_statements.clear();
    m_buffer = Record();
    m_current = -1;
    m_bof = m_eof = true;
    m_modified = false;
    m_state = DatasetState::Inactive;
    Q_EMIT rowsReset();
    Q_EMIT stateChanged(m_state);
}

// Position of the row read with this identity, -1 when none is.
int Dataset::rowWithId(qint64 rowid) const
{
    for (int i = 0; i < m_rows.size() && rowid != 0; ++i)
        if (m_rows[i].rowid == rowid)
            return i;
    return -1;
}

void Dataset::refresh()
{
    requireActive();
    if (!checkBrowseMode())
        return;
    const qint64 currentId = m_current >= 0 ? m_rows[m_current].rowid : 0;
    const int oldPosition = m_current;
    loadRows();
    int position = rowWithId(currentId);
    if (position < 0 && !m_rows.isEmpty())
        position = std::clamp(oldPosition, 0, int(m_rows.size()) - 1);
    m_current = position;
    m_bof = m_eof = m_rows.isEmpty();
    Q_EMIT rowsReset();
    scrolled();
}

void Dataset::rereadAfterRollback(const QList<QPointer<Dataset>>& datasets)
{
    // Guarded pointers: a hook run while rereading may delete a source.
    QList<QPointer<Dataset>> pending;
    for (const QPointer<Dataset>& dataset : datasets)
        if (dataset && dataset->isActive() && !pending.contains(dataset))
            pending << dataset;
    // While rereading, a detail does not follow its master's moves: it rereads
    // itself after the master, keeping what was typed into it.
    for (const QPointer<Dataset>& dataset : std::as_const(pending))
        dataset->m_rereading = true;
    while (!pending.isEmpty()) {
        pending.removeAll(nullptr);
        if (pending.isEmpty())
            break;
        const auto next = std::find_if(pending.cbegin(), pending.cend(), [&](const QPointer<Dataset>& d) {
            return !d->m_master || !pending.contains(d->m_master);
        });
        const QPointer<Dataset> dataset = next != pending.cend() ? *next : pending.first();
        pending.removeOne(dataset);
        try {
            dataset->reread();
        } catch (const DbError&) {
            if (dataset)
                dataset->close(); // rows that cannot be read again are not shown as if stored
        } catch (const std::exception&) {
            // a hook refused something after the rows were read again: they stay
        }
        if (dataset)
            dataset->m_rereading = false;
    }
}

void Dataset::reread()
{
    const DatasetState state = m_state;
    const Record typed = m_buffer;
    const bool modified = m_modified;
    const qint64 currentId = m_current >= 0 && state != DatasetState::Insert ? m_rows[m_current].rowid : 0;
    const int oldPosition = m_current;
    loadRows();
    int position = rowWithId(currentId);
    DatasetState newState = state;
    if (state != DatasetState::Browse && !belongsToMasterRow(typed)) {
        // Typed under a master row that is no longer stored: it has nowhere to go.
        newState = DatasetState::Browse;
        m_buffer = Record();
        m_modified = false;
        if (position < 0 && !m_rows.isEmpty())
            position = std::clamp(oldPosition, 0, int(m_rows.size()) - 1);
    } else if (state == DatasetState::Insert || (state == DatasetState::Edit && position < 0)) {
        // A new record, or an edited one no longer stored, goes back in as a new record.
        Record record = typed;
        record.rowid = 0;
        position = std::clamp(oldPosition, 0, int(m_rows.size()));
        m_rows.insert(position, pack(record));
        m_buffer = record;
        m_modified = modified || state == DatasetState::Edit;
        newState = DatasetState::Insert;
    } else if (state == DatasetState::Edit) {
        m_buffer = typed;
        m_modified = modified;
    } else if (position < 0 && !m_rows.isEmpty()) {
        position = std::clamp(oldPosition, 0, int(m_rows.size()) - 1);
    }
    m_current = position;
    m_bof = m_eof = m_rows.isEmpty();
    Q_EMIT rowsReset();
    setState(newState);
    scrolled();
}

bool Dataset::belongsToMasterRow(const Record& record) const
{
    if (!m_master)
        return true;
    if (!m_master->isActive() || m_master->isEmpty())
        return false;
    for (int i = 0; i < m_detailFields.size(); ++i) {
        const int field = requireField(m_detailFields[i]);
        if (compareValues(record.values.value(field), m_master->value(m_masterFields[i]),
                          m_fields[field].type, false) != 0)
            return false;
    }
    return true;
}

// ---- orders and searches -------------------------------------------------

QList<Dataset::OrderColumn> Dataset::orderFor(const IndexDef& index) const
{
    QList<OrderColumn> order;
    for (const QString& name : index.fields) {
        const int f = fieldIndex(name);
        if (f < 0)
            throw DbError(QStringLiteral("Campul %1 al indexului nu exista in tabela %2").arg(name, m_table));
        order.append({f, index.caseInsensitive});
    }
    return order;
}

bool Dataset::setIndexName(const QString& name)
{
    if (isActive() && !checkBrowseMode())
        return false; // the refused edits stay where they are, in the old order
    m_indexName = name;
    m_indexFieldNames.clear();
    if (m_fields.isEmpty() || m_storedFieldCount == 0)
        return true; // resolved at open
    const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    const std::optional<IndexDef> index = TableIndexes::find(db, m_table, name);
    if (!index && !name.isEmpty())
        throw DbError(QStringLiteral("Indexul %1 nu exista in tabela %2").arg(name, m_table));
    applyOrder(index ? orderFor(*index) : QList<OrderColumn>{});
    return true;
}

bool Dataset::setIndexFieldNames(const QString& fields)
{
    if (isActive() && !checkBrowseMode())
        return false;
    m_indexFieldNames = splitFields(fields);
    m_indexName.clear();
    if (m_fields.isEmpty() || m_storedFieldCount == 0)
        return true;
    const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    const std::optional<IndexDef> index = TableIndexes::findByFields(db, m_table, m_indexFieldNames);
    IndexDef order{QString(), m_indexFieldNames, false, index && index->caseInsensitive};
    applyOrder(orderFor(order));
    return true;
}

QStringList Dataset::orderFields() const
{
    QStringList names;
    for (const OrderColumn& c : m_order)
        names << m_fields[c.field].name;
    return names;
}

void Dataset::applyOrder(const QList<OrderColumn>& order)
{
    m_order = order;
    if (!isActive())
        return;
    const qint64 currentId = m_current >= 0 ? m_rows[m_current].rowid : 0;
    sortRows();
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].rowid == currentId)
            m_current = i;
    Q_EMIT rowsReset();
    scrolled();
}

int Dataset::compareRows(const Row& a, const Row& b) const
{
    for (const OrderColumn& c : m_order) {
        const int r =
            compareValues(cellOf(a, c.field), cellOf(b, c.field), m_fields[c.field].type, c.caseInsensitive);
        if (r != 0)
            return r;
    }
    if (a.rowid == 0 || b.rowid == 0) // a row not yet stored goes after its equals
        return int(a.rowid == 0) - int(b.rowid == 0);
    return a.rowid < b.rowid ? -1 : (a.rowid > b.rowid ? 1 : 0);
}

void Dataset::sortRows()
{
    if (m_order.isEmpty())
        return; // rows come in row-identity order
    // Each order column's values are turned once into plain keys (numbers,
    // texts, collation keys), which the sort then compares cheaply.
    struct Column {
        std::vector<char> null;
        std::vector<double> numbers;
        std::vector<QString> texts;
        std::vector<std::u32string> collated;
    };
    const qsizetype count = m_rows.size();
    std::vector<Column> columns(size_t(m_order.size()));
    for (qsizetype c = 0; c < m_order.size(); ++c) {
        const OrderColumn& order = m_order[c];
        const FieldType type = m_fields[order.field].type;
        Column& column = columns[size_t(c)];
        column.null.resize(size_t(count));
        for (qsizetype r = 0; r < count; ++r) {
            const QVariant v = cellOf(m_rows[r], order.field);
            column.null[size_t(r)] = v.isNull();
            if (type == FieldType::Date)
                column.numbers.push_back(v.isNull() ? 0.0 : double(v.toDate().toJulianDay()));
            else if (isNumeric(type))
                column.numbers.push_back(v.toDouble());
            else if (order.caseInsensitive)
                column.collated.push_back(romanianSortKey(v.toString()));
            else
                column.texts.push_back(v.toString());
        }
    }
    const auto less = [&](qsizetype a, qsizetype b) {
        for (const Column& column : columns) {
            const size_t x = size_t(a), y = size_t(b);
            if (column.null[x] != column.null[y])
                return column.null[x] > column.null[y]; // nulls first
            if (column.null[x])
                continue;
            int r = 0;
            if (!column.numbers.empty())
                r = column.numbers[x] < column.numbers[y] ? -1
                                                          : (column.numbers[x] > column.numbers[y] ? 1 : 0);
            else if (!column.collated.empty())
                r = column.collated[x].compare(column.collated[y]);
            else
                r = column.texts[x].compare(column.texts[y]);
            if (r != 0)
                return r < 0;
        }
        return m_rows[a].rowid < m_rows[b].rowid;
    };
    std::vector<qsizetype> permutation(static_cast<size_t>(count));
    std::iota(permutation.begin(), permutation.end(), 0);
    std::sort(permutation.begin(), permutation.end(), less);
    QList<Row> sorted;
    sorted.reserve(count);
    for (const qsizetype r : permutation)
        sorted.append(std::move(m_rows[r]));
    m_rows = std::move(sorted);
}

// The searched values read as the types of the active order's fields.
QVariantList Dataset::convertedKey(const QVariantList& key) const
{
    if (m_order.isEmpty())
        throw DbError(QStringLiteral("Tabela %1 nu are un index activ pentru cautare").arg(m_table));
    QVariantList converted;
    for (int i = 0; i < key.size() && i < m_order.size(); ++i)
        converted << this->converted(key[i], m_fields[m_order[i].field]);
    return converted;
}

int Dataset::compareKey(const Row& row, const QVariantList& key) const
{
    for (int i = 0; i < key.size() && i < m_order.size(); ++i) {
        const OrderColumn& c = m_order[i];
        const int r = compareValues(cellOf(row, c.field), key[i], m_fields[c.field].type, c.caseInsensitive);
        if (r != 0)
            return r;
    }
    return 0;
}

int Dataset::lowerBound(const QVariantList& key) const
{
    const auto it = std::partition_point(m_rows.begin(), m_rows.end(),
                                         [&](const Row& row) { return compareKey(row, key) < 0; });
    return int(it - m_rows.begin());
}

bool Dataset::findKey(const QVariantList& values)
{
    requireActive();
    if (!checkBrowseMode())
        return false;
    const QVariantList key = convertedKey(values);
    const int position = lowerBound(key);
    if (position >= m_rows.size() || compareKey(m_rows[position], key) != 0)
        return false;
    moveTo(position);
    return true;
}

void Dataset::findNearest(const QVariantList& values)
{
    requireActive();
    if (!checkBrowseMode())
        return;
    if (m_rows.isEmpty())
        return;
    moveTo(std::min(lowerBound(convertedKey(values)), int(m_rows.size()) - 1));
}

bool Dataset::locate(const QString& fields, const QVariantList& values, LocateOptions options)
{
    requireActive();
    const QStringList names = splitFields(fields);
    QList<int> indexes;
    for (const QString& n : names)
        indexes << requireField(n);
    if (indexes.size() != values.size())
        throw DbError(
            QStringLiteral("Cautare cu %1 campuri si %2 valori").arg(indexes.size()).arg(values.size()));
    if (!checkBrowseMode())
        return false;
    const Qt::CaseSensitivity cs =
        options.testFlag(LocateOption::CaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    // The searched values are read once, not again at every row.
    QVariantList wanted;
    for (int i = 0; i < indexes.size(); ++i)
        wanted << converted(values[i], m_fields[indexes[i]]);
    for (int row = 0; row < m_rows.size(); ++row) {
        bool match = true;
        for (int i = 0; i < indexes.size() && match; ++i) {
            const FieldInfo& info = m_fields[indexes[i]];
            const QVariant have = cellOf(m_rows[row], indexes[i]);
            const QVariant& want = wanted[i];
            if (have.isNull() || want.isNull()) {
                match = have.isNull() && want.isNull();
            } else if (info.type == FieldType::String) {
                const QString text = have.toString(), wanted = want.toString();
                if (options.testFlag(LocateOption::PartialKey))
                    match = text.startsWith(wanted, cs) ||
                            (cs == Qt::CaseInsensitive &&
                             compareRomanian(QStringView(text).left(wanted.size()), wanted) == 0);
                else
                    match = text.compare(wanted, cs) == 0 ||
                            (cs == Qt::CaseInsensitive && compareRomanian(text, wanted) == 0);
            } else {
                match = compareValues(have, want, info.type, false) == 0;
            }
        }
        if (match) {
            moveTo(row);
            return true;
        }
    }
    return false;
}

// ---- master-detail and filter --------------------------------------------

void Dataset::setMaster(Dataset* master, const QString& masterFields, const QString& detailFields)
{
    if (m_master) {
        disconnect(m_master, nullptr, this, nullptr);
        m_master->m_details.removeAll(this);
    }
    m_master = master;
    m_masterFields = splitFields(masterFields);
    m_detailFields = splitFields(detailFields);
    if (m_masterFields.size() != m_detailFields.size())
        throw DbError(QStringLiteral("Legatura dintre tabele are un numar diferit de campuri"));
    if (!master)
        return;
    master->m_details.append(this);
    connect(master, &Dataset::currentRowChanged, this, &Dataset::masterMoved);
    connect(master, &Dataset::rowsReset, this, &Dataset::masterMoved);
    connect(master, &Dataset::rowDataChanged, this, [this](int row) {
        if (m_master && row == m_master->currentRow())
            masterMoved();
    });
    if (isActive())
        masterMoved();
}

void Dataset::masterMoved()
{
    if (!isActive() || !m_master || m_rereading || ConnectionEvents::instance().isClosing(m_connectionName))
        return; // reread after a rollback, or closing with the connection
    if (!checkBrowseMode())
        return;
    loadRows();
    m_current = m_rows.isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    Q_EMIT rowsReset();
    scrolled();
}

void Dataset::setFilter(RowFilter filter)
{
    m_filter = std::move(filter);
    if (isActive() && m_filtered)
        refresh();
}

void Dataset::setFiltered(bool filtered)
{
    if (m_filtered == filtered)
        return;
    m_filtered = filtered;
    if (isActive())
        refresh();
}

// ---- navigation ----------------------------------------------------------

void Dataset::moveTo(int row)
{
    m_current = row;
    m_bof = m_eof = false;
    scrolled();
}

void Dataset::scrolled()
{
    Q_EMIT currentRowChanged(m_current);
    if (afterScroll)
        afterScroll(*this);
}

void Dataset::first()
{
    requireActive();
    if (!checkBrowseMode())
        return;
    if (m_rows.isEmpty())
        return;
    moveTo(0);
    m_bof = true;
}

void Dataset::last()
{
    requireActive();
    if (!checkBrowseMode())
        return;
    if (m_rows.isEmpty())
        return;
    moveTo(int(m_rows.size()) - 1);
    m_eof = true;
}

bool Dataset::next()
{
    requireActive();
    if (!checkBrowseMode())
        return false;
    if (m_current + 1 >= m_rows.size()) {
        m_eof = true;
        return false;
    }
    moveTo(m_current + 1);
    return true;
}

bool Dataset::prior()
{
    requireActive();
    if (!checkBrowseMode())
        return false;
    if (m_current <= 0) {
        m_bof = true;
        return false;
    }
    moveTo(m_current - 1);
    return true;
}

int Dataset::moveBy(int distance)
{
    requireActive();
    if (!checkBrowseMode() || m_rows.isEmpty())
        return 0;
    const int target = std::clamp(m_current + distance, 0, int(m_rows.size()) - 1);
    const int moved = target - m_current;
    if (moved != 0)
        moveTo(target);
    m_bof = distance < 0 && target == 0 && moved != distance;
    m_eof = distance > 0 && target == m_rows.size() - 1 && moved != distance;
    return moved;
}

void Dataset::setRecNo(int recNo)
{
    requireActive();
    if (recNo < 1 || recNo > m_rows.size() || recNo == m_current + 1)
        return;
    if (!checkBrowseMode())
        return;
    moveTo(recNo - 1);
}

// ---- fields --------------------------------------------------------------

int Dataset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int Dataset::requireField(const QString& name) const
{
    const int index = fieldIndex(name);
    if (index < 0)
        throw DbError(QStringLiteral("Campul %1 nu exista in tabela %2").arg(name, m_table));
    return index;
}

void Dataset::requireActive() const
{
    if (!isActive())
        throw DbError(QStringLiteral("Tabela %1 nu este deschisa").arg(m_table));
}

void Dataset::requireEditing(const QString& field) const
{
    if (!isEditing())
        throw DbError(
            QStringLiteral("Tabela %1 nu este in modul de modificare (campul %2)").arg(m_table, field));
}

QVariant Dataset::value(const QString& field) const
{
    const int index = requireField(field);
    if (m_current < 0)
        return isEditing() ? m_buffer.values.value(index) : QVariant();
    return cellAt(m_current, index);
}

QVariant Dataset::rowValue(int row, int field) const
{
    if (row < 0 || row >= m_rows.size() || field < 0 || field >= m_fields.size())
        return QVariant();
    return cellAt(row, field);
}

QString Dataset::formatValue(const QVariant& value, const FieldInfo& info, bool forEditing) const
{
    if (value.isNull())
        return QString();
    switch (info.type) {
    case FieldType::Float:
        return FieldFormat::formatNumber(value.toDouble(), forEditing ? info.editFormat : info.displayFormat);
    case FieldType::Date:
        return DateFormat::toShortText(value.toDate());
    default:
        return value.toString();
    }
}

QString Dataset::displayText(const QString& field) const
{
    return formatValue(value(field), m_fields[requireField(field)], false);
}

QString Dataset::editText(const QString& field) const
{
    return formatValue(value(field), m_fields[requireField(field)], true);
}

QString Dataset::rowDisplayText(int row, int field) const
{
    if (field < 0 || field >= m_fields.size())
        return QString();
    return formatValue(rowValue(row, field), m_fields[field], false);
}

QVariant Dataset::converted(const QVariant& value, const FieldInfo& info) const
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    if (value.typeId() == QMetaType::QString && value.toString().isEmpty())
        return QVariant(); // an empty text is no value
    const bool isText = value.typeId() == QMetaType::QString;
    if (isText && isNumeric(info.type) && TypedNumber::isAmbiguous(value.toString())) {
        const QString typed = value.toString().trimmed();
        throw DbError(
            QStringLiteral("\"%1\" se poate citi si ca %2, si ca %3 (campul %4): scrieti miile fara "
                           "punct si zecimalele dupa virgula")
                .arg(value.toString(), QString(typed).remove(QLatin1Char('.')),
                     QString(typed).replace(QLatin1Char('.'), QLocale().decimalPoint()), info.name));
    }
    bool ok = true;
    QVariant result;
    switch (info.type) {
    case FieldType::String:
        result = value.toString();
        break;
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc: {
        const double number = readNumber(value, &ok);
        if (ok && (number != std::floor(number) || (isText && TypedNumber::hasFraction(value.toString()))))
            throw DbError(QStringLiteral("\"%1\" nu este un numar intreg (campul %2)")
                              .arg(value.toString(), info.name));
        const WholeRange range = wholeRange(info.type);
        if (ok && (number < range.low || number > range.high))
            throw DbError(
                QStringLiteral(
                    "Campul %1 primeste numere intregi intre %2 si %3; %4 este in afara acestor limite")
                    .arg(info.name)
                    .arg(range.low)
                    .arg(range.high)
                    .arg(value.toString().trimmed()));
        result = info.type == FieldType::AutoInc ? QVariant(qint64(number)) : QVariant(int(number));
        break;
    }
    case FieldType::Float: {
        result = readNumber(value, &ok);
        // A field edited with a fixed number of decimals (lei and bani) stores
        // no more of them than it shows: "12,345" would show as 12,35 and
        // count as 12,345 in every sum.
        const int decimals = FieldFormat::decimalsOf(info.editFormat);
        if (ok && isText && decimals >= 0 && TypedNumber::decimalsNeeded(value.toString()) > decimals)
            throw DbError(QStringLiteral("\"%1\" are prea multe zecimale: campul %2 primeste %3")
                              .arg(value.toString().trimmed(), info.name,
                                   decimals == 0 ? QStringLiteral("numai numere intregi")
                                                 : QStringLiteral("cel mult %1 zecimale").arg(decimals)));
        break;
    }
    case FieldType::Date: {
        QDate d = value.toDate();
        if (value.typeId() == QMetaType::QString) {
            // A masked date input with nothing typed reads as its separators alone.
            if (!value.toString().contains(QRegularExpression(QStringLiteral("\\d"))))
                return QVariant();
            d = DateFormat::fromShortText(value.toString());
            if (!d.isValid())
                d = QDate::fromString(value.toString(), Qt::ISODate);
        }
        ok = d.isValid();
        result = d;
        break;
    }
    }
    if (!ok)
        throw DbError(QStringLiteral("\"%1\" nu este %2 (campul %3)")
                          .arg(value.toString(), fieldTypeWord(info.type), info.name));
    return result;
}

bool Dataset::setValue(const QString& field, const QVariant& value)
{
    requireActive();
    const int index = requireField(field);
    const FieldInfo& info = m_fields[index];
    if (info.calculated)
        throw DbError(QStringLiteral("Campul %1 este calculat si nu poate fi modificat").arg(info.name));
    if (info.type == FieldType::AutoInc)
        throw DbError(
            QStringLiteral("Campul %1 este numerotat automat si nu poate fi modificat").arg(info.name));
    requireEditing(info.name);
    const QVariant newValue = converted(value, info);
    if (info.type == FieldType::String && newValue.toString().size() > info.size)
        throw DbError(QStringLiteral("Campul %1 primeste cel mult %2 caractere; textul dat are %3")
                          .arg(info.name)
                          .arg(info.size)
                          .arg(newValue.toString().size()));
    if (const auto validator = m_validators.constFind(info.name.toLower());
        validator != m_validators.cend()) {
        try {
            (*validator)(*this, newValue);
        } catch (const SilentAbort&) {
            return false;
        }
    }
    const Record before = m_buffer;
    const bool wasModified = m_modified;
    m_buffer.values[index] = newValue;
    m_modified = true;
    calculate(m_buffer);
    Q_EMIT fieldValueChanged(info.name);
    if (m_current >= 0)
        Q_EMIT rowDataChanged(m_current);
    const auto hook = m_changeHooks.constFind(info.name.toLower());
    if (hook != m_changeHooks.cend() && !runHook(*hook)) {
        if (isEditing())
            restoreBuffer(before, wasModified);
        return false;
    }
    return true;
}

// Puts back the record as it was before a refused change, with every field
// the change hook may have touched.
void Dataset::restoreBuffer(const Record& before, bool wasModified)
{
    const Record changed = m_buffer;
    m_buffer = before;
    m_modified = wasModified;
    for (int i = 0; i < m_fields.size(); ++i)
        if (changed.values.value(i) != before.values.value(i) ||
            changed.values.value(i).isNull() != before.values.value(i).isNull())
            Q_EMIT fieldValueChanged(m_fields[i].name);
    if (m_current >= 0)
        Q_EMIT rowDataChanged(m_current);
}

bool Dataset::setEditText(const QString& field, const QString& text)
{
    return setValue(field, text.trimmed().isEmpty() && m_fields[requireField(field)].type != FieldType::String
                               ? QVariant()
                               : QVariant(text));
}

// ---- editing -------------------------------------------------------------

void Dataset::setState(DatasetState state)
{
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged(state);
}

bool Dataset::runHook(const Hook& hook)
{
    if (!hook)
        return true;
    try {
        hook(*this);
    } catch (const SilentAbort&) {
        return false;
    }
    return true;
}

bool Dataset::beginNewRecord(int position)
{
    requireActive();
    if (!checkBrowseMode())
        return false;
    if (!runHook(beforeInsert))
        return false;
    Record record;
    record.values = QVariantList(m_fields.size());
    if (m_master && m_master->isActive() && !m_master->isEmpty())
        for (int i = 0; i < m_detailFields.size(); ++i)
            record.values[requireField(m_detailFields[i])] = m_master->value(m_masterFields[i]);
    position = std::clamp(position, 0, int(m_rows.size()));
    m_rows.insert(position, pack(record));
    m_buffer = record;
    m_current = position;
    m_bof = m_eof = false;
    m_modified = false;
    setState(DatasetState::Insert);
    Q_EMIT rowInserted(position);
    try {
        if (onNewRecord)
            onNewRecord(*this);
    } catch (const SilentAbort&) {
        cancel();
        return false;
    }
    // Defaults are not edits: a new record nobody typed into is dropped on leaving it.
    m_modified = false;
    calculate(m_buffer);
    scrolled();
    return true;
}

bool Dataset::insert()
{
    return beginNewRecord(m_current < 0 ? 0 : m_current);
}

bool Dataset::append()
{
    return beginNewRecord(int(m_rows.size()));
}

bool Dataset::edit()
{
    requireActive();
    if (isEditing())
        return true;
    if (m_rows.isEmpty())
        return insert();
    if (!runHook(beforeEdit))
        return false;
    m_buffer = unpack(m_rows[m_current]);
    m_modified = false;
    setState(DatasetState::Edit);
    return true;
}

void Dataset::checkRecord(const QVariantList& values) const
{
    for (int i = 0; i < m_storedFieldCount; ++i) {
        const FieldInfo& info = m_fields[i];
        if (info.required && values[i].isNull())
            throw DbError(QStringLiteral("Campul %1 trebuie completat").arg(info.name));
        if (info.type == FieldType::String && values[i].toString().size() > info.size)
            throw DbError(
                QStringLiteral("Campul %1 primeste cel mult %2 caractere").arg(info.name).arg(info.size));
    }
}

void Dataset::writeInsert(Record& record)
{
    QStringList columns, marks;
    QVariantList bound;
    for (int i = 0; i < m_storedFieldCount; ++i) {
        if (m_fields[i].type == FieldType::AutoInc || record.values[i].isNull())
            continue;
        columns << Sql::quoted(m_fields[i].name);
        marks << QStringLiteral("?");
        bound << toStore(record.values[i], m_fields[i]);
    }
    const QString text = columns.isEmpty()
                             ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(Sql::quoted(m_table))
                             : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(Sql::quoted(m_table), columns.join(QStringLiteral(", ")),
                                        marks.join(QStringLiteral(", ")));
    SqliteStatement& insert = statement(text);
    insert.run(bound);
    // Read back what the store assigned (autoincrement values).
    Record stored = readRow(insert.lastInsertRowid());
    for (int i = m_storedFieldCount; i < record.values.size(); ++i)
        stored.values.append(record.values[i]);
    record = stored;
}

void Dataset::writeUpdate(const Row& original, const Record& edited)
{
    QStringList assignments;
    QVariantList bound;
    for (int i = 0; i < m_storedFieldCount; ++i) {
        const QVariant before = cellOf(original, i);
        if (before == edited.values[i] && before.isNull() == edited.values[i].isNull())
            continue;
        assignments << Sql::quoted(m_fields[i].name) + QStringLiteral(" = ?");
        bound << toStore(edited.values[i], m_fields[i]);
    }
    if (assignments.isEmpty())
        return;
    bound << original.rowid;
    SqliteStatement& update =
        statement(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                      .arg(Sql::quoted(m_table), assignments.join(QStringLiteral(", "))));
    update.run(bound);
    if (update.changes() == 0)
        throw DbError(QStringLiteral("Inregistrarea a fost stearsa intre timp din tabela %1").arg(m_table));
}

// Puts the stored row in its place in the active order and makes it current.
void Dataset::settleRow(const Record& record)
{
    Row row = pack(record);
    const int from = m_current;
    // A row whose neighbours still frame it stays where it is, without moving the rows after it.
    const bool staysInPlace = (from == 0 || compareRows(m_rows[from - 1], row) < 0) &&
                              (from + 1 >= m_rows.size() || compareRows(row, m_rows[from + 1]) < 0);
    int to = from;
    if (staysInPlace) {
        m_rows[from] = std::move(row);
    } else {
        m_rows.removeAt(from);
        to = positionFor(row);
        m_rows.insert(to, std::move(row));
    }
    m_current = to;
    if (from == to) {
        Q_EMIT rowDataChanged(to);
    } else {
        Q_EMIT rowRemoved(from);
        Q_EMIT rowInserted(to);
    }
}

int Dataset::positionFor(const Row& row) const
{
    if (m_order.isEmpty()) {
        // Row-identity order: a new row goes after every stored one.
        const auto it = std::partition_point(m_rows.begin(), m_rows.end(),
                                             [&](const Row& r) { return r.rowid < row.rowid; });
        return int(it - m_rows.begin());
    }
    const auto it = std::partition_point(m_rows.begin(), m_rows.end(),
                                         [&](const Row& r) { return compareRows(r, row) < 0; });
    return int(it - m_rows.begin());
}

void Dataset::addRecordUpdater(QObject* owner, std::function<void()> updater)
{
    removeRecordUpdater(owner); // one updater per control, or it would write twice
    m_updaters.push_back({owner, std::move(updater)});
}

void Dataset::removeRecordUpdater(QObject* owner)
{
    std::erase_if(m_updaters, [owner](const auto& entry) { return !entry.first || entry.first == owner; });
}

bool Dataset::updateRecord()
{
    if (!isEditing())
        return true;
    const auto updaters = m_updaters; // an updater may add or remove controls
    try {
        for (const auto& [owner, updater] : updaters)
            if (owner)
                updater();
    } catch (const SilentAbort&) {
        return false;
    }
    return true;
}

bool Dataset::post()
{
    requireActive();
    if (!updateRecord())
        return false;
    if (!isEditing())
        return true;
    if (!runHook(beforePost))
        return false;
    checkRecord(m_buffer.values);
    Record edited = m_buffer;
    if (m_state == DatasetState::Insert)
        writeInsert(edited);
    else
        writeUpdate(m_rows[m_current], edited);
    calculate(edited);
    m_modified = false;
    settleRow(edited);
    setState(DatasetState::Browse);
    ConnectionEvents::instance().announceStored(m_connectionName, m_table, this);
    if (afterPost)
        afterPost(*this);
    scrolled();
    return true;
}

void Dataset::cancel()
{
    if (!isEditing())
        return;
    if (beforeCancel)
        beforeCancel(*this);
    const bool wasInsert = m_state == DatasetState::Insert;
    m_modified = false;
    m_buffer = Record();
    if (wasInsert) {
        dropCurrentRow();
        scrolled();
    } else {
        setState(DatasetState::Browse);
        Q_EMIT rowDataChanged(m_current);
        Q_EMIT currentRowChanged(m_current);
    }
}

bool Dataset::remove()
{
    requireActive();
    if (m_state == DatasetState::Insert) {
        cancel();
        return true;
    }
    if (m_rows.isEmpty())
        throw DbError(QStringLiteral("Tabela %1 nu are inregistrari de sters").arg(m_table));
    if (!runHook(beforeDelete))
        return false;
    statement(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(Sql::quoted(m_table)))
        .run({m_rows[m_current].rowid});
    m_buffer = Record();
    m_modified = false;
    dropCurrentRow();
    ConnectionEvents::instance().announceStored(m_connectionName, m_table, this);
    if (afterDelete)
        afterDelete(*this);
    scrolled();
    return true;
}

// Takes the current row out of the rows shown and moves to its neighbour,
// before the signals: what they refresh reads a row that is there.
void Dataset::dropCurrentRow()
{
    const int removed = m_current;
    m_rows.removeAt(removed);
    m_current = m_rows.isEmpty() ? -1 : std::min(removed, int(m_rows.size()) - 1);
    m_bof = m_eof = m_rows.isEmpty();
    setState(DatasetState::Browse);
    Q_EMIT rowRemoved(removed);
}

bool Dataset::checkBrowseMode()
{
    // A detail record refused on the way would stay on screen under another master record.
    for (const QPointer<Dataset>& detail : std::as_const(m_details))
        if (detail && detail->m_storedBeforeMasterMoves && detail->isActive() && !detail->checkBrowseMode())
            return false;
    if (!updateRecord())
        return false;
    if (!isEditing())
        return true;
    if (m_modified)
        return post();
    cancel();
    return true;
}
