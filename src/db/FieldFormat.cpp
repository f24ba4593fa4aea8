#include "db/FieldFormat.h"

#include <cmath>

namespace FieldFormat
{

QString formatNumber(double value, const QString& format, const QLocale& locale)
{
    if (format.isEmpty()) {
        QString text = locale.toString(value, 'g', 15);
        text.remove(locale.groupSeparator());
        return text;
    }
    const int point = format.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : int(format.size() - point - 1);
    const bool grouped = format.contains(QLatin1Char(','));
    QLocale numberLocale = locale;
    numberLocale.setNumberOptions(grouped ? QLocale::DefaultNumberOptions : QLocale::OmitGroupSeparator);
    // Rounds halves away from zero as the accounts expect (2.675 -> 2.68), not
    // to the nearest binary neighbour.
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale + (value >= 0 ? 1e-9 : -1e-9)) / scale;
    return numberLocale.toString(rounded, 'f', decimals);
}

} // namespace FieldFormat
