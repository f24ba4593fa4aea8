#include "transfer/ImportReport.h"

QString importReportText(const QList<YearSummary>& years)
{
    QString text;
    for (const YearSummary& year : years) {
        if (year.year != 0)
            text += QStringLiteral("Anul %1:\n").arg(year.year);
        for (const TableSummary& table : year.tables) {
            text += QStringLiteral("%1: citite %2, preluate %3, refuzate %4\n")
                        .arg(table.fileName)
                        .arg(table.read)
                        .arg(table.taken)
                        .arg(table.refused.size());
            for (const TableSummary::RefusedRow& row : table.refused)
                text += QStringLiteral("  rândul %1: %2\n").arg(row.row).arg(row.reason);
            for (const QString& field : table.fieldsNotInSchema)
                text += QStringLiteral("  câmpul %1 nu există în schemă\n").arg(field);
            for (const QString& field : table.fieldsOfOtherType)
                text += QStringLiteral("  câmpul %1 are un tip pe care schema nu îl primește\n").arg(field);
        }
    }
    return text;
}
