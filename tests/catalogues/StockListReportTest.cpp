#include "StockItems.h"

#include "app/ProgramReports.h"
#include "db/Connection.h"
#include "printing/PagePainter.h"
#include "printing/ReportCatalog.h"
#include "support/FakePrinter.h"
#include "support/PdfPages.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <optional>

namespace
{

const QDate listDate(2024, 6, 15);
const QString header = QStringLiteral("Nr crt;Denumire;Cantitate;U.M.;Pret;Valoare");

// What the report gave: its CSV lines and the texts of its PDF pages.
struct Output {
    QStringList csv;
    QList<PdfPage> pages;
    QString pageText(int page) const { return pages.value(page).texts.join(QLatin1Char('|')); }
};

// The stock list run from its entry in the catalogue of reports, over a
// working year, written to a real PDF and read back.
class StockListReport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = folder.openWorkingYear();
        setParishForStockList(db);
    }

    static const ReportEntry& entry()
    {
        const ReportEntry* found = programReports().find(QStringLiteral("stoc"));
        EXPECT_NE(found, nullptr);
        return *found;
    }

    Output run(const QDate& date = listDate)
    {
        ReportAnswers answers;
        answers.to = date;
        ReportFrame::applyDefaults(entry().defaults);
        std::unique_ptr<Report> report = entry().build(answers);
        Output out;
        out.csv = entry().csv(*report, answers).text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const PageModel model = ReportFrame::layOut(*report);
        if (!model.pages.isEmpty()) {
            const QString pdf = folder.file(QStringLiteral("stoc.pdf"));
            PagePainter::writePdf(model, pdf);
            out.pages = readPdfPages(pdf);
        }
        return out;
    }

    TestFolder folder;
    QSqlDatabase db;
    ScriptedDialogs dialogs;
    FakePrinter printer;
};

} // namespace

TEST_F(StockListReport, IsOneEntryOfTheCatalogueAskingItsDate)
{
    EXPECT_EQ(entry().caption, QStringLiteral("Raport lista stocurilor"));
    EXPECT_EQ(entry().command, QStringLiteral("ListaStocurilor"));
    EXPECT_TRUE(entry().asksReferenceDate);
    EXPECT_FALSE(entry().asksPeriod);
    EXPECT_EQ(entry().defaults.fontSize, 8);
    EXPECT_EQ(entry().defaults.orientation, QPageLayout::Portrait);
    EXPECT_EQ(programReports().findByCommand(QStringLiteral("ListaStocurilor")), &entry());
}

TEST_F(StockListReport, ListsWhatHadEnteredByTheDateAndHadNotLeftByIt)
{
    const struct {
        const char* name;
        QDate in, out;
        bool listed;
    } cases[] = {
        {"entered the day after", listDate.addDays(1), {}, false},
        {"entered on the day", listDate, {}, true},
        {"no entry date", {}, {}, true},
        {"left on the day", QDate(2024, 1, 10), listDate, false},
        {"left the day after", QDate(2024, 1, 10), listDate.addDays(1), true},
        {"left the day before", {}, listDate.addDays(-1), false},
        {"no exit date", QDate(2024, 1, 10), {}, true},
    };
    QStringList expected{header};
    for (const auto& c : cases) {
        StockItem{QString::fromLatin1(c.name), {}, 1, QStringLiteral("buc"), 2, c.in, c.out}.store(db);
    }
    // In name order, numbered without gaps.
    QStringList listedNames;
    for (const auto& c : cases)
        if (c.listed)
            listedNames << QString::fromLatin1(c.name);
    listedNames.sort(Qt::CaseInsensitive);
    for (int i = 0; i < listedNames.size(); ++i)
        expected << QStringLiteral("%1;%2;1,00;buc;2,00;2,00").arg(i + 1).arg(listedNames[i]);

    EXPECT_EQ(run().csv, expected);
}

TEST_F(StockListReport, PrintsNamesWithDescriptionsValuesAndTheTotal)
{
    StockItem{QStringLiteral("Sfesnic"), QStringLiteral("argint"), 3, QStringLiteral("buc"), 12.5}.store(db);
    StockItem{QStringLiteral("Candela"), {}, 2.5, QStringLiteral("l"), 1000}.store(db);
    StockItem{QStringLiteral("Covor"), QStringLiteral("   "), 1, QStringLiteral("mp"), 0.1}.store(db);

    const Output out = run();
    EXPECT_EQ(out.csv, QStringList({header, "1;Candela;2,50;l;1000,00;2500,00", "2;Covor;1,00;mp;0,10;0,10",
                                    "3;Sfesnic - argint;3,00;buc;12,50;37,50"}));

    ASSERT_EQ(out.pages.size(), 1);
    EXPECT_NEAR(out.pages[0].size.width(), 210, 1) << "A4 portrait";
    const QStringList texts = out.pages[0].texts;
    for (const char* expected : {"Parohia Sf. Nicolae",
                                 "Protopopiatul:",
                                 "Iasi",
                                 "Adresa:",
                                 "Loc. Iasi, Str. Lapusneanu Nr. 12, Jud. Iasi",
                                 "Situatia stocurilor la data 15.06.2024",
                                 "Nr crt",
                                 "Denumire",
                                 "Cantitate",
                                 "U.M.",
                                 "Pret",
                                 "Valoare",
                                 "Sfesnic - argint",
                                 "3,00",
                                 "12,50",
                                 "37,50",
                                 "Candela",
                                 "2,50",
                                 "1.000,00",
                                 "2.500,00",
                                 "Covor",
                                 "0,10",
                                 "Total general:",
                                 "2.537,60",
                                 "Lumivaret, produs Morvalen",
                                 "Pag. 1"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected)))
            << expected << " in " << out.pageText(0).toStdString();
    EXPECT_TRUE(texts.contains(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))))
        << "the printing date in the page footer";
}

TEST_F(StockListReport, ALongListRepeatsItsHeadingOnEveryPageAndTotalsOnceAtTheEnd)
{
    for (int i = 1; i <= 90; ++i)
        StockItem{
            QStringLiteral("Obiect %1").arg(i, 3, 10, QLatin1Char('0')), {}, 1, QStringLiteral("buc"), 10}
            .store(db);
    const Output out = run();
    ASSERT_GE(out.pages.size(), 2);
    for (int page = 0; page < out.pages.size(); ++page) {
        SCOPED_TRACE(page + 1);
        const QStringList& texts = out.pages[page].texts;
        EXPECT_TRUE(texts.contains(QStringLiteral("Situatia stocurilor la data 15.06.2024")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Valoare")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Pag. %1").arg(page + 1)));
        EXPECT_EQ(texts.contains(QStringLiteral("Total general:")), page == out.pages.size() - 1);
    }
    EXPECT_TRUE(out.pages.last().texts.contains(QStringLiteral("900,00")));
    EXPECT_EQ(out.csv.size(), 91);
}

TEST_F(StockListReport, ALongDescriptionWrapsInsideItsColumn)
{
    const QString description =
        QStringLiteral("lucrat manual din argint aurit, cu email si pietre, daruit de "
                       "enoriasi la sfintirea bisericii in anul 1936");
    StockItem{QStringLiteral("Potir"), description, 1, QStringLiteral("buc"), 5000}.store(db);
    StockItem{QStringLiteral("Disc"), {}, 1, QStringLiteral("buc"), 100}.store(db);
    const Output out = run();
    ASSERT_EQ(out.pages.size(), 1);
    const QString text = out.pageText(0);
    EXPECT_FALSE(out.pages[0].texts.contains(QStringLiteral("Potir - ") + description)) << "not on one line";
    EXPECT_TRUE(text.contains(QStringLiteral("Potir - lucrat"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1936"))) << "nothing is cut off";
}

TEST_F(StockListReport, FromTheMenuTheCalendarProposesTodayAndCancellingPrintsNothing)
{
    StockItem{QStringLiteral("Sfesnic"), {}, 3, QStringLiteral("buc"), 12.5}.store(db);
    QWidget caller;

    runReportInteractively(entry(), &caller);
    EXPECT_EQ(dialogs.texts(QStringLiteral("date")), QStringList{QDate::currentDate().toString(Qt::ISODate)});
    EXPECT_TRUE(dialogs.texts(QStringLiteral("printSetup")).isEmpty());
    EXPECT_TRUE(printer.jobs.isEmpty());

    dialogs.dateAnswers = {listDate};
    runReportInteractively(entry(), &caller);
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_TRUE(printer.jobs[0].model.pages[0].texts().contains(QStringLiteral("37,50")));
}

TEST_F(StockListReport, ADateWithoutStockIsToldInsteadOfPrintingNothing)
{
    StockItem{QStringLiteral("Sfesnic"), {}, 3, QStringLiteral("buc"), 12.5, listDate.addDays(1)}.store(db);
    dialogs.dateAnswers = {listDate};
    QWidget caller;
    runReportInteractively(entry(), &caller);
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")),
              QStringList{"Nu exista stocuri la data de 15.06.2024."});
    EXPECT_TRUE(printer.jobs.isEmpty());
}
