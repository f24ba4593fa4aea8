#include "db/DateFormat.h"

#include <QRegularExpression>

#include <QLocale>
#include <QStringList>

namespace DateFormat
{

QChar separator()
{
    const QString localeFormat = QLocale().dateFormat(QLocale::ShortFormat);
    for (const QChar c : localeFormat)
        if (!c.isLetter())
            return c;
    return QLatin1Char('/');
}

QString shortFormat()
{
    const QString s(separator());
    return QStringLiteral("dd") + s + QStringLiteral("MM") + s + QStringLiteral("yyyy");
}

QString toShortText(const QDate& date)
{
    return date.isValid() ? date.toString(shortFormat()) : QString();
}

QDate fromShortText(const QString& text)
{
    QString cleaned = text;
    cleaned.remove(QLatin1Char('_'));
    const QStringList parts = cleaned.trimmed().split(separator());
    if (parts.size() != 3)
        return {};
    // Only digits: toInt() alone would take "-999" for a year before Christ.
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,2}$"));
    static const QRegularExpression fourDigits(QStringLiteral("^[0-9]{4}$"));
    const QString day = parts[0].trimmed(), month = parts[1].trimmed(), year = parts[2].trimmed();
    if (!digits.match(day).hasMatch() || !digits.match(month).hasMatch() ||
        !fourDigits.match(year).hasMatch())
        return {};
    return QDate(year.toInt(), month.toInt(), day.toInt()); // invalid for 31.02.2024 and year 0000
}

} // namespace DateFormat
