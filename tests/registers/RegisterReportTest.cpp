#include "support/ReportFixture.h"
#include "app/MainUnt.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "printing/PagePainter.h"
#include "printing/PrintSettings.h"
#include "printing/ReportFrame.h"
#include "registers/CalculRegUnt.h"
#include "registers/RepRegUnt.h"
#include "support/Documents.h"
#include "support/FakePrinter.h"
#include "support/PdfPages.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <gtest/gtest.h>

namespace
{

// Records the titles of the windows shown while it lives.
class ShownWindows : public QObject
{
public:
    ShownWindows() { qApp->installEventFilter(this); }
    QStringList titles;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            titles << static_cast<QWidget*>(watched)->windowTitle();
        return false;
    }
};

// Opening 500 / 1000, ten January receipts of 100, then a receipt of 10 and
// a payment of 4 each day of March 2024: enough rows for several pages.
class RegisterReport : public ReportFixture
{
protected:
    void SetUp() override
    {
        ReportFixture::SetUp();
        Documents::setYear(db, 2024, 500, 1000);
        for (int i = 1; i <= 10; ++i)
            Documents::receipt(db, i, QStringLiteral("2024-01-%1").arg(i + 4, 2, 10, QLatin1Char('0')), 100);
        for (int day = 1; day <= 31; ++day) {
            const QString date = QDate(2024, 3, day).toString(Qt::ISODate);
            Documents::receipt(db, 100 + day, date, 10);
            Documents::payment(db, 200 + day, date, 4, QStringLiteral("Banca"));
        }
    }

    PageModel layOut(const QDate& from, const QDate& to)
    {
        CalculRegistru(db);
        return layOutReport(TRepRegFrm::build(db, from, to), {8, QPageLayout::Landscape});
    }

    // The label and the eleven values that follow it on the page: sums and balances.
    static QStringList sumsLine(const Page& page, const QString& label) { return textsFrom(page, label, 12); }
};

} // namespace

TEST_F(RegisterReport, APeriodFromMarchBringsTheEarlierRowsForwardWithoutPrintingThem)
{
    const PageModel model = layOut(QDate(2024, 3, 1), QDate(2024, 3, 31));

    ASSERT_GE(model.pages.size(), 2);
    EXPECT_EQ(model.orientation, QPageLayout::Landscape);
    const QStringList first = model.pages[0].texts();
    EXPECT_TRUE(first.contains(TRepRegFrm::heading));
    EXPECT_TRUE(first.contains(QStringLiteral("de la data de 01.03.2024 pana la data de 31.03.2024")));
    EXPECT_TRUE(first.contains(QStringLiteral("Operatiuni prin casa")));
    EXPECT_TRUE(first.contains(QStringLiteral("15")));
    EXPECT_FALSE(first.contains(QStringLiteral("05.01.2024")));
    EXPECT_FALSE(first.contains(QStringLiteral("Report :")));
    // The first March row's balance runs from 1 January: 500 + 10 x 100 + 10.
    const qsizetype firstRow = first.indexOf(QStringLiteral("01.03.2024"));
    ASSERT_GE(firstRow, 0);
    EXPECT_EQ(first.mid(firstRow, 15),
              QStringList({"01.03.2024", "CHIT", "101", "Donatie", "10,00", "0,00", "0,00", "0,00",
                           "1.510,00", "0,00", "0,00", "0,00", "0,00", "1.000,00", "2.510,00"}));

    // Each page hands its sums and balances to the next one.
    for (qsizetype p = 0; p + 1 < model.pages.size(); ++p) {
        SCOPED_TRACE(p + 1);
        const QStringList handed = sumsLine(model.pages[p], QStringLiteral("De reportat :"));
        const QStringList carried = sumsLine(model.pages[p + 1], QStringLiteral("Report :"));
        ASSERT_EQ(handed.size(), 12);
        EXPECT_EQ(handed.mid(1), carried.mid(1));
        EXPECT_TRUE(model.pages[p].texts().contains(QStringLiteral("Pagina  %1").arg(p + 1)));
    }
    // The grand total counts every row from 1 January; the balances are the last row's.
    const QStringList total = sumsLine(model.pages.last(), QStringLiteral("Total general :"));
    // Every amount of the line reads as the rows' amounts do: two decimals, thousands grouped.
    EXPECT_EQ(total, QStringList({"Total general :", "1.810,00", "0,00", "0,00", "0,00", "1.810,00",
                                  "1.000,00", "0,00", "124,00", "0,00", "876,00", "2.686,00"}));
    EXPECT_TRUE(model.pages.last().texts().contains(QStringLiteral("Lumivaret, produs Morvalen")));
}

TEST_F(RegisterReport, AOnePageReportShowsTheOpeningRowsAndOnlyTheGrandTotal)
{
    const PageModel model = layOut(QDate(2024, 1, 1), QDate(2024, 1, 31));

    ASSERT_EQ(model.pages.size(), 1);
    const QStringList texts = model.pages[0].texts();
    EXPECT_TRUE(texts.contains(QStringLiteral("Sold in casa la inceputul anului")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Sold in cont la inceputul anului")));
    EXPECT_FALSE(texts.contains(QStringLiteral("Report :")));
    EXPECT_FALSE(texts.contains(QStringLiteral("De reportat :")));
    EXPECT_EQ(sumsLine(model.pages[0], QStringLiteral("Total general :")),
              QStringList({"Total general :", "1.500,00", "0,00", "0,00", "0,00", "1.500,00", "1.000,00",
                           "0,00", "0,00", "0,00", "1.000,00", "2.500,00"}));
}

TEST_F(RegisterReport, TheRowsAfterThePeriodAreDroppedAndAnEmptyPeriodPrintsNothing)
{
    layOut(QDate(2024, 3, 1), QDate(2024, 3, 15));
    EXPECT_EQ(
        Sql::scalar(db, QStringLiteral("SELECT count(*) FROM Registru WHERE Data > '2024-03-15'")).toInt(),
        0);
    EXPECT_EQ(TRepRegFrm::csv(*report, QDate(2024, 3, 1)).rows.size(), 15 * 2 + 1);

    EXPECT_TRUE(layOut(QDate(2024, 6, 1), QDate(2024, 6, 30)).pages.isEmpty());
    EXPECT_EQ(TRepRegFrm::csv(*report, QDate(2024, 6, 1)).text(),
              QStringLiteral(
                  "Data;Documentul / Felul;Documentul / Nr.;Explicatii;Operatiuni prin casa / "
                  "Incasari;Operatiuni prin casa / Ridicari din cont;Operatiuni prin casa / "
                  "Plati;Operatiuni prin casa / Depuneri in cont;Operatiuni prin casa / Sold;Operatiuni "
                  "prin cont / Incasari;Operatiuni prin cont / Depuneri in cont;Operatiuni prin cont / "
                  "Plati;Operatiuni prin cont / Ridicari din cont;Operatiuni prin cont / Sold;Sold total "
                  "(9+14)\n"));
}

TEST_F(RegisterReport, TheCsvHoldsThePrintedRowsAndTheGrandTotal)
{
    layOut(QDate(2024, 3, 31), QDate(2024, 3, 31));
    const CsvTable csv = TRepRegFrm::csv(*report, QDate(2024, 3, 31));
    ASSERT_EQ(csv.rows.size(), 3);
    EXPECT_EQ(csv.rows[0].join(';'),
              QStringLiteral("31.03.2024;CHIT;131;Donatie;10,00;0,00;0,00;0,00;1810,00;"
                             "0,00;0,00;0,00;0,00;880,00;2690,00"));
    EXPECT_EQ(csv.rows[1].join(';'), QStringLiteral("31.03.2024;OP;231;Lumanari;0,00;0,00;0,00;0,00;1810,00;"
                                                    "0,00;0,00;4,00;0,00;876,00;2686,00"));
    EXPECT_EQ(csv.rows[2].join(';'), QStringLiteral(";;;Total general :;1810,00;0,00;0,00;0,00;1810,00;"
                                                    "1000,00;0,00;124,00;0,00;876,00;2686,00"));
}

TEST_F(RegisterReport, TheReportIsWrittenToARealPdfOfItsLandscapePages)
{
    const PageModel model = layOut(QDate(2024, 3, 1), QDate(2024, 3, 31));
    const QString file = folder->file(QStringLiteral("registru.pdf"));
    PagePainter::writePdf(model, file);

    const QList<PdfPage> pages = readPdfPages(file);
    ASSERT_EQ(pages.size(), model.pages.size());
    for (const PdfPage& page : pages) {
        EXPECT_NEAR(page.size.width(), 297, 1);
        EXPECT_NEAR(page.size.height(), 210, 1);
        EXPECT_GT(page.glyphs.size(), 500);
    }
}

TEST_F(RegisterReport, TheMenuCommandAsksThePeriodComputesThenPrints)
{
    TMainFrm window;
    window.show();
    dialogs.intervalAnswers = {std::pair{QDate(2024, 3, 1), QDate(2024, 3, 31)}};
    ShownWindows shown;

    window.command(QStringLiteral("RegIncasariPlati"))->trigger();

    EXPECT_TRUE(shown.titles.contains(QStringLiteral("Calcul registru casa- banca")));

    EXPECT_EQ(dialogs.texts(QStringLiteral("interval")), QStringList({thisYearSoFar()}));
    expectPrintedAs(layOut(QDate(2024, 3, 1), QDate(2024, 3, 31)), {8, QPageLayout::Landscape});
}

TEST_F(RegisterReport, ACancelledPeriodOrAFailedComputationPrintsNothing)
{
    TMainFrm window;
    window.show();
    window.command(QStringLiteral("RegIncasariPlati"))->trigger();
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("SELECT count(*) FROM Registru")).toInt(), 0);

    Sql::exec(Connection::database(), QStringLiteral("DROP TABLE ItemsSal"));
    dialogs.intervalAnswers = {std::pair{QDate(2024, 3, 1), QDate(2024, 3, 31)}};
    window.command(QStringLiteral("RegIncasariPlati"))->trigger();
    EXPECT_TRUE(printer.jobs.isEmpty());
    ASSERT_EQ(dialogs.texts(QStringLiteral("error")).size(), 1);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("error"))[0].startsWith(
        QStringLiteral("Eroare de acces la tabela registru!\n")));
}
