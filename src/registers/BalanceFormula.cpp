#include "registers/BalanceFormula.h"

namespace
{

bool isSpaceOrTab(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// "+" and "*" add, "-" and "/" subtract; anything else is no operator.
std::optional<bool> subtracts(QChar c)
{
    if (c == QLatin1Char('+') || c == QLatin1Char('*'))
        return false;
    if (c == QLatin1Char('-') || c == QLatin1Char('/'))
        return true;
    return std::nullopt;
}

} // namespace

std::optional<BalanceFormula> BalanceFormula::parse(const QString& text)
{
    BalanceFormula formula;
    bool subtract = false;
    bool expectNumber = true;
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (i < size) {
        const QChar c = text[i];
        if (isSpaceOrTab(c)) {
            ++i;
            continue;
        }
        if (expectNumber) {
            if (!c.isDigit() || c.unicode() > 0x7F)
                return std::nullopt;
            const qsizetype start = i;
            while (i < size && text[i].isDigit() && text[i].unicode() <= 0x7F)
                ++i;
            bool ok = false;
            const qint64 number = text.mid(start, i - start).toLongLong(&ok);
            formula.m_terms.append({subtract, ok ? std::optional<qint64>(number) : std::nullopt});
            expectNumber = false;
        } else {
            const std::optional<bool> op = subtracts(c);
            if (!op)
                return std::nullopt;
            subtract = *op;
            expectNumber = true;
            ++i;
        }
    }
    if (expectNumber) // empty, or ending in an operator
        return std::nullopt;
    return formula;
}

QList<qint64> BalanceFormula::numbers() const
{
    QList<qint64> named;
    for (const Term& term : m_terms)
        if (term.number && !named.contains(*term.number))
            named.append(*term.number);
    return named;
}

std::optional<double> BalanceFormula::evaluate(const RowSum& rowSum) const
{
    double result = 0;
    for (const Term& term : m_terms) {
        const std::optional<double> value = term.number ? rowSum(*term.number) : std::nullopt;
        if (!value)
            return std::nullopt;
        result = term.subtract ? result - *value : result + *value;
    }
    return result;
}
