#include "ParishRecords.h"

#include "app/MainUnt.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "records/TFisaEnoriasFrm.h"
#include "support/FakePrinter.h"
#include "support/KeyTarget.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/DBNavigator.h"
#include "widgets/TDBGridNormal.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <optional>

using namespace ParishRecords;

namespace
{

// A real working year, the dialogs scripted, the printer faked, and the
// family sheet window opened over a stand-in for the main window.
class FamilySheetWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.emplace();
        db = folder->openWorkingYear();
        mainWindow.show();
    }

    void TearDown() override
    {
        for (auto* window : QApplication::topLevelWidgets())
            if (qobject_cast<TFisaEnoriasFrm*>(window))
                window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TFisaEnoriasFrm* openWindow()
    {
        TFisaEnoriasFrm* window = TFisaEnoriasFrm::open(&mainWindow);
        if (!window)
            return nullptr;
        QApplication::setActiveWindow(window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        return window;
    }

    // Goes to a page by its tab's accelerator, the focus in its grid.
    static void showPage(TFisaEnoriasFrm* window, TFisaEnoriasFrm::Page page, char accelerator)
    {
        if (window->pages()->currentIndex() != int(page))
            QTest::keyClick(window, accelerator, Qt::AltModifier);
        settle();
        EXPECT_EQ(window->pages()->currentIndex(), int(page));
        window->grid(page)->setFocus();
        settle();
    }

    static void settle() { QCoreApplication::processEvents(); }

    // Keys go where the user's keys go: an open pick list first, else the focused control.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(keyTarget(), key, modifiers);
        settle();
    }

    // Types into consecutive cells of the current row, Enter after each.
    static void typeCells(const QStringList& texts)
    {
        for (const QString& text : texts) {
            if (auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
                editor->selectAll();
            for (const QChar ch : text) {
                QTest::keyClick(keyTarget(), char(ch.unicode()));
                settle();
            }
            press(Qt::Key_Return);
        }
    }

    static void click(QAbstractButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
    }

    // Opens the print menu with its button and clicks the item.
    static void printFromMenu(TFisaEnoriasFrm* window, const QString& item)
    {
        click(window->printButton());
        QMenu* menu = window->printMenu();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        for (QAction* action : menu->actions())
            if (action->text() == item) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                settle();
                return;
            }
        FAIL() << "no item " << item.toStdString();
    }

    int count(const QString& statement) const { return Sql::scalar(db, statement).toInt(); }

    QStringList printedTexts(int job) const
    {
        QStringList texts;
        for (const auto& page : printer.jobs.at(job).model.pages)
            texts << page.texts();
        return texts;
    }

    std::optional<TestFolder> folder;
    QSqlDatabase db;
    ScriptedDialogs dialogs;
    FakePrinter printer;
    QWidget mainWindow;
};

TEST_F(FamilySheetWindow, AParishionerAndHisFamilyAreTypedFromTheKeyboard)
{
    TFisaEnoriasFrm* window = openWindow();
    ASSERT_TRUE(window);
    EXPECT_EQ(QApplication::focusWidget(), window->searchEdit()) << "the window opens in the search box";
    EXPECT_EQ(window->pages()->currentIndex(), int(TFisaEnoriasFrm::Catalog));

    window->grid(TFisaEnoriasFrm::Catalog)->setFocus();
    settle();
    typeCells({QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QStringLiteral("Florilor"),
               QStringLiteral("3")});
    EXPECT_EQ(window->table(TFisaEnoriasFrm::Catalog)->asString(QStringLiteral("Tip_contributie")),
              QStringLiteral("Intreaga"));

    // The first member stores the new parishioner before it; Down below the last row adds the next.
    showPage(window, TFisaEnoriasFrm::Members, 'm');
    EXPECT_EQ(window->header(TFisaEnoriasFrm::Members)->text(),
              QStringLiteral("Enorias : Popescu Ion     Strada : Florilor     Nr : 3"));
    typeCells({QStringLiteral("Popescu Ana"), QStringLiteral("02051990")});
    press(Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
    typeCells({QStringLiteral("Popescu Dan"), QStringLiteral("10101995")});
    press(Qt::Key_Up);

    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.value(0).text.toStdString();
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Enoriasi WHERE Cod_enorias = 'P1' AND "
                                   "Tip_contributie = 'Intreaga'")),
              1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM MembriiFam WHERE Cod_enorias = 'P1'")), 2);
    EXPECT_EQ(
        Sql::scalar(db, QStringLiteral("SELECT Data_nasterii FROM MembriiFam WHERE Numele = 'Popescu Dan'"))
            .toDate(),
        QDate(1995, 10, 10));
}

TEST_F(FamilySheetWindow, RefusedRowsSaySoAndStoreNothing)
{
    const struct {
        const char* name;
        bool withParishioner;
        TFisaEnoriasFrm::Page page;
        char accelerator;
        QStringList cells;
        QString warning;
    } cases[] = {
        {"a parishioner code already used",
         true,
         TFisaEnoriasFrm::Catalog,
         'c',
         {QStringLiteral("P1"), QStringLiteral("Ionescu Maria")},
         QStringLiteral("Codul P1 este deja folosit pentru Popescu Ion! Alegeti alt cod.")},
        {"a family member without any parishioner",
         false,
         TFisaEnoriasFrm::Members,
         'm',
         {QStringLiteral("Popescu Ana")},
         QStringLiteral("Adaugati intai enoriasul, apoi datele familiei lui.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        dialogs.shown.clear();
        if (c.withParishioner)
            addParishioner(db, QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QStringLiteral("Mare"));
        TFisaEnoriasFrm* window = openWindow();
        ASSERT_TRUE(window);
        showPage(window, c.page, c.accelerator);
        if (!window->table(c.page)->isEmpty())
            press(Qt::Key_Down);
        typeCells(c.cells);
        press(Qt::Key_Up);
        // Each key of the refused typing is refused again (a real message box takes the keys after the
        // first).
        QStringList warnings = dialogs.texts(QStringLiteral("warning"));
        warnings.removeDuplicates();
        EXPECT_EQ(warnings, QStringList{c.warning});
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Enoriasi")), c.withParishioner ? 1 : 0);
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM MembriiFam")), 0);
    }
}

TEST_F(FamilySheetWindow, AMemberWithTheNameAndBirthDateOfAnotherOfHisFamilyIsRefused)
{
    const struct {
        const char* name;
        QString code; // whose family already has Ana born 2 May 1990
        QString birth;
        bool stored;
    } cases[] = {
        {"same name and birth date", QStringLiteral("P1"), QStringLiteral("02051990"), false},
        {"another birth date", QStringLiteral("P1"), QStringLiteral("03051990"), true},
        {"another family", QStringLiteral("P2"), QStringLiteral("02051990"), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        addParishioner(db, QStringLiteral("P1"), QStringLiteral("Popescu Ion"));
        addParishioner(db, QStringLiteral("P2"), QStringLiteral("Radu Vasile"));
        addMember(db, c.code, QStringLiteral("Ana"), QDate(1990, 5, 2));
        dialogs.shown.clear();
        TFisaEnoriasFrm* window = openWindow();
        ASSERT_TRUE(window);
        showPage(window, TFisaEnoriasFrm::Members, 'm');
        Dataset* members = window->table(TFisaEnoriasFrm::Members);
        if (!members->isEmpty())
            press(Qt::Key_Down); // below the last row: a new one
        typeCells({QStringLiteral("Ana"), c.birth});
        press(Qt::Key_Up);

        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM MembriiFam WHERE Numele = 'Ana'")),
                  c.stored ? 2 : 1);
        EXPECT_EQ(dialogs.everything(),
                  c.stored ? QStringList()
                           : QStringList{QStringLiteral(
                                 "warning: Ana, nascut la 02.05.1990, este deja in familie.")});
        if (!c.stored) {
            EXPECT_TRUE(members->isEditing()) << "the refused row stays for correction";
            EXPECT_EQ(members->asString(QStringLiteral("Numele")), QStringLiteral("Ana"));
        }
    }
}

// Insert opens the new row in its first column: a name typed at once is the
// member's name. A member without a name is refused with its message.
TEST_F(FamilySheetWindow, AMemberIsTypedFromTheFirstColumnAndNeedsAName)
{
    addParishioner(db, QStringLiteral("P1"), QStringLiteral("Popescu Ion"));
    addMember(db, QStringLiteral("P1"), QStringLiteral("Popescu Ana"), QDate(1990, 5, 2));
    TFisaEnoriasFrm* window = openWindow();
    ASSERT_TRUE(window);
    showPage(window, TFisaEnoriasFrm::Members, 'm');
    TDBGridNormal* grid = window->grid(TFisaEnoriasFrm::Members);
    grid->selectField(QStringLiteral("Data_nasterii"));
    settle();
    press(Qt::Key_Insert);
    EXPECT_EQ(grid->currentField(), QStringLiteral("Numele"));
    typeCells({QStringLiteral("Popescu Dan"), QStringLiteral("10101995")});
    press(Qt::Key_Up);
    EXPECT_EQ(
        Sql::scalar(db, QStringLiteral("SELECT Data_nasterii FROM MembriiFam WHERE Numele = 'Popescu Dan'"))
            .toDate(),
        QDate(1995, 10, 10));

    // A row with a birth date and no name is not stored as a nameless member.
    press(Qt::Key_Insert);
    press(Qt::Key_Right);
    typeCells({QStringLiteral("01012000")});
    press(Qt::Key_Down);
    EXPECT_EQ(dialogs.everything(),
              QStringList{QStringLiteral("warning: Completati numele membrului familiei!")});
    EXPECT_TRUE(window->table(TFisaEnoriasFrm::Members)->isEditing()) << "the row stays for its name";
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM MembriiFam")), 2);
}

// Enter goes from cell to cell through the pick-list cells too, the list
// that the typing opened notwithstanding, on every page that has one.
TEST_F(FamilySheetWindow, RowsAreTypedWithEnterThroughTheirPickListCells)
{
    const struct {
        const char* name;
        TFisaEnoriasFrm::Page page;
        char accelerator;
        QStringList cells;
        QString query;
        QString stored;
    } cases[] = {
        {"a family member",
         TFisaEnoriasFrm::Members,
         'm',
         {"Popescu Ana", "02051990", "Necasatorit/a", "", "", "ortodoxa", "pensionar", "nota"},
         "SELECT Numele, Data_nasterii, Starea_civila, Data_casatoriei, Religia, Ocupatia, Observatii "
         "FROM MembriiFam",
         "Popescu Ana|1990-05-02|Necasatorit/a||ortodoxa|pensionar|nota"},
        {"a parishioner",
         TFisaEnoriasFrm::Catalog,
         'c',
         {"P2", "Radu Vasile", "Mare", "8", "Jumatate", "12"},
         "SELECT Cod_enorias, Nume_prenume, Strada, Nr, Tip_contributie, Restanta FROM Enoriasi "
         "WHERE Cod_enorias = 'P2'",
         "P2|Radu Vasile|Mare|8|Jumatate|12"},
        {"a baptism",
         TFisaEnoriasFrm::Baptisms,
         'b',
         {"7", "01032024", "02022024", "03032024", "Radu Mihai", "X", "", "Radu Ion"},
         "SELECT Numar, Nume_prunc, Legitim, Natural, Nume_parinti FROM Botezuri",
         "7|Radu Mihai|X||Radu Ion"},
        {"a marriage",
         TFisaEnoriasFrm::Marriages,
         0, // its accelerator is also the first page's
         {"4", "10062023", "Radu Vasile", "25", "June", "Pop Ana", "23", "Juna", "Pop Dan"},
         "SELECT Nume_mire, Varsta_mire, Starea_mire, Nume_mireasa, Starea_mireasa, Nume_nasi FROM Cununii",
         "Radu Vasile|25|June|Pop Ana|Juna|Pop Dan"},
        {"a burial",
         TFisaEnoriasFrm::Burials,
         'i',
         {"5", "01032024", "Popescu Ion", "X", "", "80", "pensionar"},
         "SELECT Nume_decedat, Sex_M, Sex_F, Varsta, Profesia FROM Inmormantari",
         "Popescu Ion|X||80|pensionar"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        addParishioner(db, QStringLiteral("P1"), QStringLiteral("Popescu Ion"));
        dialogs.shown.clear();
        TFisaEnoriasFrm* window = openWindow();
        ASSERT_TRUE(window);
        if (c.accelerator)
            showPage(window, c.page, c.accelerator);
        else
            window->pages()->setCurrentIndex(c.page);
        window->grid(c.page)->setFocus();
        settle();
        if (!window->table(c.page)->isEmpty())
            press(Qt::Key_Down); // below the last row: a new one
        typeCells(c.cells);
        press(Qt::Key_Up);

        EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.everything().join(QLatin1Char('\n')).toStdString();
        QSqlQuery row = Sql::exec(db, c.query);
        ASSERT_TRUE(row.next());
        QStringList values;
        for (int field = 0; field < row.record().count(); ++field)
            values << row.value(field).toString();
        EXPECT_EQ(values.join(QLatin1Char('|')), c.stored);
    }
}

// "&Valideaza" stores the text of the cell being typed in, on every page,
// by its key or its click.
TEST_F(FamilySheetWindow, ValideazaStoresTheCellBeingTyped)
{
    const struct {
        const char* name;
        TFisaEnoriasFrm::Page page;
        char accelerator;
        bool byKey;
        QString typed; // into the last column of the page's stored row
        QString query;
    } cases[] = {
        {"a member's note, Alt+V", TFisaEnoriasFrm::Members, 'm', true, "nota",
         "SELECT Observatii FROM MembriiFam"},
        {"a member's note, clicked", TFisaEnoriasFrm::Members, 'm', false, "nota",
         "SELECT Observatii FROM MembriiFam"},
        {"the parishioner's arrears, Alt+V", TFisaEnoriasFrm::Catalog, 'c', true, "12",
         "SELECT Restanta FROM Enoriasi"},
        {"an event's explanation, clicked", TFisaEnoriasFrm::Activities, 'a', false, "sfestanie",
         "SELECT Explicatie FROM Activitati"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        addParishioner(db, QStringLiteral("P1"), QStringLiteral("Popescu Ion"));
        addMember(db, QStringLiteral("P1"), QStringLiteral("Popescu Ana"), QDate(1990, 5, 2));
        Sql::exec(db,
                  QStringLiteral("INSERT INTO Activitati (Cod_enorias, Data) VALUES ('P1', '2025-02-01')"));
        TFisaEnoriasFrm* window = openWindow();
        ASSERT_TRUE(window);
        showPage(window, c.page, c.accelerator);
        press(Qt::Key_End); // the last column
        for (const QChar ch : c.typed)
            QTest::keyClick(keyTarget(), char(ch.unicode()));
        settle();
        if (c.byKey)
            press(Qt::Key_V, Qt::AltModifier); // the button shows itself pressed a moment, then acts
        else
            click(window->validateButton());
        EXPECT_TRUE(QTest::qWaitFor([window] { return !window->isVisible(); }));
        EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.everything().join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(Sql::scalar(db, c.query).toString(), c.typed);
    }
}

TEST_F(FamilySheetWindow, TwoBurialsOfOneFamilyWithOneActNumberAndDateAreRefused)
{
    addParishioner(db, QStringLiteral("P1"), QStringLiteral("Popescu Ion"));
    TFisaEnoriasFrm* window = openWindow();
    ASSERT_TRUE(window);
    showPage(window, TFisaEnoriasFrm::Burials, 'i');
    const struct {
        QString number, date;
        int storedAfter;
    } burials[] = {
        {QStringLiteral("5"), QStringLiteral("01032024"), 1},
        {QStringLiteral("5"), QStringLiteral("02032024"), 2}, // another date
        {QStringLiteral("5"), QStringLiteral("02032024"), 2}, // the same act again
    };
    for (const auto& b : burials) {
        if (!window->table(TFisaEnoriasFrm::Burials)->isEmpty()) {
            press(Qt::Key_End, Qt::ControlModifier); // below the last row: a new one
            press(Qt::Key_Down);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
        }
        typeCells({b.number, b.date, QStringLiteral("Popescu Ion")});
        press(Qt::Key_Up);
        EXPECT_EQ(
            count(QStringLiteral("SELECT count(*) FROM Inmormantari WHERE Cod_enorias = 'P1' AND Numar = 5")),
            b.storedAfter);
    }
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")).size(), 1);
}

TEST_F(FamilySheetWindow, TheSearchFindsTheFirstRowOfTheOrderBeginningWithTheTextInAnyCaseWithOrWithoutDiacritics)
{
    addParishioner(db, QStringLiteral("C3"), QStringLiteral("Zaharia Ion"), QStringLiteral("Popilor"),
                   QStringLiteral("9"));
    addParishioner(db, QStringLiteral("A1"), QStringLiteral("Popescu Maria"), QStringLiteral("Mare"),
                   QStringLiteral("2"));
    addParishioner(db, QStringLiteral("B2"), QStringLiteral("POPA Vasile"), QStringLiteral("Lunga"),
                   QStringLiteral("12"));
    addParishioner(db, QStringLiteral("D4"), QStringLiteral("Avram Elena"), QStringLiteral("Pod"),
                   QStringLiteral("1"));
    addParishioner(db, QStringLiteral("E5"), QStringLiteral("Șerban Ana"), QStringLiteral("Ștefan cel Mare"),
                   QStringLiteral("3"));
    const struct {
        const char* order;
        QString text;
        QString found; // code
    } cases[] = {
        {"Nume_prenume", QStringLiteral("pop"), QStringLiteral("B2")},
        {"Nume_prenume", QStringLiteral("POP"), QStringLiteral("B2")},
        {"Nume_prenume", QStringLiteral("pOpE"), QStringLiteral("A1")},
        {"Strada", QStringLiteral("po"), QStringLiteral("D4")},
        {"Strada", QStringLiteral("POPI"), QStringLiteral("C3")},
        {"Cod", QStringLiteral("c"), QStringLiteral("C3")},
        {"Numar", QStringLiteral("1"), QStringLiteral("D4")},
        {"Nume_prenume", QStringLiteral("ser"), QStringLiteral("E5")}, // typed without diacritics
        {"Strada", QStringLiteral("stef"), QStringLiteral("E5")},
        {"Nume_prenume", QStringLiteral("x"), QStringLiteral("A1")}, // no match: the row stays
    };
    TFisaEnoriasFrm* window = openWindow();
    ASSERT_TRUE(window);
    Dataset* parishioners = window->table(TFisaEnoriasFrm::Catalog);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.order) + " " + c.text.toStdString());
        window->orderList()->setFocus();
        QTest::keyClick(window->orderList(), Qt::Key_Home);
        while (window->orderList()->currentText() != QString::fromLatin1(c.order))
            QTest::keyClick(window->orderList(), Qt::Key_Down);
        settle();
        parishioners->first(); // "Avram" or "A1" or "Lunga": never a searched row
        if (QString::fromLatin1(c.order) == QStringLiteral("Nume_prenume"))
            parishioners->locate(QStringLiteral("Cod_enorias"), {QStringLiteral("A1")});
        window->searchEdit()->setFocus();
        window->searchEdit()->clear();
        QTest::keyClicks(window->searchEdit(), c.text);
        settle();
        EXPECT_EQ(parishioners->asString(QStringLiteral("Cod_enorias")), c.found);
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(FamilySheetWindow, AnOrderWithoutItsIndexLeavesTheListAsItWas)
{
    // By name B2 comes first, by street A1.
    addParishioner(db, QStringLiteral("A1"), QStringLiteral("Zaharia Ion"), QStringLiteral("Albinelor"));
    addParishioner(db, QStringLiteral("B2"), QStringLiteral("Avram Elena"), QStringLiteral("Mare"));
    Sql::exec(db, QStringLiteral("DROP INDEX \"Enoriasi_Strada\""));
    TFisaEnoriasFrm* window = openWindow();
    ASSERT_TRUE(window);
    Dataset* parishioners = window->table(TFisaEnoriasFrm::Catalog);
    const auto firstCode = [parishioners] {
        parishioners->first();
        return parishioners->asString(QStringLiteral("Cod_enorias"));
    };
    EXPECT_EQ(firstCode(), QStringLiteral("A1"));
    window->orderList()->setFocus();
    QTest::keyClick(window->orderList(), Qt::Key_Down);
    settle();
    EXPECT_EQ(window->orderList()->currentText(), QStringLiteral("Nume_prenume"));
    EXPECT_EQ(firstCode(), QStringLiteral("B2")) << "Avram before Zaharia";
    QTest::keyClick(window->orderList(), Qt::Key_Down);
    settle();
    EXPECT_EQ(window->orderList()->currentText(), QStringLiteral("Nume_prenume"));
    EXPECT_EQ(firstCode(), QStringLiteral("B2")) << "without its index the street order is not taken";
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(FamilySheetWindow, TheRecordPagesFollowTheCurrentParishioner)
{
    addParishioner(db, QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QStringLiteral("Florilor"),
                   QStringLiteral("3"));
    addParishioner(db, QStringLiteral("P2"), QStringLiteral("Radu Vasile"), QStringLiteral("Mare"),
                   QStringLiteral("8B"));
    addMember(db, QStringLiteral("P1"), QStringLiteral("Popescu Ana"), QDate(1990, 5, 2));
    addMember(db, QStringLiteral("P1"), QStringLiteral("Popescu Dan"), QDate(1995, 1, 1));
    addBaptism(db, QStringLiteral("P2"), 7, QDate(2024, 3, 1), QStringLiteral("Radu Mihai"));
    addMarriage(db, QStringLiteral("P2"), 4, QDate(2023, 6, 10), QStringLiteral("Radu Vasile"));

    TFisaEnoriasFrm* window = openWindow();
    ASSERT_TRUE(window);
    const struct {
        TFisaEnoriasFrm::Page page;
        int rowsOfP1, rowsOfP2;
    } pages[] = {{TFisaEnoriasFrm::Members, 2, 0},
                 {TFisaEnoriasFrm::Baptisms, 0, 1},
                 {TFisaEnoriasFrm::Marriages, 0, 1},
                 {TFisaEnoriasFrm::Burials, 0, 0},
                 {TFisaEnoriasFrm::Activities, 0, 0}};
    for (const auto& p : pages) {
        EXPECT_EQ(window->table(p.page)->recordCount(), p.rowsOfP1) << p.page;
        EXPECT_EQ(window->header(p.page)->text(),
                  QStringLiteral("Enorias : Popescu Ion     Strada : Florilor     Nr : 3"));
    }
    click(window->navigator()->button(TDBNavigator::Next));
    for (const auto& p : pages) {
        EXPECT_EQ(window->table(p.page)->recordCount(), p.rowsOfP2) << p.page;
        EXPECT_EQ(window->header(p.page)->text(),
                  QStringLiteral("Enorias : Radu Vasile     Strada : Mare     Nr : 8B"));
    }
    EXPECT_EQ(window->table(TFisaEnoriasFrm::Baptisms)->asString(QStringLiteral("Nume_prunc")),
              QStringLiteral("Radu Mihai"));

    // An event typed on a record page gets the current parishioner's code.
    showPage(window, TFisaEnoriasFrm::Activities, 'a');
    typeCells({QStringLiteral("01022025"), QStringLiteral("Sfintirea casei")});
    press(Qt::Key_Up);
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("SELECT Cod_enorias FROM Activitati")).toString(),
              QStringLiteral("P2"));
}

TEST_F(FamilySheetWindow, AnotherParishionerWaitsForTheRecordBeingTyped)
{
    addParishioner(db, QStringLiteral("P1"), QStringLiteral("Popescu Ion"));
    addParishioner(db, QStringLiteral("P2"), QStringLiteral("Radu Vasile"));
    Sql::exec(db, QStringLiteral("CREATE TRIGGER refuse_members BEFORE INSERT ON MembriiFam "
                                 "BEGIN SELECT RAISE(ABORT, 'registrul familiei este inchis'); END"));
    TFisaEnoriasFrm* window = openWindow();
    ASSERT_TRUE(window);
    Dataset* parishioners = window->table(TFisaEnoriasFrm::Catalog);
    Dataset* members = window->table(TFisaEnoriasFrm::Members);
    ASSERT_EQ(parishioners->asString(QStringLiteral("Cod_enorias")), QStringLiteral("P1"));
    showPage(window, TFisaEnoriasFrm::Members, 'm');
    typeCells({QStringLiteral("Popescu Ana")});

    // The user turns to the next parishioner while the refused member is on screen.
    window->pages()->setCurrentIndex(TFisaEnoriasFrm::Catalog);
    window->grid(TFisaEnoriasFrm::Catalog)->setFocus();
    settle();
    press(Qt::Key_Down);
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")).size(), 1);
    EXPECT_EQ(parishioners->asString(QStringLiteral("Cod_enorias")), QStringLiteral("P1"))
        << "the member would stand under another family";
    EXPECT_TRUE(members->isEditing());
    EXPECT_EQ(members->asString(QStringLiteral("Numele")), QStringLiteral("Popescu Ana"));

    Sql::exec(db, QStringLiteral("DROP TRIGGER refuse_members"));
    window->grid(TFisaEnoriasFrm::Catalog)->setFocus();
    settle();
    press(Qt::Key_Down);
    EXPECT_EQ(parishioners->asString(QStringLiteral("Cod_enorias")), QStringLiteral("P2"));
    EXPECT_EQ(
        Sql::scalar(db, QStringLiteral("SELECT Cod_enorias FROM MembriiFam WHERE Numele = 'Popescu Ana'"))
            .toString(),
        QStringLiteral("P1"));
}

TEST_F(FamilySheetWindow, ValideazaShowsAStoreErrorAndKeepsTheWindowWithWhatWasTyped)
{
    addParishioner(db, QStringLiteral("P1"), QStringLiteral("Popescu Ion"));
    Sql::exec(db, QStringLiteral("CREATE TRIGGER refuse_members BEFORE INSERT ON MembriiFam "
                                 "BEGIN SELECT RAISE(ABORT, 'registrul familiei este inchis'); END"));
    TFisaEnoriasFrm* window = openWindow();
    ASSERT_TRUE(window);
    showPage(window, TFisaEnoriasFrm::Members, 'm');
    typeCells({QStringLiteral("Popescu Ana")});
    window->pages()->setCurrentIndex(TFisaEnoriasFrm::Catalog);

    click(window->validateButton());
    Dataset* members = window->table(TFisaEnoriasFrm::Members);
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(dialogs.texts(QStringLiteral("error")).size(), 1);
    EXPECT_TRUE(
        dialogs.texts(QStringLiteral("error"))[0].contains(QStringLiteral("registrul familiei este inchis")));
    EXPECT_EQ(window->pages()->currentIndex(), int(TFisaEnoriasFrm::Members)) << "the refused row is shown";
    EXPECT_TRUE(members->isEditing());
    EXPECT_EQ(members->asString(QStringLiteral("Numele")), QStringLiteral("Popescu Ana"));

    Sql::exec(db, QStringLiteral("DROP TRIGGER refuse_members"));
    click(window->validateButton());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM MembriiFam WHERE Numele = 'Popescu Ana'")), 1);
}

TEST_F(FamilySheetWindow, ClosingWithoutValideazaDropsTheRowBeingEdited)
{
    addParishioner(db, QStringLiteral("P1"), QStringLiteral("Popescu Ion"));
    TFisaEnoriasFrm* window = openWindow();
    ASSERT_TRUE(window);
    press(Qt::Key_Escape); // in the search box
    EXPECT_TRUE(window->isVisible()) << "a window without a cancel button does not close on Escape";
    showPage(window, TFisaEnoriasFrm::Members, 'm');
    typeCells({QStringLiteral("Popescu Ana")});
    window->close();
    settle();
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM MembriiFam")), 0);
}

TEST_F(FamilySheetWindow, ThePrintMenuPrintsForTheCurrentParishionerOrForAll)
{
    addParishioner(db, QStringLiteral("P1"), QStringLiteral("Popescu Ion"));
    addParishioner(db, QStringLiteral("P2"), QStringLiteral("Radu Vasile"));
    addMember(db, QStringLiteral("P2"), QStringLiteral("Radu Ana"), QDate(1990, 5, 2));
    const struct {
        QString item;
        QString printed;    // on the pages
        QString notPrinted; // the other family, when only one is printed
    } cases[] = {
        {QStringLiteral("Fisa de evidenta"), QStringLiteral("Radu Ana"), QStringLiteral("Popescu Ion")},
        {QStringLiteral("Toate fisele de evidenta"), QStringLiteral("Popescu Ion"), QString()},
        {QStringLiteral("Foaia familiala"), QStringLiteral("Familia Radu Vasile"),
         QStringLiteral("Familia Popescu Ion")},
        {QStringLiteral("Toate foile familiale"), QStringLiteral("Familia Popescu Ion"), QString()},
        {QStringLiteral("Situatia contributiei"), QStringLiteral("Fisa nominala privind contributia"),
         QStringLiteral("Popescu Ion")},
    };
    TFisaEnoriasFrm* window = openWindow();
    ASSERT_TRUE(window);
    const QList<QAction*> items = window->printMenu()->actions();
    ASSERT_EQ(items.size(), 7);
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_TRUE(items[5]->isSeparator());
    click(window->navigator()->button(TDBNavigator::Last));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item.toStdString());
        printer.jobs.clear();
        printFromMenu(window, c.item);
        ASSERT_EQ(printer.jobs.size(), 1);
        EXPECT_FALSE(printer.jobs[0].model.pages.isEmpty());
        EXPECT_TRUE(printedTexts(0).contains(c.printed));
        if (!c.notPrinted.isEmpty())
            EXPECT_FALSE(printedTexts(0).contains(c.notPrinted));
        EXPECT_TRUE(window->isVisible());
    }
    EXPECT_TRUE(dialogs.texts(QStringLiteral("error")).isEmpty())
        << dialogs.texts(QStringLiteral("error")).value(0).toStdString();
}

TEST_F(FamilySheetWindow, TheFourMenuEntriesOpenOneWindow)
{
    TMainFrm main;
    main.show();
    TFisaEnoriasFrm* first = nullptr;
    for (const char* command :
         {"OpFisaEnoriasului", "FiseleSelectiv", "FoileSelectiv", "ContributiaSelectiv"}) {
        SCOPED_TRACE(command);
        main.command(QString::fromLatin1(command))->trigger();
        settle();
        QList<TFisaEnoriasFrm*> shown;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<TFisaEnoriasFrm*>(widget); window && window->isVisible())
                shown << window;
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown[0]->windowTitle(), QStringLiteral("Date referitoare la enoriasi"));
        if (!first)
            first = shown[0];
        EXPECT_EQ(shown[0], first);
    }
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(FamilySheetWindow, AKeyOnTheCodeAloneIsWidenedOnceWhenTheWindowOpens)
{
    const struct {
        QString table;
        QString insertTwo; // two rows of one family that the widened key accepts
    } cases[] = {
        {QStringLiteral("MembriiFam"),
         QStringLiteral("INSERT INTO MembriiFam (Cod_enorias, Numele) VALUES ('P1', 'Ana'), ('P1', 'Dan')")},
        {QStringLiteral("Inmormantari"),
         QStringLiteral("INSERT INTO Inmormantari (Cod_enorias, Numar) VALUES ('P1', 1), ('P1', 2)")},
    };
    const auto indexes = [this](const QString& table) {
        QStringList list;
        QSqlQuery q =
            Sql::exec(db, QStringLiteral("SELECT name || ':' || sql FROM sqlite_master WHERE type = "
                                         "'index' AND tbl_name = '%1' ORDER BY name")
                              .arg(table));
        while (q.next())
            list << q.value(0).toString();
        return list;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table.toStdString());
        Sql::exec(db, QStringLiteral("DROP INDEX \"%1_PrimaryIdx\"").arg(c.table));
        Sql::exec(db,
                  QStringLiteral("CREATE UNIQUE INDEX \"%1_Primary\" ON \"%1\" (Cod_enorias)").arg(c.table));
    }
    ASSERT_TRUE(openWindow());
    TearDown();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table.toStdString());
        const QStringList converted = indexes(c.table);
        ASSERT_EQ(converted.size(), 1);
        EXPECT_TRUE(converted[0].startsWith(c.table + QStringLiteral("_PrimaryIdx:")));
        ASSERT_TRUE(openWindow());
        TearDown();
        EXPECT_EQ(indexes(c.table), converted) << "a widened key is left as it is";
        Sql::exec(db, c.insertTwo);
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

} // namespace

namespace
{

TEST_F(FamilySheetWindow, ATableThatCannotBeOpenedIsToldAndNoWindowOpens)
{
    Sql::exec(db, QStringLiteral("DROP TABLE Activitati"));
    EXPECT_EQ(TFisaEnoriasFrm::open(&mainWindow), nullptr);
    const QStringList errors = dialogs.texts(QStringLiteral("error"));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Eroare de acces la baza de date!")))
        << errors[0].toStdString();
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<TFisaEnoriasFrm*>(widget) && widget->isVisible());
}

} // namespace
