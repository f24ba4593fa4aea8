// The cost of the journal of changes: storing an income with and without its
// entry (same run, same database), verifying a journal of 100,000 entries, and
// the incomes window opening on a year whose journal holds them.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_journal

#include "ProcessMeasures.h"
#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "db/RowChanges.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "journal/ChangeJournal.h"
#include "journal/JournalStore.h"
#include "journal/JournalVerification.h"
#include "operations/TVenituriFrm.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QDate>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

constexpr int journalEntries = 100000;

// A working year whose journal holds 100,000 entries written by the program's
// own path: incomes added, changed and deleted through a record source.
void openJournaledYear()
{
    static QTemporaryDir dir;
    static bool filled = false;
    ChangeJournal::install();
    setProgramFolder(dir.path());
    if (!Connection::isOpen())
        DatabaseLocation::instance().openWorkingYear();
    if (filled)
        return;
    const QSqlDatabase db = Connection::database();
    const int year = QDate::currentDate().year();
    Transaction transaction(db);
    Dataset incomes(QStringLiteral("Venituri"));
    incomes.open();
    int number = 0;
    while (JournalStore::head(db).count < journalEntries) {
        ++number;
        incomes.append();
        incomes.setValue(QStringLiteral("Nr_act"), number);
        incomes.setValue(QStringLiteral("Data"), QDate(year, 1, 1).addDays(number % 360));
        incomes.setValue(QStringLiteral("Cod_venit"), 7);
        incomes.setValue(QStringLiteral("Valoarea"), 10.0 + number % 500);
        incomes.setValue(QStringLiteral("Cont"), QStringLiteral("Casa"));
        incomes.setValue(QStringLiteral("Explicatie"), QStringLiteral("Donatie %1").arg(number));
        incomes.post();
        if (number % 3 == 0) { // a third changed, a tenth of those deleted after
            incomes.edit();
            incomes.setValue(QStringLiteral("Valoarea"), 20.0 + number % 300);
            incomes.post();
            if (number % 30 == 0)
                incomes.remove();
        }
    }
    transaction.commit();
    Sql::exec(db, QStringLiteral("UPDATE Contor SET PretOut = 2.5, PretInOut = 0.5"));
    filled = true;
}

// "&Salveaza" on a typed income, with its journal entry (1) or without any (0).
void BM_IncomeStored(benchmark::State& state)
{
    openJournaledYear();
    const bool journaled = state.range(0) == 1;
    ScriptedDialogs dialogs;
    TVenituriFrm window(nullptr);
    window.show();
    if (!journaled)
        RowChanges::install(nullptr);
    for (auto _ : state) {
        state.PauseTiming();
        window.startNewDocument();
        window.document()->setValue(QStringLiteral("Cod_venit"), 7);
        window.document()->setValue(QStringLiteral("Valoarea"), 10.0);
        state.ResumeTiming();
        if (!window.save())
            state.SkipWithError("the income was refused");
    }
    ChangeJournal::install();
    state.SetLabel(journaled ? "with its journal entry" : "without journal");
}
BENCHMARK(BM_IncomeStored)->Arg(0)->Arg(1)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(3);

// The whole verification: the chain of 100,000 entries and the tables compared with it.
void BM_VerifyJournal(benchmark::State& state)
{
    openJournaledYear();
    qint64 entries = 0;
    double processCpu = 0;
    for (auto _ : state) {
        const double before = processCpuSeconds();
        entries = JournalVerification::run(Connection::database()).entries;
        processCpu += processCpuSeconds() - before;
    }
    state.counters["entries"] = double(entries);
    // Every thread's processor time: what the verification costs on a machine of its own.
    state.counters["cpu_all_threads_ms"] = benchmark::Counter(processCpu * 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_VerifyJournal)->Unit(benchmark::kMillisecond);

// From the command to the window on its fresh document, balances shown.
void BM_IncomesWindowOpens(benchmark::State& state)
{
    openJournaledYear();
    ScriptedDialogs dialogs;
    for (auto _ : state) {
        auto* window = new TVenituriFrm(nullptr);
        window->show();
        QApplication::processEvents();
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
    state.counters["journal"] = double(JournalStore::head(Connection::database()).count);
}
BENCHMARK(BM_IncomesWindowOpens)->Unit(benchmark::kMillisecond);

} // namespace
