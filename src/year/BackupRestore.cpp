#include "year/BackupRestore.h"

#include "core/NativePath.h"
#include "core/SameFile.h"
#include "core/Utilities.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/DbError.h"
#include "db/DocumentTables.h"
#include "db/SchemaUpgrade.h"
#include "db/Sql.h"
#include "db/TableDefinitions.h"
#include "db/WorkingYear.h"
#include "journal/ChangeJournal.h"
#include "year/DataFolderCopy.h"
#include "year/PrivateConnection.h"
#include "year/StagedFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace
{

const QString& databaseName()
{
    return DatabaseLocation::databaseFileName;
}

QString inFolder(const QString& folder, const QString& name)
{
    return QDir(folder).filePath(name);
}

// A year folder is named by the year's four digits and nothing else.
bool isYearFolderName(const QString& name)
{
    static const QRegularExpression fourDigits(QStringLiteral("^\\d{4}$"));
    return fourDigits.match(name).hasMatch();
}

// The year subfolders, in order.
QStringList yearFolderNames(const QString& folder)
{
    QStringList years;
    for (const QString& name : QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        if (isYearFolderName(name))
            years << name;
    return years;
}

QDate newestDocument(const QSqlDatabase& db)
{
    QDate newest;
    for (const QString& table : documentTables()) {
        if (!Sql::tableExists(db, table))
            continue;
        const QDate date = Sql::scalar(db, QStringLiteral("SELECT max(Data) FROM %1").arg(table)).toDate();
        if (date.isValid() && (!newest.isValid() || date > newest))
            newest = date;
    }
    return newest;
}

// The parish's tables a database lacks: a backup without them is not a
// parish's data, whatever SQLite says of the file (an empty file is a valid,
// empty database to it).
QStringList missingParishTables(const QSqlDatabase& db)
{
    QStringList missing;
    for (const TableDef& table : TableDefinitions::all())
        if (table.createdWithDatabase && !Sql::tableExists(db, table.name))
            missing << table.name;
    return missing;
}

// Throws UserError unless the file is a whole parish database: not empty,
// not damaged, with every table and a working year.
int requireParishDatabase(const QString& database)
{
    if (QFileInfo(database).size() == 0)
        throw IoError(QStringLiteral("Fisierul %1 este gol (0 octeti): salvarea este incompleta")
                          .arg(nativePath(database)));
    DataFolderCopy::requireIntegrity(database);
    const PrivateConnection connection(database);
    const QStringList missing = missingParishTables(connection.db());
    if (!missing.isEmpty())
        throw IoError(QStringLiteral("Baza de date %1 nu contine datele unei parohii: lipsesc tabelele %2")
                          .arg(nativePath(database), missing.join(QStringLiteral(", "))));
    try {
        return workingYearOf(connection.db());
    } catch (const DbError&) {
        throw IoError(QStringLiteral("Baza de date %1 nu are anul de lucru completat in datele parohiei")
                          .arg(nativePath(database)));
    }
}

// The work folders' names: a prefix and six random characters.
const QString incomingPrefix = QStringLiteral("Restaurare");
const QString replacedPrefix = QStringLiteral("Inlocuite");

// A temporary folder inside the program folder, so that renames out of it stay on one disk.
class WorkFolder
{
public:
    WorkFolder(const QString& programFolder, const QString& prefix)
        : m_dir(inFolder(programFolder, prefix + QStringLiteral("-XXXXXX")))
    {
        if (!m_dir.isValid())
            throw IoError(QStringLiteral("Nu pot crea un director de lucru in %1: %2")
                              .arg(nativePath(programFolder), m_dir.errorString()));
    }
    QString path() const { return m_dir.path(); }
    // Leaves the folder with what it holds.
    void keep() { m_dir.setAutoRemove(false); }

private:
    QTemporaryDir m_dir;
};

// Renames files and folders, and puts them back in reverse order when asked.
class Renames
{
public:
    void move(const QString& from, const QString& to)
    {
        if (!QDir().rename(from, to))
            throw IoError(QStringLiteral("%1 nu poate fi mutat in %2").arg(nativePath(from), nativePath(to)));
        m_done.append({from, to});
    }
    // False when something could not be put back.
    bool undo()
    {
        bool all = true;
        for (auto it = m_done.crbegin(); it != m_done.crend(); ++it)
            all = QDir().rename(it->second, it->first) && all;
        m_done.clear();
        return all;
    }

private:
    QList<std::pair<QString, QString>> m_done;
};

// The database with the side files SQLite may have left beside it: a
// journal must never stay beside another database than its own.
QStringList databaseFiles(const QString& folder)
{
    QStringList names{databaseName()};
    for (const char* suffix : {"-journal", "-wal", "-shm"})
        if (QFileInfo::exists(inFolder(folder, databaseName() + QLatin1String(suffix))))
            names << databaseName() + QLatin1String(suffix);
    return names;
}

// The database and the given year folders of `source`, copied and checked.
void copyData(const QString& source, const QString& target, const QStringList& years)
{
    DataFolderCopy::copy(source, target, DataFolderCopy::databaseOnly);
    for (const QString& year : years)
        DataFolderCopy::copy(inFolder(source, year), inFolder(target, year), DataFolderCopy::anyFile);
}

QString freeFolderName(const QString& wanted)
{
    QString name = wanted;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = QStringLiteral("%1 (%2)").arg(wanted).arg(n);
    return name;
}

void reopenWorkingYear()
{
    DatabaseLocation::instance().openWorkingYear();
    Q_EMIT DatabaseLocation::instance().yearSwitched();
}


// Written before the first rename and removed after the last: a restore cut
// by a kill or a power loss between its renames is undone at the next start
// (finishInterrupted), so the parish never starts on half of two data sets.
// Lines: the incoming folder, the folder of the replaced data, then
// "+name" for each item brought in and "-name" for each item put aside.
const QString& markerName()
{
    static const QString name = QStringLiteral("Restaurare neterminata.txt");
    return name;
}

void writeMarker(const QString& programFolder, const QString& incoming, const QString& replaced,
                 const QStringList& broughtIn, const QStringList& putAside)
{
    QStringList lines{QFileInfo(incoming).fileName(), QFileInfo(replaced).fileName()};
    for (const QString& name : broughtIn)
        lines << QLatin1Char('+') + name;
    for (const QString& name : putAside)
        lines << QLatin1Char('-') + name;
    QSaveFile file(inFolder(programFolder, markerName()));
    if (!file.open(QIODevice::WriteOnly) || file.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) < 0 ||
        !file.commit())
        throw IoError(QStringLiteral("Fisierul %1 nu poate fi scris in %2")
                          .arg(markerName(), nativePath(programFolder)));
}

} // namespace

namespace BackupRestore
{

QString findBackupFolder(const QString& chosenFolder)
{
    QString folder = QDir::cleanPath(chosenFolder);
    // A closed year's folder holds a frozen copy, never a working year: the
    // data it belongs to are its parent's.
    const QString parent = QFileInfo(folder).absolutePath();
    if (isYearFolderName(QFileInfo(folder).fileName()) && QFileInfo::exists(inFolder(parent, databaseName())))
        return parent;
    // The folder chosen when saving holds "Lumivaret" among other things.
    const QString saved = inFolder(folder, QStringLiteral("Lumivaret"));
    if (!QFileInfo::exists(inFolder(folder, databaseName())) &&
        QFileInfo::exists(inFolder(saved, databaseName())))
        return saved;
    while (QFileInfo(folder).isDir()) {
        if (QFileInfo::exists(inFolder(folder, databaseName())))
            return folder;
        const QFileInfoList entries = QDir(folder).entryInfoList(
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System | QDir::NoSymLinks);
        if (entries.size() != 1)
            break;
        folder = entries.first().filePath();
    }
    return {};
}

BackupSummary readSummary(const QString& backupFolder)
{
    const QString database = inFolder(backupFolder, databaseName());
    if (!QFileInfo::exists(database))
        throw IoError(QStringLiteral("In directorul %1 nu exista baza de date %2")
                          .arg(nativePath(backupFolder), databaseName()));
    if (isSameFile(database, DatabaseLocation::instance().workingYearDatabase()))
        throw IoError(QStringLiteral("Directorul %1 contine chiar baza de date in lucru, nu o salvare")
                          .arg(nativePath(backupFolder)));
    const int workingYear = requireParishDatabase(database);

    BackupSummary summary;
    summary.folder = QDir::cleanPath(backupFolder);
    summary.workingYear = workingYear;
    const PrivateConnection connection(database);
    summary.lastDocument = newestDocument(connection.db());
    for (const QString& year : yearFolderNames(backupFolder))
        summary.closedYears << year.toInt();
    return summary;
}

QString confirmationQuestion(const BackupSummary& backup)
{
    QStringList years;
    for (const int year : backup.closedYears)
        years << QString::number(year);
    const QString none = QStringLiteral("niciunul");
    return QStringLiteral("Restaurati datele salvate in directorul %1?\n\n"
                          "Anul de lucru: %2\n"
                          "Ultimul document: %3\n"
                          "Ani inchisi: %4\n\n"
                          "Baza de date si anii inchisi de acum vor fi inlocuiti cu cei salvati; "
                          "o copie a lor ramane in directorul programului, in \"Inainte de restaurare ...\". "
                          "Modificarile nesalvate din ferestrele deschise se pierd.")
        .arg(nativePath(backup.folder),
             backup.workingYear ? QString::number(*backup.workingYear) : QStringLiteral("necunoscut"),
             backup.lastDocument.isValid() ? backup.lastDocument.toString(QStringLiteral("dd.MM.yyyy"))
                                           : none,
             years.isEmpty() ? none : years.join(QStringLiteral(", ")));
}

QString safetyFolderName(const QDateTime& now)
{
    return QStringLiteral("Inainte de restaurare ") + now.toString(QStringLiteral("yyyyMMdd-HHmm"));
}

QString restore(const QString& programFolder, const BackupSummary& backup, const QDateTime& now)
{
    if (DatabaseLocation::instance().isClosedYearOpen())
        throw IoError(QStringLiteral("Datele se pot restaura numai cu anul de lucru deschis"));

    const WorkFolder incoming(programFolder, incomingPrefix);
    const QStringList backupYears = yearFolderNames(backup.folder);
    copyData(backup.folder, incoming.path(), backupYears);

    WorkFolder replaced(programFolder, replacedPrefix);
    const QStringList currentYears = yearFolderNames(programFolder);
    StagedFolder safety(freeFolderName(inFolder(programFolder, safetyFolderName(now))));
    copyData(programFolder, safety.path(), currentYears);
    safety.commit();

    const bool wasOpen = Connection::isOpen();
    Connection::close();
    const QStringList putAside = databaseFiles(programFolder) + currentYears;
    const QStringList broughtIn = QStringList{databaseName()} + backupYears;
    Renames renames;
    try {
        writeMarker(programFolder, incoming.path(), replaced.path(), broughtIn, putAside);
        for (const QString& name : putAside)
            renames.move(inFolder(programFolder, name), inFolder(replaced.path(), name));
        for (const QString& name : broughtIn)
            renames.move(inFolder(incoming.path(), name), inFolder(programFolder, name));
        DatabaseLocation::instance().openWorkingYear();
        // A backup made by an earlier release gets the fields of this one.
        SchemaUpgrade::upgrade(Connection::database());
        // The rows brought back are those the saved journal already follows (or, from an
        // older release, the baseline its start has just taken): one entry says what happened.
        ChangeJournal::recordSummary(Connection::database(),
                                     QStringLiteral("Datele au fost restaurate din salvare."), {});
        QFile::remove(inFolder(programFolder, markerName()));
    } catch (const UserError& e) {
        Connection::close();
        if (!renames.undo()) {
            replaced.keep(); // what could not be put back stays there, never deleted
            throw RestoreIncomplete(
                QStringLiteral("Datele nu au putut fi puse la locul lor (%1), iar cele de pana acum "
                               "nu au putut fi readuse toate; ele se afla in %2 si in %3")
                    .arg(e.text(), nativePath(replaced.path()), nativePath(safety.finalPath())));
        }
        // Everything is back as it was: the safety copy of it would only mislead.
        QFile::remove(inFolder(programFolder, markerName()));
        QDir(safety.finalPath()).removeRecursively();
        if (wasOpen)
            reopenWorkingYear();
        throw IoError(QStringLiteral("Datele nu au putut fi puse la locul lor: %1").arg(e.text()));
    }
    Q_EMIT DatabaseLocation::instance().yearSwitched();
    return safety.finalPath();
}

void finishInterrupted(const QString& programFolder)
{
    QFile file(inFolder(programFolder, markerName()));
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Fisierul %1 nu poate fi citit").arg(nativePath(file.fileName())));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    file.close();
    if (lines.size() < 2) {
        // Cut while being written: no rename had begun.
        QFile::remove(file.fileName());
        return;
    }
    const QString incoming = inFolder(programFolder, lines.at(0));
    const QString replaced = inFolder(programFolder, lines.at(1));
    // Undo in reverse: what came in goes back out, then what was put aside comes back.
    bool all = true;
    for (const QString& line : lines.mid(2)) {
        const QString name = line.mid(1);
        if (line.startsWith(QLatin1Char('+')) && QFileInfo::exists(inFolder(programFolder, name)) &&
            !QFileInfo::exists(inFolder(incoming, name)))
            all = QDir().rename(inFolder(programFolder, name), inFolder(incoming, name)) && all;
    }
    for (const QString& line : lines.mid(2)) {
        const QString name = line.mid(1);
        if (line.startsWith(QLatin1Char('-')) && QFileInfo::exists(inFolder(replaced, name)) &&
            !QFileInfo::exists(inFolder(programFolder, name)))
            all = QDir().rename(inFolder(replaced, name), inFolder(programFolder, name)) && all;
    }
    if (!all)
        throw IoError(QStringLiteral("O restaurare intrerupta nu a putut fi anulata: datele de dinainte se afla "
                                     "in %1, cele aduse in %2")
                          .arg(nativePath(replaced), nativePath(incoming)));
    QDir(incoming).removeRecursively();
    QDir(replaced).removeRecursively();
    QFile::remove(file.fileName());
}

namespace
{

// A restore's work folder holds only copies of databases and year folders: a
// user's own folder that happens to bear such a name is never removed.
bool holdsOnlyRestoreWork(const QDir& folder)
{
    static const QRegularExpression year(QStringLiteral("^\\d{4}$"));
    for (const QFileInfo& entry : folder.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (entry.isDir() ? !year.match(entry.fileName()).hasMatch() || !holdsOnlyRestoreWork(QDir(entry.filePath()))
                          : !entry.fileName().startsWith(DatabaseLocation::databaseFileName))
            return false;
    }
    return true;
}

} // namespace

void removeAbandonedWorkFolders(const QString& programFolder)
{
    // A restore between its renames is finished by finishInterrupted; its folders are not abandoned.
    if (QFileInfo::exists(inFolder(programFolder, markerName())))
        return;
    QDir folder(programFolder);
    for (const QString& prefix : {incomingPrefix, replacedPrefix})
        for (const QString& name : folder.entryList({prefix + QStringLiteral("-??????")}, QDir::Dirs | QDir::Hidden))
            if (QDir work(folder.filePath(name)); holdsOnlyRestoreWork(work))
                work.removeRecursively();
}

} // namespace BackupRestore
