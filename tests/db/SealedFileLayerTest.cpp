#include "db/Connection.h"
#include "db/ProtectionKeys.h"
#include "db/SchemaBuilder.h"
#include "db/SealedFileLayer.h"
#include "db/Sql.h"
#include "support/SeededRandom.h"
#include "support/TestFolder.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace
{

const QByteArray password = "parola-de-test";

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Turns protection on for the files created from now on, under a fresh salt.
struct ActiveProtection {
    ActiveProtection()
    {
        SealedFileLayer::install();
        salt = ProtectionKeys::newSalt();
        EXPECT_TRUE(ProtectionKeys::derive(password, salt, ProtectionKeys::standardCost()));
        ProtectionKeys::setActiveSalt(salt);
    }
    ~ActiveProtection() { ProtectionKeys::forgetAll(); }
    ProtectionKeys::Salt salt;
};

// One file opened through a file layer, for comparing the layer with the plain one.
struct LayerFile {
    LayerFile(sqlite3_vfs* vfs, const QString& path) : vfs(vfs), name(QFile::encodeName(path))
    {
        memory.resize(vfs->szOsFile);
        int out = 0;
        EXPECT_EQ(vfs->xOpen(vfs, name.constData(), file(),
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_MAIN_DB, &out),
                  SQLITE_OK);
    }
    ~LayerFile() { file()->pMethods->xClose(file()); }
    sqlite3_file* file() { return reinterpret_cast<sqlite3_file*>(memory.data()); }
    QByteArray read(qint64 offset, int amount, int* rc)
    {
        QByteArray out(amount, '\x55');
        *rc = file()->pMethods->xRead(file(), out.data(), amount, offset);
        return out;
    }
    qint64 size()
    {
        sqlite3_int64 s = -1;
        file()->pMethods->xFileSize(file(), &s);
        return s;
    }
    sqlite3_vfs* vfs;
    QByteArray name;
    QByteArray memory;
};

} // namespace

// A protected database holds nothing readable: not SQLite's mark, not a typed
// name, neither in the database nor in its journal while a change is pending;
// with the key it reads back as typed, and without it it does not open.
TEST(SealedFileLayer, ADatabaseCreatedUnderProtectionIsUnreadableWithoutItsKey)
{
    TestFolder folder;
    const QString path = folder.file(QStringLiteral("BazaDate.sqlite"));
    ProtectionKeys::Salt salt;
    {
        ActiveProtection protection;
        salt = protection.salt;
        SchemaBuilder::createDatabase(path, 2024);
        Connection::open(path);
        QSqlDatabase db = Connection::database();
        Sql::exec(db, QStringLiteral("INSERT INTO Enoriasi (Cod_enorias, Nume_prenume, Tip_contributie) "
                                     "VALUES ('E1', 'Popescu Ștefănel', 'Lunar')"));
        ASSERT_TRUE(db.transaction());
        Sql::exec(db, QStringLiteral("UPDATE Enoriasi SET Strada = 'Strada Mântuleasa'"));
        const QByteArray journal = fileBytes(path + QStringLiteral("-journal"));
        ASSERT_FALSE(journal.isEmpty());
        EXPECT_TRUE(journal.startsWith("Lumivaret sealed"));
        EXPECT_FALSE(journal.contains("Popescu"));
        ASSERT_TRUE(db.commit());
        EXPECT_EQ(Sql::scalar(db, QStringLiteral("SELECT Strada FROM Enoriasi")).toString(),
                  QStringLiteral("Strada Mântuleasa"));
        Connection::close();

        const QByteArray bytes = fileBytes(path);
        EXPECT_TRUE(bytes.startsWith("Lumivaret sealed"));
        EXPECT_FALSE(bytes.contains("SQLite format 3"));
        EXPECT_FALSE(bytes.contains("Popescu"));
        EXPECT_FALSE(bytes.contains(QStringLiteral("Mântuleasa").toUtf8()));
        EXPECT_FALSE(bytes.contains("Enoriasi"));
        EXPECT_TRUE(SealedFileLayer::isSealed(path));
    }

    // The keys forgotten (a new start): the file does not open until its password is given.
    EXPECT_THROW(Connection::open(path), std::exception);
    EXPECT_FALSE(SealedFileLayer::unlock(path, "alta-parola"));
    ASSERT_TRUE(SealedFileLayer::unlock(path, password));
    Connection::open(path);
    EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("SELECT Nume_prenume FROM Enoriasi")).toString(),
              QStringLiteral("Popescu Ștefănel"));
    EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("PRAGMA integrity_check")).toString(),
              QStringLiteral("ok"));
    Connection::close();
    ProtectionKeys::forgetAll();
}

// Without protection the layer is not there for a file: it is SQLite's own.
TEST(SealedFileLayer, AFileCreatedWithoutProtectionStaysPlain)
{
    SealedFileLayer::install();
    TestFolder folder;
    const QString path = folder.file(QStringLiteral("BazaDate.sqlite"));
    SchemaBuilder::createDatabase(path, 2024);
    EXPECT_TRUE(fileBytes(path).startsWith("SQLite format 3"));
    EXPECT_FALSE(SealedFileLayer::isSealed(path));
}

// Writes and reads of any size at any place, holes and truncations give the
// same bytes through the layer as through the plain file layer.
TEST(SealedFileLayer, ReadsBackWhatWasWrittenAnywhereAsAPlainFileDoes)
{
    ActiveProtection protection;
    TestFolder folder;
    sqlite3_vfs* plainLayer = sqlite3_vfs_find("unix");
    ASSERT_NE(plainLayer, nullptr);
    LayerFile sealedFile(sqlite3_vfs_find(nullptr), folder.file(QStringLiteral("sealed.bin")));
    LayerFile plainFile(plainLayer, folder.file(QStringLiteral("plain.bin")));

    SeededRandom random;
    const int block = SealedFileLayer::blockSize;
    for (int step = 0; step < 400; ++step) {
        SCOPED_TRACE(step);
        const int kind = random.below(10);
        const qint64 offset = kind < 5 ? qint64(random.below(12)) * block : random.below(12 * block);
        const int amount = kind % 2 == 0 ? block : 1 + random.below(3 * block);
        if (kind == 9) {
            const qint64 size = random.below(10 * block);
            ASSERT_EQ(sealedFile.file()->pMethods->xTruncate(sealedFile.file(), size), SQLITE_OK);
            ASSERT_EQ(plainFile.file()->pMethods->xTruncate(plainFile.file(), size), SQLITE_OK);
        } else if (kind < 7) {
            QByteArray data(amount, Qt::Uninitialized);
            for (char& c : data)
                c = char(random.below(256));
            ASSERT_EQ(sealedFile.file()->pMethods->xWrite(sealedFile.file(), data.constData(), amount, offset),
                      SQLITE_OK);
            ASSERT_EQ(plainFile.file()->pMethods->xWrite(plainFile.file(), data.constData(), amount, offset),
                      SQLITE_OK);
        }
        ASSERT_EQ(sealedFile.size(), plainFile.size());
        int sealedRc = 0;
        int plainRc = 0;
        const QByteArray sealedBytes = sealedFile.read(offset, amount, &sealedRc);
        const QByteArray plainBytes = plainFile.read(offset, amount, &plainRc);
        ASSERT_EQ(sealedRc, plainRc);
        ASSERT_EQ(sealedBytes, plainBytes);
    }
    int rc = 0;
    EXPECT_EQ(sealedFile.read(0, int(sealedFile.size()), &rc), plainFile.read(0, int(plainFile.size()), &rc));
}

// A block changed behind the program's back is refused, never read as data.
TEST(SealedFileLayer, AChangedBlockIsRefused)
{
    TestFolder folder;
    const QString path = folder.file(QStringLiteral("BazaDate.sqlite"));
    {
        ActiveProtection protection;
        SchemaBuilder::createDatabase(path, 2024);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(SealedFileLayer::headerSize + 100);
        file.write("x");
        file.close();
        EXPECT_THROW(Connection::open(path), std::exception);
    }
}
