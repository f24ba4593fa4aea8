#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <functional>

// A row's fields as the file holds them, each written as one text that keeps
// its stored type: "n" for a null, "i12", "r150.5", "tText", "x0A1B" (bytes).
// Reading the file the same way when a row is written and when the journal is
// verified makes the two comparable byte for byte.
struct StoredField {
    QString name;
    QString value;
};
using StoredRow = QList<StoredField>;

namespace StoredRows
{

// The row as stored now; empty when it is gone. `digest`, when given,
// receives the digest of its content (empty when it is gone).
StoredRow read(const QSqlDatabase& db, const QString& table, qint64 rowid, QByteArray* digest = nullptr);
// The digest of every row of the table, in row-identity order, read without
// turning the values into texts (the verification reads every row).
void digestAll(const QSqlDatabase& db, const QString& table,
               const std::function<void(qint64 rowid, const QByteArray& digest)>& take);

// The value of a field ("n" when the row lacks it).
QString valueOf(const StoredRow& row, const QString& field);


// A stored value in the wording of a person: "150,00", "31.03.2024", text as it is.
QString display(const QString& table, const QString& field, const QString& value);
// A stored date ("t2024-03-31") as a date, or an invalid one.
QDate dateOf(const QString& value);

} // namespace StoredRows
