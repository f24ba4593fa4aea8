// The import of older table files into a program folder of its own: after a
// kill, and once the next start has finished what the import left, the folder
// holds its files exactly as before the import or the whole imported data;
// the next import then runs through.

#include "crash/CrashRandom.h"
#include "crash/CrashScenario.h"
#include "crash/FolderSnapshot.h"
#include "support/OldTableFile.h"
#include "transfer/OldDataImport.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace
{

using namespace CrashState;

using namespace FolderSnapshot;


// The starting states: a program folder without data, and one whose working
// year and closed year 2023 hold documents the import replaces (kept aside).
const QStringList startingStates = {QStringLiteral("empty"), QStringLiteral("withDocuments")};

QString templates(const QSqlDatabase& db)
{
    return scenarioFolder(db) + QStringLiteral("import-templates/");
}
QString sourceFolder(const QSqlDatabase& db)
{
    return templates(db) + QStringLiteral("old-tables/");
}
QString startOf(const QSqlDatabase& db, const QString& state)
{
    return templates(db) + QStringLiteral("start-") + state + QLatin1Char('/');
}
QString expectedOf(const QSqlDatabase& db, const QString& state)
{
    return templates(db) + QStringLiteral("imported-") + state + QLatin1Char('/');
}

void writeIncomes(const QString& file, int year, int rows)
{
    using namespace OldTableFile;
    QDir().mkpath(QFileInfo(file).absolutePath());
    QList<Row> values;
    for (int n = 1; n <= rows; ++n)
        values.append({n, QDate(year, 2, n), QStringLiteral("Donaţii"), 10.0 * n});
    OldTableFile::write(file,
                        {number(QStringLiteral("Nr_act")), date(QStringLiteral("Data")),
                         alpha(QStringLiteral("Den_venit"), 100), money(QStringLiteral("Valoarea"))},
                        values);
}

// The kept copies' names hold the time of the import.
QString withoutTime(const QString& path)
{
    static const QRegularExpression stamp(QStringLiteral("-inainte-de-import-\\d{8}-\\d{6}(-\\d+)?"));
    return QString(path).replace(stamp, QStringLiteral("-inainte-de-import"));
}

// The old tables (three years: the working one, 2023 and 2022), both starting
// states, and the folders an import leaves from each.
QString makeImportTemplates(const QSqlDatabase& db)
{
    writeIncomes(sourceFolder(db) + QStringLiteral("Venituri.DB"), 2024, 3);
    writeIncomes(sourceFolder(db) + QStringLiteral("2023/Venituri.DB"), 2023, 2);
    writeIncomes(sourceFolder(db) + QStringLiteral("2022/Venituri.DB"), 2022, 1);

    QDir().mkpath(startOf(db, startingStates[0]));
    writeScenarioFile(startOf(db, startingStates[0]) + QStringLiteral("Optiuni.ini"), "[Parohia]\nNume=Proba\n");
    const QString full = startOf(db, startingStates[1]);
    makeDatabase(full + QStringLiteral("BazaDate.sqlite"), 2024, 4);
    makeDatabase(full + QStringLiteral("2023/BazaDate.sqlite"), 2023, 5);
    writeScenarioFile(full + QStringLiteral("2023/Optiuni.ini"), "[Parohia]\nNume=Proba\n");
    writeScenarioFile(full + QStringLiteral("Optiuni.ini"), "[Parohia]\nNume=Proba\n");
    writeScenarioFile(full + OldDataImport::reportFileName, "un import mai vechi\n");

    for (const QString& state : startingStates) {
        copyFolder(startOf(db, state), expectedOf(db, state));
        OldDataImport(sourceFolder(db), expectedOf(db, state)).run(true);
    }
    return QStringLiteral("templates");
}

QString performImport(const QSqlDatabase& db, int number, unsigned seed, const Announce& announce)
{
    CrashRandom random(seed, number);
    const QString state = startingStates.at(random.below(int(startingStates.size())));
    const QString folder = QStringLiteral("import-%1").arg(number);
    // Announced once the starting state is complete: a kill before that leaves a folder never checked.
    copyFolder(startOf(db, state), scenarioFolder(db) + folder);
    announce(folder + QLatin1Char(' ') + state);
    OldDataImport(sourceFolder(db), scenarioFolder(db) + folder).run(true);
    return after;
}

// The state the folder is in: "before", "after", or what is wrong.
QString stateOf(const QSqlDatabase& db, const QString& folder, const QString& state)
{
    if (entriesUnder(folder) == entriesUnder(startOf(db, state)))
        return before;
    const QString wrong = differences(folder, expectedOf(db, state), withoutTime);
    return wrong.isEmpty() ? after : QStringLiteral("neither before nor after: ") + wrong;
}

// Every database of the starting state is somewhere in the folder, byte for byte.
void expectDatabasesKept(const QSqlDatabase& db, const QString& folder, const QString& state,
                         CrashFindings& findings)
{
    const Entries start = entriesUnder(startOf(db, state));
    QSet<QByteArray> present;
    for (const QByteArray& bytes : entriesUnder(folder))
        present.insert(bytes);
    for (auto it = start.cbegin(); it != start.cend(); ++it)
        if (it.key().endsWith(QLatin1String(".sqlite")) && !present.contains(it.value()))
            findings.fault(folder + QStringLiteral(": the only copy of %1 is lost").arg(it.key()));
}

void verifyImport(const QSqlDatabase& db, const CrashLog& operations, CrashFindings& findings)
{
    // Each folder is checked once its outcome is known; the parent runs every check.
    static QSet<QString> checked;
    for (const CrashOperation& operation : operations) {
        if (operation.announced.isEmpty())
            continue;
        const QString folder = scenarioFolder(db) + operation.announced.first().section(QLatin1Char(' '), 0, 0);
        const QString state = operation.announced.first().section(QLatin1Char(' '), 1);
        if (checked.contains(folder))
            continue;
        checked.insert(folder);
        findings.countVerified();
        expectDatabasesKept(db, folder, state, findings);
        try {
            OldDataImport::finishInterrupted(folder); // as the next start does
        } catch (const std::exception& e) {
            findings.fault(folder + QStringLiteral(": the start could not finish the import: ") +
                           QString::fromUtf8(e.what()));
        }
        const QString found = stateOf(db, folder, state);
        const std::optional<QString> outcome = operation.outcome();
        if (outcome ? found != *outcome : found != before && found != after)
            findings.fault(
                QStringLiteral("%1 (%2): expected %3, found %4")
                    .arg(folder, state, outcome.value_or(before + QStringLiteral(" or ") + after), found));
        if (outcome)
            continue;
        findings.settle(found);
        // The next import is not stopped by anything the interrupted one left.
        try {
            OldDataImport(sourceFolder(db), folder).run(true);
            const QStringList leftovers = pathsContaining(entriesUnder(folder), OldDataImport::stagingPrefix);
            if (!leftovers.isEmpty())
                findings.fault(folder + QStringLiteral(": the next import left ") +
                               leftovers.join(QLatin1Char(',')));
        } catch (const std::exception& e) {
            findings.fault(folder + QStringLiteral(": the next import failed: ") +
                           QString::fromUtf8(e.what()));
        }
    }
}

const CrashScenarioRegistration importRegistration({QStringLiteral("oldDataImport"), performImport, verifyImport,
                                              makeImportTemplates});

} // namespace
