// An import killed while it puts its files in place: the state it leaves
// after each step, and what the next start (or import) makes of it.

#include "OldParish.h"
#include "transfer/OldDataImport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

const QString staging = OldDataImport::stagingPrefix + QStringLiteral("Ab12Cd");

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A program folder with a working year, a closed year 2023 and a report, and
// an import whose files are built and whose plan is written; `steps` of its
// placement were done before the kill.
class InterruptedImportTest : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override
    {
        writeFile(file("BazaDate.sqlite"), "old working year");
        writeFile(file("2023/BazaDate.sqlite"), "old 2023");
        writeFile(file("Import.txt"), "old report");
        writeFile(file(staging + "/0.sqlite"), "new working year");
        writeFile(file(staging + "/2023.sqlite"), "new 2023");
        writeFile(file(staging + "/2022.sqlite"), "new 2022");
        writeFile(file(staging + "/Import.txt"), "new report");
    }
    QString file(const QString& name) const { return m_dir.path() + QLatin1Char('/') + name; }
    QByteArray bytes(const QString& name) const
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void writePlan()
    {
        writeFile(
            file(staging + "/plasare.plan"),
            (staging + "/0.sqlite\tBazaDate.sqlite\tBazaDate-inainte-de-import-20240105-101010.sqlite\n" +
             staging +
             "/2023.sqlite\t2023/BazaDate.sqlite\t2023/BazaDate-inainte-de-import-20240105-101010.sqlite\n" +
             staging + "/2022.sqlite\t2022/BazaDate.sqlite\t\n" + staging + "/Import.txt\tImport.txt\t\n")
                .toUtf8());
    }
    // The renames of the placement, in its order.
    void doSteps(int steps)
    {
        const QList<std::pair<QString, QString>> renames = {
            {"BazaDate.sqlite", "BazaDate-inainte-de-import-20240105-101010.sqlite"},
            {staging + "/0.sqlite", "BazaDate.sqlite"},
            {"2023/BazaDate.sqlite", "2023/BazaDate-inainte-de-import-20240105-101010.sqlite"},
            {staging + "/2023.sqlite", "2023/BazaDate.sqlite"},
            {staging + "/2022.sqlite", "2022/BazaDate.sqlite"},
            {"Import.txt", "Import.txt.inlocuit"},
            {staging + "/Import.txt", "Import.txt"},
        };
        for (int step = 0; step < steps; ++step) {
            QDir().mkpath(QFileInfo(file(renames[step].second)).absolutePath());
            ASSERT_TRUE(QFile::rename(file(renames[step].first), file(renames[step].second))) << step;
        }
    }
    void expectAllNew()
    {
        EXPECT_EQ(bytes("BazaDate.sqlite"), "new working year");
        EXPECT_EQ(bytes("BazaDate-inainte-de-import-20240105-101010.sqlite"), "old working year");
        EXPECT_EQ(bytes("2023/BazaDate.sqlite"), "new 2023");
        EXPECT_EQ(bytes("2023/BazaDate-inainte-de-import-20240105-101010.sqlite"), "old 2023");
        EXPECT_EQ(bytes("2022/BazaDate.sqlite"), "new 2022");
        EXPECT_EQ(bytes("Import.txt"), "new report");
        EXPECT_FALSE(QFileInfo::exists(file("Import.txt.inlocuit")));
        EXPECT_FALSE(QFileInfo::exists(file(staging)));
    }

    QTemporaryDir m_dir;
};

} // namespace

// Killed after the plan was written and `steps` renames were made (7: all of
// them, the discarded report not yet removed): every file ends the new one.
TEST_P(InterruptedImportTest, TheStartFinishesAPlacementCutShort)
{
    writePlan();
    doSteps(GetParam());
    OldDataImport::finishInterrupted(m_dir.path());
    expectAllNew();
}

INSTANTIATE_TEST_SUITE_P(EachStep, InterruptedImportTest, ::testing::Range(0, 8));

// Killed while the databases were being built: nothing was placed, and the
// start removes the temporary folder, leaving every file as it was.
TEST_F(InterruptedImportTest, TheStartRemovesAnImportCutShortBeforeItsPlan)
{
    writeFile(file(staging + "/plasare.plan.scris"), "half a pla");
    const QMap<QString, QByteArray> before = [&] {
        QMap<QString, QByteArray> files = folderContents(m_dir.path());
        for (auto it = files.begin(); it != files.end();)
            it = it.key().startsWith(staging) ? files.erase(it) : std::next(it);
        return files;
    }();
    OldDataImport::finishInterrupted(m_dir.path());
    EXPECT_EQ(folderContents(m_dir.path()), before);
}

// A kill after the last rename, before the replaced report was removed, left
// its temporary name behind; the next import is not stopped by it.
TEST_F(InterruptedImportTest, ALeftoverReplacedReportDoesNotStopTheNextImport)
{
    writePlan();
    doSteps(7);
    QFile::remove(file(staging + "/plasare.plan"));
    QDir(file(staging)).removeRecursively();
    OldParish parish;
    parish.incomes(QStringLiteral("Venituri.DB"), {{1, 10.0}});
    QFile::remove(file("BazaDate.sqlite")); // only its kept copy matters here
    QDir(file("2023")).removeRecursively();
    QDir(file("2022")).removeRecursively();
    OldDataImport(parish.path(), m_dir.path()).run(true);
    EXPECT_EQ(rowsOf(file("BazaDate.sqlite"), QStringLiteral("SELECT Nr_act FROM Venituri")),
              QStringList{"1"});
    EXPECT_FALSE(QFileInfo::exists(file("Import.txt.inlocuit")));
}
