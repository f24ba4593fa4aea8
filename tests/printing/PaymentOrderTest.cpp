#include "UserChoices.h"
#include "core/StatusLine.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "printing/PrintSettings.h"
#include "printing/RepOPSalUnt.h"
#include "printing/RepOPUnt.h"
#include "printing/ReportFrame.h"
#include "printing/ReportPreview.h"
#include "support/FakePrinter.h"
#include "support/PdfPages.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

class PaymentOrders : public ::testing::Test
{
protected:
    void SetUp() override
    {
        printSettings() = PrintSettings();
        folder.openWorkingYear();
        Sql::exec(
            Connection::database(),
            QStringLiteral("UPDATE Parohia SET Arhiepiscopia = 'Arhiepiscopia Iasilor', Protopopiatul = "
                           "'Protopopiatul Iasi I', Parohia = 'Sf. Nicolae', Preot = 'Pr. Ion Popescu', "
                           "Epitrop = 'Vasile Ionescu'"));
        setStatusTarget(&status);
    }
    void TearDown() override
    {
        setStatusTarget(nullptr);
        printSettings() = PrintSettings();
    }

    void addPayment(double number, const QString& date, double amount,
                    const QString& beneficiary = QStringLiteral("SC Tigla SRL"),
                    const QString& purpose = QStringLiteral("Reparatie acoperis"))
    {
        Sql::exec(
            Connection::database(),
            QStringLiteral(
                "INSERT INTO Cheltuieli (Cod_cheltuiala, Data, Nr_act, Explicatie, Valoarea, Beneficiar) "
                "VALUES (34, :d, :n, :e, :v, :b)"),
            {{QStringLiteral(":d"), date},
             {QStringLiteral(":n"), number},
             {QStringLiteral(":e"), purpose},
             {QStringLiteral(":v"), amount},
             {QStringLiteral(":b"), beneficiary}});
    }

    QStringList printedTexts() const
    {
        return printer.jobs.isEmpty() || printer.jobs.last().model.pages.isEmpty()
                   ? QStringList()
                   : printer.jobs.last().model.pages[0].texts();
    }

    TestFolder folder;
    ScriptedDialogs dialogs;
    FakePrinter printer;
    QLabel status;
};

} // namespace

TEST_F(PaymentOrders, APaymentPrintsItsAmountInFiguresAndInWords)
{
    addPayment(15, QStringLiteral("2024-03-05"), 1234.56);
    TRepOPFrm::start(nullptr, 34, 15, QDate(2024, 3, 5));
    ASSERT_EQ(printer.jobs.size(), 1);
    ASSERT_EQ(printer.jobs[0].model.pages.size(), 1);
    const QStringList texts = printedTexts();
    for (const char* expected : {"Arhiepiscopia :",
                                 "Arhiepiscopia Iasilor",
                                 "Protopopiatul Iasi I",
                                 "Sf. Nicolae",
                                 "ORDIN DE PLATA",
                                 "Nr.",
                                 "15",
                                 "din data",
                                 "05.03.2024",
                                 "Beneficiarul platii :",
                                 "SC Tigla SRL",
                                 "Scopul platii :",
                                 "Reparatie acoperis",
                                 "Suma de plata :",
                                 "1.234,56",
                                 "lei, adica",
                                 "Preot paroh,",
                                 "Pr. Ion Popescu",
                                 "Prim epitrop,",
                                 "Vasile Ionescu",
                                 "Lumivaret, produs Morvalen"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
    const int words = int(texts.indexOf(QStringLiteral("lei, adica"))) + 1;
    EXPECT_EQ(texts.at(words),
              QStringLiteral(" o mie douasutetreizecisipatru lei si cincizecisisasede bani"));
    // The words stand on the line below the amount.
    const PageItem amount = printer.jobs[0].model.pages[0].find(QStringLiteral("1.234,56")).first();
    const PageItem spelled = printer.jobs[0].model.pages[0].find(texts.at(words)).first();
    EXPECT_GT(spelled.rect.top(), amount.rect.top());
    EXPECT_EQ(printer.jobs[0].model.pages[0].find(QStringLiteral("ORDIN DE PLATA")).first().font.pointSize(),
              24);
    EXPECT_EQ(status.text(), QStringLiteral(" OK."));
}

TEST_F(PaymentOrders, AZeroPaymentPrintsAnEmptyWordsLineAndAMissingOneNothing)
{
    addPayment(16, QStringLiteral("2024-03-06"), 0);
    TRepOPFrm::start(nullptr, 34, 16, QDate(2024, 3, 6));
    const QStringList texts = printedTexts();
    EXPECT_EQ(texts.at(texts.indexOf(QStringLiteral("lei, adica")) + 1), QString());

    TRepOPFrm::start(nullptr, 34, 99, QDate(2024, 3, 6));
    EXPECT_EQ(printer.jobs.size(), 1);
}

TEST_F(PaymentOrders, ASalaryOrderPrintsTheTotalOfItsLinesToTheDeanery)
{
    Sql::exec(Connection::database(),
              QStringLiteral("INSERT INTO CheltSal (Data, Nr_act, Cont, Explicatie) "
                             "VALUES ('2024-04-30', 21, 'Banca', 'Salarii aprilie')"));
    Sql::exec(Connection::database(),
              QStringLiteral("INSERT INTO ItemsSal (Id_CheltSal, Cod_cheltuiala, Valoarea) VALUES "
                             "(1, 23, 100), (1, 25, 50)"));
    TRepOPSalFrm::start(nullptr, 1);
    const QStringList texts = printedTexts();
    EXPECT_TRUE(texts.contains(QStringLiteral("150,00")));
    EXPECT_EQ(texts.at(texts.indexOf(QStringLiteral("Beneficiarul platii :")) + 1),
              QStringLiteral("Protopopiatul Iasi I"));
    EXPECT_TRUE(texts.contains(QStringLiteral("Salarii aprilie")));

    // An order without lines prints nothing.
    Sql::exec(Connection::database(),
              QStringLiteral("INSERT INTO CheltSal (Data, Nr_act) VALUES ('2024-05-31', 22)"));
    TRepOPSalFrm::start(nullptr, 2);
    EXPECT_EQ(printer.jobs.size(), 1);
}

TEST_F(PaymentOrders, TheFrameStopsOnCancelAndOnAStoreError)
{
    addPayment(15, QStringLiteral("2024-03-05"), 10);
    dialogs.printSetupAnswers << false;
    TRepOPFrm::start(nullptr, 34, 15, QDate(2024, 3, 5));
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_EQ(status.text(), QStringLiteral(" OK."));

    Sql::exec(Connection::database(), QStringLiteral("DROP TABLE Parohia"));
    TRepOPFrm::start(nullptr, 34, 15, QDate(2024, 3, 5));
    EXPECT_TRUE(printer.jobs.isEmpty());
    ASSERT_EQ(dialogs.texts(QStringLiteral("error")).size(), 1);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("error"))
                    .first()
                    .startsWith(QStringLiteral("Eroare de acces la baza de date!\n<")));
    EXPECT_TRUE(dialogs.texts(QStringLiteral("error")).first().endsWith(QStringLiteral(">!")));
    EXPECT_EQ(status.text(), QStringLiteral(" Listez..."));
}

TEST_F(PaymentOrders, DefaultsOfSmallReportsAreAnnounced)
{
    QStringList seen;
    dialogs.onPrintSetup = [&] { seen << status.text(); };
    dialogs.printSetupAnswers << false << false << false;
    const auto nothing = [] { return std::make_unique<Report>(); };
    ReportFrame::run(nullptr, {8, QPageLayout::Landscape}, nothing);
    EXPECT_EQ(printSettings().orientation, QPageLayout::Landscape);
    EXPECT_EQ(printSettings().fontName, QStringLiteral("Arial"));
    EXPECT_EQ(printSettings().fontSize, 8);
    ReportFrame::run(nullptr, {8, QPageLayout::Portrait}, nothing);
    ReportFrame::run(nullptr, {10, QPageLayout::Portrait}, nothing);
    EXPECT_EQ(seen, QStringList({"Parametrii de listare impliciti: Arial, 8, A4, Peisaj",
                                 "Parametrii de listare impliciti: Arial, 8, A4, Portret", " OK."}));
}

TEST_F(PaymentOrders, MarginsBelowThePrintableAreaAreRaisedWhenTheReportRuns)
{
    addPayment(15, QStringLiteral("2024-03-05"), 10);
    printSettings().left = 2; // kept as typed after "Nu" to the margin question
    printer.minimumMargin = 4;
    dialogs.printSetupAnswers << true;
    TRepOPFrm::start(nullptr, 34, 15, QDate(2024, 3, 5));
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_DOUBLE_EQ(
        printer.jobs[0].model.pages[0].find(QStringLiteral("Arhiepiscopia :")).first().rect.left(), 4.0);
    EXPECT_EQ(printSettings().minimumLeft, 4); // measured on the printer when the report runs
}

TEST_F(PaymentOrders, ThePreviewPrintsAgainAndSavesAPdf)
{
    addPayment(15, QStringLiteral("2024-03-05"), 1234.56);
    Report report;
    {
        QSqlQuery q = Sql::exec(Connection::database(), QStringLiteral("SELECT * FROM Cheltuieli"));
        report.definition.data = report.keep(ReportTable::fromQuery(q));
    }
    report.definition.detail.height = 10;
    report.definition.detail.add(
        ReportElement::data({0, 0, 40, 10}, QStringLiteral("Valoarea"), QStringLiteral("#,##0.00")));
    report.definition.pageFooter.height = 8;
    report.definition.pageFooter.add(
        ReportElement::pageNumber({150, 0, 40, 8}, QStringLiteral("Pag. %1 din %2")));
    TReportPreview preview(report.definition);
    EXPECT_EQ(preview.pageText(), QStringLiteral("Pagina 1 din 1"));
    EXPECT_TRUE(preview.pages().pages[0].texts().contains(QStringLiteral("1.234,56")));
    preview.print();
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(printer.jobs[0].model.pages[0].texts(), preview.pages().pages[0].texts());

    const QString pdf = folder.file(QStringLiteral("ordin"));
    dialogs.fileAnswers << pdf;
    preview.savePdf();
    EXPECT_EQ(dialogs.texts(QStringLiteral("saveFile")),
              QStringList{"Salveaza raportul ca PDF|Fisiere PDF (*.pdf)"});
    QFile file(pdf + QStringLiteral(".pdf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));
}

namespace
{

// Payment orders on the program's real printer, writing PDF files, with the
// unprintable edges of a printer driver (8.47 mm).
class PaymentOrdersOnPaper : public PaymentOrders
{
protected:
    void SetUp() override
    {
        PaymentOrders::SetUp();
        const QMarginsF edges(24, 24, 24, 24);
        paper.device().setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, edges, QPageLayout::Point, edges));
        setPrinterAccess(&paper);
    }
    void TearDown() override
    {
        setPrinterAccess(nullptr);
        PaymentOrders::TearDown();
    }

    // Prints order 15 with `choice` made in the print setup, from the preview,
    // into a PDF file; returns the preview's pages and the file's.
    std::pair<PageModel, QList<PdfPage>> printOrder(const PageChoice& choice)
    {
        dialogs.onPrintSetup = [choice] { choosePrintSetup(choice); };
        const QString pdf = folder.file(QStringLiteral("ordin.pdf"));
        dialogs.fileAnswers << pdf;
        PageModel shown;
        withPreview([] { TRepOPFrm::start(nullptr, 34, 15, QDate(2024, 3, 5)); },
                    [&shown](TReportPreview& preview) {
                        shown = preview.pages();
                        QTest::mouseClick(preview.findChild<QPushButton*>(QStringLiteral("Printeaza")),
                                          Qt::LeftButton);
                    });
        return {shown, readPdfPages(pdf)};
    }

    SystemPrinter paper{SystemPrinter::Output::PdfFile};
};

// Where a text's characters fall when painted in its box (mm).
QRectF inkOf(const PageItem& item)
{
    constexpr double dpi = 1200;
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
        return image;
    }();
    const double scale = dpi / 25.4;
    const QRectF box(item.rect.topLeft() * scale, item.rect.size() * scale);
    const QRectF ink = QFontMetricsF(item.font, &device).boundingRect(box, item.flags, item.text);
    return QRectF(ink.topLeft() / scale, ink.size() / scale);
}

// Every text of the page lies between the margins and inside its own box.
void expectTextsInside(const Page& page, double left, double right)
{
    for (const PageItem& item : page.items) {
        if (item.kind != PageItem::Kind::Text || item.text.isEmpty())
            continue;
        EXPECT_GE(item.rect.left(), left - 1e-6) << item.text.toStdString();
        EXPECT_LE(item.rect.right(), right + 1e-6) << item.text.toStdString();
        const QRectF ink = inkOf(item);
        EXPECT_TRUE(item.rect.adjusted(-0.05, -0.05, 0.05, 0.05).contains(ink))
            << item.text.toStdString() << " needs " << ink.width() << " x " << ink.height() << " mm, has "
            << item.rect.width() << " x " << item.rect.height();
    }
}

// Every glyph of the printed page starts between the margins.
void expectGlyphsInside(const PdfPage& page, double left, double right)
{
    ASSERT_FALSE(page.glyphs.isEmpty());
    double first = right;
    for (const QPointF& glyph : page.glyphs) {
        EXPECT_GE(glyph.x(), left - 0.3);
        EXPECT_LE(glyph.x(), right);
        first = std::min(first, glyph.x());
    }
    EXPECT_NEAR(first, left, 0.3); // the labels start at the left margin
}

} // namespace

TEST_F(PaymentOrdersOnPaper, LandscapeWithWideMarginsFillsThePageBetweenThem)
{
    addPayment(15, QStringLiteral("2024-03-05"), 1234.56);
    const auto [shown, printed] = printOrder({QPageLayout::Landscape, 25, true});
    ASSERT_EQ(shown.pages.size(), 1);
    EXPECT_EQ(shown.orientation, QPageLayout::Landscape);
    expectTextsInside(shown.pages[0], 25, 297 - 25);
    // The title is centred across the landscape width between the margins.
    const PageItem title = shown.pages[0].find(QStringLiteral("ORDIN DE PLATA")).first();
    EXPECT_DOUBLE_EQ(title.rect.left(), 25);
    EXPECT_DOUBLE_EQ(title.rect.right(), 297 - 25);
    EXPECT_DOUBLE_EQ(shown.pages[0].find(QStringLiteral("Arhiepiscopia :")).first().rect.top(), 25);

    ASSERT_EQ(printed.size(), 1);
    EXPECT_NEAR(printed[0].size.width(), 297, 0.5);
    EXPECT_NEAR(printed[0].size.height(), 210, 0.5);
    expectGlyphsInside(printed[0], 25, 297 - 25);
}

TEST_F(PaymentOrdersOnPaper, ALongBeneficiaryAndPurposeWrapInsideTheirBoxes)
{
    struct Case {
        const char* what;
        QString beneficiary, purpose;
    };
    const QString words = QStringLiteral("Asociatia Constructorilor de Biserici si Manastiri din Moldova "
                                         "Filiala Iasi Str. Lapusneanu nr. 10 bis, judetul Iasi");
    const QString oneWord = QString(100, QLatin1Char('W'));
    const QList<Case> cases = {{"words", words.left(100), words.left(100)},
                               {"one long word", oneWord, QString(100, QLatin1Char('m'))}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.beneficiary.size(), 100);
        Sql::exec(Connection::database(), QStringLiteral("DELETE FROM Cheltuieli"));
        addPayment(15, QStringLiteral("2024-03-05"), 1234.56, c.beneficiary, c.purpose);
        const auto [shown, printed] = printOrder({QPageLayout::Portrait, 25, true});
        ASSERT_EQ(shown.pages.size(), 1);
        const Page& page = shown.pages[0];
        expectTextsInside(page, 25, 210 - 25);

        // Each wraps on several lines and what follows moves down below it.
        const QStringList texts = page.texts();
        const auto item = [&](const QString& text) { return page.find(text).value(0); };
        const PageItem payee = item(texts.at(texts.indexOf(QStringLiteral("Beneficiarul platii :")) + 1));
        const PageItem purpose = item(texts.at(texts.indexOf(QStringLiteral("Scopul platii :")) + 1));
        EXPECT_EQ(QString(payee.text).remove(QChar(0x200B)), c.beneficiary);
        EXPECT_EQ(QString(purpose.text).remove(QChar(0x200B)), c.purpose);
        EXPECT_GT(payee.rect.height(), 8);
        EXPECT_LE(payee.rect.bottom(), item(QStringLiteral("Scopul platii :")).rect.top());
        EXPECT_LE(purpose.rect.bottom(), item(QStringLiteral("Suma de plata :")).rect.top());

        ASSERT_EQ(printed.size(), 1);
        expectGlyphsInside(printed[0], 25, 210 - 25);
    }
}

TEST_F(PaymentOrdersOnPaper, TheLargestAmountStandsWholeInFiguresAndInWords)
{
    addPayment(15, QStringLiteral("2024-03-05"), 9999999.99);
    const auto [shown, printed] = printOrder({QPageLayout::Portrait, 25, true});
    ASSERT_EQ(shown.pages.size(), 1);
    const Page& page = shown.pages[0];
    expectTextsInside(page, 25, 210 - 25);
    const QStringList texts = page.texts();
    EXPECT_TRUE(texts.contains(QStringLiteral("9.999.999,99")));
    EXPECT_EQ(texts.at(texts.indexOf(QStringLiteral("lei, adica")) + 1),
              QStringLiteral("noua milioane nouasutenouazecisinoua mii nouasutenouazecisinoua lei si "
                             "nouazecisinouade bani"));
    ASSERT_EQ(printed.size(), 1);
    expectGlyphsInside(printed[0], 25, 210 - 25);
}
