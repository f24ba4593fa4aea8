#include "year/DailyBackupPlace.h"

#include <gtest/gtest.h>

using namespace DailyBackupPlace;

TEST(DailyBackupPlace, TheDateIsWrittenWithoutSeparators)
{
    EXPECT_EQ(dateFolderName(QDate(2024, 3, 5)), QStringLiteral("20240305"));
    EXPECT_EQ(dateFolderName(QDate(2024, 12, 31)), QStringLiteral("20241231"));
}

TEST(DailyBackupPlace, TheSecondDiskUnlessItIsMissingOrACdRom)
{
    const std::pair<DriveType, const char*> cases[] = {
        {DriveType::Unknown, "C:/"}, {DriveType::NoRootFolder, "C:/"}, {DriveType::CdRom, "C:/"},
        {DriveType::Fixed, "D:/"},   {DriveType::Removable, "D:/"},    {DriveType::Remote, "D:/"},
        {DriveType::RamDisk, "D:/"},
    };
    for (const auto& [type, drive] : cases) {
        QStringList asked;
        const QString chosen = backupDrive([&](const QString& root) {
            asked << root;
            return type;
        });
        EXPECT_EQ(chosen, QString::fromLatin1(drive)) << int(type);
        EXPECT_EQ(asked, QStringList{QStringLiteral("D:/")});
    }
}

TEST(DailyBackupPlace, TheDayFolderKeepsTheProgramFoldersPathWithoutItsRoot)
{
    const struct {
        const char* root;
        const char* programFolder;
        const char* dayFolder;
    } cases[] = {
        {"D:/", "C:/Parohie/", "D:/SalvariMorvalen/20240115/Parohie"},
        {"C:/", "E:/Program/Parohie/", "C:/SalvariMorvalen/20240115/Program/Parohie"},
        {"/home/preot", "/opt/Parohie/", "/home/preot/SalvariMorvalen/20240115/opt/Parohie"},
        {"/mnt/salvari/", "/home/preot/Lumivaret",
         "/mnt/salvari/SalvariMorvalen/20240115/home/preot/Lumivaret"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            dayFolder(QString::fromLatin1(c.root), QString::fromLatin1(c.programFolder), QDate(2024, 1, 15)),
            QString::fromLatin1(c.dayFolder))
            << c.programFolder;
}
