#include "support/ReportFixture.h"

#include "app/MainUnt.h"
#include "catalogues/CatalogWindow.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "printing/PagePainter.h"
#include "printing/PrintSettings.h"
#include "printing/ReportFrame.h"
#include "registers/CalculRegUnt.h"
#include "registers/RepRegPartiziUnt.h"
#include "support/Documents.h"
#include "support/PdfPages.h"
#include "widgets/TDBGridNormal.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace
{

constexpr int incomeType = 7;   // "Donatii"
constexpr int expenseType = 34; // "Reparatii si intretinere"

// One ledger and how a document of its type, or of another type, is stored.
struct Ledger {
    const char* name;
    const LedgerKind* kind;
    int code;
    QString typeName; // as its catalogue names it
    QString command;
    QString explanation;
    void (*document)(const QSqlDatabase&, double number, const QString& date, double amount, int type);
};

void income(const QSqlDatabase& db, double number, const QString& date, double amount, int type)
{
    Documents::receipt(db, number, date, amount, QStringLiteral("Casa"), QStringLiteral("Donatie"), type);
}

void expense(const QSqlDatabase& db, double number, const QString& date, double amount, int type)
{
    Documents::payment(db, number, date, amount, QStringLiteral("Casa"), QStringLiteral("Lumanari"), type);
}

const QList<Ledger>& ledgers()
{
    static const QList<Ledger> all{
        {"income ledger", &LedgerKind::incomes(), incomeType, QStringLiteral("Donatii"),
         QStringLiteral("RegPartiziVenituri"), QStringLiteral("Donatie"), income},
        {"expense ledger", &LedgerKind::expenses(), expenseType, QStringLiteral("Reparatii si intretinere"),
         QStringLiteral("RegPartiziCheltuieli"), QStringLiteral("Lumanari"), expense},
    };
    return all;
}

class LedgerReport : public ReportFixture
{
protected:
    void prepareYear() override { Documents::setYear(db, 2024, 0, 0); }

    // 100 on 10 January, 50 on 12 February, 25 on 3 March, and a document
    // of another type in February.
    void fiftyAndSeventyFive(const Ledger& ledger)
    {
        ledger.document(db, 1, QStringLiteral("2024-01-10"), 100, ledger.code);
        ledger.document(db, 2, QStringLiteral("2024-02-12"), 50, ledger.code);
        ledger.document(db, 3, QStringLiteral("2024-03-03"), 25, ledger.code);
        ledger.document(db, 4, QStringLiteral("2024-02-15"), 999, ledger.code - 1);
    }

    PageModel layOut(const Ledger& ledger, const QDate& from, const QDate& to)
    {
        if (ledger.kind->source == LedgerKind::Source::ExpenseRegister)
            CalculRegistruPartizi(db, ledger.code);
        return layOutReport(TRepRegPartiziFrm::build(db, *ledger.kind, ledger.code, from, to),
                            {8, QPageLayout::Portrait});
    }
};

// Runs `open`, which shows a modal picker, and once the picker is up moves
// down its grid to `code` and accepts it with Enter, or gives it up with Escape.
void pickWithKeys(const std::function<void()>& open, std::optional<int> code)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* picker = qobject_cast<TCatalogFrm*>(QApplication::activeModalWidget());
        if (!picker)
            return;
        shown = true;
        QApplication::setActiveWindow(picker);
        EXPECT_TRUE(QTest::qWaitForWindowActive(picker));
        QWidget* grid = picker->grid();
        grid->setFocus();
        if (!code) {
            QTest::keyClick(grid, Qt::Key_Escape);
            return;
        }
        for (int i = 0; i < 100 && picker->currentKey().toInt() != *code; ++i)
            QTest::keyClick(grid, Qt::Key_Down);
        EXPECT_EQ(picker->currentKey().toInt(), *code);
        QTest::keyClick(grid, Qt::Key_Return);
        if (picker->isVisible())
            picker->reject();
    });
    open();
    EXPECT_TRUE(shown) << "no picker was shown";
}

} // namespace

TEST_F(LedgerReport, ThePeriodListsItsDocumentsWithTheCumulativeTotal)
{
    forEachCase(ledgers(), [&](const Ledger& ledger) {
        fiftyAndSeventyFive(ledger);
        const PageModel model = layOut(ledger, QDate(2024, 2, 1), QDate(2024, 3, 31));

        ASSERT_EQ(model.pages.size(), 1);
        const Page& page = model.pages[0];
        const QStringList texts = page.texts();
        EXPECT_TRUE(texts.contains(ledger.kind->title));
        EXPECT_TRUE(texts.contains(QStringLiteral("de la data de 01.02.2024 pana la data de 31.03.2024")));
        EXPECT_EQ(textsFrom(page, ledger.kind->typeLabel, 2),
                  QStringList({ledger.kind->typeLabel, ledger.typeName}));
        EXPECT_EQ(textsFrom(page, QStringLiteral("12.02.2024"), 10),
                  QStringList({"12.02.2024", "2", ledger.explanation, "50", "50", "03.03.2024", "3",
                               ledger.explanation, "25", "75"}));
        EXPECT_FALSE(texts.contains(QStringLiteral("10.01.2024")));
        EXPECT_FALSE(texts.contains(QStringLiteral("999")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Pagina  1")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Lumivaret, produs Morvalen")));

        EXPECT_EQ(TRepRegPartiziFrm::csv(*report, *ledger.kind).text(),
                  QStringLiteral("Data;Nr. actului;%1;SUMA;TOTAL CUMULAT\n"
                                 "12.02.2024;2;%2;50;50\n"
                                 "03.03.2024;3;%2;25;75\n")
                      .arg(ledger.kind->explanationHeading, ledger.explanation));
    });
}

TEST_F(LedgerReport, EveryDocumentCountsEvenWhenTwoAreAlikeAndAmountsPrintInTheGeneralFormat)
{
    forEachCase(ledgers(), [&](const Ledger& ledger) {
        ledger.document(db, 5, QStringLiteral("2024-04-02"), 12.5, ledger.code);
        ledger.document(db, 5, QStringLiteral("2024-04-02"), 12.5, ledger.code);
        ledger.document(db, 6, QStringLiteral("2024-04-03"), 150, ledger.code);
        const PageModel model = layOut(ledger, QDate(2024, 4, 1), QDate(2024, 4, 30));

        ASSERT_EQ(model.pages.size(), 1);
        EXPECT_EQ(textsFrom(model.pages[0], QStringLiteral("02.04.2024"), 15),
                  QStringList({"02.04.2024", "5", ledger.explanation, "12,5", "12,5", "02.04.2024", "5",
                               ledger.explanation, "12,5", "25", "03.04.2024", "6", ledger.explanation, "150",
                               "175"}));
    });
}

TEST_F(LedgerReport, TheExpenseLedgerTakesBankPaymentsAndTheTypesLinesOfEachSalaryOrder)
{
    Documents::payment(db, 1, QStringLiteral("2024-05-06"), 40, QStringLiteral("Banca"),
                       QStringLiteral("Tigla"), expenseType);
    Documents::salaryOrder(db, 2, QStringLiteral("2024-05-31"), QStringLiteral("Casa"),
                           {{expenseType, 200}, {expenseType, 100}, {23, 50}});
    Documents::salaryOrder(db, 2, QStringLiteral("2024-05-31"), QStringLiteral("Banca"),
                           {{expenseType, 300}});
    const Ledger& ledger = ledgers()[1];

    const PageModel model = layOut(ledger, QDate(2024, 5, 1), QDate(2024, 5, 31));

    ASSERT_EQ(model.pages.size(), 1);
    EXPECT_EQ(textsFrom(model.pages[0], QStringLiteral("06.05.2024"), 15),
              QStringList({"06.05.2024", "1", "Tigla", "40", "40", "31.05.2024", "2", "Salarii", "300", "340",
                           "31.05.2024", "2", "Salarii", "300", "640"}));
}

TEST_F(LedgerReport, APeriodWithoutDocumentsStillPrintsItsTitleNamingTheType)
{
    forEachCase(ledgers(), [&](const Ledger& ledger) {
        fiftyAndSeventyFive(ledger);
        const PageModel model = layOut(ledger, QDate(2024, 6, 1), QDate(2024, 6, 30));

        ASSERT_EQ(model.pages.size(), 1);
        const Page& page = model.pages[0];
        const QStringList texts = page.texts();
        EXPECT_EQ(textsFrom(page, ledger.kind->typeLabel, 2),
                  QStringList({ledger.kind->typeLabel, ledger.typeName}));
        for (const QString& expected :
             {ledger.kind->explanationHeading, QStringLiteral("Ziua"), QStringLiteral("   TOTAL CUMULAT"),
              QStringLiteral("5"), QStringLiteral("Lumivaret, produs Morvalen"), QStringLiteral("Pagina  1")})
            EXPECT_TRUE(texts.contains(expected)) << expected.toStdString();
        EXPECT_EQ(TRepRegPartiziFrm::csv(*report, *ledger.kind).rows.size(), 0);
    });
}

TEST_F(LedgerReport, TheIncomeLedgerNamesTheTypeAsItsFirstIncomeLineDoes)
{
    const Ledger& ledger = ledgers()[0];
    fiftyAndSeventyFive(ledger);
    Sql::exec(db, QStringLiteral("UPDATE Venituri SET Den_venit = 'Donatii pentru hram' WHERE Nr_act = 2"));
    const PageModel model = layOut(ledger, QDate(2024, 2, 1), QDate(2024, 3, 31));
    EXPECT_EQ(textsFrom(model.pages.value(0), ledger.kind->typeLabel, 2),
              QStringList({ledger.kind->typeLabel, "Donatii pentru hram"}));
}

TEST_F(LedgerReport, TheLedgerIsWrittenToARealPdf)
{
    const Ledger& ledger = ledgers()[1];
    fiftyAndSeventyFive(ledger);
    const PageModel model = layOut(ledger, QDate(2024, 1, 1), QDate(2024, 12, 31));
    const QString file = folder->file(QStringLiteral("partizi.pdf"));
    PagePainter::writePdf(model, file);

    const QList<PdfPage> pages = readPdfPages(file);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_NEAR(pages[0].size.width(), 210, 1);
    const QString drawn = pages[0].texts.join(QLatin1Char('|'));
    for (const char* expected :
         {"Registru partizi cheltuieli", "Reparatii si intretinere", "175", "Pagina  1"})
        EXPECT_TRUE(drawn.contains(QString::fromLatin1(expected)))
            << expected << " in " << drawn.toStdString();
}

TEST_F(LedgerReport, TheMenuCommandsAskThePeriodAndPickTheTypeFromItsCatalogue)
{
    forEachCase(ledgers(), [&](const Ledger& ledger) {
        fiftyAndSeventyFive(ledger);
        {
            TMainFrm window;
            window.show();
            dialogs.intervalAnswers = {std::pair{QDate(2024, 2, 1), QDate(2024, 3, 31)}};
            pickWithKeys([&] { window.command(ledger.command)->trigger(); }, ledger.code);

            ASSERT_EQ(printer.jobs.size(), 1);
            const PageModel& printed = printer.jobs[0].model;
            ASSERT_EQ(printed.pages.size(), 1);
            EXPECT_EQ(textsFrom(printed.pages[0], ledger.kind->typeLabel, 2),
                      QStringList({ledger.kind->typeLabel, ledger.typeName}));
            EXPECT_EQ(textsFrom(printed.pages[0], QStringLiteral("03.03.2024"), 5),
                      QStringList({"03.03.2024", "3", ledger.explanation, "25", "75"}));

            // The type is picked before the period is asked; giving the picker up ends the command.
            EXPECT_EQ(dialogs.texts(QStringLiteral("interval")).size(), 1);
            dialogs.intervalAnswers = {std::pair{QDate(2024, 2, 1), QDate(2024, 3, 31)}};
            pickWithKeys([&] { window.command(ledger.command)->trigger(); }, std::nullopt);
            EXPECT_EQ(printer.jobs.size(), 1);
            EXPECT_EQ(dialogs.texts(QStringLiteral("interval")).size(), 1);
        }
    });
}
