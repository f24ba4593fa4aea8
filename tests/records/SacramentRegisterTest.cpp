#include "records/SacramentRegister.h"
#include "ParishRecords.h"
#include "support/ReportFixture.h"
#include "app/MainUnt.h"
#include "db/Sql.h"
#include "printing/PagePainter.h"
#include "support/PdfPages.h"

#include <QAction>

using namespace ParishRecords;

namespace
{

class SacramentRegisterReport : public ReportFixture
{
protected:
    // Baptisms 9, 3 and 7 under two families, typed out of order.
    void addThreeBaptisms()
    {
        setParish(db, QStringLiteral("Sf. Nicolae"), QStringLiteral("Brasov"));
        addBaptism(db, QStringLiteral("P1"), 9, QDate(2024, 9, 1), QStringLiteral("Ilie"));
        addBaptism(db, QStringLiteral("A7"), 3, QDate(2024, 3, 1), QStringLiteral("Luca"));
        addBaptism(db, QStringLiteral("P1"), 7, QDate(2024, 7, 1), QStringLiteral("Maria"));
    }
};

} // namespace

TEST_F(SacramentRegisterReport, TheActsAreNumberedThroughTheRegisterInTheOrderOfTheirDates)
{
    addThreeBaptisms();
    const PageModel model = layOutReport(TRepRegActeFrm::build(db, SacramentRegister::baptisms()));

    ASSERT_EQ(model.pages.size(), 1);
    const QStringList texts = model.pages[0].texts();
    EXPECT_EQ(texts.count(QStringLiteral("REGISTRU PENTRU INSCRIEREA NASCUTILOR SI BOTEZATILOR")), 1);
    EXPECT_TRUE(
        texts.contains(QStringLiteral("de la Sfanta Biserica Sf. Nicolae din localitatea Brasov "
                                      "in cursul anului %1")
                           .arg(Sql::scalar(db, QStringLiteral("SELECT An_lucru FROM Parohia")).toInt())));
    for (const auto& [counter, number, child] :
         {std::tuple{"1.", "3 /", "Luca"}, {"2.", "7 /", "Maria"}, {"3.", "9 /", "Ilie"}}) {
        const qsizetype at = texts.indexOf(QString::fromUtf8(counter));
        ASSERT_GE(at, 0) << counter;
        EXPECT_EQ(texts[at + 1], QString::fromUtf8(number));
        EXPECT_TRUE(texts.mid(at, 6).contains(QString::fromUtf8(child))) << counter;
    }
}

TEST_F(SacramentRegisterReport, TheCaptionsPrintOnceAndTheCsvHoldsEveryLine)
{
    addThreeBaptisms();
    // The same act typed twice under one family prints once.
    addBaptism(db, QStringLiteral("A7"), 3, QDate(2024, 3, 1), QStringLiteral("Luca"));
    for (int i = 0; i < 60; ++i)
        addBaptism(db, QStringLiteral("B%1").arg(i), 100 + i, QDate(2024, 12, 1), QStringLiteral("Prunc"));
    const PageModel model = layOutReport(TRepRegActeFrm::build(db, SacramentRegister::baptisms()));

    ASSERT_GT(model.pages.size(), 1);
    EXPECT_EQ(pageOf(model, QStringLiteral("Le-gitim")), 0);
    for (int p = 1; p < model.pages.size(); ++p)
        EXPECT_FALSE(model.pages[p].texts().contains(QStringLiteral("Le-gitim")));
    EXPECT_EQ(pageOf(model, QStringLiteral("63.")), int(model.pages.size()) - 1);
    EXPECT_EQ(pageOf(model, QStringLiteral("64.")), -1);

    const CsvTable csv = TRepRegActeFrm::csv(*report, SacramentRegister::baptisms());
    ASSERT_EQ(csv.rows.size(), 63);
    EXPECT_EQ(csv.rows[0].join(';'), QStringLiteral("1;3/01.03.2024;01.03.2024;;Luca;X;;;;Pr. Vasile;;"));
    EXPECT_EQ(csv.rows[2].join(';'), QStringLiteral("3;9/01.09.2024;01.09.2024;;Ilie;X;;;;Pr. Vasile;;"));
}

// The printed captions break long words with a hyphen ("Obser-vatii"); the
// CSV names its columns in whole words, keeps the hyphen of "s-a", and
// numbers its rows as numbers a spreadsheet can sort.
TEST_F(SacramentRegisterReport, TheCsvNamesItsColumnsInWholeWordsAndNumbersItsRows)
{
    struct Case {
        const char* name;
        const SacramentRegister& reg;
        const char* header;
    };
    forEachCase(
        QList<Case>{
            {"botezuri", SacramentRegister::baptisms(),
             "Nr crt.;Numarul si data actului;Data nasterii pruncului;Data botezului;Numele dat la botez;"
             "Legitim;Natural;Numele si prenumele parintilor;Numele si prenumele nasilor;"
             "Semnatura preotului oficiant;Autorit care a elib. CN;Observatii"},
            {"casatorii", SacramentRegister::marriages(),
             "Nr crt.;Numarul si data actului;Numele si prenumele mirelui;Varsta;June sau vaduv;"
             "Numele si prenumele miresei;Varsta;Juna sau vaduva;Numele si prenumele nasilor;"
             "Semnatura preotului oficiant;Observatii"},
            {"inmormantari", SacramentRegister::burials(),
             "Nr crt.;Numarul si data actului;Numele si prenumele decedatului;Barbat;Femeie;Varsta;"
             "Profesia;Cauza incetarii din viata;Semnatura preotului oficiant;"
             "Data si locul unde s-a inmormantat;Observatii"}},
        [&](const Case& c) {
            addBaptism(db, QStringLiteral("P1"), 1, QDate(2024, 1, 1), QStringLiteral("Ion"));
            addBaptism(db, QStringLiteral("P1"), 2, QDate(2024, 1, 2), QStringLiteral("Ana"));
            addMarriage(db, QStringLiteral("P1"), 1, QDate(2024, 1, 1), QStringLiteral("Ion"));
            addMarriage(db, QStringLiteral("P1"), 2, QDate(2024, 1, 2), QStringLiteral("Dan"));
            Sql::exec(
                db, QStringLiteral("INSERT INTO Inmormantari (Cod_enorias, Numar, Data, Nume_decedat) "
                                   "VALUES ('P1', 1, '2024-01-01', 'Ion'), ('P1', 2, '2024-01-02', 'Ana')"));
            const PageModel model = layOutReport(TRepRegActeFrm::build(db, c.reg));
            const CsvTable csv = TRepRegActeFrm::csv(*report, c.reg);
            EXPECT_EQ(csv.header.join(';'), QString::fromUtf8(c.header));
            ASSERT_EQ(csv.rows.size(), 2);
            EXPECT_EQ(csv.rows[0].first(), QStringLiteral("1"));
            EXPECT_EQ(csv.rows[1].first(), QStringLiteral("2"));
            // The printed page keeps its designed captions and counters.
            EXPECT_EQ(pageOf(model, c.reg.columns()[2].caption), 0);
            EXPECT_EQ(pageOf(model, QStringLiteral("2.")), 0);
        });
}

TEST_F(SacramentRegisterReport, EachRegisterHasItsHeadingCaptionsAndTable)
{
    struct Case {
        const char* name;
        const SacramentRegister& reg;
        const char* heading;
        const char* caption;
        const char* command;
    };
    forEachCase(
        QList<Case>{
            {"botezuri", SacramentRegister::baptisms(),
             "REGISTRU PENTRU INSCRIEREA NASCUTILOR SI BOTEZATILOR", "Numele dat la botez", "RegBotezuri"},
            {"casatorii", SacramentRegister::marriages(), "REGISTRU PENTRU INSCRIEREA CASATORITILOR",
             "June sau vaduv", "RegCasatorii"},
            {"inmormantari", SacramentRegister::burials(), "REGISTRU PENTRU INSCRIEREA INMORMANTARILOR",
             "Cauza incetarii din viata", "RegInmormantari"}},
        [&](const Case& c) {
            addBaptism(db, QStringLiteral("P1"), 1, QDate(2024, 1, 1), QStringLiteral("Ion"));
            addMarriage(db, QStringLiteral("P1"), 1, QDate(2024, 1, 1), QStringLiteral("Ion"));
            Sql::exec(db, QStringLiteral("INSERT INTO Inmormantari (Cod_enorias, Numar, Data, Nume_decedat, "
                                         "Sex_M, Varsta) VALUES ('P1', 1, '2024-01-01', 'Ion', 'X', 80)"));
            TMainFrm window;
            window.command(QString::fromUtf8(c.command))->trigger();
            ASSERT_EQ(printer.jobs.size(), 1);
            const PageModel& model = printer.jobs[0].model;
            EXPECT_EQ(model.orientation, QPageLayout::Landscape);
            ASSERT_EQ(model.pages.size(), 1);
            EXPECT_TRUE(model.pages[0].texts().contains(QString::fromUtf8(c.heading)));
            EXPECT_TRUE(model.pages[0].texts().contains(QString::fromUtf8(c.caption)));
            EXPECT_TRUE(model.pages[0].texts().contains(QStringLiteral("1.")));
            EXPECT_TRUE(dialogs.texts(QStringLiteral("question")).isEmpty());
        });
}

TEST_F(SacramentRegisterReport, TheMarriageRegisterIsWrittenToARealLandscapePdf)
{
    addMarriage(db, QStringLiteral("P1"), 4, QDate(2024, 5, 5), QStringLiteral("Radu Mihai"));
    const PageModel model = layOutReport(TRepRegActeFrm::build(db, SacramentRegister::marriages()));
    const QString file = folder->file(QStringLiteral("casatorii.pdf"));
    PagePainter::writePdf(model, file);

    const QList<PdfPage> pages = readPdfPages(file);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_NEAR(pages[0].size.width(), 297, 1);
    EXPECT_NEAR(pages[0].size.height(), 210, 1);
    const QString all = pages[0].texts.join(QLatin1Char('|'));
    EXPECT_TRUE(all.contains(QStringLiteral("REGISTRU PENTRU INSCRIEREA CASATORITILOR")));
    EXPECT_TRUE(all.contains(QStringLiteral("Radu Mihai")));
    EXPECT_TRUE(all.contains(QStringLiteral("24,5")));
}

TEST_F(SacramentRegisterReport, ARegisterWithoutActsSaysSoAndPrintsNothing)
{
    struct Case {
        const char* name;
        const char* command;
        const char* message;
    };
    forEachCase(QList<Case>{{"botezuri", "RegBotezuri", "Nu este inregistrat nici un botez."},
                            {"casatorii", "RegCasatorii", "Nu este inregistrata nici o casatorie."},
                            {"inmormantari", "RegInmormantari", "Nu este inregistrata nici o inmormantare."}},
                [&](const Case& c) {
                    TMainFrm window;
                    window.command(QString::fromUtf8(c.command))->trigger();
                    EXPECT_TRUE(printer.jobs.isEmpty());
                    EXPECT_EQ(dialogs.texts(QStringLiteral("error")),
                              QStringList{QString::fromUtf8(c.message)});
                });
}
