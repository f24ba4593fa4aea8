#include "ParishBooks.h"
#include "app/MainUnt.h"
#include "printing/PrintSettings.h"
#include "records/TFisaEnoriasFrm.h"
#include "support/FakePrinter.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace
{

// The contribution reports started from the main window's menu, the
// questions answered by script and the pages going to a test printer.
class ContributionMenu : public ParishBooks
{
protected:
    void SetUp() override
    {
        ParishBooks::SetUp();
        printSettings() = PrintSettings();
        addParishioner(QStringLiteral("9"), QStringLiteral("Pop Ion"), QStringLiteral("Intreaga"));
        addParishioner(QStringLiteral("10"), QStringLiteral("Zamfir Ana"), QStringLiteral("Intreaga"));
        addIncome(QStringLiteral("9"), 30, QDate(2026, 3, 1));
        window.show();
    }
    void TearDown() override { printSettings() = PrintSettings(); }

    QStringList printedTexts() const
    {
        return printer.jobs.isEmpty() ? QStringList() : printer.jobs[0].model.pages.value(0).texts();
    }

    ScriptedDialogs dialogs;
    FakePrinter printer;
    TMainFrm window;
};

const QDate endOfJune(2026, 6, 30);

} // namespace

TEST_F(ContributionMenu, TheSituationAsksTheDateTheOrderAndTheReceiptsThenPrints)
{
    dialogs.dateAnswers = {endOfJune};
    dialogs.answers = {true, false}; // by code, without receipts

    window.command(QStringLiteral("ContributiaToate"))->trigger();

    // One reference date, in the calendar, today proposed; no period.
    EXPECT_EQ(dialogs.texts(QStringLiteral("date")), QStringList{QDate::currentDate().toString(Qt::ISODate)});
    EXPECT_TRUE(dialogs.texts(QStringLiteral("interval")).isEmpty());
    EXPECT_EQ(
        dialogs.texts(QStringLiteral("question")),
        QStringList({"Doriti afisarea in ordinea codului de enorias (alegeti No pentru ordonare alfabetica)?",
                     "Doriti sa se afiseze si detalierea incasarilor?"}));
    ASSERT_EQ(printer.jobs.size(), 1);
    const QStringList texts = printedTexts();
    EXPECT_TRUE(texts.contains(QStringLiteral("la data de : 30.06.2026")));
    EXPECT_LT(texts.indexOf(QStringLiteral("Zamfir Ana")), texts.indexOf(QStringLiteral("Pop Ion")));
    EXPECT_FALSE(texts.contains(QStringLiteral("nr. act, data, tip incasare, explicatie, suma")));
    EXPECT_EQ(printSettings().fontSize, 8);
    EXPECT_EQ(printSettings().orientation, QPageLayout::Portrait);
}

TEST_F(ContributionMenu, TheArrearsAndTheListPrintFromTheirCommands)
{
    struct Case {
        const char* command;
        QString title;
    };
    for (const Case& c : QList<Case>{{"RestanteContributie", "Lista restantierilor la plata contributiei"},
                                     {"ListaEnoriasilor", "Lista enoriasilor"}}) {
        SCOPED_TRACE(c.command);
        printer.jobs.clear();
        dialogs.dateAnswers = {endOfJune};
        window.command(QString::fromUtf8(c.command))->trigger();
        ASSERT_EQ(printer.jobs.size(), 1);
        EXPECT_TRUE(printedTexts().contains(c.title));
        EXPECT_TRUE(printedTexts().contains(QStringLiteral("Zamfir Ana")));
    }
}

TEST_F(ContributionMenu, AClosedDateQuestionPrintsNothing)
{
    window.command(QStringLiteral("ContributiaToate"))->trigger();
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_TRUE(dialogs.texts(QStringLiteral("question")).isEmpty());
}

TEST_F(ContributionMenu, TheSheetPrintsForTheParishionerFoundInTheFamilySheetWindow)
{
    window.command(QStringLiteral("ContributiaSelectiv"))->trigger();
    QCoreApplication::processEvents();
    TFisaEnoriasFrm* sheet = window.findChild<TFisaEnoriasFrm*>();
    ASSERT_TRUE(sheet);
    sheet->orderList()->setCurrentIndex(1); // by name
    QTest::keyClicks(sheet->searchEdit(), QStringLiteral("z"));
    QTest::mouseClick(sheet->printButton(), Qt::LeftButton);
    QMenu* menu = sheet->printMenu();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QAction* item = menu->actions().constLast();
    ASSERT_EQ(item->text(), QStringLiteral("Situatia contributiei"));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    QCoreApplication::processEvents();

    ASSERT_EQ(printer.jobs.size(), 1);
    const QStringList texts = printedTexts();
    EXPECT_TRUE(texts.contains(QStringLiteral("Fisa nominala privind contributia")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Zamfir Ana")));
    EXPECT_TRUE(dialogs.texts(QStringLiteral("date")).isEmpty()) << "the sheet takes no date";
    sheet->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(ContributionMenu, WithoutTheContributionIncomeCodeNothingPrintsAndTheUserIsTold)
{
    Sql::exec(db, QStringLiteral("UPDATE Contor SET CodVenContrib = NULL"));
    for (const char* command : {"ContributiaToate", "RestanteContributie"}) {
        SCOPED_TRACE(command);
        dialogs.shown.clear();
        dialogs.dateAnswers = {endOfJune};
        window.command(QString::fromUtf8(command))->trigger();
        EXPECT_TRUE(printer.jobs.isEmpty());
        ASSERT_EQ(dialogs.texts(QStringLiteral("error")).size(), 1);
        EXPECT_TRUE(dialogs.texts(QStringLiteral("error"))[0].startsWith(
            QStringLiteral("Codul de venit pentru contributia anuala")));
    }
}
