#pragma once

#include "db/DbError.h"

#include <QSqlDatabase>
#include <QString>

// The server wants a password for the user that it was not given, or refused the one given.
class ServerWantsPassword : public DbError
{
public:
    using DbError::DbError;
};

// The named connection "Lumivaret" through which every table of the program
// is reached. It is open on one database file at a time: the working year's
// or a closed year's; or on a PostgreSQL server (Store tells the two apart).
namespace Connection
{

inline const QString name = QStringLiteral("Lumivaret");

// The connection (invalid until the first open).
QSqlDatabase database();

// Opens the connection on an existing database file; never creates one.
// A file that cannot be written is opened for reading only.
// Throws DbError when the file is missing, unreadable or not a database.
void open(const QString& filePath);
void close();
bool isOpen();
bool isReadOnly();
QString filePath();

// Opens any other named connection the same way (also used to create a new
// database when allowCreate is set). The caller removes it.
QSqlDatabase openNamed(const QString& connectionName, const QString& filePath, bool allowCreate = false);
void removeNamed(const QString& connectionName);

// Opens the connection on a PostgreSQL server's database, given by its
// address "postgresql://user@host:5432/database", in `schema` (the working
// year's "parohie"; the schema need not exist yet). The password is never
// part of the address: libpq takes it from the user's ~/.pgpass.
// Throws DbError when the address is malformed or the server refuses.
// A password given here is kept only by the open connection; a server that
// wants one it was not given (or refuses the one given) throws ServerWantsPassword.
void openServer(const QString& address, const QString& schema = QStringLiteral("parohie"),
                const QString& password = {});
QSqlDatabase openServerNamed(const QString& connectionName, const QString& address,
                             const QString& schema = QStringLiteral("parohie"), const QString& password = {});
bool isServer();

// Counts the openings of a named connection: a record source compares it with
// the count it was read under, so it never writes into another database file.
quint64 generation(const QString& connectionName);

} // namespace Connection
