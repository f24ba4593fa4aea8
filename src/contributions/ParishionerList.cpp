#include "contributions/ParishionerList.h"

#include "contributions/ContributionListLayout.h"
#include "db/Sql.h"

#include <QSqlQuery>

using namespace ContributionListLayout;

namespace ParishionerList
{
namespace
{

QList<Column> listColumns()
{
    return {
        {{}, QStringLiteral("Nr. crt."), QStringLiteral("NrCrt"), 14, Qt::AlignRight | Qt::AlignVCenter},
        {{}, QStringLiteral("Nume si prenumele"), QStringLiteral("Nume"), 86},
        {{}, QStringLiteral("Strada"), QStringLiteral("Strada"), 70},
        {{}, QStringLiteral("Nr."), QStringLiteral("Nr"), 20, Qt::AlignCenter},
    };
}

} // namespace

std::unique_ptr<Report> build(const QSqlDatabase& db, bool compoundNames)
{
    QSqlQuery query =
        Sql::exec(db, QStringLiteral("SELECT Cod_enorias, Nume_prenume, Strada, Nr FROM Enoriasi "
                                     "ORDER BY Cod_enorias, Nume_prenume COLLATE RO, Strada COLLATE RO, "
                                     "Nr COLLATE RO"));
    ReportTable table;
    table.fields = {QStringLiteral("NrCrt"), QStringLiteral("Nume"), QStringLiteral("Strada"),
                    QStringLiteral("Nr")};
    while (query.next())
        table.rows.append({QString::number(table.rows.size() + 1),
                           shownName(query.value(1).toString(), query.value(0).toString(), compoundNames),
                           query.value(2).toString(), query.value(3).toString()});
    QList<TitleLine> title = parishLines(db);
    title.append({QStringLiteral("Lista enoriasilor"), TitleLine::Style::Heading});
    return ContributionListLayout::build(QStringLiteral("Raport lista enoriasilor"), title, listColumns(),
                                         std::move(table));
}

CsvTable csv(const Report& report)
{
    CsvTable table;
    table.header = csvHeader(listColumns());
    for (const QVariantList& row : report.definition.data->rows) {
        QStringList line;
        for (const QVariant& value : row)
            line << value.toString();
        table.rows.append(line);
    }
    return table;
}

} // namespace ParishionerList
