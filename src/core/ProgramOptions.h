#pragma once

#include <QString>

// The installation's switches, kept in Configurari.ini in the program folder
// (section "Options", written "1" or "0").
struct ProgramOptions {
    static inline const QString fileName = QStringLiteral("Configurari.ini");
    static inline const QString section = QStringLiteral("Options");
    static inline const QString checkForNewVersionKey = QStringLiteral("Check for new version");
    static inline const QString dailyBackupKey = QStringLiteral("Backup BD zilnic");
    static inline const QString compoundNamesKey = QStringLiteral("Foloseste nume compus pe rapoarte");
    static inline const QString balanceInThousandsKey = QStringLiteral("Calcul bilant in mii lei");
    static inline const QString printReceiptKey = QStringLiteral("Tipareste chitanta");
    static inline const QString dailyBackupFolderKey = QStringLiteral("Director salvari zilnice");

    bool checkForNewVersion = true;
    bool dailyBackup = true;
    bool compoundNames = false;
    bool balanceInThousands = false;
    // The incomes window's "&Printeaza" prints the receipt before starting the next one.
    bool printReceipt = false;
    // Where the daily backups go off Windows, instead of the user's home
    // folder; set by hand in the file, never written by the program.
    QString dailyBackupFolder;

    // Reads every switch; a missing file, section or key, or a value
    // that is not an integer, leaves the default.
    static ProgramOptions read(const QString& iniPath);
    // Reads only the balance sheet switch, the given value serving as default.
    static bool readBalanceInThousands(const QString& iniPath, bool fallback);
    // Writes the switches of the parameters window (all but the balance sheet's). Throws IoError.
    void writeStartupSwitches(const QString& iniPath) const;
    // Writes the balance sheet switch. Throws IoError.
    void writeBalanceInThousands(const QString& iniPath) const;
};
