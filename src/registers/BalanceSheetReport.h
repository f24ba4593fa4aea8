#pragma once

#include "printing/CsvTable.h"
#include "printing/ReportFrame.h"
#include "printing/RuledColumns.h"

#include <QSqlDatabase>
#include <QString>

// What both printed layouts of the balance sheet share: the rows of Bilant in
// key order with the chosen amount ("Prevederi" or "Executie"), the cover page
// with the parish and the period, the page footer and the CSV export.
namespace BalanceSheetReport
{

inline const QString caption = QStringLiteral("Raport bilant");
inline const QString forecastField = QStringLiteral("Prevederi");
inline const QString executionField = QStringLiteral("Executie");
inline const QString creditLabel = QStringLiteral("Lumivaret, produs Morvalen");
// Arial 11, A4, portrait.
inline const ReportFrame::Defaults defaults{11, QPageLayout::Portrait};

// The period as the cover prints it (the texts of the window's date inputs).
struct Period {
    QString from, to;
};

// A report holding the balance sheet rows (Nr_rand, Denumire, Cont and the
// amount as "Suma") as its data and the parish record as its second table,
// its font, paper and name set. Throws DbError.
std::unique_ptr<Report> read(const QSqlDatabase& db, const QString& amountField);

// The parish field of the report's second table.
QString parishValue(const Report& report, const QString& field);

// The cover page: the parish's identification, the title, the period and the
// lines to be filled in; it fills the first page, so the rows start on the second.
ReportBand cover(const ReportDefinition& def, const Report& report, const Period& period);

// "Pagina  " and the page number, today's date at the right.
ReportBand pageFooter(const ReportDefinition& def);

// A font of the report's family in another size.
using RuledColumns::sized;

// The printed rows: number, name, article code and the amount in two decimals.
CsvTable csv(const Report& report, const QString& amountField);

} // namespace BalanceSheetReport
