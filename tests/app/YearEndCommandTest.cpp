#include "app/Firms.h"
#include "app/MainUnt.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "operations/TVenituriFrm.h"
#include "support/Documents.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/dbdate.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

const QString backupQuestion =
    QStringLiteral("Inainte de declansarea operatiunii de trecere la an nou este recomandat\n"
                   "sa efectuati o salvare a bazei de date accesand meniul Sistem -> Salvare date.\n"
                   "Daca ati efectuat deja salvarea ignorati mesajul!\n"
                   "Doriti sa continuati procedura de trecere la noul an?");
const QString closingQuestion =
    QStringLiteral("Atentie! Aceasta operatiune va salva datele pentru anul 2023\n"
                   "si va initializa anul 2024. Operatia este ireversibila!\n"
                   "Doriti sa continuati?");

class YearEndCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = folder.openWorkingYear();
        Documents::setYear(db, 2023, 500, 1000);
        Sql::exec(db, QStringLiteral("UPDATE Contor SET PretOut = 2.5, PretInOut = 0.5"));
        Documents::receipt(db, 1, QStringLiteral("2023-03-01"), 10);
        Documents::receipt(db, 2, QStringLiteral("2024-01-03"), 15);
        Documents::salaryOrder(db, 1, QStringLiteral("2023-12-30"), QStringLiteral("Casa"), {{34, 100}});
        mainWindow = std::make_unique<TMainFrm>();
        mainWindow->show();
    }

    void runRollover(QList<bool> answers)
    {
        dialogs.answers = std::move(answers);
        mainWindow->command(QStringLiteral("TrecereaLaAnNou"))->trigger();
    }

    QVariant workingYear() const
    {
        return Sql::scalar(Connection::database(), QStringLiteral("SELECT An_lucru FROM Parohia"));
    }

    QStringList storedIncomeDates() const
    {
        QStringList dates;
        QSqlQuery query =
            Sql::exec(Connection::database(), QStringLiteral("SELECT Data FROM Venituri ORDER BY Data"));
        while (query.next())
            dates << query.value(0).toString();
        return dates;
    }

    // The dates of the receipts the incomes window holds.
    static QList<QDate> datesShownBy(const TVenituriFrm& window)
    {
        const Dataset& receipts = *window.document();
        QList<QDate> dates;
        for (int row = 0; row < receipts.recordCount(); ++row)
            dates << receipts.rowValue(row, receipts.fieldIndex(QStringLiteral("Data"))).toDate();
        return dates;
    }

    // Opens the incomes window and types a receipt into its fresh record, from the keyboard.
    TVenituriFrm* typeReceipt(const QString& dateDigits, const QString& code, const QString& amount)
    {
        mainWindow->command(QStringLiteral("OpVenituri"))->trigger();
        auto* window = mainWindow->findChild<TVenituriFrm*>();
        QApplication::setActiveWindow(window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        window->dateInput()->setFocus();
        window->dateInput()->setCursorPosition(0);
        QTest::keyClicks(window->dateInput(), dateDigits);
        typeOver(window->numberInput(), QStringLiteral("41"));
        typeOver(window->codeInput(), code);
        typeOver(window->amountInput(), amount);
        return window;
    }

    static void typeOver(QLineEdit* input, const QString& text)
    {
        input->setFocus();
        input->selectAll();
        if (text.isEmpty())
            QTest::keyClick(input, Qt::Key_Backspace);
        else
            QTest::keyClicks(input, text);
    }

    TestFolder folder;
    ScriptedDialogs dialogs;
    QSqlDatabase db;
    std::unique_ptr<TMainFrm> mainWindow;
};

} // namespace

TEST_F(YearEndCommand, AfterBothQuestionsClosesTheYearAndSaysSo)
{
    runRollover({true, true});

    ASSERT_EQ(dialogs.shown.size(), 3);
    EXPECT_EQ(dialogs.texts(QStringLiteral("question")), (QStringList{backupQuestion, closingQuestion}));
    EXPECT_EQ(dialogs.texts(QStringLiteral("information")),
              QStringList{
                  QStringLiteral("Operatiune terminata cu succes!\n"
                                 "Baza de date a fost initializata pentru anul 2024.\n"
                                 "Actualizati, daca este cazul, sold initial casa si sold initial banca.")});
    EXPECT_EQ(workingYear().toInt(), 2024);
    EXPECT_EQ(storedIncomeDates(), QStringList{QStringLiteral("2024-01-03")});
    EXPECT_TRUE(QDir(folder.path() + QStringLiteral("2023")).exists());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(YearEndCommand, EitherNoChangesNothing)
{
    const struct {
        QList<bool> answers;
        int questionsAsked;
    } cases[] = {{{false}, 1}, {{true, false}, 2}};
    for (const auto& c : cases) {
        dialogs.shown.clear();
        runRollover(c.answers);
        EXPECT_EQ(dialogs.texts(QStringLiteral("question")).size(), c.questionsAsked);
        EXPECT_EQ(dialogs.shown.size(), c.questionsAsked);
        EXPECT_EQ(workingYear().toInt(), 2023);
        EXPECT_EQ(storedIncomeDates(),
                  (QStringList{QStringLiteral("2023-03-01"), QStringLiteral("2024-01-03")}));
        EXPECT_FALSE(Sql::tableExists(Connection::database(), QStringLiteral("Ani")));
        EXPECT_FALSE(QDir(folder.path() + QStringLiteral("2023")).exists());
    }
}

TEST_F(YearEndCommand, WithoutAWorkingYearOnlyWarns)
{
    Sql::exec(db, QStringLiteral("UPDATE Parohia SET An_lucru = NULL"));
    runRollover({true, true});
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")),
              QStringList{QStringLiteral(
                  "Nu este setat anul de lucru!Configurati acest parametru si reluati operatiunea.")});
    EXPECT_FALSE(QDir(folder.path() + QStringLiteral("2023")).exists());
}

TEST_F(YearEndCommand, AFailureSaysTheYearWasNotClosedAndGivesTheCursorBack)
{
    Sql::exec(db, QStringLiteral("CREATE TRIGGER refuz BEFORE DELETE ON CheltSal BEGIN "
                                 "SELECT RAISE(ABORT, 'ordin blocat'); END"));
    runRollover({true, true});

    const QStringList errors = dialogs.texts(QStringLiteral("error"));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().startsWith(QStringLiteral("Anul 2023 NU a fost inchis")))
        << errors.first().toStdString();
    EXPECT_TRUE(errors.first().contains(QStringLiteral("ordin blocat")));
    EXPECT_TRUE(dialogs.texts(QStringLiteral("information")).isEmpty());
    EXPECT_EQ(workingYear().toInt(), 2023);
    EXPECT_EQ(storedIncomeDates(), (QStringList{QStringLiteral("2023-03-01"), QStringLiteral("2024-01-03")}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// An open window forgets the deleted documents; the closed year then opens
// from the year list of the parish data and shows them again.
TEST_F(YearEndCommand, OpenWindowsFollowTheNewYearAndTheClosedYearOpensFromTheYearList)
{
    mainWindow->command(QStringLiteral("OpVenituri"))->trigger();
    const QList<TVenituriFrm*> windows = mainWindow->findChildren<TVenituriFrm*>();
    ASSERT_EQ(windows.size(), 1);
    ASSERT_TRUE(datesShownBy(*windows.first()).contains(QDate(2023, 3, 1)));

    runRollover({true, true});
    EXPECT_FALSE(datesShownBy(*windows.first()).contains(QDate(2023, 3, 1)));
    EXPECT_TRUE(datesShownBy(*windows.first()).contains(QDate(2024, 1, 3)));

    TFirmDataDlg parishData;
    parishData.show();
    TDBComboNormal* years = parishData.yearBox();
    ASSERT_EQ(years->count(), 2);
    EXPECT_EQ(years->itemText(0), QStringLiteral("2024"));
    EXPECT_EQ(years->itemText(1), QStringLiteral("2023"));
    QTest::keyClick(years, Qt::Key_Down);
    ASSERT_EQ(years->currentText(), QStringLiteral("2023"));

    EXPECT_TRUE(DatabaseLocation::instance().isClosedYearOpen());
    EXPECT_EQ(workingYear().toInt(), 2023);
    EXPECT_TRUE(datesShownBy(*windows.first()).contains(QDate(2023, 3, 1)));
    EXPECT_FALSE(mainWindow->command(QStringLiteral("TrecereaLaAnNou"))->isEnabled());
}

// What is typed in an open window is stored before the closing, so that the
// year folder has it and nothing typed is dropped unseen.
TEST_F(YearEndCommand, AReceiptBeingTypedIsStoredBeforeTheClosing)
{
    typeReceipt(QStringLiteral("15122023"), QStringLiteral("7"), QStringLiteral("30"));
    dialogs.shown.clear();

    runRollover({true, true});

    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList());
    EXPECT_EQ(workingYear().toInt(), 2024);
    QSqlDatabase archived = Connection::openNamed(QStringLiteral("archive-check"),
                                                  folder.path() + QStringLiteral("2023/BazaDate.sqlite"));
    EXPECT_EQ(Sql::scalar(archived, QStringLiteral("SELECT Valoarea FROM Venituri WHERE Data = '2023-12-15'"))
                  .toDouble(),
              30);
    archived = QSqlDatabase();
    Connection::removeNamed(QStringLiteral("archive-check"));
}

// A receipt the window refuses to store stops the closing before anything
// changes, and stays in the window as typed.
TEST_F(YearEndCommand, AReceiptThatCannotBeStoredStopsTheClosingAndStaysTyped)
{
    TVenituriFrm* window = typeReceipt(QStringLiteral("15122023"), QStringLiteral("7"), QString());
    dialogs.shown.clear();

    runRollover({true, true});

    const QStringList warnings = dialogs.texts(QStringLiteral("warning"));
    ASSERT_EQ(warnings.size(), 2);
    EXPECT_EQ(
        warnings.first(),
        QStringLiteral("Completati toate datele referitoare la incasarea pe care doriti sa o efectuati!"));
    EXPECT_TRUE(warnings.last().startsWith(QStringLiteral("Anul 2023 NU a fost inchis")));
    EXPECT_TRUE(dialogs.texts(QStringLiteral("information")).isEmpty());
    EXPECT_EQ(workingYear().toInt(), 2023);
    EXPECT_FALSE(QDir(folder.path() + QStringLiteral("2023")).exists());
    EXPECT_EQ(window->document()->state(), DatasetState::Insert);
    EXPECT_EQ(window->numberInput()->text(), QStringLiteral("41"));
    EXPECT_EQ(window->codeInput()->text(), QStringLiteral("7"));
}
