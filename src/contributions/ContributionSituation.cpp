#include "contributions/ContributionSituation.h"

#include "contributions/Arrears.h"
#include "contributions/ContributionListLayout.h"
#include "contributions/ContributionParameters.h"
#include "contributions/ContributionRule.h"
#include "db/DateFormat.h"
#include "db/Sql.h"

#include <QHash>
#include <QSqlQuery>

using namespace ContributionListLayout;

namespace ContributionSituation
{
namespace
{

const QString codeField = QStringLiteral("Cod_enorias");
const QString receiptsCaption = QStringLiteral("nr. act, data, tip incasare, explicatie, suma");

QList<Column> familyColumns()
{
    const QString contribution = QStringLiteral("Contributia");
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    return {
        {{}, QStringLiteral("Nr. crt."), QStringLiteral("NrCrt"), 12, right},
        {{}, QStringLiteral("Nume si prenumele"), QStringLiteral("Nume"), 62},
        {{}, QStringLiteral("Strada"), QStringLiteral("Strada"), 37},
        {{}, QStringLiteral("Nr."), QStringLiteral("Nr"), 12, Qt::AlignCenter},
        {{}, QStringLiteral("Tip"), QStringLiteral("Tip"), 16, Qt::AlignCenter},
        {contribution, QStringLiteral("Cuvenita"), QStringLiteral("Cuvenita"), 17, right},
        {contribution, QStringLiteral("Incasata"), QStringLiteral("Incasata"), 17, right},
        {contribution, QStringLiteral("Restanta"), QStringLiteral("Restanta"), 17, right},
    };
}

// One line per family, numbered in print order; only the families that owe when `owingOnly`.
ReportTable familyTable(const QList<Contributions::ArrearsRow>& rows, bool owingOnly, bool compoundNames)
{
    ReportTable table;
    table.fields = {QStringLiteral("NrCrt"),    QStringLiteral("Nume"),     QStringLiteral("Strada"),
                    QStringLiteral("Nr"),       QStringLiteral("Tip"),      QStringLiteral("Cuvenita"),
                    QStringLiteral("Incasata"), QStringLiteral("Restanta"), codeField};
    for (const Contributions::ArrearsRow& row : rows) {
        if (owingOnly && !Contributions::isOwed(row.rest))
            continue;
        table.rows.append({QString::number(table.rows.size() + 1),
                           compoundNames ? row.composedName : row.name, row.street, row.number,
                           row.contributionType, amountText(row.due), amountText(row.paid),
                           amountText(row.rest), row.code});
    }
    return table;
}

// Every contribution receipt up to the reference date by parishioner code,
// each its own row, even when two are alike in every field, so that they add
// up to "Incasata". A row: number, date, kind, explanation, value.
QHash<QString, QList<QVariantList>> receiptsByFamily(const QSqlDatabase& db, const QDate& referenceDate,
                                                     int incomeCode)
{
    QSqlQuery query =
        Sql::exec(db,
                  QStringLiteral("SELECT Cod_enorias, Nr_act, Data, Fel, Explicatie, Valoarea FROM Venituri "
                                 "WHERE Cod_enorias IS NOT NULL AND Cod_venit = :CodVen AND Data <= :Data "
                                 "ORDER BY Cod_enorias, Nr_act, Data, Fel, Explicatie, Valoarea"),
                  {{QStringLiteral(":CodVen"), incomeCode},
                   {QStringLiteral(":Data"), referenceDate.toString(Qt::ISODate)}});
    const auto amount = [](const QVariant& v) {
        return v.isNull() ? std::nullopt : std::optional<double>(v.toDouble());
    };
    QHash<QString, QList<QVariantList>> receipts;
    while (query.next())
        receipts[query.value(0).toString()].append(
            {amountText(amount(query.value(1))), QDate::fromString(query.value(2).toString(), Qt::ISODate),
             query.value(3).toString(), query.value(4).toString(), amountText(amount(query.value(5)))});
    return receipts;
}

const QStringList receiptFields{QStringLiteral("Nr_act"), QStringLiteral("Data"), QStringLiteral("Fel"),
                                QStringLiteral("Explicatie"), QStringLiteral("Valoarea")};
const QString hasReceiptField = QStringLiteral("Chitanta");

// One row per receipt carrying its family's cells, a family without receipts
// on one row without any: the family line prints once at the head of its rows.
ReportTable withReceipts(const ReportTable& families, const QHash<QString, QList<QVariantList>>& receipts)
{
    ReportTable table;
    table.fields = families.fields + receiptFields + QStringList{hasReceiptField};
    const int code = families.fieldIndex(codeField);
    for (const QVariantList& family : families.rows) {
        const QList<QVariantList> own = receipts.value(family[code].toString());
        if (own.isEmpty())
            table.rows.append(family + QVariantList(receiptFields.size()) + QVariantList{false});
        for (const QVariantList& receipt : own)
            table.rows.append(family + receipt + QVariantList{true});
    }
    return table;
}

// The receipt line: number "/" date kind explanation under the name and the
// columns after it, the amount under "Incasata".
ReportBand receiptBand(const QList<double>& x)
{
    ReportBand band;
    band.height = 4.5;
    const double left = x[1] + 0.8;
    band.add(ReportElement::data(QRectF(left, 0, 10, 4.5), QStringLiteral("Nr_act"), {},
                                 Qt::AlignRight | Qt::AlignVCenter));
    band.add(ReportElement::label(QRectF(left + 10, 0, 3, 4.5), QStringLiteral("/"), Qt::AlignCenter));
    band.add(ReportElement::data(QRectF(left + 13, 0, 16, 4.5), QStringLiteral("Data")));
    band.add(ReportElement::data(QRectF(left + 29, 0, 13, 4.5), QStringLiteral("Fel"), {}, Qt::AlignCenter));
    band.add(ReportElement::data(QRectF(left + 43, 0, x[5] - left - 44, 4.5), QStringLiteral("Explicatie")));
    band.add(ReportElement::data(QRectF(x[6] + 0.8, 0, x[7] - x[6] - 1.6, 4.5), QStringLiteral("Valoarea"),
                                 {}, Qt::AlignRight | Qt::AlignVCenter));
    return band;
}

QList<TitleLine> titleLines(const QSqlDatabase& db, const QString& heading, const QDate& referenceDate)
{
    QList<TitleLine> lines = parishLines(db);
    lines.append({heading, TitleLine::Style::Heading});
    lines.append({QStringLiteral("la data de : ") + DateFormat::toShortText(referenceDate),
                  TitleLine::Style::Heading});
    return lines;
}

QStringList familyCsvLine(const ReportTable& table, int row)
{
    // The printed columns come first in the table, the code after them.
    QStringList line;
    for (qsizetype field = 0; field < familyColumns().size(); ++field)
        line << table.rows[row][field].toString();
    return line;
}

} // namespace

std::unique_ptr<Report> buildSituation(const QSqlDatabase& db, const Options& options)
{
    const auto parameters = Contributions::ContributionParameters::read(db);
    const QList<Contributions::ArrearsRow> rows =
        Contributions::arrears(db, options.referenceDate, parameters, options.order);
    const QList<Column> columns = familyColumns();
    auto report = build(QStringLiteral("Raport nominal privind contributia"),
                        titleLines(db, QStringLiteral("Situatia contributiilor anuale ale credinciosilor "),
                                   options.referenceDate),
                        columns, familyTable(rows, false, options.compoundNames),
                        options.receipts ? receiptsCaption : QString());
    if (options.receipts) {
        ReportDefinition& def = report->definition;
        def.data = report->keep(
            withReceipts(*def.data, receiptsByFamily(db, options.referenceDate, parameters.incomeCode)));
        ReportGroup family;
        family.field = QStringLiteral("NrCrt");
        family.header = def.detail;
        def.groups = {family};
        def.detail = receiptBand(edges(columns));
        def.detail.beforePrint = [](const ReportContext& context) {
            return context.value(hasReceiptField).toBool();
        };
    }
    return report;
}

std::unique_ptr<Report> buildArrearsList(const QSqlDatabase& db, const QDate& referenceDate,
                                         bool compoundNames)
{
    const QList<Contributions::ArrearsRow> rows = Contributions::arrears(db, referenceDate);
    auto report =
        build(QStringLiteral("Raport nominal privind restantele"),
              titleLines(db, QStringLiteral("Lista restantierilor la plata contributiei"), referenceDate),
              familyColumns(), familyTable(rows, true, compoundNames));
    // Families there are, none of them owing: the title and captions still say so.
    report->definition.printIfEmpty = !rows.isEmpty();
    return report;
}

CsvTable situationCsv(const Report& report)
{
    CsvTable csv;
    csv.header = csvHeader(familyColumns());
    const ReportTable& rows = *report.definition.data;
    const bool receipts = rows.fieldIndex(hasReceiptField) >= 0;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QVariant number = rows.value(row, QStringLiteral("NrCrt"));
        if (row == 0 || rows.value(row - 1, QStringLiteral("NrCrt")) != number)
            csv.rows.append(familyCsvLine(rows, row));
        if (!receipts || !rows.value(row, hasReceiptField).toBool())
            continue;
        const QString what =
            QStringList{rows.value(row, QStringLiteral("Nr_act")).toString(),
                        DateFormat::toShortText(rows.value(row, QStringLiteral("Data")).toDate()),
                        rows.value(row, QStringLiteral("Fel")).toString(),
                        rows.value(row, QStringLiteral("Explicatie")).toString()}
                .join(QStringLiteral(", "));
        csv.rows.append({QString(), what, QString(), QString(), QString(), QString(),
                         rows.value(row, QStringLiteral("Valoarea")).toString(), QString()});
    }
    return csv;
}

CsvTable arrearsListCsv(const Report& report)
{
    CsvTable csv;
    csv.header = csvHeader(familyColumns());
    const ReportTable& families = *report.definition.data;
    for (int row = 0; row < families.rowCount(); ++row)
        csv.rows.append(familyCsvLine(families, row));
    return csv;
}

} // namespace ContributionSituation
