#include "core/ProgramOptions.h"

#include "core/IniFile.h"

ProgramOptions ProgramOptions::read(const QString& iniPath)
{
    const IniFile ini(iniPath);
    ProgramOptions o;
    o.checkForNewVersion = ini.readBool(section, checkForNewVersionKey, o.checkForNewVersion);
    o.dailyBackup = ini.readBool(section, dailyBackupKey, o.dailyBackup);
    o.compoundNames = ini.readBool(section, compoundNamesKey, o.compoundNames);
    o.balanceInThousands = ini.readBool(section, balanceInThousandsKey, o.balanceInThousands);
    o.printReceipt = ini.readBool(section, printReceiptKey, o.printReceipt);
    o.dailyBackupFolder = ini.readString(section, dailyBackupFolderKey).trimmed();
    return o;
}

bool ProgramOptions::readBalanceInThousands(const QString& iniPath, bool fallback)
{
    return IniFile(iniPath).readBool(section, balanceInThousandsKey, fallback);
}

void ProgramOptions::writeStartupSwitches(const QString& iniPath) const
{
    IniFile ini(iniPath);
    ini.writeBool(section, checkForNewVersionKey, checkForNewVersion);
    ini.writeBool(section, dailyBackupKey, dailyBackup);
    ini.writeBool(section, compoundNamesKey, compoundNames);
    ini.writeBool(section, printReceiptKey, printReceipt);
    ini.save();
}

void ProgramOptions::writeBalanceInThousands(const QString& iniPath) const
{
    IniFile ini(iniPath);
    ini.writeBool(section, balanceInThousandsKey, balanceInThousands);
    ini.save();
}
