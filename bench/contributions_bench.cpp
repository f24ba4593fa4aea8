// Speed of the contribution arrears over a large parish: 5,000 families and
// 50,000 incomes of the year, 20,000 of them contribution payments.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_contributions

#include "contributions/Arrears.h"
#include "contributions/CarryForward.h"
#include "contributions/ContributionParameters.h"
#include "contributions/ContributionSituation.h"
#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "printing/ReportFrame.h"
#include "support/SampleData.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace
{

constexpr int year = 2026;
constexpr int families = 5000;
constexpr int otherIncomes = 30000;
constexpr int contributionPayments = 20000;

void addContributionPayments(const QSqlDatabase& db)
{
    const Contributions::ContributionParameters parameters = Contributions::ContributionParameters::read(db);
    std::mt19937 random(11);
    const auto pick = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random)); };
    Transaction transaction(db);
    QSqlQuery payment(db);
    payment.prepare(
        QStringLiteral("INSERT INTO Venituri (Nr_act, Data, Cod_venit, Cod_enorias, Valoarea, Fel) "
                       "VALUES (?, ?, ?, ?, ?, 'CHIT')"));
    for (int i = 0; i < contributionPayments; ++i) {
        payment.addBindValue(double(otherIncomes + i + 1));
        payment.addBindValue(QDate(year, 1, 1).addDays(pick(365)).toString(Qt::ISODate));
        payment.addBindValue(parameters.incomeCode);
        payment.addBindValue(QStringLiteral("E%1").arg(pick(families) + 1, 4, 10, QLatin1Char('0')));
        payment.addBindValue(double(pick(5000) + 100) / 100.0);
        if (!payment.exec())
            throw std::runtime_error("sample contribution payments");
    }
    transaction.commit();
}

// One program folder with the large parish, made once for every benchmark.
void openLargeParish()
{
    static QTemporaryDir dir;
    static bool filled = false;
    setProgramFolder(dir.path());
    if (!filled) {
        DatabaseLocation::instance().openWorkingYear();
        const QSqlDatabase db = Connection::database();
        SampleData::fillYear(db, year, {families, otherIncomes, 0}, 5);
        Sql::exec(db, QStringLiteral("UPDATE Parohia SET Val_contributie = 120"));
        addContributionPayments(db);
        filled = true;
    }
    if (!Connection::isOpen())
        DatabaseLocation::instance().openWorkingYear();
}

void BM_ArrearsOfEveryFamily(benchmark::State& state)
{
    openLargeParish();
    const QSqlDatabase db = Connection::database();
    for (auto _ : state) {
        const QList<Contributions::ArrearsRow> rows = Contributions::arrears(db, QDate(year, 6, 30));
        benchmark::DoNotOptimize(rows.size());
    }
}
BENCHMARK(BM_ArrearsOfEveryFamily)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ArrearsOrderedByCode(benchmark::State& state)
{
    openLargeParish();
    const QSqlDatabase db = Connection::database();
    for (auto _ : state) {
        const QList<Contributions::ArrearsRow> rows =
            Contributions::arrears(db, QDate(year, 6, 30), Contributions::ArrearsOrder::ByCode);
        benchmark::DoNotOptimize(rows.size());
    }
}
BENCHMARK(BM_ArrearsOrderedByCode)->Unit(benchmark::kMillisecond)->Iterations(10);

// The year-end carry-forward, undone after each run by the enclosing transaction.
void BM_CarryForward(benchmark::State& state)
{
    openLargeParish();
    const QSqlDatabase db = Connection::database();
    for (auto _ : state) {
        Transaction closing(db);
        Contributions::carryForward(db, year);
    }
}
BENCHMARK(BM_CarryForward)->Unit(benchmark::kMillisecond)->Iterations(5);

// The contribution situation with every receipt under its family: read and laid out.
void BM_SituationWithReceipts(benchmark::State& state)
{
    openLargeParish();
    const QSqlDatabase db = Connection::database();
    for (auto _ : state) {
        std::unique_ptr<Report> report = ContributionSituation::buildSituation(
            db, {.referenceDate = QDate(year, 12, 31), .receipts = true});
        const PageModel pages = ReportFrame::layOut(*report);
        benchmark::DoNotOptimize(pages.pages.size());
    }
}
BENCHMARK(BM_SituationWithReceipts)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
