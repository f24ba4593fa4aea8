#include "IncomeEntry.h"
#include "support/TestFolder.h"

#include "db/Connection.h"
#include "support/Documents.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace
{

const QString inUse = QStringLiteral("Baza de date este folosita de alt program, care nu a eliberat-o nici "
                                     "dupa cateva secunde: operatia nu a fost facuta. Inchideti "
                                     "celalalt program si repetati operatia");

// Another program holding the database in a write transaction: the sqlite3
// command-line shell, started on the file.
class OtherProgram
{
public:
    explicit OtherProgram(const QString& databaseFile)
    {
        const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
        if (shell.isEmpty())
            return;
        m_process.start(shell, {databaseFile});
        m_started = m_process.waitForStarted();
    }
    ~OtherProgram()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.closeWriteChannel();
            if (!m_process.waitForFinished(10000))
                m_process.kill();
        }
    }

    bool started() const { return m_started; }

    // Takes the lock and holds it; returns once it is held.
    bool lock() { return run("BEGIN EXCLUSIVE;\n.print held\n", "held"); }
    // Takes the lock and lets it go by itself after `seconds`, without waiting for us.
    bool lockFor(const char* seconds)
    {
        return run(QByteArray("BEGIN EXCLUSIVE;\n.print held\n.shell sleep ") + seconds + "\nROLLBACK;\n",
                   "held");
    }
    bool release() { return run("ROLLBACK;\n.print free\n", "free"); }

private:
    bool run(const QByteArray& commands, const QByteArray& answer)
    {
        m_process.write(commands);
        QByteArray out;
        while (!out.contains(answer))
            if (!m_process.waitForReadyRead(10000))
                return false;
            else
                out += m_process.readAllStandardOutput();
        return true;
    }

    QProcess m_process;
    bool m_started = false;
};

class LockedDatabaseTest : public testing::Test
{
protected:
    void SetUp() override
    {
        folder.openWorkingYear();
        Documents::receipt(Connection::database(), 1, QDate::currentDate().toString(Qt::ISODate), 10.0);
        entry.open();
        entry.typeDonation(QStringLiteral("2"), QStringLiteral("75"),
                           QStringLiteral("Donatie pentru clopot"));
    }

    TestFolder folder;
    IncomeEntry entry;
};

} // namespace

// Held past the connection's wait: a Romanian message, the receipt stays on
// screen, and once the other program lets go the same save stores it.
TEST_F(LockedDatabaseTest, ASaveWhileAnotherProgramHoldsTheFileSaysSoAndWorksAfterwards)
{
    OtherProgram other(folder.databaseFile());
    if (!other.started())
        GTEST_SKIP() << "the sqlite3 shell is not installed";
    const QStringList stored = storedIncomes();
    const QStringList typed = entry.shown();
    ASSERT_TRUE(other.lock());

    EXPECT_EQ(entry.save(), QStringList{inUse});
    EXPECT_EQ(entry.shown(), typed);

    ASSERT_TRUE(other.release());
    EXPECT_EQ(storedIncomes(), stored);
    EXPECT_EQ(entry.save(), QStringList());
    EXPECT_EQ(storedIncomes().size(), stored.size() + 1);
}

// A lock of a moment (another program's quick write) is waited out, not refused.
TEST_F(LockedDatabaseTest, AShortLockIsWaitedOut)
{
    OtherProgram other(folder.databaseFile());
    if (!other.started())
        GTEST_SKIP() << "the sqlite3 shell is not installed";
    const int stored = storedIncomes().size();
    ASSERT_TRUE(other.lockFor("0.3"));

    EXPECT_EQ(entry.save(), QStringList());
    EXPECT_EQ(storedIncomes().size(), stored + 1);
}
