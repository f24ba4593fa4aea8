#include "printing/ReportLayout.h"
#include "printing/PagePainter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
