#include "db/DateFormat.h"
#include "db/Sql.h"
#include "printing/ReportLayout.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

// A report prints a text column as stored, a date column as a short date and
// a number in its format, whatever the texts look like.
TEST(ReportTableTest, ColumnsPrintByTheirDeclaredType)
{
    TestFolder folder;
    const QSqlDatabase db = folder.openWorkingYear();
    Sql::exec(db, QStringLiteral("CREATE TABLE Proba (Text VARCHAR(20), Zi DATE, Suma FLOAT)"));
    Sql::exec(db, QStringLiteral("INSERT INTO Proba VALUES ('01.02.2024', '2024-02-01', 5), "
                                 "('2024-02-01', '2024-03-01', 1234.5)"));
    QSqlQuery query = Sql::exec(
        db, QStringLiteral("SELECT Text, Zi, Suma, date(Zi, '+1 day') AS Maine, Zi || '' AS Cod FROM Proba"));
    // An expression column is a date only when the report says so.
    const ReportTable table = ReportTable::fromQuery(query, {QStringLiteral("Maine")});

    ReportDefinition r;
    r.data = &table;
    r.detail.height = 6;
    const QStringList fields = {"Text", "Zi", "Suma", "Maine", "Cod"};
    for (int i = 0; i < fields.size(); ++i)
        r.detail.add(ReportElement::data({30.0 * i, 0, 28, 6}, fields[i], QStringLiteral("#,##0.00")));
    const QStringList texts = ReportLayout::run(r).pages[0].texts();

    const auto date = [](int y, int m, int d) { return DateFormat::toShortText(QDate(y, m, d)); };
    const QLocale locale;
    EXPECT_EQ(texts, QStringList({"01.02.2024", date(2024, 2, 1), locale.toString(5.0, 'f', 2),
                                  date(2024, 2, 2), "2024-02-01", "2024-02-01", date(2024, 3, 1),
                                  locale.toString(1234.5, 'f', 2), date(2024, 3, 2), "2024-03-01"}));
}
