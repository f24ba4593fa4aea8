#pragma once

#include <QVariant>
#include <optional>

// The number of candles an amount stands for at the unit price: the quotient
// rounded to the nearest whole number, an exact half going to the even
// neighbour (4.5 gives 4, 5.5 gives 6). None when the price is missing or 0.
std::optional<double> candleQuantity(double amount, const QVariant& unitPrice);
