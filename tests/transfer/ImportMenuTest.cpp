#include "OldParish.h"

#include "app/MainUnt.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "support/ProgramRun.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

// The main window on a working year holding one receipt.
class ImportMenu : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<TMainFrm>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        execOrFail(
            QStringLiteral("INSERT INTO Venituri (Nr_act, Data, Valoarea) VALUES (77, '2024-01-02', 5)"));
        parish.incomes(QStringLiteral("Venituri.DB"), {{1, 10}, {2, 20}});
    }

    // Opens "Sistem" with Alt+S and picks "Import date vechi..." with the arrow keys.
    void chooseImportFromMenu()
    {
        QMenu* sistem = window->menuBar()->actions().first()->menu();
        const QAction* importItem = window->command(QStringLiteral("ImportDateVechi"));
        ASSERT_TRUE(sistem->actions().contains(const_cast<QAction*>(importItem)));
        window->menuBar()->setActiveAction(sistem->menuAction());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(sistem));
        for (QAction* a : sistem->actions()) {
            if (a == importItem)
                break;
            if (!a->isSeparator())
                QTest::keyClick(sistem, Qt::Key_Down);
        }
        QTest::keyClick(sistem, Qt::Key_Down);
        ASSERT_EQ(sistem->activeAction(), importItem);
        QTest::keyClick(sistem, Qt::Key_Return);
    }

    QStringList receipts()
    {
        QStringList numbers;
        QSqlQuery q =
            Sql::exec(Connection::database(), QStringLiteral("SELECT Nr_act FROM Venituri ORDER BY rowid"));
        while (q.next())
            numbers << q.value(0).toString();
        return numbers;
    }

    TestFolder folder;
    ScriptedDialogs dialogs;
    OldParish parish;
    std::unique_ptr<TMainFrm> window;
};

} // namespace

TEST_F(ImportMenu, AnsweringNoLeavesTheDocuments)
{
    dialogs.fileAnswers = {parish.path()};
    dialogs.answers = {false};
    chooseImportFromMenu();
    ASSERT_EQ(dialogs.texts(QStringLiteral("question")).size(), 1);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("question")).first().contains(QStringLiteral("au documente")));
    EXPECT_TRUE(dialogs.texts(QStringLiteral("information")).isEmpty());
    EXPECT_EQ(receipts(), QStringList({"77"}));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("Import.txt"))));
}

TEST_F(ImportMenu, AnsweringYesImportsAndShowsTheSummary)
{
    dialogs.fileAnswers = {parish.path()};
    dialogs.answers = {true};
    chooseImportFromMenu();
    const QStringList shown = dialogs.texts(QStringLiteral("information"));
    ASSERT_EQ(shown.size(), 1) << dialogs.texts(QStringLiteral("error")).join(' ').toStdString();
    EXPECT_TRUE(shown.first().contains(QStringLiteral("Venituri.DB: citite 2, preluate 2, refuzate 0")));
    // The connection is back on the working year, which now holds the imported rows.
    EXPECT_TRUE(Connection::isOpen());
    EXPECT_EQ(receipts(), QStringList({"1", "2"}));
}

TEST_F(ImportMenu, AFolderWithoutTablesIsRefusedWithAWarning)
{
    OldParish empty;
    dialogs.fileAnswers = {empty.path()};
    chooseImportFromMenu();
    ASSERT_EQ(dialogs.texts(QStringLiteral("warning")).size(), 1);
    EXPECT_TRUE(
        dialogs.texts(QStringLiteral("warning")).first().contains(QStringLiteral("nu contine tabele")));
    EXPECT_EQ(receipts(), QStringList({"77"}));
}

TEST_F(ImportMenu, AFailedImportIsShownAndTheWorkingYearStaysOpen)
{
    QFile damaged(parish.path() + QStringLiteral("Venituri.DB"));
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    damaged.resize(damaged.size() + 3);
    damaged.close();
    dialogs.fileAnswers = {parish.path()};
    dialogs.answers = {true};
    chooseImportFromMenu();
    const QStringList errors =
        dialogs.texts(QStringLiteral("error")) + dialogs.texts(QStringLiteral("warning"));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains(QStringLiteral("Venituri.DB este deteriorat")))
        << errors.first().toStdString();
    EXPECT_TRUE(Connection::isOpen());
    EXPECT_EQ(receipts(), QStringList({"77"}));
}

TEST_F(ImportMenu, RefusedWhileADocumentWindowIsOpen)
{
    QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
    dialogs.fileAnswers = {parish.path()};
    dialogs.answers = {true};
    chooseImportFromMenu();
    const QStringList warnings = dialogs.texts(QStringLiteral("warning"));
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings.first().contains(QStringLiteral("Inchideti celelalte ferestre")));
    EXPECT_EQ(dialogs.fileAnswers.size(), 1) << "no folder was asked";
    EXPECT_EQ(receipts(), QStringList({"77"}));
}

TEST_F(ImportMenu, ALongSummaryIsCutInTheWindowButWholeInTheFile)
{
    QList<OldTableFile::Row> sameCode(60, {1, QStringLiteral("Taxe")});
    parish.write(QStringLiteral("Tip_venituri.DB"),
                 {OldTableFile::shortInt(QStringLiteral("Cod_venit")),
                  OldTableFile::alpha(QStringLiteral("Denumire"), 100)},
                 sameCode);
    dialogs.fileAnswers = {parish.path()};
    dialogs.answers = {true};
    chooseImportFromMenu();
    ASSERT_EQ(dialogs.texts(QStringLiteral("information")).size(), 1);
    const QString shown = dialogs.texts(QStringLiteral("information")).first();
    EXPECT_TRUE(shown.contains(QStringLiteral("  rândul 40: cheie duplicată")));
    EXPECT_FALSE(shown.contains(QStringLiteral("  rândul 41: cheie duplicată")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("... (restul in fisier)")));
    const QStringList file = textFileLines(folder.file(QStringLiteral("Import.txt")));
    EXPECT_EQ(file.size(), 1 + 59 + 1);
    EXPECT_EQ(file.last(), QStringLiteral("Venituri.DB: citite 2, preluate 2, refuzate 0"));
}
