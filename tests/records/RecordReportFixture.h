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

// A working year in a real folder, the print settings as delivered, the
// printer and the dialogs scripted, and the report last laid out.
class RecordReportFixture : public ::testing::Test
{
protected:
    void SetUp() override { startAfresh(); }
    void TearDown() override;
    void startAfresh();

    template <typename Case, typename Check> void forEachCase(const QList<Case>& cases, const Check& check)
    {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            check(c);
            startAfresh();
        }
    }

    // Keeps `built` and lays it out in landscape, as its menu command would.
    PageModel layOutReport(std::unique_ptr<Report> built);

    // The index of the first page holding `text`, -1 when none does.
    static int pageOf(const PageModel& model, const QString& text);

    std::optional<TestFolder> folder;
    QSqlDatabase db;
    FakePrinter printer;
    ScriptedDialogs dialogs;
    std::unique_ptr<Report> report;
};
