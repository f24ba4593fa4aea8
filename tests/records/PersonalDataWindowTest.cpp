#include "SampleFamily.h"

#include "app/MainUnt.h"
#include "catalogues/CatalogWindow.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "journal/JournalStore.h"
#include "journal/PeriodLock.h"
#include "records/TFisaEnoriasFrm.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

// The sample family in a real working year, its windows driven by the keys
// and the mouse, the dialogs scripted.
class PersonalDataWindows : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = folder.openWorkingYear();
        SampleFamily::write(db);
        mainWindow.show();
    }

    void TearDown() override
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<TFisaEnoriasFrm*>(window) || qobject_cast<TCatalogFrm*>(window))
                window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The family sheet window on the family P1, found by typing its code.
    TFisaEnoriasFrm* openFamilySheet()
    {
        TFisaEnoriasFrm* window = TFisaEnoriasFrm::open(&mainWindow);
        if (!window)
            return nullptr;
        QApplication::setActiveWindow(window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClicks(window->searchEdit(), SampleFamily::code);
        QCoreApplication::processEvents();
        EXPECT_EQ(window->table(TFisaEnoriasFrm::Catalog)->asString(QStringLiteral("Cod_enorias")),
                  SampleFamily::code);
        return window;
    }

    static void click(QAbstractButton* button)
    {
        ASSERT_TRUE(button && button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    QString storedName() const
    {
        return Sql::scalar(db, QStringLiteral("SELECT Nume_prenume FROM Enoriasi WHERE Cod_enorias = 'P1'"))
            .toString();
    }

    qint64 journalEntries() const { return JournalStore::head(db).count; }

    TestFolder folder;
    QSqlDatabase db;
    ScriptedDialogs dialogs;
    QWidget mainWindow;
};

// Alt+N ("A&nonimizare..."), answered by the scripted dialogs.
TEST_F(PersonalDataWindows, TheFamilySheetAnonymisesOnlyAfterTwoYesAnswers)
{
    TFisaEnoriasFrm* window = openFamilySheet();
    ASSERT_TRUE(window);
    const struct {
        const char* name;
        QList<bool> answers;
        int questions;
        bool anonymised;
    } cases[] = {
        {"no to the first question", {false}, 1, false},
        {"no to the second question", {true, false}, 2, false},
        {"yes to both", {true, true}, 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.shown.clear();
        dialogs.answers = c.answers;
        const qint64 entriesBefore = journalEntries();
        // The button shows itself pressed a moment, then acts: its first question says so.
        QTest::keyClick(window, Qt::Key_N, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown.isEmpty(); }));
        const QStringList questions = dialogs.texts(QStringLiteral("question"));
        ASSERT_EQ(questions.size(), c.questions);
        EXPECT_TRUE(questions[0].contains(QStringLiteral("Popescu Ion (cod P1)")))
            << questions[0].toStdString();
        if (c.questions > 1)
            EXPECT_TRUE(questions[1].contains(QStringLiteral("NU poate fi anulata")))
                << questions[1].toStdString();
        EXPECT_EQ(storedName(), c.anonymised ? QStringLiteral("ANONIM-P1") : SampleFamily::name);
        EXPECT_EQ(journalEntries() > entriesBefore, c.anonymised);
        EXPECT_EQ(dialogs.texts(QStringLiteral("information")).size(), c.anonymised ? 1 : 0);
    }
    // The window shows the family as stored now, on every page.
    EXPECT_EQ(window->table(TFisaEnoriasFrm::Catalog)->asString(QStringLiteral("Nume_prenume")),
              QStringLiteral("ANONIM-P1"));
    EXPECT_TRUE(window->header(TFisaEnoriasFrm::Members)->text().contains(QStringLiteral("ANONIM-P1")));
    EXPECT_EQ(window->table(TFisaEnoriasFrm::Members)->asString(QStringLiteral("Numele")),
              QStringLiteral("ANONIM-P1-1"));
}

TEST_F(PersonalDataWindows, AFamilyWithAReceiptInTheLockedPeriodIsRefusedBeforeAnyQuestion)
{
    PeriodLock::setDate(db, QDate(2024, 3, 31));
    TFisaEnoriasFrm* window = openFamilySheet();
    ASSERT_TRUE(window);
    dialogs.answers = {true, true};
    click(window->anonymiseButton());
    EXPECT_TRUE(dialogs.texts(QStringLiteral("question")).isEmpty());
    const QStringList errors = dialogs.texts(QStringLiteral("error"));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Perioada pana la 31.03.2024 este blocata")))
        << errors[0].toStdString();
    EXPECT_EQ(storedName(), SampleFamily::name);
}

TEST_F(PersonalDataWindows, TheFamilySheetSavesTheDataWhereTheUserSays)
{
    TFisaEnoriasFrm* window = openFamilySheet();
    ASSERT_TRUE(window);
    ASSERT_TRUE(QDir().mkpath(folder.file(QStringLiteral("cerere"))));
    dialogs.fileAnswers = {folder.file(QStringLiteral("cerere/popescu"))};
    click(window->personalDataButton());
    EXPECT_EQ(QDir(folder.file(QStringLiteral("cerere")))
                  .entryList(QDir::Files | QDir::Hidden)
                  .join(' ')
                  .toStdString(),
              "popescu.json popescu.pdf");
    const QStringList told = dialogs.texts(QStringLiteral("information"));
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(QStringLiteral("popescu.json"))) << told[0].toStdString();

    // Cancelled: nothing is written, nothing is said.
    dialogs.shown.clear();
    click(window->personalDataButton());
    EXPECT_TRUE(dialogs.texts(QStringLiteral("information")).isEmpty());
}

TEST_F(PersonalDataWindows, TheParishionersCatalogueCarriesBothCommands)
{
    TMainFrm main;
    main.show();
    main.command(QStringLiteral("Enoriasi"))->trigger();
    TCatalogFrm* window = main.findChild<TCatalogFrm*>(QStringLiteral("TEnoriasiFrm"));
    ASSERT_TRUE(window);
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClicks(window->searchEdit(),
                     SampleFamily::name); // the catalogue opens in the order of the names
    QCoreApplication::processEvents();
    ASSERT_EQ(window->currentKey().toString(), SampleFamily::code);

    dialogs.fileAnswers = {folder.file(QStringLiteral("p1.json"))};
    click(window->findChild<QPushButton*>(QStringLiteral("DatePersonaleBtn")));
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("p1.json"))));
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("p1.pdf"))));

    dialogs.answers = {true, true};
    click(window->findChild<QPushButton*>(QStringLiteral("AnonimizareBtn")));
    EXPECT_EQ(storedName(), QStringLiteral("ANONIM-P1"));
    EXPECT_EQ(window->catalog()->asString(QStringLiteral("Nume_prenume")), QStringLiteral("ANONIM-P1"));

    // Chosen again, the window is the same and its commands are not doubled.
    main.command(QStringLiteral("Enoriasi"))->trigger();
    EXPECT_EQ(window->findChildren<QPushButton*>(QStringLiteral("AnonimizareBtn")).size(), 1);
    window->close();
}

} // namespace
