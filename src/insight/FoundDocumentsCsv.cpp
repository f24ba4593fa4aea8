#include "insight/FoundDocumentsCsv.h"

#include "db/DateFormat.h"
#include "db/FieldFormat.h"

CsvTable foundDocumentsCsv(const QList<FoundDocument>& documents)
{
    CsvTable csv;
    csv.header = {QStringLiteral("An"),   QStringLiteral("Fel"),        QStringLiteral("Numar"),
                  QStringLiteral("Data"), QStringLiteral("Cod"),        QStringLiteral("Tip"),
                  QStringLiteral("Nume"), QStringLiteral("Explicatie"), QStringLiteral("Suma"),
                  QStringLiteral("Cont")};
    for (const FoundDocument& d : documents)
        csv.rows.append({QString::number(d.year), kindWord(d.kind),
                         FieldFormat::formatNumber(d.number, QStringLiteral("0")),
                         DateFormat::toShortText(d.date),
                         d.typeCode ? QString::number(*d.typeCode) : QString(), d.typeName, d.name,
                         d.explanation, CsvTable::number(d.amount), d.account});
    return csv;
}
