#include "contributions/ContributionRule.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace Contributions;

namespace
{

const QLocale romanian(QLocale::Romanian, QLocale::Romania);
const QLocale american(QLocale::English, QLocale::UnitedStates);

struct TypeCase {
    const char* type;
    QLocale locale;
    double expected; // with a whole contribution of 100
};

class YearlyAmount : public ::testing::TestWithParam<TypeCase>
{
};

TEST_P(YearlyAmount, FollowsTheContributionType)
{
    const TypeCase& c = GetParam();
    EXPECT_DOUBLE_EQ(yearlyAmount(QString::fromUtf8(c.type), 100, c.locale), c.expected)
        << c.type << " under " << c.locale.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Types, YearlyAmount,
                         ::testing::Values(
                             // Half only for the exact word.
                             TypeCase{"Jumatate", romanian, 50}, TypeCase{"jumatate", romanian, 100},
                             TypeCase{"JUMATATE", romanian, 100}, TypeCase{" Jumatate", romanian, 100},
                             // Any other text is whole.
                             TypeCase{"Intreaga", romanian, 100}, TypeCase{"", romanian, 100},
                             TypeCase{"   ", romanian, 100}, TypeCase{"scutit", romanian, 100},
                             // A number is the family's own amount; 0 exempts it.
                             TypeCase{"0", romanian, 0}, TypeCase{"75", romanian, 75},
                             TypeCase{"  75  ", romanian, 75}, TypeCase{"75,5", romanian, 75.5},
                             TypeCase{" 75,5 ", romanian, 75.5}, TypeCase{"75.5", american, 75.5},
                             // Not the locale's notation, thousands separators and exponents: whole.
                             TypeCase{"75.5", romanian, 100}, TypeCase{"1.000", romanian, 100},
                             TypeCase{"1.5", romanian, 100}, TypeCase{"75,5", american, 100},
                             TypeCase{"1,000", american, 100}, TypeCase{"1e2", romanian, 100},
                             TypeCase{"75 lei", romanian, 100}));

TEST(DueAmount, IsTheCarriedArrearsPlusTheYearlyAmount)
{
    EXPECT_DOUBLE_EQ(dueAmount(std::nullopt, QStringLiteral("Jumatate"), 100, romanian), 50);
    EXPECT_DOUBLE_EQ(dueAmount(30.0, QStringLiteral("Intreaga"), 100, romanian), 130);
    EXPECT_DOUBLE_EQ(dueAmount(30.0, QStringLiteral("0"), 100, romanian), 30);
}

TEST(IsOwed, CountsOnlyWhatIsAtLeastHalfABan)
{
    const double paidInThree = 150 - (43.06 + 104.02 + 2.92);
    ASSERT_NE(paidInThree, 0.0); // the float noise the rule must absorb
    EXPECT_FALSE(isOwed(paidInThree));
    EXPECT_FALSE(isOwed(-paidInThree));
    for (const double settled : {0.0, 2.8e-14, -2.8e-14, 0.004, -15.0})
        EXPECT_FALSE(isOwed(settled)) << settled;
    for (const double owed : {0.005, 0.01, 20.0, 1e6})
        EXPECT_TRUE(isOwed(owed)) << owed;
}

} // namespace
