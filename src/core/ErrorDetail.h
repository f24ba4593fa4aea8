#pragma once

#include <QString>

// A message for the user followed by the technical text that caused it (a
// store's or the system's own words, often English) on a last line of its
// own, so that the message reads in Romanian and the detail stays at hand for
// whoever helps the parish.
inline QString withDetail(const QString& explanation, const QString& detail)
{
    const QString trimmed = detail.trimmed();
    return trimmed.isEmpty() ? explanation : explanation + QStringLiteral("\nDetalii: ") + trimmed;
}
