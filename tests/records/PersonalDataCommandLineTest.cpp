#include "SampleFamily.h"

#include "db/Connection.h"
#include "records/PersonAnonymisation.h"
#include "support/ProgramRun.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace
{

// The program copied beside a working year holding the sample family.
class PersonalDataCommandLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SampleFamily::write(folder.openWorkingYear());
        Connection::close();
        ASSERT_TRUE(QFile::copy(QStringLiteral(LUMIVARET_EXECUTABLE), program()));
    }

    QString program() const { return folder.file(QStringLiteral("Lumivaret")); }
    ProgramOutcome run(const QStringList& arguments) const { return runProgram(program(), arguments); }

    // The CSV lines of each book, as the command line writes them.
    QMap<QString, std::string> books(const QString& round) const
    {
        QMap<QString, std::string> lines;
        for (const QString report : {"registru-incasari-plati", "registru-casa", "bilant-v1"}) {
            const QString csv = folder.file(QStringLiteral("%1-%2.csv").arg(report, round));
            const ProgramOutcome r = run({"--report", report, "--csv", csv});
            EXPECT_EQ(r.exitCode, 0) << report.toStdString() << ": " << r.err.toStdString();
            lines.insert(report, textFileLines(csv).join(QLatin1Char('\n')).toStdString());
        }
        return lines;
    }

    TestFolder folder;
    ScriptedDialogs dialogs;
};

TEST_F(PersonalDataCommandLine, AfterTheAnonymisationTheBooksDifferOnlyInTheNamesAndTheJournalVerifies)
{
    const QMap<QString, std::string> before = books(QStringLiteral("inainte"));
    Connection::open(folder.databaseFile());
    PersonAnonymisation::run(Connection::database(), SampleFamily::code);
    Connection::close();
    const QMap<QString, std::string> after = books(QStringLiteral("dupa"));

    for (auto book = before.constBegin(); book != before.constEnd(); ++book) {
        SCOPED_TRACE(book.key().toStdString());
        QString expected = QString::fromStdString(book.value());
        for (const QString& name : SampleFamily::peoplesNames())
            expected.replace(name, QStringLiteral("ANONIM-P1"));
        EXPECT_EQ(after.value(book.key()), expected.toStdString());
    }
    EXPECT_NE(before.value("registru-incasari-plati"), after.value("registru-incasari-plati"))
        << "the register names the family";
    EXPECT_EQ(after.value("bilant-v1"), before.value("bilant-v1"));

    const ProgramOutcome verified = run({"--verify-journal"});
    EXPECT_EQ(verified.exitCode, 0) << verified.out.toStdString();
    EXPECT_TRUE(verified.out.startsWith(QStringLiteral("Jurnalul este intreg")))
        << verified.out.toStdString();

    // The books were computed before, into the file's register table: that copy is gone too.
    Connection::open(folder.databaseFile());
    PersonAnonymisation::run(Connection::database(), QStringLiteral("A7"));
    Connection::close();
    QFile file(folder.databaseFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(
        SampleFamily::wordsIn(bytes, SampleFamily::personalWords() + QStringList{QStringLiteral("avram")})
            .join(' ')
            .toStdString(),
        "");
}

TEST_F(PersonalDataCommandLine, ThePersonsDataIsExportedByCodeAndAnUnknownCodeIsRefused)
{
    const QString json = folder.file(QStringLiteral("p1.json"));
    const QString pdf = folder.file(QStringLiteral("p1.pdf"));
    ProgramOutcome r = run({"--export-person", "P1", "--json", json, "--pdf", pdf});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile file(json);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject all = QJsonDocument::fromJson(file.readAll()).object();
    EXPECT_EQ(all.value("Enoriasi").toArray().at(0).toObject().value("Nume_prenume").toString(),
              SampleFamily::name);
    EXPECT_EQ(all.value("Venituri").toArray().size(), 4);
    EXPECT_TRUE(QFile::exists(pdf));

    const QString unknown = folder.file(QStringLiteral("zz.json"));
    r = run({"--export-person", "ZZ", "--json", unknown});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed(), QStringLiteral("Codul ZZ nu exista in catalogul enoriasilor."));
    EXPECT_FALSE(QFile::exists(unknown));

    r = run({"--export-person", "P1"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.trimmed(), QStringLiteral("--export-person cere --json FISIER (si/sau --pdf FISIER)"));
}

} // namespace
