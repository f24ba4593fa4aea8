#include "CatalogTestSupport.h"

#include "app/MainUnt.h"
#include "catalogues/CatalogSelect.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "widgets/TDBGridNormal.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>

namespace
{

QList<TCatalogFrm*> openCatalogueWindows(const QWidget& mainWindow, const QString& windowClass)
{
    QList<TCatalogFrm*> found;
    for (TCatalogFrm* window : mainWindow.findChildren<TCatalogFrm*>(windowClass))
        if (window->mode() == TCatalogFrm::Mode::Catalogue && window->isVisible())
            found << window;
    return found;
}

} // namespace

// Each menu command opens its catalogue once, for editing in place; chosen
// again, even after a picker of the same catalogue came and went, it brings
// the same window back from the task bar.
TEST_F(CatalogTest, MenuCommandsOpenOneEditableWindowPerCatalogue)
{
    TMainFrm main;
    main.show();
    const struct {
        const char* command;
        const char* windowClass;
        const char* caption;
        bool maximiseButton;
        std::function<void(QWidget*)> picker; // empty: the catalogue has none
    } cases[] = {
        {"Enoriasi", "TEnoriasiFrm", "Catalog enoriasi", false,
         [](QWidget* caller) {
             QString code;
             SelectEnorias(caller, code);
         }},
        {"NomVenituri", "TTipVenitFrm", "Catalog tipuri de venit", true,
         [](QWidget* caller) {
             int code = 0;
             SelectTipVenit(caller, code);
         }},
        {"NomCheltuieli", "TTipCheltuialaFrm", "Catalog tipuri de Cheltuiala", true,
         [](QWidget* caller) {
             int code = 0;
             SelectTipCheltuiala(caller, code);
         }},
        {"NomBilant", "TNomenclatorBilantFrm", "Nomenclator bilant", true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        const QString windowClass = QString::fromLatin1(c.windowClass);
        main.command(QString::fromLatin1(c.command))->trigger();
        QList<TCatalogFrm*> windows = openCatalogueWindows(main, windowClass);
        ASSERT_EQ(windows.size(), 1);
        TCatalogFrm* window = windows.first();
        EXPECT_EQ(window->windowTitle(), QString::fromLatin1(c.caption));
        EXPECT_FALSE(window->isModal());
        EXPECT_FALSE(window->okButton()->isVisible());
        EXPECT_FALSE(window->cancelButton()->isVisible());
        EXPECT_FALSE(window->editButton()->isVisible());
        EXPECT_TRUE(window->grid()->editingAllowed());
        EXPECT_TRUE(window->grid()->toolTip().isEmpty());
        EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_EQ(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint), c.maximiseButton);

        window->showMinimized();
        ASSERT_TRUE(window->isMinimized());
        if (c.picker)
            whilePickerShown([](TCatalogFrm* picker) { picker->reject(); }, [&] { c.picker(&main); });
        main.command(QString::fromLatin1(c.command))->trigger();
        windows = openCatalogueWindows(main, windowClass);
        ASSERT_EQ(windows.size(), 1);
        EXPECT_EQ(windows.first(), window) << "the same window, brought forward";
        EXPECT_FALSE(window->isMinimized());
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
    for (TCatalogFrm* window : main.findChildren<TCatalogFrm*>())
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A window left open follows the connection to another year: it shows that
// year's table, in the order and with the column widths it had.
TEST_F(CatalogTest, AnOpenWindowShowsTheYearSwitchedTo)
{
    const int year = QDate::currentDate().year();
    addParishioners({{QStringLiteral("1"), QStringLiteral("Zamfir Elena")},
                     {QStringLiteral("2"), QStringLiteral("Avram Ion")}});
    folder.closeYear(year);
    addParishioners({{QStringLiteral("3"), QStringLiteral("Barbu Dan")}}); // the working year only
    Sql::exec(Connection::database(),
              QStringLiteral("INSERT INTO Tip_venituri (Cod_venit, Denumire) VALUES (50, 'Chirie sala')"));

    TCatalogFrm* parishioners = openCatalogueWindow(Catalogs::parishioners());
    TCatalogFrm* types = openCatalogueWindow(Catalogs::incomeTypes());
    ASSERT_EQ(columnTexts(parishioners, QStringLiteral("Nume_prenume")),
              (QStringList{"Avram Ion", "Barbu Dan", "Zamfir Elena"}));
    const int workingYearTypes = types->catalog()->recordCount();
    const int nameWidth = parishioners->grid()->horizontalHeader()->sectionSize(1);

    ASSERT_TRUE(DatabaseLocation::instance().switchToYear(QString::number(year), false).ok);
    EXPECT_EQ(columnTexts(parishioners, QStringLiteral("Nume_prenume")),
              (QStringList{"Avram Ion", "Zamfir Elena"}));
    EXPECT_EQ(types->catalog()->recordCount(), workingYearTypes - 1);
    EXPECT_EQ(parishioners->grid()->horizontalHeader()->sectionSize(1), nameWidth);

    ASSERT_TRUE(DatabaseLocation::instance().switchToYear(QString::number(year + 1), true).ok);
    EXPECT_EQ(columnTexts(parishioners, QStringLiteral("Nume_prenume")),
              (QStringList{"Avram Ion", "Barbu Dan", "Zamfir Elena"}));
    EXPECT_EQ(types->catalog()->recordCount(), workingYearTypes);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// A catalogue opened while a closed year is shown lists that year's rows.
TEST_F(CatalogTest, ACatalogueOpenedOnAClosedYearShowsThatYear)
{
    const int year = QDate::currentDate().year();
    addParishioners({{QStringLiteral("1"), QStringLiteral("Zamfir Elena")}});
    folder.closeYear(year);
    addParishioners({{QStringLiteral("2"), QStringLiteral("Avram Ion")}});
    ASSERT_TRUE(DatabaseLocation::instance().switchToYear(QString::number(year), false).ok);

    TCatalogFrm* window = openCatalogueWindow(Catalogs::parishioners());
    EXPECT_EQ(columnTexts(window, QStringLiteral("Nume_prenume")),
              QStringList{QStringLiteral("Zamfir Elena")});
    window->close();
    settle();
    ASSERT_TRUE(DatabaseLocation::instance().switchToYear(QString::number(year + 1), true).ok);
}
