#include "ParishBooks.h"
#include "app/ProgramReports.h"
#include "core/ProgramOptions.h"
#include "printing/PagePainter.h"
#include "printing/ReportCatalog.h"
#include "support/PdfPages.h"

namespace
{

const QDate referenceDate(2026, 6, 30);

// What a report gave: its CSV lines and the texts of its PDF pages.
struct Output {
    QStringList csv;
    QList<PdfPage> pages;
    QString pageText(int page) const { return pages.value(page).texts.join(QLatin1Char('|')); }
};

// The contribution reports run from their catalogue entries on a working
// year, each written to a real PDF and read back.
class ContributionReports : public ParishBooks
{
protected:
    // A receipt as the incomes window stores it, with its own number, kind and explanation.
    void addReceipt(const QString& code, double number, const QDate& date, double value,
                    const QString& explanation = {}, int incomeCode = contributionCode)
    {
        Sql::exec(db,
                  QStringLiteral("INSERT INTO Venituri (Nr_act, Data, Cod_venit, Cod_enorias, Valoarea, Fel, "
                                 "Explicatie) VALUES (:nr, :d, :cv, :c, :v, 'CHIT', :e)"),
                  {{QStringLiteral(":nr"), number},
                   {QStringLiteral(":d"), date.toString(Qt::ISODate)},
                   {QStringLiteral(":cv"), incomeCode},
                   {QStringLiteral(":c"), code},
                   {QStringLiteral(":v"), value},
                   {QStringLiteral(":e"), explanation}});
    }

    Output run(const QString& name, ReportAnswers answers = {})
    {
        const ReportEntry* entry = programReports().find(name);
        EXPECT_NE(entry, nullptr);
        if (!entry)
            return {};
        if (entry->asksReferenceDate) {
            if (!answers.to.isValid())
                answers.to = referenceDate;
        }
        ReportFrame::applyDefaults(entry->defaults);
        std::unique_ptr<Report> report = entry->build(answers);
        Output out;
        out.csv = entry->csv(*report, answers).text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const PageModel model = ReportFrame::layOut(*report);
        if (!model.pages.isEmpty()) {
            const QString pdf = folder.file(name + QStringLiteral(".pdf"));
            PagePainter::writePdf(model, pdf);
            out.pages = readPdfPages(pdf);
        }
        return out;
    }

    Output situation(bool byCode, bool receipts)
    {
        ReportAnswers answers;
        answers.yesNo = {{QStringLiteral("ordine-cod"), byCode}, {QStringLiteral("detaliere"), receipts}};
        return run(QStringLiteral("situatie-contributii"), answers);
    }

    Output sheet(const QString& code)
    {
        ReportAnswers answers;
        answers.code = code;
        return run(QStringLiteral("fisa-contributie"), answers);
    }
};

const QString familyHeader = QStringLiteral("Nr. crt.;Nume si prenumele;Strada;Nr.;Tip;Contributia / "
                                            "Cuvenita;Contributia / Incasata;Contributia / Restanta");

} // namespace

TEST_F(ContributionReports, TheSheetRunsTheRemainderDownEveryReceipt)
{
    struct Case {
        const char* name;
        QString type;
        QVariant carried;
        QList<std::pair<double, double>> receipts; // number, value; dated the 1st of months 3, 4, ...
        QStringList lines;
    };
    const QList<Case> cases{
        {"100 less 20 and 30",
         "Intreaga",
         {},
         {{1, 20}, {2, 30}},
         {"1;01.03.2026;;100;20;80", "2;01.04.2026;;80;30;50"}},
        {"no receipt: one line of the due", "Intreaga", {}, {}, {";;;100;;100"}},
        {"two receipts alike in every field are both paid",
         "Intreaga",
         {},
         {{5, 25}, {5, 25}},
         {"5;01.03.2026;;100;25;75", "5;01.04.2026;;75;25;50"}},
        {"carried arrears and half of 125", "Jumatate", 30.0, {{7, 2.5}}, {"7;01.03.2026;;92,5;2,5;90"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sql::exec(db, QStringLiteral("DELETE FROM Enoriasi"));
        Sql::exec(db, QStringLiteral("DELETE FROM Venituri"));
        setWholeValue(c.type == QStringLiteral("Jumatate") ? 125 : 100);
        addParishioner(QStringLiteral("P1"), QStringLiteral("Pop Ion"), c.type, c.carried);
        int month = 3;
        for (const auto& [number, value] : c.receipts)
            addReceipt(QStringLiteral("P1"), number, QDate(2026, month++, 1), value);
        addReceipt(QStringLiteral("P1"), 99, QDate(2026, 2, 1), 40, {},
                   otherIncomeCode); // not a contribution

        const Output out = sheet(QStringLiteral("P1"));
        EXPECT_EQ(out.csv, QStringList{"Chitante / Nr.;Chitante / Data;EXPLICATII;Contributia / "
                                       "Cuvenita;Contributia / Incasata;Contributia / Restanta"} +
                               c.lines);
        ASSERT_EQ(out.pages.size(), 1);
        EXPECT_NEAR(out.pages[0].size.width(), 210, 1);
        const QString text = out.pageText(0);
        for (const char* expected : {"Fisa nominala privind contributia", "Numele :|Pop Ion", "EXPLICATII",
                                     "Pagina  1", "Lumivaret, produs Morvalen"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(expected)))
                << expected << " in " << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Tipul contributiei :|") + c.type));
    }
}

TEST_F(ContributionReports, TheArrearsListNumbersOnlyTheFamiliesThatOweWithoutGaps)
{
    addParishioner(QStringLiteral("1"), QStringLiteral("Tudor Ana"), QStringLiteral("Intreaga"));
    addParishioner(QStringLiteral("2"), QStringLiteral("Barbu Paul"), QStringLiteral("Intreaga")); // paid all
    addParishioner(QStringLiteral("3"), QStringLiteral("Ștefan Ilie"), QStringLiteral("Jumatate"));
    addParishioner(QStringLiteral("4"), QStringLiteral("Costea Dan"),
                   QStringLiteral("Intreaga")); // paid more
    addParishioner(QStringLiteral("5"), QStringLiteral("Sorin Vasile"), QStringLiteral("Intreaga"), 12.5);
    addReceipt(QStringLiteral("2"), 1, QDate(2026, 1, 5), 43.06);
    addReceipt(QStringLiteral("2"), 2, QDate(2026, 1, 6), 54.02);
    addReceipt(QStringLiteral("2"), 3, QDate(2026, 1, 7), 2.92); // 100 less a few 1e-14 lei
    addReceipt(QStringLiteral("4"), 4, QDate(2026, 2, 1), 115);
    addReceipt(QStringLiteral("1"), 5, QDate(2026, 3, 1), 40);
    addReceipt(QStringLiteral("1"), 6, referenceDate.addDays(1), 60); // after the reference date

    const Output out = run(QStringLiteral("restante"));
    EXPECT_EQ(out.csv, QStringList({familyHeader, "1;Sorin Vasile;Lunga;1;Intreaga;112,5;;112,5",
                                    "2;Ștefan Ilie;Lunga;1;Jumatate;50;;50",
                                    "3;Tudor Ana;Lunga;1;Intreaga;100;40;60"}));
    ASSERT_EQ(out.pages.size(), 1);
    const QString text = out.pageText(0);
    EXPECT_TRUE(text.contains(QStringLiteral("Lista restantierilor la plata contributiei")));
    EXPECT_TRUE(text.contains(QStringLiteral("la data de : 30.06.2026")));
    EXPECT_FALSE(text.contains(QStringLiteral("Barbu")));
    EXPECT_FALSE(text.contains(QStringLiteral("Costea")));
}

TEST_F(ContributionReports, AnArrearsListWithNobodyOwingPrintsItsTitleAndCaptions)
{
    addParishioner(QStringLiteral("1"), QStringLiteral("Barbu Paul"), QStringLiteral("Intreaga"));
    addReceipt(QStringLiteral("1"), 1, QDate(2026, 1, 5), 100);

    const Output out = run(QStringLiteral("restante"));
    EXPECT_EQ(out.csv, QStringList{familyHeader});
    ASSERT_EQ(out.pages.size(), 1);
    EXPECT_TRUE(out.pageText(0).contains(QStringLiteral("Nume si prenumele")));
    EXPECT_FALSE(out.pageText(0).contains(QStringLiteral("Barbu")));
}

TEST_F(ContributionReports, TheSituationListsEveryReceiptUnderItsFamily)
{
    addParishioner(QStringLiteral("9"), QStringLiteral("Pop Ion"), QStringLiteral("Intreaga"));
    addParishioner(QStringLiteral("10"), QStringLiteral("Zamfir Ana"), QStringLiteral("75,5"));
    addReceipt(QStringLiteral("9"), 4, QDate(2026, 3, 1), 10, QStringLiteral("taxa; anul \"2026\""));
    addReceipt(QStringLiteral("9"), 4, QDate(2026, 3, 1), 10, QStringLiteral("taxa; anul \"2026\""));
    addReceipt(QStringLiteral("9"), 2, QDate(2026, 2, 1), 5);
    addReceipt(QStringLiteral("9"), 8, referenceDate.addDays(1), 50); // after the reference date

    struct Case {
        const char* name;
        bool byCode, receipts;
        QStringList lines;
    };
    const QString pop = QStringLiteral("1;Pop Ion;Lunga;1;Intreaga;100;25;75");
    const QString zamfir = QStringLiteral("2;Zamfir Ana;Lunga;1;75,5;75,5;;75,5");
    const QStringList receipts{";2, 01.02.2026, CHIT, ;;;;;5;",
                               ";\"4, 01.03.2026, CHIT, taxa; anul \"\"2026\"\"\";;;;;10;",
                               ";\"4, 01.03.2026, CHIT, taxa; anul \"\"2026\"\"\";;;;;10;"};
    const QList<Case> cases{
        {"alphabetical, with receipts", false, true, QStringList{pop} + receipts + QStringList{zamfir}},
        {"alphabetical, without receipts", false, false, {pop, zamfir}},
        {"by code as text: 10 before 9",
         true,
         false,
         {"1;Zamfir Ana;Lunga;1;75,5;75,5;;75,5", "2;Pop Ion;Lunga;1;Intreaga;100;25;75"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Output out = situation(c.byCode, c.receipts);
        EXPECT_EQ(out.csv, QStringList{familyHeader} + c.lines);
        ASSERT_EQ(out.pages.size(), 1);
        const QString text = out.pageText(0);
        EXPECT_TRUE(text.contains(QStringLiteral("Situatia contributiilor anuale ale credinciosilor")));
        EXPECT_EQ(text.contains(QStringLiteral("nr. act, data, tip incasare, explicatie, suma")), c.receipts);
        EXPECT_EQ(text.count(QStringLiteral("taxa; anul")), c.receipts ? 2 : 0);
        if (c.receipts) { // the receipts print between their family and the next
            EXPECT_LT(text.indexOf(QStringLiteral("Pop Ion")), text.indexOf(QStringLiteral("taxa; anul")));
            EXPECT_LT(text.lastIndexOf(QStringLiteral("taxa; anul")),
                      text.indexOf(QStringLiteral("Zamfir Ana")));
        }
    }
}

TEST_F(ContributionReports, TheParishionerListFollowsTheCodesAsText)
{
    addParishioner(QStringLiteral("9"), QStringLiteral("Pop Ion"), QStringLiteral("Intreaga"));
    addParishioner(QStringLiteral("10"), QStringLiteral("Zamfir Ana"), QStringLiteral("Intreaga"), {},
                   QStringLiteral("Scurta"), QStringLiteral("7A"));

    const Output out = run(QStringLiteral("lista-enoriasi"));
    EXPECT_EQ(out.csv, QStringList({"Nr. crt.;Nume si prenumele;Strada;Nr.", "1;Zamfir Ana;Scurta;7A",
                                    "2;Pop Ion;Lunga;1"}));
    ASSERT_EQ(out.pages.size(), 1);
    EXPECT_TRUE(out.pageText(0).contains(QStringLiteral("Lista enoriasilor")));
}

TEST_F(ContributionReports, CompoundNamesShowTheCodeInEveryReport)
{
    ProgramOptions options;
    options.compoundNames = true;
    options.writeStartupSwitches(folder.file(ProgramOptions::fileName));
    addParishioner(QStringLiteral("P7"), QStringLiteral("Pop Ion"), QStringLiteral("Intreaga"));

    struct Case {
        const char* name;
        std::function<Output()> report;
        QString csvName;
    };
    const QList<Case> cases{
        {"situation", [&] { return situation(false, true); }, "Pop Ion (P7)"},
        {"arrears", [&] { return run(QStringLiteral("restante")); }, "Pop Ion (P7)"},
        {"list", [&] { return run(QStringLiteral("lista-enoriasi")); }, "Pop Ion (P7)"},
        {"sheet", [&] { return sheet(QStringLiteral("P7")); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Output out = c.report();
        if (!c.csvName.isEmpty())
            EXPECT_EQ(out.csv.value(1).section(QLatin1Char(';'), 1, 1), c.csvName);
        EXPECT_TRUE(out.pageText(0).contains(QStringLiteral("Pop Ion (P7)")))
            << out.pageText(0).toStdString();
    }
}

TEST_F(ContributionReports, ALongListRepeatsItsCaptionsAndNumbersOnAcrossPages)
{
    for (int i = 1; i <= 120; ++i)
        addParishioner(QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')),
                       QStringLiteral("Enorias %1").arg(i), QStringLiteral("Intreaga"));

    const Output out = run(QStringLiteral("restante"));
    ASSERT_GE(out.pages.size(), 2);
    EXPECT_EQ(out.csv.size(), 121);
    EXPECT_TRUE(out.csv.last().startsWith(QStringLiteral("120;")));
    for (int page = 0; page < out.pages.size(); ++page) {
        SCOPED_TRACE(page);
        EXPECT_TRUE(out.pageText(page).contains(QStringLiteral("Nume si prenumele")));
        EXPECT_TRUE(out.pageText(page).contains(QStringLiteral("Pagina  %1").arg(page + 1)));
        EXPECT_EQ(out.pageText(page).contains(QStringLiteral("Lista restantierilor")), page == 0);
        EXPECT_EQ(out.pageText(page).contains(QStringLiteral("Lumivaret, produs Morvalen")),
                  page == out.pages.size() - 1);
    }
}
