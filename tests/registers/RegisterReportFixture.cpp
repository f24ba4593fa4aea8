#include "RegisterReportFixture.h"

#include "printing/PrintSettings.h"

void RegisterReportFixture::SetUp()
{
    printSettings() = PrintSettings();
    db = folder.openWorkingYear();
}

void RegisterReportFixture::TearDown()
{
    printSettings() = PrintSettings();
}

PageModel RegisterReportFixture::layOutReport(std::unique_ptr<Report> built,
                                              const ReportFrame::Defaults& defaults)
{
    report = std::move(built);
    ReportFrame::applyDefaults(defaults);
    return ReportFrame::layOut(*report);
}

QStringList RegisterReportFixture::textsFrom(const Page& page, const QString& first, qsizetype count)
{
    const QStringList texts = page.texts();
    const qsizetype at = texts.indexOf(first);
    return at < 0 ? QStringList() : texts.mid(at, count);
}
