// Speed of the document windows on a year of 50,000 incomes and 50,000
// expenses paid by 20,000 parishioners.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_operations

#include "catalogues/CatalogWindow.h"
#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "operations/RecomputeBalances.h"
#include "operations/TBankMovementFrm.h"
#include "operations/TCheltuieliFrm.h"
#include "operations/TVenituriFrm.h"
#include "support/SampleData.h"
#include "support/ScriptedDialogs.h"
#include "widgets/TDBEditNormal.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
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
        SampleData::fillYear(Connection::database(), QDate::currentDate().year(), {20000, 50000, 50000}, 11);
        Sql::exec(Connection::database(), QStringLiteral("UPDATE Contor SET PretOut = 2.5, PretInOut = 0.5"));
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

// From the command to the window on its fresh document, balances shown.
template <class Window> void BM_WindowOpens(benchmark::State& state)
{
    openLargeYear();
    ScriptedDialogs dialogs;
    for (auto _ : state) {
        auto* window = new Window(nullptr);
        window->show();
        QApplication::processEvents();
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowOpens<TVenituriFrm>)->Name("BM_IncomesWindowOpens")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowOpens<TCheltuieliFrm>)->Name("BM_ExpensesWindowOpens")->Unit(benchmark::kMillisecond);

// "&Salveaza" on a typed income: the checks, the store and both balances recomputed.
void BM_IncomeStored(benchmark::State& state)
{
    openLargeYear();
    ScriptedDialogs dialogs;
    TVenituriFrm window(nullptr);
    window.show();
    for (auto _ : state) {
        state.PauseTiming();
        window.startNewDocument();
        window.document()->setValue(QStringLiteral("Cod_venit"), 7);
        window.document()->setValue(QStringLiteral("Valoarea"), 10.0);
        state.ResumeTiming();
        if (!window.save())
            state.SkipWithError("the income was refused");
    }
}
BENCHMARK(BM_IncomeStored)->Unit(benchmark::kMillisecond);

// Ctrl+Enter in the parishioner field until the picker's own event loop runs
// with the picker shown and painted.
void BM_ParishionerPickerOpens(benchmark::State& state)
{
    openLargeYear();
    ScriptedDialogs dialogs;
    TVenituriFrm window(nullptr);
    window.show();
    QApplication::setActiveWindow(&window);
    for (auto _ : state) {
        window.parishionerInput()->setFocus();
        QElapsedTimer clock;
        double shownAfter = 0;
        QTimer::singleShot(0, [&] {
            auto* picker = qobject_cast<TCatalogFrm*>(QApplication::activeModalWidget());
            QApplication::processEvents();
            shownAfter = double(clock.nsecsElapsed()) / 1e9;
            if (picker)
                picker->reject();
            else
                state.SkipWithError("no picker was shown");
        });
        clock.start();
        QTest::keyClick(window.parishionerInput(), Qt::Key_Return, Qt::ControlModifier);
        state.SetIterationTime(shownAfter);
    }
}
BENCHMARK(BM_ParishionerPickerOpens)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
