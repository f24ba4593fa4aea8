#pragma once

#include <QSqlDatabase>
#include <QString>

// Erases, at a person's request, what the parish holds about a family: the
// names in the catalogue, the family records and the receipts become the
// anonymous name "ANONIM-<code>" (the members "ANONIM-<code>-1", -2, ...),
// the address, occupations and remarks are emptied, and every amount, date
// and number stays, so the books add up as before. The journal's earlier
// entries and the deleted documents lose the family's values (their digests
// stay, the chain still holds), the search index no longer finds the names,
// and the file keeps no copy of them in its freed pages.
namespace PersonAnonymisation
{

QString anonymousName(const QString& code);

// Throws DbError with the reason when the family cannot be anonymised: the
// code is unknown, or one of its receipts falls within the locked period
// (the lock's own message).
void check(const QSqlDatabase& db, const QString& code);

// Checks, then anonymises in one transaction, journaled, with one summary
// entry naming the code (not the name). Throws DbError; nothing changes then.
void run(const QSqlDatabase& db, const QString& code);

} // namespace PersonAnonymisation
