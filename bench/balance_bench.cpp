// Speed of the balance sheet computation on a year of 100,000 documents: up
// to a date, for a period (two computations, the snapshot and the row by row
// subtraction), and the first printed layout laid out.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_balance

#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "printing/ReportFrame.h"
#include "registers/CalculBilantUnt.h"
#include "registers/RepBilantUnt.h"
#include "support/SampleData.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

constexpr int year = 2026;

// 80,000 receipts and 20,000 payments over the delivered nomenclature, made once.
QSqlDatabase largeYear()
{
    static QTemporaryDir dir;
    static bool filled = false;
    if (!filled) {
        setProgramFolder(dir.path());
        DatabaseLocation::instance().openWorkingYear();
        SampleData::fillYear(Connection::database(), year, {300, 80000, 20000}, 5);
        filled = true;
    }
    return Connection::database();
}

void BM_CalculBilant(benchmark::State& state)
{
    const QSqlDatabase db = largeYear();
    for (auto _ : state)
        CalculBilant(db, QDate(year, 12, 31), state.range(0) != 0);
}
BENCHMARK(BM_CalculBilant)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_CalculBilantPerioada(benchmark::State& state)
{
    const QSqlDatabase db = largeYear();
    for (auto _ : state)
        CalculBilantPerioada(db, QDate(year, 4, 1), QDate(year, 6, 30), false);
}
BENCHMARK(BM_CalculBilantPerioada)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_FirstLayoutLaidOut(benchmark::State& state)
{
    const QSqlDatabase db = largeYear();
    CalculBilant(db, QDate(year, 12, 31), false);
    for (auto _ : state) {
        std::unique_ptr<Report> report =
            TRepBilantFrm::build(db, {QStringLiteral("01.01.2026"), QStringLiteral("31.12.2026")},
                                 BalanceSheetReport::executionField, [] { return true; });
        benchmark::DoNotOptimize(ReportFrame::layOut(*report).pages.size());
    }
}
BENCHMARK(BM_FirstLayoutLaidOut)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace
