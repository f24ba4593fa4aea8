#include "JournalFixture.h"

#include "db/Connection.h"
#include "support/PdfPages.h"
#include "support/ProgramRun.h"

#include <QFile>

namespace
{

ProgramOutcome runWith(const QString& folder, const QStringList& arguments)
{
    return runProgram(QStringLiteral(LUMIVARET_EXECUTABLE), QStringList{QStringLiteral("--folder"), folder} + arguments);
}

} // namespace

using JournalCommandLine = JournalFixture;

// Whole (0), broken (3), unreadable (1), each with its one line.
TEST_F(JournalCommandLine, VerifiesTheJournalAndSaysSoInItsExitStatus)
{
    store(QStringLiteral("Venituri"), {{QStringLiteral("Nr_act"), 1},
                                       {QStringLiteral("Data"), QDate(2024, 3, 1)},
                                       {QStringLiteral("Valoarea"), 150}});
    change(QStringLiteral("Venituri"), QStringLiteral("Nr_act"), 1, {{QStringLiteral("Valoarea"), 120}});
    const int count = int(entries().size());
    Connection::close();

    const ProgramOutcome whole = runWith(folder.path(), {QStringLiteral("--verify-journal")});
    EXPECT_EQ(whole.exitCode, 0) << whole.err.toStdString();
    EXPECT_EQ(whole.out.trimmed(), QStringLiteral("Jurnalul este intreg: %1 inregistrari").arg(count));

    const QString csv = folder.file(QStringLiteral("jurnal.csv"));
    const QString pdf = folder.file(QStringLiteral("jurnal.pdf"));
    const ProgramOutcome report = runWith(folder.path(), {QStringLiteral("--report"), QStringLiteral("jurnal"),
                                                          QStringLiteral("--from"), QDate::currentDate().toString(Qt::ISODate),
                                                          QStringLiteral("--to"), QDate::currentDate().toString(Qt::ISODate),
                                                          QStringLiteral("--code"), QStringLiteral("Venituri"),
                                                          QStringLiteral("--csv"), csv, QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(report.exitCode, 0) << report.err.toStdString();
    const QStringList lines = textFileLines(csv);
    EXPECT_EQ(lines.size(), 3) << "the heading, the insert and the change of the one table asked";
    EXPECT_TRUE(lines.value(2).contains(QStringLiteral("Venituri;1;01.03.2024;modificare;Valoarea: 150,00 -> 120,00")))
        << lines.value(2).toStdString();
    const QList<PdfPage> pages = readPdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages.first().texts.contains(QStringLiteral("Valoarea: 150,00 -> 120,00")))
        << pages.first().texts.join(QLatin1Char('|')).toStdString();

    behindTheProgram(QStringLiteral("UPDATE Venituri SET Valoarea = 99"));
    const ProgramOutcome broken = runWith(folder.path(), {QStringLiteral("--verify-journal")});
    EXPECT_EQ(broken.exitCode, 3);
    EXPECT_TRUE(broken.out.contains(
        QStringLiteral("Tabela Venituri: documentul nr. 1 din 01.03.2024 a fost modificat in afara programului.")))
        << broken.out.toStdString();

    QFile database(folder.databaseFile());
    ASSERT_TRUE(database.open(QIODevice::WriteOnly | QIODevice::Truncate));
    database.write(QByteArray(4096, 'x'));
    database.close();
    const ProgramOutcome unreadable = runWith(folder.path(), {QStringLiteral("--verify-journal")});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_FALSE(unreadable.err.trimmed().isEmpty());
}
