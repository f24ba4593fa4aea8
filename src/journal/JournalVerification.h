#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Walks the journal's chain of hashes, then compares every followed table with
// what the journal says its rows hold: an entry changed, removed or added
// outside the program, and a row changed, added or deleted behind its back,
// are each named.
struct JournalVerification {
    qint64 entries = 0;
    QStringList problems;

    bool isWhole() const { return problems.isEmpty(); }
    // "Jurnalul este intreg: N inregistrari", or the problems one a line.
    QString text() const;

    // Throws DbError when the journal cannot be read at all.
    static JournalVerification run(const QSqlDatabase& db);
};
