#include "db/FieldFormat.h"
#include "printing/CsvTable.h"

#include <gtest/gtest.h>

// A number reads the same in the CSV export as on the printed page (without
// the thousands separator), also when a sum of amounts keeps a binary
// remainder: 0.1 + 0.2 - 0.3 is 5.55e-17, 0.3 - 0.1 - 0.2 is -2.78e-17.
TEST(CsvNumber, ReadsAsThePrintedReportReadsIt)
{
    const QLocale ro(QLocale::Romanian, QLocale::Romania);
    const double positiveRemainder = 0.1 + 0.2 - 0.3;
    const double negativeRemainder = 0.3 - 0.1 - 0.2;
    struct Case {
        double value;
        int decimals; // -1: the general format
        QString text;
    };
    const QList<Case> cases{
        {negativeRemainder, 2, "0,00"},
        {positiveRemainder, 2, "0,00"},
        {negativeRemainder, -1, "0"},
        {positiveRemainder, -1, "0"},
        {0.001 + positiveRemainder, -1, "0,001"},
        {-0.0, -1, "0"},
        {2.675, 2, "2,68"},
        {-2.675, 2, "-2,68"},
        {1234567.5, 2, "1234567,50"},
        {12.5, -1, "12,5"},
        {14064.53, -1, "14064,53"},
        {-16081.8, 2, "-16081,80"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(CsvTable::number(c.value, c.decimals, ro), c.text);
        const QString printedFormat = c.decimals < 0 ? QString() : QStringLiteral("0.00");
        EXPECT_EQ(FieldFormat::formatNumber(c.value, printedFormat, ro), c.text);
    }
}
