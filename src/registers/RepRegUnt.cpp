#include "registers/RepRegUnt.h"

#include "db/DateFormat.h"
#include "db/FieldFormat.h"
#include "db/Sql.h"

#include <algorithm>
#include <array>

namespace
{

const QString amountFormat = QStringLiteral("#,##0.00");

enum class Content { Date, Text, Number, Amount, Balance };

struct Column {
    QString group; // the upper heading shared by several columns; empty for a one-level heading
    QString heading;
    QString field;
    Content content;
    double width; // mm on a page of 287 mm, scaled to the page in use
};

const std::array<Column, 15>& columns()
{
    static const QString casa = QStringLiteral("Operatiuni prin casa");
    static const QString cont = QStringLiteral("Operatiuni prin cont");
    static const QString doc = QStringLiteral("Documentul");
    static const std::array<Column, 15> all{{
        {{}, QStringLiteral("Data"), QStringLiteral("Data"), Content::Date, 16},
        {doc, QStringLiteral("Felul"), QStringLiteral("Fel"), Content::Text, 11},
        {doc, QStringLiteral("Nr."), QStringLiteral("Nr_doc"), Content::Number, 12},
        {{}, QStringLiteral("Explicatii"), QStringLiteral("Explicatii"), Content::Text, 46},
        {casa, QStringLiteral("Incasari"), QStringLiteral("IncasariC"), Content::Amount, 18.4},
        {casa, QStringLiteral("Ridicari din cont"), QStringLiteral("RidicariC"), Content::Amount, 18.4},
        {casa, QStringLiteral("Plati"), QStringLiteral("PlatiC"), Content::Amount, 18.4},
        {casa, QStringLiteral("Depuneri in cont"), QStringLiteral("DepuneriC"), Content::Amount, 18.4},
        {casa, QStringLiteral("Sold"), QStringLiteral("SoldC"), Content::Balance, 18.4},
        {cont, QStringLiteral("Incasari"), QStringLiteral("IncasariB"), Content::Amount, 18.4},
        {cont, QStringLiteral("Depuneri in cont"), QStringLiteral("DepuneriB"), Content::Amount, 18.4},
        {cont, QStringLiteral("Plati"), QStringLiteral("PlatiB"), Content::Amount, 18.4},
        {cont, QStringLiteral("Ridicari din cont"), QStringLiteral("RidicariB"), Content::Amount, 18.4},
        {cont, QStringLiteral("Sold"), QStringLiteral("SoldB"), Content::Balance, 18.4},
        {{}, QStringLiteral("Sold total (9+14)"), QStringLiteral("SoldT"), Content::Balance, 18.4},
    }};
    return all;
}

constexpr int labelColumn = 3; // "Report :", "De reportat :" and "Total general :" stand under Explicatii

QString csvCaption(const Column& c)
{
    return c.group.isEmpty() ? c.heading : c.group + QStringLiteral(" / ") + c.heading;
}

// The balances of the last printed row: the carried-forward and totals lines repeat its texts.
struct LastPrinted {
    QHash<QString, QString> balances;
};

bool printedInPeriod(const QVariant& date, const QDate& from)
{
    return date.toDate() >= from;
}

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

ReportElement text(const QRectF& rect, const QString& text, int alignment, const QFont& font)
{
    ReportElement e = ReportElement::label(rect, text, alignment);
    e.font = font;
    return e;
}

QFont sized(const QFont& base, int points, bool bold = false)
{
    QFont f = base;
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

// "Report :" (carried from the page before) or "De reportat :" / "Total
// general :": the sums of every row so far, the rows before the period
// included, and the balances of the last printed row.
ReportBand sumsLine(const QList<double>& edges, const std::shared_ptr<LastPrinted>& last, bool carriedForward)
{
    constexpr double height = 5;
    ReportBand band;
    band.height = height;
    band.ruled = true;
    band.ruleWidth = edges.last();
    band.rules = edges.mid(1, edges.size() - 2);
    ReportElement label = ReportElement::label(cell(edges, labelColumn, labelColumn, 0, height),
                                               carriedForward ? QStringLiteral("Report :") : QString(),
                                               Qt::AlignRight | Qt::AlignVCenter);
    if (!carriedForward)
        label.onPrint = [](const ReportContext& ctx, const QString&) {
            return ctx.isLastPage() ? QStringLiteral("Total general :") : QStringLiteral("De reportat :");
        };
    band.add(label);
    for (int i = labelColumn + 1; i < int(columns().size()); ++i) {
        const Column& c = columns()[std::size_t(i)];
        ReportElement value =
            ReportElement::label(cell(edges, i, i, 0, height), {}, Qt::AlignRight | Qt::AlignVCenter);
        if (c.content == Content::Amount)
            value.onPrint = [field = c.field](const ReportContext& ctx, const QString&) {
                return FieldFormat::formatNumber(ctx.sum(field), {});
            };
        else
            value.onPrint = [field = c.field, last](const ReportContext&, const QString&) {
                return last->balances.value(field);
            };
        band.add(value);
    }
    return band;
}

// Title, period and the two-level numbered column headings, on every page.
ReportBand headings(const QList<double>& edges, const QFont& font, const QString& period)
{
    ReportBand band;
    const double width = edges.last();
    band.add(text({0, 0, width - 30, 7}, TRepRegFrm::heading, Qt::AlignCenter, sized(font, 12, true)));
    ReportElement today;
    today.kind = ReportElement::Kind::Date;
    today.rect = QRectF(width - 28, 0, 28, 7);
    today.alignment = Qt::AlignRight | Qt::AlignVCenter;
    band.add(today);
    band.add(text({0, 7, width, 6}, period, Qt::AlignCenter, sized(font, 11, true)));

    constexpr double top = 14, upper = 5, lower = 8, numbers = 4;
    const auto box = [&](double x0, double y, double x1, double h) {
        ReportElement b;
        b.kind = ReportElement::Kind::Box;
        b.rect = QRectF(x0, y, x1 - x0, h);
        band.add(b);
    };
    for (int i = 0; i < int(columns().size());) {
        const Column& c = columns()[std::size_t(i)];
        int last = i;
        while (!c.group.isEmpty() && last + 1 < int(columns().size()) &&
               columns()[std::size_t(last + 1)].group == c.group)
            ++last;
        if (c.group.isEmpty()) {
            box(edges[i], top, edges[i + 1], upper + lower);
            ReportElement h = text(cell(edges, i, i, top, upper + lower), c.heading, Qt::AlignCenter, font);
            h.wrap = true;
            band.add(h);
        } else {
            box(edges[i], top, edges[last + 1], upper);
            band.add(text(cell(edges, i, last, top, upper), c.group, Qt::AlignCenter, font));
            for (int j = i; j <= last; ++j) {
                box(edges[j], top + upper, edges[j + 1], lower);
                ReportElement h = text(cell(edges, j, j, top + upper, lower),
                                       columns()[std::size_t(j)].heading, Qt::AlignCenter, font);
                h.wrap = true;
                band.add(h);
            }
        }
        i = last + 1;
    }
    for (int i = 0; i < int(columns().size()); ++i) {
        box(edges[i], top + upper + lower, edges[i + 1], numbers);
        band.add(text(cell(edges, i, i, top + upper + lower, numbers), QString::number(i + 1),
                      Qt::AlignCenter, sized(font, 7)));
    }
    band.height = top + upper + lower + numbers;
    return band;
}

ReportBand detail(const QList<double>& edges, const QDate& from, const std::shared_ptr<LastPrinted>& last)
{
    constexpr double height = 4.5;
    ReportBand band;
    band.height = height;
    band.ruled = true;
    band.ruleWidth = edges.last();
    band.rules = edges.mid(1, edges.size() - 2);
    // Rows before the period are not printed, yet count in every sum.
    band.beforePrint = [from](const ReportContext& ctx) {
        return printedInPeriod(ctx.value(QStringLiteral("Data")), from);
    };
    for (int i = 0; i < int(columns().size()); ++i) {
        const Column& c = columns()[std::size_t(i)];
        const bool numeric = c.content == Content::Amount || c.content == Content::Balance;
        ReportElement e =
            ReportElement::data(cell(edges, i, i, 0, height), c.field, numeric ? amountFormat : QString(),
                                (numeric || c.content == Content::Number) ? Qt::AlignRight | Qt::AlignVCenter
                                                                          : Qt::AlignLeft | Qt::AlignVCenter);
        e.wrap = c.field == QLatin1String("Explicatii");
        if (c.content == Content::Balance)
            e.onPrint = [field = c.field, last](const ReportContext&, const QString& printed) {
                last->balances.insert(field, printed);
                return printed;
            };
        band.add(e);
    }
    return band;
}

void placeBands(ReportDefinition& def, const QDate& from, const QString& period,
                const std::shared_ptr<LastPrinted>& last)
{
    last->balances.clear();
    const QList<double> edges = columnEdges(def.contentWidth());

    // The carried-forward line shows from the second page on.
    def.pageHeader = sumsLine(edges, last, true);
    def.pageHeader.beforePrint = [](const ReportContext& ctx) { return ctx.pageNumber() > 1; };
    def.columnHeader = headings(edges, def.font, period);
    def.detail = detail(edges, from, last);

    def.summary = ReportBand();
    def.summary.height = 5;
    def.summary.add(text({0, 0.5, edges.last(), 4.5}, QStringLiteral("Lumivaret, produs Morvalen"),
                         Qt::AlignLeft | Qt::AlignVCenter, sized(def.font, 7)));

    def.pageFooter = sumsLine(edges, last, false);
    auto pageLine = std::make_shared<ReportBand>();
    pageLine->height = 5;
    pageLine->add(ReportElement::pageNumber({0, 0.5, edges.last(), 4.5}, QStringLiteral("Pagina  ")));
    def.pageFooter.child = pageLine;
}

} // namespace

namespace TRepRegFrm
{

std::unique_ptr<Report> build(const QSqlDatabase& db, const QDate& from, const QDate& to)
{
    Sql::exec(db, QStringLiteral("DELETE FROM Registru WHERE Data > :Stop"),
              {{QStringLiteral(":Stop"), to.toString(Qt::ISODate)}});
    QSqlQuery query = Sql::exec(
        db, QStringLiteral(
                "SELECT Data, Fel, Nr_doc, Explicatii, IncasariC, RidicariC, PlatiC, DepuneriC, SoldC, "
                "IncasariB, DepuneriB, PlatiB, RidicariB, SoldB, SoldT FROM Registru ORDER BY Data, Id"));
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
    def.orientation = QPageLayout::Landscape;
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
    std::vector<double> sums(columns().size(), 0.0);
    QStringList lastBalances;
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList line;
        for (std::size_t i = 0; i < columns().size(); ++i) {
            const Column& c = columns()[i];
            const QVariant value = table.value(row, c.field);
            if (c.content == Content::Amount)
                sums[i] += value.toDouble();
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
            case Content::Amount:
            case Content::Balance:
                line << (value.isNull() ? QString() : CsvTable::number(value.toDouble()));
                break;
            }
        }
        if (!printedInPeriod(table.value(row, QStringLiteral("Data")), from))
            continue;
        lastBalances = line;
        out.rows << line;
    }
    if (out.rows.isEmpty())
        return out;
    QStringList total;
    for (std::size_t i = 0; i < columns().size(); ++i) {
        const Column& c = columns()[i];
        if (int(i) == labelColumn)
            total << QStringLiteral("Total general :");
        else if (c.content == Content::Amount)
            total << CsvTable::number(sums[i]);
        else if (c.content == Content::Balance)
            total << lastBalances[int(i)];
        else
            total << QString();
    }
    out.rows << total;
    return out;
}

} // namespace TRepRegFrm
