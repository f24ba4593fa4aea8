#include "CatalogTestSupport.h"
#include "StockItems.h"

#include "app/CatalogueCommands.h"
#include "catalogues/RowNumberDelegate.h"
#include "catalogues/TStocFrm.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/DatasetModel.h"
#include "support/FakePrinter.h"
#include "widgets/DBNavigator.h"
#include "widgets/TDBGridNormal.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace
{

// The stock window opened as the "Stocuri" command opens it, over a
// working year whose dialogs are scripted and whose printer is faked.
class StockWindow : public CatalogTest
{
protected:
    void TearDown() override
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<TStocFrm*>(window))
                window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CatalogTest::TearDown();
    }

    TStocFrm* openWindow()
    {
        TStocFrm* window = openStockWindow(&mainWindow);
        if (!window)
            return nullptr;
        QApplication::setActiveWindow(window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        window->grid()->setFocus();
        settle();
        return window;
    }

    // Starts a new row with Insert and types its cells from "Denumire" on
    // (an empty text leaves its cell as it is).
    static void typeRow(const QStringList& cells)
    {
        press(Qt::Key_Insert);
        typeCells(cells);
    }

    static void click(QAbstractButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
    }

    // What each row shows in the column of `field`, top to bottom; the
    // numbering column as its delegate draws it.
    static QStringList shownColumn(const TStocFrm* window, const QString& field)
    {
        const TDBGridNormal* grid = window->grid();
        QStringList texts;
        for (int column = 0; column < grid->model()->columnCount(); ++column) {
            if (window->stock()->field(grid->datasetModel()->fieldOfColumn(column)).name != field)
                continue;
            for (int row = 0; row < grid->model()->rowCount(); ++row) {
                const QModelIndex index = grid->model()->index(row, column);
                texts << (qobject_cast<RowNumberDelegate*>(grid->itemDelegateForIndex(index))
                              ? RowNumberDelegate::numberText(index)
                              : index.data().toString());
            }
        }
        return texts;
    }

    // Alt and a button's underlined letter: the button shows itself pressed
    // for a moment before it acts, which the test waits for.
    static void pressButtonKey(Qt::Key letter)
    {
        bool clicked = false;
        QAbstractButton* button = nullptr;
        for (auto* candidate : QApplication::activeWindow()->findChildren<QAbstractButton*>())
            if (candidate->shortcut() == QKeySequence(Qt::ALT | letter))
                button = candidate;
        ASSERT_NE(button, nullptr);
        const auto connection = QObject::connect(button, &QAbstractButton::clicked, [&] { clicked = true; });
        press(letter, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return clicked; }));
        QObject::disconnect(connection);
        settle();
    }

    static QString stored(const QString& statement)
    {
        return Sql::scalar(Connection::database(), statement).toString();
    }

    FakePrinter printer;
};

const QString storedRow =
    QStringLiteral("SELECT Denumire || '|' || ifnull(Descriere, '-') || '|' || Cantitate || "
                   "'|' || ifnull(UM, '-') || '|' || Pret || '|' || ifnull(DataIn, '-') || "
                   "'|' || ifnull(DataOut, '-') FROM Stoc");

} // namespace

TEST_F(StockWindow, ShowsTheListWithItsCaptionsHintsAndButtons)
{
    TStocFrm* window = openWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Stocuri"));
    EXPECT_TRUE(window->isModal());
    EXPECT_EQ(window->heading()->text(), QStringLiteral("LISTA STOCURILOR LA PAROHIE"));

    QStringList captions;
    const QAbstractItemModel* model = window->grid()->model();
    for (int column = 0; column < model->columnCount(); ++column)
        captions << model->headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(captions, QStringList({"NrCrt", "Denumire", "Descriere", "Cantitate", "U.M.", "Pret",
                                     "Data intrarii", "Data iesirii"}));

    const TDBNavigator* navigator = window->navigator();
    const struct {
        TDBNavigator::Button button;
        const char* hint;
    } buttons[] = {
        {TDBNavigator::First, "Prima inregistrare"},
        {TDBNavigator::Prior, "Inregistrarea precedenta"},
        {TDBNavigator::Next, "Inregistrarea urmatoare"},
        {TDBNavigator::Last, "Ultima inregistrare"},
        {TDBNavigator::Insert, "Insereaza inregistrare"},
        {TDBNavigator::Delete, "Sterge inregistrare"},
        {TDBNavigator::Refresh, "Actualizeaza inregistrari"},
    };
    TDBNavigator::Buttons shown;
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.hint);
        EXPECT_EQ(navigator->hint(b.button), QString::fromLatin1(b.hint));
        EXPECT_TRUE(navigator->button(b.button)->autoRaise()) << "a flat navigator";
        shown |= b.button;
    }
    EXPECT_EQ(navigator->buttons(), shown);

    EXPECT_EQ(window->validateButton()->text(), QStringLiteral("&Valideaza"));
    EXPECT_EQ(window->validateButton()->toolTip(), QStringLiteral("Validare date introduse"));
    EXPECT_EQ(window->printButton()->text(), QStringLiteral("&Listeaza!"));
    EXPECT_EQ(window->printButton()->toolTip(), QStringLiteral("Printeaza "));
}

TEST_F(StockWindow, RowsTypedInEveryColumnTypeAreStoredAsTyped)
{
    const struct {
        const char* name;
        QStringList cells; // Denumire, Descriere, Cantitate, U.M., Pret, Data intrarii, Data iesirii
        const char* stored;
        QStringList shown; // Cantitate, Pret, Data intrarii, Data iesirii as the grid shows them
    } cases[] = {
        {"texts, whole numbers and both dates",
         {"Sfesnic", "argint", "3", "buc", "12,5", "01.02.2024", "15.03.2024"},
         "Sfesnic|argint|3.0|buc|12.5|2024-02-01|2024-03-15",
         {"3", "12,50", "01.02.2024", "15.03.2024"}},
        {"fractions, a price in thousands, dates typed as digits",
         {"Covor", "lana", "2,75", "mp", "1234,5", "05062024", "30122024"},
         "Covor|lana|2.75|mp|1234.5|2024-06-05|2024-12-30",
         {"2,75", "1.234,50", "05.06.2024", "30.12.2024"}},
        {"only what is required: no description, unit or dates",
         {"Candela", "", "1", "", "0", "", ""},
         "Candela|-|1.0|-|0.0|-|-",
         {"1", "0,00", "", ""}},
        {"Romanian letters",
         {"Ștergar", "țesut în casă", "4", "buc", "25", "", ""},
         "Ștergar|țesut în casă|4.0|buc|25.0|-|-",
         {"4", "25,00", "", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sql::exec(Connection::database(), QStringLiteral("DELETE FROM Stoc"));
        TStocFrm* window = openWindow();
        ASSERT_NE(window, nullptr);

        typeRow(c.cells);
        // Enter in the last column went on to a new row; leaving it untouched abandons it.
        press(Qt::Key_Up);
        EXPECT_TRUE(dialogs.shown.isEmpty());
        EXPECT_EQ(storedRows(QStringLiteral("Stoc")), 1);
        EXPECT_EQ(stored(storedRow), QString::fromUtf8(c.stored));
        QStringList shown;
        for (const char* field : {"Cantitate", "Pret", "DataIn", "DataOut"})
            shown << shownColumn(window, QString::fromLatin1(field));
        EXPECT_EQ(shown, c.shown);
        window->close();
        settle();
    }
}

TEST_F(StockWindow, RowsAreNumberedByTheirPlaceInTheNameOrder)
{
    for (const char* name : {"Tava", "candela", "Ștergar", "Sfesnic", "Anafornita"})
        StockItem{QString::fromUtf8(name)}.store(Connection::database());
    TStocFrm* window = openWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(shownColumn(window, QStringLiteral("Denumire")),
              QStringList({"Anafornita", "candela", "Sfesnic", "Ștergar", "Tava"}));
    EXPECT_EQ(shownColumn(window, QStringLiteral("NrCrt")), QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(window->stock()->recNo(), 1) << "the window opens on the first name";
    EXPECT_EQ(window->grid()->currentField(), QStringLiteral("Denumire")) << "the numbers take no typing";

    // A new row takes its place in the order once stored, and the rows after it are numbered again.
    typeRow({"Bec", "", "2", "buc", "3"});
    press(Qt::Key_Down);
    settle();
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(shownColumn(window, QStringLiteral("Denumire")),
              QStringList({"Anafornita", "Bec", "candela", "Sfesnic", "Ștergar", "Tava"}));
    EXPECT_EQ(shownColumn(window, QStringLiteral("NrCrt")), QStringList({"1", "2", "3", "4", "5", "6"}));
}

TEST_F(StockWindow, MovingOffARowWithoutANameQuantityOrPriceIsRefusedNamingTheColumn)
{
    const struct {
        QStringList cells;
        QString missing;
        QString caption;
    } cases[] = {
        {{"", "vechi", "2", "buc", "10"}, QStringLiteral("Denumire"), QStringLiteral("Denumire")},
        {{"Sfesnic", "vechi", "", "buc", "10"}, QStringLiteral("Cantitate"), QStringLiteral("Cantitate")},
        {{"Sfesnic", "vechi", "2", "buc", ""}, QStringLiteral("Pret"), QStringLiteral("Pret")},
        {{"   ", "vechi", "2", "buc", "10"}, QStringLiteral("Denumire"), QStringLiteral("Denumire")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.missing.toStdString());
        dialogs.shown.clear();
        TStocFrm* window = openWindow();
        ASSERT_NE(window, nullptr);

        typeRow(c.cells);
        press(Qt::Key_Up);
        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")),
                  QStringList{QStringLiteral("Campul \"%1\" trebuie completat!").arg(c.caption)});
        EXPECT_EQ(storedRows(QStringLiteral("Stoc")), 0);
        EXPECT_TRUE(window->stock()->isEditing()) << "the row stays with what was typed";
        EXPECT_EQ(window->stock()->asString(QStringLiteral("Descriere")), QStringLiteral("vechi"));
        EXPECT_EQ(window->grid()->currentField(), c.missing) << "the caret waits in the missing cell";

        // Filling it in lets the row go.
        typeCells({QStringLiteral("7")});
        press(Qt::Key_Up);
        EXPECT_EQ(storedRows(QStringLiteral("Stoc")), 1);
        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")).size(), 1);
        Sql::exec(Connection::database(), QStringLiteral("DELETE FROM Stoc"));
        window->close();
        settle();
    }
}

TEST_F(StockWindow, ATextThatIsNoNumberOrDateIsRefusedInItsCell)
{
    const struct {
        QStringList cells; // from Denumire up to the refused cell
        QString field;
        QString typed;
        QString message;
    } cases[] = {
        {{"Sfesnic", "", "trei"},
         QStringLiteral("Cantitate"),
         QStringLiteral("trei"),
         QStringLiteral("\"trei\" nu este")},
        {{"Sfesnic", "", "3", "buc", "12 lei"},
         QStringLiteral("Pret"),
         QStringLiteral("12 lei"),
         QStringLiteral("\"12 lei\" nu este")},
        {{"Sfesnic", "", "3", "buc", "12", "31.02.2024"},
         QStringLiteral("DataIn"),
         QStringLiteral("31.02.2024"),
         QStringLiteral("\"31.02.2024\" nu este")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field.toStdString());
        dialogs.shown.clear();
        TStocFrm* window = openWindow();
        ASSERT_NE(window, nullptr);
        typeRow(c.cells);
        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_TRUE(dialogs.shown[0].text.startsWith(c.message)) << dialogs.shown[0].text.toStdString();
        EXPECT_EQ(window->grid()->currentField(), c.field) << "the caret stays in the refused cell";
        ASSERT_NE(window->grid()->cellEditor(), nullptr);
        EXPECT_EQ(window->grid()->cellEditor()->text(), c.typed) << "with what was typed";
        EXPECT_EQ(storedRows(QStringLiteral("Stoc")), 0);
        window->close();
        settle();
    }
}

TEST_F(StockWindow, ValideazaStoresTheRowAndClosesButKeepsARefusedRowInTheOpenWindow)
{
    TStocFrm* window = openWindow();
    ASSERT_NE(window, nullptr);
    typeRow({"Sfesnic", "argint", "3", "buc"}); // no price yet, the caret in its cell

    click(window->validateButton());
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList{"Campul \"Pret\" trebuie completat!"});
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->stock()->isEditing());
    EXPECT_EQ(window->stock()->asString(QStringLiteral("Denumire")), QStringLiteral("Sfesnic"));
    EXPECT_EQ(storedRows(QStringLiteral("Stoc")), 0);

    EXPECT_EQ(window->grid()->currentField(), QStringLiteral("Pret"));
    type(QStringLiteral("12,5")); // left in its cell, not yet written into the row
    pressButtonKey(Qt::Key_V);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(stored(storedRow), QStringLiteral("Sfesnic|argint|3.0|buc|12.5|-|-"));
    EXPECT_EQ(dialogs.shown.size(), 1);
}

// A stored item corrected in its cell is stored by "&Valideaza" pressed while the cell is still being typed
// in.
TEST_F(StockWindow, ValideazaStoresTheCellBeingTypedInAStoredRow)
{
    StockItem{QStringLiteral("Candela"), {}, 2, QStringLiteral("buc"), 5}.store(Connection::database());
    TStocFrm* window = openWindow();
    ASSERT_NE(window, nullptr);
    window->grid()->selectField(QStringLiteral("UM"));
    settle();
    type(QStringLiteral("ati"));
    pressButtonKey(Qt::Key_V);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(stored(QStringLiteral("SELECT UM FROM Stoc")), QStringLiteral("bucati"));
}

TEST_F(StockWindow, TheCloseBoxDropsTheRowBeingEdited)
{
    StockItem{QStringLiteral("Candela"), {}, 2, QStringLiteral("buc"), 5}.store(Connection::database());
    const struct {
        const char* name;
        std::function<void()> edit;
    } cases[] = {
        {"a new row, complete",
         [] {
             typeRow({"Sfesnic", "argint", "3", "buc", "12,5"});
         }},
        {"a change to a stored row",
         [] {
             typeCells({"Candelabru", "", "9"});
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TStocFrm* window = openWindow();
        ASSERT_NE(window, nullptr);
        c.edit();
        ASSERT_TRUE(window->stock()->isEditing() || window->grid()->cellEditor());
        window->close();
        settle();
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(stored(storedRow), QStringLiteral("Candela|-|2.0|buc|5.0|-|-"));
        EXPECT_EQ(storedRows(QStringLiteral("Stoc")), 1);
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(StockWindow, DeletingARowAsksFirst)
{
    const struct {
        const char* name;
        std::function<void(TStocFrm*)> remove;
    } ways[] = {
        {"Ctrl+Delete in the grid", [](TStocFrm*) { press(Qt::Key_Delete, Qt::ControlModifier); }},
        {"the navigator's button", [](TStocFrm* w) { click(w->navigator()->button(TDBNavigator::Delete)); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        Sql::exec(Connection::database(), QStringLiteral("DELETE FROM Stoc"));
        StockItem{QStringLiteral("Candela")}.store(Connection::database());
        StockItem{QStringLiteral("Sfesnic")}.store(Connection::database());
        dialogs.shown.clear();
        TStocFrm* window = openWindow();
        ASSERT_NE(window, nullptr);

        dialogs.answers = {false};
        way.remove(window);
        EXPECT_EQ(storedRows(QStringLiteral("Stoc")), 2);
        dialogs.answers = {true};
        way.remove(window);
        EXPECT_EQ(dialogs.texts(QStringLiteral("question")),
                  QStringList({"Delete record?", "Delete record?"}));
        EXPECT_EQ(stored(QStringLiteral("SELECT group_concat(Denumire) FROM Stoc")),
                  QStringLiteral("Sfesnic"));
        EXPECT_EQ(shownColumn(window, QStringLiteral("NrCrt")), QStringList{"1"});
        window->close();
        settle();
    }
}

TEST_F(StockWindow, ListeazaStoresTheRowThenPrintsTheListOfTheChosenDate)
{
    setParishForStockList(Connection::database());
    TStocFrm* window = openWindow();
    ASSERT_NE(window, nullptr);

    // Cancelling the calendar prints nothing.
    typeRow({"Sfesnic", "argint", "3", "buc", "12,5"});
    click(window->printButton());
    EXPECT_EQ(dialogs.texts(QStringLiteral("date")), QStringList{QDate::currentDate().toString(Qt::ISODate)});
    EXPECT_TRUE(dialogs.texts(QStringLiteral("printSetup")).isEmpty());
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_EQ(storedRows(QStringLiteral("Stoc")), 1)
        << "the row typed was stored before the list was asked for";

    dialogs.dateAnswers = {QDate::currentDate()};
    pressButtonKey(Qt::Key_L);
    ASSERT_EQ(printer.jobs.size(), 1);
    QStringList texts;
    for (const auto& page : printer.jobs[0].model.pages)
        texts << page.texts();
    EXPECT_TRUE(texts.contains(QStringLiteral("Sfesnic - argint")));
    EXPECT_TRUE(texts.contains(QStringLiteral("37,50")));
    EXPECT_TRUE(window->isVisible()) << "the window stays open after printing";
}

TEST_F(StockWindow, AnIncompleteRowIsNotPrintedAndStaysInTheWindow)
{
    TStocFrm* window = openWindow();
    ASSERT_NE(window, nullptr);
    typeRow({"Sfesnic", "argint", "3"});
    dialogs.dateAnswers = {QDate::currentDate()};
    click(window->printButton());
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList{"Campul \"Pret\" trebuie completat!"});
    EXPECT_TRUE(dialogs.texts(QStringLiteral("date")).isEmpty());
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_TRUE(window->stock()->isEditing());
}

TEST_F(StockWindow, ATableThatCannotBeOpenedIsToldAndNoWindowOpens)
{
    Sql::exec(Connection::database(), QStringLiteral("DROP TABLE Stoc"));
    EXPECT_EQ(openStockWindow(&mainWindow), nullptr);
    const QStringList errors = dialogs.texts(QStringLiteral("error"));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Eroare de acces la tabela stocuri!")))
        << errors[0].toStdString();
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<TStocFrm*>(widget) && widget->isVisible());
}

// A name longer than the column holds is refused when the cell is left, with
// the lengths in the message; the text stays in its cell to be shortened.
TEST_F(StockWindow, ANameLongerThanTheColumnIsRefusedAndStaysTyped)
{
    TStocFrm* window = openWindow();
    ASSERT_NE(window, nullptr);
    const QString longName = QString(300, QChar(u'ș'));
    typeRow({longName});

    EXPECT_EQ(
        dialogs.texts(QStringLiteral("error")),
        QStringList{QStringLiteral("Campul Denumire primeste cel mult 255 caractere; textul dat are 300")});
    EXPECT_EQ(window->grid()->currentField(), QStringLiteral("Denumire"));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), longName);

    typeCells({QString(255, QChar(u'ș')), "", "3", "buc", "12,5"});
    press(Qt::Key_Up);
    EXPECT_EQ(stored(QStringLiteral("SELECT length(Denumire) || '|' || Cantitate FROM Stoc")),
              QStringLiteral("255|3.0"));
    EXPECT_EQ(dialogs.shown.size(), 1);
}
