#pragma once

#include "journal/JournalEntry.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <functional>

// The documents deleted, read back from the journal's deletion entries (the
// document and the lines deleted with it), and put back on request.
struct DeletedDocument {
    qint64 entryNumber = 0; // the journal entry of the document's deletion
    QString moment;         // UTC
    QString user;
    QString table;
    QString number;
    QDate date;
    QList<JournalValue> values; // the document's fields as they were
    struct Line {
        QString table;
        QList<JournalValue> values;
    };
    QList<Line> lines;

    // A field's stored value ("n" when it had none).
    QString value(const QString& field) const;
};

namespace DeletedDocuments
{

// The deleted documents not restored since, the latest deletion first.
QList<DeletedDocument> list(const QSqlDatabase& db);

// Puts the document and its lines back, journaled, in one transaction. When
// its number is taken now, `askNextNumber(taken, next)` decides whether it
// comes back under the next free number (false: nothing is restored).
// Throws DbError with the reason when refused (the period lock among them).
// Returns false when the user declined.
bool restore(const QSqlDatabase& db, const DeletedDocument& document,
             const std::function<bool(const QString& taken, const QString& next)>& askNextNumber);

} // namespace DeletedDocuments
