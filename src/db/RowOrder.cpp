#include "db/RowOrder.h"

#include "db/RomanianCollation.h"

#include <QDate>

namespace RowOrder
{

namespace
{

// The number a value of a number or date field is ordered by.
double numberOf(const QVariant& value, FieldType type)
{
    return type == FieldType::Date ? double(value.toDate().toJulianDay()) : value.toDouble();
}

} // namespace

Key keyOf(const QVariant& value, FieldType type, bool caseInsensitive)
{
    Key key;
    key.null = value.isNull();
    if (key.null)
        return key;
    if (type != FieldType::String)
        key.number = numberOf(value, type);
    else if (caseInsensitive)
        key.text = romanianSortKey(value.toString());
    else {
        const QString text = value.toString();
        key.text.assign(text.utf16(), text.utf16() + text.size());
    }
    return key;
}

int compareValues(const QVariant& a, const QVariant& b, FieldType type, bool caseInsensitive)
{
    if (type == FieldType::String)
        return compare(keyOf(a, type, caseInsensitive), keyOf(b, type, caseInsensitive));
    // Numbers and dates as compare() orders their keys (nulls first, then by
    // number), without building the keys: searches compare every row.
    if (a.isNull() || b.isNull())
        return int(b.isNull()) - int(a.isNull());
    const double x = numberOf(a, type), y = numberOf(b, type);
    return x < y ? -1 : (x > y ? 1 : 0);
}

int compareRowIds(qint64 a, qint64 b)
{
    if (a == 0 || b == 0)
        return int(a == 0) - int(b == 0);
    return a < b ? -1 : (a > b ? 1 : 0);
}

bool textMatches(const QString& text, const QString& sought, LocateOptions options)
{
    const bool caseInsensitive = options.testFlag(LocateOption::CaseInsensitive);
    const Qt::CaseSensitivity cs = caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (options.testFlag(LocateOption::PartialKey))
        return text.startsWith(sought, cs) ||
               (caseInsensitive && compareRomanian(QStringView(text).left(sought.size()), sought) == 0);
    return text.compare(sought, cs) == 0 || (caseInsensitive && compareRomanian(text, sought) == 0);
}

} // namespace RowOrder
