#include "db/RowOrder.h"

#include "db/FieldValue.h"
#include "db/RomanianCollation.h"

#include <QDate>

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
        key.text = romanianSortKey(value.toString());
    else {
        const QString text = value.toString();
        key.text.assign(text.utf16(), text.utf16() + text.size());
    }
    return key;
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
