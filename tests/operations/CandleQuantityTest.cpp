#include "operations/CandleQuantity.h"

#include <gtest/gtest.h>

TEST(CandleQuantity, RoundsToTheNearestWholeCandleAndHalvesToTheEvenOne)
{
    const struct {
        double amount;
        QVariant price;
        std::optional<double> candles;
    } cases[] = {
        {10, 2.5, 4},   {11.25, 2.5, 4},   {13.75, 2.5, 6},      {100, 0.5, 200},
        {12.4, 2.5, 5}, {12.6, 2.5, 5},    {0.15, 0.1, 2},       {0.25, 0.1, 2},
        {0, 2.5, 0},    {-11.25, 2.5, -4}, {10, QVariant(), {}}, {10, 0.0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.amount << " at " << c.price.toString().toStdString());
        EXPECT_EQ(candleQuantity(c.amount, c.price), c.candles);
    }
}
