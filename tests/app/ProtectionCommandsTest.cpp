#include "app/MainUnt.h"
#include "app/ProtectionCommands.h"
#include "catalogues/CatalogWindow.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/ProtectionKeys.h"
#include "db/SealedFileLayer.h"
#include "db/Sql.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "year/DataProtection.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <gtest/gtest.h>

namespace
{

const QString first = QStringLiteral("Acatistul Maicii 1");
const QString second = QStringLiteral("Paraclisul Maicii 2");

class ProtectionCommandsTest : public ::testing::Test
{
protected:
    // The working year 2024 after the closing of 2023, its daily backups in a folder of the test's own.
    void SetUp() override
    {
        folder.openWorkingYear();
        folder.closeYear(2023);
        execOrFail(QStringLiteral("INSERT INTO Ani VALUES (2024)"));
        execOrFail(QStringLiteral("INSERT INTO Tip_venituri (Cod_venit, Denumire) VALUES (1000, 'Colecta')"));
        Connection::close();
        folder.write(QStringLiteral("Configurari.ini"),
                     QStringLiteral("[Options]\nBackup BD zilnic=0\nDirector salvari zilnice=%1\n")
                         .arg(backups.path())
                         .toUtf8());
    }
    void TearDown() override
    {
        Connection::close();
        ProtectionKeys::forgetAll();
    }

    QStringList files() const
    {
        return {folder.databaseFile(), folder.file(QStringLiteral("2023/BazaDate.sqlite"))};
    }
    // "plain", "first", "second" when every file is so, else "mixed".
    QString state() const
    {
        QSet<QString> states;
        for (const QString& file : files()) {
            if (!SealedFileLayer::isSealed(file))
                states << QStringLiteral("plain");
            else if (SealedFileLayer::passwordOpens(file, first.toUtf8()))
                states << QStringLiteral("first");
            else if (SealedFileLayer::passwordOpens(file, second.toUtf8()))
                states << QStringLiteral("second");
            else
                states << QStringLiteral("unknown");
        }
        return states.size() == 1 ? *states.begin() : QStringLiteral("mixed");
    }
    void protect()
    {
        dialogs.shown.clear();
        dialogs.answers = {true};
        dialogs.passwordAnswers = {first, first};
        window->command(QStringLiteral("ProtectieDate"))->trigger();
    }

    TestFolder folder;
    QTemporaryDir backups;
    ScriptedDialogs dialogs;
    std::unique_ptr<TMainFrm> window;
};

} // namespace

// From the menu: a password too short or typed differently twice is refused
// and asked again, and a cancel then changes nothing; a good one encrypts the working year and the closed
// year while a catalogue window stays open and goes on working.
TEST_F(ProtectionCommandsTest, TheMenuProtectsTheFilesAndTheOpenWindowGoesOn)
{
    window = std::make_unique<TMainFrm>();
    window->show();
    window->command(QStringLiteral("NomVenituri"))->trigger();
    auto* incomes = window->findChild<TCatalogFrm*>();
    ASSERT_NE(incomes, nullptr);
    const int rows = incomes->catalog()->recordCount();

    struct Refusal {
        QStringList passwords;
        QString message;
    };
    const QList<Refusal> refusals{
        {{QStringLiteral("scurta")}, QStringLiteral("cel putin 8 caractere")},
        {{first, second}, QStringLiteral("nu coincid")},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.message.toStdString());
        dialogs.shown.clear();
        dialogs.answers = {true};
        // Refused, then asked again: a cancel there leaves everything as it was.
        dialogs.passwordAnswers.clear();
        for (const QString& typed : refusal.passwords)
            dialogs.passwordAnswers.append(typed);
        window->command(QStringLiteral("ProtectieDate"))->trigger();
        ASSERT_EQ(dialogs.texts(QStringLiteral("warning")).size(), 1);
        EXPECT_TRUE(dialogs.texts(QStringLiteral("warning")).first().contains(refusal.message));
        EXPECT_EQ(state(), QStringLiteral("plain"));
    }

    protect();
    ASSERT_EQ(dialogs.texts(QStringLiteral("information")).size(), 1) << dialogs.everything().join('\n').toStdString();
    EXPECT_EQ(state(), QStringLiteral("first"));
    EXPECT_FALSE(DataProtection::wasInterrupted(folder.path()));
    // The window reads the protected file; a change is stored in it.
    EXPECT_EQ(incomes->catalog()->recordCount(), rows);
    execOrFail(QStringLiteral("INSERT INTO Tip_venituri (Cod_venit, Denumire) VALUES (1001, 'Pomelnice')"));
    EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("SELECT count(*) FROM Tip_venituri WHERE Cod_venit "
                                                                 ">= 1000"))
                  .toInt(),
              2);
}

// A wrong current password changes nothing (and the open files go on working);
// the right one re-encrypts every file under the new password; removing asks
// twice and leaves every file plain.
TEST_F(ProtectionCommandsTest, ThePasswordIsChangedAndRemovedOnlyWithTheCurrentOne)
{
    window = std::make_unique<TMainFrm>();
    window->show();
    protect();
    ASSERT_EQ(state(), QStringLiteral("first"));

    dialogs.shown.clear();
    dialogs.answers = {true};
    dialogs.passwordAnswers = {QStringLiteral("nu este parola")};
    window->command(QStringLiteral("ProtectieDate"))->trigger();
    ASSERT_EQ(dialogs.texts(QStringLiteral("warning")).size(), 1);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("warning")).first().startsWith(QStringLiteral("Parola gresita")));
    EXPECT_EQ(state(), QStringLiteral("first"));
    execOrFail(QStringLiteral("UPDATE Tip_venituri SET Denumire = 'Colecta mare' WHERE Cod_venit = 1000"));

    dialogs.shown.clear();
    dialogs.answers = {true};
    dialogs.passwordAnswers = {first, second, second};
    window->command(QStringLiteral("ProtectieDate"))->trigger();
    ASSERT_EQ(dialogs.texts(QStringLiteral("information")).size(), 1) << dialogs.everything().join('\n').toStdString();
    EXPECT_EQ(state(), QStringLiteral("second"));
    execOrFail(QStringLiteral("UPDATE Tip_venituri SET Denumire = 'Colecta' WHERE Cod_venit = 1000"));

    // "No" to the change, "yes" to the removal, the password, then "no" to the confirmation: nothing changes.
    dialogs.shown.clear();
    dialogs.answers = {false, true, false};
    dialogs.passwordAnswers = {second};
    window->command(QStringLiteral("ProtectieDate"))->trigger();
    EXPECT_EQ(dialogs.texts(QStringLiteral("question")).size(), 3);
    EXPECT_EQ(state(), QStringLiteral("second"));

    dialogs.shown.clear();
    dialogs.answers = {false, true, true};
    dialogs.passwordAnswers = {second};
    window->command(QStringLiteral("ProtectieDate"))->trigger();
    ASSERT_EQ(dialogs.texts(QStringLiteral("information")).size(), 1) << dialogs.everything().join('\n').toStdString();
    EXPECT_EQ(state(), QStringLiteral("plain"));
    EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("SELECT Denumire FROM Tip_venituri WHERE Cod_venit "
                                                                 "= 1000"))
                  .toString(),
              QStringLiteral("Colecta"));
}

// At start the password is asked three times at most; without it nothing opens.
TEST_F(ProtectionCommandsTest, TheStartAsksThePasswordThreeTimesAtMost)
{
    DataProtection::protect({folder.path(), {}}, first.toUtf8());
    struct Case {
        const char* what;
        QList<std::optional<QString>> typed;
        bool opens;
        QString error;
        int warnings;
    };
    const QList<Case> cases{
        {"three wrong passwords", {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), first}, false,
         QStringLiteral("Parola gresita. Programul se inchide."), 2},
        {"cancelled", {std::nullopt}, false,
         QStringLiteral("Fara parola datele parohiei nu pot fi deschise. Programul se inchide."), 0},
        {"right at the second try", {QStringLiteral("a"), first}, true, QString(), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProtectionKeys::forgetAll();
        dialogs.shown.clear();
        dialogs.passwordAnswers = c.typed;
        EXPECT_EQ(ProtectionCommands::unlockAtStart(folder.path()), c.opens);
        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")).size(), c.warnings);
        EXPECT_EQ(dialogs.texts(QStringLiteral("error")).join(QString()), c.error);
        if (c.opens) {
            Connection::open(folder.databaseFile());
            EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("SELECT count(*) FROM Ani")).toInt(), 2);
            Connection::close();
        } else {
            EXPECT_THROW(Connection::open(folder.databaseFile()), std::exception);
        }
    }
}

// A backup protected under another password is restored once that password is
// given, and takes the parish's own protection: its password, or none (which
// the question says), so that the parish is never locked out of its data.
TEST_F(ProtectionCommandsTest, ABackupUnderAnotherPasswordIsRestoredWithThatPassword)
{
    struct Case {
        const char* what;
        bool parishProtected;
        QString restoredUnder;
    };
    const QList<Case> cases{
        {"a protected parish", true, first},
        {"a parish without protection", false, QString()},
    };
    int code = 1002;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ++code;
        // The backup: the parish's data with another income type, protected under the second password.
        QTemporaryDir elsewhere;
        const QString saved = elsewhere.filePath(QStringLiteral("Lumivaret"));
        QDir().mkpath(saved);
        ASSERT_TRUE(QFile::copy(folder.databaseFile(), saved + QStringLiteral("/BazaDate.sqlite")));
        {
            const QSqlDatabase db = Connection::openNamed(QStringLiteral("backup"), saved + QStringLiteral("/BazaDate.sqlite"));
            Sql::exec(db, QStringLiteral("INSERT INTO Tip_venituri (Cod_venit, Denumire) VALUES (%1, 'Din salvare')")
                              .arg(code));
        }
        Connection::removeNamed(QStringLiteral("backup"));
        DataProtection::protect({saved, {}}, second.toUtf8());
        ProtectionKeys::forgetAll();

        window = std::make_unique<TMainFrm>();
        window->show();
        if (c.parishProtected)
            protect();
        dialogs.shown.clear();
        dialogs.fileAnswers = {elsewhere.path()};
        dialogs.passwordAnswers = {QStringLiteral("nu este parola"), second};
        dialogs.answers = {true};
        window->command(QStringLiteral("RestaurareDate"))->trigger();
        EXPECT_EQ(dialogs.texts(QStringLiteral("password")).size(), 2);
        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList{QStringLiteral("Parola gresita.")});
        ASSERT_EQ(dialogs.texts(QStringLiteral("information")).size(), 1) << dialogs.everything().join('\n').toStdString();
        EXPECT_EQ(Sql::scalar(Connection::database(),
                              QStringLiteral("SELECT Denumire FROM Tip_venituri WHERE Cod_venit = %1").arg(code))
                      .toString(),
                  QStringLiteral("Din salvare"));
        // Under the parish's password, or plain where the parish has none (the question said so).
        EXPECT_EQ(SealedFileLayer::isSealed(folder.databaseFile()), c.parishProtected);
        if (c.parishProtected)
            EXPECT_TRUE(SealedFileLayer::passwordOpens(folder.databaseFile(), c.restoredUnder.toUtf8()));
        EXPECT_EQ(dialogs.texts(QStringLiteral("question")).last().contains(
                      QStringLiteral("datele restaurate nu vor fi protejate")),
                  !c.parishProtected);
        EXPECT_EQ(DataProtection::needsPassword(folder.path()), c.parishProtected);

        // The next case starts again from a plain parish without the backup's income type.
        window.reset();
        if (c.parishProtected)
            DataProtection::remove({folder.path(), {}});
        Connection::close();
        ProtectionKeys::forgetAll();
    }
}

// While another run of the program has the folder open (its lock held here on
// a descriptor of its own), the files are not converted under it; once it is
// gone they are.
TEST_F(ProtectionCommandsTest, NothingIsConvertedWhileAnotherRunHasTheFolderOpen)
{
    window = std::make_unique<TMainFrm>();
    window->show();
    const int otherRun = ::open(QFile::encodeName(folder.path()).constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(otherRun, 0);
    ASSERT_EQ(::flock(otherRun, LOCK_SH), 0);
    protect();
    ASSERT_EQ(dialogs.texts(QStringLiteral("warning")).size(), 1);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("warning")).first().contains(QStringLiteral("alta fereastra")));
    EXPECT_EQ(state(), QStringLiteral("plain"));

    ::close(otherRun);
    protect();
    EXPECT_EQ(dialogs.texts(QStringLiteral("information")).size(), 1);
    EXPECT_EQ(state(), QStringLiteral("first"));
}

// A protection killed before it encrypted any file is undone at the next
// start, which says plainly that the data are not protected.
TEST_F(ProtectionCommandsTest, AProtectionUndoneAtStartIsTold)
{
    folder.write(DataProtection::workFileName,
                 R"({"lucrare": "protejare", "sare_noua": "00112233445566778899aabbccddeeff"})");
    EXPECT_TRUE(ProtectionCommands::unlockAtStart(folder.path()));
    EXPECT_TRUE(dialogs.texts(QStringLiteral("password")).isEmpty());
    ASSERT_EQ(dialogs.texts(QStringLiteral("information")).size(), 1);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("information")).first().contains(QStringLiteral("NU sunt protejate")));
    EXPECT_FALSE(DataProtection::wasInterrupted(folder.path()));
    EXPECT_EQ(state(), QStringLiteral("plain"));
}
