#include "db/Connection.h"

#include "db/ConnectionEvents.h"
#include "db/DbError.h"
#include "db/RowChanges.h"
#include "db/RomanianCollation.h"
#include "db/SealedFileLayer.h"
#include "db/Sql.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>

namespace
{

bool canWrite(const QString& filePath)
{
    const QFileInfo file(filePath);
    // A file marked read-only is left alone even by a user who could write it anyway.
    const auto writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (!(file.permissions() & writeBits))
        return false;
    // SQLite writes its journal beside the database, so the folder must be writable too.
    return file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
}

bool readOnlyFlag = false;

// A commit the program reported stays stored even after a power loss: the
// rollback journal beside the database is the commit point, and EXTRA also
// syncs the folder once the journal is deleted (FULL leaves that deletion in
// the disk cache, where a power loss can undo it and with it the commit).
// The journal mode stays DELETE rather than WAL: the database remains one
// file that can be copied or opened read-only from a closed year's folder.
void makeCommitsDurable(const QSqlDatabase& db, bool readOnly)
{
    if (!readOnly)
        Sql::scalar(db, QStringLiteral("PRAGMA journal_mode = DELETE"));
    Sql::exec(db, QStringLiteral("PRAGMA synchronous = EXTRA"));
}

QHash<QString, quint64>& generations()
{
    static QHash<QString, quint64> counts;
    return counts;
}

// Lets the record sources on the connection close first, while their file is still open.
void closeNamed(const QString& connectionName)
{
    if (!QSqlDatabase::contains(connectionName))
        return;
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    if (db.isOpen())
        ConnectionEvents::instance().announceClosing(connectionName);
    db.close();
}

// The named connection, made anew when it was of the other store.
QSqlDatabase namedWithDriver(const QString& connectionName, const QString& driver)
{
    if (QSqlDatabase::contains(connectionName)) {
        if (QSqlDatabase::database(connectionName, false).driverName() == driver)
            return QSqlDatabase::database(connectionName, false);
        QSqlDatabase::removeDatabase(connectionName);
    }
    return QSqlDatabase::addDatabase(driver, connectionName);
}

} // namespace

namespace Connection
{

QSqlDatabase database()
{
    return QSqlDatabase::database(name, false);
}

QSqlDatabase openNamed(const QString& connectionName, const QString& filePath, bool allowCreate)
{
    const QFileInfo file(filePath);
    if (!allowCreate && !file.exists())
        throw DbError(
            QStringLiteral("Fisierul bazei de date %1 nu exista").arg(QDir::toNativeSeparators(filePath)));
    if (file.exists() && !file.isReadable())
        throw DbError(QStringLiteral("Fisierul bazei de date %1 nu poate fi citit")
                          .arg(QDir::toNativeSeparators(filePath)));

    closeNamed(connectionName);
    SealedFileLayer::install();
    QSqlDatabase db = namedWithDriver(connectionName, QStringLiteral("QSQLITE"));
    ++generations()[connectionName];
    db.setDatabaseName(filePath);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000");
    const bool readOnly = file.exists() && !canWrite(filePath);
    if (readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open()) {
        const DbError error = DbError::fromSql(db.lastError());
        db.close();
        throw error;
    }
    try {
        // Reading the schema version fails at once on a file that is not a database.
        Sql::scalar(db, QStringLiteral("PRAGMA schema_version"));
        makeCommitsDurable(db, readOnly);
        registerRomanianCollation(db);
        // An encrypted file costs a decryption at every read of a page, so its
        // pages are kept decrypted in a larger cache (up to 64 MiB) than SQLite's 2 MiB.
        if (SealedFileLayer::isSealed(filePath))
            Sql::exec(db, QStringLiteral("PRAGMA cache_size = -65536"));
    } catch (const DbError& e) {
        db.close();
        throw DbError(QStringLiteral("%1 (%2)").arg(e.text(), QDir::toNativeSeparators(filePath)));
    }
    return db;
}

QSqlDatabase openServerNamed(const QString& connectionName, const QString& address, const QString& schema,
                             const QString& password)
{
    const QUrl url(address, QUrl::StrictMode);
    const QString database = url.path().mid(1);
    if (!url.isValid() || (url.scheme() != QLatin1String("postgresql") && url.scheme() != QLatin1String("postgres")) ||
        url.host().isEmpty() || database.isEmpty() || database.contains(QLatin1Char('/')) || !url.password().isEmpty())
        throw DbError(QStringLiteral("Adresa serverului \"%1\" nu este de forma "
                                     "postgresql://utilizator@server:5432/baza (parola nu se scrie in adresa, "
                                     "ci in fisierul .pgpass al utilizatorului)")
                          .arg(url.isValid() && !url.password().isEmpty() ? url.toDisplayString(QUrl::RemovePassword)
                                                                           : address));
    closeNamed(connectionName);
    QSqlDatabase db = namedWithDriver(connectionName, QStringLiteral("QPSQL"));
    if (!db.isValid())
        throw DbError(QStringLiteral("Driverul PostgreSQL lipseste (pachetul libqt6sql6-psql)"));
    ++generations()[connectionName];
    db.setHostName(url.host());
    db.setPort(url.port(5432));
    db.setUserName(url.userName());
    db.setDatabaseName(database);
    db.setPassword(password);
    db.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=Lumivaret"));
    if (!db.open()) {
        const QSqlError failure = db.lastError();
        const DbError error = DbError::fromSql(failure);
        db.close();
        const QString text = QStringLiteral("Serverul %1 nu poate fi deschis: %2")
                                 .arg(url.toDisplayString(QUrl::RemovePassword), error.text());
        const QString said = failure.databaseText() + failure.driverText();
        if (said.contains(QLatin1String("no password supplied")) ||
            said.contains(QLatin1String("password authentication failed")))
            throw ServerWantsPassword(text);
        throw DbError(text);
    }
    try {
        Sql::exec(db, QStringLiteral("SET search_path TO %1").arg(Sql::quoted(schema.toLower())));
    } catch (const DbError&) {
        db.close();
        throw;
    }
    return db;
}

void openServer(const QString& address, const QString& schema, const QString& password)
{
    openServerNamed(name, address, schema, password);
    readOnlyFlag = false;
}

bool isServer()
{
    return isOpen() && database().driverName() == QLatin1String("QPSQL");
}

void removeNamed(const QString& connectionName)
{
    closeNamed(connectionName);
    QSqlDatabase::removeDatabase(connectionName);
}

quint64 generation(const QString& connectionName)
{
    return generations().value(connectionName);
}

void open(const QString& filePath)
{
    openNamed(name, filePath);
    readOnlyFlag = !canWrite(filePath);
    // The recorder of changes starts its record in a database that has none yet.
    if (RowChangeRecorder* recorder = RowChanges::recorder(); recorder && !readOnlyFlag) {
        try {
            recorder->opened(database());
        } catch (const DbError&) {
            close();
            throw;
        }
    }
}

void close()
{
    closeNamed(name);
    readOnlyFlag = false;
}

bool isOpen()
{
    return QSqlDatabase::contains(name) && database().isOpen();
}

bool isReadOnly()
{
    return isOpen() && readOnlyFlag;
}

QString filePath()
{
    return isOpen() ? database().databaseName() : QString();
}

} // namespace Connection
