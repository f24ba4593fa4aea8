#include "IncomeEntry.h"
#include "SmallDisk.h"
#include "support/TestFolder.h"

#include "app/MainUnt.h"
#include "core/UserError.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "db/WorkingYear.h"
#include "operations/TVenituriFrm.h"
#include "support/Documents.h"
#include "year/DataFolderCopy.h"
#include "year/YearEndRollover.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace
{

const QString diskFull = QStringLiteral("Discul este plin: datele nu au putut fi scrise. "
                                        "Eliberati spatiu pe disc si repetati operatia");

// The two ways the database meets a full disk: the disk itself (a small
// memory disk filled to the last byte) and SQLite's own page limit.
enum class Fullness { Disk, PageLimit };

std::string nameOf(const testing::TestParamInfo<Fullness>& info)
{
    return info.param == Fullness::Disk ? "DiskFilledUp" : "PageLimitReached";
}

class FullDiskTest : public testing::TestWithParam<Fullness>
{
protected:
    void SetUp() override
    {
        if (GetParam() == Fullness::Disk) {
            disk = std::make_unique<SmallDisk>(4 << 20);
            if (!disk->mounted())
                GTEST_SKIP() << disk->whyNotMounted().toStdString();
            folder.emplace(disk->path());
        } else {
            folder.emplace();
        }
        folder->openWorkingYear();
        Documents::receipt(Connection::database(), 1, today(), 10.0);
        Documents::receipt(Connection::database(), 2, today(), 20.0);
    }
    void TearDown() override
    {
        entry.closeWindows();
        folder.reset(); // the database goes before its disk
    }

    static QString today() { return QDate::currentDate().toString(Qt::ISODate); }

    void fill()
    {
        if (disk) {
            disk->fill();
            return;
        }
        // The book is full: small receipts up to the last page the limit allows.
        const QSqlDatabase db = Connection::database();
        Sql::exec(db, QStringLiteral("PRAGMA max_page_count = ") +
                          Sql::scalar(db, QStringLiteral("PRAGMA page_count")).toString());
        try {
            for (int number = 100; number < 100000; ++number)
                Sql::exec(db, QStringLiteral("INSERT INTO Venituri (Nr_act) VALUES (%1)").arg(number));
            FAIL() << "the page limit was never reached";
        } catch (const DbError& e) {
            ASSERT_EQ(e.text(), diskFull);
        }
    }
    void makeRoom()
    {
        if (disk)
            disk->makeRoom();
        else
            Sql::exec(Connection::database(), QStringLiteral("PRAGMA max_page_count = 1073741823"));
    }

    std::unique_ptr<SmallDisk> disk;
    std::optional<TestFolder> folder;
    IncomeEntry entry;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Faults, FullDiskTest, testing::Values(Fullness::Disk, Fullness::PageLimit), nameOf);

// The receipt typed stays on screen with a Romanian message, nothing stored
// before is touched, and once there is room the same click stores it.
TEST_P(FullDiskTest, SavingAnIncomeSaysTheDiskIsFullAndKeepsWhatWasTyped)
{
    entry.open();
    const QString explanation =
        QStringLiteral("Donatie pentru pictura bisericii, din partea familiei Popescu");
    entry.typeDonation(QStringLiteral("3"), QStringLiteral("250"), explanation);
    const QStringList typed = entry.shown();
    fill();
    const QStringList before = storedIncomes();

    EXPECT_EQ(entry.save(), QStringList{diskFull});
    EXPECT_EQ(entry.shown(), typed);
    EXPECT_EQ(storedIncomes(), before);
    EXPECT_TRUE(databaseIsSound(folder->databaseFile()));

    makeRoom();
    EXPECT_EQ(entry.save(), QStringList());
    const QStringList after = storedIncomes();
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(after.mid(0, before.size()), before);
    EXPECT_TRUE(after.last().contains(explanation));
    EXPECT_TRUE(databaseIsSound(folder->databaseFile()));
}

// The closing started from the menu: whichever step the full disk stops,
// the user reads that the year was not closed and the books are as they were;
// with room again the same command closes it.
TEST_P(FullDiskTest, TheYearEndClosingSaysSoAndChangesNothing)
{
    const QSqlDatabase db = Connection::database();
    const int year = workingYearOf(db);
    TMainFrm mainWindow;
    mainWindow.show();
    const auto closeTheYear = [&] {
        entry.dialogs.shown.clear();
        entry.dialogs.answers = {true, true};
        mainWindow.command(QStringLiteral("TrecereaLaAnNou"))->trigger();
        return entry.dialogs.texts(QStringLiteral("error"));
    };
    fill();
    const QStringList before = storedIncomes();
    const auto listing = [this] {
        return QDir(folder->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    };
    const QStringList filesBefore = listing();

    const QStringList errors = closeTheYear();
    ASSERT_EQ(errors.size(), 1);
    if (GetParam() == Fullness::Disk)
        EXPECT_TRUE(errors.first().startsWith(QStringLiteral("Nu pot salva baza de date in directorul ")))
            << errors.first().toStdString();
    else
        EXPECT_EQ(errors.first(), YearEndRollover::notClosedMessage(year, diskFull));
    EXPECT_EQ(workingYearOf(db), year);
    EXPECT_EQ(storedIncomes(), before);
    EXPECT_FALSE(Sql::tableExists(db, QStringLiteral("Ani")));
    if (GetParam() == Fullness::Disk)
        EXPECT_EQ(listing(), filesBefore) << "no year folder and no half copy";
    EXPECT_TRUE(databaseIsSound(folder->databaseFile()));

    makeRoom();
    EXPECT_EQ(closeTheYear(), QStringList());
    EXPECT_EQ(workingYearOf(db), year + 1);
}

// A copy onto a disk without room says so and leaves no half-written file;
// an older copy of a file that did not fit stays whole.
TEST(FullDiskCopyTest, ACopyOntoAFullDiskLeavesNoPartialFile)
{
    TestFolder source;
    source.openWorkingYear();
    const qint64 databaseSize = QFileInfo(source.databaseFile()).size();
    const struct {
        const char* name;
        bool diskFilled;
        QString says;
    } cases[] = {{"the database does not fit", true, diskFull},
                 {"a file after the database does not fit", false, QStringLiteral("Error copying file")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SmallDisk disk(databaseSize + (256 << 10));
        if (!disk.mounted())
            GTEST_SKIP() << disk.whyNotMounted().toStdString();
        const QString target = disk.path() + QStringLiteral("/Salvare");
        QDir().mkpath(target);
        const QByteArray olderCopy = "older copy";
        QFile older(target + QStringLiteral("/Scrisoare.pdf"));
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write(olderCopy);
        older.close();
        source.write(QStringLiteral("Scrisoare.pdf"), QByteArray(1 << 20, 'p'));
        if (c.diskFilled)
            disk.fill();

        try {
            DataFolderCopy::copy(source.path(), target, DataFolderCopy::anyFile);
            ADD_FAILURE() << "the copy went through on a full disk";
        } catch (const UserError& e) {
            EXPECT_TRUE(e.text().contains(c.says)) << e.text().toStdString();
        }

        QStringList left = QDir(target).entryList(QDir::Files | QDir::Hidden);
        left.removeOne(QStringLiteral("BazaDate.sqlite")); // a whole copy may stay
        EXPECT_EQ(left, QStringList{QStringLiteral("Scrisoare.pdf")});
        ASSERT_TRUE(older.open(QIODevice::ReadOnly));
        EXPECT_EQ(older.readAll(), olderCopy);
        older.close();
        if (QFile::exists(target + QStringLiteral("/BazaDate.sqlite")))
            EXPECT_TRUE(databaseIsSound(target + QStringLiteral("/BazaDate.sqlite")));
    }
}

// The very first start on a full disk: a Romanian message and no half-made
// database left to be taken for the parish's at the next start.
TEST(FullDiskStartTest, TheFirstStartMakesNoDatabaseAndTheNextOneDoes)
{
    SmallDisk disk(4 << 20);
    if (!disk.mounted())
        GTEST_SKIP() << disk.whyNotMounted().toStdString();
    {
        TestFolder folder(disk.path());
        disk.fill();
        try {
            folder.openWorkingYear();
            ADD_FAILURE() << "a database was made on a full disk";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.text().contains(diskFull)) << e.text().toStdString();
        }
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());

        disk.makeRoom();
        folder.openWorkingYear();
        EXPECT_TRUE(databaseIsSound(folder.databaseFile()));
    }
}
