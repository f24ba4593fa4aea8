#include "registers/RepBilantV2Unt.h"

namespace
{

using namespace BalanceSheetReport;

const QString pageBreakCode = QStringLiteral("-");
const QString lei = QStringLiteral("LEI .............................");
const QString kilograms = QStringLiteral("KG .....................");

// Column edges (mm) on the page's width: name, number, article code, amount.
QList<double> articleColumnEdges(double width)
{
    return {0, width * 0.52, width * 0.62, width * 0.78, width};
}

ReportBand rows(const QList<double>& edges)
{
    constexpr double height = 5, pad = 1;
    ReportBand band;
    band.height = height;
    band.ruled = true;
    band.ruleWidth = edges.last();
    band.rules = {edges[1], edges[2], edges[3]};
    const auto cell = [&](int column) {
        return QRectF(edges[column] + pad, 0, edges[column + 1] - edges[column] - 2 * pad, height);
    };
    band.add(ReportElement::data(cell(0), QStringLiteral("Denumire")));
    band.add(ReportElement::data(cell(1), QStringLiteral("Nr_rand"), {}, Qt::AlignCenter));
    band.add(ReportElement::data(cell(2), QStringLiteral("Cont")));
    band.add(ReportElement::data(cell(3), QStringLiteral("Suma"), QStringLiteral("#,##0.00"),
                                 Qt::AlignRight | Qt::AlignVCenter));
    // The mark takes effect on the next row.
    band.beforePrint = [](const ReportContext& ctx) {
        ctx.report().detail.newPage = ctx.value(QStringLiteral("Cont")).toString() == pageBreakCode;
        return true;
    };
    return band;
}

// The statement of stocks and candle sales, to be completed by hand.
ReportBand statement(const ReportDefinition& def, const Report& report, const Period& period)
{
    const double width = def.contentWidth();
    const QFont bold = sized(def.font, 9, true);
    constexpr double lineHeight = 5;
    ReportBand band;
    double top = 1;
    band.add(ReportElement::label({0, top, width, 4}, creditLabel).withFont(sized(def.font, 8)));
    top += 7;
    const auto line = [&](const QString& left, const QString& right = {}, double indent = 0) {
        band.add(ReportElement::label({indent, top, width * 0.55 - indent, lineHeight}, left).withFont(bold));
        if (!right.isEmpty())
            band.add(
                ReportElement::label({width * 0.55, top, width * 0.45, lineHeight}, right).withFont(bold));
        top += lineHeight;
    };
    line(QStringLiteral("I. SITUATIA STOCURILOR LA DATA :"), period.to);
    line(QStringLiteral("1. MIJLOACE FIXE"), lei);
    line(QStringLiteral("din care:"), {}, 5);
    for (const char* item : {"-TERENURI", "-CLADIRI", "-FOND BIBLIOTECA", "-ALTELE"})
        line(QString::fromLatin1(item), lei, 5);
    line(QStringLiteral("2. OBIECTE INVENTAR"), lei);
    line(QStringLiteral("3. LUMANARI IN STOC"), kilograms + QStringLiteral("   ") + lei);
    line(QStringLiteral("4. COLPORTAJ"), lei);
    ReportElement subsidies = ReportElement::label(
        {0, top, width, lineHeight},
        QStringLiteral(
            "In cazul in care s-au primit subventii de la Ministerul Culturii si Cultelor cu destinatia: "
            "constructie , reparatie, pictura bisericeasca se va mentiona:"));
    subsidies.wrap = true;
    subsidies.font = bold;
    band.add(subsidies);
    top += 2 * lineHeight;
    for (const char* item : {"-  data, nr. chitantei emise si suma primita",
                             "- valoarea cheltuielilor in anul curent (exercitiul financiar ce se incheie)",
                             "-  suma ramasa necheltuita"}) {
        band.add(
            ReportElement::label({5, top, width - 5, lineHeight}, QString::fromLatin1(item)).withFont(bold));
        top += lineHeight;
    }
    top += 2;
    line(QStringLiteral("II. SITUATIA LUMANARILOR VANDUTE IN CURSUL ANULUI"));
    const QString sold = QStringLiteral(".....................KG .....................   ") + lei;
    line(QStringLiteral("LUMANARI"), sold);
    line(QStringLiteral("LUMANARI CEARA CURATA"), sold);
    top += 3;
    line(QStringLiteral("Raspund de corectitudinea datelor mentionate in prezentul buget"));
    top += 3;
    const auto sign = [&](double left, const QString& role, const QString& field) {
        band.add(ReportElement::label({left, top, width / 2 - 10, lineHeight}, role, Qt::AlignCenter)
                     .withFont(bold));
        band.add(ReportElement::label({left, top + lineHeight + 1, width / 2 - 10, lineHeight},
                                      parishValue(report, field), Qt::AlignCenter)
                     .withFont(bold));
    };
    sign(5, QStringLiteral("PREOT PAROH,"), QStringLiteral("Preot"));
    sign(width / 2 + 5, QStringLiteral("EPITROPI,"), QStringLiteral("Epitrop"));
    band.height = top + 2 * lineHeight + 2;
    return band;
}

} // namespace

namespace TRepBilantV2Frm
{

std::unique_ptr<Report> build(const QSqlDatabase& db, const BalanceSheetReport::Period& period,
                              const QString& amountField)
{
    std::unique_ptr<Report> report = read(db, amountField);
    const Report* data = report.get();
    report->definition.onStart = [=](ReportDefinition& def) {
        def.pageFooter = pageFooter(def);
        def.title = cover(def, *data, period);
        def.detail = rows(articleColumnEdges(def.contentWidth()));
        def.summary = statement(def, *data, period);
    };
    return report;
}

} // namespace TRepBilantV2Frm
