#pragma once

#include "printing/PageModel.h"
#include "printing/ReportFrame.h"
#include "support/FakePrinter.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QSqlDatabase>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

// The ground the reports' tests stand on: a working year in a real folder,
// the print settings as delivered around each test, the printer and the
// dialogs scripted, and the report last built.
class ReportFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A new working year in a new folder, the print settings as delivered,
    // no print job, no dialog shown or answer waiting and no report: the
    // ground for the next case of a table.
    void startAfresh();

    // What a fixture puts in each new working year; nothing here.
    virtual void prepareYear() {}

    // Runs `check` on each of `cases` (each with a `name`), each on a fresh working year.
    template <typename Case, typename Check> void forEachCase(const QList<Case>& cases, const Check& check)
    {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            check(c);
            startAfresh();
        }
    }

    // Keeps `built` and lays it out with the report's defaults (landscape at
    // 10 points unless told), as its menu command would.
    PageModel layOutReport(std::unique_ptr<Report> built,
                           const ReportFrame::Defaults& defaults = {10, QPageLayout::Landscape});

    // The printer's only job shows the pages of `expected`, and the print
    // settings hold the report's defaults.
    void expectPrintedAs(const PageModel& expected, const ReportFrame::Defaults& defaults) const;

    // The period a menu command proposes, "first of January|today" of this year.
    static QString thisYearSoFar();

    // The index of the first page holding `text`, -1 when none does.
    static int pageOf(const PageModel& model, const QString& text);

    // The page's texts from the `occurrence`-th `first` (counted from 0) on,
    // `count` of them; empty when `first` is not on the page that often.
    static QStringList textsFrom(const Page& page, const QString& first, qsizetype count, int occurrence = 0);

    std::optional<TestFolder> folder;
    QSqlDatabase db;
    FakePrinter printer;
    ScriptedDialogs dialogs;
    std::unique_ptr<Report> report;
};
