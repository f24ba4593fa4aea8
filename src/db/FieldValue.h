#pragma once

#include "db/TableDefinitions.h"

#include <QString>
#include <QVariant>

// How a record source sees one of its fields: the table's description of it
// and the formats the window chose.
struct FieldInfo {
    QString name;
    FieldType type = FieldType::String;
    int size = 0;
    bool required = false;
    bool calculated = false;
    QString displayFormat; // numbers: "#,##0.00"; empty: general format
    QString editFormat;    // numbers: "0.00"; empty: general format
};

// A field's values between what the user types or sees and what the table
// stores: pure functions of the field's description, no database involved.
namespace FieldValue
{

bool isNumeric(FieldType type);

// The whole numbers a field of this type can hold.
struct WholeRange {
    qint64 low;
    qint64 high;
};
WholeRange wholeRange(FieldType type);

// A value (typed text or a value of any type) as the field's type; null for
// nothing typed. Throws DbError, naming the field, when the text is not a
// value of that type, is ambiguous ("1.250"), lies outside a whole number's
// range or has more decimals than the field's edit format shows.
QVariant read(const QVariant& value, const FieldInfo& info);

// The text shown (or, `forEditing`, put in an input) for a stored value.
QString format(const QVariant& value, const FieldInfo& info, bool forEditing);

// The value as the table stores it (dates as 'YYYY-MM-DD').
QVariant toStore(const QVariant& value, const FieldInfo& info);

} // namespace FieldValue
