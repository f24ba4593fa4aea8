#pragma once

#include <QSqlDatabase>
#include <QtGlobal>
#include <optional>

// Where the first layout of the balance sheet finds its section headers.
//
// The separator is the number borne by two rows of different names (the
// expenses title and the first expense row after it), 999 when no number is.
// A row is a section header when its number is 0, or when it bears the
// separator and stands right after the rows numbered below it (position, from
// 1 in key order, equal to its number + 1). The row before the separator is
// where the user is asked whether the expenses start a new page.
class BalanceSheetSections
{
public:
    static constexpr qint64 noSeparator = 999;

    explicit BalanceSheetSections(qint64 separator) : m_separator(separator) {}
    // The separator of the nomenclature in Bilant. Throws DbError.
    static BalanceSheetSections of(const QSqlDatabase& db);

    qint64 separator() const { return m_separator; }
    bool isHeader(qint64 number, int position) const
    {
        return number == 0 || (number == m_separator && position == number + 1);
    }
    bool asksForSeparatePage(qint64 number) const { return number + 1 == m_separator; }
    bool endsSeparatePage(qint64 number) const { return number == m_separator; }

    // The amount column's alignment from this row on: centred from a header,
    // right-aligned again from row 1 and from the first expense row; empty
    // when the row keeps the alignment last set.
    std::optional<bool> amountCentred(qint64 number, int position) const
    {
        if (isHeader(number, position))
            return true;
        if (number == 1 || (number == m_separator && position == number + 2))
            return false;
        return std::nullopt;
    }

private:
    qint64 m_separator;
};
