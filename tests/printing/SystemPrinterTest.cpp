#include "support/PdfPages.h"
#include "UserChoices.h"
#include "printing/PageModel.h"
#include "printing/PrintSettings.h"
#include "printing/PrinterAccess.h"
#include "printing/Qprndlg.h"
#include "printing/ReportFrame.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

// The program's own printer object on a real QPrinter writing PDF files.
class RealPrinter : public ::testing::Test
{
protected:
    void SetUp() override
    {
        printSettings() = PrintSettings();
        setPrinterAccess(&printer);
    }
    void TearDown() override
    {
        setPrinterAccess(nullptr);
        printSettings() = PrintSettings();
    }

    // Unprintable edges as a printer driver reports them (a PDF file has none).
    void giveEdges(double points)
    {
        const QMarginsF edges(points, points, points, points);
        printer.device().setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, edges, QPageLayout::Point, edges));
    }

    // Prints `model` with the page range of the print settings into a new PDF file.
    QList<PdfPage> printToPdf(const PageModel& model)
    {
        const QString file = dir.filePath(QStringLiteral("job%1.pdf").arg(++jobs));
        dialogs.fileAnswers << file;
        printReport(model);
        return readPdfPages(file);
    }

    SystemPrinter printer{SystemPrinter::Output::PdfFile};
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    int jobs = 0;
};

// A report of `count` pages whose page n has one text, "n", at n × 20 mm from the left edge.
PageModel numberedPages(int count, QPageLayout::Orientation orientation = QPageLayout::Portrait)
{
    PageModel model;
    model.orientation = orientation;
    for (int n = 1; n <= count; ++n) {
        PageItem item;
        item.rect = QRectF(20.0 * n, 30, 15, 6);
        item.text = QString::number(n);
        item.font = QFont(QStringLiteral("Arial"), 10);
        model.pages << Page{{item}};
    }
    return model;
}

// The report's page number that a printed page shows, from where its text starts.
int printedNumber(const PdfPage& page)
{
    return page.glyphs.isEmpty() ? 0 : qRound(page.glyphs.first().x() / 20);
}

} // namespace

TEST(PageRangeTest, ClampsToTheReportsPages)
{
    struct Case {
        int pageCount, firstPage, lastPage, first, last;
    };
    const Case cases[] = {
        {3, 0, 0, 1, 3},                                    // all pages
        {3, 2, 3, 2, 3},  {3, 2, 2, 2, 2}, {3, 5, 7, 3, 3}, // past the end: the last page
        {3, 5, 0, 3, 3},  {3, 2, 9, 2, 3}, {3, 3, 1, 3, 3}, // a last page before the first is raised to it
        {10, 4, 2, 4, 4},
    };
    for (const Case& c : cases) {
        const PageRange range = PageRange::of(c.pageCount, c.firstPage, c.lastPage);
        EXPECT_EQ(range.first, c.first) << c.firstPage << ".." << c.lastPage << " of " << c.pageCount;
        EXPECT_EQ(range.last, c.last) << c.firstPage << ".." << c.lastPage << " of " << c.pageCount;
    }
    EXPECT_TRUE(PageRange::of(0, 0, 0).isEmpty());
    EXPECT_TRUE(PageRange::of(0, 2, 5).isEmpty());
}

TEST_F(RealPrinter, ReadsTheDevicesUnprintableEdgesAndNeverUsesTheFullPage)
{
    EXPECT_FALSE(printer.device().fullPage());
    PrintableArea area = printer.printableArea(); // a PDF file can be printed to its edges
    EXPECT_EQ(area.minimumLeft, 0);
    EXPECT_EQ(area.minimumBottom, 0);
    EXPECT_EQ(area.paperWidth, 210);
    EXPECT_EQ(area.paperHeight, 297);

    giveEdges(12); // 4.23 mm
    area = printer.printableArea();
    for (const int edge : {area.minimumLeft, area.minimumTop, area.minimumRight, area.minimumBottom})
        EXPECT_EQ(edge, 5);
    printer.setPaper(QPageSize(QPageSize::A4)); // the same paper keeps the measured edges
    printer.setOrientation(QPageLayout::Landscape);
    area = printer.printableArea();
    EXPECT_EQ(area.minimumLeft, 5);
    EXPECT_EQ(area.paperWidth, 297);
    EXPECT_EQ(area.paperHeight, 210);
    EXPECT_FALSE(printer.device().fullPage());
}

TEST_F(RealPrinter, TheMarginQuestionAndTheReportUseTheDevicesEdges)
{
    giveEdges(24); // 8.47 mm: 9 mm rounded up
    TQRPrnDlg dialog;
    dialog.load();
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(dialog.left()->value(), 9); // the 5 mm default raised to the edge
    EXPECT_EQ(printSettings().minimumTop, 9);

    QPushButton* print = dialog.findChild<QPushButton*>(QStringLiteral("Printeaza"));
    dialog.tabs()->setCurrentIndex(1);
    typeInto(dialog.left(), 2);
    dialogs.answers << true;
    QTest::mouseClick(print, Qt::LeftButton);
    EXPECT_EQ(dialogs.texts(QStringLiteral("question")).size(), 1);
    EXPECT_EQ(dialog.left()->value(), 9);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.tabs()->currentIndex(), 1);
    EXPECT_TRUE(dialog.left()->hasFocus());

    typeInto(dialog.left(), 2);
    dialogs.answers << false;
    QTest::mouseClick(print, Qt::LeftButton);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    dialog.store();
    EXPECT_EQ(printSettings().left, 2);

    // The report measures the printer again and keeps off its edges.
    ReportDefinition report;
    ReportFrame::applyPrintSettings(report);
    EXPECT_DOUBLE_EQ(report.margins.left(), 9);
    EXPECT_DOUBLE_EQ(report.margins.top(), 9);
}

TEST_F(RealPrinter, PrintsFromThePapersCornerWhateverTheEdges)
{
    for (const double edges : {0.0, 24.0}) {
        giveEdges(edges);
        const QList<PdfPage> pages = printToPdf(numberedPages(1, QPageLayout::Landscape));
        ASSERT_EQ(pages.size(), 1) << edges;
        EXPECT_NEAR(pages[0].size.width(), 297, 0.5);
        EXPECT_NEAR(pages[0].size.height(), 210, 0.5);
        ASSERT_EQ(pages[0].glyphs.size(), 1);
        // The text laid out 20 mm from the left edge is printed there.
        EXPECT_NEAR(pages[0].glyphs[0].x(), 20, 0.3) << edges;
        EXPECT_GT(pages[0].glyphs[0].y(), 30);
        EXPECT_LT(pages[0].glyphs[0].y(), 36);
    }
}

TEST_F(RealPrinter, APageRangePastTheEndPrintsTheLastPage)
{
    struct Case {
        int firstPage, lastPage;
        QList<int> printed;
    };
    const QList<Case> cases = {
        {0, 0, {1, 2, 3}}, {2, 3, {2, 3}}, {5, 7, {3}}, {5, 0, {3}}, {3, 1, {3}},
    };
    const PageModel model = numberedPages(3);
    for (const Case& c : cases) {
        printSettings().firstPage = c.firstPage;
        printSettings().lastPage = c.lastPage;
        QList<int> printed;
        for (const PdfPage& page : printToPdf(model))
            printed << printedNumber(page);
        EXPECT_EQ(printed, c.printed) << c.firstPage << ".." << c.lastPage;
    }
}
