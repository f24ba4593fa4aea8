// Speed of the report engine on a ruled list of 20,000 rows with running sums.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_report

#include "printing/PagePainter.h"
#include "printing/ReportLayout.h"

#include <QDate>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

const ReportTable& rows()
{
    static const ReportTable table = [] {
        ReportTable t;
        t.fields = {"Data", "Nr_doc", "Explicatii", "Incasari", "Plati"};
        const QDate start(2026, 1, 1);
        for (int i = 0; i < 20000; ++i)
            t.rows << QVariantList{start.addDays(i / 60), double(i + 1),
                                   QStringLiteral("Chitanta donatie %1").arg(i), double(i % 500) + 0.25,
                                   double(i % 300) + 0.5};
        return t;
    }();
    return table;
}

// A register-like ruled list: six columns, running totals in the page header and footer.
ReportDefinition registerReport()
{
    ReportDefinition r;
    r.data = &rows();
    r.font = QFont(QStringLiteral("Arial"), 8);
    r.detail.height = 5;
    r.detail.ruled = true;
    r.detail.rules = {22, 40, 120, 145, 170};
    r.detail.add(ReportElement::data({1, 0, 20, 5}, QStringLiteral("Data")));
    r.detail.add(ReportElement::data({23, 0, 16, 5}, QStringLiteral("Nr_doc")));
    r.detail.add(ReportElement::data({41, 0, 78, 5}, QStringLiteral("Explicatii")));
    r.detail.add(ReportElement::data({121, 0, 23, 5}, QStringLiteral("Incasari"), QStringLiteral("#,##0.00"),
                                     Qt::AlignRight));
    r.detail.add(ReportElement::data({146, 0, 23, 5}, QStringLiteral("Plati"), QStringLiteral("#,##0.00"),
                                     Qt::AlignRight));
    r.detail.add(ReportElement::sum({171, 0, 28, 5}, QStringLiteral("Incasari")));
    for (ReportBand* band : {&r.pageHeader, &r.pageFooter}) {
        band->height = 6;
        band->ruled = true;
        band->add(ReportElement::label({1, 0, 60, 6}, QStringLiteral("Report")));
        band->add(ReportElement::sum({121, 0, 23, 6}, QStringLiteral("Incasari")));
        band->add(ReportElement::sum({146, 0, 23, 6}, QStringLiteral("Plati")));
    }
    r.pageFooter.add(ReportElement::pageNumber({171, 0, 28, 6}, QStringLiteral("Pag. %1 din %2")));
    return r;
}

void BM_LayOutRuledReport(benchmark::State& state)
{
    ReportDefinition report = registerReport();
    int pages = 0;
    for (auto _ : state)
        pages = int(ReportLayout::run(report).pages.size());
    state.counters["pages"] = pages;
}
BENCHMARK(BM_LayOutRuledReport)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WriteRuledReportPdf(benchmark::State& state)
{
    ReportDefinition report = registerReport();
    const PageModel model = ReportLayout::run(report);
    QTemporaryDir dir;
    for (auto _ : state)
        PagePainter::writePdf(model, dir.filePath(QStringLiteral("registru.pdf")));
}
BENCHMARK(BM_WriteRuledReportPdf)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
