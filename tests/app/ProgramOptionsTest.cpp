#include "core/ProgramOptions.h"
#include "core/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

QString writeIni(const QTemporaryDir& dir, const QByteArray& text)
{
    const QString path = dir.filePath(ProgramOptions::fileName);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return path;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

TEST(ProgramOptions, DefaultsWithoutAFile)
{
    QTemporaryDir dir;
    const ProgramOptions o = ProgramOptions::read(dir.filePath(ProgramOptions::fileName));
    EXPECT_TRUE(o.checkForNewVersion);
    EXPECT_TRUE(o.dailyBackup);
    EXPECT_FALSE(o.compoundNames);
    EXPECT_FALSE(o.balanceInThousands);
    EXPECT_FALSE(o.printReceipt);
}

TEST(ProgramOptions, ValuesAreReadAsIntegers)
{
    QTemporaryDir dir;
    const QString path = writeIni(dir, "[Options]\r\n"
                                       "Check for new version=0\r\n"
                                       "Backup BD zilnic=yes\r\n"
                                       "Foloseste nume compus pe rapoarte=5\r\n"
                                       "calcul bilant in mii lei = 1\r\n"
                                       "Tipareste chitanta=1\r\n");
    const ProgramOptions o = ProgramOptions::read(path);
    EXPECT_FALSE(o.checkForNewVersion); // "0" turns it off
    EXPECT_TRUE(o.dailyBackup);         // a word keeps the default
    EXPECT_TRUE(o.compoundNames);       // any other integer turns it on
    EXPECT_TRUE(o.balanceInThousands);
    EXPECT_TRUE(o.printReceipt);
    EXPECT_FALSE(ProgramOptions::readBalanceInThousands(dir.filePath(QStringLiteral("lipsa.ini")), false));

    const QString otherSection = writeIni(dir, "[Altceva]\nCheck for new version=0\nTipareste chitanta=1\n");
    EXPECT_TRUE(ProgramOptions::read(otherSection).checkForNewVersion);
    EXPECT_FALSE(ProgramOptions::read(otherSection).printReceipt);
}

TEST(ProgramOptions, WritesTheKeysAsNamedAndKeepsTheRestOfTheFile)
{
    QTemporaryDir dir;
    const QString path = writeIni(
        dir, "; setari\r\n[Options]\r\nCalcul bilant in mii lei=1\r\n\r\n[Altele]\r\nCheie=valoare\r\n");
    ProgramOptions o;
    o.checkForNewVersion = true;
    o.dailyBackup = false;
    o.compoundNames = true;
    o.printReceipt = true;
    o.writeStartupSwitches(path);
    EXPECT_EQ(readAll(path), QByteArray("; setari\r\n[Options]\r\nCalcul bilant in mii lei=1\r\n"
                                        "Check for new version=1\r\nBackup BD zilnic=0\r\n"
                                        "Foloseste nume compus pe rapoarte=1\r\nTipareste chitanta=1\r\n"
                                        "\r\n[Altele]\r\nCheie=valoare\r\n"));

    const QString fresh = dir.filePath(QStringLiteral("nou.ini"));
    o.printReceipt = false;
    o.writeStartupSwitches(fresh);
    EXPECT_EQ(readAll(fresh), QByteArray("[Options]\r\nCheck for new version=1\r\nBackup BD zilnic=0\r\n"
                                         "Foloseste nume compus pe rapoarte=1\r\nTipareste chitanta=0\r\n"));
    const ProgramOptions back = ProgramOptions::read(fresh);
    EXPECT_FALSE(back.dailyBackup);
    EXPECT_TRUE(back.compoundNames);
    EXPECT_FALSE(back.printReceipt);
}

TEST(ProgramOptions, TheDailyBackupFolderIsReadButNeverWritten)
{
    QTemporaryDir dir;
    EXPECT_TRUE(ProgramOptions::read(dir.filePath(ProgramOptions::fileName)).dailyBackupFolder.isEmpty());
    const QString path = writeIni(dir, "[Options]\r\nDirector salvari zilnice= /mnt/salvari \r\n");
    ProgramOptions o = ProgramOptions::read(path);
    EXPECT_EQ(o.dailyBackupFolder, QStringLiteral("/mnt/salvari"));

    o.dailyBackupFolder = QStringLiteral("/altundeva");
    o.writeStartupSwitches(path);
    EXPECT_TRUE(readAll(path).contains("Director salvari zilnice= /mnt/salvari \r\n"));
    EXPECT_FALSE(readAll(path).contains("altundeva"));
}
