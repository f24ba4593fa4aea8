#include "printing/CsvTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A spreadsheet takes a cell that starts with "=", "+", "-", "@", a tab or a
// carriage return for a formula and runs it; the CSV writes such a text with
// a leading apostrophe, so that it shows as the text it is. Numbers, the
// negative ones included, stay numbers.
TEST(CsvTable, ATextASpreadsheetWouldRunIsWrittenAsTextAndANumberStaysANumber)
{
    const QLocale ro(QLocale::Romanian, QLocale::Romania);
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    struct Case {
        QString value;
        QString written;
    };
    const QList<Case> cases{
        {"=HYPERLINK(\"http://exemplu.ro\";\"Click\")",
         "\"'=HYPERLINK(\"\"http://exemplu.ro\"\";\"\"Click\"\")\""},
        {"=1+2 Popescu", "'=1+2 Popescu"},
        {"@Ionescu Maria", "'@Ionescu Maria"},
        {"+1+2 lumanari", "'+1+2 lumanari"},
        {"-Strada Morii", "'-Strada Morii"},
        {"-1+2", "'-1+2"},
        {"\tTab", "'\tTab"},
        {"\r=1+2", "\"'\r=1+2\""},
        {"Popescu-Ionescu = 3", "Popescu-Ionescu = 3"},
        {"-", "-"},
        {"Total general :", "Total general :"},
        {CsvTable::number(-16081.8, 2, ro), "-16081,80"},
        {CsvTable::number(-0.3, -1, ro), "-0,3"},
        {CsvTable::number(-1234567.5, 2, en), "-1234567.50"},
        {CsvTable::number(-7, 0, ro), "-7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        CsvTable csv;
        csv.header = {QStringLiteral("Explicatii")};
        csv.rows = {{c.value}};
        EXPECT_EQ(csv.text(), QStringLiteral("Explicatii\n") + c.written + QLatin1Char('\n'));
    }
}

// The file carries a UTF-8 byte-order mark, so that a spreadsheet opened by a
// double click reads ș, ț and ă as the letters they are.
TEST(CsvTable, TheFileStartsWithTheUtf8ByteOrderMark)
{
    CsvTable csv;
    csv.header = {QStringLiteral("Explicatii")};
    csv.rows = {{QStringLiteral("Donație pentru țiglă și ușă")}};
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("raport.csv"));
    csv.write(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\xEF\xBB\xBF") + csv.text().toUtf8());
}
