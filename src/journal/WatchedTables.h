#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A table whose rows the journal of changes follows, with what names one of
// its rows to a reader and what dates it for the period lock.
struct WatchedTable {
    QString name;
    // The field holding the document's number or the row's code, and the
    // document's date ("" when the row has none).
    QString numberField;
    QString dateField;
    // For a document's lines: the field naming the document and the document's
    // table and identity field, whose date is the lines' date.
    QString ownerField;
    QString ownerTable;
    QString ownerKeyField;
    // A document (or a document's lines): the period lock applies.
    bool isDocument = false;
    bool isLine = false;
};

namespace WatchedTables
{

// Documents and their lines, catalogues, parish data, parameters and the lock itself.
const QList<WatchedTable>& all();
// The table of that name (any case), or nullptr when it is not followed.
const WatchedTable* find(const QString& table);
// Every followed table's name.
QStringList names();
// The documents' own tables (not their lines), whose deletions can be restored.
QStringList documentHeaders();

// The table that keeps the period lock's date.
inline const QString lockTable = QStringLiteral("Blocare");

} // namespace WatchedTables
