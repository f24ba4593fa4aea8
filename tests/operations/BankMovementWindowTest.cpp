#include "core/ErrorGuard.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Sql.h"
#include "operations/TBankMovementFrm.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/DBNavigator.h"
#include "widgets/DBPos.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/dbdate.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace
{

const QString workingYearText = QString::number(QDate::currentDate().year());

// A working-year database with a cash balance of 1234.5 and a bank balance
// of 800; the windows are owned by `owner`, as by the main window.
class BankMovementWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.openWorkingYear();
        execOrFail(QStringLiteral("UPDATE Contor SET Sold_init_casa = 1234.5, Sold_init_banca = 800"));
    }

    template <class Window> Window* open()
    {
        auto* window = showDocumentWindow<Window>(&owner);
        QApplication::setActiveWindow(window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        return window;
    }

    static void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }
    static void press(TBankMovementFrm* w, TDBNavigator::Button b) { click(w->navigator()->button(b)); }
    static void typeOver(QLineEdit* input, const QString& text)
    {
        input->setFocus();
        input->selectAll();
        QTest::keyClicks(input, text);
    }
    static void chooseKind(TBankMovementFrm* w, const QString& kind)
    {
        typeOver(w->kindInput()->lineEdit(), kind);
    }
    static void typeDate(TBankMovementFrm* w, const QString& digits)
    {
        w->dateInput()->setFocus();
        w->dateInput()->setCursorPosition(0);
        QTest::keyClicks(w->dateInput(), digits);
    }
    static QString balanceShown(TBankMovementFrm* w, Account account)
    {
        return w->balanceLabel(account)->text();
    }
    static QWidget* focused() { return QApplication::focusWidget(); }

    TestFolder folder;
    ScriptedDialogs dialogs;
    QWidget owner;
};

} // namespace

TEST_F(BankMovementWindowTest, ADepositProposesTheCashBalanceAndEmptiesIt)
{
    auto* w = open<TDepuneriFrm>();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Depuneri in banca"));
    EXPECT_EQ(balanceShown(w, Account::Cash), QStringLiteral("1234,50"));
    Dataset* d = w->document();
    EXPECT_EQ(d->state(), DatasetState::Insert);
    EXPECT_EQ(d->asFloat(QStringLiteral("Nr_doc")), 1.0);
    EXPECT_EQ(d->asFloat(QStringLiteral("Suma")), 1234.5);
    EXPECT_EQ(d->asDate(QStringLiteral("Data")), QDate::currentDate());
    EXPECT_TRUE(d->isNull(QStringLiteral("Fel")));
    EXPECT_EQ(focused(), w->numberInput());
    EXPECT_EQ(w->kindInput()->count(), 9) << "the document kinds";

    chooseKind(w, QStringLiteral("DP"));
    click(w->saveButton());
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(storedRows(QStringLiteral("Depuneri")), 1);
    EXPECT_EQ(balanceShown(w, Account::Cash), QStringLiteral("0,00"));
    EXPECT_EQ(focused(), w->printButton());
    EXPECT_EQ(d->state(), DatasetState::Browse);

    press(w, TDBNavigator::Insert);
    EXPECT_EQ(d->asFloat(QStringLiteral("Nr_doc")), 2.0);
    EXPECT_EQ(d->asFloat(QStringLiteral("Suma")), 0.0);
}

TEST_F(BankMovementWindowTest, TheNextDepositProposesTheLowerBalance)
{
    auto* w = open<TDepuneriFrm>();
    typeOver(w->amountInput(), QStringLiteral("1000"));
    chooseKind(w, QStringLiteral("DP"));
    click(w->saveButton());
    EXPECT_EQ(balanceShown(w, Account::Cash), QStringLiteral("234,50"));
    press(w, TDBNavigator::Insert);
    EXPECT_EQ(w->document()->asFloat(QStringLiteral("Suma")), 234.5);
    EXPECT_EQ(w->amountInput()->text(), QStringLiteral("234,50"));
    EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("SELECT Suma FROM Depuneri")).toDouble(),
              1000.0);
}

TEST_F(BankMovementWindowTest, EachWindowShowsOnlyTheBalanceTheMoneyLeaves)
{
    auto* deposits = open<TDepuneriFrm>();
    auto* withdrawals = open<TRidicariFrm>();
    EXPECT_EQ(withdrawals->windowTitle(), QStringLiteral("Ridicari din cont"));
    EXPECT_EQ(balanceShown(withdrawals, Account::Bank), QStringLiteral("800,00"));
    EXPECT_EQ(withdrawals->document()->asFloat(QStringLiteral("Suma")), 800.0);
    EXPECT_EQ(balanceShown(deposits, Account::Cash), QStringLiteral("1234,50"));
    const auto captions = [](QWidget* w) {
        QStringList texts;
        for (const QLabel* label : w->findChildren<QLabel*>())
            texts << label->text();
        return texts.join(QLatin1Char('|'));
    };
    EXPECT_EQ(withdrawals->balanceLabel(Account::Cash), nullptr);
    EXPECT_FALSE(captions(withdrawals).contains(QStringLiteral("CASA")));
    EXPECT_FALSE(captions(withdrawals).contains(QStringLiteral("1234")));
    EXPECT_EQ(deposits->balanceLabel(Account::Bank), nullptr);
    EXPECT_FALSE(captions(deposits).contains(QStringLiteral("BANCA")));
    EXPECT_FALSE(captions(deposits).contains(QStringLiteral("800")));
}

TEST_F(BankMovementWindowTest, ChecksRefuseOneAtATimeAndKeepWhatWasTyped)
{
    const QString lastYear = QString::number(QDate::currentDate().year() - 1);
    const struct {
        bool deposit;
        bool withKind;
        bool lastYearDate;
        QString message;
    } cases[] = {
        {true, false, false,
         QStringLiteral("Completati toate datele referitoare la depunerea pe care doriti sa o efectuati!")},
        {false, false, false,
         QStringLiteral("Completati toate datele referitoare la ridicarea pe care doriti sa o efectuati!")},
        {false, true, true,
         QStringLiteral("Atentie anul ales pentru inregistrarea ridicarii ") + lastYear +
             QStringLiteral(" difera de anul de lucru ") + workingYearText +
             QStringLiteral(" ! Introduceti o data valida.")},
        // The year comes first, even when the kind is missing too.
        {true, false, true,
         QStringLiteral("Atentie anul ales pentru inregistrarea depunerii ") + lastYear +
             QStringLiteral(" difera de anul de lucru ") + workingYearText +
             QStringLiteral(" ! Introduceti o data valida.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        dialogs.shown.clear();
        TBankMovementFrm* w = c.deposit ? static_cast<TBankMovementFrm*>(open<TDepuneriFrm>())
                                        : static_cast<TBankMovementFrm*>(open<TRidicariFrm>());
        typeOver(w->amountInput(), QStringLiteral("75,5"));
        if (c.withKind)
            chooseKind(w, QStringLiteral("DI"));
        if (c.lastYearDate)
            typeDate(w, QStringLiteral("1506") + lastYear);
        typeOver(w->numberInput(), QStringLiteral("41"));
        click(w->saveButton());
        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList{c.message});
        EXPECT_EQ(dialogs.shown.size(), 1);
        EXPECT_EQ(w->document()->state(), DatasetState::Insert);
        EXPECT_EQ(w->numberInput()->text(), QStringLiteral("41"));
        EXPECT_EQ(w->amountInput()->text(), QStringLiteral("75,50"));
        if (c.lastYearDate)
            EXPECT_EQ(w->dateInput()->text(), QStringLiteral("15.06.") + lastYear);
        EXPECT_EQ(storedRows(w->document()->tableName()), 0);
        w->close();
    }
}

TEST_F(BankMovementWindowTest, AnUntouchedNewDocumentIsDroppedATouchedOneIsStored)
{
    execOrFail(
        QStringLiteral("INSERT INTO Depuneri (Nr_doc, Data, Suma, Fel) VALUES (1, date('now'), 10, 'DP')"));
    auto* w = open<TDepuneriFrm>();
    Dataset* d = w->document();
    EXPECT_EQ(d->recordCount(), 2);
    press(w, TDBNavigator::Prior);
    EXPECT_EQ(d->state(), DatasetState::Browse);
    EXPECT_EQ(d->recordCount(), 1);
    EXPECT_EQ(storedRows(QStringLiteral("Depuneri")), 1);
    EXPECT_TRUE(dialogs.shown.isEmpty());

    // Touched but incomplete: moving away runs the checks, and they refuse.
    press(w, TDBNavigator::Insert);
    typeOver(w->amountInput(), QStringLiteral("5"));
    press(w, TDBNavigator::Next);
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")),
              QStringList{"Completati toate datele referitoare la depunerea pe care doriti sa o efectuati!"});
    EXPECT_EQ(d->state(), DatasetState::Insert);

    chooseKind(w, QStringLiteral("DP"));
    press(w, TDBNavigator::Next);
    EXPECT_EQ(d->state(), DatasetState::Browse);
    EXPECT_EQ(storedRows(QStringLiteral("Depuneri")), 2);
    EXPECT_EQ(balanceShown(w, Account::Cash), QStringLiteral("1219,50"));
}

TEST_F(BankMovementWindowTest, ClosingDiscardsAPendingDocumentOrEdit)
{
    execOrFail(
        QStringLiteral("INSERT INTO Ridicari (Nr_doc, Data, Suma, Fel) VALUES (1, date('now'), 10, 'DI')"));
    {
        auto* w = open<TRidicariFrm>();
        typeOver(w->amountInput(), QStringLiteral("99"));
        chooseKind(w, QStringLiteral("DI"));
        w->close();
    }
    {
        auto* w = open<TRidicariFrm>();
        press(w, TDBNavigator::Prior);
        typeOver(w->amountInput(), QStringLiteral("55"));
        EXPECT_EQ(w->document()->state(), DatasetState::Edit);
        w->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(storedRows(QStringLiteral("Ridicari")), 1);
    EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("SELECT Suma FROM Ridicari")).toDouble(),
              10.0);
}

TEST_F(BankMovementWindowTest, TheCommandAgainBringsTheWindowBackFromMinimised)
{
    auto* first = open<TDepuneriFrm>();
    first->showMinimized();
    ASSERT_TRUE(first->isMinimized());
    EXPECT_EQ(showDocumentWindow<TDepuneriFrm>(&owner), first);
    EXPECT_FALSE(first->isMinimized());
    EXPECT_TRUE(first->isVisible());
    EXPECT_NE(static_cast<QWidget*>(showDocumentWindow<TRidicariFrm>(&owner)), first)
        << "the twin is its own window";

    QPointer<TDepuneriFrm> closed = first;
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull()) << "freed on close";
    EXPECT_NE(open<TDepuneriFrm>(), nullptr);
}

TEST_F(BankMovementWindowTest, EnterWalksTheFocusOrderAndSavesFromTheButton)
{
    auto* w = open<TDepuneriFrm>();
    chooseKind(w, QStringLiteral("DP"));
    w->numberInput()->setFocus();
    const QList<QWidget*> stops = {w->dateInput(), w->kindInput(), w->amountInput()};
    for (QWidget* expected : stops) {
        QTest::keyClick(focused(), Qt::Key_Return);
        EXPECT_EQ(focused(), expected) << expected->objectName().toStdString();
    }
    QTest::keyClick(focused(), Qt::Key_Return);
    EXPECT_EQ(focused()->parentWidget(), w->navigator()) << "the navigator is next";
    QTest::keyClick(focused(), Qt::Key_Return);
    EXPECT_EQ(focused(), w->saveButton()) << "Enter goes on past the navigator";
    EXPECT_EQ(storedRows(QStringLiteral("Depuneri")), 0);
    QTest::keyClick(focused(), Qt::Key_Return);
    EXPECT_EQ(storedRows(QStringLiteral("Depuneri")), 1);
    EXPECT_EQ(focused(), w->printButton());
    QTest::keyClick(focused(), Qt::Key_Tab);
    EXPECT_EQ(focused(), w->numberInput()) << "the order wraps around";
}

TEST_F(BankMovementWindowTest, DeletingAsksTheWindowsQuestion)
{
    execOrFail(
        QStringLiteral("INSERT INTO Depuneri (Nr_doc, Data, Suma, Fel) VALUES (1, date('now'), 34.5, 'DP')"));
    auto* w = open<TDepuneriFrm>();
    EXPECT_EQ(balanceShown(w, Account::Cash), QStringLiteral("1200,00"));
    press(w, TDBNavigator::Prior);
    const QString question = QStringLiteral("Sigur doriti anularea acestei depuneri in cont?");
    dialogs.answers = {false};
    press(w, TDBNavigator::Delete);
    EXPECT_EQ(dialogs.texts(QStringLiteral("question")), QStringList{question});
    EXPECT_EQ(storedRows(QStringLiteral("Depuneri")), 1);

    dialogs.answers = {true};
    press(w, TDBNavigator::Delete);
    EXPECT_EQ(dialogs.texts(QStringLiteral("question")), (QStringList{question, question}));
    EXPECT_EQ(storedRows(QStringLiteral("Depuneri")), 0);
    EXPECT_EQ(balanceShown(w, Account::Cash), QStringLiteral("1234,50"));

    // Ctrl+Delete in an input asks the same question.
    execOrFail(
        QStringLiteral("INSERT INTO Depuneri (Nr_doc, Data, Suma, Fel) VALUES (2, date('now'), 4.5, 'DP')"));
    press(w, TDBNavigator::Refresh);
    dialogs.answers = {false};
    QTest::keyClick(w->numberInput(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogs.texts(QStringLiteral("question")).size(), 3);
    EXPECT_EQ(storedRows(QStringLiteral("Depuneri")), 1);
}

TEST_F(BankMovementWindowTest, NavigatorHintsAndButtons)
{
    auto* w = open<TRidicariFrm>();
    const struct {
        TDBNavigator::Button button;
        const char* hint;
    } hints[] = {
        {TDBNavigator::First, "Primul document"},       {TDBNavigator::Prior, "Precedentul document"},
        {TDBNavigator::Next, "Urmatorul document"},     {TDBNavigator::Last, "Ultimul document"},
        {TDBNavigator::Insert, "Document nou"},         {TDBNavigator::Delete, "Sterge document"},
        {TDBNavigator::Post, "Salveaza document"},      {TDBNavigator::Cancel, "Anuleaza modificarile"},
        {TDBNavigator::Refresh, "Actualizeaza datele"},
    };
    for (const auto& h : hints)
        EXPECT_EQ(w->navigator()->hint(h.button), QString::fromLatin1(h.hint));
    EXPECT_FALSE(w->navigator()->buttons().testFlag(TDBNavigator::Edit));
    EXPECT_EQ(w->saveButton()->toolTip(), QStringLiteral("Salveaza operatiunea"));
    EXPECT_EQ(w->printButton()->toolTip(), QStringLiteral("Printeaza chitanta"));
    EXPECT_EQ(w->positionBar()->objectName(), QStringLiteral("Pozitie"));
}

TEST_F(BankMovementWindowTest, ASwitchOfYearReopensOnThatYearsDocuments)
{
    const int year = QDate::currentDate().year() - 1;
    execOrFail(
        QStringLiteral("INSERT INTO Depuneri (Nr_doc, Data, Suma, Fel) VALUES (7, date('now'), 34.5, 'DP')"));
    folder.closeYear(year);
    execOrFail(QStringLiteral("DELETE FROM Depuneri"));
    auto* w = open<TDepuneriFrm>();
    EXPECT_EQ(w->document()->recordCount(), 1);
    EXPECT_EQ(balanceShown(w, Account::Cash), QStringLiteral("1234,50"));

    ASSERT_TRUE(DatabaseLocation::instance().switchToYear(QString::number(year), false).ok);
    EXPECT_EQ(w->document()->recordCount(), 2) << "the closed year's deposit and a new one";
    EXPECT_EQ(w->document()->asFloat(QStringLiteral("Nr_doc")), 8.0);
    EXPECT_EQ(balanceShown(w, Account::Cash), QStringLiteral("1200,00"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(BankMovementWindowTest, TheProposedAmountIsTheShownBalanceEvenNegative)
{
    execOrFail(QStringLiteral("UPDATE Contor SET Sold_init_banca = -12.3456"));
    auto* w = open<TRidicariFrm>();
    EXPECT_EQ(balanceShown(w, Account::Bank), QStringLiteral("-12,35"));
    EXPECT_DOUBLE_EQ(w->document()->asFloat(QStringLiteral("Suma")), -12.35);
}

TEST_F(BankMovementWindowTest, AMissingTableIsSaidAndNoWindowOpens)
{
    execOrFail(QStringLiteral("DROP TABLE Ridicari"));
    EXPECT_FALSE(runGuarded([this] { showDocumentWindow<TRidicariFrm>(&owner); }));
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")),
              QStringList{
                  QStringLiteral("Eroare de acces la tabela ridicari!\nTabela Ridicari nu exista in baza de "
                                 "date!")});
    EXPECT_TRUE(owner.findChildren<TRidicariFrm*>().isEmpty());
}
