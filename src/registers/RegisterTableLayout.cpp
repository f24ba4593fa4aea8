#include "registers/RegisterTableLayout.h"

#include "db/DateFormat.h"
#include "db/FieldFormat.h"
#include "db/Sql.h"
#include "printing/RuledColumns.h"

#include <QHash>
#include <algorithm>
#include <vector>

namespace
{

using Layout = RegisterTableLayout;
using Column = RegisterTableLayout::Column;
using Content = RegisterTableLayout::Content;
using RuledColumns::amountFormat;
using RuledColumns::ruledLine;
using RuledColumns::sized;
using RuledColumns::text;

const QString dateField = QStringLiteral("Data");

bool isAmount(Content content)
{
    return content == Content::Summed || content == Content::Carried;
}

bool printedInPeriod(const QVariant& date, const QDate& from)
{
    return date.toDate() >= from;
}

// The running amounts' texts of the last printed row, which the sums lines repeat.
struct LastPrinted {
    QHash<QString, QString> carried;
};

// The register tables keep their texts a little closer to the rules than the books.
constexpr double padding = 0.6;

QList<double> columnEdges(const Layout& layout, double width)
{
    QList<double> widths;
    for (const Column& c : layout.columns)
        widths << c.width;
    return RuledColumns::edges(widths, width);
}

QRectF cell(const QList<double>& edges, int first, int last, double top, double height)
{
    return RuledColumns::cell(edges, first, last, top, height, padding);
}

// The carried-forward line "Report :" or the footer's "De reportat :" /
// "Total general :": the sums of every row so far, the rows before the period
// included, with two decimals and thousands grouped as the rows print their
// amounts, and the running amounts of the last printed row as it printed them.
ReportBand sumsLine(const Layout& layout, const QList<double>& edges,
                    const std::shared_ptr<LastPrinted>& last, bool carriedForward)
{
    constexpr double height = 5;
    ReportBand band = ruledLine(edges, height);
    // The label spans its columns: no rule between them.
    band.rules.erase(band.rules.begin() + layout.labelFirstColumn,
                     band.rules.begin() + layout.labelLastColumn);
    ReportElement label = ReportElement::label(
        cell(edges, layout.labelFirstColumn, layout.labelLastColumn, 0, height),
        carriedForward ? QStringLiteral("Report :") : QString(), Qt::AlignRight | Qt::AlignVCenter);
    if (!carriedForward)
        label.onPrint = [](const ReportContext& ctx, const QString&) {
            return ctx.isLastPage() ? QStringLiteral("Total general :") : QStringLiteral("De reportat :");
        };
    band.add(label);
    for (int i = layout.labelLastColumn + 1; i < layout.columns.size(); ++i) {
        const Column& c = layout.columns[i];
        ReportElement value =
            ReportElement::label(cell(edges, i, i, 0, height), {}, Qt::AlignRight | Qt::AlignVCenter);
        if (c.content == Content::Summed)
            value.onPrint = [field = c.field](const ReportContext& ctx, const QString&) {
                return FieldFormat::formatNumber(ctx.sum(field), amountFormat);
            };
        else
            value.onPrint = [field = c.field, last](const ReportContext&, const QString&) {
                return last->carried.value(field);
            };
        band.add(value);
    }
    return band;
}

// The title, today's date, the period and the numbered one- or two-level column headings.
ReportBand headings(const Layout& layout, const QList<double>& edges, const QFont& font,
                    const QString& period)
{
    ReportBand band;
    const double width = edges.last();
    const double titleWidth = layout.titleClearOfDate ? width - 30 : width;
    band.add(
        text({0, 0, titleWidth, 7}, layout.heading, Qt::AlignCenter, sized(font, layout.titlePoints, true)));
    band.add(RuledColumns::today({width - 28, 0, 28, 7}));
    band.add(text({0, 7, width, 6}, period, Qt::AlignCenter, sized(font, layout.periodPoints, true)));

    QList<RuledColumns::HeadingColumn> columns;
    for (const Column& c : layout.columns)
        columns.append({c.group, c.heading});
    const RuledColumns::HeadingRows rows{
        .top = layout.headingTop, .upper = 5, .lower = layout.lowerHeading, .numbers = 4, .padding = padding};
    RuledColumns::addHeadings(band, edges, columns, rows, sized(font, 7));
    band.height = rows.top + rows.upper + rows.lower + rows.numbers;
    return band;
}

ReportBand detail(const Layout& layout, const QList<double>& edges, const QDate& from,
                  const std::shared_ptr<LastPrinted>& last)
{
    constexpr double height = 4.5;
    ReportBand band = ruledLine(edges, height);
    // Rows before the period are not printed, yet count in every sum.
    band.beforePrint = [from](const ReportContext& ctx) {
        return printedInPeriod(ctx.value(dateField), from);
    };
    for (int i = 0; i < layout.columns.size(); ++i) {
        const Column& c = layout.columns[i];
        const bool amount = isAmount(c.content);
        const bool right = amount || c.content == Content::Number;
        ReportElement e =
            ReportElement::data(cell(edges, i, i, 0, height), c.field, amount ? amountFormat : QString(),
                                right ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
        e.wrap = c.wrap;
        if (c.content == Content::Carried)
            e.onPrint = [field = c.field, last](const ReportContext&, const QString& printed) {
                last->carried.insert(field, printed);
                return printed;
            };
        band.add(e);
    }
    return band;
}

void placeBands(const Layout& layout, ReportDefinition& def, const QDate& from, const QString& period,
                const std::shared_ptr<LastPrinted>& last)
{
    last->carried.clear();
    const QList<double> edges = columnEdges(layout, def.contentWidth());

    // The carried-forward line shows from the second page on.
    def.pageHeader = sumsLine(layout, edges, last, true);
    def.pageHeader.beforePrint = [](const ReportContext& ctx) { return ctx.pageNumber() > 1; };
    (layout.headingOnEveryPage ? def.columnHeader : def.title) = headings(layout, edges, def.font, period);
    def.detail = detail(layout, edges, from, last);

    def.summary = ReportBand();
    def.summary.height = 5;
    def.summary.add(RuledColumns::programLine({0, 0.5, edges.last(), 4.5}, def.font));

    def.pageFooter = sumsLine(layout, edges, last, false);
    auto pageLine = std::make_shared<ReportBand>();
    pageLine->height = 5;
    pageLine->add(ReportElement::pageNumber({0, 0.5, edges.last(), 4.5}, layout.pagePrefix));
    def.pageFooter.child = pageLine;
}

// A date column is one column "Data"; a two-level heading joins its levels.
QString csvCaption(const Column& c)
{
    if (c.content == Content::Date)
        return dateField;
    return c.group.isEmpty() ? c.heading : c.group + QStringLiteral(" / ") + c.heading;
}

QString csvText(const Column& c, const QVariant& value)
{
    switch (c.content) {
    case Content::Date:
        return DateFormat::toShortText(value.toDate());
    case Content::Text:
        return value.toString();
    case Content::Number:
        return value.isNull() ? QString() : CsvTable::number(value.toDouble(), -1);
    case Content::Summed:
    case Content::Carried:
        return value.isNull() ? QString() : CsvTable::number(value.toDouble());
    }
    return {};
}

} // namespace

namespace RegisterTable
{

std::unique_ptr<Report> build(const RegisterTableLayout& layout, const QSqlDatabase& db, const QDate& from,
                              const QDate& to)
{
    Sql::exec(db, QStringLiteral("DELETE FROM %1 WHERE Data > :Stop").arg(layout.table),
              {{QStringLiteral(":Stop"), to.toString(Qt::ISODate)}});
    QStringList fields;
    for (const Column& c : layout.columns)
        fields << c.field;
    QSqlQuery query = Sql::exec(db, QStringLiteral("SELECT %1 FROM %2 ORDER BY Data, Id")
                                        .arg(fields.join(QStringLiteral(", ")), layout.table));
    ReportTable table = ReportTable::fromQuery(query, {dateField});
    const int dateColumn = table.fieldIndex(dateField);
    const bool anyInPeriod =
        std::any_of(table.rows.cbegin(), table.rows.cend(),
                    [&](const QVariantList& row) { return printedInPeriod(row[dateColumn], from); });
    if (!anyInPeriod)
        table.rows.clear(); // nothing of the period: no pages

    auto report = std::make_unique<Report>();
    ReportDefinition& def = report->definition;
    def.name = layout.name;
    def.orientation = layout.orientation;
    def.font = QFont(QStringLiteral("Arial"), 8);
    def.data = report->keep(std::move(table));
    const QString period = RuledColumns::periodText(from, to);
    def.onStart = [kept = std::make_shared<const Layout>(layout), from, period,
                   last = std::make_shared<LastPrinted>()](ReportDefinition& d) {
        placeBands(*kept, d, from, period, last);
    };
    return report;
}

CsvTable csv(const RegisterTableLayout& layout, const Report& report, const QDate& from)
{
    CsvTable out;
    for (const Column& c : layout.columns)
        out.header << csvCaption(c);
    const ReportTable& table = report.tables.front();
    std::vector<double> sums(std::size_t(layout.columns.size()), 0.0);
    QStringList lastPrinted;
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList line;
        for (int i = 0; i < layout.columns.size(); ++i) {
            const Column& c = layout.columns[i];
            const QVariant value = table.value(row, c.field);
            if (c.content == Content::Summed)
                sums[std::size_t(i)] += value.toDouble();
            line << csvText(c, value);
        }
        // Rows before the period count in the sums only.
        if (!printedInPeriod(table.value(row, dateField), from))
            continue;
        lastPrinted = line;
        out.rows << line;
    }
    if (out.rows.isEmpty())
        return out;
    QStringList total;
    for (int i = 0; i < layout.columns.size(); ++i) {
        const Content content = layout.columns[i].content;
        if (i == layout.labelFirstColumn)
            total << QStringLiteral("Total general :");
        else if (content == Content::Summed)
            total << CsvTable::number(sums[std::size_t(i)]);
        else if (content == Content::Carried)
            total << lastPrinted[i];
        else
            total << QString();
    }
    out.rows << total;
    return out;
}

} // namespace RegisterTable
