#include "CatalogTestSupport.h"

#include "catalogues/CatalogSelect.h"
#include "catalogues/CatalogueOpeners.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "widgets/TDBGridNormal.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace
{

QVariant storedValue(const QString& statement)
{
    return Sql::scalar(Connection::database(), statement);
}

} // namespace

TEST_F(CatalogTest, ParishionersAreTypedFromTheKeyboard)
{
    TCatalogFrm* window = openCatalogueWindow(Catalogs::parishioners());
    ASSERT_TRUE(window->catalog()->isEmpty());

    // The first row of an empty list starts with the first character typed.
    typeCells({QStringLiteral("P10"), QStringLiteral("Popescu Ion"), QStringLiteral("Lunga"),
               QStringLiteral("7A")});
    EXPECT_EQ(window->grid()->currentField(), QStringLiteral("Tip_contributie"));
    EXPECT_EQ(currentText(window, QStringLiteral("Tip_contributie")), QStringLiteral("Intreaga"))
        << "a new parishioner pays the whole contribution unless told otherwise";
    press(Qt::Key_Return);
    typeCells({QStringLiteral("12,50")}); // the last column: on to a new row, the first one stored
    settle();
    EXPECT_EQ(storedRows(QStringLiteral("Enoriasi")), 1);
    EXPECT_EQ(window->grid()->currentField(), QStringLiteral("Cod_enorias"))
        << "a new row starts at the code";

    typeCells({QStringLiteral("P2"), QStringLiteral("Ionescu Maria"), QString(), QString(),
               QStringLiteral("Jumatate")});
    press(Qt::Key_Up); // moving off the row stores it
    EXPECT_EQ(storedRows(QStringLiteral("Enoriasi")), 2);

    // Enter goes on from the contribution type that the typing offered in its list.
    press(Qt::Key_End, Qt::ControlModifier);
    press(Qt::Key_Down);
    typeCells({QStringLiteral("P3"), QStringLiteral("Avram Ana"), QString(), QString(),
               QStringLiteral("Jumatate"), QStringLiteral("5")});
    press(Qt::Key_Up);
    EXPECT_EQ(storedRows(QStringLiteral("Enoriasi")), 3);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(
        storedValue(QStringLiteral(
                        "SELECT Tip_contributie || '|' || Restanta FROM Enoriasi WHERE Cod_enorias = 'P3'"))
            .toString(),
        QStringLiteral("Jumatate|5.0"));

    EXPECT_EQ(storedValue(QStringLiteral(
                              "SELECT Nume_prenume || '|' || Strada || '|' || Nr || '|' || "
                              "Tip_contributie || '|' || Restanta FROM Enoriasi WHERE Cod_enorias = 'P10'"))
                  .toString(),
              QStringLiteral("Popescu Ion|Lunga|7A|Intreaga|12.5"));
    EXPECT_EQ(storedValue(QStringLiteral("SELECT Tip_contributie FROM Enoriasi WHERE Cod_enorias = 'P2'"))
                  .toString(),
              QStringLiteral("Jumatate"));
}

TEST_F(CatalogTest, TypesAreAddedBelowTheLastRowAndStartAtTheCode)
{
    const struct {
        const CatalogDescriptor& catalogue;
        QString table;
        QString keyField;
        QStringList cells;
    } cases[] = {
        {Catalogs::incomeTypes(),
         QStringLiteral("Tip_venituri"),
         QStringLiteral("Cod_venit"),
         {QStringLiteral("50"), QStringLiteral("Chirie sala"), QStringLiteral("Chirie sala parohiala")}},
        {Catalogs::expenseTypes(),
         QStringLiteral("Tip_cheltuieli"),
         QStringLiteral("Cod_cheltuiala"),
         {QStringLiteral("51"), QStringLiteral("Asigurari"), QStringLiteral("Polita de asigurare")}},
        {Catalogs::balanceSheetRows(),
         QStringLiteral("Bilant"),
         QStringLiteral("Nr_rand"),
         {QStringLiteral("52"), QStringLiteral("Rezerva"), QStringLiteral("2+3"), QStringLiteral("71")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table.toStdString());
        const int before = storedRows(c.table);
        TCatalogFrm* window = openCatalogueWindow(c.catalogue);
        press(Qt::Key_End, Qt::ControlModifier);
        press(Qt::Key_End); // the last column: the new row must still start at the code
        press(Qt::Key_Down);
        EXPECT_EQ(window->catalog()->state(), DatasetState::Insert);
        EXPECT_EQ(window->grid()->currentField(), c.keyField);
        typeCells(c.cells);
        EXPECT_EQ(storedRows(c.table), before + 1);
        press(Qt::Key_Escape); // the untouched row after it is abandoned
        EXPECT_EQ(storedRows(c.table), before + 1);
        EXPECT_EQ(storedValue(QStringLiteral("SELECT Denumire FROM %1 WHERE %2 = %3")
                                  .arg(c.table, c.keyField, c.cells.first()))
                      .toString(),
                  c.cells[1]);
        EXPECT_TRUE(dialogs.shown.isEmpty());
        window->close();
    }
}

// A row missing what its catalogue requires is refused with the catalogue's
// message and stays in edit with what was typed.
TEST_F(CatalogTest, IncompleteRowsAreRefusedAndKeptInEdit)
{
    const QString parishionerMessage = QStringLiteral(
        "Informatie incompleta, introduceti atat codul, numele enoriasului cat si tipul contributiei!");
    const struct {
        const char* name;
        const CatalogDescriptor& catalogue;
        QStringList cells; // typed from the key column on; an empty text clears the cell
        QString message;
        QString keptField;
        QString keptText;
    } cases[] = {
        {"type with a code but no name",
         Catalogs::incomeTypes(),
         {QStringLiteral("60")},
         Catalogs::incompleteCodeAndName,
         QStringLiteral("Cod_venit"),
         QStringLiteral("60")},
        {"type with a name but no code",
         Catalogs::expenseTypes(),
         {QString(), QStringLiteral("Asigurari")},
         Catalogs::incompleteCodeAndName,
         QStringLiteral("Denumire"),
         QStringLiteral("Asigurari")},
        {"balance row with a number but no name",
         Catalogs::balanceSheetRows(),
         {QStringLiteral("61"), QString(), QStringLiteral("2+3")},
         Catalogs::incompleteCodeAndName,
         QStringLiteral("Formula"),
         QStringLiteral("2+3")},
        {"balance row with a name but no number",
         Catalogs::balanceSheetRows(),
         {QString(), QStringLiteral("Rezerva")},
         Catalogs::incompleteCodeAndName,
         QStringLiteral("Denumire"),
         QStringLiteral("Rezerva")},
        {"parishioner with the contribution type cleared",
         Catalogs::parishioners(),
         {QStringLiteral("P1"), QStringLiteral("Pop Ana"), QString(), QString(), QString()},
         parishionerMessage,
         QStringLiteral("Nume_prenume"),
         QStringLiteral("Pop Ana")},
        {"parishioner without a name",
         Catalogs::parishioners(),
         {QStringLiteral("P1")},
         parishionerMessage,
         QStringLiteral("Cod_enorias"),
         QStringLiteral("P1")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.shown.clear();
        TCatalogFrm* window = openCatalogueWindow(c.catalogue);
        const int before = window->catalog()->recordCount();
        if (before > 0) {
            press(Qt::Key_End, Qt::ControlModifier);
            press(Qt::Key_Down);
        }
        typeCells(c.cells);
        press(Qt::Key_Down); // on to a new row: this one is stored first
        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList{c.message});
        EXPECT_TRUE(window->catalog()->isEditing());
        EXPECT_EQ(window->catalog()->displayText(c.keptField), c.keptText);
        EXPECT_EQ(window->catalog()->recordCount(), before + 1);
        press(Qt::Key_Escape); // the typing of the cell, then the row
        press(Qt::Key_Escape);
        EXPECT_EQ(window->catalog()->recordCount(), before);
        window->close();
        settle();
    }
}

// Ctrl+Delete asks "Delete record?" and deletes on "Da", but only in a grid
// that allows editing: a picker browsing its rows deletes nothing.
TEST_F(CatalogTest, CtrlDeleteDeletesOnlyWhileEditing)
{
    addParishioners({{QStringLiteral("1"), QStringLiteral("Avram Ion")},
                     {QStringLiteral("2"), QStringLiteral("Barbu Ana")}});
    const struct {
        const char* name;
        bool picker;
        bool toggleEditing;
        QList<bool> answers;
        int questions;
        bool deleted;
    } cases[] = {
        {"picker browsing", true, false, {true}, 0, false},
        {"picker with editing on, answered Nu", true, true, {false}, 1, false},
        {"picker with editing on, answered Da", true, true, {true}, 1, true},
        {"catalogue window, answered Da", false, false, {true}, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (storedRows(QStringLiteral("Enoriasi")) < 3)
            addParishioners({{QStringLiteral("3"), QStringLiteral("Chirita Dan")}});
        const int before = storedRows(QStringLiteral("Enoriasi"));
        dialogs.shown.clear();
        dialogs.answers = c.answers;
        const auto deleteCurrent = [&](TCatalogFrm* window) {
            if (c.toggleEditing)
                QTest::mouseClick(window->editButton(), Qt::LeftButton);
            window->catalog()->last();
            window->grid()->setFocus();
            press(Qt::Key_Delete, Qt::ControlModifier);
        };
        if (c.picker) {
            QString code = QStringLiteral("3");
            whilePickerShown(deleteCurrent, [&] { SelectEnorias(&mainWindow, code); });
        } else {
            TCatalogFrm* window = openCatalogueWindow(Catalogs::parishioners());
            deleteCurrent(window);
            window->close();
        }
        EXPECT_EQ(dialogs.texts(QStringLiteral("question")).size(), c.questions);
        if (c.questions > 0)
            EXPECT_EQ(dialogs.texts(QStringLiteral("question")).first(), QStringLiteral("Delete record?"));
        EXPECT_EQ(storedRows(QStringLiteral("Enoriasi")), before - (c.deleted ? 1 : 0));
    }
}

// A type code already in the list is refused in the list's words, as a
// parishioner's code is, before the store would refuse it by its key.
TEST_F(CatalogTest, ATypeCodeAlreadyUsedIsRefusedByItsName)
{
    const struct {
        const CatalogDescriptor& catalogue;
        QString table;
        QString code;
        QString refusal;
    } cases[] = {
        {Catalogs::incomeTypes(), QStringLiteral("Tip_venituri"), QStringLiteral("12"),
         QStringLiteral("Codul 12 este deja folosit pentru Chirii si arenzi! Alegeti alt cod.")},
        {Catalogs::expenseTypes(), QStringLiteral("Tip_cheltuieli"), QStringLiteral("26"),
         QStringLiteral("Codul 26 este deja folosit pentru Energie electrica! Alegeti alt cod.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table.toStdString());
        dialogs.shown.clear();
        TCatalogFrm* window = openCatalogueWindow(c.catalogue);
        const int before = storedRows(c.table);
        press(Qt::Key_End, Qt::ControlModifier);
        press(Qt::Key_Down);
        typeCells({c.code, QStringLiteral("Alt tip")});
        press(Qt::Key_Up);
        EXPECT_EQ(dialogs.everything(), QStringList{QStringLiteral("warning: ") + c.refusal});
        EXPECT_TRUE(window->catalog()->isEditing()) << "the row stays for another code";
        EXPECT_EQ(storedRows(c.table), before);
        window->close();
        settle();
    }
}

TEST_F(CatalogTest, ClosingTheWindowDiscardsTheRowBeingTyped)
{
    TCatalogFrm* window = openCatalogueWindow(Catalogs::incomeTypes());
    const int before = storedRows(QStringLiteral("Tip_venituri"));
    press(Qt::Key_End, Qt::ControlModifier);
    press(Qt::Key_Down);
    typeCells({QStringLiteral("70"), QStringLiteral("Venit nou")});
    ASSERT_TRUE(window->catalog()->isEditing());
    window->close();
    settle();
    EXPECT_EQ(storedRows(QStringLiteral("Tip_venituri")), before);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// The balance sheet rows' window reads only its four columns: renaming a row
// keeps the row's figures, which belong to the balance sheet.
TEST_F(CatalogTest, TheNomenclatureLeavesTheFiguresOfItsRowsAlone)
{
    Sql::exec(Connection::database(), QStringLiteral("UPDATE Bilant SET Prevederi = 100, Executie = 90.5, "
                                                     "Cont1 = '20.01' WHERE Nr_rand = 21"));
    TCatalogFrm* window = openCatalogueWindow(Catalogs::balanceSheetRows());
    EXPECT_EQ(window->catalog()->fieldIndex(QStringLiteral("Prevederi")), -1) << "not read into the window";
    EXPECT_EQ(window->grid()->model()->columnCount(), 4);

    window->searchEdit()->setFocus();
    type(QStringLiteral("21"));
    window->grid()->setFocus();
    press(Qt::Key_Home);
    press(Qt::Key_Return);
    typeCells({QStringLiteral("TOTAL DISPONIBIL IN AN")});
    press(Qt::Key_Up);
    EXPECT_EQ(
        storedValue(QStringLiteral("SELECT Denumire || '|' || Prevederi || '|' || Executie || '|' || Cont1 "
                                   "FROM Bilant WHERE Nr_rand = 21"))
            .toString(),
        QStringLiteral("TOTAL DISPONIBIL IN AN|100.0|90.5|20.01"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(CatalogTest, ColumnsAndLabelsCarryTheirCaptionsAndAltLetters)
{
    const struct {
        const CatalogDescriptor& catalogue;
        QStringList titles;
        QStringList orders;
    } cases[] = {
        {Catalogs::parishioners(),
         {"Cod enorias", "Nume si prenume", "Strada", "Numar", "Tip contributie", "Restanta"},
         {"dupa Cod", "dupa Denumire"}},
        {Catalogs::incomeTypes(),
         {"Cod venit", "Denumire", "Explicatie_venit"},
         {"dupa Cod", "dupa Denumire"}},
        {Catalogs::expenseTypes(),
         {"Cod cheltuiala", "Denumire", "Explicatie_cheltuiala"},
         {"dupa Cod", "dupa Denumire"}},
        {Catalogs::balanceSheetRows(),
         {"Nr rand", "Denumire", "Formula", "Cont"},
         {"dupa Nr rand", "dupa Denumire"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.catalogue.windowClass.toStdString());
        TCatalogFrm* window = openCatalogueWindow(c.catalogue);
        QStringList titles, orders;
        for (int column = 0; column < window->grid()->model()->columnCount(); ++column)
            titles << window->grid()->model()->headerData(column, Qt::Horizontal).toString();
        for (int item = 0; item < window->orderList()->count(); ++item)
            orders << window->orderList()->itemText(item);
        EXPECT_EQ(titles, c.titles);
        EXPECT_EQ(orders, c.orders);
        EXPECT_EQ(window->orderList()->accessibleName(), QStringLiteral("Ordine de afisare"));
        EXPECT_EQ(window->searchEdit()->accessibleName(), QStringLiteral("Cauta"));

        press(Qt::Key_C, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), window->searchEdit());
        press(Qt::Key_D, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), window->orderList());
        window->close();
        settle();
    }
}

// The parishioners' contribution column offers its two values; any other text may be typed.
TEST_F(CatalogTest, TheContributionTypeOffersItsPickList)
{
    TCatalogFrm* window = openCatalogueWindow(Catalogs::parishioners());
    typeCells({QStringLiteral("P1"), QStringLiteral("Pop Ana"), QString(), QString()});
    ASSERT_EQ(window->grid()->currentField(), QStringLiteral("Tip_contributie"));
    QLineEdit* editor = window->grid()->cellEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(editor->completer(), nullptr);
    QStringList offered;
    for (int row = 0; row < editor->completer()->model()->rowCount(); ++row)
        offered << editor->completer()->model()->index(row, 0).data().toString();
    EXPECT_EQ(offered, (QStringList{"Intreaga", "Jumatate"}));
    typeCells({QStringLiteral("Scutit")});
    press(Qt::Key_Down); // on to a new row: this one is stored
    EXPECT_EQ(storedValue(QStringLiteral("SELECT Tip_contributie FROM Enoriasi")).toString(),
              QStringLiteral("Scutit"));
}

// Incomes and family members name a parishioner by the code alone: a second
// parishioner cannot take a code already used, whatever his name.
TEST_F(CatalogTest, AParishionerCodeIsUsedOnce)
{
    addParishioners({{QStringLiteral("7"), QStringLiteral("Stoica Ana")}});
    const struct {
        const char* name;
        bool newRow;
        QStringList cells; // a new row: from the code column on; a stored one: its name
        QString refusal;   // empty: the row is stored
    } cases[] = {
        {"another parishioner with a used code",
         true,
         {QStringLiteral("7"), QStringLiteral("Pop Ion")},
         QStringLiteral("Codul 7 este deja folosit pentru Stoica Ana! Alegeti alt cod.")},
        {"a code that only begins like a used one",
         true,
         {QStringLiteral("70"), QStringLiteral("Pop Ion")},
         {}},
        {"a parishioner corrected under his own code", false, {QStringLiteral("Stoica Ana Maria")}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.shown.clear();
        TCatalogFrm* window = openCatalogueWindow(Catalogs::parishioners());
        const int before = storedRows(QStringLiteral("Enoriasi"));
        window->orderList()->setCurrentIndex(0); // by code: "7" is the first row
        window->grid()->setFocus();
        press(Qt::Key_Home, Qt::ControlModifier);
        if (c.newRow) {
            press(Qt::Key_End, Qt::ControlModifier);
            press(Qt::Key_Down);
        } else {
            window->grid()->selectField(QStringLiteral("Nume_prenume"));
        }
        typeCells(c.cells);
        press(Qt::Key_Up); // moving off the row stores it
        if (c.refusal.isEmpty()) {
            EXPECT_TRUE(dialogs.shown.isEmpty());
            EXPECT_FALSE(window->catalog()->isEditing());
            EXPECT_EQ(storedRows(QStringLiteral("Enoriasi")), before + (c.newRow ? 1 : 0));
        } else {
            EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList{c.refusal});
            EXPECT_TRUE(window->catalog()->isEditing());
            EXPECT_EQ(window->catalog()->displayText(QStringLiteral("Nume_prenume")), c.cells.last());
            EXPECT_EQ(storedRows(QStringLiteral("Enoriasi")), before);
            press(Qt::Key_Escape);
            press(Qt::Key_Escape);
        }
        window->close();
        settle();
    }
    EXPECT_EQ(
        storedValue(QStringLiteral("SELECT Nume_prenume FROM Enoriasi WHERE Cod_enorias = '7'")).toString(),
        QStringLiteral("Stoica Ana Maria"));
    EXPECT_EQ(
        storedValue(QStringLiteral("SELECT Nume_prenume FROM Enoriasi WHERE Cod_enorias = '70'")).toString(),
        QStringLiteral("Pop Ion"));
    EXPECT_EQ(storedRows(QStringLiteral("Enoriasi")), 2);
}
