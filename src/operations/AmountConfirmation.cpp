#include "operations/AmountConfirmation.h"

#include "core/SilentAbort.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "operations/RecomputeBalances.h"

#include <cmath>

namespace
{

// Amounts are kept to the ban: what rounds to no ban is no difference.
double inBani(double amount)
{
    return std::round(amount * 100);
}

} // namespace

AmountQuestions::AmountQuestions(Dataset* records, AmountRule rule, QObject* parent)
    : QObject(parent), m_rule(std::move(rule))
{
    // Editing begins on the stored values; a new record has stored nothing.
    connect(records, &Dataset::stateChanged, this, [this, records](DatasetState state) {
        if (state == DatasetState::Edit)
            m_storedShare = shareOf(*records);
        else if (state == DatasetState::Insert)
            m_storedShare = 0;
    });
}

double AmountQuestions::shareOf(const Dataset& record) const
{
    return m_rule.cashShare ? m_rule.cashShare(record) : 0.0;
}

void AmountQuestions::confirm(const Dataset& record) const
{
    if (!m_rule.amountField.isEmpty() && inBani(record.asFloat(m_rule.amountField)) < 0 &&
        !dialogs().question(QStringLiteral("Suma este negativa (stornare). Salvati documentul?")))
        throw SilentAbort();
    if (!m_rule.cashShare)
        return;
    const double typed = shareOf(record);
    if (inBani(typed - m_storedShare) >= 0)
        return; // the cash does not go down
    const double cash = RecomputeBalances(Connection::database()).cash - m_storedShare + typed;
    if (inBani(cash) < 0 &&
        !dialogs().question(QStringLiteral("Atentie! Dupa salvare soldul casei devine negativ: %1. "
                                           "Salvati documentul?")
                                .arg(balanceText(cash))))
        throw SilentAbort();
}
