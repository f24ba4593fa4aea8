#include "app/MainUnt.h"
#include "core/ProgramFolder.h"
#include "core/StatusLine.h"
#include "core/Workmsg.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Sql.h"
#include "db/WorkingYear.h"
#include "operations/TVenituriFrm.h"
#include "support/Documents.h"
#include "support/FakeDesktopShell.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "support/TestServer.h"
#include "year/YearEndRollover.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <stdexcept>

namespace
{

class MainWindowTest : public ::testing::Test
{
protected:
    // The folder's database is made by the first start unless a test left one there.
    std::unique_ptr<TMainFrm> start()
    {
        auto window = std::make_unique<TMainFrm>();
        window->show();
        return window;
    }

    QStringList menuTitles(const QMenuBar* bar, bool visibleOnly)
    {
        QStringList titles;
        for (QAction* a : bar->actions())
            if (!visibleOnly || a->isVisible())
                titles << a->text();
        return titles;
    }

    TestFolder folder;
    ScriptedDialogs dialogs;
};

} // namespace

TEST_F(MainWindowTest, FirstStartShowsTheWindowOnANewDatabase)
{
    auto window = start();
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Evidenta veniturilor si cheltuielilor la parohie"));
    EXPECT_TRUE(QFile::exists(folder.databaseFile()));
    EXPECT_TRUE(Connection::isOpen());
    EXPECT_EQ(window->runningVersion(), QStringLiteral(LUMIVARET_VERSION));
    EXPECT_EQ(window->windowHint(),
              TMainFrm::publisherLine + QStringLiteral(" - Versiunea ") + QStringLiteral(LUMIVARET_VERSION));
    EXPECT_EQ(window->statusLine()->text(), window->windowHint());
    EXPECT_TRUE(window->photo()->pixmap().isNull()); // no poza.jpg, nothing said
    EXPECT_TRUE(window->options().dailyBackup);
}

// An installation whose options file names a PostgreSQL server: the start
// opens the working year there, and the incomes window shows its receipts.
TEST_F(MainWindowTest, AStartWithTheServerInTheOptionsFileShowsTheServersData)
{
    SKIP_WITHOUT_TEST_SERVER();
    TestServerDatabase server;
    Documents::receipt(server.openWorkingYear(), 1, QDate::currentDate().toString(Qt::ISODate), 250);
    Connection::close();
    folder.write(QStringLiteral("Configurari.ini"), "[Server]\nAdresa=" + server.address().toUtf8() + "\n");

    auto window = start();
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.everything().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(Connection::isServer());
    EXPECT_FALSE(QFile::exists(folder.databaseFile()));
    window->command(QStringLiteral("OpVenituri"))->trigger();
    TVenituriFrm* incomes = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<TVenituriFrm*>(widget); found && found->isVisible())
            incomes = found;
    ASSERT_NE(incomes, nullptr);
    EXPECT_EQ(incomes->balanceLabel(Account::Cash)->text(), QStringLiteral("250,00"));
    EXPECT_EQ(incomes->document()->asFloat(QStringLiteral("Nr_act")), 2.0);
    incomes->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(MainWindowTest, MenuTreeWithShortcutsAndHiddenItems)
{
    auto window = start();
    EXPECT_EQ(menuTitles(window->menuBar(), false),
              QStringList({"&Sistem", "&Nomenclatoare", "&Operatii", "Registre", "&Rapoarte", "&Ajutor"}));
    EXPECT_EQ(menuTitles(window->menuBar(), true),
              QStringList({"&Sistem", "&Nomenclatoare", "&Operatii", "&Rapoarte", "&Ajutor"}));

    const struct {
        const char* command;
        const char* caption;
        const char* shortcut;
    } commands[] = {
        {"ParametriAplicatiei", "Parametri aplicatiei", ""},
        {"Enoriasi", "Enoriasi", "Alt+E"},
        {"Parohia", "Parohia", "Ctrl+P"},
        {"SalvareDate", "Salvare date", ""},
        {"RestaurareDate", "Restaurare date...", ""},
        {"TrecereaLaAnNou", "Trecerea la an nou", ""},
        {"ImportDateVechi", "Import date vechi...", ""},
        {"VerificareJurnal", "Verificare jurnal", ""},
        {"BlocarePerioada", "Blocare perioada...", ""},
        {"DocumenteSterse", "Documente sterse...", ""},
        {"ProtectieDate", "Protectie date...", ""},
        {"Iesire", "Iesire", "Alt+I"},
        {"NomVenituri", "Venituri", ""},
        {"NomCheltuieli", "Cheltuieli", ""},
        {"NomBilant", "Bilant", ""},
        {"OpVenituri", "Venituri", "Ctrl+V"},
        {"OpCheltuieli", "Cheltuieli", "Ctrl+C"},
        {"OpOrdonantareSalarii", "Ordonantare salarii", "Ctrl+S"},
        {"OpDepuneri", "Depuneri", "Ctrl+D"},
        {"OpRidicari", "Ridicari", "Ctrl+R"},
        {"OpFisaEnoriasului", "Fisa enoriasului", ""},
        {"OpStocuri", "Stocuri", ""},
        {"PangarIntrari", "Intrari", ""},
        {"PangarIesiri", "Iesiri", ""},
        {"OpBilant", "Bilant", "Ctrl+B"},
        {"OpCautare", "Cautare documente", "Ctrl+F"},
        {"FiseleSelectiv", "Selectiv", ""},
        {"FiseleToate", "Toate fisele", ""},
        {"FoileSelectiv", "Selectiv", ""},
        {"FoileToate", "Toate foile", ""},
        {"ContributiaSelectiv", "Selectiv", ""},
        {"ContributiaToate", "Toate contributiile", ""},
        {"ListaEnoriasilor", "Lista enoriasilor", ""},
        {"RestanteContributie", "Restante contributie", ""},
        {"ListaStocurilor", "Lista stocurilor", ""},
        {"RegIncasariPlati", "Incasari si plati", ""},
        {"RegPangar", "Pangar", ""},
        {"RegCasa", "Casa", ""},
        {"RegBanca", "Banca", ""},
        {"RegPartiziVenituri", "Partizi venituri", ""},
        {"RegPartiziCheltuieli", "Partizi cheltuieli", ""},
        {"RegBotezuri", "Botezuri", ""},
        {"RegCasatorii", "Casatorii", ""},
        {"RegInmormantari", "Inmormantari", ""},
        {"RapBilant", "Bilant", ""},
        {"RapJurnal", "Jurnalul modificarilor", ""},
        {"Grafice", "Grafice", ""},
        {"Manual", "Manual (prezentare Lumivaret)", ""},
        {"StatutulBOR", "Statutul B.O.R", ""},
        {"ActualizareOnline", "Actualizare online", ""},
    };
    EXPECT_EQ(window->commandNames().size(), int(std::size(commands)));
    for (const auto& c : commands) {
        QAction* action = window->command(QString::fromLatin1(c.command));
        ASSERT_NE(action, nullptr) << c.command;
        EXPECT_EQ(action->text(), QString::fromLatin1(c.caption)) << c.command;
        EXPECT_EQ(action->shortcut().toString(), QString::fromLatin1(c.shortcut)) << c.command;
    }

    // The candle-shop register item is hidden, and so are the registers menu's items, disabled.
    const QAction* pangar = window->findChild<QAction*>(QStringLiteral("RegistruPangar"));
    ASSERT_NE(pangar, nullptr);
    EXPECT_FALSE(pangar->isVisible());
    const QAction* registre = window->findChild<QAction*>(QStringLiteral("MeniulRegistre"));
    ASSERT_NE(registre, nullptr);
    ASSERT_EQ(registre->menu()->actions().size(), 7);
    for (const QAction* item : registre->menu()->actions())
        EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
    EXPECT_EQ(registre->menu()->actions().first()->text(), QStringLiteral("Intrare-Iesire-corespondenta"));
}

TEST_F(MainWindowTest, ShortcutsRunTheirCommands)
{
    auto window = start();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QStringList ran;
    for (const char* name : {"OpVenituri", "OpCheltuieli", "Enoriasi", "Parohia", "ParametriAplicatiei"})
        window->setCommandHandler(QString::fromLatin1(name),
                                  [&ran, name] { ran << QString::fromLatin1(name); });

    QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(ran, QStringList({"OpVenituri", "OpCheltuieli", "Enoriasi", "Parohia"}));

    // A command that fails shows its failure and the window goes on.
    window->setCommandHandler(QStringLiteral("OpRidicari"), [] { throw std::runtime_error("tabela lipsa"); });
    QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")), QStringList{"tabela lipsa"});

    // The stock list asks its date; cancelling it prints nothing.
    window->command(QStringLiteral("ListaStocurilor"))->trigger();
    ASSERT_EQ(dialogs.shown.size(), 2);
    EXPECT_EQ(dialogs.shown.last().kind, QStringLiteral("date"));

    QTest::keyClick(window.get(), Qt::Key_I, Qt::AltModifier);
    EXPECT_FALSE(window->isVisible());
}

// F10 and the titles' Alt letters open the menus; no two keys of the window do the same.
TEST_F(MainWindowTest, TheMenusAreReachedFromTheKeyboard)
{
    auto window = start();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const auto menuOf = [&](const char* title) -> QMenu* {
        for (QAction* a : window->menuBar()->actions())
            if (a->text().remove(QLatin1Char('&')) == QLatin1String(title))
                return a->menu();
        return nullptr;
    };
    const struct {
        QKeyCombination key;
        const char* menu;
    } keys[] = {
        {Qt::Key_F10, "Sistem"},
        {Qt::ALT | Qt::Key_S, "Sistem"},
        {Qt::ALT | Qt::Key_N, "Nomenclatoare"},
        {Qt::ALT | Qt::Key_O, "Operatii"},
        {Qt::ALT | Qt::Key_R, "Rapoarte"},
        {Qt::ALT | Qt::Key_A, "Ajutor"},
    };
    for (const auto& k : keys) {
        QTest::keyClick(window.get(), k.key.key(), k.key.keyboardModifiers());
        QWidget* opened = QApplication::activePopupWidget();
        EXPECT_EQ(opened, menuOf(k.menu)) << k.menu;
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

    QHash<QKeySequence, QString> taken;
    const auto take = [&](const QKeySequence& key, const QString& what) {
        if (key.isEmpty())
            return;
        EXPECT_FALSE(taken.contains(key)) << key.toString().toStdString() << ": " << what.toStdString()
                                          << " and " << taken.value(key).toStdString();
        taken.insert(key, what);
    };
    for (QAction* title : window->menuBar()->actions())
        if (title->isVisible())
            take(QKeySequence::mnemonic(title->text()), title->text());
    for (QAction* action : window->findChildren<QAction*>())
        if (!action->menu())
            take(action->shortcut(), action->objectName());
}

TEST_F(MainWindowTest, StocuriOpensTheStockWindow)
{
    auto window = start();
    window->command(QStringLiteral("OpStocuri"))->trigger();
    QWidget* stock = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QStringLiteral("TStocFrm") && widget->isVisible())
            stock = widget;
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(stock->windowTitle(), QStringLiteral("Stocuri"));
    EXPECT_EQ(stock->parentWidget(), window.get());
    stock->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A handler under a name that is no command would never run: refused at once.
TEST_F(MainWindowTest, AHandlerForAnUnknownCommandIsRefused)
{
    auto window = start();
    bool ran = false;
    for (const char* name : {"Parohie", "parohia", "OpVenit", ""})
        EXPECT_THROW(window->setCommandHandler(QString::fromLatin1(name), [&ran] { ran = true; }),
                     std::invalid_argument)
            << name;
    window->command(QStringLiteral("Parohia"))->setEnabled(true);
    EXPECT_NO_THROW(window->setCommandHandler(QStringLiteral("Parohia"), [&ran] { ran = true; }));
    window->command(QStringLiteral("Parohia"))->trigger();
    EXPECT_TRUE(ran);
}

TEST_F(MainWindowTest, StatusLineFollowsTheHints)
{
    auto window = start();
    QAction* venituri = window->findChild<QAction*>(QStringLiteral("ToolbarOpVenituri"));
    ASSERT_NE(venituri, nullptr);
    EXPECT_EQ(venituri->text(), QStringLiteral("Venituri"));
    venituri->showStatusText(window.get());
    EXPECT_EQ(window->statusLine()->text(),
              QStringLiteral(" Introducere si modificare de documente de intrare (venituri)"));
    QStatusTipEvent noHint{QString()};
    QCoreApplication::sendEvent(window.get(), &noHint);
    EXPECT_EQ(window->statusLine()->text(), window->windowHint());

    const struct {
        const char* action;
        const char* caption;
        const char* hint;
    } toolbar[] = {
        {"ToolbarOpDepuneri", "Depuneri cont",
         " Introducere si modificare de documente pentru depunerile in cont"},
        {"ToolbarOpRidicari", "Ridicari cont",
         " Introducere si modificare de documente pentru ridicarile din cont"},
        {"ToolbarOpCheltuieli", "Cheltuieli",
         " Introducere si modificare de documente de iesire (cheltuieli)"},
    };
    for (const auto& t : toolbar) {
        QAction* a = window->findChild<QAction*>(QString::fromLatin1(t.action));
        ASSERT_NE(a, nullptr) << t.action;
        EXPECT_EQ(a->text(), QString::fromLatin1(t.caption));
        EXPECT_EQ(a->statusTip(), QString::fromLatin1(t.hint));
    }

    ShowStatus(QStringLiteral(" Listez..."));
    EXPECT_EQ(window->statusLine()->text(), QStringLiteral(" Listez..."));
}

TEST_F(MainWindowTest, ShowsTheParishPhoto)
{
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(QColor(200, 150, 40));
    ASSERT_TRUE(picture.save(folder.file(QStringLiteral("poza.jpg")), "JPEG"))
        << "the JPEG plugin is missing";
    auto window = start();
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(window->photo()->pixmap().size(), QSize(120, 80));
}

TEST_F(MainWindowTest, ADatabaseThatCannotBeReadIsReportedAndKept)
{
    const QByteArray text = "nu este o baza de date";
    folder.write(DatabaseLocation::databaseFileName, text);
    auto window = start();
    EXPECT_TRUE(window->isVisible());
    // The daily backup refuses to save it first, then the opening reports it.
    ASSERT_EQ(dialogs.texts(QStringLiteral("error")).size(), 2);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("error"))
                    .first()
                    .startsWith(QStringLiteral("Nu pot salva baza de date in directorul ")));
    EXPECT_TRUE(dialogs.texts(QStringLiteral("error"))
                    .last()
                    .startsWith(QStringLiteral("Fisierul nu este o baza de date")));
    QFile kept(folder.databaseFile());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), text);
}

TEST_F(MainWindowTest, StartFailuresAreShownAndTheWindowStillOpens)
{
    const struct {
        const char* name;
        std::function<void(TestFolder&)> prepare;
        const char* messageStart;
    } cases[] = {
        {"program folder that cannot hold files",
         [](TestFolder& f) {
             f.write(QStringLiteral("blocat"), "x");
             setProgramFolder(f.file(QStringLiteral("blocat/Parohie")));
         },
         "Baza de date nu poate fi creata in"},
        {"table the upgrade cannot change",
         [](TestFolder& f) {
             f.openWorkingYear();
             Sql::exec(Connection::database(), QStringLiteral("DROP TABLE Enoriasi"));
             Connection::close();
         },
         "Tabela Enoriasi nu exista in baza de date"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestFolder caseFolder;
        ScriptedDialogs caseDialogs;
        c.prepare(caseFolder);
        auto window = start();
        EXPECT_TRUE(window->isVisible());
        ASSERT_EQ(caseDialogs.texts(QStringLiteral("error")).size(), 1);
        EXPECT_TRUE(caseDialogs.texts(QStringLiteral("error"))
                        .first()
                        .startsWith(QString::fromLatin1(c.messageStart)))
            << caseDialogs.texts(QStringLiteral("error")).first().toStdString();
        EXPECT_EQ(window->statusLine()->text(), window->windowHint()); // the steps before still ran
    }
}

TEST_F(MainWindowTest, AReadOnlyDatabaseIsReportedAndCanStillBeRead)
{
    folder.openWorkingYear();
    Connection::close();
    QFile::setPermissions(folder.databaseFile(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    auto window = start();
    QFile::setPermissions(folder.databaseFile(), QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_EQ(dialogs.texts(QStringLiteral("error")).size(), 1);
    EXPECT_TRUE(
        dialogs.texts(QStringLiteral("error")).first().contains(QStringLiteral("este protejata la scriere")));
    EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("SELECT count(*) FROM Tip_doc")).toInt(), 9);
}

TEST_F(MainWindowTest, OldDatabaseIsUpgradedAtStartWithTheWorkMessage)
{
    folder.openWorkingYear();
    Sql::exec(Connection::database(), QStringLiteral("ALTER TABLE Bilant DROP COLUMN Cont"));
    Sql::exec(Connection::database(), QStringLiteral("ALTER TABLE Enoriasi DROP COLUMN Restanta"));
    Connection::close();

    auto window = start();
    EXPECT_TRUE(dialogs.shown.isEmpty());
    ASSERT_NE(workMessageWindow(), nullptr);
    EXPECT_EQ(workMessageWindow()->message(), QStringLiteral("Se actualizeaza structura bazei de date..."));
    EXPECT_TRUE(
        Sql::fieldNames(Connection::database(), QStringLiteral("Bilant")).contains(QStringLiteral("Cont")));
    EXPECT_EQ(Sql::fieldNames(Connection::database(), QStringLiteral("Enoriasi")).last(),
              QStringLiteral("Restanta"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MainWindowTest, AFailedStepSkipsTheUpgradeButNotTheDatabase)
{
    folder.openWorkingYear();
    Sql::exec(Connection::database(), QStringLiteral("ALTER TABLE Bilant DROP COLUMN Cont"));
    Connection::close();
    folder.write(QStringLiteral("poza.jpg"), "nu este o poza");

    auto window = start();
    ASSERT_EQ(dialogs.texts(QStringLiteral("error")).size(), 1);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("error")).first().startsWith(QStringLiteral("Poza ")));
    EXPECT_TRUE(Connection::isOpen());
    EXPECT_FALSE(
        Sql::fieldNames(Connection::database(), QStringLiteral("Bilant")).contains(QStringLiteral("Cont")));
}

TEST_F(MainWindowTest, ClosedYearGreysBackupAndRollover)
{
    folder.openWorkingYear();
    QDir().mkpath(folder.file(QStringLiteral("2023")));
    Sql::exec(
        Connection::database(), QStringLiteral("VACUUM INTO :f"),
        {{QStringLiteral(":f"), folder.file(QStringLiteral("2023/")) + DatabaseLocation::databaseFileName}});
    Connection::close();
    auto window = start();
    QAction* backup = window->command(QStringLiteral("SalvareDate"));
    QAction* rollover = window->command(QStringLiteral("TrecereaLaAnNou"));
    EXPECT_TRUE(backup->isEnabled() && rollover->isEnabled());
    ASSERT_TRUE(DatabaseLocation::instance().switchToYear(QStringLiteral("2023"), false).ok);
    EXPECT_FALSE(backup->isEnabled());
    EXPECT_FALSE(rollover->isEnabled());
    ASSERT_TRUE(DatabaseLocation::instance().switchToYear(QStringLiteral("2024"), true).ok);
    EXPECT_TRUE(backup->isEnabled() && rollover->isEnabled());
}

TEST_F(MainWindowTest, LogosOpenTheirWebSites)
{
    FakeDesktopShell shell;
    auto window = start();
    QTest::mouseClick(window->findChild<QToolButton*>(QStringLiteral("SiglaBOR")), Qt::LeftButton);
    QTest::mouseClick(window->findChild<QToolButton*>(QStringLiteral("Biserica")), Qt::LeftButton);
    QTest::mouseClick(window->findChild<QToolButton*>(QStringLiteral("SiglaProducator")), Qt::LeftButton);
    EXPECT_EQ(shell.opened, QStringList({TMainFrm::churchAuthorityAddress, TMainFrm::publisherAddress}));
    EXPECT_EQ(window->findChild<QToolButton*>(QStringLiteral("SiglaProducator"))->statusTip(),
              TMainFrm::publisherAddress);

    shell.accepts = false;
    QTest::mouseClick(window->findChild<QToolButton*>(QStringLiteral("SiglaBOR")), Qt::LeftButton);
    EXPECT_EQ(
        dialogs.texts(QStringLiteral("error")),
        QStringList{QStringLiteral("Adresa %1 nu poate fi deschisa").arg(TMainFrm::churchAuthorityAddress)});
    setDesktopShell(nullptr);
}

TEST_F(MainWindowTest, BalanceSheetRereadsItsOptionFromBothMenus)
{
    auto window = start();
    EXPECT_FALSE(window->options().balanceInThousands);
    folder.write(QStringLiteral("Configurari.ini"), "[Options]\nCalcul bilant in mii lei=1\n");
    window->command(QStringLiteral("OpBilant"))->trigger();
    EXPECT_TRUE(window->options().balanceInThousands);
    folder.write(QStringLiteral("Configurari.ini"), "[Options]\nCalcul bilant in mii lei=0\n");
    window->command(QStringLiteral("RapBilant"))->trigger();
    EXPECT_FALSE(window->options().balanceInThousands);
}

// "Sistem": the journal verified, a month locked, the lock shown beside the
// status line; a closed year opens with its 31 December shown.
TEST_F(MainWindowTest, TheSystemMenuVerifiesTheJournalAndShowsTheLock)
{
    auto window = start();
    auto* lock = window->findChild<QLabel*>(QStringLiteral("BlocarePerioadaStare"));
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(lock->text(), QString());

    window->command(QStringLiteral("VerificareJurnal"))->trigger();
    ASSERT_EQ(dialogs.texts(QStringLiteral("information")).size(), 1);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("information")).first().startsWith(QStringLiteral("Jurnalul este intreg: ")));

    dialogs.inputAnswers = {QStringLiteral("31.03.2024")};
    window->command(QStringLiteral("BlocarePerioada"))->trigger();
    EXPECT_EQ(lock->text(), QStringLiteral("Perioada blocata pana la 31.03.2024"));

    const int year = workingYearOf(Connection::database());
    YearEndRollover::closeWorkingYear(Connection::database(), folder.path(), year);
    ASSERT_TRUE(DatabaseLocation::instance().switchToYear(QString::number(year), false).ok);
    EXPECT_EQ(lock->text(), QStringLiteral("Perioada blocata pana la 31.12.%1").arg(year));
    ASSERT_TRUE(DatabaseLocation::instance().switchToYear(QString(), true).ok);
    EXPECT_EQ(lock->text(), QStringLiteral("Perioada blocata pana la 31.03.2024"));
}
