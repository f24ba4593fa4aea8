#include "ParishRecords.h"
#include "support/ReportFixture.h"
#include "app/MainUnt.h"
#include "app/ProgramReports.h"
#include "core/ProgramOptions.h"
#include "db/Dataset.h"
#include "printing/ReportCatalog.h"
#include "records/RecordCardReport.h"
#include "records/RecordReports.h"
#include "records/TFisaEnoriasFrm.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace ParishRecords;
using TRepFisaEnoriasFrm::Kind;
using TRepFisaEnoriasFrm::Options;

namespace
{

class RecordCard : public ReportFixture
{
protected:
    // The Popescu family: two members and one baptism; a marriage when asked.
    void addPopescu(bool withMarriage = false)
    {
        addParishioner(db, QStringLiteral("P1"), QStringLiteral("Popescu Ion"));
        addMember(db, QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QDate(1970, 5, 1));
        addMember(db, QStringLiteral("P1"), QStringLiteral("Popescu Maria"), QDate(1972, 3, 9));
        addBaptism(db, QStringLiteral("P1"), 12, QDate(2024, 2, 4), QStringLiteral("Popescu Andrei"));
        if (withMarriage)
            addMarriage(db, QStringLiteral("P1"), 5, QDate(2024, 6, 8), QStringLiteral("Popescu Dan"));
    }

    PageModel layOut(const Options& options) { return layOutReport(TRepFisaEnoriasFrm::build(db, options)); }
};

} // namespace

TEST_F(RecordCard, AFamilySheetOfTwoMembersAndOneBaptismListsTheMembersOnly)
{
    addPopescu();
    const PageModel model = layOut({.kind = Kind::FamilySheet, .code = QStringLiteral("P1")});

    ASSERT_EQ(model.pages.size(), 1);
    const QStringList texts = model.pages[0].texts();
    EXPECT_TRUE(texts.contains(QStringLiteral("Foaia familiala")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Familia Popescu Ion")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Strada: Florilor")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Numarul : 3")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Tipul contributiei : Intreaga")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Persoanele apartinatoare familiei")));
    EXPECT_EQ(texts.count(QStringLiteral("1.")), 1);
    EXPECT_EQ(texts.count(QStringLiteral("2.")), 1);
    EXPECT_EQ(texts.indexOf(QStringLiteral("Popescu Maria")) - texts.indexOf(QStringLiteral("2.")), 1);
    EXPECT_FALSE(texts.contains(QStringLiteral("Botezuri")));
    EXPECT_FALSE(texts.contains(QStringLiteral("Popescu Andrei")));
    EXPECT_FALSE(texts.contains(TRepFisaEnoriasFrm::recordCardHeading));
}

TEST_F(RecordCard, TheSeparatePagesAnswerPutsEachEventSectionOnAPageOfItsOwn)
{
    struct Case {
        const char* name;
        bool separatePages;
        int pages, baptismsPage, marriagesPage;
    };
    forEachCase(QList<Case>{{"Da", true, 3, 1, 2}, {"Nu", false, 1, 0, 0}}, [&](const Case& c) {
        addPopescu(true);
        const PageModel model = layOut(
            {.kind = Kind::RecordCard, .code = QStringLiteral("P1"), .separatePages = c.separatePages});
        ASSERT_EQ(model.pages.size(), c.pages);
        EXPECT_EQ(pageOf(model, TRepFisaEnoriasFrm::recordCardHeading), 0);
        EXPECT_EQ(pageOf(model, QStringLiteral("Persoanele apartinatoare familiei")), 0);
        EXPECT_EQ(pageOf(model, QStringLiteral("Botezuri")), c.baptismsPage);
        EXPECT_EQ(pageOf(model, QStringLiteral("Popescu Andrei")), c.baptismsPage);
        EXPECT_EQ(pageOf(model, QStringLiteral("Casatorii")), c.marriagesPage);
        EXPECT_EQ(pageOf(model, QStringLiteral("Popescu Dan")), c.marriagesPage);
        EXPECT_EQ(pageOf(model, QStringLiteral("12 /")), c.baptismsPage);
        EXPECT_EQ(pageOf(model, QStringLiteral("Familia Popescu Ion")), -1);
    });
}

TEST_F(RecordCard, EveryParishionerStartsAPageAndEverySectionNumbersFromOneInEachRendering)
{
    addPopescu();
    addParishioner(db, QStringLiteral("A7"), QStringLiteral("Avram Elena"));
    addMember(db, QStringLiteral("A7"), QStringLiteral("Avram Elena"), QDate(1980, 1, 2));
    addBaptism(db, QStringLiteral("A7"), 3, QDate(2024, 1, 10), QStringLiteral("Avram Luca"));
    addParishioner(db, QStringLiteral("Z9"), QStringLiteral("Zamfir Petre"));

    report = TRepFisaEnoriasFrm::build(db, {.kind = Kind::RecordCard});
    ReportFrame::applyDefaults({10, QPageLayout::Landscape});
    const PageModel first = ReportFrame::layOut(*report);
    const PageModel second = ReportFrame::layOut(*report);

    // In code order: A7, P1, Z9; Z9 has no record, so only its heading and its line.
    ASSERT_EQ(first.pages.size(), 3);
    EXPECT_EQ(pageOf(first, QStringLiteral("Avram Elena")), 0);
    EXPECT_EQ(pageOf(first, QStringLiteral("Popescu Ion")), 1);
    EXPECT_EQ(pageOf(first, QStringLiteral("Zamfir Petre")), 2);
    EXPECT_EQ(first.pages[0].texts().count(QStringLiteral("1.")), 2); // a member and a baptism
    EXPECT_EQ(first.pages[1].texts().count(QStringLiteral("1.")), 2);
    EXPECT_EQ(first.pages[1].texts().count(QStringLiteral("2.")), 1);
    EXPECT_FALSE(first.pages[2].texts().contains(QStringLiteral("Persoanele apartinatoare familiei")));
    EXPECT_TRUE(first.pages[2].texts().contains(QStringLiteral("Strada: Florilor")));
    for (int p = 0; p < first.pages.size(); ++p)
        EXPECT_EQ(second.pages[p].texts(), first.pages[p].texts());
}

TEST_F(RecordCard, ACodeOfNoParishionerGivesNoPages)
{
    addPopescu();
    EXPECT_TRUE(layOut({.kind = Kind::RecordCard, .code = QStringLiteral("X")}).pages.isEmpty());
}

TEST_F(RecordCard, TheCompoundNameOptionOfTheProgramFolderAddsTheCode)
{
    struct Case {
        const char* name;
        QByteArray ini;
        QString familyName;
        QString csvLine;
    };
    const QString member = QStringLiteral(";1;Popescu Ion;01.05.1970;;;Casatorit/a;Ortodoxa;;");
    forEachCase(QList<Case>{{"fara optiune", "", "Familia Popescu Ion", "P1;Familia Popescu Ion" + member},
                            {"nume compus", "[Options]\nFoloseste nume compus pe rapoarte=1\n",
                             "Familia Popescu Ion (P1)", "P1;Familia Popescu Ion (P1)" + member}},
                [&](const Case& c) {
                    addPopescu();
                    folder->write(ProgramOptions::fileName, c.ini);
                    const ReportEntry* entry = programReports().find(QStringLiteral("fisa-familie"));
                    ASSERT_NE(entry, nullptr);
                    ReportAnswers answers;
                    answers.code = QStringLiteral("P1");
                    const PageModel model = layOutReport(entry->build(answers));
                    EXPECT_EQ(pageOf(model, c.familyName), 0);
                    const CsvTable csv = entry->csv(*report, answers);
                    ASSERT_EQ(csv.rows.size(), 2);
                    EXPECT_EQ(csv.rows[0].join(';'), c.csvLine);
                });
}

TEST_F(RecordCard, TheMenuCommandsPrintEveryFamilyAndTheCardAsksForSeparatePages)
{
    addPopescu(true);
    addParishioner(db, QStringLiteral("A7"), QStringLiteral("Avram Elena"));
    TMainFrm window;
    window.show();

    window.command(QStringLiteral("FoileToate"))->trigger();
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(printer.jobs[0].model.pages.size(), 2);
    EXPECT_EQ(printer.jobs[0].model.orientation, QPageLayout::Landscape);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("question")).isEmpty());

    dialogs.answers = {true};
    window.command(QStringLiteral("FiseleToate"))->trigger();
    ASSERT_EQ(printer.jobs.size(), 2);
    EXPECT_EQ(dialogs.texts(QStringLiteral("question")),
              QStringList{TRepFisaEnoriasFrm::separatePagesQuestion});
    // Avram on one page; Popescu on three: members, baptisms, marriages.
    EXPECT_EQ(printer.jobs[1].model.pages.size(), 4);
}

TEST_F(RecordCard, TheFamilyWindowPrintsOneParishionerOrAllThroughThePrintSetup)
{
    addPopescu(true);
    addParishioner(db, QStringLiteral("A7"), QStringLiteral("Avram Elena"));
    QWidget caller;

    printFamilySheet(&caller, QStringLiteral("P1"));
    ASSERT_EQ(printer.jobs.size(), 1);
    ASSERT_EQ(printer.jobs[0].model.pages.size(), 1);
    EXPECT_TRUE(printer.jobs[0].model.pages[0].texts().contains(QStringLiteral("Familia Popescu Ion")));

    dialogs.answers = {false};
    printRecordCard(&caller, QString());
    ASSERT_EQ(printer.jobs.size(), 2);
    EXPECT_EQ(printer.jobs[1].model.pages.size(), 2);
    EXPECT_EQ(dialogs.texts(QStringLiteral("question")).size(), 1);

    // A cancelled print setup asks nothing and prints nothing.
    dialogs.printSetupAnswers = {false};
    printRecordCard(&caller, QStringLiteral("P1"));
    EXPECT_EQ(printer.jobs.size(), 2);
    EXPECT_EQ(dialogs.texts(QStringLiteral("question")).size(), 1);
}

TEST_F(RecordCard, TheSelectiveCommandPrintsTheFamilyFoundInTheFamilySheetWindow)
{
    addPopescu();
    addParishioner(db, QStringLiteral("A7"), QStringLiteral("Avram Elena"));
    TMainFrm window;
    window.show();
    window.command(QStringLiteral("FoileSelectiv"))->trigger();
    QCoreApplication::processEvents();
    TFisaEnoriasFrm* sheet = window.findChild<TFisaEnoriasFrm*>();
    ASSERT_TRUE(sheet);
    // The list opens on the lowest code, A7; the search finds P1.
    QTest::keyClicks(sheet->searchEdit(), QStringLiteral("p"));
    QTest::mouseClick(sheet->printButton(), Qt::LeftButton);
    QMenu* menu = sheet->printMenu();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    const QAction* item = menu->actions().at(3);
    ASSERT_EQ(item->text(), QStringLiteral("Foaia familiala"));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(const_cast<QAction*>(item)).center());
    QCoreApplication::processEvents();

    ASSERT_EQ(printer.jobs.size(), 1);
    ASSERT_EQ(printer.jobs[0].model.pages.size(), 1);
    EXPECT_TRUE(printer.jobs[0].model.pages[0].texts().contains(QStringLiteral("Familia Popescu Ion")));
    sheet->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(RecordCard, AFamilyOfNoParishionerSaysSoAndPrintsNothing)
{
    QWidget caller;
    printFamilySheet(&caller, QString());
    addPopescu();
    printRecordCard(&caller, QStringLiteral("X"));
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")),
              QStringList({"Nu este inregistrat nici un enorias.", "Nu exista enoriasul cu codul X."}));
}
