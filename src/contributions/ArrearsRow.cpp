#include "contributions/ArrearsRow.h"

#include "contributions/ContributionRule.h"

namespace Contributions
{

bool ArrearsRow::owes() const
{
    return isOwed(rest);
}

} // namespace Contributions
