// Speed of the salary orders window on a year of 50,000 incomes, 50,000
// expenses and 2,000 salary orders of five lines each.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_salary

#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "operations/TCheltSalFrm.h"
#include "support/Documents.h"
#include "support/SampleData.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QDate>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

constexpr int salaryOrders = 2000;

// One program folder with the large year, made once for every benchmark.
void openYearWithSalaryOrders()
{
    static QTemporaryDir dir;
    static bool filled = false;
    setProgramFolder(dir.path());
    if (!Connection::isOpen())
        DatabaseLocation::instance().openWorkingYear();
    if (filled)
        return;
    QSqlDatabase db = Connection::database();
    const int year = QDate::currentDate().year();
    SampleData::fillYear(db, year, {300, 50000, 50000}, 11);
    db.transaction(); // one commit for the whole fill, not one per row
    for (int order = 1; order <= salaryOrders; ++order)
        Documents::salaryOrder(db, 100000 + order, QDate(year, 1 + order % 12, 1).toString(Qt::ISODate),
                               order % 2 ? QStringLiteral("Casa") : QStringLiteral("Banca"),
                               {{23, 3000}, {24, 1500}, {25, 1200}, {38, 250}, {43, 5.5}});
    db.commit();
    filled = true;
}

// From the command to the window on its fresh order after the last one.
void BM_SalaryWindowOpens(benchmark::State& state)
{
    openYearWithSalaryOrders();
    ScriptedDialogs dialogs;
    for (auto _ : state) {
        auto* window = new TCheltSalFrm(nullptr);
        window->show();
        QApplication::processEvents();
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SalaryWindowOpens)->Unit(benchmark::kMillisecond);

// One typed line stored: its checks, the store and the order's total recomputed.
void BM_SalaryLineStored(benchmark::State& state)
{
    openYearWithSalaryOrders();
    ScriptedDialogs dialogs;
    TCheltSalFrm window(nullptr);
    window.show();
    window.document()->last();
    Dataset* lines = window.lines();
    for (auto _ : state) {
        state.PauseTiming();
        lines->append();
        lines->setValue(QStringLiteral("Cod_cheltuiala"), 26);
        lines->setValue(QStringLiteral("Valoarea"), 10.0);
        state.ResumeTiming();
        if (!lines->post())
            state.SkipWithError("the line was refused");
    }
}
BENCHMARK(BM_SalaryLineStored)->Unit(benchmark::kMillisecond);

// "Sterge document" on an order of five lines: the lines and the header in one transaction.
void BM_SalaryOrderDeleted(benchmark::State& state)
{
    openYearWithSalaryOrders();
    ScriptedDialogs dialogs;
    TCheltSalFrm window(nullptr);
    window.show();
    const QSqlDatabase db = Connection::database();
    for (auto _ : state) {
        state.PauseTiming();
        Documents::salaryOrder(db, 900000, QDate::currentDate().toString(Qt::ISODate), QStringLiteral("Casa"),
                               {{23, 1}, {24, 2}, {25, 3}, {26, 4}, {27, 5}});
        window.document()->refresh();
        window.document()->last();
        dialogs.answers = {true};
        state.ResumeTiming();
        if (!window.document()->remove())
            state.SkipWithError("the order was not deleted");
    }
}
BENCHMARK(BM_SalaryOrderDeleted)->Unit(benchmark::kMillisecond);

} // namespace
