#include "registers/RepPangarUnt.h"

#include "db/DateFormat.h"
#include "db/FieldFormat.h"
#include "db/Sql.h"

#include <QHash>
#include <algorithm>
#include <array>

namespace
{

const QString amountFormat = QStringLiteral("#,##0.00");

// Movements (candles and values in and out) are summed in the sums lines; the
// running stock and value repeat there the text of the last printed row.
enum class Content { Date, Text, Number, Movement, Running };

struct Column {
    QString group; // the upper heading shared by several columns; empty for a one-level heading
    QString heading;
    QString field;
    Content content;
    double width; // mm on a page of 200 mm, scaled to the page in use
};

constexpr std::size_t columnCount = 9;

const std::array<Column, columnCount>& columns()
{
    static const QString doc = QStringLiteral("Documentul");
    static const QString quantity = QStringLiteral("Cantitatea");
    static const QString value = QStringLiteral("Valoarea");
    static const std::array<Column, columnCount> all{{
        {{}, QStringLiteral("Data operatiunii"), QStringLiteral("Data"), Content::Date, 20},
        {doc, QStringLiteral("Felul"), QStringLiteral("Fel"), Content::Text, 18},
        {doc, QStringLiteral("Numarul"), QStringLiteral("Nr_doc"), Content::Number, 16},
        {quantity, QStringLiteral("Intrata"), QStringLiteral("CantitateIn"), Content::Movement, 24},
        {quantity, QStringLiteral("Iesita"), QStringLiteral("CantitateOut"), Content::Movement, 24},
        {quantity, QStringLiteral("Stoc"), QStringLiteral("Stoc"), Content::Running, 24},
        {value, QStringLiteral("Intrata"), QStringLiteral("ValoareIn"), Content::Movement, 24},
        {value, QStringLiteral("Iesita"), QStringLiteral("ValoareOut"), Content::Movement, 24},
        {value, QStringLiteral("Sold"), QStringLiteral("Sold"), Content::Running, 26},
    }};
    return all;
}

// "Report :", "De reportat :" and "Total general :" stand under the date and the document.
constexpr int labelLastColumn = 2;

const Column& columnAt(int i)
{
    return columns()[std::size_t(i)];
}

// A date is one column "Data" in the CSV; a two-level heading joins its levels.
QString csvCaption(const Column& c)
{
    if (c.content == Content::Date)
        return QStringLiteral("Data");
    return c.group.isEmpty() ? c.heading : c.group + QStringLiteral(" / ") + c.heading;
}

bool printedInPeriod(const QVariant& date, const QDate& from)
{
    return date.toDate() >= from;
}

// The stock and value texts of the last printed row, which the sums lines repeat.
struct LastPrinted {
    QHash<QString, QString> running;
};

// Column edges (mm from the left margin), scaled to the width of the page in use.
QList<double> columnEdges(double width)
{
    double designed = 0;
    for (const Column& c : columns())
        designed += c.width;
    QList<double> edges{0};
    for (const Column& c : columns())
        edges << edges.last() + c.width * width / designed;
    return edges;
}

QRectF cell(const QList<double>& edges, int first, int last, double top, double height)
{
    constexpr double pad = 0.6;
    return QRectF(edges[first] + pad, top, edges[last + 1] - edges[first] - 2 * pad, height);
}

QFont sized(const QFont& base, int points, bool bold = false)
{
    QFont f = base;
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

ReportBand ruledLine(const QList<double>& edges, double height)
{
    ReportBand band;
    band.height = height;
    band.ruled = true;
    band.ruleWidth = edges.last();
    band.rules = edges.mid(1, edges.size() - 2);
    return band;
}

// The carried-forward line "Report :" or the footer's "De reportat :" /
// "Total general :": the sums of every row so far, the rows before the
// period included, in the general number format, and the stock and value of
// the last printed row as it printed them.
ReportBand sumsLine(const QList<double>& edges, const std::shared_ptr<LastPrinted>& last, bool carriedForward)
{
    constexpr double height = 5;
    ReportBand band = ruledLine(edges, height);
    band.rules.erase(band.rules.begin(), band.rules.begin() + labelLastColumn); // the label spans its columns
    ReportElement label = ReportElement::label(cell(edges, 0, labelLastColumn, 0, height),
                                               carriedForward ? QStringLiteral("Report :") : QString(),
                                               Qt::AlignRight | Qt::AlignVCenter);
    if (!carriedForward)
        label.onPrint = [](const ReportContext& ctx, const QString&) {
            return ctx.isLastPage() ? QStringLiteral("Total general :") : QStringLiteral("De reportat :");
        };
    band.add(label);
    for (int i = labelLastColumn + 1; i < int(columnCount); ++i) {
        const Column& c = columnAt(i);
        ReportElement value =
            ReportElement::label(cell(edges, i, i, 0, height), {}, Qt::AlignRight | Qt::AlignVCenter);
        if (c.content == Content::Movement)
            value.onPrint = [field = c.field](const ReportContext& ctx, const QString&) {
                return FieldFormat::formatNumber(ctx.sum(field), {});
            };
        else
            value.onPrint = [field = c.field, last](const ReportContext&, const QString&) {
                return last->running.value(field);
            };
        band.add(value);
    }
    return band;
}

// The title, today's date, the period and the numbered two-level column headings.
ReportBand title(const QList<double>& edges, const QFont& font, const QString& period)
{
    ReportBand band;
    const double width = edges.last();
    band.add(ReportElement::label({0, 0, width, 7}, TRepPangarFrm::heading, Qt::AlignCenter)
                 .withFont(sized(font, 12, true)));
    ReportElement today;
    today.kind = ReportElement::Kind::Date;
    today.rect = QRectF(width - 28, 0, 28, 7);
    today.alignment = Qt::AlignRight | Qt::AlignVCenter;
    band.add(today);
    band.add(ReportElement::label({0, 7, width, 6}, period, Qt::AlignCenter).withFont(sized(font, 11, true)));

    constexpr double top = 15, upper = 5, lower = 5, numbers = 4;
    const auto box = [&](int first, int last, double y, double h) {
        ReportElement b;
        b.kind = ReportElement::Kind::Box;
        b.rect = QRectF(edges[first], y, edges[last + 1] - edges[first], h);
        band.add(b);
    };
    const auto caption = [&](int first, int last, double y, double h, const QString& text) {
        ReportElement e = ReportElement::label(cell(edges, first, last, y, h), text, Qt::AlignCenter);
        e.wrap = true;
        band.add(e);
    };
    for (int i = 0; i < int(columnCount);) {
        const Column& c = columnAt(i);
        int last = i;
        while (!c.group.isEmpty() && last + 1 < int(columnCount) && columnAt(last + 1).group == c.group)
            ++last;
        if (c.group.isEmpty()) {
            box(i, i, top, upper + lower);
            caption(i, i, top, upper + lower, c.heading);
        } else {
            box(i, last, top, upper);
            caption(i, last, top, upper, c.group);
            for (int j = i; j <= last; ++j) {
                box(j, j, top + upper, lower);
                caption(j, j, top + upper, lower, columnAt(j).heading);
            }
        }
        i = last + 1;
    }
    for (int i = 0; i < int(columnCount); ++i) {
        box(i, i, top + upper + lower, numbers);
        band.add(ReportElement::label(cell(edges, i, i, top + upper + lower, numbers), QString::number(i + 1),
                                      Qt::AlignCenter)
                     .withFont(sized(font, 7)));
    }
    band.height = top + upper + lower + numbers;
    return band;
}

ReportBand detail(const QList<double>& edges, const QDate& from, const std::shared_ptr<LastPrinted>& last)
{
    constexpr double height = 4.5;
    ReportBand band = ruledLine(edges, height);
    // Rows before the period are not printed, yet count in every sum.
    band.beforePrint = [from](const ReportContext& ctx) {
        return printedInPeriod(ctx.value(QStringLiteral("Data")), from);
    };
    for (int i = 0; i < int(columnCount); ++i) {
        const Column& c = columnAt(i);
        const bool amount = c.content == Content::Movement || c.content == Content::Running;
        const bool right = amount || c.content == Content::Number;
        ReportElement e =
            ReportElement::data(cell(edges, i, i, 0, height), c.field, amount ? amountFormat : QString(),
                                right ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
        if (c.content == Content::Running)
            e.onPrint = [field = c.field, last](const ReportContext&, const QString& printed) {
                last->running.insert(field, printed);
                return printed;
            };
        band.add(e);
    }
    return band;
}

void placeBands(ReportDefinition& def, const QDate& from, const QString& period,
                const std::shared_ptr<LastPrinted>& last)
{
    last->running.clear();
    const QList<double> edges = columnEdges(def.contentWidth());

    // The carried-forward line shows from the second page on.
    def.pageHeader = sumsLine(edges, last, true);
    def.pageHeader.beforePrint = [](const ReportContext& ctx) { return ctx.pageNumber() > 1; };
    def.title = title(edges, def.font, period);
    def.detail = detail(edges, from, last);

    def.summary = ReportBand();
    def.summary.height = 5;
    def.summary.add(
        ReportElement::label({0, 0.5, edges.last(), 4.5}, QStringLiteral("Lumivaret, produs Morvalen"))
            .withFont(sized(def.font, 7)));

    def.pageFooter = sumsLine(edges, last, false);
    auto pageLine = std::make_shared<ReportBand>();
    pageLine->height = 5;
    pageLine->add(ReportElement::pageNumber({0, 0.5, edges.last(), 4.5}, QStringLiteral("Pag.")));
    def.pageFooter.child = pageLine;
}

} // namespace

namespace TRepPangarFrm
{

std::unique_ptr<Report> build(const QSqlDatabase& db, const QDate& from, const QDate& to)
{
    Sql::exec(db, QStringLiteral("DELETE FROM Pangar WHERE Data > :Stop"),
              {{QStringLiteral(":Stop"), to.toString(Qt::ISODate)}});
    QSqlQuery query =
        Sql::exec(db, QStringLiteral("SELECT Data, Fel, Nr_doc, CantitateIn, CantitateOut, Stoc, "
                                     "ValoareIn, ValoareOut, Sold FROM Pangar ORDER BY Data, Id"));
    ReportTable table = ReportTable::fromQuery(query, {QStringLiteral("Data")});
    const int dateColumn = table.fieldIndex(QStringLiteral("Data"));
    const bool anyInPeriod =
        std::any_of(table.rows.cbegin(), table.rows.cend(),
                    [&](const QVariantList& row) { return printedInPeriod(row[dateColumn], from); });
    if (!anyInPeriod)
        table.rows.clear(); // nothing of the period: no pages

    auto report = std::make_unique<Report>();
    ReportDefinition& def = report->definition;
    def.name = caption;
    def.orientation = QPageLayout::Portrait;
    def.font = QFont(QStringLiteral("Arial"), 8);
    def.data = report->keep(std::move(table));
    const QString period = QStringLiteral("de la data de ") + DateFormat::toShortText(from) +
                           QStringLiteral(" pana la data de ") + DateFormat::toShortText(to);
    def.onStart = [from, period, last = std::make_shared<LastPrinted>()](ReportDefinition& d) {
        placeBands(d, from, period, last);
    };
    return report;
}

CsvTable csv(const Report& report, const QDate& from)
{
    CsvTable out;
    for (const Column& c : columns())
        out.header << csvCaption(c);
    const ReportTable& table = report.tables.front();
    std::array<double, columnCount> sums{};
    QStringList lastPrinted;
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList line;
        for (std::size_t i = 0; i < columnCount; ++i) {
            const Column& c = columns()[i];
            const QVariant value = table.value(row, c.field);
            switch (c.content) {
            case Content::Date:
                line << DateFormat::toShortText(value.toDate());
                break;
            case Content::Text:
                line << value.toString();
                break;
            case Content::Number:
                line << (value.isNull() ? QString() : CsvTable::number(value.toDouble(), -1));
                break;
            case Content::Movement:
                sums[i] += value.toDouble();
                [[fallthrough]];
            case Content::Running:
                line << (value.isNull() ? QString() : CsvTable::number(value.toDouble()));
                break;
            }
        }
        if (!printedInPeriod(table.value(row, QStringLiteral("Data")), from))
            continue;
        lastPrinted = line;
        out.rows << line;
    }
    if (out.rows.isEmpty())
        return out;
    QStringList total{QStringLiteral("Total general :")};
    for (std::size_t i = 1; i < columnCount; ++i) {
        const Column& c = columns()[i];
        if (c.content == Content::Movement)
            total << CsvTable::number(sums[i]);
        else if (c.content == Content::Running)
            total << lastPrinted[int(i)];
        else
            total << QString();
    }
    out.rows << total;
    return out;
}

} // namespace TRepPangarFrm
