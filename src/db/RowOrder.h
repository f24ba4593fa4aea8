#pragma once

#include "db/TableDefinitions.h"

#include <QFlags>
#include <QList>
#include <QString>
#include <QVariant>
#include <algorithm>
#include <numeric>
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
// point and key search orders as these keys do. Nulls come first, numbers and
// dates by value, texts by the Romanian collation key or, for a
// case-sensitive column, by their characters; equal rows by row identity, a
// row not stored yet after its equals.
namespace RowOrder
{

// What a value is compared by: numbers and dates by a number (a date's day
// number), texts by a string of code points (the Romanian collation key for
// a case-insensitive column, the UTF-16 units of the text otherwise).
struct Key {
    bool null = true;
    double number = 0;
    std::u32string text;
};
Key keyOf(const QVariant& value, FieldType type, bool caseInsensitive);

inline int compare(const Key& a, const Key& b)
{
    if (a.null || b.null)
        return int(b.null) - int(a.null); // nulls first
    if (a.number != b.number)
        return a.number < b.number ? -1 : 1;
    const int r = a.text.compare(b.text);
    return (r > 0) - (r < 0);
}

int compareValues(const QVariant& a, const QVariant& b, FieldType type, bool caseInsensitive);

// Equal rows by row identity; 0 is a row not stored yet, after its equals.
int compareRowIds(qint64 a, qint64 b);

// The positions of `count` rows in sorted order; `cell(r, field)` gives row
// r's value of a field, `rowId(r)` its identity.
template<typename Cell, typename RowId>
std::vector<qsizetype> sorted(qsizetype count, const QList<OrderColumn>& order, const Cell& cell,
                              const RowId& rowId)
{
    // Each column's values become keys once; the sort then compares keys only.
    std::vector<std::vector<Key>> keys(size_t(order.size()));
    for (qsizetype c = 0; c < order.size(); ++c) {
        std::vector<Key>& column = keys[size_t(c)];
        column.reserve(size_t(count));
        for (qsizetype r = 0; r < count; ++r)
            column.push_back(keyOf(cell(r, order[c].field), order[c].type, order[c].caseInsensitive));
    }
    std::vector<qint64> ids(static_cast<size_t>(count));
    for (qsizetype r = 0; r < count; ++r)
        ids[size_t(r)] = rowId(r);
    std::vector<qsizetype> permutation(static_cast<size_t>(count));
    std::iota(permutation.begin(), permutation.end(), 0);
    std::sort(permutation.begin(), permutation.end(), [&](qsizetype a, qsizetype b) {
        for (const std::vector<Key>& column : keys)
            if (const int r = compare(column[size_t(a)], column[size_t(b)]); r != 0)
                return r < 0;
        return compareRowIds(ids[size_t(a)], ids[size_t(b)]) < 0;
    });
    return permutation;
}

// Whether a text matches a searched one: whole or, with PartialKey, by its
// beginning, and with CaseInsensitive in the Romanian alphabet, case aside.
bool textMatches(const QString& text, const QString& sought, LocateOptions options);

// Whether a row's value matches a searched one (already read as the field's
// type): texts as textMatches, other values equal.
inline bool matches(const QVariant& have, const QVariant& wanted, FieldType type, LocateOptions options)
{
    if (have.isNull() || wanted.isNull())
        return have.isNull() && wanted.isNull();
    if (type != FieldType::String)
        return compareValues(have, wanted, type, false) == 0;
    return textMatches(have.toString(), wanted.toString(), options);
}

} // namespace RowOrder
