#include "printing/ReportLayout.h"
#include "printing/CsvTable.h"
#include "printing/PagePainter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace
{

// Rows of (number, account, amount, explanation).
ReportTable movements(int count)
{
    ReportTable table;
    table.fields = {"Nr", "Cont", "Valoarea", "Explicatie"};
    for (int i = 1; i <= count; ++i)
        table.rows << QVariantList{i, i <= count / 2 ? QStringLiteral("Banca") : QStringLiteral("Casa"),
                                   10.0 * i, QStringLiteral("rand %1").arg(i)};
    return table;
}

// A ruled list: a 6 mm detail row with the number, the amount and a running total.
ReportDefinition list(const ReportTable& data)
{
    ReportDefinition r;
    r.data = &data;
    r.font = QFont(QStringLiteral("Arial"), 8);
    r.detail.height = 6;
    r.detail.ruled = true;
    r.detail.rules = {20, 60};
    r.detail.add(ReportElement::data({1, 0, 18, 6}, QStringLiteral("Nr")));
    r.detail.add(ReportElement::data({22, 0, 36, 6}, QStringLiteral("Valoarea"), QStringLiteral("#,##0.00")));
    r.detail.add(ReportElement::sum({62, 0, 40, 6}, QStringLiteral("Valoarea")));
    r.pageHeader.height = 8;
    r.pageHeader.add(ReportElement::label({0, 0, 40, 8}, QStringLiteral("Report")));
    r.pageHeader.add(ReportElement::sum({62, 0, 40, 8}, QStringLiteral("Valoarea")));
    r.pageFooter.height = 8;
    r.pageFooter.add(ReportElement::sum({62, 0, 40, 8}, QStringLiteral("Valoarea")));
    r.pageFooter.add(ReportElement::pageNumber({150, 0, 50, 8}, QStringLiteral("Pag. %1 din %2")));
    r.summary.height = 8;
    r.summary.add(ReportElement::label({0, 0, 30, 8}, QStringLiteral("Total")));
    r.summary.add(ReportElement::sum({62, 0, 40, 8}, QStringLiteral("Valoarea")));
    return r;
}

QString money(double v)
{
    return QLocale().toString(v, 'f', 2);
}

} // namespace

TEST(ReportLayoutTest, SuppressedRowsCountInTheSums)
{
    const ReportTable data = movements(5);
    ReportDefinition r = list(data);
    r.detail.beforePrint = [](const ReportContext& c) { return c.value(QStringLiteral("Nr")).toInt() > 2; };
    const PageModel model = ReportLayout::run(r);
    ASSERT_EQ(model.pages.size(), 1);
    const QStringList texts = model.pages[0].texts();
    EXPECT_FALSE(texts.contains(QStringLiteral("1")));
    EXPECT_FALSE(texts.contains(QStringLiteral("2")));
    EXPECT_TRUE(texts.contains(QStringLiteral("3")));
    // Row 3 shows the total brought forward from the rows before it.
    EXPECT_EQ(model.pages[0].find(QStringLiteral("3")).size(), 1);
    EXPECT_TRUE(texts.contains(money(60)));
    EXPECT_EQ(texts.at(texts.indexOf(QStringLiteral("Total")) + 1), money(150));
}

TEST(ReportLayoutTest, TotalsAreCarriedForwardToTheNextPage)
{
    const ReportTable data = movements(100);
    ReportDefinition r = list(data);
    const PageModel model = ReportLayout::run(r);
    ASSERT_GE(model.pages.size(), 3);
    for (int p = 0; p + 1 < model.pages.size(); ++p) {
        const QStringList page = model.pages[p].texts();
        const QStringList next = model.pages[p + 1].texts();
        // The footer's total (before the page number) is the next header's total (after "Report").
        const QString footerTotal = page.at(page.size() - 2);
        EXPECT_EQ(next.at(1), footerTotal) << "page " << p + 1;
        // ... and it is the running total of the last row printed on the page.
        EXPECT_EQ(page.at(page.size() - 3), footerTotal);
        EXPECT_EQ(page.last(), QStringLiteral("Pag. %1 din %2").arg(p + 1).arg(model.pages.size()));
    }
    EXPECT_EQ(model.pages.last().texts().last(), QStringLiteral("Pag. %1 din %1").arg(model.pages.size()));
    // The rows stay inside the paper's bottom margin.
    for (const PageItem& item : model.pages[0].items)
        EXPECT_LE(item.rect.bottom(), 297 - 5 + 1e-6);
}

TEST(ReportLayoutTest, GroupsReadTheirFirstAndLastRows)
{
    const ReportTable data = movements(6); // rows 1-3 Banca, 4-6 Casa
    ReportDefinition r = list(data);
    ReportGroup group;
    group.field = QStringLiteral("Cont");
    group.header.height = 6;
    group.header.add(ReportElement::data({0, 0, 30, 6}, QStringLiteral("Cont")));
    group.header.add(ReportElement::sum({62, 0, 40, 6}, QStringLiteral("Valoarea")));
    group.footer.height = 6;
    group.footer.add(ReportElement::label({0, 0, 20, 6}, QStringLiteral("Ultimul:")));
    group.footer.add(ReportElement::data({20, 0, 30, 6}, QStringLiteral("Explicatie")));
    group.footer.add(ReportElement::sum({62, 0, 40, 6}, QStringLiteral("Valoarea")));
    r.groups << group;
    const QStringList texts = ReportLayout::run(r).pages[0].texts();
    const int banca = int(texts.indexOf(QStringLiteral("Banca")));
    const int casa = int(texts.indexOf(QStringLiteral("Casa")));
    ASSERT_GE(banca, 0);
    ASSERT_GT(casa, banca);
    EXPECT_EQ(texts.at(banca + 1), money(0)); // before the group's first row
    EXPECT_EQ(texts.at(casa + 1), money(60)); // the sums are never reset
    EXPECT_EQ(texts.at(casa - 2), QStringLiteral("rand 3"));
    EXPECT_EQ(texts.at(casa - 1), money(60));
    const int lastFooter = int(texts.lastIndexOf(QStringLiteral("Ultimul:")));
    EXPECT_EQ(texts.at(lastFooter + 1), QStringLiteral("rand 6"));
    EXPECT_EQ(texts.at(lastFooter + 2), money(210));
}

TEST(ReportLayoutTest, AHandlerSetsTheNewPageMarkForTheNextPrinting)
{
    const ReportTable data = movements(6);
    ReportDefinition r = list(data);
    r.onStart = [](ReportDefinition& report) { report.detail.newPage = false; };
    r.detail.elements[0].onPrint = [](const ReportContext& c, const QString& text) {
        c.report().detail.newPage = c.value(QStringLiteral("Nr")).toInt() == 2;
        return text;
    };
    PageModel model = ReportLayout::run(r);
    ASSERT_EQ(model.pages.size(), 2);
    EXPECT_TRUE(model.pages[0].texts().contains(QStringLiteral("2")));
    EXPECT_FALSE(model.pages[0].texts().contains(QStringLiteral("3")));
    EXPECT_TRUE(model.pages[1].texts().contains(QStringLiteral("3")));

    // Laid out again (printing from the preview), the handlers start afresh.
    const PageModel again = ReportLayout::run(r);
    ASSERT_EQ(again.pages.size(), model.pages.size());
    for (int p = 0; p < model.pages.size(); ++p)
        EXPECT_EQ(again.pages[p].texts(), model.pages[p].texts());
}

TEST(ReportLayoutTest, EmptyDataPrintsNothingUnlessAsked)
{
    const ReportTable data = movements(0);
    ReportDefinition r = list(data);
    EXPECT_TRUE(ReportLayout::run(r).pages.isEmpty());
    r.printIfEmpty = true;
    const PageModel model = ReportLayout::run(r);
    ASSERT_EQ(model.pages.size(), 1);
    EXPECT_TRUE(model.pages[0].texts().contains(QStringLiteral("Total")));
}

TEST(ReportLayoutTest, WrappedTextGrowsItsBandAndChildBandsFollow)
{
    const ReportTable data = movements(1);
    ReportDefinition r;
    r.data = &data;
    r.font = QFont(QStringLiteral("Arial"), 10);
    r.title.height = 10;
    ReportElement words = ReportElement::label(
        {0, 0, 30, 5}, QString(40, QLatin1Char('x')).replace(QLatin1Char('x'), QStringLiteral("cuvant ")));
    words.wrap = true;
    r.title.add(words);
    r.title.child = std::make_shared<ReportBand>();
    r.title.child->height = 5;
    r.title.child->add(ReportElement::label({0, 0, 30, 5}, QStringLiteral("Preot paroh,")));
    const PageModel model = ReportLayout::run(r);
    const PageItem text = model.pages[0].items[0];
    EXPECT_GT(text.rect.height(), 50);
    EXPECT_TRUE(text.flags & Qt::TextWordWrap);
    const QList<PageItem> child = model.pages[0].find(QStringLiteral("Preot paroh,"));
    ASSERT_EQ(child.size(), 1);
    EXPECT_NEAR(child[0].rect.top(), text.rect.bottom(), 1e-6);
}

TEST(ReportLayoutTest, SubDetailRowsFollowTheirMainRow)
{
    const ReportTable data = movements(3);
    ReportTable lines;
    lines.fields = {"NrDoc", "Linie"};
    lines.rows << QVariantList{1, QStringLiteral("a")} << QVariantList{3, QStringLiteral("b")}
               << QVariantList{3, QStringLiteral("c")};
    ReportDefinition r = list(data);
    ReportSubDetail sub;
    sub.table = &lines;
    sub.masterField = QStringLiteral("Nr");
    sub.detailField = QStringLiteral("NrDoc");
    sub.header.height = 5;
    sub.header.add(ReportElement::label({0, 0, 20, 5}, QStringLiteral("Linii:")));
    sub.detail.height = 5;
    sub.detail.add(ReportElement::data({0, 0, 20, 5}, QStringLiteral("Linie")));
    r.subDetails << sub;
    const QStringList texts = ReportLayout::run(r).pages[0].texts();
    EXPECT_EQ(texts.count(QStringLiteral("Linii:")), 2); // row 2 has no lines and no header
    const int second = int(texts.indexOf(QStringLiteral("2")));
    const int third = int(texts.indexOf(QStringLiteral("3")));
    EXPECT_EQ(texts.mid(second, third - second).count(QStringLiteral("Linii:")), 0);
    EXPECT_EQ(texts.mid(third).count(QStringLiteral("Linii:")), 1);
    EXPECT_TRUE(texts.contains(QStringLiteral("c")));
}

TEST(ReportLayoutTest, WritesAPdfFileOfItsPages)
{
    const ReportTable data = movements(100);
    ReportDefinition r = list(data);
    const PageModel model = ReportLayout::run(r);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("registru.pdf"));
    PagePainter::writePdf(model, file);
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n"), model.pages.size());
}

namespace
{

// Lines of the documents 1 and 3 of movements(3), with an amount each (8,00 in all).
ReportTable documentLines()
{
    ReportTable lines;
    lines.fields = {"NrDoc", "Linie", "Suma"};
    lines.rows << QVariantList{1, QStringLiteral("a"), 1.5} << QVariantList{3, QStringLiteral("b"), 2.5}
               << QVariantList{3, QStringLiteral("c"), 4.0};
    return lines;
}

// A plain list of the document numbers, with their lines as sub-detail rows and no sums anywhere.
ReportDefinition documents(const ReportTable& data, const ReportTable& lines)
{
    ReportDefinition r;
    r.data = &data;
    r.font = QFont(QStringLiteral("Arial"), 8);
    r.detail.height = 6;
    r.detail.add(ReportElement::data({0, 0, 20, 6}, QStringLiteral("Nr")));
    ReportSubDetail sub;
    sub.table = &lines;
    sub.masterField = QStringLiteral("Nr");
    sub.detailField = QStringLiteral("NrDoc");
    sub.detail.height = 5;
    sub.detail.add(ReportElement::data({10, 0, 20, 5}, QStringLiteral("Linie")));
    r.subDetails << sub;
    return r;
}

std::shared_ptr<ReportBand> childOf(ReportBand& band)
{
    band.height = std::max(band.height, 6.0);
    band.child = std::make_shared<ReportBand>();
    band.child->height = 6;
    return band.child;
}

// A band that shows "S:" followed by the SUM of `field`.
void addSum(ReportBand& band, const QString& field)
{
    band.height = std::max(band.height, 6.0);
    band.add(ReportElement::label({0, 0, 10, 6}, QStringLiteral("S:")));
    band.add(ReportElement::sum({62, 0, 40, 6}, field));
}

// The text after the last "S:" of the report.
QString lastSum(const PageModel& model)
{
    for (qsizetype p = model.pages.size() - 1; p >= 0; --p) {
        const QStringList texts = model.pages[p].texts();
        const qsizetype at = texts.lastIndexOf(QStringLiteral("S:"));
        if (at >= 0 && at + 1 < texts.size())
            return texts[at + 1];
    }
    return QStringLiteral("(no sum printed)");
}

} // namespace

TEST(ReportLayoutTest, EverySumElementAddsTheRowsItHasSeen)
{
    const QString amount = QStringLiteral("Valoarea"), line = QStringLiteral("Suma");
    struct Case {
        const char* band;
        std::function<void(ReportDefinition&)> place;
        double expected;
    };
    const QList<Case> cases = {
        {"summary", [&](ReportDefinition& r) { addSum(r.summary, amount); }, 60},
        {"child of the summary", [&](ReportDefinition& r) { addSum(*childOf(r.summary), amount); }, 60},
        {"child of the detail", [&](ReportDefinition& r) { addSum(*childOf(r.detail), amount); }, 60},
        {"child of the title", [&](ReportDefinition& r) { addSum(*childOf(r.title), amount); }, 0},
        {"child of the page footer", [&](ReportDefinition& r) { addSum(*childOf(r.pageFooter), amount); },
         60},
        {"child of a group footer",
         [&](ReportDefinition& r) {
             ReportGroup group;
             group.field = QStringLiteral("Cont");
             addSum(*childOf(group.footer), amount);
             r.groups << group;
         },
         60},
        {"sub-detail row", [&](ReportDefinition& r) { addSum(r.subDetails[0].detail, line); }, 8},
        {"sub-detail header", [&](ReportDefinition& r) { addSum(r.subDetails[0].header, line); }, 1.5},
        {"summary, over the sub-detail rows", [&](ReportDefinition& r) { addSum(r.summary, line); }, 8},
    };
    const ReportTable data = movements(3);
    const ReportTable lines = documentLines();
    for (const Case& c : cases) {
        ReportDefinition r = documents(data, lines);
        c.place(r);
        EXPECT_EQ(lastSum(ReportLayout::run(r)), money(c.expected)) << c.band;
    }
}

TEST(ReportLayoutTest, HandlersReadTheTrueRunningSumOfAnyField)
{
    const ReportTable data = movements(3);
    const ReportTable lines = documentLines();
    ReportDefinition r = documents(data, lines);
    // Nothing shows a SUM of either field.
    const auto showSum = [](const QString& field) {
        return [field](const ReportContext& c, const QString&) { return money(c.sum(field)); };
    };
    ReportElement mainTotal = ReportElement::label({30, 0, 30, 6}, {});
    mainTotal.onPrint = showSum(QStringLiteral("Valoarea"));
    r.detail.add(mainTotal);
    ReportElement lineTotal = ReportElement::label({40, 0, 30, 5}, {});
    lineTotal.onPrint = showSum(QStringLiteral("Suma"));
    r.subDetails[0].detail.add(lineTotal);
    r.summary.height = 6;
    r.summary.add(ReportElement::label({0, 0, 10, 6}, QStringLiteral("T:")));
    ReportElement linesInSummary = ReportElement::label({40, 0, 30, 6}, {});
    linesInSummary.onPrint = showSum(QStringLiteral("Suma"));
    r.summary.add(linesInSummary);
    // A shown SUM and a handler agree.
    r.summary.add(ReportElement::sum({80, 0, 30, 6}, QStringLiteral("Valoarea")));
    ReportElement mainInSummary = ReportElement::label({120, 0, 30, 6}, {});
    mainInSummary.onPrint = showSum(QStringLiteral("Valoarea"));
    r.summary.add(mainInSummary);

    const QStringList texts = ReportLayout::run(r).pages[0].texts();
    EXPECT_EQ(texts, QStringList({"1", money(10), "a", money(1.5), "2", money(30), "3", money(60), "b",
                                  money(4), "c", money(8), "T:", money(8), money(60), money(60)}));

    // A field of no table is refused, not summed as 0.
    r.summary.elements.last().onPrint = showSum(QStringLiteral("Valoare"));
    EXPECT_THROW(ReportLayout::run(r), std::invalid_argument);
}

TEST(ReportLayoutTest, ThePageFooterHasItsBeforePrintAndItsChild)
{
    const ReportTable data = movements(100);
    ReportDefinition r = list(data);
    r.pageFooter.beforePrint = [](const ReportContext& c) { return c.pageNumber() > 1; };
    childOf(r.pageFooter)->add(ReportElement::label({0, 0, 40, 6}, QStringLiteral("Semnatura")));
    const PageModel model = ReportLayout::run(r);
    ASSERT_GE(model.pages.size(), 2);
    // A suppressed footer takes its child with it.
    const QString pageOne = QStringLiteral("Pag. 1 din %1").arg(model.pages.size());
    EXPECT_FALSE(model.pages[0].texts().contains(pageOne));
    EXPECT_FALSE(model.pages[0].texts().contains(QStringLiteral("Semnatura")));
    for (int p = 1; p < model.pages.size(); ++p) {
        const QList<PageItem> signature = model.pages[p].find(QStringLiteral("Semnatura"));
        const QString number = QStringLiteral("Pag. %1 din %2").arg(p + 1).arg(model.pages.size());
        ASSERT_EQ(signature.size(), 1) << "page " << p + 1;
        ASSERT_EQ(model.pages[p].find(number).size(), 1) << "page " << p + 1;
        // The child follows its footer inside the bottom margin, below every row of the page.
        EXPECT_NEAR(signature[0].rect.top(), model.pages[p].find(number)[0].rect.bottom(), 1e-6);
        EXPECT_LE(signature[0].rect.bottom(), 297 - 5 + 1e-6);
        for (const PageItem& item : model.pages[p].items)
            if (item.text != number && item.text != QStringLiteral("Semnatura") && item.rect.left() < 60)
                EXPECT_LE(item.rect.bottom(), model.pages[p].find(number)[0].rect.top() + 1e-6)
                    << item.text.toStdString();
    }
}

TEST(ReportLayoutTest, TheTitleIsFollowedByItsChildThenTheColumnHeader)
{
    const ReportTable data = movements(2);
    const ReportTable noLines;
    for (const bool titlePrints : {true, false}) {
        ReportDefinition r = documents(data, noLines);
        r.subDetails.clear();
        r.title.height = 10;
        r.title.add(ReportElement::label({0, 0, 50, 10}, QStringLiteral("TITLU")));
        r.title.beforePrint = [titlePrints](const ReportContext&) { return titlePrints; };
        childOf(r.title)->add(ReportElement::label({0, 0, 50, 6}, QStringLiteral("Subtitlu")));
        r.columnHeader.height = 6;
        r.columnHeader.add(ReportElement::label({0, 0, 20, 6}, QStringLiteral("Nr.")));
        const QStringList expected =
            titlePrints ? QStringList{"TITLU", "Subtitlu", "Nr.", "1", "2"} : QStringList{"Nr.", "1", "2"};
        EXPECT_EQ(ReportLayout::run(r).pages[0].texts(), expected) << "title printed: " << titlePrints;
    }
}

TEST(ReportLayoutTest, APrintHandlerRunsOncePerPrinting)
{
    const ReportTable data = movements(100);
    ReportDefinition r = list(data);
    int detailCalls = 0, footerCalls = 0;
    double runningTotal = 0;
    r.onStart = [&](ReportDefinition&) { detailCalls = footerCalls = 0, runningTotal = 0; };
    ReportElement explanation = ReportElement::data({110, 0, 30, 6}, QStringLiteral("Explicatie"));
    explanation.wrap = true;
    explanation.onPrint = [&](const ReportContext& c, const QString& text) {
        ++detailCalls;
        runningTotal += c.value(QStringLiteral("Valoarea")).toDouble();
        return text + QStringLiteral(" cumulat ") + money(runningTotal);
    };
    r.detail.add(explanation);
    r.pageFooter.elements[0].onPrint = [&](const ReportContext&, const QString& text) {
        ++footerCalls;
        return text;
    };
    const PageModel model = ReportLayout::run(r);
    EXPECT_EQ(detailCalls, 100);
    EXPECT_EQ(footerCalls, model.pages.size());
    EXPECT_TRUE(model.pages.last().texts().contains(QStringLiteral("rand 100 cumulat ") + money(50500)));
}

TEST(ReportLayoutTest, BandsKnowWhetherTheyPrintOnTheLastPage)
{
    for (const int rows : {100, 3}) {
        const ReportTable data = movements(rows);
        ReportDefinition r = list(data);
        ReportElement label = ReportElement::label({0, 0, 40, 8}, {});
        label.onPrint = [](const ReportContext& c, const QString&) {
            return c.isLastPage() ? QStringLiteral("Total general :") : QStringLiteral("De reportat :");
        };
        r.pageFooter.add(label);
        ReportElement mark = ReportElement::label({100, 0, 40, 8}, {});
        mark.onPrint = [](const ReportContext& c, const QString&) {
            return c.isLastPage() ? QStringLiteral("ultima pagina") : QString();
        };
        r.pageHeader.add(mark);
        const PageModel model = ReportLayout::run(r);
        for (int p = 0; p < model.pages.size(); ++p) {
            const bool last = p + 1 == model.pages.size();
            const QStringList texts = model.pages[p].texts();
            EXPECT_EQ(texts.contains(QStringLiteral("Total general :")), last)
                << rows << " rows, page " << p + 1;
            EXPECT_EQ(texts.contains(QStringLiteral("De reportat :")), !last)
                << rows << " rows, page " << p + 1;
            EXPECT_EQ(texts.contains(QStringLiteral("ultima pagina")), last)
                << rows << " rows, page " << p + 1;
        }
    }
}

TEST(ReportLayoutTest, AWrappingTextStaysAtTheTopOfItsGrownBand)
{
    ReportTable data;
    data.fields = {"Lung", "Scurt"};
    data.rows << QVariantList{
        QString(30, QLatin1Char('x')).replace(QLatin1Char('x'), QStringLiteral("cuvant ")),
        QStringLiteral("scurt")};
    ReportDefinition r;
    r.data = &data;
    r.font = QFont(QStringLiteral("Arial"), 10);
    r.detail.height = 6;
    ReportElement longText = ReportElement::data({0, 0, 30, 6}, QStringLiteral("Lung"));
    longText.wrap = true;
    ReportElement shortText = ReportElement::data({40, 1, 30, 5}, QStringLiteral("Scurt"));
    shortText.wrap = true;
    r.detail.add(longText).add(shortText).add(ReportElement::label({80, 0, 20, 6}, QStringLiteral("fix")));
    const Page page = ReportLayout::run(r).pages[0];
    const double top = r.margins.top();
    const PageItem grown = page.items[0];
    EXPECT_NEAR(grown.rect.top(), top, 1e-6);
    EXPECT_GT(grown.rect.height(), 20);
    EXPECT_EQ(grown.flags & Qt::AlignVertical_Mask, Qt::AlignTop);
    // The other texts of the band keep their places.
    EXPECT_EQ(page.find(QStringLiteral("scurt"))[0].rect, QRectF(45, top + 1, 30, 5));
    EXPECT_EQ(page.find(QStringLiteral("fix"))[0].rect, QRectF(85, top, 20, 6));
}

TEST(ReportLayoutTest, SubDetailTotalsAreCarriedForwardToTheNextPage)
{
    const ReportTable data = movements(40);
    ReportTable lines;
    lines.fields = {"NrDoc", "Suma"};
    for (int nr = 1; nr <= 40; ++nr)
        for (int line = 1; line <= 3; ++line)
            lines.rows << QVariantList{nr, double(line)};
    ReportDefinition r = documents(data, lines);
    r.subDetails[0].detail.add(ReportElement::sum({62, 0, 40, 5}, QStringLiteral("Suma")));
    r.pageHeader.height = 8;
    r.pageHeader.add(ReportElement::label({0, 0, 30, 8}, QStringLiteral("Report")));
    r.pageHeader.add(ReportElement::sum({62, 0, 40, 8}, QStringLiteral("Suma")));
    r.pageFooter.height = 8;
    r.pageFooter.add(ReportElement::label({0, 0, 30, 8}, QStringLiteral("De reportat")));
    r.pageFooter.add(ReportElement::sum({62, 0, 40, 8}, QStringLiteral("Suma")));
    const PageModel model = ReportLayout::run(r);
    ASSERT_GE(model.pages.size(), 2);
    for (int p = 0; p + 1 < model.pages.size(); ++p) {
        const QStringList page = model.pages[p].texts();
        const QStringList next = model.pages[p + 1].texts();
        // The footer's total is that of the last line printed on its page (the page
        // header's when none is), and the next header's.
        QString lastLineTotal = page.at(1);
        for (qsizetype i = 2; i < page.size() - 2; ++i)
            if (page[i].contains(QLocale().decimalPoint()))
                lastLineTotal = page[i];
        EXPECT_EQ(page.last(), lastLineTotal) << "page " << p + 1;
        EXPECT_EQ(next.at(1), page.last()) << "page " << p + 1;
    }
    EXPECT_EQ(model.pages.last().texts().last(), money(240));
}

namespace
{

// Where the ink of the page's top-left part falls when painted at `dpi`, in mm.
QRectF inkOnPage(const PageModel& model, const QSizeF& part, double dpi)
{
    QImage image(qRound(part.width() / 25.4 * dpi), qRound(part.height() / 25.4 * dpi), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    PagePainter::paintPage(model, 0, painter, dpi);
    painter.end();
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] != qRgb(255, 255, 255))
                ink |= QRect(x, y, 1, 1);
    }
    const double mm = 25.4 / dpi;
    return QRectF(ink.left() * mm, ink.top() * mm, (ink.width() + 1) * mm, (ink.height() + 1) * mm);
}

} // namespace

// The preview and a saved PDF paint at other resolutions than the printer;
// a wrapped text shows the lines the layout gave it on each (a line more
// would be cut off by its box), as the printer prints them.
TEST(ReportLayoutTest, AWrappedTextKeepsItsMeasuredLinesOnEveryOutput)
{
    const QString text = QStringLiteral("Asociatia Constructorilor de Biserici si Manastiri din Moldova "
                                        "Filiala Iasi Str. Lapusneanu nr. 10 bis");
    ReportTable data;
    data.fields = {"Beneficiar"};
    data.rows << QVariantList{text};
    ReportDefinition r;
    r.data = &data;
    r.font = QFont(QStringLiteral("Arial"), 10);
    QImage layoutDevice(1, 1, QImage::Format_Mono);
    layoutDevice.setDotsPerMeterX(qRound(textResolution / 0.0254));
    layoutDevice.setDotsPerMeterY(qRound(textResolution / 0.0254));
    const double oneLine =
        QFontMetricsF(r.font, &layoutDevice).horizontalAdvance(text) * 25.4 / textResolution;
    for (const double width : {oneLine + 0.2, oneLine * 0.6}) {
        r.detail = ReportBand();
        r.detail.height = 6;
        ReportElement beneficiary = ReportElement::data({0, 0, width, 6}, QStringLiteral("Beneficiar"));
        beneficiary.wrap = true;
        r.detail.add(beneficiary);
        const PageModel model = ReportLayout::run(r);
        const QSizeF part(width + 20, 30);
        const QRectF printed = inkOnPage(model, part, textResolution);
        for (const double dpi : {72.0, 96.0, 120.0, 150.0, 187.5, 300.0, 600.0}) {
            SCOPED_TRACE(testing::Message() << "width " << width << " at " << dpi << " dpi");
            const QRectF ink = inkOnPage(model, part, dpi);
            // The edges of the glyphs may blur by a pixel or two.
            const double blur = 2.5 * 25.4 / dpi;
            EXPECT_NEAR(ink.right(), printed.right(), blur);
            EXPECT_NEAR(ink.top(), printed.top(), blur);
            EXPECT_NEAR(ink.bottom(), printed.bottom(), blur);
        }
    }
}

namespace
{

// 150 rows in days of three (Zi, Nr, Valoarea, Explicatie); the amounts never
// sum to a whole number, so that no total reads as a row number.
ReportTable days(const std::function<QString(int row)>& explanation = {})
{
    ReportTable data;
    data.fields = {"Zi", "Nr", "Valoarea", "Explicatie"};
    for (int i = 0; i < 150; ++i)
        data.rows << QVariantList{i / 3, i + 1, 0.013,
                                  explanation ? explanation(i) : QStringLiteral("scurt")};
    return data;
}

// A band of `height` printing `prefix` and the current row's `field`.
ReportBand markedBand(double height, const QString& prefix, const QString& field)
{
    ReportBand band;
    band.height = height;
    ReportElement mark = ReportElement::label({0, 0, 30, height}, {});
    mark.onPrint = [prefix, field](const ReportContext& c, const QString&) {
        return prefix + c.value(field).toString();
    };
    band.add(mark);
    return band;
}

// Calls `check` for each printed mark (`prefix` and a number) with its page,
// the page's texts, the mark's index in them and its number; gives the count.
int forEachMark(const PageModel& model, const QString& prefix,
                const std::function<void(const Page&, const QStringList&, int, int)>& check)
{
    int marks = 0;
    for (const Page& page : model.pages) {
        const QStringList texts = page.texts();
        for (int t = 0; t < texts.size(); ++t) {
            if (!texts[t].startsWith(prefix))
                continue;
            ++marks;
            SCOPED_TRACE(texts[t].toStdString());
            check(page, texts, t, texts[t].mid(prefix.size()).toInt());
        }
    }
    return marks;
}

// A long explanation that wraps onto several lines in a 25 mm column.
const QString longText = QString(12, QLatin1Char('x')).replace(QLatin1Char('x'), QStringLiteral("cuvant "));

void addWrappedExplanation(ReportDefinition& r)
{
    ReportElement explanation = ReportElement::data({110, 0, 25, 6}, QStringLiteral("Explicatie"));
    explanation.wrap = true;
    r.detail.add(explanation);
}

} // namespace

// Heading and closing heights are chosen so that some of them fall at a
// page's edge whatever rounding the page has.
TEST(ReportLayoutTest, AGroupHeadingIsNeverLeftAloneAtThePageEnd)
{
    const ReportTable data = days();
    for (const double headingHeight : {4.0, 5.0, 7.0, 9.0, 11.0, 13.0}) {
        SCOPED_TRACE(headingHeight);
        ReportDefinition r = list(data);
        r.groups << ReportGroup{QStringLiteral("Zi"),
                                markedBand(headingHeight, QStringLiteral("Ziua "), QStringLiteral("Zi")),
                                {}};
        const PageModel model = ReportLayout::run(r);
        ASSERT_GE(model.pages.size(), 2);
        const int marks = forEachMark(
            model, QStringLiteral("Ziua "), [](const Page&, const QStringList& texts, int t, int day) {
                EXPECT_TRUE(texts.mid(t + 1).contains(QString::number(day * 3 + 1)));
            });
        EXPECT_EQ(marks, 50);
    }
}

TEST(ReportLayoutTest, ASubDetailHeadingIsNeverLeftAloneAtThePageEnd)
{
    // Documents of two lines each under a heading.
    ReportTable data;
    data.fields = {"Nr"};
    ReportTable lines;
    lines.fields = {"NrDoc", "Linie"};
    for (int i = 1; i <= 60; ++i) {
        data.rows << QVariantList{i};
        lines.rows << QVariantList{i, QStringLiteral("linia %1a").arg(i)}
                   << QVariantList{i, QStringLiteral("linia %1b").arg(i)};
    }
    for (const double headingHeight : {4.0, 5.0, 7.0, 9.0, 11.0, 13.0}) {
        SCOPED_TRACE(headingHeight);
        ReportDefinition r = documents(data, lines);
        r.subDetails[0].header = markedBand(headingHeight, QStringLiteral("Liniile "), QStringLiteral("Nr"));
        const PageModel model = ReportLayout::run(r);
        ASSERT_GE(model.pages.size(), 2);
        const int marks =
            forEachMark(model, QStringLiteral("Liniile "),
                        [](const Page&, const QStringList& texts, int t, int document) {
                            EXPECT_TRUE(texts.mid(t + 1).contains(QStringLiteral("linia %1a").arg(document)));
                        });
        EXPECT_EQ(marks, 60);
    }
}

TEST(ReportLayoutTest, AGroupHeadingGoesWithItsFirstRowWhenTheRowWrapsOntoTheNextPage)
{
    // Each day's first row wraps onto several lines, taller than the plain
    // row the heading is measured with.
    const ReportTable data = days([](int row) { return row % 3 == 0 ? longText : QStringLiteral("scurt"); });
    for (const double headingHeight : {4.0, 5.0, 7.0, 9.0, 11.0}) {
        SCOPED_TRACE(headingHeight);
        ReportDefinition r = list(data);
        addWrappedExplanation(r);
        r.groups << ReportGroup{QStringLiteral("Zi"),
                                markedBand(headingHeight, QStringLiteral("Ziua "), QStringLiteral("Zi")),
                                {}};
        const PageModel model = ReportLayout::run(r);
        ASSERT_GE(model.pages.size(), 2);
        const int marks = forEachMark(model, QStringLiteral("Ziua "),
                                      [](const Page& page, const QStringList& texts, int t, int day) {
                                          const QString firstRow = QString::number(day * 3 + 1);
                                          EXPECT_TRUE(texts.mid(t + 1).contains(firstRow));
                                          // The heading stands above its row, not over it.
                                          EXPECT_LE(page.find(texts[t]).value(0).rect.bottom(),
                                                    page.find(firstRow).value(0).rect.top() + 1e-6);
                                      });
        EXPECT_EQ(marks, 50);
    }
}

TEST(ReportLayoutTest, AGroupClosingLineIsNeverLeftAloneAtThePageTop)
{
    // Plain rows, then each day's last row wrapping onto several lines,
    // taller than a plain row.
    for (const bool lastRowWraps : {false, true}) {
        const ReportTable data = days([lastRowWraps](int row) {
            return lastRowWraps && row % 3 == 2 ? longText : QStringLiteral("scurt");
        });
        for (double closingHeight = 1; closingHeight <= 15; closingHeight += 0.5) {
            SCOPED_TRACE(testing::Message() << "wrapping " << lastRowWraps << ", height " << closingHeight);
            ReportDefinition r = list(data);
            if (lastRowWraps)
                addWrappedExplanation(r);
            r.groups << ReportGroup{
                QStringLiteral("Zi"),
                {},
                markedBand(closingHeight, QStringLiteral("Sfarsit ziua "), QStringLiteral("Zi"))};
            const PageModel model = ReportLayout::run(r);
            ASSERT_GE(model.pages.size(), 2);
            const int marks =
                forEachMark(model, QStringLiteral("Sfarsit ziua "),
                            [](const Page&, const QStringList& texts, int t, int day) {
                                EXPECT_TRUE(texts.mid(0, t).contains(QString::number(day * 3 + 3)));
                            });
            EXPECT_EQ(marks, 50);
        }
    }
}

// Each layout measures with its own font: a report laid out from inside the
// handlers of another, in a larger font, changes none of the other's pages.
TEST(ReportLayoutTest, TwoLayoutsInDifferentFontsRunAtOnce)
{
    const auto withExplanations = [](const ReportTable& data, const QFont& font) {
        ReportDefinition r = list(data);
        r.font = font;
        ReportElement wrapped = ReportElement::data({104, 0, 14, 6}, QStringLiteral("Explicatie"));
        wrapped.wrap = true;
        r.detail.add(wrapped);
        r.detail.add(ReportElement::data({120, 0, 6, 6}, QStringLiteral("Explicatie")));
        return r;
    };
    const ReportTable data = movements(60);
    ReportDefinition small = withExplanations(data, QFont(QStringLiteral("Arial"), 8));
    const PageModel alone = ReportLayout::run(small);

    ReportDefinition large = withExplanations(data, QFont(QStringLiteral("Arial"), 16));
    const PageModel largeAlone = ReportLayout::run(large);
    QList<PageModel> largeInside;
    small.detail.beforePrint = [&](const ReportContext& c) {
        if (c.value(QStringLiteral("Nr")).toInt() % 20 == 1)
            largeInside.append(ReportLayout::run(large));
        return true;
    };
    const PageModel interleaved = ReportLayout::run(small);

    const auto expectSame = [](const PageModel& actual, const PageModel& expected) {
        ASSERT_EQ(actual.pages.size(), expected.pages.size());
        for (qsizetype p = 0; p < expected.pages.size(); ++p) {
            const QList<PageItem>& a = actual.pages[p].items;
            const QList<PageItem>& e = expected.pages[p].items;
            ASSERT_EQ(a.size(), e.size()) << "page " << p;
            for (qsizetype i = 0; i < e.size(); ++i) {
                EXPECT_EQ(a[i].text, e[i].text);
                EXPECT_EQ(a[i].rect, e[i].rect) << a[i].text.toStdString();
                EXPECT_EQ(a[i].font.pointSizeF(), e[i].font.pointSizeF()) << a[i].text.toStdString();
            }
        }
    };
    expectSame(interleaved, alone);
    ASSERT_FALSE(largeInside.isEmpty());
    for (const PageModel& model : std::as_const(largeInside))
        expectSame(model, largeAlone);
}

// A report written page by page (pages counted first, none kept) gives the
// pages the whole layout gives: page numbers with their count, the last
// page's texts, headings carried with a wrapping row to the next page.
TEST(ReportLayoutTest, WrittenPageByPageItGivesTheSamePages)
{
    const ReportTable rows = movements(100);
    const ReportTable wrappingDays =
        days([](int row) { return row % 3 == 0 ? longText : QStringLiteral("scurt"); });
    const auto lastPageMarks = [](ReportDefinition& r) {
        ReportElement label = ReportElement::label({0, 0, 40, 8}, {});
        label.onPrint = [](const ReportContext& c, const QString&) {
            return c.isLastPage() ? QStringLiteral("Total general :") : QStringLiteral("De reportat :");
        };
        r.pageFooter.add(label);
        ReportElement count = ReportElement::label({100, 0, 40, 8}, {});
        count.onPrint = [](const ReportContext& c, const QString&) {
            return QStringLiteral("din %1").arg(c.pageCount());
        };
        r.pageHeader.add(count);
    };
    const auto headingsWithWrappingRows = [](ReportDefinition& r) {
        addWrappedExplanation(r);
        r.groups << ReportGroup{QStringLiteral("Zi"), markedBand(7, QStringLiteral("Ziua "), QStringLiteral("Zi")), {}};
    };
    const struct {
        const char* name;
        const ReportTable* data;
        std::function<void(ReportDefinition&)> change;
    } reports[] = {
        {"page numbers with their count", &rows, [](ReportDefinition&) {}},
        {"handlers asking for the last page and the count", &rows, lastPageMarks},
        {"headings carried with their wrapping row", &wrappingDays, headingsWithWrappingRows},
    };
    for (const auto& report : reports) {
        SCOPED_TRACE(report.name);
        ReportDefinition r = list(*report.data);
        report.change(r);
        const PageModel whole = ReportLayout::run(r);
        PageModel written;
        const int pages = ReportLayout::write(r, [&](const Page& page) { written.pages.append(page); });
        EXPECT_EQ(pages, written.pages.size());
        ASSERT_GE(whole.pages.size(), 2);
        ASSERT_EQ(written.pages.size(), whole.pages.size());
        for (qsizetype p = 0; p < whole.pages.size(); ++p) {
            const QList<PageItem>& a = written.pages[p].items;
            const QList<PageItem>& e = whole.pages[p].items;
            ASSERT_EQ(a.size(), e.size()) << "page " << p + 1;
            for (qsizetype i = 0; i < e.size(); ++i) {
                EXPECT_EQ(a[i].text, e[i].text) << "page " << p + 1;
                EXPECT_EQ(a[i].rect, e[i].rect) << a[i].text.toStdString();
                EXPECT_EQ(a[i].font, e[i].font) << a[i].text.toStdString();
            }
        }
    }
}

TEST(ReportLayoutTest, AReportWithoutPagesWritesNothing)
{
    const ReportTable none = movements(0);
    ReportDefinition r = list(none);
    int pagesTaken = 0;
    EXPECT_EQ(ReportLayout::write(r, [&](const Page&) { ++pagesTaken; }), 0);
    EXPECT_EQ(pagesTaken, 0);
}

// A book cut short by an error while its pages are written leaves no half
// file: a former file of the same name stays as it was, and nothing else is
// left in its folder.
TEST(ReportLayoutTest, ABookCutShortLeavesTheFormerFileAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("registru.pdf"));
    {
        QFile former(path);
        ASSERT_TRUE(former.open(QIODevice::WriteOnly));
        former.write("fisierul de ieri");
    }
    const ReportTable data = movements(300);
    ReportDefinition r = list(data);
    int printings = 0;
    // The counting pass goes through every row; the writing pass fails half way.
    r.detail.beforePrint = [&](const ReportContext&) {
        if (++printings == 300 + 150)
            throw std::runtime_error("citire esuata");
        return true;
    };
    EXPECT_THROW(
        {
            PagePainter::PdfFile file(path, r.paper, r.orientation);
            ReportLayout::write(r, [&](const Page& page) { file.add(page); });
            file.finish();
        },
        std::runtime_error);
    QFile kept(path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("fisierul de ieri"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("registru.pdf")});
}

// A report written to a device (as `--pdf /dev/null` or `--csv /dev/null` do)
// writes into it: the device stays a device, never replaced by a plain file.
TEST(ReportOutput, AReportWrittenToADeviceLeavesTheDeviceInPlace)
{
    QTemporaryDir dir;
    const QString device = dir.filePath(QStringLiteral("nul"));
    if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "making a device needs the administrator";
    const ReportTable data = movements(40);
    ReportDefinition r = list(data);
    {
        PagePainter::PdfFile file(device, r.paper, r.orientation);
        ReportLayout::write(r, [&](const Page& page) { file.add(page); });
        file.finish();
    }
    CsvTable table;
    table.header = {QStringLiteral("Nr")};
    table.rows = {{QStringLiteral("1")}};
    table.write(device);
    EXPECT_TRUE(QFileInfo(device).exists());
    EXPECT_FALSE(QFileInfo(device).isFile());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
              QStringList{QStringLiteral("nul")});
}
