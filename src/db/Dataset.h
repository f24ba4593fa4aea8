#pragma once

#include "db/FieldValue.h"
#include "db/PackedRows.h"
#include "db/RowOrder.h"
#include "db/TableDefinitions.h"
#include "db/TableRows.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

enum class DatasetState { Inactive, Browse, Edit, Insert };

class Dataset;

// One row seen by a filter or by the calculation of calculated fields.
class RecordView
{
public:
    QVariant value(const QString& field) const;
    // Only calculated fields can be set, from the calculation hook.
    void setValue(const QString& field, const QVariant& value);

private:
    friend class Dataset;
    RecordView(const Dataset* dataset, QVariantList* values) : m_dataset(dataset), m_values(values) {}
    const Dataset* m_dataset;
    QVariantList* m_values;
};

// A record source over one table of the connection: the table's rows read
// into memory with their row identity, a current row, the browse, edit and
// insert states, and the data events that windows hook into. Writes go back
// to the table row by row at once (inside the open transaction, if any).
//
// A record source writes only into the database file it was read from: when
// its connection closes (a switch of year) it closes too, and a source that
// missed the closing refuses every read and write with a DbError.
//
// A hook that throws SilentAbort refuses the operation: the record stays as
// it was and the call returns false. A store failure throws DbError and
// leaves the dataset in its edit state with what was typed.
class Dataset : public QObject
{
    Q_OBJECT
public:
    using Hook = std::function<void(Dataset&)>;
    using FieldValidator = std::function<void(Dataset&, const QVariant& newValue)>;
    using RowFilter = std::function<bool(const RecordView&)>;
    using CalcHook = std::function<void(RecordView&)>;

    explicit Dataset(const QString& tableName, QObject* parent = nullptr);
    ~Dataset() override;

    QString tableName() const { return m_table; }

    // Data events.
    Hook beforeInsert;
    Hook onNewRecord;
    Hook beforeEdit;
    Hook beforePost;
    // Runs for a new record inside the transaction of its insert, right
    // before it: what it reads and sets holds for the row stored. No questions here:
    // the transaction may hold other computers waiting.
    Hook whileInserting;
    Hook afterPost;
    Hook beforeCancel;
    Hook beforeDelete;
    Hook afterDelete;
    Hook afterScroll;
    CalcHook onCalcFields;
    // Checks a new value before it is taken (throw SilentAbort to refuse it).
    void setValidator(const QString& field, FieldValidator validator);
    // Runs after a field's value has changed; throw SilentAbort to refuse the
    // change (the record goes back to what it was).
    void setOnChange(const QString& field, Hook hook);

    // Set up before open.
    // Reads and writes only these stored fields (every field when empty); the
    // others keep what the table holds, and a new row leaves them empty.
    void setReadFieldNames(const QStringList& fields);
    void addCalculatedField(const QString& name, FieldType type, int size = 0);
    // Formats may also be set before the first open (the fields are not known
    // yet); a field the table lacks is then refused by open().
    void setDisplayFormat(const QString& field, const QString& format);
    void setEditFormat(const QString& field, const QString& format);

    void open();
    void close();
    bool isActive() const { return m_state != DatasetState::Inactive; }
    // Reads the rows again, staying on the same row where it still exists.
    void refresh();
    // After a rollback: shows again what the tables hold, without posting
    // anything; a record being edited keeps what was typed (a record whose
    // row is no longer stored becomes a new record), unless it was typed
    // under a master row that is no longer stored. Masters go before their
    // details.
    static void rereadAfterRollback(const QList<QPointer<Dataset>>& datasets);
    DatasetState state() const { return m_state; }
    bool isEditing() const { return m_state == DatasetState::Edit || m_state == DatasetState::Insert; }
    bool isModified() const { return m_modified; }

    // Navigation; moving while editing posts the edits first.
    void first();
    void last();
    bool next();  // false at the end
    bool prior(); // false at the beginning
    // Moves `distance` rows (back when negative), stopping at either end; the rows actually moved.
    int moveBy(int distance);
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    bool isEmpty() const { return m_rows.isEmpty(); }
    int recordCount() const { return int(m_rows.size()); }
    int recNo() const { return m_current + 1; } // 1-based, 0 when empty
    // Moves to the 1-based row; a number outside the rows moves nothing.
    void setRecNo(int recNo);
    int currentRow() const { return m_current; }
    // The current row's identity (its rowid); 0 for none, or a record not stored yet.
    qint64 currentRowId() const;

    // Fields.
    int fieldCount() const { return int(m_fields.size()); }
    const FieldInfo& field(int index) const { return m_fields.at(index); }
    int fieldIndex(const QString& name) const; // -1 when there is none
    QVariant value(const QString& field) const;
    bool isNull(const QString& field) const { return value(field).isNull(); }
    QString asString(const QString& field) const { return value(field).toString(); }
    double asFloat(const QString& field) const { return value(field).toDouble(); }
    int asInteger(const QString& field) const { return value(field).toInt(); }
    QDate asDate(const QString& field) const { return value(field).toDate(); }
    QString displayText(const QString& field) const;
    QString editText(const QString& field) const;
    // Sets a field of the record being edited; false when a validator refused it.
    bool setValue(const QString& field, const QVariant& value);
    // Reads the text as the field's type ("12,50", a short date, ...).
    bool setEditText(const QString& field, const QString& text);

    // Any row, for grids (the record being edited shows what was typed);
    // null and empty outside the rows or fields.
    QVariant rowValue(int row, int field) const;
    QString rowDisplayText(int row, int field) const;

    // Editing.
    bool insert(); // a new record before the current one
    bool append(); // a new record at the end
    bool edit();   // on an empty dataset: insert
    bool post();
    // Drops the edits (a new record is abandoned). A beforeCancel that throws
    // keeps the edits, its exception passing on to the caller.
    void cancel();
    // Deletes the current row from the table (a new record is only abandoned);
    // false when beforeDelete refused.
    bool remove();
    // Posts pending edits (cancels an untouched new record), first those of
    // the details stored before their master moves; false when refused.
    bool checkBrowseMode();

    // Controls bound to the record register here the call that writes their
    // pending text into it; post and every move run them first. An updater
    // refuses its text by throwing SilentAbort. One updater per owner: a new
    // one replaces the old.
    void addRecordUpdater(QObject* owner, std::function<void()> updater);
    void removeRecordUpdater(QObject* owner);
    // Runs the updaters; false when one of them refused its text.
    bool updateRecord();

    // Orders: by a named index (empty name: the primary key) or a field list
    // "Field1;Field2"; searches run on the active order. Pending edits are
    // posted first; false when that post is refused (nothing moves).
    bool setIndexName(const QString& name);
    bool setIndexFieldNames(const QString& fields);
    QStringList orderFields() const;
    // The first row whose order fields equal the values (given for the first
    // fields of the active order, which must exist); false, not moving, when there is none.
    bool findKey(const QVariantList& values);
    // The first row at or after the values in the active order, else the last row.
    void findNearest(const QVariantList& values);
    // The first row, in the shown order, whose fields ("Field1;Field2") hold the values; false when none.
    bool locate(const QString& fields, const QVariantList& values, LocateOptions options = {});
    // The row of that identity (a stored row's rowid), when it is shown; false, not moving, otherwise.
    bool locateRowId(qint64 rowid);

    // Shows only the rows whose detail fields equal the master's current fields.
    void setMaster(Dataset* master, const QString& masterFields, const QString& detailFields);
    // The master moves on (or re-reads) only once this detail's pending record
    // is stored: a refused one keeps the master where it is, instead of
    // staying on screen under another master record.
    void setStoredBeforeMasterMoves(bool stored) { m_storedBeforeMasterMoves = stored; }

    // While filtered, only the rows the filter keeps are read; both re-read the rows.
    void setFilter(RowFilter filter);
    void setFiltered(bool filtered);

Q_SIGNALS:
    void stateChanged(DatasetState state);
    void currentRowChanged(int row);
    void fieldValueChanged(const QString& field);
    void rowsReset();
    void rowDataChanged(int row);
    void rowInserted(int row);
    void rowRemoved(int row);

private:
    // A row as kept in memory: its stored values packed, its calculated ones apart.
    struct Row {
        qint64 rowid = 0; // 0: not stored yet
        PackedRows::RowRef stored = nullptr;
        QVariantList calculated;
    };
    // A row's values unpacked: the record being edited, the view of the hooks.
    struct Record {
        qint64 rowid = 0;
        QVariantList values; // stored fields, then calculated ones
    };

    static QStringList splitFields(const QString& fields);
    void requireActive() const;
    void requireEditing(const QString& field) const;
    int requireField(const QString& name) const;
    QVariant cellOf(const Row& row, int field) const;
    QVariant cellAt(int row, int field) const;
    Record unpack(const Row& row) const;
    Row pack(const Record& record);

    void readFields();
    void loadRows();
    int rowWithId(qint64 rowid) const;
    void takeRow(qint64 rowid, PackedRows::RowRef stored);
    Record readRow(qint64 rowid);
    void calculate(Record& record);
    void onConnectionClosing(const QString& connectionName);
    void reread();
    bool belongsToMasterRow(const Record& record) const;
    void sortRows();
    int compareRows(const Row& a, const Row& b) const;
    QVariantList convertedKey(const QVariantList& key) const;
    int compareKey(const Row& row, const QVariantList& convertedKey) const;
    int lowerBound(const QVariantList& convertedKey) const;
    int positionFor(const Row& row) const;
    void applyOrder(const QList<OrderColumn>& order);
    QList<OrderColumn> orderFor(const IndexDef& index) const;

    void setState(DatasetState state);
    void moveTo(int row);
    void scrolled();
    bool beginNewRecord(int position);
    void checkRecord(const QVariantList& values) const;
    void writeInsert(Record& record);
    void writeNewRecord(Record& record);
    void writeUpdate(const Row& original, const Record& edited);
    void writeUpdateOrReread(const Record& edited);
    void settleRow(const Record& record);
    void dropCurrentRow();
    void restoreBuffer(const Record& before, bool wasModified);
    void masterMoved();
    bool runHook(const Hook& hook);

    QString m_table;
    TableRows m_store;
    QStringList m_readFieldNames;
    struct PresetFormats {
        QString displayFormat;
        QString editFormat;
    };
    QHash<QString, PresetFormats> m_presetFormats; // by lower-case field name, given before the first open
    QList<FieldInfo> m_fields;
    int m_storedFieldCount = 0;
    QHash<QString, FieldValidator> m_validators;
    QHash<QString, Hook> m_changeHooks;

    PackedRows m_packed;
    QList<Row> m_rows;
    int m_current = -1;
    bool m_bof = true;
    bool m_eof = true;
    DatasetState m_state = DatasetState::Inactive;
    Record m_buffer;

    bool m_rereading = false;
    bool m_modified = false;

    QString m_indexName;
    QStringList m_indexFieldNames;
    QList<OrderColumn> m_order;

    QPointer<Dataset> m_master;
    QList<QPointer<Dataset>> m_details; // the datasets whose master this one is
    bool m_storedBeforeMasterMoves = false;
    QStringList m_masterFields;
    QStringList m_detailFields;

    RowFilter m_filter;
    bool m_filtered = false;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> m_updaters;
};
