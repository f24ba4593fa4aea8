#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class TMainFrm;

// The parish's password: asked at start, read on the command line, set,
// changed or removed from "Sistem" > "Protectie date...".
namespace ProtectionCommands
{

inline const QString wrongPassword = QStringLiteral("Parola gresita");
inline const QString missingPassword =
    QStringLiteral("Datele parohiei sunt protejate: lipseste parola (--password-file FISIER sau variabila "
                   "LUMIVARET_PASSWORD).");

// Asks for the password when the parish's files are protected (three tries)
// and finishes a protection cut short. False when the program must close:
// the user was told why.
bool unlockAtStart(const QString& programFolder);

// The same for the command line: the password from `passwordFile` (its first
// line) or else from LUMIVARET_PASSWORD. Throws UserError ("Parola gresita")
// when the files stay closed.
void unlockForCommandLine(const QString& programFolder, const QString& passwordFile);

// The password given on the command line; none when neither the file nor the variable gives one.
std::optional<QByteArray> commandLinePassword(const QString& passwordFile);

// Protects the program folder's data with the password of `passwordFile`
// (--protect); returns the exit status and prints what happened.
int protectFromCommandLine(const QString& programFolder, const QString& passwordFile);

// Asks the password of a backup protected under a password the program does
// not hold yet (three tries). False when it stays closed (the user was told).
bool unlockBackup(const QString& databaseFile);

void attach(TMainFrm& mainWindow);

} // namespace ProtectionCommands
