#include "MoneyWindowTest.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "operations/RecomputeBalances.h"
#include "operations/TBankMovementFrm.h"
#include "operations/TCheltSalFrm.h"
#include "operations/TCheltuieliFrm.h"
#include "operations/TVenituriFrm.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/TDBGridNormal.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace
{

const QString negativeQuestion = QStringLiteral("Suma este negativa (stornare). Salvati documentul?");

QString cashQuestion(const QString& balance)
{
    return QStringLiteral("Atentie! Dupa salvare soldul casei devine negativ: %1. Salvati documentul?")
        .arg(balance);
}

// One kind of document with money in it, typed from the keyboard and saved
// with "&Salveaza": the amount and the account ("Casa" or "Banca") are the case's.
struct Entry {
    const char* name;
    QString table; // where the amount is stored
    std::function<DocumentWindow*(MoneyWindowTest&, const QString& amount, const QString& account)> type;
};

class AmountQuestionsTest : public MoneyWindowTest
{
protected:
    // A payment's account is chosen from the keyboard in its drop-down list.
    static void chooseAccount(TDBComboNormal* input, const QString& account)
    {
        input->setFocus();
        press(account == QStringLiteral("Banca") ? Qt::Key_Down : Qt::Key_Up);
    }

    const QList<Entry>& entries()
    {
        static const QList<Entry> list{
            {"an income", QStringLiteral("Venituri"),
             [](MoneyWindowTest& t, const QString& amount, const QString& account) -> DocumentWindow* {
                 auto* w = static_cast<AmountQuestionsTest&>(t).open<TVenituriFrm>();
                 typeOver(w->codeInput(), QStringLiteral("3"));
                 chooseAccount(w->accountInput(), account);
                 typeOver(w->amountInput(), amount);
                 click(w->saveButton());
                 return w;
             }},
            {"a payment", QStringLiteral("Cheltuieli"),
             [](MoneyWindowTest& t, const QString& amount, const QString& account) -> DocumentWindow* {
                 auto* w = static_cast<AmountQuestionsTest&>(t).open<TCheltuieliFrm>();
                 typeOver(w->codeInput(), QStringLiteral("26"));
                 typeOver(w->beneficiaryInput(), QStringLiteral("Furnizorul de energie"));
                 chooseAccount(w->accountInput(), account);
                 typeOver(w->amountInput(), amount);
                 click(w->saveButton());
                 return w;
             }},
            {"a deposit", QStringLiteral("Depuneri"),
             [](MoneyWindowTest& t, const QString& amount, const QString&) -> DocumentWindow* {
                 auto* w = static_cast<AmountQuestionsTest&>(t).open<TDepuneriFrm>();
                 typeOver(w->kindInput()->lineEdit(), QStringLiteral("DP"));
                 typeOver(w->amountInput(), amount);
                 click(w->saveButton());
                 return w;
             }},
            {"a salary order line", QStringLiteral("ItemsSal"),
             [](MoneyWindowTest& t, const QString& amount, const QString& account) -> DocumentWindow* {
                 auto* w = static_cast<AmountQuestionsTest&>(t).open<TCheltSalFrm>();
                 chooseAccount(w->accountInput(), account);
                 w->linesGrid()->setFocus();
                 QCoreApplication::processEvents();
                 type(QStringLiteral("24"));
                 press(Qt::Key_Return); // past the expense's name, to the amount
                 type(amount);
                 press(Qt::Key_Return);
                 click(w->saveButton());
                 return w;
             }},
        };
        return list;
    }

    void startAgain(double openingCash)
    {
        for (QWidget* window : owner.findChildren<DocumentWindow*>())
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (const char* table : {"Venituri", "Cheltuieli", "Depuneri", "ItemsSal", "CheltSal"})
            execOrFail(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)));
        execOrFail(
            QStringLiteral("UPDATE Contor SET Sold_init_casa = %1, Sold_init_banca = 1000").arg(openingCash));
        dialogs.shown.clear();
        dialogs.answers.clear();
    }
};

} // namespace

// A negative amount (a reversal) is stored only when the user answers "Da";
// "Nu", the default, keeps the document on screen as typed.
TEST_F(AmountQuestionsTest, ANegativeAmountIsAskedAboutInEveryDocument)
{
    for (const Entry& entry : entries()) {
        for (const bool answer : {false, true}) {
            SCOPED_TRACE(std::string(entry.name) + (answer ? ", Da" : ", Nu"));
            startAgain(1000);
            dialogs.answers = {answer};
            DocumentWindow* w = entry.type(*this, QStringLiteral("-50"), QStringLiteral("Casa"));
            EXPECT_EQ(dialogs.everything(), QStringList{QStringLiteral("question: ") + negativeQuestion});
            EXPECT_EQ(storedRows(entry.table), answer ? 1 : 0);
            if (!answer)
                EXPECT_TRUE((w->lines() && w->lines()->isEditing()) || w->document()->isEditing())
                    << "what was typed stays";
        }
    }
}

// Storing that takes the cash below zero asks first, naming the balance the
// cash would have; a document that leaves the cash above zero, or takes
// nothing from it, is stored without a question. The cash holds 100.
TEST_F(AmountQuestionsTest, ACashBalanceGoingBelowZeroIsAskedAbout)
{
    const struct {
        const char* entry;
        QString amount;
        QString account;
        QStringList questions; // "Da" to each stores the document
        QString cashAfter;     // when stored
    } cases[] = {
        {"a payment", "150", "Casa", {cashQuestion("-50,00")}, "-50,00"},
        {"a payment", "80", "Casa", {}, "20,00"},
        {"a payment", "150", "Banca", {}, "100,00"},
        {"a deposit", "150", "Casa", {cashQuestion("-50,00")}, "-50,00"},
        {"a salary order line", "150,25", "Casa", {cashQuestion("-50,25")}, "-50,25"},
        {"a salary order line", "150", "Banca", {}, "100,00"},
        {"an income", "-150", "Casa", {negativeQuestion, cashQuestion("-50,00")}, "-50,00"},
    };
    for (const auto& c : cases) {
        const Entry& entry = *std::find_if(entries().begin(), entries().end(), [&](const Entry& e) {
            return QLatin1String(e.name) == QLatin1String(c.entry);
        });
        for (const bool answer : {false, true}) {
            if (c.questions.isEmpty() && !answer)
                continue; // nothing is asked
            SCOPED_TRACE(std::string(c.entry) + " " + c.amount.toStdString() + " " + c.account.toStdString() +
                         (answer ? ", Da" : ", Nu"));
            startAgain(100);
            dialogs.answers = QList<bool>(c.questions.size(), answer);
            entry.type(*this, c.amount, c.account);
            // "Nu" to the first question stops there.
            const QStringList asked = answer ? c.questions : c.questions.mid(0, 1);
            EXPECT_EQ(dialogs.texts(QStringLiteral("question")), asked);
            EXPECT_EQ(dialogs.shown.size(), asked.size()) << "questions only";
            EXPECT_EQ(storedRows(entry.table), answer ? 1 : 0);
            EXPECT_EQ(balanceText(RecomputeBalances(Connection::database()).cash),
                      answer ? c.cashAfter : QStringLiteral("100,00"));
        }
    }
}
