#pragma once

#include "db/RowChanges.h"
#include "journal/StoredRows.h"

#include <QStringList>

// The journal of changes as the program's recorder: every row written to a
// followed table gets its entry in the same savepoint, and a document dated
// within the locked period is refused before anything is written.
class ChangeJournal : public RowChangeRecorder
{
public:
    bool watches(const QString& table) const override;
    void before(const QSqlDatabase& db, const QString& table, RowAction action, qint64 rowid) override;
    void after(const QSqlDatabase& db, const QString& table, RowAction action, qint64 rowid) override;
    void opened(const QSqlDatabase& db) override;

    // Installs the journal as the program's recorder.
    static void install();

    // Starts the journal of a database that has none: its first entry, and a
    // baseline of every followed table. Nothing happens when it has one.
    static void start(const QSqlDatabase& db, const QString& note = {});
    // What the first entry of a journal started later will say (a database
    // built by an import is the same for the same tables: no moment, no salt).
    static void noteStart(const QSqlDatabase& db, const QString& note);
    // One entry for work that wrote many rows at once (an import, a restore,
    // a year-end closing, a computation), then a baseline of the tables it wrote.
    static void recordSummary(const QSqlDatabase& db, const QString& note, const QStringList& tables);

private:
    StoredRow m_before;
};
