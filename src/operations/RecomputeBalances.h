#pragma once

#include <QLocale>
#include <QSqlDatabase>
#include <QString>

// The parish's current cash and bank balances, computed from every movement
// table of the database in use. No window is involved: the document windows
// show the result in their balance labels.

// The sums the balances are made of; an empty sum (no rows, or only empty
// values) counts as 0.
struct BalanceSums {
    double openingCash = 0;  // Sold_init_casa of Contor
    double openingBank = 0;  // Sold_init_banca of Contor
    double incomesCash = 0;  // Venituri with Cont = 'Casa'
    double incomesBank = 0;  // Venituri with Cont = 'Banca'
    double deposits = 0;     // Depuneri
    double withdrawals = 0;  // Ridicari
    double paymentsCash = 0; // Cheltuieli with Cont = 'Casa'
    double paymentsBank = 0; // Cheltuieli with Cont = 'Banca'
    double salaryCash = 0;   // ItemsSal lines whose CheltSal header has Cont = 'Casa'
    double salaryBank = 0;   // ItemsSal lines whose CheltSal header has Cont = 'Banca'
};

struct CurrentBalances {
    double cash = 0;
    double bank = 0;
    double total() const { return cash + bank; }
};

enum class Account { Cash, Bank };

// Reads every sum with one statement. Throws DbError.
BalanceSums readBalanceSums(const QSqlDatabase& db);

// The terms are added left to right in a fixed order, so that the same data
// always gives the same last digit.
double cashBalance(const BalanceSums& sums);
double bankBalance(const BalanceSums& sums);

// Both balances of the database. Throws DbError.
CurrentBalances RecomputeBalances(const QSqlDatabase& db);

// A balance rounded to the cents its label shows; a value that rounds to
// zero is 0, never -0.
double roundedBalance(double balance);
// A balance as its label shows it: two decimals, no thousands separator, the
// locale's decimal separator ("1234,50"); a value that rounds to zero reads
// "0,00", never "-0,00".
QString balanceText(double balance, const QLocale& locale = QLocale());
// The value of such a text (0 when it is not a number).
double balanceFromText(const QString& text, const QLocale& locale = QLocale());
