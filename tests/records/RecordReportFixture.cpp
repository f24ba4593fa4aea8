#include "RecordReportFixture.h"

#include "printing/PrintSettings.h"

void RecordReportFixture::startAfresh()
{
    report.reset();
    db = QSqlDatabase();
    folder.reset();
    folder.emplace();
    db = folder->openWorkingYear();
    printSettings() = PrintSettings();
    printer.jobs.clear();
    dialogs.shown.clear();
    dialogs.answers.clear();
}

void RecordReportFixture::TearDown()
{
    printSettings() = PrintSettings();
}

PageModel RecordReportFixture::layOutReport(std::unique_ptr<Report> built)
{
    report = std::move(built);
    ReportFrame::applyDefaults({10, QPageLayout::Landscape});
    return ReportFrame::layOut(*report);
}

int RecordReportFixture::pageOf(const PageModel& model, const QString& text)
{
    for (int p = 0; p < model.pages.size(); ++p)
        if (model.pages[p].texts().contains(text))
            return p;
    return -1;
}
