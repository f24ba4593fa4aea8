// What the incomes and expenses windows share, tried on both.

#include "MoneyWindowTest.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "operations/TCheltuieliFrm.h"
#include "operations/TVenituriFrm.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/dbdate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>

namespace
{

// One of the twins with a known type, its candle type and their texts.
struct Twin {
    bool incomes;
    QString table;
    QString codeField;
    QString candleCode;
    QString knownCode;
    QString knownName;
    QString unknownCodeStart;
    QString wrongYearStart;
    QString priceParameter;
};

const Twin incomes{true,
                   QStringLiteral("Venituri"),
                   QStringLiteral("Cod_venit"),
                   QStringLiteral("5"),
                   QStringLiteral("7"),
                   QStringLiteral("Donatii"),
                   QStringLiteral("Codul de venit <"),
                   QStringLiteral("Atentie anul ales pentru inregistrarea incasarii "),
                   QStringLiteral("PretOut")};
const Twin expenses{false,
                    QStringLiteral("Cheltuieli"),
                    QStringLiteral("Cod_cheltuiala"),
                    QStringLiteral("31"),
                    QStringLiteral("26"),
                    QStringLiteral("Energie electrica"),
                    QStringLiteral("Codul de cheltuiala <"),
                    QStringLiteral("Atentie anul ales pentru inregistrarea platii "),
                    QStringLiteral("PretInOut")};

class TwinWindowsTest : public MoneyWindowTest
{
protected:
    MoneyDocumentWindow* openTwin(const Twin& twin)
    {
        if (twin.incomes)
            return open<TVenituriFrm>();
        return open<TCheltuieliFrm>();
    }
    static void closeTwin(MoneyDocumentWindow* window)
    {
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Fills what a twin needs besides the type, date and amount.
    static void fillParty(MoneyDocumentWindow* window)
    {
        if (auto* payment = qobject_cast<TCheltuieliFrm*>(window))
            typeOver(payment->beneficiaryInput(), QStringLiteral("SC Lumina SRL"));
    }
};

} // namespace

TEST_F(TwinWindowsTest, CandleQuantitiesFollowTheTypedAmountHalvesGoingToTheEvenNumber)
{
    const struct {
        const Twin& twin;
        QString amount;
        QString candles;
    } cases[] = {
        {incomes, QStringLiteral("10"), QStringLiteral("4")},
        {incomes, QStringLiteral("11,25"), QStringLiteral("4")},
        {incomes, QStringLiteral("13,75"), QStringLiteral("6")},
        {expenses, QStringLiteral("100"), QStringLiteral("200")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.twin.table.toStdString() + " " + c.amount.toStdString());
        MoneyDocumentWindow* w = openTwin(c.twin);
        EXPECT_FALSE(w->candleControlsShown()) << "no type yet";
        typeOver(w->codeInput(), c.twin.candleCode);
        press(Qt::Key_Return);
        EXPECT_TRUE(w->candleControlsShown());
        EXPECT_FALSE(w->candleLabel()->isHidden());
        typeOver(w->amountInput(), c.amount);
        press(Qt::Key_Return);
        EXPECT_EQ(focused(), w->candleInput()) << "the quantity is the stop after the amount";
        EXPECT_EQ(w->candleInput()->text(), c.candles);
        EXPECT_TRUE(dialogs.shown.isEmpty());
        closeTwin(w);
    }
}

TEST_F(TwinWindowsTest, AMissingCandlePriceWarnsKeepsTheQuantityAndTakesTheAmount)
{
    const struct {
        const Twin& twin;
        QString price;
        QString message;
    } cases[] = {
        {incomes, QStringLiteral("NULL"),
         QStringLiteral("Atentie! Nu aveti configurat pret iesire lumanari (in Setari -> Parametrii "
                        "aplicatiei).")},
        {expenses, QStringLiteral("0"),
         QStringLiteral("Atentie! Nu aveti configurat pret intrare lumanari (in Setari -> Parametrii "
                        "aplicatiei).")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.twin.table.toStdString());
        dialogs.shown.clear();
        execOrFail(QStringLiteral("UPDATE Contor SET %1 = %2").arg(c.twin.priceParameter, c.price));
        MoneyDocumentWindow* w = openTwin(c.twin);
        typeOver(w->codeInput(), c.twin.candleCode);
        press(Qt::Key_Return);
        typeOver(w->candleInput(), QStringLiteral("7"));
        typeOver(w->amountInput(), QStringLiteral("30"));
        press(Qt::Key_Return);
        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList{c.message});
        EXPECT_EQ(w->document()->asFloat(QStringLiteral("Valoarea")), 30.0);
        EXPECT_EQ(w->candleInput()->text(), QStringLiteral("7"));
        closeTwin(w);
    }
}

TEST_F(TwinWindowsTest, TheCandleControlsAreShownExactlyForTheCandleType)
{
    for (const Twin& twin : {incomes, expenses}) {
        SCOPED_TRACE(twin.table.toStdString());
        execOrFail(QStringLiteral("INSERT INTO %1 (Nr_act, Data, %2, Valoarea, Cant_lumanari, Cont, Fel) "
                                  "VALUES (1, date('now'), %3, 25, 10, 'Casa', 'X'), "
                                  "(2, date('now'), %4, 25, 0, 'Casa', 'X')")
                       .arg(twin.table, twin.codeField, twin.candleCode, twin.knownCode));
        MoneyDocumentWindow* w = openTwin(twin);
        press(w, TDBNavigator::Last);
        EXPECT_FALSE(w->candleControlsShown()) << "document 2";
        press(w, TDBNavigator::First);
        EXPECT_TRUE(w->candleControlsShown()) << "document 1";
        EXPECT_EQ(w->candleInput()->text(), QStringLiteral("10"));

        // Another type hides them and empties the quantity.
        typeOver(w->codeInput(), twin.knownCode);
        press(Qt::Key_Return);
        EXPECT_FALSE(w->candleControlsShown());
        EXPECT_EQ(w->document()->asFloat(QStringLiteral("Cant_lumanari")), 0.0);
        // Cancelling brings the document back as it was, candles shown.
        press(w, TDBNavigator::Cancel);
        EXPECT_TRUE(w->candleControlsShown());
        press(w, TDBNavigator::Next);
        EXPECT_FALSE(w->candleControlsShown());
        closeTwin(w);
    }
}

// An empty candle type in the parameters and an empty code compare equal.
TEST_F(TwinWindowsTest, WithNoCandleTypeConfiguredADocumentWithoutCodeShowsTheQuantity)
{
    execOrFail(QStringLiteral("UPDATE Contor SET CodVenLum = NULL, CodChLum = NULL"));
    for (const Twin& twin : {incomes, expenses}) {
        SCOPED_TRACE(twin.table.toStdString());
        MoneyDocumentWindow* w = openTwin(twin);
        EXPECT_TRUE(w->candleControlsShown());
        typeOver(w->codeInput(), twin.knownCode);
        press(Qt::Key_Return);
        EXPECT_FALSE(w->candleControlsShown());
        closeTwin(w);
    }
}

TEST_F(TwinWindowsTest, AnUnknownCodeIsRefusedAndTheNameCopyCleared)
{
    for (const Twin& twin : {incomes, expenses}) {
        SCOPED_TRACE(twin.table.toStdString());
        dialogs.shown.clear();
        MoneyDocumentWindow* w = openTwin(twin);
        typeOver(w->codeInput(), twin.knownCode);
        press(Qt::Key_Return);
        EXPECT_EQ(w->codeNameText()->text(), twin.knownName);
        EXPECT_TRUE(dialogs.shown.isEmpty());

        typeOver(w->codeInput(), QStringLiteral("99"));
        press(Qt::Key_Return);
        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")),
                  QStringList{twin.unknownCodeStart +
                              QStringLiteral("99> nu figureaza în catalog. Apasati Ctrl-Enter pentru a "
                                             "selecta din catalog !")});
        EXPECT_EQ(w->codeNameText()->text(), QString());
        EXPECT_EQ(focused(), w->codeInput()) << "the field keeps the focus";
        EXPECT_EQ(w->codeInput()->text(), QStringLiteral("99"));
        EXPECT_EQ(w->document()->value(twin.codeField).toString(), twin.knownCode) << "the code is refused";

        // Emptied, the code takes the name away without a word.
        typeOver(w->codeInput(), QString());
        press(Qt::Key_Return);
        EXPECT_TRUE(w->document()->isNull(twin.codeField));
        EXPECT_EQ(dialogs.shown.size(), 1);
        closeTwin(w);
    }
}

TEST_F(TwinWindowsTest, ADateOutsideTheWorkingYearIsWarnedWhenTypedAndRefusedWhenStored)
{
    for (const Twin& twin : {incomes, expenses}) {
        SCOPED_TRACE(twin.table.toStdString());
        dialogs.shown.clear();
        MoneyDocumentWindow* w = openTwin(twin);
        const QString message = wrongYearMessage(twin.wrongYearStart, lastYear());
        typeDate(w, QStringLiteral("2012") + lastYear());
        press(Qt::Key_Return);
        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList{message});
        EXPECT_EQ(focused(), w->kindInput()) << "the date is taken";

        typeOver(w->codeInput(), twin.knownCode);
        fillParty(w);
        typeOver(w->amountInput(), QStringLiteral("12"));
        click(w->saveButton());
        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), (QStringList{message, message}));
        EXPECT_EQ(storedRows(twin.table), 0);
        EXPECT_EQ(w->document()->state(), DatasetState::Insert);
        EXPECT_EQ(w->dateInput()->text(), QStringLiteral("20.12.") + lastYear());
        EXPECT_EQ(w->amountInput()->text(), QStringLiteral("12,00"));

        typeDate(w, QStringLiteral("0201") + thisYear());
        click(w->saveButton());
        EXPECT_EQ(dialogs.shown.size(), 2);
        EXPECT_EQ(storedRows(twin.table), 1);
        closeTwin(w);
    }
}

TEST_F(TwinWindowsTest, EnteringTheCodeAsksForCtrlEnterInTheStatusLine)
{
    const struct {
        const Twin& twin;
        QString prompt;
        QString printHint;
    } cases[] = {
        {incomes, QStringLiteral("Apsati <Ctrl-Enter> pentru a selecta tipul de venit din catalog!"),
         QStringLiteral("Printeaza chitanta")},
        {expenses, QStringLiteral("Apsati <Ctrl-Enter> pentru a selecta tipul de cheltuiala din catalog!"),
         QStringLiteral("Sunt de acord")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.twin.table.toStdString());
        MoneyDocumentWindow* w = openTwin(c.twin);
        status.clear();
        press(Qt::Key_Return);
        press(Qt::Key_Return);
        EXPECT_TRUE(status.text().isEmpty());
        press(Qt::Key_Return);
        EXPECT_EQ(focused(), w->codeInput());
        EXPECT_EQ(status.text(), c.prompt);
        EXPECT_EQ(w->codeInput()->toolTip(), MoneyDocumentWindow::catalogueHint);
        EXPECT_EQ(w->printButton()->toolTip(), c.printHint);
        EXPECT_EQ(w->saveButton()->toolTip(), QStringLiteral("Salveaza operatiunea"));
        closeTwin(w);
    }
}

TEST_F(TwinWindowsTest, TheAccountIsChosenFromCasaAndBancaOnly)
{
    for (const Twin& twin : {incomes, expenses}) {
        SCOPED_TRACE(twin.table.toStdString());
        MoneyDocumentWindow* w = openTwin(twin);
        TDBComboNormal* account = w->accountInput();
        EXPECT_FALSE(account->isEditable());
        EXPECT_EQ(account->count(), 2);
        EXPECT_EQ(account->currentText(), QStringLiteral("Casa"));
        account->setFocus();
        press(Qt::Key_Down);
        press(Qt::Key_Z); // not an account: nothing changes
        EXPECT_EQ(account->currentText(), QStringLiteral("Banca"));
        press(Qt::Key_Return);
        EXPECT_EQ(focused(), w->amountInput());
        EXPECT_EQ(w->document()->asString(QStringLiteral("Cont")), QStringLiteral("Banca"));
        closeTwin(w);
    }
}
