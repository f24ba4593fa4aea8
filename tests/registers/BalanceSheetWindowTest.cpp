#include "BalanceSheetRows.h"
#include "app/MainUnt.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "db/DatasetModel.h"
#include "db/Sql.h"
#include "printing/PrintSettings.h"
#include "registers/BilantUnt.h"
#include "support/Documents.h"
#include "support/FakePrinter.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/DateEdit.h"
#include "widgets/TDBGridNormal.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using BalanceSheetRows::figuresOf;

namespace
{

const QString executieField = QStringLiteral("Executie");
const QString prevederiField = QStringLiteral("Prevederi");

// Working year 2024 with an opening balance of 1500; rows 1, 2 and 7 and a
// total; donations (type 7) of 1000 on 31 January, 2000 on 1 February and
// 4000 on 1 April.
class BalanceSheetWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        printSettings() = PrintSettings();
        db = folder.openWorkingYear();
        Documents::setYear(db, 2024, 500, 1000);
        BalanceSheetRows::replace(
            db, {{1, "Sold"}, {2, "Contributii", {}, 10}, {7, "Donatii", {}, 20}, {20, "Total", "1+2+7"}});
        Documents::receipt(db, 1, QStringLiteral("2024-01-31"), 1000, QStringLiteral("Casa"), {}, 7);
        Documents::receipt(db, 2, QStringLiteral("2024-02-01"), 2000, QStringLiteral("Casa"), {}, 7);
        Documents::receipt(db, 3, QStringLiteral("2024-04-01"), 4000, QStringLiteral("Casa"), {}, 7);
        main = std::make_unique<TMainFrm>();
        main->show();
    }
    void TearDown() override
    {
        if (TBilantFrm* w = TBilantFrm::instance())
            w->close();
        main.reset();
        printSettings() = PrintSettings();
    }

    TBilantFrm* open(const QString& command = QStringLiteral("OpBilant"))
    {
        main->command(command)->trigger();
        TBilantFrm* w = TBilantFrm::instance();
        if (w) {
            QApplication::setActiveWindow(w);
            EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        }
        return w;
    }
    static void typeDate(TDateEdit* input, const char* digits)
    {
        input->setFocus();
        input->selectAll();
        QTest::keyClicks(input, QString::fromLatin1(digits));
    }
    static void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // Moves the grid to the row (0-based) and its forecast, and types there.
    static void typeForecast(TBilantFrm* w, int row, const QString& text)
    {
        // Back in the window after a progress window or a menu took it.
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        TDBGridNormal* grid = w->grid();
        grid->setFocus();
        const auto key = [grid](Qt::Key k) {
            QTest::keyClick(grid->cellEditor() ? static_cast<QWidget*>(grid->cellEditor()) : grid, k);
        };
        key(Qt::Key_Home);
        for (int i = 0; i < row; ++i)
            key(Qt::Key_Down);
        grid->selectField(prevederiField);
        ASSERT_NE(grid->cellEditor(), nullptr);
        grid->cellEditor()->selectAll();
        QTest::keyClicks(grid->cellEditor(), text);
    }
    // The grid's text of a row and field.
    static QString cell(TBilantFrm* w, int row, const QString& field)
    {
        DatasetModel* model = w->grid()->datasetModel();
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->headerData(c, Qt::Horizontal).toString().remove(' ') == QString(field).remove('_'))
                return model->index(row, c).data().toString();
        return QStringLiteral("?");
    }
    QString optionsFile() const { return folder.file(QStringLiteral("Configurari.ini")); }
    QString readOptions() const
    {
        QFile f(optionsFile());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    TestFolder folder;
    QSqlDatabase db;
    ScriptedDialogs dialogs;
    FakePrinter printer;
    std::unique_ptr<TMainFrm> main;
};

} // namespace

TEST_F(BalanceSheetWindow, BothMenuCommandsComputeUpToTodayAndOpenTheOneWindow)
{
    folder.write(QStringLiteral("Configurari.ini"), "[Options]\r\nCalcul bilant in mii lei=1\r\n");
    TBilantFrm* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Bilant"));
    EXPECT_EQ(w->fromInput()->date(), QDate(2024, 1, 1));
    EXPECT_EQ(w->toInput()->date(), QDate::currentDate());
    EXPECT_TRUE(w->thousandsBox()->isChecked());
    EXPECT_TRUE(main->options().balanceInThousands);
    EXPECT_FALSE(w->saveButton()->isEnabled());
    // Every document of 2024 counts, in thousands of lei.
    EXPECT_EQ(cell(w, 2, executieField), QStringLiteral("7,00"));
    EXPECT_EQ(cell(w, 3, executieField), QStringLiteral("8,50"));
    EXPECT_EQ(cell(w, 2, QStringLiteral("Nr_rand")), QStringLiteral("7"));
    EXPECT_EQ(cell(w, 2, prevederiField), QStringLiteral("20,00"));

    // The other command brings the same window forward, with the option read again.
    folder.write(QStringLiteral("Configurari.ini"), "[Options]\r\nCalcul bilant in mii lei=0\r\n");
    EXPECT_EQ(open(QStringLiteral("RapBilant")), w);
    EXPECT_FALSE(w->thousandsBox()->isChecked());
    EXPECT_FALSE(main->options().balanceInThousands);
    EXPECT_EQ(cell(w, 2, executieField), QStringLiteral("7,00"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(BalanceSheetWindow, RecalcComputesThePeriodTypedAndRefusesAnEndBeforeTheStart)
{
    TBilantFrm* w = open();
    ASSERT_NE(w, nullptr);
    struct Case {
        const char *from, *to;
        const char *opening, *donations;
    };
    const Case cases[] = {
        {"01022024", "31032024", "0,00", "2.000,00"},
        {"01012024", "31032024", "1.500,00", "3.000,00"},
        {"02022024", "01042024", "0,00", "4.000,00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        typeDate(w->fromInput(), c.from);
        typeDate(w->toInput(), c.to);
        click(w->recalcButton());
        EXPECT_EQ(cell(w, 0, executieField), QString::fromLatin1(c.opening));
        EXPECT_EQ(cell(w, 2, executieField), QString::fromLatin1(c.donations));
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());

    const QString before = BalanceSheetRows::snapshot(db);
    typeDate(w->fromInput(), "01042024");
    typeDate(w->toInput(), "31032024");
    click(w->recalcButton());
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")),
              QStringList({QStringLiteral("Intervalul de timp nu este corect! 31.03.2024 < 01.04.2024")}));
    EXPECT_EQ(BalanceSheetRows::snapshot(db), before);
}

TEST_F(BalanceSheetWindow, TheThousandsBoxActsAtOnceAndValideazaWritesItWithTheTypedForecast)
{
    TBilantFrm* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->thousandsBox()->isChecked());
    w->thousandsBox()->setFocus();
    QTest::keyClick(w->thousandsBox(), Qt::Key_Space);
    EXPECT_TRUE(main->options().balanceInThousands);
    click(w->recalcButton());
    EXPECT_EQ(figuresOf(db, executieField, 7), QStringList({"7"}));

    typeForecast(w, 2, QStringLiteral("123,45"));
    click(w->validateButton());
    EXPECT_EQ(TBilantFrm::instance(), nullptr);
    EXPECT_EQ(figuresOf(db, prevederiField, 7), QStringList({"123.45"}));
    EXPECT_TRUE(readOptions().contains(QStringLiteral("Calcul bilant in mii lei=1")))
        << readOptions().toStdString();
}

TEST_F(BalanceSheetWindow, ClosingOtherwiseDropsTheForecastBeingTyped)
{
    TBilantFrm* w = open();
    ASSERT_NE(w, nullptr);
    typeForecast(w, 1, QStringLiteral("55"));
    w->close();
    EXPECT_EQ(figuresOf(db, prevederiField, 2), QStringList({"10"}));
    EXPECT_FALSE(QFile::exists(optionsFile()));
}

TEST_F(BalanceSheetWindow, NoRowCanBeAddedOrDeletedInTheGrid)
{
    TBilantFrm* w = open();
    ASSERT_NE(w, nullptr);
    TDBGridNormal* grid = w->grid();
    grid->setFocus();
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(grid->cellEditor() ? static_cast<QWidget*>(grid->cellEditor()) : grid, Qt::Key_Down);
    QTest::keyClick(grid->cellEditor() ? static_cast<QWidget*>(grid->cellEditor()) : grid, Qt::Key_Insert);
    EXPECT_EQ(w->rows()->recordCount(), 4);
    EXPECT_TRUE(dialogs.shown.isEmpty()) << "a new row is refused silently";

    QTest::keyClick(grid->cellEditor() ? static_cast<QWidget*>(grid->cellEditor()) : grid, Qt::Key_Delete,
                    Qt::ControlModifier);
    EXPECT_EQ(storedRows(QStringLiteral("Bilant")), 4);
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")).size(), 1);
}

TEST_F(BalanceSheetWindow, ListeazaOpensItsMenuBelowAndPrintsEachLayoutWithWhatIsTyped)
{
    TBilantFrm* w = open();
    ASSERT_NE(w, nullptr);
    click(w->listButton());
    QStringList captions;
    for (QAction* a : w->listMenu()->actions())
        captions << a->text();
    EXPECT_EQ(captions, QStringList({"Prevederi v1", "Executie v1", "Prevederi v2", "Executie v2"}));
    EXPECT_TRUE(w->listMenu()->isVisible());
    EXPECT_GE(w->listMenu()->pos().y(),
              w->listButton()->mapToGlobal(QPoint(0, w->listButton()->height())).y() - 1);
    w->listMenu()->hide();

    typeForecast(w, 1, QStringLiteral("4321"));
    dialogs.answers = {false};
    w->listMenu()->actions()[0]->trigger();
    ASSERT_EQ(printer.jobs.size(), 1);
    const QList<Page>& v1 = printer.jobs[0].model.pages;
    ASSERT_EQ(v1.size(), 2);
    EXPECT_TRUE(v1[0].texts().contains(QStringLiteral("01.01.2024")));
    EXPECT_TRUE(v1[1].texts().contains(QStringLiteral("4.321,00")));
    EXPECT_EQ(figuresOf(db, prevederiField, 2), QStringList({"4321"}));

    w->listMenu()->actions()[3]->trigger();
    ASSERT_EQ(printer.jobs.size(), 2);
    const QStringList v2 = printer.jobs[1].model.pages[1].texts();
    EXPECT_TRUE(v2.contains(QStringLiteral("7.000,00")));
    EXPECT_TRUE(v2.contains(QStringLiteral("EPITROPI,")));
}

TEST_F(BalanceSheetWindow, ARefusedFormulaIsShownAndTheWindowDoesNotOpen)
{
    Sql::exec(db, QStringLiteral("UPDATE Bilant SET Formula = '1+2 OR 1=1' WHERE Nr_rand = 20"));
    const QString before = BalanceSheetRows::snapshot(db);
    EXPECT_EQ(open(), nullptr);
    ASSERT_EQ(dialogs.texts(QStringLiteral("error")).size(), 1);
    EXPECT_EQ(
        dialogs.texts(QStringLiteral("error"))[0],
        QStringLiteral("Eroare de acces la tabela bilant!\nFormula randului 20 (\"1+2 OR 1=1\") nu este "
                       "formata doar din numere de rand legate prin + sau -!"));
    EXPECT_EQ(BalanceSheetRows::snapshot(db), before);
}

TEST_F(BalanceSheetWindow, AnotherYearShowsThatYearsRowsFromItsFirstOfJanuary)
{
    folder.closeYear(2024);
    TBilantFrm* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->fromInput()->date(), QDate(2025, 1, 1));

    ASSERT_TRUE(DatabaseLocation::instance().switchToYear(QStringLiteral("2024"), false).ok);
    EXPECT_EQ(w->fromInput()->date(), QDate(2024, 1, 1));
    EXPECT_EQ(w->rows()->recordCount(), 4);
    typeDate(w->toInput(), "31012024");
    click(w->recalcButton());
    EXPECT_EQ(cell(w, 2, executieField), QStringLiteral("1.000,00"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// A donation stored while the window stays open: the window says its execution
// is old, and computes it again when the user comes back to it.
TEST_F(BalanceSheetWindow, ADocumentStoredElsewhereIsCountedWhenTheWindowIsActivatedAgain)
{
    TBilantFrm* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(cell(w, 2, executieField), QStringLiteral("7.000,00"));
    EXPECT_FALSE(w->outOfDateNotice()->isVisible());

    QWidget elsewhere;
    elsewhere.show();
    QApplication::setActiveWindow(&elsewhere);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    Dataset incomes(QStringLiteral("Venituri"));
    incomes.open();
    ASSERT_TRUE(incomes.append());
    incomes.setValue(QStringLiteral("Nr_act"), 4);
    incomes.setValue(QStringLiteral("Data"), QDate(2024, 5, 2));
    incomes.setValue(QStringLiteral("Cod_venit"), 7);
    incomes.setValue(QStringLiteral("Valoarea"), 500.0);
    incomes.setValue(QStringLiteral("Cont"), QStringLiteral("Casa"));
    incomes.setValue(QStringLiteral("Fel"), QStringLiteral("CHIT"));
    ASSERT_TRUE(incomes.post());
    EXPECT_TRUE(w->outOfDateNotice()->isVisibleTo(w));
    EXPECT_EQ(cell(w, 2, executieField), QStringLiteral("7.000,00"));

    QApplication::setActiveWindow(w); // the computation's progress window takes the activation
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(cell(w, 2, executieField), QStringLiteral("7.500,00"));
    EXPECT_FALSE(w->outOfDateNotice()->isVisibleTo(w));

    // The window's own forecasts leave the execution as it is.
    typeForecast(w, 2, QStringLiteral("30"));
    QTest::keyClick(w->grid()->cellEditor(), Qt::Key_Down);
    EXPECT_TRUE(BalanceSheetRows::snapshot(db).contains(QStringLiteral("|30.0|")));
    EXPECT_FALSE(w->outOfDateNotice()->isVisibleTo(w));
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.everything().join('\n').toStdString();
}

TEST_F(BalanceSheetWindow, DocumenteListsWhatMakesUpTheCurrentRowForThePeriodComputed)
{
    TBilantFrm* w = open();
    ASSERT_NE(w, nullptr);
    typeDate(w->fromInput(), "01022024");
    typeDate(w->toInput(), "31032024");
    click(w->recalcButton());
    // The dates typed afterwards are not what the figures show.
    typeDate(w->fromInput(), "01012024");
    const struct {
        int row;
        QString total;
        QStringList kinds;
    } cases[] = {
        {2, QStringLiteral("1 linie, total 2.000,00"), {QStringLiteral("Incasare")}},
        {0, QStringLiteral("0 linii, total 0,00"), {}},
        {3,
         QStringLiteral("3 linii, total 2.000,00"),
         {QStringLiteral("Rand (adauga)"), QStringLiteral("Rand (adauga)"), QStringLiteral("Rand (adauga)")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        w->grid()->setFocus();
        // The keys go where a person's would: to the forecast's editor when one is open.
        const auto key = [](Qt::Key k, Qt::KeyboardModifiers mods = {}) {
            QTest::keyClick(QApplication::focusWidget(), k, mods);
        };
        for (int i = 0; i < 4; ++i) // to the first of the four rows
            key(Qt::Key_Up);
        for (int i = 0; i < c.row; ++i)
            key(Qt::Key_Down);
        key(Qt::Key_D, Qt::ControlModifier);
        auto* list = w->findChild<QDialog*>(QStringLiteral("TDocumenteFrm"));
        ASSERT_NE(list, nullptr) << dialogs.everything().join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(list->findChild<QLabel*>(QStringLiteral("Total"))->text(), c.total);
        auto* grid = list->findChild<QTableWidget*>(QStringLiteral("Linii"));
        QStringList kinds;
        for (int r = 0; r < grid->rowCount(); ++r)
            kinds << grid->item(r, 0)->text();
        EXPECT_EQ(kinds, c.kinds);
        QTest::keyClick(list, Qt::Key_Escape);
        delete list;
    }
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.everything().join(QLatin1Char('\n')).toStdString();
}
