#include "app/MainUnt.h"
#include "catalogues/CatalogWindow.h"
#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

class BackupCommandsTest : public ::testing::Test
{
protected:
    // The working year 2024 after the closing of 2023, with the program beside its data.
    void parish()
    {
        folder.openWorkingYear();
        addIncomeType(1000, QStringLiteral("Colecta"));
        folder.closeYear(2023);
        execOrFail(QStringLiteral("INSERT INTO Ani VALUES (2024)"));
        folder.write(QStringLiteral("Lumivaret"), "program");
        Connection::close();
    }
    void addIncomeType(int code, const QString& name)
    {
        Sql::exec(Connection::database(),
                  QStringLiteral("INSERT INTO Tip_venituri (Cod_venit, Denumire) VALUES (:c, :n)"),
                  {{QStringLiteral(":c"), code}, {QStringLiteral(":n"), name}});
    }
    // The daily backups of these starts go into a folder of the test's own.
    void dailyBackupsInto(const QString& root, bool on = true)
    {
        folder.write(QStringLiteral("Configurari.ini"),
                     QStringLiteral("[Options]\nBackup BD zilnic=%1\nDirector salvari zilnice=%2\n")
                         .arg(on ? 1 : 0)
                         .arg(root)
                         .toUtf8());
    }
    std::unique_ptr<TMainFrm> start()
    {
        auto window = std::make_unique<TMainFrm>();
        window->show();
        return window;
    }
    void run(TMainFrm& window, const char* command)
    {
        window.command(QString::fromLatin1(command))->trigger();
    }
    QStringList incomeTypes(const QString& databaseFile)
    {
        QStringList names;
        const QString name = QStringLiteral("income-types");
        {
            QSqlDatabase db = Connection::openNamed(name, databaseFile);
            QSqlQuery q = Sql::exec(
                db, QStringLiteral(
                        "SELECT Denumire FROM Tip_venituri WHERE Cod_venit >= 1000 ORDER BY Cod_venit"));
            while (q.next())
                names << q.value(0).toString();
        }
        Connection::removeNamed(name);
        return names;
    }
    // The day folders made under a daily backup root: root/SalvariMorvalen/<date>.
    QStringList dayFolders(const QString& root)
    {
        return QDir(root + QStringLiteral("/SalvariMorvalen")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    }
    QString savedProgramFolder(const QString& root)
    {
        const QStringList days = dayFolders(root);
        if (days.size() != 1)
            return {};
        return root + QStringLiteral("/SalvariMorvalen/") + days.first() + QLatin1Char('/') +
               QDir::cleanPath(folder.path()).remove(0, 1);
    }

    TestFolder folder;
    ScriptedDialogs dialogs;
    QTemporaryDir elsewhere;
};

} // namespace

TEST_F(BackupCommandsTest, TheFirstStartOfTheDaySavesTheDataAndASecondStartNothingMore)
{
    parish();
    dailyBackupsInto(elsewhere.path());
    {
        auto window = start();
        EXPECT_TRUE(dialogs.shown.isEmpty());
    }
    const QString saved = savedProgramFolder(elsewhere.path());
    ASSERT_FALSE(saved.isEmpty());
    EXPECT_EQ(QDir(saved).entryList(QDir::Files, QDir::Name),
              QStringList({"BazaDate.sqlite", "Configurari.ini"}));
    EXPECT_EQ(QDir(saved).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{QStringLiteral("2023")});

    Connection::open(folder.databaseFile());
    addIncomeType(1001, QStringLiteral("Pomelnice"));
    Connection::close();
    auto again = start();
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(incomeTypes(saved + QStringLiteral("/BazaDate.sqlite")),
              QStringList{QStringLiteral("Colecta")});
}

// Without a folder in the options the daily backup goes into the home
// folder; its day folder, chosen for the restore, leads to the saved data.
TEST_F(BackupCommandsTest, TheDailyBackupInTheHomeFolderIsRestoredFromItsDayFolder)
{
    parish();
    folder.write(QStringLiteral("Configurari.ini"), "[Options]\nBackup BD zilnic=1\n");
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", elsewhere.path().toUtf8());
    const auto restoreHome = qScopeGuard([&] { qputenv("HOME", home); });
    auto window = start();
    ASSERT_EQ(dayFolders(elsewhere.path()).size(), 1);
    addIncomeType(1001, QStringLiteral("Pomelnice"));

    dialogs.fileAnswers = {elsewhere.path() + QStringLiteral("/SalvariMorvalen/") +
                           dayFolders(elsewhere.path()).first()};
    dialogs.answers = {true};
    run(*window, "RestaurareDate");

    EXPECT_EQ(dialogs.texts(QStringLiteral("question")).size(), 1);
    EXPECT_EQ(dialogs.texts(QStringLiteral("information")).size(), 1)
        << dialogs.texts(QStringLiteral("error")).join(' ').toStdString();
    EXPECT_EQ(incomeTypes(folder.databaseFile()), QStringList{QStringLiteral("Colecta")});
    EXPECT_TRUE(QFileInfo::exists(folder.file(QStringLiteral("2023/BazaDate.sqlite"))));
}

TEST_F(BackupCommandsTest, NoDailyBackupWhenTheOptionIsOff)
{
    parish();
    dailyBackupsInto(elsewhere.path(), false);
    auto window = start();
    EXPECT_TRUE(dayFolders(elsewhere.path()).isEmpty());
}

TEST_F(BackupCommandsTest, AClosedYearTheDailyBackupCannotSaveIsToldAndTheProgramStarts)
{
    parish();
    dailyBackupsInto(elsewhere.path());
    QFile::remove(folder.file(QStringLiteral("2023/BazaDate.sqlite")));
    folder.write(QStringLiteral("2023/BazaDate.sqlite"), "nu este o baza de date");

    auto window = start();

    ASSERT_EQ(dialogs.texts(QStringLiteral("warning")).size(), 1);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("warning")).first().contains(QStringLiteral("anul 2023: ")));
    EXPECT_TRUE(Connection::isOpen());
    EXPECT_EQ(QDir(savedProgramFolder(elsewhere.path())).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList());
}

TEST_F(BackupCommandsTest, ManualBackupSavesEverythingIntoLumivaret)
{
    parish();
    auto window = start();
    dialogs.fileAnswers = {elsewhere.path()};

    run(*window, "SalvareDate");

    EXPECT_EQ(dialogs.texts(QStringLiteral("folder")),
              QStringList{QStringLiteral("Selecteaza folderul pentru salvarea datelor")});
    EXPECT_EQ(
        dialogs.texts(QStringLiteral("information")),
        QStringList{
            QStringLiteral("Operatiune terminata cu succes!\nBaza de date a fost salvata in directorul ") +
            QDir::toNativeSeparators(elsewhere.filePath(QStringLiteral("Lumivaret"))) + QLatin1Char('.')});
    const QDir saved(elsewhere.filePath(QStringLiteral("Lumivaret")));
    EXPECT_TRUE(saved.entryList(QDir::Files).contains(QStringLiteral("Lumivaret"))); // the program too
    EXPECT_EQ(saved.entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{QStringLiteral("2023")});
    EXPECT_EQ(incomeTypes(saved.filePath(QStringLiteral("BazaDate.sqlite"))),
              QStringList{QStringLiteral("Colecta")});
}

TEST_F(BackupCommandsTest, ManualBackupIntoAFolderHoldingLumivaretCopiesNothing)
{
    parish();
    auto window = start();
    QDir().mkpath(elsewhere.filePath(QStringLiteral("Lumivaret")));
    dialogs.fileAnswers = {elsewhere.path()};

    run(*window, "SalvareDate");

    EXPECT_EQ(
        dialogs.texts(QStringLiteral("warning")),
        QStringList{QStringLiteral("Baza de date nu poate fi salvata deoarece directorul %1 exista deja.\n"
                                   "Puteti sterge acest director sau alegeti altul si reluati operatiunea.")
                        .arg(QDir::toNativeSeparators(elsewhere.filePath(QStringLiteral("Lumivaret"))))});
    EXPECT_TRUE(QDir(elsewhere.filePath(QStringLiteral("Lumivaret"))).isEmpty());
    EXPECT_TRUE(dialogs.texts(QStringLiteral("information")).isEmpty());

    dialogs.shown.clear();
    run(*window, "SalvareDate"); // the picker cancelled: nothing said
    EXPECT_EQ(dialogs.shown.size(), 1);
}

// A backup inside the program folder is lost with it, and one inside a year
// folder would change a closed year's frozen copy: both are refused.
TEST_F(BackupCommandsTest, ManualBackupInsideTheProgramFolderIsRefusedAndWritesNothing)
{
    parish();
    QDir().mkpath(folder.file(QStringLiteral("Salvari")));
    auto window = start();
    const QString cases[] = {folder.path(), folder.file(QStringLiteral("2023")),
                             folder.file(QStringLiteral("Salvari"))};
    for (const QString& chosen : cases) {
        SCOPED_TRACE(chosen.toStdString());
        const QStringList before = QDir(chosen).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        dialogs.shown.clear();
        dialogs.fileAnswers = {chosen};

        run(*window, "SalvareDate");

        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")),
                  QStringList{QStringLiteral("Datele nu pot fi salvate in directorul programului (%1) sau "
                                             "intr-un director din el: s-ar pierde odata cu datele.\n"
                                             "Alegeti un director din afara lui, de preferat pe alt disc "
                                             "sau pe un stick, si reluati operatiunea.")
                                  .arg(QDir::toNativeSeparators(QDir::cleanPath(folder.path())))});
        EXPECT_TRUE(dialogs.texts(QStringLiteral("information")).isEmpty());
        EXPECT_EQ(QDir(chosen).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }
}

TEST_F(BackupCommandsTest, RestoreBringsBackWhatWasSavedAndKeepsWhatItReplaces)
{
    parish();
    auto window = start();
    dialogs.fileAnswers = {elsewhere.path()};
    run(*window, "SalvareDate");
    run(*window, "NomVenituri");
    auto* incomes = window->findChild<TCatalogFrm*>();
    ASSERT_NE(incomes, nullptr);
    const int savedRows = incomes->catalog()->recordCount();
    // Changed after the backup.
    addIncomeType(1001, QStringLiteral("Pomelnice"));
    QFile::remove(folder.file(QStringLiteral("2023/BazaDate.sqlite")));

    dialogs.shown.clear();
    dialogs.fileAnswers = {elsewhere.path()}; // the folder holding Lumivaret leads to it
    dialogs.answers = {true};
    run(*window, "RestaurareDate");

    ASSERT_EQ(dialogs.texts(QStringLiteral("question")).size(), 1);
    EXPECT_TRUE(
        dialogs.texts(QStringLiteral("question")).first().contains(QStringLiteral("Ani inchisi: 2023")));
    ASSERT_EQ(dialogs.texts(QStringLiteral("information")).size(), 1)
        << dialogs.texts(QStringLiteral("error")).join(' ').toStdString();
    EXPECT_EQ(incomeTypes(folder.databaseFile()), QStringList{QStringLiteral("Colecta")});
    EXPECT_TRUE(QFileInfo::exists(folder.file(QStringLiteral("2023/BazaDate.sqlite"))));
    EXPECT_EQ(incomes->catalog()->recordCount(), savedRows); // the open window shows the restored rows

    QDirIterator safety(folder.path(), {QStringLiteral("Inainte de restaurare *")}, QDir::Dirs);
    ASSERT_TRUE(safety.hasNext());
    const QString safetyFolder = safety.next();
    EXPECT_TRUE(dialogs.texts(QStringLiteral("information"))
                    .first()
                    .contains(QDir::toNativeSeparators(safetyFolder)));
    EXPECT_EQ(incomeTypes(safetyFolder + QStringLiteral("/BazaDate.sqlite")),
              QStringList({QStringLiteral("Colecta"), QStringLiteral("Pomelnice")}));
}

// A backup whose database is damaged or empty is refused before the
// question, in Romanian, and leaves nothing behind (no safety folder).
TEST_F(BackupCommandsTest, ADamagedBackupIsRefusedAndNothingChanges)
{
    parish();
    auto window = start();
    dialogs.fileAnswers = {elsewhere.path()};
    run(*window, "SalvareDate");
    addIncomeType(1001, QStringLiteral("Pomelnice"));
    const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    const struct {
        const char* name;
        QByteArray contents;
        const char* says;
    } damages[] = {
        {"pages of garbage", QByteArray(8192, 'x'), "nu este o baza de date"},
        {"an empty file (0 bytes)", QByteArray(), "este gol (0 octeti)"},
    };
    for (const auto& damage : damages) {
        SCOPED_TRACE(damage.name);
        {
            QFile damaged(elsewhere.filePath(QStringLiteral("Lumivaret/BazaDate.sqlite")));
            ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
            damaged.write(damage.contents);
        }
        dialogs.shown.clear();
        dialogs.fileAnswers = {elsewhere.filePath(QStringLiteral("Lumivaret"))};
        dialogs.answers = {true};
        run(*window, "RestaurareDate");

        ASSERT_EQ(dialogs.texts(QStringLiteral("warning")).size(), 1);
        const QString warning = dialogs.texts(QStringLiteral("warning")).first();
        EXPECT_TRUE(warning.startsWith(QStringLiteral("Datele din directorul "))) << warning.toStdString();
        EXPECT_TRUE(warning.contains(QString::fromLatin1(damage.says))) << warning.toStdString();
        const QString explanation = warning.section(QStringLiteral("\nDetalii: "), 0, 0);
        for (const char* english : {"database", "malformed", "file is"})
            EXPECT_FALSE(explanation.contains(QString::fromLatin1(english))) << warning.toStdString();
        EXPECT_TRUE(dialogs.texts(QStringLiteral("question")).isEmpty());
        EXPECT_EQ(incomeTypes(folder.databaseFile()),
                  QStringList({QStringLiteral("Colecta"), QStringLiteral("Pomelnice")}));
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }

    dialogs.shown.clear();
    dialogs.fileAnswers = {folder.file(QStringLiteral("2023/lipsa"))};
    run(*window, "RestaurareDate");
    EXPECT_TRUE(
        dialogs.texts(QStringLiteral("warning")).first().startsWith(QStringLiteral("In directorul ")));
}

TEST_F(BackupCommandsTest, RestoreFollowsTheBackupBelowSalvareDateAndIsGreyedForAClosedYear)
{
    parish();
    auto window = start();
    QAction* restore = window->command(QStringLiteral("RestaurareDate"));
    const QList<QAction*> sistem = window->menuBar()->actions().first()->menu()->actions();
    EXPECT_EQ(sistem.indexOf(restore), sistem.indexOf(window->command(QStringLiteral("SalvareDate"))) + 1);
    EXPECT_TRUE(restore->isEnabled());
    ASSERT_TRUE(DatabaseLocation::instance().switchToYear(QStringLiteral("2023"), false).ok);
    EXPECT_FALSE(restore->isEnabled());
    ASSERT_TRUE(DatabaseLocation::instance().switchToYear(QStringLiteral("2024"), true).ok);
    EXPECT_TRUE(restore->isEnabled());
}
