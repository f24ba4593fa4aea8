#pragma once

#include "core/Progress.h"

#include <QSqlDatabase>
#include <QString>

// The register work table (Registru) rebuilt from the documents, for the
// register, the cash and bank books and the expense ledger.
//
// Both computations run in one transaction: on a failure the work table is
// left as it was. They throw UserError with the text the user sees: the
// work table cannot be rebuilt ("Nu pot crea fisierul :..."), or the store
// failed later ("Eroare de acces la tabela registru!...").

// Caption of the progress window of the full computation.
inline const QString calculRegistruCaption = QStringLiteral("Calcul registru casa- banca");

// The full register: the opening balances dated 1 January of the working
// year, one row per receipt (its lines summed), withdrawal, deposit,
// payment line and salary payment order, with the running cash, bank and
// total balances after each row. Within a day the rows follow the opening
// rows, receipts, withdrawals, deposits, payments and salary orders, each in
// the order they were stored. Rows without a date count in the balances of
// the rows after them and are then removed.
void CalculRegistru(const QSqlDatabase& db, Progress& progress = noProgress());

// The payments of one expense type, all in PlatiC whatever the account: each
// payment line, and each salary payment order with the sum of its lines of
// that type. No balances; the columns left unfilled stay empty.
void CalculRegistruPartizi(const QSqlDatabase& db, int expenseCode);
