#pragma once

#include "printing/CsvTable.h"
#include "printing/ReportFrame.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <memory>

// The account a day book follows: its heading and its columns of the
// register work table.
struct BookAccount {
    QString heading;     // "REGISTRU DE CASA"
    QString receipts;    // under "Incasari"
    QString withdrawals; // under "Ridicari"
    QString payments;    // under "Plati"
    QString deposits;    // under "Depuneri"
    QString balance;     // the balance after each row

    static const BookAccount& cash();
    static const BookAccount& bank();
};

// The cash book and the bank book, printed day by day from the register work
// table (CalculRegistru): each day opens with the balance of the day before
// and the sums brought forward from 1 January, lists its rows numbered
// through the whole book, and closes with its balance and the sums carried
// forward. Portrait, "Pag.N din M" at the foot of every page.
// Holds no window: a report's unit, named as in the older program.
namespace TRepRegCasaFrm
{

inline const QString caption = QStringLiteral("Raport registru");
inline const QString reportTitle = QStringLiteral("Raport registru incasari si plati");
inline const QString noRows = QStringLiteral("Nu exista date in aceasta perioada!");
inline const QString openingLine = QStringLiteral("Sold ziua precedenta / Report :");
inline const QString closingLine = QStringLiteral("Sold final / De reportat :");

// Drops the work table's rows after `to` and those without a movement on the
// account, then builds the book. The days before `from` are not printed but
// count in the balances and sums brought forward; when every day comes
// before `from`, the title, the signatures and the page footer print alone.
// No row left: the report has no row and refuses with "Nu exista date in
// aceasta perioada!".
// Throws DbError.
std::unique_ptr<Report> build(const QSqlDatabase& db, const BookAccount& account, const QDate& from,
                              const QDate& to);

// The printed lines of a built book: for each day of the period its opening
// line, its rows and its closing line, "Data" on every one.
CsvTable csv(const Report& report, const BookAccount& account, const QDate& from);

} // namespace TRepRegCasaFrm
