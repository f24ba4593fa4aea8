#include "db/Connection.h"
#include "db/Sql.h"
#include "operations/TPangarInFrm.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/DBNavigator.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/TDBGridNormal.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace
{

// Two intake documents (Cod 1 with two lines, Cod 2 with one) and two suppliers.
class CandleIntakeWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.openWorkingYear();
        for (const char* statement : {
                 "INSERT INTO Furnizori (Cod_furn, Denumire) VALUES ('F1', 'Lumanari Sfintei Mari'),"
                 " ('F2', 'Atelierul de ceara')",
                 "INSERT INTO DocIn (Cod, Numar, Data, Tip, Furnizor) VALUES"
                 " (1, 10, '2026-02-01', 'O.P.', 'Atelierul de ceara'), (2, 11, '2026-03-01', 'FACT', NULL)",
                 "INSERT INTO ItemIn (Cod, Cod_articol, Denumire, Cantitate) VALUES"
                 " (1, 100, 'Lumanare mica', 500), (1, 101, 'Lumanare mare', 200), (2, 100, 'Lumanare mica', "
                 "50)",
             })
            execOrFail(QString::fromLatin1(statement));
    }

    TPangarInFrm* open()
    {
        auto* window = showDocumentWindow<TPangarInFrm>(&owner);
        QApplication::setActiveWindow(window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        return window;
    }
    static void press(TPangarInFrm* w, TDBNavigator::Button b)
    {
        QTest::mouseClick(w->navigator()->button(b), Qt::LeftButton);
    }
    static int linesOf(int cod)
    {
        return Sql::scalar(Connection::database(),
                           QStringLiteral("SELECT COUNT(*) FROM ItemIn WHERE Cod = :c"),
                           {{QStringLiteral(":c"), cod}})
            .toInt();
    }
    // Types a line's article code into the grid and stores the line by moving down.
    static void typeNewLine(TPangarInFrm* w, const QString& article)
    {
        TDBGridNormal* grid = w->linesGrid();
        grid->setFocus();
        const auto key = [grid](Qt::Key k) {
            QTest::keyClick(grid->cellEditor() ? static_cast<QWidget*>(grid->cellEditor()) : grid, k);
        };
        key(Qt::Key_Insert);
        grid->selectField(QStringLiteral("Cod_articol"));
        ASSERT_NE(grid->cellEditor(), nullptr);
        QTest::keyClicks(grid->cellEditor(), article);
        key(Qt::Key_Down);
    }

    TestFolder folder;
    ScriptedDialogs dialogs;
    QWidget owner;
};

} // namespace

TEST_F(CandleIntakeWindowTest, OpensOnTheLastDocumentWithItsLines)
{
    auto* w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Registru intrari lumanari"));
    Dataset* d = w->document();
    EXPECT_EQ(d->state(), DatasetState::Browse) << "no new document is started";
    EXPECT_EQ(d->asInteger(QStringLiteral("Cod")), 2);
    EXPECT_EQ(w->lines()->recordCount(), 1);
    EXPECT_EQ(w->linesGrid()->model()->columnCount(), 8) << "one column per field";
    EXPECT_EQ(w->supplierInput()->count(), 2);
    EXPECT_EQ(w->supplierInput()->itemText(0), QStringLiteral("Lumanari Sfintei Mari"));
    EXPECT_EQ(w->kindInput()->itemText(0), QStringLiteral("O.P."));

    press(w, TDBNavigator::First);
    EXPECT_EQ(w->lines()->recordCount(), 2) << "the lines follow their document";
    EXPECT_EQ(w->supplierInput()->currentText(), QStringLiteral("Atelierul de ceara"));
}

TEST_F(CandleIntakeWindowTest, ADocumentWithEveryFieldEmptyIsStoredSilently)
{
    auto* w = open();
    press(w, TDBNavigator::Insert);
    QTest::mouseClick(w->saveButton(), Qt::LeftButton);
    EXPECT_EQ(w->document()->state(), DatasetState::Insert) << "\"&Salveaza\" has no action here";
    press(w, TDBNavigator::Post);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(storedRows(QStringLiteral("DocIn")), 3);
    EXPECT_EQ(w->lines()->recordCount(), 0);
}

TEST_F(CandleIntakeWindowTest, ANewLineTakesItsDocumentsCod)
{
    auto* w = open();
    press(w, TDBNavigator::First);
    typeNewLine(w, QStringLiteral("102"));
    EXPECT_EQ(linesOf(1), 3);
    EXPECT_EQ(w->lines()->recordCount(), 3);

    // A document still being typed is stored first, so its line is not left without it.
    press(w, TDBNavigator::Insert);
    typeNewLine(w, QStringLiteral("103"));
    EXPECT_EQ(storedRows(QStringLiteral("DocIn")), 3);
    const int newCod = w->document()->asInteger(QStringLiteral("Cod"));
    EXPECT_EQ(newCod, 3);
    EXPECT_EQ(linesOf(newCod), 1);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// A line with a negative value (a reversal) is stored only on "Da"; "Nu" keeps it being typed.
TEST_F(CandleIntakeWindowTest, ANegativeLineValueIsAskedAbout)
{
    auto* w = open();
    TDBGridNormal* grid = w->linesGrid();
    for (const bool answer : {false, true}) {
        SCOPED_TRACE(answer ? "Da" : "Nu");
        dialogs.shown.clear();
        dialogs.answers = {answer};
        grid->setFocus();
        QTest::keyClick(grid->cellEditor() ? static_cast<QWidget*>(grid->cellEditor()) : grid,
                        Qt::Key_Insert);
        grid->selectField(QStringLiteral("Valoare"));
        ASSERT_NE(grid->cellEditor(), nullptr);
        QTest::keyClicks(grid->cellEditor(), QStringLiteral("-30"));
        QTest::keyClick(grid->cellEditor(), Qt::Key_Down);
        EXPECT_EQ(dialogs.everything(), QStringList{QStringLiteral(
                                            "question: Suma este negativa (stornare). Salvati documentul?")});
        EXPECT_EQ(linesOf(2), answer ? 2 : 1);
        if (!answer) {
            EXPECT_EQ(w->lines()->asFloat(QStringLiteral("Valoare")), -30.0) << "what was typed stays";
            QTest::keyClick(grid->cellEditor(), Qt::Key_Escape); // the line is dropped
        }
    }
}

TEST_F(CandleIntakeWindowTest, DeletingADocumentLeavesItsLines)
{
    auto* w = open();
    press(w, TDBNavigator::First);
    press(w, TDBNavigator::Delete);
    EXPECT_TRUE(dialogs.shown.isEmpty()) << "no question";
    EXPECT_EQ(storedRows(QStringLiteral("DocIn")), 1);
    EXPECT_EQ(linesOf(1), 2);
}

TEST_F(CandleIntakeWindowTest, WithoutSuppliersTheListIsEmpty)
{
    execOrFail(QStringLiteral("DELETE FROM Furnizori"));
    auto* w = open();
    EXPECT_EQ(w->supplierInput()->count(), 0);
}

TEST_F(CandleIntakeWindowTest, NoLineWithoutADocument)
{
    execOrFail(QStringLiteral("DELETE FROM DocIn"));
    auto* w = open();
    TDBGridNormal* grid = w->linesGrid();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Insert);
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")),
              QStringList{QStringLiteral("Adaugati intai documentul, apoi liniile lui.")});
    EXPECT_FALSE(w->lines()->isEditing());
    EXPECT_EQ(storedRows(QStringLiteral("ItemIn")), 3);
}
