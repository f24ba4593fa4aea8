#include "transfer/TableImport.h"

#include "db/Sql.h"
#include "db/TableDefinitions.h"
#include "transfer/ImportError.h"
#include "transfer/ParadoxTable.h"

#include "transfer/ParadoxLibrary.h"
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <optional>
#include <sqlite3.h>

namespace
{

bool isIntegerType(int fileType)
{
    return fileType == pxfShort || fileType == pxfLong || fileType == pxfAutoInc;
}

bool isNumberType(int fileType)
{
    return isIntegerType(fileType) || fileType == pxfNumber || fileType == pxfCurrency;
}

// Whether a file field of this type can fill a schema field.
bool fits(FieldType schemaType, int fileType)
{
    switch (schemaType) {
    case FieldType::String:
        return fileType == pxfAlpha;
    case FieldType::Date:
        return fileType == pxfDate;
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Float:
        return isNumberType(fileType);
    }
    return false;
}

// A schema field and the file field that fills it (none: it stays empty).
struct FieldPair {
    const FieldDef* schema = nullptr;
    const ParadoxField* file = nullptr;
};

std::optional<qint64> asWholeNumber(const QVariant& value, qint64 lowest, qint64 highest)
{
    const double number = value.toDouble();
    if (value.typeId() != QMetaType::LongLong && number != std::floor(number))
        return std::nullopt;
    if (number < double(lowest) || number > double(highest))
        return std::nullopt;
    return value.typeId() == QMetaType::LongLong ? value.toLongLong() : qint64(number);
}

// Binds one value to its statement parameter; returns why the field cannot
// hold it, or nothing.
std::optional<QString> bind(sqlite3_stmt* statement, int parameter, const FieldDef& field,
                            const QVariant& value)
{
    if (!value.isValid()) {
        if (field.required)
            return RefusalReason::requiredMissing;
        sqlite3_bind_null(statement, parameter);
        return std::nullopt;
    }
    switch (field.type) {
    case FieldType::String: {
        const QString text = value.toString();
        if (text.size() > field.size)
            return RefusalReason::textTooLong;
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(statement, parameter, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        return std::nullopt;
    }
    case FieldType::Date: {
        // A damaged date may count days to before year 1 or past 9999, which have no stored form.
        const QDate date = value.toDate();
        if (!date.isValid() || date.year() < 1 || date.year() > 9999)
            return RefusalReason::outOfRange;
        const QByteArray iso = date.toString(Qt::ISODate).toLatin1();
        sqlite3_bind_text(statement, parameter, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
        return std::nullopt;
    }
    case FieldType::Float:
        // The bytes of a damaged number may spell an infinity or not-a-number, no amount of money.
        if (!std::isfinite(value.toDouble()))
            return RefusalReason::outOfRange;
        sqlite3_bind_double(statement, parameter, value.toDouble());
        return std::nullopt;
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc: {
        const bool small = field.type == FieldType::SmallInt;
        const auto whole = asWholeNumber(value, small ? -32768 : INT32_MIN, small ? 32767 : INT32_MAX);
        if (!whole)
            return RefusalReason::outOfRange;
        sqlite3_bind_int64(statement, parameter, *whole);
        return std::nullopt;
    }
    }
    return std::nullopt;
}

class InsertStatement
{
public:
    InsertStatement(sqlite3* db, const TableDef& table) : m_db(db)
    {
        QStringList names, marks;
        for (const FieldDef& f : table.fields) {
            names << Sql::quoted(f.name);
            marks << QStringLiteral("?");
        }
        const QByteArray sql =
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(Sql::quoted(table.name), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))
                .toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &m_statement, nullptr) != SQLITE_OK)
            throw ImportError(QStringLiteral("Tabela %1 nu poate fi scrisa: %2")
                                  .arg(table.name, QString::fromUtf8(sqlite3_errmsg(db))));
    }
    ~InsertStatement() { sqlite3_finalize(m_statement); }
    InsertStatement(const InsertStatement&) = delete;
    InsertStatement& operator=(const InsertStatement&) = delete;

    sqlite3_stmt* get() const { return m_statement; }

    // SQLite's extended result code of running the bound row.
    int run()
    {
        const int result = sqlite3_step(m_statement);
        const int code = result == SQLITE_DONE ? SQLITE_OK : sqlite3_extended_errcode(m_db);
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
        return code;
    }
    QString lastError() const { return QString::fromUtf8(sqlite3_errmsg(m_db)); }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
};

// A document without its date is on no page of the books, yet the registers
// would count its amount in their balances: such rows are refused like rows
// lacking a required field. The windows never store one.
bool isUndatedDocument(const TableDef& table, const FieldDef& field, const QVariant& value)
{
    static const QStringList documentTables = {QStringLiteral("Venituri"), QStringLiteral("Cheltuieli"),
                                               QStringLiteral("Depuneri"), QStringLiteral("Ridicari"),
                                               QStringLiteral("CheltSal")};
    return !value.isValid() && field.name == QLatin1String("Data") &&
           documentTables.contains(table.name, Qt::CaseInsensitive);
}

} // namespace

TableSummary importTable(const QString& filePath, const TableDef& table, sqlite3* db)
{
    ParadoxTable file(filePath);
    TableSummary summary;
    summary.fileName = QFileInfo(filePath).fileName();

    QList<FieldPair> pairs;
    for (const FieldDef& f : table.fields)
        pairs.append({&f, nullptr});
    for (const ParadoxField& fileField : file.fields()) {
        const FieldDef* schemaField = table.field(fileField.name);
        // Memo and logical fields have no place in the schema: the memo file is never opened.
        if (!schemaField || fileField.type == pxfMemoBLOb || fileField.type == pxfFmtMemoBLOb ||
            fileField.type == pxfLogical) {
            summary.fieldsNotInSchema << fileField.name;
            continue;
        }
        if (!ParadoxTable::isReadable(fileField.type) || !fits(schemaField->type, fileField.type)) {
            summary.fieldsOfOtherType << fileField.name;
            continue;
        }
        pairs[int(schemaField - table.fields.constData())].file = &fileField;
    }

    InsertStatement insert(db, table);
    for (int index = 0; index < file.rowCount(); ++index) {
        const QByteArray& row = file.readRow(index);
        ++summary.read;
        std::optional<QString> refusal;
        for (int p = 0; p < pairs.size() && !refusal; ++p) {
            const FieldPair& pair = pairs[p];
            const QVariant value = pair.file ? ParadoxTable::value(*pair.file, row) : QVariant();
            refusal = isUndatedDocument(table, *pair.schema, value)
                          ? std::optional<QString>(RefusalReason::requiredMissing)
                          : bind(insert.get(), p + 1, *pair.schema, value);
        }
        if (refusal) {
            sqlite3_clear_bindings(insert.get());
            summary.refused.append({index + 1, *refusal});
            continue;
        }
        const int result = insert.run();
        if (result == SQLITE_OK) {
            ++summary.taken;
        } else if (result == SQLITE_CONSTRAINT_UNIQUE || result == SQLITE_CONSTRAINT_PRIMARYKEY) {
            summary.refused.append({index + 1, RefusalReason::duplicateKey});
        } else {
            throw ImportError(QStringLiteral("Importul s-a oprit la fisierul %1, randul %2: %3")
                                  .arg(QDir::toNativeSeparators(filePath))
                                  .arg(index + 1)
                                  .arg(insert.lastError()));
        }
    }
    return summary;
}
