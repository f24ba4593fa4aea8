#include "core/StatusLine.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "printing/PrintSettings.h"
#include "printing/RepOPSalUnt.h"
#include "printing/RepOPUnt.h"
#include "printing/ReportFrame.h"
#include "printing/ReportPreview.h"
#include "support/FakePrinter.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QFile>
#include <QLabel>
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

    void addPayment(double number, const QString& date, double amount)
    {
        Sql::exec(
            Connection::database(),
            QStringLiteral(
                "INSERT INTO Cheltuieli (Cod_cheltuiala, Data, Nr_act, Explicatie, Valoarea, Beneficiar) "
                "VALUES (34, :d, :n, 'Reparatie acoperis', :v, 'SC Tigla SRL')"),
            {{QStringLiteral(":d"), date}, {QStringLiteral(":n"), number}, {QStringLiteral(":v"), amount}});
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
    printSettings().left = 2;
    printSettings().minimumLeft = 4;
    dialogs.printSetupAnswers << true;
    TRepOPFrm::start(nullptr, 34, 15, QDate(2024, 3, 5));
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_DOUBLE_EQ(
        printer.jobs[0].model.pages[0].find(QStringLiteral("Arhiepiscopia :")).first().rect.left(), 4.0);
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
