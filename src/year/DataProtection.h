#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The parish's protection by password: every database file it keeps (the
// working year's, each closed year's, the copies put aside by restores and
// imports, the daily backups) encrypted under one password, or none.
//
// Each file is written converted beside itself and renamed over it, so a
// kill leaves it either as it was or whole in its new form. The work is
// announced first in a file of the program folder ("Protectie.lucru", which
// holds no password and no key in clear): the next start finishes it, or
// undoes it when no file was converted yet, so the folder never keeps a mix.
namespace DataProtection
{

inline const QString workFileName = QStringLiteral("Protectie.lucru");
constexpr int minimumPasswordLength = 8;

// Where the parish keeps database files.
struct Places {
    QString programFolder;
    QString dailyBackupRoot; // empty when the daily backups are not looked for
};

// Every database file of the parish, sealed or not: the program folder and its
// subfolders, and the daily backups of this program folder.
QStringList databaseFiles(const Places& places);

// True when the working year's database is encrypted (or an encryption was cut short).
bool isOn(const QString& programFolder);
// True when a start must ask for the password before it opens anything.
bool needsPassword(const QString& programFolder);

// Why a new password is refused ("Parola trebuie sa aiba cel putin 8 caractere."); none when accepted.
std::optional<QString> newPasswordProblem(const QString& password, const QString& repeated);

// True when `password` opens the parish's files: their keys are kept for the
// rest of the run and new files are encrypted with it. Also true when nothing is protected.
bool unlock(const QString& programFolder, const QByteArray& password);

// Encrypts every plain database file under a new password. Throws UserError
// (each file left whole) when one cannot be converted.
void protect(const Places& places, const QByteArray& password);
// Re-encrypts every file of the current password (unlocked before) under a new one.
void changePassword(const Places& places, const QByteArray& newPassword);
// Decrypts every file of the current password (unlocked before).
void remove(const Places& places);

// True when a protection, a change of password or a removal was cut short.
bool wasInterrupted(const QString& programFolder);

// What the next start did with a work cut short.
enum class Finished { Nothing, Protected, ProtectionUndone, PasswordChanged, Removed };
// Finishes or undoes the work cut short; the password was unlocked before
// when any file is encrypted. Throws UserError when a file cannot be converted.
Finished finishInterrupted(const Places& places);
// What the user is told of it; empty for Nothing.
QString finishedMessage(Finished finished);

} // namespace DataProtection
