#include "db/FieldValue.h"

#include "db/DateFormat.h"
#include "db/DbError.h"
#include "db/FieldFormat.h"
#include "db/TypedNumber.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace FieldValue
{
namespace
{

QString typeWord(FieldType type)
{
    switch (type) {
    case FieldType::Date:
        return QStringLiteral("o data calendaristica");
    case FieldType::String:
        return QStringLiteral("un text");
    default:
        return QStringLiteral("un numar");
    }
}

QVariant readWhole(const QVariant& value, const std::optional<TypedNumber::Reading>& typed,
                   const FieldInfo& info, bool* ok)
{
    double number = 0;
    if (typed) {
        *ok = typed->value.has_value();
        number = typed->value.value_or(0.0);
    } else {
        number = value.toDouble(ok);
    }
    if (*ok && (number != std::floor(number) || (typed && typed->hasFraction)))
        throw DbError(
            QStringLiteral("\"%1\" nu este un numar intreg (campul %2)").arg(value.toString(), info.name));
    const WholeRange range = wholeRange(info.type);
    if (*ok && (number < range.low || number > range.high))
        throw DbError(
            QStringLiteral("Campul %1 primeste numere intregi intre %2 si %3; %4 este in afara acestor limite")
                .arg(info.name)
                .arg(range.low)
                .arg(range.high)
                .arg(value.toString().trimmed()));
    return info.type == FieldType::AutoInc ? QVariant(qint64(number)) : QVariant(int(number));
}

QVariant readFloat(const QVariant& value, const std::optional<TypedNumber::Reading>& typed,
                   const FieldInfo& info, bool* ok)
{
    if (!typed)
        return value.toDouble(ok);
    *ok = typed->value.has_value();
    // A field edited with a fixed number of decimals (lei and bani) stores
    // no more of them than it shows: "12,345" would show as 12,35 and
    // count as 12,345 in every sum.
    const int decimals = FieldFormat::decimalsOf(info.editFormat);
    if (*ok && decimals >= 0 && typed->decimalsNeeded > decimals)
        throw DbError(QStringLiteral("\"%1\" are prea multe zecimale: campul %2 primeste %3")
                          .arg(value.toString().trimmed(), info.name,
                               decimals == 0 ? QStringLiteral("numai numere intregi")
                                             : QStringLiteral("cel mult %1 zecimale").arg(decimals)));
    return typed->value.value_or(0.0);
}

QVariant readDate(const QVariant& value, bool* ok)
{
    QDate d = value.toDate();
    if (value.typeId() == QMetaType::QString) {
        // A masked date input with nothing typed reads as its separators alone.
        if (!value.toString().contains(QRegularExpression(QStringLiteral("\\d"))))
            return QVariant();
        d = DateFormat::fromShortText(value.toString());
        if (!d.isValid())
            d = QDate::fromString(value.toString(), Qt::ISODate);
    }
    *ok = d.isValid();
    return d;
}

} // namespace

bool isNumeric(FieldType type)
{
    return type == FieldType::SmallInt || type == FieldType::Integer || type == FieldType::Float ||
           type == FieldType::AutoInc;
}

WholeRange wholeRange(FieldType type)
{
    if (type == FieldType::SmallInt)
        return {std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()};
    return {std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()};
}

QVariant read(const QVariant& value, const FieldInfo& info)
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    const bool isText = value.typeId() == QMetaType::QString;
    if (isText && value.toString().isEmpty())
        return QVariant(); // an empty text is no value
    // A typed number is read once, for all the checks below.
    std::optional<TypedNumber::Reading> typed;
    if (isText && isNumeric(info.type))
        typed = TypedNumber::parse(value.toString());
    if (typed && typed->ambiguous) {
        const QString text = value.toString().trimmed();
        throw DbError(QStringLiteral("\"%1\" se poate citi si ca %2, si ca %3 (campul %4): scrieti miile fara "
                                     "punct si zecimalele dupa virgula")
                          .arg(value.toString(), QString(text).remove(QLatin1Char('.')),
                               QString(text).replace(QLatin1Char('.'), QLocale().decimalPoint()), info.name));
    }
    bool ok = true;
    QVariant result;
    switch (info.type) {
    case FieldType::String:
        result = value.toString();
        break;
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc:
        result = readWhole(value, typed, info, &ok);
        break;
    case FieldType::Float:
        result = readFloat(value, typed, info, &ok);
        break;
    case FieldType::Date:
        result = readDate(value, &ok);
        if (ok && result.isNull())
            return QVariant();
        break;
    }
    if (!ok)
        throw DbError(
            QStringLiteral("\"%1\" nu este %2 (campul %3)").arg(value.toString(), typeWord(info.type), info.name));
    return result;
}

QString format(const QVariant& value, const FieldInfo& info, bool forEditing)
{
    if (value.isNull())
        return QString();
    switch (info.type) {
    case FieldType::Float:
        return FieldFormat::formatNumber(value.toDouble(), forEditing ? info.editFormat : info.displayFormat);
    case FieldType::Date:
        return DateFormat::toShortText(value.toDate());
    default:
        return value.toString();
    }
}

QVariant toStore(const QVariant& value, const FieldInfo& info)
{
    if (value.isNull())
        return QVariant();
    if (info.type == FieldType::Date)
        return value.toDate().toString(Qt::ISODate);
    return value;
}

} // namespace FieldValue
