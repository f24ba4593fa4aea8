// The document search, the list behind a balance sheet figure and the charts
// on a working year of 100,000 documents (and five closed years like it).
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_insight

#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/DocumentSearchIndex.h"
#include "db/Sql.h"
#include "insight/ChartPictures.h"
#include "insight/SearchedYears.h"
#include "registers/BalanceRowBreakdown.h"
#include "registers/CalculBilantUnt.h"
#include "support/Documents.h"
#include "support/SampleData.h"

#include <QChart>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace
{

constexpr int year = 2026;
constexpr int documents = 100000;
constexpr int closedYearCount = 5;

// One parish for every benchmark: the working year and five closed years, each a copy of it.
class LargeParish
{
public:
    static LargeParish& instance()
    {
        static LargeParish parish;
        return parish;
    }

private:
    LargeParish()
    {
        setProgramFolder(m_dir.path());
        DatabaseLocation::instance().openWorkingYear();
        const QSqlDatabase db = Connection::database();
        SampleData::fillYear(db, year, {300, documents * 7 / 10, documents * 3 / 10}, 3);
        // Every income names a parishioner and every payment a beneficiary, as the search reads them.
        Sql::exec(db, QStringLiteral("UPDATE Venituri SET Den_enorias = (SELECT Nume_prenume FROM Enoriasi "
                                     "WHERE Enoriasi.rowid = 1 + Venituri.rowid % 300)"));
        Sql::exec(db, QStringLiteral(
                          "UPDATE Cheltuieli SET Beneficiar = (SELECT Nume_prenume || ' SRL' FROM Enoriasi "
                          "WHERE Enoriasi.rowid = 1 + Cheltuieli.rowid % 300)"));
        Sql::exec(db, QStringLiteral("CREATE TABLE Ani (Valoare INTEGER)"));
        for (int y = year - closedYearCount; y <= year; ++y)
            Sql::exec(db, QStringLiteral("INSERT INTO Ani VALUES (%1)").arg(y));
        for (int y = year - closedYearCount; y < year; ++y) {
            QDir().mkpath(DatabaseLocation::yearFolder(y));
            QFile::copy(DatabaseLocation::instance().workingYearDatabase(),
                        DatabaseLocation::yearFolder(y) + DatabaseLocation::databaseFileName);
        }
    }
    QTemporaryDir m_dir;
};

// Each keystroke of "serban ioana": the first documents, as the window shows them while typing.
void BM_SearchKeystroke(benchmark::State& state)
{
    LargeParish::instance();
    SearchedYears years;
    const QString typed = QStringLiteral("serban ioana");
    int length = 0;
    for (auto _ : state) {
        length = length % int(typed.size()) + 1;
        SearchCriteria c{.text = typed.left(length), .limit = 200};
        benchmark::DoNotOptimize(years.search(c, false));
    }
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond);

// The whole ordered list of a name over the working year.
void BM_SearchWholeYear(benchmark::State& state)
{
    LargeParish::instance();
    SearchedYears years;
    qsizetype found = 0;
    for (auto _ : state)
        found = years.search({.text = QStringLiteral("serban ioana")}, false).size();
    state.counters["documents"] = double(found);
}
BENCHMARK(BM_SearchWholeYear)->Unit(benchmark::kMillisecond);

// The same over the working year and the five closed years (opened once, as the window keeps them):
// a parishioner's name (0), and a family name a twelfth of the documents bear (1).
void BM_SearchSixYears(benchmark::State& state)
{
    LargeParish::instance();
    SearchedYears years;
    years.search({.text = QStringLiteral("x")}, true);
    const QString words = state.range(0) == 0 ? QStringLiteral("serban ioana") : QStringLiteral("stanescu");
    qsizetype found = 0;
    for (auto _ : state)
        found = years.search({.text = words}, true).size();
    state.counters["documents"] = double(found);
}
BENCHMARK(BM_SearchSixYears)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The list behind the busiest income row of the balance sheet, whole year and a period.
void BM_BalanceRowDocuments(benchmark::State& state)
{
    LargeParish::instance();
    const QSqlDatabase db = Connection::database();
    const bool period = state.range(0) != 0;
    const QDate from = period ? QDate(year, 3, 1) : QDate(year, 1, 1), to(year, 12, 31);
    CalculBilantPerioada(db, from, to, false);
    const qint64 busiest =
        Sql::scalar(db,
                    QStringLiteral("SELECT b.rowid FROM Bilant b JOIN Venituri v ON v.Cod_venit = b.Nr_rand "
                                   "GROUP BY b.rowid ORDER BY count(*) DESC LIMIT 1"))
            .toLongLong();
    qsizetype lines = 0;
    for (auto _ : state)
        lines = BalanceRowBreakdown::ofRow(db, busiest, from, to, false).lines.size();
    state.counters["lines"] = double(lines);
}
BENCHMARK(BM_BalanceRowDocuments)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A chart of the year computed and drawn (as the report page draws it).
void BM_Chart(benchmark::State& state)
{
    LargeParish::instance();
    const auto kind = ChartPictures::Kind(state.range(0));
    for (auto _ : state) {
        std::unique_ptr<QChart> chart(
            ChartPictures::chartOf(kind, Connection::database(), {year, 1, 1}, {year, 12, 31}));
        benchmark::DoNotOptimize(ChartPictures::picture(chart.get()));
    }
}
BENCHMARK(BM_Chart)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The index made from 100,000 documents, as the schema upgrade makes it at the first start of
// this release on an older database (and, in memory, for a closed year of an older release).
void BM_IndexBuild(benchmark::State& state)
{
    LargeParish::instance();
    const QString copy = DatabaseLocation::instance().workingYearDatabase() + QStringLiteral(".bench");
    const QString name = QStringLiteral("bench-index");
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(copy);
        QFile::copy(DatabaseLocation::instance().workingYearDatabase(), copy);
        QSqlDatabase db = Connection::openNamed(name, copy);
        Documents::dropSearchIndex(db);
        state.ResumeTiming();
        Sql::exec(db, QStringLiteral("BEGIN"));
        DocumentSearchIndex::ensure(db);
        Sql::exec(db, QStringLiteral("COMMIT"));
        state.PauseTiming();
        db = QSqlDatabase();
        Connection::removeNamed(name);
        state.ResumeTiming();
    }
    QFile::remove(copy);
}
BENCHMARK(BM_IndexBuild)->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace
