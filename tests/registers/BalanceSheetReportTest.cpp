#include "BalanceSheetRows.h"
#include "db/Sql.h"
#include "printing/PagePainter.h"
#include "printing/PrintSettings.h"
#include "registers/BalanceSheetSections.h"
#include "registers/RepBilantUnt.h"
#include "registers/RepBilantV2Unt.h"
#include "support/FakePrinter.h"
#include "support/PdfPages.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

using BalanceSheetRows::Row;

namespace
{

const QString question = QStringLiteral("Doriti listarea cheltuielilor pe pagina separata ?");
const BalanceSheetReport::Period period{QStringLiteral("01.02.2024"), QStringLiteral("31.03.2024")};

// Row 0 titles the incomes, rows 1 to 9 are incomes, then two rows numbered
// 10 (the expenses title, then the first expense) and two more expenses.
QList<Row> sectionedNomenclature(const QString& accountOfRowNine = {})
{
    QList<Row> rows{{0, "VENITURI"}};
    for (int n = 1; n <= 9; ++n)
        rows.append(
            {n, QStringLiteral("Venit %1").arg(n), {}, n * 100.0, n == 9 ? accountOfRowNine : QString()});
    rows.append({10, "CHELTUIELI"});
    rows.append({10, "Salarii", {}, 1234.5, QStringLiteral("10.01")});
    rows.append({11, "Energie", {}, 20});
    rows.append({12, "Total cheltuieli", "10+11", 0});
    return rows;
}

class BalanceSheetReportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        printSettings() = PrintSettings();
        db = folder.openWorkingYear();
        Sql::exec(db, QStringLiteral("UPDATE Parohia SET Arhiepiscopia = 'Arhiepiscopia Iasilor', "
                                     "Protopopiatul = 'Protopopiatul Iasi', Parohia = 'Sfantul Nicolae', "
                                     "Localitatea = 'Iasi', Judet = 'Iasi', Preot = 'Pr. Ioan Popescu', "
                                     "Epitrop = 'Vasile Ionescu'"));
        Sql::exec(db, QStringLiteral("UPDATE Bilant SET Executie = 0"));
    }
    void TearDown() override { printSettings() = PrintSettings(); }

    PageModel firstLayout(const QString& amountField)
    {
        report = TRepBilantFrm::build(db, period, amountField, [this] { return dialogs.question(question); });
        ReportFrame::applyDefaults(BalanceSheetReport::defaults);
        return ReportFrame::layOut(*report);
    }
    PageModel secondLayout(const QString& amountField)
    {
        report = TRepBilantV2Frm::build(db, period, amountField);
        ReportFrame::applyDefaults(BalanceSheetReport::defaults);
        return ReportFrame::layOut(*report);
    }

    TestFolder folder;
    QSqlDatabase db;
    FakePrinter printer;
    ScriptedDialogs dialogs;
    std::unique_ptr<Report> report;
};

// The texts of a page from `first` on, `count` of them.
QStringList textsFrom(const Page& page, const QString& first, int count)
{
    const QStringList texts = page.texts();
    const qsizetype at = texts.indexOf(first);
    return at < 0 ? QStringList() : texts.mid(at, count);
}

} // namespace

TEST(BalanceSheetSectionsRule, HeadersQuestionAndAlignmentByNumberAndPosition)
{
    const BalanceSheetSections ten(10);
    struct Case {
        qint64 number;
        int position;
        bool header, asks;
        std::optional<bool> centred;
    };
    const Case cases[] = {
        {0, 1, true, false, true},           {1, 2, false, false, false},
        {9, 10, false, true, std::nullopt},  {10, 11, true, false, true},
        {10, 12, false, false, false},       {11, 13, false, false, std::nullopt},
        {10, 5, false, false, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number * 100 + c.position);
        EXPECT_EQ(ten.isHeader(c.number, c.position), c.header);
        EXPECT_EQ(ten.asksForSeparatePage(c.number), c.asks);
        EXPECT_EQ(ten.amountCentred(c.number, c.position), c.centred);
    }
    const BalanceSheetSections none(BalanceSheetSections::noSeparator);
    EXPECT_FALSE(none.isHeader(10, 11));
    EXPECT_TRUE(none.isHeader(999, 1000));
    EXPECT_FALSE(none.asksForSeparatePage(9));
}

TEST_F(BalanceSheetReportTest, TheSeparatorIsTheNumberOfTwoRowsWithTwoNames)
{
    // The delivered nomenclature: the expenses title shares 22 with the personnel subtotal.
    EXPECT_EQ(BalanceSheetSections::of(db).separator(), 22);
    struct Case {
        const char* name;
        QList<Row> rows;
        qint64 separator;
    };
    const QList<Case> cases{
        {"two names on 10", sectionedNomenclature(), 10},
        {"every number its own", {{0, "A"}, {1, "B"}, {2, "C"}}, 999},
        {"one name twice", {{0, "A"}, {5, "B"}, {5, "B"}}, 999},
        {"three names on one number", {{0, "A"}, {5, "B"}, {5, "C"}, {5, "D"}}, 999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BalanceSheetRows::replace(db, c.rows);
        EXPECT_EQ(BalanceSheetSections::of(db).separator(), c.separator);
    }
}

TEST_F(BalanceSheetReportTest, FirstLayoutCoverRowsHeadersAndSignatures)
{
    BalanceSheetRows::replace(db, sectionedNomenclature());
    dialogs.answers = {false};
    const PageModel model = firstLayout(BalanceSheetReport::forecastField);

    ASSERT_EQ(model.pages.size(), 2);
    const QStringList cover = model.pages[0].texts();
    for (const char* text : {"ARHIEPISCOPIA", "Arhiepiscopia Iasilor", "(loc pentru viza),", "PROTOPOPIATUL",
                             "Protopopiatul Iasi", "PAROHIA", "Sfantul Nicolae", "LOCALITATEA", "JUDETUL",
                             "BUGET DE VENITURI SI CHELTUIELI", "LA PAROHIE DE LA :", "01.02.2024",
                             "PANA LA :", "31.03.2024", "PREVEDERI   ............................",
                             "EXECUTIE      ............................", "Pagina  1"})
        EXPECT_TRUE(cover.contains(QString::fromUtf8(text))) << text;
    EXPECT_FALSE(cover.contains(QStringLiteral("VENITURI")));

    const Page& rows = model.pages[1];
    EXPECT_EQ(textsFrom(rows, "VENITURI", 3), QStringList({"VENITURI", "Nr. rnd", "SUMA"}));
    EXPECT_EQ(textsFrom(rows, "Venit 9", 3), QStringList({"Venit 9", "9", "900,00"}));
    EXPECT_EQ(textsFrom(rows, "CHELTUIELI", 3), QStringList({"CHELTUIELI", "Nr. rnd", "SUMA"}));
    EXPECT_EQ(textsFrom(rows, "Salarii", 3), QStringList({"Salarii", "10", "1.234,50"}));
    // The forecasts as they stand: the total row's was never computed.
    EXPECT_EQ(textsFrom(rows, "Total cheltuieli", 3), QStringList({"Total cheltuieli", "12", "0,00"}));
    EXPECT_FALSE(rows.texts().contains(QStringLiteral("10.01"))) << "no article code in the first layout";
    EXPECT_EQ(textsFrom(rows, "Lumivaret, produs Morvalen", 5),
              QStringList({"Lumivaret, produs Morvalen", "PREOT PAROH,", "Pr. Ioan Popescu", "EPITROP,",
                           "Vasile Ionescu"}));
    EXPECT_TRUE(rows.texts().contains(QStringLiteral("Pagina  2")));

    // "SUMA" is centred; amounts are right-aligned from row 1 and again from the first expense row.
    const auto alignment = [&](const QString& text) {
        return rows.find(text).value(0).flags & Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(alignment(QStringLiteral("SUMA")), Qt::AlignHCenter);
    EXPECT_EQ(alignment(QStringLiteral("100,00")), Qt::AlignRight);
    EXPECT_EQ(alignment(QStringLiteral("1.234,50")), Qt::AlignRight);
}

TEST_F(BalanceSheetReportTest, TheQuestionIsAskedWhileRowNineIsPrintedAndYesPutsTheExpensesOnANewPage)
{
    BalanceSheetRows::replace(db, sectionedNomenclature());
    struct Case {
        bool answer;
        int pages;
        const char* firstOnLastPage;
    };
    for (const Case& c : {Case{true, 3, "CHELTUIELI"}, Case{false, 2, "VENITURI"}}) {
        SCOPED_TRACE(c.answer);
        dialogs.shown.clear();
        dialogs.answers = {c.answer};
        const PageModel model = firstLayout(BalanceSheetReport::executionField);
        EXPECT_EQ(dialogs.texts(QStringLiteral("question")), QStringList({question}));
        ASSERT_EQ(model.pages.size(), c.pages);
        EXPECT_EQ(model.pages.last().texts().value(0), QString::fromLatin1(c.firstOnLastPage));
        EXPECT_TRUE(model.pages[1].texts().contains(QStringLiteral("Venit 9")));
    }
    // Laid out again (printing from the preview), the question is asked again.
    dialogs.shown.clear();
    ReportFrame::layOut(*report);
    EXPECT_EQ(dialogs.texts(QStringLiteral("question")).size(), 1);

    // Without a number borne by two rows, only row 0 is a header and nothing is asked.
    BalanceSheetRows::replace(db, {{0, "VENITURI"}, {1, "Sold"}, {9, "Venit"}, {10, "Salarii"}});
    dialogs.shown.clear();
    const PageModel plain = firstLayout(BalanceSheetReport::executionField);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("question")).isEmpty());
    ASSERT_EQ(plain.pages.size(), 2);
    EXPECT_EQ(textsFrom(plain.pages[1], "Salarii", 3), QStringList({"Salarii", "10", ""}))
        << "an empty amount prints nothing";
    EXPECT_EQ(plain.pages[1].texts().count(QStringLiteral("Nr. rnd")), 1);
}

TEST_F(BalanceSheetReportTest, SecondLayoutArticleCodesBreaksOnADashAndTheStatementToFillIn)
{
    BalanceSheetRows::replace(db, sectionedNomenclature(QStringLiteral("-")));
    const PageModel model = secondLayout(BalanceSheetReport::forecastField);

    EXPECT_TRUE(dialogs.shown.isEmpty()) << "no question in the second layout";
    ASSERT_EQ(model.pages.size(), 3);
    EXPECT_TRUE(model.pages[0].texts().contains(QStringLiteral("BUGET DE VENITURI SI CHELTUIELI")));
    EXPECT_EQ(textsFrom(model.pages[1], "Venit 9", 4), QStringList({"Venit 9", "9", "-", "900,00"}));
    EXPECT_EQ(textsFrom(model.pages[1], "VENITURI", 4), QStringList({"VENITURI", "0", "", ""}));
    const Page& expenses = model.pages[2];
    EXPECT_EQ(expenses.texts().mid(0, 8),
              QStringList({"CHELTUIELI", "10", "", "", "Salarii", "10", "10.01", "1.234,50"}));
    for (const char* text : {"I. SITUATIA STOCURILOR LA DATA :",
                             "1. MIJLOACE FIXE",
                             "din care:",
                             "-TERENURI",
                             "-CLADIRI",
                             "-FOND BIBLIOTECA",
                             "-ALTELE",
                             "2. OBIECTE INVENTAR",
                             "3. LUMANARI IN STOC",
                             "4. COLPORTAJ",
                             "II. SITUATIA LUMANARILOR VANDUTE IN CURSUL ANULUI",
                             "LUMANARI",
                             "LUMANARI CEARA CURATA",
                             "Raspund de corectitudinea datelor mentionate in prezentul buget",
                             "PREOT PAROH,",
                             "Pr. Ioan Popescu",
                             "EPITROPI,",
                             "Vasile Ionescu",
                             "Lumivaret, produs Morvalen",
                             "Pagina  3"})
        EXPECT_TRUE(expenses.texts().contains(QString::fromUtf8(text))) << text;
    EXPECT_EQ(textsFrom(expenses, "I. SITUATIA STOCURILOR LA DATA :", 2),
              QStringList({"I. SITUATIA STOCURILOR LA DATA :", "31.03.2024"}));
}

TEST_F(BalanceSheetReportTest, AnEmptyBalanceSheetPrintsNothing)
{
    BalanceSheetRows::replace(db, {});
    EXPECT_TRUE(firstLayout(BalanceSheetReport::executionField).pages.isEmpty());
    EXPECT_TRUE(secondLayout(BalanceSheetReport::executionField).pages.isEmpty());
}

TEST_F(BalanceSheetReportTest, BothLayoutsOfTheDeliveredNomenclatureAreWrittenToARealPdf)
{
    Sql::exec(db, QStringLiteral("UPDATE Bilant SET Executie = Nr_rand * 1000.5"));
    dialogs.answers = {true};
    for (const bool first : {true, false}) {
        SCOPED_TRACE(first);
        const PageModel model = first ? firstLayout(BalanceSheetReport::executionField)
                                      : secondLayout(BalanceSheetReport::executionField);
        const QString file = folder.file(QStringLiteral("bilant.pdf"));
        PagePainter::writePdf(model, file);
        const QList<PdfPage> pages = readPdfPages(file);
        ASSERT_EQ(pages.size(), model.pages.size());
        ASSERT_GE(pages.size(), 3) << "cover, incomes, expenses";
        for (qsizetype p = 0; p < pages.size(); ++p) {
            SCOPED_TRACE(p + 1);
            EXPECT_NEAR(pages[p].size.width(), 210, 1);
            EXPECT_NEAR(pages[p].size.height(), 297, 1);
            QStringList written;
            for (const QString& text : pages[p].texts)
                written << QString(text).remove(QChar(0x200B)).trimmed();
            const QString page = written.join(QLatin1Char(' '));
            for (const QString& text : model.pages[p].texts())
                EXPECT_TRUE(page.contains(text.trimmed())) << text.toStdString();
        }
        EXPECT_TRUE(model.pages[2].texts().contains(QStringLiteral("CHELTUIELI")));
        EXPECT_TRUE(model.pages[2].texts().contains(QStringLiteral("48.024,00")));
    }
}
