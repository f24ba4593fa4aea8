#include "operations/CandleQuantity.h"

#include <cmath>

std::optional<double> candleQuantity(double amount, const QVariant& unitPrice)
{
    const double price = unitPrice.isNull() ? 0.0 : unitPrice.toDouble();
    if (price == 0.0 || !std::isfinite(price))
        return std::nullopt;
    // The quotient is first held to six decimals, so that a half in lei and
    // bani (0.15 at 0.10) is an exact half, not the 1.4999... of binary division.
    const double quotient = std::round(amount / price * 1e6) / 1e6;
    // std::remainder takes away the nearest whole number, ties to the even one.
    return quotient - std::remainder(quotient, 1.0);
}
