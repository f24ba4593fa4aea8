#include "BalanceSheetRows.h"
#include "app/MainUnt.h"
#include "db/Dataset.h"
#include "db/DatasetModel.h"
#include "registers/BilantUnt.h"
#include "support/Documents.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/DateEdit.h"
#include "widgets/TDBGridNormal.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

// Working year 2024, opening balance 1500; donations (7) and sponsorships (8)
// whose running totals round differently in thousands from the period's own:
// 1004 lei of donations on 31 January and 1004 on 1 February, 2004 lei of
// sponsorships on 31 January and 2004 on 1 March.
class BalancePeriodInThousands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QSqlDatabase db = folder.openWorkingYear();
        Documents::setYear(db, 2024, 500, 1000);
        BalanceSheetRows::replace(db,
                                  {{1, "Sold"}, {7, "Donatii"}, {8, "Sponsorizari"}, {20, "Total", "7+8"}});
        Documents::receipt(db, 1, QStringLiteral("2024-01-31"), 1004, QStringLiteral("Casa"), {}, 7);
        Documents::receipt(db, 2, QStringLiteral("2024-02-01"), 1004, QStringLiteral("Casa"), {}, 7);
        Documents::receipt(db, 3, QStringLiteral("2024-01-31"), 2004, QStringLiteral("Casa"), {}, 8);
        Documents::receipt(db, 4, QStringLiteral("2024-03-01"), 2004, QStringLiteral("Banca"), {}, 8);
        main = std::make_unique<TMainFrm>();
        main->show();
    }
    void TearDown() override
    {
        if (TBilantFrm* w = TBilantFrm::instance())
            w->close();
        main.reset();
    }

    static void typeDate(TDateEdit* input, const char* digits)
    {
        input->setFocus();
        input->selectAll();
        QTest::keyClicks(input, QString::fromLatin1(digits));
    }
    // The grid's execution column, row by row.
    static QStringList executions(TBilantFrm* w)
    {
        DatasetModel* model = w->grid()->datasetModel();
        QStringList texts;
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->headerData(c, Qt::Horizontal).toString() == QStringLiteral("Executie"))
                for (int row = 0; row < model->rowCount(); ++row)
                    texts << model->index(row, c).data().toString();
        return texts;
    }

    TestFolder folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<TMainFrm> main;
};

} // namespace

// Each row of a period is the period's own lei expressed in thousands, and
// the total is the sum of the rows shown, as for a period from 1 January.
TEST_F(BalancePeriodInThousands, RecalcRoundsThePeriodsOwnFiguresAndTotalsWhatItShows)
{
    main->command(QStringLiteral("OpBilant"))->trigger();
    TBilantFrm* w = TBilantFrm::instance();
    ASSERT_NE(w, nullptr);
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    w->thousandsBox()->setFocus();
    QTest::keyClick(w->thousandsBox(), Qt::Key_Space);
    ASSERT_TRUE(w->thousandsBox()->isChecked());

    struct Case {
        const char *from, *to;
        const char* figures; // opening, donations, sponsorships, total
    };
    const Case cases[] = {
        {"01022024", "31032024", "0,00 1,00 2,00 3,00"},
        {"01032024", "31032024", "0,00 0,00 2,00 2,00"},
        {"01012024", "31032024", "1,50 2,01 4,01 6,02"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        typeDate(w->fromInput(), c.from);
        typeDate(w->toInput(), c.to);
        QTest::mouseClick(w->recalcButton(), Qt::LeftButton);
        EXPECT_EQ(executions(w).join(QLatin1Char(' ')).toStdString(), c.figures);
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
}
