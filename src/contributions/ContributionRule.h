#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// How much a parishioner family owes for the year. Nothing here rounds: the
// amounts are lei as doubles, exactly as stored and typed.
namespace Contributions
{

// The family's yearly amount for its contribution type: "Jumatate" (exactly,
// case-sensitive) is half the whole value; a number written in the locale's
// notation (blanks around it accepted, thousands separators and a decimal
// point other than the locale's refused) is the family's own amount; any
// other text ("Intreaga", empty, a misspelt word) means the whole value.
double yearlyAmount(const QString& contributionType, double wholeValue, const QLocale& locale = QLocale());

// Carried arrears (none when null) plus the yearly amount.
double dueAmount(std::optional<double> carried, const QString& contributionType, double wholeValue,
                 const QLocale& locale = QLocale());

// Whether a remainder is really owed: amounts are kept as doubles, so paying
// 150 as 43,06 + 104,02 + 2,92 leaves a few 1e-14 lei. Anything within half a
// ban of zero counts as paid.
bool isOwed(double rest);

} // namespace Contributions
