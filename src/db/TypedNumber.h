#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// The one reader of numbers typed by the user, for fields, grid cells and
// plain inputs alike. A typed number is an optional sign, digits and at most
// one decimal separator: the locale's, or '.' as the numeric keypad gives it.
// Thousands separators, exponents and anything else are refused, so that
// "1.250" can never silently become 1250 nor "12,50" become 1250. Where the
// locale groups thousands with the point, a point followed by exactly three
// digits ("1.250") may mean either, and is refused as well.
namespace TypedNumber
{

// Everything the readers need to know of one typed text, read in one pass.
struct Reading {
    std::optional<double> value; // nothing when not a number or ambiguous
    bool ambiguous = false;      // see isAmbiguous
    bool hasFraction = false;    // see hasFraction
    int decimalsNeeded = 0;      // see decimalsNeeded
};
Reading parse(const QString& text, const QLocale& locale = QLocale());

// The value of the text, blanks around it ignored; nothing when the text is
// not a number or is ambiguous.
std::optional<double> read(const QString& text, const QLocale& locale = QLocale());

// True when the point of the text may be read both as the decimal point of
// the keypad and as the locale's thousands separator ("1.250" under ro_RO).
bool isAmbiguous(const QString& text, const QLocale& locale = QLocale());

// True when the text is written with a decimal separator ("12,5", "12.00"):
// whole-number fields refuse it, so that "1.000" is never read as 1.
bool hasFraction(const QString& text, const QLocale& locale = QLocale());

// How many decimals the text's value needs: the digits after its decimal
// separator, trailing zeros left out ("12,340" needs 2, "12" none).
int decimalsNeeded(const QString& text, const QLocale& locale = QLocale());

} // namespace TypedNumber
