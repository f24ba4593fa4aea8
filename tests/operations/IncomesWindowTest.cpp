#include "MoneyWindowTest.h"
#include "core/ProgramOptions.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "operations/TCheltuieliFrm.h"
#include "operations/TVenituriFrm.h"
#include "support/Documents.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/dbdate.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <cmath>

namespace
{

const QString contributionMissing =
    QStringLiteral("Specificati enoriasul de la care se incaseaza contributia!");
const QString incompleteIncome =
    QStringLiteral("Completati toate datele referitoare la incasarea pe care doriti sa o efectuati!");
const QString deleteQuestion = QStringLiteral("Sigur doriti anularea incasarii (chitantei)?");

using IncomesWindowTest = MoneyWindowTest;

QString balance(TVenituriFrm* w, Account account)
{
    return w->balanceLabel(account)->text();
}

} // namespace

TEST_F(IncomesWindowTest, OpensOnAFreshReceiptReadyForTyping)
{
    auto* w = open<TVenituriFrm>();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Incasari"));
    const Dataset* d = w->document();
    EXPECT_EQ(d->state(), DatasetState::Insert);
    EXPECT_EQ(d->asFloat(QStringLiteral("Nr_act")), 1.0);
    EXPECT_EQ(d->asDate(QStringLiteral("Data")), QDate::currentDate());
    EXPECT_EQ(d->asDate(QStringLiteral("Data_registru")), QDate::currentDate());
    EXPECT_EQ(w->kindInput()->currentText(), QStringLiteral("CHIT"));
    EXPECT_EQ(w->accountInput()->currentText(), QStringLiteral("Casa"));
    EXPECT_EQ(focused(), w->numberInput());
    EXPECT_EQ(balance(w, Account::Cash), QStringLiteral("0,00"));
    EXPECT_EQ(balance(w, Account::Bank), QStringLiteral("0,00"));
    EXPECT_EQ(w->parishionerInput()->toolTip(), MoneyDocumentWindow::catalogueHint);
    EXPECT_TRUE(dialogs.shown.isEmpty());

    // Browsing away from the untouched receipt leaves nothing behind.
    press(w, TDBNavigator::First);
    EXPECT_EQ(storedRows(QStringLiteral("Venituri")), 0);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// Receipts 1 to 8 are stored; one of them is deleted (0: none), then a new receipt is started.
TEST_F(IncomesWindowTest, TheNextNumberIsOneAboveTheHighestLeft)
{
    const struct {
        int deleted;
        double proposed;
    } cases[] = {{0, 9}, {8, 8}, {3, 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deleted);
        dialogs.shown.clear();
        execOrFail(QStringLiteral("DELETE FROM Venituri"));
        for (int number = 1; number <= 8; ++number)
            Documents::receipt(Connection::database(), number, QDate::currentDate().toString(Qt::ISODate),
                               10.0 * number);
        auto* w = open<TVenituriFrm>();
        EXPECT_EQ(balance(w, Account::Cash), QStringLiteral("360,00"));
        if (c.deleted) {
            press(w, TDBNavigator::First);
            for (int number = 1; number < c.deleted; ++number)
                press(w, TDBNavigator::Next);
            ASSERT_EQ(w->document()->asFloat(QStringLiteral("Nr_act")), c.deleted);
            dialogs.answers = {false};
            press(w, TDBNavigator::Delete);
            EXPECT_EQ(storedRows(QStringLiteral("Venituri")), 8) << "Nu keeps it";
            dialogs.answers = {true};
            press(w, TDBNavigator::Delete);
            EXPECT_EQ(dialogs.texts(QStringLiteral("question")),
                      (QStringList{deleteQuestion, deleteQuestion}));
            EXPECT_EQ(storedRows(QStringLiteral("Venituri")), 7);
            EXPECT_EQ(balance(w, Account::Cash),
                      QString::number(360 - 10 * c.deleted) + QStringLiteral(",00"));
            press(w, TDBNavigator::Insert);
        }
        EXPECT_EQ(w->document()->asFloat(QStringLiteral("Nr_act")), c.proposed);
        w->close();
    }
}

// Type, income and parishioner picked with Ctrl+Enter, the amount typed,
// Enter after Enter up to "&Salveaza" and on to the next receipt.
TEST_F(IncomesWindowTest, AClerkTypesAContributionFromTheKeyboard)
{
    execOrFail(QStringLiteral("UPDATE Contor SET Sold_init_casa = 1000, Sold_init_banca = 500"));
    auto* w = open<TVenituriFrm>();
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), w->dateInput());
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), w->kindInput());
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), w->codeInput());

    pickWithCtrlEnter(w->codeInput(), QStringLiteral("2"));
    EXPECT_EQ(w->codeInput()->text(), QStringLiteral("2"));
    EXPECT_EQ(w->codeNameText()->text(), QStringLiteral("Contributia anuala a credinciosilor"));
    EXPECT_EQ(focused(), w->parishionerInput()) << "a chosen type moves on to the parishioner";
    EXPECT_EQ(status.text(), QStringLiteral("Apasati <Ctrl-Enter> pentru a selecta enoriasul din catalog!"));

    pickWithCtrlEnter(w->parishionerInput(), QStringLiteral("P1"));
    EXPECT_EQ(w->parishionerInput()->text(), QStringLiteral("P1"));
    EXPECT_EQ(w->parishionerNameText()->text(), QStringLiteral("Popescu Ion"));
    EXPECT_EQ(focused(), w->accountInput());

    press(Qt::Key_Return);
    EXPECT_EQ(focused(), w->amountInput());
    type(QStringLiteral("150"));
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), w->explanationInput()) << "the hidden candle quantity is skipped";
    EXPECT_EQ(w->explanationInput()->text(), QStringLiteral("Contributie anuala pe familie Popescu Ion"));
    press(Qt::Key_Return);
    EXPECT_EQ(focused()->parentWidget(), w->navigator());
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), w->saveButton());
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), w->printButton());
    EXPECT_TRUE(dialogs.shown.isEmpty());

    QSqlQuery row = Sql::exec(Connection::database(),
                              QStringLiteral("SELECT Nr_act, Data, Fel, Cod_venit, Den_venit, Cod_enorias, "
                                             "Den_enorias, Cont, Valoarea, Explicatie, Data_registru, "
                                             "Cant_lumanari FROM Venituri"));
    ASSERT_TRUE(row.next());
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    EXPECT_EQ(row.value(0).toDouble(), 1.0);
    EXPECT_EQ(row.value(1).toString(), today);
    EXPECT_EQ(row.value(2).toString(), QStringLiteral("CHIT"));
    EXPECT_EQ(row.value(3).toInt(), 2);
    EXPECT_EQ(row.value(4).toString(), QStringLiteral("Contributia anuala a credinciosilor"));
    EXPECT_EQ(row.value(5).toString(), QStringLiteral("P1"));
    EXPECT_EQ(row.value(6).toString(), QStringLiteral("Popescu Ion"));
    EXPECT_EQ(row.value(7).toString(), QStringLiteral("Casa"));
    EXPECT_EQ(row.value(8).toDouble(), 150.0);
    EXPECT_EQ(row.value(9).toString(), QStringLiteral("Contributie anuala pe familie Popescu Ion"));
    EXPECT_EQ(row.value(10).toString(), today);
    EXPECT_EQ(row.value(11).toDouble(), 60.0) << "150 at 2.5, counted for every type";
    EXPECT_FALSE(row.next());
    EXPECT_EQ(balance(w, Account::Cash), QStringLiteral("1150,00"));
    EXPECT_EQ(balance(w, Account::Bank), QStringLiteral("500,00"));

    press(Qt::Key_Return);
    EXPECT_EQ(w->document()->state(), DatasetState::Insert);
    EXPECT_EQ(w->document()->asFloat(QStringLiteral("Nr_act")), 2.0);
    EXPECT_EQ(focused(), w->numberInput());
    EXPECT_TRUE(printer.jobs.isEmpty()) << "the receipt option is off";
}

TEST_F(IncomesWindowTest, ChecksRefuseInTheirOrderAndKeepWhatWasTyped)
{
    const struct {
        const char* name;
        QString contributionCode; // of the parameters
        QString code;
        QString parishioner;
        bool lastYear;
        QString amount;
        QString message; // empty: stored
    } cases[] = {
        {"contribution first", QStringLiteral("2"), QStringLiteral("2"), {}, true, {}, contributionMissing},
        {"an empty code is the empty contribution code",
         QStringLiteral("NULL"),
         {},
         {},
         true,
         {},
         contributionMissing},
        {"then the year",
         QStringLiteral("2"),
         QStringLiteral("7"),
         {},
         true,
         {},
         wrongYearMessage(QStringLiteral("Atentie anul ales pentru inregistrarea incasarii "), lastYear())},
        {"then the fields", QStringLiteral("2"), QStringLiteral("7"), {}, false, {}, incompleteIncome},
        {"a contribution with its parishioner",
         QStringLiteral("2"),
         QStringLiteral("2"),
         QStringLiteral("P1"),
         false,
         QStringLiteral("50"),
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        execOrFail(QStringLiteral("UPDATE Contor SET CodVenContrib = ") + c.contributionCode);
        auto* w = open<TVenituriFrm>();
        if (c.lastYear)
            typeDate(w, QStringLiteral("1005") + lastYear());
        typeOver(w->codeInput(), c.code);
        typeOver(w->parishionerInput(), c.parishioner);
        typeOver(w->amountInput(), c.amount);
        typeOver(w->numberInput(), QStringLiteral("41"));
        dialogs.shown.clear();
        click(w->saveButton());
        if (c.message.isEmpty()) {
            EXPECT_TRUE(dialogs.shown.isEmpty());
            EXPECT_EQ(storedRows(QStringLiteral("Venituri")), 1);
        } else {
            EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList{c.message});
            EXPECT_EQ(dialogs.shown.size(), 1);
            EXPECT_EQ(storedRows(QStringLiteral("Venituri")), 0);
            EXPECT_EQ(w->document()->state(), DatasetState::Insert);
            EXPECT_EQ(w->numberInput()->text(), QStringLiteral("41"));
            EXPECT_EQ(w->codeInput()->text(), c.code);
            if (c.message == contributionMissing)
                EXPECT_EQ(focused(), w->parishionerInput());
        }
        w->close();
        execOrFail(QStringLiteral("DELETE FROM Venituri"));
    }
}

TEST_F(IncomesWindowTest, LeavingTheAmountReplacesTheExplanation)
{
    auto* w = open<TVenituriFrm>();
    typeOver(w->codeInput(), QStringLiteral("7"));
    typeOver(w->amountInput(), QStringLiteral("20"));
    press(Qt::Key_Return);
    EXPECT_EQ(w->explanationInput()->text(), QStringLiteral("Donatie ")) << "no parishioner: a blank";

    pickWithCtrlEnter(w->parishionerInput(), QStringLiteral("P2"));
    typeOver(w->explanationInput(), QStringLiteral("Scris de mana"));
    typeOver(w->amountInput(), QStringLiteral("25"));
    press(Qt::Key_Return);
    EXPECT_EQ(w->explanationInput()->text(), QStringLiteral("Donatie Ionescu Maria"));

    // Edited afterwards, the explanation stays until the amount is left again.
    typeOver(w->explanationInput(), QStringLiteral("Donatie pentru clopot"));
    click(w->saveButton());
    EXPECT_EQ(
        Sql::scalar(Connection::database(), QStringLiteral("SELECT Explicatie FROM Venituri")).toString(),
        QStringLiteral("Donatie pentru clopot"));
    w->amountInput()->setFocus();
    press(Qt::Key_Return);
    EXPECT_EQ(w->explanationInput()->text(), QStringLiteral("Donatie pentru clopot"))
        << "a stored receipt only browsed keeps it";

    // An unknown code (a type deleted from the catalogue) clears it.
    typeOver(w->explanationInput(), QStringLiteral("Alt text"));
    execOrFail(QStringLiteral("DELETE FROM Tip_venituri WHERE Cod_venit = 7"));
    typeOver(w->amountInput(), QStringLiteral("26"));
    press(Qt::Key_Return);
    EXPECT_EQ(w->explanationInput()->text(), QString());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// The program's warnings as the clerk sees them: a real box over the window,
// which takes the focus and the activation, read and closed with Enter; the
// desktop then gives the activation back to the window.
class ClerkReadingBoxes : public ScriptedDialogs
{
public:
    void warning(const QString& text) override
    {
        ScriptedDialogs::warning(text);
        const QPointer<QWidget> window = QApplication::activeWindow();
        QTimer::singleShot(0, [] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box) {
                ADD_FAILURE() << "no box is shown";
                return;
            }
            QApplication::setActiveWindow(box);
            EXPECT_TRUE(QTest::qWaitForWindowActive(box));
            QTest::keyClick(box, Qt::Key_Return); // its OK
        });
        StandardDialogs().warning(text);
        QTimer::singleShot(0, [window] {
            if (window)
                QApplication::setActiveWindow(window);
        });
    }
};

// On a fresh installation no candle price is set: each amount typed warns of
// it. Receipts typed one after another through the pickers, the warning read
// and closed each time, keep the explanation made from the type and the
// parishioner, whether the amount is left with Enter or the receipt is stored
// with Alt+S straight from the amount.
TEST_F(IncomesWindowTest, AContributionTypedWhileTheCandlePriceIsMissingKeepsItsExplanation)
{
    const struct {
        QString parishioner;
        QString name;
        bool savedFromTheAmount;
    } receipts[] = {{QStringLiteral("P1"), QStringLiteral("Popescu Ion"), false},
                    {QStringLiteral("P2"), QStringLiteral("Ionescu Maria"), true},
                    {QStringLiteral("P1"), QStringLiteral("Popescu Ion"), true}};
    execOrFail(QStringLiteral("UPDATE Contor SET PretOut = NULL"));
    ClerkReadingBoxes boxes;
    auto* w = open<TVenituriFrm>();
    for (const auto& r : receipts) {
        SCOPED_TRACE(r.name.toStdString() + (r.savedFromTheAmount ? ", Alt+S" : ", Enter"));
        ASSERT_EQ(focused(), w->numberInput());
        press(Qt::Key_Return);
        press(Qt::Key_Return);
        press(Qt::Key_Return);
        pickWithCtrlEnter(w->codeInput(), QStringLiteral("2"));
        pickWithCtrlEnter(w->parishionerInput(), r.parishioner);
        press(Qt::Key_Return);
        ASSERT_EQ(focused(), w->amountInput());
        type(QStringLiteral("150"));
        if (r.savedFromTheAmount) {
            press(Qt::Key_S, Qt::AltModifier); // the button shows itself pressed a moment, then acts
        } else {
            press(Qt::Key_Return);
            EXPECT_EQ(focused(), w->explanationInput());
            press(Qt::Key_Return);
            press(Qt::Key_Return);
            ASSERT_EQ(focused(), w->saveButton());
            press(Qt::Key_Return); // "&Salveaza"
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return focused() == w->printButton(); }));
        press(Qt::Key_Return); // "&Printeaza": the next receipt
    }
    EXPECT_EQ(boxes.texts(QStringLiteral("warning")),
              QStringList(3, QStringLiteral("Atentie! Nu aveti configurat pret iesire lumanari (in Setari -> "
                                            "Parametrii aplicatiei).")));
    QSqlQuery rows =
        Sql::exec(Connection::database(), QStringLiteral("SELECT Explicatie FROM Venituri ORDER BY Nr_act"));
    QStringList explanations;
    while (rows.next())
        explanations << rows.value(0).toString();
    EXPECT_EQ(explanations, (QStringList{QStringLiteral("Contributie anuala pe familie Popescu Ion"),
                                         QStringLiteral("Contributie anuala pe familie Ionescu Maria"),
                                         QStringLiteral("Contributie anuala pe familie Popescu Ion")}));
}

TEST_F(IncomesWindowTest, AnUnknownParishionerIsRefusedAndTheNameCleared)
{
    auto* w = open<TVenituriFrm>();
    typeOver(w->parishionerInput(), QStringLiteral("P1"));
    press(Qt::Key_Return);
    EXPECT_EQ(w->parishionerNameText()->text(), QStringLiteral("Popescu Ion"));
    typeOver(w->parishionerInput(), QStringLiteral("ZZ9"));
    press(Qt::Key_Return);
    EXPECT_EQ(
        dialogs.texts(QStringLiteral("warning")),
        QStringList{QStringLiteral("Enoriasul <ZZ9> nu figureaza în catalog. Apasati Ctrl-Enter pentru a "
                                   "selecta din catalog !")});
    EXPECT_EQ(w->parishionerNameText()->text(), QString());
    EXPECT_EQ(focused(), w->parishionerInput());
}

TEST_F(IncomesWindowTest, AnIncomeOf100InTheBankRaisesTheBankBalanceOnly)
{
    execOrFail(QStringLiteral("UPDATE Contor SET Sold_init_casa = 1000, Sold_init_banca = 500"));
    auto* w = open<TVenituriFrm>();
    EXPECT_EQ(balance(w, Account::Cash), QStringLiteral("1000,00"));
    EXPECT_EQ(balance(w, Account::Bank), QStringLiteral("500,00"));
    typeOver(w->codeInput(), QStringLiteral("7"));
    w->accountInput()->setFocus();
    press(Qt::Key_Down);
    typeOver(w->amountInput(), QStringLiteral("100"));
    click(w->saveButton());
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(balance(w, Account::Cash), QStringLiteral("1000,00"));
    EXPECT_EQ(balance(w, Account::Bank), QStringLiteral("600,00"));

    dialogs.answers = {true};
    press(w, TDBNavigator::Delete);
    EXPECT_EQ(storedRows(QStringLiteral("Venituri")), 0);
    EXPECT_EQ(balance(w, Account::Bank), QStringLiteral("500,00"));
}

// With the receipt option on, "&Printeaza" stores the receipt, prints it and
// starts the next one; with it off it only starts the next one.
TEST_F(IncomesWindowTest, PrinteazaPrintsTheReceiptOnlyWhenTheOptionIsOn)
{
    Sql::exec(Connection::database(), QStringLiteral("UPDATE Parohia SET Parohia = 'Sf. Nicolae'"));
    for (const bool option : {false, true}) {
        SCOPED_TRACE(option);
        printer.jobs.clear();
        folder.write(ProgramOptions::fileName, QStringLiteral("[Options]\r\n%1=%2\r\n")
                                                   .arg(ProgramOptions::printReceiptKey,
                                                        option ? QStringLiteral("1") : QStringLiteral("0"))
                                                   .toLatin1());
        auto* w = open<TVenituriFrm>();
        const double number = w->document()->asFloat(QStringLiteral("Nr_act"));
        typeOver(w->codeInput(), QStringLiteral("7"));
        typeOver(w->amountInput(), QStringLiteral("45"));
        click(w->printButton());
        EXPECT_TRUE(dialogs.texts(QStringLiteral("warning")).isEmpty());
        EXPECT_EQ(dialogs.texts(QStringLiteral("printSetup")).size(), option ? 1 : 0);
        EXPECT_EQ(storedRows(QStringLiteral("Venituri")), int(number)) << "stored either way";
        if (option) {
            ASSERT_EQ(printer.jobs.size(), 1);
            const QStringList texts = printedTexts();
            EXPECT_TRUE(texts.contains(QStringLiteral("CHITANTA")));
            EXPECT_TRUE(texts.contains(QStringLiteral("Sf. Nicolae")));
            EXPECT_TRUE(
                texts.contains(QStringLiteral("Nr. %1 din data %2")
                                   .arg(number)
                                   .arg(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")))));
        } else {
            EXPECT_TRUE(printer.jobs.isEmpty());
        }
        EXPECT_EQ(w->document()->state(), DatasetState::Insert);
        EXPECT_EQ(w->document()->asFloat(QStringLiteral("Nr_act")), number + 1);
        EXPECT_EQ(focused(), w->numberInput());

        // On a fresh receipt nothing is printed: with the option on its checks say why.
        click(w->printButton());
        EXPECT_TRUE(printer.jobs.size() <= 1);
        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")),
                  option
                      ? QStringList{QStringLiteral("Completati toate datele referitoare la incasarea pe care "
                                                   "doriti sa o efectuati!")}
                      : QStringList{});
        dialogs.shown.clear();
        w->close();
    }
}

// What the amount input shows after it is left is what the database holds:
// an amount with more decimals than lei and bani is refused, not rounded on
// screen while stored whole.
TEST_F(IncomesWindowTest, AReceiptNumberIsWhole)
{
    auto* w = open<TVenituriFrm>();
    typeOver(w->numberInput(), QStringLiteral("1,5"));
    typeOver(w->codeInput(), QStringLiteral("7"));
    typeOver(w->amountInput(), QStringLiteral("10"));
    press(Qt::Key_Return);
    click(w->saveButton());
    EXPECT_TRUE(dialogs.texts(QStringLiteral("error"))
                    .contains(QStringLiteral(
                        "\"1,5\" are prea multe zecimale: campul Nr_act primeste numai numere intregi")));
    EXPECT_EQ(storedRows(QStringLiteral("Venituri")), 0);
    EXPECT_EQ(w->numberInput()->text(), QStringLiteral("1,5"));

    dialogs.shown.clear();
    typeOver(w->numberInput(), QStringLiteral("15"));
    click(w->saveButton());
    EXPECT_TRUE(dialogs.texts(QStringLiteral("error")).isEmpty());
    EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("SELECT Nr_act FROM Venituri")).toDouble(),
              15.0);
}

TEST_F(IncomesWindowTest, ATypedAmountIsStoredAsShownOrRefusedAloud)
{
    const struct {
        QString typed;
        double stored; // NaN: refused
        QString shown;
        QString message;
    } cases[] = {
        {QStringLiteral("1234,56"), 1234.56, QStringLiteral("1.234,56"), {}},
        {QStringLiteral("0,1"), 0.1, QStringLiteral("0,10"), {}},
        {QStringLiteral("12,340"), 12.34, QStringLiteral("12,34"), {}},
        {QStringLiteral("99999999999999"), 99999999999999.0, QStringLiteral("99.999.999.999.999,00"), {}},
        {QStringLiteral("12,345"), std::nan(""), QStringLiteral("12,345"),
         QStringLiteral("\"12,345\" are prea multe zecimale: campul Valoarea primeste cel mult 2 zecimale")},
        {QStringLiteral("0,001"), std::nan(""), QStringLiteral("0,001"),
         QStringLiteral("\"0,001\" are prea multe zecimale: campul Valoarea primeste cel mult 2 zecimale")},
        {QStringLiteral("1.234,56"), std::nan(""), QStringLiteral("1.234,56"),
         QStringLiteral("\"1.234,56\" nu este un numar (campul Valoarea)")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        dialogs.shown.clear();
        auto* w = open<TVenituriFrm>();
        typeOver(w->codeInput(), QStringLiteral("7"));
        typeOver(w->amountInput(), c.typed);
        press(Qt::Key_Return);
        click(w->saveButton());
        if (c.message.isEmpty()) {
            EXPECT_TRUE(dialogs.shown.isEmpty());
            EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("SELECT Valoarea FROM Venituri"))
                          .toDouble(),
                      c.stored);
        } else {
            EXPECT_EQ(dialogs.texts(QStringLiteral("error")), (QStringList{c.message, c.message}))
                << "said on leaving the input and again on saving";
            EXPECT_EQ(storedRows(QStringLiteral("Venituri")), 0);
            EXPECT_EQ(w->document()->state(), DatasetState::Insert);
        }
        EXPECT_EQ(w->amountInput()->text(), c.shown);
        w->close();
        execOrFail(QStringLiteral("DELETE FROM Venituri"));
    }
}

// The date input of a document takes the separator after a one-digit day or
// month, as the grid's date cells do.
TEST_F(IncomesWindowTest, ADateTypedWithSeparatorsIsStoredAsTyped)
{
    const QString year = thisYear();
    const struct {
        QString typed;
        QDate stored;
    } cases[] = {
        {QStringLiteral("1.1.") + year, QDate(year.toInt(), 1, 1)},
        {QStringLiteral("5.3.") + year, QDate(year.toInt(), 3, 5)},
        {QStringLiteral("15.3.") + year, QDate(year.toInt(), 3, 15)},
        {QStringLiteral("5.11.") + year, QDate(year.toInt(), 11, 5)},
        {QStringLiteral("05.03.") + year, QDate(year.toInt(), 3, 5)},
        {QStringLiteral("0503") + year, QDate(year.toInt(), 3, 5)},
    };
    for (const auto& c : cases)
        for (const bool overSelection : {false, true}) {
            SCOPED_TRACE(c.typed.toStdString() +
                         (overSelection ? " over the selected date" : " from its start"));
            auto* w = open<TVenituriFrm>();
            if (overSelection)
                typeOver(w->dateInput(), c.typed);
            else
                typeDate(w, c.typed);
            press(Qt::Key_Return);
            EXPECT_EQ(focused(), w->kindInput());
            typeOver(w->codeInput(), QStringLiteral("7"));
            typeOver(w->amountInput(), QStringLiteral("10"));
            click(w->saveButton());
            EXPECT_TRUE(dialogs.shown.isEmpty());
            EXPECT_EQ(
                Sql::scalar(Connection::database(), QStringLiteral("SELECT Data FROM Venituri")).toDate(),
                c.stored);
            w->close();
            execOrFail(QStringLiteral("DELETE FROM Venituri"));
        }
}

// A receipt stored in the incomes window changes the cash balance that the
// expenses window, open beside it, shows as soon as the user turns to it.
TEST_F(IncomesWindowTest, TheBalancesOfAnotherOpenWindowFollowWhenItIsActivated)
{
    auto* expenses = open<TCheltuieliFrm>();
    auto* incomes = open<TVenituriFrm>();
    typeOver(incomes->codeInput(), QStringLiteral("7"));
    typeOver(incomes->amountInput(), QStringLiteral("500"));
    click(incomes->saveButton());
    ASSERT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(balance(incomes, Account::Cash), QStringLiteral("500,00"));

    activate(expenses);
    EXPECT_EQ(expenses->balanceLabel(Account::Cash)->text(), QStringLiteral("500,00"));
    EXPECT_EQ(expenses->balanceLabel(Account::Bank)->text(), QStringLiteral("0,00"));
}

// Another program on the same file (another computer on the parish's shared
// folder) changes the receipt this window shows: the change typed here is
// refused in words, and the window shows the receipt as it is stored now.
TEST_F(IncomesWindowTest, AReceiptChangedByAnotherProgramMeanwhileIsNotOverwritten)
{
    Documents::receipt(Connection::database(), 1, QDate::currentDate().toString(Qt::ISODate), 100);
    auto* w = open<TVenituriFrm>();
    press(w, TDBNavigator::First);
    ASSERT_EQ(w->explanationInput()->text(), QStringLiteral("Donatie"));
    const QString otherProgram = QStringLiteral("AltProgram");
    {
        QSqlDatabase other = Connection::openNamed(otherProgram, folder.databaseFile());
        Sql::exec(other,
                  QStringLiteral("UPDATE Venituri SET Valoarea = 120, Explicatie = 'Donatie corectata'"));
        other.close();
    }
    Connection::removeNamed(otherProgram);

    typeOver(w->explanationInput(), QStringLiteral("Taxa botez"));
    click(w->saveButton());
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")),
              QStringList{QStringLiteral("Documentul a fost modificat intre timp de alt utilizator")});
    EXPECT_EQ(w->explanationInput()->text(), QStringLiteral("Donatie corectata"));
    EXPECT_EQ(w->amountInput()->text(), QStringLiteral("120,00"));
    EXPECT_EQ(
        Sql::scalar(Connection::database(), QStringLiteral("SELECT Explicatie FROM Venituri")).toString(),
        QStringLiteral("Donatie corectata"));

    // Typed again over what it now shows, the change is stored.
    typeOver(w->explanationInput(), QStringLiteral("Taxa botez"));
    click(w->saveButton());
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")).size(), 1);
    EXPECT_EQ(Sql::scalar(Connection::database(),
                          QStringLiteral("SELECT Explicatie || '/' || Valoarea FROM Venituri"))
                  .toString(),
              QStringLiteral("Taxa botez/120.0"));
}
