#include "WorkTableText.h"

#include <QStringList>
#include <QVariant>

namespace WorkTableText
{

QString number(const QSqlQuery& query, int column)
{
    const QVariant value = query.value(column);
    return value.isNull() ? QStringLiteral("-") : QString::number(value.toDouble(), 'g', 12);
}

QString numbers(const QSqlQuery& query, int first, int last)
{
    QStringList values;
    for (int column = first; column <= last; ++column)
        values << number(query, column);
    return values.join(QLatin1Char(' '));
}

} // namespace WorkTableText
