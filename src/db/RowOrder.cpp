#include "db/RowOrder.h"

#include "db/FieldValue.h"
#include "db/RomanianCollation.h"

#include <QDate>
#include <algorithm>
#include <numeric>

namespace RowOrder
{

Key keyOf(const QVariant& value, FieldType type, bool caseInsensitive)
{
    Key key;
    key.null = value.isNull();
    if (key.null)
        return key;
    if (type == FieldType::Date)
        key.number = double(value.toDate().toJulianDay());
    else if (FieldValue::isNumeric(type))
        key.number = value.toDouble();
    else if (caseInsensitive)
        key.collated = romanianSortKey(value.toString());
    else
        key.text = value.toString();
    return key;
}

int compare(const Key& a, const Key& b)
{
    if (a.null || b.null)
        return int(b.null) - int(a.null); // nulls first
    if (a.number != b.number)
        return a.number < b.number ? -1 : 1;
    if (const int r = a.collated.compare(b.collated); r != 0)
        return r < 0 ? -1 : 1;
    return a.text.compare(b.text);
}

int compareValues(const QVariant& a, const QVariant& b, FieldType type, bool caseInsensitive)
{
    return compare(keyOf(a, type, caseInsensitive), keyOf(b, type, caseInsensitive));
}

int compareRowIds(qint64 a, qint64 b)
{
    if (a == 0 || b == 0)
        return int(a == 0) - int(b == 0);
    return a < b ? -1 : (a > b ? 1 : 0);
}

std::vector<qsizetype> sorted(qsizetype count, const QList<OrderColumn>& order,
                              const std::function<QVariant(qsizetype row, int field)>& cell,
                              const std::function<qint64(qsizetype row)>& rowId)
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

bool matches(const QVariant& have, const QVariant& wanted, FieldType type, LocateOptions options)
{
    if (have.isNull() || wanted.isNull())
        return have.isNull() && wanted.isNull();
    if (type != FieldType::String)
        return compareValues(have, wanted, type, false) == 0;
    const bool caseInsensitive = options.testFlag(LocateOption::CaseInsensitive);
    const Qt::CaseSensitivity cs = caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const QString text = have.toString(), sought = wanted.toString();
    if (options.testFlag(LocateOption::PartialKey))
        return text.startsWith(sought, cs) ||
               (caseInsensitive && compareRomanian(QStringView(text).left(sought.size()), sought) == 0);
    return text.compare(sought, cs) == 0 || (caseInsensitive && compareRomanian(text, sought) == 0);
}

} // namespace RowOrder
