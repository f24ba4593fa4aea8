#pragma once

#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>

// Blanks a person's values in the journal's entries: each value keeps its
// digest and loses its text and salt, so that the chain of hashes, which
// covers the digests, still holds and the verification still passes. The
// deleted documents are read from the same entries and lose the values too.
namespace JournalBlanking
{

// Which entries of `table` are the person's: those of a row's life (from its
// adding, or the table's last baseline, to its deletion or the next
// baseline) in which one value says so (`isPersons(field, text)`), and those
// of the rows `currentRows` (by row identity) in their life going on now. In
// these entries the values of `fields` are blanked; returns how many entries
// changed. Runs inside the caller's transaction.
int blank(const QSqlDatabase& db, const QString& table, const QStringList& fields,
          const std::function<bool(const QString& field, const QString& text)>& isPersons,
          const QSet<qint64>& currentRows);

} // namespace JournalBlanking
