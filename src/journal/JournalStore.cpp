#include "journal/JournalStore.h"

#include "db/DbError.h"
#include "db/Sql.h"
#include "db/SqliteHandle.h"
#include "db/SqliteStatement.h"
#include "db/Store.h"
#include "journal/WatchedTables.h"

#include <QDateTime>
#include <QSysInfo>
#include <sqlite3.h>
#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace JournalStore
{

namespace
{

QString textColumn(sqlite3_stmt* query, int column)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(query, column)),
                             sqlite3_column_bytes(query, column));
}

// The bytes a column of hexadecimal digits stands for (what Qt's fromHex
// gives, read without copying the text first: the verification reads three
// such columns of every entry).
QByteArray hexColumn(sqlite3_stmt* query, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(query, column));
    const int size = sqlite3_column_bytes(query, column);
    const auto digit = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    };
    QByteArray bytes(size / 2, Qt::Uninitialized);
    for (int i = 0; i + 1 < size; i += 2) {
        const int high = digit(text[i]), low = digit(text[i + 1]);
        if (high < 0 || low < 0) // not written by the program: read as Qt reads it
            return QByteArray::fromHex(QByteArray(text, size));
        bytes[i / 2] = char(high * 16 + low);
    }
    return bytes;
}

} // namespace

bool hasTable(const QSqlDatabase& db, const QString& table)
{
    if (const Store& store = Store::of(db); store.isServer())
        return store.tableExists(db, table);
    return sqlite3_table_column_metadata(sqliteHandle(db), "main", table.toUtf8().constData(), nullptr, nullptr,
                                         nullptr, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool exists(const QSqlDatabase& db)
{
    return hasTable(db, entriesTable);
}

bool create(const QSqlDatabase& db)
{
    if (!Sql::tableExists(db, WatchedTables::lockTable))
        Sql::exec(db, QStringLiteral("CREATE TABLE %1 (Data DATE)").arg(WatchedTables::lockTable));
    if (exists(db))
        return false;
    Sql::exec(db, QStringLiteral("CREATE TABLE Jurnal (Nr INTEGER PRIMARY KEY, Moment TEXT, Utilizator TEXT, "
                                 "Calculator TEXT, Tabela TEXT, RandId INTEGER, Cheie TEXT, DataDoc TEXT, "
                                 "Actiune TEXT, Nota TEXT, Valori TEXT, AmprentaRand TEXT, "
                                 "HashAnterior TEXT, Hash TEXT)"));
    Sql::exec(db, QStringLiteral("CREATE INDEX Jurnal_Tabela ON Jurnal (Tabela, Actiune)"));
    Sql::exec(db, QStringLiteral("CREATE TABLE JurnalCap (Numar INTEGER, Hash TEXT)"));
    Sql::exec(db, QStringLiteral("INSERT INTO JurnalCap (Numar, Hash) VALUES (0, '')"));
    return true;
}

Head head(const QSqlDatabase& db)
{
    SqliteStatement query(sqliteHandle(db), QStringLiteral("SELECT Numar, Hash FROM JurnalCap LIMIT 1"), headTable);
    if (!query.step())
        throw DbError(QStringLiteral("Jurnalul modificarilor nu are capatul sau (tabela JurnalCap este goala)"));
    return {sqlite3_column_int64(query.raw(), 0), hexColumn(query.raw(), 1)};
}

QString userName()
{
    static const QString name = [] {
        for (const char* variable : {"USER", "USERNAME", "LOGNAME"})
            if (const QString user = qEnvironmentVariable(variable); !user.isEmpty())
                return user;
        // Started without the usual variables (a scheduled job): the system names the account.
#ifdef Q_OS_UNIX
        if (const passwd* account = getpwuid(getuid()); account && account->pw_name && *account->pw_name)
            return QString::fromLocal8Bit(account->pw_name);
#endif
        return QStringLiteral("necunoscut");
    }();
    return name;
}

QString hostName()
{
    static const QString name = QSysInfo::machineHostName();
    return name;
}

void append(const QSqlDatabase& db, JournalEntry& entry)
{
    const Head last = head(db);
    entry.number = last.count + 1;
    entry.moment = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    entry.user = userName();
    entry.host = hostName();
    entry.previousHash = last.hash;
    entry.hash = entry.computedHash();
    sqlite3* handle = sqliteHandle(db);
    SqliteStatement insert(handle,
                           QStringLiteral("INSERT INTO Jurnal (Nr, Moment, Utilizator, Calculator, Tabela, RandId, "
                                          "Cheie, DataDoc, Actiune, Nota, Valori, AmprentaRand, HashAnterior, Hash) "
                                          "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                           entriesTable);
    insert.run({entry.number, entry.moment, entry.user, entry.host, entry.table, entry.rowid, entry.key,
                entry.keyDate, entry.action, entry.note, JournalEntry::encodeValues(entry.values),
                QString::fromLatin1(entry.rowDigest.toHex()), QString::fromLatin1(entry.previousHash.toHex()),
                QString::fromLatin1(entry.hash.toHex())});
    SqliteStatement moveHead(handle, QStringLiteral("UPDATE JurnalCap SET Numar = ?, Hash = ?"), headTable);
    moveHead.run({entry.number, QString::fromLatin1(entry.hash.toHex())});
}

namespace
{
// Every column of the entries, in the order both readers take them, with `where`.
QString entriesInOrder(const QString& where)
{
    return QStringLiteral("SELECT Nr, Moment, Utilizator, Calculator, Tabela, RandId, Cheie, DataDoc, Actiune, Nota, "
                          "Valori, AmprentaRand, HashAnterior, Hash FROM Jurnal %1 ORDER BY Nr")
        .arg(where);
}
} // namespace

void readAll(const QSqlDatabase& db, const std::function<void(const JournalEntry&)>& take,
             const QString& condition, const QVariantList& values)
{
    SqliteStatement query(sqliteHandle(db),
                          entriesInOrder(condition.isEmpty() ? QString() : QStringLiteral("WHERE ") + condition),
                          entriesTable);
    query.bindAll(values);
    sqlite3_stmt* raw = query.raw();
    JournalEntry entry;
    while (query.step()) {
        entry.number = sqlite3_column_int64(raw, 0);
        entry.moment = textColumn(raw, 1);
        entry.user = textColumn(raw, 2);
        entry.host = textColumn(raw, 3);
        entry.table = textColumn(raw, 4);
        entry.rowid = sqlite3_column_int64(raw, 5);
        entry.key = textColumn(raw, 6);
        entry.keyDate = textColumn(raw, 7);
        entry.action = textColumn(raw, 8);
        entry.note = textColumn(raw, 9);
        entry.values = JournalEntry::decodeValues(textColumn(raw, 10));
        entry.rowDigest = hexColumn(raw, 11);
        entry.previousHash = hexColumn(raw, 12);
        entry.hash = hexColumn(raw, 13);
        take(entry);
    }
}

void readRaw(const QSqlDatabase& db, const std::function<void(RawEntry&& entry)>& take)
{
    SqliteStatement query(sqliteHandle(db), entriesInOrder(QString()), entriesTable);
    sqlite3_stmt* raw = query.raw();
    const auto bytes = [raw](int column) {
        return QByteArrayView(reinterpret_cast<const char*>(sqlite3_column_text(raw, column)),
                              sqlite3_column_bytes(raw, column));
    };
    while (query.step()) {
        RawEntry entry;
        entry.number = sqlite3_column_int64(raw, 0);
        entry.rowid = sqlite3_column_int64(raw, 5);
        entry.table = textColumn(raw, 4);
        entry.key = textColumn(raw, 6);
        entry.keyDate = textColumn(raw, 7);
        entry.action = textColumn(raw, 8);
        entry.header.reserve(160);
        for (int column = 0; column <= 9; ++column) {
            entry.header += bytes(column);
            entry.header += '\x1f';
        }
        entry.encodedValues = bytes(10).toByteArray();
        entry.rowDigest = hexColumn(raw, 11);
        entry.previousHash = hexColumn(raw, 12);
        entry.hash = hexColumn(raw, 13);
        take(std::move(entry));
    }
}

} // namespace JournalStore
