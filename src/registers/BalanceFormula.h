#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

// The formula of a total row of the balance sheet: row numbers joined by "+"
// and "-" ("*" and "/" are read as "+" and "-"), blanks allowed around them,
// for example "2+3+4-7". It is read left to right; each number stands for
// the sum of all rows bearing it, and a number no row bears makes the whole
// result empty.
class BalanceFormula
{
public:
    struct Term {
        bool subtract = false;
        // Empty for a number too long for any row to bear.
        std::optional<qint64> number;
    };

    // The formula, or nothing when the text is not numbers joined by
    // operators (letters, an operator at either end, two operators or two
    // numbers in a row). A text of blanks only is no formula at all: callers
    // test isBlank() first.
    static std::optional<BalanceFormula> parse(const QString& text);
    static bool isBlank(const QString& text) { return text.trimmed().isEmpty(); }

    const QList<Term>& terms() const { return m_terms; }
    // The row numbers the formula names, each once, in the order written.
    QList<qint64> numbers() const;

    // The value of a number: the sum of the rows bearing it, empty when none does.
    using RowSum = std::function<std::optional<double>(qint64 number)>;
    std::optional<double> evaluate(const RowSum& rowSum) const;

private:
    QList<Term> m_terms;
};
