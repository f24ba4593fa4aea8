#include "RegisterReportFixture.h"

#include "printing/PrintSettings.h"

void RegisterReportFixture::SetUp()
{
    startAfresh();
}

void RegisterReportFixture::startAfresh()
{
    report.reset();
    db = QSqlDatabase();
    folder.reset();
    folder.emplace();
    db = folder->openWorkingYear();
    printSettings() = PrintSettings();
    printer.jobs.clear();
    dialogs.shown.clear();
    prepareYear();
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

void RegisterReportFixture::expectPrintedAs(const PageModel& expected,
                                            const ReportFrame::Defaults& defaults) const
{
    ASSERT_EQ(printer.jobs.size(), 1);
    ASSERT_EQ(printer.jobs[0].model.pages.size(), expected.pages.size());
    for (qsizetype p = 0; p < expected.pages.size(); ++p)
        EXPECT_EQ(printer.jobs[0].model.pages[p].texts(), expected.pages[p].texts());
    EXPECT_EQ(printSettings().orientation, defaults.orientation);
    EXPECT_EQ(printSettings().fontSize, defaults.fontSize);
}

QString RegisterReportFixture::thisYearSoFar()
{
    const QDate today = QDate::currentDate();
    return QDate(today.year(), 1, 1).toString(Qt::ISODate) + '|' + today.toString(Qt::ISODate);
}

QStringList RegisterReportFixture::textsFrom(const Page& page, const QString& first, qsizetype count,
                                             int occurrence)
{
    const QStringList texts = page.texts();
    qsizetype at = -1;
    for (int i = 0; i <= occurrence && (i == 0 || at >= 0); ++i)
        at = texts.indexOf(first, at + 1);
    return at < 0 ? QStringList() : texts.mid(at, count);
}
