// Speed of the document windows on a year of 50,000 incomes and 50,000 expenses.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_operations

#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "operations/RecomputeBalances.h"
#include "operations/TBankMovementFrm.h"
#include "support/SampleData.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QDate>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

// One program folder with the large year, made once for every benchmark.
void openLargeYear()
{
    static QTemporaryDir dir;
    static bool filled = false;
    setProgramFolder(dir.path());
    if (!Connection::isOpen())
        DatabaseLocation::instance().openWorkingYear();
    if (!filled) {
        SampleData::fillYear(Connection::database(), QDate::currentDate().year(), {300, 50000, 50000}, 11);
        filled = true;
    }
}

void BM_RecomputeBalances(benchmark::State& state)
{
    openLargeYear();
    for (auto _ : state)
        benchmark::DoNotOptimize(RecomputeBalances(Connection::database()));
}
BENCHMARK(BM_RecomputeBalances)->Unit(benchmark::kMillisecond);

// From the command to the window on its fresh document, balance shown.
void BM_DepositWindowOpens(benchmark::State& state)
{
    openLargeYear();
    ScriptedDialogs dialogs;
    for (auto _ : state) {
        auto* window = new TDepuneriFrm(nullptr);
        window->show();
        QApplication::processEvents();
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DepositWindowOpens)->Unit(benchmark::kMillisecond);

// "&Salveaza" on a typed deposit: the checks, the store and the balance recomputed.
void BM_DepositStored(benchmark::State& state)
{
    openLargeYear();
    ScriptedDialogs dialogs;
    TDepuneriFrm window(nullptr);
    window.show();
    for (auto _ : state) {
        state.PauseTiming();
        window.startNewDocument();
        window.document()->setValue(QStringLiteral("Suma"), 1.0);
        window.document()->setValue(QStringLiteral("Fel"), QStringLiteral("DP"));
        state.ResumeTiming();
        if (!window.save())
            state.SkipWithError("the deposit was refused");
    }
}
BENCHMARK(BM_DepositStored)->Unit(benchmark::kMillisecond);

} // namespace
