// The cash book of a large parish from the command line's path, phase by
// phase: the register computation, reading the book, its layout (all pages
// kept, as the preview does) and its PDF written page by page, each in CPU
// seconds, with the peak memory of the PDF; beside them the floor (QPdfWriter
// painting the same items, one drawText per text) and the whole command
// `Lumivaret --report registru-casa --pdf` run as its own process (and, with
// LUMIVARET_OTHER_PROGRAM set to another build's program, that one too).
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_cashbook --benchmark_format=json

#include "ProcessMeasures.h"
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
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <string>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{

constexpr int year = 2026;

// A working year of `documents` incomes and expenses (70 % incomes), in a folder of its own.
void openYearOf(int documents, QTemporaryDir& dir)
{
    setProgramFolder(dir.path());
    DatabaseLocation::instance().openWorkingYear();
    SampleData::fillYear(Connection::database(), year, {300, documents * 7 / 10, documents * 3 / 10}, 3);
}

// The pages painted as plainly as Qt allows: one drawText per text item in
// its font at the PDF's resolution, one drawLine or drawRect per rule.
void paintFloor(const PageModel& model, const QString& file)
{
    QPdfWriter writer(file);
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(model.paper, model.orientation, QMarginsF(0, 0, 0, 0)));
    QPainter painter(&writer);
    const double scale = 600 / 25.4;
    const auto device = [scale](const QRectF& mm) {
        return QRectF(mm.left() * scale, mm.top() * scale, mm.width() * scale, mm.height() * scale);
    };
    for (qsizetype page = 0; page < model.pages.size(); ++page) {
        if (page > 0)
            writer.newPage();
        for (const PageItem& item : model.pages[page].items) {
            switch (item.kind) {
            case PageItem::Kind::Text:
                painter.setFont(item.font);
                painter.drawText(device(item.rect), item.flags, item.text);
                break;
            case PageItem::Kind::Line:
                painter.drawLine(device(item.rect).topLeft(), device(item.rect).bottomRight());
                break;
            case PageItem::Kind::Rect:
                painter.drawRect(device(item.rect));
                break;
            }
        }
    }
}

struct CommandCost {
    double cpuSeconds = 0;
    double peakMiB = 0;
};

// Runs the program's own command on the folder and reads its CPU time from
// the kernel's account of the finished process. Its peak memory is read from
// the process itself while it runs: the kernel's account would count the
// benchmark's own memory, which the process shares until it starts the
// program.
CommandCost runCashBookCommand(const std::string& program, const QString& folder, const QString& pdf)
{
    const std::string folderArg = folder.toStdString();
    const std::string pdfArg = pdf.toStdString();
    const std::string from = QStringLiteral("01.01.%1").arg(year).toStdString();
    const std::string to = QStringLiteral("31.12.%1").arg(year).toStdString();
    const char* argv[] = {program.c_str(), "--folder",  folderArg.c_str(), "--report", "registru-casa", "--from",
                          from.c_str(),    "--to",      to.c_str(),        "--pdf",    pdfArg.c_str(),  nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        return {};
    CommandCost cost;
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, WNOHANG, &usage) == 0) {
        cost.peakMiB = std::max(cost.peakMiB, peakMemoryMiB(std::to_string(child)));
        usleep(2000);
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    cost.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                      double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return cost;
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
        double start = processCpuSeconds();
        entry.prepare(answers, noProgress());
        const double compute = processCpuSeconds() - start;
        start = processCpuSeconds();
        ReportFrame::applyDefaults(entry.defaults);
        std::unique_ptr<Report> report = entry.build(answers);
        const double read = processCpuSeconds() - start;

        resetPeakMemory();
        const double before = peakMemoryMiB();
        start = processCpuSeconds();
        const int pages = ReportFrame::writePdf(*report, dir.filePath(QStringLiteral("registru.pdf")));
        const double pdf = processCpuSeconds() - start;
        const double pdfPeak = peakMemoryMiB();

        start = processCpuSeconds();
        const PageModel model = ReportFrame::layOut(*report);
        const double layout = processCpuSeconds() - start;
        qsizetype items = 0;
        for (const Page& page : model.pages)
            items += page.items.size();
        start = processCpuSeconds();
        paintFloor(model, dir.filePath(QStringLiteral("floor.pdf")));
        const double floor = processCpuSeconds() - start;

        state.counters["compute_s"] = compute;
        state.counters["read_s"] = read;
        state.counters["layout_s"] = layout;
        state.counters["layout_ns_per_item"] = layout * 1e9 / double(std::max<qsizetype>(items, 1));
        state.counters["pdf_s"] = pdf;
        state.counters["floor_pdf_s"] = floor;
        state.counters["pages"] = pages;
        state.counters["items"] = double(items);
        state.counters["rows"] = double(report->definition.data ? report->definition.data->rowCount() : 0);
        state.counters["pdf_peak_MiB"] = pdfPeak;
        state.counters["base_MiB"] = before;
    }
    Connection::close();
    // The first opening by the program starts the database's journal and search index,
    // once for the database's life: timed apart.
    const CommandCost first =
        runCashBookCommand(LUMIVARET_PROGRAM, dir.path(), dir.filePath(QStringLiteral("command.pdf")));
    state.counters["command_first_cpu_s"] = first.cpuSeconds;
    const CommandCost command =
        runCashBookCommand(LUMIVARET_PROGRAM, dir.path(), dir.filePath(QStringLiteral("command.pdf")));
    state.counters["command_cpu_s"] = command.cpuSeconds;
    state.counters["command_peak_MiB"] = command.peakMiB;
    // Another build of the program (an earlier one, say) timed on the same folder in the same run.
    if (const QByteArray other = qgetenv("LUMIVARET_OTHER_PROGRAM"); !other.isEmpty()) {
        const CommandCost otherCommand =
            runCashBookCommand(other.toStdString(), dir.path(), dir.filePath(QStringLiteral("other.pdf")));
        state.counters["other_command_cpu_s"] = otherCommand.cpuSeconds;
        state.counters["other_command_peak_MiB"] = otherCommand.peakMiB;
    }
}
BENCHMARK(BM_CashBookPhases)
    ->Arg(10000)
    ->Arg(28000) // about 20,000 rows of the book
    ->Arg(50000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
