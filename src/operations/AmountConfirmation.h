#pragma once

#include <QObject>
#include <QString>
#include <functional>

class Dataset;

// What a record adds to the cash balance (negative: what it takes away),
// from the values of its fields.
using CashShare = std::function<double(const Dataset& record)>;

// What a record with money in it asks before it is stored.
struct AmountRule {
    QString amountField; // empty: the record has no amount of its own
    CashShare cashShare; // empty: the record does not touch the cash
};

// The questions asked before a record of `records` is stored: a negative
// amount (a reversal) is stored only when the user says so, and so is a
// record that takes the cash balance below zero (or further below), the
// question naming the balance the cash would have. A stored record's share
// is taken when its editing begins, so that only the change counts.
class AmountQuestions : public QObject
{
public:
    AmountQuestions(Dataset* records, AmountRule rule, QObject* parent);

    // "Nu", the default answer, throws SilentAbort: the record stays in
    // editing as typed.
    void confirm(const Dataset& record) const;

private:
    double shareOf(const Dataset& record) const;

    AmountRule m_rule;
    double m_storedShare = 0;
};
