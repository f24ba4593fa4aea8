#include "db/FieldFormat.h"

#include <cmath>

namespace FieldFormat
{

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
