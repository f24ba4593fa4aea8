#include "db/DatabaseCopy.h"

#include "core/FolderSync.h"
#include "core/NativePath.h"
#include "core/SameFile.h"
#include "db/DbError.h"
#include "db/SealedFileLayer.h"
#include "db/SqliteHandle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <memory>
#include <sqlite3.h>

namespace
{

// The store's reason in the words the user reads (a full disk, a protected folder ...).
DbError copyFailure(const QString& target, const QString& storeReason)
{
    return DbError(QStringLiteral("Copia bazei de date nu poate fi scrisa in %1: %2")
                       .arg(nativePath(target), DbError::fromStoreText(storeReason).text()));
}

struct CloseConnection {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using ConnectionHandle = std::unique_ptr<sqlite3, CloseConnection>;

struct FinishBackup {
    void operator()(sqlite3_backup* backup) const { sqlite3_backup_finish(backup); }
};

// A unique, empty file beside the target (so the final rename stays on one
// disk); removed again unless the copy is renamed into place.
class PartialFile
{
public:
    explicit PartialFile(const QString& target)
    {
        DatabaseCopy::removeUnfinishedCopies(target);
        QTemporaryFile file(target + QStringLiteral(".XXXXXX.partial"));
        file.setAutoRemove(false);
        if (!file.open())
            throw copyFailure(target, file.errorString());
        m_path = file.fileName();
    }
    ~PartialFile()
    {
        if (!m_path.isEmpty()) {
            QFile::remove(m_path);
            QFile::remove(m_path + QStringLiteral("-journal"));
        }
    }
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    const QString& path() const { return m_path; }
    // Puts the finished copy in the target's place, replacing an older copy.
    void moveTo(const QString& target)
    {
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(m_path).toStdString(),
                                QFile::encodeName(target).toStdString(), error);
        if (error)
            throw copyFailure(target, QString::fromStdString(error.message()));
        m_path.clear();
        // A copy reported made must outlive a power loss, as the caller may go
        // on to remove what it keeps (the year-end closing deletes the year's
        // documents once they are in the year folder's copy).
        syncFolder(QFileInfo(target).absolutePath());
    }

private:
    QString m_path;
};

// Copies every page of the source's main database into the destination's,
// reporting the pages done.
void backUp(sqlite3* source, sqlite3* destination, const QString& target, Progress& progress)
{
    // Finished also when the progress throws: an unfinished backup would keep
    // both connections from closing, and the partial file open.
    const std::unique_ptr<sqlite3_backup, FinishBackup> backup(
        sqlite3_backup_init(destination, "main", source, "main"));
    if (!backup)
        throw copyFailure(target, QString::fromUtf8(sqlite3_errmsg(destination)));
    // A step of no pages takes the read lock and learns the page count.
    int rc = sqlite3_backup_step(backup.get(), 0);
    {
        ProgressScope scope(progress, DatabaseCopy::progressCaption, sqlite3_backup_pagecount(backup.get()));
        const int pagesPerStep = std::max(1, sqlite3_backup_pagecount(backup.get()) / 100);
        while (rc == SQLITE_OK) {
            rc = sqlite3_backup_step(backup.get(), pagesPerStep);
            scope.step(sqlite3_backup_pagecount(backup.get()) - sqlite3_backup_remaining(backup.get()));
        }
    }
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
        throw DbError(QStringLiteral("Baza de date este blocata de alta operatie; copia nu a fost facuta. "
                                     "Repetati operatia."));
    if (rc != SQLITE_DONE)
        throw copyFailure(target, QString::fromUtf8(sqlite3_errstr(rc)));
}

} // namespace

namespace DatabaseCopy
{

void removeUnfinishedCopies(const QString& targetFile)
{
    const QFileInfo info(targetFile);
    QDir folder = info.absoluteDir();
    const QString prefix = info.fileName() + QStringLiteral(".??????.partial");
    for (const QString& name : folder.entryList({prefix, prefix + QStringLiteral("-journal")}, QDir::Files | QDir::Hidden))
        folder.remove(name);
}

void copyTo(const QSqlDatabase& db, const QString& targetFile, Progress& progress)
{
    if (!db.isOpen())
        throw DbError(QStringLiteral("Baza de date nu este deschisa"));
    copyTo(sqliteHandle(db), targetFile, progress);
}

void copyTo(sqlite3* source, const QString& targetFile, Progress& progress)
{
    const QString sourceFile = QString::fromUtf8(sqlite3_db_filename(source, "main"));
    if (isSameFile(sourceFile, targetFile))
        throw DbError(QStringLiteral("Copia bazei de date nu poate fi scrisa peste baza de date insasi: %1")
                          .arg(nativePath(targetFile)));
    // A backup through this connection would also copy its uncommitted changes.
    if (!sqlite3_get_autocommit(source))
        throw DbError(QStringLiteral("Copia bazei de date nu poate fi facuta in timpul unei modificari "
                                     "neterminate. Repetati operatia dupa ce aceasta se incheie."));
    const QString folder = QFileInfo(targetFile).absolutePath();
    if (!QFileInfo(folder).isDir())
        throw copyFailure(targetFile, QStringLiteral("folderul %1 nu exista").arg(nativePath(folder)));

    PartialFile partial(targetFile);
    SealedFileLayer::install();
    {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(QFile::encodeName(partial.path()).constData(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        ConnectionHandle destination(raw);
        if (rc != SQLITE_OK)
            throw copyFailure(targetFile, QString::fromUtf8(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc)));
        backUp(source, destination.get(), targetFile, progress);
        if (sqlite3_close(destination.release()) != SQLITE_OK)
            throw copyFailure(targetFile, QStringLiteral("fisierul nu poate fi inchis"));
    }
    partial.moveTo(targetFile);
}

} // namespace DatabaseCopy
