// A refresh of a year folder killed during its swap: the states it leaves,
// and what the next start or refresh makes of them.

#include "year/YearFolderArchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

struct CutSwap {
    const char* name;
    bool yearFolder;    // 2023 there (the new copy when the old one is aside)
    bool oldAside;      // .2023.vechi there
    bool freshLeft;     // .2023.nou there
    const char* stands; // what 2023 holds afterwards
};

class InterruptedYearFolderTest : public ::testing::TestWithParam<CutSwap>
{
protected:
    void write(const QString& name, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(m_dir.filePath(name)).absolutePath());
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString& name) const
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_P(InterruptedYearFolderTest, TheStartLeavesOneWholeYearFolderAndNoLeftovers)
{
    const CutSwap cut = GetParam();
    if (cut.yearFolder)
        write(QStringLiteral("2023/Optiuni.ini"), cut.oldAside ? "new" : "old");
    if (cut.oldAside)
        write(QStringLiteral(".2023.vechi/Optiuni.ini"), "old");
    if (cut.freshLeft)
        write(QStringLiteral(".2023.nou/Optiuni.ini"), "half");
    YearFolderArchive::finishInterrupted(m_dir.path());
    EXPECT_EQ(read(QStringLiteral("2023/Optiuni.ini")), cut.stands);
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath(QStringLiteral(".2023.vechi"))));
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath(QStringLiteral(".2023.nou"))));
}

INSTANTIATE_TEST_SUITE_P(EachCut, InterruptedYearFolderTest,
                         ::testing::Values(CutSwap{"CopyUnfinished", true, false, true, "old"},
                                           CutSwap{"OldMovedAside", false, true, true, "old"},
                                           CutSwap{"NewInPlaceOldNotRemoved", true, true, false, "new"}),
                         [](const auto& info) { return std::string(info.param.name); });

// The next refresh after a swap cut short between its renames starts from
// the old copy put back, and ends with the new one alone.
TEST_F(InterruptedYearFolderTest, TheNextRefreshAfterACutSwapLeavesTheNewCopyAlone)
{
    write(QStringLiteral("Optiuni.ini"), "new");
    write(QStringLiteral(".2023.vechi/Optiuni.ini"), "old");
    write(QStringLiteral(".2023.nou/Optiuni.ini"), "half");
    YearFolderArchive::refresh(m_dir.path(), 2023);
    EXPECT_EQ(read(QStringLiteral("2023/Optiuni.ini")), "new");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("2023")});
}
