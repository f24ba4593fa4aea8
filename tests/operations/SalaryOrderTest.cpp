#include "app/MainUnt.h"
#include "catalogues/CatalogWindow.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "operations/RecomputeBalances.h"
#include "operations/TCheltSalFrm.h"
#include "support/Documents.h"
#include "support/FakePrinter.h"
#include "support/ModalPicker.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/DBNavigator.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/TDBGridNormal.h"
#include "widgets/dbdate.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace
{

const QString salaryYearText = QString::number(QDate::currentDate().year());
const QString today = QDate::currentDate().toString(Qt::ISODate);

// A working-year database with the delivered expense types (23 "Salarii
// clerici", 24 "Salarii personal neclerical", ...); the window is owned by
// `owner`, as by the main window, and prints on a fake printer.
class SalaryOrderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.openWorkingYear();
        // Cash enough for the orders: going below zero is asked about (AmountQuestionsTest).
        execOrFail(QStringLiteral("UPDATE Contor SET Sold_init_casa = 100000"));
    }

    TCheltSalFrm* open()
    {
        auto* window = showDocumentWindow<TCheltSalFrm>(&owner);
        activate(window);
        return window;
    }
    // The window active again, as after a modal picker closes on a desktop.
    static void activate(QWidget* window)
    {
        QApplication::setActiveWindow(window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    }

    // Keys go where the user's keys go: the focused control (the grid's cell editor when one is open).
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QCoreApplication::processEvents();
    }
    static void type(const QString& text)
    {
        for (const QChar ch : text) {
            QTest::keyClick(QApplication::focusWidget(), char(ch.unicode()));
            QCoreApplication::processEvents();
        }
    }
    static void click(QWidget* button)
    {
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    static void navigate(TCheltSalFrm* w, TDBNavigator::Button button)
    {
        click(w->navigator()->button(button));
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
    static void typeDate(TCheltSalFrm* w, const QString& digits)
    {
        w->dateInput()->setFocus();
        w->dateInput()->setCursorPosition(0);
        QTest::keyClicks(w->dateInput(), digits);
    }
    // Types one line into the grid as a clerk does: code, Enter (past the
    // read-only name) amount, Enter, Enter past the explanation, which
    // stores the line and opens the next one.
    static void typeLine(TCheltSalFrm* w, const QString& code, const QString& amount)
    {
        if (!w->linesGrid()->isAncestorOf(QApplication::focusWidget()))
            w->linesGrid()->setFocus();
        QCoreApplication::processEvents();
        type(code);
        press(Qt::Key_Return);
        type(amount);
        press(Qt::Key_Return);
        press(Qt::Key_Return);
    }
    static int linesOf(const QVariant& orderId)
    {
        return Sql::scalar(Connection::database(),
                           QStringLiteral("SELECT COUNT(*) FROM ItemsSal WHERE Id_CheltSal = :id"),
                           {{QStringLiteral(":id"), orderId}})
            .toInt();
    }
    static QStringList gridColumn(TCheltSalFrm* w, const QString& field)
    {
        QStringList texts;
        const Dataset* lines = w->lines();
        for (int row = 0; row < lines->recordCount(); ++row)
            texts << lines->rowDisplayText(row, lines->fieldIndex(field));
        return texts;
    }

    TestFolder folder;
    ScriptedDialogs dialogs;
    FakePrinter printer;
    QWidget owner;
};

} // namespace

TEST_F(SalaryOrderTest, OpensOnANewOrderNumberedAfterBothKindsOfPaymentOrders)
{
    const struct {
        double payments; // highest ordinary payment order; 0: none
        double salaries; // highest salary order; 0: none
        double proposed;
    } cases[] = {{20, 18, 21}, {12, 15, 16}, {0, 9, 10}, {0, 0, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.proposed);
        execOrFail(QStringLiteral("DELETE FROM Cheltuieli"));
        execOrFail(QStringLiteral("DELETE FROM CheltSal"));
        if (c.payments > 0)
            Documents::payment(Connection::database(), c.payments, today, 10);
        if (c.salaries > 0)
            Documents::salaryOrder(Connection::database(), c.salaries, today, QStringLiteral("Casa"),
                                   {{23, 5}});
        auto* w = open();
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Cheltuieli compuse"));
        Dataset* d = w->document();
        EXPECT_EQ(d->state(), DatasetState::Insert);
        EXPECT_EQ(d->asFloat(QStringLiteral("Nr_act")), c.proposed);
        EXPECT_EQ(d->asDate(QStringLiteral("Data")), QDate::currentDate());
        EXPECT_EQ(w->accountInput()->currentText(), QStringLiteral("Casa"));
        EXPECT_EQ(QApplication::focusWidget(), w->numberInput());
        EXPECT_EQ(w->lines()->recordCount(), 0);
        EXPECT_EQ(w->totalDisplay()->text(), QString());
        w->close();
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(SalaryOrderTest, ShowsTheHeaderAboveItsLinesAndEnterWalksThemInOrder)
{
    auto* w = open();
    EXPECT_EQ(w->accountInput()->count(), 2);
    EXPECT_EQ(w->accountInput()->itemText(0), QStringLiteral("Casa"));
    EXPECT_EQ(w->accountInput()->itemText(1), QStringLiteral("Banca"));
    EXPECT_FALSE(w->accountInput()->isEditable()); // no other account can be typed
    QStringList titles;
    for (int column = 0; column < w->linesGrid()->model()->columnCount(); ++column)
        titles << w->linesGrid()->model()->headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(titles, QStringList({"Cod chelt", "Denumire cheltuiala", "Suma", "Explicatie"}));
    EXPECT_EQ(w->printButton()->toolTip(), QStringLiteral("Sunt de acord"));

    const QList<QWidget*> order = {w->dateInput(), w->accountInput(), w->explanationInput(), w->navigator()};
    for (QWidget* next : order) {
        press(Qt::Key_Return);
        EXPECT_TRUE(QApplication::focusWidget() == next || next->isAncestorOf(QApplication::focusWidget()))
            << next->objectName().toStdString();
    }
    press(Qt::Key_Return);
    EXPECT_TRUE(w->linesGrid()->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == w->linesGrid())
        << "after the navigator, the lines";
    EXPECT_EQ(storedRows(QStringLiteral("CheltSal")), 0) << "walking through stores nothing";
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(SalaryOrderTest, TheExpenseNameColumnIsWideEnoughForItsTitleAndTheNames)
{
    auto* w = open();
    typeLine(w, QStringLiteral("23"), QStringLiteral("100"));
    typeLine(w, QStringLiteral("25"), QStringLiteral("300")); // "Contributii si impozite salariale"
    const QHeaderView* header = w->linesGrid()->horizontalHeader();
    const int nameColumn = 1;
    ASSERT_EQ(w->linesGrid()->model()->headerData(nameColumn, Qt::Horizontal).toString(),
              QStringLiteral("Denumire cheltuiala"));
    const int titleWidth = header->fontMetrics().horizontalAdvance(QStringLiteral("Denumire cheltuiala"));
    const int nameWidth =
        w->linesGrid()->fontMetrics().horizontalAdvance(QStringLiteral("Contributii si impozite salariale"));
    EXPECT_GT(header->sectionSize(nameColumn), titleWidth);
    EXPECT_GT(header->sectionSize(nameColumn), nameWidth);
}

TEST_F(SalaryOrderTest, TypingInTheEmptyGridStoresTheHeaderFirstThenOpensALineOfIt)
{
    auto* w = open();
    typeOver(w->explanationInput(), QStringLiteral("Salarii martie"));
    w->linesGrid()->setFocus();
    type(QStringLiteral("2"));
    ASSERT_EQ(storedRows(QStringLiteral("CheltSal")), 1) << "the header is stored by the first key";
    const QVariant id = w->document()->value(QStringLiteral("Id"));
    EXPECT_FALSE(id.isNull());
    EXPECT_EQ(w->document()->state(), DatasetState::Browse);
    EXPECT_EQ(w->lines()->state(), DatasetState::Insert);
    EXPECT_EQ(w->lines()->value(QStringLiteral("Id_CheltSal")).toInt(), id.toInt());
    EXPECT_EQ(w->linesGrid()->cellEditor()->text(), QStringLiteral("2")) << "the key went on into the line";

    type(QStringLiteral("3"));
    press(Qt::Key_Return);
    EXPECT_EQ(w->linesGrid()->currentField(), QStringLiteral("Valoarea")) << "past the read-only name";
    type(QStringLiteral("1500"));
    press(Qt::Key_Return);
    type(QStringLiteral("avans"));
    press(Qt::Key_Return);
    EXPECT_EQ(linesOf(id), 1);
    EXPECT_EQ(Sql::scalar(Connection::database(),
                          QStringLiteral("SELECT Valoarea || '/' || Explicatie FROM ItemsSal"))
                  .toString(),
              QStringLiteral("1500.0/avans"));
    EXPECT_EQ(
        Sql::scalar(Connection::database(), QStringLiteral("SELECT Den_cheltuiala FROM ItemsSal")).toString(),
        QStringLiteral("Salarii clerici"));
    EXPECT_EQ(
        Sql::scalar(Connection::database(), QStringLiteral("SELECT Explicatie FROM CheltSal")).toString(),
        QStringLiteral("Salarii martie"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(SalaryOrderTest, AHeaderItsChecksRefuseTakesNoLines)
{
    const QString lastYear = QString::number(QDate::currentDate().year() - 1);
    const QString incomplete =
        QStringLiteral("Completati toate datele referitoare la plata pe care doriti sa o efectuati!");
    const struct {
        const char* name;
        QString number;
        QString dateDigits; // empty: today's date stays
        QString message;
    } cases[] = {
        {"last year's date", QStringLiteral("7"), QStringLiteral("3112") + lastYear,
         QStringLiteral("Atentie anul ales pentru inregistrarea platii ") + lastYear +
             QStringLiteral(" difera de anul de lucru ") + salaryYearText +
             QStringLiteral(" ! Introduceti o data valida.")},
        {"no number", QString(), QString(), incomplete},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.shown.clear();
        auto* w = open();
        typeOver(w->numberInput(), c.number);
        if (!c.dateDigits.isEmpty())
            typeDate(w, c.dateDigits);
        w->linesGrid()->setFocus();
        type(QStringLiteral("2"));
        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList{c.message});
        EXPECT_EQ(dialogs.shown.size(), 1);
        EXPECT_FALSE(w->lines()->isEditing());
        EXPECT_EQ(w->lines()->recordCount(), 0);
        EXPECT_EQ(w->document()->state(), DatasetState::Insert) << "the header keeps what was typed";
        EXPECT_EQ(w->numberInput()->text(), c.number);
        EXPECT_EQ(storedRows(QStringLiteral("CheltSal")), 0);
        EXPECT_EQ(storedRows(QStringLiteral("ItemsSal")), 0);
        w->close();
    }
}

TEST_F(SalaryOrderTest, TheTotalCountsEachLineOnceItIsStored)
{
    auto* w = open();
    typeLine(w, QStringLiteral("23"), QStringLiteral("100"));
    EXPECT_EQ(w->totalDisplay()->text(), QStringLiteral("100,00"));
    typeLine(w, QStringLiteral("24"), QStringLiteral("200"));
    EXPECT_EQ(w->totalDisplay()->text(), QStringLiteral("300,00"));

    type(QStringLiteral("25"));
    press(Qt::Key_Return);
    type(QStringLiteral("300"));
    EXPECT_EQ(w->totalDisplay()->text(), QStringLiteral("300,00")) << "an amount being typed is not counted";
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    EXPECT_EQ(w->totalDisplay()->text(), QStringLiteral("600,00"));
    EXPECT_EQ(gridColumn(w, QStringLiteral("Den_cheltuiala")),
              QStringList({"Salarii clerici", "Salarii personal neclerical",
                           "Contributii si impozite salariale", ""}));
    EXPECT_EQ(w->lines()->state(), DatasetState::Insert) << "the next line waits";

    // Another document shows its own total; coming back shows this one's again.
    navigate(w, TDBNavigator::Insert); // before the current one: the first document
    EXPECT_EQ(w->totalDisplay()->text(), QString());
    navigate(w, TDBNavigator::Last);
    EXPECT_EQ(w->totalDisplay()->text(), QStringLiteral("600,00"));
    EXPECT_EQ(storedRows(QStringLiteral("ItemsSal")), 3);
    EXPECT_EQ(storedRows(QStringLiteral("CheltSal")), 1) << "the untouched new header was dropped";
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(SalaryOrderTest, ALineNeedsAKnownCodeAndAnAmount)
{
    auto* w = open();
    w->linesGrid()->setFocus();
    type(QStringLiteral("99"));
    press(Qt::Key_Return);
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")),
              QStringList{QStringLiteral("Codul de cheltuiala <99> nu figureaza în catalog. "
                                         "Apasati Ctrl-Enter pentru a selecta din catalog !")});
    EXPECT_EQ(w->linesGrid()->currentField(), QStringLiteral("Cod_cheltuiala")) << "the code is refused";
    EXPECT_EQ(w->linesGrid()->cellEditor()->text(), QStringLiteral("99")) << "and kept as typed";
    EXPECT_TRUE(w->lines()->isNull(QStringLiteral("Den_cheltuiala")));

    // A known code, no amount: the line is refused when it would be stored.
    dialogs.shown.clear();
    w->linesGrid()->cellEditor()->selectAll();
    type(QStringLiteral("26"));
    press(Qt::Key_Return);
    EXPECT_EQ(w->lines()->asString(QStringLiteral("Den_cheltuiala")), QStringLiteral("Energie electrica"));
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")),
              QStringList{QStringLiteral("Completati toate datele!")});
    EXPECT_EQ(w->lines()->state(), DatasetState::Insert);
    EXPECT_EQ(storedRows(QStringLiteral("ItemsSal")), 0);

    // "&Salveaza" runs the same check on the pending line.
    dialogs.shown.clear();
    click(w->saveButton());
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")),
              QStringList{QStringLiteral("Completati toate datele!")});
    EXPECT_EQ(storedRows(QStringLiteral("ItemsSal")), 0);
}

// A line amount with more decimals than bani is refused in its cell, as typed, and stores nothing.
TEST_F(SalaryOrderTest, ALineAmountFinerThanABanIsRefusedInItsCell)
{
    auto* w = open();
    w->linesGrid()->setFocus();
    type(QStringLiteral("26"));
    press(Qt::Key_Return);
    type(QStringLiteral("12,345"));
    press(Qt::Key_Return);
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")),
              QStringList{QStringLiteral(
                  "\"12,345\" are prea multe zecimale: campul Valoarea primeste cel mult 2 zecimale")});
    EXPECT_EQ(w->linesGrid()->currentField(), QStringLiteral("Valoarea"));
    EXPECT_EQ(w->linesGrid()->cellEditor()->text(), QStringLiteral("12,345"));
    EXPECT_EQ(storedRows(QStringLiteral("ItemsSal")), 0);

    w->linesGrid()->cellEditor()->selectAll();
    type(QStringLiteral("12345"));
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("SELECT Valoarea FROM ItemsSal")).toDouble(),
              12345.0);
}

TEST_F(SalaryOrderTest, CtrlEnterAndADoubleClickPickTheExpenseType)
{
    auto* w = open();
    TDBGridNormal* grid = w->linesGrid();
    grid->setFocus();
    QCoreApplication::processEvents();
    QVariant startedAt;
    whilePickerShown(
        [&](TCatalogFrm* picker) {
            startedAt = picker->currentKey();
            picker->grid()->setFocus();
            press(Qt::Key_Down);
            press(Qt::Key_Return);
        },
        [&] { press(Qt::Key_Return, Qt::ControlModifier); });
    activate(w);
    EXPECT_EQ(startedAt.toInt(), 23) << "an empty code opens on the lowest";
    EXPECT_EQ(storedRows(QStringLiteral("CheltSal")), 1) << "the header is stored before the line";
    EXPECT_EQ(w->lines()->asInteger(QStringLiteral("Cod_cheltuiala")), 24);
    EXPECT_EQ(w->lines()->asString(QStringLiteral("Den_cheltuiala")),
              QStringLiteral("Salarii personal neclerical"));
    EXPECT_EQ(grid->currentField(), QStringLiteral("Valoarea"));
    type(QStringLiteral("800"));
    press(Qt::Key_Return);
    press(Qt::Key_Return); // stores the line, the next one waits

    // A double-click on a line's name opens the picker on that line's code.
    const QRect nameCell = grid->visualRect(grid->model()->index(0, 1));
    whilePickerShown(
        [&](TCatalogFrm* picker) {
            startedAt = picker->currentKey();
            picker->grid()->setFocus();
            press(Qt::Key_Down);
            press(Qt::Key_Return);
        },
        [&] { QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, nameCell.center()); });
    activate(w);
    EXPECT_EQ(startedAt.toInt(), 24);
    EXPECT_EQ(w->lines()->currentRow(), 0);
    EXPECT_EQ(w->lines()->asInteger(QStringLiteral("Cod_cheltuiala")), 25);
    EXPECT_EQ(grid->currentField(), QStringLiteral("Valoarea"));

    // Ctrl+Enter in another column is taken and opens nothing.
    grid->selectField(QStringLiteral("Explicatie"));
    press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(grid->currentField(), QStringLiteral("Explicatie"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    click(w->saveButton());
    EXPECT_EQ(gridColumn(w, QStringLiteral("Cod_cheltuiala")), QStringList{QStringLiteral("25")});
    EXPECT_EQ(
        Sql::scalar(Connection::database(), QStringLiteral("SELECT Cod_cheltuiala FROM ItemsSal")).toInt(),
        25);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(SalaryOrderTest, DeletingALineAsksFirst)
{
    Documents::salaryOrder(Connection::database(), 4, today, QStringLiteral("Casa"), {{23, 100}, {24, 50}});
    auto* w = open();
    navigate(w, TDBNavigator::Prior);
    EXPECT_EQ(w->totalDisplay()->text(), QStringLiteral("150,00"));
    for (const bool answer : {false, true}) {
        SCOPED_TRACE(answer);
        dialogs.shown.clear();
        dialogs.answers = {answer};
        w->linesGrid()->setFocus();
        QCoreApplication::processEvents();
        press(Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(dialogs.texts(QStringLiteral("question")),
                  QStringList{QStringLiteral("Sigur doriti anularea acestui detaliu ?")});
        EXPECT_EQ(dialogs.shown.size(), 1) << "no question of the grid's own";
        EXPECT_EQ(storedRows(QStringLiteral("ItemsSal")), answer ? 1 : 2);
        EXPECT_EQ(w->totalDisplay()->text(), answer ? QStringLiteral("50,00") : QStringLiteral("150,00"));
    }
    EXPECT_EQ(storedRows(QStringLiteral("CheltSal")), 1);
}

TEST_F(SalaryOrderTest, DeletingAnOrderAsksOnceAndRemovesItWithItsLines)
{
    const QList<std::pair<int, double>> five = {{23, 100}, {24, 200}, {25, 300}, {26, 400}, {27, 500}};
    Documents::salaryOrder(Connection::database(), 5, today, QStringLiteral("Casa"), five);
    Documents::salaryOrder(Connection::database(), 6, today, QStringLiteral("Banca"), {{23, 70}});
    for (const bool answer : {false, true}) {
        SCOPED_TRACE(answer);
        dialogs.shown.clear();
        dialogs.answers = {answer};
        auto* w = open();
        navigate(w, TDBNavigator::First);
        EXPECT_EQ(w->lines()->recordCount(), 5);
        navigate(w, TDBNavigator::Delete);
        EXPECT_EQ(dialogs.texts(QStringLiteral("question")),
                  QStringList{QStringLiteral("Sigur doriti anularea acestui document ?")});
        EXPECT_EQ(dialogs.shown.size(), 1) << "asked once, for the document";
        EXPECT_EQ(storedRows(QStringLiteral("CheltSal")), answer ? 1 : 2);
        EXPECT_EQ(storedRows(QStringLiteral("ItemsSal")), answer ? 1 : 6);
        EXPECT_EQ(w->document()->asFloat(QStringLiteral("Nr_act")), answer ? 6.0 : 5.0);
        EXPECT_EQ(w->totalDisplay()->text(), answer ? QStringLiteral("70,00") : QStringLiteral("1.500,00"));
        w->close();
    }
}

TEST_F(SalaryOrderTest, AFailureWhileDeletingAnOrderLeavesAllOfIt)
{
    const struct {
        const char* name;
        const char* trigger;
    } cases[] = {
        {"the third line refused", "CREATE TRIGGER refuz BEFORE DELETE ON ItemsSal WHEN OLD.Valoarea = 300 "
                                   "BEGIN SELECT RAISE(ABORT, 'linie blocata'); END"},
        {"the header refused",
         "CREATE TRIGGER refuz BEFORE DELETE ON CheltSal BEGIN SELECT RAISE(ABORT, 'antet blocat'); END"},
    };
    Documents::salaryOrder(Connection::database(), 5, today, QStringLiteral("Casa"),
                           {{23, 100}, {24, 200}, {25, 300}, {26, 400}, {27, 500}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        execOrFail(QString::fromLatin1(c.trigger));
        dialogs.shown.clear();
        dialogs.answers = {true};
        auto* w = open();
        navigate(w, TDBNavigator::First);
        navigate(w, TDBNavigator::Delete);
        const QStringList errors = dialogs.texts(QStringLiteral("error"));
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(
            errors.first().startsWith(QStringLiteral("Eroare de acces la tabela cheltuieli compuse!")))
            << errors.first().toStdString();
        EXPECT_EQ(storedRows(QStringLiteral("CheltSal")), 1);
        EXPECT_EQ(storedRows(QStringLiteral("ItemsSal")), 5);
        EXPECT_EQ(w->document()->recordCount(), 1);
        EXPECT_EQ(w->lines()->recordCount(), 5) << "the window shows every line again";
        EXPECT_EQ(w->totalDisplay()->text(), QStringLiteral("1.500,00"));
        EXPECT_EQ(w->document()->state(), DatasetState::Browse);

        // A line can still be deleted one by one with its question.
        dialogs.answers = {true};
        w->linesGrid()->setFocus();
        QCoreApplication::processEvents();
        press(Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(dialogs.texts(QStringLiteral("question")).last(),
                  QStringLiteral("Sigur doriti anularea acestui detaliu ?"));
        w->close();
        execOrFail(QStringLiteral("DROP TRIGGER refuz"));
    }
}

TEST_F(SalaryOrderTest, SaveThenPrintGivesThePaymentOrderAndStaysOnTheDocument)
{
    execOrFail(QStringLiteral("UPDATE Parohia SET Protopopiatul = 'Protopopiatul Iasi I'"));
    auto* w = open();
    typeOver(w->explanationInput(), QStringLiteral("Salarii aprilie"));
    typeLine(w, QStringLiteral("23"), QStringLiteral("1000"));
    type(QStringLiteral("25"));
    press(Qt::Key_Return);
    type(QStringLiteral("234,56"));
    click(w->saveButton());
    EXPECT_EQ(QApplication::focusWidget(), w->printButton());
    EXPECT_EQ(storedRows(QStringLiteral("ItemsSal")), 2) << "the pending line is stored too";
    const QVariant id = w->document()->value(QStringLiteral("Id"));

    press(Qt::Key_Return); // Enter on "&Printeaza"
    ASSERT_EQ(printer.jobs.size(), 1);
    const QStringList texts = printer.jobs[0].model.pages[0].texts();
    EXPECT_TRUE(texts.contains(QStringLiteral("ORDIN DE PLATA")));
    EXPECT_TRUE(texts.contains(QStringLiteral("1.234,56")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Salarii aprilie")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Protopopiatul Iasi I")));
    EXPECT_EQ(w->document()->state(), DatasetState::Browse) << "no new document is started";
    EXPECT_EQ(w->document()->value(QStringLiteral("Id")), id);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, QStringLiteral("printSetup"));
}

TEST_F(SalaryOrderTest, AltSAfterTheLastLineDropsTheEmptyLineTheGridOpenedAndStoresTheOrder)
{
    auto* w = open();
    typeOver(w->explanationInput(), QStringLiteral("Salarii noiembrie"));
    typeLine(w, QStringLiteral("23"), QStringLiteral("100"));
    typeLine(w, QStringLiteral("24"), QStringLiteral("200"));
    typeLine(w, QStringLiteral("25"), QStringLiteral("300"));
    ASSERT_EQ(w->lines()->state(), DatasetState::Insert) << "Enter past the last line opened a new one";

    // Alt+S clicks "&Salveaza" without taking the focus from the grid's new line.
    w->saveButton()->click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialogs.shown.isEmpty()) << "the untouched line is not a line missing its data";
    EXPECT_EQ(QApplication::focusWidget(), w->printButton());
    EXPECT_FALSE(w->lines()->isEditing());
    EXPECT_EQ(storedRows(QStringLiteral("ItemsSal")), 3);
    EXPECT_EQ(w->totalDisplay()->text(), QStringLiteral("600,00"));

    press(Qt::Key_Return); // Enter on "&Printeaza"
    EXPECT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList());
}

TEST_F(SalaryOrderTest, SavingAnEarlierOrderStaysOnIt)
{
    Documents::salaryOrder(Connection::database(), 1, today, QStringLiteral("Casa"), {{23, 100}});
    Documents::salaryOrder(Connection::database(), 2, today, QStringLiteral("Casa"), {{24, 200}});
    auto* w = open();
    navigate(w, TDBNavigator::First);
    typeOver(w->explanationInput(), QStringLiteral("Salarii ianuarie"));
    click(w->saveButton());
    EXPECT_EQ(w->document()->asFloat(QStringLiteral("Nr_act")), 1.0);
    EXPECT_EQ(w->totalDisplay()->text(), QStringLiteral("100,00"));
    EXPECT_EQ(QApplication::focusWidget(), w->printButton());
    EXPECT_EQ(Sql::scalar(Connection::database(),
                          QStringLiteral("SELECT Explicatie FROM CheltSal WHERE Nr_act = 1"))
                  .toString(),
              QStringLiteral("Salarii ianuarie"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(SalaryOrderTest, AnOrderWithoutLinesHasNothingToPrintAndSaysSo)
{
    auto* w = open();
    click(w->printButton());
    EXPECT_EQ(
        dialogs.texts(QStringLiteral("warning")),
        QStringList{QStringLiteral("Ordinul de plata nu are nici o cheltuiala detaliata; nu este nimic de "
                                   "printat.")});
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_EQ(storedRows(QStringLiteral("CheltSal")), 0)
        << "an untouched new order is not stored to be printed";
}

TEST_F(SalaryOrderTest, TheBalancesCountTheLinesOfTheOrdersAccount)
{
    execOrFail(QStringLiteral("UPDATE Contor SET Sold_init_casa = 1000, Sold_init_banca = 2000"));
    auto* w = open();
    w->accountInput()->setFocus();
    QTest::keyClick(w->accountInput(), Qt::Key_B); // the list's item starting with B
    ASSERT_EQ(w->accountInput()->currentText(), QStringLiteral("Banca"));
    typeLine(w, QStringLiteral("23"), QStringLiteral("300"));
    typeLine(w, QStringLiteral("25"), QStringLiteral("50,5"));
    const CurrentBalances balances = RecomputeBalances(Connection::database());
    EXPECT_DOUBLE_EQ(balances.cash, 1000.0);
    EXPECT_DOUBLE_EQ(balances.bank, 2000.0 - 350.5);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(SalaryOrderTest, TheMenuCommandOpensOneWindow)
{
    TMainFrm main;
    main.show();
    QAction* command = main.command(QStringLiteral("OpOrdonantareSalarii"));
    EXPECT_EQ(command->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    command->trigger();
    command->trigger();
    const QList<TCheltSalFrm*> windows = main.findChildren<TCheltSalFrm*>();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_TRUE(windows.first()->isVisible());
    windows.first()->close();
}

// Moving to another order, or starting a new one, first stores the line being
// typed; a line its check refuses keeps the order on screen with its lines,
// never showing them under another order's header.
TEST_F(SalaryOrderTest, AnotherOrderWaitsForTheLineBeingTyped)
{
    for (const TDBNavigator::Button button : {TDBNavigator::Prior, TDBNavigator::Insert}) {
        SCOPED_TRACE(int(button));
        Documents::salaryOrder(Connection::database(), 1, today, QStringLiteral("Casa"), {{23, 100.0}});
        auto* w = open();
        typeOver(w->explanationInput(), QStringLiteral("Salarii martie"));
        typeLine(w, QStringLiteral("23"), QStringLiteral("1000"));
        const QVariant order = w->document()->value(QStringLiteral("Id"));
        type(QStringLiteral("24")); // a code without its amount
        navigate(w, button);
        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")),
                  QStringList{QStringLiteral("Completati toate datele!")});
        EXPECT_EQ(w->document()->value(QStringLiteral("Id")), order) << "the order stays";
        EXPECT_EQ(w->numberInput()->text(), QStringLiteral("2"));
        EXPECT_EQ(w->lines()->state(), DatasetState::Insert);
        EXPECT_EQ(gridColumn(w, QStringLiteral("Cod_cheltuiala")),
                  (QStringList{QStringLiteral("23"), QStringLiteral("24")}));
        EXPECT_EQ(linesOf(order), 1);

        // The amount given, the same move stores the line with its order and goes on.
        dialogs.shown.clear();
        w->linesGrid()->selectField(QStringLiteral("Valoarea"));
        type(QStringLiteral("500"));
        navigate(w, button);
        EXPECT_TRUE(dialogs.shown.isEmpty());
        EXPECT_EQ(linesOf(order), 2);
        EXPECT_NE(w->document()->value(QStringLiteral("Id")), order);
        w->close();
        execOrFail(QStringLiteral("DELETE FROM ItemsSal"));
        execOrFail(QStringLiteral("DELETE FROM CheltSal"));
    }
}
