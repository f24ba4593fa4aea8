// The cash book of a large parish from the command line's path, phase by
// phase: the register computation, reading the book, its layout and its PDF,
// each in CPU seconds, with the peak memory of the layout and the PDF.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_cashbook

#include "app/ProgramReports.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "printing/PagePainter.h"
#include "printing/ReportCatalog.h"
#include "printing/ReportFrame.h"
#include "support/SampleData.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <ctime>
#include <fstream>
#include <string>

namespace
{

constexpr int year = 2026;

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Starts a new peak of the process's resident memory (Linux: clear_refs 5).
void resetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The peak resident memory since the last reset, in MiB.
double peakMemoryMiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// A working year of `documents` incomes and expenses (70 % incomes), in a folder of its own.
void openYearOf(int documents, QTemporaryDir& dir)
{
    setProgramFolder(dir.path());
    DatabaseLocation::instance().openWorkingYear();
    SampleData::fillYear(Connection::database(), year, {300, documents * 7 / 10, documents * 3 / 10}, 3);
}

void BM_CashBookPhases(benchmark::State& state)
{
    QTemporaryDir dir;
    openYearOf(int(state.range(0)), dir);
    const ReportEntry& entry = *programReports().find(QStringLiteral("registru-casa"));
    ReportAnswers answers;
    answers.from = QDate(year, 1, 1);
    answers.to = QDate(year, 12, 31);
    for (auto _ : state) {
        double start = cpuSeconds();
        entry.prepare(answers, noProgress());
        const double compute = cpuSeconds() - start;
        start = cpuSeconds();
        ReportFrame::applyDefaults(entry.defaults);
        std::unique_ptr<Report> report = entry.build(answers);
        const double read = cpuSeconds() - start;
        resetPeakMemory();
        const double before = peakMemoryMiB();
        start = cpuSeconds();
        const PageModel pages = ReportFrame::layOut(*report);
        const double layout = cpuSeconds() - start;
        start = cpuSeconds();
        PagePainter::writePdf(pages, dir.filePath(QStringLiteral("registru.pdf")));
        const double pdf = cpuSeconds() - start;
        state.counters["compute_s"] = compute;
        state.counters["read_s"] = read;
        state.counters["layout_s"] = layout;
        state.counters["pdf_s"] = pdf;
        state.counters["pages"] = double(pages.pages.size());
        state.counters["rows"] = double(report->definition.data ? report->definition.data->rowCount() : 0);
        state.counters["peak_MiB"] = peakMemoryMiB();
        state.counters["base_MiB"] = before;
    }
    Connection::close();
}
BENCHMARK(BM_CashBookPhases)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
