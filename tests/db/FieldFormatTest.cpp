#include "db/FieldFormat.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace
{

// What QLocale itself writes for a fixed format, halves rounded away from zero.
QString writtenByQLocale(double value, const QString& format, QLocale locale)
{
    const int decimals = FieldFormat::decimalsOf(format);
    locale.setNumberOptions(format.contains(QLatin1Char(',')) ? QLocale::DefaultNumberOptions
                                                               : QLocale::OmitGroupSeparator);
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale + (value >= 0 ? 1e-9 : -1e-9)) / scale;
    if (rounded == 0.0)
        rounded = 0.0;
    return locale.toString(rounded, 'f', decimals);
}

} // namespace

// Amounts are written without QLocale's general conversion where the locale
// writes plain digits; the text must be QLocale's own, to the byte, in every
// locale (a locale that groups otherwise is left to QLocale).
TEST(FieldFormat, FixedFormatsWriteWhatQLocaleWrites)
{
    const QLocale locales[] = {QLocale(QLocale::Romanian, QLocale::Romania), QLocale::c(),
                               QLocale(QLocale::Polish, QLocale::Poland), QLocale(QLocale::Arabic, QLocale::Egypt),
                               QLocale(QLocale::English, QLocale::India)};
    const QString formats[] = {QStringLiteral("#,##0.00"), QStringLiteral("0.00"), QStringLiteral("#,##0"),
                               QStringLiteral("0.000")};
    QList<double> values = {0.0,     -0.0,     0.004,      -0.004,    0.005,     -0.005,    2.675,
                            -2.675,  999.995,  1000,       -1000,     1234.5,    12345.67,  -1234567.891,
                            1e12,    -1e12,    99999999.995, 1.1,     150,       0.1 + 0.2, 1e14 + 0.25};
    std::mt19937 random(7);
    std::uniform_real_distribution<double> amount(-5e6, 5e6);
    for (int i = 0; i < 2000; ++i)
        values << std::round(amount(random) * 100) / 100 << amount(random);
    for (const QLocale& locale : locales)
        for (const QString& format : formats)
            for (const double value : std::as_const(values))
                ASSERT_EQ(FieldFormat::formatNumber(value, format, locale), writtenByQLocale(value, format, locale))
                    << value << " as " << format.toStdString() << " in " << locale.name().toStdString();
}
