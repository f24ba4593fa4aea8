#include "app/ProgramReports.h"
#include "core/Progress.h"
#include "db/Connection.h"
#include "printing/PageModel.h"
#include "printing/ReportCatalog.h"
#include "support/Documents.h"
#include "support/PdfPages.h"
#include "support/ProgramRun.h"
#include "support/TestFolder.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <stdexcept>

namespace
{

// The program beside a database of 2024 whose sums come back to zero only
// up to a binary remainder: candle sales of 0.10 and 0.20 and a correction
// of -0.30 (income type 5, the candle sales), two bank commissions of 0.10
// and 0.20 against an opening bank balance of 0.30, an opening candle stock
// worth 0.30.
class ZeroSums : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QSqlDatabase db = folder.openWorkingYear();
        Documents::setYear(db, 2024, std::nullopt, 0.3);
        execOrFail(QStringLiteral("UPDATE Contor SET Count_venit = 10, Count_chelt = 0.3, CodVenLum = 5"));
        Documents::receipt(db, 1, QStringLiteral("2024-01-02"), 0.1, QStringLiteral("Casa"),
                           QStringLiteral("Lumanari"), 5);
        Documents::receipt(db, 2, QStringLiteral("2024-01-02"), 0.2, QStringLiteral("Casa"),
                           QStringLiteral("Lumanari"), 5);
        Documents::receipt(db, 3, QStringLiteral("2024-01-03"), -0.3, QStringLiteral("Casa"),
                           QStringLiteral("Storno"), 5);
        Documents::payment(db, 4, QStringLiteral("2024-01-05"), 0.1, QStringLiteral("Banca"),
                           QStringLiteral("Comision"), 43);
        Documents::payment(db, 5, QStringLiteral("2024-01-05"), 0.2, QStringLiteral("Banca"),
                           QStringLiteral("Comision"), 43);
        Connection::close();
        ASSERT_TRUE(QFile::copy(QStringLiteral(LUMIVARET_EXECUTABLE), program()));
    }

    QString program() const { return folder.file(QStringLiteral("Lumivaret")); }

    TestFolder folder;
};

// "-0,00" or "5,55111512312578E-17" where the books hold zero.
const QRegularExpression remainderText(QStringLiteral("(^|[^0-9,.])-0,00($|[^0-9])|[eE][-+][0-9]"));

} // namespace

TEST_F(ZeroSums, AZeroReadsZeroInEveryBookPrintedAndExported)
{
    struct Case {
        QStringList arguments;
        QString lastLine; // of the CSV
    };
    const QList<Case> cases{
        {{"--report", "registru-incasari-plati"},
         ";;;Total general :;0,00;0,00;0,00;0,00;0,00;0,30;0,00;0,30;0,00;0,00;0,00"},
        {{"--report", "registru-banca"}, "05.01.2024;;;;Sold final / De reportat :;0,00;0,30;0,00;0,30;0,00"},
        {{"--report", "registru-casa"}, "03.01.2024;;;;Sold final / De reportat :;0,00;0,00;0,00;0,00;0,00"},
        {{"--report", "fisa-venituri", "--code", "5"}, "03.01.2024;3;Storno;-0,3;0"},
        {{"--report", "registru-pangar"}, "Total general :;;;10,00;0,00;10,00;0,30;0,00;0,30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const QString csv = folder.file(QStringLiteral("book.csv"));
        const QString pdf = folder.file(QStringLiteral("book.pdf"));
        QFile::remove(csv);
        QFile::remove(pdf);
        const ProgramOutcome r = runProgram(program(), c.arguments + QStringList{"--csv", csv, "--pdf", pdf});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QStringList lines = textFileLines(csv);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.last().toStdString(), c.lastLine.toStdString());
        for (const QString& line : lines)
            EXPECT_FALSE(line.contains(remainderText)) << line.toStdString();
        const QList<PdfPage> pages = readPdfPages(pdf);
        ASSERT_FALSE(pages.isEmpty());
        for (const PdfPage& page : pages)
            for (const QString& text : page.texts)
                EXPECT_FALSE(text.contains(remainderText)) << text.toStdString();
    }
}

namespace
{

// A parish of large figures: a ten-digit document number, a receipt of
// 12,345,678.91, a long document kind, balances over ten millions.
class LargeFigures : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QSqlDatabase db = folder.openWorkingYear();
        Documents::setYear(db, 2024, 1234567.89, 9876543.21);
        Documents::receipt(db, 1234567890, QStringLiteral("2024-02-01"), 12345678.91, QStringLiteral("Casa"),
                           QStringLiteral("Donatie"), 7);
        Documents::payment(db, 9876543210, QStringLiteral("2024-02-02"), 3456789.12, QStringLiteral("Banca"),
                           QStringLiteral("Reparatii"), 34);
        execOrFail(QStringLiteral("UPDATE Cheltuieli SET Fel = 'FACTURA FISCALA'"));
    }

    struct LaidOutBook {
        std::unique_ptr<Report> report;
        PageModel pages;
    };
    // The book of the whole year 2024, laid out as the menu prints it.
    static LaidOutBook layOutYear2024(const char* name)
    {
        const ReportEntry* entry = programReports().find(QString::fromLatin1(name));
        if (!entry)
            throw std::runtime_error(std::string("no report ") + name);
        ReportAnswers answers;
        answers.from = QDate(2024, 1, 1);
        answers.to = QDate(2024, 12, 31);
        entry->prepare(answers, noProgress());
        ReportFrame::applyDefaults(entry->defaults);
        LaidOutBook book{entry->build(answers), {}};
        book.pages = ReportFrame::layOut(*book.report);
        return book;
    }

    TestFolder folder;
};

} // namespace

// A figure is a document number or an amount: digits and separators.
bool isFigure(const QString& text)
{
    static const QRegularExpression figure(QStringLiteral("^-?[0-9.,]+$"));
    return figure.match(text).hasMatch();
}

TEST_F(LargeFigures, AFigureWiderThanItsCellPrintsSmallerInsteadOfCut)
{
    struct Case {
        const char* report;
        QStringList figures; // that were cut before
    };
    const QList<Case> cases{
        {"registru-incasari-plati", {"1234567890", "9876543210", "12.345.678,91", "20.000.000,89"}},
        {"registru-casa", {"1234567890", "12.345.678,91", "13.580.246,80"}},
        {"registru-banca", {"9876543210", "3.456.789,12"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        const PageModel pages = layOutYear2024(c.report).pages;
        ASSERT_FALSE(pages.pages.isEmpty());
        QStringList figures;
        for (const Page& page : pages.pages)
            for (const PageItem& item : page.items) {
                if (item.kind != PageItem::Kind::Text || !isFigure(item.text))
                    continue;
                figures << item.text;
                const double needed =
                    textMetrics(item.font).horizontalAdvance(item.text) * 25.4 / textResolution;
                EXPECT_LE(needed, item.rect.width()) << item.text.toStdString();
            }
        for (const QString& figure : c.figures)
            EXPECT_TRUE(figures.contains(figure)) << figure.toStdString();
    }
}

// "FACTURA FISCALA" in the narrow kind column wraps at the report's own size
// instead of printing smaller or losing its last letter under the rule.
TEST_F(LargeFigures, ALongDocumentKindWrapsWholeAndReadableInEveryBook)
{
    execOrFail(QStringLiteral("UPDATE Venituri SET Fel = 'FACTURA FISCALA'"));
    for (const char* name : {"registru-incasari-plati", "registru-casa", "registru-banca"}) {
        SCOPED_TRACE(name);
        const LaidOutBook book = layOutYear2024(name);
        const PageModel& pages = book.pages;
        ASSERT_FALSE(pages.pages.isEmpty());
        int found = 0;
        for (const PageItem& item : pages.pages.first().items) {
            if (item.kind != PageItem::Kind::Text || item.text != QStringLiteral("FACTURA FISCALA"))
                continue;
            ++found;
            EXPECT_EQ(item.font.pointSizeF(), book.report->definition.font.pointSizeF());
            // Every wrapped line of the kind fits its cell's width.
            for (const QString& word : item.text.split(QLatin1Char(' ')))
                EXPECT_LE(textMetrics(item.font).horizontalAdvance(word) * 25.4 / textResolution,
                          item.rect.width());
            EXPECT_TRUE(item.flags & Qt::TextWordWrap);
            // ... and its cell is tall enough for the two lines.
            EXPECT_GE(item.rect.height(), 2 * textMetrics(item.font).height() * 25.4 / textResolution);
        }
        EXPECT_GE(found, 1);
    }
}
