// The balance sheet's total formulas are typed by the user into the
// nomenclature: any text must either be read exactly or refused.
#include "support/SeededRandom.h"

#include "registers/BalanceFormula.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace
{

// What the formula means, worked out independently: numbers joined by
// operators, "*" as "+" and "/" as "-", blanks around the pieces; each number
// stands for itself; a number too large for a 64-bit integer no row can bear.
std::optional<std::optional<double>> meaning(const QString& text)
{
    static const QRegularExpression piece(QStringLiteral("[ \\t]*([0-9]+|[-+*/])[ \\t]*"));
    QStringList pieces;
    int at = 0;
    while (at < text.size()) {
        const QRegularExpressionMatch match = piece.match(text, at, QRegularExpression::NormalMatch,
                                                          QRegularExpression::AnchorAtOffsetMatchOption);
        if (!match.hasMatch() || match.capturedLength() == 0)
            return std::nullopt;
        pieces << match.captured(1);
        at += match.capturedLength();
    }
    if (pieces.isEmpty() || pieces.size() % 2 == 0)
        return std::nullopt;
    double sum = 0;
    bool known = true;
    for (int i = 0; i < pieces.size(); i += 2) {
        if (!pieces[i][0].isDigit() || (i > 0 && pieces[i - 1][0].isDigit()))
            return std::nullopt;
        const bool subtract =
            i > 0 && (pieces[i - 1] == QLatin1String("-") || pieces[i - 1] == QLatin1String("/"));
        bool fits = false;
        const qint64 number = pieces[i].toLongLong(&fits);
        if (!fits)
            known = false;
        else
            sum += (subtract ? -1 : 1) * double(number);
    }
    for (int i = 1; i < pieces.size(); i += 2)
        if (pieces[i][0].isDigit())
            return std::nullopt;
    return known ? std::optional<double>(sum) : std::nullopt;
}

} // namespace

TEST(BalanceFormulaFuzz, EveryTextIsReadAsWrittenOrRefused)
{
    const QStringList seeds = {QStringLiteral("2+3+4-7"), QStringLiteral(" 12 - 3 "),
                               QStringLiteral("1*2/3"),   QStringLiteral("+1"),
                               QStringLiteral("1++2"),    QStringLiteral("1 2"),
                               QStringLiteral("007+1"),   QStringLiteral("99999999999999999999+1")};
    SeededRandom random;
    for (int i = 0, n = SeededRandom::runs(20000); i < n; ++i) {
        const QString text = random.chance(60) ? random.mutated(random.pick(seeds), seeds)
                                               : random.text(QStringLiteral("0123456789+-*/ \tx.,"), 30);
        if (BalanceFormula::isBlank(text))
            continue;
        const auto expected = meaning(text);
        const auto formula = BalanceFormula::parse(text);
        const std::string where =
            QStringLiteral("seed %1, formula \"%2\"").arg(random.seed()).arg(text).toStdString();
        ASSERT_EQ(formula.has_value(), expected.has_value()) << where;
        if (!formula)
            continue;
        const auto value =
            formula->evaluate([](qint64 number) { return std::optional<double>(double(number)); });
        ASSERT_EQ(value.has_value(), expected->has_value()) << where;
        if (value)
            ASSERT_DOUBLE_EQ(*value, **expected) << where;
    }
}

TEST(BalanceFormulaFuzz, AVeryLongFormulaIsReadWithoutExhaustingTheStack)
{
    QString text = QStringLiteral("1");
    for (int i = 0; i < 200000; ++i)
        text += i % 2 ? QStringLiteral("+1") : QStringLiteral("-1");
    const auto formula = BalanceFormula::parse(text);
    ASSERT_TRUE(formula.has_value());
    EXPECT_EQ(formula->evaluate([](qint64) { return std::optional<double>(1.0); }),
              std::optional<double>(1.0));
}
