#include "insight/ChartReports.h"
#include "app/ProgramReports.h"
#include "db/Sql.h"
#include "printing/CsvTable.h"
#include "printing/PagePainter.h"
#include "printing/ReportCatalog.h"
#include "support/Documents.h"
#include "support/PdfPages.h"
#include "support/ReportFixture.h"

#include <QMap>
#include <gtest/gtest.h>

namespace
{

using ChartPictures::Kind;

struct Movement {
    int month;
    int code;
    double amount;
};

// Incomes of thirteen types (codes 2 to 14, all in the delivered catalogue),
// payments, salary lines, and transfers between the accounts that count nowhere.
const QList<Movement> incomes = {
    {1, 2, 100}, {1, 3, 900},  {2, 4, 800},  {3, 5, 700},  {3, 6, 600},  {4, 7, 500},  {5, 8, 400},
    {6, 9, 300}, {7, 10, 250}, {8, 11, 200}, {9, 12, 150}, {10, 13, 50}, {11, 14, 25}, {12, 2, 125.55},
};
const QList<Movement> payments = {{1, 23, 300}, {2, 30, 45.5}, {3, 23, 120}, {12, 40, 1000}};
const QList<Movement> salaries = {{3, 24, 2000}, {3, 25, 150}, {6, 24, 2000}};

class ChartReportsTest : public ReportFixture
{
protected:
    void prepareYear() override
    {
        Documents::setYear(db, 2024, 1000, 500);
        int n = 0;
        for (const Movement& m : incomes)
            Documents::receipt(db, ++n, QDate(2024, m.month, 10).toString(Qt::ISODate), m.amount,
                               n % 2 ? QStringLiteral("Casa") : QStringLiteral("Banca"), QStringLiteral("x"),
                               m.code);
        for (const Movement& m : payments)
            Documents::payment(db, ++n, QDate(2024, m.month, 12).toString(Qt::ISODate), m.amount,
                               QStringLiteral("Banca"), QStringLiteral("y"), m.code);
        for (const Movement& m : salaries)
            Documents::salaryOrder(db, ++n, QDate(2024, m.month, 28).toString(Qt::ISODate),
                                   QStringLiteral("Casa"), {{m.code, m.amount}});
        Documents::deposit(db, 1, QStringLiteral("2024-02-01"), 777);
        Documents::withdrawal(db, 1, QStringLiteral("2024-03-01"), 333);
    }
    CsvTable figures(Kind kind, const QDate& from = {2024, 1, 1}, const QDate& to = {2024, 12, 31})
    {
        return chartFigures(kind, db, from, to);
    }
};

QString amountText(double v)
{
    return CsvTable::number(v);
}

} // namespace

TEST_F(ChartReportsTest, MonthlyFiguresAreTheIncomesAndThePaymentsWithSalaryLinesOfEachMonth)
{
    QMap<int, double> in, out;
    for (const Movement& m : incomes)
        in[m.month] += m.amount;
    for (const Movement& m : payments + salaries)
        out[m.month] += m.amount;
    const CsvTable csv = figures(Kind::Monthly);
    EXPECT_EQ(csv.header, (QStringList{"Luna", "Incasari", "Plati"}));
    ASSERT_EQ(csv.rows.size(), 12);
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(csv.rows[month - 1],
                  (QStringList{QStringLiteral("%1.2024").arg(month, 2, 10, QLatin1Char('0')),
                               amountText(in[month]), amountText(out[month])}));
    // A period inside the year: its months only, each counted from the period's first day.
    const CsvTable part = figures(Kind::Monthly, {2024, 3, 11}, {2024, 4, 30});
    EXPECT_EQ(part.rows, (QList<QStringList>{{"03.2024", amountText(0), amountText(120 + 2150)},
                                             {"04.2024", amountText(500), amountText(0)}}));
}

TEST_F(ChartReportsTest, TypeFiguresAreTheTenLargestThenTheRest)
{
    QMap<int, double> byType;
    for (const Movement& m : incomes)
        byType[m.code] += m.amount;
    QList<std::pair<double, int>> ordered;
    for (auto it = byType.cbegin(); it != byType.cend(); ++it)
        ordered << std::pair{-it.value(), it.key()};
    std::sort(ordered.begin(), ordered.end());
    const CsvTable csv = figures(Kind::Incomes);
    EXPECT_EQ(csv.header, (QStringList{"Cod", "Denumire", "Suma"}));
    ASSERT_EQ(csv.rows.size(), 11);
    double rest = 0;
    for (int i = 0; i < ordered.size(); ++i) {
        if (i < 10) {
            EXPECT_EQ(csv.rows[i][0], QString::number(ordered[i].second));
            EXPECT_EQ(csv.rows[i][2], amountText(-ordered[i].first));
            EXPECT_FALSE(csv.rows[i][1].isEmpty());
        } else
            rest -= ordered[i].first;
    }
    EXPECT_EQ(csv.rows[10], (QStringList{"", "Altele", amountText(rest)}));

    // Expenses: payments and salary lines by their type.
    const CsvTable expenses = figures(Kind::Expenses);
    EXPECT_EQ(expenses.rows.first(), (QStringList{"24", expenses.rows.first()[1], amountText(4000)}));
    EXPECT_EQ(expenses.rows[1], (QStringList{"40", expenses.rows[1][1], amountText(1000)}));
    EXPECT_EQ(expenses.rows[2], (QStringList{"23", expenses.rows[2][1], amountText(420)}));
    EXPECT_EQ(expenses.rows.size(), 6); // five types and "Altele" with nothing
    EXPECT_EQ(expenses.rows.last(), (QStringList{"", "Altele", amountText(0)}));
}

TEST_F(ChartReportsTest, ContributionFiguresAreTheDueSpreadOverTheMonthsAndTheCollected)
{
    Sql::exec(db, QStringLiteral("UPDATE Parohia SET Val_contributie = 120"));
    for (const char* row : {"('1', 'Pop Ion', 'Intreaga', NULL)", "('2', 'Dan Ana', 'Jumatate', 30)",
                            "('3', 'Mos Vasile', '200', NULL)"})
        Sql::exec(db,
                  QStringLiteral(
                      "INSERT INTO Enoriasi (Cod_enorias, Nume_prenume, Tip_contributie, Restanta) VALUES %1")
                      .arg(QLatin1String(row)));
    const double yearlyDue = 120 + (60 + 30) + 200;
    const CsvTable csv = figures(Kind::Contributions);
    EXPECT_EQ(csv.header, (QStringList{"Luna", "Cuvenita", "Incasata"}));
    ASSERT_EQ(csv.rows.size(), 12);
    EXPECT_EQ(csv.rows[0], (QStringList{"01.2024", amountText(yearlyDue / 12), amountText(100)}));
    EXPECT_EQ(csv.rows[11], (QStringList{"12.2024", amountText(yearlyDue / 12), amountText(125.55)}));
    EXPECT_EQ(csv.rows[5], (QStringList{"06.2024", amountText(yearlyDue / 12), amountText(0)}));
}

TEST_F(ChartReportsTest, EachChartIsAReportOfTheCatalogueWhosePdfPageReadsBack)
{
    const QList<std::pair<const char*, QString>> reports = {
        {"grafic-lunar", "Incasari si plati pe luni, 01.01.2024 - 31.12.2024"},
        {"grafic-venituri", "Venituri pe tipuri, 01.01.2024 - 31.12.2024"},
        {"grafic-cheltuieli", "Cheltuieli pe tipuri, 01.01.2024 - 31.12.2024"},
        {"grafic-contributii", "Contributia anuala: cuvenita si incasata pe luni, 01.01.2024 - 31.12.2024"},
    };
    for (int i = 0; i < reports.size(); ++i) {
        const auto& [name, title] = reports[i];
        SCOPED_TRACE(name);
        const ReportEntry* entry = programReports().find(QString::fromLatin1(name));
        ASSERT_NE(entry, nullptr);
        EXPECT_TRUE(entry->asksPeriod);
        ReportAnswers answers;
        answers.from = QDate(2024, 1, 1);
        answers.to = QDate(2024, 12, 31);
        std::unique_ptr<Report> built = entry->build(answers);
        const CsvTable csv = entry->csv(*built, answers);
        const Kind kind = Kind(i);
        EXPECT_EQ(csv.rows, figures(kind).rows);
        const PageModel pages = layOutReport(std::move(built));
        ASSERT_EQ(pages.pages.size(), 1);
        EXPECT_EQ(pages.pages[0].texts().first(), title);
        const QString pdf = folder->file(QString::fromLatin1(name) + QStringLiteral(".pdf"));
        PagePainter::writePdf(pages, pdf);
        const QList<PdfPage> read = readPdfPages(pdf);
        ASSERT_EQ(read.size(), 1);
        EXPECT_GT(read[0].size.width(), read[0].size.height()); // landscape
        const QString all = read[0].texts.join(QLatin1Char(' '));
        EXPECT_TRUE(all.contains(QStringLiteral("pe tipuri")) || all.contains(QStringLiteral("pe luni")))
            << all.toStdString();
        // The chart's own texts are in the page too, not a picture of them, and all of it fits the page.
        EXPECT_TRUE(all.contains(QStringLiteral("lei"))) << all.toStdString();
        double lowest = 0;
        for (const QPointF& glyph : read[0].glyphs) {
            EXPECT_TRUE(QRectF(QPointF(0, 0), read[0].size).contains(glyph)) << glyph.x() << " " << glyph.y();
            lowest = std::max(lowest, glyph.y());
        }
        EXPECT_GT(lowest, read[0].size.height() * 0.7); // the chart fills the page downwards
    }
}
