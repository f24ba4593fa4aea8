#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The family "Popescu Ion" (code P1) with all the parish records about it:
// two members, a baptism, a marriage, a burial, an event, three receipts (one
// with its code and name, one with its code only, one with a member's name only), a receipt deleted and the
// family's street changed, so that the journal's earlier entries hold its
// values; beside it the family "Avram Elena" (A7) with two receipts, one of
// them naming the family's deceased and bride in its explanation. Working
// year 2024, 100,00 in cash at its start.
namespace SampleFamily
{

inline const QString code = QStringLiteral("P1");
inline const QString name = QStringLiteral("Popescu Ion");
inline const QString memberName = QStringLiteral("Popescu Mariana");
inline const QString otherName = QStringLiteral("Avram Elena");

// The names of the family's people as its records and receipts write them.
const QStringList& peoplesNames();

// Words (lower case) of the family's personal data, each found nowhere else.
const QStringList& personalWords();

// Writes both families into the open working year: the records and the
// first state of the catalogue and the receipts straight into the file (the
// journal then takes them as its base), the later changes through the record
// layer.
void write(const QSqlDatabase& db);

// The lower-case words of `words` that the bytes hold.
QStringList wordsIn(const QByteArray& bytes, const QStringList& words);

} // namespace SampleFamily
