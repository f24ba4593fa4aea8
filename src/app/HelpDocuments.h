#pragma once

#include <QString>
#include <QStringList>

class TMainFrm;

// The documents of the "Ajutor" menu: the user manual, an HTML page built
// with the program, and the church statute kept in the program folder.
struct HelpDocuments {
    static inline const QString manualFile = QStringLiteral("ManualLumivaret.html");
    static inline const QString statuteFile = QStringLiteral("StatutulBOR.pdf");
    static inline const QString missingMessage =
        QStringLiteral("Fisierul %1 nu a fost gasit in directorul programului (%2).");
    static inline const QString manualMissingMessage =
        QStringLiteral("Manualul programului (%1) nu a fost gasit in niciunul din directoarele:\n%2");
    static inline const QString cannotOpenMessage = QStringLiteral("Fisierul %1 nu poate fi deschis.");

    // Where the manual is looked for, in order: the program folder, the
    // executable's folder (a copy run from a folder of its own, the build
    // tree) and the installed documents (../share/doc/lumivaret).
    static QStringList manualFolders(const QString& programFolder, const QString& executableFolder);

    // Hands a file of the program folder to the desktop; a missing file or a
    // desktop that cannot open it is told to the user.
    static void open(const QString& fileName);
    // The same for the manual, from the first of its folders that holds it.
    static void openManual();
};

// Hangs the help documents on their commands: "Manual" and "StatutulBOR".
void attachHelpCommands(TMainFrm& mainWindow);
