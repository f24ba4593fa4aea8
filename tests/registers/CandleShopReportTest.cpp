#include "CandleShop.h"
#include "support/ReportFixture.h"
#include "app/MainUnt.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "printing/PagePainter.h"
#include "printing/PrintSettings.h"
#include "printing/ReportFrame.h"
#include "registers/CalculPangarUnt.h"
#include "registers/RepPangarUnt.h"
#include "support/FakePrinter.h"
#include "support/PdfPages.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/ProgressWindow.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLocale>
#include <QProgressBar>
#include <gtest/gtest.h>

namespace
{

// Records each progress window as it closes: its caption, where its bar stood and its end.
class ProgressSeen : public QObject
{
public:
    ProgressSeen() { qApp->installEventFilter(this); }
    QStringList closed;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            if (auto* window = qobject_cast<ProgressWindow*>(watched))
                closed << QStringLiteral("%1 %2/%3")
                              .arg(window->windowTitle())
                              .arg(window->bar()->value())
                              .arg(window->bar()->maximum());
        return false;
    }
};

// Opening stock 100 candles worth 150.
class CandleShopReport : public ReportFixture
{
protected:
    void SetUp() override
    {
        ReportFixture::SetUp();
        CandleShop::setYear(db, 2024, 100, 150);
    }

    // The worked example: 200 candles bought for 300 on 5 January, 50 sold for 100 on 6 January.
    void addTheExample()
    {
        CandleShop::purchase(db, 12, QStringLiteral("2024-01-05"), 200, 300);
        CandleShop::sale(db, 7, QStringLiteral("2024-01-06"), 50, 100);
    }

    // Ten purchases of 100 candles for 150 in January; each day of March a
    // purchase of 20 for 30 and two sales of 5 for 10: more than one page.
    void addAYear()
    {
        for (int i = 1; i <= 10; ++i)
            CandleShop::purchase(db, i, QDate(2024, 1, i + 4).toString(Qt::ISODate), 100, 150);
        for (int day = 1; day <= 31; ++day) {
            const QString date = QDate(2024, 3, day).toString(Qt::ISODate);
            CandleShop::purchase(db, 100 + day, date, 20, 30);
            CandleShop::sale(db, 200 + day, date, 5, 10);
            CandleShop::sale(db, 300 + day, date, 5, 10);
        }
    }

    PageModel layOut(const QDate& from, const QDate& to)
    {
        CalculPangar(db);
        return layOutReport(TRepPangarFrm::build(db, from, to), {8, QPageLayout::Portrait});
    }

    // The label and the six values that follow it on the page.
    static QStringList sumsLine(const Page& page, const QString& label) { return textsFrom(page, label, 7); }

    // The nine printed columns of the row that starts with `date` and `kind`.
    static QStringList row(const Page& page, const QString& date, const QString& kind)
    {
        const QStringList texts = page.texts();
        for (qsizetype at = texts.indexOf(date); at >= 0; at = texts.indexOf(date, at + 1))
            if (at + 1 < texts.size() && texts[at + 1] == kind)
                return texts.mid(at, 9);
        return {};
    }
};

const QString csvHeader = QStringLiteral("Data;Documentul / Felul;Documentul / Numarul;Cantitatea / Intrata;"
                                         "Cantitatea / Iesita;Cantitatea / Stoc;Valoarea / Intrata;"
                                         "Valoarea / Iesita;Valoarea / Sold\n");

} // namespace

TEST_F(CandleShopReport, TheExampleOnOnePageRowByRowWithTheGrandTotal)
{
    addTheExample();
    const PageModel model = layOut(QDate(2024, 1, 1), QDate(2024, 1, 31));

    ASSERT_EQ(model.pages.size(), 1);
    EXPECT_EQ(model.orientation, QPageLayout::Portrait);
    const Page& page = model.pages[0];
    const QStringList texts = page.texts();
    for (const char* text : {"REGISTRU PANGAR", "de la data de 01.01.2024 pana la data de 31.01.2024",
                             "Data operatiunii", "Documentul", "Felul", "Numarul", "Cantitatea", "Valoarea",
                             "Intrata", "Iesita", "Stoc", "Sold", "9", "Lumivaret, produs Morvalen", "Pag.1"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
    EXPECT_FALSE(texts.contains(QStringLiteral("Report :")));
    EXPECT_FALSE(texts.contains(QStringLiteral("De reportat :")));

    EXPECT_EQ(row(page, "01.01.2024", "Report"), QStringList({"01.01.2024", "Report", "", "100,00", "0,00",
                                                              "100,00", "150,00", "0,00", "150,00"}));
    EXPECT_EQ(row(page, "05.01.2024", "FACT"), QStringList({"05.01.2024", "FACT", "12", "200,00", "0,00",
                                                            "300,00", "300,00", "0,00", "450,00"}));
    EXPECT_EQ(row(page, "06.01.2024", "CHIT"), QStringList({"06.01.2024", "CHIT", "7", "0,00", "50,00",
                                                            "250,00", "0,00", "100,00", "350,00"}));
    // Sums in the general number format, stock and value as the last row printed them.
    EXPECT_EQ(sumsLine(page, QStringLiteral("Total general :")),
              QStringList({"Total general :", "300,00", "50,00", "250,00", "450,00", "100,00", "350,00"}));

    EXPECT_EQ(TRepPangarFrm::csv(*report, QDate(2024, 1, 1)).text(),
              csvHeader + QStringLiteral("01.01.2024;Report;;100,00;0,00;100,00;150,00;0,00;150,00\n"
                                         "05.01.2024;FACT;12;200,00;0,00;300,00;300,00;0,00;450,00\n"
                                         "06.01.2024;CHIT;7;0,00;50,00;250,00;0,00;100,00;350,00\n"
                                         "Total general :;;;300,00;50,00;250,00;450,00;100,00;350,00\n"));
}

TEST_F(CandleShopReport, APeriodFromMarchBringsJanuaryForwardWithoutPrintingIt)
{
    addAYear();
    const PageModel model = layOut(QDate(2024, 3, 1), QDate(2024, 3, 31));

    ASSERT_GE(model.pages.size(), 2);
    const Page& first = model.pages[0];
    EXPECT_TRUE(first.texts().contains(QStringLiteral("REGISTRU PANGAR")));
    EXPECT_FALSE(first.texts().contains(QStringLiteral("01.01.2024")));
    EXPECT_FALSE(first.texts().contains(QStringLiteral("05.01.2024")));
    EXPECT_FALSE(first.texts().contains(QStringLiteral("Report :")));
    // The first March row's stock and value run from 1 January: 100 + 10 x 100 + 20 candles, 150 + 1500 + 30.
    EXPECT_EQ(row(first, "01.03.2024", "FACT"), QStringList({"01.03.2024", "FACT", "101", "20,00", "0,00",
                                                             "1.120,00", "30,00", "0,00", "1.680,00"}));
    // The first page's sums already hold January.
    const QStringList firstSums = sumsLine(first, QStringLiteral("De reportat :"));
    ASSERT_EQ(firstSums.size(), 7);
    EXPECT_GT(QLocale(QLocale::Romanian, QLocale::Romania).toDouble(firstSums[1]), 1100);

    // Each page hands its sums, stock and value to the next one; the title is on the first only.
    for (qsizetype p = 0; p + 1 < model.pages.size(); ++p) {
        SCOPED_TRACE(p + 1);
        const QStringList handed = sumsLine(model.pages[p], QStringLiteral("De reportat :"));
        const QStringList carried = sumsLine(model.pages[p + 1], QStringLiteral("Report :"));
        ASSERT_EQ(handed.size(), 7);
        EXPECT_EQ(handed.mid(1), carried.mid(1));
        EXPECT_TRUE(model.pages[p].texts().contains(QStringLiteral("Pag.%1").arg(p + 1)));
        EXPECT_FALSE(model.pages[p + 1].texts().contains(QStringLiteral("REGISTRU PANGAR")));
    }
    EXPECT_EQ(
        sumsLine(model.pages.last(), QStringLiteral("Total general :")),
        QStringList({"Total general :", "1.720,00", "310,00", "1.410,00", "2.580,00", "620,00", "1.960,00"}));

    const CsvTable csv = TRepPangarFrm::csv(*report, QDate(2024, 3, 1));
    ASSERT_EQ(csv.rows.size(), 31 * 3 + 1);
    EXPECT_EQ(csv.rows.first().join(';'),
              QStringLiteral("01.03.2024;FACT;101;20,00;0,00;1120,00;30,00;0,00;1680,00"));
    EXPECT_EQ(csv.rows.last().join(';'),
              QStringLiteral("Total general :;;;1720,00;310,00;1410,00;2580,00;620,00;1960,00"));
}

TEST_F(CandleShopReport, TheRowsAfterThePeriodAreDroppedAndAnEmptyPeriodPrintsNothing)
{
    addAYear();
    layOut(QDate(2024, 3, 1), QDate(2024, 3, 15));
    EXPECT_EQ(
        Sql::scalar(db, QStringLiteral("SELECT count(*) FROM Pangar WHERE Data > '2024-03-15'")).toInt(), 0);
    const CsvTable march = TRepPangarFrm::csv(*report, QDate(2024, 3, 1));
    ASSERT_EQ(march.rows.size(), 15 * 3 + 1);
    EXPECT_EQ(march.rows.last().join(';'),
              QStringLiteral("Total general :;;;1400,00;150,00;1250,00;2100,00;300,00;1800,00"));

    EXPECT_TRUE(layOut(QDate(2024, 6, 1), QDate(2024, 6, 30)).pages.isEmpty());
    EXPECT_EQ(TRepPangarFrm::csv(*report, QDate(2024, 6, 1)).text(), csvHeader);
}

TEST_F(CandleShopReport, TheReportIsWrittenToARealPdfOfItsPortraitPages)
{
    addAYear();
    const PageModel model = layOut(QDate(2024, 3, 1), QDate(2024, 3, 31));
    const QString file = folder->file(QStringLiteral("pangar.pdf"));
    PagePainter::writePdf(model, file);

    const QList<PdfPage> pages = readPdfPages(file);
    ASSERT_EQ(pages.size(), model.pages.size());
    for (qsizetype p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(p + 1);
        EXPECT_NEAR(pages[p].size.width(), 210, 1);
        EXPECT_NEAR(pages[p].size.height(), 297, 1);
        QStringList written;
        for (const QString& text : pages[p].texts)
            written << QString(text).remove(QChar(0x200B)).trimmed();
        // A wrapped heading is written as one run per line.
        const QString page = written.join(QLatin1Char(' '));
        for (const QString& text : model.pages[p].texts())
            EXPECT_TRUE(page.contains(text)) << text.toStdString();
    }
}

TEST_F(CandleShopReport, TheMenuCommandAsksThePeriodComputesWithProgressThenPrints)
{
    addAYear();
    TMainFrm window;
    window.show();
    dialogs.intervalAnswers = {std::pair{QDate(2024, 3, 1), QDate(2024, 3, 31)}};
    ProgressSeen progress;

    window.command(QStringLiteral("RegPangar"))->trigger();

    EXPECT_EQ(progress.closed,
              QStringList({QStringLiteral("Calcul registru pangar %1/%1").arg(1 + 10 + 31 * 3)}));
    EXPECT_EQ(dialogs.texts(QStringLiteral("interval")), QStringList({thisYearSoFar()}));
    expectPrintedAs(layOut(QDate(2024, 3, 1), QDate(2024, 3, 31)), {8, QPageLayout::Portrait});
}

TEST_F(CandleShopReport, ACancelledPeriodOrAFailedComputationPrintsNothing)
{
    addTheExample();
    TMainFrm window;
    window.show();
    window.command(QStringLiteral("RegPangar"))->trigger();
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("SELECT count(*) FROM Pangar")).toInt(), 0);

    Sql::exec(Connection::database(), QStringLiteral("DROP TABLE Cheltuieli"));
    dialogs.intervalAnswers = {std::pair{QDate(2024, 1, 1), QDate(2024, 1, 31)}};
    window.command(QStringLiteral("RegPangar"))->trigger();
    EXPECT_TRUE(printer.jobs.isEmpty());
    ASSERT_EQ(dialogs.texts(QStringLiteral("error")).size(), 1);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("error"))[0].startsWith(
        QStringLiteral("Eroare de acces la tabela Pangar!\n")));
}
