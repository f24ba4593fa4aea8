#include "app/MainUnt.h"
#include "db/Dataset.h"
#include "db/DatasetModel.h"
#include "registers/BilantUnt.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/TDBGridNormal.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

// The balance sheet window as it opens on the delivered nomenclature: every
// row name is shown whole, so that rows such as the two totals can be told apart.
TEST(BalanceSheetGrid, ShowsEveryRowNameOfTheDeliveredNomenclatureWhole)
{
    TestFolder folder;
    folder.openWorkingYear();
    ScriptedDialogs dialogs;
    auto main = std::make_unique<TMainFrm>();
    main->show();
    main->command(QStringLiteral("OpBilant"))->trigger();
    TBilantFrm* w = TBilantFrm::instance();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));

    TDBGridNormal* grid = w->grid();
    DatasetModel* model = grid->datasetModel();
    ASSERT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Denumire"));
    const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
    const int width = grid->horizontalHeader()->sectionSize(0);
    ASSERT_GT(model->rowCount(), 40);
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString name = model->index(row, 0).data().toString();
        EXPECT_LE(grid->fontMetrics().horizontalAdvance(name) + margins, width) << name.toStdString();
    }
    w->close();
    EXPECT_TRUE(dialogs.shown.isEmpty());
}
