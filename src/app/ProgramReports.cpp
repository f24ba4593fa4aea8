#include "app/ProgramReports.h"

#include "catalogues/CatalogSelect.h"
#include "catalogues/StockReports.h"
#include "contributions/ContributionReports.h"
#include "core/BusyCursor.h"
#include "core/UserDialogs.h"
#include "journal/JournalReport.h"
#include "insight/ChartReports.h"
#include "printing/ReportCatalog.h"
#include "records/RecordReports.h"
#include "registers/BalanceSheetReports.h"
#include "registers/BookReports.h"
#include "registers/PangarReports.h"
#include "registers/RegisterReports.h"
#include "widgets/ProgressWindow.h"

const ReportCatalog& programReports()
{
    static const ReportCatalog catalog = [] {
        ReportCatalog c;
        registerRegisterReports(c);
        registerBookReports(c);
        registerPangarReports(c);
        registerBalanceSheetReports(c);
        // The parishioners' picker, for the reports of one parishioner.
        const auto pickParishioner = [](QWidget* caller) -> std::optional<QString> {
            QString code;
            if (!SelectEnorias(caller, code))
                return std::nullopt;
            return code;
        };
        registerContributionReports(c, pickParishioner);
        registerRecordReports(c, pickParishioner);
        registerStockReports(c);
        registerJournalReports(c);
        registerChartReports(c);
        return c;
    }();
    return catalog;
}

void runReportInteractively(const ReportEntry& entry, QWidget* caller, bool everyRow)
{
    ReportAnswers answers;
    // The code first: the ledgers by type pick their type, then ask the period.
    if (entry.code && entry.code->pick && !(everyRow && entry.code->optional)) {
        const std::optional<QString> code = entry.code->pick(caller);
        if (!code)
            return;
        answers.code = *code;
    }
    if (entry.asksPeriod) {
        const QDate today = QDate::currentDate();
        const auto period = dialogs().pickInterval(QDate(today.year(), 1, 1), today);
        if (!period)
            return;
        answers.from = period->first;
        answers.to = period->second;
    }
    if (entry.asksReferenceDate) {
        const std::optional<QDate> date = dialogs().pickDate(QDate::currentDate());
        if (!date)
            return;
        answers.to = *date;
    }
    for (const ReportYesNoQuestion& question : entry.questions)
        answers.yesNo.insert(question.key, dialogs().question(question.text));

    if (entry.prepare) {
        BusyCursor busy(true);
        ProgressWindow progress(caller);
        entry.prepare(answers, progress);
    }
    ReportFrame::CsvOfReport csv;
    if (entry.csv)
        csv = [&entry, &answers](const Report& report) { return entry.csv(report, answers); };
    ReportFrame::run(
        caller, entry.defaults, [&] { return entry.build(answers); }, csv);
}
