#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The full-text index of the documents, kept inside the database file beside
// them: one SQLite FTS5 table, Cautare, whose text is a document's
// explanation, beneficiary, parishioner's name (the catalogue's, when the
// document keeps only the code) and code, and type name (and for a
// salary order the names and explanations of its lines), folded to lower
// case without diacritics, so "stefan" finds "Ștefan" and "ş" finds "ș".
// Triggers on the documents' tables keep it in step with every insert,
// change and deletion, whoever makes them (record sources, the year-end
// closing, imports).
//
// A row of the index is named by its document: the document's row identity
// times 8 plus its kind (the identity of a salary order is its Id).
namespace DocumentSearchIndex
{

enum class DocumentKind { Income = 0, Payment = 1, Deposit = 2, Withdrawal = 3, SalaryOrder = 4 };
inline constexpr int kindCount = 5;

inline const QString tableName = QStringLiteral("Cautare");

// The documents' table of a kind ("Venituri", ...).
QString tableOf(DocumentKind kind);

// The SQL expression of a document's indexed text, its fields read through
// `alias` ("d", "new").
QString textExpression(DocumentKind kind, const QString& alias);

// The index row of a document, and back.
inline qint64 indexRowId(DocumentKind kind, qint64 documentRowId)
{
    return documentRowId * 8 + int(kind);
}

// Whether the index and all its triggers are in the database.
bool isComplete(const QSqlDatabase& db);
// Whether ensure() has work to do: the documents' tables are there, the index is not whole.
bool needsBuilding(const QSqlDatabase& db);

// Makes the index when it is missing or incomplete (a database of an earlier
// release, or one built by an import), and fills it from the documents;
// returns the statement that created it, empty when nothing was to do. A
// database without all the documents' tables is left alone.
QStringList ensure(const QSqlDatabase& db);

// The same index, without triggers, in the connection's temporary schema, for
// a database that is only read and has none of its own (a year closed by an
// earlier release). Does nothing when the database has its own.
void ensureForReading(const QSqlDatabase& db);

// Writes the index text of these incomes again (their parishioner's name in
// the catalogue changed). Does nothing without the index.
void reindexIncomes(const QSqlDatabase& db, const QList<qint64>& incomeRowIds);

// Merges the index into one piece, which drops the words of texts changed or
// deleted since (FTS5 keeps them in its older pieces until then), so that a
// name erased from the documents is no longer in the file.
void mergeAll(const QSqlDatabase& db);

} // namespace DocumentSearchIndex
