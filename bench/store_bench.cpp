// Speed of the table store and of the start-up on a year of 100,000 incomes.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_store

#include "app/MainUnt.h"
#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "db/DateFormat.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "support/SampleData.h"

#include <QCoreApplication>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>

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

size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The floor for reading the incomes: SQLite's own loop over the same rows and
// columns, each value fetched in its stored type and nothing kept.
void BM_SqliteLoopOverIncomes(benchmark::State& state)
{
    openConnection();
    const QVariant handle = Connection::database().driver()->handle();
    sqlite3* db = *static_cast<sqlite3* const*>(handle.constData());
    const QStringList fields = Sql::fieldNames(Connection::database(), QStringLiteral("Venituri"));
    const QByteArray statement = QStringLiteral("SELECT rowid, \"%1\" FROM Venituri ORDER BY rowid")
                                     .arg(fields.join(QStringLiteral("\", \"")))
                                     .toUtf8();
    for (auto _ : state) {
        sqlite3_stmt* query = nullptr;
        sqlite3_prepare_v2(db, statement.constData(), -1, &query, nullptr);
        const int columns = sqlite3_column_count(query);
        double sum = 0;
        while (sqlite3_step(query) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                switch (sqlite3_column_type(query, c)) {
                case SQLITE_INTEGER:
                    sum += double(sqlite3_column_int64(query, c));
                    break;
                case SQLITE_FLOAT:
                    sum += sqlite3_column_double(query, c);
                    break;
                case SQLITE_TEXT:
                    benchmark::DoNotOptimize(sqlite3_column_text(query, c));
                    sum += sqlite3_column_bytes(query, c);
                    break;
                default:
                    break;
                }
            }
        }
        sqlite3_finalize(query);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_SqliteLoopOverIncomes)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_OpenIncomesAndMoveToLast(benchmark::State& state)
{
    openConnection();
    double bytesPerRow = 0;
    for (auto _ : state) {
        const size_t before = heapInUse();
        Dataset incomes(QStringLiteral("Venituri.DB"));
        incomes.open();
        incomes.last();
        bytesPerRow = double(heapInUse() - before) / incomes.recordCount();
        benchmark::DoNotOptimize(incomes.asFloat(QStringLiteral("Valoarea")));
    }
    state.counters["bytes_per_row"] = bytesPerRow;
}
BENCHMARK(BM_OpenIncomesAndMoveToLast)->Unit(benchmark::kMillisecond)->Iterations(10);

// A search that matches no row reads every row; the date is given as typed.
void BM_LocateDateGivenAsText(benchmark::State& state)
{
    openConnection();
    Dataset incomes(QStringLiteral("Venituri.DB"));
    incomes.open();
    const QString typedDate = DateFormat::toShortText(QDate(1990, 1, 1));
    for (auto _ : state)
        benchmark::DoNotOptimize(incomes.locate(QStringLiteral("Data"), {typedDate}));
}
BENCHMARK(BM_LocateDateGivenAsText)->Unit(benchmark::kMillisecond)->Iterations(10);

// A long correction run: 2,000 rows edited and posted inside one transaction.
void BM_Post2000EditsInOneTransaction(benchmark::State& state)
{
    openConnection();
    Dataset incomes(QStringLiteral("Venituri.DB"));
    incomes.open();
    double amount = 1.0;
    for (auto _ : state) {
        Transaction transaction(Connection::database());
        for (int row = 1; row <= 2000; ++row) {
            incomes.setRecNo(row * 50);
            incomes.edit();
            incomes.setValue(QStringLiteral("Valoarea"), amount += 0.25);
            incomes.post();
        }
        transaction.commit();
    }
}
BENCHMARK(BM_Post2000EditsInOneTransaction)->Unit(benchmark::kMillisecond)->Iterations(3);

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
