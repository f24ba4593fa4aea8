#include "transfer/OldDataImport.h"

#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "db/TableDefinitions.h"
#include "transfer/DatabaseFromTables.h"
#include "transfer/FilePlacement.h"
#include "transfer/ImportError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace
{

// The tables whose rows are the parish's documents.
const QStringList documentTables = {QStringLiteral("Venituri"), QStringLiteral("Cheltuieli"),
                                    QStringLiteral("Depuneri"), QStringLiteral("Ridicari"),
                                    QStringLiteral("CheltSal"), QStringLiteral("DocIn")};

bool holdsDocuments(const QString& databaseFile)
{
    if (!QFileInfo::exists(databaseFile))
        return false;
    const QString connectionName = QStringLiteral("LumivaretImportCheck");
    bool found = false;
    try {
        QSqlDatabase db = Connection::openNamed(connectionName, databaseFile);
        for (const QString& table : documentTables)
            if (Sql::tableExists(db, table) &&
                Sql::scalar(db, QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(Sql::quoted(table))).isValid())
                found = true;
    } catch (const DbError&) {
        found = true; // a file that cannot be read is never replaced unasked
    }
    Connection::removeNamed(connectionName);
    return found;
}

bool holdsSchemaTables(const QString& folder)
{
    const auto files = tableFilesIn(folder);
    for (const TableDef& table : TableDefinitions::all())
        if (files.contains(table.name.toLower()))
            return true;
    return false;
}

// Beside the replaced database, under a name no other file has.
QString keptName(const QString& target, const QString& stamp)
{
    const QString folder = QFileInfo(target).absolutePath() + QLatin1Char('/');
    QString name = folder + QStringLiteral("BazaDate-inainte-de-import-%1.sqlite").arg(stamp);
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = folder + QStringLiteral("BazaDate-inainte-de-import-%1-%2.sqlite").arg(stamp).arg(n);
    return name;
}

} // namespace

void OldDataImport::finishInterrupted(const QString& programFolder)
{
    QDir folder(programFolder);
    const QStringList leftovers = folder.entryList({stagingPrefix + QStringLiteral("??????")},
                                                   QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : leftovers) {
        const QString staging = folder.filePath(name);
        if (FilePlacement::hasPlan(staging))
            FilePlacement::finishPlanned(staging);
        QDir(staging).removeRecursively();
    }
}

OldDataImport::OldDataImport(const QString& sourceFolder, const QString& programFolder)
    : m_source(QDir(sourceFolder).absolutePath() + QLatin1Char('/')), m_programFolder(programFolder)
{
    if (!m_programFolder.endsWith(QLatin1Char('/')))
        m_programFolder += QLatin1Char('/');
}

QString OldDataImport::folderProblem() const
{
    if (!QFileInfo(m_source).isDir())
        return QStringLiteral("Dosarul %1 nu exista.").arg(QDir::toNativeSeparators(m_source));
    if (QDir(m_source).absolutePath() == QDir(m_programFolder).absolutePath())
        return QStringLiteral("Dosarul ales este chiar dosarul programului.");
    for (const int year : years())
        if (holdsSchemaTables(sourceOf(year)))
            return {};
    return QStringLiteral("Dosarul %1 nu contine tabele ale programului vechi (de exemplu Venituri.DB).")
        .arg(QDir::toNativeSeparators(m_source));
}

QList<int> OldDataImport::years() const
{
    QList<int> found{0};
    static const QRegularExpression fourDigits(QStringLiteral("^\\d{4}$"));
    QStringList folders = QDir(m_source).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    // A year folder holding no table of the program (scans, a backup archive) is no closed year.
    for (const QString& name : folders)
        if (fourDigits.match(name).hasMatch() && name.toInt() > 0 && holdsSchemaTables(m_source + name))
            found << name.toInt();
    return found;
}

QString OldDataImport::sourceOf(int year) const
{
    return year == 0 ? m_source : m_source + QString::number(year) + QLatin1Char('/');
}

QString OldDataImport::targetOf(int year) const
{
    const QString folder =
        year == 0 ? m_programFolder : m_programFolder + QString::number(year) + QLatin1Char('/');
    return folder + DatabaseLocation::databaseFileName;
}

QStringList OldDataImport::databasesWithDocuments() const
{
    QStringList found;
    for (const int year : years())
        if (holdsDocuments(targetOf(year)))
            found << targetOf(year);
    return found;
}

OldDataImport::Outcome OldDataImport::run(bool replaceDocuments)
{
    if (const QString problem = folderProblem(); !problem.isEmpty())
        throw ImportError(problem);
    if (!replaceDocuments) {
        const QStringList withDocuments = databasesWithDocuments();
        if (!withDocuments.isEmpty())
            throw ImportError(QStringLiteral("Baza de date %1 are documente: importul o inlocuieste doar "
                                             "daca se cere (--replace). Nimic nu s-a schimbat.")
                                  .arg(QDir::toNativeSeparators(withDocuments.first())));
    }

    finishInterrupted(m_programFolder);
    // Built beside their targets' folder, so that putting them in place is a rename.
    QTemporaryDir staging(m_programFolder + stagingPrefix + QStringLiteral("XXXXXX"));
    if (!staging.isValid())
        throw ImportError(QStringLiteral("In dosarul %1 nu se poate scrie; nimic nu s-a schimbat.")
                              .arg(QDir::toNativeSeparators(m_programFolder)));
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));

    Outcome outcome;
    FilePlacement placement(staging.path());
    for (const int year : years()) {
        const QString built = staging.filePath(QStringLiteral("%1.sqlite").arg(year));
        outcome.years.append({year, buildDatabaseFromTables(sourceOf(year), built)});
        const QString target = targetOf(year);
        placement.add(built, target, QFileInfo::exists(target) ? keptName(target, stamp) : QString());
    }

    outcome.reportText = importReportText(outcome.years);
    const QString builtReport = staging.filePath(reportFileName);
    QFile report(builtReport);
    if (!report.open(QIODevice::WriteOnly) || report.write(outcome.reportText.toUtf8()) < 0 ||
        !report.flush())
        throw ImportError(QStringLiteral("Fisierul %1 nu poate fi scris; nimic nu s-a schimbat.")
                              .arg(QDir::toNativeSeparators(builtReport)));
    report.close();
    placement.add(builtReport, m_programFolder + reportFileName);

    placement.placeAll();
    outcome.keptCopies = placement.keptCopies();
    return outcome;
}
