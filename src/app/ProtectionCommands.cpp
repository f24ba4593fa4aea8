#include "app/ProtectionCommands.h"

#include "app/DailyBackup.h"
#include "app/MainUnt.h"
#include "core/BusyCursor.h"
#include "core/FolderPresence.h"
#include "core/NativePath.h"
#include "core/ProgramFolder.h"
#include "core/ProgramOptions.h"
#include "core/UserDialogs.h"
#include "core/UserError.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/ProtectionKeys.h"
#include "db/SealedFileLayer.h"
#include "year/DataProtection.h"

#include <QDir>
#include <QFile>
#include <cstdio>

namespace ProtectionCommands
{
namespace
{

const QString title = QStringLiteral("Protectie date");
constexpr int tries = 3;

DataProtection::Places places(const QString& folder)
{
    return {folder, dailyBackupRoot(ProgramOptions::read(QDir(folder).filePath(ProgramOptions::fileName)))};
}

// A new password typed twice, asked again until it is accepted; none when cancelled.
std::optional<QByteArray> askNewPassword()
{
    for (;;) {
        const auto first = dialogs().inputPassword(
            title,
            QStringLiteral("Parola noua (cel putin %1 caractere):").arg(DataProtection::minimumPasswordLength));
        if (!first)
            return std::nullopt;
        if (const auto problem = DataProtection::newPasswordProblem(*first, *first)) {
            dialogs().warning(*problem);
            continue;
        }
        const auto second = dialogs().inputPassword(title, QStringLiteral("Scrieti parola noua inca o data:"));
        if (!second)
            return std::nullopt;
        if (const auto problem = DataProtection::newPasswordProblem(*first, *second)) {
            dialogs().warning(*problem);
            continue;
        }
        return first->toUtf8();
    }
}

bool askCurrentPassword()
{
    const auto typed = dialogs().inputPassword(title, QStringLiteral("Parola actuala:"));
    if (!typed)
        return false;
    if (!DataProtection::unlock(programFolder(), typed->toUtf8())) {
        dialogs().warning(wrongPassword + QStringLiteral(". Protectia datelor a ramas neschimbata."));
        return false;
    }
    return true;
}

// Runs a conversion of the files with the connection closed (the files are
// replaced under it), then opens the working year again for the windows.
bool convertFiles(const std::function<void(const DataProtection::Places&)>& work)
{
    const FolderPresence::Alone alone(programFolder());
    if (!alone.granted()) {
        dialogs().warning(FolderPresence::otherRunMessage() + QStringLiteral("\nProtectia datelor a ramas neschimbata."));
        return false;
    }
    BusyCursor busy(true);
    Connection::close();
    bool done = true;
    QString failure;
    try {
        work(places(programFolder()));
    } catch (const std::exception& e) {
        done = false;
        const auto* user = dynamic_cast<const UserError*>(&e);
        failure = user ? user->text() : QString::fromUtf8(e.what());
    }
    try {
        DatabaseLocation::instance().openWorkingYear();
        Q_EMIT DatabaseLocation::instance().yearSwitched();
    } catch (const UserError& e) {
        failure += (failure.isEmpty() ? QString() : QStringLiteral("\n")) + e.text();
        done = false;
    }
    busy.release();
    if (!done)
        dialogs().error(QStringLiteral("Protectia datelor nu a fost schimbata:\n%1\nDatele au ramas cum erau.")
                            .arg(failure));
    return done;
}

void configure()
{
    if (DatabaseLocation::instance().isClosedYearOpen()) {
        dialogs().warning(QStringLiteral("Protectia datelor se stabileste din anul de lucru. Alegeti intai "
                                         "anul de lucru in Sistem > Parohia, in lista anilor."));
        return;
    }
    if (!DataProtection::isOn(programFolder())) {
        if (!dialogs().question(QStringLiteral(
                "Datele parohiei (familiile, botezurile, cununiile, inmormantarile si documentele), ale anului "
                "de lucru, ale anilor inchisi si ale salvarilor, vor fi criptate cu o parola. Programul o va "
                "cere la fiecare pornire. Fara parola datele nu mai pot fi citite de nimeni: pastrati-o "
                "intr-un loc sigur.\nModificarile nesalvate din ferestrele deschise se pierd.\n\n"
                "Protejati datele cu o parola?")))
            return;
        const auto password = askNewPassword();
        if (password && convertFiles([&](const auto& p) { DataProtection::protect(p, *password); }))
            dialogs().information(QStringLiteral("Datele sunt protejate prin parola. "
                                                 "Programul o va cere la fiecare pornire."));
        return;
    }
    if (dialogs().question(QStringLiteral("Datele sunt protejate prin parola. Doriti sa schimbati parola?\n"
                                          "Modificarile nesalvate din ferestrele deschise se pierd."))) {
        if (!askCurrentPassword())
            return;
        const auto password = askNewPassword();
        if (password && convertFiles([&](const auto& p) { DataProtection::changePassword(p, *password); }))
            dialogs().information(QStringLiteral("Parola a fost schimbata. Toate fisierele parohiei "
                                                 "sunt criptate acum cu parola noua."));
        return;
    }
    if (!dialogs().question(QStringLiteral("Doriti sa eliminati protectia prin parola? Datele parohiei vor "
                                           "putea fi citite de oricine are acces la calculator.")))
        return;
    if (!askCurrentPassword())
        return;
    if (!dialogs().question(QStringLiteral("Confirmati eliminarea protectiei? Toate fisierele parohiei vor "
                                           "fi scrise necriptate. Modificarile nesalvate din ferestrele deschise "
                                           "se pierd.")))
        return;
    if (convertFiles([](const auto& p) { DataProtection::remove(p); }))
        dialogs().information(QStringLiteral("Protectia prin parola a fost eliminata."));
}

// Finishes a conversion cut short, with the folder to this run alone; what was done, for the user.
QString finishProtectionWork(const DataProtection::Places& where)
{
    if (!DataProtection::wasInterrupted(where.programFolder))
        return {};
    const FolderPresence::Alone alone(where.programFolder);
    if (!alone.granted())
        throw UserError(FolderPresence::otherRunMessage());
    return DataProtection::finishedMessage(DataProtection::finishInterrupted(where));
}

} // namespace

bool unlockAtStart(const QString& programFolder)
{
    if (DataProtection::needsPassword(programFolder)) {
        bool opened = false;
        for (int attempt = 1; attempt <= tries && !opened; ++attempt) {
            const auto typed = dialogs().inputPassword(
                QStringLiteral("Lumivaret"), QStringLiteral("Datele parohiei sunt protejate. Parola:"));
            if (!typed) {
                dialogs().error(QStringLiteral("Fara parola datele parohiei nu pot fi deschise. "
                                               "Programul se inchide."));
                return false;
            }
            opened = DataProtection::unlock(programFolder, typed->toUtf8());
            if (!opened && attempt < tries)
                dialogs().warning(wrongPassword + QStringLiteral(". Mai aveti %1 incercari.").arg(tries - attempt));
        }
        if (!opened) {
            dialogs().error(wrongPassword + QStringLiteral(". Programul se inchide."));
            return false;
        }
    }
    try {
        if (const QString finished = finishProtectionWork(places(programFolder)); !finished.isEmpty())
            dialogs().information(finished);
    } catch (const UserError& e) {
        dialogs().error(QStringLiteral("Protectia datelor, intrerupta la ultima folosire, nu a putut fi "
                                       "terminata:\n%1\nProgramul se inchide.")
                            .arg(e.text()));
        return false;
    }
    return true;
}

std::optional<QByteArray> commandLinePassword(const QString& passwordFile)
{
    if (!passwordFile.isEmpty()) {
        QFile file(passwordFile);
        if (!file.open(QIODevice::ReadOnly))
            throw UserError(QStringLiteral("Fisierul parolei %1 nu poate fi citit: %2")
                                .arg(nativePath(passwordFile), file.errorString()));
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        // An editor's UTF-8 mark is not part of the password.
        if (line.startsWith("\xEF\xBB\xBF"))
            line.remove(0, 3);
        return line;
    }
    if (qEnvironmentVariableIsSet("LUMIVARET_PASSWORD"))
        return qgetenv("LUMIVARET_PASSWORD");
    return std::nullopt;
}

void unlockForCommandLine(const QString& programFolder, const QString& passwordFile)
{
    if (DataProtection::needsPassword(programFolder)) {
        const std::optional<QByteArray> password = commandLinePassword(passwordFile);
        if (!password)
            throw UserError(missingPassword);
        if (!DataProtection::unlock(programFolder, *password))
            throw UserError(wrongPassword);
    }
    if (const QString finished = finishProtectionWork(places(programFolder)); !finished.isEmpty())
        std::fprintf(stderr, "%s\n", finished.toUtf8().constData());
}

int protectFromCommandLine(const QString& programFolder, const QString& passwordFile)
{
    if (DataProtection::isOn(programFolder)) {
        std::fputs("Datele sunt deja protejate prin parola.\n", stderr);
        return 1;
    }
    const QString database = QDir(programFolder).filePath(DatabaseLocation::databaseFileName);
    if (!QFile::exists(database)) {
        std::fprintf(stderr, "Dosarul %s nu are baza de date a parohiei.\n",
                     nativePath(programFolder).toUtf8().constData());
        return 1;
    }
    const std::optional<QByteArray> password = commandLinePassword(passwordFile);
    if (!password) {
        std::fprintf(stderr, "%s\n", missingPassword.toUtf8().constData());
        return 2;
    }
    const QString text = QString::fromUtf8(*password);
    if (const auto problem = DataProtection::newPasswordProblem(text, text)) {
        std::fputs((*problem + QLatin1Char('\n')).toUtf8().constData(), stderr);
        return 2;
    }
    const FolderPresence::Alone alone(programFolder);
    if (!alone.granted()) {
        std::fprintf(stderr, "%s\n", FolderPresence::otherRunMessage().toUtf8().constData());
        return 1;
    }
    Connection::close();
    DataProtection::protect(places(programFolder), *password);
    std::fputs("Datele sunt protejate prin parola.\n", stdout);
    return 0;
}

bool unlockBackup(const QString& databaseFile)
{
    const auto header = SealedFileLayer::readHeader(databaseFile);
    if (!header || ProtectionKeys::key(header->passwordSalt))
        return true;
    for (int attempt = 1; attempt <= tries; ++attempt) {
        const auto typed = dialogs().inputPassword(
            QStringLiteral("Restaurare date"),
            ProtectionKeys::activeSalt()
                ? QStringLiteral("Datele salvate sunt protejate cu o alta parola. Parola lor:")
                : QStringLiteral("Datele salvate sunt protejate cu o parola. Parola lor:"));
        if (!typed)
            return false;
        if (SealedFileLayer::unlock(databaseFile, typed->toUtf8()))
            return true;
        dialogs().warning(wrongPassword + QLatin1Char('.'));
    }
    return false;
}

void attach(TMainFrm& mainWindow)
{
    mainWindow.setCommandHandler(QStringLiteral("ProtectieDate"), configure);
}

} // namespace ProtectionCommands
