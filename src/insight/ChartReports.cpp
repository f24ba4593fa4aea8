#include "insight/ChartReports.h"

#include "db/Connection.h"

#include <QChart>
#include <memory>

namespace
{

struct ChartReport {
    ChartPictures::Kind kind;
    const char* name;
    const char* caption;
};

const QList<ChartReport>& chartReports()
{
    static const QList<ChartReport> list = {
        {ChartPictures::Kind::Monthly, "grafic-lunar", "Grafic: incasari si plati pe luni"},
        {ChartPictures::Kind::Incomes, "grafic-venituri", "Grafic: venituri pe tipuri"},
        {ChartPictures::Kind::Expenses, "grafic-cheltuieli", "Grafic: cheltuieli pe tipuri"},
        {ChartPictures::Kind::Contributions, "grafic-contributii",
         "Grafic: contributia cuvenita si incasata"},
    };
    return list;
}

CsvTable typeFigures(const QList<ChartData::TypeTotal>& types)
{
    CsvTable csv;
    csv.header = {QStringLiteral("Cod"), QStringLiteral("Denumire"), QStringLiteral("Suma")};
    for (const ChartData::TypeTotal& t : types)
        csv.rows.append({t.code ? QString::number(*t.code) : QString(), t.name, CsvTable::number(t.amount)});
    return csv;
}

// The page: the title over the whole width, the chart filling the rest.
void placeChart(ReportDefinition& definition, const QString& title, std::shared_ptr<const QPicture> drawing)
{
    const double width = definition.contentWidth();
    const double height =
        definition.paperSize().height() - definition.margins.top() - definition.margins.bottom() - 2;
    QFont font = definition.font;
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    ReportBand& band = definition.title;
    band.elements.clear();
    band.add(ReportElement::label(QRectF(0, 0, width, 9), title, Qt::AlignHCenter | Qt::AlignVCenter)
                 .withFont(font));
    ReportElement chart;
    chart.kind = ReportElement::Kind::Picture;
    // The drawing keeps its proportions, centred under the title.
    const QSizeF drawn = ChartPictures::drawingSize;
    const double scale = std::min(width / drawn.width(), (height - 11) / drawn.height());
    const QSizeF size(drawn.width() * scale, drawn.height() * scale);
    chart.rect = QRectF((width - size.width()) / 2, 11, size.width(), size.height());
    chart.picture = std::move(drawing);
    band.add(chart);
    band.height = 11 + size.height();
}

} // namespace

CsvTable chartFigures(ChartPictures::Kind kind, const QSqlDatabase& db, const QDate& from, const QDate& to)
{
    using ChartPictures::Kind;
    CsvTable csv;
    switch (kind) {
    case Kind::Monthly:
        csv.header = {QStringLiteral("Luna"), QStringLiteral("Incasari"), QStringLiteral("Plati")};
        for (const ChartData::MonthFlow& f : ChartData::monthlyFlows(db, from, to))
            csv.rows.append(
                {ChartData::monthText(f.month), CsvTable::number(f.incomes), CsvTable::number(f.payments)});
        break;
    case Kind::Incomes:
        csv = typeFigures(ChartData::incomeTypes(db, from, to));
        break;
    case Kind::Expenses:
        csv = typeFigures(ChartData::expenseTypes(db, from, to));
        break;
    case Kind::Contributions:
        csv.header = {QStringLiteral("Luna"), QStringLiteral("Cuvenita"), QStringLiteral("Incasata")};
        for (const ChartData::MonthContribution& m : ChartData::contributionByMonth(db, from, to))
            csv.rows.append(
                {ChartData::monthText(m.month), CsvTable::number(m.due), CsvTable::number(m.collected)});
        break;
    }
    return csv;
}

std::unique_ptr<Report> buildChartReport(ChartPictures::Kind kind, const QDate& from, const QDate& to)
{
    const QSqlDatabase db = Connection::database();
    auto report = std::make_unique<Report>();
    // The figures, for the CSV, first; the report prints no rows of its own.
    const CsvTable figures = chartFigures(kind, db, from, to);
    ReportTable table;
    table.fields = figures.header;
    for (const QStringList& row : figures.rows) {
        QVariantList values;
        for (const QString& v : row)
            values << v;
        table.rows << values;
    }
    report->keep(std::move(table));
    ReportDefinition& definition = report->definition;
    definition.data = report->keep(ReportTable{});
    definition.printIfEmpty = true;
    definition.orientation = QPageLayout::Landscape;
    const QString title = ChartPictures::title(kind, from, to);
    definition.name = title;
    std::unique_ptr<QChart> chart(ChartPictures::chartOf(kind, db, from, to));
    chart->setTitle(QString()); // the page's title stands above it
    std::shared_ptr<const QPicture> drawing = ChartPictures::picture(chart.get());
    definition.onStart = [title, drawing](ReportDefinition& d) { placeChart(d, title, drawing); };
    return report;
}

void registerChartReports(ReportCatalog& catalog)
{
    for (const ChartReport& r : chartReports()) {
        ReportEntry entry;
        entry.name = QString::fromLatin1(r.name);
        entry.caption = QString::fromLatin1(r.caption);
        entry.asksPeriod = true;
        entry.defaults = {10, QPageLayout::Landscape};
        entry.build = [kind = r.kind](const ReportAnswers& answers) {
            return buildChartReport(kind, answers.from, answers.to);
        };
        entry.csv = [](const Report& report, const ReportAnswers&) {
            const ReportTable& figures = report.tables.front();
            CsvTable csv;
            csv.header = figures.fields;
            for (const QVariantList& row : figures.rows) {
                QStringList texts;
                for (const QVariant& v : row)
                    texts << v.toString();
                csv.rows << texts;
            }
            return csv;
        };
        catalog.add(std::move(entry));
    }
}
