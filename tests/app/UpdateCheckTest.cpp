#include "app/UpdateCheck.h"
#include "app/MainUnt.h"
#include "app/UpdateServer.h"
#include "core/ProgramOptions.h"
#include "support/FakeDesktopShell.h"
#include "support/LocalHttpServer.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QApplication>
#include <QNetworkReply>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

const QString versionFilePath = QStringLiteral("/UpdateExe/VersLumivaret.txt");

TEST(UpdateDecision, ComparesTheVersionFileWithTheRunningReleaseAsText)
{
    const struct {
        const char* body;
        const char* running;
        UpdateVerdict verdict;
    } cases[] = {
        {"2.6.5.0", "2.6.4.0", UpdateVerdict::NewerRelease},
        {"3.0.0.0", "2.6.4.0", UpdateVerdict::NewerRelease},
        {"2.6.4.0", "2.6.4.0", UpdateVerdict::UpToDate},
        {"2.5.9.9", "2.6.4.0", UpdateVerdict::UpToDate},
        {"2.6.3.9", "2.6.4.0", UpdateVerdict::UpToDate},
        {"0.0.0.1", "0.0.0.0", UpdateVerdict::NewerRelease}, // a program without version information
        {"1.0.0.0", "0.0.0.0", UpdateVerdict::NewerRelease},
        {"2.6.50", "2.6.4.0", UpdateVerdict::Unreadable},    // six characters
        {"2.6.5.00", "2.6.4.0", UpdateVerdict::Unreadable},  // eight characters
        {"2.6.5.0\n", "2.6.4.0", UpdateVerdict::Unreadable}, // a line end counts
        {"", "2.6.4.0", UpdateVerdict::Unreadable},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decideUpdate(QString::fromLatin1(c.body), QString::fromLatin1(c.running)), c.verdict)
            << c.body << " against " << c.running;
}

TEST(UpdateServer, TheProgramAsksThePublisherAndWaitsFiveSeconds)
{
    const UpdateServer publisher;
    EXPECT_EQ(publisher.timeoutMs, 5000);
    EXPECT_EQ(publisher.versionFile().toString(), UpdateServer::publisherHost + versionFilePath);
    EXPECT_EQ(publisher.downloadPage().toString(), UpdateServer::publisherHost + "/actualizare.php?prg=6");
}

class UpdateCheckTest : public ::testing::Test
{
protected:
    UpdateCheckTest() { updateServer().address = server.address(); }
    ~UpdateCheckTest() override { updateServer() = publisher; }

    // A main window whose first show asks nothing, unless `checkAtStart`.
    std::unique_ptr<TMainFrm> start(bool checkAtStart = false)
    {
        folder.write(ProgramOptions::fileName, checkAtStart ? "[Options]\nCheck for new version=1\n"
                                                            : "[Options]\nCheck for new version=0\n");
        auto window = std::make_unique<TMainFrm>();
        window->show();
        return window;
    }

    static void waitForTheEnd(UpdateCheck* check)
    {
        ASSERT_NE(check, nullptr);
        QSignalSpy ended(check, &UpdateCheck::finished);
        ASSERT_TRUE(ended.wait(30000));
    }

    QString downloadPage() const { return server.address() + QStringLiteral("/actualizare.php?prg=6"); }

    const UpdateServer publisher = updateServer();
    TestFolder folder;
    ScriptedDialogs dialogs;
    FakeDesktopShell shell;
    LocalHttpServer server;
};

const QString question = QStringLiteral("question: ") + UpdateCheck::newerReleaseQuestion;
// The failure as the user reads it: the described sentence, then why and what to do.
QString failedBecause(const char* reason)
{
    return QStringLiteral("error: ") + UpdateCheck::failedMessage + QLatin1Char('\n') + QString::fromUtf8(reason);
}
const QString notAVersion6 = failedBecause(
    "Raspunsul serverului de actualizari nu este un numar de versiune (\"2.6.50\"). Incercati din nou mai tarziu.");
const QString notAVersion8 = failedBecause("Raspunsul serverului de actualizari nu este un numar de versiune "
                                           "(\"2.6.5.00\"). Incercati din nou mai tarziu.");
const QString errorPage = failedBecause("Serverul de actualizari a raspuns cu o pagina de eroare (cod 404) in "
                                        "locul numarului versiunii. Incercati din nou mai tarziu.");
const QString noConnection = failedBecause("Serverul de actualizari nu a primit cererea (legatura a fost "
                                           "refuzata sau intrerupta). Incercati din nou mai tarziu.");
const QString upToDate = QStringLiteral("information: ") + UpdateCheck::upToDateMessage;

} // namespace

// What the network layer reports, as the reason the user is given.
TEST(UpdateFailure, EveryFailureOfTheRequestHasItsReason)
{
    using E = QNetworkReply;
    const struct {
        QNetworkReply::NetworkError error;
        int status;
        UpdateFailure failure;
        const char* says;
    } cases[] = {
        {E::HostNotFoundError, 0, UpdateFailure::NoNetwork, "nu pare legat la internet"},
        {E::TemporaryNetworkFailureError, 0, UpdateFailure::NoNetwork, "nu pare legat la internet"},
        {E::ConnectionRefusedError, 0, UpdateFailure::NoConnection, "nu a primit cererea"},
        {E::RemoteHostClosedError, 0, UpdateFailure::NoConnection, "nu a primit cererea"},
        {E::OperationCanceledError, 0, UpdateFailure::NoAnswerInTime, "nu a raspuns in 5 secunde"},
        {E::TimeoutError, 0, UpdateFailure::NoAnswerInTime, "nu a raspuns in 5 secunde"},
        {E::ContentNotFoundError, 404, UpdateFailure::ErrorPage, "pagina de eroare"},
        {E::InternalServerError, 500, UpdateFailure::ErrorPage, "pagina de eroare"},
        {E::NoError, 200, UpdateFailure::NotAVersion, "nu este un numar de versiune"},
        {E::SslHandshakeFailedError, 0, UpdateFailure::OtherFailure, "nu a reusit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        EXPECT_EQ(classifyUpdateReply(c.error, c.status), c.failure);
        const QString reason = updateFailureReason(c.failure, QStringLiteral("x"), 5000);
        EXPECT_TRUE(reason.contains(QString::fromUtf8(c.says))) << reason.toStdString();
        EXPECT_TRUE(reason.contains(QStringLiteral("Incercati din nou")) ||
                    reason.contains(QStringLiteral("incercati din nou")))
            << reason.toStdString();
    }
    // A whole web page taken for the version file is quoted short, on one line.
    const QString page = updateFailureReason(UpdateFailure::NotAVersion,
                                             QStringLiteral("<html>\n<body>Pagina nu exista pe acest server</body>"), 5000);
    EXPECT_TRUE(page.contains(QStringLiteral("(\"<html> <body>Pagina nu exista ...\")"))) << page.toStdString();
}

TEST_F(UpdateCheckTest, EveryAnswerOfTheServerInBothModes)
{
    enum class Serving { Body, NotFound, ClosedConnection, NobodyListening };
    using enum UpdateMode;
    const struct {
        const char* what;
        Serving serving;
        QByteArray body;
        const char* running;
        UpdateMode mode;
        QList<bool> answers;
        QStringList shown;
        bool downloads; // the download page opened and the program ended
    } cases[] = {
        {"newer, Da", Serving::Body, "2.6.5.0", "2.6.4.0", Interactive, {true}, {question}, true},
        {"newer, Nu", Serving::Body, "2.6.5.0", "2.6.4.0", Interactive, {false}, {question}, false},
        {"newer at start, Da", Serving::Body, "2.6.5.0", "2.6.4.0", Silent, {true}, {question}, true},
        {"newer at start, Nu", Serving::Body, "3.0.0.0", "2.6.4.0", Silent, {false}, {question}, false},
        {"no version information",
         Serving::Body,
         "0.0.0.1",
         "0.0.0.0",
         Interactive,
         {false},
         {question},
         false},
        {"same", Serving::Body, "2.6.4.0", "2.6.4.0", Interactive, {}, {upToDate}, false},
        {"same at start", Serving::Body, "2.6.4.0", "2.6.4.0", Silent, {}, {}, false},
        {"older", Serving::Body, "2.5.9.9", "2.6.4.0", Interactive, {}, {upToDate}, false},
        {"six characters", Serving::Body, "2.6.50", "2.6.4.0", Interactive, {}, {notAVersion6}, false},
        {"six characters at start", Serving::Body, "2.6.50", "2.6.4.0", Silent, {}, {}, false},
        {"eight characters", Serving::Body, "2.6.5.00", "2.6.4.0", Interactive, {}, {notAVersion8}, false},
        {"eight characters at start", Serving::Body, "2.6.5.00", "2.6.4.0", Silent, {}, {}, false},
        {"error page", Serving::NotFound, "2.6.5.0", "2.6.4.0", Interactive, {true}, {errorPage}, false},
        {"error page at start", Serving::NotFound, "2.6.5.0", "2.6.4.0", Silent, {true}, {}, false},
        {"connection closed", Serving::ClosedConnection, "", "2.6.4.0", Interactive, {}, {noConnection}, false},
        {"connection closed at start", Serving::ClosedConnection, "", "2.6.4.0", Silent, {}, {}, false},
        {"no server", Serving::NobodyListening, "", "2.6.4.0", Interactive, {}, {noConnection}, false},
        {"no server at start", Serving::NobodyListening, "", "2.6.4.0", Silent, {}, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.shown.clear();
        dialogs.answers = c.answers;
        shell.opened.clear();
        server.requestedPaths.clear();
        updateServer().address = server.address();
        switch (c.serving) {
        case Serving::Body:
            server.answer(200, c.body);
            break;
        case Serving::NotFound:
            server.answer(404, c.body);
            break;
        case Serving::ClosedConnection:
            server.closeAtOnce();
            break;
        case Serving::NobodyListening:
            updateServer().address = LocalHttpServer::refusingAddress();
            break;
        }
        auto window = start();
        waitForTheEnd(CheckForUpdate(c.mode, *window, QString::fromLatin1(c.running)));
        EXPECT_EQ(dialogs.everything(), c.shown);
        EXPECT_EQ(shell.opened, c.downloads ? QStringList{downloadPage()} : QStringList{});
        EXPECT_EQ(window->isVisible(), !c.downloads);
        if (c.serving == Serving::Body || c.serving == Serving::NotFound)
            EXPECT_EQ(server.requestedPaths, QStringList{versionFilePath});
    }
}

// Closing would leave the user with neither the new release nor the program.
TEST_F(UpdateCheckTest, ABrowserThatCannotOpenTheDownloadPageKeepsTheProgramOpen)
{
    server.answer(200, "2.6.5.0");
    shell.accepts = false;
    dialogs.answers = {true};
    auto window = start();
    waitForTheEnd(CheckForUpdate(UpdateMode::Interactive, *window, QStringLiteral("2.6.4.0")));
    EXPECT_EQ(dialogs.everything(),
              QStringList({question, QStringLiteral("error: ") +
                                         UpdateCheck::downloadPageFailedMessage.arg(downloadPage())}));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(UpdateCheckTest, TheMenuCommandWaitsUnderTheBusyPointer)
{
    auto window = start();
    QAction* command = window->command(QStringLiteral("ActualizareOnline"));
    ASSERT_EQ(command->text(), QStringLiteral("Actualizare online"));

    server.answer(200, window->runningVersion().toLatin1());
    command->trigger();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    waitForTheEnd(window->updateCheck());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(dialogs.everything(), QStringList{upToDate});

    dialogs.shown.clear();
    server.answer(200, "9.9.9.9");
    dialogs.answers = {true};
    command->trigger();
    waitForTheEnd(window->updateCheck());
    EXPECT_EQ(dialogs.everything(), QStringList{question});
    EXPECT_EQ(shell.opened, QStringList{downloadPage()});
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(UpdateCheckTest, TheCheckAtStartDoesNotHoldTheWindowAndTimesOutWithoutAWord)
{
    server.neverAnswer();
    updateServer().timeoutMs = 1500;
    auto window = start(true);
    UpdateCheck* check = window->updateCheck();
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->mode(), UpdateMode::Silent);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The window takes keys while the server keeps silent.
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
    const QWidget* incomes = window->findChild<QWidget*>(QStringLiteral("TVenituriFrm"));
    ASSERT_NE(incomes, nullptr);
    EXPECT_TRUE(incomes->isVisible());
    EXPECT_EQ(window->updateCheck(), check); // still waiting

    waitForTheEnd(check);
    EXPECT_EQ(server.requestedPaths, QStringList{versionFilePath});
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_TRUE(window->isVisible());
}

// The user asked, so the check already under way tells how it ended.
TEST_F(UpdateCheckTest, TheMenuCommandDuringTheCheckAtStartWaitsForItsAnswer)
{
    server.neverAnswer();
    updateServer().timeoutMs = 1500;
    auto window = start(true);
    UpdateCheck* check = window->updateCheck();
    ASSERT_NE(check, nullptr);
    window->command(QStringLiteral("ActualizareOnline"))->trigger();
    EXPECT_EQ(window->updateCheck(), check); // no second question to the server
    EXPECT_EQ(check->mode(), UpdateMode::Interactive);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);

    waitForTheEnd(check);
    EXPECT_EQ(server.requestedPaths, QStringList{versionFilePath});
    EXPECT_EQ(dialogs.everything(),
              QStringList{failedBecause("Serverul de actualizari nu a raspuns in 1,5 secunde. Verificati "
                                        "legatura la internet si incercati din nou mai tarziu.")});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(UpdateCheckTest, AMainWindowGoneBeforeTheAnswerTakesItsCheckAlong)
{
    server.neverAnswer();
    auto window = start(true);
    window->command(QStringLiteral("ActualizareOnline"))->trigger();
    const QPointer<UpdateCheck> check = window->updateCheck();
    ASSERT_FALSE(check.isNull());
    window.reset();
    EXPECT_TRUE(check.isNull());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(UpdateCheckTest, ANewerReleaseFoundAtStartCanEndTheProgram)
{
    server.answer(200, "9.9.9.9");
    dialogs.answers = {true};
    auto window = start(true);
    waitForTheEnd(window->updateCheck());
    EXPECT_EQ(dialogs.everything(), QStringList{question});
    EXPECT_EQ(shell.opened, QStringList{downloadPage()});
    EXPECT_FALSE(window->isVisible());
}

TEST_F(UpdateCheckTest, WithTheOptionOffTheStartAsksNothing)
{
    auto window = start(false);
    EXPECT_EQ(window->updateCheck(), nullptr);
    QCoreApplication::processEvents();
    EXPECT_TRUE(server.requestedPaths.isEmpty());
}
