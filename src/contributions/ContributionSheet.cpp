#include "contributions/ContributionSheet.h"

#include "contributions/ContributionListLayout.h"
#include "contributions/ContributionParameters.h"
#include "contributions/ContributionRule.h"
#include "db/DateFormat.h"
#include "db/Sql.h"

#include <QSqlQuery>

using namespace ContributionListLayout;

namespace ContributionSheet
{
namespace
{

QList<Column> sheetColumns()
{
    const QString receipts = QStringLiteral("Chitante");
    const QString contribution = QStringLiteral("Contributia");
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    return {
        {receipts, QStringLiteral("Nr."), QStringLiteral("Nr_act"), 16, right},
        {receipts, QStringLiteral("Data"), QStringLiteral("Data"), 20},
        {{}, QStringLiteral("EXPLICATII"), QStringLiteral("Explicatie"), 94},
        {contribution, QStringLiteral("Cuvenita"), QStringLiteral("Cuvenita"), 20, right},
        {contribution, QStringLiteral("Incasata"), QStringLiteral("Incasata"), 20, right},
        {contribution, QStringLiteral("Restanta"), QStringLiteral("Restanta"), 20, right},
    };
}

std::optional<double> optionalAmount(const QVariant& value)
{
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

} // namespace

std::unique_ptr<Report> build(const QSqlDatabase& db, const QString& parishionerCode, bool compoundNames)
{
    const auto parameters = Contributions::ContributionParameters::read(db);
    // No DISTINCT: two receipts alike in every field are two payments.
    QSqlQuery query = Sql::exec(
        db,
        QStringLiteral(
            "SELECT E.Cod_enorias, E.Nume_prenume, E.Strada, E.Nr, E.Tip_contributie, E.Restanta, "
            "V.Nr_act, V.Data, V.Explicatie, V.Valoarea "
            "FROM Enoriasi E LEFT OUTER JOIN Venituri V "
            "ON (V.Cod_enorias = E.Cod_enorias) AND (V.Cod_venit = :CodVen) "
            "WHERE E.Cod_enorias = :Cod "
            "ORDER BY V.Data, V.Nr_act, V.Valoarea, E.Nume_prenume COLLATE RO, E.Strada COLLATE RO, "
            "E.Nr COLLATE RO, V.Explicatie"),
        {{QStringLiteral(":CodVen"), parameters.incomeCode}, {QStringLiteral(":Cod"), parishionerCode}});

    ReportTable table;
    table.fields = {QStringLiteral("Nr_act"),   QStringLiteral("Data"),     QStringLiteral("Explicatie"),
                    QStringLiteral("Cuvenita"), QStringLiteral("Incasata"), QStringLiteral("Restanta")};
    QString name, street, number, type;
    double remainder = 0;
    while (query.next()) {
        if (table.rows.isEmpty()) {
            name = shownName(query.value(1).toString(), query.value(0).toString(), compoundNames);
            street = query.value(2).toString();
            number = query.value(3).toString();
            type = query.value(4).toString();
            remainder = Contributions::dueAmount(optionalAmount(query.value(5)), type, parameters.wholeValue);
        }
        const double due = remainder;
        const std::optional<double> paid = optionalAmount(query.value(9));
        remainder = due - paid.value_or(0.0);
        const QVariant date = query.value(7).isNull()
                                  ? QVariant()
                                  : QVariant(QDate::fromString(query.value(7).toString(), Qt::ISODate));
        table.rows.append({amountText(optionalAmount(query.value(6))), date, query.value(8).toString(),
                           amountText(due), amountText(paid), amountText(remainder)});
    }

    const QString town = Sql::scalar(db, QStringLiteral("SELECT Localitatea FROM Parohia")).toString();
    const QString parish = Sql::scalar(db, QStringLiteral("SELECT Parohia FROM Parohia")).toString();
    const QList<TitleLine> title{
        {QStringLiteral("Parohia : ") + parish},
        {QStringLiteral("Fisa nominala privind contributia"), TitleLine::Style::Heading},
        {QStringLiteral("Numele :"), TitleLine::Style::Labelled, name},
        {QStringLiteral("Localitatea :"), TitleLine::Style::Labelled, town},
        {QStringLiteral("Strada:"), TitleLine::Style::Labelled, street},
        {QStringLiteral("Numarul :"), TitleLine::Style::Labelled, number},
        {QStringLiteral("Tipul contributiei :"), TitleLine::Style::Labelled, type}};
    return ContributionListLayout::build(QStringLiteral("Raport nominal privind contributia"), title,
                                         sheetColumns(), std::move(table));
}

CsvTable csv(const Report& report)
{
    CsvTable table;
    table.header = csvHeader(sheetColumns());
    const ReportTable& rows = *report.definition.data;
    for (const QVariantList& row : rows.rows) {
        QStringList line;
        for (const QVariant& value : row)
            line << (value.typeId() == QMetaType::QDate ? DateFormat::toShortText(value.toDate())
                                                        : value.toString());
        table.rows.append(line);
    }
    return table;
}

} // namespace ContributionSheet
