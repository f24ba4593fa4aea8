#include "db/DateFormat.h"

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
    bool okDay = false, okMonth = false, okYear = false;
    const int day = parts[0].trimmed().toInt(&okDay);
    const int month = parts[1].trimmed().toInt(&okMonth);
    const int year = parts[2].trimmed().toInt(&okYear);
    if (!okDay || !okMonth || !okYear || parts[2].trimmed().size() != 4)
        return {};
    return QDate(year, month, day); // invalid for 31.02.2024
}

} // namespace DateFormat
