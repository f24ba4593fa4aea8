#pragma once

#include "db/TableDefinitions.h"

#include <QFlags>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>
#include <string>
#include <vector>

enum class LocateOption { CaseInsensitive = 0x1, PartialKey = 0x2 };
Q_DECLARE_FLAGS(LocateOptions, LocateOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(LocateOptions)

// One column of a record source's order: a field, and whether its texts
// compare in the Romanian alphabet, case aside (compareRomanian).
struct OrderColumn {
    int field;
    FieldType type;
    bool caseInsensitive;
};

// The order of a record source's rows, written once: every sort, insertion
// point and key search compares the same keys. Nulls come first, numbers and
// dates by value, texts by the Romanian collation key or, for a
// case-sensitive column, by their characters; equal rows by row identity, a
// row not stored yet after its equals.
namespace RowOrder
{

// What a value is compared by.
struct Key {
    bool null = true;
    double number = 0;        // numbers, dates (their day number)
    std::u32string collated;  // texts of a case-insensitive column
    QString text;             // texts of a case-sensitive column
};
Key keyOf(const QVariant& value, FieldType type, bool caseInsensitive);
int compare(const Key& a, const Key& b);

int compareValues(const QVariant& a, const QVariant& b, FieldType type, bool caseInsensitive);

// Equal rows by row identity; 0 is a row not stored yet, after its equals.
int compareRowIds(qint64 a, qint64 b);

// The positions of `count` rows in sorted order; `cell` gives row r's value of a field.
std::vector<qsizetype> sorted(qsizetype count, const QList<OrderColumn>& order,
                              const std::function<QVariant(qsizetype row, int field)>& cell,
                              const std::function<qint64(qsizetype row)>& rowId);

// Whether a row's value matches a searched one (already read as the field's
// type): texts whole or, with PartialKey, by their beginning, and with
// CaseInsensitive as the Romanian collation sees them; other values equal.
bool matches(const QVariant& have, const QVariant& wanted, FieldType type, LocateOptions options);

} // namespace RowOrder
