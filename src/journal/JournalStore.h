#pragma once

#include "journal/JournalEntry.h"

#include <QSqlDatabase>
#include <functional>

// The journal of changes in the database file: the table Jurnal, one entry a
// row chained by hashes, and JurnalCap, the number and hash of the last entry
// the program wrote (so that entries cut off at the end or added after it are
// found). Appending runs inside the caller's transaction or savepoint.
namespace JournalStore
{

inline const QString entriesTable = QStringLiteral("Jurnal");
inline const QString headTable = QStringLiteral("JurnalCap");

bool exists(const QSqlDatabase& db);
// Whether the database has the table, from SQLite's schema in memory (no
// statement is parsed: every journaled write asks).
bool hasTable(const QSqlDatabase& db, const QString& table);
// Creates the journal's tables (and the lock's) when missing; true when the journal is new.
bool create(const QSqlDatabase& db);

// Fills in the entry's number, moment, user, computer and hashes, and stores it.
void append(const QSqlDatabase& db, JournalEntry& entry);

// The number and hash of the last entry written by the program.
struct Head {
    qint64 count = 0;
    QByteArray hash;
};
Head head(const QSqlDatabase& db);

// The entries (those the condition on Jurnal's fields selects) in the order written.
void readAll(const QSqlDatabase& db, const std::function<void(const JournalEntry&)>& take,
             const QString& condition = {}, const QVariantList& values = {});

// One entry as the file holds it, for the verification: what it needs of the
// entry's meaning, and the bytes its hash covers.
struct RawEntry {
    qint64 number = 0;
    qint64 rowid = 0;
    QString table, key, keyDate, action;
    QByteArray header;        // as JournalEntry::headerBytes gives it
    QByteArray encodedValues; // in UTF-8, as stored
    QByteArray rowDigest, previousHash, hash;
};
void readRaw(const QSqlDatabase& db, const std::function<void(RawEntry&& entry)>& take);

// The person and computer the entries name.
QString userName();
QString hostName();

} // namespace JournalStore
