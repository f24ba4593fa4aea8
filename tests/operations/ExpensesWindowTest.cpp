#include "MoneyWindowTest.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "operations/TCheltuieliFrm.h"
#include "support/Documents.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"

#include <QPushButton>
#include <QSqlQuery>

namespace
{

const QString incompletePayment =
    QStringLiteral("Completati toate datele referitoare la plata pe care doriti sa o efectuati!");

class ExpensesWindowTest : public MoneyWindowTest
{
protected:
    void SetUp() override
    {
        MoneyWindowTest::SetUp();
        Sql::exec(Connection::database(),
                  QStringLiteral("UPDATE Parohia SET Parohia = 'Sf. Nicolae', Preot = 'Pr. Ion Popescu'"));
        // Cash enough for the payments: going below zero is asked about (AmountQuestionsTest).
        execOrFail(QStringLiteral("UPDATE Contor SET Sold_init_casa = 10000"));
    }

    static QString today() { return QDate::currentDate().toString(Qt::ISODate); }
    static QString todayShown() { return QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")); }

    // A payment of 26 (electricity) typed from the keyboard, not stored.
    static void typePayment(TCheltuieliFrm* w, const QString& beneficiary, const QString& amount)
    {
        typeOver(w->codeInput(), QStringLiteral("26"));
        typeOver(w->beneficiaryInput(), beneficiary);
        typeOver(w->amountInput(), amount);
        press(Qt::Key_Return);
    }
};

} // namespace

// 12 payment orders, and salary payment orders up to 15 or up to 9: one sequence.
TEST_F(ExpensesWindowTest, PaymentsAndSalaryOrdersShareTheirNumbers)
{
    const struct {
        int highestSalaryOrder;
        double proposed;
    } cases[] = {{15, 16}, {9, 13}};
    for (int number = 1; number <= 12; ++number)
        Documents::payment(Connection::database(), number, today(), 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.highestSalaryOrder);
        execOrFail(QStringLiteral("DELETE FROM ItemsSal"));
        execOrFail(QStringLiteral("DELETE FROM CheltSal"));
        for (int number = 1; number <= c.highestSalaryOrder; number += 4)
            Documents::salaryOrder(Connection::database(), number, today(), QStringLiteral("Casa"),
                                   {{23, 10}});
        Documents::salaryOrder(Connection::database(), c.highestSalaryOrder, today(), QStringLiteral("Banca"),
                               {{24, 5}});
        auto* w = open<TCheltuieliFrm>();
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Plati"));
        EXPECT_EQ(w->document()->asFloat(QStringLiteral("Nr_act")), c.proposed);
        EXPECT_EQ(w->kindInput()->currentText(), QStringLiteral("OP"));
        EXPECT_EQ(w->accountInput()->currentText(), QStringLiteral("Casa"));
        w->close();
    }
}

// A salary order stored from its own window while a payment is being typed
// takes the number proposed to the payment: the payment takes the next one,
// and the user is told; a number the user typed stays as typed.
TEST_F(ExpensesWindowTest, APaymentWhoseNumberWasTakenMeanwhileTakesTheNextOne)
{
    for (const bool typedByUser : {false, true}) {
        SCOPED_TRACE(typedByUser);
        execOrFail(QStringLiteral("DELETE FROM Cheltuieli"));
        execOrFail(QStringLiteral("DELETE FROM ItemsSal"));
        execOrFail(QStringLiteral("DELETE FROM CheltSal"));
        dialogs.shown.clear();
        auto* w = open<TCheltuieliFrm>();
        ASSERT_EQ(w->document()->asFloat(QStringLiteral("Nr_act")), 1.0);
        if (typedByUser)
            typeOver(w->numberInput(), QStringLiteral("5"));
        typePayment(w, QStringLiteral("Enel"), QStringLiteral("80"));
        Documents::salaryOrder(Connection::database(), typedByUser ? 5 : 1, today(), QStringLiteral("Casa"),
                               {{23, 10}});
        click(w->saveButton());
        EXPECT_EQ(
            Sql::scalar(Connection::database(), QStringLiteral("SELECT Nr_act FROM Cheltuieli")).toDouble(),
            typedByUser ? 5.0 : 2.0);
        EXPECT_EQ(dialogs.texts(QStringLiteral("information")),
                  typedByUser ? QStringList()
                              : QStringList{QStringLiteral("Numarul 1 a fost dat intre timp altui document. "
                                                           "Documentul se salveaza cu numarul 2.")});
        w->close();
    }
}

TEST_F(ExpensesWindowTest, APaymentWithoutBeneficiaryIsRefusedAndStoredWithOne)
{
    auto* w = open<TCheltuieliFrm>();
    typePayment(w, QString(), QStringLiteral("80"));
    click(w->saveButton());
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList{incompletePayment});
    EXPECT_EQ(storedRows(QStringLiteral("Cheltuieli")), 0);
    EXPECT_EQ(w->amountInput()->text(), QStringLiteral("80,00"));

    typeOver(w->beneficiaryInput(), QStringLiteral("Enel"));
    click(w->saveButton());
    EXPECT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(storedRows(QStringLiteral("Cheltuieli")), 1);
    EXPECT_EQ(w->balanceLabel(Account::Cash)->text(), QStringLiteral("9920,00"));
}

// The type picked with Ctrl+Enter, the explanation taken from it alone,
// "&Salveaza", then Enter on "&Printeaza": the order of the stored payment
// is printed and the next payment started.
TEST_F(ExpensesWindowTest, AClerkTypesAPaymentAndPrintsItsOrder)
{
    auto* w = open<TCheltuieliFrm>();
    const double number = w->document()->asFloat(QStringLiteral("Nr_act"));
    pickWithCtrlEnter(w->codeInput(), QStringLiteral("26"));
    EXPECT_EQ(w->codeNameText()->text(), QStringLiteral("Energie electrica"));
    EXPECT_EQ(focused(), w->beneficiaryInput()) << "a chosen type moves on to the beneficiary";
    type(QStringLiteral("SC Enel SA"));
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), w->accountInput());
    press(Qt::Key_Return);
    type(QStringLiteral("1234,56"));
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), w->explanationInput());
    EXPECT_EQ(w->explanationInput()->text(), QStringLiteral("Plata energie electrica"));
    click(w->saveButton());
    EXPECT_EQ(focused(), w->printButton());
    EXPECT_TRUE(printer.jobs.isEmpty());

    press(Qt::Key_Return);
    ASSERT_EQ(printer.jobs.size(), 1);
    const QStringList texts = printedTexts();
    for (const QString& expected : {QStringLiteral("ORDIN DE PLATA"), QString::number(number), todayShown(),
                                    QStringLiteral("SC Enel SA"), QStringLiteral("Plata energie electrica"),
                                    QStringLiteral("1.234,56"), QStringLiteral("Sf. Nicolae")})
        EXPECT_TRUE(texts.contains(expected)) << expected.toStdString();
    EXPECT_EQ(w->document()->state(), DatasetState::Insert);
    EXPECT_EQ(w->document()->asFloat(QStringLiteral("Nr_act")), number + 1);
    EXPECT_EQ(focused(), w->numberInput());
    EXPECT_TRUE(dialogs.texts(QStringLiteral("warning")).isEmpty());
}

TEST_F(ExpensesWindowTest, PrinteazaPrintsTheCurrentOrderOrNoneForAnUntouchedPayment)
{
    Documents::payment(Connection::database(), 1, today(), 300, QStringLiteral("Banca"),
                       QStringLiteral("Reparatie acoperis"), 34);
    auto* w = open<TCheltuieliFrm>();
    // A fresh payment nobody typed into has no order: only a new payment again.
    click(w->printButton());
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_EQ(w->document()->asFloat(QStringLiteral("Nr_act")), 2.0);
    EXPECT_EQ(storedRows(QStringLiteral("Cheltuieli")), 1);

    // A stored payment shown: its order.
    press(w, TDBNavigator::First);
    click(w->printButton());
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_TRUE(printedTexts().contains(QStringLiteral("Reparatie acoperis")));
    EXPECT_EQ(w->document()->state(), DatasetState::Insert);

    // A payment typed and not yet stored: stored, then its order printed.
    printer.jobs.clear();
    typePayment(w, QStringLiteral("Enel"), QStringLiteral("75"));
    click(w->printButton());
    EXPECT_EQ(storedRows(QStringLiteral("Cheltuieli")), 2);
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_TRUE(printedTexts().contains(QStringLiteral("Enel")));
    EXPECT_EQ(w->document()->asFloat(QStringLiteral("Nr_act")), 3.0);

    // One its checks refuse: nothing stored, nothing printed, the typing kept.
    printer.jobs.clear();
    typePayment(w, QString(), QStringLiteral("15"));
    click(w->printButton());
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList{incompletePayment});
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_EQ(storedRows(QStringLiteral("Cheltuieli")), 2);
    EXPECT_EQ(w->amountInput()->text(), QStringLiteral("15,00"));
}

TEST_F(ExpensesWindowTest, DeletingAPaymentAsksAndRecomputesTheBalances)
{
    Documents::payment(Connection::database(), 1, today(), 300, QStringLiteral("Banca"));
    auto* w = open<TCheltuieliFrm>();
    EXPECT_EQ(w->balanceLabel(Account::Bank)->text(), QStringLiteral("-300,00"));
    press(w, TDBNavigator::First);
    dialogs.answers = {false, true};
    press(w, TDBNavigator::Delete);
    EXPECT_EQ(storedRows(QStringLiteral("Cheltuieli")), 1);
    press(w, TDBNavigator::Delete);
    const QString question = QStringLiteral("Sigur doriti anularea acestei plati ?");
    EXPECT_EQ(dialogs.texts(QStringLiteral("question")), (QStringList{question, question}));
    EXPECT_EQ(storedRows(QStringLiteral("Cheltuieli")), 0);
    EXPECT_EQ(w->balanceLabel(Account::Bank)->text(), QStringLiteral("0,00"));
}
