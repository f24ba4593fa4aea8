// The command line is typed by hand or written into batch files: any
// arguments give an exit status of 0, 1 or 2 with a reason, never a crash or
// a change to the parish's documents.
#include "support/SeededRandom.h"

#include "app/ProgramReports.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "db/TableDefinitions.h"
#include "printing/ReportCatalog.h"
#include "support/Documents.h"
#include "support/ProgramRun.h"
#include "support/TestFolder.h"

#include <QCryptographicHash>
#include <QFile>
#include <QMap>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>
#include <iostream>
#include <map>

namespace
{

// A digest of every table the user types into. The work tables that reports
// rebuild, and the computed columns of the balance sheet, are left out.
QMap<QString, QByteArray> typedDataDigest(const QString& databaseFile)
{
    const QString name = QStringLiteral("fuzz-digest");
    QMap<QString, QByteArray> digests;
    {
        const QSqlDatabase db = Connection::openNamed(name, databaseFile);
        for (const TableDef& table : TableDefinitions::all()) {
            static const QStringList computed = {QStringLiteral("Registru"), QStringLiteral("Pangar"),
                                                 QStringLiteral("Bilant1")};
            if (computed.contains(table.name) || !Sql::tableExists(db, table.name))
                continue;
            QStringList columns;
            for (const FieldDef& field : table.fields)
                if (table.name != QLatin1String("Bilant") ||
                    (field.name != QLatin1String("Prevederi") && field.name != QLatin1String("Executie")))
                    columns << Sql::quoted(field.name);
            QSqlQuery rows = Sql::exec(db, QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                                               .arg(columns.join(QLatin1Char(',')), Sql::quoted(table.name)));
            QCryptographicHash hash(QCryptographicHash::Sha256);
            while (rows.next())
                for (int i = 0; i < rows.record().count(); ++i)
                    hash.addData(rows.value(i).toString().toUtf8() + '\x1f');
            digests.insert(table.name, hash.result().toHex().left(12));
        }
    }
    Connection::removeNamed(name);
    return digests;
}

QStringList randomArguments(SeededRandom& random, const QString& folder)
{
    QStringList names;
    for (const ReportEntry& entry : programReports().entries())
        names << entry.name;
    const QStringList options = {
        QStringLiteral("--from"),         QStringLiteral("--to"),  QStringLiteral("--code"),
        QStringLiteral("--pdf"),          QStringLiteral("--csv"), QStringLiteral("--report"),
        QStringLiteral("--list-reports"), QStringLiteral("-x"),    QStringLiteral("--")};
    const QStringList values = {QStringLiteral("2024-03-01"),
                                QStringLiteral("31.02.2024"),
                                QStringLiteral("01.13.2024"),
                                QStringLiteral("-1"),
                                QStringLiteral(""),
                                QStringLiteral("2024-12-31"),
                                QStringLiteral("99999999999999999999"),
                                QStringLiteral("Casa")};
    QStringList arguments{random.chance(85) ? QStringLiteral("--report") : QStringLiteral("--list-reports")};
    if (arguments.first() == QLatin1String("--report"))
        arguments << (random.chance(80) ? random.pick(names) : random.anyText(12));
    const int extra = random.below(6);
    for (int i = 0; i < extra; ++i) {
        const QString option = random.pick(options);
        arguments << option;
        if (option == QLatin1String("--pdf") || option == QLatin1String("--csv"))
            arguments << folder + (random.chance(80) ? QStringLiteral("iesire") : random.anyText(8));
        else if (random.chance(80))
            arguments << (random.chance(70) ? random.pick(values) : random.anyText(16));
    }
    return arguments;
}

} // namespace

TEST(CommandLineFuzz, AnyArgumentsEndWithAReasonAndLeaveTheDocumentsAlone)
{
    TestFolder folder;
    const QSqlDatabase db = folder.openWorkingYear();
    Documents::setYear(db, 2024, 500, 1000);
    Documents::receipt(db, 1, QStringLiteral("2024-01-05"), 200);
    Documents::payment(db, 2, QStringLiteral("2024-03-03"), 150, QStringLiteral("Banca"));
    Connection::close();
    const QString program = folder.file(QStringLiteral("Lumivaret"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(LUMIVARET_EXECUTABLE), program));
    const QMap<QString, QByteArray> before = typedDataDigest(folder.databaseFile());

    SeededRandom random;
    std::map<int, int> endings;
    for (int i = 0, n = SeededRandom::runs(25); i < n; ++i) {
        const QStringList arguments = randomArguments(random, folder.path());
        const ProgramOutcome outcome = runProgram(program, arguments);
        const std::string where = QStringLiteral("seed %1, arguments %2")
                                      .arg(random.seed())
                                      .arg(arguments.join(QStringLiteral(" | ")))
                                      .toStdString();
        ASSERT_TRUE(outcome.exitCode == 0 || outcome.exitCode == 1 || outcome.exitCode == 2)
            << where << " exit " << outcome.exitCode << " " << outcome.err.toStdString();
        if (outcome.exitCode != 0)
            EXPECT_EQ(outcome.err.count(QLatin1Char('\n')), 1) << where << " " << outcome.err.toStdString();
        const QMap<QString, QByteArray> after = typedDataDigest(folder.databaseFile());
        for (auto table = before.begin(); table != before.end(); ++table)
            ASSERT_EQ(after.value(table.key()), table.value())
                << where << " changed " << table.key().toStdString();
        ++endings[outcome.exitCode];
    }
    // Shows how the draw spread over the three endings, for whoever tunes it.
    for (const auto& [code, count] : endings)
        std::cout << "exit " << code << ": " << count << " runs\n";
}
