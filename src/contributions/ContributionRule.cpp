#include "contributions/ContributionRule.h"

#include "db/TypedNumber.h"

namespace Contributions
{
namespace
{

const QString halfContribution = QStringLiteral("Jumatate");

// Half a ban: below it a remainder is rounding noise, not a debt.
constexpr double owedThreshold = 0.005;

// The amount written in the contribution type, read strictly in the locale's
// notation: the keypad's point that typed numbers accept elsewhere is not the
// locale's separator here, so "75.5" under a comma locale is not a number.
std::optional<double> ownAmount(const QString& text, const QLocale& locale)
{
    if (locale.decimalPoint() != QStringLiteral(".") && text.contains(QLatin1Char('.')))
        return std::nullopt;
    return TypedNumber::read(text, locale);
}

} // namespace

double yearlyAmount(const QString& contributionType, double wholeValue, const QLocale& locale)
{
    if (contributionType == halfContribution)
        return wholeValue / 2;
    return ownAmount(contributionType, locale).value_or(wholeValue);
}

double dueAmount(std::optional<double> carried, const QString& contributionType, double wholeValue,
                 const QLocale& locale)
{
    return carried.value_or(0.0) + yearlyAmount(contributionType, wholeValue, locale);
}

bool isOwed(double rest)
{
    return rest >= owedThreshold;
}

} // namespace Contributions
