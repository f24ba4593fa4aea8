#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What the import did with one table file.
struct TableSummary {
    struct RefusedRow {
        int row = 0; // from 1, in file order
        QString reason;
    };

    QString fileName; // as found in the folder: "Venituri.DB"
    int read = 0;
    int taken = 0;
    QList<RefusedRow> refused;
    QStringList fieldsNotInSchema; // memo and logical fields among them
    QStringList fieldsOfOtherType; // in the schema, but of a type it cannot hold
};

// The reasons a row is refused, as the import summary words them.
namespace RefusalReason
{
inline const QString duplicateKey = QStringLiteral("cheie duplicată");
inline const QString textTooLong = QStringLiteral("text prea lung");
inline const QString outOfRange = QStringLiteral("valoare în afara domeniului");
inline const QString requiredMissing = QStringLiteral("câmp obligatoriu necompletat");
} // namespace RefusalReason
