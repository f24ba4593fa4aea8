#include "db/FieldFormat.h"

#include <cmath>
#include <iterator>
#include <optional>

namespace FieldFormat
{

namespace
{

// How a locale writes a fixed number, learned once from QLocale itself: a
// report formats tens of thousands of amounts, and QLocale's general
// conversion is the larger part of their cost. A locale that writes digits
// other than 0-9, or groups otherwise than every three digits from the first
// thousand, is left to QLocale.
struct LocaleDigits {
    QLocale locale;
    bool plain = false;
    QChar group;
    QChar point;
    QChar minus;
};

LocaleDigits learnDigits(const QLocale& locale)
{
    LocaleDigits digits{locale};
    const QString group = locale.groupSeparator();
    const QString point = locale.decimalPoint();
    const QString minus = locale.negativeSign();
    if (group.size() != 1 || point.size() != 1 || minus.size() != 1 || locale.zeroDigit() != QLatin1String("0"))
        return digits;
    digits.group = group[0];
    digits.point = point[0];
    digits.minus = minus[0];
    digits.plain = locale.toString(-1234567.5, 'f', 1) ==
                       minus + QStringLiteral("1") + group + QStringLiteral("234") + group + QStringLiteral("567") +
                           point + QStringLiteral("5") &&
                   locale.toString(1234.0, 'f', 0) == QStringLiteral("1") + group + QStringLiteral("234");
    return digits;
}

const LocaleDigits& digitsOf(const QLocale& locale)
{
    thread_local std::optional<LocaleDigits> known;
    if (!known || known->locale != locale)
        known = learnDigits(locale);
    return *known;
}

// `units` of 10^-decimals written with the locale's separators.
QString fixedText(qint64 units, int decimals, bool grouped, const LocaleDigits& digits)
{
    char16_t buffer[48];
    char16_t* end = buffer + std::size(buffer);
    char16_t* p = end;
    quint64 magnitude = units < 0 ? quint64(-units) : quint64(units);
    for (int d = 0; d < decimals; ++d) {
        *--p = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    }
    if (decimals > 0)
        *--p = digits.point.unicode();
    int written = 0;
    do {
        if (grouped && written > 0 && written % 3 == 0)
            *--p = digits.group.unicode();
        *--p = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
        ++written;
    } while (magnitude > 0);
    if (units < 0)
        *--p = digits.minus.unicode();
    return QString(reinterpret_cast<const QChar*>(p), end - p);
}

} // namespace

QString formatNumber(double value, const QString& format, const QLocale& locale)
{
    if (format.isEmpty()) {
        // A sum of amounts keeps a binary remainder (0.1 + 0.2 - 0.3 is 5.55e-17);
        // nine decimals are more than any amount or quantity has, and drop it.
        if (std::abs(value) < 1e9)
            value = std::round(value * 1e9) / 1e9;
        if (value == 0.0)
            value = 0.0; // not "-0"
        QString text = locale.toString(value, 'g', 15);
        text.remove(locale.groupSeparator());
        return text;
    }
    const int decimals = decimalsOf(format);
    const bool grouped = format.contains(QLatin1Char(','));
    if (decimals <= 9) {
        const double scale = std::pow(10.0, decimals);
        // Halves away from zero, as below.
        const double units = std::round(value * scale + (value >= 0 ? 1e-9 : -1e-9));
        if (std::abs(units) < 1e15)
            if (const LocaleDigits& digits = digitsOf(locale); digits.plain)
                return fixedText(qint64(units), decimals, grouped, digits);
    }
    QLocale numberLocale = locale;
    numberLocale.setNumberOptions(grouped ? QLocale::DefaultNumberOptions : QLocale::OmitGroupSeparator);
    // Rounds halves away from zero as the accounts expect (2.675 -> 2.68), not
    // to the nearest binary neighbour.
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale + (value >= 0 ? 1e-9 : -1e-9)) / scale;
    if (rounded == 0.0)
        rounded = 0.0; // a tiny negative remainder reads "0,00", not "-0,00"
    return numberLocale.toString(rounded, 'f', decimals);
}

int decimalsOf(const QString& format)
{
    if (format.isEmpty())
        return -1;
    const qsizetype point = format.indexOf(QLatin1Char('.'));
    return point < 0 ? 0 : int(format.size() - point - 1);
}

} // namespace FieldFormat
