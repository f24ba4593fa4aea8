#include "ReportFixture.h"

#include "printing/PrintSettings.h"

void ReportFixture::SetUp()
{
    startAfresh();
}

void ReportFixture::startAfresh()
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
    prepareYear();
}

void ReportFixture::TearDown()
{
    printSettings() = PrintSettings();
}

PageModel ReportFixture::layOutReport(std::unique_ptr<Report> built, const ReportFrame::Defaults& defaults)
{
    report = std::move(built);
    ReportFrame::applyDefaults(defaults);
    return ReportFrame::layOut(*report);
}

void ReportFixture::expectPrintedAs(const PageModel& expected, const ReportFrame::Defaults& defaults) const
{
    ASSERT_EQ(printer.jobs.size(), 1);
    ASSERT_EQ(printer.jobs[0].model.pages.size(), expected.pages.size());
    for (qsizetype p = 0; p < expected.pages.size(); ++p)
        EXPECT_EQ(printer.jobs[0].model.pages[p].texts(), expected.pages[p].texts());
    EXPECT_EQ(printSettings().orientation, defaults.orientation);
    EXPECT_EQ(printSettings().fontSize, defaults.fontSize);
}

QString ReportFixture::thisYearSoFar()
{
    const QDate today = QDate::currentDate();
    return QDate(today.year(), 1, 1).toString(Qt::ISODate) + '|' + today.toString(Qt::ISODate);
}

int ReportFixture::pageOf(const PageModel& model, const QString& text)
{
    for (int p = 0; p < model.pages.size(); ++p)
        if (model.pages[p].texts().contains(text))
            return p;
    return -1;
}

QStringList ReportFixture::textsFrom(const Page& page, const QString& first, qsizetype count, int occurrence)
{
    const QStringList texts = page.texts();
    qsizetype at = -1;
    for (int i = 0; i <= occurrence && (i == 0 || at >= 0); ++i)
        at = texts.indexOf(first, at + 1);
    return at < 0 ? QStringList() : texts.mid(at, count);
}
