#pragma once

#include <QLocale>
#include <QString>

// Number formats as the program writes them: "#,##0.00" (grouped, two
// decimals), "0.00" (two decimals), "#,##0" and the like; an empty format
// gives the general format of 15 significant digits. The separators are the
// locale's.
namespace FieldFormat
{

QString formatNumber(double value, const QString& format, const QLocale& locale = QLocale());

// The decimals a format writes ("0.00": 2, "#,##0": 0); -1 for the general format.
int decimalsOf(const QString& format);

} // namespace FieldFormat
