#pragma once

#include <QSqlDatabase>
#include <QString>

// Closing of the working year: the year's data are frozen in its year folder,
// the parish's books start the next year.
namespace YearEndRollover
{

// Closes `closingYear`, the working year of the database open on `db`, which
// lies in `programFolder`:
//  1. refreshes the year folder with the data as they are now; a failure
//     throws IoError "Nu pot salva baza de date in directorul ..." and nothing
//     else is done;
//  2. in one transaction: records the closed and the new year in Ani (creating
//     the table on the first closing), zeroes the opening balances, carries
//     each family's unpaid contribution forward as its arrears, deletes the
//     incomes, expenses, deposits, withdrawals and salary orders dated up to
//     31 December of the closed year and makes the next year the working year.
// A failure of step 2 leaves the database exactly as it was and throws
// UserError saying that the year was not closed, with the store's reason.
// Returns the new working year.
int closeWorkingYear(const QSqlDatabase& db, const QString& programFolder, int closingYear);

// The message of a closing that failed in the database.
QString notClosedMessage(int closingYear, const QString& reason);

} // namespace YearEndRollover
