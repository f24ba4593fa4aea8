#include "db/Dataset.h"

#include "db/Connection.h"
#include "db/ConnectionEvents.h"
#include "db/DbError.h"
#include "db/Savepoint.h"

#include <algorithm>
#include <optional>

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
    : QObject(parent), m_table(TableDefinitions::tableNameOf(tableName)), m_store(m_table, this)
{
    connect(&ConnectionEvents::instance(), &ConnectionEvents::aboutToClose, this,
            &Dataset::onConnectionClosing);
}

Dataset::~Dataset() = default;

// "Field1;Field2" as a list of names.
QStringList Dataset::splitFields(const QString& fields)
{
    QStringList list;
    for (const QString& f : fields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        list << f.trimmed();
    return list;
}

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
    QList<FieldInfo> stored = m_store.describeFields(m_readFieldNames);
    for (FieldInfo& field : stored) {
        const QString& name = field.name;
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

// The rows belong to the database that is closing: the source closes with
// it, so that nothing is ever written into the database opened next. What
// was being edited is dropped, as closing any table drops it.
void Dataset::onConnectionClosing(const QString& connectionName)
{
    if (connectionName != m_store.connectionName() || !isActive())
        return;
    m_modified = false;
    close();
}

void Dataset::loadRows()
{
    m_rows.clear();
    m_packed.clear();
    QVariantList masterValues;
    if (m_master) {
        if (!m_master->isActive() || m_master->isEmpty())
            return;
        for (int i = 0; i < m_detailFields.size(); ++i) {
            const int masterField = m_master->requireField(m_masterFields[i]);
            masterValues << FieldValue::toStore(m_master->value(m_masterFields[i]), m_master->field(masterField));
        }
    }
    try {
        m_store.select(m_packed, m_master ? m_detailFields : QStringList(), masterValues,
                       [this](qint64 rowid, PackedRows::RowRef stored) { takeRow(rowid, stored); });
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

// Keeps a row just read, unless the filter leaves it out.
void Dataset::takeRow(qint64 rowid, PackedRows::RowRef stored)
{
    Row row;
    row.rowid = rowid;
    row.stored = stored;
    if ((m_filtered && m_filter) || m_storedFieldCount < m_fields.size()) {
        // Calculated fields and filters see the whole record.
        Record record = unpack(row);
        calculate(record);
        if (m_filtered && m_filter) {
            const RecordView view(this, &record.values);
            if (!m_filter(view))
                return;
        }
        row.calculated = record.values.mid(m_storedFieldCount);
    }
    m_rows.append(std::move(row));
}

Dataset::Record Dataset::readRow(qint64 rowid)
{
    Row row;
    row.rowid = rowid;
    row.stored = m_store.readRow(m_packed, rowid);
    Record record = unpack(row);
    record.values.resize(m_storedFieldCount);
    return record;
}

void Dataset::open()
{
    if (isActive())
        return;
    m_store.attach();
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
    m_store.detach();
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
        if (RowOrder::compareValues(record.values.value(field), m_master->value(m_masterFields[i]),
                                    m_fields[field].type, false) != 0)
            return false;
    }
    return true;
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
    if (!isActive() || !m_master || m_rereading || ConnectionEvents::instance().isClosing(m_store.connectionName()))
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

QString Dataset::displayText(const QString& field) const
{
    return FieldValue::format(value(field), m_fields[requireField(field)], false);
}

QString Dataset::editText(const QString& field) const
{
    return FieldValue::format(value(field), m_fields[requireField(field)], true);
}

QString Dataset::rowDisplayText(int row, int field) const
{
    if (field < 0 || field >= m_fields.size())
        return QString();
    return FieldValue::format(rowValue(row, field), m_fields[field], false);
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
    const QVariant newValue = FieldValue::read(value, info);
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
    const qint64 rowid = m_store.insert(record.values.mid(0, m_storedFieldCount));
    // Read back what the store assigned (autoincrement values).
    Record stored = readRow(rowid);
    for (int i = m_storedFieldCount; i < record.values.size(); ++i)
        stored.values.append(record.values[i]);
    record = stored;
}

// The record's own work inside the insert's transaction, then the insert.
void Dataset::writeNewRecord(Record& record)
{
    if (!whileInserting) {
        writeInsert(record);
        return;
    }
    std::optional<Savepoint> savepoint;
    if (Savepoint::fitsAround(m_store.database()))
        savepoint.emplace(m_store.database(), QStringLiteral("NewRecord"));
    whileInserting(*this);
    record = m_buffer;
    checkRecord(record.values);
    writeInsert(record);
    if (savepoint)
        savepoint->release();
}

void Dataset::writeUpdate(const Row& original, const Record& edited)
{
    QList<int> changed;
    QVariantList values;
    for (int i = 0; i < m_storedFieldCount; ++i) {
        const QVariant before = cellOf(original, i);
        if (before == edited.values[i] && before.isNull() == edited.values[i].isNull())
            continue;
        changed << i;
        values << edited.values[i];
    }
    m_store.update(m_packed, original.rowid, original.stored, changed, values);
}

// A row another connection changed since it was read is shown as it is
// stored now, the edit dropped, before the refusal goes on to the caller.
void Dataset::writeUpdateOrReread(const Record& edited)
{
    try {
        writeUpdate(m_rows[m_current], edited);
    } catch (const ChangedMeanwhile&) {
        Record stored = readRow(m_rows[m_current].rowid);
        calculate(stored);
        m_buffer = Record();
        m_modified = false;
        settleRow(stored);
        setState(DatasetState::Browse);
        throw;
    }
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
        writeNewRecord(edited);
    else
        writeUpdateOrReread(edited);
    calculate(edited);
    m_modified = false;
    settleRow(edited);
    setState(DatasetState::Browse);
    ConnectionEvents::instance().announceStored(m_store.connectionName(), m_table, this);
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
    m_store.remove(m_rows[m_current].rowid);
    m_buffer = Record();
    m_modified = false;
    dropCurrentRow();
    ConnectionEvents::instance().announceStored(m_store.connectionName(), m_table, this);
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
