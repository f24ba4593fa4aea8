#include "registers/BalanceFormula.h"

#include <QHash>
#include <gtest/gtest.h>

// Rows 2, 3 and 5 hold 100, 50 and 30; no row bears 77.
TEST(BalanceFormula, ReadsNumbersAndOperatorsLeftToRight)
{
    const QHash<qint64, double> rows{{2, 100}, {3, 50}, {5, 30}};
    const auto rowSum = [&](qint64 n) { return rows.contains(n) ? std::optional(rows[n]) : std::nullopt; };
    struct Case {
        const char* text;
        std::optional<double> result;
    };
    const Case cases[] = {
        {"2+3-5", 120},
        {"2*3/5", 120},
        {" 2 + 3 - 5 ", 120},
        {"2\t+\t3", 150},
        {"2-3+5", 80},
        {"5-2-3", -120},
        {"2", 100},
        {"002+3", 150},
        {"2+77", std::nullopt},
        {"77-2", std::nullopt},
        {"99999999999999999999+2", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<BalanceFormula> formula = BalanceFormula::parse(QString::fromLatin1(c.text));
        ASSERT_TRUE(formula);
        EXPECT_EQ(formula->evaluate(rowSum), c.result);
    }
}

TEST(BalanceFormula, RefusesWhatIsNotNumbersJoinedByOperators)
{
    for (const char* text : {"2+x", "2+", "+2", "-2+3", "2 3", "2++3", "2+-3", "1=1", "Nr_rand",
                             "2); DROP TABLE Bilant; --", "2,5", "(2+3)", "", "   "}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(BalanceFormula::parse(QString::fromLatin1(text)));
    }
    // Digits of other scripts are no row numbers either.
    EXPECT_FALSE(BalanceFormula::parse(QStringLiteral("2+\u0663")));
}

TEST(BalanceFormula, NamesEachNumberOnce)
{
    EXPECT_EQ(BalanceFormula::parse(QStringLiteral("23+24-23*25"))->numbers(), (QList<qint64>{23, 24, 25}));
    EXPECT_TRUE(BalanceFormula::isBlank(QStringLiteral(" \t")));
    EXPECT_FALSE(BalanceFormula::isBlank(QStringLiteral(" 2")));
}
