#include "printing/SumaInLitere.h"

#include <gtest/gtest.h>

TEST(SumaInLitere, WritesAmountsInTheProgramsCompactStyle)
{
    const struct {
        double amount;
        const char* words;
    } cases[] = {
        {1234.56, " o mie douasutetreizecisipatru lei si cincizecisisasede bani"},
        {1.01, " un leu si un ban"},
        {2.02, " doi lei si doibani"},
        {15.10, "cincisprezece lei si zecebani"},
        {100.00, "osuta lei "},
        {2500.75, "doua mii cincisute lei si saptezecisicincide bani"},
        {21000.00, "douazecisiuna mii lei"},
        {1000000.00, " un milion lei"},
        {0, ""},
        {0.125, "doisprezecebani"}, // an exact half goes to the even neighbour
        {0.375, "treizecisioptde bani"},
        {60, "sasezeci lei "},
        {14, "patrusprezece lei "},
        {2, " doi lei "},
        {2000, "doua mii lei"},
        {1001, " o mie  un leu "},
        {111111, "osutaunsprezece mii osutaunsprezece lei "},
        {201001, "douasuteuna mii  un leu "},
        {3000000000.0, "trei miliarde lei"},
        // Without lei of their own the bani read alone, or after the thousands' "lei si".
        {0.50, "cincizecide bani"},
        {0.01, "un ban"},
        {1000.50, " o mie lei si cincizecide bani"},
        {2000000.05, "doua milioane lei si cincibani"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SumaInLitere(false, c.amount), QString::fromUtf8(c.words)) << c.amount;
}

TEST(SumaInLitere, WithDiacritics)
{
    EXPECT_EQ(SumaInLitere(true, 66.66), QStringLiteral("şasezecişişase lei şi şasezecişişasede bani"));
    EXPECT_EQ(SumaInLitere(true, 2900), QStringLiteral("două mii nouăsute lei "));
}

TEST(SumaInLitere, SpellGroupUsesFeminineFormsAboveTheFirstGroup)
{
    EXPECT_EQ(SpellGroup(0, 2, 1, false, 2), QStringLiteral("douazecisiuna"));
    EXPECT_EQ(SpellGroup(0, 2, 1, false, 1), QStringLiteral("douazecisiunu"));
    EXPECT_EQ(SpellGroup(0, 0, 1, false, 2), QStringLiteral("unu"));
    EXPECT_EQ(SpellGroup(0, 0, 2, false, 3), QStringLiteral("doua"));
    EXPECT_EQ(SpellGroup(3, 1, 6, false, 1), QStringLiteral("treisutesasesprezece"));
    EXPECT_EQ(SpellGroup(1, 0, 0, true, 1), QStringLiteral("osută"));
}
