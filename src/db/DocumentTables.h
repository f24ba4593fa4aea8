#pragma once

#include <QStringList>

// The tables whose rows are the parish's documents, each with its date field
// Data: incomes, expenses, deposits, withdrawals, salary orders, candle-shop intake.
inline const QStringList& documentTables()
{
    static const QStringList tables = {
        QStringLiteral("Venituri"), QStringLiteral("Cheltuieli"), QStringLiteral("Depuneri"),
        QStringLiteral("Ridicari"), QStringLiteral("CheltSal"),   QStringLiteral("DocIn"),
    };
    return tables;
}
