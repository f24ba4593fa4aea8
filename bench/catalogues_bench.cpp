// Speed of the parishioners picker on a parish of 20,000 parishioners.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_catalogues

#include "catalogues/CatalogWindow.h"
#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "db/TableIndexes.h"
#include "support/SampleData.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>

namespace
{

void openLargeParish()
{
    static QTemporaryDir dir;
    static bool filled = false;
    setProgramFolder(dir.path());
    if (!Connection::isOpen())
        DatabaseLocation::instance().openWorkingYear();
    if (!filled) {
        SampleData::fillYear(Connection::database(), 2026, {20000, 0, 0}, 11);
        filled = true;
    }
}

std::unique_ptr<TCatalogFrm> showPicker()
{
    auto picker = std::make_unique<TCatalogFrm>(Catalogs::parishioners(), TCatalogFrm::Mode::Select);
    picker->startAt(QStringLiteral("E10000"));
    picker->show(); // applies the order by name
    QCoreApplication::processEvents();
    return picker;
}

// The picker created and shown ordered by name, its "Den" index already made
// by an earlier opening.
void BM_ParishionersPickerShown(benchmark::State& state)
{
    openLargeParish();
    showPicker(); // the name index is made once
    for (auto _ : state) {
        auto picker = showPicker();
        benchmark::DoNotOptimize(picker->catalog()->currentRow());
        state.PauseTiming();
        picker.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ParishionersPickerShown)->Unit(benchmark::kMillisecond)->Iterations(10);

// The same, the "Den" index made anew each time (the first opening).
void BM_ParishionersPickerShownFirstTime(benchmark::State& state)
{
    openLargeParish();
    for (auto _ : state) {
        state.PauseTiming();
        TableIndexes::drop(Connection::database(), QStringLiteral("Enoriasi"), QStringLiteral("Den"));
        state.ResumeTiming();
        auto picker = showPicker();
        benchmark::DoNotOptimize(picker->catalog()->currentRow());
        state.PauseTiming();
        picker.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ParishionersPickerShownFirstTime)->Unit(benchmark::kMillisecond)->Iterations(10);

// One keystroke in "Cauta", in the name order: the cursor and the grid move
// to the first name that begins with the text.
void BM_SearchKeystroke(benchmark::State& state)
{
    openLargeParish();
    auto picker = showPicker();
    QLineEdit* search = picker->searchEdit();
    const QString word = QStringLiteral("stanescu"); // ă is typed as a: the nearest name is "Stănescu"
    qsizetype typed = 0;
    for (auto _ : state) {
        if (typed == word.size()) {
            state.PauseTiming();
            search->clear();
            typed = 0;
            state.ResumeTiming();
        }
        QTest::keyClick(search, word.at(typed++).toLatin1());
        benchmark::DoNotOptimize(picker->catalog()->currentRow());
    }
    // The keys really moved the cursor: the last one to a name that begins with the word.
    if (!picker->catalog()->asString(QStringLiteral("Nume_prenume")).startsWith(QStringLiteral("Stănescu")))
        state.SkipWithError("the search did not reach the name typed");
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace
