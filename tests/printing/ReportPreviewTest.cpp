#include "printing/ReportPreview.h"
#include "printing/ReportFrame.h"
#include "support/ScriptedDialogs.h"

#include <QAccessible>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

// A one-row report of an explanation and an amount.
class ReportPreview : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ReportTable table;
        table.fields = {QStringLiteral("Explicatii"), QStringLiteral("Valoarea")};
        table.rows = {{QStringLiteral("Donație pentru țiglă"), 1234.5}};
        report.definition.data = report.keep(table);
        report.definition.detail.height = 6;
        report.definition.detail.add(ReportElement::data({0, 0, 80, 6}, QStringLiteral("Explicatii")));
        report.definition.detail.add(
            ReportElement::data({80, 0, 40, 6}, QStringLiteral("Valoarea"), QStringLiteral("#,##0.00")));
    }

    // The table the report exports.
    static CsvTable csvOf(const Report& report)
    {
        CsvTable csv;
        csv.header = report.definition.data->fields;
        for (const QVariantList& row : report.definition.data->rows)
            csv.rows << QStringList{row[0].toString(), CsvTable::number(row[1].toDouble())};
        return csv;
    }

    static QPushButton* button(const TReportPreview& preview, const char* name)
    {
        return preview.findChild<QPushButton*>(QString::fromLatin1(name));
    }

    Report report;
    ScriptedDialogs dialogs;
    QTemporaryDir folder;
};

} // namespace

// The page and zoom buttons show signs; a screen reader says what they do.
TEST_F(ReportPreview, EveryButtonCarriesTheNameAPersonWouldSay)
{
    TReportPreview preview(report.definition, nullptr, [this] { return csvOf(report); });
    const QList<std::pair<const char*, const char*>> names{
        {"PrimaPagina", "Prima pagina"},
        {"PaginaAnterioara", "Pagina anterioara"},
        {"PaginaUrmatoare", "Pagina urmatoare"},
        {"UltimaPagina", "Ultima pagina"},
        {"Micsoreaza", "Micsoreaza"},
        {"Mareste", "Mareste"},
        {"Printeaza", "Printeaza"},
        {"SalveazaPdf", "Salveaza PDF"},
        {"SalveazaCsv", "Salveaza CSV"},
        {"Inchide", "Inchide"},
    };
    for (const auto& [objectName, spoken] : names) {
        SCOPED_TRACE(objectName);
        QPushButton* b = button(preview, objectName);
        ASSERT_NE(b, nullptr);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(b);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromLatin1(spoken));
    }
}

// "Salveaza CSV" writes the report's CSV table where the user chooses, as
// the command line's --csv writes it; cancelling the file name writes nothing.
TEST_F(ReportPreview, SavesTheReportsCsvWhereTheUserChooses)
{
    TReportPreview preview(report.definition, nullptr, [this] { return csvOf(report); });
    const QString chosen = folder.filePath(QStringLiteral("raport"));
    dialogs.fileAnswers << chosen;
    QTest::mouseClick(button(preview, "SalveazaCsv"), Qt::LeftButton);
    EXPECT_EQ(dialogs.texts(QStringLiteral("saveFile")),
              QStringList{"Salveaza raportul ca CSV|Fisiere CSV (*.csv)"});
    const QString written = chosen + QStringLiteral(".csv");
    QFile file(written);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString expected = folder.filePath(QStringLiteral("asteptat.csv"));
    csvOf(report).write(expected);
    QFile expectedFile(expected);
    ASSERT_TRUE(expectedFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), expectedFile.readAll());
    file.close();

    QFile::remove(written);
    QTest::mouseClick(button(preview, "SalveazaCsv"), Qt::LeftButton); // no file name: cancelled
    EXPECT_FALSE(QFile::exists(written));
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")), QStringList());
}

// A report without a CSV table (a payment order) offers no "Salveaza CSV".
TEST_F(ReportPreview, AReportWithoutACsvTableOffersNone)
{
    TReportPreview preview(report.definition);
    EXPECT_EQ(button(preview, "SalveazaCsv"), nullptr);
    EXPECT_NE(button(preview, "SalveazaPdf"), nullptr);
}
