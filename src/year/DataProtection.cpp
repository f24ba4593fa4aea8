#include "year/DataProtection.h"

#include "core/FolderSync.h"
#include "core/NativePath.h"
#include "core/UserError.h"
#include "db/DatabaseCopy.h"
#include "db/DatabaseLocation.h"
#include "db/DbError.h"
#include "db/ProtectionKeys.h"
#include "db/SealedFileLayer.h"
#include "year/DailyBackupPlace.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <filesystem>
#include <sodium.h>
#include <sqlite3.h>

namespace DataProtection
{
namespace
{

using ProtectionKeys::Salt;
using FileState = std::optional<Salt>; // the password salt of a sealed file; none for a plain one

const QString convertedSuffix = QStringLiteral(".protectie");

QString workFile(const QString& programFolder)
{
    return QDir(programFolder).filePath(workFileName);
}

QString workingDatabase(const QString& programFolder)
{
    return QDir(programFolder).filePath(DatabaseLocation::databaseFileName);
}

QString hex(const unsigned char* bytes, int size)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes), size).toHex());
}

std::optional<Salt> saltFromHex(const QString& text)
{
    const QByteArray bytes = QByteArray::fromHex(text.toLatin1());
    if (bytes.size() != ProtectionKeys::saltSize)
        return std::nullopt;
    Salt salt;
    std::copy(bytes.begin(), bytes.end(), salt.begin());
    return salt;
}

FileState stateOf(const QString& file)
{
    const auto header = SealedFileLayer::readHeader(file);
    return header ? FileState(header->passwordSalt) : std::nullopt;
}

bool looksLikeDatabase(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = f.read(16);
    return start.startsWith("SQLite format 3") || start.startsWith("Lumivaret sealed");
}

// ---- the announcement of the work ----

enum class Work { Protect, Change, Remove };

struct Announcement {
    Work work = Work::Protect;
    std::optional<Salt> newSalt;
    std::optional<Salt> oldSalt;
    ProtectionKeys::Cost newCost;
    QByteArray oldKeyUnderNew; // nonce + sealed key
    QByteArray newKeyUnderOld;
};

const QHash<Work, QString>& workNames()
{
    static const QHash<Work, QString> names{
        {Work::Protect, QStringLiteral("protejare")},
        {Work::Change, QStringLiteral("schimbare parola")},
        {Work::Remove, QStringLiteral("eliminare")},
    };
    return names;
}

QByteArray wrapKey(const unsigned char* key, const unsigned char* under)
{
    QByteArray out(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES + ProtectionKeys::keySize, '\0');
    auto* bytes = reinterpret_cast<unsigned char*>(out.data());
    randombytes_buf(bytes, crypto_secretbox_NONCEBYTES);
    crypto_secretbox_easy(bytes + crypto_secretbox_NONCEBYTES, key, ProtectionKeys::keySize, bytes, under);
    return out;
}

bool unwrapKey(const QByteArray& wrapped, const unsigned char* under, unsigned char* key)
{
    if (wrapped.size() != crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES + ProtectionKeys::keySize)
        return false;
    const auto* bytes = reinterpret_cast<const unsigned char*>(wrapped.constData());
    return crypto_secretbox_open_easy(key, bytes + crypto_secretbox_NONCEBYTES,
                                      wrapped.size() - crypto_secretbox_NONCEBYTES, bytes, under) == 0;
}

void announce(const QString& programFolder, const Announcement& a)
{
    QJsonObject o;
    o.insert(QStringLiteral("lucrare"), workNames().value(a.work));
    if (a.newSalt) {
        o.insert(QStringLiteral("sare_noua"), hex(a.newSalt->data(), ProtectionKeys::saltSize));
        o.insert(QStringLiteral("cost_operatii"), QString::number(a.newCost.operations));
        o.insert(QStringLiteral("cost_memorie"), QString::number(a.newCost.memoryBytes));
    }
    if (a.oldSalt)
        o.insert(QStringLiteral("sare_veche"), hex(a.oldSalt->data(), ProtectionKeys::saltSize));
    if (!a.oldKeyUnderNew.isEmpty()) {
        o.insert(QStringLiteral("cheie_veche"), QString::fromLatin1(a.oldKeyUnderNew.toHex()));
        o.insert(QStringLiteral("cheie_noua"), QString::fromLatin1(a.newKeyUnderOld.toHex()));
    }
    QSaveFile file(workFile(programFolder));
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(o).toJson()) < 0 || !file.commit())
        throw UserError(QStringLiteral("Fisierul %1 nu poate fi scris: %2")
                            .arg(nativePath(workFile(programFolder)), file.errorString()));
    syncFolder(programFolder);
}

std::optional<Announcement> readAnnouncement(const QString& programFolder)
{
    QFile file(workFile(programFolder));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonObject o = QJsonDocument::fromJson(file.readAll()).object();
    Announcement a;
    const QString work = o.value(QStringLiteral("lucrare")).toString();
    if (!workNames().values().contains(work))
        return std::nullopt;
    a.work = workNames().key(work);
    a.newSalt = saltFromHex(o.value(QStringLiteral("sare_noua")).toString());
    a.oldSalt = saltFromHex(o.value(QStringLiteral("sare_veche")).toString());
    a.newCost = {o.value(QStringLiteral("cost_operatii")).toString().toULongLong(),
                 o.value(QStringLiteral("cost_memorie")).toString().toULongLong()};
    a.oldKeyUnderNew = QByteArray::fromHex(o.value(QStringLiteral("cheie_veche")).toString().toLatin1());
    a.newKeyUnderOld = QByteArray::fromHex(o.value(QStringLiteral("cheie_noua")).toString().toLatin1());
    return a;
}

void withdrawAnnouncement(const QString& programFolder)
{
    QFile::remove(workFile(programFolder));
    syncFolder(programFolder);
}

// ---- converting files ----

struct CloseSqlite {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};

// Writes `file` anew in the state the active salt gives new files (encrypted
// under it, or plain without one) and puts it in place of the old one.
void convert(const QString& file)
{
    SealedFileLayer::install();
    const QString converted = file + convertedSuffix;
    {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
        std::unique_ptr<sqlite3, CloseSqlite> source(raw);
        // Reading the schema also rolls back a change a crash left pending.
        if (rc != SQLITE_OK ||
            sqlite3_exec(raw, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK)
            throw UserError(QStringLiteral("Fisierul %1 nu poate fi citit: %2")
                                .arg(nativePath(file),
                                     DbError::fromStoreText(QString::fromUtf8(raw ? sqlite3_errmsg(raw) : "")).text()));
        DatabaseCopy::copyTo(source.get(), converted);
    }
    QFile::setPermissions(converted, QFileInfo(file).permissions());
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(converted).constData(), QFile::encodeName(file).constData(), error);
    if (error) {
        QFile::remove(converted);
        throw UserError(QStringLiteral("Fisierul %1 nu poate fi inlocuit: %2")
                            .arg(nativePath(file), QString::fromLocal8Bit(error.message().c_str())));
    }
    syncFolder(QFileInfo(file).absolutePath());
}

// Converts every file in state `from` to state `to`; on a failure converts
// back those done, so that the files stay as they were. Returns the files converted.
void convertAll(const QStringList& files, const FileState& from, const FileState& to)
{
    QStringList done;
    try {
        ProtectionKeys::setActiveSalt(to);
        for (const QString& file : files)
            if (stateOf(file) == from) {
                convert(file);
                done.append(file);
            }
    } catch (const std::exception&) {
        ProtectionKeys::setActiveSalt(from);
        for (const QString& file : done)
            convert(file); // a failure here leaves the announcement for the next start
        throw;
    }
}

bool haveKey(const FileState& state)
{
    return !state || ProtectionKeys::key(*state);
}

void requireKeys(const FileState& a, const FileState& b)
{
    if (!haveKey(a) || !haveKey(b))
        throw UserError(QStringLiteral("Parola gresita"));
}

// What a conversion cut short left beside a file: its copy under way, or finished but not put in place.
void removeConvertedLeftovers(const QStringList& files)
{
    for (const QString& file : files) {
        DatabaseCopy::removeUnfinishedCopies(file + convertedSuffix);
        QFile::remove(file + convertedSuffix);
    }
}

// A file of the folder encrypted under `salt`, for trying a password on it.
QString fileUnder(const QStringList& files, const Salt& salt)
{
    for (const QString& file : files)
        if (stateOf(file) == FileState(salt))
            return file;
    return {};
}

} // namespace

QStringList databaseFiles(const Places& places)
{
    QStringList roots{places.programFolder};
    if (!places.dailyBackupRoot.isEmpty()) {
        const QDir backups(QDir(places.dailyBackupRoot).filePath(DailyBackupPlace::backupsFolderName));
        const QString ours = DailyBackupPlace::pathWithoutRoot(places.programFolder);
        for (const QString& day : backups.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            if (const QString folder = QDir(backups.filePath(day)).filePath(ours); QFileInfo(folder).isDir())
                roots.append(folder);
    }
    QStringList files;
    for (const QString& root : roots) {
        QDirIterator it(root, {QStringLiteral("*.sqlite")}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = QFileInfo(it.next()).absoluteFilePath();
            if (!files.contains(file) && looksLikeDatabase(file))
                files.append(file);
        }
    }
    files.sort();
    return files;
}

bool isOn(const QString& programFolder)
{
    return SealedFileLayer::isSealed(workingDatabase(programFolder)) || wasInterrupted(programFolder);
}

bool needsPassword(const QString& programFolder)
{
    if (SealedFileLayer::isSealed(workingDatabase(programFolder)))
        return true;
    if (!wasInterrupted(programFolder))
        return false;
    for (const QString& file : databaseFiles({programFolder, {}}))
        if (stateOf(file))
            return true;
    return false;
}

std::optional<QString> newPasswordProblem(const QString& password, const QString& repeated)
{
    if (password.size() < minimumPasswordLength)
        return QStringLiteral("Parola trebuie sa aiba cel putin %1 caractere.").arg(minimumPasswordLength);
    if (password != repeated)
        return QStringLiteral("Parolele introduse nu coincid. Scrieti aceeasi parola de doua ori.");
    return std::nullopt;
}

bool unlock(const QString& programFolder, const QByteArray& password)
{
    const QStringList files = databaseFiles({programFolder, {}});
    const std::optional<Announcement> work = readAnnouncement(programFolder);
    QList<Salt> candidates;
    if (const FileState working = stateOf(workingDatabase(programFolder)))
        candidates.append(*working);
    if (work) {
        for (const auto& salt : {work->newSalt, work->oldSalt})
            if (salt && !candidates.contains(*salt))
                candidates.append(*salt);
    }
    if (candidates.isEmpty())
        return true;
    bool opened = false;
    for (const Salt& salt : candidates) {
        const QString file = fileUnder(files, salt);
        if (!file.isEmpty() && SealedFileLayer::unlock(file, password)) {
            opened = true;
            break;
        }
    }
    if (!opened)
        return false;
    // A change cut short: either password gives the other key.
    if (work && work->work == Work::Change && work->newSalt && work->oldSalt) {
        unsigned char other[ProtectionKeys::keySize];
        if (const unsigned char* newKey = ProtectionKeys::key(*work->newSalt);
            newKey && unwrapKey(work->oldKeyUnderNew, newKey, other))
            ProtectionKeys::keep(*work->oldSalt, other, ProtectionKeys::costOf(*work->newSalt));
        else if (const unsigned char* oldKey = ProtectionKeys::key(*work->oldSalt);
                 oldKey && unwrapKey(work->newKeyUnderOld, oldKey, other))
            ProtectionKeys::keep(*work->newSalt, other, work->newCost);
        sodium_memzero(other, sizeof other);
    }
    const FileState working = stateOf(workingDatabase(programFolder));
    if (working && !ProtectionKeys::key(*working))
        return false;
    ProtectionKeys::setActiveSalt(working);
    if (work)
        ProtectionKeys::setActiveSalt(work->work == Work::Remove ? std::nullopt : work->newSalt);
    return true;
}

namespace
{

// The work of a new password: its salt and its key, derived and kept.
Announcement withNewPassword(Work work, const QByteArray& password)
{
    Announcement a;
    a.work = work;
    a.newSalt = ProtectionKeys::newSalt();
    a.newCost = ProtectionKeys::standardCost();
    if (!ProtectionKeys::derive(password, *a.newSalt, a.newCost))
        throw UserError(QStringLiteral("Calculatorul nu are destula memorie pentru protejarea datelor."));
    return a;
}

// The current password's salt; throws when the files are not protected or their key is not held.
Salt currentSalt()
{
    const std::optional<Salt> current = ProtectionKeys::activeSalt();
    if (!current || !ProtectionKeys::key(*current))
        throw UserError(QStringLiteral("Datele nu sunt protejate prin parola."));
    return *current;
}

// Announces the work, converts every file of the parish from `from` to `to`
// and withdraws the announcement. On a failure the files are converted back
// and new files keep the state they had.
void convertAnnounced(const Places& places, const Announcement& a, const FileState& from, const FileState& to)
{
    const QStringList files = databaseFiles(places);
    announce(places.programFolder, a);
    try {
        convertAll(files, from, to);
    } catch (...) {
        withdrawAnnouncement(places.programFolder);
        ProtectionKeys::setActiveSalt(from);
        throw;
    }
    withdrawAnnouncement(places.programFolder);
    ProtectionKeys::setActiveSalt(to);
}

} // namespace

void protect(const Places& places, const QByteArray& password)
{
    const Announcement a = withNewPassword(Work::Protect, password);
    try {
        convertAnnounced(places, a, std::nullopt, a.newSalt);
    } catch (...) {
        ProtectionKeys::forget(*a.newSalt);
        throw;
    }
}

void changePassword(const Places& places, const QByteArray& newPassword)
{
    const Salt current = currentSalt();
    Announcement a = withNewPassword(Work::Change, newPassword);
    a.oldSalt = current;
    a.oldKeyUnderNew = wrapKey(ProtectionKeys::key(current), ProtectionKeys::key(*a.newSalt));
    a.newKeyUnderOld = wrapKey(ProtectionKeys::key(*a.newSalt), ProtectionKeys::key(current));
    convertAnnounced(places, a, current, a.newSalt);
    ProtectionKeys::forget(current);
}

void remove(const Places& places)
{
    const Salt current = currentSalt();
    Announcement a;
    a.work = Work::Remove;
    a.oldSalt = current;
    convertAnnounced(places, a, current, std::nullopt);
}

bool wasInterrupted(const QString& programFolder)
{
    return QFileInfo::exists(workFile(programFolder));
}

Finished finishInterrupted(const Places& places)
{
    const std::optional<Announcement> work = readAnnouncement(places.programFolder);
    const QStringList files = databaseFiles(places);
    removeConvertedLeftovers(files);
    Finished finished = Finished::Nothing;
    if (work) {
        switch (work->work) {
        case Work::Protect:
            // Undone when no file was encrypted yet: the password then protects nothing.
            if (work->newSalt && !fileUnder(files, *work->newSalt).isEmpty()) {
                requireKeys(work->newSalt, std::nullopt);
                convertAll(files, std::nullopt, work->newSalt);
                ProtectionKeys::setActiveSalt(work->newSalt);
                finished = Finished::Protected;
            } else {
                finished = Finished::ProtectionUndone;
            }
            break;
        case Work::Change:
            if (work->oldSalt && !fileUnder(files, *work->oldSalt).isEmpty()) {
                requireKeys(work->oldSalt, work->newSalt);
                convertAll(files, work->oldSalt, work->newSalt);
            }
            ProtectionKeys::setActiveSalt(work->newSalt);
            finished = Finished::PasswordChanged;
            break;
        case Work::Remove:
            if (work->oldSalt && !fileUnder(files, *work->oldSalt).isEmpty()) {
                requireKeys(work->oldSalt, std::nullopt);
                convertAll(files, work->oldSalt, std::nullopt);
            }
            ProtectionKeys::setActiveSalt(std::nullopt);
            finished = Finished::Removed;
            break;
        }
    }
    withdrawAnnouncement(places.programFolder);
    return finished;
}

QString finishedMessage(Finished finished)
{
    const QString cut = QStringLiteral("La ultima folosire a programului, ");
    switch (finished) {
    case Finished::Nothing:
        return {};
    case Finished::Protected:
        return cut + QStringLiteral("protejarea datelor prin parola a fost intrerupta. A fost terminata acum: "
                                    "toate fisierele parohiei sunt protejate prin parola.");
    case Finished::ProtectionUndone:
        return cut + QStringLiteral("protejarea datelor prin parola a fost intrerupta inainte sa protejeze vreun "
                                    "fisier. Datele NU sunt protejate: pentru a le proteja alegeti din nou "
                                    "Sistem > Protectie date...");
    case Finished::PasswordChanged:
        return cut + QStringLiteral("schimbarea parolei a fost intrerupta. A fost terminata acum: de acum "
                                    "datele se deschid numai cu parola NOUA.");
    case Finished::Removed:
        return cut + QStringLiteral("eliminarea protectiei prin parola a fost intrerupta. A fost terminata acum: "
                                    "datele nu mai sunt protejate prin parola.");
    }
    return {};
}

} // namespace DataProtection
