#include "db/TypedNumber.h"

#include <QRegularExpression>
#include <cmath>

namespace TypedNumber
{
namespace
{

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The text in C notation ("-12.5"), or empty when it is not a typed number.
QString canonical(const QString& text, const QLocale& locale)
{
    const QString trimmed = text.trimmed();
    QString result;
    qsizetype i = 0;
    const auto startsWithSign = [&](QChar ascii, const QString& localeSign) -> qsizetype {
        if (trimmed.startsWith(ascii))
            return 1;
        return !localeSign.isEmpty() && trimmed.startsWith(localeSign) ? localeSign.size() : 0;
    };
    if (const qsizetype minus = startsWithSign(QLatin1Char('-'), locale.negativeSign())) {
        result += QLatin1Char('-');
        i = minus;
    } else {
        i = startsWithSign(QLatin1Char('+'), locale.positiveSign());
    }
    const QString decimal = locale.decimalPoint();
    bool separatorSeen = false;
    bool digitSeen = false;
    while (i < trimmed.size()) {
        if (isAsciiDigit(trimmed[i])) {
            result += trimmed[i];
            digitSeen = true;
            ++i;
        } else if (!separatorSeen && trimmed[i] == QLatin1Char('.')) {
            result += QLatin1Char('.');
            separatorSeen = true;
            ++i;
        } else if (!separatorSeen && !decimal.isEmpty() && trimmed.mid(i).startsWith(decimal)) {
            result += QLatin1Char('.');
            separatorSeen = true;
            i += decimal.size();
        } else {
            return QString();
        }
    }
    return digitSeen ? result : QString();
}

} // namespace

bool isAmbiguous(const QString& text, const QLocale& locale)
{
    if (locale.groupSeparator() != QStringLiteral("."))
        return false;
    // One to three digits, the point, three digits: how thousands are grouped.
    static const QRegularExpression grouped(QStringLiteral("^[-+]?[1-9][0-9]{0,2}\\.[0-9]{3}$"));
    return grouped.match(text.trimmed()).hasMatch();
}

Reading parse(const QString& text, const QLocale& locale)
{
    Reading reading;
    reading.ambiguous = isAmbiguous(text, locale);
    const QString number = canonical(text, locale);
    const qsizetype point = number.indexOf(QLatin1Char('.'));
    reading.hasFraction = point >= 0;
    if (point >= 0) {
        qsizetype last = number.size() - 1;
        while (last > point && number[last] == QLatin1Char('0'))
            --last;
        reading.decimalsNeeded = int(last - point);
    }
    if (reading.ambiguous || number.isEmpty())
        return reading;
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (ok && std::isfinite(value))
        reading.value = value;
    return reading;
}

std::optional<double> read(const QString& text, const QLocale& locale)
{
    return parse(text, locale).value;
}

bool hasFraction(const QString& text, const QLocale& locale)
{
    return parse(text, locale).hasFraction;
}

int decimalsNeeded(const QString& text, const QLocale& locale)
{
    return parse(text, locale).decimalsNeeded;
}

} // namespace TypedNumber
