#include "core/StatusLine.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "operations/ReceiptReport.h"
#include "printing/PrintSettings.h"
#include "printing/PrinterAccess.h"
#include "support/PdfPages.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QFile>
#include <QLabel>
#include <gtest/gtest.h>

namespace
{

struct Income {
    double number;
    QString date;
    int code;
    QString type;
    QString parishionerCode, parishionerName;
    QString explanation;
    double amount;
};

// Receipts printed by the program's real printer into PDF files, with the
// unprintable edges of a printer driver, read back from the files.
class Receipts : public ::testing::Test
{
protected:
    void SetUp() override
    {
        printSettings() = PrintSettings();
        printSettings().left = printSettings().right = margin;
        printSettings().top = printSettings().bottom = margin;
        folder.openWorkingYear();
        Sql::exec(Connection::database(),
                  QStringLiteral("UPDATE Parohia SET Arhiepiscopia = 'Arhiepiscopia Iasilor', "
                                 "Protopopiatul = 'Protopopiatul Iasi I', Parohia = 'Sf. Nicolae', "
                                 "Localitatea = 'Iasi', Strada = 'Lapusneanu', Nr = '10', Judet = 'Iasi'"));
        const QMarginsF edges(24, 24, 24, 24);
        paper.device().setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, edges, QPageLayout::Point, edges));
        setPrinterAccess(&paper);
        setStatusTarget(&status);
    }
    void TearDown() override
    {
        setStatusTarget(nullptr);
        setPrinterAccess(nullptr);
        printSettings() = PrintSettings();
    }

    static void add(const Income& income)
    {
        Sql::exec(Connection::database(),
                  QStringLiteral("INSERT INTO Venituri (Nr_act, Data, Cod_venit, Den_venit, Cod_enorias, "
                                 "Den_enorias, Explicatie, Valoarea, Cont, Fel) "
                                 "VALUES (:n, :d, :c, :t, :pc, :pn, :e, :v, 'Casa', 'CHIT')"),
                  {{QStringLiteral(":n"), income.number},
                   {QStringLiteral(":d"), income.date},
                   {QStringLiteral(":c"), income.code},
                   {QStringLiteral(":t"), income.type},
                   {QStringLiteral(":pc"), income.parishionerCode},
                   {QStringLiteral(":pn"), income.parishionerName},
                   {QStringLiteral(":e"), income.explanation},
                   {QStringLiteral(":v"), income.amount}});
    }

    // Prints the receipt into a new PDF file and reads its pages back.
    QList<PdfPage> print(double number, const QDate& date)
    {
        const QString pdf = folder.file(QStringLiteral("chitanta%1.pdf").arg(++files));
        dialogs.fileAnswers << pdf;
        printReceipt(nullptr, number, date);
        return readPdfPages(pdf);
    }

    // The single page of the receipt; its texts without the zero-width
    // spaces that let long words break.
    QStringList printedTexts(double number, const QDate& date)
    {
        const QList<PdfPage> pages = print(number, date);
        if (pages.size() != 1) {
            ADD_FAILURE() << pages.size() << " pages";
            return {};
        }
        lastPage = pages.first();
        QStringList texts;
        for (const QString& text : std::as_const(lastPage.texts))
            texts << QString(text).remove(QChar(0x200B)).trimmed();
        return texts;
    }

    static QString after(const QStringList& texts, const QString& caption)
    {
        const qsizetype at = texts.indexOf(caption);
        return at < 0 || at + 1 >= texts.size() ? QStringLiteral("<no %1>").arg(caption) : texts.at(at + 1);
    }

    static constexpr int margin = 15; // mm, above the printer's minimum
    TestFolder folder;
    ScriptedDialogs dialogs;
    SystemPrinter paper{SystemPrinter::Output::PdfFile};
    QLabel status;
    PdfPage lastPage;
    int files = 0;
};

const QDate march5(2024, 3, 5);

} // namespace

TEST_F(Receipts, AReceiptOfOneIncomeShowsTheParishThePayerAndTheAmountInWords)
{
    add({15, QStringLiteral("2024-03-05"), 2, QStringLiteral("Contributii"), QStringLiteral("P12"),
         QStringLiteral("Popescu Ion"), QStringLiteral("Contributie 2024 Popescu Ion"), 1234.56});
    const QStringList texts = printedTexts(15, march5);
    for (const char* expected : {"Arhiepiscopia :",
                                 "Arhiepiscopia Iasilor",
                                 "Protopopiatul :",
                                 "Protopopiatul Iasi I",
                                 "Parohia :",
                                 "Sf. Nicolae",
                                 "Adresa :",
                                 "Loc. Iasi, Str. Lapusneanu Nr. 10, Jud. Iasi",
                                 "CHITANTA",
                                 "Nr. 15 din data 05.03.2024",
                                 "Cod",
                                 "Tip venit",
                                 "Explicatie",
                                 "Suma (lei)",
                                 "2",
                                 "Contributii",
                                 "Contributie 2024 Popescu Ion",
                                 "Suma incasata :",
                                 "lei, adica",
                                 "Casier,",
                                 "Lumivaret, produs Morvalen"})
        EXPECT_TRUE(texts.contains(QString::fromLatin1(expected))) << expected;
    EXPECT_EQ(after(texts, QStringLiteral("Am primit de la :")), QStringLiteral("Popescu Ion (cod P12)"));
    EXPECT_EQ(texts.count(QStringLiteral("1.234,56")), 2) << "the line and the amount received";
    EXPECT_EQ(after(texts, QStringLiteral("lei, adica")),
              QStringLiteral("o mie douasutetreizecisipatru lei si cincizecisisasede bani"));
    EXPECT_FALSE(texts.contains(QStringLiteral("Total"))) << "one line needs no total";
    EXPECT_EQ(status.text(), QStringLiteral(" OK."));
}

TEST_F(Receipts, AReceiptOfSeveralIncomesListsEachLineAndTheirTotal)
{
    const QString date = QStringLiteral("2024-03-05");
    add({20, date, 5, QStringLiteral("Donatii"), {}, {}, QStringLiteral("Donatie pictura"), 100});
    add({20,
         QStringLiteral("2024-03-06"),
         5,
         QStringLiteral("Donatii"),
         {},
         {},
         QStringLiteral("Alta zi"),
         7});
    add({21, date, 5, QStringLiteral("Donatii"), {}, {}, QStringLiteral("Alt numar"), 9});
    add({20, date, 7, QStringLiteral("Slujbe"), {}, {}, QStringLiteral("Parastas"), 200.5});
    add({20, date, 9, QStringLiteral("Lumanari"), {}, {}, QStringLiteral("Lumanari vandute"), 300});
    const QStringList texts = printedTexts(20, march5);

    const QStringList lines{"Donatie pictura", "Parastas", "Lumanari vandute"};
    qsizetype previous = -1;
    for (const QString& line : lines) {
        const qsizetype at = texts.indexOf(line);
        EXPECT_GT(at, previous) << line.toStdString() << " in the order entered";
        previous = at;
    }
    for (const char* amount : {"100,00", "200,50", "300,00"})
        EXPECT_TRUE(texts.contains(QString::fromLatin1(amount))) << amount;
    EXPECT_FALSE(texts.contains(QStringLiteral("Alta zi")));
    EXPECT_FALSE(texts.contains(QStringLiteral("Alt numar")));
    EXPECT_EQ(after(texts, QStringLiteral("Total")), QStringLiteral("600,50"));
    EXPECT_EQ(after(texts, QStringLiteral("Suma incasata :")), QStringLiteral("600,50"));
    EXPECT_EQ(after(texts, QStringLiteral("lei, adica")), QStringLiteral("sasesute lei si cincizecide bani"));
}

TEST_F(Receipts, ThePayerIsTheParishionerOrElseTheExplanation)
{
    struct Case {
        const char* what;
        QList<Income> lines;
        QString payer;
    };
    const QString d = QStringLiteral("2024-03-05");
    const QList<Case> cases = {
        {"a parishioner",
         {{1, d, 5, "Donatii", "P7", "Ionescu Maria", "Donatie Ionescu Maria", 50}},
         QStringLiteral("Ionescu Maria (cod P7)")},
        {"no parishioner",
         {{1, d, 5, "Donatii", {}, {}, "Donatie de la Vasile Gheorghe", 50}},
         QStringLiteral("Donatie de la Vasile Gheorghe")},
        {"a code without its name",
         {{1, d, 5, "Donatii", "P9", {}, "Donatie", 50}},
         QStringLiteral("cod P9")},
        {"the parishioner of a later line",
         {{1, d, 5, "Donatii", {}, {}, "Donatie", 50}, {1, d, 7, "Slujbe", "P3", "Pop Ana", "Acatist", 20}},
         QStringLiteral("Pop Ana (cod P3)")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Sql::exec(Connection::database(), QStringLiteral("DELETE FROM Venituri"));
        for (const Income& line : c.lines)
            add(line);
        EXPECT_EQ(after(printedTexts(1, march5), QStringLiteral("Am primit de la :")), c.payer);
    }
}

TEST_F(Receipts, LongTextsWrapInsideTheMargins)
{
    struct Case {
        const char* what;
        QString type, payer, explanation;
    };
    const QString words = QStringLiteral("Donatie pentru repararea acoperisului bisericii si a clopotnitei, "
                                         "facuta in memoria familiei Constantinescu din Iasi");
    const QList<Case> cases = {
        {"words", words.left(100), QStringLiteral("Constantinescu-Vladimirescu A."), words.left(100)},
        {"one long word", QString(100, QLatin1Char('W')), QString(30, QLatin1Char('M')),
         QString(100, QLatin1Char('m'))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.explanation.size(), 100);
        Sql::exec(Connection::database(), QStringLiteral("DELETE FROM Venituri"));
        add({3, QStringLiteral("2024-03-05"), 5, c.type, QStringLiteral("C1"), c.payer, c.explanation,
             987654.32});
        const QStringList texts = printedTexts(3, march5);
        ASSERT_FALSE(lastPage.glyphs.isEmpty());
        for (const QPointF& glyph : std::as_const(lastPage.glyphs)) {
            EXPECT_GE(glyph.x(), margin - 0.3);
            EXPECT_LE(glyph.x(), 210 - margin);
        }
        // Each long text is printed whole, over several lines.
        const QString all = texts.join(QString());
        for (const QString& text : {c.type, c.explanation}) {
            EXPECT_TRUE(
                QString(all).remove(QLatin1Char(' ')).contains(QString(text).remove(QLatin1Char(' '))))
                << text.toStdString();
            EXPECT_FALSE(texts.contains(text)) << "on one line: " << text.toStdString();
        }
        EXPECT_TRUE(texts.contains(QStringLiteral("987.654,32")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Casier,")));
    }
}

TEST_F(Receipts, LinesThatFillAPageGoOnTheNextUnderTheirHeadings)
{
    const int count = 45;
    for (int i = 1; i <= count; ++i)
        add({8,
             QStringLiteral("2024-03-05"),
             5,
             QStringLiteral("Donatii"),
             {},
             {},
             QStringLiteral("Donatia %1").arg(i),
             10});
    const QList<PdfPage> pages = print(8, march5);
    ASSERT_EQ(pages.size(), 2);
    const QStringList first = pages[0].texts;
    const QStringList second = pages[1].texts;
    EXPECT_TRUE(first.contains(QStringLiteral("CHITANTA")));
    EXPECT_FALSE(second.contains(QStringLiteral("CHITANTA")));
    for (const QStringList& page : {first, second})
        EXPECT_TRUE(page.contains(QStringLiteral("Tip venit")));
    EXPECT_TRUE(first.contains(QStringLiteral("Donatia 1")));
    EXPECT_TRUE(second.contains(QStringLiteral("Donatia %1").arg(count)));
    EXPECT_EQ(first.count(QStringLiteral("10,00")) + second.count(QStringLiteral("10,00")), count);
    for (const char* closing : {"Total", "450,00", "Casier,"}) {
        EXPECT_FALSE(first.contains(QString::fromLatin1(closing))) << closing;
        EXPECT_TRUE(second.contains(QString::fromLatin1(closing))) << closing;
    }
}

TEST_F(Receipts, ADocumentWithoutIncomesIsRefusedBeforeThePrintSetup)
{
    add({15,
         QStringLiteral("2024-03-05"),
         2,
         QStringLiteral("Donatii"),
         {},
         {},
         QStringLiteral("Donatie"),
         10});
    const QString pdf = folder.file(QStringLiteral("nimic.pdf"));
    for (const auto& [number, date] : {std::pair{16.0, march5}, std::pair{15.0, QDate(2024, 3, 6)}}) {
        dialogs.shown.clear();
        dialogs.fileAnswers = QStringList{pdf};
        printReceipt(nullptr, number, date);
        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")),
                  QStringList{QStringLiteral("Nu exista nicio incasare cu numarul %1 din data %2!\n"
                                             "Salvati incasarea inainte de a tipari chitanta.")
                                  .arg(number)
                                  .arg(date.toString(QStringLiteral("dd.MM.yyyy")))});
        EXPECT_TRUE(dialogs.texts(QStringLiteral("printSetup")).isEmpty());
        EXPECT_FALSE(QFile::exists(pdf));
    }
}

TEST_F(Receipts, AStoreFailureIsSaidAndNothingPrinted)
{
    add({15,
         QStringLiteral("2024-03-05"),
         2,
         QStringLiteral("Donatii"),
         {},
         {},
         QStringLiteral("Donatie"),
         10});
    for (const char* table : {"Parohia", "Venituri"}) {
        SCOPED_TRACE(table);
        dialogs.shown.clear();
        Sql::exec(Connection::database(), QStringLiteral("DROP TABLE %1").arg(QString::fromLatin1(table)));
        const QString pdf = folder.file(QStringLiteral("eroare.pdf"));
        dialogs.fileAnswers = QStringList{pdf};
        printReceipt(nullptr, 15, march5);
        const QStringList errors = dialogs.texts(QStringLiteral("error"));
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors.first().startsWith(QStringLiteral("Eroare de acces la baza de date!\n<")));
        EXPECT_TRUE(errors.first().contains(QString::fromLatin1(table)));
        EXPECT_FALSE(QFile::exists(pdf));
    }
}
