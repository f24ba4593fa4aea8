#include "support/ReportFixture.h"

#include "app/MainUnt.h"
#include "app/ProgramReports.h"
#include "core/Progress.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "printing/PagePainter.h"
#include "printing/PrintSettings.h"
#include "printing/ReportCatalog.h"
#include "printing/ReportFrame.h"
#include "printing/ReportPreview.h"
#include "registers/CalculRegUnt.h"
#include "registers/RepRegCasaUnt.h"
#include "support/Documents.h"
#include "support/PdfPages.h"
#include "support/PreviewDriver.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

// One account's documents, so that each case can be written once for the
// cash book and once for the bank book.
struct Book {
    const char* name;
    const BookAccount* account;
    QString command;
    QString documentAccount; // "Casa" or "Banca"
    QString openingKind;     // the kind of the account's opening row
};

const QList<Book>& books()
{
    static const QList<Book> all{
        {"cash book", &BookAccount::cash(), QStringLiteral("RegCasa"), QStringLiteral("Casa"),
         QStringLiteral("CHIT")},
        {"bank book", &BookAccount::bank(), QStringLiteral("RegBanca"), QStringLiteral("Banca"),
         QStringLiteral("EXT")},
    };
    return all;
}

class DayBook : public ReportFixture
{
protected:
    // Opening balance 100 on the book's account (the other one 7, so that
    // its opening row must leave the book), on 3 January a receipt of 50 and
    // a payment of 20, on 10 January a receipt of 30.
    void workedExample(const Book& book)
    {
        const bool cash = book.documentAccount == QLatin1String("Casa");
        Documents::setYear(db, 2024, cash ? 100 : 7, cash ? 7 : 100);
        Documents::receipt(db, 1, QStringLiteral("2024-01-03"), 50, book.documentAccount);
        Documents::payment(db, 2, QStringLiteral("2024-01-03"), 20, book.documentAccount);
        Documents::receipt(db, 3, QStringLiteral("2024-01-10"), 30, book.documentAccount);
    }

    PageModel layOut(const Book& book, const QDate& from, const QDate& to)
    {
        CalculRegistru(db);
        return layOutReport(TRepRegCasaFrm::build(db, *book.account, from, to), {8, QPageLayout::Portrait});
    }

    // The row numbers printed on a page, top to bottom: the numeric texts of the first column.
    static QList<int> rowNumbers(const Page& page, double firstColumnRight)
    {
        QList<int> numbers;
        static const QRegularExpression digits(QStringLiteral("^\\d+$"));
        for (const PageItem& item : page.items)
            if (item.kind == PageItem::Kind::Text && item.rect.right() <= firstColumnRight &&
                digits.match(item.text).hasMatch())
                numbers << item.text.toInt();
        return numbers;
    }
};

} // namespace

TEST_F(DayBook, ADayAfterThePeriodStartBringsTheEarlierDaysForward)
{
    forEachCase(books(), [&](const Book& book) {
        workedExample(book);
        const PageModel model = layOut(book, QDate(2024, 1, 5), QDate(2024, 1, 31));

        ASSERT_EQ(model.pages.size(), 1);
        const Page& page = model.pages[0];
        const QStringList texts = page.texts();
        EXPECT_TRUE(texts.contains(book.account->heading));
        EXPECT_FALSE(texts.contains(QStringLiteral("01.01.2024")));
        EXPECT_FALSE(texts.contains(QStringLiteral("03.01.2024")));
        EXPECT_EQ(textsFrom(page, QStringLiteral("10.01.2024"), 9),
                  QStringList({"10.01.2024", "Nr crt", "Tip doc.", "Nr. doc.", "Explicatii", "Incasari",
                               "Ridicari", "Plati", "Depuneri"}));
        EXPECT_EQ(textsFrom(page, TRepRegCasaFrm::openingLine, 6),
                  QStringList({TRepRegCasaFrm::openingLine, "130,00", "150,00", "0,00", "20,00", "0,00"}));
        EXPECT_EQ(textsFrom(page, TRepRegCasaFrm::openingLine, 14).mid(6),
                  QStringList({"1", "CHIT", "3", "Donatie", "30,00", "0,00", "0,00", "0,00"}));
        EXPECT_EQ(textsFrom(page, TRepRegCasaFrm::closingLine, 6),
                  QStringList({TRepRegCasaFrm::closingLine, "160,00", "180,00", "0,00", "20,00", "0,00"}));
        EXPECT_TRUE(texts.contains(QStringLiteral("Pag.1 din 1")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Lumivaret, produs Morvalen")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Compartiment financiar-contabil,,")));
    });
}

TEST_F(DayBook, ThePeriodFromTheFirstOfJanuaryOpensAtZeroWithTheAccountsOwnOpeningRow)
{
    forEachCase(books(), [&](const Book& book) {
        workedExample(book);
        const PageModel model = layOut(book, QDate(2024, 1, 1), QDate(2024, 1, 31));

        ASSERT_EQ(model.pages.size(), 1);
        const Page& page = model.pages[0];
        EXPECT_EQ(textsFrom(page, TRepRegCasaFrm::openingLine, 6),
                  QStringList({TRepRegCasaFrm::openingLine, "0,00", "0,00", "0,00", "0,00", "0,00"}));
        // The other account's opening row has no movement on this one.
        EXPECT_EQ(textsFrom(page, TRepRegCasaFrm::openingLine, 10).mid(6, 4),
                  QStringList({"1", book.openingKind, "0",
                               book.openingKind == QLatin1String("CHIT")
                                   ? QStringLiteral("Sold in casa la inceputul anului")
                                   : QStringLiteral("Sold in cont la inceputul anului")}));
        EXPECT_EQ(textsFrom(page, TRepRegCasaFrm::closingLine, 2),
                  QStringList({TRepRegCasaFrm::closingLine, "100,00"}));
        // The three days' rows are numbered on: the 3 January rows 2 and 3, the 10 January row 4.
        EXPECT_EQ(textsFrom(page, TRepRegCasaFrm::openingLine, 14, 2).mid(6),
                  QStringList({"4", "CHIT", "3", "Donatie", "30,00", "0,00", "0,00", "0,00"}));
        EXPECT_EQ(textsFrom(page, TRepRegCasaFrm::closingLine, 6, 2),
                  QStringList({TRepRegCasaFrm::closingLine, "160,00", "180,00", "0,00", "20,00", "0,00"}));
    });
}

TEST_F(DayBook, APeriodFromMarchCarriesTheBalanceAndSumsOfJanuaryAndFebruary)
{
    Documents::setYear(db, 2024, 1000, 0);
    Documents::receipt(db, 1, QStringLiteral("2024-01-15"), 200);
    Documents::withdrawal(db, 2, QStringLiteral("2024-02-01"), 300);
    Documents::deposit(db, 3, QStringLiteral("2024-02-20"), 150);
    Documents::payment(db, 4, QStringLiteral("2024-02-28"), 75.5);
    Documents::receipt(db, 5, QStringLiteral("2024-03-04"), 10);
    const Book& cash = books()[0];

    const PageModel model = layOut(cash, QDate(2024, 3, 1), QDate(2024, 12, 31));

    ASSERT_EQ(model.pages.size(), 1);
    const Page& page = model.pages[0];
    // 1000 + 200 + 300 - 150 - 75.50; sums from 1 January: the opening row and the receipt.
    EXPECT_EQ(
        textsFrom(page, TRepRegCasaFrm::openingLine, 6),
        QStringList({TRepRegCasaFrm::openingLine, "1.274,50", "1.200,00", "300,00", "75,50", "150,00"}));
    EXPECT_EQ(
        textsFrom(page, TRepRegCasaFrm::closingLine, 6),
        QStringList({TRepRegCasaFrm::closingLine, "1.284,50", "1.210,00", "300,00", "75,50", "150,00"}));
    EXPECT_EQ(rowNumbers(page, 5 + 10), QList<int>({1}));
    EXPECT_EQ(page.texts().count(TRepRegCasaFrm::openingLine), 1);
}

TEST_F(DayBook, RowsAreNumberedThroughTheWholeBookAcrossDaysAndPages)
{
    Documents::setYear(db, 2024, 0, 0);
    for (int day = 0; day < 40; ++day) {
        const QString date = QDate(2024, 2, 1).addDays(day).toString(Qt::ISODate);
        for (int i = 0; i < 3; ++i)
            Documents::receipt(db, day * 3 + i + 1, date, 10 + i);
    }
    const PageModel model = layOut(books()[0], QDate(2024, 1, 1), QDate(2024, 12, 31));

    ASSERT_GE(model.pages.size(), 3);
    QList<int> numbers;
    for (qsizetype p = 0; p < model.pages.size(); ++p) {
        SCOPED_TRACE(p + 1);
        numbers << rowNumbers(model.pages[p], 5 + 10);
        EXPECT_TRUE(model.pages[p].texts().contains(
            QStringLiteral("Pag.%1 din %2").arg(p + 1).arg(model.pages.size())));
    }
    QList<int> expected;
    for (int n = 1; n <= 120; ++n)
        expected << n;
    EXPECT_EQ(numbers, expected);
    EXPECT_TRUE(model.pages.last().texts().contains(QStringLiteral("Lumivaret, produs Morvalen")));

    // Laid out again, as when the preview prints, the numbers start again at 1.
    const PageModel again = ReportFrame::layOut(*report);
    EXPECT_EQ(rowNumbers(again.pages[0], 5 + 10).value(0), 1);
}

TEST_F(DayBook, AnEmptyPeriodIsRefusedAndDaysOnlyBeforeThePeriodPrintNoDay)
{
    const Book& cash = books()[0];
    Documents::setYear(db, 2024, std::nullopt, std::nullopt);
    Documents::receipt(db, 1, QStringLiteral("2024-05-03"), 50);

    layOut(cash, QDate(2024, 1, 1), QDate(2024, 4, 30));
    EXPECT_EQ(report->definition.data->rowCount(), 0);
    EXPECT_EQ(report->noRowsMessage, QStringLiteral("Nu exista date in aceasta perioada!"));
    EXPECT_EQ(TRepRegCasaFrm::csv(*report, *cash.account, QDate(2024, 1, 1)).rows.size(), 0);

    const PageModel before = layOut(cash, QDate(2024, 6, 1), QDate(2024, 6, 30));
    ASSERT_EQ(before.pages.size(), 1);
    const QStringList texts = before.pages[0].texts();
    EXPECT_TRUE(texts.contains(QStringLiteral("REGISTRU DE CASA")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Pag.1 din 1")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Intocmit,")));
    EXPECT_FALSE(texts.contains(TRepRegCasaFrm::openingLine));
    EXPECT_FALSE(texts.contains(QStringLiteral("03.05.2024")));
}

TEST_F(DayBook, TheCsvCarriesTheDayLinesAndTheDateOnEveryLine)
{
    forEachCase(books(), [&](const Book& book) {
        workedExample(book);
        layOut(book, QDate(2024, 1, 3), QDate(2024, 1, 31));
        EXPECT_EQ(
            TRepRegCasaFrm::csv(*report, *book.account, QDate(2024, 1, 3)).text(),
            QStringLiteral("Data;Nr crt;Tip doc.;Nr. doc.;Explicatii;Sold;Incasari;Ridicari;Plati;Depuneri\n"
                           "03.01.2024;;;;Sold ziua precedenta / Report :;100,00;100,00;0,00;0,00;0,00\n"
                           "03.01.2024;1;CHIT;1;Donatie;;50,00;0,00;0,00;0,00\n"
                           "03.01.2024;2;OP;2;Lumanari;;0,00;0,00;20,00;0,00\n"
                           "03.01.2024;;;;Sold final / De reportat :;130,00;150,00;0,00;20,00;0,00\n"
                           "10.01.2024;;;;Sold ziua precedenta / Report :;130,00;150,00;0,00;20,00;0,00\n"
                           "10.01.2024;3;CHIT;3;Donatie;;30,00;0,00;0,00;0,00\n"
                           "10.01.2024;;;;Sold final / De reportat :;160,00;180,00;0,00;20,00;0,00\n"));
    });
}

// "Salveaza CSV" in the preview of a book writes the very file the command
// line's --csv writes for the same period.
TEST_F(DayBook, ThePreviewSavesTheSameCsvFileAsTheCommandLine)
{
    forEachCase(books(), [&](const Book& book) {
        workedExample(book);
        printSettings().preview = true;
        dialogs.intervalAnswers = {std::pair{QDate(2024, 1, 3), QDate(2024, 1, 31)}};
        const QString saved = folder->file(QStringLiteral("previzualizare.csv"));
        dialogs.fileAnswers << saved;
        {
            TMainFrm window;
            window.show();
            withPreview([&] { window.command(book.command)->trigger(); },
                        [](TReportPreview& preview) {
                            QTest::mouseClick(preview.findChild<QPushButton*>(QStringLiteral("SalveazaCsv")),
                                              Qt::LeftButton);
                        });
        }
        EXPECT_TRUE(printer.jobs.isEmpty());

        const ReportEntry* entry = programReports().findByCommand(book.command);
        ASSERT_NE(entry, nullptr);
        ReportAnswers answers;
        answers.from = QDate(2024, 1, 3);
        answers.to = QDate(2024, 1, 31);
        entry->prepare(answers, noProgress());
        const QString commandLine = folder->file(QStringLiteral("linie-de-comanda.csv"));
        entry->csv(*entry->build(answers), answers).write(commandLine);

        QFile fromPreview(saved), fromCommandLine(commandLine);
        ASSERT_TRUE(fromPreview.open(QIODevice::ReadOnly));
        ASSERT_TRUE(fromCommandLine.open(QIODevice::ReadOnly));
        const QByteArray bytes = fromPreview.readAll();
        EXPECT_EQ(bytes, fromCommandLine.readAll());
        EXPECT_TRUE(bytes.contains("10.01.2024;;;;Sold final / De reportat :;160,00;180,00;0,00;20,00;0,00"));
    });
}

TEST_F(DayBook, TheBookIsWrittenToARealPdf)
{
    workedExample(books()[0]);
    const PageModel model = layOut(books()[0], QDate(2024, 1, 1), QDate(2024, 1, 31));
    const QString file = folder->file(QStringLiteral("casa.pdf"));
    PagePainter::writePdf(model, file);

    const QList<PdfPage> pages = readPdfPages(file);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_NEAR(pages[0].size.width(), 210, 1);
    EXPECT_NEAR(pages[0].size.height(), 297, 1);
    const QString drawn = pages[0].texts.join(QLatin1Char('|'));
    for (const char* expected :
         {"REGISTRU DE CASA", "Sold ziua precedenta / Report :", "160,00", "Pag.1 din 1"})
        EXPECT_TRUE(drawn.contains(QString::fromLatin1(expected)))
            << expected << " in " << drawn.toStdString();
}

TEST_F(DayBook, TheMenuCommandsComputeAskThePeriodAndPrintOrRefuseAnEmptyPeriod)
{
    forEachCase(books(), [&](const Book& book) {
        workedExample(book);
        {
            TMainFrm window;
            window.show();
            dialogs.intervalAnswers = {std::pair{QDate(2024, 1, 5), QDate(2024, 1, 31)}};

            window.command(book.command)->trigger();

            ASSERT_EQ(printer.jobs.size(), 1);
            const QStringList printed = printer.jobs[0].model.pages.value(0).texts();
            EXPECT_TRUE(printed.contains(book.account->heading));
            EXPECT_TRUE(printed.contains(QStringLiteral("160,00")));
            EXPECT_EQ(printSettings().fontSize, 8);
            EXPECT_EQ(printSettings().orientation, QPageLayout::Portrait);

            // Each command computes the register again; this period has no movement.
            dialogs.intervalAnswers = {std::pair{QDate(2023, 1, 1), QDate(2023, 12, 31)}};
            window.command(book.command)->trigger();
            EXPECT_EQ(printer.jobs.size(), 1);
            EXPECT_EQ(dialogs.texts(QStringLiteral("error")),
                      QStringList({"Nu exista date in aceasta perioada!"}));
        }
    });
}

TEST_F(DayBook, ADayHeadingIsNeverLeftAloneAtTheFootOfAPage)
{
    Documents::setYear(db, 2024, 0, 0);
    int number = 0;
    for (int day = 0; day < 60; ++day) {
        const QString date = QDate(2024, 3, 1).addDays(day).toString(Qt::ISODate);
        for (int i = 0; i <= day % 4; ++i)
            Documents::receipt(db, ++number, date, 10 + i);
    }
    const PageModel model = layOut(books()[0], QDate(2024, 1, 1), QDate(2024, 12, 31));
    ASSERT_GE(model.pages.size(), 3);
    static const QRegularExpression dayDate(QStringLiteral("^\\d\\d\\.\\d\\d\\.2024$"));
    for (qsizetype p = 0; p < model.pages.size(); ++p) {
        SCOPED_TRACE(p + 1);
        const Page& page = model.pages[p];
        qsizetype lastHeading = -1;
        for (qsizetype i = 0; i < page.items.size(); ++i)
            if (page.items[i].kind == PageItem::Kind::Text && dayDate.match(page.items[i].text).hasMatch())
                lastHeading = i;
        if (lastHeading < 0)
            continue;
        // The rows of that day follow on the same page, below their heading.
        Page below;
        below.items = page.items.mid(lastHeading + 1);
        EXPECT_FALSE(rowNumbers(below, 5 + 10).isEmpty());
    }
}

// Days of one to nine documents, in no regular pattern: on every page of the printed
// book a day's heading has a row after it and a day's closing line a row
// before it, so that no day is cut from its rows at a page's edge.
TEST_F(DayBook, NoDayHeadingOrClosingLineStandsAloneAtAPageEdge)
{
    forEachCase(books(), [&](const Book& book) {
        Documents::setYear(db, 2024, 100, 100);
        Transaction documents(db);
        int number = 0;
        for (QDate day(2024, 1, 2); day.month() <= 2; day = day.addDays(1))
            for (int i = 0; i <= (day.dayOfYear() * day.dayOfYear()) % 9; ++i)
                Documents::receipt(db, ++number, day.toString(Qt::ISODate), 1 + i, book.documentAccount);
        documents.commit();
        const PageModel model = layOut(book, QDate(2024, 1, 1), QDate(2024, 2, 29));
        const QString file = folder->file(QStringLiteral("carte.pdf"));
        PagePainter::writePdf(model, file);

        const QList<PdfPage> pages = readPdfPages(file);
        ASSERT_GE(pages.size(), 5);
        const QString heading = QStringLiteral("Sold ziua precedenta / Report :");
        const QString closing = QStringLiteral("Sold final / De reportat :");
        // A document's row, or the opening balance's row of 1 January.
        const auto hasRow = [](const QStringList& texts) {
            return std::any_of(texts.cbegin(), texts.cend(), [](const QString& text) {
                return text == QLatin1String("Donatie") ||
                       text.endsWith(QLatin1String(" la inceputul anului"));
            });
        };
        for (qsizetype p = 0; p < pages.size(); ++p) {
            SCOPED_TRACE(testing::Message() << "page " << p + 1);
            const QStringList& texts = pages[p].texts;
            const qsizetype firstClosing = texts.indexOf(closing);
            if (firstClosing >= 0)
                EXPECT_TRUE(hasRow(texts.mid(0, firstClosing)));
            const qsizetype lastHeading = texts.lastIndexOf(heading);
            if (lastHeading >= 0)
                EXPECT_TRUE(hasRow(texts.mid(lastHeading)));
        }
    });
}
