#pragma once

#include <QString>

class TMainFrm;

// The documents of the "Ajutor" menu, kept in the program folder.
struct HelpDocuments {
    static inline const QString manualFile = QStringLiteral("HelpLumivaret.exe");
    static inline const QString statuteFile = QStringLiteral("StatutulBOR.pdf");
    static inline const QString missingMessage =
        QStringLiteral("Fisierul %1 nu a fost gasit in directorul programului (%2).");
    static inline const QString cannotOpenMessage = QStringLiteral("Fisierul %1 nu poate fi deschis.");

    // Hands a file of the program folder to the desktop; a missing file or a
    // desktop that cannot open it is told to the user.
    static void open(const QString& fileName);
};

// Hangs the help documents on their commands: "Manual" and "StatutulBOR".
void attachHelpCommands(TMainFrm& mainWindow);
