#include "registers/RepBilantUnt.h"

#include "printing/RuledColumns.h"
#include "registers/BalanceSheetSections.h"

namespace
{

using namespace BalanceSheetReport;

using RuledColumns::amountFormat;

// What the layout remembers from row to row; reset at each layout.
struct RowState {
    bool amountCentred = false;
    std::optional<bool> separatePage; // the answer, once asked
};

// Column edges (mm) on the page's width: name, number, amount.
QList<double> columnEdges(double width)
{
    return {0, width * 0.62, width * 0.74, width};
}

ReportBand rows(const QList<double>& edges, const BalanceSheetSections& sections,
                const std::shared_ptr<RowState>& state, const std::function<bool()>& separateExpensesPage)
{
    constexpr double height = 5, pad = 1;
    ReportBand band;
    band.height = height;
    band.ruled = true;
    band.ruleWidth = edges.last();
    band.rules = {edges[1], edges[2]};
    const auto cell = [&](int column) {
        return QRectF(edges[column] + pad, 0, edges[column + 1] - edges[column] - 2 * pad, height);
    };
    const auto number = [](const ReportContext& ctx) {
        return ctx.value(QStringLiteral("Nr_rand")).toLongLong();
    };
    const auto isHeader = [sections, number](const ReportContext& ctx) {
        return sections.isHeader(number(ctx), ctx.row() + 1);
    };

    band.add(ReportElement::data(cell(0), QStringLiteral("Denumire")));
    ReportElement numberCell = ReportElement::data(cell(1), QStringLiteral("Nr_rand"), {}, Qt::AlignCenter);
    numberCell.onPrint = [isHeader](const ReportContext& ctx, const QString& text) {
        return isHeader(ctx) ? QStringLiteral("Nr. rnd") : text;
    };
    band.add(numberCell);
    ReportElement amount =
        ReportElement::data(cell(2), QStringLiteral("Suma"), amountFormat, Qt::AlignRight | Qt::AlignVCenter);
    amount.onPrint = [isHeader](const ReportContext& ctx, const QString& text) {
        return isHeader(ctx) ? QStringLiteral("SUMA") : text;
    };
    band.add(amount);
    const qsizetype amountIndex = band.elements.size() - 1;

    band.beforePrint = [=](const ReportContext& ctx) {
        ReportBand& detail = ctx.report().detail;
        const qint64 n = number(ctx);
        const int position = ctx.row() + 1;
        if (const std::optional<bool> centred = sections.amountCentred(n, position))
            state->amountCentred = *centred;
        detail.elements[amountIndex].alignment =
            state->amountCentred ? int(Qt::AlignCenter) : int(Qt::AlignRight | Qt::AlignVCenter);
        // The mark takes effect on the next row: the expenses title.
        if (sections.asksForSeparatePage(n)) {
            if (!state->separatePage)
                state->separatePage = separateExpensesPage ? separateExpensesPage() : false;
            detail.newPage = *state->separatePage;
        } else if (sections.endsSeparatePage(n)) {
            detail.newPage = false;
        }
        return true;
    };
    return band;
}

ReportBand signatures(const ReportDefinition& def, const Report& report)
{
    const double width = def.contentWidth();
    ReportBand band;
    band.height = 30;
    band.add(ReportElement::label({0, 1, width, 4}, creditLabel).withFont(sized(def.font, 8)));
    const auto sign = [&](double left, const QString& role, const QString& field) {
        band.add(ReportElement::label({left, 12, width / 2 - 10, 6}, role, Qt::AlignCenter));
        band.add(
            ReportElement::label({left, 19, width / 2 - 10, 6}, parishValue(report, field), Qt::AlignCenter));
    };
    sign(5, QStringLiteral("PREOT PAROH,"), QStringLiteral("Preot"));
    sign(width / 2 + 5, QStringLiteral("EPITROP,"), QStringLiteral("Epitrop"));
    return band;
}

} // namespace

namespace TRepBilantFrm
{

std::unique_ptr<Report> build(const QSqlDatabase& db, const BalanceSheetReport::Period& period,
                              const QString& amountField, std::function<bool()> separateExpensesPage)
{
    const BalanceSheetSections sections = BalanceSheetSections::of(db);
    std::unique_ptr<Report> report = read(db, amountField);
    const Report* data = report.get();
    report->definition.onStart = [=, state = std::make_shared<RowState>()](ReportDefinition& def) {
        *state = RowState();
        def.pageFooter = pageFooter(def);
        def.title = cover(def, *data, period);
        def.title.newPage = true;
        def.detail = rows(columnEdges(def.contentWidth()), sections, state, separateExpensesPage);
        def.summary = signatures(def, *data);
    };
    return report;
}

} // namespace TRepBilantFrm
