#include "IncomeEntry.h"
#include "support/TestFolder.h"

#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "operations/TVenituriFrm.h"
#include "support/Documents.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/mount.h>

namespace
{

const QString protectedFile =
    QStringLiteral("Baza de date nu poate fi modificata (fisier protejat la scriere). "
                   "Verificati ca fisierul si directorul lui pot fi scrise (nu sunt pe un CD "
                   "sau protejate la scriere) si repetati operatia");

// The program folder seen read-only, in one of the two ways a parish meets
// it: its write bits removed, or a read-only mount of it.
class ReadOnlyView
{
public:
    enum Way { WriteBitsRemoved, ReadOnlyMount };

    ReadOnlyView(Way way, const QString& folder) : m_way(way), m_folder(folder)
    {
        if (way == WriteBitsRemoved) {
            m_path = folder;
            QFile::setPermissions(folder + DatabaseLocation::databaseFileName,
                                  QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                              QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
            return;
        }
        const QByteArray target = QFile::encodeName(m_mountPoint.path());
        if (::mount(QFile::encodeName(folder).constData(), target.constData(), nullptr, MS_BIND, nullptr) !=
            0) {
            m_whyNot = QString::fromLocal8Bit(strerror(errno));
            return;
        }
        m_mounted = true;
        if (::mount(nullptr, target.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
            m_whyNot = QString::fromLocal8Bit(strerror(errno));
            return;
        }
        m_path = m_mountPoint.path() + QLatin1Char('/');
    }
    ~ReadOnlyView()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_mountPoint.path()).constData(), MNT_DETACH);
        if (m_way == WriteBitsRemoved) {
            QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QFile::setPermissions(m_folder + DatabaseLocation::databaseFileName,
                                  QFile::ReadOwner | QFile::WriteOwner);
        }
    }

    // Empty when the view could not be made; whyNot() says why.
    QString path() const { return m_path; }
    QString whyNot() const { return m_whyNot; }

private:
    Way m_way;
    QString m_folder;
    QTemporaryDir m_mountPoint;
    bool m_mounted = false;
    QString m_path;
    QString m_whyNot;
};

} // namespace

// The program opens the data for reading: the stored receipts show, a save
// says the file is protected and keeps what was typed, nothing crashes.
TEST(ReadOnlyFolderTest, TheDataOpenForReadingAndASaveSaysWhy)
{
    for (const auto way : {ReadOnlyView::WriteBitsRemoved, ReadOnlyView::ReadOnlyMount}) {
        SCOPED_TRACE(way == ReadOnlyView::WriteBitsRemoved ? "write bits removed" : "read-only mount");
        TestFolder folder;
        folder.openWorkingYear();
        Documents::receipt(Connection::database(), 1, QDate::currentDate().toString(Qt::ISODate), 10.0);
        const QStringList stored = storedIncomes();
        Connection::close();
        const ReadOnlyView view(way, folder.path());
        if (view.path().isEmpty())
            GTEST_SKIP() << "cannot mount the folder read-only: " << view.whyNot().toStdString();
        setProgramFolder(view.path());

        DatabaseLocation::instance().openWorkingYear();
        EXPECT_TRUE(Connection::isReadOnly());
        EXPECT_EQ(storedIncomes(), stored);

        IncomeEntry entry;
        entry.open();
        entry.typeDonation(QStringLiteral("2"), QStringLiteral("40"), QStringLiteral("Donatie"));
        const QStringList typed = entry.shown();
        EXPECT_EQ(entry.save(), QStringList{protectedFile});
        EXPECT_EQ(entry.shown(), typed);
        EXPECT_EQ(storedIncomes(), stored);
        entry.closeWindows();
        Connection::close();
    }
}
