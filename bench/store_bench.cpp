// Speed of the table store and of the start-up on a year of 100,000 incomes.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_store

#include "app/MainUnt.h"
#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "support/SampleData.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

// One program folder with a large year, made once for every benchmark.
const QString& largeYearFolder()
{
    static QTemporaryDir dir;
    static bool filled = false;
    if (!filled) {
        setProgramFolder(dir.path());
        DatabaseLocation::instance().openWorkingYear();
        SampleData::fillYear(Connection::database(), 2026, {2000, 100000, 5000}, 7);
        Connection::close();
        filled = true;
    }
    static const QString path = dir.path();
    return path;
}

void openConnection()
{
    setProgramFolder(largeYearFolder());
    if (!Connection::isOpen())
        DatabaseLocation::instance().openWorkingYear();
}

void BM_OpenIncomesAndMoveToLast(benchmark::State& state)
{
    openConnection();
    for (auto _ : state) {
        Dataset incomes(QStringLiteral("Venituri.DB"));
        incomes.open();
        incomes.last();
        benchmark::DoNotOptimize(incomes.asFloat(QStringLiteral("Valoarea")));
    }
}
BENCHMARK(BM_OpenIncomesAndMoveToLast)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_OpenIncomesOrderedByTypeAndMoveToLast(benchmark::State& state)
{
    openConnection();
    for (auto _ : state) {
        Dataset incomes(QStringLiteral("Venituri.DB"));
        incomes.setIndexFieldNames(QStringLiteral("Cod_venit;Data"));
        incomes.open();
        incomes.last();
        benchmark::DoNotOptimize(incomes.asFloat(QStringLiteral("Valoarea")));
    }
}
BENCHMARK(BM_OpenIncomesOrderedByTypeAndMoveToLast)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_PostOneEditedIncome(benchmark::State& state)
{
    openConnection();
    Dataset incomes(QStringLiteral("Venituri.DB"));
    incomes.open();
    incomes.setRecNo(50000);
    double amount = 1.0;
    for (auto _ : state) {
        incomes.edit();
        incomes.setValue(QStringLiteral("Valoarea"), amount += 0.25);
        incomes.post();
    }
}
BENCHMARK(BM_PostOneEditedIncome)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->Iterations(40)
    ->ReportAggregatesOnly(true);

void BM_StartUpToMainWindowShown(benchmark::State& state)
{
    setProgramFolder(largeYearFolder());
    for (auto _ : state) {
        Connection::close();
        TMainFrm window;
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
}
BENCHMARK(BM_StartUpToMainWindowShown)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
