#include "app/ProgramReports.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "printing/ReportCatalog.h"
#include "support/Documents.h"
#include "support/ProgramRun.h"
#include "support/SampleData.h"
#include "support/TestFolder.h"
#include "year/DailyBackupPlace.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace
{

const QString password = QStringLiteral("Sfantul Nicolae 1920");
const QString personName = QStringLiteral("Voinescu Mărgărita");
const QString childName = QStringLiteral("Voinescu Ștefănuț");

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A parish with a year of documents, a family with a baptism, a closed year's
// folder and a daily backup, and a copy of the program to run on it.
class DataProtectionCommandLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QSqlDatabase db = folder.openWorkingYear();
        Documents::setYear(db, 2024, 500, 1000);
        SampleData::fillYear(db, 2024, {40, 200, 60});
        Sql::exec(db, QStringLiteral("INSERT INTO Enoriasi (Cod_enorias, Nume_prenume, Strada, Nr, Tip_contributie) "
                                     "VALUES ('V1', :n, 'Strada Fântânii', '7', 'Intreaga')"),
                  {{QStringLiteral(":n"), personName}});
        Sql::exec(db, QStringLiteral("INSERT INTO MembriiFam (Cod_enorias, Numele) VALUES ('V1', :n)"),
                  {{QStringLiteral(":n"), childName}});
        Sql::exec(db, QStringLiteral("INSERT INTO Botezuri (Cod_enorias, Numar, Data, Nume_prunc) "
                                     "VALUES ('V1', 1, '2024-05-05', :n)"),
                  {{QStringLiteral(":n"), childName}});
        for (const ReportEntry& entry : programReports().entries())
            if (entry.code && !entry.code->optional)
                codes.insert(entry.name, Sql::scalar(db, QStringLiteral("SELECT %1 FROM %2 ORDER BY 1 LIMIT 1")
                                                             .arg(Sql::quoted(entry.code->field),
                                                                  Sql::quoted(entry.code->table)))
                                             .toString());
        Connection::close();

        QDir(folder.path()).mkpath(QStringLiteral("2023"));
        ASSERT_TRUE(QFile::copy(folder.databaseFile(), folder.file(QStringLiteral("2023/BazaDate.sqlite"))));
        dailyBackup = DailyBackupPlace::dayFolder(home.path(), folder.path(), QDate(2024, 11, 30)) +
                      QStringLiteral("/BazaDate.sqlite");
        QDir().mkpath(QFileInfo(dailyBackup).absolutePath());
        ASSERT_TRUE(QFile::copy(folder.databaseFile(), dailyBackup));
        ASSERT_TRUE(QFile::copy(QStringLiteral(LUMIVARET_EXECUTABLE), program()));
        folder.write(QStringLiteral("parola.txt"), password.toUtf8() + "\n");
    }

    QString program() const { return folder.file(QStringLiteral("Lumivaret")); }

    ProgramOutcome run(QStringList arguments, const EnvironmentChanges& more = {})
    {
        arguments << QStringLiteral("--folder") << folder.path();
        EnvironmentChanges environment{{QStringLiteral("HOME"), home.path()}};
        environment << more;
        return runProgram(program(), arguments, QStringLiteral("ro_RO.UTF-8"), QDir::tempPath(), environment);
    }

    struct Written {
        int exitCode = -1;
        QByteArray csv;
        QString error;
    };

    // Every report of the catalogue over 2024: its exit status and CSV bytes.
    QMap<QString, Written> everyReport(const EnvironmentChanges& environment)
    {
        QMap<QString, Written> written;
        for (const ReportEntry& entry : programReports().entries()) {
            const QString csv = output.filePath(entry.name + QStringLiteral(".csv"));
            QFile::remove(csv);
            QStringList arguments{QStringLiteral("--report"), entry.name, QStringLiteral("--csv"), csv};
            if (entry.asksPeriod)
                arguments << QStringLiteral("--from") << QStringLiteral("2024-01-01");
            if (entry.asksPeriod || entry.asksReferenceDate)
                arguments << QStringLiteral("--to") << QStringLiteral("2024-12-31");
            if (codes.contains(entry.name))
                arguments << QStringLiteral("--code") << codes.value(entry.name);
            const ProgramOutcome outcome = run(arguments, environment);
            written.insert(entry.name, {outcome.exitCode, bytesOf(csv), outcome.err.trimmed()});
        }
        return written;
    }

    QStringList databaseFiles() const
    {
        return {folder.databaseFile(), folder.file(QStringLiteral("2023/BazaDate.sqlite")), dailyBackup};
    }

    TestFolder folder;
    QTemporaryDir home;
    QTemporaryDir output;
    QString dailyBackup;
    QMap<QString, QString> codes;
};

} // namespace

// Protected from the command line, every database file of the parish (the
// working year, a closed year, a daily backup) is encrypted: no SQLite mark,
// no typed name in its bytes; every report of the catalogue gives the same CSV
// with the password, and none without it or with a wrong one.
TEST_F(DataProtectionCommandLine, EveryFileIsEncryptedAndEveryReportReadsTheSame)
{
    const auto before = everyReport({});
    ASSERT_EQ(before.value(QStringLiteral("registru-casa")).exitCode, 0);

    const ProgramOutcome protect =
        run({QStringLiteral("--protect"), QStringLiteral("--password-file"), folder.file(QStringLiteral("parola.txt"))});
    ASSERT_EQ(protect.exitCode, 0) << protect.err.toStdString();
    EXPECT_EQ(protect.out.trimmed(), QStringLiteral("Datele sunt protejate prin parola."));

    for (const QString& file : databaseFiles()) {
        SCOPED_TRACE(file.toStdString());
        const QByteArray bytes = bytesOf(file);
        EXPECT_TRUE(bytes.startsWith("Lumivaret sealed"));
        EXPECT_FALSE(bytes.contains("SQLite format 3"));
        EXPECT_FALSE(bytes.contains(personName.toUtf8()));
        EXPECT_FALSE(bytes.contains(childName.toUtf8()));
        EXPECT_FALSE(bytes.contains("Voinescu"));
    }
    // The password is nowhere in the parish's folder but in the file the test gave it in.
    QDirIterator it(folder.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (!file.endsWith(QStringLiteral("parola.txt")) && !file.endsWith(QStringLiteral("/Lumivaret")))
            EXPECT_FALSE(bytesOf(file).contains(password.toUtf8())) << file.toStdString();
    }

    const auto after = everyReport({{QStringLiteral("LUMIVARET_PASSWORD"), password}});
    for (auto report = before.cbegin(); report != before.cend(); ++report) {
        SCOPED_TRACE(report.key().toStdString());
        // Written, or one of the sheets that have no CSV.
        if (report->exitCode != 0)
            EXPECT_TRUE(report->error.endsWith(QStringLiteral("nu se exporta in CSV"))) << report->error.toStdString();
        else
            EXPECT_FALSE(report->csv.isEmpty());
        EXPECT_EQ(after.value(report.key()).exitCode, report->exitCode);
        EXPECT_EQ(after.value(report.key()).csv, report->csv);
        EXPECT_EQ(after.value(report.key()).error, report->error);
    }

    const QStringList cashBook{QStringLiteral("--report"), QStringLiteral("registru-casa"), QStringLiteral("--csv"),
                               output.filePath(QStringLiteral("x.csv"))};
    folder.write(QStringLiteral("gresita.txt"), "Sfantul Nicolae 1921\n");
    const QString wrong = QStringLiteral("Parola gresita");
    const QString missing = QStringLiteral("Datele parohiei sunt protejate: lipseste parola (--password-file FISIER "
                                           "sau variabila LUMIVARET_PASSWORD).");
    const QList<std::tuple<const char*, ProgramOutcome, QString>> refused{
        {"no password", run(cashBook, {{QStringLiteral("LUMIVARET_PASSWORD"), QString()}}), missing},
        {"a wrong password in the variable",
         run(cashBook, {{QStringLiteral("LUMIVARET_PASSWORD"), QStringLiteral("sfantul nicolae 1920")}}), wrong},
        {"a wrong password file",
         run(cashBook + QStringList{QStringLiteral("--password-file"), folder.file(QStringLiteral("gresita.txt"))}),
         wrong},
    };
    for (const auto& [what, outcome, message] : refused) {
        SCOPED_TRACE(what);
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_EQ(outcome.err.trimmed(), message);
        EXPECT_FALSE(QFile::exists(output.filePath(QStringLiteral("x.csv"))));
    }
    // A password file an editor marked as UTF-8 opens the files; the list of reports needs no password.
    folder.write(QStringLiteral("marcat.txt"), "\xEF\xBB\xBF" + password.toUtf8() + "\r\n");
    EXPECT_EQ(run(cashBook + QStringList{QStringLiteral("--password-file"), folder.file(QStringLiteral("marcat.txt"))})
                  .exitCode,
              0);
    EXPECT_EQ(run({QStringLiteral("--list-reports")}, {{QStringLiteral("LUMIVARET_PASSWORD"), QString()}}).exitCode, 0);
}

// A password too short, a protection while the program is open on the folder,
// or a second protection, is refused and changes nothing.
TEST_F(DataProtectionCommandLine, RefusesAShortPasswordAndASecondProtection)
{
    folder.write(QStringLiteral("scurta.txt"), "parola\n");
    const ProgramOutcome shortOne =
        run({QStringLiteral("--protect"), QStringLiteral("--password-file"), folder.file(QStringLiteral("scurta.txt"))});
    EXPECT_EQ(shortOne.exitCode, 2);
    EXPECT_EQ(shortOne.err.trimmed(), QStringLiteral("Parola trebuie sa aiba cel putin 8 caractere."));
    EXPECT_TRUE(bytesOf(folder.databaseFile()).startsWith("SQLite format 3"));

    // The program open on the folder (its lock held here): the command waits for it to close.
    {
        const int otherRun = ::open(QFile::encodeName(folder.path()).constData(), O_RDONLY | O_DIRECTORY);
        ASSERT_EQ(::flock(otherRun, LOCK_SH), 0);
        const ProgramOutcome whileOpen = run(
            {QStringLiteral("--protect"), QStringLiteral("--password-file"), folder.file(QStringLiteral("parola.txt"))});
        ::close(otherRun);
        EXPECT_EQ(whileOpen.exitCode, 1);
        EXPECT_TRUE(whileOpen.err.contains(QStringLiteral("alta fereastra a programului"))) << whileOpen.err.toStdString();
        EXPECT_TRUE(bytesOf(folder.databaseFile()).startsWith("SQLite format 3"));
    }

    ASSERT_EQ(run({QStringLiteral("--protect"), QStringLiteral("--password-file"),
                   folder.file(QStringLiteral("parola.txt"))})
                  .exitCode,
              0);
    const QByteArray protectedBytes = bytesOf(folder.databaseFile());
    const ProgramOutcome again =
        run({QStringLiteral("--protect"), QStringLiteral("--password-file"), folder.file(QStringLiteral("parola.txt"))});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(again.err.trimmed(), QStringLiteral("Datele sunt deja protejate prin parola."));
    EXPECT_EQ(bytesOf(folder.databaseFile()), protectedBytes);
}
